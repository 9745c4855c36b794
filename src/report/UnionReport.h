#pragma once

#include "ShiftReport.h"

#include <QDate>
#include <QString>
#include <QVector>

// The union's shift report: every centre's receipts of one date and shift, per centre, company
// and route, and the union's totals per milk type (by the milk type's name, since each centre
// numbers its own). Summed from the stored values, as the centres' own shift reports are.
namespace report {

class PageDrawer;

struct UnionRouteLine {
    QString centre;
    QString company; // ComCode
    qint64 route = 0;
    QString routeName;
    Totals totals;
};

struct UnionMilkLine {
    QString name; // "milk type N" when a centre's row of that type is gone
    Totals totals;
};

struct UnionReport {
    QDate date;
    int shift = 0;                  // 2 = AM, 3 = PM
    QVector<UnionRouteLine> routes; // by centre, company and route
    QVector<UnionMilkLine> byMilkType;
    Totals overall;
};

// Adds what one centre's company year (its copy at the union) holds of the report's shift.
// Empty text, or the failed statement's error.
QString addCentreYear(UnionReport* report, datastore::Connection& year, const QString& centre,
                      const QString& company);

// centre,company,route,receipts,cans,weight: one row a centre, company and route.
QString unionCsv(const UnionReport& report);
void drawUnionReport(PageDrawer& pages, const UnionReport& report);
bool writeUnionReportPdf(const UnionReport& report, const QString& file, QString* error);

} // namespace report

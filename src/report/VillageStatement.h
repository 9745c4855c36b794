#pragma once

#include "ShiftReport.h"

#include <QDate>
#include <QString>
#include <QVector>

// Village statements for the billing office: for a period, what each village delivered day by
// day and shift by shift, its totals, and the totals of its route and of the period. A village
// is listed under the route its receipts came in on.
namespace report {

class PageDrawer;

struct StatementRequest {
    QDate from;
    QDate to;
    qint64 route = 0;    // 0 = every route
    QString villageCode; // empty = every village; letter case ignored
};

struct StatementLine {
    QDate date;
    int shift = 0;
    Totals totals;
    int manual = 0;    // receipts among them whose weight was typed
    int corrected = 0; // receipts among them corrected after they were stored
};

struct VillageStatement {
    qint64 village = 0;
    QString code; // empty when the village's row is gone
    QString name;
    QVector<StatementLine> lines; // by date and shift
    Totals totals;
};

struct StatementRoute {
    qint64 route = 0;
    QString name;
    QVector<VillageStatement> villages; // by code
    Totals totals;
};

struct Statements {
    QString company; // left to the caller
    QString town;
    QDate from;
    QDate to;
    QVector<StatementRoute> routes;
    Totals totals;
};

datastore::Result<Statements> villageStatements(datastore::Connection& companyYear,
                                                const StatementRequest& request);

// "M" when a line holds a typed weight, "C" a corrected receipt, "M C" both, else empty.
QString marksOf(const StatementLine& line);

// code,name,route,receipts,cans,weight: one line per village (and route); byDay: one line per
// village, date and shift, with its marks.
QString statementsCsv(const Statements& statements, bool byDay);
void drawStatements(PageDrawer& pages, const Statements& statements);
bool writeStatementsPdf(const Statements& statements, const QString& file, QString* error);

} // namespace report

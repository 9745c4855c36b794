#pragma once

#include "ShiftReport.h"

#include <QDate>
#include <QString>
#include <QVector>

// The day at a glance: what each route has delivered so far in the morning and the evening,
// the day's totals per milk type, and the routes that have a vehicle that day and have not yet
// delivered. The desk shows it in a window of its own; the admin tool prints it.
namespace report {

class PageDrawer;

struct DayFigures {
    Totals am;
    Totals pm;
    Totals day; // both shifts (and any other shift code found)
};

struct DayRoute {
    qint64 route = 0;
    QString name;    // empty when the route's row is gone
    QString vehicle; // assigned for the day; empty when none
    DayFigures figures;
};

struct DayMilkType {
    qint64 milkType = 0;
    QString name;
    DayFigures figures;
};

// A route with a vehicle that day and no receipt yet in a shift.
struct NotDelivered {
    qint64 route = 0;
    QString name;
    QString vehicle;
    bool am = false; // no morning receipt yet
    bool pm = false; // no evening receipt yet
};

struct DaySummary {
    QString company; // left to the caller
    QString town;
    QDate date;
    QVector<DayRoute> routes; // routes with receipts, in route order
    QVector<DayMilkType> byMilkType;
    DayFigures overall;
    QVector<NotDelivered> notDelivered; // active routes only, in route order
};

// Summed by the database from the stored values; null cans and weights count as 0.
datastore::Result<DaySummary> daySummary(datastore::Connection& companyYear, const QDate& date);

// "AM PM", "AM", "PM": the shifts a route has not yet delivered, as the reader sees them (in the
// desk's language; the CSV keeps them as stored).
QString missingShifts(const NotDelivered& route);

QString daySummaryText(const DaySummary& summary);
// One line per route, those not yet delivered included, with headings in words.
QString daySummaryCsv(const DaySummary& summary);
void drawDaySummary(PageDrawer& pages, const DaySummary& summary);
bool writeDaySummaryPdf(const DaySummary& summary, const QString& file, QString* error);

} // namespace report

#pragma once

#include "datastore/Connection.h"
#include "datastore/Audit.h"
#include "datastore/ShiftQueries.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

// The shift report: what was collected on each route of one date and shift, with the route's
// truck, its receipts in serial order and its totals, and the shift's totals per milk type.
// Every figure is summed from the stored values; only the shown texts are rounded.
namespace report {

struct Totals {
    qint64 receipts = 0;
    double cans = 0;   // null cans count as 0
    double weight = 0; // a null weight counts as 0
};

struct ReportLine {
    qint64 serial = 0;
    QString villageCode;
    QString villageName; // empty when the village's row is gone
    QString animal;      // empty when the animal type's row is gone
    QString milkType;    // empty when the milk type's row is gone
    QVariant cans;
    QVariant weight;
    qint64 refNo = 0;
    QChar mark; // 'M': weight typed by hand, 'C': corrected after it was stored; else null
};

// A receipt of the shift that was cancelled: listed under its route, outside the totals.
struct CancelledLine {
    qint64 serial = 0;
    QString villageCode;
    QString villageName;
    double cans = 0;
    double weight = 0;
    QString reason;
    QString allowedBy;
};

struct RouteSection {
    qint64 route = 0;
    QString routeName;
    QString truckNo;
    QString scheduledTime;
    QString arrivalTime;
    double tripKm = 0;
    double recoveryAmount = 0;
    QString remarks;
    QVector<ReportLine> lines; // in serial order
    Totals totals;
    QVector<CancelledLine> cancelled; // in serial order
};

struct MilkTypeLine {
    qint64 milkType = 0;
    QString name;
    Totals totals;
};

struct ShiftReport {
    QString company;
    QString town;
    QDate date;
    int shift = 0; // 2 = AM, 3 = PM
    QVector<RouteSection> routes;
    QVector<MilkTypeLine> byMilkType;
    Totals overall;
};

// Groups a shift's receipts (in route and serial order) into route sections with their
// totals. The truck's details come from the route's first receipt that carries any; its
// number, when no receipt carries one, from `vehicles` (route -> the vehicle assigned on the
// date), else it stays empty.
QVector<RouteSection> routeSections(const QVector<datastore::StoredReceipt>& receipts,
                                    const QHash<qint64, QString>& vehicles);
// Marks the lines (by RefNo) and puts each cancelled receipt under its route, making a section
// for a route that has no receipt left; villages maps VRefNo to code and name, routes RTRefNo to
// name.
void addMarks(QVector<RouteSection>* sections, const QHash<qint32, QChar>& marks);
void addCancelled(QVector<RouteSection>* sections,
                  const QVector<datastore::CancelledReceipt>& cancelled,
                  const QHash<qint64, std::pair<QString, QString>>& villages,
                  const QHash<qint64, QString>& routes);
// The milk type lines from the database's sums, and the overall totals from them.
QVector<MilkTypeLine> milkTypeLines(const QVector<datastore::MilkTypeTotal>& totals);
Totals overallOf(const QVector<MilkTypeLine>& lines);

struct ReportRequest {
    QString company; // ComCode
    QDate date;
    int shift = 0;
    qint64 route = 0; // 0 = every route
};
// Reads everything the report shows, or the failed statement's error. The company's name and
// town are those of its latest year in the main database.
datastore::Result<ShiftReport> loadShiftReport(datastore::Connection& main,
                                               datastore::Connection& companyYear,
                                               const ReportRequest& request);
// The same from the company year alone; the caller names the company and town.
datastore::Result<ShiftReport> loadShiftReport(datastore::Connection& companyYear,
                                               const ReportRequest& request);

// "AM" or "PM" (empty for another code), as stored, typed on a command line and written to
// CSV files.
QString shiftName(int shift);
// The same as the reader sees it on a report, in the desk's language.
QString shownShiftName(int shift);

} // namespace report

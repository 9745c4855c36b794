#include "ShiftReport.h"

#include "MasterNames.h"

#include "datastore/NullFields.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <algorithm>

namespace report {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ShiftReport)
};

bool carriesTruckDetails(const datastore::StoredReceipt& r)
{
    return !r.truckNo.trimmed().isEmpty() || r.truckKm != 0 || r.recoveryAmount != 0 ||
           !r.truckRemarks.trimmed().isEmpty();
}

ReportLine lineOf(const datastore::StoredReceipt& r)
{
    return ReportLine{r.serial, r.villageCode, r.villageName, r.animalName, r.milkTypeName,
                      r.cans,   r.weight,      r.refNo,       QChar()};
}

void add(Totals* totals, const QVariant& cans, const QVariant& weight)
{
    ++totals->receipts;
    totals->cans += cans.isNull() ? 0.0 : cans.toDouble();
    totals->weight += weight.isNull() ? 0.0 : weight.toDouble();
}

// The truck's details: the operator enters them with a route's first receipt and the window
// empties them after each, so later receipts mostly carry none.
void fillTruck(RouteSection* section, const QVector<datastore::StoredReceipt>& receipts, int first,
               int end, const QHash<qint64, QString>& vehicles)
{
    int details = first;
    for (int i = first; i < end; ++i) {
        if (carriesTruckDetails(receipts[i])) {
            details = i;
            break;
        }
    }
    const datastore::StoredReceipt& r = receipts[details];
    section->truckNo = r.truckNo.trimmed();
    section->scheduledTime = r.scheduledTime;
    section->arrivalTime = r.arrivalTime;
    section->tripKm = r.truckKm;
    section->recoveryAmount = r.recoveryAmount;
    section->remarks = r.truckRemarks;
    if (section->truckNo.isEmpty())
        section->truckNo = vehicles.value(section->route);
}

} // namespace

QVector<RouteSection> routeSections(const QVector<datastore::StoredReceipt>& receipts,
                                    const QHash<qint64, QString>& vehicles)
{
    QVector<RouteSection> sections;
    int first = 0;
    while (first < receipts.size()) {
        int end = first;
        while (end < receipts.size() && receipts[end].route == receipts[first].route)
            ++end;
        RouteSection section;
        section.route = receipts[first].route;
        section.routeName = receipts[first].routeName;
        for (int i = first; i < end; ++i) {
            section.lines.append(lineOf(receipts[i]));
            add(&section.totals, receipts[i].cans, receipts[i].weight);
        }
        fillTruck(&section, receipts, first, end, vehicles);
        sections.append(section);
        first = end;
    }
    return sections;
}

void addMarks(QVector<RouteSection>* sections, const QHash<qint32, QChar>& marks)
{
    for (RouteSection& section : *sections)
        for (ReportLine& line : section.lines)
            line.mark = marks.value(qint32(line.refNo));
}

void addCancelled(QVector<RouteSection>* sections,
                  const QVector<datastore::CancelledReceipt>& cancelled,
                  const QHash<qint64, std::pair<QString, QString>>& villages,
                  const QHash<qint64, QString>& routes)
{
    for (const datastore::CancelledReceipt& c : cancelled) {
        auto section = std::find_if(sections->begin(), sections->end(),
                                    [&c](const RouteSection& s) { return s.route == c.rtRefNo; });
        if (section == sections->end()) {
            RouteSection added;
            added.route = c.rtRefNo;
            added.routeName = routes.value(c.rtRefNo);
            section = sections->insert(
                std::find_if(sections->begin(), sections->end(),
                             [&c](const RouteSection& s) { return s.route > c.rtRefNo; }),
                added);
        }
        const auto village = villages.value(c.vRefNo);
        section->cancelled.append(
            {c.dlySlNo, village.first, village.second, c.cans, c.weight, c.reason, c.allowedBy});
    }
}

QVector<MilkTypeLine> milkTypeLines(const QVector<datastore::MilkTypeTotal>& totals)
{
    QVector<MilkTypeLine> lines;
    for (const datastore::MilkTypeTotal& t : totals)
        lines.append(
            MilkTypeLine{t.milkType, t.milkTypeName, Totals{t.receipts, t.cans, t.weight}});
    return lines;
}

Totals overallOf(const QVector<MilkTypeLine>& lines)
{
    Totals overall;
    for (const MilkTypeLine& line : lines) {
        overall.receipts += line.totals.receipts;
        overall.cans += line.totals.cans;
        overall.weight += line.totals.weight;
    }
    return overall;
}

struct CompanyHeading {
    QString name;
    QString town;
};

datastore::Result<CompanyHeading> companyHeading(datastore::Connection& main,
                                                 const QString& company)
{
    auto rs = main.exec(QStringLiteral("Select ComName, Town from Years Where ComCode = ? "
                                       "order by Code Desc"),
                        {company});
    if (!rs)
        return rs.error();
    CompanyHeading heading;
    if (rs->next())
        heading = {datastore::Null_Str(rs->value(0)), datastore::Null_Str(rs->value(1))};
    return heading;
}

datastore::Result<ShiftReport> loadShiftReport(datastore::Connection& main,
                                               datastore::Connection& companyYear,
                                               const ReportRequest& request)
{
    const auto heading = companyHeading(main, request.company);
    if (!heading)
        return heading.error();
    auto report = loadShiftReport(companyYear, request);
    if (report) {
        report->company = heading->name;
        report->town = heading->town;
    }
    return report;
}

datastore::Result<ShiftReport> loadShiftReport(datastore::Connection& companyYear,
                                               const ReportRequest& request)
{
    ShiftReport report;
    report.date = request.date;
    report.shift = request.shift;
    const auto receipts = datastore::storedReceipts(
        companyYear, {request.date, request.date, request.shift, request.route});
    if (!receipts)
        return receipts.error();
    QHash<qint64, QString> vehicles;
    for (const datastore::StoredReceipt& r : *receipts) {
        if (vehicles.contains(r.route))
            continue;
        const auto vehicle = datastore::routeVehicle(companyYear, int(r.route), request.date);
        if (!vehicle)
            return vehicle.error();
        vehicles.insert(r.route, *vehicle);
    }
    report.routes = routeSections(*receipts, vehicles);
    const auto marks = datastore::receiptMarks(companyYear, request.date, request.shift);
    if (!marks)
        return marks.error();
    addMarks(&report.routes, *marks);
    auto cancelled = datastore::cancelledInShift(companyYear, request.date, request.shift);
    if (!cancelled)
        return cancelled.error();
    if (request.route != 0)
        cancelled->erase(std::remove_if(cancelled->begin(), cancelled->end(),
                                        [&request](const datastore::CancelledReceipt& c) {
                                            return c.rtRefNo != request.route;
                                        }),
                         cancelled->end());
    if (!cancelled->isEmpty()) {
        // Few receipts are cancelled: the names of every village and route are read only for them.
        const auto names = readMasterNames(companyYear);
        if (!names)
            return names.error();
        addCancelled(&report.routes, *cancelled, names->villages, names->routes);
    }
    const auto totals =
        datastore::shiftTotals(companyYear, request.date, request.shift, request.route);
    if (!totals)
        return totals.error();
    report.byMilkType = milkTypeLines(*totals);
    report.overall = overallOf(report.byMilkType);
    return report;
}

QString shiftName(int shift)
{
    if (shift == 2)
        return QStringLiteral("AM");
    if (shift == 3)
        return QStringLiteral("PM");
    return QString();
}

QString shownShiftName(int shift)
{
    if (shift == 2)
        //: The morning shift of milk collection (a shift's name on the reports)
        return Text::tr("AM");
    if (shift == 3)
        //: The evening shift of milk collection (a shift's name on the reports)
        return Text::tr("PM");
    return QString();
}

} // namespace report

#include "ShiftReport.h"

#include "datastore/NullFields.h"

#include <QSqlQuery>

namespace report {
namespace {

bool carriesTruckDetails(const datastore::StoredReceipt& r)
{
    return !r.truckNo.trimmed().isEmpty() || r.truckKm != 0 || r.recoveryAmount != 0 ||
           !r.truckRemarks.trimmed().isEmpty();
}

ReportLine lineOf(const datastore::StoredReceipt& r)
{
    return ReportLine{r.serial,       r.villageCode, r.villageName, r.animalName,
                      r.milkTypeName, r.cans,        r.weight};
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

} // namespace report

#include "ReportDocument.h"

#include "PageDrawer.h"
#include "formkit/TextRules.h"

namespace report {
namespace {

void drawTruck(PageDrawer& pages, const RouteSection& route)
{
    pages.beginTable({{QStringLiteral("Truck Number"), 2},
                      {QStringLiteral("Scheduled Time"), 2, Qt::AlignHCenter},
                      {QStringLiteral("Arrived Time"), 2, Qt::AlignHCenter},
                      {QStringLiteral("Trip KMs"), 1.3, Qt::AlignRight},
                      {QStringLiteral("Recovery Amount"), 2, Qt::AlignRight},
                      {QStringLiteral("Remarks"), 3}});
    pages.row({route.truckNo, route.scheduledTime, route.arrivalTime,
               formkit::plainNumber(route.tripKm), amountText(route.recoveryAmount),
               route.remarks});
    pages.endTable();
}

void drawReceipts(PageDrawer& pages, const RouteSection& route)
{
    pages.beginTable({{QStringLiteral("SNo."), 0.8, Qt::AlignHCenter},
                      {QStringLiteral("Village Code"), 1.5},
                      {QStringLiteral("Village Name"), 3.2},
                      {QStringLiteral("Animal Type"), 1.5, Qt::AlignHCenter},
                      {QStringLiteral("Milk Type"), 1.7, Qt::AlignHCenter},
                      {QStringLiteral("Cans Received"), 1.5, Qt::AlignHCenter},
                      {QStringLiteral("Weight"), 1.4, Qt::AlignRight}});
    for (const ReportLine& line : route.lines)
        pages.row({QString::number(line.serial), line.villageCode, line.villageName, line.animal,
                   line.milkType, cansText(line.cans),
                   line.weight.isNull() ? QString() : weightText(line.weight.toDouble())});
    pages.row({QStringLiteral("Route total: %1 receipts").arg(route.totals.receipts),
               formkit::plainNumber(route.totals.cans), weightText(route.totals.weight)},
              true, 5);
    pages.endTable();
}

void drawShiftTotals(PageDrawer& pages, const ShiftReport& report)
{
    pages.heading(QStringLiteral("Shift totals"));
    pages.beginTable({{QStringLiteral("Code"), 1, Qt::AlignHCenter},
                      {QStringLiteral("Milk Type"), 3},
                      {QStringLiteral("Receipts"), 1.5, Qt::AlignHCenter},
                      {QStringLiteral("Cans"), 1.5, Qt::AlignHCenter},
                      {QStringLiteral("Weight"), 1.5, Qt::AlignRight}});
    for (const MilkTypeLine& line : report.byMilkType)
        pages.row({QString::number(line.milkType), line.name, QString::number(line.totals.receipts),
                   formkit::plainNumber(line.totals.cans), weightText(line.totals.weight)});
    pages.row({QString(), QStringLiteral("All milk types"), QString::number(report.overall.receipts),
               formkit::plainNumber(report.overall.cans), weightText(report.overall.weight)},
              true);
    pages.endTable();
}

} // namespace

QString weightText(double weight)
{
    return formkit::shownWeight(weight);
}

QString cansText(const QVariant& cans)
{
    return formkit::plainNumber(cans.isNull() ? 0.0 : cans.toDouble());
}

QString amountText(double amount)
{
    return QString::number(amount, 'f', 2);
}

void drawShiftReport(PageDrawer& pages, const ShiftReport& report)
{
    pages.title(report.company);
    pages.centred(report.town);
    pages.centred(QStringLiteral("Shift Report"), true);
    pages.centred(QStringLiteral("Date: %1    Shift: %2")
                      .arg(formkit::dateText(report.date), shiftName(report.shift)));
    if (report.routes.isEmpty())
        pages.line(QStringLiteral("No receipts were stored for this shift."));
    for (const RouteSection& route : report.routes) {
        pages.heading(QStringLiteral("Route %1 %2").arg(route.route).arg(route.routeName));
        drawTruck(pages, route);
        drawReceipts(pages, route);
    }
    drawShiftTotals(pages, report);
}

bool writeShiftReportPdf(const ShiftReport& report, const QString& file, QString* error)
{
    return writePdf(
        file,
        QStringLiteral("Shift Report %1 %2")
            .arg(formkit::dateText(report.date), shiftName(report.shift)),
        [&report](PageDrawer& pages) { drawShiftReport(pages, report); }, error);
}

} // namespace report

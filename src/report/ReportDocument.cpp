#include "ReportDocument.h"

#include "PageDrawer.h"
#include "formkit/TextRules.h"

#include <QCoreApplication>

namespace report {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ReportDocument)
};

void drawTruck(PageDrawer& pages, const RouteSection& route)
{
    pages.beginTable({{Text::tr("Truck Number"), 2},
                      {Text::tr("Scheduled Time"), 2, Qt::AlignHCenter},
                      {Text::tr("Arrived Time"), 2, Qt::AlignHCenter},
                      //: Kilometres the truck ran on its trip
                      {Text::tr("Trip KMs"), 1.3, Qt::AlignRight},
                      {Text::tr("Recovery Amount"), 2, Qt::AlignRight},
                      {Text::tr("Remarks"), 3}});
    pages.row({route.truckNo, route.scheduledTime, route.arrivalTime,
               formkit::plainNumber(route.tripKm), amountText(route.recoveryAmount),
               route.remarks});
    pages.endTable();
}

void drawReceipts(PageDrawer& pages, const RouteSection& route)
{
    //: The receipt's serial number in the shift
    pages.beginTable({{Text::tr("SNo."), 0.8, Qt::AlignHCenter},
                      {Text::tr("Village Code"), 1.5},
                      {Text::tr("Village Name"), 3.2},
                      {Text::tr("Animal Type"), 1.5, Qt::AlignHCenter},
                      {Text::tr("Milk Type"), 1.7, Qt::AlignHCenter},
                      {Text::tr("Cans Received"), 1.5, Qt::AlignHCenter},
                      {Text::tr("Weight"), 1.4, Qt::AlignRight},
                      //: The column of the marks M and C, which stay as they are
                      {Text::tr("Mark"), 0.8, Qt::AlignHCenter}});
    for (const ReportLine& line : route.lines)
        pages.row({QString::number(line.serial), line.villageCode, line.villageName, line.animal,
                   line.milkType, cansText(line.cans),
                   line.weight.isNull() ? QString() : weightText(line.weight.toDouble()),
                   line.mark.isNull() ? QString() : QString(line.mark)});
    pages.row({Text::tr("Route total: %n receipts", nullptr, int(route.totals.receipts)),
               formkit::plainNumber(route.totals.cans), weightText(route.totals.weight)},
              true, 5);
    pages.endTable();
}

void drawCancelled(PageDrawer& pages, const RouteSection& route)
{
    if (route.cancelled.isEmpty())
        return;
    pages.line(Text::tr("Cancelled, not in the totals:"));
    pages.beginTable({{Text::tr("SNo."), 0.8, Qt::AlignHCenter},
                      {Text::tr("Village Code"), 1.5},
                      {Text::tr("Village Name"), 2.6},
                      //: Milk cans received
                      {Text::tr("Cans"), 1, Qt::AlignHCenter},
                      {Text::tr("Weight"), 1.2, Qt::AlignRight},
                      {Text::tr("Reason"), 3.2},
                      {Text::tr("Allowed by"), 1.6}});
    for (const CancelledLine& line : route.cancelled)
        pages.row({QString::number(line.serial), line.villageCode, line.villageName,
                   formkit::plainNumber(line.cans), weightText(line.weight), line.reason,
                   line.allowedBy});
    pages.endTable();
}

bool anyMark(const ShiftReport& report)
{
    for (const RouteSection& route : report.routes)
        for (const ReportLine& line : route.lines)
            if (!line.mark.isNull())
                return true;
    return false;
}

void drawShiftTotals(PageDrawer& pages, const ShiftReport& report)
{
    pages.heading(Text::tr("Shift totals"));
    //: The milk type's code
    pages.beginTable({{Text::tr("Code"), 1, Qt::AlignHCenter},
                      {Text::tr("Milk Type"), 3},
                      {Text::tr("Receipts"), 1.5, Qt::AlignHCenter},
                      {Text::tr("Cans"), 1.5, Qt::AlignHCenter},
                      {Text::tr("Weight"), 1.5, Qt::AlignRight}});
    for (const MilkTypeLine& line : report.byMilkType)
        pages.row({QString::number(line.milkType), line.name, QString::number(line.totals.receipts),
                   formkit::plainNumber(line.totals.cans), weightText(line.totals.weight)});
    pages.row({QString(), Text::tr("All milk types"), QString::number(report.overall.receipts),
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
    pages.centred(Text::tr("Shift Report"), true);
    pages.centred(Text::tr("Date: %1    Shift: %2")
                      .arg(formkit::dateText(report.date), shownShiftName(report.shift)));
    if (report.routes.isEmpty())
        pages.line(Text::tr("No receipts were stored for this shift."));
    for (const RouteSection& route : report.routes) {
        pages.heading(Text::tr("Route %1 %2").arg(route.route).arg(route.routeName));
        drawTruck(pages, route);
        drawReceipts(pages, route);
        drawCancelled(pages, route);
    }
    drawShiftTotals(pages, report);
    if (anyMark(report))
        //: M and C are the marks of the Mark column: they stay as they are
        pages.line(Text::tr("M: the weight was typed by hand.  C: corrected after it was stored."));
}

bool writeShiftReportPdf(const ShiftReport& report, const QString& file, QString* error)
{
    return writePdf(
        file,
        Text::tr("Shift Report %1 %2")
            .arg(formkit::dateText(report.date), shownShiftName(report.shift)),
        [&report](PageDrawer& pages) { drawShiftReport(pages, report); }, error);
}

} // namespace report

#include "UnionReport.h"

#include "ReceiptExport.h"
#include "PageDrawer.h"
#include "ReportDocument.h"
#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <algorithm>

namespace report {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(UnionReport)
};

void addTotals(Totals* sum, const Totals& more)
{
    sum->receipts += more.receipts;
    sum->cans += more.cans;
    sum->weight += more.weight;
}

UnionRouteLine* routeLine(UnionReport* report, const QString& centre, const QString& company,
                          qint64 route)
{
    for (UnionRouteLine& line : report->routes)
        if (line.centre == centre && line.company == company && line.route == route)
            return &line;
    report->routes.append({centre, company, route, QString(), {}});
    return &report->routes.last();
}

UnionMilkLine* milkLine(UnionReport* report, const QString& name)
{
    for (UnionMilkLine& line : report->byMilkType)
        if (line.name.compare(name, Qt::CaseInsensitive) == 0)
            return &line;
    report->byMilkType.append({name, {}});
    return &report->byMilkType.last();
}

QStringList figures(const Totals& totals)
{
    return {QString::number(totals.receipts), formkit::plainNumber(totals.cans),
            weightText(totals.weight)};
}

} // namespace

QString addCentreYear(UnionReport* report, datastore::Connection& year, const QString& centre,
                      const QString& company)
{
    const auto receipts =
        datastore::storedReceipts(year, {report->date, report->date, report->shift, 0});
    if (!receipts)
        return receipts.errorText();
    for (const RouteSection& section : routeSections(*receipts, {})) {
        UnionRouteLine* line = routeLine(report, centre, company, section.route);
        if (line->routeName.isEmpty())
            line->routeName = section.routeName;
        addTotals(&line->totals, section.totals);
    }
    std::sort(report->routes.begin(), report->routes.end(),
              [](const UnionRouteLine& a, const UnionRouteLine& b) {
                  return std::tie(a.centre, a.company, a.route) <
                         std::tie(b.centre, b.company, b.route);
              });
    const auto totals = datastore::shiftTotals(year, report->date, report->shift, 0);
    if (!totals)
        return totals.errorText();
    for (const datastore::MilkTypeTotal& t : *totals) {
        const QString name = t.milkTypeName.trimmed().isEmpty()
                                 //: A milk type by its code, when the centre has lost its name
                                 ? Text::tr("milk type %1").arg(t.milkType)
                                 : t.milkTypeName.trimmed();
        addTotals(&milkLine(report, name)->totals, Totals{t.receipts, t.cans, t.weight});
        addTotals(&report->overall, Totals{t.receipts, t.cans, t.weight});
    }
    return QString();
}

QString unionCsv(const UnionReport& report)
{
    QString csv =
        csvLine({QStringLiteral("centre"), QStringLiteral("company"), QStringLiteral("route"),
                 QStringLiteral("receipts"), QStringLiteral("cans"), QStringLiteral("weight")});
    for (const UnionRouteLine& line : report.routes)
        csv += csvLine({line.centre, line.company, QString::number(line.route),
                        QString::number(line.totals.receipts), storedNumber(line.totals.cans),
                        storedNumber(line.totals.weight)});
    return csv;
}

void drawUnionReport(PageDrawer& pages, const UnionReport& report)
{
    pages.centred(Text::tr("Union Shift Report"), true);
    pages.centred(Text::tr("Date: %1    Shift: %2")
                      .arg(formkit::dateText(report.date), shownShiftName(report.shift)));
    if (report.routes.isEmpty())
        pages.line(Text::tr("No centre has receipts for this shift."));
    const QVector<TableColumn> figureColumns{{Text::tr("Receipts"), 1, Qt::AlignRight},
                                             //: Milk cans received
                                             {Text::tr("Cans"), 1, Qt::AlignRight},
                                             {Text::tr("Weight"), 1.2, Qt::AlignRight}};
    //: A collection centre of the dairy union
    pages.beginTable(QVector<TableColumn>{{Text::tr("Centre"), 2},
                                          {Text::tr("Company"), 1.4},
                                          {Text::tr("Route"), 2.4}} +
                     figureColumns);
    for (const UnionRouteLine& line : report.routes)
        pages.row(QStringList{line.centre, line.company,
                              QStringLiteral("%1 %2").arg(line.route).arg(line.routeName)} +
                  figures(line.totals));
    pages.endTable();
    pages.heading(Text::tr("Union totals"));
    pages.beginTable(QVector<TableColumn>{{Text::tr("Milk Type"), 3}} + figureColumns);
    for (const UnionMilkLine& line : report.byMilkType)
        pages.row(QStringList{line.name} + figures(line.totals));
    pages.row(QStringList{Text::tr("All milk types")} + figures(report.overall), true);
    pages.endTable();
}

bool writeUnionReportPdf(const UnionReport& report, const QString& file, QString* error)
{
    return writePdf(
        file,
        Text::tr("Union Shift Report %1 %2")
            .arg(formkit::dateText(report.date), shownShiftName(report.shift)),
        [&report](PageDrawer& pages) { drawUnionReport(pages, report); }, error);
}

} // namespace report

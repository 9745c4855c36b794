#include "UnionReport.h"

#include "ReceiptExport.h"
#include "ReportDocument.h"
#include "formkit/TextRules.h"

#include <algorithm>

namespace report {
namespace {

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

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

QString row(const QStringList& cells, bool header = false)
{
    QString html = QStringLiteral("<tr>");
    for (int i = 0; i < cells.size(); ++i) {
        const bool figure = i >= cells.size() - 3;
        html += header ? QStringLiteral("<th bgcolor=\"#e0e0e0\">%1</th>").arg(esc(cells[i]))
                       : QStringLiteral("<td align=\"%1\">%2</td>")
                             .arg(figure ? QStringLiteral("right") : QStringLiteral("left"),
                                  esc(cells[i]));
    }
    return html + QStringLiteral("</tr>");
}

QStringList figures(const Totals& totals)
{
    return {QString::number(totals.receipts), formkit::plainNumber(totals.cans),
            weightText(totals.weight)};
}

const char* const kTable =
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";
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
                                 ? QStringLiteral("milk type %1").arg(t.milkType)
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

QString unionReportHtml(const UnionReport& report)
{
    QString html = QStringLiteral("<html><body><h3 align=\"center\">Union Shift Report</h3>"
                                  "<p align=\"center\">Date: %1 &nbsp;&nbsp; Shift: %2</p>")
                       .arg(esc(formkit::dateText(report.date)), esc(shiftName(report.shift)));
    if (report.routes.isEmpty())
        html += QStringLiteral("<p>No centre has receipts for this shift.</p>");
    html += QLatin1String(kTable) +
            row({"Centre", "Company", "Route", "Receipts", "Cans", "Weight"}, true);
    for (const UnionRouteLine& line : report.routes)
        html += row(QStringList{line.centre, line.company,
                                QStringLiteral("%1 %2").arg(line.route).arg(line.routeName)} +
                    figures(line.totals));
    html += QStringLiteral("</table><h3>Union totals</h3>") + QLatin1String(kTable) +
            row({"Milk Type", "Receipts", "Cans", "Weight"}, true);
    for (const UnionMilkLine& line : report.byMilkType)
        html += row(QStringList{line.name} + figures(line.totals));
    html += row(QStringList{QStringLiteral("All milk types")} + figures(report.overall));
    return html + QStringLiteral("</table></body></html>");
}

bool writeUnionReportPdf(const UnionReport& report, const QString& file, QString* error)
{
    return writePdf(unionReportHtml(report),
                    QStringLiteral("Union Shift Report %1 %2")
                        .arg(formkit::dateText(report.date), shiftName(report.shift)),
                    file, error);
}

} // namespace report

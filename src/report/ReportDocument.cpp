#include "ReportDocument.h"

#include "formkit/TextRules.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace report {
namespace {

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

QString cell(const QString& text, const char* align = "left")
{
    return QStringLiteral("<td align=\"%1\">%2</td>").arg(QLatin1String(align), esc(text));
}

QString headerRow(const QStringList& headers)
{
    QString row = QStringLiteral("<tr>");
    for (const QString& h : headers)
        row += QStringLiteral("<th bgcolor=\"#e0e0e0\" nowrap>") + esc(h) + QStringLiteral("</th>");
    return row + QStringLiteral("</tr>");
}

const char* const kTable =
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";

QString truckTable(const RouteSection& route)
{
    return QLatin1String(kTable) +
           headerRow({"Truck Number", "Scheduled Time", "Arrived Time", "Trip KMs",
                      "Recovery Amount", "Remarks"}) +
           QStringLiteral("<tr>") + cell(route.truckNo) + cell(route.scheduledTime, "center") +
           cell(route.arrivalTime, "center") + cell(formkit::plainNumber(route.tripKm), "right") +
           cell(amountText(route.recoveryAmount), "right") + cell(route.remarks) +
           QStringLiteral("</tr></table>");
}

QString receiptsTable(const RouteSection& route)
{
    QString html =
        QLatin1String(kTable) + headerRow({"SNo.", "Village Code", "Village Name", "Animal Type",
                                           "Milk Type", "Cans Received", "Weight"});
    for (const ReportLine& line : route.lines) {
        html +=
            QStringLiteral("<tr>") + cell(QString::number(line.serial), "center") +
            cell(line.villageCode) + cell(line.villageName) + cell(line.animal, "center") +
            cell(line.milkType, "center") + cell(cansText(line.cans), "center") +
            cell(line.weight.isNull() ? QString() : weightText(line.weight.toDouble()), "right") +
            QStringLiteral("</tr>");
    }
    html += QStringLiteral("<tr><td colspan=\"5\"><b>Route total: %1 receipts</b></td>"
                           "<td align=\"center\"><b>%2</b></td><td align=\"right\"><b>%3</b>"
                           "</td></tr></table>")
                .arg(route.totals.receipts)
                .arg(esc(formkit::plainNumber(route.totals.cans)),
                     esc(weightText(route.totals.weight)));
    return html;
}

QString routeHtml(const RouteSection& route)
{
    return QStringLiteral("<h3>Route %1 %2</h3>").arg(route.route).arg(esc(route.routeName)) +
           truckTable(route) + QStringLiteral("<p></p>") + receiptsTable(route);
}

QString totalsRow(const QString& code, const QString& name, const Totals& t, bool bold)
{
    const QString open = bold ? QStringLiteral("<b>") : QString();
    const QString close = bold ? QStringLiteral("</b>") : QString();
    return QStringLiteral("<tr><td align=\"center\">%1</td><td>%2%3%4</td>"
                          "<td align=\"center\">%2%5%4</td><td align=\"center\">%2%6%4</td>"
                          "<td align=\"right\">%2%7%4</td></tr>")
        .arg(esc(code), open, esc(name), close, QString::number(t.receipts),
             esc(formkit::plainNumber(t.cans)), esc(weightText(t.weight)));
}

QString shiftTotalsHtml(const ShiftReport& report)
{
    QString html = QStringLiteral("<h3>Shift totals</h3>") + QLatin1String(kTable) +
                   headerRow({"Code", "Milk Type", "Receipts", "Cans", "Weight"});
    for (const MilkTypeLine& line : report.byMilkType)
        html += totalsRow(QString::number(line.milkType), line.name, line.totals, false);
    html += totalsRow(QString(), QStringLiteral("All milk types"), report.overall, true);
    return html + QStringLiteral("</table>");
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

QString shiftReportHtml(const ShiftReport& report)
{
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2 align=\"center\">%1</h2><p align=\"center\">%2</p>")
                .arg(esc(report.company), esc(report.town));
    html += QStringLiteral("<h3 align=\"center\">Shift Report</h3>"
                           "<p align=\"center\">Date: %1 &nbsp;&nbsp; Shift: %2</p>")
                .arg(esc(formkit::dateText(report.date)), esc(shiftName(report.shift)));
    if (report.routes.isEmpty())
        html += QStringLiteral("<p>No receipts were stored for this shift.</p>");
    for (const RouteSection& route : report.routes)
        html += routeHtml(route);
    html += shiftTotalsHtml(report);
    return html + QStringLiteral("</body></html>");
}

void fillDocument(QTextDocument* document, const ShiftReport& report)
{
    fillDocument(document, shiftReportHtml(report));
}

void fillDocument(QTextDocument* document, const QString& html)
{
    QFont font = document->defaultFont();
    font.setPointSizeF(8.5);
    // Letter spacing keeps the shaper from joining letters into ligatures ("ff" as one glyph),
    // so that text copied or extracted from the PDF reads as the names were stored.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    document->setDefaultFont(font);
    document->setHtml(html);
}

bool writeShiftReportPdf(const ShiftReport& report, const QString& file, QString* error)
{
    return writePdf(shiftReportHtml(report),
                    QStringLiteral("Shift Report %1 %2")
                        .arg(formkit::dateText(report.date), shiftName(report.shift)),
                    file, error);
}

bool writePdf(const QString& html, const QString& title, const QString& file, QString* error)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(title);
        QTextDocument document;
        fillDocument(&document, html);
        document.print(&writer);
    }
    out.close();
    if (out.error() != QFileDevice::NoError || QFile(file).size() == 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

} // namespace report

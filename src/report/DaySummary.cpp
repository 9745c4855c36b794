#include "DaySummary.h"

#include "PageDrawer.h"
#include "ReceiptExport.h"
#include "ReportDocument.h"
#include "datastore/NullFields.h"
#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <QMap>
#include <iterator>

namespace report {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(DaySummary)
};

void add(Totals* totals, qint64 receipts, double cans, double weight)
{
    totals->receipts += receipts;
    totals->cans += cans;
    totals->weight += weight;
}

void add(DayFigures* figures, int shift, qint64 receipts, double cans, double weight)
{
    if (shift == 2)
        add(&figures->am, receipts, cans, weight);
    else if (shift == 3)
        add(&figures->pm, receipts, cans, weight);
    add(&figures->day, receipts, cans, weight);
}

const QString kDelivered = QStringLiteral(
    "SELECT d.RtRefNo, MAX(r.RTType), d.AmPm, d.MCode, MAX(m.MType), COUNT(*), "
    "SUM(d.CansRecd), SUM(d.MWeight) FROM Data_Wght d "
    "LEFT JOIN Mast_Routes r ON r.RTRefNo = d.RtRefNo "
    "LEFT JOIN Mast_Milk m ON m.MCode = d.MCode WHERE d.RefDate = ? "
    "GROUP BY d.RtRefNo, d.AmPm, d.MCode ORDER BY d.RtRefNo, d.AmPm, d.MCode");

// Routes with a vehicle that day; a route set inactive does not run.
const QString kVehicles = QStringLiteral(
    "SELECT s.RTRefNo, s.RTVehNo, r.RTType FROM Mast_RoutesSub s "
    "JOIN Mast_Routes r ON r.RTRefNo = s.RTRefNo "
    "WHERE s.SDate <= ? AND s.EDate >= ? AND (r.RTInAct IS NULL OR r.RTInAct <> 1) "
    "ORDER BY s.RTRefNo, s.SDate");

QStringList figureCells(const Totals& t)
{
    return {QString::number(t.receipts), formkit::plainNumber(t.cans), weightText(t.weight)};
}

QStringList figureCells(const DayFigures& f)
{
    return figureCells(f.am) + figureCells(f.pm) + figureCells(f.day);
}

// As stored, for a spreadsheet to sum again.
QStringList csvCells(const DayFigures& f)
{
    QStringList cells;
    for (const Totals* t : {&f.am, &f.pm, &f.day})
        cells << QString::number(t->receipts) << QString::number(t->cans, 'g', 15)
              << QString::number(t->weight, 'g', 15);
    return cells;
}

// The figures' headings on paper: receipts, cans and weight of the morning, the evening and
// the whole day.
const char* const kFigureHeadings[] = {
    //: AM and PM: the morning and the evening shift
    QT_TRANSLATE_NOOP("DaySummary", "AM Receipts"),
    //: Milk cans received in the morning shift
    QT_TRANSLATE_NOOP("DaySummary", "AM Cans"), QT_TRANSLATE_NOOP("DaySummary", "AM Weight"),
    QT_TRANSLATE_NOOP("DaySummary", "PM Receipts"), QT_TRANSLATE_NOOP("DaySummary", "PM Cans"),
    QT_TRANSLATE_NOOP("DaySummary", "PM Weight"), QT_TRANSLATE_NOOP("DaySummary", "Receipts"),
    QT_TRANSLATE_NOOP("DaySummary", "Cans"), QT_TRANSLATE_NOOP("DaySummary", "Weight")};

QVector<TableColumn> figureColumns(const QVector<TableColumn>& first)
{
    constexpr double kWidths[] = {1.5, 1.1, 1.4}; // receipts, cans, weight
    QVector<TableColumn> columns = first;
    for (int i = 0; i < int(std::size(kFigureHeadings)); ++i)
        columns << TableColumn{Text::tr(kFigureHeadings[i]), kWidths[i % 3], Qt::AlignRight};
    return columns;
}

// Rows of text in columns as wide as their widest cell; numbers to the right.
QString textTable(const QVector<QStringList>& rows, int leftColumns)
{
    QVector<int> widths;
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c) {
            if (c >= widths.size())
                widths << 0;
            widths[c] = std::max(widths[c], int(row[c].size()));
        }
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells << (c < leftColumns ? row[c].leftJustified(widths[c])
                                      : row[c].rightJustified(widths[c]));
        text += cells.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    }
    return text;
}

} // namespace

datastore::Result<DaySummary> daySummary(datastore::Connection& companyYear, const QDate& date)
{
    DaySummary summary;
    summary.date = date;
    auto rs = companyYear.exec(kDelivered, {date});
    if (!rs)
        return rs.error();
    QMap<qint64, DayMilkType> milkTypes;
    while (rs->next()) {
        const qint64 route = rs->value(0).toLongLong();
        const int shift = rs->value(2).toInt();
        const qint64 receipts = rs->value(5).toLongLong();
        const double cans = rs->value(6).toDouble();
        const double weight = rs->value(7).toDouble();
        if (summary.routes.isEmpty() || summary.routes.last().route != route)
            summary.routes.append({route, datastore::Null_Str(rs->value(1)), QString(), {}});
        add(&summary.routes.last().figures, shift, receipts, cans, weight);
        DayMilkType& milkType = milkTypes[rs->value(3).toLongLong()];
        milkType.milkType = rs->value(3).toLongLong();
        milkType.name = datastore::Null_Str(rs->value(4));
        add(&milkType.figures, shift, receipts, cans, weight);
        add(&summary.overall, shift, receipts, cans, weight);
    }
    summary.byMilkType = milkTypes.values().toVector();
    auto vehicles = companyYear.exec(kVehicles, {date, date});
    if (!vehicles)
        return vehicles.error();
    while (vehicles->next()) {
        const qint64 route = vehicles->value(0).toLongLong();
        const QString vehicle = datastore::Null_Str(vehicles->value(1)).trimmed();
        if (vehicle.isEmpty() ||
            (!summary.notDelivered.isEmpty() && summary.notDelivered.last().route == route))
            continue;
        const auto delivered =
            std::find_if(summary.routes.begin(), summary.routes.end(),
                         [route](const DayRoute& r) { return r.route == route; });
        const DayFigures figures = delivered == summary.routes.end() ? DayFigures() : delivered->figures;
        if (delivered != summary.routes.end())
            delivered->vehicle = vehicle;
        if (figures.am.receipts == 0 || figures.pm.receipts == 0)
            summary.notDelivered.append({route, datastore::Null_Str(vehicles->value(2)), vehicle,
                                         figures.am.receipts == 0, figures.pm.receipts == 0});
    }
    return summary;
}

namespace {
QString missingShiftNames(const NotDelivered& route, QString (*nameOf)(int))
{
    QStringList shifts;
    if (route.am)
        shifts << nameOf(2);
    if (route.pm)
        shifts << nameOf(3);
    return shifts.join(QLatin1Char(' '));
}
} // namespace

QString missingShifts(const NotDelivered& route)
{
    return missingShiftNames(route, shownShiftName);
}

QString daySummaryText(const DaySummary& s)
{
    const QStringList figureHeadings{
        //: AM and PM: the morning and the evening shift
        Text::tr("AM receipts"),
        //: Milk cans received in the morning shift
        Text::tr("AM cans"), Text::tr("AM weight"), Text::tr("PM receipts"), Text::tr("PM cans"),
        Text::tr("PM weight"), Text::tr("Receipts"), Text::tr("Cans"), Text::tr("Weight")};
    QString text = s.company + QStringLiteral(", ") + s.town + QLatin1Char('\n') +
                   Text::tr("Day summary %1").arg(formkit::dateText(s.date)) +
                   QStringLiteral("\n\n");
    QVector<QStringList> routes{
        QStringList{Text::tr("Route"), Text::tr("Name"), Text::tr("Vehicle")} + figureHeadings};
    for (const DayRoute& r : s.routes)
        routes << QStringList{QString::number(r.route), r.name, r.vehicle} + figureCells(r.figures);
    routes << QStringList{QString(), Text::tr("All routes"), QString()} + figureCells(s.overall);
    text += textTable(routes, 3) + QLatin1Char('\n');
    //: The milk type's code
    QVector<QStringList> milk{QStringList{Text::tr("Code"), Text::tr("Milk type")} +
                              figureHeadings};
    for (const DayMilkType& m : s.byMilkType)
        milk << QStringList{QString::number(m.milkType), m.name} + figureCells(m.figures);
    text += textTable(milk, 2) + QLatin1Char('\n');
    if (s.notDelivered.isEmpty())
        return text + Text::tr("Every route with a vehicle on this day has delivered.") +
               QLatin1Char('\n');
    QVector<QStringList> pending{
        {Text::tr("Not yet delivered"), Text::tr("Name"), Text::tr("Vehicle"), Text::tr("Shifts")}};
    for (const NotDelivered& n : s.notDelivered)
        pending << QStringList{QString::number(n.route), n.name, n.vehicle, missingShifts(n)};
    return text + textTable(pending, 4);
}

QString daySummaryCsv(const DaySummary& s)
{
    QMap<qint64, QStringList> lines;
    for (const DayRoute& r : s.routes)
        lines[r.route] = QStringList{QString::number(r.route), r.name, r.vehicle} +
                         csvCells(r.figures) +
                         QStringList{QString()};
    for (const NotDelivered& n : s.notDelivered) {
        QStringList& line = lines[n.route];
        if (line.isEmpty())
            line = QStringList{QString::number(n.route), n.name, n.vehicle} +
                   csvCells(DayFigures()) + QStringList{QString()};
        line.last() = missingShiftNames(n, shiftName);
    }
    QString csv = csvLine({QStringLiteral("route"), QStringLiteral("name"),
                           QStringLiteral("vehicle"), QStringLiteral("am receipts"),
                           QStringLiteral("am cans"), QStringLiteral("am weight"),
                           QStringLiteral("pm receipts"), QStringLiteral("pm cans"),
                           QStringLiteral("pm weight"), QStringLiteral("receipts"),
                           QStringLiteral("cans"), QStringLiteral("weight"),
                           QStringLiteral("not yet delivered")});
    for (const QStringList& line : lines)
        csv += csvLine(line);
    return csv;
}

void drawDaySummary(PageDrawer& pages, const DaySummary& s)
{
    pages.title(s.company);
    pages.centred(s.town);
    pages.centred(Text::tr("Day Summary"), true);
    pages.centred(Text::tr("Date: %1").arg(formkit::dateText(s.date)));
    pages.heading(Text::tr("Routes"));
    pages.beginTable(figureColumns({{Text::tr("Route"), 1, Qt::AlignHCenter},
                                    {Text::tr("Name"), 2},
                                    {Text::tr("Vehicle"), 1.6}}));
    for (const DayRoute& r : s.routes)
        pages.row(QStringList{QString::number(r.route), r.name, r.vehicle} +
                  figureCells(r.figures));
    pages.row(QStringList{Text::tr("All routes")} + figureCells(s.overall), true, 3);
    pages.endTable();
    pages.heading(Text::tr("Milk types"));
    pages.beginTable(
        figureColumns({{Text::tr("Code"), 1, Qt::AlignHCenter}, {Text::tr("Milk Type"), 3.6}}));
    for (const DayMilkType& m : s.byMilkType)
        pages.row(QStringList{QString::number(m.milkType), m.name} + figureCells(m.figures));
    pages.endTable();
    pages.heading(Text::tr("Not yet delivered"));
    if (s.notDelivered.isEmpty()) {
        pages.line(Text::tr("Every route with a vehicle on this day has delivered."));
        return;
    }
    pages.beginTable({{Text::tr("Route"), 1, Qt::AlignHCenter},
                      {Text::tr("Name"), 3},
                      {Text::tr("Vehicle"), 3},
                      {Text::tr("Shifts"), 2, Qt::AlignHCenter}});
    for (const NotDelivered& n : s.notDelivered)
        pages.row({QString::number(n.route), n.name, n.vehicle, missingShifts(n)});
    pages.endTable();
}

bool writeDaySummaryPdf(const DaySummary& summary, const QString& file, QString* error)
{
    return writePdf(
        file, Text::tr("Day Summary %1").arg(formkit::dateText(summary.date)),
        [&summary](PageDrawer& pages) { drawDaySummary(pages, summary); }, error);
}

} // namespace report

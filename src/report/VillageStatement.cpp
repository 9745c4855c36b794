#include "VillageStatement.h"

#include "MasterNames.h"

#include "PageDrawer.h"
#include "ReceiptExport.h"
#include "ReportDocument.h"
#include "datastore/Audit.h"
#include "datastore/NullFields.h"
#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>

namespace report {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(VillageStatement)
};

// Every receipt of the period, one row each: the statement groups them itself, so that each
// line can say which of its receipts were typed or corrected.
QString receiptsStatement(const StatementRequest& request, QVariantList* values)
{
    QString statement = QStringLiteral(
        "SELECT d.RtRefNo, d.VRefNo, d.RefDate, d.AmPm, d.RefNo, d.CansRecd, d.MWeight "
        "FROM Data_Wght d WHERE d.RefDate >= ? AND d.RefDate <= ?");
    *values = {request.from, request.to};
    if (request.route != 0) {
        statement += QStringLiteral(" AND d.RtRefNo = ?");
        *values << request.route;
    }
    if (!request.villageCode.isEmpty()) {
        statement += QStringLiteral(" AND d.VRefNo IN (SELECT VRefNo FROM Mast_Villages WHERE "
                                    "lower(VCode) = lower(?))");
        *values << request.villageCode;
    }
    return statement + QStringLiteral(" ORDER BY d.RtRefNo, d.VRefNo, d.RefDate, d.AmPm");
}

void add(Totals* totals, const Totals& more)
{
    totals->receipts += more.receipts;
    totals->cans += more.cans;
    totals->weight += more.weight;
}

void sortVillages(QVector<VillageStatement>* villages)
{
    std::sort(villages->begin(), villages->end(),
              [](const VillageStatement& a, const VillageStatement& b) {
                  const int byCode = a.code.compare(b.code, Qt::CaseInsensitive);
                  return byCode != 0 ? byCode < 0 : a.village < b.village;
              });
}

QStringList figureCells(const Totals& t)
{
    return {QString::number(t.receipts), formkit::plainNumber(t.cans), weightText(t.weight)};
}

QStringList csvFigures(const Totals& t)
{
    return {QString::number(t.receipts), QString::number(t.cans, 'g', 15),
            QString::number(t.weight, 'g', 15)};
}

} // namespace

datastore::Result<Statements> villageStatements(datastore::Connection& con,
                                                const StatementRequest& request)
{
    Statements out;
    out.from = request.from;
    out.to = request.to;
    const auto marks = datastore::receiptMarksBetween(con, request.from, request.to);
    if (!marks)
        return marks.error();
    QVariantList values;
    auto rs = con.exec(receiptsStatement(request, &values), values);
    if (!rs)
        return rs.error();
    while (rs->next()) {
        const qint64 route = rs->value(0).toLongLong();
        const qint64 village = rs->value(1).toLongLong();
        const QDate date = rs->value(2).toDate();
        const int shift = rs->value(3).toInt();
        const Totals one{1, rs->value(5).toDouble(), rs->value(6).toDouble()};
        if (out.routes.isEmpty() || out.routes.last().route != route)
            out.routes.append(StatementRoute{route, QString(), {}, {}});
        StatementRoute& r = out.routes.last();
        if (r.villages.isEmpty() || r.villages.last().village != village)
            r.villages.append(VillageStatement{village, QString(), QString(), {}, {}});
        VillageStatement& v = r.villages.last();
        if (v.lines.isEmpty() || v.lines.last().date != date || v.lines.last().shift != shift)
            v.lines.append(StatementLine{date, shift, {}, 0, 0});
        StatementLine& line = v.lines.last();
        add(&line.totals, one);
        const QChar mark = marks->value(qint32(rs->value(4).toLongLong()));
        line.manual += mark == QLatin1Char('M');
        line.corrected += mark == QLatin1Char('C');
        add(&v.totals, one);
        add(&r.totals, one);
        add(&out.totals, one);
    }
    rs->finish();
    const auto names = readMasterNames(
        con,
        QStringLiteral("VRefNo IN (SELECT DISTINCT VRefNo FROM Data_Wght WHERE RefDate >= ? AND "
                       "RefDate <= ?)"),
        {request.from, request.to});
    if (!names)
        return names.error();
    for (StatementRoute& r : out.routes) {
        r.name = names->routes.value(r.route);
        for (VillageStatement& v : r.villages)
            std::tie(v.code, v.name) = names->villages.value(v.village);
        sortVillages(&r.villages);
    }
    return out;
}

QString marksOf(const StatementLine& line)
{
    QStringList marks;
    if (line.manual > 0)
        marks << QStringLiteral("M");
    if (line.corrected > 0)
        marks << QStringLiteral("C");
    return marks.join(QLatin1Char(' '));
}

QString statementsCsv(const Statements& statements, bool byDay)
{
    QStringList headings{QStringLiteral("code"), QStringLiteral("name"), QStringLiteral("route")};
    if (byDay)
        headings << QStringLiteral("date") << QStringLiteral("shift");
    headings << QStringLiteral("receipts") << QStringLiteral("cans") << QStringLiteral("weight");
    if (byDay)
        headings << QStringLiteral("marks");
    QString csv = csvLine(headings);
    for (const StatementRoute& r : statements.routes) {
        for (const VillageStatement& v : r.villages) {
            const QStringList village{v.code, v.name, QString::number(r.route)};
            if (!byDay) {
                csv += csvLine(village + csvFigures(v.totals));
                continue;
            }
            for (const StatementLine& line : v.lines)
                csv += csvLine(village +
                               QStringList{line.date.toString(Qt::ISODate), shiftName(line.shift)} +
                               csvFigures(line.totals) + QStringList{marksOf(line)});
        }
    }
    return csv;
}

void drawStatements(PageDrawer& pages, const Statements& s)
{
    pages.title(s.company);
    pages.centred(s.town);
    pages.centred(Text::tr("Village Statements"), true);
    pages.centred(
        Text::tr("From %1 to %2").arg(formkit::dateText(s.from), formkit::dateText(s.to)));
    //: M and C are the marks of the Marks column: they stay as they are
    pages.line(Text::tr("M: the weight was typed by hand.  C: corrected after it was stored.  "
                        "Cancelled receipts are left out."));
    if (s.routes.isEmpty())
        pages.line(Text::tr("No receipts were stored in this period."));
    const QVector<TableColumn> columns{{Text::tr("Date"), 2, Qt::AlignHCenter},
                                       //: The shift of the day, AM or PM
                                       {Text::tr("Shift"), 1, Qt::AlignHCenter},
                                       {Text::tr("Receipts"), 1.3, Qt::AlignRight},
                                       //: Milk cans received
                                       {Text::tr("Cans"), 1.3, Qt::AlignRight},
                                       {Text::tr("Weight"), 1.6, Qt::AlignRight},
                                       //: The column of the marks M and C
                                       {Text::tr("Marks"), 1, Qt::AlignHCenter}};
    for (const StatementRoute& r : s.routes) {
        pages.heading(Text::tr("Route %1 %2").arg(r.route).arg(r.name));
        for (const VillageStatement& v : r.villages) {
            pages.line(Text::tr("Village %1 %2").arg(v.code, v.name));
            pages.beginTable(columns);
            for (const StatementLine& line : v.lines)
                pages.row(QStringList{formkit::dateText(line.date), shownShiftName(line.shift)} +
                          figureCells(line.totals) + QStringList{marksOf(line)});
            pages.row(QStringList{Text::tr("Village total")} + figureCells(v.totals), true, 2);
            pages.endTable();
        }
        pages.beginTable(columns, false);
        pages.row(QStringList{Text::tr("Route %1 total").arg(r.route)} + figureCells(r.totals),
                  true, 2);
        pages.endTable();
    }
    pages.beginTable(columns, false);
    pages.row(QStringList{Text::tr("Period total")} + figureCells(s.totals), true, 2);
    pages.endTable();
}

bool writeStatementsPdf(const Statements& statements, const QString& file, QString* error)
{
    return writePdf(
        file,
        Text::tr("Village Statements %1 to %2")
            .arg(formkit::dateText(statements.from), formkit::dateText(statements.to)),
        [&statements](PageDrawer& pages) { drawStatements(pages, statements); }, error);
}

} // namespace report

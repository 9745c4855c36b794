// tarvolen-admin report: the shift report, the day summary and the village statements, of any
// year of a company, on a file or a server installation.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "ReportYear.h"

#include "report/DaySummary.h"
#include "report/ReceiptExport.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"
#include "report/VillageStatement.h"

#include <QCommandLineParser>

using namespace admincli;
using admin::reports::dateOption;

namespace {

const QCommandLineOption kPdf(QStringLiteral("pdf"), QStringLiteral("The PDF file to write."),
                              QStringLiteral("FILE"));
const QCommandLineOption kCsv(QStringLiteral("csv"),
                              QStringLiteral("The CSV file to write (\"-\": standard output)."),
                              QStringLiteral("FILE"));

int runReportShift(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the shift report (routes, trucks, receipts, totals) of one date and "
                       "shift as PDF."));
    admin::reports::addYearOptions(parser);
    parser.addOptions({{QStringLiteral("date"), QStringLiteral("Collection date (yyyy-MM-dd)."),
                        QStringLiteral("YYYY-MM-DD")},
                       admin::reports::shiftOptionSpec(),
                       admin::reports::routeOptionSpec(),
                       kPdf});
    int code = Done;
    if (!parse(parser, QStringLiteral("report shift"), arguments, &code))
        return code;
    report::ReportRequest request;
    QString pdf, shiftText;
    if (!dateOption(parser, QStringLiteral("date"), &request.date, &code) ||
        !requireValue(parser, QStringLiteral("shift"), &shiftText, &code) ||
        !admin::reports::shiftOption(parser, &request.shift, &code) ||
        !admin::reports::routeOption(parser, &request.route, &code) ||
        !requireValue(parser, QStringLiteral("pdf"), &pdf, &code))
        return code;
    datastore::Connection companyYear;
    admin::centre::CompanyYear year;
    if (!admin::reports::openYear(parser, request.date, request.date, &companyYear, &year, &code))
        return code;
    auto loaded = report::loadShiftReport(companyYear, request);
    if (!loaded)
        return failed(loaded.errorText());
    report::ShiftReport& shiftReport = *loaded;
    shiftReport.company = year.comName;
    shiftReport.town = year.town;
    QString error;
    if (!report::writeShiftReportPdf(shiftReport, pdf, &error))
        return failed(error);
    out() << QStringLiteral("%1: %2 receipts on %3 routes, %4 kg\n")
                 .arg(pdf)
                 .arg(shiftReport.overall.receipts)
                 .arg(shiftReport.routes.size())
                 .arg(report::weightText(shiftReport.overall.weight));
    return Done;
}

// --pdf FILE or --csv FILE, one of them; with neither, text when text is allowed.
bool outputOption(const QCommandLineParser& parser, bool textAllowed, QString* pdf, QString* csv,
                  int* code)
{
    *pdf = parser.value(kPdf);
    *csv = parser.value(kCsv);
    if (parser.isSet(kPdf) && parser.isSet(kCsv))
        *code = wrongUsage(QStringLiteral("name either --pdf or --csv, not both"));
    else if ((parser.isSet(kPdf) && pdf->isEmpty()) || (parser.isSet(kCsv) && csv->isEmpty()))
        *code = wrongUsage(QStringLiteral("--pdf and --csv name the file to write"));
    else if (!textAllowed && pdf->isEmpty() && csv->isEmpty())
        *code = wrongUsage(QStringLiteral("name the file to write with --pdf or --csv"));
    else
        return true;
    return false;
}

int runReportDay(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The day at a glance: each route's morning and evening receipts, cans and weight so "
        "far, the day's totals per milk type, and the routes with a vehicle that day that have "
        "not yet delivered. Text on standard output unless --pdf or --csv names a file."));
    admin::reports::addYearOptions(parser);
    parser.addOptions({{QStringLiteral("date"), QStringLiteral("Collection date (yyyy-MM-dd)."),
                        QStringLiteral("YYYY-MM-DD")},
                       kPdf,
                       kCsv});
    int code = Done;
    if (!parse(parser, QStringLiteral("report day"), arguments, &code))
        return code;
    QDate date;
    QString pdf, csv;
    if (!dateOption(parser, QStringLiteral("date"), &date, &code) ||
        !outputOption(parser, true, &pdf, &csv, &code))
        return code;
    datastore::Connection companyYear;
    admin::centre::CompanyYear year;
    if (!admin::reports::openYear(parser, date, date, &companyYear, &year, &code))
        return code;
    auto loaded = report::daySummary(companyYear, date);
    if (!loaded)
        return failed(loaded.errorText());
    report::DaySummary& summary = *loaded;
    summary.company = year.comName;
    summary.town = year.town;
    const QString told = QStringLiteral("%1 receipts on %2 routes, %3 kg; %4 routes not yet "
                                        "delivered")
                             .arg(summary.overall.day.receipts)
                             .arg(summary.routes.size())
                             .arg(report::weightText(summary.overall.day.weight))
                             .arg(summary.notDelivered.size());
    if (!csv.isEmpty())
        return admin::reports::writeAndTell(
            csv, report::spreadsheetBytes(report::daySummaryCsv(summary)), told);
    if (pdf.isEmpty()) {
        out() << report::daySummaryText(summary);
        return Done;
    }
    QString error;
    if (!report::writeDaySummaryPdf(summary, pdf, &error))
        return failed(error);
    out() << pdf << ": " << told << "\n";
    return Done;
}

int runReportVillages(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Village statements of a period: per village its receipts day by day and shift by "
        "shift (cans, weight) and its totals, with the route's and the period's totals. "
        "Cancelled receipts are left out; typed (M) and corrected (C) ones are marked."));
    admin::reports::addYearOptions(parser);
    parser.addOptions(
        {{QStringLiteral("from"), QStringLiteral("First collection date."), QStringLiteral("DATE")},
         {QStringLiteral("to"), QStringLiteral("Last collection date."), QStringLiteral("DATE")},
         admin::reports::routeOptionSpec(),
         {QStringLiteral("village"), QStringLiteral("Only the village of this code (VCode)."),
          QStringLiteral("CODE")},
         {QStringLiteral("by-day"),
          QStringLiteral("CSV: one line per village, date and shift.")},
         kPdf,
         kCsv});
    int code = Done;
    if (!parse(parser, QStringLiteral("report villages"), arguments, &code))
        return code;
    report::StatementRequest request;
    QString pdf, csv;
    if (!dateOption(parser, QStringLiteral("from"), &request.from, &code) ||
        !dateOption(parser, QStringLiteral("to"), &request.to, &code) ||
        !admin::reports::routeOption(parser, &request.route, &code) ||
        !outputOption(parser, false, &pdf, &csv, &code))
        return code;
    if (request.to < request.from)
        return wrongUsage(QStringLiteral("--to lies before --from"));
    request.villageCode = parser.value(QStringLiteral("village")).trimmed();
    datastore::Connection companyYear;
    admin::centre::CompanyYear year;
    if (!admin::reports::openYear(parser, request.from, request.to, &companyYear, &year, &code))
        return code;
    auto loaded = report::villageStatements(companyYear, request);
    if (!loaded)
        return failed(loaded.errorText());
    report::Statements& statements = *loaded;
    statements.company = year.comName;
    statements.town = year.town;
    int villages = 0;
    for (const report::StatementRoute& route : statements.routes)
        villages += route.villages.size();
    const QString told = QStringLiteral("%1 villages on %2 routes, %3 receipts, %4 kg")
                             .arg(villages)
                             .arg(statements.routes.size())
                             .arg(statements.totals.receipts)
                             .arg(report::weightText(statements.totals.weight));
    if (!csv.isEmpty())
        return admin::reports::writeAndTell(
            csv,
            report::spreadsheetBytes(
                report::statementsCsv(statements, parser.isSet(QStringLiteral("by-day")))),
            told);
    QString error;
    if (!report::writeStatementsPdf(statements, pdf, &error))
        return failed(error);
    out() << pdf << ": " << told << "\n";
    return Done;
}

} // namespace

int admin::runReport(const QStringList& arguments)
{
    const QString which = arguments.value(0);
    if (which == QLatin1String("shift"))
        return runReportShift(arguments.mid(1));
    if (which == QLatin1String("day"))
        return runReportDay(arguments.mid(1));
    if (which == QLatin1String("villages"))
        return runReportVillages(arguments.mid(1));
    return wrongUsage(QStringLiteral("report: which report? \"shift\", \"day\" or \"villages\""));
}

// tarvolen-admin export receipts and export summary: the receipts of a period as CSV for a
// spreadsheet, one row a receipt or summed per village or route and day.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "ReportYear.h"

#include "datastore/ShiftQueries.h"
#include "report/ReceiptExport.h"

#include <QCommandLineParser>

using namespace admincli;
using admin::reports::dateOption;

namespace {

// Takes the file named after the options out of the arguments (the shared option parser takes
// options only); "-" is a file (standard output). Every option of the commands but the flags
// takes a value.
QStringList withoutFiles(const QStringList& arguments, QStringList* files)
{
    const QStringList flags{QStringLiteral("--summary"), QStringLiteral("-h"),
                            QStringLiteral("--help"), QStringLiteral("--allow-world-readable")};
    QStringList options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            files->append(argument);
            continue;
        }
        options << argument;
        if (!flags.contains(argument) && !argument.contains(QLatin1Char('=')) &&
            i + 1 < arguments.size())
            options << arguments[++i];
    }
    return options;
}

struct Period {
    datastore::ReceiptFilter filter;
    QString file;
};

// The options both exports share; false with *code set when the run ends here.
bool readPeriod(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
                Period* period, int* code)
{
    admin::reports::addYearOptions(parser);
    parser.addOptions(
        {{QStringLiteral("from"), QStringLiteral("First collection date."), QStringLiteral("DATE")},
         {QStringLiteral("to"), QStringLiteral("Last collection date."), QStringLiteral("DATE")},
         admin::reports::shiftOptionSpec(),
         admin::reports::routeOptionSpec()});
    parser.addPositionalArgument(QStringLiteral("FILE.csv"),
                                 QStringLiteral("The file to write, \"-\" for standard output."));
    QStringList files;
    if (!parse(parser, command, withoutFiles(arguments, &files), code) ||
        !dateOption(parser, QStringLiteral("from"), &period->filter.from, code) ||
        !dateOption(parser, QStringLiteral("to"), &period->filter.to, code) ||
        !admin::reports::shiftOption(parser, &period->filter.shift, code) ||
        !admin::reports::routeOption(parser, &period->filter.route, code))
        return false;
    if (files.size() != 1)
        *code = wrongUsage(QStringLiteral("name one CSV file to write (\"-\": standard output)"));
    else if (period->filter.to < period->filter.from)
        *code = wrongUsage(QStringLiteral("--to lies before --from"));
    else {
        period->file = files.first();
        return true;
    }
    return false;
}

datastore::Result<QVector<datastore::StoredReceipt>> readReceipts(const QCommandLineParser& parser,
                                                                  const Period& period, int* code)
{
    datastore::Connection companyYear;
    admin::centre::CompanyYear year;
    if (!admin::reports::openYear(parser, period.filter.from, period.filter.to, &companyYear,
                                  &year, code))
        return datastore::error(datastore::ErrorKind::Other, QString());
    auto receipts = datastore::storedReceipts(companyYear, period.filter);
    if (!receipts)
        *code = failed(receipts.errorText());
    return receipts;
}

int writeSummary(const QString& file, const QString& by,
                 const QVector<datastore::StoredReceipt>& receipts)
{
    if (by == QLatin1String("route")) {
        const QVector<report::RouteDay> days = report::routeDays(receipts);
        return admin::reports::writeAndTell(
            file, report::spreadsheetBytes(report::routeSummaryCsv(days)),
            QStringLiteral("%1 rows").arg(days.size()));
    }
    const QVector<report::VillageDay> days = report::villageDays(receipts);
    return admin::reports::writeAndTell(file, report::spreadsheetBytes(report::summaryCsv(days)),
                                        QStringLiteral("%1 rows").arg(days.size()));
}

int runExportSummary(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The receipts of a period summed per village and day, or per route and day, as CSV "
        "for a spreadsheet (UTF-8, headings in words)."));
    parser.addOption({QStringLiteral("by"), QStringLiteral("village or route."),
                      QStringLiteral("village|route")});
    Period period;
    int code = Done;
    if (!readPeriod(parser, QStringLiteral("export summary"), arguments, &period, &code))
        return code;
    const QString by = parser.value(QStringLiteral("by"));
    if (by != QLatin1String("village") && by != QLatin1String("route"))
        return wrongUsage(QStringLiteral("--by must be village or route"));
    const auto receipts = readReceipts(parser, period, &code);
    return receipts ? writeSummary(period.file, by, *receipts) : code;
}

} // namespace

int admin::runExportReceipts(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Exports the receipts of a period as CSV for a spreadsheet (UTF-8, headings in words), "
        "one row a receipt, or with --summary one row per village and day."));
    parser.addOption({QStringLiteral("summary"),
                      QStringLiteral("One row per village and day (as export summary --by "
                                     "village).")});
    Period period;
    int code = Done;
    if (!readPeriod(parser, QStringLiteral("export receipts"), arguments, &period, &code))
        return code;
    const auto receipts = readReceipts(parser, period, &code);
    if (!receipts)
        return code;
    if (parser.isSet(QStringLiteral("summary")))
        return writeSummary(period.file, QStringLiteral("village"), *receipts);
    return admin::reports::writeAndTell(
        period.file, report::spreadsheetBytes(report::receiptsCsv(*receipts)),
        QStringLiteral("%1 rows").arg(receipts->size()));
}

// `export receipts|summary ...` are handled here; the masters' kinds go to their own file.
int admin::runExport(const QStringList& arguments)
{
    if (arguments.value(0) == QLatin1String("receipts"))
        return runExportReceipts(arguments.mid(1));
    if (arguments.value(0) == QLatin1String("summary"))
        return runExportSummary(arguments.mid(1));
    return runExportMasters(arguments);
}

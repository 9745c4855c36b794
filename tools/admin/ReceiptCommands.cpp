// tarvolen-admin's commands that take receipts out: the shift report as PDF, and receipts
// exported as CSV.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "Centre.h"
#include "Installation.h"

#include "datastore/Connection.h"
#include "datastore/ShiftQueries.h"
#include "platform/Paths.h"
#include "report/ReceiptExport.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QSaveFile>

using namespace admincli;

namespace {

const QCommandLineOption kCompany(QStringLiteral("company"),
                                  QStringLiteral("Company code (ComCode); its latest year."),
                                  QStringLiteral("CODE"));
const QCommandLineOption kShift(QStringLiteral("shift"), QStringLiteral("AM or PM."),
                                QStringLiteral("AM|PM"));
const QCommandLineOption kRoute(QStringLiteral("route"),
                                QStringLiteral("Only this route (its RTRefNo)."),
                                QStringLiteral("CODE"));

bool dateOption(const QCommandLineParser& parser, const QString& option, QDate* date, int* code)
{
    QString text;
    if (!requireValue(parser, option, &text, code))
        return false;
    *date = QDate::fromString(text, Qt::ISODate);
    if (!date->isValid()) {
        *code = wrongUsage(QStringLiteral("--%1 must be a date written yyyy-MM-dd").arg(option));
        return false;
    }
    return true;
}

// 2 for AM, 3 for PM, 0 when the option is absent.
bool shiftOption(const QCommandLineParser& parser, int* shift, int* code)
{
    *shift = 0;
    if (!parser.isSet(kShift))
        return true;
    const QString text = parser.value(kShift).toUpper();
    if (text == QLatin1String("AM"))
        *shift = 2;
    else if (text == QLatin1String("PM"))
        *shift = 3;
    else {
        *code = wrongUsage(QStringLiteral("--shift must be AM or PM"));
        return false;
    }
    return true;
}

bool routeOption(const QCommandLineParser& parser, qint64* route, int* code)
{
    *route = 0;
    if (!parser.isSet(kRoute))
        return true;
    bool ok = false;
    *route = parser.value(kRoute).toLongLong(&ok);
    if (!ok || *route <= 0) {
        *code = wrongUsage(QStringLiteral("--route must be a route's number (RTRefNo)"));
        return false;
    }
    return true;
}

// Opens the main database and the company's latest year database under the data root.
QString openDatabases(const QString& dataRoot, const QString& company, datastore::Connection* main,
                      datastore::Connection* companyYear)
{
    const QString dbMst = admin::latestDbMst(dataRoot, company);
    if (dbMst.isEmpty())
        return QStringLiteral("no company \"%1\" under %2").arg(company, dataRoot);
    main->ConnectionString = QStringLiteral("Data Source=") +
                             platform::resolvePath(dataRoot + QStringLiteral("/DataBas/Main.mdb"));
    companyYear->ConnectionString = QStringLiteral("Data Source=") +
                                    platform::resolvePath(dataRoot + QStringLiteral("/DataBas/") +
                                                          dbMst + QStringLiteral(".mdb"));
    if (main->open() != datastore::Connection::OpenStatus::Opened)
        return QStringLiteral("Main.mdb: ") + main->lastError();
    if (companyYear->open() != datastore::Connection::OpenStatus::Opened)
        return dbMst + QStringLiteral(".mdb: ") + companyYear->lastError();
    return QString();
}

// Takes the file named after the options out of the arguments (the shared option parser takes
// options only). Every option of the command but --summary and --help takes a value.
QStringList withoutFiles(const QStringList& arguments, QStringList* files)
{
    QStringList options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool flag = argument == QLatin1String("--summary") ||
                          argument == QLatin1String("-h") || argument == QLatin1String("--help");
        if (!argument.startsWith(QLatin1Char('-'))) {
            files->append(argument);
            continue;
        }
        options << argument;
        if (!flag && !argument.contains(QLatin1Char('=')) && i + 1 < arguments.size())
            options << arguments[++i];
    }
    return options;
}

// Writes the whole file or nothing.
QString writeText(const QString& file, const QString& text)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit())
        return QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
    return QString();
}

int runReportShift(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the shift report (routes, trucks, receipts, totals) of one date and "
                       "shift as PDF."));
    admin::centre::addInstallationOptions(parser);
    parser.addOptions({kCompany,
                       {QStringLiteral("date"), QStringLiteral("Collection date (yyyy-MM-dd)."),
                        QStringLiteral("YYYY-MM-DD")},
                       kShift,
                       kRoute,
                       {QStringLiteral("pdf"), QStringLiteral("The PDF file to write."),
                        QStringLiteral("FILE")}});
    int code = Done;
    if (!parse(parser, QStringLiteral("report shift"), arguments, &code))
        return code;
    report::ReportRequest request;
    QString dataRoot;
    QString pdf;
    QString shiftText;
    qint64 route = 0;
    if (!admin::centre::dataRootOption(parser, &dataRoot, &code) ||
        !requireValue(parser, QStringLiteral("company"), &request.company, &code) ||
        !dateOption(parser, QStringLiteral("date"), &request.date, &code) ||
        !requireValue(parser, QStringLiteral("shift"), &shiftText, &code) ||
        !shiftOption(parser, &request.shift, &code) || !routeOption(parser, &route, &code) ||
        !requireValue(parser, QStringLiteral("pdf"), &pdf, &code))
        return code;
    request.route = route;
    datastore::Connection main;
    datastore::Connection companyYear;
    QString error = openDatabases(dataRoot, request.company, &main, &companyYear);
    report::ShiftReport shiftReport;
    if (error.isEmpty()) {
        auto loaded = report::loadShiftReport(main, companyYear, request);
        if (loaded)
            shiftReport = std::move(loaded).value();
        else
            error = loaded.errorText();
    }
    if (error.isEmpty())
        report::writeShiftReportPdf(shiftReport, pdf, &error);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("%1: %2 receipts on %3 routes, %4 kg\n")
                 .arg(pdf)
                 .arg(shiftReport.overall.receipts)
                 .arg(shiftReport.routes.size())
                 .arg(report::weightText(shiftReport.overall.weight));
    return Done;
}

} // namespace

int admin::runReport(const QStringList& arguments)
{
    if (arguments.value(0) == QLatin1String("shift"))
        return runReportShift(arguments.mid(1));
    if (arguments.value(0) == QLatin1String("union"))
        return admin::runReportUnion(arguments.mid(1));
    return wrongUsage(QStringLiteral("report: \"shift\" or \"union\"?"));
}

int admin::runExportReceipts(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Exports the receipts of a period as UTF-8 CSV, one row a receipt, or with --summary one "
        "row per village and day."));
    admin::centre::addInstallationOptions(parser);
    parser.addOptions(
        {kCompany,
         {QStringLiteral("from"), QStringLiteral("First collection date."), QStringLiteral("DATE")},
         {QStringLiteral("to"), QStringLiteral("Last collection date."), QStringLiteral("DATE")},
         kShift,
         kRoute,
         {QStringLiteral("summary"),
          QStringLiteral("One row per village and day (cans, weight).")}});
    parser.addPositionalArgument(QStringLiteral("FILE.csv"), QStringLiteral("The file to write."));
    int code = Done;
    QStringList files;
    if (!parse(parser, QStringLiteral("export receipts"), withoutFiles(arguments, &files), &code))
        return code;
    QString dataRoot;
    QString company;
    datastore::ReceiptFilter filter;
    if (!admin::centre::dataRootOption(parser, &dataRoot, &code) ||
        !requireValue(parser, QStringLiteral("company"), &company, &code) ||
        !dateOption(parser, QStringLiteral("from"), &filter.from, &code) ||
        !dateOption(parser, QStringLiteral("to"), &filter.to, &code) ||
        !shiftOption(parser, &filter.shift, &code) || !routeOption(parser, &filter.route, &code))
        return code;
    if (files.size() != 1)
        return wrongUsage(QStringLiteral("name one CSV file to write"));
    if (filter.to < filter.from)
        return wrongUsage(QStringLiteral("--to lies before --from"));
    const QString file = files.first();
    datastore::Connection main;
    datastore::Connection companyYear;
    QString error = openDatabases(dataRoot, company, &main, &companyYear);
    QVector<datastore::StoredReceipt> receipts;
    if (error.isEmpty()) {
        auto stored = datastore::storedReceipts(companyYear, filter);
        if (stored)
            receipts = std::move(stored).value();
        else
            error = stored.errorText();
    }
    if (!error.isEmpty())
        return failed(error);
    const bool summary = parser.isSet(QStringLiteral("summary"));
    const QVector<report::VillageDay> days =
        summary ? report::villageDays(receipts) : QVector<report::VillageDay>();
    error = writeText(file, summary ? report::summaryCsv(days) : report::receiptsCsv(receipts));
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("%1: %2 rows\n").arg(file).arg(summary ? days.size() : receipts.size());
    return Done;
}

// `export receipts ...` is handled here; the masters' kinds go to their own command file.
int admin::runExport(const QStringList& arguments)
{
    if (arguments.value(0) == QLatin1String("receipts"))
        return runExportReceipts(arguments.mid(1));
    return runExportMasters(arguments);
}

// tarvolen-admin import and export: a company year's masters to and from CSV files.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "AdminDb.h"
#include "Centre.h"
#include "Masters.h"

#include <QCommandLineParser>

using namespace admincli;
using admin::masters::Kind;

namespace {
const QString kKinds = QStringLiteral("routes, vehicles, villages, animals or milk-types");
// Spreadsheets take a file for UTF-8 by this mark.
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

struct Target {
    Kind kind = Kind::Routes;
    QString file;     // the CSV file, "-" for a standard stream
    QString database; // the company year's file
    admin::centre::CompanyYear year;
};

// The table an import writes, locked against other writers on a server.
QString tableOf(Kind kind)
{
    switch (kind) {
    case Kind::Routes:
        return QStringLiteral("Mast_Routes");
    case Kind::Vehicles:
        return QStringLiteral("Mast_RoutesSub");
    case Kind::Villages:
        return QStringLiteral("Mast_Villages");
    case Kind::Animals:
        return QStringLiteral("Mast_Animal");
    case Kind::MilkTypes:
        return QStringLiteral("Mast_Milk");
    }
    return QString();
}

// Reads the command line shared by import and export; false with *code set when the run ends.
bool readTarget(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
                Target* target, int* code)
{
    admin::centre::addInstallationOptions(parser);
    parser.addOptions({
        {QStringLiteral("company"),
         QStringLiteral("Company code (ComCode); its latest year is meant."),
         QStringLiteral("CODE")},
    });
    QStringList words;
    if (!admin::centre::parseWords(parser, command,
                                   {QStringLiteral("KIND"), QStringLiteral("FILE")}, arguments,
                                   &words, code))
        return false;
    const auto kind = admin::masters::kindNamed(words[0]);
    if (!kind) {
        *code = wrongUsage(
            QStringLiteral("%1 what? \"%2\" is not one of %3").arg(command, words[0], kKinds));
        return false;
    }
    target->kind = *kind;
    target->file = words[1];
    QString dataRoot, company;
    if (!admin::centre::dataRootOption(parser, &dataRoot, code) ||
        !requireValue(parser, QStringLiteral("company"), &company, code))
        return false;
    if (const QString error =
            admin::centre::latestYear(dataRoot, company, &target->year, &target->database);
        !error.isEmpty()) {
        *code = failed(error);
        return false;
    }
    return true;
}

int reportProblems(const Target& target, const admin::masters::Plan& plan)
{
    for (const admin::masters::Problem& problem : plan.problems)
        err() << target.file << ":" << problem.line << ": " << problem.reason << "\n";
    return failed(QStringLiteral("%1 bad line(s) in %2; nothing was written")
                      .arg(plan.problems.size())
                      .arg(target.file));
}
} // namespace

int admin::runImport(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Adds and updates the %1 of a company's latest year from a CSV file "
                       "(\"-\" reads standard input), matched by code; all lines or none.")
            .arg(kKinds));
    parser.addOption({QStringLiteral("dry-run"), QStringLiteral("Only say what would change.")});
    Target target;
    int code = Done;
    if (!readTarget(parser, QStringLiteral("import"), arguments, &target, &code))
        return code;

    QByteArray bytes;
    csv::Table table;
    QString error = centre::readInput(target.file, &bytes);
    if (error.isEmpty())
        error = csv::parse(bytes, &table);
    if (!error.isEmpty())
        return failed(target.file + QStringLiteral(": ") + error);

    masters::Plan plan;
    const auto planOn = [&](datastore::Connection& con) {
        QList<masters::Row> existing;
        QSet<qint64> routes;
        QString failure = masters::load(con, target.kind, &existing);
        if (failure.isEmpty())
            failure = masters::loadRoutes(con, &routes);
        if (failure.isEmpty())
            plan = masters::plan(target.kind, table, existing, routes);
        return failure;
    };
    const bool dryRun = parser.isSet(QStringLiteral("dry-run"));
    if (dryRun) {
        datastore::Connection con;
        error = openFile(con, target.database);
        if (error.isEmpty())
            error = planOn(con);
    } else {
        // The rows are read and written in one transaction: a desk adding a receipt meanwhile
        // waits, and a failure leaves the year as it was.
        error = fillFile(
            target.database,
            [&](datastore::Connection& con) {
                QString failure = planOn(con);
                if (failure.isEmpty() && plan.problems.isEmpty())
                    failure = masters::apply(con, target.kind, plan.changes);
                return failure;
            },
            false, tableOf(target.kind));
    }
    if (!error.isEmpty())
        return failed(error + QStringLiteral("\nNothing was written."));
    if (!plan.problems.isEmpty())
        return reportProblems(target, plan);
    for (const masters::Change& change : plan.changes)
        out() << masters::describe(target.kind, change) << "\n";
    out() << QStringLiteral("%1 of %2 (%3): %4%5\n")
                 .arg(masters::nameOf(target.kind), target.year.comCode, target.year.dbMst,
                      masters::summary(plan, !dryRun),
                      dryRun ? QStringLiteral(" (dry run: nothing was written)") : QString());
    return Done;
}

int admin::runExportMasters(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Writes the %1 of a company's latest year to a CSV file (UTF-8, \"-\" "
            "for standard output), in the form import reads. The receipts: export receipts --help.")
            .arg(kKinds));
    Target target;
    int code = Done;
    if (!readTarget(parser, QStringLiteral("export"), arguments, &target, &code))
        return code;
    datastore::Connection con;
    QList<masters::Row> rows;
    QString error = openFile(con, target.database);
    if (error.isEmpty())
        error = masters::load(con, target.kind, &rows);
    con.close();
    if (!error.isEmpty())
        return failed(error);
    QList<QStringList> records;
    for (const masters::Row& row : rows)
        records << row.fields;
    const QByteArray bytes = csv::write(masters::headerOf(target.kind), records);
    const bool toStdout = target.file == QLatin1String("-");
    error = centre::writeOutput(target.file, toStdout ? bytes : kByteOrderMark + bytes);
    if (!error.isEmpty())
        return failed(error);
    if (!toStdout)
        out() << QStringLiteral("%1 %2 of %3 (%4) written to %5\n")
                     .arg(rows.size())
                     .arg(masters::nameOf(target.kind), target.year.comCode, target.year.dbMst,
                          target.file);
    return Done;
}

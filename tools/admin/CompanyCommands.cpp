// tarvolen-admin company: a company's first year, its next years and the list of companies.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "AdminDb.h"
#include "Centre.h"
#include "Installation.h"
#include "ServerInstallation.h"
#include "UnionPublish.h"
#include "datastore/WriteTransaction.h"
#include "platform/Clock.h"
#include "platform/DsnRegistry.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>

using namespace admincli;
using admin::centre::CompanyYear;

namespace {
// Codes and database names become file and data-source names.
const QRegularExpression kNameShape(QStringLiteral("^[A-Za-z0-9_-]{1,30}$"));

// The masters a new year starts with, column by column; receipts stay behind.
const QList<QPair<QString, QString>> kCarriedOver = {
    {"Mast_Routes", "RTRefNo, RTType, RTInAct"},
    {"Mast_RoutesSub", "RTRefNo, SDate, EDate, RTVehNo"},
    {"Mast_Villages", "VRefNo, VCode, VName, RtRefNo, InAct"},
    {"Mast_Animal", "ACode, AType"},
    {"Mast_Milk", "MCode, MType"},
    {"Sms_Add", "WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, ComLan"},
};

QString isoText(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

void addYearOptions(QCommandLineParser& parser)
{
    admin::centre::addInstallationOptions(parser);
    parser.addOptions({
        {QStringLiteral("name"), QStringLiteral("Name of the firm."), QStringLiteral("N")},
        {QStringLiteral("town"), QStringLiteral("Town or village of the firm."),
         QStringLiteral("T")},
        {QStringLiteral("year-start"), QStringLiteral("First day of the year (YYYY-MM-DD)."),
         QStringLiteral("DATE")},
        {QStringLiteral("year-end"), QStringLiteral("Last day of the year (YYYY-MM-DD)."),
         QStringLiteral("DATE")},
        {QStringLiteral("db"),
         QStringLiteral("Database name of the year (default CODE_YYYY, the first day's year)."),
         QStringLiteral("NAME")},
    });
}

// A date option; *date keeps its value when the option is absent.
bool dateOption(const QCommandLineParser& parser, const QString& option, QDate* date, int* code)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option).trimmed();
    const QDate value = QDate::fromString(text, Qt::ISODate);
    if (text.size() != 10 || !value.isValid()) {
        *code = wrongUsage(
            QStringLiteral("--%1 must be a date written YYYY-MM-DD, not \"%2\"").arg(option, text));
        return false;
    }
    *date = value;
    return true;
}

QString checkNewYear(const QString& dataRoot, const CompanyYear& y, const QList<CompanyYear>& years)
{
    if (!kNameShape.match(y.dbMst).hasMatch())
        return QStringLiteral("the database name \"%1\" may hold only letters, digits, - and _")
            .arg(y.dbMst);
    if (y.comName.trimmed().isEmpty())
        return QStringLiteral("the firm needs a name (--name)");
    if (!y.start.isValid() || !y.end.isValid() || y.end <= y.start)
        return QStringLiteral("the year must end (%1) after it starts (%2)")
            .arg(isoText(y.end), isoText(y.start));
    for (const CompanyYear& other : years) {
        if (other.dbMst.compare(y.dbMst, Qt::CaseInsensitive) == 0)
            return QStringLiteral("the database name \"%1\" is taken by company %2, year %3; "
                                  "choose another with --db")
                .arg(y.dbMst, other.comCode)
                .arg(other.code);
    }
    if (admin::centre::onServer(dataRoot)) {
        const QString dsn = QStringLiteral("QUENMOOR_") + y.dbMst;
        if (platform::dsnExists(dsn))
            return QStringLiteral("the data source %1 exists already; choose another name "
                                  "with --db")
                .arg(dsn);
        return QString();
    }
    const QString file = admin::centre::companyFile(dataRoot, y.dbMst);
    if (QFileInfo::exists(file))
        return QStringLiteral("%1 exists already; choose another name with --db").arg(file);
    return QString();
}

// The year's empty database: a file under the data root, or on a server installation a database
// on its server with its data source.
QString createYearDatabase(const QString& dataRoot, const QString& dbMst)
{
    if (admin::centre::onServer(dataRoot))
        return admin::createServerYear(dbMst);
    return admin::createCompanyDatabase(admin::centre::companyFile(dataRoot, dbMst));
}

// Takes away what createYearDatabase made when a later step failed; error, with anything that
// was left behind.
QString removeYearDatabase(const QString& dataRoot, const QString& dbMst, const QString& error)
{
    QString left;
    if (admin::centre::onServer(dataRoot)) {
        left = admin::removeServerYear(dbMst);
    } else {
        const QString file = admin::centre::companyFile(dataRoot, dbMst);
        if (!QFile::remove(file))
            left = QStringLiteral("%1 was made but could not be removed").arg(file);
    }
    return left.isEmpty() ? error : error + QLatin1Char('\n') + left;
}

// The Years row that makes the year the company's latest, and the data source that reaches it.
QString registerYear(const QString& dataRoot, const CompanyYear& y)
{
    const QString error = admin::fillFile(
        admin::centre::mainFile(dataRoot),
        [&](datastore::Connection& con) {
            return admin::exec(con,
                               QStringLiteral("INSERT INTO Years (ComCode, Code, DbMst, YStart, "
                                              "YEnd, ComName, Town) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                               {y.comCode, y.code, y.dbMst, y.start, y.end, y.comName.trimmed(),
                                y.town.trimmed()});
        },
        false, QStringLiteral("Years"));
    // A server year's data source was registered with its database.
    if (!error.isEmpty() || admin::centre::onServer(dataRoot))
        return error;
    const QString dsn = QStringLiteral("QUENMOOR_") + y.dbMst;
    if (!platform::writeDsn(dsn, admin::centre::companyFile(dataRoot, y.dbMst)))
        err() << "tarvolen-admin: the data source " << dsn
              << " could not be written; the desk writes it when the company is chosen\n";
    return QString();
}

// Row by row from one connection to the other, so that it works alike between two files and
// between two databases of a server.
QString copyMasters(const QString& from, const QString& to, QStringList* counts)
{
    datastore::Connection source, target;
    QString error = admin::openFile(source, from);
    if (error.isEmpty())
        error = admin::openFile(target, to);
    if (!error.isEmpty())
        return error;
    // The previous year read as one state, though desks may be adding to it: no village
    // without its route.
    const bool server = source.engine() == datastore::Connection::Engine::Server;
    if (error = admin::exec(source, server ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")
                                           : QStringLiteral("BEGIN"));
        !error.isEmpty())
        return error;
    datastore::WriteTransaction transaction(target);
    if (!transaction.isActive())
        return to + QStringLiteral(": ") + transaction.error();
    admin::PreparedStatements statements(target);
    for (const auto& [table, columns] : kCarriedOver) {
        QSqlQuery rows = source.run(QStringLiteral("SELECT %1 FROM %2").arg(columns, table));
        if (!rows.isActive())
            return admin::errorOf(source, rows);
        const int width = int(columns.count(QLatin1Char(','))) + 1;
        QStringList marks(width, QStringLiteral("?"));
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, columns, marks.join(QStringLiteral(", ")));
        int copied = 0;
        while (rows.next()) {
            QVariantList values;
            for (int i = 0; i < width; ++i)
                values << rows.value(i);
            if (error = statements.exec(insert, values); !error.isEmpty())
                return error;
            ++copied;
        }
        *counts << QStringLiteral("%1 %2").arg(copied).arg(table);
    }
    admin::exec(source, QStringLiteral("COMMIT")); // only read: lets the desks' writes through
    if (!transaction.commit())
        return to + QStringLiteral(": ") + transaction.error();
    return QString();
}

QString describe(const CompanyYear& y, const QString& dataRoot)
{
    const QString town = y.town.trimmed().isEmpty() ? QString() : QStringLiteral(", ") + y.town;
    return QStringLiteral("%1 \"%2\"%3, year %4 (%5 to %6): %7, data source QUENMOOR_%8")
        .arg(y.comCode, y.comName, town)
        .arg(y.code)
        .arg(isoText(y.start), isoText(y.end),
             admin::centre::onServer(dataRoot) ? admin::describeServerYear(y.dbMst)
                                               : admin::centre::companyFile(dataRoot, y.dbMst),
             y.dbMst);
}

int add(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates a company's first year: its database with empty masters, a "
                       "station settings row with no scale link, and its data source."));
    addYearOptions(parser);
    QStringList words;
    int code = Done;
    if (!admin::centre::parseWords(parser, QStringLiteral("company add"), {QStringLiteral("CODE")},
                                   arguments, &words, &code))
        return code;
    CompanyYear y;
    y.comCode = words[0].trimmed();
    y.code = 1;
    QString dataRoot, given;
    if (!admin::centre::dataRootOption(parser, &dataRoot, &code) ||
        !requireValue(parser, QStringLiteral("name"), &y.comName, &code) ||
        !requireValue(parser, QStringLiteral("year-start"), &given, &code) ||
        !requireValue(parser, QStringLiteral("year-end"), &given, &code) ||
        !dateOption(parser, QStringLiteral("year-start"), &y.start, &code) ||
        !dateOption(parser, QStringLiteral("year-end"), &y.end, &code))
        return code;
    if (!kNameShape.match(y.comCode).hasMatch())
        return wrongUsage(
            QStringLiteral("the company code \"%1\" may hold only letters, digits, - and _")
                .arg(y.comCode));
    y.town = parser.value(QStringLiteral("town"));
    y.dbMst = parser.isSet(QStringLiteral("db"))
                  ? parser.value(QStringLiteral("db")).trimmed()
                  : y.comCode + QLatin1Char('_') + QString::number(y.start.year());

    QList<CompanyYear> years;
    QString error = admin::centre::readYears(dataRoot, &years);
    for (const CompanyYear& other : years) {
        if (error.isEmpty() && other.comCode.compare(y.comCode, Qt::CaseInsensitive) == 0)
            error = QStringLiteral("company \"%1\" exists already; its next year is made with "
                                   "company new-year")
                        .arg(other.comCode);
    }
    if (error.isEmpty())
        error = checkNewYear(dataRoot, y, years);
    if (!error.isEmpty())
        return failed(error);

    // What was there before (another program's database of that name) is never taken away.
    error = createYearDatabase(dataRoot, y.dbMst);
    if (!error.isEmpty())
        return failed(error + QStringLiteral("\nNo company was added."));
    error = admin::fillFile(
        admin::centre::companyFile(dataRoot, y.dbMst), [](datastore::Connection& con) {
            return admin::exec(con, QStringLiteral("INSERT INTO Sms_Add DEFAULT VALUES"));
        });
    if (error.isEmpty())
        error = registerYear(dataRoot, y);
    if (!error.isEmpty())
        return failed(removeYearDatabase(dataRoot, y.dbMst, error) +
                      QStringLiteral("\nNo company was added."));
    out() << "Added company " << describe(y, dataRoot) << "\n";
    return Done;
}

// A centre whose years the union reads publishes the new one too. The year stands whatever
// happens here.
int publishForUnion(const QString& previousDbMst, const QString& dbMst)
{
    QString line;
    const QString error = admin::unionrepl::publishAsBefore(previousDbMst, dbMst, &line);
    if (!error.isEmpty())
        return failed(QStringLiteral("the year was added, but not published for the union: %1\n"
                                     "Run tarvolen-admin union publish as the server's superuser.")
                          .arg(error));
    if (!line.isEmpty())
        out() << line << "\n";
    return Done;
}

int newYear(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates a company's next year: a database holding the masters and station "
                       "settings of its latest year and no receipts. The year starts the day "
                       "after the latest one ends and lasts a year unless told otherwise."));
    addYearOptions(parser);
    parser.addOption({QStringLiteral("force"),
                      QStringLiteral("Make a year that starts after today all the same: every "
                                     "desk then works in it at once and refuses today's date "
                                     "until it starts.")});
    QStringList words;
    int code = Done;
    if (!admin::centre::parseWords(parser, QStringLiteral("company new-year"),
                                   {QStringLiteral("CODE")}, arguments, &words, &code))
        return code;
    QString dataRoot, latestFile;
    if (!admin::centre::dataRootOption(parser, &dataRoot, &code))
        return code;
    CompanyYear latest;
    QString error = admin::centre::latestYear(dataRoot, words[0], &latest, &latestFile);
    if (!error.isEmpty())
        return failed(error);
    CompanyYear y = latest;
    y.code = latest.code + 1;
    y.start = latest.end.addDays(1);
    if (!dateOption(parser, QStringLiteral("year-start"), &y.start, &code))
        return code;
    y.end = y.start.addYears(1).addDays(-1);
    if (!dateOption(parser, QStringLiteral("year-end"), &y.end, &code))
        return code;
    if (parser.isSet(QStringLiteral("name")))
        y.comName = parser.value(QStringLiteral("name"));
    if (parser.isSet(QStringLiteral("town")))
        y.town = parser.value(QStringLiteral("town"));
    y.dbMst = parser.isSet(QStringLiteral("db"))
                  ? parser.value(QStringLiteral("db")).trimmed()
                  : y.comCode + QLatin1Char('_') + QString::number(y.start.year());
    if (y.start <= latest.end)
        return failed(QStringLiteral("the new year must start after the latest one ends (%1)")
                          .arg(isoText(latest.end)));
    // The desks always work in a company's latest year: made early, it would stop them weighing.
    if (y.start > platform::today() && !parser.isSet(QStringLiteral("force")))
        return failed(QStringLiteral("the year %1 to %2 starts after today (%3): every desk would "
                                     "switch to it at once and refuse today's date (\"Please "
                                     "Check Date\") until it starts. Make it on or after %1, or "
                                     "give --force.")
                          .arg(isoText(y.start), isoText(y.end), isoText(platform::today())));
    QList<CompanyYear> years;
    error = admin::centre::readYears(dataRoot, &years);
    if (error.isEmpty())
        error = checkNewYear(dataRoot, y, years);
    if (!error.isEmpty())
        return failed(error);

    QStringList counts;
    error = createYearDatabase(dataRoot, y.dbMst);
    if (!error.isEmpty())
        return failed(error + QStringLiteral("\nNo year was added."));
    error = copyMasters(latestFile, admin::centre::companyFile(dataRoot, y.dbMst), &counts);
    if (error.isEmpty())
        error = registerYear(dataRoot, y);
    if (!error.isEmpty())
        return failed(removeYearDatabase(dataRoot, y.dbMst, error) +
                      QStringLiteral("\nNo year was added."));
    out() << "Added year " << describe(y, dataRoot) << "\n"
          << "Carried over from " << latest.dbMst << ": " << counts.join(QStringLiteral(", "))
          << "; no receipts.\n";
    return admin::centre::onServer(dataRoot) ? publishForUnion(latest.dbMst, y.dbMst) : Done;
}

int list(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the companies as the desk offers them: each once, with its latest "
                       "year."));
    admin::centre::addInstallationOptions(parser);
    QStringList words;
    int code = Done;
    QString dataRoot;
    if (!admin::centre::parseWords(parser, QStringLiteral("company list"), {}, arguments, &words,
                                   &code) ||
        !admin::centre::dataRootOption(parser, &dataRoot, &code))
        return code;
    QList<CompanyYear> years;
    if (const QString error = admin::centre::readYears(dataRoot, &years); !error.isEmpty())
        return failed(error);
    // Sorted by company and year code: the last row of a company is its latest year.
    for (int i = 0; i < years.size(); ++i) {
        if (i + 1 < years.size() &&
            years[i + 1].comCode.compare(years[i].comCode, Qt::CaseInsensitive) == 0)
            continue;
        out() << describe(years[i], dataRoot) << "\n";
    }
    if (years.isEmpty())
        out() << "No companies yet.\n";
    return Done;
}
} // namespace

int admin::runCompany(const QStringList& arguments)
{
    const QString sub = arguments.value(0);
    if (sub == QLatin1String("add"))
        return add(arguments.mid(1));
    if (sub == QLatin1String("new-year"))
        return newYear(arguments.mid(1));
    if (sub == QLatin1String("list"))
        return list(arguments.mid(1));
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        out() << usage();
        return Done;
    }
    return wrongUsage(QStringLiteral("company add, new-year or list?"));
}

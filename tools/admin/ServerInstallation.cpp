#include "ServerInstallation.h"

#include "DemoInstallation.h"
#include "Installation.h"
#include "datastore/Connection.h"
#include "datastore/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace admin {
namespace {
const QString kMainDsn = QStringLiteral("QUENMOOR_MAIN");

QString companyDsn(const QString& dbMst)
{
    return QStringLiteral("QUENMOOR_") + dbMst;
}

// Where the desks of this user find the server's password; never in odbc.ini.
QString passwordNote(const ServerAddress& server)
{
    if (!server.password.isEmpty())
        return QStringLiteral("  password        kept in ~/.pgpass (0600) for %1:%2 as %3")
            .arg(server.host)
            .arg(server.port)
            .arg(server.user);
    return QStringLiteral("  password        not kept: the desks of this user sign in to the "
                          "server as PostgreSQL's tools do (~/.pgpass, PGPASSWORD)");
}

// The server named, with the password given on standard input if any.
std::optional<ServerAddress> serverOf(const ServerInitOptions& options, QString* error)
{
    auto server = parseServerUrl(options.serverUrl, error);
    if (server)
        server->password = options.password;
    return server;
}

// Runs a demo filler on a registered data source, in one transaction.
QString fillThrough(const QString& dsn, const std::function<QString(datastore::Connection&)>& fill)
{
    datastore::Connection con;
    con.ConnectionString = QStringLiteral("DSN=") + dsn + QStringLiteral(";");
    if (con.open() != datastore::Connection::OpenStatus::Opened)
        return QStringLiteral("cannot open %1: %2").arg(dsn, con.lastError());
    QSqlQuery begin = con.run(QStringLiteral("BEGIN"));
    if (!begin.isActive())
        return datastore::describeError(begin);
    QString error = fill(con);
    QSqlQuery end =
        con.run(error.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
    if (error.isEmpty() && !end.isActive())
        error = datastore::describeError(end);
    return error;
}

// The databases made so far, dropped again and their data sources removed on failure.
struct Made {
    ServerAddress server;
    QStringList databases;
    QStringList dsns;
    QString serPath;
    // Empty text, or what could not be taken away again.
    QString undo() const
    {
        for (const QString& dsn : dsns)
            platform::removeDsn(dsn);
        QStringList left;
        for (const QString& database : databases) {
            if (const QString error = dropServerDatabase(server, database); !error.isEmpty())
                left << QStringLiteral("the database %1 was made but could not be dropped: %2")
                            .arg(database, error);
        }
        if (!serPath.isEmpty())
            QFile::remove(serPath);
        return left.join(QLatin1Char('\n'));
    }
    // The failure, with what was left behind.
    QString undoAfter(const QString& error) const
    {
        const QString left = undo();
        return left.isEmpty() ? error : error + QLatin1Char('\n') + left;
    }
};

// A data source written whole, or not at all (a half-written section would count as one).
bool writeWholeServerDsn(const QString& dsn, platform::ServerSource source)
{
    source.password.clear(); // the server's client library reads ~/.pgpass instead
    if (platform::writeServerDsn(dsn, source))
        return true;
    platform::removeDsn(dsn);
    return false;
}

QString makeDatabase(Made& made, const QString& dsn, const QString& database, ServerSchema schema)
{
    if (platform::dsnExists(dsn))
        return QStringLiteral("the data source %1 exists already; remove it first").arg(dsn);
    QString error = createServerDatabase(made.server, database, schema);
    if (!error.isEmpty())
        return error;
    made.databases << database;
    if (!writeWholeServerDsn(dsn, serverSource(made.server, database)))
        return QStringLiteral("cannot register the data source %1").arg(dsn);
    made.dsns << dsn;
    return QString();
}

// SerPath.mdb stays a file beside the program. Its root is the program's folder, already
// checked, so that the desk never corrects it to look for a main database file.
QString writeSerPath(Made& made, const QString& serPath, const QString& programDir, bool demo)
{
    QString error = createSerPathDatabase(serPath, programDir);
    if (!error.isEmpty())
        return error;
    made.serPath = serPath;
    datastore::Connection con;
    con.ConnectionString = QStringLiteral("Data Source=") + serPath + QStringLiteral(";");
    if (con.open() != datastore::Connection::OpenStatus::Opened)
        return con.lastError();
    QSqlQuery checked = con.run(QStringLiteral("UPDATE ServerPath SET Chk = 1"));
    if (!checked.isActive())
        return datastore::describeError(checked);
    return demo ? demo::fillSerPath(con) : QString();
}

// The program folder a server installation's SerPath.mdb goes into: made when missing, refused
// when it holds one already.
QString newProgramFolder(const QString& given, QString* programDir)
{
    if (given.trimmed().isEmpty())
        return QStringLiteral("no program folder given (--program-dir)");
    *programDir = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
    const QString serPath = *programDir + QStringLiteral("/SerPath.mdb");
    if (QFileInfo::exists(serPath))
        return QStringLiteral("%1 exists already; nothing was changed").arg(serPath);
    if (!QDir().mkpath(*programDir))
        return QStringLiteral("cannot create the folder %1").arg(*programDir);
    return QString();
}
} // namespace

bool isServerInstallation()
{
    return platform::isServerDsn(kMainDsn);
}

namespace {
// The server the installation's main data source names, with its user.
ServerAddress installationServer()
{
    const platform::ServerSource main = platform::dsnServer(kMainDsn);
    return ServerAddress{main.host, main.port, main.user, main.password};
}
} // namespace

QString createServerYear(const QString& dbMst)
{
    Made made;
    made.server = installationServer();
    const QString error =
        makeDatabase(made, companyDsn(dbMst), serverDatabaseName(dbMst), ServerSchema::Company);
    return error.isEmpty() ? error : made.undoAfter(error);
}

QString removeServerYear(const QString& dbMst)
{
    platform::removeDsn(companyDsn(dbMst));
    const QString database = serverDatabaseName(dbMst);
    const QString error = dropServerDatabase(installationServer(), database);
    return error.isEmpty() ? error
                           : QStringLiteral("the database %1 was made but could not be dropped: %2")
                                 .arg(database, error);
}

QString describeServerYear(const QString& dbMst)
{
    // What this desk's data source names, which is what the desk and the tool will use.
    const QString dsn = companyDsn(dbMst);
    if (platform::isServerDsn(dsn)) {
        const platform::ServerSource year = platform::dsnServer(dsn);
        return QStringLiteral("database %1 on %2:%3").arg(year.database, year.host).arg(year.port);
    }
    if (platform::dsnExists(dsn))
        return QStringLiteral("the file %1 (this desk's data source names no server)")
            .arg(platform::dsnDatabase(dsn));
    const ServerAddress server = installationServer();
    return QStringLiteral("database %1 on %2:%3 (no data source on this desk yet)")
        .arg(serverDatabaseName(dbMst), server.host)
        .arg(server.port);
}

QString initServerInstallation(const ServerInitOptions& options, QString* summary)
{
    if (options.join)
        return joinServerInstallation(options, summary);
    QString error;
    const auto server = serverOf(options, &error);
    if (!server)
        return error;
    QString programDir;
    if (error = newProgramFolder(options.programDir, &programDir); !error.isEmpty())
        return error;
    const QString serPath = programDir + QStringLiteral("/SerPath.mdb");
    const QDate today = options.today.isValid() ? options.today : QDate::currentDate();
    const QList<demo::Year> years = options.demo ? demo::years(today) : QList<demo::Year>();

    QString passwordFile;
    Made made;
    made.server = *server;
    error =
        makeDatabase(made, kMainDsn, QString::fromLatin1(kServerMainDatabase), ServerSchema::Main);
    for (int i = 0; error.isEmpty() && i < years.size(); ++i)
        error = makeDatabase(made, companyDsn(years[i].dbMst), serverDatabaseName(years[i].dbMst),
                             ServerSchema::Company);
    // The desks' way in, kept before the first connection through a data source: those name
    // no password, so a role that must give one would be turned away.
    if (error.isEmpty() && !server->password.isEmpty())
        error = rememberPassword(*server, &passwordFile);
    if (error.isEmpty() && options.demo)
        error = fillThrough(kMainDsn,
                            [&](datastore::Connection& con) { return demo::fillMain(con, years); });
    for (int i = 0; error.isEmpty() && i < years.size(); ++i)
        error = fillThrough(companyDsn(years[i].dbMst), [&](datastore::Connection& con) {
            return demo::fillCompany(con, years[i], today);
        });
    if (error.isEmpty())
        error = writeSerPath(made, serPath, programDir, options.demo);
    if (!error.isEmpty())
        return made.undoAfter(error);
    if (summary) {
        QStringList lines{options.demo ? QStringLiteral("Created a demo server installation:")
                                       : QStringLiteral("Created an empty server installation:"),
                          QStringLiteral("  program folder  %1 (SerPath.mdb)").arg(programDir),
                          QStringLiteral("  server          %1:%2 as %3")
                              .arg(server->host)
                              .arg(server->port)
                              .arg(server->user)};
        for (int i = 0; i < made.dsns.size(); ++i)
            lines << QStringLiteral("  data source     %1 -> database %2")
                         .arg(made.dsns[i], made.databases[i]);
        if (options.demo)
            lines << demo::summary();
        lines << passwordNote(*server);
        *summary = lines.join(QLatin1Char('\n'));
    }
    return QString();
}

namespace {
// Whether a data source names that database of that server, as that user.
bool namesDatabase(const QString& dsn, const platform::ServerSource& wanted)
{
    if (!platform::isServerDsn(dsn))
        return false;
    const platform::ServerSource named = platform::dsnServer(dsn);
    return named.host == wanted.host && named.port == wanted.port &&
           named.database == wanted.database && named.user == wanted.user &&
           named.password.isEmpty();
}

// What an existing data source names, for people.
QString namedBy(const QString& dsn)
{
    if (!platform::isServerDsn(dsn))
        return QStringLiteral("the file ") + platform::dsnDatabase(dsn);
    const platform::ServerSource named = platform::dsnServer(dsn);
    return QStringLiteral("database %1 on %2:%3").arg(named.database, named.host).arg(named.port);
}

// The company years the main database lists, or what kept them from being read.
QString readServerYears(const ServerAddress& server, QStringList* years)
{
    datastore::Connection con;
    con.ConnectionString = QStringLiteral("DSN=") + kMainDsn + QStringLiteral(";");
    if (con.open() != datastore::Connection::OpenStatus::Opened) {
        const QString reason = con.lastError();
        const QString where = QStringLiteral("%1 on %2:%3")
                                  .arg(QString::fromLatin1(kServerMainDatabase), server.host)
                                  .arg(server.port);
        if (reason.contains(QStringLiteral("\"%1\" does not exist")
                                .arg(QString::fromLatin1(kServerMainDatabase))))
            return QStringLiteral("no server installation to join: %1 does not exist (init "
                                  "--server makes one)")
                .arg(where);
        return QStringLiteral("cannot reach %1: %2").arg(where, reason);
    }
    QSqlQuery query = con.run(QStringLiteral("SELECT DISTINCT DbMst FROM Years"));
    if (!query.isActive())
        return datastore::describeError(query);
    while (query.next())
        years->append(query.value(0).toString().trimmed());
    years->removeAll(QString());
    years->sort();
    return QString();
}
} // namespace

QString joinServerInstallation(const ServerInitOptions& options, QString* summary)
{
    QString error;
    const auto server = serverOf(options, &error);
    if (!server)
        return error;
    if (options.demo)
        return QStringLiteral("--join fills nothing: it goes without --demo");
    if (platform::dsnExists(kMainDsn))
        return QStringLiteral("the data source %1 exists already; remove it first").arg(kMainDsn);
    QString programDir;
    if (error = newProgramFolder(options.programDir, &programDir); !error.isEmpty())
        return error;

    QString passwordFile;
    Made made;
    made.server = *server;
    if (!writeWholeServerDsn(kMainDsn,
                             serverSource(*server, QString::fromLatin1(kServerMainDatabase))))
        return QStringLiteral("cannot register the data source %1").arg(kMainDsn);
    made.dsns << kMainDsn;
    QStringList years;
    error = readServerYears(*server, &years);
    if (error.isEmpty())
        error = writeSerPath(made, programDir + QStringLiteral("/SerPath.mdb"), programDir, false);
    // Last, so that nothing fails after an old data source was replaced. One that names another
    // database (a file installation's, a former server's) would send this desk's receipts there.
    QStringList lines;
    for (int i = 0; error.isEmpty() && i < years.size(); ++i) {
        const QString dsn = companyDsn(years[i]);
        const platform::ServerSource year = serverSource(*server, serverDatabaseName(years[i]));
        QString replaced;
        if (namesDatabase(dsn, year))
            continue;
        if (platform::dsnExists(dsn)) {
            replaced = QStringLiteral(" (replaces one that named %1)").arg(namedBy(dsn));
            platform::removeDsn(dsn);
        }
        if (!writeWholeServerDsn(dsn, year)) {
            error = QStringLiteral("cannot register the data source %1").arg(dsn);
            break;
        }
        made.dsns << dsn;
        lines << QStringLiteral("  data source     %1 -> database %2%3")
                     .arg(dsn, year.database, replaced);
    }
    if (error.isEmpty() && !server->password.isEmpty())
        error = rememberPassword(*server, &passwordFile);
    if (!error.isEmpty())
        return made.undoAfter(error);
    if (summary) {
        lines.prepend(QStringLiteral("  data source     %1 -> database %2")
                          .arg(kMainDsn, QString::fromLatin1(kServerMainDatabase)));
        lines.prepend(QStringLiteral("  server          %1:%2 as %3")
                          .arg(server->host)
                          .arg(server->port)
                          .arg(server->user));
        lines.prepend(QStringLiteral("  program folder  %1 (SerPath.mdb)").arg(programDir));
        lines.prepend(QStringLiteral("Joined the server installation:"));
        lines << passwordNote(*server);
        *summary = lines.join(QLatin1Char('\n'));
    }
    return QString();
}

} // namespace admin

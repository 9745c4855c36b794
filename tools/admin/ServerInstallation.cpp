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
    void undo() const
    {
        for (const QString& dsn : dsns)
            platform::removeDsn(dsn);
        for (const QString& database : databases)
            dropServerDatabase(server, database);
        if (!serPath.isEmpty())
            QFile::remove(serPath);
    }
};

QString makeDatabase(Made& made, const QString& dsn, const QString& database, ServerSchema schema)
{
    if (platform::dsnExists(dsn))
        return QStringLiteral("the data source %1 exists already; remove it first").arg(dsn);
    QString error = createServerDatabase(made.server, database, schema);
    if (!error.isEmpty())
        return error;
    made.databases << database;
    if (!platform::writeServerDsn(dsn, serverSource(made.server, database)))
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
    if (!error.isEmpty())
        made.undo();
    return error;
}

void removeServerYear(const QString& dbMst)
{
    platform::removeDsn(companyDsn(dbMst));
    dropServerDatabase(installationServer(), serverDatabaseName(dbMst));
}

QString describeServerYear(const QString& dbMst)
{
    const ServerAddress server = installationServer();
    return QStringLiteral("database %1 on %2:%3")
        .arg(serverDatabaseName(dbMst), server.host)
        .arg(server.port);
}

QString initServerInstallation(const ServerInitOptions& options, QString* summary)
{
    if (options.join)
        return joinServerInstallation(options, summary);
    QString error;
    const auto server = parseServerUrl(options.serverUrl, &error);
    if (!server)
        return error;
    QString programDir;
    if (error = newProgramFolder(options.programDir, &programDir); !error.isEmpty())
        return error;
    const QString serPath = programDir + QStringLiteral("/SerPath.mdb");
    const QDate today = options.today.isValid() ? options.today : QDate::currentDate();
    const QList<demo::Year> years = options.demo ? demo::years(today) : QList<demo::Year>();

    Made made;
    made.server = *server;
    error =
        makeDatabase(made, kMainDsn, QString::fromLatin1(kServerMainDatabase), ServerSchema::Main);
    for (int i = 0; error.isEmpty() && i < years.size(); ++i)
        error = makeDatabase(made, companyDsn(years[i].dbMst), serverDatabaseName(years[i].dbMst),
                             ServerSchema::Company);
    if (error.isEmpty() && options.demo)
        error = fillThrough(kMainDsn,
                            [&](datastore::Connection& con) { return demo::fillMain(con, years); });
    for (int i = 0; error.isEmpty() && i < years.size(); ++i)
        error = fillThrough(companyDsn(years[i].dbMst), [&](datastore::Connection& con) {
            return demo::fillCompany(con, years[i], today);
        });
    if (error.isEmpty())
        error = writeSerPath(made, serPath, programDir, options.demo);
    if (!error.isEmpty()) {
        made.undo();
        return error;
    }
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
        *summary = lines.join(QLatin1Char('\n'));
    }
    return QString();
}

QString joinServerInstallation(const ServerInitOptions& options, QString* summary)
{
    QString error;
    const auto server = parseServerUrl(options.serverUrl, &error);
    if (!server)
        return error;
    if (options.demo)
        return QStringLiteral("--join fills nothing: it goes without --demo");
    const platform::ServerSource main =
        serverSource(*server, QString::fromLatin1(kServerMainDatabase));
    if (platform::dsnExists(kMainDsn))
        return QStringLiteral("the data source %1 exists already; remove it first").arg(kMainDsn);
    QString programDir;
    if (error = newProgramFolder(options.programDir, &programDir); !error.isEmpty())
        return error;

    Made made;
    made.server = *server;
    if (!platform::writeServerDsn(kMainDsn, main))
        return QStringLiteral("cannot register the data source %1").arg(kMainDsn);
    made.dsns << kMainDsn;
    QStringList years;
    {
        datastore::Connection con;
        con.ConnectionString = QStringLiteral("DSN=") + kMainDsn + QStringLiteral(";");
        if (con.open() != datastore::Connection::OpenStatus::Opened) {
            error = QStringLiteral("no server installation to join on %1:%2 (init --server "
                                   "makes one): %3")
                        .arg(server->host)
                        .arg(server->port)
                        .arg(con.lastError());
        } else {
            QSqlQuery query = con.run(QStringLiteral("SELECT DISTINCT DbMst FROM Years"));
            if (!query.isActive())
                error = datastore::describeError(query);
            while (query.next())
                years << query.value(0).toString().trimmed();
        }
    }
    years.removeAll(QString());
    years.sort();
    for (const QString& dbMst : years) {
        if (datastore::registerServerYear(dbMst))
            made.dsns << companyDsn(dbMst);
    }
    if (error.isEmpty())
        error = writeSerPath(made, programDir + QStringLiteral("/SerPath.mdb"), programDir, false);
    if (!error.isEmpty()) {
        made.undo();
        return error;
    }
    if (summary) {
        QStringList lines{QStringLiteral("Joined the server installation:"),
                          QStringLiteral("  program folder  %1 (SerPath.mdb)").arg(programDir),
                          QStringLiteral("  server          %1:%2 as %3")
                              .arg(server->host)
                              .arg(server->port)
                              .arg(server->user)};
        for (const QString& dsn : made.dsns)
            lines << QStringLiteral("  data source     %1 -> database %2")
                         .arg(dsn, platform::dsnServer(dsn).database);
        *summary = lines.join(QLatin1Char('\n'));
    }
    return QString();
}

} // namespace admin

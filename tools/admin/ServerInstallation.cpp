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
    if (options.programDir.trimmed().isEmpty())
        return QStringLiteral("no program folder given (--program-dir)");
    QString error;
    const auto server = parseServerUrl(options.serverUrl, &error);
    if (!server)
        return error;
    const QString programDir = QDir::cleanPath(QFileInfo(options.programDir).absoluteFilePath());
    const QString serPath = programDir + QStringLiteral("/SerPath.mdb");
    if (QFileInfo::exists(serPath))
        return QStringLiteral("%1 exists already; nothing was changed").arg(serPath);
    if (!QDir().mkpath(programDir))
        return QStringLiteral("cannot create the folder %1").arg(programDir);
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
    // SerPath.mdb stays a file beside the program. Its root is the program's folder, already
    // checked, so that the desk never corrects it to look for a main database file.
    if (error.isEmpty()) {
        error = createSerPathDatabase(serPath, programDir);
        if (error.isEmpty())
            made.serPath = serPath;
    }
    if (error.isEmpty()) {
        datastore::Connection con;
        con.ConnectionString = QStringLiteral("Data Source=") + serPath + QStringLiteral(";");
        if (con.open() != datastore::Connection::OpenStatus::Opened) {
            error = con.lastError();
        } else {
            QSqlQuery checked = con.run(QStringLiteral("UPDATE ServerPath SET Chk = 1"));
            if (!checked.isActive())
                error = datastore::describeError(checked);
            else if (options.demo)
                error = demo::fillSerPath(con);
        }
    }
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

} // namespace admin

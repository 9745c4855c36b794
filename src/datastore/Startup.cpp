#include "Startup.h"

#include "GenState.h"
#include "NullFields.h"
#include "platform/DsnRegistry.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QVariant>

using datastore::Connection;

namespace datastore {

QString serPathFile()
{
    return Gen_AppPath + QStringLiteral("\\SerPath.mdb");
}

QString mainDatabaseFile()
{
    return Gen_ServerPath + QStringLiteral("\\Databas\\Main.mdb");
}

QString mstDatabaseFile(const QString& db)
{
    return Gen_ServerPath + QStringLiteral("\\Databas\\") + db + QStringLiteral(".mdb");
}

QString mstConnectionString()
{
    return QStringLiteral("DSN=QUENMOOR_") + Gen_DbMst + QStringLiteral(";UID=;PWD=") + Gen_DbPwd +
           QStringLiteral(";");
}

namespace {
// Opens a connection; one that is already open is closed and opened again. A failure comes
// back in the words the operator is told: failureMessage, and a server's own reason.
Result<> openConnection(Connection& con, const QString& failureMessage)
{
    Connection::OpenStatus status = con.open();
    if (status == Connection::OpenStatus::AlreadyOpen) {
        con.close();
        status = con.open();
    }
    if (status == Connection::OpenStatus::Opened)
        return Done{};
    if (con.engine() == Connection::Engine::Server)
        return error(ErrorKind::ServerAway,
                     failureMessage + QStringLiteral("\n\n") + con.lastError());
    const bool missing = status == Connection::OpenStatus::NoSuchFile ||
                         status == Connection::OpenStatus::NoSuchDataSource;
    // A file the user may not use says why in words below the message.
    const bool notAllowed = status == Connection::OpenStatus::NotAllowed;
    return error(missing ? ErrorKind::MissingFile : ErrorKind::Other,
                 notAllowed ? failureMessage + QStringLiteral("\n\n") + con.lastError()
                            : failureMessage);
}
} // namespace
} // namespace datastore

using datastore::Done;
using datastore::ErrorKind;
using datastore::Result;

QString DbPassword()
{
    return QStringLiteral("qzrt5172");
}

Result<> OpenSerPath()
{
    Con_SerPath = std::make_unique<Connection>();
    Gen_DbPwd = DbPassword();
    Con_SerPath->ConnectionString =
        QStringLiteral("Provider=Microsoft.jet.oledb.3.51; Data Source=") +
        datastore::serPathFile() + QStringLiteral(";Jet OLEDB:Database Password=") + Gen_DbPwd;
    return datastore::openConnection(
        *Con_SerPath, QCoreApplication::translate("Startup", "Data Error - Path Database"));
}

namespace {
// Where unixODBC keeps the user's data sources.
QString odbcSettingsFile()
{
    const QString named = qEnvironmentVariable("ODBCINI");
    return named.isEmpty() ? QDir::homePath() + QStringLiteral("/.odbc.ini") : named;
}

Result<> readServerPath()
{
    auto rs = Con_SerPath->exec(QStringLiteral("Select rowid, * from ServerPath"));
    if (!rs)
        return datastore::Error{
            rs.error().kind,
            QCoreApplication::translate("Startup", "Data Error - %1").arg(rs.errorText())};
    if (!rs->next())
        return Done{};
    const qint64 firstRow = rs->value(QStringLiteral("rowid")).toLongLong();
    Gen_ServerPath = datastore::Null_Str(rs->value(QStringLiteral("Path")));
    const bool checked = rs->value(QStringLiteral("Chk")).toBool();
    const bool mainMissing =
        !platform::fileExists(Gen_ServerPath + QStringLiteral("\\DataBas\\Main.Mdb"));
    if (!mainMissing || checked)
        return Done{};
    rs =
        Con_SerPath->exec(QStringLiteral("Update ServerPath Set Path = ?, Chk = 1 Where rowid = ?"),
                          {Gen_AppPath, firstRow});
    if (!rs)
        return datastore::Error{
            rs.error().kind,
            QCoreApplication::translate("Startup", "Data Error - %1").arg(rs.errorText())};
    // First start after installation: the program's folder becomes the data root, once.
    Gen_ServerPath = Gen_AppPath;
    return Done{};
}
} // namespace

Result<> Get_ServerPath()
{
    Gen_AppPath = platform::programFolder();
    Result<> opened = OpenSerPath();
    if (!opened)
        return opened;
    Result<> read = readServerPath();
    Con_SerPath->close();
    return read;
}

Result<> Reg_Dsn(const QString& DsnName, const QString& DbFile)
{
    const QString file = platform::resolvePath(DbFile);
    if (platform::isServerDsn(DsnName))
        return Done{}; // a database on a server: the data source is the installation's, kept
    if (platform::dsnExists(DsnName)) {
        // Re-pointed at every call, with no file test, as the registration always was.
        platform::removeDsn(DsnName);
    } else if (!platform::fileExists(DbFile)) {
        return datastore::error(
            ErrorKind::MissingFile,
            QCoreApplication::translate("Startup", "Database file doesn't exist!"));
    }
    // Read back: a settings file that cannot be written may still name another file, and the
    // desk would then write its receipts there.
    if (!platform::writeDsn(DsnName, file) || platform::dsnDatabase(DsnName) != file)
        return datastore::error(
            ErrorKind::Other,
            QCoreApplication::translate(
                "Startup", "The data source %1 could not be pointed at %2: the ODBC settings file "
                           "%3 cannot be written. The desk does not go on through a data source "
                           "that may name another file.")
                .arg(DsnName, file, odbcSettingsFile()));
    return Done{};
}

Result<> Set_MainDsn()
{
    Con_Main = std::make_unique<Connection>();
    Gen_ConStrMain =
        QStringLiteral("DSN=QUENMOOR_MAIN;UID=;PWD=") + Gen_DbPwd + QStringLiteral(";");
    return Reg_Dsn(QString::fromLatin1(datastore::kMainDsn), datastore::mainDatabaseFile());
}

Result<> OpenMain()
{
    if (!Con_Main)
        Con_Main = std::make_unique<Connection>();
    Con_Main->ConnectionString = Gen_ConStrMain;
    return datastore::openConnection(
        *Con_Main, QCoreApplication::translate("Startup", "Data Error - Main Database "));
}

QString datastore::serverDatabaseName(const QString& dbMst)
{
    return dbMst.trimmed().toLower();
}

bool datastore::registerServerYear(const QString& dbMst)
{
    const QString dsn = QString::fromLatin1(kMstDsnPrefix) + dbMst;
    const QString mainDsn = QString::fromLatin1(kMainDsn);
    if (dbMst.trimmed().isEmpty() || platform::dsnExists(dsn) || !platform::isServerDsn(mainDsn))
        return false;
    platform::ServerSource year = platform::dsnServer(mainDsn);
    year.database = serverDatabaseName(dbMst);
    return platform::writeServerDsn(dsn, year);
}

Result<> Set_MstDsn()
{
    Gen_ConStrMst =
        QStringLiteral("DSN=QUENMOOR_") + Gen_DbMst + QStringLiteral(";UID=;PWD=") + Gen_DbPwd;
    datastore::registerServerYear(Gen_DbMst);
    return Reg_Dsn(QString::fromLatin1(datastore::kMstDsnPrefix) + Gen_DbMst,
                   datastore::mstDatabaseFile(Gen_DbMst));
}

Result<> OpenMst(Connection& con)
{
    con.ConnectionString = datastore::mstConnectionString();
    return datastore::openConnection(
        con, QCoreApplication::translate("Startup", "Data Error - Master Database "));
}

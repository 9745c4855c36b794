#include "Startup.h"

#include "GenState.h"
#include "platform/DsnRegistry.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProgramEnd.h"

#include <QElapsedTimer>
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

namespace {
enum class ServerAway { Ends, GoesOn };

// How every opener of the company year reaches it: by its data source.
QString mstConnectionString()
{
    return QStringLiteral("DSN=QUENMOOR_") + Gen_DbMst + QStringLiteral(";UID=;PWD=") + Gen_DbPwd +
           QStringLiteral(";");
}

// Whether the operator has been told that the server is away since it was last reached.
bool serverAwayTold = false;
// When a read in mid-shift last failed to reach the server.
QElapsedTimer lastServerFailure;

// A server that did not answer is not asked again for a moment: each read of a route change
// (lists, truck, receipts) or each key in the lookup would otherwise wait out the connection
// timeout in turn while the window stands still.
bool serverRestsNow()
{
    return serverAwayTold && lastServerFailure.isValid() &&
           std::chrono::milliseconds(lastServerFailure.elapsed()) < kServerRetryPause;
}

// Opens a connection; one that is already open is closed and opened again. Any other failure
// is reported with its reason and ends the program (a server away in mid-shift may instead let
// it go on).
bool openOrEnd(Connection& con, const QString& failureMessage,
               ServerAway serverAway = ServerAway::Ends)
{
    if (serverAway == ServerAway::GoesOn && serverRestsNow())
        return false;
    Connection::OpenStatus status = con.open();
    if (status == Connection::OpenStatus::AlreadyOpen) {
        con.close();
        status = con.open();
    }
    if (status == Connection::OpenStatus::Opened) {
        if (con.engine() == Connection::Engine::Server)
            serverReached();
        return true;
    }
    // A server says why it could not be reached; the operator passes that on.
    const bool server = con.engine() == Connection::Engine::Server;
    const QString told =
        server ? failureMessage + QStringLiteral("\n\n") + con.lastError() : failureMessage;
    if (server && serverAway == ServerAway::GoesOn) {
        tellServerAway(told);
        return false;
    }
    platform::showMessage(told);
    platform::endProgram(platform::EndStatus::DataError);
    return false;
}
} // namespace

namespace {
const void* awayListenerOwner = nullptr;
std::function<void(const QString&)> awayListener;
} // namespace

void tellServerAway(const QString& message)
{
    lastServerFailure.start();
    if (serverAwayTold)
        return;
    serverAwayTold = true;
    platform::showMessage(message);
    if (awayListener)
        awayListener(message);
}

void serverReached()
{
    const bool wasAway = serverAwayTold;
    serverAwayTold = false;
    lastServerFailure.invalidate();
    if (wasAway && awayListener)
        awayListener(QString());
}

void setServerAwayListener(const void* owner, std::function<void(const QString&)> listener)
{
    awayListenerOwner = owner;
    awayListener = std::move(listener);
}

void removeServerAwayListener(const void* owner)
{
    if (awayListenerOwner != owner)
        return;
    awayListenerOwner = nullptr;
    awayListener = nullptr;
}
} // namespace datastore

QString DbPassword()
{
    return QStringLiteral("qzrt5172");
}

bool OpenSerPath()
{
    Con_SerPath = std::make_unique<Connection>();
    Gen_DbPwd = DbPassword();
    Con_SerPath->ConnectionString =
        QStringLiteral("Provider=Microsoft.jet.oledb.3.51; Data Source=") +
        datastore::serPathFile() + QStringLiteral(";Jet OLEDB:Database Password=") + Gen_DbPwd;
    return datastore::openOrEnd(*Con_SerPath, QStringLiteral("Data Error - Path Database"));
}

void Get_ServerPath()
{
    Gen_AppPath = platform::programFolder();
    if (!OpenSerPath())
        return;
    bool correct = false;
    qint64 firstRow = 0;
    {
        QSqlQuery query = Con_SerPath->run(QStringLiteral("Select rowid, * from ServerPath"));
        if (!query.isActive()) {
            datastore::reportQueryError(query);
        } else if (query.next()) {
            firstRow = query.value(QStringLiteral("rowid")).toLongLong();
            Gen_ServerPath = datastore::Null_Str(query.value(QStringLiteral("Path")));
            const bool checked = query.value(QStringLiteral("Chk")).toBool();
            const bool mainMissing =
                !platform::fileExists(Gen_ServerPath + QStringLiteral("\\DataBas\\Main.Mdb"));
            correct = mainMissing && !checked;
        }
    }
    if (correct) {
        // First start after installation: the program's folder becomes the data root, once.
        QSqlQuery update = Con_SerPath->run(
            QStringLiteral("Update ServerPath Set Path = ?, Chk = 1 Where rowid = ?"),
            {Gen_AppPath, firstRow});
        if (update.isActive())
            Gen_ServerPath = Gen_AppPath;
        else
            datastore::reportQueryError(update);
    }
    Con_SerPath->close();
}

void Reg_Dsn(const QString& DsnName, const QString& DbFile)
{
    const QString file = platform::resolvePath(DbFile);
    if (platform::isServerDsn(DsnName))
        return; // a database on a server: the data source is the installation's, kept as it is
    if (platform::dsnExists(DsnName)) {
        // Re-pointed at every call, with no file test, as the registration always was.
        platform::removeDsn(DsnName);
        platform::writeDsn(DsnName, file);
        return;
    }
    if (!platform::fileExists(DbFile)) {
        platform::showMessage(QStringLiteral("Database file doesn't exist!"), QString(),
                              platform::MessageKind::Critical);
        return;
    }
    platform::writeDsn(DsnName, file);
}

void Set_MainDsn()
{
    Con_Main = std::make_unique<Connection>();
    Reg_Dsn(QString::fromLatin1(datastore::kMainDsn), datastore::mainDatabaseFile());
    Gen_ConStrMain =
        QStringLiteral("DSN=QUENMOOR_MAIN;UID=;PWD=") + Gen_DbPwd + QStringLiteral(";");
}

bool OpenMain()
{
    if (!Con_Main)
        Con_Main = std::make_unique<Connection>();
    Con_Main->ConnectionString = Gen_ConStrMain;
    return datastore::openOrEnd(*Con_Main, QStringLiteral("Data Error - Main Database "));
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

void Set_MstDsn()
{
    datastore::registerServerYear(Gen_DbMst);
    Reg_Dsn(QString::fromLatin1(datastore::kMstDsnPrefix) + Gen_DbMst,
            datastore::mstDatabaseFile(Gen_DbMst));
    Gen_ConStrMst =
        QStringLiteral("DSN=QUENMOOR_") + Gen_DbMst + QStringLiteral(";UID=;PWD=") + Gen_DbPwd;
}

bool datastore::openMstQuietly(Connection& con, QString* why)
{
    con.ConnectionString = datastore::mstConnectionString();
    Connection::OpenStatus status = con.open();
    if (status == Connection::OpenStatus::AlreadyOpen) {
        con.close();
        status = con.open();
    }
    if (status == Connection::OpenStatus::Opened) {
        serverReached();
        return true;
    }
    if (why)
        *why = con.lastError();
    return false;
}

bool OpenMst(Connection& con)
{
    con.ConnectionString = datastore::mstConnectionString();
    return datastore::openOrEnd(con, QStringLiteral("Data Error - Master Database "));
}

bool datastore::openMstInShift(Connection& con)
{
    con.ConnectionString = datastore::mstConnectionString();
    return openOrEnd(con, QStringLiteral("Data Error - Master Database "), ServerAway::GoesOn);
}

bool datastore::openMainInShift()
{
    if (!Con_Main)
        Con_Main = std::make_unique<Connection>();
    Con_Main->ConnectionString = Gen_ConStrMain;
    return openOrEnd(*Con_Main, QStringLiteral("Data Error - Main Database "), ServerAway::GoesOn);
}

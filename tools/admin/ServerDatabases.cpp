#include "ServerDatabases.h"

#include "datastore/Audit.h"
#include "datastore/Roles.h"
#include "datastore/Startup.h"

#include <QAtomicInt>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <algorithm>

namespace admin {
namespace {

const QStringList kMainTables = {
    QStringLiteral("CREATE TABLE Pass (Uid integer PRIMARY KEY, UName text, PWD text, "
                   "SaveUser integer DEFAULT 0, Name text)"),
    QStringLiteral("CREATE TABLE Years (ComCode text NOT NULL, Code integer NOT NULL, DbMst text, "
                   "YStart date, YEnd date, ComName text, Town text, PRIMARY KEY (ComCode, Code))"),
    datastore::userTableStatement(datastore::Connection::Engine::Server),
};

const QStringList kCompanyTables = QStringList{
    QStringLiteral("CREATE TABLE Sms_Add (WghtFmt integer, BitsNoW double precision, "
                   "ComPortW integer, LanHostIP text, LanHostNo text, ComLan integer)"),
    QStringLiteral("CREATE TABLE Mast_Routes (RTRefNo integer PRIMARY KEY, RTType text, "
                   "RTInAct integer DEFAULT 0)"),
    QStringLiteral("CREATE TABLE Mast_RoutesSub (RTRefNo integer NOT NULL, SDate date, "
                   "EDate date, RTVehNo text)"),
    QStringLiteral("CREATE INDEX Mast_RoutesSub_RouteDate ON Mast_RoutesSub (RTRefNo, SDate)"),
    QStringLiteral("CREATE TABLE Mast_Villages (VRefNo integer PRIMARY KEY, VCode text, "
                   "VName text, RtRefNo integer, InAct integer)"),
    QStringLiteral("CREATE INDEX Mast_Villages_RouteCode ON Mast_Villages (RtRefNo, VCode)"),
    QStringLiteral("CREATE INDEX Mast_Villages_RouteName ON Mast_Villages (RtRefNo, VName)"),
    // The lookup compares lower(column) LIKE lower(prefix): a range search on these.
    QStringLiteral("CREATE INDEX Mast_Villages_RouteCodeLower ON Mast_Villages "
                   "(RtRefNo, lower(VCode) text_pattern_ops)"),
    QStringLiteral("CREATE INDEX Mast_Villages_RouteNameLower ON Mast_Villages "
                   "(RtRefNo, lower(VName) text_pattern_ops)"),
    QStringLiteral("CREATE TABLE Mast_Animal (ACode integer PRIMARY KEY, AType text)"),
    QStringLiteral("CREATE TABLE Mast_Milk (MCode integer PRIMARY KEY, MType text)"),
    QStringLiteral(
        "CREATE TABLE Data_Wght (RefNo integer NOT NULL, RefDate date, AmPm integer, "
        "RtRefNo integer, VRefNo integer, ACode integer, MCode integer, DlySlNo integer, "
        "CansRecd double precision, MWeight double precision, Uid integer, UName text, "
        "Stat integer, ColTime text, TruckNo text, SchTime text, ArrTime text, "
        "TruckKMR double precision, TruckRecAmt double precision, TruckRemarks text)"),
    QStringLiteral("CREATE UNIQUE INDEX Data_Wght_RefNo ON Data_Wght (RefNo)"),
    QStringLiteral("CREATE INDEX Data_Wght_Shift ON Data_Wght (RefDate, AmPm, DlySlNo)"),
} + datastore::auditTableStatements(datastore::Connection::Engine::Server);

QAtomicInt connectionCounter;

// One connection for the length of a call, removed again afterwards.
class ServerSession {
public:
    explicit ServerSession(const platform::ServerSource& source)
        : m_name(QStringLiteral("tarvolen-admin-server-%1")
                     .arg(connectionCounter.fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(source.host);
        db.setPort(source.port);
        db.setDatabaseName(source.database);
        db.setUserName(source.user);
        db.setPassword(source.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!db.open())
            m_error = QStringLiteral("cannot reach the database %1 on %2:%3: %4")
                          .arg(source.database, source.host)
                          .arg(source.port)
                          .arg(db.lastError().text().trimmed());
    }
    ~ServerSession()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;

    QString error() const { return m_error; }

    // Empty text, or the failure with its statement.
    QString exec(const QString& statement, const QVariantList& values = {})
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        bool ok = false;
        if (values.isEmpty()) {
            ok = query.exec(statement);
        } else {
            ok = query.prepare(statement);
            for (const QVariant& value : values)
                query.addBindValue(value);
            ok = ok && query.exec();
        }
        return ok ? QString()
                  : query.lastError().text().trimmed() + QStringLiteral(" in: ") + statement;
    }

private:
    QString m_name;
    QString m_error;
};

// A company code may start with a digit or hold a dash ("1GV", "GV-2"): such names are written
// quoted, and nothing else may reach a statement.
bool isPlainName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9_][a-z0-9_-]{0,62}$"));
    return plain.match(name).hasMatch();
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}
} // namespace

std::optional<ServerAddress> parseServerUrl(const QString& url, QString* error)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme();
    if (!parsed.isValid() ||
        (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")) ||
        parsed.host().isEmpty() || parsed.userName().isEmpty() ||
        !(parsed.path().isEmpty() || parsed.path() == QLatin1String("/"))) {
        *error = QStringLiteral("the server must be given as "
                                "postgresql://USER@HOST[:PORT], not \"%1\"")
                     .arg(url.section(QLatin1Char('@'), -1));
        return std::nullopt;
    }
    if (!parsed.password().isEmpty()) {
        *error = QStringLiteral("a password in the server's address is seen by every user (ps) "
                                "and kept in the shell's history: give postgresql://USER@HOST:PORT "
                                "and the password with --password-stdin, PGPASSWORD or the "
                                "user's ~/.pgpass");
        return std::nullopt;
    }
    ServerAddress server;
    server.host = parsed.host();
    server.port = parsed.port(5432);
    server.user = parsed.userName();
    return server;
}

QString rememberPassword(const ServerAddress& server, QString* file)
{
    *file = qEnvironmentVariable("PGPASSFILE",
                                 qEnvironmentVariable("HOME") + QStringLiteral("/.pgpass"));
    // host:port:database:user:password, with : and \ escaped
    const auto escaped = [](QString text) {
        return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char(':'), QStringLiteral("\\:"));
    };
    const QString key = QStringLiteral("%1:%2:*:%3:")
                            .arg(escaped(server.host))
                            .arg(server.port)
                            .arg(escaped(server.user));
    QStringList lines;
    QFile old(*file);
    if (old.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(old.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    old.close();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const QString& line) { return line.startsWith(key); }),
                lines.end());
    lines << key + escaped(server.password);
    QSaveFile out(*file);
    // Made 0600 before a byte is written: the server's client library ignores a file others
    // can read, and so would anyone else.
    if (!out.open(QIODevice::WriteOnly) ||
        !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 ||
        !out.commit())
        return QStringLiteral("cannot write %1: %2").arg(*file, out.errorString());
    return QString();
}

platform::ServerSource serverSource(const ServerAddress& server, const QString& database)
{
    platform::ServerSource source;
    source.host = server.host;
    source.port = server.port;
    source.database = database;
    source.user = server.user;
    source.password = server.password;
    return source;
}

QString serverDatabaseName(const QString& dbMst)
{
    return datastore::serverDatabaseName(dbMst);
}

QString createServerDatabase(const ServerAddress& server, const QString& database,
                             ServerSchema schema)
{
    if (!isPlainName(database))
        return QStringLiteral("\"%1\" cannot name a server database: letters, digits, - and _ only")
            .arg(database);
    {
        ServerSession maintenance(serverSource(server, QStringLiteral("postgres")));
        if (!maintenance.error().isEmpty())
            return maintenance.error();
        const QString error =
            maintenance.exec(QStringLiteral("CREATE DATABASE ") + quoted(database));
        if (!error.isEmpty())
            return error;
    }
    const QString error = execOnServer(serverSource(server, database),
                                       schema == ServerSchema::Main ? kMainTables : kCompanyTables);
    if (!error.isEmpty())
        dropServerDatabase(server, database);
    return error;
}

QString dropServerDatabase(const ServerAddress& server, const QString& database)
{
    if (!isPlainName(database))
        return QStringLiteral("\"%1\" cannot name a server database").arg(database);
    ServerSession maintenance(serverSource(server, QStringLiteral("postgres")));
    if (!maintenance.error().isEmpty())
        return maintenance.error();
    return maintenance.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + quoted(database));
}

QString execOnServer(const platform::ServerSource& source, const QStringList& statements,
                     const QVariantList& values)
{
    ServerSession session(source);
    if (!session.error().isEmpty())
        return session.error();
    QString error = session.exec(QStringLiteral("BEGIN"));
    for (const QString& statement : statements) {
        if (!error.isEmpty())
            break;
        error = session.exec(statement, values);
    }
    session.exec(error.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
    return error;
}

} // namespace admin

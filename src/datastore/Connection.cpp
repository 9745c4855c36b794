#include "Connection.h"

#include "FileAccess.h"
#include "SqlFunctions.h"
#include "WriteTransaction.h"
#include "platform/DsnRegistry.h"
#include "platform/Paths.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <chrono>

namespace datastore {
namespace {
// A server that does not answer is reported instead of hanging the desk.
constexpr std::chrono::seconds kConnectTimeout{5};

QAtomicInt connectionCounter;

QString valueOf(const QString& connectionString, const QString& key)
{
    const QStringList pairs = connectionString.split(QLatin1Char(';'));
    for (const QString& pair : pairs) {
        const int equals = pair.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (pair.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return pair.mid(equals + 1).trimmed();
    }
    return QString();
}
} // namespace

Connection::Connection()
    : m_name(QStringLiteral("tarvolen-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Connection::~Connection()
{
    close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

QString Connection::fileFor(const QString& connectionString, OpenStatus* why)
{
    QString file = valueOf(connectionString, QStringLiteral("Data Source"));
    const QString dsn = valueOf(connectionString, QStringLiteral("DSN"));
    if (file.isEmpty() && !dsn.isEmpty()) {
        if (!platform::dsnExists(dsn)) {
            if (why)
                *why = OpenStatus::NoSuchDataSource;
            return QString();
        }
        file = platform::dsnDatabase(dsn);
    }
    const QString resolved = platform::resolvePath(file);
    if (file.isEmpty() || !QFileInfo(resolved).isFile()) {
        if (why)
            *why = OpenStatus::NoSuchFile;
        return QString();
    }
    return resolved;
}

Connection::OpenStatus Connection::open()
{
    if (isOpen()) {
        m_lastError = QStringLiteral("the connection is already open");
        return OpenStatus::AlreadyOpen;
    }
    const QString dsn = valueOf(ConnectionString, QStringLiteral("DSN"));
    if (valueOf(ConnectionString, QStringLiteral("Data Source")).isEmpty() &&
        platform::isServerDsn(dsn))
        return open(platform::dsnServer(dsn));
    OpenStatus why = OpenStatus::Failed;
    const QString file = fileFor(ConnectionString, &why);
    if (file.isEmpty()) {
        m_lastError =
            why == OpenStatus::NoSuchDataSource
                ? QCoreApplication::translate("Connection", "the data source is not registered")
                : QCoreApplication::translate("Connection", "the database file does not exist");
        return why;
    }
    return openFile(file);
}

namespace {
// A connection name is kept for one driver; a connection that changes engine starts afresh.
QSqlDatabase databaseFor(const QString& name, const QString& driver)
{
    if (QSqlDatabase::contains(name)) {
        if (QSqlDatabase::database(name, false).driverName() == driver)
            return QSqlDatabase::database(name, false);
        QSqlDatabase::removeDatabase(name);
    }
    return QSqlDatabase::addDatabase(driver, name);
}
} // namespace

Connection::OpenStatus Connection::openFile(const QString& file)
{
    // A file this user may not read is told in words (which file, which group), never as the
    // engine's "unable to open database file" at the first statement.
    const QString unreadable = fileAccessProblem(file, FileUse::Read);
    if (!unreadable.isEmpty() && unreadable != openToOthersProblem(file)) {
        m_lastError = unreadable;
        return OpenStatus::NotAllowed;
    }
    QSqlDatabase db = databaseFor(m_name, QStringLiteral("QSQLITE"));
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kFileLockWait.count()));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return OpenStatus::Failed;
    }
    if (!registerSqlFunctions(db)) {
        m_lastError = QStringLiteral("the date function could not be registered");
        db.close();
        return OpenStatus::Failed;
    }
    m_fileName = file;
    m_engine = Engine::File;
    m_lastError.clear();
    return OpenStatus::Opened;
}

Connection::OpenStatus Connection::open(const platform::ServerSource& server)
{
    if (isOpen()) {
        m_lastError = QStringLiteral("the connection is already open");
        return OpenStatus::AlreadyOpen;
    }
    m_engine = Engine::Server; // also when it fails: the failure is the server's
    QSqlDatabase db = databaseFor(m_name, QStringLiteral("QPSQL"));
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    db.setPassword(server.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(kConnectTimeout.count()));
    if (!db.open()) {
        m_lastError = db.lastError().text().trimmed();
        return OpenStatus::Failed;
    }
    m_fileName.clear();
    m_engine = Engine::Server;
    m_lastError.clear();
    return OpenStatus::Opened;
}

QStringList Connection::beginWriteStatements(const QString& lockedTable, bool noWait) const
{
    if (m_engine == Engine::Server) {
        if (lockedTable.isEmpty())
            return {QStringLiteral("BEGIN")};
        return {QStringLiteral("BEGIN"),
                QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE%2")
                    .arg(lockedTable, noWait ? QStringLiteral(" NOWAIT") : QString())};
    }
    return {QStringLiteral("BEGIN IMMEDIATE")};
}

void Connection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen())
        db.close();
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QSqlQuery Connection::run(const QString& statement, const QVariantList& values, Rows rows)
{
    QSqlQuery query(database());
    // A forward-only query on a server streams its rows and is lost as soon as another
    // statement runs on the connection; the desk reads nested (companies, then each one's
    // years), so a server's rows are fetched whole.
    query.setForwardOnly(rows == Rows::Forward && m_engine != Engine::Server);
    // A server cannot prepare BEGIN, LOCK and the like; statements without values go as they are.
    if (values.isEmpty() && m_engine == Engine::Server) {
        query.exec(statement);
        return query;
    }
    if (!query.prepare(statement))
        return query;
    for (const QVariant& value : values)
        query.addBindValue(value);
    query.exec();
    return query;
}

Result<QSqlQuery> Connection::exec(const QString& statement, const QVariantList& values, Rows rows)
{
    QSqlQuery query = run(statement, values, rows);
    if (query.isActive())
        return query;
    return errorOf(query);
}

Error Connection::errorOf(const QSqlQuery& query) const
{
    const QString text = describeError(query);
    if (metALock(query))
        return Error{ErrorKind::Busy, text};
    // A server that went away takes the connection with it: the driver then reports a
    // connection error, or the connection is no longer open.
    if (m_engine == Engine::Server &&
        (!isOpen() || query.lastError().type() == QSqlError::ConnectionError ||
         query.lastError().databaseText().contains(QStringLiteral("connection"),
                                                   Qt::CaseInsensitive)))
        return Error{ErrorKind::ServerAway, text};
    return Error{ErrorKind::Other, text};
}

QString describeError(const QSqlQuery& query)
{
    QString reason = query.lastError().text().trimmed();
    if (reason.isEmpty())
        reason = QCoreApplication::translate("Connection", "the database did not answer");
    return reason + QStringLiteral("\n\nStatement: ") + query.lastQuery();
}

} // namespace datastore

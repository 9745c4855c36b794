#include "WriteTransaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace datastore {
namespace {
// SQLite's "database is locked" (5) and "database table is locked" (6); the server's
// "lock not available" (55P03).
const QStringList kBusyCodes = {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("55P03")};
} // namespace

bool metALock(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    const QString text = error.databaseText();
    return kBusyCodes.contains(error.nativeErrorCode()) ||
           text.contains(QStringLiteral("locked"), Qt::CaseInsensitive) ||
           text.contains(QStringLiteral("lock timeout"), Qt::CaseInsensitive) ||
           text.contains(QStringLiteral("could not obtain lock"), Qt::CaseInsensitive);
}

void setLockWait(Connection& con, std::chrono::milliseconds wait)
{
    // A server's writer that must not wait asks for its table lock with NOWAIT (see tryBegin);
    // a wait set for the whole session would also cut short the statements inside the
    // transaction.
    if (con.engine() == Connection::Engine::Server)
        return;
    con.run(QStringLiteral("PRAGMA busy_timeout = %1").arg(wait.count()));
}

WriteTransaction::WriteTransaction(Connection& con, const QString& lockedTable)
    : m_con(con), m_lockedTable(lockedTable)
{
    tryBegin();
}

WriteTransaction::WriteTransaction(Connection& con, Deferred, const QString& lockedTable)
    : m_con(con), m_lockedTable(lockedTable), m_tries(true)
{
}

WriteTransaction::~WriteTransaction()
{
    rollback();
}

LockTry WriteTransaction::tryBegin()
{
    if (m_active)
        return LockTry::Done;
    // The engine's own way of taking the write lock at the start of a transaction: SQLite
    // takes its reserved lock (readers go on); a server begins and locks the table.
    const QStringList statements = m_con.beginWriteStatements(m_lockedTable, m_tries);
    for (int i = 0; i < statements.size(); ++i) {
        const QSqlQuery begin = m_con.run(statements[i]);
        if (!begin.isActive()) {
            m_error = describeError(begin);
            if (i > 0) // begun, but the lock was not had
                m_con.run(QStringLiteral("ROLLBACK"));
            return metALock(begin) ? LockTry::Busy : LockTry::Failed;
        }
    }
    m_active = true;
    return LockTry::Done;
}

LockTry WriteTransaction::tryCommit()
{
    if (!m_active)
        return LockTry::Failed;
    const QSqlQuery commitQuery = m_con.run(QStringLiteral("COMMIT"));
    if (!commitQuery.isActive()) {
        m_error = describeError(commitQuery);
        return metALock(commitQuery) ? LockTry::Busy : LockTry::Failed;
    }
    m_active = false;
    return LockTry::Done;
}

void WriteTransaction::rollback()
{
    if (!m_active)
        return;
    m_con.run(QStringLiteral("ROLLBACK"));
    m_active = false;
}

} // namespace datastore

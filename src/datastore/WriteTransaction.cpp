#include "WriteTransaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace datastore {
namespace {
// The engine's own way of taking the write lock at the start of a transaction: SQLite takes
// its reserved lock here, so that readers go on while this connection writes.
QSqlQuery beginWrite(Connection& con)
{
    return con.run(QStringLiteral("BEGIN IMMEDIATE"));
}

// SQLite's "database is locked" (5) and "database table is locked" (6).
const QStringList kBusyCodes = {QStringLiteral("5"), QStringLiteral("6")};
} // namespace

bool metALock(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    return kBusyCodes.contains(error.nativeErrorCode()) ||
           error.databaseText().contains(QStringLiteral("locked"), Qt::CaseInsensitive);
}

void setLockWait(Connection& con, std::chrono::milliseconds wait)
{
    con.run(QStringLiteral("PRAGMA busy_timeout = %1").arg(wait.count()));
}

WriteTransaction::WriteTransaction(Connection& con) : m_con(con)
{
    tryBegin();
}

WriteTransaction::WriteTransaction(Connection& con, Deferred) : m_con(con) {}

WriteTransaction::~WriteTransaction()
{
    rollback();
}

LockTry WriteTransaction::tryBegin()
{
    if (m_active)
        return LockTry::Done;
    const QSqlQuery begin = beginWrite(m_con);
    m_active = begin.isActive();
    if (m_active)
        return LockTry::Done;
    m_error = describeError(begin);
    return metALock(begin) ? LockTry::Busy : LockTry::Failed;
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

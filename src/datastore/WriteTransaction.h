#pragma once

#include "Connection.h"

#include <chrono>

namespace datastore {

// How one try at a lock ended.
enum class LockTry {
    Done,   // the statement went through
    Busy,   // another connection holds the lock: nothing changed, try again later
    Failed, // a fault that waiting will not mend (see error())
};

// Whether a failed statement met another connection's lock rather than a fault.
bool metALock(const QSqlQuery& query);

// How long one statement of a write may wait in the engine for another connection's lock
// before it comes back busy. A caller that retries on its own sets this short, so that its
// thread is never held up long.
void setLockWait(Connection& con, std::chrono::milliseconds wait);

// The write lock is taken before the next numbers are read, so two desks never compute the
// same ones (on a server: BEGIN and a lock on lockedTable). Rolled back on destruction unless
// committed.
class WriteTransaction {
public:
    struct Deferred {};
    // Begins at once, waiting as long as the connection's own lock wait allows.
    explicit WriteTransaction(Connection& con, const QString& lockedTable = QString());
    // Begins only through tryBegin().
    WriteTransaction(Connection& con, Deferred, const QString& lockedTable = QString());
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    bool isActive() const { return m_active; }
    QString error() const { return m_error; }
    // Nothing has been done before the lock is held, so a busy begin can simply be tried again.
    LockTry tryBegin();
    // A commit that has to wait for readers keeps the transaction and its row; try again.
    LockTry tryCommit();
    bool commit() { return tryCommit() == LockTry::Done; }
    void rollback();

private:
    Connection& m_con;
    QString m_lockedTable;
    // Begun by tries that come back busy at once, rather than by one waiting begin.
    bool m_tries = false;
    bool m_active = false;
    QString m_error;
};

} // namespace datastore

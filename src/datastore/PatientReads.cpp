#include "PatientReads.h"

#include "WriteTransaction.h"

#include <QElapsedTimer>

namespace datastore {
namespace {
ReadWait* currentWait = nullptr;
std::chrono::milliseconds waitLimit = kReadWaitLimit;

bool tryOnce(Connection& con, QSqlQuery* query, const QString& statement,
             const std::function<void(QSqlQuery&)>& bind, bool forwardOnly)
{
    *query = QSqlQuery(con.database());
    // A server's rows are fetched whole, as Connection::run does.
    query->setForwardOnly(forwardOnly && con.engine() != Connection::Engine::Server);
    if (!query->prepare(statement))
        return false;
    if (bind)
        bind(*query);
    return query->exec();
}
} // namespace

void setReadWait(ReadWait* wait)
{
    currentWait = wait;
}

ReadWait* readWait()
{
    return currentWait;
}

void setReadWaitLimit(std::chrono::milliseconds limit)
{
    waitLimit = limit;
}

bool runPatiently(Connection& con, QSqlQuery* query, const QString& statement,
                  const std::function<void(QSqlQuery&)>& bind, bool forwardOnly)
{
    // A server's readers never wait for its writers.
    ReadWait* const wait = con.engine() == Connection::Engine::File ? currentWait : nullptr;
    if (!wait)
        return tryOnce(con, query, statement, bind, forwardOnly);
    setLockWait(con, kReadTryWait);
    QElapsedTimer waited;
    bool read = tryOnce(con, query, statement, bind, forwardOnly);
    if (!read && metALock(*query)) {
        waited.start();
        wait->started();
        while (!read && metALock(*query) &&
               std::chrono::milliseconds(waited.elapsed()) < waitLimit) {
            wait->pause(kReadPause);
            read = tryOnce(con, query, statement, bind, forwardOnly);
        }
        wait->ended();
    }
    setLockWait(con, Connection::kFileLockWait);
    return read;
}

QSqlQuery readPatiently(Connection& con, const QString& statement, const QVariantList& values)
{
    if (con.engine() == Connection::Engine::Server || !currentWait)
        return con.run(statement, values);
    QSqlQuery query;
    runPatiently(con, &query, statement, [&values](QSqlQuery& q) {
        for (const QVariant& value : values)
            q.addBindValue(value);
    });
    return query;
}

} // namespace datastore

#pragma once

#include "Connection.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <chrono>
#include <functional>

// Reads that meet another connection's lock on a shared file without holding their thread on
// it: each try waits in the engine only a moment, and between tries the program that installed
// a ReadWait gets its events run. Without one (the tools), a read waits in the engine as always.
namespace datastore {

// How long one try waits in the engine, and how long a read keeps trying before it fails.
constexpr std::chrono::milliseconds kReadTryWait{50};
constexpr std::chrono::milliseconds kReadPause{50};
constexpr std::chrono::milliseconds kReadWaitLimit{30000};

// What a program does while one of its reads waits for another connection's lock.
class ReadWait {
public:
    virtual ~ReadWait() = default;
    // The first try met a lock.
    virtual void started() = 0;
    // Between two tries: returns after about pause, having let pending events run.
    virtual void pause(std::chrono::milliseconds pause) = 0;
    // The read went through or gave up.
    virtual void ended() = 0;
};

// The wait every read of this program uses from now on; nullptr: reads wait in the engine.
void setReadWait(ReadWait* wait);
ReadWait* readWait();
// For tests: how long a read keeps trying.
void setReadWaitLimit(std::chrono::milliseconds limit);

// Prepares the statement, binds through bind and runs it; a lock met on a file is tried again
// as above. The failure, if any, is left in *query. A query that a model shows must be able to
// go back over its rows (not forward only).
bool runPatiently(Connection& con, QSqlQuery* query, const QString& statement,
                  const std::function<void(QSqlQuery&)>& bind, bool forwardOnly = true);
// The same with positional values, as Connection::run takes them.
QSqlQuery readPatiently(Connection& con, const QString& statement, const QVariantList& values = {});

} // namespace datastore

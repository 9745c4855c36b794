#pragma once

#include "Result.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <chrono>

namespace platform {
struct ServerSource;
}

namespace datastore {

// One database connection object: a connection string, opened and closed by its users.
// The string is either "Provider=...; Data Source=<file>;..." (a file by path) or
// "DSN=<name>;UID=;PWD=...;" (a named data source, resolved through the registry). A data
// source of the SQLite driver leads to a file; one of the PostgreSQL driver to a database on
// that server, with the server, user and password the data source names.
class Connection {
public:
    // NotAllowed: this user may not read the file (lastError says why, in words).
    enum class OpenStatus { Opened, AlreadyOpen, NoSuchDataSource, NoSuchFile, NotAllowed, Failed };
    enum class Engine { File, Server };
    // Other programs share the files; a statement waits this long for their locks rather than
    // fail at once (a window's reads wait shorter and try again, see PatientReads.h).
    static constexpr std::chrono::milliseconds kFileLockWait{10000};

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString ConnectionString;

    OpenStatus open();
    // A database of a server reached without a data source: the databases that no desk opens
    // (a union's copies of its centres' years). The connection string is not used.
    OpenStatus open(const platform::ServerSource& server);
    void close();
    bool isOpen() const;
    QString lastError() const { return m_lastError; }
    QString fileName() const { return m_fileName; }
    QSqlDatabase database() const;
    // Which engine the last open reached.
    Engine engine() const { return m_engine; }

    // The statements that begin a write transaction on this engine. On a file the write lock
    // is taken at once (BEGIN IMMEDIATE); on a server the table written is locked against
    // other writers, so that next numbers read inside the transaction stay next; with noWait
    // a lock another writer holds fails at once instead of being waited for.
    QStringList beginWriteStatements(const QString& lockedTable, bool noWait = false) const;

    // Whether a query's rows are read once in order, or gone back over (a model shows them).
    enum class Rows { Forward, Scrollable };

    // The one way a statement runs: prepared, its values bound in order (for "?" and for named
    // placeholders alike) and run; anything an operator typed goes in as a value. The query
    // with its rows, or why it failed: busy (another connection's lock), the server gone, or
    // another fault, with the statement.
    Result<QSqlQuery> exec(const QString& statement, const QVariantList& values = {},
                           Rows rows = Rows::Forward);
    // The same with the failure left in the query (see describeError), for callers that read
    // the query's own error.
    QSqlQuery run(const QString& statement, const QVariantList& values = {},
                  Rows rows = Rows::Forward);
    // What went wrong with a query that ran on this connection.
    Error errorOf(const QSqlQuery& query) const;

    // The file a connection string leads to, or empty text with the reason in *why.
    static QString fileFor(const QString& connectionString, OpenStatus* why = nullptr);

private:
    OpenStatus openFile(const QString& file);

    QString m_name;
    Engine m_engine = Engine::File;
    QString m_fileName;
    QString m_lastError;
};

// "reason" + the statement, for messages about a failed statement.
QString describeError(const QSqlQuery& query);

} // namespace datastore

#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <chrono>

namespace datastore {

// One database connection object: a connection string, opened and closed by its users.
// The string is either "Provider=...; Data Source=<file>;..." (a file by path) or
// "DSN=<name>;UID=;PWD=...;" (a named data source, resolved through the registry). A data
// source of the SQLite driver leads to a file; one of the PostgreSQL driver to a database on
// that server, with the server, user and password the data source names.
class Connection {
public:
    enum class OpenStatus { Opened, AlreadyOpen, NoSuchDataSource, NoSuchFile, Failed };
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

    // Runs a statement, with bound values for anything an operator typed. Failures are left
    // in the query (see describeError).
    QSqlQuery run(const QString& statement, const QVariantList& values = {});

    // The file a connection string leads to, or empty text with the reason in *why.
    static QString fileFor(const QString& connectionString, OpenStatus* why = nullptr);

private:
    OpenStatus openFile(const QString& file);
    OpenStatus openServer(const QString& dsn);

    QString m_name;
    Engine m_engine = Engine::File;
    QString m_fileName;
    QString m_lastError;
};

// "reason" + the statement, for messages about a failed statement.
QString describeError(const QSqlQuery& query);
// Tells the operator that a statement failed: "Data Error - " with the reason and statement.
void reportQueryError(const QSqlQuery& query);

} // namespace datastore

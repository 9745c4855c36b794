#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace datastore {

// One database connection object: a connection string, opened and closed by its users.
// The string is either "Provider=...; Data Source=<file>;..." (a file by path) or
// "DSN=<name>;UID=;PWD=...;" (a named data source, resolved through the registry).
class Connection {
public:
    enum class OpenStatus { Opened, AlreadyOpen, NoSuchDataSource, NoSuchFile, Failed };

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

    // Runs a statement, with bound values for anything an operator typed. Failures are left
    // in the query (see describeError).
    QSqlQuery run(const QString& statement, const QVariantList& values = {});

    // The file a connection string leads to, or empty text with the reason in *why.
    static QString fileFor(const QString& connectionString, OpenStatus* why = nullptr);

private:
    QString m_name;
    QString m_fileName;
    QString m_lastError;
};

// "reason" + the statement, for messages about a failed statement.
QString describeError(const QSqlQuery& query);
// Tells the operator that a statement failed: "Data Error - " with the reason and statement.
void reportQueryError(const QSqlQuery& query);

} // namespace datastore

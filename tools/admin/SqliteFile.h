#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace admin {

// A connection of the tool's own on one database file, gone again with the object, so that an
// early return never leaves a connection registered. Errors are kept as text with the statement.
class SqliteFile {
public:
    explicit SqliteFile(const QString& file);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Opening a file that does not exist creates it.
    bool open();
    void close();
    QString error() const { return m_error; }
    QString file() const { return m_file; }

    bool exec(const QString& statement, const QVariantList& values = {});
    // Runs a query whose rows the caller reads; inactive on failure (see error()).
    QSqlQuery select(const QString& statement, const QVariantList& values = {});

    bool begin() { return exec(QStringLiteral("BEGIN IMMEDIATE")); }
    bool commit() { return exec(QStringLiteral("COMMIT")); }
    void rollback();

private:
    QString m_file;
    QString m_name;
    QString m_error;
};

} // namespace admin

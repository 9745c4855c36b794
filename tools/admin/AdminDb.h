#pragma once

#include "datastore/Connection.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>

// The tool reaches its database files through the desk's own connection class, by path. Each
// function gives empty text on success, or what went wrong: the file, the reason and, for a
// statement, the statement.
namespace admin {

using Filler = std::function<QString(datastore::Connection&)>;

// Where a database is: a file's path, or "DSN=<name>" for a registered data source (a server
// installation's databases).
bool isDataSource(const QString& where);

// With create, a file that is not there yet is made first (an empty file is an empty database).
// A data source is opened by its name.
QString openFile(datastore::Connection& con, const QString& file, bool create = false);

QString exec(datastore::Connection& con, const QString& statement, const QVariantList& values = {});

// Statements run many times over (one a row of an import): each prepared once, so that a server
// takes a row in one round trip.
class PreparedStatements {
public:
    explicit PreparedStatements(datastore::Connection& con) : m_con(con) {}
    // Empty text, or what went wrong with the statement; with changedRows, also a statement
    // that changed another number of rows (an update whose row is not there).
    QString exec(const QString& statement, const QVariantList& values, int changedRows = -1);

private:
    datastore::Connection& m_con;
    QHash<QString, QSqlQuery> m_prepared;
};

// Why a query whose rows the caller wanted failed.
QString errorOf(const datastore::Connection& con, const QSqlQuery& query);

// Opens the file (made first with create) and runs fill inside one write transaction: all of
// it or nothing. On a server, lockedTable (when given) is locked against other writers first.
QString fillFile(const QString& file, const Filler& fill, bool create = false,
                 const QString& lockedTable = QString());

} // namespace admin

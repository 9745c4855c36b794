#pragma once

#include "ServerDatabases.h"

#include "datastore/Connection.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// What the union of centres shares on both ends of its replication: names and texts put into
// the statements that take no bound values, and connections to databases of a server.
namespace admin::unionsql {

// The publication every centre's company-year database carries, and the role the union
// subscribes as unless told otherwise.
inline const char* const kPublication = "tarvolen_union";
inline const char* const kDefaultRole = "tarvolen_union";

// "name", inner quotes doubled: a name read from a catalogue never reaches a statement bare.
QString identifier(const QString& name);
// 'text', inner quotes doubled (the server's strings take backslashes as they are).
QString literal(const QString& text);
// key='value' of a server connection string, with ' and \ escaped.
QString conninfoPair(const QString& key, const QString& value);

// Opens that database of the server; empty text or why not.
QString open(datastore::Connection& con, const ServerAddress& server, const QString& database);
// Runs the statements in order and stops at the first failure; empty text or that failure.
QString run(datastore::Connection& con, const QStringList& statements,
            const QVariantList& values = {});
// The first column of every row a statement gives, or the failure in *error.
QStringList column(datastore::Connection& con, const QString& statement, const QVariantList& values,
                   QString* error);

// For the rest of this session the server logs no statement's text, not even a failing one:
// for statements that carry a password (CREATE ROLE, CREATE SUBSCRIPTION). Needs a superuser.
QString keepOutOfLog(datastore::Connection& con);

// Whether the session's user is a superuser of its server.
bool isSuperuser(datastore::Connection& con, QString* error);

} // namespace admin::unionsql

#pragma once

#include "platform/DsnRegistry.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// Databases of a server installation: the main and company-year databases on a PostgreSQL
// server, with the tables and columns the desk uses in plain types (integer, double precision,
// text, date) and the indexes the file installation has.
namespace admin {

struct ServerAddress {
    QString host;
    int port = 5432;
    QString user;
    QString password; // empty: the client library's own (PGPASSWORD, ~/.pgpass)
};

// postgresql://USER@HOST[:PORT]; empty optional and *error for anything else, a password in
// the address included.
std::optional<ServerAddress> parseServerUrl(const QString& url, QString* error);

// Keeps the password in the user's ~/.pgpass (PGPASSFILE), 0600, for this host, port and user,
// where the desks' connections and PostgreSQL's own tools find it; *file names the file.
QString rememberPassword(const ServerAddress& server, QString* file);

// The data-source settings that reach one database of that server.
platform::ServerSource serverSource(const ServerAddress& server, const QString& database);

// Server database names fold to lower case; a DbMst names its database in lower case.
QString serverDatabaseName(const QString& dbMst);

enum class ServerSchema { Main, Company };

// CREATE DATABASE, then the tables of the schema; empty text on success. A database that
// exists already is refused.
QString createServerDatabase(const ServerAddress& server, const QString& database,
                             ServerSchema schema);
QString dropServerDatabase(const ServerAddress& server, const QString& database);

// Runs statements in order on one server database, in one transaction; stops at the first
// failure and returns it (with the statement). The values are bound to every statement.
QString execOnServer(const platform::ServerSource& source, const QStringList& statements,
                     const QVariantList& values = {});

} // namespace admin

#pragma once

#include "ServerDatabases.h"

#include <QDate>
#include <QString>

// A server installation: SerPath.mdb in the program's folder as ever, the main and company-year
// databases on a PostgreSQL server, reached through user data sources of the server's ODBC
// driver that the desk (and any other ODBC program) opens by name.
namespace admin {

inline const char* const kServerMainDatabase = "quenmoor_main";

struct ServerInitOptions {
    QString programDir;
    QString serverUrl; // postgresql://USER@HOST[:PORT]
    bool demo = false;
    QDate today;
    // Another desk of an installation made already: only SerPath.mdb and the data sources.
    bool join = false;
    // Given on standard input: used, and kept in the user's ~/.pgpass. Empty: the server's
    // client library finds it (PGPASSWORD, ~/.pgpass) or needs none.
    QString password{};
};
// Creates the databases (refusing databases that exist), registers QUENMOOR_MAIN and one
// QUENMOOR_<DbMst> a company year, and writes SerPath.mdb; what it created is taken away
// again when a step fails. *summary tells what was made.
QString initServerInstallation(const ServerInitOptions& options, QString* summary);
// A further desk of a server installation: registers QUENMOOR_MAIN and the data source of every
// company year listed in Years (replacing, and telling, one that names another database), and
// writes SerPath.mdb; nothing is made on the server. Refuses a server that has no installation
// and a desk that has QUENMOOR_MAIN.
QString joinServerInstallation(const ServerInitOptions& options, QString* summary);

// True when the main database is reached through a server data source.
bool isServerInstallation();

// A company year on a server installation: an empty database with the company tables on the
// server the main data source names, and its data source QUENMOOR_<dbMst>. Refused when either
// exists; nothing is left behind when a step fails.
QString createServerYear(const QString& dbMst);
// Drops that database and removes its data source again; empty text, or what was left behind.
QString removeServerYear(const QString& dbMst);
// "database <name> on HOST:PORT" as this desk's data source names it, for people.
QString describeServerYear(const QString& dbMst);

} // namespace admin

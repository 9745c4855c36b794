#pragma once

#include <QString>

namespace platform {

// Named data sources: unixODBC user data sources of the SQLite ODBC driver, so that any ODBC
// program reaches the same file by the same name. ODBCINI names the file; tests always set it.
inline const char* const kDsnDriver = "SQLite3";

bool dsnExists(const QString& name);
// The file a data source names, or empty text when there is no such data source.
QString dsnDatabase(const QString& name);
bool writeDsn(const QString& name, const QString& databaseFile);
bool removeDsn(const QString& name);

// A data source may instead name a database on a PostgreSQL server, through that server's ODBC
// driver, with the keys its own installer writes.
inline const char* const kServerDsnDriver = "PostgreSQL Unicode";

struct ServerSource {
    QString host; // Servername: a host name or address, or the folder of a local socket
    int port = 5432;
    QString database;
    QString user;
    QString password;
};

// The Driver a data source names, or empty text when there is no such data source.
QString dsnDriver(const QString& name);
// "PostgreSQL Unicode", "PostgreSQL ANSI" (or a path to that driver's library).
bool isServerDriver(const QString& driver);
bool isServerDsn(const QString& name);
// What a server data source names; meaningful only when isServerDsn(name).
ServerSource dsnServer(const QString& name);
bool writeServerDsn(const QString& name, const ServerSource& server);

} // namespace platform

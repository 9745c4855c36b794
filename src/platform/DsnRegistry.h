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

} // namespace platform

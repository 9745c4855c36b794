#pragma once

#include "Connection.h"

#include <QString>

// Where the databases lie, how they are opened, and the named data sources that reach them.

// The openers give back whether the connection is open, or why not, in the words the operator is
// told ("Data Error - ..."); nothing is shown here and nothing ends: the windows decide.
QString DbPassword();
datastore::Result<> Get_ServerPath();
datastore::Result<> OpenSerPath();
datastore::Result<> Set_MainDsn();
datastore::Result<> OpenMain();
datastore::Result<> Set_MstDsn();
datastore::Result<> OpenMst(datastore::Connection& con);
// Registers the data source, or points it at the file anew. A data source that cannot be
// written, or a file that is not there, is an error: no connection may then go through a data
// source that still names another file.
datastore::Result<> Reg_Dsn(const QString& DsnName, const QString& DbFile);

namespace datastore {
inline const char* const kMainDsn = "QUENMOOR_MAIN";
inline const char* const kMstDsnPrefix = "QUENMOOR_";

// The connection string of the chosen company year's data source.
QString mstConnectionString();

// A server installation keeps a company year in the database of its DbMst in small letters, on
// the main database's server.
QString serverDatabaseName(const QString& dbMst);
// On a server installation, a company year made from another desk has no data source on this
// one yet: it is registered the first time it is needed, from the main data source (same
// server, port, user and password). Returns whether a data source was written.
bool registerServerYear(const QString& dbMst);

QString serPathFile();                      // Gen_AppPath + "\SerPath.mdb"
QString mainDatabaseFile();                 // Gen_ServerPath + "\Databas\Main.mdb"
QString mstDatabaseFile(const QString& db); // Gen_ServerPath + "\Databas\" + db + ".mdb"
} // namespace datastore

#pragma once

#include "Connection.h"

#include <QString>

// Where the databases lie, how they are opened, and the named data sources that reach them.
// The openers report a failure to the operator and end the program; they return whether the
// connection is open, so that no statement runs on a closed one.

QString DbPassword();
void Get_ServerPath();
bool OpenSerPath();
void Set_MainDsn();
bool OpenMain();
void Set_MstDsn();
bool OpenMst(datastore::Connection& con);
void Reg_Dsn(const QString& DsnName, const QString& DbFile);

namespace datastore {
inline const char* const kMainDsn = "QUENMOOR_MAIN";
inline const char* const kMstDsnPrefix = "QUENMOOR_";

// OpenMst for an operation that reports its own failure (a receipt that could not be written
// while the server is away): nothing is shown and the program goes on; the reason in *why.
bool openMstQuietly(Connection& con, QString* why);

QString serPathFile();                      // Gen_AppPath + "\SerPath.mdb"
QString mainDatabaseFile();                 // Gen_ServerPath + "\Databas\Main.mdb"
QString mstDatabaseFile(const QString& db); // Gen_ServerPath + "\Databas\" + db + ".mdb"
} // namespace datastore

#pragma once

#include "Connection.h"

#include <QString>
#include <chrono>
#include <functional>

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

// OpenMst and OpenMain for the weighing window's reads once the shift is under way (the grid,
// the route's vehicle, the lookup, the shift report). A server that cannot be reached is told
// as at start, but the desk goes on and the next read tries again: the server may be back in a
// moment, and ending would throw away what the operator has typed. A company file that cannot
// be opened still ends the program.
bool openMstInShift(Connection& con);
bool openMainInShift();
// While the server is away every read of the window fails: the operator is told once, and
// again only after a read has reached the server (any opener above that gets through). After a
// failure (each one is reported here) the in-shift openers leave the server alone for
// kServerRetryPause.
constexpr std::chrono::milliseconds kServerRetryPause{2000};
void tellServerAway(const QString& message);
void serverReached();
// Called with the message when the operator is told that the server is away, and with empty
// text when it is reached again, so that a window can keep the outage in view. One listener at a
// time; its owner removes it (only its own).
void setServerAwayListener(const void* owner, std::function<void(const QString&)> listener);
void removeServerAwayListener(const void* owner);

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

#pragma once

// The program-wide state: one set for the run, all starting at 0, empty text or no object.

#include "Connection.h"
#include "NullFields.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <memory>

// Data store and start-up
extern QString Gen_AppPath;    // the program's own folder
extern QString Gen_ServerPath; // data root; the databases lie in its DataBas folder
extern QString Gen_DbPwd;      // the one database password
extern std::unique_ptr<datastore::Connection> Con_SerPath;
extern std::unique_ptr<datastore::Connection> Con_Main;
extern QString Gen_ConStrMain;
extern QString Gen_ConStrMst;

// Sign-in
extern qint16 Gen_Uid;
extern QString Gen_UName;

// Company and year
extern QString Gen_ComCode;
extern QString Gen_DbMst;
extern QDate Gen_YStart;
extern QDate Gen_YEnd;
extern QDate Gen_Today;

// Date and shift: 2 = "AM", 3 = "PM"
extern qint32 Gen_AmPm;

// Station settings
extern quint8 Gen_WghtFmt; // scale data format
extern quint8
    Gen_ComLan; // 1 serial on request, 2 network on request, 3 serial, 4 network continuous
extern quint8 Gen_ComPortW;             // serial port number, 0 = not set
extern datastore::Currency Gen_BitsNoW; // serial speed, 0 = not set
extern QString Gen_LanHostIP;
extern QString Gen_LanHostNo;

namespace datastore {
// Back to the start values; tests begin each case from here.
void resetGenState();
} // namespace datastore

#include "GenState.h"

#include "Startup.h"

QString Gen_AppPath;
QString Gen_ServerPath;
QString Gen_DbPwd;
std::unique_ptr<datastore::Connection> Con_SerPath;
std::unique_ptr<datastore::Connection> Con_Main;
QString Gen_ConStrMain;
QString Gen_ConStrMst;
qint16 Gen_Uid = 0;
QString Gen_UName;
QString Gen_ComCode;
QString Gen_DbMst;
QDate Gen_YStart;
QDate Gen_YEnd;
QDate Gen_Today;
qint32 Gen_AmPm = 0;
quint8 Gen_WghtFmt = 0;
quint8 Gen_ComLan = 0;
quint8 Gen_ComPortW = 0;
datastore::Currency Gen_BitsNoW;
QString Gen_LanHostIP;
QString Gen_LanHostNo;

namespace datastore {
void resetGenState()
{
    Gen_AppPath.clear();
    Gen_ServerPath.clear();
    Gen_DbPwd.clear();
    Con_SerPath.reset();
    Con_Main.reset();
    Gen_ConStrMain.clear();
    Gen_ConStrMst.clear();
    Gen_Uid = 0;
    Gen_UName.clear();
    Gen_ComCode.clear();
    Gen_DbMst.clear();
    Gen_YStart = QDate();
    Gen_YEnd = QDate();
    Gen_Today = QDate();
    Gen_AmPm = 0;
    Gen_WghtFmt = 0;
    Gen_ComLan = 0;
    Gen_ComPortW = 0;
    Gen_BitsNoW = Currency{};
    Gen_LanHostIP.clear();
    Gen_LanHostNo.clear();
}
} // namespace datastore

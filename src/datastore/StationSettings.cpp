#include "StationSettings.h"

#include "GenState.h"
#include "PatientReads.h"
#include "Startup.h"
#include "platform/Messages.h"

#include <QSqlQuery>
#include <QVariant>
#include <optional>

using datastore::Null_Cur;
using datastore::Null_Str;

namespace {
// A byte setting: the nearest whole number, halves to the even neighbour, within 0..255.
std::optional<quint8> byteSetting(const QSqlQuery& row, const char* column)
{
    const qint64 value = datastore::roundHalfEven(Null_Cur(row.value(column)).toDouble());
    if (value < 0 || value > 255) {
        platform::showMessage(QStringLiteral("The station's scale setting %1 holds %2, which is "
                                             "not a value from 0 to 255. No scale link is "
                                             "started until it is mended.")
                                  .arg(QLatin1String(column))
                                  .arg(value));
        return std::nullopt;
    }
    return quint8(value);
}
} // namespace

bool LoadStationSettings()
{
    Gen_BitsNoW = datastore::Currency{};
    Gen_ComPortW = 0;
    datastore::Connection con;
    if (!OpenMst(con))
        return false;
    QSqlQuery row = datastore::readPatiently(con, QStringLiteral("Select * from Sms_Add"));
    if (!row.isActive()) {
        datastore::reportQueryError(row);
        return false;
    }
    if (!row.next())
        return true;
    // All or nothing: a row with one setting out of range leaves no link half set up, so
    // that nothing polls a port the load said would not be used.
    const auto format = byteSetting(row, "WghtFmt");
    const auto port = format ? byteSetting(row, "ComPortW") : std::nullopt;
    const auto link = port ? byteSetting(row, "ComLan") : std::nullopt;
    if (!link) {
        Gen_WghtFmt = 0;
        Gen_ComLan = 0;
        return false;
    }
    Gen_WghtFmt = *format;
    Gen_BitsNoW = Null_Cur(row.value(QStringLiteral("BitsNoW")));
    Gen_ComPortW = *port;
    Gen_LanHostIP = Null_Str(row.value(QStringLiteral("LanHostIP")));
    Gen_LanHostNo = Null_Str(row.value(QStringLiteral("LanHostNo")));
    Gen_ComLan = *link;
    return true;
}

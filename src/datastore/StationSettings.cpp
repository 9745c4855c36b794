#include "StationSettings.h"

#include "GenState.h"
#include "NullFields.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <optional>

using datastore::Null_Cur;
using datastore::Null_Str;

namespace {
// A byte setting: the nearest whole number, halves to the even neighbour, within 0..255.
datastore::Result<quint8> byteSetting(const QSqlRecord& row, const char* column)
{
    const qint64 value = datastore::roundHalfEven(Null_Cur(row.value(column)).toDouble());
    if (value < 0 || value > 255)
        return datastore::error(
            datastore::ErrorKind::Other,
            QCoreApplication::translate("StationSettings",
                                        "The station's scale setting %1 holds %2, which is "
                                        "not a value from 0 to 255. No scale link is "
                                        "started until it is mended.")
                .arg(QLatin1String(column))
                .arg(value));
    return quint8(value);
}

} // namespace

datastore::Result<QSqlRecord> stationSettingsRow(datastore::Connection& con)
{
    auto rs = con.exec(QStringLiteral("Select * from Sms_Add"));
    if (!rs)
        return rs.error();
    return rs->next() ? rs->record() : QSqlRecord();
}

datastore::Result<> takeStationSettings(const QSqlRecord& row)
{
    Gen_BitsNoW = datastore::Currency{};
    Gen_ComPortW = 0;
    if (row.isEmpty())
        return datastore::Done{};
    // All or nothing: a row with one setting out of range leaves no link half set up, so
    // that nothing polls a port the load said would not be used.
    for (const char* column : {"WghtFmt", "ComPortW", "ComLan"}) {
        const auto setting = byteSetting(row, column);
        if (!setting) {
            Gen_WghtFmt = 0;
            Gen_ComLan = 0;
            return setting.error();
        }
    }
    Gen_WghtFmt = *byteSetting(row, "WghtFmt");
    Gen_BitsNoW = Null_Cur(row.value(QStringLiteral("BitsNoW")));
    Gen_ComPortW = *byteSetting(row, "ComPortW");
    Gen_LanHostIP = Null_Str(row.value(QStringLiteral("LanHostIP")));
    Gen_LanHostNo = Null_Str(row.value(QStringLiteral("LanHostNo")));
    Gen_ComLan = *byteSetting(row, "ComLan");
    return datastore::Done{};
}

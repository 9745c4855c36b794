#pragma once

#include "Connection.h"

#include <QSqlRecord>

// The station's settings row (Sms_Add), empty when there is none.
datastore::Result<QSqlRecord> stationSettingsRow(datastore::Connection& con);
// Copies the row into the Gen_ settings (no row: the serial settings are cleared). A setting out
// of range leaves no link set up (Gen_ComLan 0) and says which.
datastore::Result<> takeStationSettings(const QSqlRecord& row);

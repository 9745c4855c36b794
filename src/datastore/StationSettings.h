#pragma once

// Copies the station's settings row (Sms_Add) into the Gen_ settings. Returns false when the
// row could not be read; the reason has then been shown to the operator.
bool LoadStationSettings();

#pragma once

#include <chrono>

// Scale link kinds (Gen_ComLan) and the Add switch (Enb).
constexpr int kLinkSerialOnRequest = 1;
constexpr int kLinkNetworkOnRequest = 2;
constexpr int kLinkSerialContinuous = 3;
constexpr int kLinkNetworkContinuous = 4;
constexpr int kEnableAdd = 1;
constexpr int kDisableAdd = 2;
// Links 3 and 4 read the scale on every timer tick; Add waits there for an empty platform.
bool isContinuousLink();

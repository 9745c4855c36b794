#pragma once

#include <QString>
#include <chrono>

namespace platform {
class SerialControl;
}

// The wait while the scale answers a poll, and while the network scale connects.
constexpr std::chrono::milliseconds kPollWait{100};
constexpr std::chrono::milliseconds kConnectWait{1000};
constexpr std::chrono::milliseconds kContinuousTick{200};

// Scale link kinds (Gen_ComLan) and the Add switch (Enb).
constexpr int kLinkSerialOnRequest = 1;
constexpr int kLinkNetworkOnRequest = 2;
constexpr int kLinkSerialContinuous = 3;
constexpr int kLinkNetworkContinuous = 4;
constexpr int kEnableAdd = 1;
constexpr int kDisableAdd = 2;
// Links 3 and 4 read the scale on every timer tick; Add waits there for an empty platform.
bool isContinuousLink();

// Configures the port (speed from Gen_BitsNoW, Gen_ComPortW), opens it and writes the request,
// or the byte 0x05 when the request is empty. False when the port could not be opened; the
// operator has then been told the port and the reason.
bool OpenScalePort(platform::SerialControl& port, const QString& request);
void ClosePortIfOpen(platform::SerialControl& port);
// Lets pending events of the scale links run until the time has passed on a monotonic clock.
// Keys and clicks wait until it is over, so no handler of the operator's runs inside another.
void WaitSeconds(double seconds);
// True while a WaitSeconds is in progress.
bool isWaitingForScale();

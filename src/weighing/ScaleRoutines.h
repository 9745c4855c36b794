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

// Configures the port (speed from Gen_BitsNoW, Gen_ComPortW), opens it and writes the request,
// or the byte 0x05 when the request is empty. False when the port could not be opened; the
// operator has then been told the port and the reason.
bool OpenScalePort(platform::SerialControl& port, const QString& request);
void ClosePortIfOpen(platform::SerialControl& port);
// Lets pending window events run until the time has passed on a monotonic clock.
void WaitSeconds(double seconds);

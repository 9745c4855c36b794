#pragma once

// What the desk and the scale say to each other, shared by the desk's links and the simulated
// scale so that the two can never drift apart.

namespace scale::protocol {

// Serial scale: the polled scale answers the byte 0x05, the scale read on request "W1";
// "T" clears it after a weighing.
inline constexpr char kEnq = 0x05;
inline constexpr char kSerialRequest[] = "W1";
inline constexpr char kSerialClear[] = "T";

// Network scale: "05E" as soon as the connection is made; "T" and the byte 0x04 clear it.
inline constexpr char kNetworkRequest[] = "05E";
inline constexpr char kNetworkClear[] = "T\x04";

// Every reply and reading ends with a carriage return and a line feed; the desk also takes a
// carriage return or a line feed alone.
inline constexpr char kLineEnd[] = "\r\n";

// A network reply on request is framed: one leading marker, the weight, a unit of two
// characters, the line end ("A00123.4kg" CR LF).
inline constexpr char kFrameMarker = 'A';
inline constexpr char kFrameUnit[] = "kg";
inline constexpr int kFrameMarkerLength = 1;
inline constexpr int kFrameUnitLength = 2;

// A record that has grown this long without a line end is no reading: it is dropped up to
// its line end instead of being waited for forever.
inline constexpr int kMaxRecordLength = 256;

} // namespace scale::protocol

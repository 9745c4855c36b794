#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

namespace formkit {

// Character codes the filters know.
constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kMinus = 45;
constexpr int kPoint = 46;
// Key codes (key-down).
constexpr int kKeyDown = 40;

// Both filters judge the key alone, not the text it would make; 0 means the key is swallowed.
void Key_Numeric(int& KeyAscii);
// A point passes only while the box's whole text holds none (the selection does not count).
void Key_Decimal(int& KeyAscii, const QString& boxText);

// The character code a key press types (13 for Enter, 8 for Backspace, 3 for Ctrl+C), or 0
// for a key that types nothing.
int keyAsciiOf(const QKeyEvent* event);
// The key code of a key-down: letters 65-90 whatever the Shift state, digits 48-57, keypad
// digits 96-105, keypad operators 106-111, F1-F12 112-123, Down arrow 40; 0 for others.
int keyCodeOf(const QKeyEvent* event);

} // namespace formkit

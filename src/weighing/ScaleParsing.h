#pragma once

#include <QString>
#include <QStringList>

// How text received from a scale is cut into readings and turned into the weight shown.
// Pure functions: the window's link handlers read the port or socket, these decide.
namespace scale {

// A reading that has grown this long without a line end is not a reading: the link drops it
// instead of waiting for the rest forever.
constexpr int kMaxReadingLength = 256;

// The scale's own trimming: spaces only. Line ends stay, since a network frame counts its
// carriage return and line feed among its last four characters.
QString trimSpaces(const QString& text);

// True when the text begins (blanks aside) with a number: digits, optionally signed, with a
// point. A text of letters or only line ends is no reading at all, not a reading of zero.
bool hasLeadingNumber(const QString& text);

// How many characters at the start of the text are line ends (empty lines, or the tail of a
// reply already taken).
int leadingLineEnds(const QString& text);

// The first reading in a text: from after any leading line ends up to the next line end.
// Two readings in one text would otherwise run together into one number ("5\r\n25" is not 525).
QString firstReading(const QString& text);

// True when the waiting text holds a whole reply head for a read of inputLen characters:
// inputLen characters, or fewer ended by a line end. A reply that arrives in parts is left
// waiting until it is whole, so that "012" of "0123.4" is never taken for 12 kg.
bool replyReady(const QString& waiting, int inputLen);

// The length of the complete records at the start of the waiting text: up to and including
// its last line end. A carriage return at the very end may still be followed by its line feed,
// so it does not end a record yet. 0 when no record is complete.
int completeRecordsLength(const QString& waiting);

// Complete records, each with the line end(s) that close it.
QStringList splitRecords(const QString& complete);

// A reply of the network scale on request: one leading character, the weight, four trailing
// characters (unit and line end), spaces around it removed. The weight as shown, or empty
// text when the reply has no weight part or its weight is not above 0.
QString framedWeight(const QString& record);

// A continuous reading of the network scale: the weight as shown ("0.0" for an empty
// platform), or null text when the record holds no number at all.
QString streamedWeight(const QString& record);

} // namespace scale

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How text received from a scale is cut into records and turned into the weight shown.
// No port, socket or window here: the links read, these decide.
namespace scale {

// The gathering buffer of a link: bytes as they come, cut into records at every carriage
// return or line feed. A record that grows past the longest a scale sends is no reading: it is
// dropped, and so is the rest of it up to its line end, so that its tail is never read as one.
class RecordBuffer {
public:
    void append(const QByteArray& bytes);
    // The records completed so far, without their line ends; empty lines are left out.
    QStringList takeRecords();
    // What has come after the last line end: a record that stops short without one.
    bool hasRest() const { return !m_rest.isEmpty(); }
    // The line has been quiet: what came after the last line end is a whole record.
    void endRest();
    void clear();

private:
    QStringList m_records;
    QByteArray m_rest;
    bool m_droppingOverlong = false;
};

// What one record is. Only a reading counts: blanks and control characters, a number, then
// at most a unit and status text ("56.5 kg GS"). A record that starts with anything else
// ("ERR 77", "+OL", noise) or has digits after its number is no reading.
struct Record {
    enum class Kind { Reading, NotReading };
    Kind kind = Kind::NotReading;
    double value = 0;
    QString text; // the record as received, blanks trimmed, for the status line

    bool isReading() const { return kind == Kind::Reading; }
    // A well-formed reading of zero: the platform is empty. Garbage that merely starts with a
    // 0 is no such reading.
    bool isEmptyPlatform() const { return isReading() && value == 0; }
};

Record readRecord(const QString& record);

// A reply of the network scale on request: the marker, the weight, the unit (line ends and
// spaces around it removed). Read as a record; it is a reading only when the marker and the
// unit stand apart from the number, so that cutting them off never cuts into the weight.
Record framedRecord(const QString& record);

// The width of a stream's whole records. A scale sends its readings in one width: a record
// narrower than the last whole one is a fragment (the tail of a reading cut by an opening or a
// flush), not a reading. A narrower width that comes twice in a row is the scale's own (a
// scale that drops its leading zeros) and becomes the width.
class RecordWidth {
public:
    // Whether the record is a fragment; a record that is not one teaches the width.
    bool isFragment(const QString& record);
    // After an opening, the first record may be cut: it is a fragment unless the width is known
    // and it has it.
    bool isCutHead(const QString& record) const;

private:
    int m_width = 0;   // the last whole record's
    int m_shorter = 0; // the width of a fragment just dropped
};

} // namespace scale

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
    // What has come after the last line end: a reply that stops short without one.
    QString takeRest();
    bool hasRest() const { return !m_rest.isEmpty(); }
    void clear();

private:
    QStringList m_records;
    QByteArray m_rest;
    bool m_droppingOverlong = false;
};

// What one record is. Only a reading counts: a number with blanks and a unit around it.
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
// spaces around it removed). The weight as shown, or empty text when the reply has no weight
// part or its weight is not a number above 0.
QString framedWeight(const QString& record);

} // namespace scale

#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace datastore {

// Fixed-point number with four fraction digits, as money and the scale's speed are kept.
struct Currency {
    qint64 scaled = 0; // value × 10,000

    static Currency fromDouble(double value);
    double toDouble() const { return double(scaled) / 10000.0; }
    // Shortest decimal text: 9600, 9600.5, 0.0625.
    QString toText() const;
    bool operator==(const Currency& other) const { return scaled == other.scaled; }
};

// Nearest whole number; a value exactly halfway goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
qint64 roundHalfEven(double value);

// Null-safe field readers: a null reads as empty text, or as 0.
QString Null_Str(const QVariant& value);
Currency Null_Cur(const QVariant& value);

} // namespace datastore

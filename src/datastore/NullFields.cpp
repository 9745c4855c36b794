#include "NullFields.h"

#include <cmath>

namespace datastore {

qint64 roundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    if (fraction > 0.5)
        return qint64(floorValue) + 1;
    if (fraction < 0.5)
        return qint64(floorValue);
    const qint64 whole = qint64(floorValue);
    return (whole % 2 == 0) ? whole : whole + 1;
}

Currency Currency::fromDouble(double value)
{
    return Currency{roundHalfEven(value * 10000.0)};
}

QString Currency::toText() const
{
    const bool negative = scaled < 0;
    const qint64 magnitude = negative ? -scaled : scaled;
    QString text = QString::number(magnitude / 10000);
    qint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

QString Null_Str(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    return value.toString();
}

Currency Null_Cur(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return Currency{};
    return Currency::fromDouble(value.toDouble());
}

} // namespace datastore

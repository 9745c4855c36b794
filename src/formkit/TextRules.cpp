#include "TextRules.h"

#include <QLocale>
#include <cmath>

namespace formkit {
namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// The text without blanks, as the number reader sees it.
QString withoutBlanks(const QString& text)
{
    QString squeezed;
    squeezed.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            squeezed += c;
    }
    return squeezed;
}

int digitsFrom(const QString& s, int pos)
{
    int end = pos;
    while (end < s.size() && s[end].isDigit() && s[end].unicode() < 128)
        ++end;
    return end - pos;
}
} // namespace

double numericValue(const QString& text)
{
    const QString s = withoutBlanks(text);
    int pos = 0;
    if (pos < s.size() && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-')))
        ++pos;
    const int whole = digitsFrom(s, pos);
    pos += whole;
    int fraction = 0;
    if (pos < s.size() && s[pos] == QLatin1Char('.')) {
        fraction = digitsFrom(s, pos + 1);
        pos += 1 + fraction;
    }
    if (whole == 0 && fraction == 0)
        return 0.0;
    int end = pos;
    if (pos < s.size() && (s[pos] == QLatin1Char('e') || s[pos] == QLatin1Char('E'))) {
        int exp = pos + 1;
        if (exp < s.size() && (s[exp] == QLatin1Char('+') || s[exp] == QLatin1Char('-')))
            ++exp;
        const int expDigits = digitsFrom(s, exp);
        if (expDigits > 0)
            end = exp + expDigits;
    }
    bool ok = false;
    const double value = s.left(end).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0;
    return value;
}

QString shownWeight(double value)
{
    // Decimal half-up: 45.25 -> 45.3 although 45.25 is stored a little below it.
    const double tenths = std::round(value * 10.0 + (value >= 0 ? 1e-9 : -1e-9));
    const double rounded = tenths / 10.0;
    QString text = QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', 1);
    return text;
}

QString dateText(const QDate& date)
{
    return QLocale(QLocale::English).toString(date, QStringLiteral("dd/MMM/yyyy"));
}

QString timeText(const QTime& time)
{
    return QLocale(QLocale::English).toString(time, QStringLiteral("hh:mm:ss AP"));
}

QString plainNumber(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace formkit

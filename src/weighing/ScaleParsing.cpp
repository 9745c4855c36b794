#include "ScaleParsing.h"

#include "formkit/TextRules.h"

namespace scale {
namespace {
bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || isLineEnd(c);
}
} // namespace

QString trimSpaces(const QString& text)
{
    int start = 0;
    int end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

bool hasLeadingNumber(const QString& text)
{
    // The number reader skips blanks wherever they stand, so this check does too.
    QString s;
    for (QChar c : text) {
        if (!isBlank(c))
            s += c;
    }
    int pos = 0;
    if (pos < s.size() && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-')))
        ++pos;
    if (pos < s.size() && s[pos] == QLatin1Char('.'))
        ++pos;
    return pos < s.size() && s[pos].unicode() < 128 && s[pos].isDigit();
}

int leadingLineEnds(const QString& text)
{
    int count = 0;
    while (count < text.size() && isLineEnd(text[count]))
        ++count;
    return count;
}

QString firstReading(const QString& text)
{
    const int start = leadingLineEnds(text);
    int end = start;
    while (end < text.size() && !isLineEnd(text[end]))
        ++end;
    return text.mid(start, end - start);
}

bool replyReady(const QString& waiting, int inputLen)
{
    if (waiting.size() >= inputLen)
        return true;
    for (QChar c : waiting) {
        if (isLineEnd(c))
            return true;
    }
    return false;
}

int completeRecordsLength(const QString& waiting)
{
    for (int i = waiting.size() - 1; i >= 0; --i) {
        if (waiting[i] == QLatin1Char('\n'))
            return i + 1;
        if (waiting[i] == QLatin1Char('\r') && i < waiting.size() - 1)
            return i + 1;
    }
    return 0;
}

QStringList splitRecords(const QString& complete)
{
    QStringList records;
    int start = 0;
    int i = 0;
    while (i < complete.size()) {
        if (!isLineEnd(complete[i])) {
            ++i;
            continue;
        }
        // Empty lines after a record belong to it: they are no reading of their own.
        while (i < complete.size() && isLineEnd(complete[i]))
            ++i;
        records << complete.mid(start, i - start);
        start = i;
    }
    if (start < complete.size())
        records << complete.mid(start);
    return records;
}

QString framedWeight(const QString& record)
{
    const QString frame = trimSpaces(record);
    // Fewer than five characters leave no weight between the marker and the unit.
    if (frame.size() < 5)
        return QString();
    const double value = formkit::numericValue(frame.mid(1, frame.size() - 5));
    return value > 0 ? formkit::shownWeight(value) : QString();
}

QString streamedWeight(const QString& record)
{
    const QString reading = firstReading(trimSpaces(record));
    if (!hasLeadingNumber(reading))
        return QString();
    return formkit::shownWeight(formkit::numericValue(reading));
}

} // namespace scale

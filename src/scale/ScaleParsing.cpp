#include "ScaleParsing.h"

#include "ScaleProtocol.h"

#include <QRegularExpression>

namespace scale {
namespace {
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isNumberCharacter(QChar c)
{
    return c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('+') || c == QLatin1Char('-');
}
} // namespace

void RecordBuffer::append(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (isLineEnd(c)) {
            if (!m_droppingOverlong && !m_rest.isEmpty())
                m_records << QString::fromLatin1(m_rest);
            m_rest.clear();
            m_droppingOverlong = false;
            continue;
        }
        if (m_droppingOverlong)
            continue;
        m_rest.append(c);
        if (m_rest.size() > protocol::kMaxRecordLength) {
            m_rest.clear();
            m_droppingOverlong = true;
        }
    }
}

QStringList RecordBuffer::takeRecords()
{
    QStringList taken;
    taken.swap(m_records);
    return taken;
}

void RecordBuffer::endRest()
{
    if (!m_rest.isEmpty())
        m_records << QString::fromLatin1(m_rest);
    m_rest.clear();
}

void RecordBuffer::clear()
{
    m_records.clear();
    m_rest.clear();
    m_droppingOverlong = false;
}

Record readRecord(const QString& record)
{
    // Blanks and control characters (a scale's STX) first, then the number; after it a unit
    // and status letters may follow, but no second number.
    static const QRegularExpression reading(
        QStringLiteral("^[\\x00-\\x20\\x7f]*([+-]?(?:\\d+\\.?\\d*|\\.\\d+))([^0-9.+-]*)$"));
    Record result;
    result.text = record.trimmed();
    const QRegularExpressionMatch match = reading.match(record);
    if (match.hasMatch()) {
        result.kind = Record::Kind::Reading;
        result.value = match.captured(1).toDouble();
    }
    return result;
}

Record framedRecord(const QString& record)
{
    QString frame = record;
    frame.remove(QLatin1Char('\r'));
    frame.remove(QLatin1Char('\n'));
    frame = frame.trimmed();
    const int weightLength =
        int(frame.size()) - protocol::kFrameMarkerLength - protocol::kFrameUnitLength;
    Record result;
    result.text = frame;
    if (weightLength <= 0 || isNumberCharacter(frame.at(0)) ||
        isNumberCharacter(frame.at(frame.size() - protocol::kFrameUnitLength)))
        return result;
    const Record weight = readRecord(frame.mid(protocol::kFrameMarkerLength, weightLength));
    // Inside the frame the weight part is the number alone.
    if (weight.isReading() && !weight.text.isEmpty() && isNumberCharacter(weight.text.back()))
        result = Record{Record::Kind::Reading, weight.value, frame};
    return result;
}

bool RecordWidth::isFragment(const QString& record)
{
    const int width = int(record.size());
    if (width < m_width && width != m_shorter) {
        m_shorter = width;
        return true;
    }
    // Whole, or the second narrower record in a row: the scale's own width now.
    m_shorter = 0;
    m_width = width;
    return false;
}

bool RecordWidth::isCutHead(const QString& record) const
{
    return m_width == 0 || record.size() < m_width;
}

} // namespace scale

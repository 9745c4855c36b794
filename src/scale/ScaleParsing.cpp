#include "ScaleParsing.h"

#include "ScaleProtocol.h"
#include "formkit/TextRules.h"

#include <QRegularExpression>

namespace scale {
namespace {
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// A number: optional sign, digits with at most one point.
const QString kNumber = QStringLiteral("[+-]?(?:\\d+\\.?\\d*|\\.\\d+)");

bool isNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*") + kNumber +
                                           QStringLiteral("\\s*$"));
    return number.match(text).hasMatch();
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

QString RecordBuffer::takeRest()
{
    const QString rest = QString::fromLatin1(m_rest);
    m_rest.clear();
    return rest;
}

void RecordBuffer::clear()
{
    m_records.clear();
    m_rest.clear();
    m_droppingOverlong = false;
}

Record readRecord(const QString& record)
{
    // A unit of up to three letters may stand before or after the number ("56.5 kg").
    static const QRegularExpression reading(QStringLiteral("^[A-Za-z]{0,3}\\s*(") + kNumber +
                                            QStringLiteral(")\\s*[A-Za-z]{0,3}$"));
    Record result;
    result.text = record.trimmed();
    const QRegularExpressionMatch match = reading.match(result.text);
    if (match.hasMatch()) {
        result.kind = Record::Kind::Reading;
        result.value = formkit::numericValue(match.captured(1));
    }
    return result;
}

QString framedWeight(const QString& record)
{
    QString frame = record;
    frame.remove(QLatin1Char('\r'));
    frame.remove(QLatin1Char('\n'));
    frame = frame.trimmed();
    const int weightLength =
        int(frame.size()) - protocol::kFrameMarkerLength - protocol::kFrameUnitLength;
    if (weightLength <= 0)
        return QString();
    const QString weight = frame.mid(protocol::kFrameMarkerLength, weightLength);
    if (!isNumber(weight))
        return QString();
    const double value = formkit::numericValue(weight);
    return value > 0 ? formkit::shownWeight(value) : QString();
}

} // namespace scale

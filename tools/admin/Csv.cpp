#include "Csv.h"

#include <QStringDecoder>

namespace admin::csv {
namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');

bool isBlank(const QStringList& fields)
{
    return fields.size() == 1 && fields.constFirst().trimmed().isEmpty();
}

// Reads the text record by record; each record remembers the line it starts on.
class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    QString readAll(QList<Record>* records)
    {
        while (m_at < m_text.size()) {
            Record record;
            record.line = m_line;
            if (const QString error = readRecord(&record.fields); !error.isEmpty())
                return error;
            if (!isBlank(record.fields))
                records->append(record);
        }
        return QString();
    }

private:
    QString readRecord(QStringList* fields)
    {
        QString field;
        for (;;) {
            if (m_at < m_text.size() && m_text.at(m_at) == kQuote && field.isEmpty()) {
                if (const QString error = readQuoted(&field); !error.isEmpty())
                    return error;
            }
            if (m_at >= m_text.size() || endOfLine()) {
                fields->append(field);
                return QString();
            }
            const QChar c = m_text.at(m_at++);
            if (c == kComma) {
                fields->append(field);
                field.clear();
            } else if (c == kQuote) {
                return QStringLiteral("line %1: a quote inside a field that does not start with "
                                      "one")
                    .arg(m_line);
            } else {
                field += c;
            }
        }
    }

    // The opening quote is at m_at; stops after the closing one.
    QString readQuoted(QString* field)
    {
        const int startLine = m_line;
        ++m_at;
        for (;;) {
            if (m_at >= m_text.size())
                return QStringLiteral("line %1: a quoted field that never ends").arg(startLine);
            const QChar c = m_text.at(m_at++);
            if (c == kQuote) {
                if (m_at < m_text.size() && m_text.at(m_at) == kQuote) {
                    *field += kQuote;
                    ++m_at;
                    continue;
                }
                if (m_at < m_text.size() && m_text.at(m_at) != kComma &&
                    m_text.at(m_at) != QLatin1Char('\r') && m_text.at(m_at) != QLatin1Char('\n'))
                    return QStringLiteral("line %1: text after the closing quote of a field")
                        .arg(m_line);
                return QString();
            }
            if (c == QLatin1Char('\n'))
                ++m_line;
            if (c == QLatin1Char('\r') && m_at < m_text.size() &&
                m_text.at(m_at) == QLatin1Char('\n'))
                continue; // a CRLF inside a field is kept as LF
            *field += c;
        }
    }

    // Consumes a line end (CRLF, LF or a lone CR) at m_at.
    bool endOfLine()
    {
        const QChar c = m_text.at(m_at);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return false;
        ++m_at;
        if (c == QLatin1Char('\r') && m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('\n'))
            ++m_at;
        ++m_line;
        return true;
    }

    const QString& m_text;
    int m_at = 0;
    int m_line = 1;
};

QString quoted(const QString& field)
{
    const bool needs = field.contains(kComma) || field.contains(kQuote) ||
                       field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                       field != field.trimmed();
    if (!needs)
        return field;
    QString doubled = field;
    doubled.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + doubled + kQuote;
}

QByteArray line(const QStringList& fields)
{
    QStringList out;
    for (const QString& field : fields)
        out << quoted(field);
    return out.join(kComma).toUtf8() + "\r\n";
}
} // namespace

QString parse(const QByteArray& bytes, Table* table)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    const QString text = decoder.decode(body);
    if (decoder.hasError()) {
        const int bad = text.indexOf(QChar::ReplacementCharacter);
        const int line = text.left(bad < 0 ? text.size() : bad).count(QLatin1Char('\n')) + 1;
        return QStringLiteral("line %1: the file is not UTF-8 text (save it as \"CSV UTF-8\")")
            .arg(line);
    }
    QList<Record> records;
    if (const QString error = Reader(text).readAll(&records); !error.isEmpty())
        return error;
    *table = Table();
    if (records.isEmpty())
        return QStringLiteral("line 1: the file is empty; a header row naming the columns comes "
                              "first");
    table->header = records.takeFirst();
    table->records = records;
    return QString();
}

QByteArray write(const QStringList& header, const QList<QStringList>& records)
{
    QByteArray bytes = line(header);
    for (const QStringList& record : records)
        bytes += line(record);
    return bytes;
}

} // namespace admin::csv

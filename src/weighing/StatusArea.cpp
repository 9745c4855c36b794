#include "StatusArea.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

StatusArea::StatusArea(QLabel* label, QObject* parent) : QObject(parent), m_label(label)
{
    refresh();
}

void StatusArea::setScaleState(const QString& text)
{
    m_scale = text;
    refresh();
}

void StatusArea::setNotice(const QString& text)
{
    m_notice = text;
    refresh();
}

void StatusArea::setKeyHints(const QString& text)
{
    m_keys = text;
    refresh();
}

QString StatusArea::text() const
{
    QStringList parts;
    for (const QString& part : {m_scale, m_notice, m_keys}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QStringLiteral("  |  "));
}

void StatusArea::refresh()
{
    const QString whole = text();
    // What does not fit on one line puts the notice on a line of its own above the rest, so
    // that no part runs out of sight behind the buttons beside the line; a line still too long
    // is shortened with "...", and the whole text stays readable as the label's tip.
    QStringList lines{whole};
    if (!fits(whole) && !m_notice.isEmpty()) {
        QStringList rest;
        for (const QString& part : {m_scale, m_keys}) {
            if (!part.isEmpty())
                rest << part;
        }
        lines = QStringList{m_notice};
        if (!rest.isEmpty())
            lines << rest.join(QStringLiteral("  |  "));
    }
    const QFontMetrics metrics = m_label->fontMetrics();
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, m_label->contentsRect().width());
    m_label->setText(lines.join(QLatin1Char('\n')));
    m_label->setToolTip(whole);
}

bool StatusArea::fits(const QString& line) const
{
    return m_label->fontMetrics().horizontalAdvance(line) <= m_label->contentsRect().width();
}

#include "StatusArea.h"

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
    const QString shown = text();
    m_label->setText(shown);
    // The line is narrow; the whole text stays readable as the label's tip.
    m_label->setToolTip(shown);
}

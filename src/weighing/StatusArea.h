#pragma once

#include <QObject>
#include <QString>

class QLabel;

// The line beside "Milk Weighing Collection" that tells the operator what the desk is doing
// without a message box: the scale link's state, a passing notice (a paste that was refused, a
// wait for the database) and the keys the window offers. Each part is set by its own owner, so
// one never overwrites another.
class StatusArea : public QObject {
    Q_OBJECT
public:
    // What the line says while a read or a receipt waits for another desk's or program's lock.
    static QString databaseWaitNotice()
    {
        return QStringLiteral("Waiting for the database: another desk or program is using it");
    }

    // What the line says while the database server cannot be reached in mid-shift (each read
    // tries it again); short, so that the scale's state and the keys stay in view beside it.
    static QString serverAwayNotice(const QString& since)
    {
        return QStringLiteral("Server away since %1").arg(since);
    }
    static bool isServerAwayNotice(const QString& text)
    {
        return text.startsWith(QStringLiteral("Server away since "));
    }

    explicit StatusArea(QLabel* label, QObject* parent = nullptr);

    // The scale link in words and its state ("scale: reading 2 s ago"); empty hides it.
    void setScaleState(const QString& text);
    // A notice that stays until it is replaced or cleared (empty).
    void setNotice(const QString& text);
    // The keys the window offers ("F8 shift report").
    void setKeyHints(const QString& text);

    QString scaleState() const { return m_scale; }
    QString notice() const { return m_notice; }
    QString keyHints() const { return m_keys; }
    QString text() const;

private:
    void refresh();
    bool fits(const QString& line) const;

    QLabel* m_label;
    QString m_scale;
    QString m_notice;
    QString m_keys;
};

#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <QtTest>

// Drives the desk as an operator does: keys go to whatever field has the focus.
namespace keyboard {

inline QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Types text and then key into the focus once it is the named field; false if it never is.
inline bool keysTo(const char* name, const QString& text = {}, Qt::Key key = Qt::Key_Return)
{
    if (!QTest::qWaitFor([name] { return focusName() == name; })) {
        qWarning("the focus is on %s, not on %s", qPrintable(focusName()), name);
        return false;
    }
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), key);
    return true;
}

} // namespace keyboard

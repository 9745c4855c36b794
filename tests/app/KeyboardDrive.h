#pragma once

#include "TestEnv.h"
#include "dates/frm_Dates.h"
#include "signin/frm_Gen_Pass.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QString>
#include <QWidget>
#include <QtTest>

// Drives the desk as an operator does: keys go to whatever field has the focus.
namespace keyboard {
constexpr int kWait = 10000; // what a process delivers comes when it comes; this bounds a hang

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

inline bool fieldsInTurn(std::initializer_list<std::pair<const char*, QString>> fields)
{
    for (const auto& [name, text] : fields)
        if (!keysTo(name, text))
            return false;
    return true;
}

// The route and truck fields in turn, from the route list on.
inline bool truckFields(const QString& truckNo = {}, const QString& km = {},
                        const QString& remarks = {})
{
    return fieldsInTurn({{"cmbRoute", ""},
                         {"txtTNo", truckNo},
                         {"dtpSchTime", ""},
                         {"dtpArrTime", ""},
                         {"txtTruckKMR", km},
                         {"txtTruckRecAmt", ""},
                         {"txtTruckRemarks", remarks}});
}

// From the village code, picked through the lookup from the keys typed, to Enter on the cans.
inline bool receiptUpToWeight(QWidget* desk, const QString& keys, const QString& code,
                              const QString& cans)
{
    return keysTo("txtVCode", {}, Qt::Key(keys.at(0).unicode())) && // opens the lookup
           keysTo("txtItemCode", keys.mid(1)) &&
           QTest::qWaitFor([] { return focusName() == "txtVCode"; }) &&
           desk->findChild<QLineEdit*>("txtVCode")->text() == code &&
           fieldsInTurn({{"txtVCode", ""},
                         {"txtVName", ""},
                         {"cmbAnimal", ""},
                         {"cmbMilkType", ""},
                         {"txtCans", cans}});
}

// Waits for the weighing window to be the active one once sign-in is gone.
inline frm_Data* deskAfter(QWidget* signIn)
{
    frm_Data* desk = nullptr;
    (void)QTest::qWaitFor([&] {
        desk = qobject_cast<frm_Data*>(QApplication::activeWindow());
        return desk && !signIn->isVisible();
    });
    return desk && !signIn->isVisible() ? desk : nullptr;
}

// Closes the desk (its unload closes the scale links) and the windows left on the road to it.
inline void closeDeskWindows(frm_Data* desk)
{
    if (desk)
        desk->close();
    delete desk;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<frm_Dates*>(window) || qobject_cast<frm_Data*>(window))
            delete window;
}

// The simulated scale running as a process of its own: its printed lines collected, its
// platform loaded through its stdin.
struct ScaleProcess {
    explicit ScaleProcess(const QStringList& arguments)
    {
        process.start(testkit::toolPath("tarvolen-scale-sim"), arguments);
    }
    ~ScaleProcess()
    {
        process.terminate(); // as an operator ends it, so that it removes its serial link
        if (!process.waitForFinished(kWait))
            process.kill();
    }
    // The rest of the last printed line that starts with prefix.
    QString lineAfter(const QString& prefix)
    {
        output += QString::fromLocal8Bit(process.readAllStandardOutput());
        QString found;
        for (const QString& line : output.split('\n'))
            if (line.startsWith(prefix))
                found = line.mid(prefix.size()).trimmed();
        return found;
    }
    QString tcpPort() { return lineAfter("listening ").section(':', -1); }
    void place(const char* weight) { process.write(QByteArray(weight) + '\n'); }

    QProcess process;
    QString output;
};

} // namespace keyboard

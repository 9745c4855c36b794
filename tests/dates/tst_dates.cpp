// The date and shift dialog: the date rule, the check when the picker is left, the shift, and
// the road on to the weighing window.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "dates/CheckDate.h"
#include "dates/frm_Dates.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QDate kYearStart(2024, 4, 1);
const QDate kYearEnd(2025, 3, 31);
const QDate kWorking(2024, 6, 10);

QDateEdit* picker(QWidget* window)
{
    return window->findChild<QDateEdit*>("dtpDate");
}
QComboBox* shiftList(QWidget* window)
{
    return window->findChild<QComboBox*>("cmbAP");
}

// The company year 2024-25 chosen on kWorking; the dialog shown at the given moment.
void openDialog(testkit::TestEnv& env, frm_Dates& window, const QDateTime& now)
{
    env.setClock(now);
    Gen_YStart = kYearStart;
    Gen_YEnd = kYearEnd;
    Gen_Today = kWorking;
    window.load();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}
} // namespace

class DatesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { frm_Dates::setOpenWeighingWindow({}); }

    void checkOnLeavingPicker_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("date"); // chosen in the picker; none: left as it opened
        QTest::addColumn<bool>("byOk");  // Ok by its access key, else Enter to the shift list
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QDate>("working"); // the working date; the picker goes back to it
        const QDateTime morning(kWorking, QTime(9, 0));
        const QDate afterYear(2025, 4, 2);
        QTest::newRow("working date accepted") << morning << kWorking << false << false << kWorking;
        QTest::newRow("day after the working date refused")
            << morning << kWorking.addDays(1) << false << true << kWorking;
        // Run past midnight, the picker opens on the new calendar date, after the working date.
        QTest::newRow("opened after midnight: back to the working date")
            << QDateTime(kWorking.addDays(1), QTime(0, 5)) << QDate() << false << true << kWorking;
        QTest::newRow("Alt+O on the day after: refused, no weighing window")
            << morning << kWorking.addDays(1) << true << true << kWorking;
        QTest::newRow("first day of the year accepted")
            << morning << kYearStart << false << false << kWorking;
        QTest::newRow("day before the year refused")
            << morning << kYearStart.addDays(-1) << false << true << kWorking;
        QTest::newRow("last day of the year accepted")
            << morning << kYearEnd << false << false << afterYear;
        QTest::newRow("day after the year refused, though before the working date")
            << morning << kYearEnd.addDays(1) << false << true << afterYear;
    }
    void checkOnLeavingPicker()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDate, date);
        QFETCH(bool, byOk);
        QFETCH(bool, refused);
        QFETCH(QDate, working);
        testkit::TestEnv env;
        int opened = 0;
        frm_Dates::setOpenWeighingWindow([&opened](const QDate&, formkit::Shift) { ++opened; });
        frm_Dates window;
        openDialog(env, window, now);
        Gen_Today = working;
        QCOMPARE(QApplication::focusWidget(), picker(&window));
        QCOMPARE(picker(&window)->date(), now.date());
        if (date.isValid())
            picker(&window)->setDate(date);
        if (byOk)
            QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        else
            QTest::keyClick(picker(&window), Qt::Key_Return);
        // The access key presses Ok down and lets it up a moment later.
        QTRY_VERIFY(!window.findChild<QPushButton*>("cmdOk")->isDown());

        QCOMPARE(env.messageTexts(), refused ? QStringList{"Please Check Date"} : QStringList());
        QCOMPARE(picker(&window)->date(), refused ? working : date);
        QCOMPARE(QApplication::focusWidget(),
                 refused ? static_cast<QWidget*>(picker(&window)) : shiftList(&window));
        QCOMPARE(opened, 0);
        QVERIFY(window.isVisible());
    }

    // A year made before it starts stops the desk at this window; the line says why.
    void yearLine_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("line");
        const QString range = "Accounting year 01/Apr/2024 to 31/Mar/2025";
        QTest::newRow("inside the year") << QDate(2024, 4, 1) << range;
        QTest::newRow("year made early")
            << QDate(2024, 3, 28) << range + ": it starts after today, no date can be taken yet.";
        QTest::newRow("year ended")
            << QDate(2025, 4, 1) << range + ": it has ended, the next year must be made.";
    }
    void yearLine()
    {
        QFETCH(QDate, today);
        QFETCH(QString, line);
        QCOMPARE(yearRangeText(QDate(2024, 4, 1), QDate(2025, 3, 31), today), line);
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("keys"); // "key:control ..." or "click:button"
        QTest::addColumn<int>("shift");    // Gen_AmPm as the weighing window opens; 0: the end
        QTest::newRow("Ok button") << "click:cmdOk" << 2;
        QTest::newRow("Down to PM, Enter in the shift list") << "Down:cmbAP Enter:cmbAP" << 3;
        QTest::newRow("Exit button") << "click:cmdExit" << 0;
        QTest::newRow("Esc in the date picker") << "Esc:dtpDate" << 0;
        QTest::newRow("Esc in the shift list") << "Esc:cmbAP" << 0;
    }
    void leaving()
    {
        QFETCH(QString, keys);
        QFETCH(int, shift);
        testkit::TestEnv env;
        QStringList opened; // what the weighing window found as it loaded
        frm_Dates window;
        frm_Dates::setOpenWeighingWindow([&](const QDate& date, formkit::Shift chosen) {
            opened << date.toString(Qt::ISODate) + " shown " +
                          QString::number(window.isVisible()) + " shift " +
                          QString::number(int(chosen));
        });
        openDialog(env, window, QDateTime(kWorking, QTime(9, 0)));
        const QMap<QString, Qt::Key> named{
            {"Esc", Qt::Key_Escape}, {"Enter", Qt::Key_Return}, {"Down", Qt::Key_Down}};
        for (const QString& step : keys.split(' ')) {
            auto* control = window.findChild<QWidget*>(step.section(':', 1));
            control->setFocus();
            if (step.startsWith("click:"))
                qobject_cast<QPushButton*>(control)->click();
            else
                QTest::keyClick(control, named.value(step.section(':', 0, 0)));
        }
        // The weighing window reads the picker while it loads, so the dialog is still shown.
        QCOMPARE(opened, shift ? QStringList{"2024-06-10 shown 1 shift " + QString::number(shift)}
                               : QStringList());
        QCOMPARE(env.endCount, shift ? 0 : 1);
        if (shift)
            QVERIFY(!window.isVisible());
        QCOMPARE(env.messageTexts(), QStringList());
    }

    // Tab leaves the date picker at once, Shift+Tab comes back; the arrows still edit the
    // section the caret is in.
    void tabLeavesThePicker()
    {
        testkit::TestEnv env;
        frm_Dates window;
        openDialog(env, window, QDateTime(kWorking, QTime(9, 0)));
        QDateEdit* date = picker(&window);
        date->setFocus();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Up);
        QCOMPARE(date->date(), kWorking.addDays(1));
        date->setCurrentSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(date, Qt::Key_Down);
        QCOMPARE(date->date(), kWorking.addDays(1).addMonths(-1));

        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), shiftList(&window));
        QTest::keyClick(shiftList(&window), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), date);
        QCOMPARE(date->date(), QDate(2024, 5, 11)); // within the year, so the check kept it
        QCOMPARE(env.messageTexts(), QStringList());
    }
};

QTEST_MAIN(DatesTest)
#include "tst_dates.moc"

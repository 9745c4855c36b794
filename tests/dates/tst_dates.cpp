// The date and shift dialog: the date rule, the check when the picker is left, the shift, and
// the road on to the weighing window.

#include "TestEnv.h"
#include "dates/CheckDate.h"
#include "dates/frm_Dates.h"
#include "datastore/GenState.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QDate kYearStart(2024, 4, 1);
const QDate kYearEnd(2025, 3, 31);

QDateEdit* picker(QWidget* window) { return window->findChild<QDateEdit*>("dtpDate"); }
QComboBox* shiftList(QWidget* window) { return window->findChild<QComboBox*>("cmbAP"); }

// The company year 2024-25 chosen on the working date, and the dialog open on today.
void chooseYear(testkit::TestEnv& env, const QDate& workingDate, const QTime& now = QTime(9, 0))
{
    env.setClock(QDateTime(workingDate, now));
    Gen_YStart = kYearStart;
    Gen_YEnd = kYearEnd;
    Gen_Today = workingDate;
}

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

struct Opened {
    int count = 0;
    QDate date;
    bool dialogOpen = false;
    qint32 shift = 0;
};
} // namespace

class DatesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { frm_Dates::setOpenWeighingWindow({}); }

    void dateRule_data();
    void dateRule();
    void checkOnLeavingPicker_data();
    void checkOnLeavingPicker();
    void workingDateStaysAfterMidnight();
    void opening();
    void okOpensWeighingWindow_data();
    void okOpensWeighingWindow();
    void exitEndsProgram_data();
    void exitEndsProgram();
};

void DatesTest::dateRule_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("refused");

    const QDate midYear(2024, 6, 10);
    const QDate afterYear(2025, 4, 2);
    QTest::newRow("first day of the year") << kYearStart << midYear << false;
    QTest::newRow("day before the year") << kYearStart.addDays(-1) << midYear << true;
    QTest::newRow("working date itself") << midYear << midYear << false;
    QTest::newRow("day after the working date, inside the year") << midYear.addDays(1) << midYear << true;
    QTest::newRow("last day of the year") << kYearEnd << afterYear << false;
    QTest::newRow("day after the year, before the working date") << kYearEnd.addDays(1) << afterYear
                                                                 << true;
}

void DatesTest::dateRule()
{
    QFETCH(QDate, date);
    QFETCH(QDate, today);
    QFETCH(bool, refused);
    QCOMPARE(dateOutsideYear(date, kYearStart, kYearEnd, today), refused);
}

void DatesTest::checkOnLeavingPicker_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("refused");

    QTest::newRow("working date accepted") << QDate(2024, 6, 10) << false;
    QTest::newRow("day before the year refused") << kYearStart.addDays(-1) << true;
    QTest::newRow("day after the working date refused") << QDate(2024, 6, 11) << true;
}

void DatesTest::checkOnLeavingPicker()
{
    QFETCH(QDate, date);
    QFETCH(bool, refused);

    testkit::TestEnv env;
    chooseYear(env, QDate(2024, 6, 10));
    frm_Dates window;
    window.load();
    showActive(&window);
    QCOMPARE(QApplication::focusWidget(), picker(&window));

    picker(&window)->setDate(date);
    QTest::keyClick(picker(&window), Qt::Key_Return); // Enter moves on to the shift list

    if (refused) {
        QCOMPARE(env.messageTexts(), QStringList{"Please Check Date"});
        QCOMPARE(env.messages.first().title, QString("Quenmoor"));
        QCOMPARE(picker(&window)->date(), Gen_Today);
        QCOMPARE(QApplication::focusWidget(), picker(&window));
    } else {
        QCOMPARE(env.messageTexts(), QStringList());
        QCOMPARE(picker(&window)->date(), date);
        QCOMPARE(QApplication::focusWidget(), shiftList(&window));
    }
}

void DatesTest::workingDateStaysAfterMidnight()
{
    testkit::TestEnv env;
    const QDate workingDate(2024, 6, 10);
    chooseYear(env, workingDate, QTime(23, 58));
    // The program has run past midnight: the picker opens on the new calendar date, which is
    // still after the working date.
    env.setClock(QDateTime(workingDate.addDays(1), QTime(0, 5)));
    frm_Dates window;
    window.load();
    showActive(&window);
    QCOMPARE(picker(&window)->date(), workingDate.addDays(1));

    QTest::keyClick(picker(&window), Qt::Key_Return);
    QCOMPARE(env.messageTexts(), QStringList{"Please Check Date"});
    QCOMPARE(picker(&window)->date(), workingDate);
}

void DatesTest::opening()
{
    testkit::TestEnv env;
    chooseYear(env, QDate(2025, 3, 5));
    // Month names stay English on a desktop in another language.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frm_Dates window;
    window.load();
    QLocale::setDefault(previous);

    QCOMPARE(window.windowTitle(), QString(" Select Date"));
    QCOMPARE(picker(&window)->text(), QString("05/Mar/2025"));
    QCOMPARE(shiftList(&window)->currentText(), QString("AM"));
    QCOMPARE(Gen_AmPm, 2);

    showActive(&window);
    QTest::keyClick(shiftList(&window), Qt::Key_Down);
    QCOMPARE(shiftList(&window)->currentText(), QString("PM"));
    QCOMPARE(Gen_AmPm, 3);
    QCOMPARE(env.messageTexts(), QStringList());
}

void DatesTest::okOpensWeighingWindow_data()
{
    QTest::addColumn<bool>("enterInShiftList");
    QTest::newRow("Ok button") << false;
    QTest::newRow("Enter in the shift list") << true;
}

void DatesTest::okOpensWeighingWindow()
{
    QFETCH(bool, enterInShiftList);
    testkit::TestEnv env;
    chooseYear(env, QDate(2025, 3, 5));
    Opened opened;
    frm_Dates::setOpenWeighingWindow([&opened](frm_Dates* dates) {
        ++opened.count;
        opened.date = picker(dates)->date();
        opened.dialogOpen = dates->isVisible();
        opened.shift = Gen_AmPm;
    });

    frm_Dates window;
    window.load();
    showActive(&window);
    if (enterInShiftList) {
        shiftList(&window)->setFocus();
        QTest::keyClick(shiftList(&window), Qt::Key_Return);
    } else {
        window.findChild<QPushButton*>("cmdOk")->click();
    }

    QCOMPARE(opened.count, 1);
    QCOMPARE(opened.date, QDate(2025, 3, 5));
    QVERIFY(opened.dialogOpen); // the weighing window reads the picker while it loads
    QCOMPARE(opened.shift, 2);
    QVERIFY(!window.isVisible());
    QCOMPARE(env.messageTexts(), QStringList());
    QCOMPARE(env.endCount, 0);
}

void DatesTest::exitEndsProgram_data()
{
    QTest::addColumn<QString>("escapeIn"); // empty: the Exit button
    QTest::newRow("Exit button") << "";
    QTest::newRow("Esc in the date picker") << "dtpDate";
    QTest::newRow("Esc in the shift list") << "cmbAP";
}

void DatesTest::exitEndsProgram()
{
    QFETCH(QString, escapeIn);
    testkit::TestEnv env;
    chooseYear(env, QDate(2025, 3, 5));
    int opened = 0;
    frm_Dates::setOpenWeighingWindow([&opened](frm_Dates*) { ++opened; });

    frm_Dates window;
    window.load();
    showActive(&window);
    if (escapeIn.isEmpty()) {
        window.findChild<QPushButton*>("cmdExit")->click();
    } else {
        auto* control = window.findChild<QWidget*>(escapeIn);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Escape);
    }
    QCOMPARE(env.endCount, 1);
    QCOMPARE(opened, 0);
}

QTEST_MAIN(DatesTest)
#include "tst_dates.moc"

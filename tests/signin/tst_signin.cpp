// Sign-in and the choice of company and year, driven through the windows with key events.

#include "Installation.h"
#include "TestEnv.h"
#include "dates/frm_Dates.h"
#include "datastore/GenState.h"
#include "platform/DsnRegistry.h"
#include "signin/A_Start.h"
#include "signin/frm_Gen_Pass.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {
const QDate kToday(2024, 3, 5);

void addUser(const testkit::TestEnv& env, int uid, const QString& name, const QVariant& pwd,
             int saveUser, const QString& shownName = QString())
{
    testkit::TestEnv::exec(env.mainFile(),
                           "INSERT INTO Pass (Uid, UName, PWD, SaveUser, Name) VALUES (?, ?, ?, ?, ?)",
                           {uid, name, pwd, saveUser, shownName});
}

void addYear(const testkit::TestEnv& env, const QString& code, int yearCode, const QString& dbMst,
             const QString& start, const QString& end, const QVariant& name, const QVariant& town)
{
    testkit::TestEnv::exec(env.mainFile(),
                           "INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, Town) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)",
                           {code, yearCode, dbMst, start, end, name, town});
}

QLineEdit* field(QWidget* window, const char* name) { return window->findChild<QLineEdit*>(name); }

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

frm_Dates* shownDatesWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dates = qobject_cast<frm_Dates*>(window); dates && dates->isVisible())
            return dates;
    }
    return nullptr;
}

// Signs in as "admin" and returns the company window it opened.
A_Start* signInAsAdmin(frm_Gen_Pass& window)
{
    field(&window, "txtUser")->setText("admin");
    field(&window, "txtPass")->setText("Secret1");
    window.findChild<QPushButton*>("cmdOk")->click();
    return window.companyWindow();
}
} // namespace

class SignInTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void offeredUser_data();
    void offeredUser();
    void signIn_data();
    void signIn();
    void failedStartRunsNoQuery_data();
    void failedStartRunsNoQuery();
    void cancelEndsProgram_data();
    void cancelEndsProgram();

    void companyList();
    void chooseCompany_data();
    void chooseCompany();
    void closeBoxLeavesNoWindow();
    void exitEndsProgram_data();
    void exitEndsProgram();
};

void SignInTest::cleanup()
{
    // The date dialog lives on its own once the company window has opened it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<frm_Dates*>(window))
            delete window;
    }
}

void SignInTest::offeredUser_data()
{
    QTest::addColumn<QVariant>("usersUid"); // null: the Users table has no row
    QTest::addColumn<bool>("anyoneSaved");
    QTest::addColumn<QString>("offered");

    QTest::newRow("Users names a user marked SaveUser: his UName") << QVariant(3) << true << "night";
    QTest::newRow("Users names a user not marked SaveUser: nothing") << QVariant(1) << true << "";
    QTest::newRow("no Users row: Name of the first marked user") << QVariant() << true << "Counter Clerk";
    QTest::newRow("no Users row and nobody marked: nothing") << QVariant() << false << "";
}

void SignInTest::offeredUser()
{
    QFETCH(QVariant, usersUid);
    QFETCH(bool, anyoneSaved);
    QFETCH(QString, offered);

    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 0, "Administrator");
    addUser(env, 2, "clerk", "pw", anyoneSaved ? 1 : 0, "Counter Clerk");
    addUser(env, 3, "night", "pw", anyoneSaved ? 1 : 0, "Night Shift");
    if (usersUid.isValid())
        testkit::TestEnv::exec(env.serPathFile(), "INSERT INTO Users (Uid) VALUES (?)", {usersUid});

    frm_Gen_Pass window;
    QVERIFY(window.load());
    showActive(&window);
    QCOMPARE(field(&window, "txtUser")->text(), offered);
    QCOMPARE(field(&window, "txtPass")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), field(&window, "txtPass"));
    QCOMPARE(env.messageTexts(), QStringList());
    QCOMPARE(window.windowTitle(), QString("Tarvolen"));
}

void SignInTest::signIn_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("message"); // empty: signed in
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("uid");
    QTest::addColumn<QString>("uname");

    QTest::newRow("name and password as stored") << "admin" << "Secret1" << "" << "" << 1 << "admin";
    QTest::newRow("name in other letter case") << "ADMIN" << "Secret1" << "" << "" << 1 << "ADMIN";
    QTest::newRow("password in other letter case")
        << "admin" << "secret1" << "Wrong Pass Word" << "txtPass" << 0 << "";
    QTest::newRow("blanks around a name stored without them")
        << " admin " << "Secret1" << "Wrong User Name" << "txtUser" << 0 << "";
    QTest::newRow("name stored with blanks: Gen_UName trimmed")
        << " clerk " << "pw" << "" << "" << 2 << "clerk";
    QTest::newRow("name holding an apostrophe") << "o'brien" << "irish" << "" << "" << 3 << "o'brien";
    QTest::newRow("quote cannot change the statement")
        << "x' or '1'='1" << "Secret1" << "Wrong User Name" << "txtUser" << 0 << "";
    QTest::newRow("unknown name") << "nobody" << "Secret1" << "Wrong User Name" << "txtUser" << 0 << "";
    QTest::newRow("no stored password refuses any password")
        << "nopass" << "anything" << "Wrong Pass Word" << "txtPass" << 0 << "";
    QTest::newRow("empty name") << "" << "Secret1" << " Please Enter User Name" << "txtUser" << 0 << "";
    QTest::newRow("empty password") << "admin" << "" << " Please Enter Password" << "txtPass" << 0 << "";
}

void SignInTest::signIn()
{
    QFETCH(QString, user);
    QFETCH(QString, pass);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, uid);
    QFETCH(QString, uname);

    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);
    addUser(env, 2, " clerk ", "pw", 0);
    addUser(env, 3, "O'Brien", "irish", 0);
    addUser(env, 4, "nopass", QVariant(QMetaType(QMetaType::QString)), 0);

    frm_Gen_Pass window;
    QVERIFY(window.load());
    showActive(&window);
    QLineEdit* txtUser = field(&window, "txtUser");
    QLineEdit* txtPass = field(&window, "txtPass");
    txtUser->setText(user);
    QTest::keyClicks(txtPass, pass);
    QTest::keyClick(txtPass, Qt::Key_Return); // Enter in the password acts as OK

    if (message.isEmpty()) {
        QCOMPARE(env.messageTexts(), QStringList());
        QCOMPARE(int(Gen_Uid), uid);
        QCOMPARE(Gen_UName, uname);
        QVERIFY(window.companyWindow());
        QVERIFY(window.companyWindow()->isVisible());
        QCOMPARE(window.companyWindow()->windowModality(), Qt::ApplicationModal);
        QVERIFY(window.isVisible()); // stays behind the company window
        return;
    }
    QCOMPARE(env.messageTexts(), QStringList{message});
    QCOMPARE(env.messages.first().title, QString("Quenmoor"));
    QCOMPARE(window.focusWidget(), window.findChild<QLineEdit*>(focus));
    QVERIFY(!window.companyWindow());
    QCOMPARE(int(Gen_Uid), 0);
    QCOMPARE(Gen_UName, QString());
    // Both fields keep what was typed for the next try.
    QCOMPARE(txtUser->text(), user);
    QCOMPARE(txtPass->text(), pass);
    QCOMPARE(env.endCount, 0);
}

void SignInTest::failedStartRunsNoQuery_data()
{
    QTest::addColumn<bool>("serPathMissing"); // else the main database is missing
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("server-path database missing") << true << QStringList{"Data Error - Path Database"};
    QTest::newRow("main database missing")
        << false << QStringList{"Database file doesn't exist!", "Data Error - Main Database "};
}

void SignInTest::failedStartRunsNoQuery()
{
    QFETCH(bool, serPathMissing);
    QFETCH(QStringList, messages);
    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);
    QVERIFY(QFile::remove(serPathMissing ? env.serPathFile() : env.mainFile()));

    // One report, the program ends, and no statement runs on a closed connection.
    frm_Gen_Pass window;
    QVERIFY(!window.load());
    QCOMPARE(env.messageTexts(), messages);
    QCOMPARE(env.endCount, 1);
    QCOMPARE(field(&window, "txtUser")->text(), QString());
}

void SignInTest::cancelEndsProgram_data()
{
    QTest::addColumn<QString>("where"); // the focused control that gets Esc, or the button
    QTest::newRow("Esc in the user name") << "txtUser";
    QTest::newRow("Esc in the password") << "txtPass";
    QTest::newRow("Esc on the Ok button") << "cmdOk";
    QTest::newRow("Cancel button") << "";
}

void SignInTest::cancelEndsProgram()
{
    QFETCH(QString, where);
    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);

    frm_Gen_Pass window;
    QVERIFY(window.load());
    showActive(&window);
    field(&window, "txtPass")->setText("Secret1");
    if (where.isEmpty()) {
        window.findChild<QPushButton*>("cmdCan")->click();
    } else {
        auto* control = window.findChild<QWidget*>(where);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Escape);
    }
    QCOMPARE(env.endCount, 1);
    QVERIFY(!window.companyWindow());
    QCOMPARE(Gen_UName, QString());
}

void SignInTest::companyList()
{
    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);
    addYear(env, "ZZ1", 5, "ZZ1_5", "2024-01-01", "2024-12-31", QVariant(), QVariant());
    addYear(env, "AB9", 2, "AB9_2", "2023-04-01", "2024-03-31", "New Name", "New Town");
    addYear(env, "AB9", 1, "AB9_1", "2022-04-01", "2023-03-31", "Old Name", "Old Town");

    frm_Gen_Pass window;
    QVERIFY(window.load());
    A_Start* start = signInAsAdmin(window);
    QVERIFY(start);
    QCOMPARE(start->windowTitle(), QString(" Select Firm   "));
    auto* grid = start->findChild<QTableWidget*>("fgLIst");
    QCOMPARE(grid->columnCount(), 4);
    const QStringList headers{"Sl.No.", "Code", "Name of the Firm", "Town/Village"};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(grid->horizontalHeaderItem(column)->text(), headers[column]);

    // One row per company in order of code, its latest year's name, and one empty row after.
    const QList<QStringList> expected{{"1", "AB9", "New Name", "New Town"},
                                      {"2", "CO1", "First Dairy", "Hilltown"},
                                      {"3", "ZZ1", "", ""}};
    QCOMPARE(grid->rowCount(), int(expected.size()) + 1);
    for (int row = 0; row < expected.size(); ++row) {
        for (int column = 0; column < 4; ++column)
            QCOMPARE(grid->item(row, column)->text(), expected[row][column]);
    }
    for (int column = 0; column < 4; ++column)
        QVERIFY(!grid->item(expected.size(), column) || grid->item(expected.size(), column)->text().isEmpty());
    QCOMPARE(grid->currentRow(), 0);
}

void SignInTest::chooseCompany_data()
{
    QTest::addColumn<int>("row"); // -1: Enter at once in the list
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("dbMst");
    QTest::addColumn<QDate>("yStart");
    QTest::addColumn<QDate>("yEnd");

    QTest::newRow("Enter at once: first company, its latest year")
        << -1 << "AB9" << "AB9_2" << QDate(2023, 4, 1) << QDate(2024, 3, 31);
    QTest::newRow("second company by Ok") << 1 << "CO1" << "CO1_2026" << QDate(2024, 1, 1)
                                           << QDate(2024, 12, 31);
    QTest::newRow("empty last row: no company year") << 2 << "" << "" << QDate() << QDate();
}

void SignInTest::chooseCompany()
{
    QFETCH(int, row);
    QFETCH(QString, code);
    QFETCH(QString, dbMst);
    QFETCH(QDate, yStart);
    QFETCH(QDate, yEnd);

    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);
    addYear(env, "AB9", 1, "AB9_1", "2022-04-01", "2023-03-31", "Old Name", "Old Town");
    addYear(env, "AB9", 2, "AB9_2", "2023-04-01 00:00:00", "2024-03-31", "New Name", "New Town");
    QCOMPARE(admin::createCompanyDatabase(env.companyFile("AB9_2")), QString());
    // The company is chosen just before midnight; the working date is that day's.
    env.setClock(QDateTime(kToday, QTime(23, 59, 30)));

    frm_Gen_Pass window;
    QVERIFY(window.load());
    showActive(&window);
    A_Start* start = signInAsAdmin(window);
    QVERIFY(start);
    start->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), start);
    auto* grid = start->findChild<QTableWidget*>("fgLIst");
    QCOMPARE(QApplication::focusWidget(), grid);
    if (row < 0) {
        QTest::keyClick(grid, Qt::Key_Return);
    } else {
        grid->setCurrentCell(row, 0);
        start->findChild<QPushButton*>("cmdOk")->click();
    }

    QCOMPARE(env.messageTexts(), QStringList());
    QCOMPARE(Gen_ComCode, code);
    QCOMPARE(Gen_DbMst, dbMst);
    QCOMPARE(Gen_YStart, yStart);
    QCOMPARE(Gen_YEnd, yEnd);
    QCOMPARE(Gen_Today, kToday);
    if (!dbMst.isEmpty()) {
        QVERIFY(platform::dsnExists("QUENMOOR_" + dbMst));
        QCOMPARE(Gen_ConStrMst, "DSN=QUENMOOR_" + dbMst + ";UID=;PWD=qzrt5172");
    }
    // The date dialog opens in every case; the company and sign-in windows are gone.
    QVERIFY(shownDatesWindow());
    QVERIFY(!start->isVisible());
    QVERIFY(!window.isVisible());
    QCOMPARE(env.endCount, 0);
}

void SignInTest::closeBoxLeavesNoWindow()
{
    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);

    frm_Gen_Pass window;
    QVERIFY(window.load());
    window.show();
    A_Start* start = signInAsAdmin(window);
    QVERIFY(start);
    QVERIFY(start->close());
    QVERIFY(!window.isVisible());
    QVERIFY(!shownDatesWindow());
    QCOMPARE(Gen_ComCode, QString());
    QCOMPARE(env.endCount, 0);
}

void SignInTest::exitEndsProgram_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc in the list") << true;
    QTest::newRow("Exit button") << false;
}

void SignInTest::exitEndsProgram()
{
    QFETCH(bool, escape);
    testkit::TestEnv env;
    env.createInstallation(kToday);
    addUser(env, 1, "admin", "Secret1", 1);

    frm_Gen_Pass window;
    QVERIFY(window.load());
    A_Start* start = signInAsAdmin(window);
    QVERIFY(start);
    if (escape)
        QTest::keyClick(start->findChild<QTableWidget*>("fgLIst"), Qt::Key_Escape);
    else
        start->findChild<QPushButton*>("cmdExit")->click();
    QCOMPARE(env.endCount, 1);
    QCOMPARE(Gen_ComCode, QString());
    QVERIFY(!shownDatesWindow());
}

QTEST_MAIN(SignInTest)
#include "tst_signin.moc"

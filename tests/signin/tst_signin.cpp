// Sign-in and the choice of company and year, driven through the windows with key events.

#include "Installation.h"
#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "dates/frm_Dates.h"
#include "platform/DsnRegistry.h"
#include "signin/A_Start.h"
#include "signin/frm_Gen_Pass.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QtTest>

namespace {
const QDate kToday(2024, 3, 5);

// The installation with users admin/Secret1 (offered), " clerk "/pw, O'Brien/irish and nopass
// (no password), and, besides CO1, companies AB9 (two years, the later with its database) and
// ZZ1 (no name or town), and one with a long code.
void install(testkit::TestEnv& env)
{
    env.createInstallation(kToday);
    env.exec(env.mainFile(), "INSERT INTO Pass (Uid, UName, PWD, SaveUser) VALUES "
                             "(1, 'admin', 'Secret1', 1), (2, ' clerk ', 'pw', 0), "
                             "(3, 'O''Brien', 'irish', 0), (4, 'nopass', NULL, 0)");
    env.exec(env.mainFile(), "INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, "
                             "Town) VALUES ('ZZ1', 5, 'ZZ1_5', '2024-01-01', '2024-12-31', NULL, "
                             "NULL), ('AB9', 2, 'AB9_2', '2023-04-01 00:00:00', '2024-03-31', "
                             "'New Name', 'New Town'), ('AB9', 1, 'AB9_1', '2022-04-01', "
                             "'2023-03-31', 'Old Name', 'Old Town'), ('WESTERNDAIRY2024', 1, "
                             "'W_1', '2024-01-01', '2024-12-31', 'West', 'Town')");
    env.createCompany("AB9_2");
}

QLineEdit* field(QWidget* window, const QString& name)
{
    return window->findChild<QLineEdit*>(name);
}

// The sign-in window loaded and shown active; false if it is not.
bool shown(frm_Gen_Pass& window)
{
    if (!window.load())
        return false;
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

bool datesWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
        return qobject_cast<frm_Dates*>(window) && window->isVisible();
    });
}

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
    void cleanup()
    {
        // The date dialog lives on its own once the company window has opened it.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frm_Dates*>(window))
                delete window;
        }
    }

    void offeredUser_data()
    {
        QTest::addColumn<int>("usersUid"); // 0: the Users table has no row
        QTest::addColumn<int>("saveUser"); // SaveUser of clerk and night
        QTest::addColumn<QString>("offered");
        QTest::newRow("Users names a user marked SaveUser: his UName") << 3 << 1 << "night";
        QTest::newRow("Users names a user not marked SaveUser: nothing") << 1 << 1 << "";
        QTest::newRow("no Users row: Name of the first marked user") << 0 << 1 << "Counter Clerk";
        QTest::newRow("no Users row and nobody marked: nothing") << 0 << 0 << "";
    }
    void offeredUser()
    {
        QFETCH(int, usersUid);
        QFETCH(int, saveUser);
        QFETCH(QString, offered);
        testkit::TestEnv env;
        env.createInstallation(kToday);
        env.exec(env.mainFile(),
                 "INSERT INTO Pass (Uid, UName, PWD, SaveUser, Name) VALUES "
                 "(1, 'admin', 'x', 0, 'Administrator'), "
                 "(2, 'clerk', 'pw', ?, 'Counter Clerk'), "
                 "(3, 'night', 'pw', ?, 'Night Shift')",
                 {saveUser, saveUser});
        if (usersUid)
            env.exec(env.serPathFile(), "INSERT INTO Users (Uid) VALUES (?)", {usersUid});

        frm_Gen_Pass window;
        QVERIFY(shown(window));
        QCOMPARE(field(&window, "txtUser")->text(), offered);
        QCOMPARE(QApplication::focusWidget(), field(&window, "txtPass"));
        QCOMPARE(env.messageTexts(), QStringList());
    }

    void signIn_data()
    {
        // Typed "name|password|outcome": "uid uname" signed in, else "focus:message".
        QTest::addColumn<QString>("typed");
        QTest::newRow("as stored") << "admin|Secret1|1 admin";
        QTest::newRow("name in other letter case") << "ADMIN|Secret1|1 ADMIN";
        QTest::newRow("password in other letter case") << "admin|secret1|txtPass:Wrong Pass Word";
        QTest::newRow("blanks around a name stored without them")
            << " admin |Secret1|txtUser:Wrong User Name";
        QTest::newRow("name stored with blanks: Gen_UName trimmed") << " clerk |pw|2 clerk";
        QTest::newRow("name holding an apostrophe") << "o'brien|irish|3 o'brien";
        QTest::newRow("quote cannot change the statement")
            << "x' or '1'='1|Secret1|txtUser:Wrong User Name";
        QTest::newRow("unknown name") << "nobody|Secret1|txtUser:Wrong User Name";
        QTest::newRow("no stored password refuses any password")
            << "nopass|anything|txtPass:Wrong Pass Word";
        QTest::newRow("empty name") << "|Secret1|txtUser: Please Enter User Name";
        QTest::newRow("empty password") << "admin||txtPass: Please Enter Password";
    }
    void signIn()
    {
        QFETCH(QString, typed);
        const QString user = typed.section('|', 0, 0);
        const QString pass = typed.section('|', 1, 1);
        const QString outcome = typed.section('|', 2);
        testkit::TestEnv env;
        install(env);
        frm_Gen_Pass window;
        QVERIFY(shown(window));
        field(&window, "txtUser")->setText(user);
        QTest::keyClicks(field(&window, "txtPass"), pass);
        QTest::keyClick(field(&window, "txtPass"), Qt::Key_Return); // Enter acts as OK

        QCOMPARE(env.endCount, 0);
        if (!outcome.contains(':')) {
            QCOMPARE(env.messageTexts(), QStringList());
            QCOMPARE(QString::number(Gen_Uid) + " " + Gen_UName, outcome);
            QVERIFY(window.companyWindow() && window.companyWindow()->isVisible());
            QCOMPARE(window.companyWindow()->windowModality(), Qt::ApplicationModal);
            return;
        }
        QCOMPARE(env.messageTexts(), QStringList{outcome.section(':', 1)});
        QCOMPARE(env.messages.first().title, QString("Quenmoor"));
        QCOMPARE(window.focusWidget(), field(&window, outcome.section(':', 0, 0)));
        QVERIFY(!window.companyWindow());
        QCOMPARE(int(Gen_Uid), 0);
        // Both fields keep what was typed for the next try.
        QCOMPARE(field(&window, "txtUser")->text() + "|" + field(&window, "txtPass")->text(),
                 user + "|" + pass);
    }

    void chooseCompany_data()
    {
        QTest::addColumn<int>("row"); // -1: Enter at once in the list
        QTest::addColumn<QString>("dbMst");
        QTest::addColumn<QString>("year");
        QTest::newRow("Enter at once: first company, its latest year") << -1 << "AB9_2"
                                                                       << "2023-04-01 2024-03-31";
        QTest::newRow("second company by Ok") << 1 << "CO1_2026"
                                              << "2024-01-01 2024-12-31";
        QTest::newRow("empty last row: no company year") << 4 << ""
                                                         << " ";
    }
    void chooseCompany()
    {
        QFETCH(int, row);
        QFETCH(QString, dbMst);
        QFETCH(QString, year);
        testkit::TestEnv env;
        install(env);
        // The company is chosen just before midnight; the working date is that day's.
        env.setClock(QDateTime(kToday, QTime(23, 59, 30)));
        frm_Gen_Pass window;
        QVERIFY(shown(window));
        A_Start* start = signInAsAdmin(window);
        QVERIFY(start);
        start->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), start);
        auto* grid = start->findChild<QTableWidget*>("fgLIst");
        QCOMPARE(QApplication::focusWidget(), grid);
        // The header, one row per company in order of code with its latest year's name, and
        // one empty row after; the first row current.
        QStringList rows;
        for (int r = -1; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int column = 0; column < grid->columnCount(); ++column) {
                auto* item = r < 0 ? grid->horizontalHeaderItem(column) : grid->item(r, column);
                cells << (item ? item->text() : QString());
            }
            rows << cells.join('|');
        }
        QCOMPARE(rows, QStringList({"Sl.No.|Code|Name of the Firm|Town/Village",
                                    "1|AB9|New Name|New Town", "2|CO1|First Dairy|Hilltown",
                                    "3|WESTERNDAIRY2024|West|Town", "4|ZZ1||", "|||"}));
        QCOMPARE(grid->currentRow(), 0);
        // The code column is as wide as the longest code, and never narrower than its heading.
        const int margin =
            grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        const int room = grid->columnWidth(1) - 2 * margin;
        QVERIFY(grid->fontMetrics().horizontalAdvance("WESTERNDAIRY2024") <= room);
        QVERIFY(grid->horizontalHeader()->fontMetrics().horizontalAdvance("Code   ") <= room);

        if (row < 0) {
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            grid->setCurrentCell(row, 0);
            start->findChild<QPushButton*>("cmdOk")->click();
        }

        QCOMPARE(env.messageTexts(), QStringList());
        QCOMPARE(Gen_ComCode, dbMst.section('_', 0, 0));
        QCOMPARE(Gen_DbMst, dbMst);
        QCOMPARE(Gen_YStart.toString(Qt::ISODate) + " " + Gen_YEnd.toString(Qt::ISODate), year);
        QCOMPARE(Gen_Today, kToday);
        if (!dbMst.isEmpty()) {
            // A file's data source is pointed at it; a server's is kept as it was registered.
            QCOMPARE(platform::dsnDatabase("QUENMOOR_" + dbMst),
                     env.onServer() ? env.serverSourceFor(env.companyFile(dbMst)).database
                                    : env.companyFile(dbMst));
            // The company year's connections open its database.
            datastore::Connection year;
            QVERIFY(OpenMst(year));
            if (!env.onServer())
                QCOMPARE(QFileInfo(year.database().databaseName()).canonicalFilePath(),
                         QFileInfo(env.companyFile(dbMst)).canonicalFilePath());
        }
        // The date dialog opens in every case; the company and sign-in windows are gone.
        QVERIFY(datesWindowShown());
        QVERIFY(!start->isVisible() && !window.isVisible());
        QCOMPARE(env.endCount, 0);
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("signedIn");  // acts in the company window, else in sign-in
        QTest::addColumn<QString>("action"); // "Esc:control", a button, or "close": close box
        QTest::newRow("Esc in the password") << false << "Esc:txtPass";
        QTest::newRow("Cancel button") << false << "cmdCan";
        QTest::newRow("Esc in the company list") << true << "Esc:fgLIst";
        QTest::newRow("Exit button") << true << "cmdExit";
        QTest::newRow("close box of the company window: nothing left, no end") << true << "close";
    }
    void leaving()
    {
        QFETCH(bool, signedIn);
        QFETCH(QString, action);
        testkit::TestEnv env;
        install(env);
        frm_Gen_Pass window;
        QVERIFY(shown(window));
        field(&window, "txtPass")->setText("Secret1");
        QWidget* target = signedIn ? static_cast<QWidget*>(signInAsAdmin(window)) : &window;
        QVERIFY(target);
        if (action == "close") {
            QVERIFY(target->close());
            QVERIFY(!window.isVisible());
        } else if (action.startsWith("Esc:")) {
            auto* control = target->findChild<QWidget*>(action.mid(4));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Escape);
        } else {
            target->findChild<QPushButton*>(action)->click();
        }
        QCOMPARE(env.endCount, action == "close" ? 0 : 1);
        QCOMPARE(Gen_ComCode, QString());
        QVERIFY(!datesWindowShown());
        QCOMPARE(window.companyWindow() != nullptr, signedIn);
    }
};

QTEST_MAIN(SignInTest)
#include "tst_signin.moc"

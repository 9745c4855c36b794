// Server installations only: a server lost and back in mid-shift, and a company database that
// another program made on the server (plain types, no keys, no indexes).

#include "../tools/AdminRun.h"
#include "../weighing/tst_window_fixture.h"
#include "DemoInstallation.h"
#include "Installation.h"
#include "OwnServer.h"
#include "ServerInstallation.h"
#include "TestEnv.h"
#include "datastore/ShiftDatabase.h"
#include "datastore/Startup.h"
#include "dates/frm_Dates.h"
#include "signin/A_Start.h"
#include "signin/frm_Gen_Pass.h"
#include "weighing/CompanyWork.h"
#include "weighing/StatusArea.h"

#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>

using windowtest::Desk;
using windowtest::kAdded;
using windowtest::kDay;

namespace {

void seedShift(const Desk& desk)
{
    desk.addRouteAndVillage();
    desk.addVehicle(1, 1, 31, "KA 01 7788");
    desk.addVillage(18, "V18", "O'Brien Farm", 1);
}

void chooseRoute(Desk& desk)
{
    auto* route = desk.field<QComboBox>("cmbRoute");
    route->setCurrentIndex(0);
    emit route->activated(0);
}

// What another program might make: its own column order, names in small letters, extra
// columns of its own, plain types, no key and no index.
const QStringList kForeignMain = {
    "create table pass (name text, pwd text, uname text, uid integer, saveuser integer, "
    "note text)",
    "create table years (dbmst text, comcode text, code integer, ystart date, yend date, "
    "comname text, town text)",
};
const QStringList kForeignCompany = {
    "create table sms_add (comlan integer, wghtfmt integer, bitsnow double precision, "
    "comportw integer, lanhostip text, lanhostno text)",
    "create table mast_routes (rttype text, rtrefno integer, rtinact integer)",
    "create table mast_routessub (rtvehno text, rtrefno integer, sdate date, edate date)",
    "create table mast_villages (vname text, vcode text, vrefno integer, rtrefno integer, "
    "inact integer, phone text)",
    "create table mast_animal (atype text, acode integer)",
    "create table mast_milk (mtype text, mcode integer)",
    "create table data_wght (refno integer, refdate date, ampm integer, rtrefno integer, "
    "vrefno integer, acode integer, mcode integer, dlyslno integer, cansrecd double precision, "
    "mweight double precision, uid integer, uname text, stat integer, coltime text, "
    "truckno text, schtime text, arrtime text, truckkmr double precision, "
    "truckrecamt double precision, truckremarks text, paid integer)",
};

// A database of the test server made by that program, with its data source registered.
QString foreignDatabase(const QString& dsn, const QStringList& tables)
{
    const admin::ServerAddress server = testkit::TestEnv::testServer();
    const QString database = testkit::TestEnv::newServerDatabase("foreign");
    QString error = admin::createServerDatabase(server, database, admin::ServerSchema::Main);
    if (!error.isEmpty())
        return error;
    // Replace the installer's tables by the other program's.
    const platform::ServerSource source = admin::serverSource(server, database);
    error = admin::execOnServer(source, {"drop table pass", "drop table years"});
    if (error.isEmpty())
        error = admin::execOnServer(source, tables);
    if (error.isEmpty() && !platform::writeServerDsn(dsn, source))
        error = "cannot register " + dsn;
    return error;
}

bool datesWindowShown()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<frm_Dates*>(window) && window->isVisible())
            return true;
    return false;
}
} // namespace

class ServerTest : public QObject {
    Q_OBJECT
private slots:
    void serverUnreachableAtStart();
    void serverLostInMidShift();
    void serverSilentInMidShift();
    void companyDatabaseOfAnotherProgram();
    void installedOnTheServer();
    void companyYearsOnTheServer();
    void reportsOnTheServer();
};

void ServerTest::serverUnreachableAtStart()
{
    testkit::TestEnv env;
    QCOMPARE(admin::createSerPathDatabase(env.serPathFile(), env.dataRoot()), QString());
    // A port nothing listens on.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    platform::ServerSource nowhere;
    nowhere.host = "127.0.0.1";
    nowhere.port = closed.serverPort();
    nowhere.database = "main";
    nowhere.user = "postgres";
    closed.close();
    QVERIFY(platform::writeServerDsn("QUENMOOR_MAIN", nowhere));

    QVERIFY(Get_ServerPath());
    QVERIFY(OpenSerPath());
    QVERIFY(Set_MainDsn());
    const auto opened = OpenMain();
    QVERIFY(opened.failedWith(datastore::ErrorKind::ServerAway));
    // The message the file installation gives, and below it the server's own reason.
    const QString told = opened.errorText();
    QVERIFY2(told.startsWith("Data Error - Main Database \n\n") && told.contains("refused"),
             qPrintable(told));
    // Registration kept the server's data source.
    QCOMPARE(platform::dsnServer("QUENMOOR_MAIN").port, nowhere.port);
}

void ServerTest::serverLostInMidShift()
{
    testkit::OwnServer server;
    QVERIFY(server.started());
    Desk desk;
    seedShift(desk);
    testkit::TestEnv::setStation(desk.db(), 0, 1);
    Gen_Uid = 7;
    Gen_UName = "Ravi";
    desk.open();
    QVERIFY(desk.loaded);
    chooseRoute(desk);
    desk.env.messages.clear();

    // The lookup keeps its connection from one search to the next.
    const auto lookUp = [&desk](const QString& typed) {
        desk.box("txtVName")->setFocus();
        QTest::keyClick(desk.box("txtVName"), typed.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), typed.mid(1));
        const int listed = desk.field<QTableView>("dbList")->model()->rowCount();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        return listed;
    };
    QCOMPARE(lookUp("hill"), 1);
    QVERIFY(server.script("pause"));
    desk.fillEntry("2", "40.5");
    desk.window->cmdAdd_Click();
    // Told plainly, nothing shown as added, the entry row kept; the desk goes on.
    QCOMPARE(desk.env.messages.size(), 1);
    const QString told = desk.env.messages.first().text;
    QVERIFY2(told.startsWith("The receipt was not saved.\n\n") && told.size() > 30,
             qPrintable(told));
    QCOMPARE(desk.env.endCount, 0);
    QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString("17"));
    QCOMPARE(desk.box("txtCans")->text(), QString("2"));
    QCOMPARE(desk.gridRows(), QStringList());

    // The server back: the same Add goes in without a restart of the desk.
    QVERIFY(server.script("resume"));
    desk.env.messages.clear();
    desk.window->cmdAdd_Click();
    QCOMPARE(desk.env.messageTexts(), QStringList{kAdded});
    QCOMPARE(desk.receipts(), 1);
    QCOMPARE(desk.gridRows().size(), 1);
    // The lookup finds its way back to the server too.
    desk.env.messages.clear();
    QCOMPARE(lookUp("o'b"), 1);
    QCOMPARE(desk.env.messageTexts(), QStringList());

    // Away again: the lookup, the route's vehicle, lists and receipts and the shift report
    // cannot be read. The operator is told once, nothing stale is left standing, and the desk
    // goes on.
    QVERIFY(Set_MainDsn()); // as start-up leaves it, for the shift report
    QVERIFY(server.script("pause"));
    desk.env.messages.clear();
    QCOMPARE(lookUp("hill"), 0); // the kept connection lost, then a new one each key
    chooseRoute(desk);
    emit desk.window->findChild<QShortcut*>("keyShiftReport")->activated();
    QCOMPARE(desk.env.endCount, 0);
    QCOMPARE(desk.env.messages.size(), 1);
    QVERIFY2(desk.env.messageTexts().first().startsWith("Data Error - Master Database \n\n"),
             qPrintable(desk.env.messageTexts().join('|')));
    QCOMPARE(desk.box("txtTNo")->text(), QString());
    QCOMPARE(desk.gridRows(), QStringList());
    QVERIFY2(desk.window->statusArea()->notice().startsWith("Server away since "),
             qPrintable(desk.window->statusArea()->notice()));

    // Back: choosing the route again (once the desk asks the server again) reads them all.
    QVERIFY(server.script("resume"));
    QTest::qWait(int(datastore::ShiftDatabase::kServerRetryPause.count()) + 100);
    desk.env.messages.clear();
    chooseRoute(desk);
    QCOMPARE(desk.box("txtTNo")->text(), QString("KA 01 7788"));
    QCOMPARE(desk.gridRows().size(), 1);
    QCOMPARE(lookUp("hill"), 1);
    QCOMPARE(desk.env.messageTexts(), QStringList());
    QCOMPARE(desk.window->statusArea()->notice(), QString());

    // Away a third time: told again, once.
    QVERIFY(server.script("pause"));
    emit desk.window->findChild<QShortcut*>("keyShiftReport")->activated();
    chooseRoute(desk);
    QVERIFY2(desk.env.messages.size() == 1 &&
                 desk.env.messageTexts().first().startsWith("Data Error - Main Database \n\n"),
             qPrintable(desk.env.messageTexts().join('|')));
    QCOMPARE(desk.env.endCount, 0);
    QVERIFY(server.script("resume"));
    desk.window.reset();
}

// A server host that takes the connection and then says nothing (a network gone quiet rather
// than a server refusing): the first read of a route change waits out the connection timeout,
// the others do not ask it again meanwhile.
void ServerTest::serverSilentInMidShift()
{
    Desk desk;
    seedShift(desk);
    testkit::TestEnv::setStation(desk.db(), 0, 1);
    desk.open();
    QVERIFY(desk.loaded);
    chooseRoute(desk);
    QCOMPARE(desk.gridRows().size(), 0);

    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    int attempts = 0;
    connect(&silent, &QTcpServer::newConnection, &silent, [&] {
        while (QTcpSocket* peer = silent.nextPendingConnection()) {
            peer->setParent(&silent);
            ++attempts;
        }
    });
    const QString dsn = "QUENMOOR_" + Gen_DbMst;
    platform::ServerSource quiet = platform::dsnServer(dsn);
    quiet.host = "127.0.0.1";
    quiet.port = silent.serverPort();
    QVERIFY(platform::writeServerDsn(dsn, quiet));

    desk.env.messages.clear();
    // The shift's kept connection goes (as with a cable pulled): the next read opens a new one.
    desk.window->companyWork()->database().lost();
    chooseRoute(desk); // the two lists, the truck and the receipts
    QTest::qWait(300); // the connections the server was offered, counted now
    QCOMPARE(attempts, 1);
    QCOMPARE(desk.env.messages.size(), 1);
    QCOMPARE(desk.env.endCount, 0);
}

void ServerTest::companyDatabaseOfAnotherProgram()
{
    testkit::TestEnv env;
    QCOMPARE(admin::createSerPathDatabase(env.serPathFile(), env.dataRoot()), QString());
    QCOMPARE(foreignDatabase("QUENMOOR_MAIN", kForeignMain), QString());
    QCOMPARE(foreignDatabase("QUENMOOR_FX1_2024", kForeignCompany), QString());
    const platform::ServerSource main = platform::dsnServer("QUENMOOR_MAIN");
    const platform::ServerSource company = platform::dsnServer("QUENMOOR_FX1_2024");
    QCOMPARE(
        admin::execOnServer(
            main, {"insert into pass (uid, uname, pwd, saveuser) values (3, 'Mary', 'm1', 1)",
                   "insert into years (comcode, code, dbmst, ystart, yend, comname, town) "
                   "values ('FX1', 1, 'FX1_2024', '2024-01-01', '2024-12-31', 'Far', 'Vale')"}),
        QString());
    QCOMPARE(
        admin::execOnServer(
            company,
            {"insert into sms_add (wghtfmt, bitsnow, comportw, lanhostip, lanhostno, comlan) "
             "values (0, 0, 0, '', '', 1)",
             "insert into mast_routes (rtrefno, rttype, rtinact) values (1, 'North', 0)",
             "insert into mast_routessub values ('KA 9', 1, '2024-03-01', '2024-03-31')",
             "insert into mast_villages (vrefno, vcode, vname, rtrefno, inact) values "
             "(17, 'V17', 'Hillside', 1, 0), (18, 'V18', 'O''Brien Farm', 1, 0)",
             "insert into mast_animal values ('Cow', 1)",
             "insert into mast_milk values ('Whole', 1)",
             "insert into data_wght (refno, refdate, ampm, rtrefno, vrefno, acode, mcode, dlyslno, "
             "cansrecd, mweight) values (41, '2024-03-05', 2, 1, 17, 1, 1, 6, 1, 20)"}),
        QString());

    // Sign-in with the name in other letters, then the company.
    frm_Gen_Pass signIn;
    QVERIFY(signIn.load());
    signIn.show();
    signIn.findChild<QLineEdit*>("txtUser")->setText("MARY");
    signIn.findChild<QLineEdit*>("txtPass")->setText("m1");
    signIn.findChild<QPushButton*>("cmdOk")->click();
    QCOMPARE(env.messageTexts(), QStringList());
    QVERIFY(signIn.companyWindow());
    QCOMPARE(int(Gen_Uid), 3);
    signIn.companyWindow()->findChild<QPushButton*>("cmdOk")->click();
    QCOMPARE(env.messageTexts(), QStringList());
    QCOMPARE(Gen_DbMst, QString("FX1_2024"));
    QVERIFY(datesWindowShown());
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<frm_Dates*>(window))
            delete window;
    // Registration left the server data source as it was.
    QCOMPARE(platform::dsnServer("QUENMOOR_FX1_2024").database, company.database);

    // The weighing window: lookup with an apostrophe, Add, grid.
    env.setClock(QDateTime(kDay, QTime(14, 30, 5)));
    Gen_AmPm = 2;
    frm_Data window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.Form_Load(kDay, formkit::Shift::Am));
    auto* route = window.findChild<QComboBox*>("cmbRoute");
    route->setCurrentIndex(0);
    emit route->activated(0);
    QCOMPARE(window.findChild<QLineEdit*>("txtTNo")->text(), QString("KA 9"));
    auto* name = window.findChild<QLineEdit*>("txtVName");
    name->setFocus();
    QTest::keyClick(name, 'o');
    QTest::keyClicks(QApplication::focusWidget(), "'b");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(window.findChild<QLineEdit*>("txtVCode")->property("Tag").toString(), QString("18"));
    QCOMPARE(name->text(), QString("O'Brien Farm"));
    window.findChild<QLineEdit*>("txtCans")->setText("2");
    window.findChild<QLineEdit*>("txtWeight")->setText("40.5");
    window.cmdAdd_Click();
    QCOMPARE(env.messageTexts(), QStringList{kAdded});
    QCOMPARE(admin::execOnServer(company, {"select 1"}), QString());
    auto* grid = window.findChild<QTableWidget*>("fgLIst");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text() + "|" + grid->item(0, 2)->text(), QString("7|O'Brien Farm"));
    QCOMPARE(env.endCount, 0);
}

namespace {
// The first value an ODBC program reads through a data source.
QString isqlValue(const QString& dsn, const QString& statement)
{
    QProcess isql;
    isql.start("isql", {"-b", "-d|", "-x0x09", dsn});
    isql.write(statement.toUtf8() + "\n");
    isql.closeWriteChannel();
    if (!isql.waitForFinished(30000))
        return "no answer";
    return QString::fromUtf8(isql.readAllStandardOutput()).section('\n', 0, 0).trimmed();
}
} // namespace

// Another program in the middle of a write on a table of a server data source's database.
class TableHolder {
public:
    TableHolder(const QString& dsn, const QString& table) : m_name("holder-" + dsn)
    {
        const platform::ServerSource source = platform::dsnServer(dsn);
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", m_name);
        db.setHostName(source.host);
        db.setPort(source.port);
        db.setDatabaseName(source.database);
        db.setUserName(source.user);
        db.setPassword(source.password);
        QSqlQuery query(db);
        m_held = db.open() && query.exec("BEGIN") &&
                 query.exec("LOCK TABLE " + table + " IN EXCLUSIVE MODE");
    }
    ~TableHolder()
    {
        release();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool held() const { return m_held; }
    // Connections to the held table's database, this one included.
    int sessions() const
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        // Inside a transaction the server keeps showing what it showed first.
        query.exec("select pg_stat_clear_snapshot()");
        return query.exec("select count(*) from pg_stat_activity where datname = "
                          "current_database()") &&
                       query.next()
                   ? query.value(0).toInt()
                   : 0;
    }
    void release()
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            QSqlQuery(db).exec("ROLLBACK");
            db.close();
        }
    }

private:
    QString m_name;
    bool m_held = false;
};

// The test server's address for init --server, its demo databases of an earlier run dropped.
QString freshServerUrl(const QList<admin::demo::Year>& years)
{
    const admin::ServerAddress server = testkit::TestEnv::testServer();
    if (!admin::dropServerDatabase(server, "quenmoor_main").isEmpty())
        return QString();
    for (const admin::demo::Year& year : years) {
        if (!admin::dropServerDatabase(server, admin::serverDatabaseName(year.dbMst)).isEmpty())
            return QString();
    }
    return QString("postgresql://%1@%2:%3").arg(server.user, server.host).arg(server.port);
}

void ServerTest::installedOnTheServer()
{
    testkit::TestEnv env;
    const QList<admin::demo::Year> years = admin::demo::years(kDay);
    const QString url = freshServerUrl(years);
    QVERIFY(!url.isEmpty());
    const QString company = "QUENMOOR_" + years.last().dbMst;
    QString summary;
    QCOMPARE(admin::initServerInstallation({env.programDir(), url, true, kDay}, &summary),
             QString());
    QVERIFY(QFileInfo(env.serPathFile()).isFile());
    QCOMPARE(platform::dsnDriver(company), QString("PostgreSQL Unicode"));

    // Other programs read it through the data sources.
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select count(*) from pass"), QString("3"));
    QCOMPARE(isqlValue(company, "select count(*) from mast_routes where rtinact = 0").toInt() > 0,
             true);
    // The indexes of the file installation.
    QCOMPARE(isqlValue(company, "select count(*) from pg_indexes where tablename = 'data_wght'"),
             QString("2"));

    // The desk starts on it without correcting anything, and a station is set on it.
    QVERIFY(Get_ServerPath());
    QVERIFY(OpenSerPath());
    QVERIFY(Set_MainDsn());
    QVERIFY(OpenMain());
    Con_Main->close();
    QCOMPARE(Gen_ServerPath, env.programDir());
    admin::StationOptions station;
    station.company = years.last().comCode.toLower();
    station.link = 4;
    station.host = "10.0.0.5";
    QCOMPARE(admin::writeStation(station), QString());
    QCOMPARE(isqlValue(company, "select comlan || lanhostip from sms_add"), QString("410.0.0.5"));
    QCOMPARE(env.messageTexts(), QStringList());

    // A second init on the same server changes nothing.
    testkit::TestEnv other;
    QVERIFY(
        !admin::initServerInstallation({other.programDir(), url, true, kDay}, nullptr).isEmpty());
    QVERIFY(!QFileInfo(other.serPathFile()).exists());
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select count(*) from pass"), QString());
}

// The centre set-up commands on an installation made by init --server (no data root, the
// databases reached through the registered data sources): users, villages, a desk's lock; a
// company and its next year with their databases and data sources, vehicle periods imported,
// updated and exported; a database of that name that is not the tool's is left alone.
void ServerTest::companyYearsOnTheServer()
{
    using admintest::runAdmin;
    testkit::TestEnv env;
    const QList<admin::demo::Year> years = admin::demo::years(kDay);
    const QString url = freshServerUrl(years);
    QVERIFY(!url.isEmpty());
    const admin::ServerAddress server = testkit::TestEnv::testServer();
    for (const char* database : {"1gv_2026", "1gv_2027", "x2_2026"})
        QCOMPARE(admin::dropServerDatabase(server, database), QString());
    admintest::Run run = runAdmin({"init", "--program-dir", env.programDir(), "--server", url,
                                   "--demo", "--today", kDay.toString(Qt::ISODate)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    // Users: a name that differs only in letter case is refused, as on a file.
    run = runAdmin({"user", "add", "Meena", "--password-stdin"}, "secret\n");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("Added user Meena (id 4)"), qPrintable(run.out));
    QCOMPARE(runAdmin({"user", "add", "MEENA", "--password-stdin"}, "other\n").exitCode, 1);
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select pwd from pass where uid = 4"), QString("secret"));

    // Villages imported from a spreadsheet's file and exported back.
    const QString comCode = years.last().comCode;
    const QString route =
        isqlValue("QUENMOOR_" + years.last().dbMst, "select min(rtrefno) from mast_routes");
    const QString in = env.root() + "/in.csv";
    QString back = env.root() + "/back.csv";
    const QByteArray added = "Q901,\"Ashford, \"\"Upper\"\"\"," + route.toUtf8() +
                             ",1\r\nQ902,M\xC3\xBChlbach," + route.toUtf8() + ",0\r\n";
    QVERIFY(admintest::writeFile(in, QByteArray("\xEF\xBB\xBF"
                                                "code,name,route,active\r\n") +
                                         added));
    run = runAdmin({"import", "villages", "--company", comCode.toLower(), in});
    QVERIFY2(run.out.contains("2 added, 0 updated, 0 unchanged"), qPrintable(run.out + run.err));
    QCOMPARE(runAdmin({"export", "villages", "--company", comCode, back}).exitCode, 0);
    for (const QByteArray& line : added.split('\n'))
        QVERIFY2(admintest::readFile(back).contains(line), line.constData());
    run = runAdmin({"import", "villages", "--company", comCode, back});
    QVERIFY2(run.out.contains(" 0 added, 0 updated"), qPrintable(run.out + run.err));

    // A desk holding the villages for a moment is waited for; one holding the users for longer
    // than the tool waits is told about, and nothing is written.
    const QString one = env.root() + "/one.csv";
    QVERIFY(admintest::writeFile(one, "code,name,route\nQ903,Late," + route.toUtf8() + "\n"));
    TableHolder users("QUENMOOR_MAIN", "pass"),
        villages("QUENMOOR_" + years.last().dbMst, "mast_villages");
    QVERIFY(users.held() && villages.held());
    QProcess addUser, importVillage;
    addUser.start(testkit::toolPath("tarvolen-admin"), {"user", "add", "Late", "--password-stdin"});
    addUser.write("late\n");
    addUser.closeWriteChannel();
    importVillage.start(testkit::toolPath("tarvolen-admin"),
                        {"import", "villages", "--company", comCode, one});
    // Released only once the tool is connected and has met the lock a few times.
    QVERIFY(QTest::qWaitFor([&villages] { return villages.sessions() > 1; }, 20000));
    QTest::qWait(400);
    villages.release();
    const auto finished = [](QProcess& process) {
        return process.state() == QProcess::NotRunning || process.waitForFinished(30000);
    };
    QVERIFY(finished(importVillage));
    QVERIFY2(importVillage.exitCode() == 0, importVillage.readAllStandardError().constData());
    QVERIFY(finished(addUser));
    const QString refused = QString::fromUtf8(addUser.readAllStandardError());
    QVERIFY2(addUser.exitCode() == 1 && refused.contains("locked by another program"),
             qPrintable(refused));
    users.release();
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select count(*) from pass where uname = 'Late'"),
             QString("0"));
    QCOMPARE(isqlValue("QUENMOOR_" + years.last().dbMst,
                       "select count(*) from mast_villages where vcode = 'Q903'"),
             QString("1"));

    // A code that starts with a digit still names a database.
    const QStringList year2026{"--year-start", "2026-04-01", "--year-end", "2027-03-31"};
    run =
        runAdmin(QStringList{"company", "add", "1GV", "--name", "One Green", "--town", "Ashford"} +
                 year2026);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("database 1gv_2026 on "), qPrintable(run.out));
    QCOMPARE(isqlValue("QUENMOOR_1GV_2026", "select count(*) from sms_add where comlan is null"),
             QString("1"));
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select ystart || '|' || yend from years where "
                                        "comcode = '1GV'"),
             QString("2026-04-01|2027-03-31"));
    run = runAdmin(QStringList{"company", "add", "1gv", "--name", "Again"} + year2026);
    QVERIFY2(run.exitCode == 1 && run.err.contains("exists already"), qPrintable(run.err));

    // Vehicle periods: added, then one updated by its route and first day.
    const QString routes = env.root() + "/routes.csv", vehicles = env.root() + "/vehicles.csv";
    QVERIFY(admintest::writeFile(routes, "code,name\r\n1,East\r\n2,West\r\n"));
    QCOMPARE(runAdmin({"import", "routes", "--company", "1GV", routes}).exitCode, 0);
    QVERIFY(admintest::writeFile(vehicles, "route,from,to,vehicle\r\n"
                                           "1,2026-04-01,2026-09-30,KA 1\r\n"
                                           "1,2026-10-01,2027-03-31,KA 2\r\n"
                                           "2,2026-04-01,2027-03-31,KA 3\r\n"));
    run = runAdmin({"import", "vehicles", "--company", "1GV", vehicles});
    QVERIFY2(run.exitCode == 0 && run.out.contains("3 added"), qPrintable(run.out + run.err));
    // Lengthened into the next period, which the file does not name: refused.
    QVERIFY(admintest::writeFile(vehicles, "route,from,to,vehicle\r\n"
                                           "1,2026-04-01,2026-10-31,KA 9\r\n"));
    run = runAdmin({"import", "vehicles", "--company", "1GV", vehicles});
    QVERIFY2(run.exitCode == 1 && run.err.contains("overlaps"), qPrintable(run.err));
    QVERIFY(admintest::writeFile(vehicles, "route,from,to,vehicle\r\n"
                                           "1,2026-04-01,2026-09-15,KA 9\r\n"
                                           "1,2026-09-16,2026-09-30,KA 4\r\n"));
    run = runAdmin({"import", "vehicles", "--company", "1GV", vehicles});
    QVERIFY2(run.exitCode == 0 && run.out.contains("1 added, 1 updated, 0 unchanged"),
             qPrintable(run.out + run.err));
    QCOMPARE(isqlValue("QUENMOOR_1GV_2026",
                       "select string_agg(rtrefno || ' ' || sdate || ' ' || edate || ' ' || "
                       "rtvehno, ',' order by rtrefno, sdate) from mast_routessub"),
             QString("1 2026-04-01 2026-09-15 KA 9,1 2026-09-16 2026-09-30 KA 4,"
                     "1 2026-10-01 2027-03-31 KA 2,2 2026-04-01 2027-03-31 KA 3"));
    QCOMPARE(runAdmin({"export", "vehicles", "--company", "1GV", back}).exitCode, 0);
    run = runAdmin({"import", "vehicles", "--company", "1GV", back});
    QVERIFY2(run.out.contains("0 added, 0 updated, 4 unchanged"), qPrintable(run.out + run.err));

    // Another desk joins: SerPath.mdb and the data sources of what is there, nothing made on
    // the server; a server with no installation, or a second join, is refused.
    testkit::TestEnv second; // its own odbc.ini from here on
    run = runAdmin({"init", "--program-dir", second.programDir(), "--server",
                    QString("postgresql://%1@127.0.0.1:1").arg(server.user), "--join"});
    QVERIFY2(run.exitCode == 1 && run.err.contains("cannot reach quenmoor_main on 127.0.0.1:1: "),
             qPrintable(run.err));
    QVERIFY(!platform::dsnExists("QUENMOOR_MAIN"));
    QVERIFY(!QFileInfo::exists(second.serPathFile()));
    // This desk once worked the year from a file: that data source would keep its receipts
    // off the server.
    QVERIFY(platform::writeDsn("QUENMOOR_1GV_2026", second.root() + "/1GV_2026.mdb"));
    run = runAdmin({"init", "--program-dir", second.programDir(), "--server", url, "--join"});
    QVERIFY2(run.exitCode == 0 &&
                 run.out.contains("QUENMOOR_1GV_2026 -> database 1gv_2026 (replaces one that "
                                  "named the file " +
                                  second.root() + "/1GV_2026.mdb)"),
             qPrintable(run.out + run.err));
    QVERIFY(platform::isServerDsn("QUENMOOR_1GV_2026"));
    QVERIFY2(runAdmin({"company", "list"}).out.contains("database 1gv_2026 on "),
             qPrintable(runAdmin({"company", "list"}).out));
    QCOMPARE(runAdmin({"init", "--program-dir", second.root() + "/p2", "--server", url, "--join"})
                 .exitCode,
             1);

    // The next year, made from the first desk, carries the masters over; the list shows the
    // company once, at its new year.
    qputenv("ODBCINI", env.odbcIni().toUtf8());
    run = runAdmin({"company", "new-year", "1GV", "--force"}); // it starts after today
    QVERIFY2(run.exitCode == 0 && run.out.contains("4 Mast_RoutesSub"),
             qPrintable(run.out + run.err));
    QCOMPARE(isqlValue("QUENMOOR_1GV_2027", "select count(*) from mast_routessub where "
                                            "sdate = date '2026-09-16'"),
             QString("1"));
    run = runAdmin({"company", "list"});
    QCOMPARE(run.out.count(QRegularExpression("^1GV ", QRegularExpression::MultilineOption)), 1);
    QVERIFY2(run.out.contains("year 2 (2027-04-01 to 2028-03-31)"), qPrintable(run.out));

    // The second desk finds the new year without joining again: the tool, and the desk when
    // the year is chosen.
    qputenv("ODBCINI", second.odbcIni().toUtf8());
    run = runAdmin({"export", "vehicles", "--company", "1GV", "-"});
    QVERIFY2(run.exitCode == 0 && run.out.count("\n") == 5, qPrintable(run.out + run.err));
    QVERIFY(platform::removeDsn("QUENMOOR_1GV_2027"));
    Gen_DbMst = "1GV_2027";
    QVERIFY(Set_MstDsn());
    datastore::Connection year;
    QVERIFY(OpenMst(year));
    QSqlQuery periods = year.run("SELECT COUNT(*) FROM Mast_RoutesSub");
    QVERIFY(periods.next());
    QCOMPARE(periods.value(0).toInt(), 4);
    QCOMPARE(platform::dsnServer("QUENMOOR_1GV_2027").database, QString("1gv_2027"));
    year.close();
    qputenv("ODBCINI", env.odbcIni().toUtf8());

    // Somebody else's database under the name the year would take: refused, and kept.
    QCOMPARE(admin::createServerDatabase(server, "x2_2026", admin::ServerSchema::Company),
             QString());
    run = runAdmin(QStringList{"company", "add", "X2", "--name", "Other"} + year2026);
    QVERIFY2(run.exitCode == 1 && run.err.contains("No company was added"), qPrintable(run.err));
    QVERIFY(!platform::dsnExists("QUENMOOR_X2_2026"));
    QCOMPARE(isqlValue("QUENMOOR_MAIN", "select count(*) from years where comcode = 'X2'"),
             QString("0"));
    QCOMPARE(admin::execOnServer(admin::serverSource(server, "x2_2026"),
                                 {"select count(*) from mast_routes"}),
             QString());
}

// Reports and exports on an installation made by init --server, without a data root; a date of
// the year before the latest is read from its own year.
void ServerTest::reportsOnTheServer()
{
    using admintest::runAdmin;
    testkit::TestEnv env;
    const QList<admin::demo::Year> years = admin::demo::years(kDay);
    const QString url = freshServerUrl(years);
    QVERIFY(!url.isEmpty());
    admintest::Run run = runAdmin({"init", "--program-dir", env.programDir(), "--server", url,
                                   "--demo", "--today", kDay.toString(Qt::ISODate)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const admin::demo::Year& before = years.first();
    QVERIFY(std::any_of(years.begin(), years.end(), [&before](const admin::demo::Year& y) {
        return y.comCode == before.comCode && y.code > before.code; // a later year exists
    }));
    const QString day = isqlValue("QUENMOOR_" + before.dbMst, "select max(refdate) from data_wght");
    const QString stored = isqlValue("QUENMOOR_" + before.dbMst,
                                     "select count(*) || ' ' || sum(mweight)::numeric(12, 2) from data_wght "
                                     "where refdate = date '" + day + "'");
    const QStringList company{"--company", before.comCode, "--date", day};
    run = runAdmin(QStringList{"report", "day"} + company);
    QVERIFY2(run.exitCode == 0 && run.err.contains(QString("reading year %1").arg(before.code)),
             qPrintable(run.err));
    QVERIFY2(run.out.contains("Day summary"), qPrintable(run.out));
    run = runAdmin(QStringList{"report", "shift", "--shift", "AM", "--pdf",
                               env.root() + "/shift.pdf"} + company);
    QVERIFY2(run.exitCode == 0 && QFileInfo(env.root() + "/shift.pdf").size() > 0,
             qPrintable(run.err));
    run = runAdmin({"report", "villages", "--company", before.comCode, "--from", day, "--to", day,
                    "--csv", "-"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    double receipts = 0, weight = 0;
    for (const QString& line : run.out.split("\r\n").mid(1, run.out.count("\r\n") - 1)) {
        receipts += line.section(',', -3, -3).toDouble();
        weight += line.section(',', -1).toDouble();
    }
    QCOMPARE(QString("%1 %2").arg(receipts).arg(weight, 0, 'f', 2), stored);
    run = runAdmin({"export", "receipts", "--company", before.comCode, "--from", day, "--to", day,
                    "-"});
    QVERIFY2(run.exitCode == 0 && run.out.count("\r\n") == 1 + int(receipts),
             qPrintable(run.out + run.err));
}

QTEST_MAIN(ServerTest)
#include "tst_server.moc"

// Start-up: the data root, the named data sources and the connection openers.

#include "Installation.h"
#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/DsnRegistry.h"
#include "platform/Messages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void serverPath_data();
    void serverPath();
    void serverPathWithoutItsDatabase();
    void registration_data();
    void registration();
    void isqlReadsMainThroughItsName();
    void openerFailure_data();
    void openerFailure();
    void openMainTwiceReopens();
};

namespace {
void touch(const QString& file)
{
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QString odbcIniText(const testkit::TestEnv& env)
{
    QFile ini(env.odbcIni());
    return ini.open(QIODevice::ReadOnly) ? QString::fromUtf8(ini.readAll()) : QString();
}
} // namespace

void StartupTest::serverPath_data()
{
    QTest::addColumn<bool>("rowStored");
    QTest::addColumn<int>("chk");
    QTest::addColumn<QString>("mainFile"); // under the stored root; empty: none
    QTest::addColumn<bool>("corrected");
    QTest::newRow("first start: no main database, unchecked") << true << 0 << "" << true;
    QTest::newRow("no main database, already checked") << true << 1 << "" << false;
    QTest::newRow("main database present") << true << 0 << "DataBas/Main.mdb" << false;
    QTest::newRow("main database in other letter case") << true << 0 << "databas/MAIN.MDB"
                                                        << false;
    QTest::newRow("main name only as a folder") << true << 0 << "DataBas/Main.Mdb/x" << true;
    QTest::newRow("empty ServerPath table") << false << 0 << "" << false;
}

void StartupTest::serverPath()
{
    QFETCH(bool, rowStored);
    QFETCH(int, chk);
    QFETCH(QString, mainFile);
    QFETCH(bool, corrected);
    testkit::TestEnv env;
    const QString storedRoot = env.root() + "/shared";
    QCOMPARE(admin::createSerPathDatabase(env.serPathFile(), storedRoot), QString());
    env.exec(env.serPathFile(), "DELETE FROM ServerPath");
    if (rowStored)
        env.exec(env.serPathFile(), "INSERT INTO ServerPath (Path, Chk) VALUES (?, ?)",
                 {storedRoot, chk});
    if (mainFile.isEmpty())
        QVERIFY(QDir().mkpath(storedRoot + "/DataBas"));
    else
        touch(storedRoot + "/" + mainFile);

    Get_ServerPath();

    QCOMPARE(Gen_AppPath, env.programDir());
    const QString expectedRoot = !rowStored ? QString() : corrected ? env.programDir() : storedRoot;
    QCOMPARE(Gen_ServerPath, expectedRoot);
    QVERIFY(Con_SerPath && !Con_SerPath->isOpen());
    QVERIFY(env.messages.isEmpty());
    QCOMPARE(env.endCount, 0);
    QCOMPARE(env.scalar(env.serPathFile(), "SELECT count(*) FROM ServerPath").toInt(),
             rowStored ? 1 : 0);
    if (rowStored) {
        QCOMPARE(env.scalar(env.serPathFile(), "SELECT Path FROM ServerPath").toString(),
                 expectedRoot);
        QCOMPARE(env.scalar(env.serPathFile(), "SELECT Chk FROM ServerPath").toInt(),
                 corrected ? 1 : chk);
    }
}

void StartupTest::serverPathWithoutItsDatabase()
{
    testkit::TestEnv env;
    Get_ServerPath();
    QCOMPARE(env.messageTexts(), QStringList{"Data Error - Path Database"});
    QCOMPARE(env.endCount, 1);
    QCOMPARE(Gen_ServerPath, QString());
}

void StartupTest::registration_data()
{
    QTest::addColumn<bool>("registeredBefore");
    QTest::addColumn<bool>("fileOnDisk");
    QTest::addColumn<bool>("registeredAfter");
    QTest::newRow("exists, file present: re-pointed") << true << true << true;
    QTest::newRow("exists, file missing: re-pointed all the same") << true << false << true;
    QTest::newRow("new, file present: registered") << false << true << true;
    QTest::newRow("new, file missing: message, nothing registered") << false << false << false;
}

void StartupTest::registration()
{
    QFETCH(bool, registeredBefore);
    QFETCH(bool, fileOnDisk);
    QFETCH(bool, registeredAfter);
    testkit::TestEnv env;
    const QString name = "QUENMOOR_CO2_2025";
    if (registeredBefore)
        QVERIFY(platform::writeDsn(name, env.root() + "/elsewhere.mdb"));
    if (fileOnDisk)
        touch(env.dataRoot() + "/DataBas/co2_2025.MDB");

    Reg_Dsn(name, env.dataRoot() + "\\Databas\\CO2_2025.mdb");

    // Found without regard to case where it exists; as written, with slashes, where not.
    const QString file = env.dataRoot() + (fileOnDisk ? "/DataBas/co2_2025.MDB"
                                                      : "/DataBas/CO2_2025.mdb");
    QCOMPARE(platform::dsnDatabase(name), registeredAfter ? file : QString());
    const QString ini = odbcIniText(env);
    QCOMPARE(ini.contains("[" + name + "]"), registeredAfter);
    QCOMPARE(ini.contains(file), registeredAfter);
    if (registeredAfter) {
        QVERIFY(env.messages.isEmpty());
        QVERIFY2(ini.contains(QRegularExpression("Driver\\s*=\\s*SQLite3")), qPrintable(ini));
    } else {
        QCOMPARE(env.messageTexts(), QStringList{"Database file doesn't exist!"});
        QCOMPARE(env.messages[0].kind, platform::MessageKind::Critical);
        QCOMPARE(env.messages[0].title, platform::appTitle());
    }
    QCOMPARE(env.endCount, 0);
}

void StartupTest::isqlReadsMainThroughItsName()
{
    const QString isql = QStandardPaths::findExecutable("isql");
    if (isql.isEmpty())
        QSKIP("isql is not installed");
    testkit::TestEnv env;
    env.createInstallation();
    env.exec(env.mainFile(), "INSERT INTO Pass (Uid, UName, PWD, SaveUser) "
                             "VALUES (1, 'operator', 'x', 1)");
    Gen_ServerPath = env.dataRoot();
    Gen_DbPwd = DbPassword();
    Set_MainDsn();
    QVERIFY(Con_Main);
    QCOMPARE(Gen_ConStrMain, QStringLiteral("DSN=QUENMOOR_MAIN;UID=;PWD=qzrt5172;"));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ODBCINI", env.odbcIni());
    process.setProcessEnvironment(environment);
    process.start(isql, {"-b", "QUENMOOR_MAIN"});
    QVERIFY(process.waitForStarted());
    process.write("select UName from Pass;\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    const QString output = QString::fromUtf8(process.readAll());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(output.contains("operator"), qPrintable(output));
}

void StartupTest::openerFailure_data()
{
    QTest::addColumn<bool>("main");
    QTest::addColumn<bool>("registered"); // registered, but at a file that is gone
    QTest::addColumn<QString>("message");
    QTest::newRow("main: no data source") << true << false << "Data Error - Main Database ";
    QTest::newRow("main: file gone") << true << true << "Data Error - Main Database ";
    QTest::newRow("master: no data source") << false << false << "Data Error - Master Database ";
    QTest::newRow("master: file gone") << false << true << "Data Error - Master Database ";
}

void StartupTest::openerFailure()
{
    QFETCH(bool, main);
    QFETCH(bool, registered);
    QFETCH(QString, message);
    testkit::TestEnv env;
    Gen_DbPwd = DbPassword();
    Gen_DbMst = "CO1_2026";
    Gen_ConStrMain = "DSN=QUENMOOR_MAIN;UID=;PWD=" + Gen_DbPwd + ";";
    if (registered)
        QVERIFY(platform::writeDsn(main ? "QUENMOOR_MAIN" : "QUENMOOR_CO1_2026",
                                   env.dataRoot() + "/DataBas/Gone.mdb"));
    datastore::Connection mst;
    const bool opened = main ? OpenMain() : OpenMst(mst);
    QVERIFY(!opened);
    QVERIFY(main ? !Con_Main->isOpen() : !mst.isOpen());
    QCOMPARE(env.messageTexts(), QStringList{message});
    QCOMPARE(env.messages[0].kind, platform::MessageKind::Plain);
    QCOMPARE(env.messages[0].title, platform::appTitle());
    QCOMPARE(env.endCount, 1);
}

void StartupTest::openMainTwiceReopens()
{
    testkit::TestEnv env;
    env.createInstallation();
    env.chooseCompany();
    Set_MainDsn();
    QVERIFY(OpenMain());
    QVERIFY(OpenMain());
    QVERIFY(Con_Main->isOpen());
    QCOMPARE(Con_Main->fileName(), env.mainFile());
    // Open again with another string: the open connection is closed and opened on the new one.
    Gen_ConStrMain = "DSN=QUENMOOR_CO1_2026;UID=;PWD=" + Gen_DbPwd + ";";
    QVERIFY(OpenMain());
    QCOMPARE(Con_Main->fileName(), env.companyFile());
    QVERIFY(Con_Main->run("SELECT count(*) FROM Sms_Add").next());
    QVERIFY(env.messages.isEmpty());
    QCOMPARE(env.endCount, 0);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

// Start-up: the data root, the named data sources and the connection openers.

#include "Installation.h"
#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/DsnRegistry.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {
void touch(const QString& file)
{
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void serverPath_data()
    {
        QTest::addColumn<bool>("rowStored");
        QTest::addColumn<int>("chk");
        QTest::addColumn<QString>("mainFile"); // under the stored root
        QTest::addColumn<bool>("corrected");
        QTest::newRow("first start: no main database, unchecked") << true << 0 << "" << true;
        QTest::newRow("no main database, already checked") << true << 1 << "" << false;
        QTest::newRow("main database present") << true << 0 << "DataBas/Main.mdb" << false;
        QTest::newRow("main database in other letter case")
            << true << 0 << "databas/MAIN.MDB" << false;
        QTest::newRow("main name only as a folder") << true << 0 << "DataBas/Main.Mdb/x" << true;
        QTest::newRow("empty ServerPath table") << false << 0 << "" << false;
    }
    void serverPath()
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
        touch(storedRoot + "/" + (mainFile.isEmpty() ? "DataBas/x" : mainFile));

        QVERIFY(Get_ServerPath());

        const QString root = !rowStored ? QString() : corrected ? env.programDir() : storedRoot;
        QCOMPARE(Gen_ServerPath, root);
        QVERIFY(Con_SerPath && !Con_SerPath->isOpen());
        QVERIFY(env.messages.isEmpty() && env.endCount == 0);
        QCOMPARE(env.scalar(env.serPathFile(), "SELECT Path || '|' || Chk FROM ServerPath"),
                 rowStored ? QVariant(root + "|" + QString::number(corrected ? 1 : chk))
                           : QVariant());
    }

    void registration_data()
    {
        QTest::addColumn<bool>("registeredBefore");
        QTest::addColumn<bool>("fileOnDisk");
        QTest::addColumn<bool>("iniWritable");
        QTest::newRow("exists, file present: re-pointed") << true << true << true;
        QTest::newRow("exists, file missing: re-pointed all the same") << true << false << true;
        QTest::newRow("new, file present: registered") << false << true << true;
        QTest::newRow("new, file missing: refused, nothing registered") << false << false << true;
        // Never a registration that silently did not happen.
        QTest::newRow("settings file cannot be written: an error") << false << true << false;
    }
    void registration()
    {
        QFETCH(bool, registeredBefore);
        QFETCH(bool, fileOnDisk);
        QFETCH(bool, iniWritable);
        testkit::TestEnv env;
        const QString name = "QUENMOOR_CO2_2025";
        if (registeredBefore)
            QVERIFY(platform::writeDsn(name, env.root() + "/elsewhere.mdb"));
        if (fileOnDisk)
            touch(env.dataRoot() + "/DataBas/co2_2025.MDB");
        if (!iniWritable)
            qputenv("ODBCINI", QFile::encodeName(env.root() + "/no-such-folder/odbc.ini"));

        const auto done = Reg_Dsn(name, env.dataRoot() + "\\Databas\\CO2_2025.mdb");

        if (!iniWritable) {
            QVERIFY2(!done && done.errorText().contains("could not be pointed at") &&
                         done.errorText().contains("no-such-folder/odbc.ini"),
                     qPrintable(done.errorText()));
            return;
        }
        // Found without regard to case where it exists; as written, with slashes, where not.
        const QString file =
            env.dataRoot() + (fileOnDisk ? "/DataBas/co2_2025.MDB" : "/DataBas/CO2_2025.mdb");
        const bool registered = registeredBefore || fileOnDisk;
        QCOMPARE(platform::dsnDatabase(name), registered ? file : QString());
        QCOMPARE(done.ok(), registered);
        if (!registered) {
            QCOMPARE(done.errorText(), QString("Database file doesn't exist!"));
            QCOMPARE(done.error().kind, datastore::ErrorKind::MissingFile);
        }
        QVERIFY(env.messages.isEmpty() && env.endCount == 0);
    }

    void isqlReadsMainThroughItsName()
    {
        const QString isql = QStandardPaths::findExecutable("isql");
        if (isql.isEmpty())
            QSKIP("isql is not installed");
        testkit::TestEnv env;
        env.createInstallation();
        env.exec(env.mainFile(), "INSERT INTO Pass (Uid, UName) VALUES (1, 'operator')");
        Gen_ServerPath = env.dataRoot();
        Gen_DbPwd = DbPassword();
        QVERIFY(Set_MainDsn());

        QProcess process; // ODBCINI comes from the env
        process.start(isql, {"-b", "QUENMOOR_MAIN"});
        process.write("select UName from Pass;\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished());
        const QString output = QString::fromUtf8(process.readAll());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(output.contains("operator"), qPrintable(output));
    }

    void openerFailure_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<bool>("registered"); // registered, but at a file that is gone
        QTest::addColumn<QString>("message");
        QTest::newRow("path: no database") << "path" << false << "Data Error - Path Database";
        QTest::newRow("main: no data source") << "main" << false << "Data Error - Main Database ";
        QTest::newRow("master: file gone") << "mst" << true << "Data Error - Master Database ";
    }
    void openerFailure()
    {
        QFETCH(QString, opener);
        QFETCH(bool, registered);
        QFETCH(QString, message);
        testkit::TestEnv env;
        Gen_DbPwd = DbPassword();
        Gen_DbMst = "CO1_2026";
        Gen_ConStrMain = "DSN=QUENMOOR_MAIN;UID=;PWD=" + Gen_DbPwd + ";";
        if (registered)
            QVERIFY(platform::writeDsn(opener == "main" ? "QUENMOOR_MAIN" : "QUENMOOR_CO1_2026",
                                       env.dataRoot() + "/DataBas/Gone.mdb"));
        datastore::Connection mst;
        const datastore::Result<> opened = opener == "path"   ? Get_ServerPath()
                                           : opener == "main" ? OpenMain()
                                                              : OpenMst(mst);
        QVERIFY(!opened && !mst.isOpen());
        QCOMPARE(opened.errorText(), message);
        QCOMPARE(opened.error().kind, datastore::ErrorKind::MissingFile);
        // The data store tells no one and ends nothing: the windows decide.
        QVERIFY(env.messages.isEmpty() && env.endCount == 0);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

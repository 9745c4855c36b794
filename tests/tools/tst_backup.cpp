// Backups taken while another process writes receipts are each one consistent state holding a
// prefix of the writes; a restore puts a backup back, and refuses while a desk runs.

#include "AdminRun.h"
#include "Backup.h"
#include "TestEnv.h"
#include "platform/RunningCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr int kWrites = 500;

// Every column of written receipt n follows from n, so a torn row shows.
QString writerScript()
{
    QString script = ".timeout 20000\n";
    for (int i = 0; i < kWrites; ++i)
        script += "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
                  "DlySlNo, CansRecd, MWeight, Uid, UName, Stat, ColTime, TruckNo, SchTime, "
                  "ArrTime, TruckKMR, TruckRecAmt, TruckRemarks) SELECT n, '2024-03-05', 2, 1, "
                  "n % 7, 1, 1, n, n % 3, n * 0.5, 1, 'w' || n, 0, '06:00:00 AM', 'T' || n, "
                  "'05:00:00 AM', '06:00:00 AM', n, n * 2, 'row ' || n FROM (SELECT "
                  "COALESCE(MAX(RefNo), 0) + 1 AS n FROM Data_Wght);\n"
                  // A little work between writes, so that they take a while even where
                  // commits are cheap, and backups fall between them.
                  "SELECT COUNT(*) FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 "
                  "FROM c WHERE x < 5000) SELECT x FROM c);\n";
    return script;
}

// What is wrong with a backed-up company database, or empty text; *count gets its receipts.
QString checkCopy(const QString& file, int* count)
{
    const QString integrity = admin::integrityOf(file);
    if (integrity != "ok")
        return "integrity: " + integrity;
    // Receipts 1 to n, each whole: every column as it follows from the number.
    const QStringList found =
        testkit::TestEnv::scalar(
            file, "SELECT COUNT(*) || ' ' || COALESCE(MAX(RefNo), 0) || ' ' || TOTAL(DlySlNo <> "
                  "RefNo OR VRefNo <> RefNo % 7 OR CansRecd <> RefNo % 3 OR MWeight <> RefNo * "
                  "0.5 OR UName <> 'w' || RefNo OR TruckNo <> 'T' || RefNo OR TruckKMR <> RefNo "
                  "OR TruckRecAmt <> RefNo * 2 OR TruckRemarks <> 'row ' || RefNo) FROM Data_Wght")
            .toString()
            .split(' ');
    *count = found.value(0).toInt();
    if (found.value(1).toInt() != *count)
        return QString("%1 receipts, the last numbered %2").arg(*count).arg(found.value(1));
    return found.value(2).toDouble() == 0 ? QString() : found.value(2) + " receipts not whole";
}

admintest::Run restoreFrom(const testkit::TestEnv& env, const QString& folder)
{
    return admintest::runAdmin({"restore", "--program-dir", env.programDir(), "--from", folder});
}

// A backup of the installation under <root>/backups; its folder.
QString backedUp(const testkit::TestEnv& env)
{
    const QString backups = env.root() + "/backups";
    if (admintest::runAdmin({"backup", "--program-dir", env.programDir(), "--to", backups})
            .exitCode != 0)
        return QString();
    return backups + "/" + QDir(backups).entryList(QDir::Dirs | QDir::NoDotAndDotDot).first();
}

QString receiptCount(const QString& file)
{
    return testkit::TestEnv::scalar(file, "SELECT COUNT(*) FROM Data_Wght").toString();
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT
    // The desk's running-copy name is made from the user's name: this test, and the tool it
    // runs, are a user of their own.
    const QString m_user = QString("tv14test%1").arg(QCoreApplication::applicationPid());

private slots:
    void initTestCase() { qputenv("USER", m_user.toUtf8()); }

    void backupWhileAnotherProcessWrites()
    {
        if (QStandardPaths::findExecutable("sqlite3").isEmpty())
            QSKIP("the sqlite3 shell is not installed (scripts/setup.sh installs it)");
        testkit::TestEnv env;
        env.createInstallation();
        QProcess writer;
        writer.setStandardOutputFile(QProcess::nullDevice());
        writer.start("sqlite3", {env.companyFile()});
        QVERIFY(writer.waitForStarted());
        writer.write(writerScript().toUtf8());
        writer.closeWriteChannel();
        QTRY_VERIFY_WITH_TIMEOUT(receiptCount(env.companyFile()).toInt() > 0, 60000);

        // One backup by the command, then more in the same run while the writer goes on.
        QStringList copies{backedUp(env) + "/DataBas/CO1_2026.mdb"};
        for (int i = 1; writer.state() != QProcess::NotRunning && i < 20; ++i) {
            QTest::qWait(20);
            QString folder;
            QStringList copied;
            const QString error = admin::backupInstallation(
                env.programDir(), env.root() + QString("/backups%1").arg(i),
                QDateTime(QDate(2024, 3, 5), QTime(9, 0)), &folder, &copied);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(copied.size(), 3); // SerPath.mdb, Main.mdb, CO1_2026.mdb
            copies << folder + "/DataBas/CO1_2026.mdb";
        }
        if (writer.state() != QProcess::NotRunning)
            QVERIFY(writer.waitForFinished(120000));
        QCOMPARE(writer.exitCode(), 0);
        QCOMPARE(receiptCount(env.companyFile()).toInt(), kWrites);
        int midway = 0;
        for (const QString& copy : copies) {
            int count = 0;
            const QString problem = checkCopy(copy, &count);
            QVERIFY2(problem.isEmpty(), qPrintable(copy + ": " + problem));
            QVERIFY(count >= 1 && count <= kWrites);
            if (count < kWrites)
                ++midway;
        }
        qInfo("%lld backups, %d of them taken midway through the writes", qint64(copies.size()),
              midway);
        QVERIFY(midway > 0);
    }

    void restorePutsTheBackupBack()
    {
        testkit::TestEnv env;
        env.createInstallation();
        env.exec(env.companyFile(),
                 "INSERT INTO Data_Wght (RefNo, MWeight) VALUES (1, 10), (2, 20)");
        const QString folder = backedUp(env);
        QVERIFY(!folder.isEmpty());
        env.exec(env.companyFile(), "DELETE FROM Data_Wght");
        env.exec(env.mainFile(), "DELETE FROM Years");
        const admintest::Run restored = restoreFrom(env, folder);
        const QString said = restored.out + restored.err;
        QCOMPARE(restored.exitCode, 0);
        QCOMPARE(receiptCount(env.companyFile()), "2");
        QCOMPARE(testkit::TestEnv::scalar(env.mainFile(), "SELECT COUNT(*) FROM Years").toInt(), 1);
        // What it replaced is kept first, as a backup of its own, and said where.
        const QString kept = said.section("what was replaced is kept in ", 1).section('\n', 0, 0);
        QVERIFY2(kept.startsWith(env.root() + "/backups/tarvolen-backup-"), qPrintable(said));
        QCOMPARE(receiptCount(kept + "/DataBas/CO1_2026.mdb"), "0");
        QCOMPARE(QFileInfo(kept + "/SerPath.mdb").permissions() & QFile::ReadOther, 0);
    }

    // Refused before anything is written back: a copy that is not sound, a desk running, a
    // folder that holds no backup.
    void restoreRefuses_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("told");
        QTest::newRow("a copy not sound") << QString("torn") << "is not sound";
        QTest::newRow("no backup in the folder") << QString("none") << "holds no backup";
        // Last: this process goes on listening as a desk.
        QTest::newRow("a desk running") << QString("desk") << "a desk is running";
    }
    void restoreRefuses()
    {
        QFETCH(QString, trouble);
        QFETCH(QString, told);
        testkit::TestEnv env;
        env.createInstallation();
        QString folder = backedUp(env);
        QVERIFY(!folder.isEmpty());
        env.exec(env.companyFile(), "INSERT INTO Data_Wght (RefNo, MWeight) VALUES (1, 10)");
        if (trouble == "torn") {
            QFile main(folder + "/DataBas/Main.mdb"); // the last copy restored
            QVERIFY(main.open(QIODevice::ReadWrite) && main.seek(4096));
            main.write(QByteArray(int(main.size()) - 4096, '\xff'));
        } else if (trouble == "desk") {
            // Listening as a running desk of the user does, under the name a desk takes when
            // no test has given it one of its own.
            platform::setRunningCopyName("tarvolen-" + m_user);
            QVERIFY(platform::listenAsRunningCopy());
        } else {
            folder = env.root();
        }
        const auto before = admintest::filesUnder(env.dataRoot());
        const admintest::Run refused = restoreFrom(env, folder);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2((refused.out + refused.err).contains(told), qPrintable(refused.err));
        QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
    }
};

QTEST_GUILESS_MAIN(BackupTest)
#include "tst_backup.moc"

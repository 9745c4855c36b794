// Backups taken while another process writes receipts are each one consistent state holding a
// prefix of the writes; a restore puts a backup back, and refuses while a desk runs.

#include "AdminRun.h"
#include "Backup.h"
#include "TestEnv.h"
#include "platform/RunningCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
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
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "copy");
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec("SELECT RefNo, DlySlNo, VRefNo, CansRecd, MWeight, UName, TruckNo, TruckKMR, "
               "TruckRecAmt, TruckRemarks FROM Data_Wght ORDER BY RefNo");
        int expected = 1;
        while (q.next() && problem.isEmpty()) {
            const int n = q.value(0).toInt();
            if (n != expected)
                problem = QString("receipt %1 where %2 was due").arg(n).arg(expected);
            else if (q.value(1).toInt() != n || q.value(2).toInt() != n % 7 ||
                     q.value(3).toInt() != n % 3 || q.value(4).toDouble() != n * 0.5 ||
                     q.value(5).toString() != QString("w%1").arg(n) ||
                     q.value(6).toString() != QString("T%1").arg(n) || q.value(7).toInt() != n ||
                     q.value(8).toInt() != 2 * n ||
                     q.value(9).toString() != QString("row %1").arg(n))
                problem = QString("receipt %1 is not whole").arg(n);
            ++expected;
        }
        *count = expected - 1;
    }
    QSqlDatabase::removeDatabase("copy");
    return problem;
}

int exitOf(const QStringList& arguments, const QString& user, QString* said = nullptr)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("USER", user);
    const admintest::Run run = admintest::runAdmin(arguments, {}, env);
    if (said)
        *said = run.out + run.err;
    return run.exitCode;
}

// A backup of the installation under <root>/backups; its folder.
QString backedUp(const testkit::TestEnv& env, const QString& user)
{
    const QString backups = env.root() + "/backups";
    if (exitOf({"backup", "--program-dir", env.programDir(), "--to", backups}, user) != 0)
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
    // The desk's running-copy name is made from the user's name: this test is a user of its own.
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
        QStringList copies;
        QString err;
        QCOMPARE(
            exitOf({"backup", "--program-dir", env.programDir(), "--to", env.root() + "/backups0"},
                   m_user, &err),
            0);
        copies << QDir(env.root() + "/backups0").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(copies.size(), 1);
        copies[0] = env.root() + "/backups0/" + copies[0] + "/DataBas/CO1_2026.mdb";
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
        const QString folder = backedUp(env, m_user);
        QVERIFY(!folder.isEmpty());
        env.exec(env.companyFile(), "DELETE FROM Data_Wght");
        env.exec(env.mainFile(), "DELETE FROM Years");
        QString said;
        QCOMPARE(
            exitOf({"restore", "--program-dir", env.programDir(), "--from", folder}, m_user, &said),
            0);
        QCOMPARE(receiptCount(env.companyFile()), "2");
        QCOMPARE(testkit::TestEnv::scalar(env.mainFile(), "SELECT COUNT(*) FROM Years").toInt(), 1);
        // What it replaced is kept first, as a backup of its own, and said where.
        const QString kept = said.section("what was replaced is kept in ", 1).section('\n', 0, 0);
        QVERIFY2(kept.startsWith(env.root() + "/backups/tarvolen-backup-"), qPrintable(said));
        QCOMPARE(receiptCount(kept + "/DataBas/CO1_2026.mdb"), "0");
        QCOMPARE(QFileInfo(kept + "/SerPath.mdb").permissions() & QFile::ReadOther, 0);
    }

    // A copy that is not sound stops the restore before anything is written back.
    void restoreChecksEveryCopyFirst()
    {
        testkit::TestEnv env;
        env.createInstallation();
        const QString folder = backedUp(env, m_user);
        QVERIFY(!folder.isEmpty());
        env.exec(env.companyFile(), "INSERT INTO Data_Wght (RefNo, MWeight) VALUES (1, 10)");
        QFile main(folder + "/DataBas/Main.mdb"); // the last copy restored
        QVERIFY(main.open(QIODevice::ReadWrite) && main.seek(4096));
        main.write(QByteArray(int(main.size()) - 4096, '\xff'));
        main.close();
        const auto before = admintest::filesUnder(env.dataRoot());
        QString err;
        QCOMPARE(
            exitOf({"restore", "--program-dir", env.programDir(), "--from", folder}, m_user, &err),
            1);
        QVERIFY2(err.contains("is not sound"), qPrintable(err));
        QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
    }

    void restoreRefusesWhileADeskRuns()
    {
        testkit::TestEnv env;
        env.createInstallation();
        const QString folder = backedUp(env, m_user);
        QVERIFY(!folder.isEmpty());
        env.exec(env.companyFile(), "INSERT INTO Data_Wght (RefNo, MWeight) VALUES (1, 10)");
        // This process now listens as a running desk of the user does, under the name a desk
        // takes when no test has given it one of its own.
        platform::setRunningCopyName("tarvolen-" + m_user);
        QVERIFY(platform::listenAsRunningCopy());
        QString err;
        QCOMPARE(
            exitOf({"restore", "--program-dir", env.programDir(), "--from", folder}, m_user, &err),
            1);
        QVERIFY2(err.contains("a desk is running"), qPrintable(err));
        QCOMPARE(receiptCount(env.companyFile()), "1"); // nothing put back
    }

    void restoreRefusesAFolderThatIsNoBackup()
    {
        testkit::TestEnv env;
        env.createInstallation();
        QStringList restored;
        const QString error = admin::restoreInstallation(env.programDir(), env.root(), "tv14-none",
                                                         {}, nullptr, &restored);
        QVERIFY(error.contains("holds no backup"));
        QVERIFY(restored.isEmpty());
    }
};

QTEST_GUILESS_MAIN(BackupTest)
#include "tst_backup.moc"

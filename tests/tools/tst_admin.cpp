// tarvolen-admin: the installation it writes, its refusals, and a station's scale link.

#include "Installation.h"
#include "TestEnv.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>

using testkit::TestEnv;

namespace {
struct Run {
    int exitCode = -1;
    QString err;
};

Run runAdmin(const QStringList& arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("TARVOLEN_BIN_DIR") + "/tarvolen-admin", arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// Every file under a folder with a digest of its bytes: equal maps mean nothing was touched.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(),
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

QString initDemo(const TestEnv& env, bool force = false)
{
    return admin::initInstallation({env.programDir(), env.dataRoot(), true, force, {2024, 3, 5}});
}

QStringList initArguments(const QString& programDir, const QString& dataRoot)
{
    return {"init", "--program-dir", programDir, "--data-root", dataRoot, "--demo", "--today",
            "2024-03-05"};
}
} // namespace

class AdminTest : public QObject {
    Q_OBJECT
private slots:
    void demoIntoEmptyFolderHoldsEveryColumn()
    {
        QTemporaryDir dir;
        const Run run = runAdmin(initArguments(dir.path() + "/program", dir.path() + "/data"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        // file, table, then each column as name:declared type
        const QStringList tables{
            "SerPath ServerPath Path:TEXT Chk:INTEGER",
            "SerPath Users Uid:INTEGER",
            "Main Pass Uid:INTEGER UName:TEXT PWD:TEXT SaveUser:INTEGER Name:TEXT",
            "Main Years ComCode:TEXT Code:INTEGER DbMst:TEXT YStart:TEXT YEnd:TEXT ComName:TEXT "
            "Town:TEXT",
            "DAIRY1_2024 Sms_Add WghtFmt:INTEGER BitsNoW:REAL ComPortW:INTEGER LanHostIP:TEXT "
            "LanHostNo:TEXT ComLan:INTEGER",
            "DAIRY1_2024 Mast_Routes RTRefNo:INTEGER RTType:TEXT RTInAct:INTEGER",
            "DAIRY1_2024 Mast_RoutesSub RTRefNo:INTEGER SDate:TEXT EDate:TEXT RTVehNo:TEXT",
            "DAIRY1_2024 Mast_Villages VRefNo:INTEGER VCode:TEXT VName:TEXT RtRefNo:INTEGER "
            "InAct:INTEGER",
            "DAIRY1_2024 Mast_Animal ACode:INTEGER AType:TEXT",
            "DAIRY1_2024 Mast_Milk MCode:INTEGER MType:TEXT",
            "DAIRY2_2024 Data_Wght RefNo:INTEGER RefDate:TEXT AmPm:INTEGER RtRefNo:INTEGER "
            "VRefNo:INTEGER ACode:INTEGER MCode:INTEGER DlySlNo:INTEGER CansRecd:REAL "
            "MWeight:REAL Uid:INTEGER UName:TEXT Stat:INTEGER ColTime:TEXT TruckNo:TEXT "
            "SchTime:TEXT ArrTime:TEXT TruckKMR:REAL TruckRecAmt:REAL TruckRemarks:TEXT"};
        for (const QString& line : tables) {
            QStringList columns = line.split(' ');
            const QString name = columns.takeFirst(), table = columns.takeFirst();
            const QString file = name == "SerPath" ? dir.path() + "/program/SerPath.mdb"
                                                   : dir.path() + "/data/DataBas/" + name + ".mdb";
            const QStringList declared =
                TestEnv::scalar(file, "SELECT group_concat(name || ':' || type, ' ') FROM "
                                      "pragma_table_info('" + table + "')")
                    .toString()
                    .split(' ');
            for (const QString& column : columns)
                QVERIFY2(declared.contains(column, Qt::CaseInsensitive),
                         qPrintable(table + "." + column + " missing from " + declared.join(' ')));
        }
    }

    void refusesToOverwrite_data()
    {
        QTest::addColumn<QString>("present"); // a file there before; empty: a whole installation
        QTest::newRow("whole installation") << "";
        QTest::newRow("only the main database, other letter case") << "data/DataBas/MAIN.MDB";
        QTest::newRow("only the server-path database") << "program/SerPath.mdb";
        QTest::newRow("only a company year") << "data/DataBas/DAIRY2_2024.mdb";
    }
    void refusesToOverwrite()
    {
        QFETCH(QString, present);
        TestEnv env;
        if (present.isEmpty())
            QCOMPARE(initDemo(env), QString());
        else
            QCOMPARE(admin::createCompanyDatabase(env.root() + '/' + present), QString());
        const auto before = filesUnder(env.root());
        const Run run = runAdmin(initArguments(env.programDir(), env.dataRoot()));
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.err.contains("exists already"), qPrintable(run.err));
        QCOMPARE(filesUnder(env.root()), before);
    }

    void forceReplacesTheInstallation()
    {
        TestEnv env;
        QCOMPARE(initDemo(env), QString());
        TestEnv::exec(env.mainFile(), "INSERT INTO Pass (Uid, UName) VALUES (99, 'leftover')");
        const Run run = runAdmin(initArguments(env.programDir(), env.dataRoot()) << "--force");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(TestEnv::scalar(env.mainFile(), "SELECT count(*) FROM Pass WHERE Uid = 99"), 0);
        for (const QString& file : filesUnder(env.root()).keys())
            QVERIFY2(!file.contains(".tarvolen-"), qPrintable(file));
    }

    void failedReplacementLeavesTheOldInstallation()
    {
        TestEnv env;
        QCOMPARE(initDemo(env), QString());
        // A folder where the run puts a company file's new bytes makes it fail part way.
        QVERIFY(QDir().mkpath(env.dataRoot() + "/DataBas/DAIRY2_2024.mdb.tarvolen-new/x"));
        const auto before = filesUnder(env.root());
        QVERIFY(!initDemo(env, true).isEmpty());
        QCOMPARE(filesUnder(env.root()), before);
    }

    void latestYearIsTheHighestCode()
    {
        TestEnv env;
        QCOMPARE(initDemo(env), QString());
        TestEnv::exec(env.mainFile(), "INSERT INTO Years (ComCode, Code, DbMst) VALUES "
                                      "('DAIRY2', 9, 'NINE'), ('DAIRY2', 10, 'TEN')");
        QCOMPARE(admin::latestDbMst(env.dataRoot(), "dairy1"), QString("DAIRY1_2024"));
        QCOMPARE(admin::latestDbMst(env.dataRoot(), "DAIRY2"), QString("TEN"));
        QCOMPARE(admin::latestDbMst(env.dataRoot(), "DAIRY3"), QString());
    }

    void stationWrites_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("noRowBefore");
        QTest::addColumn<QString>("expected"); // ComLan,WghtFmt,ComPortW,BitsNoW,host,port
        QTest::newRow("serial continuous") << "--company DAIRY1 --link 3 --port 1 --speed 4800.5"
                                           << false << "3,2,1,4800.5,127.0.0.1,5001";
        QTest::newRow("network host, company in other case")
            << "--company dairy1 --host 10.0.0.7 --tcp-port 6000 --link 4" << false
            << "4,2,0,9600.0,10.0.0.7,6000";
        QTest::newRow("row created when missing") << "--company DAIRY1 --link 1 --format 1"
                                                  << true << "1,1,,,,";
    }
    void stationWrites()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, noRowBefore);
        QFETCH(QString, expected);
        TestEnv env;
        QCOMPARE(initDemo(env), QString());
        const QString latest = env.companyFile("DAIRY1_2024");
        if (noRowBefore)
            TestEnv::exec(latest, "DELETE FROM Sms_Add");
        const QString earlier = env.companyFile("DAIRY1_2023");
        const QByteArray earlierBefore = filesUnder(env.dataRoot()).value(earlier);

        const Run run = runAdmin(QStringList{"station", "--data-root", env.dataRoot()} +
                                 arguments.split(' '));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QStringList columns{"ComLan", "WghtFmt", "ComPortW", "BitsNoW", "LanHostIP", "LanHostNo"};
        columns.replaceInStrings(QRegularExpression("(.+)"), "ifnull(\\1, '')");
        QCOMPARE(TestEnv::scalar(latest, "SELECT " + columns.join("||','||") + " FROM Sms_Add"),
                 expected);
        QCOMPARE(filesUnder(env.dataRoot()).value(earlier), earlierBefore);
    }

    void refusesBadArguments_data()
    {
        // "D" stands for the data root, "P" for a program folder not yet there.
        QTest::addColumn<QString>("arguments");
        QTest::newRow("link 0") << "station --data-root D --company DAIRY1 --link 0";
        QTest::newRow("link 5, with a valid port")
            << "station --data-root D --company DAIRY1 --port 2 --link 5";
        QTest::newRow("link not a number") << "station --data-root D --company DAIRY1 --link two";
        QTest::newRow("format 256") << "station --data-root D --company DAIRY1 --format 256";
        QTest::newRow("port -1") << "station --data-root D --company DAIRY1 --port -1";
        QTest::newRow("speed 0") << "station --data-root D --company DAIRY1 --speed 0";
        QTest::newRow("tcp port 70000") << "station --data-root D --company DAIRY1 --tcp-port 70000";
        QTest::newRow("unknown company") << "station --data-root D --company DAIRY9 --link 1";
        QTest::newRow("station without company") << "station --data-root D --link 1";
        QTest::newRow("no command") << "";
        QTest::newRow("unknown command") << "install";
        QTest::newRow("init with a bad day") << "init --program-dir P --data-root D --today 5/3/24";
        QTest::newRow("unknown option") << "init --program-dir P --data-root D --dmeo";
    }
    void refusesBadArguments()
    {
        QFETCH(QString, arguments);
        TestEnv env;
        QCOMPARE(initDemo(env), QString());
        QStringList words = arguments.split(' ', Qt::SkipEmptyParts);
        words.replaceInStrings(QRegularExpression("^D$"), env.dataRoot());
        words.replaceInStrings(QRegularExpression("^P$"), env.root() + "/P");
        const auto before = filesUnder(env.root());
        const Run run = runAdmin(words);
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.err.startsWith("tarvolen-admin: "), qPrintable(run.err));
        QCOMPARE(filesUnder(env.root()), before);
        QVERIFY(!QFileInfo::exists(env.root() + "/P"));
    }
};

QTEST_GUILESS_MAIN(AdminTest)
#include "tst_admin.moc"

#include "Installation.h"
#include "TestEnv.h"
#include "platform/DsnRegistry.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QtTest>

using testkit::TestEnv;

namespace {
const QDate kToday(2024, 3, 5);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runAdmin(const QStringList& arguments, const QByteArray& input = {})
{
    Run run;
    QProcess process;
    process.start(qEnvironmentVariable("TARVOLEN_BIN_DIR") + "/tarvolen-admin", arguments);
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Every file under a folder with a digest of its bytes: equal maps mean nothing was touched.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(), QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

// Every row of a query, its columns joined by ",", rows by ";" (null as empty text).
QString rowsOf(const QString& file, const QString& sql)
{
    QString result;
    const QString name = "tst-admin-read";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (!db.open())
            return "cannot open " + file;
        QSqlQuery query(db);
        if (!query.exec(sql))
            return query.lastError().text();
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            rows << values.join(',');
        }
        result = rows.join(';');
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

QString initDemo(const TestEnv& env, bool force = false)
{
    admin::InitOptions options;
    options.programDir = env.programDir();
    options.dataRoot = env.dataRoot();
    options.demo = true;
    options.force = force;
    options.today = kToday;
    return admin::initInstallation(options);
}
} // namespace

class AdminTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void schemaHoldsEveryColumn_data();
    void schemaHoldsEveryColumn();
    void indexesServeTheDesksSearches_data();
    void indexesServeTheDesksSearches();
    void demoContent_data();
    void demoContent();
    void latestYearIsTheHighestCode_data();
    void latestYearIsTheHighestCode();
    void refusesToOverwrite_data();
    void refusesToOverwrite();
    void forceReplacesTheInstallation();
    void failedInitLeavesNothingBehind_data();
    void failedInitLeavesNothingBehind();
    void stationWrites_data();
    void stationWrites();
    void stationRefuses_data();
    void stationRefuses();
    void wrongArgumentsFail_data();
    void wrongArgumentsFail();
    void isqlReadsTheMainDataSource();

private:
    // One demo installation made by the tool itself, read (never changed) by the tests.
    QTemporaryDir m_demo;
    QString demoFile(const QString& name) const
    {
        return name == "SerPath.mdb" ? m_demo.path() + "/program/SerPath.mdb"
                                     : m_demo.path() + "/data/DataBas/" + name;
    }
};

void AdminTest::initTestCase()
{
    QVERIFY(m_demo.isValid());
    const Run run = runAdmin({"init", "--program-dir", m_demo.path() + "/program", "--data-root",
                              m_demo.path() + "/data", "--demo", "--today", "2024-03-05"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.contains("operator / milk"));
}

void AdminTest::schemaHoldsEveryColumn_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns"); // name:declared type
    QTest::newRow("ServerPath") << "SerPath.mdb" << "ServerPath" << "Path:TEXT Chk:INTEGER";
    QTest::newRow("Users") << "SerPath.mdb" << "Users" << "Uid:INTEGER";
    QTest::newRow("Pass") << "Main.mdb" << "Pass"
                          << "Uid:INTEGER UName:TEXT PWD:TEXT SaveUser:INTEGER Name:TEXT";
    QTest::newRow("Years") << "Main.mdb" << "Years"
                           << "ComCode:TEXT Code:INTEGER DbMst:TEXT YStart:TEXT YEnd:TEXT "
                              "ComName:TEXT Town:TEXT";
    const QString company = "DAIRY1_2024.mdb";
    QTest::newRow("Sms_Add") << company << "Sms_Add"
                             << "WghtFmt:INTEGER BitsNoW:REAL ComPortW:INTEGER LanHostIP:TEXT "
                                "LanHostNo:TEXT ComLan:INTEGER";
    QTest::newRow("Mast_Routes") << company << "Mast_Routes" << "RTRefNo:INTEGER RTType:TEXT RTInAct:INTEGER";
    QTest::newRow("Mast_RoutesSub") << company << "Mast_RoutesSub"
                                    << "RTRefNo:INTEGER SDate:TEXT EDate:TEXT RTVehNo:TEXT";
    QTest::newRow("Mast_Villages") << company << "Mast_Villages"
                                   << "VRefNo:INTEGER VCode:TEXT VName:TEXT RtRefNo:INTEGER InAct:INTEGER";
    QTest::newRow("Mast_Animal") << company << "Mast_Animal" << "ACode:INTEGER AType:TEXT";
    QTest::newRow("Mast_Milk") << company << "Mast_Milk" << "MCode:INTEGER MType:TEXT";
    QTest::newRow("Data_Wght") << company << "Data_Wght"
                               << "RefNo:INTEGER RefDate:TEXT AmPm:INTEGER RtRefNo:INTEGER "
                                  "VRefNo:INTEGER ACode:INTEGER MCode:INTEGER DlySlNo:INTEGER "
                                  "CansRecd:REAL MWeight:REAL Uid:INTEGER UName:TEXT Stat:INTEGER "
                                  "ColTime:TEXT TruckNo:TEXT SchTime:TEXT ArrTime:TEXT "
                                  "TruckKMR:REAL TruckRecAmt:REAL TruckRemarks:TEXT";
    QTest::newRow("Data_Wght of another company") << "DAIRY2_2024.mdb" << "Data_Wght"
                                                  << "RefNo:INTEGER MWeight:REAL ColTime:TEXT";
}

void AdminTest::schemaHoldsEveryColumn()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const QStringList declared =
        rowsOf(demoFile(file), "SELECT name || ':' || type FROM pragma_table_info('" + table + "')")
            .split(';');
    for (const QString& column : columns.split(' '))
        QVERIFY2(declared.contains(column, Qt::CaseInsensitive),
                 qPrintable(column + " missing from " + declared.join(' ')));
}

void AdminTest::indexesServeTheDesksSearches_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("search"); // what the plan must show: a range or key search
    QTest::newRow("village by code prefix")
        << "DAIRY1_2024.mdb"
        << "SELECT DISTINCT VCode,VName,VRefNo,RtRefNo FROM Mast_Villages WHERE RtRefNo = 1 AND "
           "InAct <> 1 AND VCode LIKE '10%' ESCAPE '\\' ORDER BY VCode"
        << "RtRefNo=? AND VCode>? AND VCode<?";
    QTest::newRow("village by name prefix, other case")
        << "DAIRY1_2024.mdb"
        << "SELECT DISTINCT VCode,VName,VRefNo,RtRefNo FROM Mast_Villages WHERE RtRefNo = 1 AND "
           "InAct <> 1 AND VName LIKE 'o''n%' ESCAPE '\\' ORDER BY VCode"
        << "RtRefNo=? AND VName>? AND VName<?";
    QTest::newRow("shift receipts") << "DAIRY1_2024.mdb"
                                    << "Select * from Data_Wght Where RefDate = '2024-03-05' and AmPm = 2"
                                    << "RefDate=? AND AmPm=?";
    QTest::newRow("next serial in a shift")
        << "DAIRY1_2024.mdb"
        << "Select Max(DlySlNo)as N from Data_Wght Where RefDate = '2024-03-05' and AmPm =2 "
        << "RefDate=? AND AmPm=?";
    QTest::newRow("next record number") << "DAIRY1_2024.mdb" << "Select Max(RefNo)as N from Data_Wght"
                                        << "SEARCH Data_Wght USING COVERING INDEX";
    QTest::newRow("route vehicle") << "DAIRY1_2024.mdb"
                                   << "Select * From Mast_RoutesSub Where RTRefNo = 1 and SDate <= "
                                      "'2024-03-05' and EDate >= '2024-03-05'"
                                   << "RTRefNo=? AND SDate<?";
    QTest::newRow("village by reference") << "DAIRY1_2024.mdb" << "Select * from Mast_Villages Where VRefNo = 9"
                                          << "INTEGER PRIMARY KEY (rowid=?)";
    QTest::newRow("company years, other case")
        << "Main.mdb" << "Select * from Years Where ComCode = 'dairy1' order by Code Desc" << "ComCode=?";
}

void AdminTest::indexesServeTheDesksSearches()
{
    QFETCH(QString, file);
    QFETCH(QString, statement);
    QFETCH(QString, search);
    const QString plan = rowsOf(demoFile(file), "EXPLAIN QUERY PLAN " + statement);
    QVERIFY2(plan.contains(search), qPrintable(plan));
}

void AdminTest::demoContent_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    const QString y1 = "DAIRY1_2024.mdb";
    QTest::newRow("sign-in offers a user marked SaveUser")
        << "SerPath.mdb" << "SELECT Uid FROM Users" << "1";
    QTest::newRow("offered user") << "Main.mdb" << "SELECT UName, SaveUser FROM Pass WHERE Uid = 1" << "operator,1";
    QTest::newRow("user names ignore case") << "Main.mdb" << "SELECT PWD FROM Pass WHERE UName = 'OPERATOR'" << "milk";
    QTest::newRow("passwords keep case") << "Main.mdb" << "SELECT count(*) FROM Pass WHERE PWD = 'cream42'" << "0";
    QTest::newRow("server path unchecked") << "SerPath.mdb" << "SELECT count(*), max(Chk) FROM ServerPath" << "1,0";
    QTest::newRow("years of the first company")
        << "Main.mdb" << "SELECT Code, YStart, YEnd FROM Years WHERE ComCode = 'DAIRY1' ORDER BY Code"
        << "1,2023-01-01,2023-12-31;2,2024-01-01,2024-12-31";
    QTest::newRow("each year its own database")
        << "Main.mdb" << "SELECT count(DISTINCT DbMst) = count(*) FROM Years" << "1";
    QTest::newRow("route 3 inactive") << y1 << "SELECT RTRefNo FROM Mast_Routes WHERE RTInAct <> 0" << "3";
    QTest::newRow("second company lacks route 1")
        << "DAIRY2_2024.mdb" << "SELECT count(*) FROM Mast_Routes WHERE RTRefNo = 1" << "0";
    QTest::newRow("one truck on route 1 today")
        << y1 << "SELECT count(*) FROM Mast_RoutesSub WHERE RTRefNo = 1 AND SDate <= '2024-03-05' AND EDate >= '2024-03-05'"
        << "1";
    QTest::newRow("route 1 truck ended yesterday")
        << y1 << "SELECT count(*) FROM Mast_RoutesSub WHERE RTRefNo = 1 AND EDate = '2024-03-04'" << "1";
    QTest::newRow("village with apostrophe")
        << y1 << "SELECT count(*) > 0 FROM Mast_Villages WHERE VName LIKE '%''%' AND InAct = 0" << "1";
    QTest::newRow("villages out of use, by 1 and by null")
        << y1 << "SELECT sum(InAct = 1) > 0, sum(InAct IS NULL) > 0, count(*) >= 35 FROM Mast_Villages"
        << "1,1,1";
    QTest::newRow("codes sharing a prefix")
        << y1 << "SELECT count(*) >= 3 FROM Mast_Villages WHERE RtRefNo = 1 AND VCode LIKE '10%'" << "1";
    QTest::newRow("animal and milk types")
        << y1 << "SELECT group_concat(AType) || '/' || (SELECT group_concat(MType) FROM Mast_Milk) FROM Mast_Animal"
        << "Cow,Buffalo/Mixed,Cow Milk,Buffalo Milk";
    QTest::newRow("receipts under way today, route 1 AM")
        << y1 << "SELECT count(*) > 0 FROM Data_Wght WHERE RefDate = '2024-03-05' AND AmPm = 2 AND RtRefNo = 1"
        << "1";
    QTest::newRow("every receipt listed by the grid's joins")
        << y1
        << "SELECT count(*) = (SELECT count(*) FROM Data_Wght) FROM Data_Wght d JOIN Mast_Villages v "
           "ON d.VRefNo = v.VRefNo JOIN Mast_Animal a ON d.ACode = a.ACode JOIN Mast_Milk m ON "
           "d.MCode = m.MCode JOIN Mast_Routes r ON d.RtRefNo = r.RTRefNo"
        << "1";
    QTest::newRow("serial numbers run per date and shift")
        << y1
        << "SELECT count(*) FROM Data_Wght d WHERE DlySlNo <> (SELECT count(*) FROM Data_Wght e "
           "WHERE e.RefDate = d.RefDate AND e.AmPm = d.AmPm AND e.RefNo <= d.RefNo)"
        << "0";
    QTest::newRow("times stored as hh:mm:ss AM")
        << y1
        << "SELECT count(*) FROM Data_Wght WHERE NOT (ColTime || SchTime || ArrTime GLOB "
           "'[01][0-9]:[0-5][0-9]:[0-5][0-9] [AP]M[01][0-9]:[0-5][0-9]:[0-5][0-9] [AP]M[01][0-9]:[0-5][0-9]:[0-5][0-9] [AP]M')"
        << "0";
    QTest::newRow("at most 45 per can") << y1 << "SELECT count(*) FROM Data_Wght WHERE MWeight > 45 * CansRecd" << "0";
    QTest::newRow("network scale station")
        << "DAIRY2_2024.mdb" << "SELECT ComLan, WghtFmt, LanHostIP, LanHostNo, ComPortW, BitsNoW FROM Sms_Add"
        << "2,2,127.0.0.1,5001,0,9600";
}

void AdminTest::demoContent()
{
    QFETCH(QString, file);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    QCOMPARE(rowsOf(demoFile(file), query), expected);
}

void AdminTest::latestYearIsTheHighestCode_data()
{
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("extraYears"); // Code:DbMst pairs added for DAIRY2
    QTest::addColumn<QString>("expected");
    QTest::newRow("two years") << "DAIRY1" << "" << "DAIRY1_2024";
    QTest::newRow("code in other case") << "dairy1" << "" << "DAIRY1_2024";
    QTest::newRow("codes compared as numbers") << "DAIRY2" << "9:NINE 10:TEN" << "TEN";
    QTest::newRow("unknown company") << "DAIRY3" << "" << "";
}

void AdminTest::latestYearIsTheHighestCode()
{
    QFETCH(QString, company);
    QFETCH(QString, extraYears);
    QFETCH(QString, expected);
    TestEnv env;
    QCOMPARE(initDemo(env), QString());
    for (const QString& pair : extraYears.split(' ', Qt::SkipEmptyParts))
        TestEnv::exec(env.mainFile(), "INSERT INTO Years (ComCode, Code, DbMst) VALUES ('DAIRY2', ?, ?)",
                      {pair.section(':', 0, 0).toInt(), pair.section(':', 1)});
    QCOMPARE(admin::latestDbMst(env.dataRoot(), company), expected);
}

void AdminTest::refusesToOverwrite_data()
{
    QTest::addColumn<QStringList>("present"); // files there before, relative to the env's root
    QTest::newRow("whole installation") << QStringList();
    QTest::newRow("only the main database, other letter case") << QStringList{"data/DataBas/MAIN.MDB"};
    QTest::newRow("only the server-path database") << QStringList{"program/SerPath.mdb"};
    QTest::newRow("only a company year") << QStringList{"data/DataBas/DAIRY2_2024.mdb"};
}

void AdminTest::refusesToOverwrite()
{
    QFETCH(QStringList, present);
    TestEnv env;
    if (present.isEmpty())
        QCOMPARE(initDemo(env), QString());
    for (const QString& file : present)
        QCOMPARE(admin::createCompanyDatabase(env.root() + '/' + file), QString());
    const auto before = filesUnder(env.root());

    const Run run = runAdmin({"init", "--program-dir", env.programDir(), "--data-root", env.dataRoot(),
                              "--demo", "--today", "2024-03-05"});
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.err.contains("exists already"), qPrintable(run.err));
    QCOMPARE(filesUnder(env.root()), before);
}

void AdminTest::forceReplacesTheInstallation()
{
    TestEnv env;
    QCOMPARE(initDemo(env), QString());
    TestEnv::exec(env.mainFile(), "INSERT INTO Pass (Uid, UName) VALUES (99, 'leftover')");
    TestEnv::exec(env.companyFile("DAIRY1_2024"), "DELETE FROM Mast_Villages");

    const Run run = runAdmin({"init", "--program-dir", env.programDir(), "--data-root", env.dataRoot(),
                              "--demo", "--force", "--today", "2024-03-05"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(TestEnv::scalar(env.mainFile(), "SELECT count(*) FROM Pass WHERE Uid = 99").toInt(), 0);
    QVERIFY(TestEnv::scalar(env.companyFile("DAIRY1_2024"), "SELECT count(*) FROM Mast_Villages").toInt() > 0);
    for (const QString& file : filesUnder(env.root()).keys())
        QVERIFY2(!file.contains(".tarvolen-"), qPrintable(file));
}

void AdminTest::failedInitLeavesNothingBehind_data()
{
    QTest::addColumn<bool>("installedBefore");
    QTest::addColumn<QString>("blocker"); // a folder where the run needs a file, under the env's root
    QTest::addColumn<bool>("dataRootIsFile");
    QTest::newRow("data root is a file") << false << "" << true;
    QTest::newRow("a company file cannot be written")
        << false << "data/DataBas/DAIRY2_2024.mdb.tarvolen-new/x" << false;
    QTest::newRow("a folder where a company file goes")
        << false << "data/DataBas/DAIRY2_2024.mdb/x" << false;
    QTest::newRow("forced replacement fails part way")
        << true << "data/DataBas/DAIRY2_2024.mdb.tarvolen-new/x" << false;
}

void AdminTest::failedInitLeavesNothingBehind()
{
    QFETCH(bool, installedBefore);
    QFETCH(QString, blocker);
    QFETCH(bool, dataRootIsFile);
    TestEnv env;
    if (installedBefore)
        QCOMPARE(initDemo(env), QString());
    if (!blocker.isEmpty())
        QVERIFY(QDir().mkpath(env.root() + '/' + blocker));
    admin::InitOptions options;
    options.programDir = installedBefore ? env.programDir() : env.root() + "/new/program";
    options.dataRoot = dataRootIsFile ? env.odbcIni() : env.dataRoot();
    if (dataRootIsFile) {
        QFile file(options.dataRoot);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    options.demo = true;
    options.force = true;
    options.today = kToday;
    const auto before = filesUnder(env.root());

    QVERIFY(!admin::initInstallation(options).isEmpty());
    QCOMPARE(filesUnder(env.root()), before);
    QCOMPARE(QFileInfo::exists(env.root() + "/new"), false);
}

void AdminTest::stationWrites_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("noRowBefore");
    QTest::addColumn<QString>("expected"); // ComLan,WghtFmt,ComPortW,BitsNoW,LanHostIP,LanHostNo
    QTest::newRow("serial continuous") << QStringList{"--company", "DAIRY1", "--link", "3", "--port", "1", "--speed", "4800.5"}
                                       << false << "3,2,1,4800.5,127.0.0.1,5001";
    QTest::newRow("network host, company in other case")
        << QStringList{"--company", "dairy1", "--host", "10.0.0.7", "--tcp-port", "6000", "--link", "4"}
        << false << "4,2,0,9600,10.0.0.7,6000";
    QTest::newRow("row created when missing") << QStringList{"--company", "DAIRY1", "--link", "1", "--format", "1"}
                                              << true << "1,1,,,,";
}

void AdminTest::stationWrites()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, noRowBefore);
    QFETCH(QString, expected);
    TestEnv env;
    QCOMPARE(initDemo(env), QString());
    const QString latest = env.companyFile("DAIRY1_2024");
    if (noRowBefore)
        TestEnv::exec(latest, "DELETE FROM Sms_Add");
    const QString earlier = env.companyFile("DAIRY1_2023");
    const QByteArray earlierBefore = filesUnder(env.dataRoot()).value(earlier);

    const Run run = runAdmin(QStringList{"station", "--data-root", env.dataRoot()} + arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(rowsOf(latest, "SELECT ComLan, WghtFmt, ComPortW, BitsNoW, LanHostIP, LanHostNo FROM Sms_Add"),
             expected);
    QCOMPARE(filesUnder(env.dataRoot()).value(earlier), earlierBefore);
}

void AdminTest::stationRefuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("link 0") << QStringList{"--company", "DAIRY1", "--link", "0"};
    QTest::newRow("link 5, with a valid port") << QStringList{"--company", "DAIRY1", "--port", "2", "--link", "5"};
    QTest::newRow("link not a number") << QStringList{"--company", "DAIRY1", "--link", "two"};
    QTest::newRow("format 256") << QStringList{"--company", "DAIRY1", "--format", "256"};
    QTest::newRow("port -1") << QStringList{"--company", "DAIRY1", "--port", "-1"};
    QTest::newRow("speed 0") << QStringList{"--company", "DAIRY1", "--speed", "0"};
    QTest::newRow("tcp port 70000") << QStringList{"--company", "DAIRY1", "--tcp-port", "70000"};
    QTest::newRow("tcp port not a number") << QStringList{"--company", "DAIRY1", "--tcp-port", "50a"};
    QTest::newRow("unknown company") << QStringList{"--company", "DAIRY9", "--link", "1"};
    QTest::newRow("no company") << QStringList{"--link", "1"};
}

void AdminTest::stationRefuses()
{
    QFETCH(QStringList, arguments);
    TestEnv env;
    QCOMPARE(initDemo(env), QString());
    const auto before = filesUnder(env.root());
    const Run run = runAdmin(QStringList{"station", "--data-root", env.dataRoot()} + arguments);
    QVERIFY(run.exitCode > 0);
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(filesUnder(env.root()), before);
}

void AdminTest::wrongArgumentsFail_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"install"};
    QTest::newRow("init without data root") << QStringList{"init", "--program-dir", "P"};
    QTest::newRow("init with a stray argument") << QStringList{"init", "--program-dir", "P", "--data-root", "D", "now"};
    QTest::newRow("init with a bad day") << QStringList{"init", "--program-dir", "P", "--data-root", "D", "--today", "05/03/2024"};
    QTest::newRow("unknown option") << QStringList{"init", "--program-dir", "P", "--data-root", "D", "--dmeo"};
}

void AdminTest::wrongArgumentsFail()
{
    QFETCH(QStringList, arguments);
    TestEnv env;
    for (QString& argument : arguments) {
        if (argument == "P" || argument == "D")
            argument = env.root() + "/" + argument;
    }
    const Run run = runAdmin(arguments);
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.err.contains("tarvolen-admin: "));
    QVERIFY(!QFileInfo::exists(env.root() + "/P") && !QFileInfo::exists(env.root() + "/D"));
}

void AdminTest::isqlReadsTheMainDataSource()
{
    const QString isql = QStandardPaths::findExecutable("isql");
    if (isql.isEmpty())
        QSKIP("isql is not installed");
    TestEnv env; // ODBCINI points into the env's folder
    QCOMPARE(initDemo(env), QString());
    QVERIFY(platform::writeDsn("QUENMOOR_MAIN", env.mainFile()));

    QProcess process;
    process.start(isql, {"QUENMOOR_MAIN", "-b"});
    QVERIFY(process.waitForStarted());
    process.write("select UName from Pass;\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(out.contains("operator") && out.contains("manager"),
             qPrintable(out + process.readAllStandardError()));
}

QTEST_GUILESS_MAIN(AdminTest)
#include "tst_admin.moc"

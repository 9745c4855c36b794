// The system's statements on SQLite: CDate, joins, Max, text without regard to case; next
// numbers, station settings and the null-safe readers.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/NextNumbers.h"
#include "datastore/NullFields.h"
#include "datastore/StationSettings.h"
#include "datastore/Startup.h"

#include <QSqlRecord>
#include <QtTest>

using datastore::Currency;

class QueriesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void cdate_data();
    void cdate();
    void vehicleLookup_data();
    void vehicleLookup();
    void receiptsListing();
    void nextDailyNumber();
    void textIgnoresCase_data();
    void textIgnoresCase();
    void maxNo_data();
    void maxNo();
    void maxNoOpensItsOwnConnection();
    void stationSettings_data();
    void stationSettings();
    void roundHalfEven_data();
    void roundHalfEven();
    void nullReaders();

private:
    std::unique_ptr<testkit::TestEnv> m_env;
    // Rows of a statement on the company database, each row's columns joined by "|".
    QStringList rows(const QString& statement);
};

void QueriesTest::initTestCase()
{
    m_env = std::make_unique<testkit::TestEnv>();
    m_env->createInstallation();
}

void QueriesTest::init()
{
    // One installation for every case; each case starts from empty tables and fresh state.
    for (const char* table : {"Data_Wght", "Mast_Routes", "Mast_RoutesSub", "Mast_Villages",
                              "Mast_Animal", "Mast_Milk", "Sms_Add"})
        m_env->exec(m_env->companyFile(), QStringLiteral("DELETE FROM ") + table);
    m_env->exec(m_env->companyFile(), "DROP TABLE IF EXISTS Numbers");
    m_env->exec(m_env->mainFile(), "DELETE FROM Pass");
    m_env->messages.clear();
    m_env->endCount = 0;
    datastore::resetGenState();
    m_env->chooseCompany();
}

void QueriesTest::cleanupTestCase() { m_env.reset(); }

QStringList QueriesTest::rows(const QString& statement)
{
    datastore::Connection con;
    if (!OpenMst(con))
        return {"not opened"};
    QSqlQuery query = con.run(statement);
    if (!query.isActive())
        return {datastore::describeError(query)};
    QStringList result;
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns << query.value(i).toString();
        result << columns.join("|");
    }
    return result;
}

void QueriesTest::cdate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("iso"); // "null" for none
    QTest::newRow("day and month") << "05/Mar/2024" << "2024-03-05";
    QTest::newRow("month in capitals") << "05/MAR/2024" << "2024-03-05";
    QTest::newRow("month in small letters") << "31/dec/2023" << "2023-12-31";
    QTest::newRow("leap day") << "29/Feb/2024" << "2024-02-29";
    QTest::newRow("no such day") << "31/Feb/2024" << "null";
    QTest::newRow("not a date") << "xx" << "null";
    QTest::newRow("month as a number") << "05/03/2024" << "null";
    QTest::newRow("two-digit year") << "05/Mar/24" << "null";
}

void QueriesTest::cdate()
{
    QFETCH(QString, text);
    QFETCH(QString, iso);
    QCOMPARE(rows("SELECT ifnull(CDate('" + text + "'), 'null')"), QStringList{iso});
}

void QueriesTest::vehicleLookup_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("vehicles");
    // Route 1 is served by KA04 to 29/Feb, KA01 from 01/Mar to 05/Mar, KA03 from 06/Mar.
    QTest::newRow("day before: the earlier truck") << "29/Feb/2024" << QStringList{"KA04"};
    QTest::newRow("first day") << "01/Mar/2024" << QStringList{"KA01"};
    QTest::newRow("middle, small letters") << "03/mar/2024" << QStringList{"KA01"};
    QTest::newRow("last day") << "05/Mar/2024" << QStringList{"KA01"};
    QTest::newRow("day after: the later truck") << "06/Mar/2024" << QStringList{"KA03"};
}

void QueriesTest::vehicleLookup()
{
    QFETCH(QString, date);
    QFETCH(QStringList, vehicles);
    m_env->exec(m_env->companyFile(),
                "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
                "(1, '2024-03-01', '2024-03-05', 'KA01'), (2, '2024-02-01', '2024-03-31', 'KA02'), "
                "(1, '2024-03-06', '2024-03-31', 'KA03'), (1, '2024-01-01', '2024-02-29', 'KA04')");
    const QString statement = "Select * From Mast_RoutesSub Where RTRefNo = 1 and SDate <= CDate('" +
                              date + "') and EDate >= CDate('" + date + "') ";
    QStringList found;
    for (const QString& row : rows(statement))
        found << row.section('|', 3, 3);
    QCOMPARE(found, vehicles);
}

namespace {
// Masters and receipts of 05/Mar/2024: route 1 has daily numbers 1 and 3 in the morning,
// route 2 took number 2; number 4 points at a village that is not there.
void storeReceipts(const testkit::TestEnv& env)
{
    const QString file = env.companyFile();
    env.exec(file, "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0), "
                   "(2, 'South', 0)");
    env.exec(file, "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) VALUES "
                   "(1, 'V01', 'Hill', 1, 0), (2, 'V02', 'Dale', 2, 0)");
    env.exec(file, "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow')");
    env.exec(file, "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole')");
    env.exec(file, "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
                   "DlySlNo, CansRecd, MWeight) VALUES "
                   "(1, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 45), "
                   "(2, '2024-03-05', 2, 2, 2, 1, 1, 2, 1, 30), "
                   "(3, '2024-03-05', 2, 1, 1, 1, 1, 3, NULL, 20.5), "
                   "(4, '2024-03-05', 3, 1, 1, 1, 1, 1, 1, 10), "
                   "(5, '2024-03-04', 2, 1, 1, 1, 1, 7, 1, 10), "
                   "(6, '2024-03-05', 2, 1, 99, 1, 1, 4, 1, 10)");
}
} // namespace

void QueriesTest::receiptsListing()
{
    storeReceipts(*m_env);
    const QString statement =
        "SELECT Data_Wght.RefNo,Data_Wght.CansRecd, Mast_Villages.VCode,DlySlNo, "
        "Mast_Villages.VName, Mast_Animal.AType, Mast_Milk.MType, Data_Wght.MWeight , "
        "Mast_Routes.RTType FROM (((Data_Wght INNER JOIN Mast_Villages ON Data_Wght.VRefNo = "
        "Mast_Villages.VRefNo) INNER JOIN Mast_Animal ON Data_Wght.ACode = Mast_Animal.ACode) "
        "INNER JOIN Mast_Milk ON Data_Wght.MCode = Mast_Milk.MCode) INNER JOIN Mast_Routes ON "
        "Data_Wght.RTRefNo = Mast_Routes.RTRefNo Where RefDate = CDate('05/Mar/2024') and "
        "AMPM = 2 and Data_Wght.RtRefNo = 1 Order by DlySlNo Desc";
    QCOMPARE(rows(statement),
             QStringList({"3||V01|3|Hill|Cow|Whole|20.5|North", "1|2|V01|1|Hill|Cow|Whole|45|North"}));
}

void QueriesTest::nextDailyNumber()
{
    storeReceipts(*m_env);
    std::unique_ptr<datastore::Connection> con;
    // Over every route of the shift, the receipt without its village included.
    QCOMPARE(Max_No_Cond("Data_Wght", "DlySlNo",
                         " Where RefDate = CDate('05/Mar/2024') and AmPM =2 ", false, con),
             std::optional<qint32>(5));
    QCOMPARE(Max_No_Cond("Data_Wght", "DlySlNo",
                         " Where RefDate = CDate('05/Mar/2024') and AmPM =3 ", true, con),
             std::optional<qint32>(2));
    QCOMPARE(Max_No_Cond("Data_Wght", "DlySlNo",
                         " Where RefDate = CDate('06/Mar/2024') and AmPM =2 ", true, con),
             std::optional<qint32>(1));
    QCOMPARE(Max_No("Data_Wght", "RefNo", true, con), std::optional<qint32>(7));
}

void QueriesTest::textIgnoresCase_data()
{
    QTest::addColumn<bool>("mainDatabase");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("count");
    QTest::newRow("user name in capitals") << true << "Select * from Pass Where UName = 'OPERATOR'"
                                           << 1;
    QTest::newRow("user name as stored") << true << "Select * from Pass Where UName = 'operator'"
                                         << 1;
    QTest::newRow("company code in small letters")
        << true << "Select * from Years Where ComCode = 'co1' order by Code Desc " << 1;
    QTest::newRow("column AMPM") << false << "Select * from Data_Wght Where AMPM = 2" << 5;
    QTest::newRow("column ampm, rtrefno") << false
                                          << "Select * from data_wght Where ampm = 2 and rtrefno = 1"
                                          << 4;
    QTest::newRow("village code prefix") << false
                                         << "Select * from Mast_Villages Where VCode LIKE 'v0%'" << 2;
}

void QueriesTest::textIgnoresCase()
{
    QFETCH(bool, mainDatabase);
    QFETCH(QString, statement);
    QFETCH(int, count);
    storeReceipts(*m_env);
    m_env->exec(m_env->mainFile(), "INSERT INTO Pass (Uid, UName, PWD, SaveUser) "
                                   "VALUES (1, 'operator', 'x', 1)");
    if (mainDatabase) {
        Set_MainDsn();
        QVERIFY(OpenMain());
        QSqlQuery query = Con_Main->run(statement);
        QVERIFY2(query.isActive(), qPrintable(datastore::describeError(query)));
        int found = 0;
        while (query.next())
            ++found;
        QCOMPARE(found, count);
    } else {
        QCOMPARE(rows(statement).size(), count);
    }
}

void QueriesTest::maxNo_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("next"); // 0: no number
    QTest::newRow("empty table") << "" << 1;
    QTest::newRow("largest 41") << "(3), (41), (7)" << 42;
    QTest::newRow("largest -1") << "(-1)" << 1;
    QTest::newRow("only nulls") << "(NULL)" << 1;
    QTest::newRow("largest 32-bit number") << "(2147483647)" << 0;
}

void QueriesTest::maxNo()
{
    QFETCH(QString, stored);
    QFETCH(int, next);
    m_env->exec(m_env->companyFile(), "CREATE TABLE Numbers (N INTEGER)");
    if (!stored.isEmpty())
        m_env->exec(m_env->companyFile(), "INSERT INTO Numbers (N) VALUES " + stored);
    auto con = std::make_unique<datastore::Connection>();
    QVERIFY(OpenMst(*con));
    QString error;
    const std::optional<qint32> result = Max_No("Numbers", "N", true, con, &error);
    QCOMPARE(result.value_or(0), next);
    QCOMPARE(error.isEmpty(), next != 0);
}

void QueriesTest::maxNoOpensItsOwnConnection()
{
    m_env->exec(m_env->companyFile(), "INSERT INTO Data_Wght (RefNo) VALUES (41)");
    auto con = std::make_unique<datastore::Connection>(); // the caller's, not open
    const datastore::Connection* before = con.get();
    QCOMPARE(Max_No("Data_Wght", "RefNo", false, con), std::optional<qint32>(42));
    QVERIFY(con && con.get() != before);
    QVERIFY(con->isOpen());
    QCOMPARE(con->fileName(), m_env->companyFile());

    QString error;
    QCOMPARE(Max_No("NoSuchTable", "RefNo", true, con, &error), std::nullopt);
    QVERIFY2(error.contains("NoSuchTable"), qPrintable(error));
}

void QueriesTest::stationSettings_data()
{
    QTest::addColumn<QString>("settingsRows");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("tcpPort");
    QTest::addColumn<int>("link");
    // Before each load: format 7, speed 1200, port 5, host 10.0.0.9:99, link 9.
    QTest::newRow("no row: serial settings cleared, others kept")
        << "" << 7 << "0" << 0 << "10.0.0.9" << "99" << 9;
    QTest::newRow("all null") << "(NULL, NULL, NULL, NULL, NULL, NULL)" << 0 << "0" << 0 << ""
                              << "" << 0;
    QTest::newRow("speed with a fraction")
        << "(2, 9600.5, 3, '192.168.1.5', '4001', 1)" << 2 << "9600.5" << 3 << "192.168.1.5"
        << "4001" << 1;
    QTest::newRow("halves go to the even neighbour")
        << "(2.5, 4800, 1.5, NULL, NULL, 3.5)" << 2 << "4800" << 2 << "" << "" << 4;
    QTest::newRow("several rows: the first")
        << "(1, 4800, 2, 'a', '1', 3), (2, 9600, 4, 'b', '2', 4)" << 1 << "4800" << 2 << "a"
        << "1" << 3;
}

void QueriesTest::stationSettings()
{
    QFETCH(QString, settingsRows);
    QFETCH(int, format);
    QFETCH(QString, speed);
    QFETCH(int, port);
    QFETCH(QString, host);
    QFETCH(QString, tcpPort);
    QFETCH(int, link);
    if (!settingsRows.isEmpty())
        m_env->exec(m_env->companyFile(), "INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, "
                                          "LanHostIP, LanHostNo, ComLan) VALUES " + settingsRows);
    Gen_WghtFmt = 7;
    Gen_BitsNoW = Currency::fromDouble(1200);
    Gen_ComPortW = 5;
    Gen_LanHostIP = "10.0.0.9";
    Gen_LanHostNo = "99";
    Gen_ComLan = 9;

    QVERIFY(LoadStationSettings());
    QCOMPARE(int(Gen_WghtFmt), format);
    QCOMPARE(Gen_BitsNoW.toText(), speed);
    QCOMPARE(int(Gen_ComPortW), port);
    QCOMPARE(Gen_LanHostIP, host);
    QCOMPARE(Gen_LanHostNo, tcpPort);
    QCOMPARE(int(Gen_ComLan), link);
    QVERIFY(m_env->messages.isEmpty());
}

void QueriesTest::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("2.5 down to even") << 2.5 << qint64(2);
    QTest::newRow("3.5 up to even") << 3.5 << qint64(4);
    QTest::newRow("-2.5 to even") << -2.5 << qint64(-2);
    QTest::newRow("-3.5 to even") << -3.5 << qint64(-4);
    QTest::newRow("just below half") << 2.4999 << qint64(2);
    QTest::newRow("just above half") << 2.5001 << qint64(3);
    QTest::newRow("0.5 to zero") << 0.5 << qint64(0);
}

void QueriesTest::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qint64, whole);
    QCOMPARE(datastore::roundHalfEven(value), whole);
}

void QueriesTest::nullReaders()
{
    QCOMPARE(datastore::Null_Str(QVariant()), QString());
    QCOMPARE(datastore::Null_Str(QVariant(QMetaType::fromType<QString>())), QString());
    QCOMPARE(datastore::Null_Str(12), QStringLiteral("12"));
    QCOMPARE(datastore::Null_Cur(QVariant()), Currency{});
    QCOMPARE(datastore::Null_Cur(12).toText(), QStringLiteral("12"));
    QCOMPARE(datastore::Null_Cur(9600.5).toText(), QStringLiteral("9600.5"));
    QCOMPARE(Currency::fromDouble(9600).toText(), QStringLiteral("9600"));
    QCOMPARE(Currency::fromDouble(0.0625).toText(), QStringLiteral("0.0625"));
    QCOMPARE(Currency::fromDouble(-0.5).toText(), QStringLiteral("-0.5"));
}

QTEST_MAIN(QueriesTest)
#include "tst_queries.moc"

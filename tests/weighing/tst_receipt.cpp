// Add's checks and the writing of a receipt: its running numbers, every stored column, a write
// that fails, and two desks adding to one database at the same time.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "weighing/Receipt.h"

#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

using weighing::AddCheck;
using weighing::ReceiptEntry;

Q_DECLARE_METATYPE(weighing::AddCheck)

class ReceiptTest : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void nextNumbers_data();
    void nextNumbers();
    void storedRow();
    void emptyTruckFieldsStoreEmptyAndZero();
    void failedWriteLeavesNothing();
    void closedConnectionIsRefused();
    void twoDesksAtOnce();
};

namespace {
const QDate kDay(2024, 3, 5);

void prepare(testkit::TestEnv& env)
{
    env.createInstallation(kDay);
    env.chooseCompany();
}

// A stored receipt with only what the running numbers look at being of interest.
void seedReceipt(const QString& file, int refNo, const QDate& date, int shift, int dlySlNo,
                 int route)
{
    testkit::TestEnv::exec(
        file,
        "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, CansRecd, "
        "MWeight, RtRefNo, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, TruckKMR, "
        "TruckRecAmt, TruckRemarks) VALUES (?, ?, ?, 1, ?, 1, 1, 1, 40, ?, 1, 'seed', 0, "
        "'06:00:00 AM', '', '06:00:00 AM', '06:00:00 AM', 0, 0, '')",
        {refNo, date.toString(Qt::ISODate), shift, dlySlNo, route});
}

ReceiptEntry sampleEntry(const QDate& date = kDay, int shift = 2)
{
    ReceiptEntry e;
    e.date = date;
    e.shift = shift;
    e.route = 4;
    e.village = 17;
    e.animal = 2;
    e.milk = 3;
    e.cans = 3;
    e.weight = 120.5;
    e.uid = 7;
    e.uname = "Ravi";
    e.colTime = QTime(14, 30, 5);
    e.truckNo = "  AB 12  ";
    e.schTime = QTime(6, 15, 0);
    e.arrTime = QTime(7, 5, 9);
    e.truckKmr = 42.5;
    e.truckRecAmt = 150.25;
    e.truckRemarks = "  late by twenty minutes ";
    return e;
}

int rowCount(const testkit::TestEnv& env)
{
    return testkit::TestEnv::scalar(env.companyFile(), "SELECT COUNT(*) FROM Data_Wght").toInt();
}
} // namespace

void ReceiptTest::checks_data()
{
    QTest::addColumn<bool>("route");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("cans");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<AddCheck>("expected");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing at all: the route is asked for first")
        << false << "" << "" << "" << AddCheck::NoRoute << "Select Route";
    QTest::newRow("no route although the rest is right")
        << false << "5" << "3" << "100" << AddCheck::NoRoute << "Select Route";
    QTest::newRow("village tag 0") << true << "0" << "3" << "100" << AddCheck::NoVillage
                                   << "Select Village Code/Name";
    QTest::newRow("village tag never set") << true << "" << "3" << "100" << AddCheck::NoVillage
                                           << "Select Village Code/Name";
    QTest::newRow("cans empty") << true << "5" << "" << "100" << AddCheck::NoCans
                                << "Enter Received Cans";
    QTest::newRow("cans 0") << true << "5" << "0" << "100" << AddCheck::NoCans
                            << "Enter Received Cans";
    QTest::newRow("cans -2") << true << "5" << "-2" << "100" << AddCheck::NoCans
                             << "Enter Received Cans";
    QTest::newRow("weight empty") << true << "5" << "3" << "" << AddCheck::NoWeight
                                  << "Please Get Milk Weight";
    QTest::newRow("weight 0.0") << true << "5" << "3" << "0.0" << AddCheck::NoWeight
                                << "Please Get Milk Weight";
    QTest::newRow("weight negative") << true << "5" << "3" << "-12.5" << AddCheck::NoWeight
                                     << "Please Get Milk Weight";
    QTest::newRow("135.1 on 3 cans is too much")
        << true << "5" << "3" << "135.1" << AddCheck::CansTooFew << "Please Verify Cans";
    QTest::newRow("46 on 1 can is too much")
        << true << "5" << "1" << "46" << AddCheck::CansTooFew << "Please Verify Cans";
    QTest::newRow("135.0 on 3 cans is exactly 45 a can")
        << true << "5" << "3" << "135.0" << AddCheck::Passed << "";
    QTest::newRow("4455 on 99 cans") << true << "5" << "99" << "4455" << AddCheck::Passed << "";
    QTest::newRow("texts read by their leading number")
        << true << " 12x" << "2 " << "80.5kg" << AddCheck::Passed << "";
}

void ReceiptTest::checks()
{
    QFETCH(bool, route);
    QFETCH(QString, tag);
    QFETCH(QString, cans);
    QFETCH(QString, weight);
    QFETCH(AddCheck, expected);
    QFETCH(QString, message);
    const AddCheck check = weighing::checkReceipt(route, tag, cans, weight);
    QCOMPARE(int(check), int(expected));
    QCOMPARE(weighing::checkMessage(check), message);
}

void ReceiptTest::nextNumbers_data()
{
    QTest::addColumn<bool>("seeded");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("refNo");
    QTest::addColumn<int>("dlySlNo");

    QTest::newRow("empty table") << false << kDay << 2 << 1 << 1;
    QTest::newRow("05/Mar/2024 AM after 7 on two routes") << true << kDay << 2 << 121 << 8;
    QTest::newRow("05/Mar/2024 PM with none yet") << true << kDay << 3 << 121 << 1;
    QTest::newRow("a day with none yet") << true << kDay.addDays(1) << 2 << 121 << 1;
}

void ReceiptTest::nextNumbers()
{
    QFETCH(bool, seeded);
    QFETCH(QDate, date);
    QFETCH(int, shift);
    QFETCH(int, refNo);
    QFETCH(int, dlySlNo);

    testkit::TestEnv env;
    prepare(env);
    if (seeded) {
        // The highest RefNo lies on another day; the AM serials are spread over two routes,
        // and the day before has a higher serial that must not count.
        const QString file = env.companyFile();
        for (int i = 1; i <= 7; ++i)
            seedReceipt(file, 100 + i, kDay, 2, i, i % 2 ? 1 : 2);
        seedReceipt(file, 60, kDay.addDays(-1), 2, 30, 1);
        seedReceipt(file, 61, kDay.addDays(-1), 3, 12, 1);
        seedReceipt(file, 120, kDay.addDays(-2), 2, 3, 1);
    }
    const int before = rowCount(env);

    datastore::Connection con;
    QVERIFY(OpenMst(con));
    const auto result = weighing::writeReceipt(con, sampleEntry(date, shift));
    QVERIFY2(result.stored(), qPrintable(result.error));
    QCOMPARE(result.numbers->refNo, refNo);
    QCOMPARE(result.numbers->dlySlNo, dlySlNo);
    QCOMPARE(rowCount(env), before + 1);
    QCOMPARE(testkit::TestEnv::scalar(env.companyFile(),
                                      "SELECT DlySlNo FROM Data_Wght WHERE RefNo = " +
                                          QString::number(refNo))
                 .toInt(),
             dlySlNo);

    // The connection stays the caller's: a second receipt on it follows the first.
    const auto next = weighing::writeReceipt(con, sampleEntry(date, shift));
    QVERIFY2(next.stored(), qPrintable(next.error));
    QCOMPARE(next.numbers->refNo, refNo + 1);
    QCOMPARE(next.numbers->dlySlNo, dlySlNo + 1);
}

void ReceiptTest::storedRow()
{
    testkit::TestEnv env;
    prepare(env);
    datastore::Connection con;
    QVERIFY(OpenMst(con));
    const auto result = weighing::writeReceipt(con, sampleEntry());
    QVERIFY2(result.stored(), qPrintable(result.error));

    QSqlDatabase db = con.database();
    QSqlQuery q(db);
    QVERIFY(q.exec("SELECT RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, CansRecd, "
                   "MWeight, RtRefNo, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, "
                   "TruckKMR, TruckRecAmt, TruckRemarks, typeof(CansRecd), typeof(MWeight) "
                   "FROM Data_Wght"));
    QVERIFY(q.next());
    QCOMPARE(q.value("RefNo").toInt(), 1);
    QCOMPARE(q.value("RefDate").toString(), QString("2024-03-05"));
    QCOMPARE(q.value("AmPm").toInt(), 2);
    QCOMPARE(q.value("ACode").toInt(), 2);
    QCOMPARE(q.value("DlySlNo").toInt(), 1);
    QCOMPARE(q.value("VRefNo").toInt(), 17);
    QCOMPARE(q.value("MCode").toInt(), 3);
    QCOMPARE(q.value("CansRecd").toDouble(), 3.0);
    QCOMPARE(q.value("MWeight").toDouble(), 120.5);
    QCOMPARE(q.value("RtRefNo").toInt(), 4);
    QCOMPARE(q.value("Uid").toInt(), 7);
    QCOMPARE(q.value("UName").toString(), QString("Ravi"));
    QCOMPARE(q.value("Stat").toInt(), 0);
    QCOMPARE(q.value("ColTime").toString(), QString("02:30:05 PM"));
    QCOMPARE(q.value("TruckNo").toString(), QString("AB 12"));
    QCOMPARE(q.value("SchTime").toString(), QString("06:15:00 AM"));
    QCOMPARE(q.value("ArrTime").toString(), QString("07:05:09 AM"));
    QCOMPARE(q.value("TruckKMR").toDouble(), 42.5);
    QCOMPARE(q.value("TruckRecAmt").toDouble(), 150.25);
    QCOMPARE(q.value("TruckRemarks").toString(), QString("late by twenty minutes"));
    QCOMPARE(q.value(20).toString(), QString("real"));
    QCOMPARE(q.value(21).toString(), QString("real"));
    QVERIFY(!q.next());

    // The date is stored in the form the statements look for it.
    QSqlQuery byDate(db);
    QVERIFY(byDate.exec("SELECT COUNT(*) FROM Data_Wght WHERE RefDate = CDate('05/Mar/2024')"));
    QVERIFY(byDate.next());
    QCOMPARE(byDate.value(0).toInt(), 1);
}

void ReceiptTest::emptyTruckFieldsStoreEmptyAndZero()
{
    testkit::TestEnv env;
    prepare(env);
    ReceiptEntry e = sampleEntry();
    e.truckNo = "";
    e.truckKmr = 0;
    e.truckRecAmt = 0;
    e.truckRemarks = "   ";
    e.colTime = QTime(0, 0, 0);
    datastore::Connection con;
    QVERIFY(OpenMst(con));
    const auto result = weighing::writeReceipt(con, e);
    QVERIFY2(result.stored(), qPrintable(result.error));
    QSqlQuery q(con.database());
    QVERIFY(q.exec("SELECT TruckNo, TruckKMR, TruckRecAmt, TruckRemarks, ColTime, "
                   "TruckNo IS NULL, TruckRemarks IS NULL FROM Data_Wght"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString());
    QCOMPARE(q.value(1).toDouble(), 0.0);
    QCOMPARE(q.value(2).toDouble(), 0.0);
    QCOMPARE(q.value(3).toString(), QString());
    QCOMPARE(q.value(4).toString(), QString("12:00:00 AM"));
    QCOMPARE(q.value(5).toInt(), 0); // empty text, not null
    QCOMPARE(q.value(6).toInt(), 0);
}

void ReceiptTest::failedWriteLeavesNothing()
{
    testkit::TestEnv env;
    prepare(env);
    const QString file = env.companyFile();
    seedReceipt(file, 120, kDay, 2, 7, 1);
    testkit::TestEnv::exec(file, "CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                                 "BEGIN SELECT RAISE(ABORT, 'disk is full'); END");

    datastore::Connection con;
    QVERIFY(OpenMst(con));
    const auto failed = weighing::writeReceipt(con, sampleEntry());
    QVERIFY(!failed.stored());
    QVERIFY2(failed.error.contains("disk is full"), qPrintable(failed.error));
    QCOMPARE(rowCount(env), 1);

    // The desk's connection holds no transaction any more: another program can write.
    testkit::TestEnv::exec(file, "DROP TRIGGER refuse");

    // Nothing was used up: the next receipt gets the numbers the failed one would have had.
    const auto stored = weighing::writeReceipt(con, sampleEntry());
    QVERIFY2(stored.stored(), qPrintable(stored.error));
    QCOMPARE(stored.numbers->refNo, 121);
    QCOMPARE(stored.numbers->dlySlNo, 8);
    QCOMPARE(rowCount(env), 2);
}

void ReceiptTest::closedConnectionIsRefused()
{
    testkit::TestEnv env;
    prepare(env);
    datastore::Connection con;
    QVERIFY(OpenMst(con));
    con.close();
    const auto result = weighing::writeReceipt(con, sampleEntry());
    QVERIFY(!result.stored());
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(rowCount(env), 0);
}

void ReceiptTest::twoDesksAtOnce()
{
    testkit::TestEnv env;
    prepare(env);
    constexpr int kEach = 300;
    QString binDir = qEnvironmentVariable("TARVOLEN_BIN_DIR");
    if (binDir.isEmpty())
        binDir = QCoreApplication::applicationDirPath();
    const QString writer = binDir + "/receipt_writer";
    QVERIFY2(QFileInfo(writer).isExecutable(), qPrintable(writer));

    // Both desks take the data source from the same ODBCINI as this test.
    QProcess desks[2];
    for (int i = 0; i < 2; ++i) {
        desks[i].setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        desks[i].start(writer, {"CO1_2026", kDay.toString(Qt::ISODate), "2",
                                QString::number(kEach), QString::number(i + 1)});
    }
    for (auto& desk : desks) {
        QVERIFY2(desk.waitForStarted(), qPrintable(desk.errorString()));
        QVERIFY2(desk.waitForFinished(200000), "a desk did not finish");
        QCOMPARE(desk.exitStatus(), QProcess::NormalExit);
        QVERIFY2(desk.exitCode() == 0, desk.readAllStandardError().constData());
    }

    const QString file = env.companyFile();
    auto count = [&](const QString& sql) { return testkit::TestEnv::scalar(file, sql).toInt(); };
    QCOMPARE(count("SELECT COUNT(*) FROM Data_Wght"), 2 * kEach);
    QCOMPARE(count("SELECT COUNT(DISTINCT RefNo) FROM Data_Wght"), 2 * kEach);
    QCOMPARE(count("SELECT COUNT(*) FROM (SELECT DISTINCT RefDate, AmPm, DlySlNo FROM Data_Wght)"),
             2 * kEach);
    // No gaps either: every number from 1 up was handed out once.
    QCOMPARE(count("SELECT MAX(RefNo) FROM Data_Wght"), 2 * kEach);
    QCOMPARE(count("SELECT MAX(DlySlNo) FROM Data_Wght"), 2 * kEach);
    QCOMPARE(count("SELECT COUNT(*) FROM Data_Wght WHERE RtRefNo = 1"), kEach);
    QCOMPARE(count("SELECT COUNT(*) FROM Data_Wght WHERE RtRefNo = 2"), kEach);
}

QTEST_GUILESS_MAIN(ReceiptTest)
#include "tst_receipt.moc"

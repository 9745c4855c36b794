// The writing of a receipt: its running numbers, and two desks adding to one database at once.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "weighing/Receipt.h"

#include <QProcess>
#include <QtTest>
#include <cstdlib>

namespace {
const QDate kDay(2024, 3, 5);

// The other desk of twoDesksAtOnce, run as "tst_receipt --write <count> <route>": adds receipts
// to the morning of kDay through the window's own opening and writing path, the data source
// found through ODBCINI. 0 when every receipt was stored.
int writeReceipts(int count, int route)
{
    platform::setMessageHandler(
        [](const platform::Message& m) { qWarning("%s", qPrintable(m.text)); });
    platform::setEndHandler([] { std::exit(3); });
    Gen_DbMst = "CO1_2026";
    Gen_DbPwd = DbPassword();
    weighing::ReceiptEntry entry;
    entry.date = kDay;
    entry.shift = 2;
    entry.route = route;
    for (int i = 0; i < count; ++i) {
        datastore::Connection con;
        if (!OpenMst(con))
            return 3;
        const weighing::WriteResult result = weighing::writeReceipt(con, entry);
        if (!result.ok()) {
            qWarning("receipt %d not stored: %s", i, qPrintable(result.errorText()));
            return 1;
        }
    }
    return 0;
}

void prepare(testkit::TestEnv& env)
{
    env.createInstallation(kDay);
    env.chooseCompany();
}
} // namespace

class ReceiptTest : public QObject {
    Q_OBJECT
private slots:
    void nextNumbers_data();
    void nextNumbers();
    void desksAtOnce();
};

void ReceiptTest::nextNumbers_data()
{
    QTest::addColumn<bool>("seeded");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("refNo");
    QTest::addColumn<int>("dlySlNo");
    QTest::newRow("empty table") << false << kDay << 2 << 1 << 1;
    QTest::newRow("after RefNo 120 and 7 of the shift") << true << kDay << 2 << 121 << 8;
    QTest::newRow("a new shift starts at 1") << true << kDay << 3 << 121 << 1;
    QTest::newRow("a new day starts at 1") << true << kDay.addDays(1) << 2 << 121 << 1;
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
    const QString file = env.companyFile();
    // The highest RefNo lies on another day; the shift's serials are spread over two routes,
    // and the day before has higher serials that must not count.
    const auto seed = [&file](int ref, int daysBack, int shift, int serial, int route) {
        testkit::TestEnv::exec(
            file,
            "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, DlySlNo, RtRefNo) "
            "VALUES (?, ?, ?, ?, ?)",
            {ref, kDay.addDays(-daysBack).toString(Qt::ISODate), shift, serial, route});
    };
    if (seeded) {
        for (int i = 1; i <= 7; ++i)
            seed(100 + i, 0, 2, i, 1 + i % 2);
        seed(60, 1, 2, 30, 1);
        seed(61, 1, 3, 12, 1);
        seed(120, 2, 2, 3, 1);
    }

    datastore::Connection con;
    QVERIFY(OpenMst(con));
    weighing::ReceiptEntry entry;
    entry.date = date;
    entry.shift = shift;
    entry.route = 4;
    const auto result = weighing::writeReceipt(con, entry);
    QVERIFY2(result.ok(), qPrintable(result.errorText()));
    QCOMPARE(result->refNo, refNo);
    QCOMPARE(result->dlySlNo, dlySlNo);
    QCOMPARE(testkit::TestEnv::scalar(file, "SELECT MAX(DlySlNo) FROM Data_Wght WHERE RefNo = " +
                                                QString::number(refNo)),
             QVariant(dlySlNo));
}

// Desks on separate machines: processes of their own, each with its own running-copy folder.
// Two on a shared file; four at once on one server database.
void ReceiptTest::desksAtOnce()
{
    testkit::TestEnv env;
    prepare(env);
    const int kDesks = testkit::TestEnv::onServer() ? 4 : 2;
    const int kEach = testkit::TestEnv::onServer() ? 500 : 300;
    std::vector<std::unique_ptr<QProcess>> desks;
    for (int i = 0; i < kDesks; ++i) {
        auto desk = std::make_unique<QProcess>();
        const QString own = env.root() + "/desk" + QString::number(i);
        QDir().mkpath(own);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", own);
        environment.insert("HOME", own);
        desk->setProcessEnvironment(environment);
        desk->start(QCoreApplication::applicationFilePath(),
                    {"--write", QString::number(kEach), QString::number(i + 1)});
        desks.push_back(std::move(desk));
    }
    for (auto& desk : desks) {
        QVERIFY2(desk->waitForFinished(200000), "a desk did not finish");
        QVERIFY2(desk->exitStatus() == QProcess::NormalExit && desk->exitCode() == 0,
                 desk->readAllStandardError().constData());
    }

    const auto count = [&env](const QString& sql) {
        return testkit::TestEnv::scalar(env.companyFile(), sql).toInt();
    };
    const int kAll = kDesks * kEach;
    QCOMPARE(count("SELECT COUNT(*) FROM Data_Wght"), kAll);
    QCOMPARE(count("SELECT COUNT(DISTINCT RefNo) FROM Data_Wght"), kAll);
    QCOMPARE(
        count("SELECT COUNT(*) FROM (SELECT DISTINCT RefDate, AmPm, DlySlNo FROM Data_Wght) AS s"),
        kAll);
    // No gaps either: every number from 1 up was handed out once.
    QCOMPARE(count("SELECT MAX(RefNo) + MAX(DlySlNo) FROM Data_Wght"), 2 * kAll);
    QCOMPARE(count("SELECT COUNT(*) FROM Data_Wght WHERE RtRefNo = 1"), kEach);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == "--write")
        return writeReceipts(app.arguments().value(2).toInt(), app.arguments().value(3).toInt());
    ReceiptTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_receipt.moc"

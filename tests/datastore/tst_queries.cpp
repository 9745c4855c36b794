// The system's statements on either engine (run a second time on the test server): CDate and
// text without regard to case on files; the next number's limits and station settings.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/NextNumbers.h"
#include "datastore/Startup.h"
#include "datastore/StationSettings.h"

#include <QSqlQuery>
#include <QtTest>

namespace {
// The first value a statement on the company database reads.
QString valueOf(const QString& statement)
{
    datastore::Connection mst;
    if (!OpenMst(mst))
        return "not opened";
    QSqlQuery query = mst.run(statement);
    return query.next() ? query.value(0).toString() : datastore::describeError(query);
}
} // namespace

class QueriesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_env->createInstallation();
        m_env->exec(m_env->companyFile(), "INSERT INTO Mast_Villages (VRefNo, VCode, VName, "
                                          "RtRefNo) VALUES (1, 'V01', 'Hill', 1), (2, 'V02', "
                                          "'Dale', 2)");
    }
    void init()
    {
        m_env->exec(m_env->companyFile(), "DELETE FROM Sms_Add");
        m_env->messages.clear();
        datastore::resetGenState();
        m_env->chooseCompany();
    }
    void cleanupTestCase() { m_env.reset(); }

    void statements_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("names in small letters") << "Select vcode from mast_villages Where "
                                                   "rtrefno = 2"
                                                << "V02";
        if (testkit::TestEnv::onServer())
            return; // the file engine's own date function and text comparison
        QTest::newRow("CDate: month in capitals") << "SELECT CDate('05/MAR/2024')"
                                                  << "2024-03-05";
        QTest::newRow("CDate: month in small letters") << "SELECT CDate('05/mar/2024')"
                                                       << "2024-03-05";
        QTest::newRow("CDate: no such day") << "SELECT ifnull(CDate('31/Feb/2024'), 'none')"
                                            << "none";
        QTest::newRow("text prefix in other case")
            << "Select count(*) from Mast_Villages Where VCode LIKE 'v0%' and VName = 'HILL'"
            << "1";
    }
    void statements()
    {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(valueOf(statement), expected);
    }

    void nextAfter_data()
    {
        QTest::addColumn<QVariant>("largest"); // null: nothing stored
        QTest::addColumn<int>("next");         // 0: no number
        QTest::newRow("nothing stored") << QVariant() << 1;
        QTest::newRow("largest 41") << QVariant(41) << 42;
        QTest::newRow("largest -1") << QVariant(-1) << 1;
        QTest::newRow("next is the largest 32-bit number") << QVariant(2147483646) << 2147483647;
        QTest::newRow("largest 32-bit number") << QVariant(2147483647) << 0;
    }
    void nextAfter()
    {
        QFETCH(QVariant, largest);
        QFETCH(int, next);
        QCOMPARE(datastore::nextAfter(largest).value_or(0), next);
    }

    void stationSettings_data()
    {
        QTest::addColumn<QString>("settingsRows");
        // WghtFmt|BitsNoW|ComPortW|LanHostIP|LanHostNo|ComLan after the load; before it they
        // are 7|1200|5|10.0.0.9|99|9.
        QTest::addColumn<QString>("loaded");
        QTest::newRow("no row: serial settings cleared, others kept") << ""
                                                                      << "7|0|0|10.0.0.9|99|9";
        QTest::newRow("all null") << "(NULL, NULL, NULL, NULL, NULL, NULL)"
                                  << "0|0|0|||0";
        QTest::newRow("speed with a fraction") << "(2, 9600.5, 3, '192.168.1.5', '4001', 1)"
                                               << "2|9600.5|3|192.168.1.5|4001|1";
        if (!testkit::TestEnv::onServer()) // the server's columns are whole numbers: it stores no
                                           // halves
            QTest::newRow("halves go to the even neighbour") << "(2.5, 4800, 1.5, NULL, NULL, 3.5)"
                                                             << "2|4800|2|||4";
    }
    void stationSettings()
    {
        QFETCH(QString, settingsRows);
        QFETCH(QString, loaded);
        if (!settingsRows.isEmpty())
            m_env->exec(m_env->companyFile(), "INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, "
                                              "LanHostIP, LanHostNo, ComLan) VALUES " +
                                                  settingsRows);
        Gen_WghtFmt = 7;
        Gen_BitsNoW = datastore::Currency::fromDouble(1200);
        Gen_ComPortW = 5;
        Gen_LanHostIP = "10.0.0.9";
        Gen_LanHostNo = "99";
        Gen_ComLan = 9;
        datastore::Connection con;
        QVERIFY(OpenMst(con));
        const auto row = stationSettingsRow(con);
        QVERIFY(row && takeStationSettings(*row));
        const QStringList values{QString::number(Gen_WghtFmt),
                                 Gen_BitsNoW.toText(),
                                 QString::number(Gen_ComPortW),
                                 Gen_LanHostIP,
                                 Gen_LanHostNo,
                                 QString::number(Gen_ComLan)};
        QCOMPARE(values.join('|'), loaded);
        QVERIFY(m_env->messages.isEmpty());
    }
};

QTEST_MAIN(QueriesTest)
#include "tst_queries.moc"

// The shift's statements: the route's vehicle on a date and the grid's rows. (The receipts of a
// period and the shift's totals are read back whole by the shift report's and the export's
// tests.)

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "datastore/ShiftQueries.h"
#include "datastore/Startup.h"

#include <QtTest>

using namespace datastore;

class ShiftQueriesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;
    Connection m_con;

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_env->createInstallation();
        const QString file = m_env->companyFile();
        m_env->seedShift(file);
        m_env->exec(file, "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
                          "(1, '2024-04-05', '2024-04-09', NULL)");
        m_con.ConnectionString = QStringLiteral("Data Source=") + file;
        QCOMPARE(m_con.open(), Connection::OpenStatus::Opened);
    }
    void cleanupTestCase()
    {
        m_con.close();
        m_env.reset();
    }

    void routeVehicle_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("vehicle");
        QTest::newRow("first day of the period") << 1 << QDate(2024, 3, 1) << "KA-01-7788";
        QTest::newRow("last day of the period") << 1 << QDate(2024, 3, 31) << "KA-01-7788";
        QTest::newRow("day after the period") << 1 << QDate(2024, 4, 1) << "";
        QTest::newRow("period with a null number") << 1 << QDate(2024, 4, 8) << "";
        QTest::newRow("route without a row") << 3 << QDate(2024, 3, 5) << "";
    }
    void routeVehicle()
    {
        QFETCH(int, route);
        QFETCH(QDate, date);
        QFETCH(QString, vehicle);
        const auto found = datastore::routeVehicle(m_con, route, date);
        QVERIFY2(found, qPrintable(found.errorText()));
        QCOMPARE(*found, vehicle);
    }

    void gridReceipts_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("route");
        QTest::addColumn<QList<qint64>>("refNos");
        // Newest serial first; serial 3's village and serial 4's milk type have no row: the
        // grid leaves them out.
        QTest::newRow("route 1 morning") << QDate(2024, 3, 5) << 2 << 1 << QList<qint64>{16, 15, 11};
        QTest::newRow("route 2 morning") << QDate(2024, 3, 5) << 2 << 2 << QList<qint64>{12};
        QTest::newRow("evening") << QDate(2024, 3, 5) << 3 << 1 << QList<qint64>{17};
        QTest::newRow("day before") << QDate(2024, 3, 4) << 2 << 1 << QList<qint64>{18};
        QTest::newRow("no receipts") << QDate(2024, 3, 6) << 2 << 1 << QList<qint64>{};
    }
    void gridReceipts()
    {
        QFETCH(QDate, date);
        QFETCH(int, shift);
        QFETCH(int, route);
        QFETCH(QList<qint64>, refNos);
        const auto rows = datastore::gridReceipts(m_con, date, shift, route);
        QVERIFY2(rows, qPrintable(rows.errorText()));
        QList<qint64> found;
        for (const GridReceipt& r : *rows)
            found << r.refNo;
        QCOMPARE(found, refNos);
    }

    void failedStatementSaysWhy()
    {
        // The main database has no route tables.
        Connection main;
        main.ConnectionString = "Data Source=" + m_env->mainFile();
        QCOMPARE(main.open(), Connection::OpenStatus::Opened);
        const auto vehicle = datastore::routeVehicle(main, 1, QDate(2024, 3, 5));
        QVERIFY(!vehicle && vehicle.error().kind == datastore::ErrorKind::Other);
        QVERIFY(vehicle.errorText().contains("Mast_RoutesSub"));
    }
};

QTEST_GUILESS_MAIN(ShiftQueriesTest)
#include "tst_shiftqueries.moc"

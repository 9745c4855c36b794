// The shift's statements: the route's vehicle on a date, the grid's rows, the village by its
// reference, the receipts of a period with every column, and the shift's totals.

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
        for (const char* sql :
             {"INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0), "
              "(2, 'South', 0)",
              "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
              "(1, '2024-03-01', '2024-03-05', 'KA-01'), (1, '2024-03-07', '2024-03-09', NULL)",
              "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo) VALUES "
              "(1, 'V01', 'Hill', 1), (2, 'V02', 'Dale', 2)",
              "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
              "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')",
              // 05/Mar morning: route 1 has serials 1, 3 and 4 (4 points at a village that
              // is not there), route 2 took serial 2; milk type 9 has no row.
              "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
              "DlySlNo, CansRecd, MWeight, Uid, UName, ColTime, TruckNo, SchTime, ArrTime, "
              "TruckKMR, TruckRecAmt, TruckRemarks) VALUES "
              "(1, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 45, 1, 'op', '06:10:00 AM', 'KA-01', "
              "'06:00:00 AM', '06:05:00 AM', 12.5, 0, 'ok'), "
              "(2, '2024-03-05', 2, 2, 2, 2, 2, 2, 1, 30.25, 1, 'op', '06:11:00 AM', '', "
              "'', '', 0, 0, ''), "
              "(3, '2024-03-05', 2, 1, 1, 1, 9, 3, NULL, 20.5, 1, 'op', '06:12:00 AM', '', "
              "'', '', 0, 0, ''), "
              "(4, '2024-03-05', 2, 1, 99, 1, 1, 4, 1, 10, 1, 'op', '06:13:00 AM', '', '', "
              "'', 0, 0, ''), "
              "(5, '2024-03-05', 3, 1, 1, 1, 1, 1, 1, 7, 1, 'op', '06:14:00 PM', '', '', "
              "'', 0, 0, ''), "
              "(6, '2024-03-04', 2, 1, 1, 1, 1, 9, 1, 8, 1, 'op', '06:15:00 AM', '', '', "
              "'', 0, 0, '')"})
            m_env->exec(file, sql);
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
        QTest::newRow("first day of the period") << 1 << QDate(2024, 3, 1) << "KA-01";
        QTest::newRow("last day of the period") << 1 << QDate(2024, 3, 5) << "KA-01";
        QTest::newRow("day after the period") << 1 << QDate(2024, 3, 6) << "";
        QTest::newRow("period with a null number") << 1 << QDate(2024, 3, 8) << "";
        QTest::newRow("route without a row") << 2 << QDate(2024, 3, 5) << "";
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
        // Receipt 3's milk type and receipt 4's village have no row: the grid leaves them out.
        QTest::newRow("route 1 morning") << QDate(2024, 3, 5) << 2 << 1 << QList<qint64>{1};
        QTest::newRow("route 2 morning") << QDate(2024, 3, 5) << 2 << 2 << QList<qint64>{2};
        QTest::newRow("evening") << QDate(2024, 3, 5) << 3 << 1 << QList<qint64>{5};
        QTest::newRow("day before") << QDate(2024, 3, 4) << 2 << 1 << QList<qint64>{6};
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

    void gridOrderAndTexts()
    {
        m_env->exec(m_env->companyFile(),
                    "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
                    "DlySlNo, CansRecd, MWeight) VALUES (20, '2024-04-01', 2, 2, 2, 2, 2, 5, NULL, "
                    "1), (21, '2024-04-01', 2, 2, 2, 2, 2, 7, 3, 2), (22, '2024-04-01', 2, 2, 2, "
                    "2, 2, 6, 1, 3)");
        const QVector<GridReceipt> rows = *datastore::gridReceipts(m_con, QDate(2024, 4, 1), 2, 2);
        QCOMPARE(rows.size(), 3); // newest serial first
        QCOMPARE((QStringList{rows[0].serial.toString(), rows[1].serial.toString(),
                              rows[2].serial.toString(), rows[0].villageCode, rows[0].villageName,
                              rows[0].animal, rows[0].milkType, rows[0].weight.toString()}),
                 (QStringList{"7", "6", "5", "V02", "Dale", "Buffalo", "Skim", "2"}));
        QVERIFY(rows[2].cans.isNull());
    }

    void villageByRef()
    {
        std::optional<Village> village = *datastore::villageByRef(m_con, 2);
        QVERIFY(village.has_value());
        QCOMPARE(village->code + village->name + QString::number(village->route), "V02Dale2");
        QVERIFY(!datastore::villageByRef(m_con, 99)->has_value());
    }

    void storedReceiptsKeepLostMasters()
    {
        const auto stored =
            datastore::storedReceipts(m_con, {QDate(2024, 3, 5), QDate(2024, 3, 5), 2, 0});
        QVERIFY2(stored, qPrintable(stored.errorText()));
        const QVector<StoredReceipt>& rows = *stored;
        QList<qint64> refNos;
        for (const StoredReceipt& r : rows)
            refNos << r.refNo;
        QCOMPARE(refNos, (QList<qint64>{1, 3, 4, 2})); // by route, then serial
        const StoredReceipt& r = rows[0];
        QCOMPARE((QStringList{r.date.toString(Qt::ISODate), QString::number(r.shift), r.routeName,
                              r.villageName, r.animalName, r.milkTypeName, r.collectionTime,
                              r.truckNo, QString::number(r.truckKm), r.truckRemarks}),
                 (QStringList{"2024-03-05", "2", "North", "Hill", "Cow", "Whole", "06:10:00 AM",
                              "KA-01", "12.5", "ok"}));
        QCOMPARE(QString::number(rows[1].milkType) + "|" + rows[1].milkTypeName, "9|");
        QVERIFY(rows[1].cans.isNull());
        QCOMPARE(QString::number(rows[2].village) + "|" + rows[2].villageName, "99|");
    }

    void storedReceiptsFilter_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("count");
        QTest::newRow("two days, every shift")
            << QDate(2024, 3, 4) << QDate(2024, 3, 5) << 0 << 0 << 6;
        QTest::newRow("evening only") << QDate(2024, 3, 4) << QDate(2024, 3, 5) << 3 << 0 << 1;
        QTest::newRow("route 2 only") << QDate(2024, 3, 4) << QDate(2024, 3, 5) << 0 << 2 << 1;
        QTest::newRow("a day with none") << QDate(2024, 3, 6) << QDate(2024, 3, 6) << 0 << 0 << 0;
    }
    void storedReceiptsFilter()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, shift);
        QFETCH(int, route);
        QFETCH(int, count);
        QCOMPARE(datastore::storedReceipts(m_con, {from, to, shift, route})->size(), count);
    }

    void shiftTotals()
    {
        QVector<MilkTypeTotal> totals = *datastore::shiftTotals(m_con, QDate(2024, 3, 5), 2, 0);
        QCOMPARE(totals.size(), 3);
        // Whole: receipts 1 and 4; Skim: receipt 2; milk type 9 (no row): receipt 3, null cans.
        QStringList shown;
        for (const MilkTypeTotal& t : totals)
            shown << QStringLiteral("%1 %2: %3 %4 %5")
                         .arg(t.milkType)
                         .arg(t.milkTypeName)
                         .arg(t.receipts)
                         .arg(t.cans)
                         .arg(t.weight);
        QCOMPARE(shown, (QStringList{"1 Whole: 2 3 55", "2 Skim: 1 1 30.25", "9 : 1 0 20.5"}));
        totals = *datastore::shiftTotals(m_con, QDate(2024, 3, 5), 2, 2);
        QCOMPARE(totals.size(), 1);
        QCOMPARE(totals[0].receipts, 1);
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

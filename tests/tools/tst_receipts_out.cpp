// Receipts taken out of an installation: the CSV export read back equals the stored rows, the
// summaries equal the rows summed apart; a year before the latest is read, a period outside the
// year read is told.

#include "AdminRun.h"
#include "Csv.h"
#include "TestEnv.h"
#include "report/ReceiptExport.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using admintest::Run;
using admintest::runAdmin;

namespace {

// The export read back by the masters' reader, which tst_masters checks on its own.
QList<QStringList> readCsv(const QString& file)
{
    admin::csv::Table table; // a file it refuses leaves no header, which the test compares
    admin::csv::parse(admintest::readFile(file), &table);
    QList<QStringList> rows{table.header.fields};
    for (const auto& record : table.records)
        rows << record.fields;
    return rows;
}

// Rows of a statement, every value as text (null as empty text, numbers as stored).
QList<QStringList> rowsOf(const QString& file, const QString& sql)
{
    QList<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "rows");
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(sql);
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c) {
                const QVariant v = q.value(c);
                row << (v.isNull()                        ? QString()
                        : v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15)
                                                          : v.toString());
            }
            rows << row;
        }
    }
    QSqlDatabase::removeDatabase("rows");
    return rows;
}

} // namespace

class ReceiptsOutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;

    void fill()
    {
        const QString file = m_env->companyFile();
        for (const char* sql :
             {"INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North, upper', 0), "
              "(2, 'South', 0)",
              "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo) VALUES "
              "(1, 'V01', 'Hill \"Top\"', 1), (2, 'V02', 'Ærøskøbing', 1), (3, 'S01', "
              "'South\nend', 2)",
              "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
              "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')",
              // Receipt 4's village (77), receipt 5's animal (8) and milk type (9) are gone;
              // receipt 3 has null cans.
              "INSERT INTO Data_Wght VALUES "
              "(1, '2024-03-04', 2, 1, 1, 1, 1, 1, 2, 10.04, 1, 'op', 0, '06:10:00 AM', "
              "'TR-9', '05:45:00 AM', '06:20:00 AM', 42.5, 150.75, ' late, \"35\" min '), "
              "(2, '2024-03-04', 2, 1, 2, 2, 2, 2, 3, 31.26, 1, 'op', 0, '06:11:00 AM', '', "
              "'05:45:00 AM', '06:20:00 AM', 0, 0, ''), "
              "(3, '2024-03-04', 3, 2, 3, 1, 1, 1, NULL, 7.25, 2, 'mgr', 0, '06:12:00 PM', '', "
              "'', '', 0, 0, ''), "
              "(4, '2024-03-05', 2, 1, 77, 1, 1, 1, 1, 12.5, 1, 'op', 0, '06:13:00 AM', '', "
              "'', '', 0, 0, ''), "
              "(5, '2024-03-05', 2, 1, 1, 8, 9, 2, 4, 40.3, 1, 'op', 0, '06:14:00 AM', '', "
              "'', '', 0, 0, ''), "
              "(6, '2024-03-05', 3, 1, 1, 1, 1, 1, 1, 9.9, 1, 'op', 0, '06:15:00 PM', '', '', "
              "'', 0, 0, ''), "
              "(7, '2024-03-06', 2, 1, 1, 1, 1, 1, 1, 5, 1, 'op', 0, '06:15:00 AM', '', '', "
              "'', 0, 0, '')"})
            m_env->exec(file, sql);
    }

    QStringList exportArgs(const QString& file) const
    {
        return {"export", "receipts",   "--data-root", m_env->dataRoot(), "--company", "CO1",
                "--from", "2024-03-04", "--to",        "2024-03-05",      file};
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_env->createInstallation();
        fill();
    }
    void cleanupTestCase() { m_env.reset(); }

    // Quoted where a spreadsheet would trim the field, and only where needed; the export read
    // back has commas, quotes, line breaks and letters beyond ASCII.
    void csvField()
    {
        QCOMPARE(report::csvField("Hill"), QString("Hill"));
        QCOMPARE(report::csvField(" x"), QString("\" x\""));
        QCOMPARE(report::csvField("Hill \"Top\""), QString("\"Hill \"\"Top\"\"\""));
    }

    void exportReadBackEqualsStoredRows_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("where");
        QTest::newRow("two days") << QStringList{}
                                  << "d.RefDate BETWEEN '2024-03-04' AND '2024-03-05'";
        QTest::newRow("morning only") << QStringList{"--shift", "AM"}
                                      << "d.RefDate BETWEEN '2024-03-04' AND '2024-03-05' "
                                         "AND d.AmPm = 2";
        QTest::newRow("route 2 only") << QStringList{"--route", "2"}
                                      << "d.RefDate BETWEEN '2024-03-04' AND '2024-03-05' "
                                         "AND d.RtRefNo = 2";
    }
    void exportReadBackEqualsStoredRows()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, where);
        const QString csv = m_env->root() + "/receipts.csv";
        const Run run = runAdmin(exportArgs(csv) + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QList<QStringList> read = readCsv(csv);
        QCOMPARE(read.first(), report::receiptColumns());
        const QList<QStringList> stored = rowsOf(
            m_env->companyFile(),
            "SELECT d.RefNo, d.RefDate, CASE d.AmPm WHEN 2 THEN 'AM' ELSE 'PM' END, d.DlySlNo, "
            "d.RtRefNo, r.RTType, d.VRefNo, v.VCode, v.VName, d.ACode, a.AType, d.MCode, "
            "m.MType, d.CansRecd, d.MWeight, d.Uid, d.UName, d.ColTime, d.TruckNo, d.SchTime, "
            "d.ArrTime, d.TruckKMR, d.TruckRecAmt, d.TruckRemarks FROM Data_Wght d "
            "LEFT JOIN Mast_Routes r ON r.RTRefNo = d.RtRefNo LEFT JOIN Mast_Villages v ON "
            "v.VRefNo = d.VRefNo LEFT JOIN Mast_Animal a ON a.ACode = d.ACode LEFT JOIN "
            "Mast_Milk m ON m.MCode = d.MCode WHERE " +
                where + " ORDER BY d.RefNo");
        QList<QStringList> rows = read.mid(1);
        std::sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
            return a[0].toInt() < b[0].toInt();
        });
        QVERIFY(!stored.isEmpty());
        QCOMPARE(rows, stored);
    }

    void summaryEqualsRowsSummed_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("sums");
        const QString from = " FROM Data_Wght d WHERE d.RefDate BETWEEN '2024-03-04' AND "
                             "'2024-03-05' GROUP BY ";
        QTest::newRow("village") << QStringList{"--summary"}
                                 << "SELECT d.RefDate, d.VRefNo, v.VCode, v.VName, COUNT(*), "
                                    "TOTAL(d.CansRecd), TOTAL(d.MWeight) FROM Data_Wght d LEFT JOIN "
                                    "Mast_Villages v ON v.VRefNo = d.VRefNo WHERE d.RefDate "
                                    "BETWEEN '2024-03-04' AND '2024-03-05' GROUP BY d.RefDate, "
                                    "d.VRefNo ORDER BY d.RefDate, d.VRefNo";
        QTest::newRow("route") << QStringList{"--by", "route"}
                               << "SELECT d.RefDate, d.RtRefNo, MAX(r.RTType), COUNT(*), "
                                  "TOTAL(d.CansRecd), TOTAL(d.MWeight) FROM Data_Wght d LEFT JOIN "
                                  "Mast_Routes r ON r.RTRefNo = d.RtRefNo WHERE d.RefDate "
                                  "BETWEEN '2024-03-04' AND '2024-03-05' GROUP BY d.RefDate, "
                                  "d.RtRefNo ORDER BY d.RefDate, d.RtRefNo";
    }
    void summaryEqualsRowsSummed()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, sums);
        const QString csv = m_env->root() + "/summary.csv";
        QStringList arguments = exportArgs(csv) + options;
        if (options.first() == "--by")
            arguments[1] = "summary";
        const Run run = runAdmin(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(admintest::readFile(csv).startsWith("\xEF\xBB\xBF" "date,"));
        const QList<QStringList> read = readCsv(csv);
        // Summed by the database, apart from the export's own sums.
        const QList<QStringList> summed = rowsOf(m_env->companyFile(), sums);
        QCOMPARE(read.size() - 1, summed.size());
        for (int i = 0; i < summed.size(); ++i) {
            const QStringList& got = read[i + 1];
            const int sumsAt = got.size() - 2;
            QCOMPARE(got.mid(0, sumsAt), summed[i].mid(0, sumsAt));
            QVERIFY(qFuzzyCompare(got[sumsAt].toDouble() + 1, summed[i][sumsAt].toDouble() + 1));
            QVERIFY(qFuzzyCompare(got[sumsAt + 1].toDouble(), summed[i][sumsAt + 1].toDouble()));
        }
    }

    // After the next year is made, a period of the year before is read from its own year (said
    // on standard error); a period the year read does not hold is told, not answered empty.
    void yearOfThePeriod_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told");
        QTest::newRow("the year that holds it")
            << QStringList{} << 0 << "reading year 1 (2024-01-01 to 2024-12-31) of CO1";
        QTest::newRow("named") << QStringList{"--year", "1"} << 0 << "reading year 1";
        QTest::newRow("a year that does not hold it")
            << QStringList{"--year", "2"} << 1 << "year 2 (2025-01-01 to 2025-12-31) of CO1 "
                                                  "does not hold 2024-03-04 to 2024-03-05";
        QTest::newRow("across the end of the year")
            << QStringList{"--to", "2025-01-02"} << 1 << "does not hold 2024-03-04 to 2025-01-02";
        QTest::newRow("no such year") << QStringList{"--year", "7"} << 1 << "has no year 7";
    }
    void yearOfThePeriod()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        if (QFileInfo(m_env->companyFile("CO1_2027")).size() == 0) {
            m_env->createCompany("CO1_2027");
            m_env->exec(m_env->mainFile(),
                        "INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, Town) "
                        "VALUES ('CO1', 2, 'CO1_2027', '2025-01-01', '2025-12-31', 'First "
                        "Dairy', 'Hilltown')");
        }
        QStringList arguments = exportArgs("-");
        if (options.value(0) == "--to")
            arguments[arguments.indexOf("--to") + 1] = options.takeLast(), options.clear();
        const Run run = runAdmin(arguments + options);
        QVERIFY2(run.exitCode == exitCode && run.err.contains(told), qPrintable(run.err));
        if (exitCode == 0) // the file is standard output: every receipt of the two days
            QCOMPARE(run.out.count("\r\n"), 1 + 6);
    }

    void wrongUsage_data()
    {
        QTest::addColumn<QString>("arguments");
        for (const char* arguments :
             {"--from 2024-03-04 --to 2024-03-05", "--from 4/3/2024 --to 2024-03-05 f",
              "--from 2024-03-05 --to 2024-03-04 f.csv",
              "--from 2024-03-04 --to 2024-03-05 --shift XM f"})
            QTest::newRow(arguments) << QString(arguments);
    }
    void wrongUsage()
    {
        QFETCH(QString, arguments);
        const Run run = runAdmin(QStringList{"export", "receipts", "--data-root", m_env->dataRoot(),
                                             "--company", "CO1"} +
                                 arguments.split(' '));
        QCOMPARE(run.exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(ReceiptsOutTest)
#include "tst_receipts_out.moc"

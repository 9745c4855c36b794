// The shift report: every stored receipt of the shift listed and counted, lost master rows,
// null cans, a route without a truck row, totals from the stored values; the PDF's text.

#include "TestEnv.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"

#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTextDocument>
#include <QtTest>

using namespace report;

namespace {
const QDate kDay(2024, 3, 5);

// Totals summed here from the rows themselves, apart from the report's own code.
struct Sums {
    qint64 receipts = 0;
    double cans = 0;
    double weight = 0;
};
Sums sumsOf(const QString& file, const QString& where)
{
    Sums sums;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "sums");
    {
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec("SELECT CansRecd, MWeight FROM Data_Wght WHERE " + where);
        while (q.next()) {
            ++sums.receipts;
            sums.cans += q.value(0).toDouble();
            sums.weight += q.value(1).toDouble();
        }
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("sums");
    return sums;
}
} // namespace

class ReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;
    datastore::Connection m_main;
    datastore::Connection m_company;

    ShiftReport load(qint64 route = 0)
    {
        auto loaded = loadShiftReport(m_main, m_company, {"CO1", kDay, 2, route});
        if (!loaded)
            qWarning() << loaded.errorText();
        return loaded ? *loaded : ShiftReport();
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_env->createInstallation();
        const QString file = m_env->companyFile();
        for (const char* sql :
             {"INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0), "
              "(2, 'South', 0)",
              // Route 1 has a truck row on the day; route 2 has none.
              "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
              "(1, '2024-03-01', '2024-03-31', 'KA-01-7788')",
              "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo) VALUES "
              "(1, 'V01', 'Hill & Dale', 1), (2, 'V02', 'Riverside', 1), (3, 'S01', "
              "'Southend', 2)",
              "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
              "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')",
              // Route 1: serials 1, 3, 5, 6; route 2: 2, 4. Serial 3's village (77) and
              // serial 4's milk type (9) have lost their rows; serial 5 has null cans.
              // The truck of route 1 is entered with its second receipt (serial 3).
              "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
              "DlySlNo, CansRecd, MWeight, TruckNo, SchTime, ArrTime, TruckKMR, TruckRecAmt, "
              "TruckRemarks) VALUES "
              "(11, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 10.04, '', '06:00:00 AM', "
              "'06:00:00 AM', 0, 0, ''), "
              "(12, '2024-03-05', 2, 2, 3, 2, 2, 2, 3, 31.26, '', '06:30:00 AM', "
              "'06:45:00 AM', 0, 0, ''), "
              "(13, '2024-03-05', 2, 1, 77, 1, 1, 3, 1, 10.04, 'TR-9', '05:45:00 AM', "
              "'06:20:00 AM', 42.5, 150.75, 'late by 35 min'), "
              "(14, '2024-03-05', 2, 2, 3, 1, 9, 4, 4, 40.3, '', '', '', 0, 0, ''), "
              "(15, '2024-03-05', 2, 1, 2, 2, 2, 5, NULL, 10.04, '', '', '', 0, 0, ''), "
              "(16, '2024-03-05', 2, 1, 2, 1, 1, 6, 1, 7.25, '', '', '', 0, 0, ''), "
              // Other shift and other day: not in the report.
              "(17, '2024-03-05', 3, 1, 1, 1, 1, 1, 5, 99.9, '', '', '', 0, 0, ''), "
              "(18, '2024-03-04', 2, 1, 1, 1, 1, 1, 5, 88.8, '', '', '', 0, 0, '')"})
            m_env->exec(file, sql);
        m_main.ConnectionString = "Data Source=" + m_env->mainFile();
        m_company.ConnectionString = "Data Source=" + file;
        QCOMPARE(m_main.open(), datastore::Connection::OpenStatus::Opened);
        QCOMPARE(m_company.open(), datastore::Connection::OpenStatus::Opened);
    }
    void cleanupTestCase()
    {
        m_main.close();
        m_company.close();
        m_env.reset();
    }

    void everyReceiptListedInSerialOrder()
    {
        const ShiftReport r = load();
        QCOMPARE(r.company, "First Dairy");
        QCOMPARE(r.town, "Hilltown");
        QCOMPARE(r.routes.size(), 2);
        QList<qint64> serials1, serials2;
        for (const ReportLine& line : r.routes[0].lines)
            serials1 << line.serial;
        for (const ReportLine& line : r.routes[1].lines)
            serials2 << line.serial;
        QCOMPARE(serials1, (QList<qint64>{1, 3, 5, 6}));
        QCOMPARE(serials2, (QList<qint64>{2, 4}));
        // Lost masters: listed with their names empty.
        QCOMPARE(r.routes[0].lines[1].villageCode, "");
        QCOMPARE(r.routes[0].lines[1].villageName, "");
        QCOMPARE(r.routes[0].lines[1].animal, "Cow");
        QCOMPARE(r.routes[1].lines[1].milkType, "");
        QVERIFY(r.routes[0].lines[2].cans.isNull());
        QCOMPARE(cansText(r.routes[0].lines[2].cans), "0");
    }

    void truckDetails()
    {
        const ShiftReport r = load();
        const RouteSection& north = r.routes[0];
        QCOMPARE(north.routeName, "North");
        QCOMPARE(north.truckNo, "TR-9"); // as entered, not the assigned vehicle
        QCOMPARE(north.scheduledTime, "05:45:00 AM");
        QCOMPARE(north.arrivalTime, "06:20:00 AM");
        QCOMPARE(north.tripKm, 42.5);
        QCOMPARE(north.recoveryAmount, 150.75);
        QCOMPARE(north.remarks, "late by 35 min");
        const RouteSection& south = r.routes[1];
        QCOMPARE(south.truckNo, ""); // no truck row and none entered
        QCOMPARE(south.scheduledTime, "06:30:00 AM");
        QCOMPARE(south.tripKm, 0.0);
    }

    void assignedVehicleWhenNoneEntered()
    {
        datastore::StoredReceipt a;
        a.route = 1;
        a.serial = 1;
        datastore::StoredReceipt b = a;
        b.route = 2;
        const auto sections = routeSections({a, b}, {{1, "KA-01-7788"}});
        QCOMPARE(sections.size(), 2);
        QCOMPARE(sections[0].truckNo, "KA-01-7788");
        QCOMPARE(sections[1].truckNo, "");
    }

    void totalsFromStoredValues_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<QString>("where");
        QTest::newRow("route 1") << 1 << "RefDate = '2024-03-05' AND AmPm = 2 AND RtRefNo = 1";
        QTest::newRow("route 2") << 2 << "RefDate = '2024-03-05' AND AmPm = 2 AND RtRefNo = 2";
    }
    void totalsFromStoredValues()
    {
        QFETCH(int, route);
        QFETCH(QString, where);
        const ShiftReport r = load();
        const Sums sums = sumsOf(m_env->companyFile(), where);
        const RouteSection& section = r.routes[route - 1];
        QCOMPARE(section.totals.receipts, sums.receipts);
        QCOMPARE(section.totals.cans, sums.cans);
        QCOMPARE(weightText(section.totals.weight), weightText(sums.weight));
        QVERIFY(qFuzzyCompare(section.totals.weight, sums.weight));
    }

    void shiftTotals()
    {
        const ShiftReport r = load();
        const QString shift = "RefDate = '2024-03-05' AND AmPm = 2";
        const Sums all = sumsOf(m_env->companyFile(), shift);
        QCOMPARE(r.overall.receipts, all.receipts);
        QCOMPARE(r.overall.receipts, 6);
        QCOMPARE(r.overall.cans, all.cans);
        QVERIFY(qFuzzyCompare(r.overall.weight, all.weight));
        // Three weights of 10.04 make 30.1, not the 30.0 of three shown 10.0.
        QCOMPARE(weightText(r.routes[0].totals.weight), "37.4");
        QCOMPARE(r.byMilkType.size(), 3);
        for (const MilkTypeLine& line : r.byMilkType) {
            const Sums sums = sumsOf(m_env->companyFile(),
                                     shift + " AND MCode = " + QString::number(line.milkType));
            QCOMPARE(line.totals.receipts, sums.receipts);
            QCOMPARE(line.totals.cans, sums.cans);
            QVERIFY(qFuzzyCompare(line.totals.weight, sums.weight));
        }
        QCOMPARE(r.byMilkType[2].milkType, 9);
        QCOMPARE(r.byMilkType[2].name, "");
    }

    void oneRoute()
    {
        const ShiftReport r = load(2);
        QCOMPARE(r.routes.size(), 1);
        QCOMPARE(r.routes[0].route, 2);
        QCOMPARE(r.overall.receipts, 2);
        QCOMPARE(weightText(r.overall.weight), "71.6");
    }

    void htmlEscapesNames()
    {
        const QString html = shiftReportHtml(load());
        QVERIFY(html.contains("Hill &amp; Dale"));
        QVERIFY(!html.contains("Hill & Dale"));
    }

    void pdfHoldsEveryFigure()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed (scripts/setup.sh installs poppler-utils)");
        const ShiftReport r = load();
        const QString pdf = m_env->root() + "/shift.pdf";
        QString error;
        QVERIFY2(writeShiftReportPdf(r, pdf, &error), qPrintable(error));
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        QStringList expected{"First Dairy", "Hilltown",       "05/Mar/2024", "AM",          "North",
                             "South",       "TR-9",           "05:45:00 AM", "06:20:00 AM", "42.5",
                             "150.75",      "late by 35 min", "06:30:00 AM", "06:45:00 AM"};
        for (const RouteSection& route : r.routes) {
            for (const ReportLine& line : route.lines) {
                // One receipt's figures on one line of the page, in column order.
                QStringList parts{QString::number(line.serial)};
                for (const QString& t :
                     {line.villageCode, line.villageName, line.animal, line.milkType,
                      cansText(line.cans), weightText(line.weight.toDouble())})
                    if (!t.isEmpty())
                        parts << QRegularExpression::escape(t);
                const QRegularExpression row("(^|\\n)\\s*" + parts.join("\\s+") + "\\s*(\\n|$)");
                QVERIFY2(row.match(shown).hasMatch(), qPrintable(parts.join(" ")));
            }
            expected << QString("Route total: %1 receipts").arg(route.totals.receipts)
                     << weightText(route.totals.weight);
        }
        for (const MilkTypeLine& line : r.byMilkType)
            expected << weightText(line.totals.weight) << line.name;
        expected << weightText(r.overall.weight) << "All milk types";
        for (const QString& figure : expected)
            QVERIFY2(shown.contains(figure), qPrintable(figure));
    }

    void pdfToAFolderThatIsNotThere()
    {
        QString error;
        QVERIFY(!writeShiftReportPdf(load(), m_env->root() + "/none/shift.pdf", &error));
        QVERIFY(error.contains("none/shift.pdf"));
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"

// The shift report: every stored receipt of the shift listed and counted, lost master rows,
// null cans, a route without a truck row, totals from the stored values; the PDF's text.
// The expected totals are summed by hand from the rows of testkit's seedShift.

#include "TestEnv.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>
#include <QtTest>

using namespace report;

namespace {
const QDate kDay(2024, 3, 5);
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
        m_env->seedShift(file);
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
        QCOMPARE(r.company + "|" + r.town, "First Dairy|Hilltown");
        QStringList routes; // each route's serials; lost masters listed with their names empty
        for (const RouteSection& route : r.routes) {
            QStringList lines;
            for (const ReportLine& l : route.lines)
                lines << QString::number(l.serial) + ' ' + l.villageCode + ' ' + l.villageName +
                             ' ' + l.animal + ' ' + l.milkType + ' ' + cansText(l.cans);
            routes << lines.join(", ");
        }
        QCOMPARE(routes, (QStringList{"1 V01 Hill & Dale Cow Whole 2, 3   Cow Whole 1, "
                                      "5 V02 Riverside Buffalo Skim 0, 6 V02 Riverside Cow Whole 1",
                                      "2 S01 Southend Buffalo Skim 3, 4 S01 Southend Cow  4"}));
        QVERIFY(r.routes[0].lines[2].cans.isNull());
    }

    void truckDetails()
    {
        const ShiftReport r = load();
        QStringList shown;
        for (const RouteSection& s : r.routes)
            shown << s.routeName + '|' + s.truckNo + '|' + s.scheduledTime + '|' + s.arrivalTime +
                         '|' + QString::number(s.tripKm) + '|' + QString::number(s.recoveryAmount) +
                         '|' + s.remarks;
        // North as entered with its second receipt (the first that carries any), not the
        // assigned vehicle nor the later trip; South with none entered shows its vehicle.
        QCOMPARE(shown,
                 (QStringList{"North|TR-9|05:45:00 AM|06:20:00 AM|42.5|150.75|late by 35 min",
                              "South|KA-02|06:30:00 AM|06:45:00 AM|0|0|"}));
    }

    void totals_data()
    {
        QTest::addColumn<QString>("part"); // "route N", "milk N" or "shift"
        QTest::addColumn<int>("receipts");
        QTest::addColumn<double>("cans");
        QTest::addColumn<double>("weight");
        // Three weights of 10.04 make 30.1 in route 1, not the 30.0 of three shown 10.0.
        QTest::newRow("route 1, null cans as 0") << "route 1" << 4 << 4.0 << 37.37;
        QTest::newRow("route 2") << "route 2" << 2 << 7.0 << 71.56;
        QTest::newRow("milk type 1") << "milk 0" << 3 << 4.0 << 27.33;
        QTest::newRow("milk type 2") << "milk 1" << 2 << 3.0 << 41.3;
        QTest::newRow("milk type 9, no row") << "milk 2" << 1 << 4.0 << 40.3;
        QTest::newRow("shift") << "shift" << 6 << 11.0 << 108.93;
    }
    void totals()
    {
        QFETCH(QString, part);
        QFETCH(int, receipts);
        QFETCH(double, cans);
        QFETCH(double, weight);
        const ShiftReport r = load();
        QCOMPARE(r.byMilkType.size(), 3);
        const int index = part.section(' ', 1).toInt();
        const Totals totals = part.startsWith("route")  ? r.routes[index - 1].totals
                              : part.startsWith("milk") ? r.byMilkType[index].totals
                                                        : r.overall;
        QCOMPARE(totals.receipts, receipts);
        QCOMPARE(totals.cans, cans);
        QVERIFY2(qFuzzyCompare(totals.weight, weight), qPrintable(QString::number(totals.weight)));
        QCOMPARE(weightText(totals.weight), weightText(weight));
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
        QCOMPARE(r.byMilkType.size(), 2); // the milk types' totals of that route alone
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

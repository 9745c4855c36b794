// The shift report: every stored receipt of the shift listed and counted, lost master rows,
// null cans, a route without a truck row, totals from the stored values; the PDF's text. The
// day summary, the village statements and the union's report of the same rows, in another
// language. On both engines.
// The expected totals are summed by hand from the rows below.

#include "TestEnv.h"
#include "datastore/ReceiptChanges.h"
#include "report/DaySummary.h"
#include "report/PageDrawer.h"
#include "report/ReceiptExport.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"
#include "report/UnionReport.h"
#include "report/VillageStatement.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTranslator>
#include <QtTest>

using namespace report;

namespace {
const QDate kDay(2024, 3, 5);

// A language in which every letter of the English text is a Devanagari one (and %1, %n stay).
class Devanagari : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        static const QRegularExpression letter("(?<!%)[A-Za-z]");
        return QString::fromUtf8(source).replace(letter, "क");
    }
};

QString pdfText(const QString& pdf, const QStringList& options = {})
{
    QProcess text;
    text.start("pdftotext", options + QStringList{pdf, "-"});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}
} // namespace

class ReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;
    datastore::Connection m_main;
    datastore::Connection m_company;

    ShiftReport load(qint64 route = 0, const QDate& date = kDay)
    {
        auto loaded = loadShiftReport(m_main, m_company, {"CO1", date, 2, route});
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
              "(2, 'South', 0), (3, 'East', 0), (4, 'Closed', 1)",
              // Route 1 has a truck row on the day; route 2 has none; route 3 has one and
              // no receipt; route 4, out of use, has one too.
              "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
              "(1, '2024-03-01', '2024-03-31', 'KA-01-7788'), "
              "(3, '2024-03-05', '2024-03-05', 'KA-03'), (4, '2024-03-01', '2024-03-31', 'KA-04')",
              "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo) VALUES "
              "(1, 'V01', 'Hill & Dale', 1), (2, 'V02', 'Riverside', 1), (3, 'S01', "
              "'Southend', 2), (4, 'E01', 'रामपुर', 3)",
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
              "(18, '2024-03-04', 2, 1, 1, 1, 1, 1, 5, 88.8, '', '', '', 0, 0, ''), "
              // Two days on, a village named in Devanagari.
              "(19, '2024-03-07', 2, 3, 4, 2, 1, 1, 3, 24.5, '', '', '', 0, 0, '')"})
            m_env->exec(file, sql);
        const bool server = testkit::TestEnv::onServer();
        m_main.ConnectionString = server ? "DSN=QUENMOOR_MAIN;" : "Data Source=" + m_env->mainFile();
        m_company.ConnectionString = server ? "DSN=QUENMOOR_CO1_2026;" : "Data Source=" + file;
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
        // North as entered with its second receipt, not the assigned vehicle; South has no
        // truck row and none entered.
        QCOMPARE(shown,
                 (QStringList{"North|TR-9|05:45:00 AM|06:20:00 AM|42.5|150.75|late by 35 min",
                              "South||06:30:00 AM|06:45:00 AM|0|0|"}));
    }

    // The truck's details come from the route's first receipt that carries any; a route with
    // none entered shows the vehicle assigned to it.
    void truckDetailsOfTheFirstReceiptCarryingThem()
    {
        datastore::StoredReceipt plain;
        plain.route = 1;
        datastore::StoredReceipt entered = plain;
        entered.truckKm = 42.5;
        entered.recoveryAmount = 150.75;
        datastore::StoredReceipt later = plain;
        later.truckKm = 7;
        later.recoveryAmount = 20;
        datastore::StoredReceipt otherRoute = plain;
        otherRoute.route = 2;
        const auto sections =
            routeSections({plain, entered, later, otherRoute}, {{1, "KA-01-7788"}});
        QCOMPARE(sections.size(), 2);
        QCOMPARE(sections[0].truckNo, "KA-01-7788");
        QCOMPARE(sections[0].tripKm, 42.5);
        QCOMPARE(sections[0].recoveryAmount, 150.75);
        QCOMPARE(sections[1].truckNo, "");
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
    }

    // The day's figures per route and shift; the routes with a vehicle that have not
    // delivered in a shift (route 1 has, route 2 has no vehicle, route 4 is out of use).
    void daySummaryOfTheRows()
    {
        const auto day = daySummary(m_company, kDay);
        QVERIFY2(day, qPrintable(day.errorText()));
        const auto figures = [](const DayFigures& f) {
            QStringList shown;
            for (const Totals& t : {f.am, f.pm, f.day})
                shown << QString("%1 %2 %3").arg(t.receipts).arg(t.cans).arg(t.weight, 0, 'f', 2);
            return shown.join(" | ");
        };
        QStringList shown;
        for (const DayRoute& r : day->routes)
            shown << QString("%1 %2 %3: ").arg(r.route).arg(r.name, r.vehicle) + figures(r.figures);
        for (const DayMilkType& m : day->byMilkType)
            shown << QString("milk %1 %2: ").arg(m.milkType).arg(m.name) + figures(m.figures);
        shown << "day: " + figures(day->overall);
        for (const NotDelivered& n : day->notDelivered)
            shown << QString("out %1 %2 %3 %4").arg(n.route).arg(n.name, n.vehicle, missingShifts(n));
        QCOMPARE(shown, (QStringList{
                            "1 North KA-01-7788: 4 4 37.37 | 1 5 99.90 | 5 9 137.27",
                            "2 South : 2 7 71.56 | 0 0 0.00 | 2 7 71.56",
                            "milk 1 Whole: 3 4 27.33 | 1 5 99.90 | 4 9 127.23",
                            "milk 2 Skim: 2 3 41.30 | 0 0 0.00 | 2 3 41.30",
                            "milk 9 : 1 4 40.30 | 0 0 0.00 | 1 4 40.30",
                            "day: 6 11 108.93 | 1 5 99.90 | 7 16 208.83",
                            "out 3 East KA-03 AM PM"}));
    }

    void villageStatements_data()
    {
        QTest::addColumn<qint64>("route");
        QTest::addColumn<QString>("village");
        QTest::addColumn<QStringList>("expected");
        // Village 77 has lost its row: listed with its code empty, first.
        const QStringList route1{"route 1 North: 6 14 226.07", "  77  : 1 1 10.04",
                                 "    2024-03-05 AM 1 1 10.04",
                                 "  1 V01 Hill & Dale: 3 12 198.74",
                                 "    2024-03-04 AM 1 5 88.80", "    2024-03-05 AM 1 2 10.04",
                                 "    2024-03-05 PM 1 5 99.90",
                                 "  2 V02 Riverside: 2 1 17.29", "    2024-03-05 AM 2 1 17.29"};
        const QStringList route2{"route 2 South: 2 7 71.56", "  3 S01 Southend: 2 7 71.56",
                                 "    2024-03-05 AM 2 7 71.56"};
        QTest::newRow("every village") << qint64(0) << QString()
                                       << QStringList{"period: 8 21 297.63"} + route1 + route2;
        QTest::newRow("one route") << qint64(2) << QString()
                                   << QStringList{"period: 2 7 71.56"} + route2;
        QTest::newRow("one village, code in other letters")
            << qint64(0) << "s01" << QStringList{"period: 2 7 71.56"} + route2;
    }
    void villageStatements()
    {
        QFETCH(qint64, route);
        QFETCH(QString, village);
        QFETCH(QStringList, expected);
        const auto got = report::villageStatements(m_company, {kDay.addDays(-1), kDay, route, village});
        QVERIFY2(got, qPrintable(got.errorText()));
        const auto figures = [](const Totals& t) {
            return QString("%1 %2 %3").arg(t.receipts).arg(t.cans).arg(t.weight, 0, 'f', 2);
        };
        QStringList shown{"period: " + figures(got->totals)};
        for (const StatementRoute& r : got->routes) {
            shown << QString("route %1 %2: ").arg(r.route).arg(r.name) + figures(r.totals);
            for (const VillageStatement& v : r.villages) {
                shown << QString("  %1 %2 %3: ").arg(v.village).arg(v.code, v.name) +
                             figures(v.totals);
                for (const StatementLine& l : v.lines)
                    shown << "    " + l.date.toString(Qt::ISODate) + ' ' + shiftName(l.shift) + ' ' +
                                 figures(l.totals);
            }
        }
        QCOMPARE(shown, expected);
    }

    // On the next day: serial 1 typed by hand, serial 2 corrected, serial 3 cancelled.
    void typedCorrectedAndCancelledReceipts()
    {
        const QDate next = kDay.addDays(1);
        m_env->exec(m_env->companyFile(),
                    "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
                    "DlySlNo, CansRecd, MWeight) VALUES (31, '2024-03-06', 2, 2, 3, 1, 1, 1, 1, 20), "
                    "(32, '2024-03-06', 2, 2, 3, 1, 1, 2, 1, 30), "
                    "(33, '2024-03-06', 2, 1, 1, 1, 1, 3, 2, 45.5)");
        QVERIFY(datastore::ensureAuditTable(m_company));
        datastore::AuditEntry typed;
        typed.refNo = 31;
        typed.refDate = next;
        typed.amPm = 2;
        QVERIFY(datastore::appendAudit(m_company, typed));
        const datastore::AuditWho who{"op", "supervisor", "spilt", "desk"};
        QVERIFY(datastore::correctReceipt(m_company, 32, {{}, {}, {}, 2.0}, who));
        QVERIFY(datastore::cancelReceipt(m_company, 33, who));

        const auto shift = loadShiftReport(m_company, {"CO1", next, 2, 0});
        QVERIFY2(shift, qPrintable(shift.errorText()));
        QStringList shown;
        for (const RouteSection& r : shift->routes) {
            shown << QString("route %1 %2: %3").arg(r.route).arg(r.routeName).arg(r.totals.weight);
            for (const ReportLine& l : r.lines)
                shown << QString("%1 %2").arg(l.serial).arg(l.mark.isNull() ? '-' : l.mark);
            for (const CancelledLine& c : r.cancelled)
                shown << QString("cancelled %1 %2 %3 %4 %5")
                             .arg(c.serial)
                             .arg(c.villageCode, c.villageName, c.reason, c.allowedBy);
        }
        // The cancelled receipt's route has nothing else that shift: listed all the same.
        QCOMPARE(shown, (QStringList{"route 1 North: 0", "cancelled 3 V01 Hill & Dale spilt supervisor",
                                     "route 2 South: 50", "1 M", "2 C"}));
        QCOMPARE(shift->overall.receipts, 2);

        const auto statement = report::villageStatements(m_company, {next, next, 0, {}});
        QVERIFY(statement);
        QCOMPARE(marksOf(statement->routes.value(0).villages.value(0).lines.value(0)), "M C");
        const auto receipts = datastore::storedReceipts(m_company, {next, next, 0, 0});
        const auto marks = datastore::receiptMarksBetween(m_company, next, next);
        QVERIFY(receipts && marks);
        const QStringList csv = receiptsCsv(*receipts, *marks).split("\r\n");
        QCOMPARE(csv.value(1).section(',', -1) + csv.value(2).section(',', -1), "manualcorrected");
    }

    void pdfHoldsEveryFigure_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("names in Latin letters")
            << kDay
            << QStringList{"First Dairy", "Hilltown",       "05/Mar/2024", "AM",          "North",
                           "South",       "TR-9",           "05:45:00 AM", "06:20:00 AM", "42.5",
                           "150.75",      "late by 35 min", "06:30:00 AM", "06:45:00 AM"};
        // Drawn in a font that has the letters, and embedded: extracted as it was stored.
        QTest::newRow("a village named in Devanagari")
            << kDay.addDays(2) << QStringList{"07/Mar/2024", "East", "रामपुर"};
    }
    void pdfHoldsEveryFigure()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, expected);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed (scripts/setup.sh installs poppler-utils)");
        const ShiftReport r = load(0, date);
        const QString pdf = m_env->root() + "/shift.pdf";
        QString error;
        QVERIFY2(writeShiftReportPdf(r, pdf, &error), qPrintable(error));
        const QString shown = pdfText(pdf, {"-layout"});
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

    // Every text of the reports goes through the translation, the names and figures do not; the
    // CSV files, read by other programs, stay as they are.
    void inTheDesksLanguage()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed (scripts/setup.sh installs poppler-utils)");
        QTest::failOnWarning(QRegularExpression(".")); // Qt's notes on fonts among them
        const auto day = daySummary(m_company, kDay);
        const auto statements =
            report::villageStatements(m_company, {kDay.addDays(-1), kDay, 0, {}});
        QVERIFY(day && statements);
        const QString csv = daySummaryCsv(*day) + statementsCsv(*statements, true);
        Devanagari language;
        QCoreApplication::installTranslator(&language);
        UnionReport centres{kDay, 2, {}, {}, {}};
        QVERIFY(addCentreYear(&centres, m_company, "north", "CO1").isEmpty());
        const QString pdf = m_env->root() + "/translated.pdf";
        QString shown = daySummaryText(*day), error;
        for (const auto& write : std::initializer_list<std::function<bool()>>{
                 [&] { return writeShiftReportPdf(load(), pdf, &error); },
                 [&] { return writeDaySummaryPdf(*day, pdf, &error); },
                 [&] { return writeStatementsPdf(*statements, pdf, &error); },
                 [&] { return writeUnionReportPdf(centres, pdf, &error); }})
            shown += write() ? pdfText(pdf) : error;
        QCOMPARE(daySummaryCsv(*day) + statementsCsv(*statements, true), csv);
        // What is left of the English is the stored names, times and dates.
        shown.remove(QRegularExpression("\\d\\d:\\d\\d:\\d\\d [AP]M|\\d\\d/Mar/\\d{4}|First Dairy|"
                                        "Hilltown|North|Southend|South|East|Hill & Dale|Riverside|"
                                        "Cow|Buffalo|Whole|Skim|late by 35 min|[A-Z]+\\S*\\d",
                                        QRegularExpression::CaseInsensitiveOption));
        QVERIFY2(!shown.contains(QRegularExpression("[A-Za-z]")), qPrintable(shown.simplified()));
    }

    // Wherever the page breaks, the caption and heading row of a table stay with its first row,
    // however tall that row.
    void tableKeepsItsCaption()
    {
        const QString pdf = m_env->root() + "/caption.pdf";
        for (int filler = 40; filler < 60; ++filler) {
            const auto draw = [filler](PageDrawer& pages) {
                for (int line = 0; line < filler; ++line)
                    pages.line("filler");
                pages.line("Caption");
                pages.beginTable({{"Heading"}, {"Reason"}});
                pages.row({"First", QString("a reason that runs onto several lines ").repeated(5)});
                pages.endTable();
            };
            QString error;
            QVERIFY2(writePdf(pdf, "t", draw, &error), qPrintable(error));
            QProcess text;
            text.start("pdftotext", {pdf, "-"});
            QVERIFY(text.waitForFinished(30000));
            for (const QString& page : QString(text.readAllStandardOutput()).split('\f'))
                QVERIFY2(page.count("Caption") + page.count("Heading") == 2 * page.count("First"),
                         qPrintable(page));
        }
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

// bench_report [repetitions]
// Builds the shift report (every statement it runs, the route sections and totals) for one
// shift of 2,000 receipts on 20 routes among 1,000,000 stored receipts and writes its PDF; then
// the village statements of 500 villages over 10 days (40,000 receipts) with their CSV and PDF.
// Each against the same statements run bare with the sqlite3 C API, stepping every row. Medians
// of the process's CPU time, so that other work on the machine does not count.

#include "Installation.h"
#include "datastore/Connection.h"
#include "report/ReportDocument.h"
#include "report/ShiftReport.h"
#include "report/VillageStatement.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <sqlite3.h>
#include <vector>

namespace {
constexpr int kStored = 1000000;
constexpr int kPerShift = 2000;
constexpr int kRoutes = 20;
constexpr int kVillages = 500;
constexpr int kStatementDays = 10;
constexpr int kDefaultReps = 31;
const QDate kDay(2024, 3, 5);

QTextStream out(stdout);

bool exec(sqlite3* db, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    out << "failed: " << message << "\n" << sql << Qt::endl;
    sqlite3_free(message);
    return false;
}

// 1,000,000 receipts, kPerShift a shift (two a day) on days running up to kDay; serials in
// order within a shift, the routes taking turns.
bool populate(const QString& file)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    const QString first = kDay.addDays(-(kStored / (2 * kPerShift)) + 1).toString(Qt::ISODate);
    const bool ok =
        exec(db, "BEGIN") &&
        exec(db, QString("WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r WHERE "
                         "x < %1) INSERT INTO Mast_Routes SELECT x, 'Route ' || x, 0 FROM r")
                     .arg(kRoutes)) &&
        exec(db, QString("WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r WHERE "
                         "x < %1) INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) "
                         "SELECT x, '2024-01-01', '2024-12-31', 'KA 01 ' || x FROM r")
                     .arg(kRoutes)) &&
        exec(db, QString("WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r WHERE "
                         "x < %1) INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, "
                         "InAct) SELECT x, 'V' || x, 'Village ' || x, x % %2 + 1, 0 FROM r")
                     .arg(kVillages)
                     .arg(kRoutes)) &&
        exec(db, "INSERT INTO Mast_Animal VALUES (1, 'Cow'), (2, 'Buffalo')") &&
        exec(db, "INSERT INTO Mast_Milk VALUES (1, 'Whole'), (2, 'Skim'), (3, 'Buffalo Milk')") &&
        exec(db, QString("WITH RECURSIVE r(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM r WHERE "
                         "x < %1) INSERT INTO Data_Wght SELECT x + 1, date('%2', '+' || (x / %3) "
                         "|| ' days'), 2 + (x / %4) % 2, x % %5 + 1, x % %6 + 1, x % 2 + 1, "
                         "x % 3 + 1, x % %4 + 1, x % 5 + 1, 20 + (x % 997) * 0.1, 1, 'seed', 0, "
                         "'06:00:00 AM', CASE WHEN x % %4 < %5 THEN 'TR ' || (x % %5) ELSE '' "
                         "END, '05:30:00 AM', '05:45:00 AM', 12, 0, '' FROM r")
                     .arg(kStored - 1)
                     .arg(first)
                     .arg(2 * kPerShift)
                     .arg(kPerShift)
                     .arg(kRoutes)
                     .arg(kVillages)) &&
        exec(db, "COMMIT") && exec(db, "ANALYZE");
    sqlite3_close(db);
    return ok;
}

// Process CPU time in ms: the machine's other work does not count (wall time would).
class CpuTimer {
public:
    CpuTimer() { restart(); }
    void restart() { m_start = now(); }
    double elapsedMs() const { return now() - m_start; }

private:
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    }
    double m_start = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The report's statements with the sqlite3 C API, every row stepped and its columns read.
int stepAll(sqlite3* db, const char* sql, const std::vector<QByteArray>& texts,
            const std::vector<int>& numbers)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    int at = 1;
    for (const QByteArray& t : texts)
        sqlite3_bind_text(stmt, at++, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    for (int n : numbers)
        sqlite3_bind_int(stmt, at++, n);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sqlite3_column_value(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

int bareQueries(sqlite3* db)
{
    const QByteArray day = kDay.toString(Qt::ISODate).toUtf8();
    int rows = stepAll(
        db,
        "SELECT d.RefNo, d.RefDate, d.AmPm, d.DlySlNo, d.RtRefNo, r.RTType, d.VRefNo, v.VCode, "
        "v.VName, d.ACode, a.AType, d.MCode, m.MType, d.CansRecd, d.MWeight, d.Uid, d.UName, "
        "d.ColTime, d.TruckNo, d.SchTime, d.ArrTime, d.TruckKMR, d.TruckRecAmt, d.TruckRemarks "
        "FROM Data_Wght d LEFT JOIN Mast_Routes r ON r.RTRefNo = d.RtRefNo "
        "LEFT JOIN Mast_Villages v ON v.VRefNo = d.VRefNo "
        "LEFT JOIN Mast_Animal a ON a.ACode = d.ACode "
        "LEFT JOIN Mast_Milk m ON m.MCode = d.MCode WHERE d.RefDate >= ? AND d.RefDate <= ? "
        "AND d.AmPm = ? ORDER BY d.RefDate, d.AmPm, d.RtRefNo, d.DlySlNo, d.RefNo",
        {day, day}, {2});
    for (int route = 1; route <= kRoutes; ++route)
        stepAll(db,
                "Select RTVehNo From Mast_RoutesSub Where SDate <= ? and EDate >= ? and "
                "RTRefNo = ?",
                {day, day}, {route});
    stepAll(db,
            "SELECT d.MCode, MAX(m.MType), COUNT(*), SUM(d.CansRecd), SUM(d.MWeight) FROM "
            "Data_Wght d LEFT JOIN Mast_Milk m ON m.MCode = d.MCode WHERE d.RefDate = ? AND "
            "d.AmPm = ? GROUP BY d.MCode ORDER BY d.MCode",
            {day}, {2});
    return rows;
}

int bareStatementQueries(sqlite3* db)
{
    const QByteArray from = kDay.addDays(1 - kStatementDays).toString(Qt::ISODate).toUtf8();
    const QByteArray to = kDay.toString(Qt::ISODate).toUtf8();
    const int rows = stepAll(db,
                             "SELECT d.RtRefNo, d.VRefNo, d.RefDate, d.AmPm, d.RefNo, d.CansRecd, "
                             "d.MWeight FROM Data_Wght d WHERE d.RefDate >= ? AND d.RefDate <= ? "
                             "ORDER BY d.RtRefNo, d.VRefNo, d.RefDate, d.AmPm",
                             {from, to}, {});
    stepAll(db,
            "SELECT VRefNo, VCode, VName FROM Mast_Villages WHERE VRefNo IN (SELECT DISTINCT "
            "VRefNo FROM Data_Wght WHERE RefDate >= ? AND RefDate <= ?)",
            {from, to}, {});
    stepAll(db, "SELECT RTRefNo, RTType FROM Mast_Routes", {}, {});
    return rows;
}

QString ms(const std::vector<double>& values)
{
    return QString("median %1 ms").arg(median(values), 0, 'f', 2);
}

QString ratio(const std::vector<double>& values, const std::vector<double>& bare)
{
    return QString::number(median(values) / median(bare), 'f', 2);
}

// The village statements of the last kStatementDays days: data, CSV, PDF, and bare.
bool benchStatements(datastore::Connection& company, sqlite3* bare, const QString& pdf, int reps)
{
    std::vector<double> data, csv, withPdf, queries;
    report::Statements statements;
    int listed = 0;
    for (int i = 0; i < reps; ++i) {
        CpuTimer t;
        auto loaded =
            report::villageStatements(company, {kDay.addDays(1 - kStatementDays), kDay, 0, {}});
        if (!loaded) {
            out << loaded.errorText() << Qt::endl;
            return false;
        }
        statements = std::move(loaded).value();
        data.push_back(t.elapsedMs());
        const QString text = report::statementsCsv(statements, true);
        csv.push_back(t.elapsedMs());
        t.restart();
        QString error;
        if (!report::writeStatementsPdf(statements, pdf, &error))
            return false;
        withPdf.push_back(data.back() + t.elapsedMs());
        t.restart();
        listed = bareStatementQueries(bare);
        queries.push_back(t.elapsedMs());
    }
    int villages = 0;
    for (const report::StatementRoute& route : statements.routes)
        villages += route.villages.size();
    out << "statements: " << villages << " villages, " << statements.totals.receipts
        << " receipts over " << kStatementDays << " days (bare statement listed " << listed
        << ")" << Qt::endl;
    out << "statement data:             " << ms(data) << Qt::endl;
    out << "statement data and CSV:     " << ms(csv) << Qt::endl;
    out << "statement data and PDF:     " << ms(withPdf) << Qt::endl;
    out << "the same statements bare:   " << ms(queries) << Qt::endl;
    out << "ratio data / bare: " << ratio(data, queries) << "; with CSV / bare: "
        << ratio(csv, queries) << "; with PDF / bare: " << ratio(withPdf, queries) << Qt::endl;
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(3, atoi(argv[1])) : kDefaultReps;
    QTemporaryDir dir;
    const QString mainFile = dir.filePath("Main.mdb");
    const QString companyFile = dir.filePath("CO1_2024.mdb");
    if (!admin::createMainDatabase(mainFile).isEmpty() ||
        !admin::createCompanyDatabase(companyFile).isEmpty())
        return 1;
    {
        sqlite3* db = nullptr;
        sqlite3_open(mainFile.toUtf8().constData(), &db);
        exec(db, "INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, Town) VALUES "
                 "('CO1', 1, 'CO1_2024', '2024-01-01', '2024-12-31', 'Bench Dairy', 'Benchtown')");
        sqlite3_close(db);
    }
    QElapsedTimer fill;
    fill.start();
    if (!populate(companyFile))
        return 1;
    out << "stored " << kStored << " receipts in " << fill.elapsed() << " ms" << Qt::endl;

    datastore::Connection main;
    datastore::Connection company;
    main.ConnectionString = "Data Source=" + mainFile;
    company.ConnectionString = "Data Source=" + companyFile;
    if (main.open() != datastore::Connection::OpenStatus::Opened ||
        company.open() != datastore::Connection::OpenStatus::Opened)
        return 1;
    sqlite3* bare = nullptr;
    sqlite3_open_v2(companyFile.toUtf8().constData(), &bare, SQLITE_OPEN_READONLY, nullptr);

    std::vector<double> data, withPdf, queries;
    report::ShiftReport shiftReport;
    const QString pdf = dir.filePath("shift.pdf");
    int listed = 0;
    for (int i = 0; i < reps; ++i) {
        CpuTimer t;
        auto loaded = report::loadShiftReport(main, company, {"CO1", kDay, 2, 0});
        if (!loaded) {
            out << loaded.errorText() << Qt::endl;
            return 1;
        }
        shiftReport = std::move(loaded).value();
        data.push_back(t.elapsedMs());
        QString error;
        if (!report::writeShiftReportPdf(shiftReport, pdf, &error)) {
            out << error << Qt::endl;
            return 1;
        }
        withPdf.push_back(t.elapsedMs());
        t.restart();
        listed = bareQueries(bare);
        queries.push_back(t.elapsedMs());
    }
    out << "shift: " << shiftReport.overall.receipts << " receipts on " << shiftReport.routes.size()
        << " routes (bare statement listed " << listed << ")" << Qt::endl;
    out << "report data (all statements, sections, totals): " << ms(data) << Qt::endl;
    out << "report data and PDF file written:               " << ms(withPdf) << Qt::endl;
    out << "the same statements bare (sqlite3 C API):       " << ms(queries) << Qt::endl;
    out << "ratio report data / bare: " << ratio(data, queries)
        << "; with PDF / bare: " << ratio(withPdf, queries) << Qt::endl;
    if (!benchStatements(company, bare, dir.filePath("statements.pdf"), reps))
        return 1;
    sqlite3_close(bare);
    return 0;
}

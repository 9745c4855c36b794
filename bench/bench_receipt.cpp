// bench_receipt [repetitions]
// The time one receipt takes to write (BEGIN IMMEDIATE, both next numbers, the row, COMMIT)
// through writeReceipt, at 1,000 and at 1,000,000 stored receipts, and the same statements
// run bare with the sqlite3 C API on the same file. Medians over the repetitions, which
// alternate between the two so that both meet the same disk.

#include "Installation.h"
#include "datastore/Connection.h"
#include "weighing/Receipt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kPerShift = 300; // receipts a shift on the seeded days
constexpr int kDefaultReps = 201;
constexpr int kWarmUp = 20;
const QDate kLastDay(2024, 3, 5);

QTextStream out(stdout);

bool check(int rc, sqlite3* db, const char* what)
{
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW)
        return true;
    out << what << ": " << sqlite3_errmsg(db) << Qt::endl;
    return false;
}

// Stored receipts laid out as a desk leaves them: kPerShift a shift, two shifts a day, days
// running up to kLastDay, RefNo 1.. in order.
bool populate(const QString& file, int count)
{
    sqlite3* db = nullptr;
    if (!check(sqlite3_open(file.toUtf8().constData(), &db), db, "open"))
        return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(
              db,
              "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, "
              "CansRecd, MWeight, RtRefNo, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, "
              "TruckKMR, TruckRecAmt, TruckRemarks) VALUES (?, ?, ?, 1, ?, ?, 1, 2, 80.5, ?, 1, "
              "'seed', 0, '06:00:00 AM', 'KA 01 7788', '05:30:00 AM', '05:45:00 AM', 12, 0, '')",
              -1, &insert, nullptr),
          db, "prepare");
    const int perDay = 2 * kPerShift;
    const int days = (count + perDay - 1) / perDay;
    const QDate first = kLastDay.addDays(-(days - 1));
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        const int day = i / perDay;
        const int shift = (i % perDay) < kPerShift ? 2 : 3;
        const int serial = i % kPerShift + 1;
        const QByteArray date = first.addDays(day).toString(Qt::ISODate).toLatin1();
        sqlite3_bind_int(insert, 1, i + 1);
        sqlite3_bind_text(insert, 2, date.constData(), date.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 3, shift);
        sqlite3_bind_int(insert, 4, serial);
        sqlite3_bind_int(insert, 5, serial % 50 + 1);
        sqlite3_bind_int(insert, 6, serial % 7 + 1);
        ok = check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
    return ok;
}

weighing::ReceiptEntry entryFor(int shift)
{
    weighing::ReceiptEntry e;
    e.date = kLastDay;
    e.shift = shift;
    e.route = 3;
    e.village = 17;
    e.animal = 1;
    e.milk = 1;
    e.cans = 3;
    e.weight = 120.5;
    e.uid = 1;
    e.uname = QStringLiteral("bench");
    e.colTime = QTime(14, 30, 5);
    e.truckNo = QStringLiteral(" AB 12 ");
    e.schTime = QTime(6, 15, 0);
    e.arrTime = QTime(7, 5, 9);
    e.truckKmr = 42.5;
    e.truckRecAmt = 0;
    e.truckRemarks = QStringLiteral("  ");
    return e;
}

// The same statements without the layer, each prepared as the layer prepares it.
class Bare {
public:
    explicit Bare(const QString& file)
    {
        sqlite3_open(file.toUtf8().constData(), &m_db);
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~Bare() { sqlite3_close(m_db); }
    void noDiskWait() { run("PRAGMA synchronous = OFF"); }

    bool write(int shift)
    {
        if (!run("BEGIN IMMEDIATE"))
            return false;
        const qint64 refNo = maxOf("SELECT Max(RefNo) AS N FROM Data_Wght", nullptr, 0) + 1;
        const QByteArray date = kLastDay.toString(Qt::ISODate).toLatin1();
        const qint64 dlySlNo = maxOf("SELECT Max(DlySlNo) AS N FROM Data_Wght "
                                     "WHERE RefDate = ? AND AmPm = ?",
                                     &date, shift) +
                               1;
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(
            m_db,
            "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, CansRecd, "
            "MWeight, RtRefNo, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, TruckKMR, "
            "TruckRecAmt, TruckRemarks) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?)",
            -1, &insert, nullptr);
        int i = 0;
        sqlite3_bind_int64(insert, ++i, refNo);
        sqlite3_bind_text(insert, ++i, date.constData(), date.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, ++i, shift);
        sqlite3_bind_int(insert, ++i, 1);
        sqlite3_bind_int64(insert, ++i, dlySlNo);
        sqlite3_bind_double(insert, ++i, 17);
        sqlite3_bind_int(insert, ++i, 1);
        sqlite3_bind_double(insert, ++i, 3);
        sqlite3_bind_double(insert, ++i, 120.5);
        sqlite3_bind_int(insert, ++i, 3);
        sqlite3_bind_int(insert, ++i, 1);
        sqlite3_bind_text(insert, ++i, "bench", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, ++i, 0);
        sqlite3_bind_text(insert, ++i, "02:30:05 PM", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, ++i, "AB 12", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, ++i, "06:15:00 AM", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, ++i, "07:05:09 AM", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, ++i, 42.5);
        sqlite3_bind_double(insert, ++i, 0);
        sqlite3_bind_text(insert, ++i, "", -1, SQLITE_STATIC);
        const bool stored = check(sqlite3_step(insert), m_db, "bare insert");
        sqlite3_finalize(insert);
        if (!stored) {
            run("ROLLBACK");
            return false;
        }
        return run("COMMIT");
    }

private:
    bool run(const char* sql)
    {
        return check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), m_db, sql);
    }

    qint64 maxOf(const char* sql, const QByteArray* date, int shift)
    {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        if (date) {
            sqlite3_bind_text(stmt, 1, date->constData(), date->size(), SQLITE_TRANSIENT);
            sqlite3_bind_int(stmt, 2, shift);
        }
        qint64 value = 0;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    }

    sqlite3* m_db = nullptr;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool runAt(int stored, int reps)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/BENCH_2024.mdb");
    const QString made = admin::createCompanyDatabase(file);
    if (!made.isEmpty()) {
        out << "could not create the database: " << made << Qt::endl;
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    if (!populate(file, stored))
        return false;
    // The filling's pages go to disk before timing starts, not into the first commits' waits.
    ::sync();
    out << "\n"
        << stored << " stored receipts (filled in " << clock.elapsed() << " ms)" << Qt::endl;

    datastore::Connection con;
    con.ConnectionString = QStringLiteral("Data Source=") + file + QStringLiteral(";");
    if (con.open() != datastore::Connection::OpenStatus::Opened) {
        out << "could not open: " << con.lastError() << Qt::endl;
        return false;
    }
    Bare bare(file);
    const weighing::ReceiptEntry entry = entryFor(2);
    for (int i = 0; i < kWarmUp; ++i)
        if (!weighing::writeReceipt(con, entry).ok() || !bare.write(2))
            return false;

    for (const bool waitForDisk : {true, false}) {
        if (!waitForDisk) {
            // The statements' own work, which is what grows with the table; the commit's wait
            // for the disk depends on the machine and on everything else writing to it.
            con.run(QStringLiteral("PRAGMA synchronous = OFF"));
            bare.noDiskWait();
        }
        std::vector<double> layered, direct, withOpening;
        for (int i = 0; i < reps; ++i) {
            clock.restart();
            const weighing::WriteResult result = weighing::writeReceipt(con, entry);
            layered.push_back(clock.nsecsElapsed() / 1e6);
            if (!result.ok()) {
                out << "writeReceipt failed: " << result.errorText() << Qt::endl;
                return false;
            }

            clock.restart();
            if (!bare.write(2))
                return false;
            direct.push_back(clock.nsecsElapsed() / 1e6);

            if (!waitForDisk)
                continue;
            // As the window's Save_Data does it: a connection of its own for every receipt.
            clock.restart();
            {
                datastore::Connection own;
                own.ConnectionString = con.ConnectionString;
                own.open();
                if (!weighing::writeReceipt(own, entry).ok())
                    return false;
            }
            withOpening.push_back(clock.nsecsElapsed() / 1e6);
        }

        const double mLayered = median(layered);
        const double mDirect = median(direct);
        out << (waitForDisk ? "  as stored (synchronous FULL, commit waits for the disk)\n"
                            : "  statements only (synchronous OFF on both)\n")
            << QStringLiteral("    writeReceipt on an open connection  median %1 ms\n"
                              "    bare sqlite3, same statements       median %2 ms\n"
                              "    ratio                               %3\n")
                   .arg(mLayered, 0, 'f', 3)
                   .arg(mDirect, 0, 'f', 3)
                   .arg(mLayered / mDirect, 0, 'f', 2);
        if (waitForDisk)
            out << QStringLiteral("    open + writeReceipt + close         median %1 ms\n")
                       .arg(median(withOpening), 0, 'f', 3);
        out.flush();
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(1, atoi(argv[1])) : kDefaultReps;
    out << "bench_receipt: " << reps << " receipts each way, SQLite " << sqlite3_libversion()
        << Qt::endl;
    for (int stored : {1000, 1000000})
        if (!runAt(stored, reps))
            return 1;
    return 0;
}

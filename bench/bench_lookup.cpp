// How long the operator waits: one keystroke in the village lookup (requery and refill of the
// list) at 50,000 villages with 2,000 on the route, and one reload of the receipts grid with
// 500 receipts on the shift's route in a table of 1,000,000. Each figure is the median of
// repeated runs, beside the bare SQLite statement that does the same reading.
//
// Usage: bench_lookup [runs]   (builds its data in a temporary folder, then prints figures)

#include "Installation.h"
#include "datastore/Connection.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"
#include "weighing/VillageLookup.h"
#include "weighing/VillageSearch.h"
#include "weighing/frm_Data.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {
constexpr int kVillages = 50000;
constexpr int kRoutes = 25; // 2,000 villages on each
constexpr int kReceipts = 1000000;
constexpr int kReceiptsPerShift = 1250; // 500 of them on route 1
constexpr int kRouteReceiptsPerShift = 500;
const QDate kFirstDay(2023, 6, 1);
const QDate kBenchDay(2024, 3, 5);

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "bench_lookup: %s\n", qPrintable(what));
    std::exit(1);
}

void check(sqlite3* db, int rc, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QStringLiteral("%1: %2").arg(QLatin1String(what),
                                          QString::fromUtf8(sqlite3_errmsg(db))));
}

QString syllables(QRandomGenerator& random, int count)
{
    static const char* const parts[] = {"ka", "ra", "ma",  "pur", "gan", "vel",
                                        "li", "to", "sha", "dev", "nag", "ur",
                                        "bo", "ti", "san", "kol", "har", "ve"};
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1String(parts[random.bounded(int(std::size(parts)))]);
    text[0] = text[0].toUpper();
    return text;
}

// Masters and receipts, written with one prepared statement each inside one transaction.
void fillCompany(const QString& file)
{
    sqlite3* db = nullptr;
    check(db, sqlite3_open(file.toUtf8().constData(), &db), "open");
    check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), "begin");
    const auto run = [db](const char* sql) {
        check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
    };
    run("INSERT INTO Mast_Animal (ACode, AType) VALUES (1,'Cow'),(2,'Buffalo'),(3,'Mixed')");
    run("INSERT INTO Mast_Milk (MCode, MType) VALUES (1,'Whole'),(2,'Skim')");
    for (int route = 1; route <= kRoutes; ++route) {
        const QByteArray sql = QStringLiteral("INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) "
                                              "VALUES (%1, 'Route %1', 0)")
                                   .arg(route)
                                   .toUtf8();
        run(sql.constData());
    }

    QRandomGenerator random(42);
    sqlite3_stmt* village = nullptr;
    check(db,
          sqlite3_prepare_v2(db,
                             "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, "
                             "InAct) VALUES (?,?,?,?,?)",
                             -1, &village, nullptr),
          "prepare");
    for (int ref = 1; ref <= kVillages; ++ref) {
        const int route = 1 + (ref - 1) % kRoutes;
        const QByteArray code = QByteArray::number(100 + random.bounded(9900));
        const QByteArray name = syllables(random, 2 + random.bounded(2)).toUtf8();
        sqlite3_bind_int(village, 1, ref);
        sqlite3_bind_text(village, 2, code.constData(), int(code.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(village, 3, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(village, 4, route);
        sqlite3_bind_int(village, 5, random.bounded(20) == 0 ? 1 : 0);
        check(db, sqlite3_step(village), "village");
        sqlite3_reset(village);
    }
    sqlite3_finalize(village);

    sqlite3_stmt* receipt = nullptr;
    check(db,
          sqlite3_prepare_v2(db,
                             "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, "
                             "ACode, MCode, DlySlNo, CansRecd, MWeight, Uid, UName, Stat, "
                             "ColTime, TruckNo, SchTime, ArrTime, TruckKMR, TruckRecAmt, "
                             "TruckRemarks) VALUES (?,?,?,?,?,?,?,?,?,?,1,'bench',0,"
                             "'07:00:00 AM','KA01','06:00:00 AM','06:30:00 AM',0,0,'')",
                             -1, &receipt, nullptr),
          "prepare");
    int refNo = 0;
    for (int shift = 0; refNo < kReceipts; ++shift) {
        const QByteArray date = kFirstDay.addDays(shift / 2).toString(Qt::ISODate).toUtf8();
        for (int i = 0; i < kReceiptsPerShift && refNo < kReceipts; ++i) {
            const int route = i < kRouteReceiptsPerShift ? 1 : 2 + i % (kRoutes - 1);
            const int villageRef = route + kRoutes * random.bounded(kVillages / kRoutes);
            const int cans = 1 + random.bounded(6);
            sqlite3_bind_int(receipt, 1, ++refNo);
            sqlite3_bind_text(receipt, 2, date.constData(), int(date.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(receipt, 3, 2 + shift % 2);
            sqlite3_bind_int(receipt, 4, route);
            sqlite3_bind_int(receipt, 5, villageRef);
            sqlite3_bind_int(receipt, 6, 1 + random.bounded(3));
            sqlite3_bind_int(receipt, 7, 1 + random.bounded(2));
            sqlite3_bind_int(receipt, 8, i + 1);
            sqlite3_bind_double(receipt, 9, cans);
            sqlite3_bind_double(receipt, 10, cans * (20.0 + random.bounded(2500) / 100.0));
            check(db, sqlite3_step(receipt), "receipt");
            sqlite3_reset(receipt);
        }
    }
    sqlite3_finalize(receipt);
    check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    check(db, sqlite3_exec(db, "ANALYZE", nullptr, nullptr, nullptr), "analyze");
    sqlite3_close(db);
}

struct Figure {
    double medianMs = 0;
    double minMs = 0;
};

Figure measure(int runs, const std::function<void()>& before, const std::function<void()>& body)
{
    std::vector<double> times;
    times.reserve(std::size_t(runs));
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        clock.start();
        body();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

void printFigure(const char* what, int rows, const Figure& window, const Figure& bare)
{
    std::printf("%-44s %5d rows  window %8.3f ms  bare %7.3f ms  ratio %5.1f\n", what, rows,
                window.medianMs, bare.medianMs, window.medianMs / bare.medianMs);
}

sqlite3* handleOf(const datastore::Connection& con)
{
    const QVariant handle = con.database().driver()->handle();
    return *static_cast<sqlite3* const*>(handle.data());
}

// The lookup's statement, prepared once, bound and read to the end: the engine's own cost.
std::function<void()> bareLookup(sqlite3* db, sqlite3_stmt*& statement, const QString& field,
                                 const QString& typed, int* rows)
{
    check(db,
          sqlite3_prepare_v2(db, villagesearch::statement(field).toUtf8().constData(), -1,
                             &statement, nullptr),
          "prepare lookup");
    const QByteArray prefix = villagesearch::likePrefix(typed).toUtf8();
    return [db, statement, prefix, rows] {
        sqlite3_reset(statement);
        sqlite3_bind_int(statement, 1, 1);
        sqlite3_bind_text(statement, 2, prefix.constData(), int(prefix.size()), SQLITE_STATIC);
        int count = 0;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int c = 0; c < 4; ++c)
                sqlite3_column_text(statement, c);
            ++count;
        }
        check(db, rc, "lookup");
        *rows = count;
    };
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (!dir.isValid())
        fail(QStringLiteral("no temporary folder"));
    // Nothing of the real user's settings is read or written.
    qputenv("ODBCINI", QDir(dir.path()).filePath("odbc.ini").toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(dir.path()).filePath("config").toUtf8());
    qputenv("HOME", dir.path().toUtf8());
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, atoi(argv[1])) : 201;
    platform::setRunningCopyName(
        QStringLiteral("tarvolen-bench-%1").arg(QCoreApplication::applicationPid()));
    platform::setMessageHandler(
        [](const platform::Message& m) { fail(QStringLiteral("message: ") + m.text); });
    platform::setEndHandler([] { fail(QStringLiteral("the program was ended")); });

    const QString dataRoot = QDir(dir.path()).filePath("data");
    QDir().mkpath(dataRoot + "/DataBas");
    const QString file = dataRoot + "/DataBas/BENCH.mdb";
    std::printf("building %d villages and %d receipts in %s ...\n", kVillages, kReceipts,
                qPrintable(dir.path()));
    std::fflush(stdout);
    QElapsedTimer building;
    building.start();
    const QString error = admin::createCompanyDatabase(file);
    if (!error.isEmpty())
        fail(error);
    fillCompany(file);
    std::printf("built in %.1f s\n\n", double(building.elapsed()) / 1000.0);

    Gen_ServerPath = dataRoot;
    Gen_DbPwd = DbPassword();
    Gen_DbMst = QStringLiteral("BENCH");
    Gen_AmPm = 2;
    if (!Set_MstDsn())
        fail(QStringLiteral("the data source could not be registered"));

    frm_Data window;
    window.show();
    if (!window.Form_Load(kBenchDay, formkit::Shift::Am))
        fail(QStringLiteral("the window did not load"));
    QCoreApplication::processEvents();

    datastore::Connection bare;
    if (!OpenMst(bare))
        fail(QStringLiteral("no connection"));
    sqlite3* db = handleOf(bare);

    // The lookup: the panel is open on route 1, the operator types into a search box.
    auto* code = window.findChild<QLineEdit*>(QStringLiteral("txtItemCode"));
    auto* name = window.findChild<QLineEdit*>(QStringLiteral("txtItemName"));
    auto* list = window.findChild<QTableView*>(QStringLiteral("dbList"));
    auto* lookup = window.findChild<VillageLookup*>(QStringLiteral("fmVill"));
    lookup->open(VillageLookup::FromCode, QString(), 1);
    std::printf("village lookup, one keystroke (median of %d):\n", runs);
    struct Case {
        const char* what;
        QLineEdit* box;
        QString field;
        QString typed;
    };
    const Case cases[] = {
        {"code \"1\" (first key)", code, QStringLiteral("VCode"), QStringLiteral("1")},
        {"code \"12\"", code, QStringLiteral("VCode"), QStringLiteral("12")},
        {"code \"123\"", code, QStringLiteral("VCode"), QStringLiteral("123")},
        {"name \"K\" (first key)", name, QStringLiteral("VName"), QStringLiteral("K")},
        {"name \"Kar\"", name, QStringLiteral("VName"), QStringLiteral("Kar")},
        {"name \"Karapur\" (no such village)", name, QStringLiteral("VName"),
         QStringLiteral("Karapur")},
        {"empty box (whole route)", code, QStringLiteral("VCode"), QString()},
    };
    for (const Case& c : cases) {
        // Each run starts from another text, so that the box reports a change as typing does.
        const auto away = [&c] { c.box->setText(QStringLiteral("~")); };
        const Figure keystroke = measure(runs, away, [&c] { c.box->setText(c.typed); });
        const int rows = list->model()->rowCount();
        const Figure painted = measure(std::max(5, runs / 4), away, [&c] {
            c.box->setText(c.typed);
            QCoreApplication::processEvents();
        });
        sqlite3_stmt* statement = nullptr;
        int bareRows = 0;
        const Figure engine =
            measure(runs, {}, bareLookup(db, statement, c.field, c.typed, &bareRows));
        sqlite3_finalize(statement);
        if (bareRows != rows)
            fail(QStringLiteral("%1: the list shows %2 rows, the statement %3")
                     .arg(QLatin1String(c.what))
                     .arg(rows)
                     .arg(bareRows));
        printFigure(c.what, rows, keystroke, engine);
        std::printf("%-44s %5s       with repaint %8.3f ms\n", "", "", painted.medianMs);
    }
    lookup->cmdCan_Click();

    // The grid: route 1 is chosen; its shift holds 500 receipts among 1,000,000.
    const int gridRuns = std::max(5, runs / 7);
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("fgLIst"));
    const Figure reload = measure(gridRuns, {}, [&window] { window.Load_Into_Grid(); });
    const int gridRows = grid->rowCount();
    const Figure reloadPainted = measure(gridRuns, {}, [&window] {
        window.Load_Into_Grid();
        QCoreApplication::processEvents();
    });
    const QByteArray gridSql =
        QStringLiteral(
            "SELECT Data_Wght.RefNo,Data_Wght.CansRecd, Mast_Villages.VCode,DlySlNo, "
            "Mast_Villages.VName, Mast_Animal.AType, Mast_Milk.MType, Data_Wght.MWeight , "
            "Mast_Routes.RTType FROM (((Data_Wght INNER JOIN Mast_Villages ON "
            "Data_Wght.VRefNo = Mast_Villages.VRefNo) INNER JOIN Mast_Animal ON "
            "Data_Wght.ACode = Mast_Animal.ACode) INNER JOIN Mast_Milk ON Data_Wght.MCode "
            "= Mast_Milk.MCode) INNER JOIN Mast_Routes ON Data_Wght.RTRefNo = "
            "Mast_Routes.RTRefNo Where RefDate = CDate('05/Mar/2024') and AMPM = 2 and "
            "Data_Wght.RtRefNo = 1 Order by DlySlNo Desc")
            .toUtf8();
    int bareGridRows = 0;
    const Figure gridEngine = measure(gridRuns, {}, [&] {
        sqlite3_stmt* statement = nullptr;
        check(db, sqlite3_prepare_v2(db, gridSql.constData(), -1, &statement, nullptr),
              "prepare grid");
        int count = 0;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int c = 0; c < 9; ++c)
                sqlite3_column_text(statement, c);
            ++count;
        }
        check(db, rc, "grid");
        sqlite3_finalize(statement);
        bareGridRows = count;
    });
    if (bareGridRows != gridRows || gridRows != kRouteReceiptsPerShift)
        fail(QStringLiteral("the grid shows %1 rows, the statement %2")
                 .arg(gridRows)
                 .arg(bareGridRows));
    std::printf("\nreceipts grid, one Load_Into_Grid (median of %d):\n", gridRuns);
    printFigure("route's shift among 1,000,000 receipts", gridRows, reload, gridEngine);
    std::printf("%-44s %5s       with repaint %8.3f ms\n", "", "", reloadPainted.medianMs);

    bare.close();
    return 0;
}

// bench_server postgresql://USER@HOST:PORT [repetitions]
// On a PostgreSQL server, in a company database of 1,000,000 receipts and 50,000 villages
// (25 routes of 2,000): one receipt written through writeReceipt (BEGIN, the table lock, both
// next numbers, the row, COMMIT) and one lookup keystroke (the lookup's statement, every row
// read), each against the same statements run bare through libpq in the same run. Medians;
// the two sides alternate so that both meet the same server.

#include "ServerDatabases.h"
#include "datastore/Connection.h"
#include "datastore/GenState.h"
#include "weighing/Receipt.h"
#include "weighing/VillageSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>
#include <vector>

namespace {
constexpr int kVillages = 50000;
constexpr int kRoutes = 25;
constexpr int kReceipts = 1000000;
constexpr int kPerShift = 1250;
const QDate kDay(2024, 3, 5);

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool ok(PGresult* result, PGconn* conn, const char* what)
{
    const auto status = PQresultStatus(result);
    const bool good = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!good)
        std::fprintf(stderr, "%s: %s\n", what, PQerrorMessage(conn));
    PQclear(result);
    return good;
}

// The seeded data, made on the server itself.
QStringList seed()
{
    return {
        QStringLiteral("INSERT INTO Mast_Routes SELECT r, 'Route ' || r, 0 FROM "
                       "generate_series(1, %1) r")
            .arg(kRoutes),
        QStringLiteral(
            "INSERT INTO Mast_Villages SELECT v, 'V' || v, "
            "(ARRAY['Amba','Bela','Chandra','Devi','Esha'])[1 + ((v - 1) / %1) %% 5] || ' ' || v, "
            "1 + (v - 1) %% %1, 0 FROM generate_series(1, %2) v")
            .arg(kRoutes)
            .arg(kVillages)
            .replace(QStringLiteral("%%"), QStringLiteral("%")),
        QStringLiteral("INSERT INTO Mast_Animal VALUES (1, 'Cow')"),
        QStringLiteral("INSERT INTO Mast_Milk VALUES (1, 'Whole')"),
        QStringLiteral(
            "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, DlySlNo, "
            "CansRecd, MWeight, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, TruckKMR, "
            "TruckRecAmt, TruckRemarks) SELECT i, DATE '%1' - ((%2 - i) / (2 * %3))::int, "
            "CASE WHEN (i / %3) % 2 = 0 THEN 2 ELSE 3 END, 1 + i % %4, 1 + i % %5, 1, 1, "
            "1 + i % %3, 2, 80.5, 1, 'seed', 0, '06:00:00 AM', 'KA 01', '05:30:00 AM', "
            "'05:45:00 AM', 12, 0, '' FROM generate_series(1, %2) i")
            .arg(kDay.addDays(-1).toString(Qt::ISODate))
            .arg(kReceipts)
            .arg(kPerShift)
            .arg(kRoutes)
            .arg(kVillages),
    };
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString error;
    const auto server = admin::parseServerUrl(app.arguments().value(1), &error);
    if (!server) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    const int reps = std::max(11, app.arguments().value(2).toInt());
    QTemporaryDir dir;
    qputenv("ODBCINI", (dir.path() + "/odbc.ini").toUtf8());
    const QString database = QStringLiteral("bench_%1").arg(QCoreApplication::applicationPid());
    std::printf("building %d villages and %d receipts in %s ...\n", kVillages, kReceipts,
                qPrintable(database));
    if (!(error = admin::createServerDatabase(*server, database, admin::ServerSchema::Company))
             .isEmpty() ||
        !(error = admin::execOnServer(admin::serverSource(*server, database), seed())).isEmpty() ||
        !(error = admin::execOnServer(admin::serverSource(*server, database), {"ANALYZE"}))
             .isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        admin::dropServerDatabase(*server, database);
        return 1;
    }
    platform::writeServerDsn("QUENMOOR_BENCH", admin::serverSource(*server, database));

    datastore::Connection con;
    con.ConnectionString = "DSN=QUENMOOR_BENCH;";
    const QByteArray info = QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5")
                                .arg(server->host)
                                .arg(server->port)
                                .arg(database, server->user, server->password)
                                .toUtf8();
    PGconn* bare = PQconnectdb(info.constData());
    if (con.open() != datastore::Connection::OpenStatus::Opened ||
        PQstatus(bare) != CONNECTION_OK) {
        std::fprintf(stderr, "cannot connect: %s %s\n", qPrintable(con.lastError()),
                     PQerrorMessage(bare));
        return 1;
    }

    weighing::ReceiptEntry entry;
    entry.date = kDay;
    entry.shift = 2;
    entry.route = 1;
    entry.village = 1;
    entry.animal = 1;
    entry.milk = 1;
    entry.cans = 2;
    entry.weight = 80.5;
    const std::function<bool()> deskWrite = [&] {
        return weighing::writeReceipt(con, entry).ok();
    };
    const std::function<bool()> bareWrite = [&] {
        const QByteArray date = kDay.toString(Qt::ISODate).toUtf8();
        const char* dateParam[] = {date.constData()};
        if (!ok(PQexec(bare, "BEGIN"), bare, "begin") ||
            !ok(PQexec(bare, "LOCK TABLE Data_Wght IN EXCLUSIVE MODE"), bare, "lock"))
            return false;
        PGresult* ref = PQexec(bare, "SELECT max(RefNo) FROM Data_Wght");
        const QByteArray refNo = QByteArray::number(QByteArray(PQgetvalue(ref, 0, 0)).toInt() + 1);
        PQclear(ref);
        PGresult* serial =
            PQexecParams(bare, "SELECT max(DlySlNo) FROM Data_Wght WHERE RefDate = $1 AND AmPm = 2",
                         1, nullptr, dateParam, nullptr, nullptr, 0);
        const QByteArray dly = QByteArray::number(QByteArray(PQgetvalue(serial, 0, 0)).toInt() + 1);
        PQclear(serial);
        const char* values[] = {refNo.constData(), date.constData(), dly.constData()};
        return ok(PQexecParams(bare,
                               "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, ACode, DlySlNo, "
                               "VRefNo, MCode, CansRecd, MWeight, RtRefNo, Uid, UName, Stat, "
                               "ColTime, TruckNo, SchTime, ArrTime, TruckKMR, TruckRecAmt, "
                               "TruckRemarks) VALUES ($1, $2, 2, 1, $3, 1, 1, 2, 80.5, 1, 0, '', "
                               "0, '09:00:00 AM', '', '12:00:00 AM', '12:00:00 AM', 0, 0, '')",
                               3, nullptr, values, nullptr, nullptr, 0),
                  bare, "insert") &&
               ok(PQexec(bare, "COMMIT"), bare, "commit");
    };

    const QString lookup = villagesearch::statement("VName", true);
    const QString typed = "Amba 1";
    int deskRows = 0;
    const std::function<bool()> deskKey = [&] {
        QSqlQuery query(con.database());
        query.prepare(lookup);
        query.bindValue(":route", 1);
        query.bindValue(":prefix", villagesearch::likePrefix(typed));
        if (!query.exec())
            return false;
        deskRows = 0;
        while (query.next())
            ++deskRows;
        return true;
    };
    QString bareLookup = lookup;
    bareLookup.replace(":route", "$1").replace(":prefix", "$2");
    const QByteArray bareStatement = bareLookup.toUtf8();
    const QByteArray prefix = villagesearch::likePrefix(typed).toUtf8();
    int bareRows = 0;
    const std::function<bool()> bareKey = [&] {
        const char* values[] = {"1", prefix.constData()};
        PGresult* result =
            PQexecParams(bare, bareStatement.constData(), 2, nullptr, values, nullptr, nullptr, 0);
        bareRows = PQntuples(result);
        return ok(result, bare, "lookup");
    };

    const auto measure = [reps](const std::function<bool()>& a, const std::function<bool()>& b,
                                std::vector<double>* ta, std::vector<double>* tb) {
        QElapsedTimer timer;
        for (int i = 0; i < reps; ++i) {
            for (int side = 0; side < 2; ++side) {
                timer.start();
                if (!(side == i % 2 ? a : b)())
                    return false;
                (side == i % 2 ? ta : tb)->push_back(timer.nsecsElapsed() / 1e6);
            }
        }
        return true;
    };
    std::vector<double> deskWrites, bareWrites, deskKeys, bareKeys;
    const bool measured = measure(deskWrite, bareWrite, &deskWrites, &bareWrites) &&
                          measure(deskKey, bareKey, &deskKeys, &bareKeys);
    PQfinish(bare);
    con.close();
    admin::dropServerDatabase(*server, database);
    if (!measured)
        return 1;
    const double w = medianOf(deskWrites), bw = medianOf(bareWrites);
    const double k = medianOf(deskKeys), bk = medianOf(bareKeys);
    std::printf(
        "receipt write: desk %.3f ms, bare libpq %.3f ms, ratio %.2f (goal < 15 ms, < 2x)\n", w, bw,
        w / bw);
    std::printf("lookup keystroke (%d rows): desk %.3f ms, bare libpq %.3f ms, ratio %.2f "
                "(goal < 2 ms)\n",
                deskRows, k, bk, k / bk);
    return 0;
}

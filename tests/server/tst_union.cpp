// A union of centres: two centres and the union, each on a server of this test's own with the
// settings logical replication needs; desks at the centres write receipts through the desk's own
// receipt writing, the tool publishes, subscribes, reports and removes.

#include "../tools/AdminRun.h"
#include "OwnServer.h"
#include "TestEnv.h"
#include "datastore/Connection.h"
#include "report/ReceiptExport.h"
#include "report/ShiftReport.h"
#include "weighing/Receipt.h"

#include <QDeadlineTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QThread>
#include <functional>
#include <memory>
#include <thread>

using admintest::Run;

namespace {
const QStringList kReplicationSettings = {"wal_level=logical",
                                          "max_replication_slots=16",
                                          "max_wal_senders=16",
                                          "max_worker_processes=32",
                                          "max_logical_replication_workers=16",
                                          "wal_retrieve_retry_interval=200ms",
                                          "log_statement=all",
                                          "wal_sender_timeout=5s",
                                          "wal_receiver_timeout=5s"};
const QDate kDay(2026, 3, 5);
const QStringList kYears = {"dairy1_2025", "dairy1_2026", "dairy2_2026"};

// Rows of a statement on a database of a server, a row a line, its fields joined by '|'.
QString rows(const admin::ServerAddress& server, const QString& database, const QString& sql)
{
    datastore::Connection con;
    if (con.open(admin::serverSource(server, database)) !=
        datastore::Connection::OpenStatus::Opened)
        return con.lastError();
    auto query = con.exec(sql);
    if (!query)
        return query.errorText();
    QStringList lines;
    while (query->next()) {
        QStringList fields;
        for (int i = 0; i < query->record().count(); ++i)
            fields << query->value(i).toString();
        lines << fields.join('|');
    }
    return lines.join('\n');
}

// Every receipt by its RefNo with what a correction changes; the count and the distinct
// RefNos first, so that a receipt lost or doubled shows.
QString receipts(const admin::ServerAddress& server, const QString& database)
{
    return rows(server, database,
                "SELECT count(*), count(DISTINCT RefNo), string_agg(RefNo || ':' || VRefNo || ':' "
                "|| CansRecd || ':' || MWeight, ',' ORDER BY RefNo) FROM Data_Wght");
}

// Checks until the condition holds or the time is up, the checking itself counted.
bool eventually(const std::function<bool()>& holds, int seconds = 30)
{
    const QDeadlineTimer deadline(seconds * 1000);
    while (!holds()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// Runs job(0) ... job(count - 1) at once and waits for all: servers start and stop and centres
// are made side by side.
void together(int count, const std::function<void(int)>& job)
{
    std::vector<std::thread> running;
    for (int i = 0; i < count; ++i)
        running.emplace_back(job, i);
    for (std::thread& job : running)
        job.join();
}

struct Centre {
    Centre(const QString& centreName, const testkit::OwnServer& own) : name(centreName), server(own)
    {
        env.insert("ODBCINI", home.path() + "/odbc.ini");
        env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    }
    QString name;
    const testkit::OwnServer& server;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString passwordFile() const { return home.path() + "/role.pw"; }
    QString centreUrl() const
    {
        return "postgresql://tarvolen_union@127.0.0.1:" + QString::number(server.address().port);
    }
    Run admin(const QStringList& arguments) const
    {
        return admintest::runAdmin(arguments, {}, env);
    }
    // One desk's Add, as the weighing window stores it.
    qint32 add(const QString& database, const QDate& date, qint32 village, double weight) const
    {
        datastore::Connection con;
        con.open(admin::serverSource(server.address(), database));
        weighing::ReceiptEntry entry;
        entry.date = date;
        entry.shift = 2;
        entry.route = 1;
        entry.village = village;
        entry.animal = 1;
        entry.milk = 1 + village % 2;
        entry.cans = 2;
        entry.weight = weight;
        const weighing::WriteResult stored = weighing::writeReceipt(con, entry);
        return stored ? stored->refNo : 0;
    }
    QString sql(const QString& database, const QString& statement) const
    {
        return rows(server.address(), database, statement);
    }
};

class UnionTest : public QObject {
    Q_OBJECT
private slots:
    void centresReachTheUnion();
};

void UnionTest::centresReachTheUnion()
{
    testkit::TestEnv env; // this process's ODBC and configuration files
    std::unique_ptr<testkit::OwnServer> servers[3];
    together(3, [&](int i) {
        servers[i] = std::make_unique<testkit::OwnServer>(kReplicationSettings, false);
    });
    const testkit::OwnServer& unionServer = *servers[0];
    Centre north("north", *servers[1]), south("south", *servers[2]);
    QVERIFY(unionServer.started() && north.server.started() && south.server.started());
    const admin::ServerAddress headOffice = unionServer.address();
    Run inits[2];
    together(2, [&](int i) {
        const Centre& centre = i == 0 ? north : south;
        inits[i] =
            centre.admin({"init", "--program-dir", centre.home.path() + "/program", "--server",
                          centre.server.url(), "--demo", "--today", kDay.toString(Qt::ISODate)});
    });
    for (Centre* centre : {&north, &south}) {
        QVERIFY2(inits[0].exitCode == 0 && inits[1].exitCode == 0,
                 qPrintable(inits[0].err + inits[1].err));
        // The role the union subscribes as must bring its password: the others are trusted.
        QFile hba(centre->server.dataDir() + "/pg_hba.conf");
        QVERIFY(hba.open(QIODevice::ReadOnly));
        const QByteArray trusted = hba.readAll();
        hba.close();
        QVERIFY(hba.open(QIODevice::WriteOnly | QIODevice::Truncate));
        hba.write("host all tarvolen_union 127.0.0.1/32 scram-sha-256\n" + trusted);
        hba.close();
        centre->sql("postgres", "SELECT pg_reload_conf()");
    }
    for (Centre* centre : {&north, &south}) {
        for (int run = 0; run < 2; ++run) { // the second run changes nothing
            const Run publish = centre->admin({"union", "publish", "--server", centre->server.url(),
                                               "--password-file", centre->passwordFile()});
            QVERIFY2(publish.exitCode == 0, qPrintable(publish.err + publish.out));
        }
        QVERIFY(
            !(QFile(centre->passwordFile()).permissions() & (QFile::ReadGroup | QFile::ReadOther)));
    }
    const qint32 before = north.add("dairy1_2026", kDay, 1, 41.5);
    QVERIFY(before > 0);

    // A wrong password is refused by the centre before anything is made at the union.
    const Run refused =
        admintest::runAdmin({"union", "add-centre", "north", "--centre", north.centreUrl(),
                             "--union", unionServer.url(), "--password-stdin"},
                            "not-the-password\n");
    QVERIFY(refused.exitCode != 0);
    QVERIFY2(refused.err.contains("password authentication failed"), qPrintable(refused.err));
    QCOMPARE(
        rows(headOffice, "postgres", "SELECT count(*) FROM pg_database WHERE datname LIKE 'tv%'"),
        "0");

    // A server that would subscribe to itself (and wait for ever) is refused, nothing made.
    const Run itself = admintest::runAdmin({"union", "add-centre", "north", "--centre",
                                            north.centreUrl(), "--union", north.server.url(),
                                            "--password-file", north.passwordFile()});
    QVERIFY2(itself.err.contains("the union's own server"), qPrintable(itself.err));
    QCOMPARE(
        north.sql("postgres", "SELECT count(*) FROM pg_database WHERE datname = 'tarvolen_union'"),
        "0");

    const auto addCentre = [&](const Centre& centre) {
        return admintest::runAdmin({"union", "add-centre", centre.name, "--centre",
                                    centre.centreUrl(), "--union", unionServer.url(),
                                    "--password-file", centre.passwordFile()});
    };
    for (Centre* centre : {&north, &south}) {
        const Run added = addCentre(*centre);
        QVERIFY2(added.exitCode == 0, qPrintable(added.err + added.out));
    }
    const auto caughtUp = [&](const Centre& centre, const QStringList& years) {
        for (const QString& year : years)
            if (receipts(headOffice, "tvu_" + centre.name + "_" + year) !=
                receipts(centre.server.address(), year))
                return false;
        return true;
    };
    // Desks at both centres; a correction and a cancellation at one.
    for (int i = 0; i < 4; ++i) {
        QVERIFY(north.add("dairy1_2026", kDay, 1 + i, 40 + i) > 0);
        QVERIFY(south.add(i % 2 ? "dairy1_2026" : "dairy2_2026", kDay, 1 + i, 30.25 + i) > 0);
    }
    north.sql("dairy1_2026", QString("UPDATE Data_Wght SET VRefNo = 7, CansRecd = 3, MWeight = "
                                     "77.5 WHERE RefNo = %1")
                                 .arg(before));
    north.sql("dairy1_2026", QString("DELETE FROM Data_Wght WHERE RefNo = %1").arg(before + 1));
    north.sql("dairy1_2026", QString("INSERT INTO Tv_Audit (Kind, RefNo, RowBefore, RowAfter) "
                                     "VALUES ('cancel', %1, '{}', '')")
                                 .arg(before + 1));
    QVERIFY(eventually([&] { return caughtUp(north, kYears) && caughtUp(south, kYears); }));
    QCOMPARE(rows(headOffice, "tvu_north_dairy1_2026", "SELECT Kind, RefNo FROM Tv_Audit"),
             QString("cancel|%1").arg(before + 1));
    QVERIFY(
        receipts(headOffice, "tvu_north_dairy1_2026").contains(QString("%1:7:3:77.5").arg(before)));

    // South stops for a while; what it wrote just before and after is neither lost nor doubled.
    QVERIFY(south.add("dairy1_2026", kDay, 5, 50) > 0);
    QVERIFY(south.server.script("pause"));
    QVERIFY(north.add("dairy1_2026", kDay, 6, 51) > 0);
    QVERIFY(eventually([&] {
        return admintest::runAdmin({"union", "status", "--union", unionServer.url()})
            .out.contains("south  DAIRY1  dairy1_2026  waiting for the centre");
    }));
    QVERIFY(south.server.script("resume"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(south.add("dairy1_2026", kDay, 7 + i, 52 + i) > 0);
    QVERIFY(eventually([&] { return caughtUp(north, kYears) && caughtUp(south, kYears); }));

    // A later year, made at the centre, is published as its company's year is, then subscribed.
    const Run newYear = north.admin({"company", "new-year", "DAIRY1", "--program-dir",
                                     north.home.path() + "/program", "--force"});
    QVERIFY2(newYear.out.contains("Published for the union (tarvolen_union)"),
             qPrintable(newYear.err + newYear.out));
    QVERIFY(addCentre(north).exitCode == 0);
    QVERIFY(north.add("dairy1_2027", QDate(2027, 1, 5), 2, 44) > 0);
    QVERIFY(eventually([&] { return caughtUp(north, {"dairy1_2027"}); }));

    Run status; // every table of the new year copied too
    QVERIFY2(eventually([&] {
                 status = admintest::runAdmin({"union", "status", "--union", unionServer.url()});
                 return status.out.count("  replicating  ") == 7;
             }),
             qPrintable(status.out));
    QVERIFY2(status.out.contains("north  DAIRY1  dairy1_2027  replicating  lag "),
             qPrintable(status.out));
    QVERIFY(status.out.contains("newest receipt 2027-01-05 AM"));

    // The union's report against each centre's own shift report.
    QTemporaryDir out;
    const Run unionReport = admintest::runAdmin(
        {"report", "union", "--union", unionServer.url(), "--date", kDay.toString(Qt::ISODate),
         "--shift", "AM", "--csv", out.path() + "/union.csv", "--pdf", out.path() + "/union.pdf"});
    QVERIFY2(unionReport.exitCode == 0, qPrintable(unionReport.err));
    QStringList expected{"centre,company,route,receipts,cans,weight"};
    report::Totals all;
    for (Centre* centre : {&north, &south}) {
        datastore::Connection main, year;
        main.open(admin::serverSource(centre->server.address(), "quenmoor_main"));
        for (const QString company : {"DAIRY1", "DAIRY2"}) {
            year.close();
            year.open(admin::serverSource(centre->server.address(), company.toLower() + "_2026"));
            const auto own = report::loadShiftReport(main, year, {company, kDay, 2, 0});
            QVERIFY(own);
            for (const report::RouteSection& route : own->routes)
                expected << QString("%1,%2,%3,%4,%5,%6")
                                .arg(centre->name, company)
                                .arg(route.route)
                                .arg(route.totals.receipts)
                                .arg(report::storedNumber(route.totals.cans),
                                     report::storedNumber(route.totals.weight));
            all.receipts += own->overall.receipts;
            all.weight += own->overall.weight;
        }
    }
    QCOMPARE(
        QString(admintest::readFile(out.path() + "/union.csv")).split("\r\n", Qt::SkipEmptyParts),
        expected);
    QVERIFY2(unionReport.out.contains(QString("%1 receipts").arg(all.receipts)),
             qPrintable(unionReport.out));
    QVERIFY(QFileInfo(out.path() + "/union.pdf").size() > 1000);

    // South leaves: its subscriptions and their slots go, its rows stay.
    const QString kept = receipts(headOffice, "tvu_south_dairy1_2026");
    const Run removed =
        admintest::runAdmin({"union", "remove-centre", "south", "--union", unionServer.url()});
    QVERIFY2(removed.exitCode == 0, qPrintable(removed.err));
    QCOMPARE(
        rows(headOffice, "postgres",
             "SELECT string_agg(subname, ',' ORDER BY subname) FROM pg_subscription"),
        "tvu_north_dairy1_2025,tvu_north_dairy1_2026,tvu_north_dairy1_2027,tvu_north_dairy2_2026");
    QCOMPARE(south.sql("postgres", "SELECT count(*) FROM pg_replication_slots"), "0");
    QCOMPARE(receipts(headOffice, "tvu_south_dairy1_2026"), kept);
    // The role's passwords went into no server's log, though every statement is logged.
    for (const auto& server : servers) {
        const QByteArray log =
            admintest::readFile(QFileInfo(server->dataDir()).path() + "/server.log");
        QVERIFY(log.contains("CREATE DATABASE"));
        for (Centre* centre : {&north, &south})
            QVERIFY(!log.contains(admintest::readFile(centre->passwordFile()).trimmed()));
    }
    together(3, [&](int i) { servers[i].reset(); });
}
} // namespace

QTEST_GUILESS_MAIN(UnionTest)
#include "tst_union.moc"

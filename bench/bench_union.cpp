// bench_union CENTRE1_URL CENTRE2_URL UNION_URL [receipts]
// Three PostgreSQL servers with wal_level = logical (tests/pgserver/pgserver.sh start STATE
// wal_level=logical ...), reached as superusers without a password. At each centre a company
// year, four desks (threads, a connection each) adding `receipts` (default 5,000) receipts
// through writeReceipt, first with nothing published, then published and subscribed by the
// union (tarvolen-admin union publish / add-centre, run from this build). Prints the median and
// worst time of a desk's Add in both runs, and the lag at the union: from a receipt's commit at
// its centre to its being seen there (the union polled every 5 ms), median and worst.

#include "ServerDatabases.h"
#include "datastore/Connection.h"
#include "weighing/Receipt.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kDesks = 4;
const QString kYear = QStringLiteral("bench_2026");

struct Commit {
    qint32 refNo;
    Clock::time_point at;
};

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[size_t(p * double(values.size() - 1))];
}

QString setUpCentre(const admin::ServerAddress& server)
{
    admin::dropServerDatabase(server, kYear);
    admin::dropServerDatabase(server, QStringLiteral("quenmoor_main"));
    QString error = admin::createServerDatabase(server, QStringLiteral("quenmoor_main"),
                                                admin::ServerSchema::Main);
    if (error.isEmpty())
        error = admin::createServerDatabase(server, kYear, admin::ServerSchema::Company);
    if (error.isEmpty())
        error = admin::execOnServer(
            admin::serverSource(server, QStringLiteral("quenmoor_main")),
            {QStringLiteral("INSERT INTO Years VALUES ('BENCH', 1, 'BENCH_2026', '2026-01-01', "
                            "'2026-12-31', 'Bench Dairy', 'Town')")});
    return error;
}

// Four desks at each centre, `perDesk` receipts each; every Add's time and commit.
void weigh(const std::vector<admin::ServerAddress>& centres, int perDesk,
           std::vector<double>* addTimes, std::vector<std::vector<Commit>>* commits)
{
    std::mutex lock;
    std::vector<std::thread> desks;
    for (size_t c = 0; c < centres.size(); ++c) {
        for (int d = 0; d < kDesks; ++d) {
            desks.emplace_back([&, c, d] {
                datastore::Connection con;
                con.open(admin::serverSource(centres[c], kYear));
                std::vector<double> mine;
                std::vector<Commit> done;
                for (int i = 0; i < perDesk; ++i) {
                    weighing::ReceiptEntry entry;
                    entry.date = QDate(2026, 3, 5);
                    entry.shift = 2;
                    entry.route = 1 + d;
                    entry.village = 1 + i % 50;
                    entry.animal = entry.milk = 1;
                    entry.cans = 2;
                    entry.weight = 40.0 + i % 7;
                    const auto start = Clock::now();
                    const auto stored = weighing::writeReceipt(con, entry);
                    const auto end = Clock::now();
                    if (!stored) {
                        std::fprintf(stderr, "add: %s\n", qPrintable(stored.errorText()));
                        continue;
                    }
                    mine.push_back(ms(end - start));
                    done.push_back({stored->refNo, end});
                }
                std::lock_guard<std::mutex> guard(lock);
                addTimes->insert(addTimes->end(), mine.begin(), mine.end());
                (*commits)[c].insert((*commits)[c].end(), done.begin(), done.end());
            });
        }
    }
    for (std::thread& desk : desks)
        desk.join();
}

bool runTool(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvolen-admin"),
               arguments);
    tool.write(input);
    tool.closeWriteChannel();
    tool.waitForFinished(300000);
    if (tool.exitCode() != 0)
        std::fprintf(stderr, "tarvolen-admin %s: %s%s\n", qPrintable(arguments.join(' ')),
                     tool.readAllStandardOutput().constData(),
                     tool.readAllStandardError().constData());
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void report(const char* what, const std::vector<double>& times)
{
    std::printf("%-40s median %8.2f ms   95%% %8.2f ms   worst %8.2f ms   (%zu)\n", what,
                percentile(times, 0.5), percentile(times, 0.95), percentile(times, 1.0),
                times.size());
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench_union CENTRE1_URL CENTRE2_URL UNION_URL [receipts]\n");
        return 2;
    }
    const int perDesk = (args.size() > 4 ? args[4].toInt() : 5000) / kDesks;
    std::vector<admin::ServerAddress> centres;
    QString error;
    for (int i = 1; i <= 2; ++i) {
        centres.push_back(*admin::parseServerUrl(args[i], &error));
        if (const QString failed = setUpCentre(centres.back()); !failed.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failed));
            return 1;
        }
    }
    const admin::ServerAddress unionServer = *admin::parseServerUrl(args[3], &error);

    std::vector<double> plain;
    std::vector<std::vector<Commit>> unused(2);
    weigh(centres, perDesk, &plain, &unused);
    report("Add, nothing published", plain);

    QTemporaryDir dir;
    const QString names[] = {QStringLiteral("bencha"), QStringLiteral("benchb")};
    for (size_t c = 0; c < centres.size(); ++c) {
        const QString file = dir.path() + QStringLiteral("/%1.pw").arg(c);
        const QString role = QStringLiteral("postgresql://tarvolen_union@%1:%2")
                                 .arg(centres[c].host)
                                 .arg(centres[c].port);
        if (!runTool({QStringLiteral("union"), QStringLiteral("publish"), QStringLiteral("--server"),
                    args[int(c) + 1], QStringLiteral("--password-file"), file}) ||
            !runTool({QStringLiteral("union"), QStringLiteral("add-centre"), names[c],
                    QStringLiteral("--centre"), role, QStringLiteral("--union"), args[3],
                    QStringLiteral("--password-file"), file}))
            return 1;
    }
    // The union's newest RefNo of each centre, polled while the desks weigh.
    std::atomic<bool> weighing{true};
    std::mutex seenLock;
    std::vector<std::vector<Commit>> seen(2), commits(2);
    std::thread watcher([&] {
        datastore::Connection copies[2];
        for (int c = 0; c < 2; ++c)
            copies[c].open(admin::serverSource(
                unionServer, QStringLiteral("tvu_%1_%2").arg(names[c], kYear.toLower())));
        for (bool last = false; !last; std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
            last = !weighing;
            for (int c = 0; c < 2; ++c) {
                auto newest = copies[c].exec(QStringLiteral("SELECT max(RefNo) FROM Data_Wght"));
                if (newest && newest->next()) {
                    std::lock_guard<std::mutex> guard(seenLock);
                    seen[c].push_back({newest->value(0).toInt(), Clock::now()});
                }
            }
        }
    });
    std::vector<double> published;
    weigh(centres, perDesk, &published, &commits);
    // Until the union has every receipt (or a minute has gone).
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    auto caughtUp = [&] {
        std::lock_guard<std::mutex> guard(seenLock);
        for (int c = 0; c < 2; ++c) {
            qint32 newest = 0;
            for (const Commit& commit : commits[c])
                newest = std::max(newest, commit.refNo);
            if (seen[c].empty() || seen[c].back().refNo < newest)
                return false;
        }
        return true;
    };
    while (!caughtUp() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    weighing = false;
    watcher.join();
    report("Add, published and subscribed", published);
    std::printf("cost of publishing on a desk's Add: median x%.2f\n",
                percentile(published, 0.5) / percentile(plain, 0.5));

    std::vector<double> lags;
    for (int c = 0; c < 2; ++c) {
        for (const Commit& commit : commits[c]) {
            const auto first = std::find_if(seen[c].begin(), seen[c].end(), [&](const Commit& s) {
                return s.refNo >= commit.refNo;
            });
            if (first == seen[c].end()) {
                std::fprintf(stderr, "RefNo %d of centre %d never reached the union\n",
                             commit.refNo, c + 1);
                continue;
            }
            lags.push_back(std::max(0.0, ms(first->at - commit.at)));
        }
    }
    report("lag at the union (commit to seen)", lags);
    return 0;
}

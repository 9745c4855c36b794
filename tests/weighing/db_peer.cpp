// Another desk or program on a company database, for the contention tests and benchmarks:
//   db_peer write FILE COUNT ROUTE   adds COUNT receipts to the morning of 05/Mar/2024 through the
//                                    desk's own write routine, each on a connection of its own;
//                                    prints "stored N refused M", exit 0 when all were stored
//   db_peer hold-write FILE SECONDS  stores one receipt (RefNo 1000) in a transaction that keeps
//                                    the database locked for SECONDS
//   db_peer hold-read FILE SECONDS   keeps a read open for SECONDS, as a long report would
// "held" is printed once the lock or the read is held.

#include "datastore/Connection.h"
#include "weighing/Receipt.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>
#include <cstdio>

namespace {
QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

bool openFile(datastore::Connection& con, const QString& file)
{
    con.ConnectionString = QStringLiteral("Data Source=") + file + QStringLiteral(";");
    if (con.open() != datastore::Connection::OpenStatus::Opened) {
        out() << "cannot open " << file << ": " << con.lastError() << Qt::endl;
        return false;
    }
    return true;
}

int writeReceipts(const QString& file, int count, int route)
{
    weighing::ReceiptEntry entry;
    entry.date = QDate(2024, 3, 5);
    entry.shift = 2;
    entry.route = route;
    entry.village = route;
    entry.cans = 1;
    entry.weight = 20;
    int stored = 0;
    int refused = 0;
    for (int i = 0; i < count; ++i) {
        datastore::Connection con;
        if (!openFile(con, file))
            return 3;
        const weighing::WriteResult result = weighing::writeReceipt(con, entry);
        if (result.ok()) {
            ++stored;
        } else {
            ++refused;
            out() << "refused: " << result.errorText() << Qt::endl;
        }
    }
    out() << "stored " << stored << " refused " << refused << Qt::endl;
    return refused == 0 ? 0 : 1;
}

bool run(datastore::Connection& con, const QString& sql)
{
    QSqlQuery query = con.run(sql);
    if (!query.isActive()) {
        out() << datastore::describeError(query) << Qt::endl;
        return false;
    }
    while (query.next()) {
    }
    return true;
}

int hold(const QString& file, bool write, int seconds)
{
    datastore::Connection con;
    if (!openFile(con, file))
        return 3;
    const bool held =
        write ? run(con, QStringLiteral("BEGIN EXCLUSIVE")) &&
                    run(con, QStringLiteral("INSERT INTO Data_Wght (RefNo, RefDate, AmPm, "
                                            "DlySlNo) VALUES (1000, '2024-03-05', 2, 1000)"))
              : run(con, QStringLiteral("BEGIN")) &&
                    run(con, QStringLiteral("SELECT COUNT(*) FROM Data_Wght"));
    if (!held)
        return 2;
    out() << "held" << Qt::endl;
    QThread::sleep(seconds);
    return run(con, QStringLiteral("COMMIT")) ? 0 : 2;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("write") && args.size() == 5)
        return writeReceipts(args[2], args[3].toInt(), args[4].toInt());
    if ((mode == QLatin1String("hold-write") || mode == QLatin1String("hold-read")) &&
        args.size() == 4)
        return hold(args[2], mode == QLatin1String("hold-write"), args[3].toInt());
    std::fputs("usage: db_peer write FILE COUNT ROUTE | hold-write FILE SECONDS | "
               "hold-read FILE SECONDS\n",
               stderr);
    return 2;
}

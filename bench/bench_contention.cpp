// Four desks adding receipts to one company database at once, each receipt through the desk's
// own write routine on a connection of its own (db_peer): receipts a second, and how many were
// refused. Run on a database made without the indexes at 200,000 stored receipts, then again
// after `tarvolen-admin check --fix` has added them.
//   bench_contention [receipts per desk, default 1000]

#include "Installation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <array>

namespace {
QTextStream out(stdout);

bool exec(const QString& file, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench");
        db.setDatabaseName(file);
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            ok = ok && query.exec(sql);
        }
    }
    QSqlDatabase::removeDatabase("bench");
    return ok;
}

void fourDesks(const QString& label, const QString& file, int each)
{
    const QString peer = QCoreApplication::applicationDirPath() + "/db_peer";
    std::array<QProcess, 4> desks;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 4; ++i)
        desks[i].start(peer, {"write", file, QString::number(each), QString::number(i + 1)});
    int refused = 0;
    for (QProcess& desk : desks) {
        desk.waitForFinished(-1);
        const QString said = QString::fromUtf8(desk.readAllStandardOutput());
        refused += desk.exitCode() == 0 ? 0 : 1;
        if (desk.exitCode() != 0)
            out << said << Qt::endl;
    }
    const double seconds = clock.elapsed() / 1000.0;
    out << QString("%1: 4 x %2 receipts in %3 s = %4 receipts/s, desks with refusals: %5")
               .arg(label)
               .arg(each)
               .arg(seconds, 0, 'f', 1)
               .arg(4 * each / seconds, 0, 'f', 0)
               .arg(refused)
        << Qt::endl;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int each = argc > 1 ? QString(argv[1]).toInt() : 1000;
    QTemporaryDir dir;
    const QString file = dir.path() + "/CO1_2026.mdb";
    if (!admin::createCompanyDatabase(file).isEmpty())
        return 1;
    exec(file, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
                "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, DlySlNo, RtRefNo) SELECT i, "
                "date('2020-01-01', '+' || (i / 400) || ' days'), 2 + i % 2, i % 400, 9 FROM n"});
    exec(file, {"DROP INDEX Data_Wght_RefNo", "DROP INDEX Data_Wght_Shift"});
    fourDesks("no indexes, 200,000 stored", file, each);
    // What `tarvolen-admin check --fix` adds to such a database.
    exec(file, {"CREATE UNIQUE INDEX Data_Wght_RefNo ON Data_Wght (RefNo)",
                "CREATE INDEX Data_Wght_Shift ON Data_Wght (RefDate, AmPm, DlySlNo)"});
    fourDesks("indexes added, 200,000 stored", file, each);
    return 0;
}

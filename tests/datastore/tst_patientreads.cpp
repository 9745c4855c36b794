// Reads that meet another connection's lock on a file: with a wait installed each try waits in
// the engine only a moment, the program gets its pauses, and the read goes through once the
// lock goes or fails with the lock's reason after the time limit; without one nothing changes.

#include "TestEnv.h"
#include "datastore/PatientReads.h"
#include "datastore/ShiftQueries.h"

#include <QSqlError>
#include <QtTest>

using namespace datastore;

namespace {
// Counts what a read asks of its program; after releaseAfter pauses (0: never) the holder's
// lock goes. Notes the engine wait of the reader's connection at each pause.
struct CountingWait : ReadWait {
    int started_ = 0;
    int pauses = 0;
    int ended_ = 0;
    int releaseAfter = 0;
    std::function<void()> release;
    Connection* reader = nullptr;
    qint64 longestEngineWait = 0;

    void started() override { ++started_; }
    void pause(std::chrono::milliseconds) override
    {
        ++pauses;
        QSqlQuery wait = reader->run(QStringLiteral("PRAGMA busy_timeout"));
        if (wait.next())
            longestEngineWait = std::max(longestEngineWait, wait.value(0).toLongLong());
        if (pauses == releaseAfter)
            release();
    }
    void ended() override { ++ended_; }
};

qint64 engineWait(Connection& con)
{
    QSqlQuery wait = con.run(QStringLiteral("PRAGMA busy_timeout"));
    return wait.next() ? wait.value(0).toLongLong() : -1;
}
} // namespace

class PatientReadsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testkit::TestEnv> m_env;

    void openOn(Connection& con)
    {
        con.ConnectionString = QStringLiteral("Data Source=") + m_env->companyFile();
        QCOMPARE(con.open(), Connection::OpenStatus::Opened);
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_env->createInstallation();
        m_env->exec(m_env->companyFile(),
                    "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0), "
                    "(2, 'South', 0)");
    }
    void cleanup()
    {
        setReadWait(nullptr);
        setReadWaitLimit(kReadWaitLimit);
    }

    void lockedRead_data()
    {
        QTest::addColumn<int>("releaseAfter"); // pauses until the lock goes; 0: it stays
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("pausesAtLeast");
        QTest::newRow("free at once") << -1 << true << 0;
        QTest::newRow("free after three pauses") << 3 << true << 3;
        QTest::newRow("held past the limit") << 0 << false << 2;
    }
    void lockedRead()
    {
        QFETCH(int, releaseAfter);
        QFETCH(bool, read);
        QFETCH(int, pausesAtLeast);
        Connection holder;
        openOn(holder);
        Connection reader;
        openOn(reader);
        if (releaseAfter >= 0)
            QVERIFY(holder.run(QStringLiteral("BEGIN EXCLUSIVE")).isActive());
        CountingWait wait;
        wait.reader = &reader;
        wait.releaseAfter = releaseAfter;
        wait.release = [&holder] { holder.run(QStringLiteral("COMMIT")); };
        setReadWait(&wait);
        setReadWaitLimit(std::chrono::milliseconds(300));

        QSqlQuery rs = readPatiently(
            reader, QStringLiteral("SELECT RTType FROM Mast_Routes WHERE RTRefNo = ?"), {2});
        QCOMPARE(rs.isActive(), read);
        if (read) {
            QVERIFY(rs.next());
            QCOMPARE(rs.value(0).toString(), QString("South"));
        } else {
            QVERIFY2(rs.lastError().text().contains("locked"), qPrintable(rs.lastError().text()));
        }
        rs = QSqlQuery();
        QVERIFY2(wait.pauses >= pausesAtLeast, qPrintable(QString::number(wait.pauses)));
        if (releaseAfter > 0)
            QCOMPARE(wait.pauses, releaseAfter);
        // The program is told once that the read waits, and once that it is over.
        const int told = pausesAtLeast > 0 ? 1 : 0;
        QCOMPARE(wait.started_, told);
        QCOMPARE(wait.ended_, told);
        // Each try waited in the engine only a moment; afterwards the connection waits as before.
        QVERIFY2(wait.longestEngineWait <= kReadTryWait.count(),
                 qPrintable(QString::number(wait.longestEngineWait)));
        QCOMPARE(engineWait(reader), qint64(Connection::kFileLockWait.count()));
        holder.run(QStringLiteral("ROLLBACK"));
    }

    // The statements of the shift go the same way: the grid's rows, once the lock has gone.
    void shiftStatementsWait()
    {
        Connection holder;
        openOn(holder);
        Connection reader;
        openOn(reader);
        QVERIFY(holder.run(QStringLiteral("BEGIN EXCLUSIVE")).isActive());
        CountingWait wait;
        wait.reader = &reader;
        wait.releaseAfter = 2;
        wait.release = [&holder] { holder.run(QStringLiteral("COMMIT")); };
        setReadWait(&wait);
        QVector<GridReceipt> rows{GridReceipt{}};
        QString error;
        QVERIFY2(gridReceipts(reader, QDate(2024, 3, 5), 2, 1, &rows, &error), qPrintable(error));
        QVERIFY(rows.isEmpty());
        QCOMPARE(wait.pauses, 2);
    }

    void withoutAWaitTheEngineWaits()
    {
        Connection reader;
        openOn(reader);
        QSqlQuery rs = readPatiently(reader, QStringLiteral("SELECT COUNT(*) FROM Mast_Routes"));
        QVERIFY(rs.next());
        QCOMPARE(rs.value(0).toInt(), 2);
        QCOMPARE(engineWait(reader), qint64(Connection::kFileLockWait.count()));
    }
};

QTEST_MAIN(PatientReadsTest)
#include "tst_patientreads.moc"

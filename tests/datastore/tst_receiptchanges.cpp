// Corrections and cancellations of receipts with their audit rows, the next numbers that never
// hand a cancelled one out again, and a supervisor's word; on either engine.

#include "TestEnv.h"
#include "datastore/Audit.h"
#include "datastore/GenState.h"
#include "datastore/NextNumbers.h"
#include "datastore/ReceiptChanges.h"
#include "datastore/Roles.h"
#include "datastore/Startup.h"
#include "datastore/WriteTransaction.h"
#include "weighing/Receipt.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>

using namespace datastore;
using testkit::TestEnv;

namespace {
const QDate kDay(2024, 3, 5);

// A second program on the company year: "--correct N" corrects receipt 1 N times, its cans
// going 2, 1, 2, ...; "--add N" adds N receipts as a desk does. Says "started" first.
int peer(const QString& what, int count)
{
    Gen_DbMst = "CO1_2026";
    Gen_DbPwd = DbPassword();
    Connection con;
    if (!OpenMst(con))
        return 3;
    setLockWait(con, std::chrono::milliseconds(20));
    std::fputs("started\n", stdout);
    std::fflush(stdout);
    weighing::ReceiptEntry entry;
    entry.date = kDay;
    entry.shift = entry.route = entry.village = 2;
    entry.cans = 1;
    entry.weight = 20;
    for (int done = 0; done < count;) {
        if (what == "--add") {
            if (const auto added = weighing::writeReceipt(con, entry); !added)
                return std::fprintf(stderr, "%s\n", qPrintable(added.errorText())), 1;
            ++done;
            continue;
        }
        const auto row = receiptByRef(con, 1);
        if (row.failedWith(ErrorKind::Busy))
            continue;
        if (!row || !*row)
            return 4;
        const double cans = (*row)->value("CansRecd").toDouble() == 2 ? 1 : 2;
        const auto corrected = correctReceipt(con, 1, {{}, {}, {}, cans}, {"op", "sup", "r", ""});
        if (corrected)
            ++done;
        else if (!corrected.failedWith(ErrorKind::Busy))
            return std::fprintf(stderr, "%s\n", qPrintable(corrected.errorText())), 2;
    }
    return 0;
}
} // namespace

class ReceiptChangesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> m_env;
    Connection m_con;
    const AuditWho m_who{"op", "sup", "wrong village", "desk-1"};

    QString refNos() const
    {
        QStringList numbers;
        QSqlQuery rs(m_con.database());
        rs.exec("SELECT RefNo FROM Data_Wght ORDER BY RefNo");
        while (rs.next())
            numbers << rs.value(0).toString();
        return numbers.join(',');
    }
    QString auditKinds()
    {
        const auto entries = auditBetween(m_con, kDay, kDay);
        QStringList kinds;
        for (const AuditEntry& entry : *entries)
            kinds << auditKindName(entry.kind) + QString::number(entry.refNo);
        return kinds.join(',');
    }

    QProcess* startPeer(const QString& what, int count)
    {
        auto* process = new QProcess(this);
        process->start(QCoreApplication::applicationFilePath(), {what, QString::number(count)});
        process->waitForReadyRead(20000);
        return process;
    }
    // Receipt 1 and its corrections tell one story: its cans went 2, 1, 2, ... once a
    // correction, and the last audit row holds the row as it is.
    void checkCorrections(int* corrections)
    {
        auto rs = m_con.exec("SELECT RowAfter FROM Tv_Audit ORDER BY AuditNo DESC");
        QVERIFY(rs);
        QString last;
        int count = 0;
        for (; rs->next(); ++count)
            if (last.isEmpty())
                last = rs->value(0).toString();
        *corrections = count;
        const QSqlRecord row = receiptByRef(m_con, 1)->value();
        QCOMPARE(row.value("CansRecd").toDouble(), count % 2 ? 1.0 : 2.0);
        if (count)
            QCOMPARE(last, rowJson(row));
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnv>();
        m_env->createInstallation();
        for (const char* sql :
             {"INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) VALUES "
              "(1, 'V01', 'Hill', 1, 0), (2, 'V02', 'Dale', 2, 0), (3, 'V03', 'Old', 1, 1), "
              "(4, 'V04', 'Lake', 1, 0)",
              "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
              "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')"})
            m_env->exec(m_env->companyFile(), sql);
        m_env->exec(m_env->mainFile(), "INSERT INTO Pass (Uid, UName, PWD) VALUES (1, 'op', "
                                       "'milk'), (2, 'Sup', 'check'), (3, 'boss', 'chief'), "
                                       "(4, 'gone', NULL)");
        m_env->chooseCompany();
        QVERIFY(OpenMst(m_con));
        QVERIFY(ensureAuditTable(m_con));
        QVERIFY(ensureAuditTable(m_con)); // a second time changes nothing
    }
    void init()
    {
        QVERIFY(m_con.exec("DELETE FROM Tv_Audit"));
        QVERIFY(m_con.exec("DELETE FROM Data_Wght"));
        QVERIFY(m_con.exec("INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, "
                           "MCode, DlySlNo, CansRecd, MWeight, Uid, UName, Stat) VALUES "
                           "(1, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 45, 1, 'op', 0), "
                           "(2, '2024-03-05', 2, 1, 1, 1, 1, 2, 1, 30, 1, 'op', 0), "
                           "(3, '2024-03-05', 3, 1, 1, 1, 1, 1, 1, 20, 1, 'op', 0)"));
    }
    void cleanupTestCase()
    {
        m_con.close();
        Con_Main.reset();
        m_env.reset();
    }

    // A correction changes the row in place, never its weight; cancelling the shift's last
    // receipt and the year's last one: neither number comes back.
    void correctAndCancel()
    {
        QVERIFY(correctReceipt(m_con, 1, {4, 2, 2, 1.5}, m_who));
        const QSqlRecord corrected = receiptByRef(m_con, 1)->value();
        QCOMPARE(QString("%1 %2 %3 %4 %5")
                     .arg(corrected.value("VRefNo").toInt())
                     .arg(corrected.value("ACode").toInt())
                     .arg(corrected.value("MCode").toInt())
                     .arg(corrected.value("CansRecd").toDouble())
                     .arg(corrected.value("MWeight").toDouble()),
                 "4 2 2 1.5 45");
        QVERIFY(
            correctReceipt(m_con, 1, {3, {}, {}, {}}, m_who).errorText().contains("not an active"));
        QCOMPARE(receiptMarks(m_con, kDay, 2)->value(1), QChar('C'));
        AuditEntry manual;
        manual.refNo = manual.dlySlNo = manual.amPm = 2;
        manual.refDate = kDay;
        QVERIFY(appendAudit(m_con, manual));
        QCOMPARE(receiptMarks(m_con, kDay, 2)->value(2), QChar('M'));
        QVERIFY(cancelReceipt(m_con, 3, m_who));
        QVERIFY(cancelReceipt(m_con, 2, m_who));
        QCOMPARE(refNos(), "1");
        QVERIFY(cancelReceipt(m_con, 2, m_who).errorText().contains("no receipt with RefNo 2"));
        QVERIFY(cancelReceipt(m_con, 1, {"op", "sup", " ", ""}).errorText().contains("reason"));
        QCOMPARE(auditKinds(), "correct1,manual2,cancel3,cancel2");

        const auto cancelled = cancelledInShift(m_con, kDay, 2);
        QCOMPARE(cancelled->size(), 1);
        const CancelledReceipt& two = cancelled->at(0);
        QCOMPARE(QString("%1 %2 %3 %4 %5")
                     .arg(two.refNo)
                     .arg(two.dlySlNo)
                     .arg(two.rtRefNo)
                     .arg(two.weight)
                     .arg(two.allowedBy),
                 "2 2 1 30 sup");

        const auto next = nextReceiptNumbers(m_con, kDay, 2);
        QVERIFY2(next, qPrintable(next.errorText()));
        QCOMPARE(next->refNo, 4);
        QCOMPARE(next->dlySlNo, 3);
        QCOMPARE(nextReceiptNumbers(m_con, kDay, 3)->dlySlNo, 2);
        QCOMPARE(nextReceiptNumbers(m_con, QDate(2024, 3, 6), 2)->dlySlNo, 1);
    }

    // A program killed at any moment of its corrections leaves the receipt and its audit rows
    // both as they were before a correction or both after it.
    void killedMidCorrection()
    {
        int corrections = 0;
        for (int kill = 0; kill < 8; ++kill) {
            QProcess* corrector = startPeer("--correct", 1000000);
            QTest::qWait(QRandomGenerator::global()->bounded(30, 200));
            ::kill(pid_t(corrector->processId()), SIGKILL);
            QVERIFY(corrector->waitForFinished(10000));
            checkCorrections(&corrections);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(corrections > 8, "the kills came before any correction");
    }

    // Corrections while another desk adds receipts: every receipt and every correction stays.
    void correctionsWhileAdding()
    {
        QProcess* corrector = startPeer("--correct", 60);
        QProcess* desk = startPeer("--add", 60);
        for (QProcess* peer : {corrector, desk}) {
            QVERIFY(peer->waitForFinished(120000));
            QVERIFY2(peer->exitCode() == 0, peer->readAllStandardError().constData());
        }
        int corrections = 0;
        checkCorrections(&corrections);
        QCOMPARE(corrections, 60);
        QCOMPARE(refNos().split(',').size(), 63);
        QCOMPARE(refNos().section(',', -1), "63");
    }

    // Name and password compared as sign-in compares them, then the role.
    void supervisorWord()
    {
        QVERIFY(Set_MainDsn());
        QVERIFY(OpenMain());
        Connection& main = *Con_Main;
        QVERIFY(main.exec("DROP TABLE Tv_Users"));
        QCOMPARE(int(*roleOf(main, "sup")), int(Role::Operator)); // no table yet
        QVERIFY(ensureUserTable(main));
        for (const char* name : {"SUP", "boss", "gone"})
            QVERIFY(setRole(main, name, Role::Supervisor));
        QVERIFY(setRole(main, "Boss", Role::Administrator));
        QVERIFY(!setRole(main, "nobody", Role::Supervisor));
        QCOMPARE(int(*roleOf(main, "BOSS")), int(Role::Administrator));
        const int allowed = int(SupervisorCheck::Allowed);
        const int wrong = int(SupervisorCheck::WrongNameOrPassword);
        const struct {
            const char *name, *password;
            int check;
        } cases[] = {
            {"sup", "check", allowed},  {"SUP", "check", allowed},
            {"boss", "chief", allowed}, {"sup", "CHECK", wrong},
            {"sup", "milk", wrong},     {"gone", "", wrong},
            {"nobody", "check", wrong}, {"op", "milk", int(SupervisorCheck::NotASupervisor)}};
        for (const auto& c : cases) {
            const auto checked = checkSupervisor(main, c.name, c.password);
            QVERIFY2(checked && int(*checked) == c.check, c.name);
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1).startsWith("--"))
        return peer(arguments.value(1), arguments.value(2).toInt());
    ReceiptChangesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_receiptchanges.moc"

// tarvolen-admin's receipt corrections and cancellations with a supervisor's word, and the audit
// listing, on either engine (run a second time on the test server).

#include "AdminRun.h"
#include "Csv.h"
#include "TestEnv.h"
#include "datastore/Startup.h"
#include "datastore/WriteTransaction.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using admintest::runAdmin;
using testkit::TestEnv;

class SupervisorToolTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> m_env;

    // A server installation is found through its data sources, a file one by its data root.
    QStringList where() const
    {
        return TestEnv::onServer() ? QStringList{} : QStringList{"--data-root", m_env->dataRoot()};
    }
    QStringList withCompany(const QStringList& arguments) const
    {
        return arguments + QStringList{"--company", "CO1"} + where();
    }
    admintest::Run admin(const QStringList& arguments, const QByteArray& input = {}) const
    {
        return runAdmin(withCompany(arguments), input);
    }
    // Receipt 2 as "village,animal,milk,tenths of cans", or "gone".
    QString receipt2() const
    {
        const QVariant row = TestEnv::scalar(
            m_env->companyFile(), "SELECT VRefNo || ',' || ACode || ',' || MCode || ',' || "
                                  "CAST(CansRecd * 10 AS integer) FROM Data_Wght WHERE RefNo = 2");
        return row.isNull() ? "gone" : row.toString();
    }
    int audits() const
    {
        return TestEnv::scalar(m_env->companyFile(), "SELECT COUNT(*) FROM Tv_Audit").toInt();
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
            TestEnv::exec(m_env->companyFile(), sql);
        TestEnv::exec(m_env->mainFile(), "INSERT INTO Pass (Uid, UName, PWD) VALUES "
                                         "(1, 'op', 'milk'), (2, 'Sue', 'check')");
        const auto role =
            runAdmin(QStringList{"user", "set-role", "sue", "supervisor"} + withCompany({}).mid(2));
        QVERIFY2(role.exitCode == 0, qPrintable(role.err));
    }
    void init()
    {
        TestEnv::exec(m_env->companyFile(), "DELETE FROM Data_Wght");
        TestEnv::exec(m_env->companyFile(), "DELETE FROM Tv_Audit");
        TestEnv::exec(m_env->companyFile(),
                      "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
                      "DlySlNo, CansRecd, MWeight, Uid, UName, Stat) VALUES "
                      "(1, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 45, 1, 'op', 0), "
                      "(2, '2024-03-05', 2, 1, 1, 1, 1, 2, 1, 30, 1, 'op', 0)");
    }
    void cleanupTestCase() { m_env.reset(); }

    void commands_data()
    {
        QTest::addColumn<QString>("words"); // correct|cancel SUPERVISOR REFNO [options]
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("row");
        const auto row = [](const char* name, const char* words, const char* password, int exitCode,
                            const char* said, const char* after = "1,1,1,10") {
            QTest::newRow(name) << words << password << exitCode << said << after;
        };
        row("village, animal, milk, cans",
            "correct SUE 2 --village v04 --animal 2 --milk 2 --cans 1.5", "check", 0,
            "VRefNo 1 -> 4", "4,2,2,15");
        row("cancel", "cancel sue 2", "check", 0, "Cancelled receipt 2", "gone");
        row("operator's own word", "correct op 2 --cans 2", "milk", 1, "\"op\" is not");
        row("village of another route", "correct sue 2 --village V02", "check", 1,
            "village code \"V02\" is unknown on route 1");
        if (TestEnv::onServer())
            return; // the rest is the tool's own logic, the same on either engine
        row("operator's word for a cancel", "cancel op 2", "milk", 1, "\"op\" is not a supervisor");
        row("wrong password", "cancel sue 2", "Check", 1, "wrong name or password");
        row("no such receipt", "cancel sue 9", "check", 1, "no receipt with RefNo 9");
        row("the same cans", "correct sue 2 --cans 1", "check", 1, "nothing to change");
        row("no change named", "correct sue 2", "check", 2, "nothing to change");
        row("village no longer in use", "correct sue 2 --village V03", "check", 1,
            "not an active village");
        row("too few cans for the weight", "correct sue 2 --cans 0.5", "check", 1, "cannot hold");
        row("animal unknown", "correct sue 2 --animal 7", "check", 1, "no animal 7");
        row("milk type unknown", "correct sue 2 --milk 7", "check", 1, "no milk type 7");
    }
    void commands()
    {
        QFETCH(QString, words);
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(QString, row);
        const QStringList w = words.split(' ');
        const QStringList arguments =
            QStringList{"receipt",      w[0], "--ref",           w[2], "--reason", "r",
                        "--supervisor", w[1], "--password-stdin"} +
            w.mid(3);
        const auto run = admin(arguments, password.toUtf8() + '\n');
        QVERIFY2(run.exitCode == exitCode && (run.out + run.err).contains(said),
                 qPrintable(run.out + run.err));
        QCOMPARE(receipt2(), row);
        QCOMPARE(audits(), exitCode == 0 ? 1 : 0);
        if (exitCode != 0) // one line says why
            QCOMPARE(run.err.count(QRegularExpression("^tarvolen-admin: (?!using)",
                                                      QRegularExpression::MultilineOption)),
                     1);
    }

    // Every act in a UTF-8 CSV with a header in words, read back as a spreadsheet would.
    void auditCsv()
    {
        for (const char* words : {"correct --ref 2 --cans 2", "cancel --ref 1"})
            QCOMPARE(admin(QStringList{"receipt"} + QString(words).split(' ') +
                               QStringList{"--reason", "scale, fault", "--supervisor", "sue",
                                           "--password-stdin"},
                           "check\n")
                         .exitCode,
                     0);
        const QString file = m_env->root() + "/audit.csv";
        const auto run =
            admin({"audit", "--from", "2024-03-05", "--to", "2024-03-05", "--csv", file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray bytes = admintest::readFile(file);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        admin::csv::Table table;
        QCOMPARE(admin::csv::parse(bytes, &table), QString());
        QCOMPARE(table.header.fields.mid(0, 3), QStringList({"Done at", "What", "Receipt no"}));
        QCOMPARE(table.records.size(), 2);
        const auto field = [&](int record, const QString& column) {
            return table.records[record].fields.value(table.header.fields.indexOf(column));
        };
        QCOMPARE(field(0, "What") + field(1, "What"), "correctcancel");
        QCOMPARE(field(0, "Change"), "CansRecd 1 -> 2");
        QCOMPARE(field(1, "Reason"), "scale, fault");
        QVERIFY(field(1, "Row before").contains("\"MWeight\":45"));
        QCOMPARE(field(1, "Row after"), "");

        const auto listed = admin({"audit", "--from", "2024-03-05", "--to", "2024-03-31"});
        QCOMPARE(listed.out.count("allowed by sue"), 2);
        QVERIFY(admin({"audit", "--from", "2024-03-06", "--to", "2024-03-31"})
                    .out.startsWith("Nothing typed by hand"));
    }

    // An installation made before roles and the audit gets their tables from any command.
    void olderInstallationGetsTables()
    {
        TestEnv::exec(m_env->companyFile(), "DROP TABLE Tv_Audit");
        TestEnv::exec(m_env->mainFile(), "ALTER TABLE Tv_Users RENAME TO Kept_Users");
        QCOMPARE(runAdmin(QStringList{"company", "list"} + where()).exitCode, 0);
        QCOMPARE(TestEnv::scalar(m_env->companyFile(), "SELECT COUNT(*) FROM Tv_Audit").toInt(), 0);
        QCOMPARE(TestEnv::scalar(m_env->mainFile(), "SELECT COUNT(*) FROM Tv_Users").toInt(), 0);
        TestEnv::exec(m_env->mainFile(), "DROP TABLE Tv_Users");
        TestEnv::exec(m_env->mainFile(), "ALTER TABLE Kept_Users RENAME TO Tv_Users");
    }

    // The desks' role as the README grants it: it adds audit rows and reads them, never
    // changes or removes one.
    void serverGrants()
    {
        if (!TestEnv::onServer())
            QSKIP("a server's roles");
        const QString desks = QString("desks_%1").arg(QCoreApplication::applicationPid());
        const QString file = m_env->companyFile();
        TestEnv::exec(file, "CREATE ROLE " + desks + " LOGIN");
        for (const char* grant :
             {"GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1",
              "GRANT INSERT, UPDATE, DELETE ON Data_Wght TO %1", "REVOKE ALL ON Tv_Audit FROM %1",
              "GRANT SELECT, INSERT ON Tv_Audit TO %1"})
            TestEnv::exec(file, QString(grant).arg(desks));
        platform::ServerSource source = TestEnv::serverSourceFor(file);
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "desks");
        db.setHostName(source.host);
        db.setPort(source.port);
        db.setDatabaseName(source.database);
        db.setUserName(desks);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const auto& [statement, allowed] :
             {std::pair{"INSERT INTO Tv_Audit (Kind, RefNo) VALUES ('cancel', 2)", true},
              {"DELETE FROM Data_Wght WHERE RefNo = 2", true},
              {"UPDATE Tv_Audit SET Reason = 'none'", false},
              {"DELETE FROM Tv_Audit", false}})
            QVERIFY2(query.exec(statement) == allowed, statement);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("desks");
        QCOMPARE(audits(), 1);
    }

    // A desk holding the receipts is waited for, then the correction goes through.
    void waitsForABusyDatabase()
    {
        m_env->chooseCompany();
        datastore::Connection desk;
        QVERIFY(OpenMst(desk));
        datastore::WriteTransaction holding(desk, "Data_Wght");
        QVERIFY(holding.isActive());
        QProcess tool;
        tool.start(testkit::toolPath("tarvolen-admin"),
                   withCompany({"receipt", "cancel", "--ref", "2", "--reason", "twice",
                                "--supervisor", "sue", "--password-stdin"}));
        tool.write("check\n");
        tool.closeWriteChannel();
        QVERIFY(!tool.waitForFinished(1500));
        holding.rollback();
        QVERIFY(tool.waitForFinished(20000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        QCOMPARE(receipt2(), "gone");
    }
};

QTEST_GUILESS_MAIN(SupervisorToolTest)
#include "tst_supervisor.moc"

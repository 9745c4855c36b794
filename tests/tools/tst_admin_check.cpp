// tarvolen-admin check: an installation made by another program, without the indexes this
// tool creates or with a column missing, is reported; --fix adds the indexes and nothing else.

#include "AdminRun.h"
#include "TestEnv.h"

#include <QtTest>

using testkit::TestEnv;

namespace {
admintest::Run check(const TestEnv& env, QStringList more = {})
{
    admintest::Run run =
        admintest::runAdmin(QStringList{"check", "--data-root", env.dataRoot()} + more);
    run.out += run.err;
    return run;
}

QString indexesOf(const QString& file)
{
    return TestEnv::scalar(file, "SELECT group_concat(name, ' ') FROM (SELECT name FROM "
                                 "sqlite_master WHERE type = 'index' AND tbl_name = 'Data_Wght' "
                                 "ORDER BY name)")
        .toString();
}
} // namespace

class AdminCheckTest : public QObject {
    Q_OBJECT
private slots:
    void madeWithoutTheIndexes();
    void lacksThatFixLeavesAlone_data();
    void lacksThatFixLeavesAlone();
};

void AdminCheckTest::madeWithoutTheIndexes()
{
    TestEnv env;
    env.createInstallation();
    const QString file = env.companyFile();
    QCOMPARE(check(env).exitCode, 0);
    TestEnv::exec(file, "DROP INDEX Data_Wght_RefNo");
    TestEnv::exec(file, "DROP INDEX Data_Wght_Shift");
    TestEnv::exec(file, "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, DlySlNo) "
                        "VALUES (1, '2024-03-05', 2, 1), (2, '2024-03-05', 2, 2)");

    admintest::Run reported = check(env, {"--company", "CO1"});
    QCOMPARE(reported.exitCode, 1);
    QVERIFY2(reported.out.contains("missing index Data_Wght_RefNo on Data_Wght (RefNo), unique") &&
                 reported.out.contains(
                     "missing index Data_Wght_Shift on Data_Wght (RefDate, AmPm, DlySlNo)") &&
                 reported.out.contains("--fix"),
             qPrintable(reported.out));
    QCOMPARE(indexesOf(file), QString()); // reporting changes nothing

    admintest::Run fixed = check(env, {"--company", "CO1", "--fix"});
    QCOMPARE(fixed.exitCode, 0);
    QVERIFY2(fixed.out.contains("added index Data_Wght_RefNo"), qPrintable(fixed.out));
    QCOMPARE(indexesOf(file), QString("Data_Wght_RefNo Data_Wght_Shift"));
    QCOMPARE(TestEnv::scalar(file, "SELECT COUNT(*) FROM Data_Wght").toInt(), 2);

    admintest::Run again = check(env);
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out.count("nothing lacking"), 2); // Main.mdb and the company year
}

void AdminCheckTest::lacksThatFixLeavesAlone_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("told");
    QTest::newRow("a column missing") << "ALTER TABLE Data_Wght DROP COLUMN TruckRemarks"
                                      << "missing column Data_Wght.TruckRemarks";
    QTest::newRow("a table missing") << "DROP TABLE Mast_Milk"
                                     << "missing table Mast_Milk";
    // Named as the tool names it, but letting a receipt number be stored twice.
    QTest::newRow("RefNo index not unique")
        << "DROP INDEX Data_Wght_RefNo; CREATE INDEX Data_Wght_RefNo ON Data_Wght (RefNo)"
        << "missing index Data_Wght_RefNo on Data_Wght (RefNo), unique";
    // A unique index cannot be laid over numbers stored twice: told, nothing else done.
    QTest::newRow("RefNo stored twice")
        << "DROP INDEX Data_Wght_RefNo; INSERT INTO Data_Wght (RefNo) VALUES (5), (5)"
        << "could not add index Data_Wght_RefNo";
}

void AdminCheckTest::lacksThatFixLeavesAlone()
{
    QFETCH(QString, damage);
    QFETCH(QString, told);
    TestEnv env;
    env.createInstallation();
    for (const QString& statement : damage.split("; "))
        TestEnv::exec(env.companyFile(), statement);
    const admintest::Run fixed = check(env, {"--fix"});
    QCOMPARE(fixed.exitCode, 1);
    QVERIFY2(fixed.out.contains(told), qPrintable(fixed.out));
    QCOMPARE(check(env).exitCode, 1);
}

QTEST_GUILESS_MAIN(AdminCheckTest)
#include "tst_admin_check.moc"

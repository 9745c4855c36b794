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

} // namespace

class AdminCheckTest : public QObject {
    Q_OBJECT
private slots:
    void lacks_data();
    void lacks();
};

// An installation lacking what this tool makes, and what check and check --fix say of it.
void AdminCheckTest::lacks_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reported"); // by check, which changes nothing
    QTest::addColumn<QString>("fixed");    // by check --fix, which mends only missing indexes
    QTest::newRow("indexes missing")
        << "DROP INDEX Data_Wght_RefNo; DROP INDEX Data_Wght_Shift; INSERT INTO Data_Wght (RefNo, "
           "RefDate, AmPm, DlySlNo) VALUES (1, '2024-03-05', 2, 1), (2, '2024-03-05', 2, 2)"
        << "missing index Data_Wght_RefNo on Data_Wght (RefNo), unique\nmissing index "
           "Data_Wght_Shift on Data_Wght (RefDate, AmPm, DlySlNo)\n--fix"
        << "added index Data_Wght_RefNo";
    QTest::newRow("a column missing") << "ALTER TABLE Data_Wght DROP COLUMN TruckRemarks"
                                      << "missing column Data_Wght.TruckRemarks"
                                      << "missing column Data_Wght.TruckRemarks";
    QTest::newRow("a table missing") << "DROP TABLE Mast_Milk"
                                     << "missing table Mast_Milk"
                                     << "missing table Mast_Milk";
    // Named as the tool names it, but letting a receipt number be stored twice.
    QTest::newRow("RefNo index not unique")
        << "DROP INDEX Data_Wght_RefNo; CREATE INDEX Data_Wght_RefNo ON Data_Wght (RefNo)"
        << "missing index Data_Wght_RefNo on Data_Wght (RefNo), unique"
        << "missing index Data_Wght_RefNo on Data_Wght (RefNo), unique";
    // A unique index cannot be laid over numbers stored twice: told, nothing else done.
    QTest::newRow("RefNo stored twice")
        << "DROP INDEX Data_Wght_RefNo; INSERT INTO Data_Wght (RefNo) VALUES (5), (5)"
        << "missing index Data_Wght_RefNo"
        << "could not add index Data_Wght_RefNo";
}

void AdminCheckTest::lacks()
{
    QFETCH(QString, damage);
    QFETCH(QString, reported);
    QFETCH(QString, fixed);
    TestEnv env;
    env.createInstallation();
    QCOMPARE(check(env).exitCode, 0);
    for (const QString& statement : damage.split("; "))
        TestEnv::exec(env.companyFile(), statement);
    const auto before = admintest::filesUnder(env.dataRoot());
    const admintest::Run told = check(env, {"--company", "CO1"});
    QCOMPARE(told.exitCode, 1);
    for (const QString& part : reported.split('\n'))
        QVERIFY2(told.out.contains(part), qPrintable(told.out));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);

    const admintest::Run fix = check(env, {"--fix"});
    QVERIFY2(fix.out.contains(fixed), qPrintable(fix.out));
    if (!fixed.startsWith("added")) {
        QCOMPARE(fix.exitCode, 1);
        QCOMPARE(check(env).exitCode, 1);
        return;
    }
    QCOMPARE(fix.exitCode, 0);
    QCOMPARE(TestEnv::scalar(env.companyFile(),
                             "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master "
                             "WHERE type = 'index' AND tbl_name = 'Data_Wght' ORDER BY name)"),
             "Data_Wght_RefNo Data_Wght_Shift");
    QCOMPARE(TestEnv::scalar(env.companyFile(), "SELECT COUNT(*) FROM Data_Wght").toInt(), 2);
    const admintest::Run again = check(env);
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out.count("nothing lacking"), 2); // Main.mdb and the company year
}

QTEST_GUILESS_MAIN(AdminCheckTest)
#include "tst_admin_check.moc"

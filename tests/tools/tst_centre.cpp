// tarvolen-admin's users and companies, run as an installer runs it.

#include "AdminRun.h"
#include "Installation.h"
#include "TestEnv.h"
#include "platform/DsnRegistry.h"

#include <QtTest>

using admintest::filesUnder;
using admintest::runAdmin;
using testkit::TestEnv;

namespace {
QString text(const QString& file, const QString& sql)
{
    return TestEnv::scalar(file, sql).toString();
}
} // namespace

class CentreTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QCOMPARE(
            admin::initInstallation({m_env->programDir(), m_env->dataRoot(), false, false, {}}),
            QString());
    }
    void cleanup() { m_env.reset(); }

    void usersGetNextIdsAndTheirPasswordsAsTyped()
    {
        QCOMPARE(user({"add", "M\u00FCller", "--offer"}, "Cream 42\n").exitCode, 0);
        QCOMPARE(user({"add", " ravi ", "--full-name", "Ravi K"}, "x y\r\n").exitCode, 0);
        QCOMPARE(text(main(), "SELECT group_concat(Uid || ':' || UName || ':' || PWD || ':' || "
                              "SaveUser || ':' || Name, ' / ') FROM Pass"),
                 QString("1:M\u00FCller:Cream 42:1:M\u00FCller / 2:ravi:x y:0:Ravi K"));
        const auto run = user({"list"});
        QVERIFY2(run.out.contains("Ravi K") && run.out.contains("(may be offered)"),
                 qPrintable(run.out));
    }

    void refusesAUserItCannotAdd_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("error");
        QTest::newRow("the same name, ASCII in other case")
            << QStringList{"add", "OPERATOR"} << QByteArray("pw\n") << "exists already (id 1)";
        QTest::newRow("the same name, other case beyond ASCII")
            << QStringList{"add", "\u00C4RZTE"} << QByteArray("pw\n") << "exists already (id 2)";
        QTest::newRow("empty password")
            << QStringList{"add", "sam"} << QByteArray("\n") << "the password is empty";
        QTest::newRow("no terminal and no --password-stdin")
            << QStringList{"add", "sam", "--no-stdin"} << QByteArray("pw\n")
            << "no terminal to read the password from";
        QTest::newRow("password never from an argument")
            << QStringList{"add", "sam", "--password", "pw"} << QByteArray() << "Unknown option";
        QTest::newRow("no such user")
            << QStringList{"disable", "nobody"} << QByteArray() << "no user \"nobody\"";
    }
    void refusesAUserItCannotAdd()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, error);
        QCOMPARE(user({"add", "operator"}, "milk\n").exitCode, 0);
        QCOMPARE(user({"add", "\u00E4rzte"}, "milk\n").exitCode, 0);
        const auto before = filesUnder(m_env->root());
        const bool stdinPassword = !arguments.removeAll("--no-stdin");
        const auto run = runAdmin(
            QStringList{"user"} + arguments + QStringList{"--data-root", m_env->dataRoot()} +
                (stdinPassword && arguments[0] == "add" ? QStringList{"--password-stdin"}
                                                        : QStringList{}),
            input);
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QCOMPARE(filesUnder(m_env->root()), before);
    }

    void disabledUserIsNeitherAcceptedNorOffered()
    {
        QCOMPARE(user({"add", "ravi"}, "milk\n").exitCode, 0);
        QCOMPARE(user({"add", "asha"}, "curd\n").exitCode, 0);
        const QStringList offer{"set-offered", "ASHA", "--program-dir", m_env->programDir()};
        QCOMPARE(user(offer).exitCode, 0);
        QCOMPARE(text(m_env->serPathFile(), "SELECT group_concat(Uid) FROM Users"), QString("2"));
        QCOMPARE(text(main(), "SELECT SaveUser FROM Pass WHERE Uid = 2"), QString("1"));

        QCOMPARE(user({"disable", "Asha"}).exitCode, 0);
        QCOMPARE(text(main(), "SELECT COALESCE(PWD, 'null') || SaveUser FROM Pass WHERE Uid = 2"),
                 QString("null0"));
        QVERIFY(user({"list"}).out.contains("(disabled)"));
        QVERIFY(user(offer).err.contains("is disabled"));

        QCOMPARE(user({"set-password", "asha"}, "whey\n").exitCode, 0);
        QCOMPARE(text(main(), "SELECT PWD FROM Pass WHERE Uid = 2"), QString("whey"));
        QCOMPARE(text(main(), "SELECT PWD FROM Pass WHERE Uid = 1"), QString("milk"));

        // Without --program-dir, the folder the desk would find.
        qputenv("TARVOLEN_PROGRAM_DIR", m_env->programDir().toUtf8());
        const auto run = user({"set-offered", "ravi"});
        qunsetenv("TARVOLEN_PROGRAM_DIR");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(text(m_env->serPathFile(), "SELECT group_concat(Uid) FROM Users"), QString("1"));
    }

    void companyAddMakesAYearTheDeskCanWork()
    {
        const auto run = company({"add", "gv", "--name", "Green Vale", "--town", "Hilltown",
                                  "--year-start", "2024-04-01", "--year-end", "2025-03-31"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString file = m_env->companyFile("gv_2024");
        QCOMPARE(text(main(), "SELECT ComCode || '|' || Code || '|' || DbMst || '|' || YStart || "
                              "'|' || YEnd || '|' || ComName || '|' || Town FROM Years"),
                 QString("gv|1|gv_2024|2024-04-01|2025-03-31|Green Vale|Hilltown"));
        QCOMPARE(text(file, "SELECT COUNT(*) || '|' || COALESCE(ComLan, 'no link') FROM Sms_Add"),
                 QString("1|no link"));
        QCOMPARE(text(file, "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master "
                            "WHERE type = 'index' AND sql IS NOT NULL ORDER BY name)"),
                 QString("Data_Wght_RefNo Data_Wght_Shift Mast_RoutesSub_RouteDate "
                         "Mast_Villages_RouteCode Mast_Villages_RouteName"));
        QCOMPARE(text(file, "SELECT (SELECT COUNT(*) FROM Mast_Villages) + (SELECT COUNT(*) FROM "
                            "Mast_Routes) + (SELECT COUNT(*) FROM Data_Wght)"),
                 QString("0"));
        QCOMPARE(platform::dsnDatabase("QUENMOOR_gv_2024"), file);
    }

    void refusesACompanyItCannotAdd_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("error");
        const QString year = " --name N --year-start 2024-01-01 --year-end 2024-12-31";
        QTest::newRow("code exists in other case") << "add dairy1" + year << "exists already";
        QTest::newRow("database name taken")
            << "add NEW --db DAIRY1_2024" + year << "is taken by company DAIRY1";
        QTest::newRow("year ends before it starts")
            << "add NEW --name N --year-start 2024-12-31 --year-end 2024-01-01"
            << "the year must end (2024-01-01) after it starts (2024-12-31)";
        QTest::newRow("date in another form")
            << "add NEW --name N --year-start 1/1/2024 --year-end 2024-12-31"
            << "must be a date written YYYY-MM-DD";
        QTest::newRow("code with a blank") << "add \"A B\"" + year << "may hold only letters";
        QTest::newRow("no name") << "add NEW --year-start 2024-01-01 --year-end 2024-12-31"
                                 << "--name is required";
        QTest::newRow("new year of no such company") << "new-year NOPE"
                                                     << "no company \"NOPE\"";
        QTest::newRow("new year overlapping the latest")
            << "new-year DAIRY1 --year-start 2024-06-01"
            << "must start after the latest one ends";
    }
    void refusesACompanyItCannotAdd()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, error);
        m_env = std::make_unique<TestEnv>();
        QCOMPARE(admin::initInstallation(
                     {m_env->programDir(), m_env->dataRoot(), true, false, {2024, 3, 5}}),
                 QString());
        QStringList words = arguments.split(' ');
        if (words.contains("\"A"))
            words = QStringList{"add", "A B"} + words.mid(3);
        const auto before = filesUnder(m_env->root());
        const auto run = company(words);
        QVERIFY(run.exitCode > 0);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QCOMPARE(filesUnder(m_env->root()), before);
    }

    void companyListShowsEachCompanyOnceWithItsLatestYear()
    {
        QCOMPARE(company({"add", "B2", "--name", "Second", "--year-start", "2023-01-01",
                          "--year-end", "2023-12-31"})
                     .exitCode,
                 0);
        QCOMPARE(company({"add", "A1", "--name", "First", "--year-start", "2024-01-01",
                          "--year-end", "2024-12-31"})
                     .exitCode,
                 0);
        TestEnv::exec(m_env->companyFile("B2_2023"),
                      "INSERT INTO Data_Wght (RefNo, RefDate) VALUES (1, '2023-05-05')");
        const auto next = company({"new-year", "b2", "--name", "Second Union"});
        QVERIFY2(next.exitCode == 0, qPrintable(next.err));
        QVERIFY2(next.out.contains("(2024-01-01 to 2024-12-31)"), qPrintable(next.out));
        QCOMPARE(TestEnv::scalar(m_env->companyFile("B2_2024"), "SELECT COUNT(*) FROM Data_Wght")
                     .toInt(),
                 0);
        const QStringList lines = company({"list"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("A1 \"First\""), qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith("B2 \"Second Union\", year 2 (2024-01-01 to 2024-12-31)"),
                 qPrintable(lines[1]));
    }

    // Found as the desk finds it and said; refused in one line; closed to others or refused.
    void commandLines_data()
    {
        QTest::addColumn<QString>("setup"); // "exposed": Main.mdb readable by all; "year": A1
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told"); // %1 the program folder, %2 the data root
        const QStringList list{"company", "list"};
        QTest::newRow("found as the desk finds it")
            << "" << list << 0
            << "using the installation of %1 (found through TARVOLEN_PROGRAM_DIR), data root %2";
        QTest::newRow("a mistake") << "" << list + QStringList{"--bogus"} << 2
                                   << "Unknown option 'bogus'. (see tarvolen-admin company --help)";
        QTest::newRow("readable by all: refused")
            << "exposed" << list << 1 << "every user of this computer can read";
        QTest::newRow("readable by all: allowed")
            << "exposed" << list + QStringList{"--allow-world-readable"} << 0 << "data root %2";
        QTest::newRow("readable by all: check says so")
            << "exposed" << QStringList{"check"} << 1 << "Open to every user of this computer";
        QTest::newRow("a year that starts after today")
            << "year" << QStringList{"company", "new-year", "A1"} << 1
            << "every desk would switch to it at once and refuse today's date";
        QTest::newRow("a year that starts after today, forced")
            << "year" << QStringList{"company", "new-year", "A1", "--force", "--db", "A1_NEXT"} << 0
            << "Added year";
    }
    void commandLines()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        const QDate today = QDate::currentDate();
        if (setup == "year")
            QCOMPARE(company({"add", "A1", "--name", "A", "--year-start",
                              today.addDays(-30).toString(Qt::ISODate), "--year-end",
                              today.addDays(5).toString(Qt::ISODate)})
                         .exitCode,
                     0);
        if (setup == "exposed") {
            for (const QString& folder :
                 {m_env->root(), m_env->dataRoot(), m_env->dataRoot() + "/DataBas"})
                QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ExeOther);
            QFile::setPermissions(main(), QFile::permissions(main()) | QFile::ReadOther);
        }
        qputenv("TARVOLEN_PROGRAM_DIR", m_env->programDir().toUtf8());
        const auto run = runAdmin(arguments);
        qunsetenv("TARVOLEN_PROGRAM_DIR");
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(
            (run.out + run.err)
                .contains(told.replace("%1", m_env->programDir()).replace("%2", m_env->dataRoot())),
            qPrintable(run.out + run.err));
    }

    void everyCommandHasHelp_data()
    {
        QTest::addColumn<QStringList>("command");
        for (const char* words :
             {"user add", "user set-password", "user disable", "user list", "user set-offered",
              "company add", "company new-year", "company list", "import", "export"})
            QTest::newRow(words) << QString(words).split(' ');
    }
    void everyCommandHasHelp()
    {
        QFETCH(QStringList, command);
        const auto run = runAdmin(command + QStringList{"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("Usage: tarvolen-admin " + command.join(' ')),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("--data-root"));
    }

private:
    QString main() const { return m_env->mainFile(); }
    admintest::Run user(const QStringList& arguments, const QByteArray& input = {})
    {
        QStringList all =
            QStringList{"user"} + arguments + QStringList{"--data-root", m_env->dataRoot()};
        if (!input.isEmpty())
            all << "--password-stdin";
        return runAdmin(all, input);
    }
    admintest::Run company(const QStringList& arguments)
    {
        return runAdmin(QStringList{"company"} + arguments +
                        QStringList{"--data-root", m_env->dataRoot()});
    }

    std::unique_ptr<TestEnv> m_env;
};

QTEST_GUILESS_MAIN(CentreTest)
#include "tst_centre.moc"

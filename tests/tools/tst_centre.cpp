// tarvolen-admin's users and companies, run as an installer runs it.

#include "AdminRun.h"
#include "Installation.h"
#include "TestEnv.h"
#include "platform/DsnRegistry.h"

#include <QtTest>

using admintest::filesUnder;
using admintest::runAdmin;
using testkit::TestEnv;

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

    // Next ids, passwords as typed; a disabled user is neither accepted nor offered until
    // given a password again.
    void users()
    {
        QCOMPARE(user({"add", "M\u00FCller", "--offer"}, "Cream 42\n").exitCode, 0);
        QCOMPARE(user({"add", " ravi ", "--full-name", "Ravi K"}, "x y\r\n").exitCode, 0);
        QCOMPARE(text(main(), "SELECT group_concat(Uid || ':' || UName || ':' || PWD || ':' || "
                              "SaveUser || ':' || Name, ' / ') FROM Pass"),
                 QString("1:M\u00FCller:Cream 42:1:M\u00FCller / 2:ravi:x y:0:Ravi K"));
        const QString listed = user({"list"}).out;
        QVERIFY2(listed.contains("Ravi K") && listed.contains("(may be offered)"),
                 qPrintable(listed));

        const QStringList offer{"set-offered", "RAVI", "--program-dir", m_env->programDir()};
        QCOMPARE(user(offer).exitCode, 0);
        QCOMPARE(text(m_env->serPathFile(), "SELECT group_concat(Uid) FROM Users"), QString("2"));
        QCOMPARE(text(main(), "SELECT SaveUser FROM Pass WHERE Uid = 2"), QString("1"));

        QCOMPARE(user({"add", "sue", "--role", "Supervisor"}, "s\n").exitCode, 0);
        QCOMPARE(user({"set-role", "RAVI", "administrator"}).exitCode, 0);
        QCOMPARE(user({"set-role", "ravi", "boss"}).exitCode, 2);
        QCOMPARE(user({"set-role", "nobody", "supervisor"}).exitCode, 1);
        QCOMPARE(text(main(), "SELECT group_concat(UName || ':' || Role, ' ') FROM Tv_Users"),
                 QString("sue:supervisor ravi:administrator"));
        QCOMPARE(user({"set-language", "sue", "hi"}).exitCode, 0);
        QCOMPARE(user({"set-language", "sue", "ta"}).exitCode, 2);
        // A language comes with its compiled file, dropped into the installation.
        QVERIFY(QDir().mkpath(m_env->programDir() + "/translations"));
        QVERIFY(QFile::copy(testkit::toolPath("../share/tarvolen/translations/tarvolen_mr.qm"),
                            m_env->programDir() + "/translations/tarvolen_ta.qm"));
        QCOMPARE(
            user({"set-language", "ravi", "ta", "--program-dir", m_env->programDir()}).exitCode, 0);
        QCOMPARE(user({"set-language", "ravi", "mr"}).exitCode, 0);
        QCOMPARE(user({"set-language", "ravi", "en"}).exitCode, 0);
        QCOMPARE(text(main(), "SELECT group_concat(UName || ':' || Role || ':' || Lang, ' ') "
                              "FROM Tv_Users"),
                 QString("sue:supervisor:hi ravi:administrator:en"));
        QVERIFY(user({"list"}).out.contains(QRegularExpression("sue +supervisor +hi")));

        QCOMPARE(user({"disable", "Ravi"}).exitCode, 0);
        QCOMPARE(text(main(), "SELECT COALESCE(PWD, 'null') || SaveUser FROM Pass WHERE Uid = 2"),
                 QString("null0"));
        QVERIFY(user({"list"}).out.contains("(disabled)"));
        QVERIFY(user(offer).err.contains("is disabled"));

        QCOMPARE(user({"set-password", "ravi"}, "whey\n").exitCode, 0);
        QCOMPARE(text(main(), "SELECT group_concat(PWD, '|') FROM Pass"),
                 QString("Cream 42|whey|s"));

        // Without --program-dir, the folder the desk would find.
        qputenv("TARVOLEN_PROGRAM_DIR", m_env->programDir().toUtf8());
        const auto run = user({"set-offered", "m\u00FCller"});
        qunsetenv("TARVOLEN_PROGRAM_DIR");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(text(m_env->serPathFile(), "SELECT group_concat(Uid) FROM Users"), QString("1"));
    }

    void companies()
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
                         "Mast_Villages_RouteCode Mast_Villages_RouteName Tv_Audit_RefNo "
                         "Tv_Audit_Shift"));
        QCOMPARE(text(file, "SELECT (SELECT COUNT(*) FROM Mast_Villages) + (SELECT COUNT(*) FROM "
                            "Mast_Routes) + (SELECT COUNT(*) FROM Data_Wght)"),
                 QString("0"));
        QCOMPARE(platform::dsnDatabase("QUENMOOR_gv_2024"), file);

        // The next year starts empty of receipts; the list shows each company once, at its
        // latest year.
        TestEnv::exec(file, "INSERT INTO Data_Wght (RefNo, RefDate) VALUES (1, '2024-05-05')");
        QVERIFY(company({"add", "A1", "--name", "First", "--year-start", "2024-01-01", "--year-end",
                         "2024-12-31"})
                    .exitCode == 0);
        const auto next = company({"new-year", "GV", "--name", "Green Union"});
        QVERIFY2(next.exitCode == 0, qPrintable(next.err));
        QCOMPARE(text(m_env->companyFile("gv_2025"), "SELECT COUNT(*) FROM Data_Wght"), "0");
        const QStringList lines = company({"list"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("A1 \"First\""), qPrintable(lines[0]));
        QVERIFY2(
            lines[1].startsWith("gv \"Green Union\", Hilltown, year 2 (2025-04-01 to 2026-03-31)"),
            qPrintable(lines[1]));
    }

    // Found as the desk finds it and said; refused in one line with nothing written; closed to
    // others or refused.
    void commandLines_data()
    {
        QTest::addColumn<QString>("setup"); // "exposed": Main.mdb readable by all; "year": A1;
                                            // "demo": the demo centre and a user "\u00E4rzte"
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told"); // %1 the program folder, %2 the data root
        const auto row = [](const char* name, const QString& setup, const QStringList& arguments,
                            int exitCode, const QString& told, const QByteArray& input = {}) {
            QTest::newRow(name) << setup << arguments << input << exitCode << told;
        };
        const QStringList list{"company", "list"};
        row("found as the desk finds it", "", list, 0,
            "using the installation of %1 (found through TARVOLEN_PROGRAM_DIR), data root %2");
        row("a mistake", "", list + QStringList{"--bogus"}, 2,
            "Unknown option 'bogus'. (see tarvolen-admin company --help)");
        row("readable by all: refused", "exposed", list, 1, "every user of this computer can read");
        row("readable by all: allowed", "exposed", list + QStringList{"--allow-world-readable"}, 0,
            "data root %2");
        row("readable by all: check says so", "exposed", {"check"}, 1,
            "Open to every user of this computer");
        row("a year that starts after today", "year", {"company", "new-year", "A1"}, 1,
            "every desk would switch to it at once and refuse today's date");
        row("a year that starts after today, forced", "year",
            {"company", "new-year", "A1", "--force", "--db", "A1_NEXT"}, 0, "Added year");

        const QStringList add{"user", "add", "sam", "--password-stdin"};
        row("user name in other case, ASCII", "demo", {"user", "add", "OPERATOR", add[3]}, 1,
            "exists already (id 1)", "pw\n");
        row("user name in other case beyond ASCII", "demo", {"user", "add", "\u00C4RZTE", add[3]},
            1, "exists already (id 4)", "pw\n");
        row("empty password", "demo", add, 1, "the password is empty", "\n");
        row("no terminal and no --password-stdin", "demo", add.mid(0, 3), 1,
            "no terminal to read the password from", "pw\n");
        row("password never from an argument", "demo",
            add.mid(0, 3) << "--password"
                          << "pw",
            2, "Unknown option");
        row("no such user", "demo", {"user", "disable", "nobody"}, 1, "no user \"nobody\"");

        const auto company = [](const QString& words) {
            return QStringList{"company"} + words.split(' ');
        };
        const QString year = " --name N --year-start 2024-01-01 --year-end 2024-12-31";
        row("company code exists in other case", "demo", company("add dairy1" + year), 1,
            "exists already");
        row("database name taken", "demo", company("add NEW --db DAIRY1_2024" + year), 1,
            "is taken by company DAIRY1");
        row("year ends before it starts", "demo",
            company("add NEW --name N --year-start 2024-12-31 --year-end 2024-01-01"), 1,
            "the year must end (2024-01-01) after it starts (2024-12-31)");
        row("date in another form", "demo",
            company("add NEW --name N --year-start 1/1/2024 --year-end 2024-12-31"), 2,
            "must be a date written YYYY-MM-DD");
        row("code with a blank", "demo",
            QStringList{"company", "add", "A B"} + company(year).mid(2), 2,
            "may hold only letters");
        row("no name", "demo", company("add NEW --year-start 2024-01-01 --year-end 2024-12-31"), 2,
            "--name is required");
        row("new year of no such company", "demo", company("new-year NOPE"), 1,
            "no company \"NOPE\"");
        row("new year overlapping the latest", "demo",
            company("new-year DAIRY1 --year-start 2024-06-01"), 1,
            "must start after the latest one ends");
    }
    void commandLines()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        const QDate today = QDate::currentDate();
        if (setup == "demo") {
            m_env = std::make_unique<TestEnv>();
            QCOMPARE(admin::initInstallation(
                         {m_env->programDir(), m_env->dataRoot(), true, false, {2024, 3, 5}}),
                     QString());
            QCOMPARE(user({"add", "\u00E4rzte"}, "milk\n").exitCode, 0);
        }
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
        const auto before = filesUnder(m_env->root());
        qputenv("TARVOLEN_PROGRAM_DIR", m_env->programDir().toUtf8());
        const auto run = runAdmin(arguments, input);
        qunsetenv("TARVOLEN_PROGRAM_DIR");
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(
            (run.out + run.err)
                .contains(told.replace("%1", m_env->programDir()).replace("%2", m_env->dataRoot())),
            qPrintable(run.out + run.err));
        if (exitCode != 0)
            QCOMPARE(filesUnder(m_env->root()), before);
    }

    void everyCommandHasHelp()
    {
        for (const char* words :
             {"user add", "user set-password", "user disable", "user list", "user set-offered",
              "user set-role", "company add", "company new-year", "company list", "import",
              "export", "receipt correct", "receipt cancel", "audit"}) {
            const auto run = runAdmin(QString(words).split(' ') << "--help");
            QVERIFY2(run.exitCode == 0 &&
                         run.out.startsWith(QString("Usage: tarvolen-admin ") + words) &&
                         run.out.contains("--data-root"),
                     words);
        }
    }

private:
    QString main() const { return m_env->mainFile(); }
    static QString text(const QString& file, const QString& sql)
    {
        return TestEnv::scalar(file, sql).toString();
    }
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

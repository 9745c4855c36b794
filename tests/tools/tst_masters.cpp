// Masters as files: the CSV reader and writer, the rules an import checks, and imports and
// exports through the tool on files as spreadsheets write them.

#include "AdminRun.h"
#include "Csv.h"
#include "Installation.h"
#include "Masters.h"
#include "TestEnv.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using admin::masters::Kind;
using admintest::runAdmin;
using testkit::TestEnv;

namespace {
// Records as "line: field|field|...", one a line.
QString shown(const admin::csv::Table& table)
{
    QStringList lines{QString("%1: %2").arg(table.header.line).arg(table.header.fields.join('|'))};
    for (const auto& record : table.records)
        lines << QString("%1: %2").arg(record.line).arg(record.fields.join('|'));
    return lines.join('\n');
}

admin::csv::Table table(const QByteArray& bytes)
{
    admin::csv::Table parsed; // a file it refuses leaves nothing to plan
    admin::csv::parse(bytes, &parsed);
    return parsed;
}

// What a spreadsheet saves as "CSV UTF-8": a byte-order mark, CRLF, quotes where needed.
const QByteArray kVillages = "\xEF\xBB\xBF"
                             "code,name,route,active\r\n"
                             "101,\"Ashford, Upper\",1,1\r\n"
                             "102,\"O'Neil \"\"Old\"\" Farm\",1,1\r\n"
                             "103,M\xC3\xBChlbach,2,0\r\n"
                             "104,\xE0\xA4\xB0\xE0\xA4\xBE\xE0\xA4\xAE\xE0\xA4\xAA\xE0\xA5\x81"
                             "\xE0\xA4\xB0,2,1\r\n";
} // namespace

class MastersTest : public QObject {
    Q_OBJECT
private slots:
    // Records as read, or the start of the error that refuses the file.
    void csvReads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("records");
        QTest::newRow("byte-order mark, CRLF") << QByteArray("\xEF\xBB\xBF"
                                                             "code,name\r\n1,Ashford\r\n")
                                               << "1: code|name\n2: 1|Ashford";
        QTest::newRow("quoted comma, doubled quotes")
            << QByteArray("c,n\n7,\"O'Neil, \"\"Upper\"\" Farm\"\n")
            << "1: c|n\n2: 7|O'Neil, \"Upper\" Farm";
        QTest::newRow("a line break inside quotes; lines still counted")
            << QByteArray("c,n\r\n1,\"a\r\nb\"\r\n2,c") << "1: c|n\n2: 1|a\nb\n4: 2|c";
        QTest::newRow("blank lines left out, empty fields kept")
            << QByteArray("c,n,r\n\n,,\"\"\n\r\n3,x,\n") << "1: c|n|r\n3: ||\n5: 3|x|";
        QTest::newRow("non-ASCII")
            << QByteArray("n\nM\xC3\xBChlbach\n") << QString("1: n\n2: M\u00FChlbach");
        QTest::newRow("quote never closed")
            << QByteArray("c,n\n1,\"open\n2,x\n") << "line 2: a quoted field that never ends";
        QTest::newRow("not UTF-8") << QByteArray("c,n\n1,M\xFChl\n") << "line 2: the file is not";
        QTest::newRow("text after a closing quote")
            << QByteArray("c,n\n1,\"a\"b\n") << "line 2: text after the closing quote";
        QTest::newRow("empty file")
            << QByteArray("\xEF\xBB\xBF\r\n") << "line 1: the file is empty";
    }
    void csvReads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, records);
        admin::csv::Table parsed;
        const QString error = admin::csv::parse(bytes, &parsed);
        QCOMPARE(error.isEmpty() ? shown(parsed) : error.left(records.size()), records);
    }

    // Quotes where a spreadsheet would trim or split; the export test has the rest.
    void csvWrites()
    {
        QCOMPARE(admin::csv::write({"a", "b"}, {{" lead", "two\nlines"}}),
                 QByteArray("a,b\r\n\" lead\",\"two\nlines\"\r\n"));
    }

    // Each bad line is reported with its line and reason; the good lines around it are not.
    // Vehicle periods meet those stored: route 1 from 2023-01-01 to 06-30 (K1) and on (K2).
    void planRefuses_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problems");
        const auto row = [](const char* name, Kind kind, const QByteArray& bytes,
                            const QString& problems) {
            QTest::newRow(name) << int(kind) << bytes << problems;
        };
        const Kind villages = Kind::Villages, vehicles = Kind::Vehicles;
        row("village on a route that does not exist", villages,
            "code,name,route,active\n1,A,1,1\n2,B,7,1\n", "3: route 7 does not exist");
        row("duplicate code, other letter case", villages,
            "code,name,route\nab1,A,1\n2,B,1\nAB1,C,1\n",
            "4: village code AB1 appears again (first on line 2)");
        row("empty name, blanks only", villages, "code,name,route,active\n1,\"  \",1,1\n",
            "2: the village name is empty");
        row("active neither yes nor no", villages, "code,name,route,active\n1,A,1,maybe\n",
            "2: active must be 1 or 0");
        row("fields missing on a line", villages, "code,name,route,active\n1,A\n",
            "2: 2 fields where");
        row("header without the route", villages, "code,name,active\n1,A,1\n",
            "1: the header has no column \"route\"");
        row("vehicle period ends before it starts", vehicles,
            "route,from,to,vehicle\n1,2024-03-05,2024-03-04,KA 1\n",
            "2: the period ends (2024-03-04) before it starts (2024-03-05)");
        row("vehicle periods of one route overlapping by a day", vehicles,
            "route,from,to,vehicle\n1,2024-01-01,2024-03-05,K1\n2,2024-01-01,2024-12-31,K2\n"
            "1,2024-03-05,2024-12-31,K3\n",
            "4: the period from 2024-03-05 to 2024-12-31 overlaps that of vehicle K1 on route 1 "
            "from 2024-01-01 to 2024-03-05 (line 2)");
        row("a stored period stretched into the next stored one", vehicles,
            "route,from,to,vehicle\n1,2023-01-01,2023-07-01,K1\n",
            "2: the period from 2023-01-01 to 2023-07-01 overlaps that of vehicle K2 on route 1 "
            "from 2023-07-01 to 2023-12-31 (kept in the database)");
        row("a stored period ended early, the next one added after it", vehicles,
            "route,from,to,vehicle\n1,2023-01-01,2023-03-31,K1\n1,2023-04-01,2023-06-30,K9\n", "");
        row("vehicle date in another form", vehicles,
            "route,from,to,vehicle\n1,05/03/2024,2024-04-01,K\n",
            "2: the from date must be written YYYY-MM-DD");
        row("route code not a number, route name empty", Kind::Routes,
            "code,name,active\nR1,East,1\n2,,1\n",
            "2: the route code must be a whole number\n3: the route name is empty");
        row("route code 0", Kind::Routes, "code,name,active\n0,Zero,1\n",
            "2: the route code must be a whole number from 1 to 32767");
        row("a one-day vehicle period is no fault", vehicles,
            "route,from,to,vehicle\n1,2024-03-05,2024-03-05,K\n", "");
        row("milk type code twice", Kind::MilkTypes, "code,name\n1,Cow\n01,Mixed\n",
            "3: milk type code 1 appears again");
    }
    void planRefuses()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problems);
        QList<admin::masters::Row> stored;
        if (Kind(kind) == Kind::Vehicles)
            stored = {{{"1", "2023-01-01", "2023-06-30", "K1"}, 1},
                      {{"1", "2023-07-01", "2023-12-31", "K2"}, 2}};
        const auto plan = admin::masters::plan(Kind(kind), table(bytes), stored, {1, 2});
        QStringList got;
        for (const auto& problem : plan.problems)
            got << QString("%1: %2").arg(problem.line).arg(problem.reason);
        const QStringList wanted = problems.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), wanted.size());
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(got[i].startsWith(wanted[i]), qPrintable(got[i]));
    }

    void importExportImport();
    void refusesWhatItCannotDo_data();
    void refusesWhatItCannotDo();
    void groupDecidesWhoWorks_data();
    void groupDecidesWhoWorks();

private:
    QStringList on(const TestEnv& env, const QString& command, const QString& kind,
                   const QString& file) const
    {
        return {command, kind, "--data-root", env.dataRoot(), "--company", "CO1", file};
    }
    // A company year with routes 1 and 2 (the second inactive); a good villages file.
    QString withRoutes(TestEnv& env) const
    {
        admintest::writeFile(env.root() + "/good.csv", "code,name,route\n1,A,1\n");
        env.createInstallation();
        TestEnv::exec(env.companyFile(), "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) "
                                         "VALUES (1, 'East Ridge', 0), (2, 'River Road', 1)");
        return env.root() + "/good.csv";
    }
};

// Imported, exported as the same bytes, imported again with nothing written; then renamed and
// moved with the reference number a receipt holds kept. Vehicle periods updated in place.
void MastersTest::importExportImport()
{
    TestEnv env;
    withRoutes(env);
    const QString in = env.root() + "/villages.csv", back = env.root() + "/back.csv";
    const auto scalar = [&env](const QString& sql) {
        return TestEnv::scalar(env.companyFile(), sql).toString();
    };
    QVERIFY(admintest::writeFile(in, kVillages));
    admintest::Run run = runAdmin(on(env, "import", "villages", in));
    QVERIFY2(run.out.contains("4 added, 0 updated, 0 unchanged"), qPrintable(run.out + run.err));
    QCOMPARE(scalar("SELECT group_concat(VRefNo || '|' || VName || '|' || RtRefNo || '|' || "
                    "InAct, '/') FROM Mast_Villages WHERE VCode IN ('102', '103')"),
             QString("2|O'Neil \"Old\" Farm|1|0/3|M\u00FChlbach|2|1"));

    QCOMPARE(runAdmin(on(env, "export", "villages", back)).exitCode, 0);
    QCOMPARE(admintest::readFile(back), kVillages); // the same bytes a spreadsheet wrote
    run = runAdmin(on(env, "export", "villages", "-"));
    QCOMPARE(run.out.toUtf8(), kVillages.mid(3)); // standard output: no byte-order mark
    auto before = admintest::filesUnder(env.dataRoot());
    run = runAdmin(on(env, "import", "villages", back));
    QVERIFY2(run.out.contains("0 added, 0 updated, 4 unchanged"), qPrintable(run.out + run.err));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);

    TestEnv::exec(env.companyFile(), "INSERT INTO Data_Wght (RefNo, VRefNo) VALUES (1, 2)");
    before = admintest::filesUnder(env.dataRoot());
    // Renamed, moved to route 2 and one village added before it in the file.
    QVERIFY(admintest::writeFile(in, "code,name,route,active\r\n100,First,1,1\r\n"
                                     "102,O'Neil Farm,2,yes\r\n"));
    run = runAdmin(on(env, "import", "villages", in) << "--dry-run");
    QVERIFY2(run.out.contains("line 3: update village 102 \"O'Neil Farm\" on route 2 (name was "
                              "\"O'Neil \"Old\" Farm\", route was \"1\")") &&
                 run.out.contains("1 to add, 1 to update, 0 unchanged (dry run"),
             qPrintable(run.out + run.err));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
    QCOMPARE(runAdmin(on(env, "import", "villages", in)).exitCode, 0);
    QCOMPARE(scalar("SELECT v.VRefNo || '|' || v.VName || '|' || v.RtRefNo || '|' || InAct FROM "
                    "Data_Wght d JOIN Mast_Villages v ON v.VRefNo = d.VRefNo"),
             QString("2|O'Neil Farm|2|0"));
    // The next free number, not one a receipt may hold.
    QCOMPARE(scalar("SELECT VRefNo FROM Mast_Villages WHERE VCode = '100'"), QString("5"));

    // A vehicle period has no number of its own: the import finds it by its route and first day.
    const QByteArray head = "route,from,to,vehicle\r\n1,2024-01-01,2024-06-30,KA 1\r\n";
    QVERIFY(admintest::writeFile(in, head + "1,2024-07-01,2024-12-31,KA 2\r\n"));
    QCOMPARE(runAdmin(on(env, "import", "vehicles", in)).exitCode, 0);
    QVERIFY(admintest::writeFile(in, "route,from,to,vehicle\r\n1,2024-07-01,2024-11-30,KA 9\r\n"));
    run = runAdmin(on(env, "import", "vehicles", in));
    QVERIFY2(run.out.contains("0 added, 1 updated, 0 unchanged"), qPrintable(run.out + run.err));
    QCOMPARE(runAdmin(on(env, "export", "vehicles", "-")).out.toUtf8(),
             head + "1,2024-07-01,2024-11-30,KA 9\r\n");
}

void MastersTest::refusesWhatItCannotDo_data()
{
    QTest::addColumn<QString>("arguments"); // D: data root, F: a good file, B: a bad one
    QTest::addColumn<QString>("error");
    QTest::newRow("no such company") << "import villages --data-root D --company CO9 F"
                                     << "no company \"CO9\"";
    QTest::newRow("unknown kind") << "import farmers --data-root D --company CO1 F"
                                  << "\"farmers\" is not one of";
    QTest::newRow("no company given") << "export villages --data-root D F"
                                      << "--company is required";
    QTest::newRow("no installation") << "export routes --data-root D/none --company CO1 -"
                                     << "no installation under";
    // Every bad line is told (planRefuses has the reasons); nothing of the good ones written.
    QTest::newRow("bad lines among good ones")
        << "import villages --data-root D --company CO1 B"
        << "B:5: village code 1 appears again (first on line 2)\nB:3: route 9 does not exist";
    QTest::newRow("file not there") << "import villages --data-root D --company CO1 D/none.csv"
                                    << "cannot read";
    // A desk in the middle of writing a receipt holds the year: waited for as long as the desk
    // would wait, then given up.
    QTest::newRow("year held by a desk") << "import villages --data-root D --company CO1 F LOCKED"
                                         << "locked\nNothing was written";
}
void MastersTest::refusesWhatItCannotDo()
{
    QFETCH(QString, arguments);
    QFETCH(QString, error);
    TestEnv env;
    const QString file = withRoutes(env);
    const QString bad = env.root() + "/bad.csv";
    QVERIFY(
        admintest::writeFile(bad, "code,name,route\r\n1,Good,1\r\n2,Lost,9\r\n4,B,2\r\n1,X,1\r\n"));
    QStringList words = arguments.split(' ');
    words.replaceInStrings(QRegularExpression("^D"), env.dataRoot());
    words.replaceInStrings(QRegularExpression("^F$"), file)
        .replaceInStrings(QRegularExpression("^B$"), bad);
    // Taken before the desk holds the year: reading the file here would let go of its lock.
    const auto before = admintest::filesUnder(env.dataRoot());
    QSqlDatabase desk = QSqlDatabase::addDatabase("QSQLITE", "desk");
    desk.setDatabaseName(env.companyFile());
    if (words.removeAll("LOCKED"))
        QVERIFY(desk.open() && QSqlQuery(desk).exec("BEGIN IMMEDIATE"));
    const admintest::Run run = runAdmin(words);
    QVERIFY(run.exitCode > 0);
    for (const QString& told : error.replace("B:", bad + ":").split('\n'))
        QVERIFY2(run.err.contains(told), qPrintable(run.err));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
    desk.close();
    desk = QSqlDatabase();
    QSqlDatabase::removeDatabase("desk");
}

// The installation's group decides: a member imports; an outsider reads nothing and is told
// why; a file the group may only read is refused in words. Nothing is written when refused.
void MastersTest::groupDecidesWhoWorks_data()
{
    QTest::addColumn<bool>("member");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<QString>("told"); // empty: the import works
    QTest::newRow("member") << true << 0660 << "";
    QTest::newRow("outsider") << false << 0660
                              << "You cannot read the database %1: its folder %2 belongs to the "
                                 "group %3, and you are not in it. Ask to be added to the group %3";
    QTest::newRow("member, file closed to the group")
        << true << 0640
        << "You cannot write to the database %4: it belongs to the group %3, which "
           "may not change it";
}

void MastersTest::groupDecidesWhoWorks()
{
    if (!testkit::LocalUsers::canMake())
        QSKIP("needs root to make a group and its users");
    QFETCH(bool, member);
    QFETCH(int, fileMode);
    QFETCH(QString, told);
    testkit::LocalUsers users;
    const QString user = users.addUser(member);
    TestEnv env;
    const QString file = withRoutes(env);
    QVERIFY(chmod(QFile::encodeName(env.root()), 0755) == 0 &&
            chmod(QFile::encodeName(file), 0644) == 0);
    const QString folder = env.dataRoot() + "/DataBas";
    for (const QString& path : {env.dataRoot(), folder, env.mainFile(), env.companyFile()}) {
        QCOMPARE(chown(QFile::encodeName(path), 0, users.gid()), 0);
        QCOMPARE(chmod(QFile::encodeName(path), QFileInfo(path).isDir() ? 02770 : fileMode), 0);
    }
    const auto before = admintest::filesUnder(env.dataRoot());

    const admintest::Run run = admintest::runAdminAs(user, on(env, "import", "villages", file));
    if (told.isEmpty()) {
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(TestEnv::scalar(env.companyFile(), "SELECT VName FROM Mast_Villages"), "A");
        return;
    }
    told.replace("%1", env.mainFile()).replace("%2", env.dataRoot());
    told.replace("%3", users.group()).replace("%4", env.companyFile());
    QVERIFY2(run.exitCode > 0 && run.err.contains(told), qPrintable(run.err));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
}

QTEST_GUILESS_MAIN(MastersTest)
#include "tst_masters.moc"

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
    admin::csv::Table parsed;
    const QString error = admin::csv::parse(bytes, &parsed);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
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
    }
    void csvReads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, records);
        QCOMPARE(shown(table(bytes)), records);
    }

    void csvRefuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("quote never closed")
            << QByteArray("c,n\n1,\"open\n2,x\n") << "line 2: a quoted field that never ends";
        QTest::newRow("not UTF-8") << QByteArray("c,n\n1,M\xFChl\n") << "line 2: the file is not";
        QTest::newRow("text after a closing quote")
            << QByteArray("c,n\n1,\"a\"b\n") << "line 2: text after the closing quote";
        QTest::newRow("empty file")
            << QByteArray("\xEF\xBB\xBF\r\n") << "line 1: the file is empty";
    }
    void csvRefuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        admin::csv::Table parsed;
        const QString got = admin::csv::parse(bytes, &parsed);
        QVERIFY2(got.startsWith(error), qPrintable(got));
    }

    void csvWritesWhatItReads()
    {
        const QList<QStringList> records{{"1", "Ashford, Upper", " lead"},
                                         {"2", "say \"hi\"", "two\nlines"},
                                         {"3", "M\u00FChlbach", ""}};
        const QByteArray bytes = admin::csv::write({"a", "b", "c"}, records);
        QVERIFY(bytes.startsWith("a,b,c\r\n1,\"Ashford, Upper\",\" lead\"\r\n"));
        const admin::csv::Table back = table(bytes);
        QList<QStringList> fields;
        for (const auto& record : back.records)
            fields << record.fields;
        QCOMPARE(fields, records);
    }

    // Each bad line is reported with its line and reason; the good lines around it are not.
    void planRefuses_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problems");
        const int villages = int(Kind::Villages);
        QTest::newRow("village on a route that does not exist")
            << villages << QByteArray("code,name,route,active\n1,A,1,1\n2,B,7,1\n")
            << "3: route 7 does not exist";
        QTest::newRow("duplicate code, other letter case")
            << villages << QByteArray("code,name,route\nab1,A,1\n2,B,1\nAB1,C,1\n")
            << "4: village code AB1 appears again (first on line 2)";
        QTest::newRow("empty name, blanks only")
            << villages << QByteArray("code,name,route,active\n1,\"  \",1,1\n")
            << "2: the village name is empty";
        QTest::newRow("active neither yes nor no")
            << villages << QByteArray("code,name,route,active\n1,A,1,maybe\n")
            << "2: active must be 1 or 0";
        QTest::newRow("fields missing on a line")
            << villages << QByteArray("code,name,route,active\n1,A\n") << "2: 2 fields where";
        QTest::newRow("header without the route")
            << villages << QByteArray("code,name,active\n1,A,1\n")
            << "1: the header has no column \"route\"";
        QTest::newRow("vehicle period ends before it starts")
            << int(Kind::Vehicles)
            << QByteArray("route,from,to,vehicle\n1,2024-03-05,2024-03-04,KA 1\n")
            << "2: the period ends (2024-03-04) before it starts (2024-03-05)";
        QTest::newRow("vehicle periods of one route overlapping by a day")
            << int(Kind::Vehicles)
            << QByteArray("route,from,to,vehicle\n1,2024-01-01,2024-03-05,K1\n"
                          "2,2024-01-01,2024-12-31,K2\n1,2024-03-05,2024-12-31,K3\n")
            << "4: the period from 2024-03-05 to 2024-12-31 overlaps that of vehicle K1 on route "
               "1 from 2024-01-01 to 2024-03-05 (line 2)";
        QTest::newRow("vehicle date in another form")
            << int(Kind::Vehicles)
            << QByteArray("route,from,to,vehicle\n1,05/03/2024,2024-04-01,K\n")
            << "2: the from date must be written YYYY-MM-DD";
        QTest::newRow("route code not a number, route name empty")
            << int(Kind::Routes) << QByteArray("code,name,active\nR1,East,1\n2,,1\n")
            << "2: the route code must be a whole number\n3: the route name is empty";
        QTest::newRow("route code 0")
            << int(Kind::Routes) << QByteArray("code,name,active\n0,Zero,1\n")
            << "2: the route code must be a whole number from 1 to 32767";
        QTest::newRow("a one-day vehicle period is no fault")
            << int(Kind::Vehicles)
            << QByteArray("route,from,to,vehicle\n1,2024-03-05,2024-03-05,K\n") << "";
        QTest::newRow("milk type code twice")
            << int(Kind::MilkTypes) << QByteArray("code,name\n1,Cow\n01,Mixed\n")
            << "3: milk type code 1 appears again";
    }
    void planRefuses()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problems);
        const auto plan = admin::masters::plan(Kind(kind), table(bytes), {}, QSet<qint64>{1, 2});
        QStringList got;
        for (const auto& problem : plan.problems)
            got << QString("%1: %2").arg(problem.line).arg(problem.reason);
        const QStringList wanted = problems.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), wanted.size());
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(got[i].startsWith(wanted[i]), qPrintable(got[i]));
    }

    void planMatchesByCode()
    {
        const QList<admin::masters::Row> stored{{{"101", "Ashford", "1", "1"}, 7},
                                                {{"102", "Bellwood", "1", "1"}, 8}};
        const auto plan = admin::masters::plan(
            Kind::Villages,
            table(
                "code,name,route,active\n101,Ashford,1,1\n102,Bellwood Cross,2,yes\n103,New,1,0\n"),
            stored, {1, 2});
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(plan.unchanged, 1);
        QCOMPARE(plan.changes.size(), 2);
        QCOMPARE(plan.changes[0].ref, 8); // the update keeps its reference number
        QVERIFY(!plan.changes[0].add);
        QCOMPARE(admin::masters::describe(Kind::Villages, plan.changes[0]),
                 QString("line 3: update village 102 \"Bellwood Cross\" on route 2 (name was "
                         "\"Bellwood\", route was \"1\")"));
        QVERIFY(plan.changes[1].add);
        QCOMPARE(plan.changes[1].fields, (QStringList{"103", "New", "1", "0"}));
    }

    void vehicleOverlappingTheDatabase()
    {
        const QList<admin::masters::Row> stored{{{"1", "2024-01-01", "2024-06-30", "K1"}, 1},
                                                {{"1", "2024-07-01", "2024-12-31", "K2"}, 2}};
        const QByteArray header = "route,from,to,vehicle\n";
        // Ending the first period early and the second one starting on the next day is fine;
        // stretching the first into the second is not.
        auto plan = admin::masters::plan(
            Kind::Vehicles,
            table(header + "1,2024-01-01,2024-03-31,K1\n1,2024-04-01,2024-06-30,K9\n"), stored,
            {1});
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(plan.changes.size(), 2);
        plan = admin::masters::plan(Kind::Vehicles, table(header + "1,2024-01-01,2024-07-01,K1\n"),
                                    stored, {1});
        QCOMPARE(plan.problems.size(), 1);
        QVERIFY2(plan.problems[0].reason.endsWith("vehicle K2 on route 1 from 2024-07-01 to "
                                                  "2024-12-31 (kept in the database)"),
                 qPrintable(plan.problems[0].reason));
    }

    void importExportImport();
    void importKeepsWhatReceiptsPointTo();
    void vehiclePeriodUpdatedByRouteAndFirstDay();
    void lockedYearIsRefusedAfterTheWait();
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
    // A company year with routes 1 and 2 (the second inactive).
    void withRoutes(TestEnv& env) const
    {
        env.createInstallation();
        TestEnv::exec(env.companyFile(), "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) "
                                         "VALUES (1, 'East Ridge', 0), (2, 'River Road', 1)");
    }
};

void MastersTest::importExportImport()
{
    TestEnv env;
    withRoutes(env);
    const QString in = env.root() + "/villages.csv", back = env.root() + "/back.csv";
    QVERIFY(admintest::writeFile(in, kVillages));
    admintest::Run run = runAdmin(on(env, "import", "villages", in));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("4 added, 0 updated, 0 unchanged"), qPrintable(run.out));
    QCOMPARE(TestEnv::scalar(env.companyFile(),
                             "SELECT VRefNo || '|' || VName || '|' || RtRefNo || '|' || InAct "
                             "FROM Mast_Villages WHERE VCode = '102'")
                 .toString(),
             QString("2|O'Neil \"Old\" Farm|1|0"));
    QCOMPARE(TestEnv::scalar(env.companyFile(), "SELECT InAct FROM Mast_Villages WHERE VCode = "
                                                "'103'")
                 .toInt(),
             1);

    run = runAdmin(on(env, "export", "villages", back));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(admintest::readFile(back), kVillages); // the same bytes a spreadsheet wrote
    run = runAdmin(on(env, "export", "villages", "-"));
    QCOMPARE(run.out.toUtf8(), kVillages.mid(3)); // standard output: no byte-order mark

    const auto before = admintest::filesUnder(env.dataRoot());
    run = runAdmin(on(env, "import", "villages", back));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("0 added, 0 updated, 4 unchanged"), qPrintable(run.out));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
}

void MastersTest::importKeepsWhatReceiptsPointTo()
{
    TestEnv env;
    withRoutes(env);
    const QString file = env.root() + "/villages.csv";
    QVERIFY(admintest::writeFile(file, kVillages));
    QCOMPARE(runAdmin(on(env, "import", "villages", file)).exitCode, 0);
    const QString refOf102 = "SELECT VRefNo FROM Mast_Villages WHERE VCode = '102'";
    const int ref = TestEnv::scalar(env.companyFile(), refOf102).toInt();
    TestEnv::exec(env.companyFile(),
                  "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, VRefNo) VALUES (1, '2024-03-05', "
                  "2, ?)",
                  {ref});

    // Renamed, moved to route 2 and one village added before it in the file.
    QVERIFY(admintest::writeFile(file, "code,name,route,active\r\n100,First,1,1\r\n"
                                       "102,O'Neil Farm,2,1\r\n"));
    const auto before = admintest::filesUnder(env.dataRoot());
    admintest::Run run = runAdmin(on(env, "import", "villages", file) << "--dry-run");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("line 3: update village 102 \"O'Neil Farm\" on route 2 (name was "
                              "\"O'Neil \"Old\" Farm\", route was \"1\")"),
             qPrintable(run.out));
    QVERIFY2(run.out.contains("1 to add, 1 to update, 0 unchanged (dry run"), qPrintable(run.out));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);

    run = runAdmin(on(env, "import", "villages", file));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(TestEnv::scalar(env.companyFile(), refOf102).toInt(), ref);
    QCOMPARE(TestEnv::scalar(env.companyFile(),
                             "SELECT v.VName || '|' || v.RtRefNo FROM Data_Wght d JOIN "
                             "Mast_Villages v ON v.VRefNo = d.VRefNo")
                 .toString(),
             QString("O'Neil Farm|2"));
    QCOMPARE(TestEnv::scalar(env.companyFile(), "SELECT VRefNo FROM Mast_Villages WHERE VCode = "
                                                "'100'")
                 .toInt(),
             5); // the next free number, not one a receipt may hold
}

// A vehicle period has no number of its own: the import finds it by its route and first day.
void MastersTest::vehiclePeriodUpdatedByRouteAndFirstDay()
{
    TestEnv env;
    withRoutes(env);
    const QString file = env.root() + "/vehicles.csv";
    QVERIFY(admintest::writeFile(file, "route,from,to,vehicle\r\n1,2024-01-01,2024-06-30,KA 1\r\n"
                                       "1,2024-07-01,2024-12-31,KA 2\r\n"));
    QCOMPARE(runAdmin(on(env, "import", "vehicles", file)).exitCode, 0);
    QVERIFY(
        admintest::writeFile(file, "route,from,to,vehicle\r\n1,2024-07-01,2024-11-30,KA 9\r\n"));
    admintest::Run run = runAdmin(on(env, "import", "vehicles", file));
    QVERIFY2(run.exitCode == 0 && run.out.contains("0 added, 1 updated, 0 unchanged"),
             qPrintable(run.out + run.err));
    QCOMPARE(
        TestEnv::scalar(env.companyFile(),
                        "SELECT group_concat(RTRefNo || ' ' || SDate || ' ' || EDate || ' ' || "
                        "RTVehNo, ',') FROM (SELECT * FROM Mast_RoutesSub ORDER BY SDate)")
            .toString(),
        QString("1 2024-01-01 2024-06-30 KA 1,1 2024-07-01 2024-11-30 KA 9"));
    run = runAdmin(on(env, "export", "vehicles", "-"));
    QCOMPARE(run.out, QString("route,from,to,vehicle\r\n1,2024-01-01,2024-06-30,KA 1\r\n"
                              "1,2024-07-01,2024-11-30,KA 9\r\n"));
}

// A desk in the middle of writing a receipt holds the year; the import waits for it as long as
// the desk would, then gives up with nothing written.
void MastersTest::lockedYearIsRefusedAfterTheWait()
{
    TestEnv env;
    withRoutes(env);
    const QString file = env.root() + "/good.csv";
    QVERIFY(admintest::writeFile(file, "code,name,route\n1,A,1\n"));
    admintest::Run run;
    {
        QSqlDatabase desk = QSqlDatabase::addDatabase("QSQLITE", "desk");
        desk.setDatabaseName(env.companyFile());
        QVERIFY(desk.open());
        QVERIFY(QSqlQuery(desk).exec("BEGIN IMMEDIATE"));
        run = runAdmin(on(env, "import", "villages", file));
        QSqlQuery(desk).exec("ROLLBACK");
        desk.close();
    }
    QSqlDatabase::removeDatabase("desk");
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains("locked") && run.err.contains("Nothing was written"),
             qPrintable(run.err));
    QCOMPARE(TestEnv::scalar(env.companyFile(), "SELECT COUNT(*) FROM Mast_Villages").toInt(), 0);
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
}
void MastersTest::refusesWhatItCannotDo()
{
    QFETCH(QString, arguments);
    QFETCH(QString, error);
    TestEnv env;
    withRoutes(env);
    const QString file = env.root() + "/good.csv";
    const QString bad = env.root() + "/bad.csv";
    QVERIFY(
        admintest::writeFile(file, "code,name,route\n1,A,1\n") &&
        admintest::writeFile(bad, "code,name,route\r\n1,Good,1\r\n2,Lost,9\r\n4,B,2\r\n1,X,1\r\n"));
    QStringList words = arguments.split(' ');
    words.replaceInStrings(QRegularExpression("^D"), env.dataRoot());
    words.replaceInStrings(QRegularExpression("^F$"), file)
        .replaceInStrings(QRegularExpression("^B$"), bad);
    const auto before = admintest::filesUnder(env.dataRoot());
    const admintest::Run run = runAdmin(words);
    QVERIFY(run.exitCode > 0);
    for (const QString& told : error.replace("B:", bad + ":").split('\n'))
        QVERIFY2(run.err.contains(told), qPrintable(run.err));
    QCOMPARE(admintest::filesUnder(env.dataRoot()), before);
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
    withRoutes(env);
    const QString file = env.root() + "/good.csv";
    QVERIFY(admintest::writeFile(file, "code,name,route\n1,A,1\n"));
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

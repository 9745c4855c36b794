// A server installation made and used under a role that signs in with a password: the password
// reaches no command line and no data source, only the user's own ~/.pgpass.

#include "../tools/AdminRun.h"
#include "DemoInstallation.h"
#include "ServerDatabases.h"
#include "TestEnv.h"
#include "datastore/Connection.h"
#include "datastore/Startup.h"

#include <QDir>
#include <QProcess>
#include <QtTest>
#include <sys/stat.h>

namespace {
const QDate kDay(2026, 3, 5);
const QString kRole = "tvsecret";
const QByteArray kPassword = "Pw-never-shown-7f3e";

// Every command line of this computer's processes that holds the password.
QStringList commandLinesWith(const QByteArray& secret)
{
    QStringList found;
    for (const QString& pid : QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(secret))
            found << pid;
    }
    return found;
}

// The role, made anew, and a rule of the test server that makes it sign in with its password.
QString roleWithPassword()
{
    const admin::ServerAddress server = testkit::TestEnv::testServer();
    for (const admin::demo::Year& year : admin::demo::years(kDay))
        admin::dropServerDatabase(server, admin::serverDatabaseName(year.dbMst));
    admin::dropServerDatabase(server, "quenmoor_main");
    QString error = admin::execOnServer(
        admin::serverSource(server, "postgres"),
        {"DROP ROLE IF EXISTS " + kRole,
         "CREATE ROLE " + kRole + " LOGIN CREATEDB PASSWORD '" + kPassword + "'"});
    QFile stateFile(qEnvironmentVariable("TARVOLEN_TEST_PG_STATE"));
    if (!error.isEmpty() || !stateFile.open(QIODevice::ReadOnly))
        return error.isEmpty() ? "no test server state" : error;
    stateFile.readLine();
    QFile hba(QString::fromUtf8(stateFile.readLine()).trimmed() + "/data/pg_hba.conf");
    if (!hba.open(QIODevice::ReadOnly))
        return "cannot read " + hba.fileName();
    QByteArray rules = hba.readAll();
    const QByteArray rule = "host all " + kRole.toUtf8() + " 127.0.0.1/32 scram-sha-256\n";
    hba.close();
    if (!rules.startsWith(rule) && (!hba.open(QIODevice::WriteOnly) || hba.write(rule + rules) < 0))
        return "cannot write " + hba.fileName();
    hba.close();
    return admin::execOnServer(admin::serverSource(server, "postgres"),
                               {"SELECT pg_reload_conf()"});
}
} // namespace

class SecretsTest : public QObject {
    Q_OBJECT
private slots:
    void passwordOnlyInPgpass();
};

void SecretsTest::passwordOnlyInPgpass()
{
    QCOMPARE(roleWithPassword(), QString());
    testkit::TestEnv env;
    const QString home = env.root() + "/home", emptyHome = env.root() + "/nobody";
    QVERIFY(QDir().mkpath(home) && QDir().mkpath(emptyHome));
    qputenv("HOME", home.toUtf8());
    qunsetenv("PGPASSWORD");
    const admin::ServerAddress server = testkit::TestEnv::testServer();
    const QString url = QString("postgresql://%1@%2:%3").arg(kRole, server.host).arg(server.port);

    // Made: the command lines are watched while the tool works.
    QProcess init;
    init.start(testkit::toolPath("tarvolen-admin"),
               {"init", "--program-dir", env.programDir(), "--server", url, "--password-stdin",
                "--demo", "--today", kDay.toString(Qt::ISODate)});
    init.write(kPassword + "\n");
    init.closeWriteChannel();
    QStringList seen;
    while (!init.waitForFinished(20))
        seen << commandLinesWith(kPassword);
    QVERIFY2(init.exitCode() == 0, init.readAllStandardError().constData());
    QCOMPARE(seen, QStringList());

    QFile odbcIni(env.odbcIni());
    QVERIFY(odbcIni.open(QIODevice::ReadOnly));
    const QByteArray sources = odbcIni.readAll();
    QVERIFY(sources.contains("QUENMOOR_MAIN") && !sources.contains(kPassword));
    QFile pgpass(home + "/.pgpass");
    QVERIFY(pgpass.open(QIODevice::ReadOnly) && pgpass.readAll().contains(kPassword));
    struct stat kept;
    QVERIFY(stat(QFile::encodeName(pgpass.fileName()), &kept) == 0);
    QCOMPARE(kept.st_mode & 0777, 0600u);

    // Used: the tool and the desk sign in to the server through ~/.pgpass, and without it the
    // server turns them away.
    QProcessEnvironment withoutPgpass = QProcessEnvironment::systemEnvironment();
    withoutPgpass.insert("HOME", emptyHome);
    admintest::Run run = admintest::runAdmin({"company", "list"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    run = admintest::runAdmin({"company", "list"}, {}, withoutPgpass);
    QVERIFY2(run.exitCode != 0 && run.err.contains("password"), qPrintable(run.err));
    QVERIFY(Get_ServerPath());
    QVERIFY(OpenSerPath());
    QVERIFY(Set_MainDsn());
    const auto opened = OpenMain();
    QVERIFY2(opened.ok(), qPrintable(opened.errorText()));
    QCOMPARE(commandLinesWith(kPassword), QStringList());
}

QTEST_GUILESS_MAIN(SecretsTest)
#include "tst_secrets.moc"

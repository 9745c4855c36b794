// The desk as a centre installs it: `cmake --install` into a prefix of its own, the installed
// programs run from a folder that is not their program folder, against an installation in yet
// another folder. A plugin (DeskDriver.cpp) loaded into the installed desk signs in and reports.

#include "AdminRun.h"
#include "TestEnv.h"
#include "platform/ProgramEnd.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using admintest::Run;

class InstalledDeskTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installedFiles();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
    void startsAgainstInstallationElsewhere_data();
    void startsAgainstInstallationElsewhere();
    void adminInitTakesTheDesksFolder();
    void packageKeepsReceipts();
    void menuEntryIsValidAndStartsTheDesk();

private:
    QString bin(const QString& program) const { return m_prefix.path() + "/bin/" + program; }
    QString programDir() const { return m_world.path() + "/install/program"; }
    QString dataRoot() const { return m_world.path() + "/install/data"; }
    QString elsewhere() const { return m_world.path() + "/elsewhere"; }
    QString emptyFolder() const { return m_world.path() + "/empty"; }
    // No display, no user settings: only what the case adds.
    QProcessEnvironment baseEnvironment() const;
    // A program run from a folder that is not its own, by default in that environment.
    Run run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& env = {}) const
    {
        return admintest::runProgram(program, arguments, {},
                                     env.isEmpty() ? baseEnvironment() : env, elsewhere());
    }

    QTemporaryDir m_prefix;
    QTemporaryDir m_world;
};

QProcessEnvironment InstalledDeskTest::baseEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "TARVOLEN_PROGRAM_DIR",
                             "QT_QPA_GENERIC_PLUGINS", "QT_PLUGIN_PATH"})
        env.remove(name);
    env.insert("HOME", m_world.path());
    env.insert("ODBCINI", m_world.path() + "/odbc.ini");
    env.insert("XDG_CONFIG_HOME", m_world.path() + "/config");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_PLUGIN_PATH", qEnvironmentVariable("TARVOLEN_TEST_PLUGINS"));
    env.insert("QT_QPA_GENERIC_PLUGINS", "deskdriver");
    env.insert("TARVOLEN_DRIVER_PASSWORD", "milk");
    return env;
}

void InstalledDeskTest::initTestCase()
{
    QVERIFY(m_prefix.isValid() && m_world.isValid());
    QVERIFY(QDir().mkpath(elsewhere()) && QDir().mkpath(emptyFolder()));
    const Run install =
        run(qEnvironmentVariable("TARVOLEN_CMAKE", "cmake"),
            {"--install", qEnvironmentVariable("TARVOLEN_BUILD_DIR"), "--prefix", m_prefix.path()},
            QProcessEnvironment::systemEnvironment());
    QVERIFY2(install.exitCode == 0, qPrintable(install.err));
    const Run init = run(bin("tarvolen-admin"), {"init", "--program-dir", programDir(),
                                                 "--data-root", dataRoot(), "--demo"});
    QVERIFY2(init.exitCode == 0, qPrintable(init.err));
}

// The programs themselves are run below, the menu entry and its icon checked.
void InstalledDeskTest::installedFiles()
{
    QStringList files;
    for (const char* size : {"16x16", "48x48", "256x256"})
        files << QString("share/icons/hicolor/%1/apps/tarvolen.png").arg(size);
    for (const char* program : {"tarvolen", "tarvolen-admin", "tarvolen-scale-sim"})
        files << QString("share/man/man1/%1.1.gz").arg(program);
    for (const QString& file : files)
        QVERIFY2(QFileInfo(m_prefix.path() + "/" + file).isFile(), qPrintable(file));
}

void InstalledDeskTest::answersWithoutDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // in what it writes
    const auto row = [](const char* program, const char* option, int exitCode,
                        const QString& expected) {
        QTest::addRow("%s %s", program, option) << program << option << exitCode << expected;
    };
    for (const char* program : {"tarvolen", "tarvolen-admin", "tarvolen-scale-sim"})
        row(program, "--version", 0, QString("%1 %2").arg(program, TARVOLEN_VERSION));
    row("tarvolen", "--help", 0, "TARVOLEN_PROGRAM_DIR");
    row("tarvolen-admin", "--help", 0, "init [--program-dir");
    row("tarvolen-scale-sim", "--help", 0, "--tcp");
    row("tarvolen", "--bogus", int(platform::EndStatus::WrongUsage),
        "tarvolen: unknown argument \"--bogus\" (see tarvolen --help)\n");
}

// Answered without a display: a desk's help is read on a terminal, a package check has no screen.
void InstalledDeskTest::answersWithoutDisplay()
{
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    QProcessEnvironment env = baseEnvironment();
    env.remove("QT_QPA_PLATFORM");
    const Run answer = run(bin(program), {option}, env);
    QCOMPARE(answer.exitCode, exitCode);
    QVERIFY2((answer.out + answer.err).contains(expected), qPrintable(answer.out + answer.err));
}

// Found by the option, the variable, or neither; a folder without SerPath.mdb is told in one
// message naming where the desk looked, and the desk ends.
void InstalledDeskTest::startsAgainstInstallationElsewhere_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QStringList>("named"); // in the message; empty: signs in
    QTest::newRow("--program-dir")
        << QStringList{"--program-dir", programDir()} << QString() << QStringList{};
    QTest::newRow("TARVOLEN_PROGRAM_DIR") << QStringList{} << programDir() << QStringList{};
    QTest::newRow("option before variable")
        << QStringList{"--program-dir", programDir()} << emptyFolder() << QStringList{};
    QTest::newRow("--program-dir without SerPath.mdb")
        << QStringList{"--program-dir=" + emptyFolder()} << programDir()
        << QStringList{emptyFolder(), "--program-dir"};
    QTest::newRow("TARVOLEN_PROGRAM_DIR without SerPath.mdb")
        << QStringList{} << emptyFolder() << QStringList{emptyFolder(), "TARVOLEN_PROGRAM_DIR"};
    QTest::newRow("neither: own folder and installed folder")
        << QStringList{} << QString()
        << QStringList{QDir(m_prefix.path() + "/bin").canonicalPath(), "/var/lib/tarvolen"};
}

void InstalledDeskTest::startsAgainstInstallationElsewhere()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, variable);
    QFETCH(QStringList, named);
    if (variable.isEmpty() && arguments.isEmpty() &&
        QFileInfo::exists("/var/lib/tarvolen/SerPath.mdb"))
        QSKIP("this machine has an installation in /var/lib/tarvolen");
    QProcessEnvironment env = baseEnvironment();
    if (!variable.isEmpty())
        env.insert("TARVOLEN_PROGRAM_DIR", variable);
    QFile::remove(m_world.path() + "/odbc.ini");

    const Run desk = run(bin("tarvolen"), arguments, env);
    const QStringList messages = desk.lines("message ");
    if (!named.isEmpty()) {
        QCOMPARE(desk.exitCode, 1);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith("Tarvolen|No installation found"),
                 qPrintable(messages.first()));
        for (const QString& part : named)
            QVERIFY2(messages.first().contains(part), qPrintable(part + " in " + messages.first()));
        QVERIFY(desk.lines("offered ").isEmpty());
        QVERIFY2(desk.err.contains("No installation found"), qPrintable(desk.err));
        return;
    }
    QVERIFY2(messages.isEmpty(), qPrintable(desk.out));
    QCOMPARE(desk.lines("offered "), QStringList{"operator"});
    const QStringList companies = desk.lines("window A_Start ");
    QCOMPARE(companies.size(), 1);
    QVERIFY2(companies.first().contains("Green Valley Dairy"), qPrintable(companies.first()));
    QCOMPARE(desk.exitCode, 0);
    // The main data source the desk registered names the installation's data root.
    const QSettings odbc(m_world.path() + "/odbc.ini", QSettings::IniFormat);
    QCOMPARE(QFileInfo(odbc.value("QUENMOOR_MAIN/Database").toString()).canonicalFilePath(),
             QFileInfo(dataRoot() + "/DataBas/Main.mdb").canonicalFilePath());
}

void InstalledDeskTest::adminInitTakesTheDesksFolder()
{
    const QString folder = m_world.path() + "/by-variable";
    QProcessEnvironment env = baseEnvironment();
    env.insert("TARVOLEN_PROGRAM_DIR", folder);
    // Should the variable be passed over, init meets this installation in its own folder and
    // refuses, instead of writing into the machine's /var/lib/tarvolen.
    const QString guard = m_prefix.path() + "/bin/SerPath.mdb";
    QVERIFY(QFile(guard).open(QIODevice::WriteOnly));
    const Run init = run(bin("tarvolen-admin"), {"init", "--data-root", folder + "/data"}, env);
    QFile::remove(guard);
    QVERIFY2(init.exitCode == 0, qPrintable(init.err));
    QVERIFY(QFileInfo(folder + "/SerPath.mdb").isFile());
}

// The package's scripts, run as dpkg runs them into a root of their own (DPKG_ROOT): the folder
// is closed to others, init's databases too; purging keeps receipts aside and says where, and
// installing again points at them.
void InstalledDeskTest::packageKeepsReceipts()
{
    if (geteuid() != 0)
        QSKIP("the package's scripts make a group: root only");
    const QString root = m_world.path() + "/root";
    const QString state = root + "/var/lib/tarvolen";
    QVERIFY(QDir().mkpath(root + "/etc"));
    for (const char* file : {"group", "gshadow", "passwd", "shadow", "login.defs"})
        QFile::copy(QString("/etc/") + file, root + "/etc/" + file);
    QProcessEnvironment env = baseEnvironment();
    env.insert("DPKG_ROOT", root);
    const QString scripts = qEnvironmentVariable("TARVOLEN_PACKAGE_SCRIPTS");
    const auto script = [&](const QString& name, const QString& action) {
        return run("sh", {scripts + "/" + name, action}, env);
    };
    QCOMPARE(script("postinst", "configure").exitCode, 0);
    QCOMPARE(int(QFileInfo(state).permissions() & 0x0FFF),
             0x0770); // user and group rwx, others nothing
    const Run init = run(bin("tarvolen-admin"),
                         {"init", "--program-dir", state, "--data-root", state, "--demo"}, env);
    QVERIFY2(init.exitCode == 0, qPrintable(init.err));
    const QString company = QDir(state + "/DataBas").entryList({"*_*.mdb"}).value(0);
    for (const QString& database : {state + "/SerPath.mdb", state + "/DataBas/" + company})
        QCOMPARE(int(QFileInfo(database).permissions() & 0x0FFF), 0x0660);
    const auto receipts = [&](const QString& folder) {
        return testkit::TestEnv::scalar(folder + "/DataBas/" + company,
                                        "SELECT COUNT(*) FROM Data_Wght")
            .toInt();
    };
    const int stored = receipts(state);
    QVERIFY(stored > 0);

    const Run purge = script("postrm", "purge");
    const QString kept = purge.out.section("they were kept in ", 1).section(' ', 0, 0);
    QVERIFY2(purge.exitCode == 0 && kept.startsWith(root + "/var/backups/tarvolen/"),
             qPrintable(purge.out + purge.err));
    QVERIFY(!QFileInfo::exists(state));
    QCOMPARE(receipts(kept), stored);
    const Run again = script("postinst", "configure");
    QVERIFY2(again.out.contains("kept in " + kept + ";"), qPrintable(again.out + again.err));
}

void InstalledDeskTest::menuEntryIsValidAndStartsTheDesk()
{
    const QString entry = m_prefix.path() + "/share/applications/tarvolen.desktop";
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/setup.sh installs it)");
    const Run check = run(validator, {entry});
    QVERIFY2(check.exitCode == 0 && check.out.isEmpty(), qPrintable(check.out + check.err));

    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        keys.insert(line.section('=', 0, 0), line.section('=', 1));
    QCOMPARE(keys.value("Categories"), QString("Office;"));
    QVERIFY(QFileInfo(bin(keys.value("Exec"))).isExecutable());
    const QString icon = keys.value("Icon");
    QVERIFY(QFileInfo(m_prefix.path() + "/share/icons/hicolor/scalable/apps/" + icon + ".svg")
                .isFile());
}

QTEST_GUILESS_MAIN(InstalledDeskTest)
#include "tst_installed.moc"

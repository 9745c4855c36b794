// Where the desk and its tools look for their installation, and the desk's command line.

#include "CommandLine.h"
#include "TestEnv.h"
#include "platform/Paths.h"
#include "platform/ProgramEnd.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using platform::ProgramFolderSearch;
using Source = ProgramFolderSearch::Source;
Q_DECLARE_METATYPE(Source)
Q_DECLARE_METATYPE(QtOptions)

class ProgramFolderTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void findsFolderInOrder_data();
    void findsFolderInOrder();
    void messageNamesWhereItLooked_data();
    void messageNamesWhereItLooked();
    void readsDeskArguments_data();
    void readsDeskArguments();
    void wrongUsageWithoutDisplay();

private:
    // Folders "option", "variable", "own" and "installed"; those named get a SerPath.mdb.
    void installIn(const QStringList& holding);
    QString folder(const QString& name) const
    {
        return name.isEmpty() ? QString() : m_dir->path() + "/" + name;
    }
    ProgramFolderSearch find(const QString& option, const QString& variable)
    {
        return platform::findProgramFolder(folder(option), folder(variable), folder("own"),
                                           folder("installed"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void ProgramFolderTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char* name : {"option", "variable", "own", "installed"})
        QDir().mkpath(folder(name));
}

void ProgramFolderTest::installIn(const QStringList& holding)
{
    for (const QString& name : holding) {
        QFile file(folder(name) + (name == "own" ? "/serpath.MDB" : "/SerPath.mdb"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void ProgramFolderTest::findsFolderInOrder_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QStringList>("holding");
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("found");
    const QStringList all{"option", "variable", "own", "installed"};
    QTest::newRow("option first") << "option"
                                  << "variable" << all << Source::Option << "option" << true;
    QTest::newRow("option without installation is not passed over")
        << "option"
        << "variable" << QStringList{"variable", "own", "installed"} << Source::Option << "option"
        << false;
    QTest::newRow("variable without option")
        << ""
        << "variable" << all << Source::Variable << "variable" << true;
    QTest::newRow("variable without installation is not passed over")
        << ""
        << "variable" << QStringList{"own", "installed"} << Source::Variable << "variable" << false;
    QTest::newRow("own folder holding SerPath.mdb, any letter case")
        << ""
        << "" << QStringList{"own", "installed"} << Source::OwnFolder << "own" << true;
    QTest::newRow("installed folder when the own one holds none")
        << ""
        << "" << QStringList{"installed"} << Source::Installed << "installed" << true;
    QTest::newRow("nothing anywhere")
        << ""
        << "" << QStringList{} << Source::Installed << "installed" << false;
}

void ProgramFolderTest::findsFolderInOrder()
{
    QFETCH(QString, option);
    QFETCH(QString, variable);
    QFETCH(QStringList, holding);
    QFETCH(Source, source);
    QFETCH(QString, chosen);
    QFETCH(bool, found);
    installIn(holding);
    const ProgramFolderSearch search = find(option, variable);
    QCOMPARE(search.source, source);
    QCOMPARE(search.folder, folder(chosen));
    QCOMPARE(search.found, found);
}

void ProgramFolderTest::messageNamesWhereItLooked_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<QStringList>("notNamed");
    QTest::newRow("option") << "option"
                            << "variable" << QStringList{"/option,", "--program-dir"}
                            << QStringList{"/variable", "/own"};
    QTest::newRow("variable") << ""
                              << "variable"
                              << QStringList{"/variable,", "named by TARVOLEN_PROGRAM_DIR"}
                              << QStringList{"/option", "/own"};
    QTest::newRow("own and installed folders")
        << ""
        << "" << QStringList{"/own ", "/installed."} << QStringList{"/option", "/variable"};
}

void ProgramFolderTest::messageNamesWhereItLooked()
{
    QFETCH(QString, option);
    QFETCH(QString, variable);
    QFETCH(QStringList, named);
    QFETCH(QStringList, notNamed);
    const QString message = platform::missingInstallationMessage(find(option, variable));
    QVERIFY2(message.startsWith("No installation found: SerPath.mdb is "), qPrintable(message));
    QVERIFY2(message.contains("tarvolen-admin init"), qPrintable(message));
    for (const QString& part : named)
        QVERIFY2(message.contains(part), qPrintable(part + " in " + message));
    for (const QString& part : notNamed)
        QVERIFY2(!message.contains(part), qPrintable(part + " in " + message));
}

void ProgramFolderTest::readsDeskArguments_data()
{
    using Action = DeskCommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QtOptions>("qtOptions");
    QTest::newRow("nothing") << QStringList{} << int(Action::Run) << "" << QtOptions::Taken;
    QTest::newRow("folder apart") << QStringList{"--program-dir", "/a b"} << int(Action::Run)
                                  << "/a b" << QtOptions::Taken;
    QTest::newRow("folder joined")
        << QStringList{"--program-dir=/a"} << int(Action::Run) << "/a" << QtOptions::Taken;
    QTest::newRow("help") << QStringList{"--program-dir", "/a", "--help"} << int(Action::ShowHelp)
                          << "" << QtOptions::Taken;
    QTest::newRow("-h") << QStringList{"-h"} << int(Action::ShowHelp) << "" << QtOptions::Taken;
    QTest::newRow("version") << QStringList{"--version"} << int(Action::ShowVersion) << ""
                             << QtOptions::Taken;
    QTest::newRow("folder missing")
        << QStringList{"--program-dir"} << int(Action::WrongUsage) << "" << QtOptions::Taken;
    QTest::newRow("folder empty") << QStringList{"--program-dir="} << int(Action::WrongUsage) << ""
                                  << QtOptions::Taken;
    QTest::newRow("unknown") << QStringList{"--fast"} << int(Action::WrongUsage) << ""
                             << QtOptions::Taken;
    QTest::newRow("stray word") << QStringList{"/a"} << int(Action::WrongUsage) << ""
                                << QtOptions::Taken;
    // Before the application exists, Qt's options are still there and passed over.
    const auto before = QtOptions::PassedOver;
    QTest::newRow("Qt's option and its value")
        << QStringList{"-platform", "offscreen", "--program-dir", "/a"} << int(Action::Run) << "/a"
        << before;
    QTest::newRow("Qt's option with two dashes")
        << QStringList{"--style", "fusion"} << int(Action::Run) << "" << before;
    QTest::newRow("Qt's option joined")
        << QStringList{"-style=fusion", "-reverse"} << int(Action::Run) << "" << before;
    QTest::newRow("folder named like Qt's option")
        << QStringList{"--program-dir", "-style"} << int(Action::Run) << "-style" << before;
    QTest::newRow("unknown among Qt's options") << QStringList{"-platform", "offscreen", "--bogus"}
                                                << int(Action::WrongUsage) << "" << before;
    QTest::newRow("Qt's option left over once Qt has read")
        << QStringList{"-platform", "offscreen"} << int(Action::WrongUsage) << ""
        << QtOptions::Taken;
}

void ProgramFolderTest::readsDeskArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, programDir);
    QFETCH(QtOptions, qtOptions);
    const DeskCommandLine line = parseDeskArguments(arguments, qtOptions);
    QCOMPARE(int(line.action), action);
    if (line.action == DeskCommandLine::Action::Run)
        QCOMPARE(line.programDir, programDir);
    if (line.action == DeskCommandLine::Action::WrongUsage)
        QVERIFY(!line.problem.isEmpty());
}

// A wrong command line is told on a terminal without a display too, with its own status.
void ProgramFolderTest::wrongUsageWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess desk;
    desk.setProcessEnvironment(environment);
    desk.start(testkit::toolPath("tarvolen"), {"--bogus"});
    QVERIFY(desk.waitForFinished(30000));
    const QString told = QString::fromLocal8Bit(desk.readAllStandardError());
    QCOMPARE(desk.exitStatus(), QProcess::NormalExit);
    QCOMPARE(desk.exitCode(), int(platform::EndStatus::WrongUsage));
    QCOMPARE(told,
             QStringLiteral("tarvolen: unknown argument \"--bogus\" (see tarvolen --help)\n"));
}

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_program_folder.moc"

// Where the desk and its tools look for their installation, and the desk's command line.

#include "CommandLine.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
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
    void readsDeskArguments_data();
    void readsDeskArguments();

private:
    // Folders "option", "variable", "own" and "installed", made empty for each case.
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

// Where no installation is found, the message names the folder searched and why it was chosen,
// and no folder it passed over.
void ProgramFolderTest::findsFolderInOrder_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QStringList>("holding");
    QTest::addColumn<Source>("source");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("named"); // in the message; empty: found
    QTest::addColumn<QStringList>("notNamed");
    const auto row = [](const char* name, const QString& option, const QString& variable,
                        const QStringList& holding, Source source, const QString& chosen,
                        const QStringList& named = {}, const QStringList& notNamed = {}) {
        QTest::newRow(name) << option << variable << holding << source << chosen << named
                            << notNamed;
    };
    const QStringList all{"option", "variable", "own", "installed"};
    row("option first", "option", "variable", all, Source::Option, "option");
    row("option without installation is not passed over", "option", "variable",
        {"variable", "own", "installed"}, Source::Option, "option", {"/option,", "--program-dir"},
        {"/variable", "/own"});
    row("variable without option", "", "variable", all, Source::Variable, "variable");
    row("variable without installation is not passed over", "", "variable", {"own", "installed"},
        Source::Variable, "variable", {"/variable,", "named by TARVOLEN_PROGRAM_DIR"},
        {"/option", "/own"});
    row("own folder holding SerPath.mdb, any letter case", "", "", {"own", "installed"},
        Source::OwnFolder, "own");
    row("installed folder when the own one holds none", "", "", {"installed"}, Source::Installed,
        "installed");
    row("nothing anywhere", "", "", {}, Source::Installed, "installed", {"/own ", "/installed."},
        {"/option", "/variable"});
}

void ProgramFolderTest::findsFolderInOrder()
{
    QFETCH(QString, option);
    QFETCH(QString, variable);
    QFETCH(QStringList, holding);
    QFETCH(Source, source);
    QFETCH(QString, chosen);
    QFETCH(QStringList, named);
    QFETCH(QStringList, notNamed);
    for (const QString& name : holding) // the own folder's in other letter case
        QVERIFY(QFile(folder(name) + (name == "own" ? "/serpath.MDB" : "/SerPath.mdb"))
                    .open(QIODevice::WriteOnly));
    const ProgramFolderSearch search = find(option, variable);
    QCOMPARE(search.source, source);
    QCOMPARE(search.folder, folder(chosen));
    QCOMPARE(search.found, named.isEmpty());
    if (search.found)
        return;
    const QString message = platform::missingInstallationMessage(search);
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
    const auto row = [](const char* name, const QStringList& arguments, Action action,
                        const QString& programDir = {}, QtOptions qt = QtOptions::Taken) {
        QTest::newRow(name) << arguments << int(action) << programDir << qt;
    };
    row("nothing", {}, Action::Run);
    row("folder apart", {"--program-dir", "/a b"}, Action::Run, "/a b");
    row("folder joined", {"--program-dir=/a"}, Action::Run, "/a");
    row("help", {"--program-dir", "/a", "--help"}, Action::ShowHelp);
    row("-h", {"-h"}, Action::ShowHelp);
    row("version", {"--version"}, Action::ShowVersion);
    row("folder missing", {"--program-dir"}, Action::WrongUsage);
    row("folder empty", {"--program-dir="}, Action::WrongUsage);
    row("unknown", {"--fast"}, Action::WrongUsage);
    row("stray word", {"/a"}, Action::WrongUsage);
    // Before the application exists, Qt's options are still there and passed over.
    const auto before = QtOptions::PassedOver;
    row("Qt's option and its value", {"-platform", "offscreen", "--program-dir", "/a"}, Action::Run,
        "/a", before);
    row("Qt's option with two dashes", {"--style", "fusion"}, Action::Run, "", before);
    row("Qt's option joined", {"-style=fusion", "-reverse"}, Action::Run, "", before);
    row("folder named like Qt's option", {"--program-dir", "-style"}, Action::Run, "-style",
        before);
    row("unknown among Qt's options", {"-platform", "offscreen", "--bogus"}, Action::WrongUsage, "",
        before);
    row("Qt's option left over once Qt has read", {"-platform", "offscreen"}, Action::WrongUsage);
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

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_program_folder.moc"

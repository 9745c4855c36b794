#include "CommandLine.h"

#include "platform/Paths.h"

namespace {
const QString kProgramDirOption = QStringLiteral("--program-dir");

// The options a Qt program with windows takes itself (QCoreApplication, QGuiApplication, its
// X11 platform, QApplication), as "-name" or "--name".
const char* const kQtOptionsWithValue[] = {"platform",        "platformpluginpath",
                                           "platformtheme",   "plugin",
                                           "qwindowgeometry", "geometry",
                                           "qwindowtitle",    "title",
                                           "qwindowicon",     "icon",
                                           "display",         "name",
                                           "visual",          "session",
                                           "style",           "stylesheet"};
const char* const kQtFlags[] = {"reverse", "testability", "widgetcount",
                                "nograb",  "dograb",      "sync"};
const char* const kQtOptionsWithEquals[] = {"style=", "stylesheet=", "qmljsdebugger="};

// Whether Qt takes the argument itself, and whether the next argument is its value.
bool isQtOption(const QString& argument, bool& takesValue)
{
    takesValue = false;
    if (!argument.startsWith(QLatin1Char('-')) || argument.startsWith(QLatin1String("---")))
        return false;
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    for (const char* option : kQtOptionsWithValue) {
        if (name == QLatin1String(option)) {
            takesValue = true;
            return true;
        }
    }
    for (const char* flag : kQtFlags) {
        if (name == QLatin1String(flag))
            return true;
    }
    for (const char* prefix : kQtOptionsWithEquals) {
        if (name.startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

DeskCommandLine wrong(const QString& problem)
{
    DeskCommandLine line;
    line.action = DeskCommandLine::Action::WrongUsage;
    line.problem = problem;
    return line;
}
} // namespace

DeskCommandLine parseDeskArguments(const QStringList& arguments, QtOptions qtOptions)
{
    DeskCommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        bool takesValue = false;
        if (qtOptions == QtOptions::PassedOver && isQtOption(argument, takesValue)) {
            if (takesValue)
                ++i; // Qt itself judges a missing value
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            line.action = DeskCommandLine::Action::ShowHelp;
            return line;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            line.action = DeskCommandLine::Action::ShowVersion;
            return line;
        }
        if (argument == kProgramDirOption) {
            if (i + 1 >= arguments.size())
                return wrong(QStringLiteral("--program-dir wants a folder"));
            line.programDir = arguments.at(++i);
        } else if (argument.startsWith(kProgramDirOption + QLatin1Char('='))) {
            line.programDir = argument.mid(kProgramDirOption.size() + 1);
        } else {
            return wrong(QStringLiteral("unknown argument \"%1\"").arg(argument));
        }
        if (line.programDir.isEmpty())
            return wrong(QStringLiteral("--program-dir wants a folder"));
    }
    return line;
}

QString wrongUsageText(const DeskCommandLine& line)
{
    return QStringLiteral("tarvolen: %1 (see tarvolen --help)\n").arg(line.problem);
}

QString deskHelpText()
{
    return QStringLiteral(
               "Usage: tarvolen [--program-dir DIR]\n"
               "The weighing desk of a milk collection centre.\n"
               "\n"
               "  --program-dir DIR  the program folder: where SerPath.mdb lies\n"
               "  -v, --version      show the version and end\n"
               "  -h, --help         show this text and end\n"
               "\n"
               "The program folder is, in this order: the folder given by --program-dir, the\n"
               "folder named by %1, the program's own folder when it holds\n"
               "SerPath.mdb, else %2. Create an installation with tarvolen-admin init.\n")
        .arg(QLatin1String(platform::kProgramFolderVariable),
             QLatin1String(platform::kInstalledProgramFolder));
}

QString deskVersionText()
{
    return QStringLiteral("tarvolen %1\n").arg(QStringLiteral(TARVOLEN_VERSION));
}

#include "CommandLine.h"

#include "platform/Paths.h"

namespace {
const QString kProgramDirOption = QStringLiteral("--program-dir");

DeskCommandLine wrong(const QString& problem)
{
    DeskCommandLine line;
    line.action = DeskCommandLine::Action::WrongUsage;
    line.problem = problem;
    return line;
}
} // namespace

DeskCommandLine parseDeskArguments(const QStringList& arguments)
{
    DeskCommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
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

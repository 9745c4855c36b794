#include "CommandLine.h"
#include "WeighingWindow.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/RunningCopy.h"
#include "signin/frm_Gen_Pass.h"

#include <QApplication>
#include <QFont>
#include <cstdio>

namespace {
enum ExitStatus { Ended = 0, NoInstallation = 1, WrongUsage = 2 };

QStringList rawArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help and version need no display, so they are answered before the application exists.
bool answeredWithoutWindow(const DeskCommandLine& line)
{
    if (line.action == DeskCommandLine::Action::ShowHelp)
        std::fputs(qPrintable(deskHelpText()), stdout);
    else if (line.action == DeskCommandLine::Action::ShowVersion)
        std::fputs(qPrintable(deskVersionText()), stdout);
    else
        return false;
    return true;
}

// The program folder from the option, the environment or the program's place; false (with
// the operator told where it looked) when it holds no installation.
bool useProgramFolder(const QString& option)
{
    const platform::ProgramFolderSearch search =
        platform::findProgramFolder(option, qEnvironmentVariable(platform::kProgramFolderVariable),
                                    QCoreApplication::applicationDirPath());
    if (search.found) {
        platform::setProgramFolder(search.folder);
        return true;
    }
    const QString message = platform::missingInstallationMessage(search);
    std::fprintf(stderr, "tarvolen: %s\n", qPrintable(message));
    platform::showMessage(message, QString(), platform::MessageKind::Critical);
    return false;
}
} // namespace

// Everything the desk needs comes from the databases, starting with the server-path database in
// the program folder; the command line only says where that folder is.
int main(int argc, char* argv[])
{
    if (answeredWithoutWindow(parseDeskArguments(rawArguments(argc, argv))))
        return Ended;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvolen"));
    QApplication::setApplicationVersion(QStringLiteral(TARVOLEN_VERSION));
    // Qt has taken its own options (-platform, -style, ...); what is left is the desk's.
    const DeskCommandLine line = parseDeskArguments(QApplication::arguments().mid(1));
    if (line.action == DeskCommandLine::Action::WrongUsage) {
        std::fprintf(stderr, "tarvolen: %s (see tarvolen --help)\n", qPrintable(line.problem));
        return WrongUsage;
    }
    // The windows are laid out for a small 8-point face; larger ones clip the captions.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    // Ended through its return rather than the end-the-program routine, so that it is not
    // mistaken for an operator's normal exit: no window has opened yet.
    if (!useProgramFolder(line.programDir))
        return NoInstallation;
    wireWeighingWindow();
    // A later copy finds this one when its weighing window loads, and hands over to it.
    platform::listenAsRunningCopy();

    frm_Gen_Pass signIn;
    if (!signIn.load())
        return Ended;
    signIn.show();
    return app.exec();
}

#include "CommandLine.h"
#include "WeighingWindow.h"
#include "datastore/GenState.h"
#include "platform/DeskWindows.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"
#include "signin/frm_Gen_Pass.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <optional>

using platform::EndStatus;

namespace {
QStringList rawArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help, version and a wrong command line need no display: the status, when the command line
// is answered without a window.
std::optional<EndStatus> answeredWithoutWindow(const DeskCommandLine& line)
{
    switch (line.action) {
    case DeskCommandLine::Action::ShowHelp:
        std::fputs(qPrintable(deskHelpText()), stdout);
        return EndStatus::Normal;
    case DeskCommandLine::Action::ShowVersion:
        std::fputs(qPrintable(deskVersionText()), stdout);
        return EndStatus::Normal;
    case DeskCommandLine::Action::WrongUsage:
        std::fputs(qPrintable(wrongUsageText(line)), stderr);
        return EndStatus::WrongUsage;
    case DeskCommandLine::Action::Run:
        break;
    }
    return std::nullopt;
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
// From sign-in to the end of the event loop, with the program's status.
int signInAndRun()
{
    frm_Gen_Pass signIn;
    const bool loaded = signIn.load();
    // An end that came before the loop: exec would run on, so the status is returned here.
    if (const std::optional<EndStatus> ending = platform::programEnding())
        return int(*ending);
    if (!loaded)
        return int(EndStatus::DataError);
    signIn.show();
    return QApplication::exec();
}
} // namespace

// Everything the desk needs comes from the databases, starting with the server-path database in
// the program folder; the command line only says where that folder is.
int main(int argc, char* argv[])
{
    // Judged before the application exists, which needs a display; Qt's options are left to it.
    const DeskCommandLine early =
        parseDeskArguments(rawArguments(argc, argv), QtOptions::PassedOver);
    if (const std::optional<EndStatus> status = answeredWithoutWindow(early))
        return int(*status);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvolen"));
    QApplication::setApplicationVersion(QStringLiteral(TARVOLEN_VERSION));
    // Qt has taken its own options; what is left must be the desk's.
    const DeskCommandLine line = parseDeskArguments(QApplication::arguments().mid(1));
    if (const std::optional<EndStatus> status = answeredWithoutWindow(line))
        return int(*status);
    platform::useDeskWindows();
    // Sign-in speaks the desk's own language; the user's own applies from the company window on.
    platform::useLocaleLanguage();
    // The windows are laid out for a small 8-point face; larger ones clip the captions.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    // Ended through its return rather than the end-the-program routine, so that it is not
    // mistaken for an operator's normal exit: no window has opened yet.
    if (!useProgramFolder(line.programDir))
        return int(EndStatus::NoInstallation);
    // The installation's own folder may hold a language the program's does not.
    platform::useLocaleLanguage();
    wireWeighingWindow();
    // A later copy finds this one when its weighing window loads, and hands over to it.
    platform::listenAsRunningCopy();

    const int status = signInAndRun();
    // The shared connections are statics that would outlive Qt's registry of databases: they
    // close while the application still exists.
    datastore::resetGenState();
    return status;
}

// tarvolen-admin: creates and looks after installations of the weighing desk.
#include "AdminCli.h"
#include "AdminCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

using namespace admincli;

int main(int argc, char* argv[])
{
    // A report lays out text, which needs fonts: a GUI application, though it shows no
    // window, so it runs offscreen (also on a server without a display).
    const bool laysOutText = argc > 1 && std::strcmp(argv[1], "report") == 0;
    if (laysOutText && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = laysOutText
                                                ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvolen-admin"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return wrongUsage(QStringLiteral("no command given"));
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("-h") || command == QLatin1String("--help") ||
        command == QLatin1String("help")) {
        out() << usage();
        return Done;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        out() << "tarvolen-admin " << TARVOLEN_VERSION << "\n";
        return Done;
    }
    for (const admin::Command& known : admin::commands()) {
        if (command == QLatin1String(known.name)) {
            setCommand(command);
            return known.run(arguments);
        }
    }
    return wrongUsage(QStringLiteral("unknown command \"%1\"").arg(command));
}

// tarvolen-admin: creates and looks after installations of the weighing desk.
#include "AdminCli.h"
#include "AdminCommands.h"

#include <QCoreApplication>

using namespace admincli;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
        if (command == QLatin1String(known.name))
            return known.run(arguments);
    }
    return wrongUsage(QStringLiteral("unknown command \"%1\"").arg(command));
}

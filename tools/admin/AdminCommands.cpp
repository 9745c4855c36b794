#include "AdminCommands.h"

#include "AdminCli.h"

namespace admin {

const std::vector<Command>& commands()
{
    static const std::vector<Command> known{
        {"init", runInit,
         "  tarvolen-admin init [--program-dir DIR] --data-root DIR [--demo] [--force] [--today "
         "DATE]\n"},
        {"station", runStation,
         "  tarvolen-admin station --data-root DIR --company CODE [--link 1-4] [--format N]\n"
         "                 [--port N] [--speed N] [--host H] [--tcp-port P]\n"},
        {"report", runReport,
         "  tarvolen-admin report shift --data-root DIR --company CODE --date YYYY-MM-DD\n"
         "                 --shift AM|PM [--route CODE] --pdf FILE\n"},
        {"export", runExport,
         "  tarvolen-admin export receipts --data-root DIR --company CODE --from DATE --to DATE\n"
         "                 [--shift AM|PM] [--route CODE] [--summary] FILE.csv\n"},
        {"backup", runBackup, "  tarvolen-admin backup --program-dir DIR --to FOLDER\n"},
        {"restore", runRestore, "  tarvolen-admin restore --program-dir DIR --from FOLDER\n"},
    };
    return known;
}

} // namespace admin

QString admincli::usage()
{
    QString text = QStringLiteral("Usage:\n");
    for (const admin::Command& command : admin::commands())
        text += QLatin1String(command.usage);
    text += QStringLiteral("  tarvolen-admin COMMAND --help\n"
                           "  tarvolen-admin --version\n");
    return text;
}

#include "AdminCommands.h"

#include "AdminCli.h"

namespace admin {

const std::vector<Command>& commands()
{
    static const std::vector<Command> known{
        {"init", runInit,
         "  tarvolen-admin init [--program-dir DIR] --data-root DIR [--demo] [--force] [--today "
         "DATE]\n"
         "  tarvolen-admin init [--program-dir DIR] --server postgresql://USER@HOST:PORT\n"
         "                 [--password-stdin] [--demo|--join]\n"},
        {"station", runStation,
         "  tarvolen-admin station [--data-root DIR] --company CODE [--link 1-4] [--format N]\n"
         "                 [--port N] [--speed N] [--host H] [--tcp-port P]\n"},
        {"company", runCompany,
         "  tarvolen-admin company add CODE [--data-root DIR] --name N [--town T] --year-start "
         "DATE\n"
         "                 --year-end DATE [--db NAME]\n"
         "  tarvolen-admin company new-year CODE [--data-root DIR] [--year-start DATE] [--force]\n"
         "  tarvolen-admin company list [--data-root DIR]\n"},
        {"user", runUser,
         "  tarvolen-admin user add NAME [--data-root DIR] [--full-name N] [--offer] [--role "
         "ROLE]\n"
         "                 [--password-stdin]\n"
         "  tarvolen-admin user set-password NAME [--data-root DIR] [--password-stdin]\n"
         "  tarvolen-admin user disable NAME [--data-root DIR]\n"
         "  tarvolen-admin user list [--data-root DIR]\n"
         "  tarvolen-admin user set-offered NAME [--data-root DIR] [--program-dir DIR]\n"
         "  tarvolen-admin user set-role NAME operator|supervisor|administrator [--data-root "
         "DIR]\n"
         "  tarvolen-admin user set-language NAME en|hi|mr|CODE [--data-root DIR] [--program-dir "
         "DIR]\n"},
        {"import", runImport,
         "  tarvolen-admin import KIND [--data-root DIR] --company CODE [--dry-run] FILE.csv\n"},
        {"report", runReport,
         "  tarvolen-admin report shift [--data-root DIR] --company CODE [--year CODE]\n"
         "                 --date YYYY-MM-DD --shift AM|PM [--route CODE] --pdf FILE\n"
         "  tarvolen-admin report day [--data-root DIR] --company CODE [--year CODE]\n"
         "                 --date YYYY-MM-DD [--pdf FILE | --csv FILE|-]\n"
         "  tarvolen-admin report villages [--data-root DIR] --company CODE [--year CODE]\n"
         "                 --from DATE --to DATE [--route CODE] [--village CODE]\n"
         "                 --pdf FILE | --csv FILE|- [--by-day]\n"
         "  tarvolen-admin report union --union postgresql://USER@HOST:PORT --date DATE\n"
         "                 --shift AM|PM [--pdf FILE] [--csv FILE]\n"},
        {"export", runExport,
         "  tarvolen-admin export receipts [--data-root DIR] --company CODE [--year CODE]\n"
         "                 --from DATE --to DATE [--shift AM|PM] [--route CODE] [--summary] "
         "FILE.csv|-\n"
         "  tarvolen-admin export summary --by village|route [--data-root DIR] --company CODE\n"
         "                 [--year CODE] --from DATE --to DATE [--shift AM|PM] [--route CODE] "
         "FILE.csv|-\n"
         "  tarvolen-admin export KIND [--data-root DIR] --company CODE FILE.csv|-\n"
         "                 (KIND: routes, vehicles, villages, animals, milk-types)\n"},
        {"backup", runBackup, "  tarvolen-admin backup [--program-dir DIR] --to FOLDER\n"},
        {"restore", runRestore, "  tarvolen-admin restore [--program-dir DIR] --from FOLDER\n"},
        {"receipt", runReceipt,
         "  tarvolen-admin receipt correct [--data-root DIR] --company CODE --ref N [--village "
         "CODE]\n"
         "                 [--animal CODE] [--milk CODE] [--cans N] --reason TEXT\n"
         "                 --supervisor NAME [--password-stdin]\n"
         "  tarvolen-admin receipt cancel [--data-root DIR] --company CODE --ref N --reason TEXT\n"
         "                 --supervisor NAME [--password-stdin]\n"},
        {"audit", runAudit,
         "  tarvolen-admin audit [--data-root DIR] --company CODE --from DATE --to DATE [--csv "
         "FILE]\n"},
        {"check", runCheck, "  tarvolen-admin check [--data-root DIR] [--company CODE] [--fix]\n"},
        {"union", runUnion,
         "  tarvolen-admin union publish --server postgresql://USER@HOST:PORT --password-file "
         "FILE\n"
         "                 [--role NAME]\n"
         "  tarvolen-admin union add-centre NAME --centre postgresql://ROLE@HOST:PORT\n"
         "                 --union postgresql://USER@HOST:PORT --password-file "
         "FILE|--password-stdin\n"
         "  tarvolen-admin union status --union postgresql://USER@HOST:PORT\n"
         "  tarvolen-admin union remove-centre NAME --union postgresql://USER@HOST:PORT\n"},
        {"desk", runDesk,
         "  tarvolen-admin desk show\n"
         "  tarvolen-admin desk scale --link N [--format N] [--com N] [--speed N] [--host H]\n"
         "                 [--tcp-port P] | --station\n"
         "  tarvolen-admin desk slip --printer QUEUE [--paper 58mm|80mm|A6] | --escpos DEVICE\n"
         "                 [--columns 32|48] | --pdf-folder DIR [--paper ...] | --off\n"},
    };
    return known;
}

} // namespace admin

QString admincli::usage()
{
    QString text = QStringLiteral("Usage:\n");
    for (const admin::Command& command : admin::commands())
        text += QLatin1String(command.usage);
    text +=
        QStringLiteral("Without --data-root a command works on the installation the desk would\n"
                       "use (--program-dir, $TARVOLEN_PROGRAM_DIR, /var/lib/tarvolen).\n"
                       "  tarvolen-admin COMMAND --help\n"
                       "  tarvolen-admin --version\n");
    return text;
}

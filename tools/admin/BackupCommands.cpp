// tarvolen-admin's backup and restore of an installation's databases.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "Backup.h"
#include "Centre.h"

#include "platform/Clock.h"

#include <QCommandLineParser>

using namespace admincli;

int admin::runBackup(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Copies every database of the installation into a dated folder while desks may run "
        "(SQLite's online backup), and checks each copy."));
    parser.addOptions(
        {{QStringLiteral("program-dir"),
          QStringLiteral("Folder of the program (holds SerPath.mdb); by default the one the "
                         "desk finds."),
          QStringLiteral("DIR")},
         {QStringLiteral("to"), QStringLiteral("Folder that gets the backup."),
          QStringLiteral("FOLDER")}});
    int code = Done;
    if (!parse(parser, QStringLiteral("backup"), arguments, &code))
        return code;
    QString programDir;
    QString to;
    if (!admin::centre::programFolderOption(parser, &programDir, &code) ||
        !requireValue(parser, QStringLiteral("to"), &to, &code))
        return code;
    QString folder;
    QStringList copied;
    const QString error =
        admin::backupInstallation(programDir, to, platform::now(), &folder, &copied);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("%1: %2 databases copied and checked\n").arg(folder).arg(copied.size());
    return Done;
}

int admin::runRestore(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Puts a backup folder back. Refuses while a desk of this user runs on this computer."));
    parser.addOptions(
        {{QStringLiteral("program-dir"),
          QStringLiteral("Folder of the program (gets SerPath.mdb); by default the one the "
                         "desk finds."),
          QStringLiteral("DIR")},
         {QStringLiteral("from"), QStringLiteral("The backup folder."), QStringLiteral("FOLDER")}});
    int code = Done;
    if (!parse(parser, QStringLiteral("restore"), arguments, &code))
        return code;
    QString programDir;
    QString from;
    if (!admin::centre::programFolderOption(parser, &programDir, &code) ||
        !requireValue(parser, QStringLiteral("from"), &from, &code))
        return code;
    QStringList restored;
    QString keptIn;
    const QString error = admin::restoreInstallation(programDir, from, admin::runningDeskName(),
                                                     platform::now(), &keptIn, &restored);
    if (!error.isEmpty())
        return failed(error);
    // A backup made before roles and the audit comes back without their tables.
    admin::InstallationFiles files;
    QString tablesError = admin::installationFiles(programDir, &files);
    if (tablesError.isEmpty())
        tablesError = admin::centre::makeSupervisorTables(files.dataRoot);
    if (!tablesError.isEmpty())
        err() << "tarvolen-admin: the roles and audit tables were not made: " << tablesError
              << "\n";
    out() << (keptIn.isEmpty() ? QStringLiteral("there was no installation to keep a copy of\n")
                               : QStringLiteral("what was replaced is kept in %1\n").arg(keptIn));
    out() << QStringLiteral("restored %1 databases:\n  %2\n")
                 .arg(restored.size())
                 .arg(restored.join(QStringLiteral("\n  ")));
    return Done;
}

// tarvolen-admin's built-in commands: creating installations and a station's scale link.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "Centre.h"
#include "Installation.h"
#include "ServerInstallation.h"

#include "platform/Paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace admincli;

int admin::runInit(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates SerPath.mdb in the program folder and DataBas/Main.mdb under the "
        "data root; with --demo also users, two companies and their year databases."));
    parser.addOptions({
        {QStringLiteral("program-dir"),
         QStringLiteral("Folder of the program (gets SerPath.mdb); by default the one the desk "
                        "would look in: $%1, else %2.")
             .arg(QLatin1String(platform::kProgramFolderVariable),
                  QLatin1String(platform::kInstalledProgramFolder)),
         QStringLiteral("DIR")},
        {QStringLiteral("data-root"), QStringLiteral("Data root (gets DataBas/)."),
         QStringLiteral("DIR")},
        {QStringLiteral("server"),
         QStringLiteral("Instead of a data root: the main and company databases on this "
                        "PostgreSQL server, registered as data sources in the user's odbc.ini."),
         QStringLiteral("postgresql://USER@HOST:PORT")},
        {QStringLiteral("password-stdin"),
         QStringLiteral("With --server: read the server password from standard input and keep "
                        "it in ~/.pgpass (0600). Without it the password comes from PGPASSWORD "
                        "or ~/.pgpass, as for PostgreSQL's own tools.")},
        {QStringLiteral("join"),
         QStringLiteral("With --server: set up another desk of the installation already on that "
                        "server (SerPath.mdb and the data sources only).")},
        {QStringLiteral("demo"), QStringLiteral("Fill a demo installation.")},
        {QStringLiteral("force"), QStringLiteral("Replace an existing installation.")},
        {QStringLiteral("today"),
         QStringLiteral("Working day of the demo (yyyy-MM-dd); default today."),
         QStringLiteral("DATE")},
    });
    int code = Done;
    if (!parse(parser, QStringLiteral("init"), arguments, &code))
        return code;

    admin::InitOptions options;
    const bool onServer = parser.isSet(QStringLiteral("server"));
    if (!onServer && !requireValue(parser, QStringLiteral("data-root"), &options.dataRoot, &code))
        return code;
    // The folder the desk will look in, found by the desk's own rule.
    options.programDir =
        platform::findProgramFolder(parser.value(QStringLiteral("program-dir")),
                                    qEnvironmentVariable(platform::kProgramFolderVariable),
                                    QCoreApplication::applicationDirPath())
            .folder;
    options.demo = parser.isSet(QStringLiteral("demo"));
    options.force = parser.isSet(QStringLiteral("force"));
    if (parser.isSet(QStringLiteral("today"))) {
        options.today = QDate::fromString(parser.value(QStringLiteral("today")), Qt::ISODate);
        if (!options.today.isValid())
            return wrongUsage(QStringLiteral("--today must be a date written yyyy-MM-dd"));
    }
    QString summary;
    if (parser.isSet(QStringLiteral("join")) && !onServer)
        return wrongUsage(QStringLiteral("--join names the server to join with --server"));
    if (onServer) {
        if (parser.isSet(QStringLiteral("data-root")) || options.force)
            return wrongUsage(QStringLiteral("--server goes without --data-root and --force"));
        admin::ServerInitOptions server{
            options.programDir, parser.value(QStringLiteral("server")), options.demo,
            options.today,      parser.isSet(QStringLiteral("join")),   QString()};
        if (parser.isSet(QStringLiteral("password-stdin"))) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly))
                return failed(QStringLiteral("cannot read standard input"));
            server.password = QString::fromUtf8(in.readLine()).remove(QLatin1Char('\n'));
            if (server.password.isEmpty())
                return wrongUsage(QStringLiteral("--password-stdin read no password"));
        }
        const QString error = admin::initServerInstallation(server, &summary);
        if (!error.isEmpty())
            return failed(error);
        out() << summary << "\n";
        return Done;
    }
    const QString error = admin::initInstallation(options, &summary);
    if (!error.isEmpty())
        return failed(error);
    out() << summary << "\n";
    return Done;
}

int admin::runStation(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the station settings (Sms_Add) of a company's latest year; without "
                       "settings shows them."));
    admin::centre::addInstallationOptions(parser);
    parser.addOptions({
        {QStringLiteral("company"), QStringLiteral("Company code (ComCode)."),
         QStringLiteral("CODE")},
        {QStringLiteral("link"),
         QStringLiteral("Scale link: 1 serial on request, 2 network on request, 3 serial "
                        "continuous, 4 network continuous."),
         QStringLiteral("1-4")},
        {QStringLiteral("format"), QStringLiteral("Scale data format code (0-255)."),
         QStringLiteral("N")},
        {QStringLiteral("port"), QStringLiteral("Serial port number (0-255, 0 = none)."),
         QStringLiteral("N")},
        {QStringLiteral("speed"), QStringLiteral("Serial speed in bits per second."),
         QStringLiteral("N")},
        {QStringLiteral("host"), QStringLiteral("Network scale's host."), QStringLiteral("H")},
        {QStringLiteral("tcp-port"), QStringLiteral("Network scale's TCP port (1-65535)."),
         QStringLiteral("P")},
    });
    int code = Done;
    if (!parse(parser, QStringLiteral("station"), arguments, &code))
        return code;

    admin::StationOptions options;
    if (!admin::centre::dataRootOption(parser, &options.dataRoot, &code) ||
        !requireValue(parser, QStringLiteral("company"), &options.company, &code))
        return code;
    if (!wholeNumber(parser, QStringLiteral("link"), 1, 4, &options.link, &code) ||
        !wholeNumber(parser, QStringLiteral("format"), 0, 255, &options.format, &code) ||
        !wholeNumber(parser, QStringLiteral("port"), 0, 255, &options.port, &code))
        return code;
    if (parser.isSet(QStringLiteral("speed"))) {
        bool ok = false;
        const QString text = parser.value(QStringLiteral("speed")).trimmed();
        options.speed = text.toDouble(&ok);
        if (!ok || !(options.speed > 0))
            return wrongUsage(
                QStringLiteral("--speed must be a number greater than 0, not \"%1\"").arg(text));
    }
    if (parser.isSet(QStringLiteral("host")))
        options.host = parser.value(QStringLiteral("host"));
    if (parser.isSet(QStringLiteral("tcp-port")))
        options.tcpPort = parser.value(QStringLiteral("tcp-port"));

    const bool anySetting = options.link != -1 || options.format != -1 || options.port != -1 ||
                            options.speed != -1 || !options.host.isNull() ||
                            !options.tcpPort.isNull();
    QString error;
    if (anySetting)
        error = admin::writeStation(options);
    if (error.isEmpty()) {
        QString settings;
        error = admin::describeStation(options.dataRoot, options.company, &settings);
        if (error.isEmpty())
            out() << settings << "\n";
    }
    return error.isEmpty() ? Done : failed(error);
}

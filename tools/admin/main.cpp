// tarvolen-admin: creates installations (empty or demo) and sets a station's scale link, the
// two jobs the desk itself leaves to others.
#include "Installation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

enum ExitCode { Done = 0, Failed = 1, WrongUsage = 2 };

const char* const kUsage =
    "Usage:\n"
    "  tarvolen-admin init --program-dir DIR --data-root DIR [--demo] [--force] [--today DATE]\n"
    "  tarvolen-admin station --data-root DIR --company CODE [--link 1-4] [--format N]\n"
    "                 [--port N] [--speed N] [--host H] [--tcp-port P]\n"
    "  tarvolen-admin COMMAND --help\n";

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

int wrongUsage(const QString& problem)
{
    err() << "tarvolen-admin: " << problem << "\n" << kUsage;
    err().flush();
    return WrongUsage;
}

int failed(const QString& problem)
{
    err() << "tarvolen-admin: " << problem << "\n";
    err().flush();
    return Failed;
}

// Parses the options of one command (the arguments after the command's name). Returns false
// with *exitCode set when the run ends here (help shown or wrong arguments).
bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           int* exitCode)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("tarvolen-admin")} + arguments)) {
        *exitCode = wrongUsage(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        // The parser names the program by its full path; the command belongs in the usage line.
        const QString text = parser.helpText();
        out() << QStringLiteral("Usage: tarvolen-admin %1 [options]").arg(command)
              << text.mid(text.indexOf(QLatin1Char('\n')));
        out().flush();
        *exitCode = Done;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *exitCode = wrongUsage(QStringLiteral("unexpected argument \"%1\"")
                                   .arg(parser.positionalArguments().constFirst()));
        return false;
    }
    return true;
}

bool requireValue(const QCommandLineParser& parser, const QString& option, QString* value,
                  int* exitCode)
{
    *value = parser.value(option);
    if (value->trimmed().isEmpty()) {
        *exitCode = wrongUsage(QStringLiteral("--%1 is required").arg(option));
        return false;
    }
    return true;
}

int runInit(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates SerPath.mdb in the program folder and DataBas/Main.mdb under the "
        "data root; with --demo also users, two companies and their year databases."));
    parser.addOptions({
        {QStringLiteral("program-dir"), QStringLiteral("Folder of the program (gets SerPath.mdb)."),
         QStringLiteral("DIR")},
        {QStringLiteral("data-root"), QStringLiteral("Data root (gets DataBas/)."),
         QStringLiteral("DIR")},
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
    if (!requireValue(parser, QStringLiteral("program-dir"), &options.programDir, &code) ||
        !requireValue(parser, QStringLiteral("data-root"), &options.dataRoot, &code))
        return code;
    options.demo = parser.isSet(QStringLiteral("demo"));
    options.force = parser.isSet(QStringLiteral("force"));
    if (parser.isSet(QStringLiteral("today"))) {
        options.today = QDate::fromString(parser.value(QStringLiteral("today")), Qt::ISODate);
        if (!options.today.isValid())
            return wrongUsage(QStringLiteral("--today must be a date written yyyy-MM-dd"));
    }
    QString summary;
    const QString error = admin::initInstallation(options, &summary);
    if (!error.isEmpty())
        return failed(error);
    out() << summary << "\n";
    return Done;
}

// A whole number option; *value keeps -1 (leave the setting) when the option is absent.
bool wholeNumber(const QCommandLineParser& parser, const QString& option, int min, int max,
                 int* value, int* exitCode)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const QString text = parser.value(option).trimmed();
    *value = text.toInt(&ok);
    if (!ok || *value < min || *value > max) {
        *exitCode =
            wrongUsage(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                           .arg(option)
                           .arg(min)
                           .arg(max)
                           .arg(text));
        return false;
    }
    return true;
}

int runStation(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the station settings (Sms_Add) of a company's latest year; without "
                       "settings shows them."));
    parser.addOptions({
        {QStringLiteral("data-root"), QStringLiteral("Data root (holds DataBas/)."),
         QStringLiteral("DIR")},
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
    if (!requireValue(parser, QStringLiteral("data-root"), &options.dataRoot, &code) ||
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvolen-admin"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return wrongUsage(QStringLiteral("no command given"));
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("init"))
        return runInit(arguments);
    if (command == QLatin1String("station"))
        return runStation(arguments);
    if (command == QLatin1String("-h") || command == QLatin1String("--help") ||
        command == QLatin1String("help")) {
        out() << kUsage;
        return Done;
    }
    return wrongUsage(QStringLiteral("unknown command \"%1\"").arg(command));
}

// tarvolen-admin desk: what this desk keeps for itself (its own scale, its slip printer), in the
// configuration folder of the user who runs it.
#include "AdminCli.h"
#include "AdminCommands.h"

#include "platform/DeskSettings.h"

#include <QFileInfo>

using namespace admincli;

namespace {

int saved(const platform::DeskSettings& settings)
{
    const QString problem = platform::writeDeskSettings(settings);
    if (!problem.isEmpty())
        return failed(problem);
    out() << platform::describeDeskSettings(settings);
    return Done;
}

int show(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows this desk's own settings."));
    int code = Done;
    if (!parse(parser, QStringLiteral("desk show"), arguments, &code))
        return code;
    out() << platform::describeDeskSettings(platform::readDeskSettings());
    return Done;
}

int scale(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Gives this desk a scale of its own, which it reads instead of the one in "
                       "the company year's station settings; --station goes back to those."));
    parser.addOptions({
        {QStringLiteral("link"),
         QStringLiteral("Scale link: 1 serial on request, 2 network on request, 3 serial "
                        "continuous, 4 network continuous."),
         QStringLiteral("1-4")},
        {QStringLiteral("format"), QStringLiteral("Scale data format code (0-255, default 2)."),
         QStringLiteral("N")},
        {QStringLiteral("com"), QStringLiteral("Serial port number (1-255)."), QStringLiteral("N")},
        {QStringLiteral("speed"), QStringLiteral("Serial speed in bits per second."),
         QStringLiteral("N")},
        {QStringLiteral("host"), QStringLiteral("Network scale's host."), QStringLiteral("H")},
        {QStringLiteral("tcp-port"), QStringLiteral("Network scale's TCP port (1-65535)."),
         QStringLiteral("P")},
        {QStringLiteral("station"), QStringLiteral("Read the station settings' scale again.")},
    });
    int code = Done;
    if (!parse(parser, QStringLiteral("desk scale"), arguments, &code))
        return code;
    platform::DeskSettings settings = platform::readDeskSettings();
    if (parser.isSet(QStringLiteral("station"))) {
        if (parser.isSet(QStringLiteral("link")))
            return wrongUsage(QStringLiteral("--station or --link, not both"));
        settings.scale.reset();
        return saved(settings);
    }
    platform::DeskScale own;
    int tcpPort = -1;
    if (!parser.isSet(QStringLiteral("link")))
        return wrongUsage(QStringLiteral("--link or --station is required"));
    if (!wholeNumber(parser, QStringLiteral("link"), 1, 4, &own.link, &code) ||
        !wholeNumber(parser, QStringLiteral("format"), 0, 255, &own.format, &code) ||
        !wholeNumber(parser, QStringLiteral("com"), 1, 255, &own.com, &code) ||
        !wholeNumber(parser, QStringLiteral("tcp-port"), 1, 65535, &tcpPort, &code))
        return code;
    const bool serial = own.link == 1 || own.link == 3;
    if (parser.isSet(QStringLiteral("speed"))) {
        bool ok = false;
        own.speed = parser.value(QStringLiteral("speed")).toDouble(&ok);
        if (!ok || !(own.speed > 0))
            return wrongUsage(QStringLiteral("--speed must be a number greater than 0"));
    }
    own.host = parser.value(QStringLiteral("host")).trimmed();
    own.tcpPort = tcpPort > 0 ? QString::number(tcpPort) : QString();
    if (serial && (own.com == 0 || own.speed == 0))
        return wrongUsage(QStringLiteral("a serial scale needs --com and --speed"));
    if (!serial && (own.host.isEmpty() || own.tcpPort.isEmpty()))
        return wrongUsage(QStringLiteral("a network scale needs --host and --tcp-port"));
    settings.scale = own;
    return saved(settings);
}

int slip(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Chooses where this desk prints a slip for the supplier after each "
                       "receipt: a print queue, a receipt printer spoken to with ESC/POS, a "
                       "folder that receives each slip as a PDF, or no slip."));
    parser.addOptions({
        {QStringLiteral("printer"), QStringLiteral("A queue of the system's print service."),
         QStringLiteral("QUEUE")},
        {QStringLiteral("escpos"),
         QStringLiteral("A receipt printer's device (/dev/usb/lp0, a serial port)."),
         QStringLiteral("DEVICE")},
        {QStringLiteral("columns"),
         QStringLiteral("Characters a line on the receipt printer: 32 (58 mm) or 48 (80 mm)."),
         QStringLiteral("32|48")},
        {QStringLiteral("pdf-folder"), QStringLiteral("A folder that receives each slip as PDF."),
         QStringLiteral("DIR")},
        {QStringLiteral("paper"),
         QStringLiteral("The page of a queue's or a folder's slips: 58mm, 80mm (default) or A6."),
         QStringLiteral("PAPER")},
        {QStringLiteral("off"), QStringLiteral("Print no slip.")},
    });
    int code = Done;
    if (!parse(parser, QStringLiteral("desk slip"), arguments, &code))
        return code;
    int chosen = 0;
    for (const char* option : {"printer", "escpos", "pdf-folder", "off"})
        chosen += parser.isSet(QLatin1String(option)) ? 1 : 0;
    if (chosen != 1)
        return wrongUsage(
            QStringLiteral("one of --printer, --escpos, --pdf-folder or --off is required"));
    platform::DeskSettings settings = platform::readDeskSettings();
    platform::SlipPrinter& printer = settings.slip;
    printer = platform::SlipPrinter{};
    if (parser.isSet(QStringLiteral("columns"))) {
        const QString columns = parser.value(QStringLiteral("columns"));
        if (columns != QLatin1String("32") && columns != QLatin1String("48"))
            return wrongUsage(QStringLiteral("--columns must be 32 or 48, not \"%1\"").arg(columns));
        printer.columns = columns.toInt();
    }
    if (parser.isSet(QStringLiteral("paper"))) {
        const auto paper = platform::paperFromName(parser.value(QStringLiteral("paper")));
        if (!paper)
            return wrongUsage(QStringLiteral("--paper must be 58mm, 80mm or A6"));
        printer.paper = *paper;
    }
    if (parser.isSet(QStringLiteral("printer"))) {
        printer.kind = platform::SlipPrinter::Kind::Queue;
        printer.target = parser.value(QStringLiteral("printer")).trimmed();
    } else if (parser.isSet(QStringLiteral("escpos"))) {
        printer.kind = platform::SlipPrinter::Kind::EscPos;
        printer.target = parser.value(QStringLiteral("escpos")).trimmed();
    } else if (parser.isSet(QStringLiteral("pdf-folder"))) {
        printer.kind = platform::SlipPrinter::Kind::PdfFolder;
        printer.target = QFileInfo(parser.value(QStringLiteral("pdf-folder"))).absoluteFilePath();
        if (!QFileInfo(printer.target).isDir())
            return failed(QStringLiteral("%1 is not a folder").arg(printer.target));
    }
    if (printer.kind != platform::SlipPrinter::Kind::Off && printer.target.isEmpty())
        return wrongUsage(QStringLiteral("the printer needs a name"));
    return saved(settings);
}

} // namespace

int admin::runDesk(const QStringList& arguments)
{
    const QString sub = arguments.value(0);
    if (sub == QLatin1String("show"))
        return show(arguments.mid(1));
    if (sub == QLatin1String("scale"))
        return scale(arguments.mid(1));
    if (sub == QLatin1String("slip"))
        return slip(arguments.mid(1));
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        out() << usage();
        return Done;
    }
    return wrongUsage(QStringLiteral("desk show, scale or slip?"));
}

// tarvolen-scale-sim: a platform scale for demos, wiring checks and tests, on TCP or on a
// pseudo-terminal that stands in for a serial port.

#include "ScaleSim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {
int fail(const QString& why)
{
    std::fprintf(stderr, "tarvolen-scale-sim: %s\n", qPrintable(why));
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvolen-scale-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVOLEN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates the weighing desk's platform scale.\n"
        "Network scale (--tcp): answers \"05E\" with \"A00123.4kg\" CR LF (request mode), or\n"
        "streams \"123.4\" CR LF after it (continuous mode); \"T\" 0x04 clears.\n"
        "Serial scale (--pty): answers 0x05 and \"W1\" with \"0123.4\" CR LF (request mode), or\n"
        "streams readings on its own (continuous mode); \"T\" clears.\n"
        "Prints \"listening HOST:PORT\" or \"pty DEVICE\" when ready, and \"clear N\" for each\n"
        "clear command received."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("Listen on HOST:PORT (port 0: any free port)."),
                                 QStringLiteral("HOST:PORT"));
    const QCommandLineOption pty(
        QStringLiteral("pty"),
        QStringLiteral("Open a pseudo-terminal and make LINK a link to it (e.g. "
                       "~/.config/tarvolen/com1 for serial port 1)."),
        QStringLiteral("LINK"));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("request (default) or continuous."),
                                  QStringLiteral("MODE"), QStringLiteral("request"));
    const QCommandLineOption interval(
        QStringLiteral("interval"),
        QStringLiteral("Milliseconds between streamed readings (default %1).")
            .arg(scalesim::kDefaultInterval.count()),
        QStringLiteral("MS"), QString::number(scalesim::kDefaultInterval.count()));
    const QCommandLineOption weights(
        QStringLiteral("weights"),
        QStringLiteral("Readings in kg, taken in turn by each reply or streamed reading, "
                       "round and round (default 0)."),
        QStringLiteral("LIST"));
    const QCommandLineOption readStdin(
        QStringLiteral("stdin"),
        QStringLiteral("Each line of standard input is the load now on the platform."));
    const QCommandLineOption garbage(
        QStringLiteral("garbage"),
        QStringLiteral("Send a malformed reply (letters, an empty line) before every second "
                       "reading."));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Send each reply in two parts, %1 ms apart.")
                                       .arg(scalesim::kSplitPause.count()));
    QStringList faultNames;
    for (const scalesim::Fault each : scalesim::allFaults())
        faultNames << scalesim::faultName(each);
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("Misbehave as a faulty scale does: late (answers 1.5 s late), noise "
                       "(\"x77\" before every reading), error (every second reading is "
                       "\"ERR 77\"), cut (the tail of a reading before each one), unframed (the "
                       "network scale on request answers \"23.4 g\"), no-line-end."),
        QStringLiteral("FAULT"));
    parser.addOptions({tcp, pty, mode, interval, weights, readStdin, garbage, split, fault});
    parser.process(app);

    scalesim::Options options;
    if (parser.isSet(tcp) == parser.isSet(pty))
        return fail(QStringLiteral("give either --tcp HOST:PORT or --pty LINK (see --help)"));
    if (parser.isSet(tcp)) {
        const QString address = parser.value(tcp);
        const int colon = address.lastIndexOf(QLatin1Char(':'));
        bool portOk = false;
        const uint port = address.mid(colon + 1).toUInt(&portOk);
        if (colon <= 0 || !portOk || port > 65535)
            return fail(QStringLiteral("--tcp wants HOST:PORT, not \"%1\"").arg(address));
        options.tcpHost = address.left(colon);
        options.tcpPort = quint16(port);
    } else {
        options.ptyLink = parser.value(pty);
    }
    if (parser.value(mode) == QLatin1String("continuous"))
        options.mode = scalesim::Options::Mode::Continuous;
    else if (parser.value(mode) != QLatin1String("request"))
        return fail(QStringLiteral("--mode is request or continuous"));
    bool intervalOk = false;
    const int ms = parser.value(interval).toInt(&intervalOk);
    if (!intervalOk || ms < scalesim::kMinInterval.count())
        return fail(
            QStringLiteral("--interval wants at least %1 ms").arg(scalesim::kMinInterval.count()));
    options.interval = std::chrono::milliseconds(ms);
    if (parser.isSet(weights)) {
        const QString wrong = scalesim::parseWeights(parser.value(weights), options.weights);
        if (!wrong.isEmpty())
            return fail(wrong);
    }
    options.readStdin = parser.isSet(readStdin);
    options.garbage = parser.isSet(garbage);
    options.split = parser.isSet(split);
    if (parser.isSet(fault)) {
        const int which = int(faultNames.indexOf(parser.value(fault)));
        if (which < 0)
            return fail(QStringLiteral("--fault is one of %1").arg(faultNames.join(", ")));
        options.fault = scalesim::allFaults().at(which);
    }

    scalesim::ScaleSim sim(options);
    const QString failure = sim.start();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "tarvolen-scale-sim: %s\n", qPrintable(failure));
        return 1;
    }
    return app.exec();
}

#include "ScaleSim.h"

#include "scale/ScaleProtocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace scalesim {
namespace {
namespace protocol = scale::protocol;
const QByteArray kNetRequest(protocol::kNetworkRequest);
const QByteArray kNetClear(protocol::kNetworkClear);
constexpr char kEnq = protocol::kEnq;
const QByteArray kSerialRequest(protocol::kSerialRequest);
constexpr char kSerialClear = protocol::kSerialClear[0];
const QByteArray kLineEnd(protocol::kLineEnd);

// Malformed replies a scale on a noisy line or in trouble sends: empty lines and letters.
const QList<QByteArray> kGarbage{QByteArray("\r\n"), QByteArray("ERR\r\n"), QByteArray("kg\r\n"),
                                 QByteArray("OL ------\r\n")};

// The link made for the pseudo-terminal goes away with the simulator.
char g_linkPath[4096] = {0};

extern "C" void removeLinkAndExit(int)
{
    if (g_linkPath[0] != '\0')
        ::unlink(g_linkPath);
    ::_exit(0);
}

void say(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}
} // namespace

QString faultName(Fault fault)
{
    switch (fault) {
    case Fault::None:
        return QString();
    case Fault::Late:
        return QStringLiteral("late");
    case Fault::Noise:
        return QStringLiteral("noise");
    case Fault::Error:
        return QStringLiteral("error");
    case Fault::Cut:
        return QStringLiteral("cut");
    case Fault::Unframed:
        return QStringLiteral("unframed");
    case Fault::NoLineEnd:
        return QStringLiteral("no-line-end");
    }
    return QString();
}

QList<Fault> allFaults()
{
    return {Fault::Late, Fault::Noise, Fault::Error, Fault::Cut, Fault::Unframed, Fault::NoLineEnd};
}

QString parseWeights(const QString& list, QList<double>& weights)
{
    QList<double> parsed;
    for (const QString& item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const double value = item.trimmed().toDouble(&ok);
        if (!ok)
            return QStringLiteral("\"%1\" in --weights is not a number").arg(item);
        parsed << value;
    }
    weights = parsed;
    return QString();
}

TcpPeer::TcpPeer(QTcpSocket* socket, bool split)
    : QObject(socket),
      out(new Outbox([socket](const QByteArray& data) { socket->write(data); }, split, this))
{
}

Outbox::Outbox(std::function<void(const QByteArray&)> write, bool split, QObject* parent)
    : QObject(parent), m_write(std::move(write)), m_split(split)
{
}

void Outbox::send(const QByteArray& reply)
{
    if (m_split && reply.size() > 1) {
        const int half = reply.size() / 2;
        m_queue.append({reply.left(half), true});
        m_queue.append({reply.mid(half), false});
    } else {
        m_queue.append({reply, false});
    }
    drain();
}

void Outbox::drain()
{
    while (!m_paused && !m_queue.isEmpty()) {
        const Chunk chunk = m_queue.takeFirst();
        m_write(chunk.data);
        if (chunk.pauseAfter) {
            m_paused = true;
            QTimer::singleShot(kSplitPause, this, [this] {
                m_paused = false;
                drain();
            });
        }
    }
}

ScaleSim::ScaleSim(const Options& options, QObject* parent) : QObject(parent), m_options(options)
{
    m_current = m_options.weights.value(0, 0.0);
}

ScaleSim::~ScaleSim()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    if (g_linkPath[0] != '\0')
        ::unlink(g_linkPath);
}

QString ScaleSim::start()
{
    const QString failure = m_options.ptyLink.isEmpty() ? startTcp() : startPty();
    if (failure.isEmpty() && m_options.readStdin)
        startStdin();
    return failure;
}

QString ScaleSim::startTcp()
{
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress(m_options.tcpHost), m_options.tcpPort))
        return QStringLiteral("cannot listen on %1:%2: %3")
            .arg(m_options.tcpHost)
            .arg(m_options.tcpPort)
            .arg(m_server->errorString());
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            auto* peer = new TcpPeer(socket, m_options.split);
            connect(socket, &QTcpSocket::readyRead, peer, [this, socket, peer] {
                peer->input.append(socket->readAll());
                takeTcpCommands(*peer);
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    say(QStringLiteral("listening %1:%2").arg(m_options.tcpHost).arg(m_server->serverPort()));
    return QString();
}

void ScaleSim::takeTcpCommands(TcpPeer& peer)
{
    QByteArray& input = peer.input;
    Outbox& out = *peer.out;
    while (!input.isEmpty()) {
        if (input.startsWith(kNetRequest)) {
            input.remove(0, kNetRequest.size());
            if (m_options.mode == Options::Mode::Request) {
                sendReading(out, framedReply(nextWeight()));
            } else if (!peer.stream) {
                // The continuous scale streams from the request on, to this desk only.
                peer.stream = new QTimer(&peer);
                connect(peer.stream, &QTimer::timeout, &peer,
                        [this, &out] { sendReading(out, plainReading(nextWeight())); });
                peer.stream->start(m_options.interval);
            }
        } else if (input.startsWith(kNetClear)) {
            input.remove(0, kNetClear.size());
            countClear();
        } else if (kNetRequest.startsWith(input) || kNetClear.startsWith(input)) {
            break; // the rest of a command is on its way
        } else {
            input.remove(0, 1);
        }
    }
}

QString ScaleSim::startPty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return QStringLiteral("cannot open a pseudo-terminal: %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    const QString device = QString::fromLocal8Bit(::ptsname(m_master));
    m_slave = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return QStringLiteral("cannot open %1: %2")
            .arg(device, QString::fromLocal8Bit(std::strerror(errno)));
    // A serial line carries bytes as they are: no echo, no line editing, no CR/LF changes.
    termios tio;
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    const QFileInfo link(m_options.ptyLink);
    QDir().mkpath(link.absolutePath());
    if (link.isSymLink() || link.exists())
        QFile::remove(link.absoluteFilePath());
    if (!QFile::link(device, link.absoluteFilePath()))
        return QStringLiteral("cannot make %1 a link to %2").arg(link.absoluteFilePath(), device);
    const QByteArray linkPath = QFile::encodeName(link.absoluteFilePath());
    std::strncpy(g_linkPath, linkPath.constData(), sizeof g_linkPath - 1);
    std::signal(SIGINT, removeLinkAndExit);
    std::signal(SIGTERM, removeLinkAndExit);
    std::signal(SIGHUP, removeLinkAndExit);

    const int master = m_master;
    m_ptyOut = new Outbox(
        [master](const QByteArray& data) {
            // Nobody reading the line: what does not fit is lost, as on a real line.
            const ssize_t written = ::write(master, data.constData(), size_t(data.size()));
            Q_UNUSED(written);
        },
        m_options.split, this);
    m_ptyNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_ptyNotifier, &QSocketNotifier::activated, this, &ScaleSim::readPty);
    if (m_options.mode == Options::Mode::Continuous) {
        m_ptyStream = new QTimer(this);
        connect(m_ptyStream, &QTimer::timeout, this,
                [this] { sendReading(*m_ptyOut, serialReading(nextWeight())); });
        m_ptyStream->start(m_options.interval);
    }
    say(QStringLiteral("pty %1").arg(device));
    return QString();
}

void ScaleSim::readPty()
{
    char buffer[512];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count > 0) {
        m_ptyInput.append(buffer, int(count));
        takeSerialCommands(m_ptyInput, *m_ptyOut);
    } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
        say(QStringLiteral("pty read failed: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno))));
        m_ptyNotifier->setEnabled(false);
    }
}

void ScaleSim::takeSerialCommands(QByteArray& input, Outbox& out)
{
    const bool answers = m_options.mode == Options::Mode::Request;
    while (!input.isEmpty()) {
        if (input.at(0) == kEnq || input.startsWith(kSerialRequest)) {
            input.remove(0, input.at(0) == kEnq ? 1 : kSerialRequest.size());
            if (answers)
                sendReading(out, serialReading(nextWeight()));
        } else if (input.at(0) == kSerialClear) {
            input.remove(0, 1);
            countClear();
        } else if (kSerialRequest.startsWith(input)) {
            break;
        } else {
            input.remove(0, 1);
        }
    }
}

void ScaleSim::startStdin()
{
    m_stdinNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, &ScaleSim::readStdin);
}

void ScaleSim::readStdin()
{
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        // The input has ended: the load stays as it was placed last.
        m_stdinNotifier->setEnabled(false);
        return;
    }
    m_stdinBuffer.append(buffer, int(count));
    int end;
    while ((end = m_stdinBuffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_stdinBuffer.left(end).trimmed();
        m_stdinBuffer.remove(0, end + 1);
        bool ok = false;
        const double value = line.toDouble(&ok);
        if (ok) {
            m_current = value;
            say(QStringLiteral("weight %1").arg(value));
        } else if (!line.isEmpty()) {
            say(QStringLiteral("not a weight: %1").arg(QString::fromLocal8Bit(line)));
        }
    }
}

QByteArray ScaleSim::framedReply(double weight) const
{
    if (m_options.fault == Fault::Unframed)
        return QString::asprintf("%.1f g", weight).toLatin1() + kLineEnd;
    return protocol::kFrameMarker + QString::asprintf("%07.1f", weight).toLatin1() +
           protocol::kFrameUnit + kLineEnd;
}

QByteArray ScaleSim::plainReading(double weight) const
{
    return QString::asprintf("%.1f", weight).toLatin1() + kLineEnd;
}

QByteArray ScaleSim::serialReading(double weight) const
{
    return QString::asprintf("%06.1f", weight).toLatin1() + kLineEnd;
}

QByteArray ScaleSim::nextGarbage()
{
    return kGarbage.at(m_garbageSent++ % kGarbage.size());
}

double ScaleSim::nextWeight()
{
    if (m_options.readStdin)
        return m_current;
    return m_options.weights.at(m_nextWeight++ % m_options.weights.size());
}

void ScaleSim::sendReading(Outbox& out, const QByteArray& reading)
{
    if (m_options.garbage && m_readingsSent % 2 == 1)
        out.send(nextGarbage());
    const bool second = m_readingsSent % 2 == 1;
    ++m_readingsSent;
    switch (m_options.fault) {
    case Fault::Late: {
        const QPointer<Outbox> later(&out);
        QTimer::singleShot(kLateBy, this, [later, reading] {
            if (later)
                later->send(reading);
        });
        return;
    }
    case Fault::Noise:
        out.send("x77" + kLineEnd);
        break;
    case Fault::Error:
        if (second) {
            out.send("ERR 77" + kLineEnd);
            return;
        }
        break;
    case Fault::Cut:
        out.send(reading.mid(reading.size() / 2));
        break;
    case Fault::NoLineEnd:
        out.send(reading.chopped(kLineEnd.size()));
        return;
    case Fault::None:
    case Fault::Unframed:
        break;
    }
    out.send(reading);
}

void ScaleSim::countClear()
{
    ++m_clears;
    say(QStringLiteral("clear %1").arg(m_clears));
}

} // namespace scalesim

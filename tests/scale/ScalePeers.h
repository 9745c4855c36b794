#pragma once

// Scales the tests play: the far end of a pseudo-terminal, and a TCP server.

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace scaletest {

// The far end of a serial line, linked from the configuration folder's com<N>.
class PtyScale : public QObject {
public:
    explicit PtyScale(const QString& link)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        // Kept from the programs a test starts: one holding the master would keep the line up
        // after an unplug.
        if (m_master < 0 || ::fcntl(m_master, F_SETFD, FD_CLOEXEC) != 0 ||
            ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        device = QString::fromLocal8Bit(::ptsname(m_master));
        // Held open so that the master never reads a hang-up while the desk has the port closed.
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio;
        if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
            return;
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        QFile::remove(link);
        ok = QFile::link(device, link);
        auto* notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
            char buffer[256];
            const ssize_t count = ::read(m_master, buffer, sizeof buffer);
            if (count <= 0) {
                notifier->setEnabled(false);
                return;
            }
            received += QByteArray(buffer, int(count));
            if (!replies.isEmpty() && (received.endsWith('\x05') || received.endsWith("W1")))
                write(replies.takeFirst());
        });
    }
    ~PtyScale() override { unplug(); }
    void write(const QByteArray& data) const
    {
        if (m_master >= 0)
            QCOMPARE(::write(m_master, data.constData(), size_t(data.size())),
                     ssize_t(data.size()));
    }
    // The adapter is pulled out: the line hangs up and the device is gone.
    void unplug()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }

    QString device;
    QByteArrayList replies;
    QByteArray received;
    bool ok = false;

private:
    int m_master = -1;
    int m_slave = -1;
};

// The network scale's host; it answers each "05E" with the next reply (on request) and keeps
// what it received.
class TcpScale : public QObject {
public:
    explicit TcpScale(quint16 port = 0)
    {
        ok = server.listen(QHostAddress::LocalHost, port);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* next = server.nextPendingConnection()) {
                ++connections;
                socket = next;
                connect(next, &QTcpSocket::readyRead, this, [this, next] {
                    received += next->readAll();
                    for (; requests < received.count("05E"); ++requests) {
                        next->write(replies.value(requests));
                        if (closeAfterReply)
                            next->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString port() const { return QString::number(server.serverPort()); }
    void send(const QByteArray& data) const
    {
        socket->write(data);
        socket->flush();
    }

    QByteArrayList replies;
    QByteArray received;
    int requests = 0;
    int connections = 0;
    bool closeAfterReply = false;
    QTcpSocket* socket = nullptr;
    QTcpServer server;
    bool ok = false;
};

} // namespace scaletest

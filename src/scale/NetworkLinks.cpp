#include "NetworkLinks.h"

#include "ScaleProtocol.h"
#include "platform/Clock.h"

#include <QTcpSocket>

namespace scale {

quint16 NetworkSettings::portNumber() const
{
    bool isNumber = false;
    const uint number = port.trimmed().toUInt(&isNumber);
    return isNumber && number <= 65535 ? quint16(number) : 0;
}

// ---- asked by Get Weight ----

NetworkRequestLink::NetworkRequestLink(const NetworkSettings& settings, QObject* parent)
    : RequestLink(parent), Winsock1(new QTcpSocket(this)), m_settings(settings)
{
    connect(Winsock1, &QTcpSocket::connected, this, &NetworkRequestLink::Winsock1_Connect);
    connect(Winsock1, &QTcpSocket::readyRead, this, &NetworkRequestLink::Winsock1_DataArrival);
}

QString NetworkRequestLink::describe() const
{
    return QStringLiteral("network %1:%2, on request").arg(m_settings.host, m_settings.port);
}

void NetworkRequestLink::requestWeight()
{
    if (!m_settings.complete()) {
        emit failed(QStringLiteral("Enter Remote Host IP and Remote Port Number"), false);
        return;
    }
    Win_Sock_Connect();
}

void NetworkRequestLink::Win_Sock_Connect()
{
    Winsock1->abort();
    forgetGathered();
    m_replied = false;
    Winsock1->connectToHost(m_settings.host, m_settings.portNumber());
    WaitSeconds(std::chrono::duration<double>(timings().connectWait).count());
    if (Winsock1->state() == QAbstractSocket::ConnectedState || m_replied)
        return;
    setState(QStringLiteral("not connected"));
    emit failed(QStringLiteral("not connected"), true);
}

void NetworkRequestLink::Winsock1_Connect()
{
    Winsock1->write(protocol::kNetworkRequest);
}

void NetworkRequestLink::Winsock1_DataArrival()
{
    gather(Winsock1->readAll());
}

void NetworkRequestLink::takeReply(const QString& reply)
{
    m_replied = true;
    const QString shown = framedWeight(reply);
    if (!shown.isEmpty())
        emit weightRead(shown);
    noteReply();
}

void NetworkRequestLink::Win_Sock_Clear()
{
    if (Winsock1->state() == QAbstractSocket::ConnectedState)
        Winsock1->write(protocol::kNetworkClear);
}

// ---- following the scale ----

NetworkContinuousLink::NetworkContinuousLink(const NetworkSettings& settings, QObject* parent)
    : ContinuousLink(parent), Winsock1(new QTcpSocket(this)), m_settings(settings)
{
    connect(Winsock1, &QTcpSocket::connected, this, &NetworkContinuousLink::Winsock1_Connect);
    connect(Winsock1, &QTcpSocket::readyRead, this, &NetworkContinuousLink::Winsock1_DataArrival);
    const auto down = [this] {
        linkDown(QStringLiteral("not connected, trying again every %1 s")
                     .arg(timings().reconnectEvery.count() / 1000.0));
    };
    connect(Winsock1, &QTcpSocket::disconnected, this, down);
    connect(Winsock1, &QTcpSocket::errorOccurred, this, [this, down] {
        if (Winsock1->state() != QAbstractSocket::ConnectedState)
            down();
    });
}

QString NetworkContinuousLink::describe() const
{
    return QStringLiteral("network %1:%2, continuous").arg(m_settings.host, m_settings.port);
}

void NetworkContinuousLink::Win_Sock_Connect()
{
    if (!m_settings.complete()) {
        setState(QStringLiteral("no host or port set"));
        return;
    }
    // One attempt at a time: a connection still being made is left to finish.
    if (Winsock1->state() == QAbstractSocket::HostLookupState ||
        Winsock1->state() == QAbstractSocket::ConnectingState)
        return;
    Winsock1->abort();
    m_lastAttempt = platform::now();
    Winsock1->connectToHost(m_settings.host, m_settings.portNumber());
}

void NetworkContinuousLink::Winsock1_Connect()
{
    Winsock1->write(protocol::kNetworkRequest);
    // The scale streams from the request on: the first thing it sends is a whole reading.
    linkUp(false);
}

void NetworkContinuousLink::Winsock1_DataArrival()
{
    gather(Winsock1->readAll());
}

void NetworkContinuousLink::closeLink()
{
    Winsock1->abort();
}

void NetworkContinuousLink::reopenIfGone()
{
    if (Winsock1->state() != QAbstractSocket::UnconnectedState)
        return;
    if (!m_lastAttempt.isValid() ||
        m_lastAttempt.msecsTo(platform::now()) >= timings().reconnectEvery.count())
        Win_Sock_Connect();
}

} // namespace scale

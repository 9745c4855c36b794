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
    // Refused or dropped before an answer: no need to wait out the second.
    connect(Winsock1, &QTcpSocket::errorOccurred, this, [this] {
        if (Winsock1->state() != QAbstractSocket::ConnectedState)
            giveUp();
    });
}

QString NetworkRequestLink::describe() const
{
    return tr("network %1:%2, on request").arg(m_settings.host, m_settings.port);
}

bool NetworkRequestLink::ask()
{
    if (!m_settings.complete()) {
        emit failed(tr("Enter Remote Host IP and Remote Port Number"));
        return false;
    }
    Win_Sock_Connect();
    return true;
}

void NetworkRequestLink::Win_Sock_Connect()
{
    Winsock1->abort();
    Winsock1->connectToHost(m_settings.host, m_settings.portNumber());
}

void NetworkRequestLink::Winsock1_Connect()
{
    if (requestOpen())
        Winsock1->write(protocol::kNetworkRequest);
}

void NetworkRequestLink::Winsock1_DataArrival()
{
    gather(Winsock1->readAll());
}

void NetworkRequestLink::noAnswer()
{
    if (Winsock1->state() == QAbstractSocket::ConnectedState) {
        RequestLink::noAnswer();
        return;
    }
    // The desk goes on with the entry row as it stands; the next Get Weight tries again.
    setState(tr("not connected"));
    emit failed(tr("not connected"));
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
    connect(Winsock1, &QTcpSocket::disconnected, this, [this] { attemptFailed(); });
    connect(Winsock1, &QTcpSocket::errorOccurred, this, [this] {
        if (Winsock1->state() != QAbstractSocket::ConnectedState)
            attemptFailed();
    });
}

QString NetworkContinuousLink::describe() const
{
    return tr("network %1:%2, continuous").arg(m_settings.host, m_settings.port);
}

void NetworkContinuousLink::Win_Sock_Connect()
{
    if (!m_settings.complete()) {
        setState(tr("no host or port set"));
        return;
    }
    // One attempt at a time: a connection still being made is left to finish.
    if (Winsock1->state() == QAbstractSocket::HostLookupState ||
        Winsock1->state() == QAbstractSocket::ConnectingState)
        return;
    Winsock1->abort();
    m_lastAttempt = platform::steadyMs();
    Winsock1->connectToHost(m_settings.host, m_settings.portNumber());
}

void NetworkContinuousLink::Winsock1_Connect()
{
    m_everConnected = true;
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
    const bool due = m_lastAttempt < 0 ||
                     platform::steadyMs() - m_lastAttempt >= timings().reconnectEvery.count();
    if (Winsock1->state() == QAbstractSocket::UnconnectedState) {
        if (due)
            Win_Sock_Connect();
    } else if (due && Winsock1->state() != QAbstractSocket::ConnectedState) {
        // An attempt that neither connects nor fails (a host that drops what it is sent)
        // would hold every later one back.
        Winsock1->abort();
        attemptFailed();
        Win_Sock_Connect();
    }
}

void NetworkContinuousLink::attemptFailed()
{
    linkDown(tr("not connected, trying again every %1 s")
                 .arg(timings().reconnectEvery.count() / 1000.0));
    if (m_everConnected || m_unreachableTold)
        return;
    m_unreachableTold = true;
    emit failed(tr("The scale at %1:%2 cannot be reached. The desk goes on and "
                   "connects to it as soon as it answers; until then no weight is "
                   "read and Add stays disabled.")
                    .arg(m_settings.host, m_settings.port));
}

} // namespace scale

#pragma once

#include "LinkKinds.h"

class QTcpSocket;

namespace scale {

struct NetworkSettings {
    QString host;
    QString port; // as the settings hold it
    bool complete() const { return !host.isEmpty() && !port.isEmpty(); }
    quint16 portNumber() const;
};

// The network scale asked by Get Weight: each press connects anew, sends "05E" once connected
// and waits up to a second for the framed answer. An answer within the second means the scale
// was there, even if it closed the connection right after; without one and without a
// connection it is "not connected", and the next Get Weight tries again.
class NetworkRequestLink : public RequestLink {
    Q_OBJECT
public:
    NetworkRequestLink(const NetworkSettings& settings, QObject* parent);
    QString describe() const override;
    void clearScale() override { Win_Sock_Clear(); }

    void Win_Sock_Connect();
    void Winsock1_Connect();
    void Winsock1_DataArrival();
    void Win_Sock_Clear();

    QTcpSocket* Winsock1;

protected:
    bool ask() override;
    milliseconds answerWait() const override { return timings().connectWait; }
    Record readReply(const QString& reply) const override { return framedRecord(reply); }
    void noAnswer() override;

private:
    NetworkSettings m_settings;
};

// The network scale that streams its readings. The connection is made at start and made again
// when it drops: every two seconds, never more than one attempt at a time, an attempt that
// hangs given up after the same time. A scale that cannot be reached at start is told once.
class NetworkContinuousLink : public ContinuousLink {
    Q_OBJECT
public:
    NetworkContinuousLink(const NetworkSettings& settings, QObject* parent);
    QString describe() const override;

    void Win_Sock_Connect();
    void Winsock1_Connect();
    void Winsock1_DataArrival();

    QTcpSocket* Winsock1;

protected:
    void openLink() override { Win_Sock_Connect(); }
    void closeLink() override;
    void reopenIfGone() override;
    QString emptyPlatformShown() const override { return QStringLiteral("0.0"); }

private:
    void attemptFailed();

    NetworkSettings m_settings;
    qint64 m_lastAttempt = -1; // steady ms
    bool m_everConnected = false;
    bool m_unreachableTold = false;
};

} // namespace scale

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
// and waits a second. A reply that came within the second means the scale was there, even if
// it closed the connection right after; without one the desk cannot go on ("not connected").
class NetworkRequestLink : public RequestLink {
    Q_OBJECT
public:
    NetworkRequestLink(const NetworkSettings& settings, QObject* parent);
    QString describe() const override;
    void requestWeight() override;
    void clearScale() override { Win_Sock_Clear(); }

    void Win_Sock_Connect();
    void Winsock1_Connect();
    void Winsock1_DataArrival();
    void Win_Sock_Clear();

    QTcpSocket* Winsock1;

protected:
    void takeReply(const QString& reply) override;

private:
    NetworkSettings m_settings;
    bool m_replied = false;
};

// The network scale that streams its readings. The connection is made at start and made again
// when it drops: every two seconds, never more than one attempt at a time.
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
    NetworkSettings m_settings;
    QDateTime m_lastAttempt;
};

} // namespace scale

#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>

namespace platform {

// The scale's serial control: properties set one by one, then PortOpen opens the port with
// them. Port number N is the device that $XDG_CONFIG_HOME/tarvolen/com<N> points to, or
// /dev/ttyS<N-1> when there is no such link.
class SerialControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kEventReceive = 2; // CommEvent: characters received

    explicit SerialControl(QObject* parent = nullptr);

    int CommPort = 0;
    int Handshaking = 0;
    int RThreshold = 0;
    bool RTSEnable = false;
    QString Settings; // "<speed>,n,8,1"
    int SThreshold = 0;
    int InputLen = 0; // at most this many characters a read; 0 reads all
    int InputMode = 0;

    bool PortOpen() const;
    // Opens or closes the port. A failure to open leaves it closed and says why.
    bool setPortOpen(bool open);
    QString lastError() const { return m_lastError; }
    QString deviceName() const;

    void Output(const QByteArray& data);
    QString Input();
    int InBufferCount() const;
    int CommEvent() const { return m_commEvent; }

    // What waits in the receive buffer, left there; and dropping the first count characters.
    QString waitingText();
    void discardInput(int count);

    // Set once a failure to open has been told to the operator, so that a port reopened on
    // every timer tick does not raise a message box five times a second.
    bool openFailureReported = false;

    static QString deviceForPort(int portNumber);

signals:
    void OnComm();

private:
    bool applySettings();

    QSerialPort m_port;
    QString m_lastError;
    int m_commEvent = 0;
};

} // namespace platform

#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace platform {

// The scale's serial control: properties set one by one, then PortOpen opens the port with
// them. Port number N is the device that $XDG_CONFIG_HOME/tarvolen/com<N> points to, or
// /dev/ttyS<N-1> when there is no such link. Which of the two is decided once, when the port
// number is given: a link that goes away later is waited for, never replaced by /dev/ttyS<N-1>.
class SerialControl : public QObject {
    Q_OBJECT
public:
    explicit SerialControl(QObject* parent = nullptr);

    // Chooses the device of port number N (see above).
    void setCommPort(int portNumber);
    int CommPort() const { return m_portNumber; }
    int Handshaking = 0;
    bool RTSEnable = false;
    QString Settings; // "<speed>,n,8,1"

    bool PortOpen() const;
    // Opens or closes the port. A failure to open leaves it closed and says why in words.
    bool setPortOpen(bool open);
    QString lastError() const { return m_lastError; }
    // The device now behind the port number ("/dev/ttyUSB0"), or the missing link's path.
    QString deviceName() const;

    void Output(const QByteArray& data);
    // Everything received and not yet read.
    QByteArray readAll();

signals:
    // Characters were received.
    void OnComm();
    // The device went away under the open port (an unplugged adapter); the port is closed.
    void lost(const QString& reason);

private:
    bool applySettings();
    QString reasonFor(QSerialPort::SerialPortError error) const;

    QSerialPort m_port;
    int m_portNumber = 0;
    QString m_link;        // the configured link for the port, when there was one
    QString m_fixedDevice; // else /dev/ttyS<N-1>
    QString m_lastError;
    int m_openings = 0;
};

} // namespace platform

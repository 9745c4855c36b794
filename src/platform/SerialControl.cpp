#include "SerialControl.h"

#include "Paths.h"

#include <QFileInfo>

namespace platform {

SerialControl::SerialControl(QObject* parent) : QObject(parent)
{
    // The notification arrives as an event of its own, after the port's reading has finished:
    // handlers close the port on it, which must not happen under the port's own feet.
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        m_commEvent = kEventReceive;
        QMetaObject::invokeMethod(this, &SerialControl::OnComm, Qt::QueuedConnection);
    });
}

QString SerialControl::deviceForPort(int portNumber)
{
    const QString link = configFolder() + QStringLiteral("/com%1").arg(portNumber);
    const QFileInfo info(link);
    if (info.isSymLink())
        return info.symLinkTarget();
    if (info.exists())
        return info.canonicalFilePath();
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QString SerialControl::deviceName() const
{
    return deviceForPort(CommPort);
}

bool SerialControl::PortOpen() const
{
    return m_port.isOpen();
}

bool SerialControl::applySettings()
{
    const QStringList parts = Settings.split(QLatin1Char(','));
    bool speedIsWhole = false;
    const int speed = parts.value(0).trimmed().toInt(&speedIsWhole);
    if (!speedIsWhole || speed <= 0) {
        m_lastError = QStringLiteral("the speed \"%1\" is not a whole number of bits per second")
                          .arg(parts.value(0));
        return false;
    }
    m_port.setBaudRate(speed);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(Handshaking == 0 ? QSerialPort::NoFlowControl
                                           : QSerialPort::HardwareControl);
    return true;
}

bool SerialControl::setPortOpen(bool open)
{
    m_lastError.clear();
    if (!open) {
        if (m_port.isOpen()) {
            // Closing a serial port drops what it had received and not yet read: the rest
            // of a reply must not turn up as the start of the next one.
            m_port.clear(QSerialPort::Input);
            m_port.close();
        }
        return true;
    }
    if (m_port.isOpen())
        return true;
    m_port.setPortName(deviceName());
    if (!applySettings())
        return false;
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = m_port.errorString();
        return false;
    }
    // A pseudo-terminal has no request-to-send line; a port without the line ignores it too.
    m_port.setRequestToSend(RTSEnable);
    // A port hears only what arrives while it is open; a pseudo-terminal would otherwise keep
    // what its far side wrote in the meantime.
    m_port.clear(QSerialPort::Input);
    m_port.clearError();
    return true;
}

void SerialControl::Output(const QByteArray& data)
{
    if (!m_port.isOpen())
        return;
    m_port.write(data);
    m_port.flush();
}

QString SerialControl::Input()
{
    if (!m_port.isOpen())
        return QString();
    const qint64 count = InputLen > 0 ? InputLen : m_port.bytesAvailable();
    return QString::fromLatin1(m_port.read(count));
}

QString SerialControl::waitingText()
{
    return m_port.isOpen() ? QString::fromLatin1(m_port.peek(m_port.bytesAvailable())) : QString();
}

void SerialControl::discardInput(int count)
{
    if (m_port.isOpen() && count > 0)
        m_port.skip(count);
}

int SerialControl::InBufferCount() const
{
    return m_port.isOpen() ? int(m_port.bytesAvailable()) : 0;
}

} // namespace platform

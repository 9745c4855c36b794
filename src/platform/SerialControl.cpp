#include "SerialControl.h"

#include "Paths.h"

#include <QFileInfo>

namespace platform {

SerialControl::SerialControl(QObject* parent) : QObject(parent)
{
    // The notification arrives as an event of its own, after the port's reading has finished:
    // handlers close the port on it, which must not happen under the port's own feet.
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        QMetaObject::invokeMethod(this, &SerialControl::OnComm, Qt::QueuedConnection);
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // An unplugged adapter, or a line hung up, fails every read from then on.
        const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
        if (!gone || !m_port.isOpen())
            return;
        const QString reason = tr("the device went away");
        // Reported once for the opening it concerns; a failed read repeats its error.
        const int opening = m_openings;
        QMetaObject::invokeMethod(
            this,
            [this, reason, opening] {
                if (opening != m_openings || !m_port.isOpen())
                    return;
                setPortOpen(false);
                emit lost(reason);
            },
            Qt::QueuedConnection);
    });
}

void SerialControl::setCommPort(int portNumber)
{
    m_portNumber = portNumber;
    const QString link = configFolder() + QStringLiteral("/com%1").arg(portNumber);
    const QFileInfo info(link);
    m_link = info.isSymLink() || info.exists() ? link : QString();
    m_fixedDevice = QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QString SerialControl::deviceName() const
{
    if (m_link.isEmpty())
        return m_fixedDevice;
    const QFileInfo info(m_link);
    if (info.isSymLink())
        return info.symLinkTarget();
    return m_link;
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
        m_lastError =
            tr("the speed \"%1\" is not a whole number of bits per second").arg(parts.value(0));
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

QString SerialControl::reasonFor(QSerialPort::SerialPortError error) const
{
    const QString said = m_port.errorString();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return tr("no such device");
    case QSerialPort::PermissionError:
        // Another program holds the port's lock, or the device itself refuses a second user.
        if (said.contains(QLatin1String("lock"), Qt::CaseInsensitive) ||
            said.contains(QLatin1String("busy"), Qt::CaseInsensitive))
            return tr("in use by another program");
        return tr("no permission to use it (%1)").arg(said);
    default:
        return said;
    }
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
    const QString device = deviceName();
    if (!QFileInfo::exists(device)) {
        m_lastError = tr("no such device");
        return false;
    }
    m_port.setPortName(device);
    if (!applySettings())
        return false;
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = reasonFor(m_port.error());
        return false;
    }
    // A pseudo-terminal has no request-to-send line; a port without the line ignores it too.
    m_port.setRequestToSend(RTSEnable);
    // A port hears only what arrives while it is open; a pseudo-terminal would otherwise keep
    // what its far side wrote in the meantime.
    m_port.clear(QSerialPort::Input);
    m_port.clearError();
    ++m_openings;
    return true;
}

void SerialControl::Output(const QByteArray& data)
{
    if (!m_port.isOpen())
        return;
    m_port.write(data);
    m_port.flush();
}

QByteArray SerialControl::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

} // namespace platform

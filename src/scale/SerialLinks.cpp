#include "SerialLinks.h"

#include "ScaleProtocol.h"
#include "formkit/TextRules.h"
#include "platform/SerialControl.h"

#include <QCoreApplication>

namespace scale {

bool SerialSettings::complete() const
{
    return portNumber != 0 && formkit::numericValue(speed) > 0;
}

bool OpenScalePort(platform::SerialControl& port, const SerialSettings& settings,
                   const QByteArray& request)
{
    port.Handshaking = 0;
    port.RTSEnable = true;
    port.Settings = settings.speed + QStringLiteral(",n,8,1");
    if (!port.setPortOpen(true))
        return false;
    port.Output(request.isEmpty() ? QByteArray(1, protocol::kEnq) : request);
    return true;
}

void ClosePortIfOpen(platform::SerialControl& port)
{
    if (port.PortOpen())
        port.setPortOpen(false);
}

QString portFailure(const platform::SerialControl& port)
{
    return QCoreApplication::translate("scale", "port %1 cannot be opened: %2")
        .arg(port.deviceName(), port.lastError());
}

// ---- asked by Get Weight ----

SerialRequestLink::SerialRequestLink(Mode mode, bool parsesReplies, const SerialSettings& settings,
                                     QObject* parent)
    : RequestLink(parent), MSComm1(new platform::SerialControl(this)), m_mode(mode),
      m_parsesReplies(parsesReplies), m_settings(settings)
{
    MSComm1->setCommPort(settings.portNumber);
    connect(MSComm1, &platform::SerialControl::OnComm, this, &SerialRequestLink::MSComm1_OnComm);
}

QString SerialRequestLink::describe() const
{
    return tr("serial %1, %2")
        .arg(MSComm1->deviceName(), m_mode == Mode::Polled ? tr("polled") : tr("on request"));
}

bool SerialRequestLink::ask()
{
    if (!m_settings.complete()) {
        emit failed(tr("Enter Com Port Number and Comport Bits"));
        return false;
    }
    ClosePortIfOpen(*MSComm1);
    const QByteArray request =
        m_mode == Mode::Polled ? QByteArray() : QByteArray(protocol::kSerialRequest);
    if (!OpenScalePort(*MSComm1, m_settings, request)) {
        setState(portFailure(*MSComm1));
        emit failed(tr("The scale's %1").arg(portFailure(*MSComm1)));
        return false;
    }
    return true;
}

milliseconds SerialRequestLink::answerWait() const
{
    return m_mode == Mode::Polled ? timings().pollWait : timings().answerWait;
}

void SerialRequestLink::MSComm1_OnComm()
{
    const QByteArray received = MSComm1->readAll();
    if (m_parsesReplies)
        gather(received);
}

void SerialRequestLink::Com_Clear()
{
    if (!m_settings.complete())
        return;
    giveUp();
    ClosePortIfOpen(*MSComm1);
    OpenScalePort(*MSComm1, m_settings, QByteArray(protocol::kSerialClear));
    ClosePortIfOpen(*MSComm1);
}

// ---- following the scale ----

SerialContinuousLink::SerialContinuousLink(const SerialSettings& settings, QObject* parent)
    : ContinuousLink(parent), MSComm1(new platform::SerialControl(this)), m_settings(settings)
{
    MSComm1->setCommPort(settings.portNumber);
    connect(MSComm1, &platform::SerialControl::OnComm, this, &SerialContinuousLink::MSComm1_OnComm);
    connect(MSComm1, &platform::SerialControl::lost, this, [this](const QString& reason) {
        linkDown(tr("port %1 lost: %2").arg(MSComm1->deviceName(), reason));
    });
}

QString SerialContinuousLink::describe() const
{
    return tr("serial %1, continuous").arg(MSComm1->deviceName());
}

void SerialContinuousLink::openLink()
{
    if (!m_settings.complete()) {
        setState(tr("no serial port or speed set"));
        return;
    }
    ClosePortIfOpen(*MSComm1);
    if (OpenScalePort(*MSComm1, m_settings, QByteArray())) {
        m_failureTold = false;
        linkUp(true);
    } else {
        portFailed(portFailure(*MSComm1));
    }
}

void SerialContinuousLink::ReopenScalePort()
{
    if (!m_settings.complete() || MSComm1->PortOpen())
        return;
    MSComm1->Settings = m_settings.speed + QStringLiteral(",n,8,1");
    if (MSComm1->setPortOpen(true)) {
        m_failureTold = false;
        linkUp(true);
    } else {
        portFailed(portFailure(*MSComm1));
    }
}

void SerialContinuousLink::portFailed(const QString& state)
{
    linkDown(state);
    if (!m_failureTold) {
        m_failureTold = true;
        emit failed(tr("The scale's %1").arg(state));
    }
}

void SerialContinuousLink::MSComm1_OnComm()
{
    gather(MSComm1->readAll());
}

} // namespace scale

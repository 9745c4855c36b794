#include "NetworkLinks.h"
#include "SerialLinks.h"

#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <limits>

#include <cmath>

namespace scale {
namespace {
LinkFactory& factoryStore()
{
    static LinkFactory factory;
    return factory;
}

bool usesSerial(const LinkSettings& s)
{
    return s.format == kFormatPolled || s.link == kLinkSerialOnRequest ||
           s.link == kLinkSerialContinuous;
}

bool usesNetwork(const LinkSettings& s)
{
    return s.format != kFormatPolled &&
           (s.link == kLinkNetworkOnRequest || s.link == kLinkNetworkContinuous);
}

QString wrong(const char* setting, const QString& value, const QString& allowed)
{
    return QCoreApplication::translate(
               "scale", "The station's scale setting %1 holds %2, %3. No scale link is "
                        "started until it is mended.")
        .arg(QLatin1String(setting), value, allowed);
}

// Empty text, or which setting is out of range and why.
QString checkSettings(const LinkSettings& s)
{
    if (s.link < 0 || s.link > kLinkNetworkContinuous)
        return wrong(
            "ComLan", QString::number(s.link),
            QCoreApplication::translate("scale", "but the scale link is 1 to 4, or 0 for none"));
    if (s.format < 0 || s.format > kFormatChosenByLink)
        return wrong(
            "WghtFmt", QString::number(s.format),
            QCoreApplication::translate("scale", "but the scale format is 1 or 2, or 0 for none"));
    if (usesSerial(s) && (s.speedValue < 0 || s.speedValue != std::floor(s.speedValue) ||
                          s.speedValue > std::numeric_limits<int>::max()))
        return wrong(
            "BitsNoW", s.speed,
            QCoreApplication::translate("scale", "which is not a whole number of bits per second"));
    if (usesNetwork(s) && !s.tcpPort.isEmpty()) {
        bool isNumber = false;
        const uint port = s.tcpPort.trimmed().toUInt(&isNumber);
        if (!isNumber || port < 1 || port > 65535)
            return wrong(
                "LanHostNo", QStringLiteral("\"%1\"").arg(s.tcpPort),
                QCoreApplication::translate("scale", "which is not a TCP port from 1 to 65535"));
    }
    return QString();
}

std::unique_ptr<ScaleLink> realLink(const LinkSettings& s, QObject* parent)
{
    const SerialSettings serial{s.serialPort, s.speed};
    const NetworkSettings network{s.host, s.tcpPort};
    if (s.link == kLinkSerialContinuous)
        return std::make_unique<SerialContinuousLink>(serial, parent);
    if (s.link == kLinkNetworkContinuous)
        return std::make_unique<NetworkContinuousLink>(network, parent);
    if (s.format == kFormatPolled)
        return std::make_unique<SerialRequestLink>(SerialRequestLink::Mode::Polled, true, serial,
                                                   parent);
    if (s.link == kLinkSerialOnRequest)
        return std::make_unique<SerialRequestLink>(SerialRequestLink::Mode::OnRequest,
                                                   s.format == kFormatChosenByLink, serial, parent);
    if (s.link == kLinkNetworkOnRequest)
        return std::make_unique<NetworkRequestLink>(network, parent);
    return nullptr;
}
} // namespace

LinkChoice createLink(const LinkSettings& settings, QObject* parent)
{
    LinkChoice choice;
    choice.problem = checkSettings(settings);
    if (!choice.problem.isEmpty())
        return choice;
    choice.link = factoryStore() ? factoryStore()(settings, parent) : realLink(settings, parent);
    return choice;
}

void setLinkFactory(LinkFactory factory)
{
    factoryStore() = std::move(factory);
}

} // namespace scale

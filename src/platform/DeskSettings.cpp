#include "DeskSettings.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace platform {

namespace {
const QString kScaleGroup = QStringLiteral("scale");
const QString kSlipGroup = QStringLiteral("slip");

QString kindName(SlipPrinter::Kind kind)
{
    switch (kind) {
    case SlipPrinter::Kind::Queue:
        return QStringLiteral("queue");
    case SlipPrinter::Kind::EscPos:
        return QStringLiteral("escpos");
    case SlipPrinter::Kind::PdfFolder:
        return QStringLiteral("pdf-folder");
    case SlipPrinter::Kind::Off:
        break;
    }
    return QStringLiteral("off");
}

SlipPrinter::Kind kindFromName(const QString& name)
{
    for (auto kind : {SlipPrinter::Kind::Queue, SlipPrinter::Kind::EscPos,
                      SlipPrinter::Kind::PdfFolder})
        if (name == kindName(kind))
            return kind;
    return SlipPrinter::Kind::Off;
}

QString linkWords(int link)
{
    switch (link) {
    case 1:
        return QStringLiteral("serial, on request");
    case 2:
        return QStringLiteral("network, on request");
    case 3:
        return QStringLiteral("serial, continuous");
    case 4:
        return QStringLiteral("network, continuous");
    default:
        return QStringLiteral("none");
    }
}
} // namespace

QString deskSettingsFile()
{
    return configFolder() + QStringLiteral("/desk.ini");
}

QString waitingSlipsFolder()
{
    return configFolder() + QStringLiteral("/waiting-slips");
}

DeskSettings readDeskSettings()
{
    QSettings ini(deskSettingsFile(), QSettings::IniFormat);
    DeskSettings settings;
    ini.beginGroup(kScaleGroup);
    if (ini.value(QStringLiteral("own")).toBool()) {
        DeskScale scale;
        scale.link = ini.value(QStringLiteral("link")).toInt();
        scale.format = ini.value(QStringLiteral("format"), scale.format).toInt();
        scale.com = ini.value(QStringLiteral("com")).toInt();
        scale.speed = ini.value(QStringLiteral("speed")).toDouble();
        scale.host = ini.value(QStringLiteral("host")).toString();
        scale.tcpPort = ini.value(QStringLiteral("tcpPort")).toString();
        settings.scale = scale;
    }
    ini.endGroup();
    ini.beginGroup(kSlipGroup);
    settings.slip.kind = kindFromName(ini.value(QStringLiteral("printer")).toString());
    settings.slip.target = ini.value(QStringLiteral("target")).toString();
    settings.slip.columns = ini.value(QStringLiteral("columns"), 48).toInt() == 32 ? 32 : 48;
    settings.slip.paper = paperFromName(ini.value(QStringLiteral("paper")).toString())
                              .value_or(SlipPaper::Roll80);
    ini.endGroup();
    return settings;
}

QString writeDeskSettings(const DeskSettings& settings)
{
    const QString file = deskSettingsFile();
    if (!QDir().mkpath(QFileInfo(file).path()))
        return QStringLiteral("The folder %1 cannot be made.").arg(QFileInfo(file).path());
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup(kScaleGroup);
    ini.setValue(QStringLiteral("own"), settings.scale.has_value());
    if (settings.scale) {
        ini.setValue(QStringLiteral("link"), settings.scale->link);
        ini.setValue(QStringLiteral("format"), settings.scale->format);
        ini.setValue(QStringLiteral("com"), settings.scale->com);
        ini.setValue(QStringLiteral("speed"), settings.scale->speed);
        ini.setValue(QStringLiteral("host"), settings.scale->host);
        ini.setValue(QStringLiteral("tcpPort"), settings.scale->tcpPort);
    }
    ini.endGroup();
    ini.beginGroup(kSlipGroup);
    ini.setValue(QStringLiteral("printer"), kindName(settings.slip.kind));
    ini.setValue(QStringLiteral("target"), settings.slip.target);
    ini.setValue(QStringLiteral("columns"), settings.slip.columns);
    ini.setValue(QStringLiteral("paper"), paperName(settings.slip.paper));
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return QStringLiteral("%1 cannot be written.").arg(file);
    return QString();
}

QString paperName(SlipPaper paper)
{
    switch (paper) {
    case SlipPaper::Roll58:
        return QStringLiteral("58mm");
    case SlipPaper::A6:
        return QStringLiteral("A6");
    case SlipPaper::Roll80:
        break;
    }
    return QStringLiteral("80mm");
}

std::optional<SlipPaper> paperFromName(const QString& name)
{
    for (auto paper : {SlipPaper::Roll58, SlipPaper::Roll80, SlipPaper::A6})
        if (name.compare(paperName(paper), Qt::CaseInsensitive) == 0)
            return paper;
    return std::nullopt;
}

QString describeDeskSettings(const DeskSettings& settings)
{
    QString text = QStringLiteral("settings file: %1\n").arg(deskSettingsFile());
    if (!settings.scale) {
        text += QStringLiteral("scale: the station's (the company year's Sms_Add row)\n");
    } else {
        const DeskScale& s = *settings.scale;
        text += QStringLiteral("scale: this desk's own: link %1 (%2), format %3")
                    .arg(s.link)
                    .arg(linkWords(s.link))
                    .arg(s.format);
        if (s.link == 1 || s.link == 3)
            text += QStringLiteral(", port %1 at %2").arg(s.com).arg(s.speed);
        else
            text += QStringLiteral(", host %1 port %2").arg(s.host, s.tcpPort);
        text += QLatin1Char('\n');
    }
    const SlipPrinter& p = settings.slip;
    switch (p.kind) {
    case SlipPrinter::Kind::Off:
        text += QStringLiteral("slip: off\n");
        break;
    case SlipPrinter::Kind::Queue:
        text += QStringLiteral("slip: print queue %1, paper %2\n").arg(p.target, paperName(p.paper));
        break;
    case SlipPrinter::Kind::EscPos:
        text += QStringLiteral("slip: receipt printer (ESC/POS) on %1, %2 columns\n")
                    .arg(p.target)
                    .arg(p.columns);
        break;
    case SlipPrinter::Kind::PdfFolder:
        text += QStringLiteral("slip: a PDF in %1, paper %2\n").arg(p.target, paperName(p.paper));
        break;
    }
    return text;
}

} // namespace platform

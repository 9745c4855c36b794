// The weighing window's side of the scale link: Get Weight, and what the window does with what
// the link tells it (the weight, an empty platform, the link's state, a failure).

#include "frm_Data.h"

#include "ScaleRoutines.h"
#include "StatusArea.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "scale/ScaleLink.h"

#include <QPushButton>

namespace {
scale::LinkSettings settingsFromGen()
{
    scale::LinkSettings s;
    s.format = Gen_WghtFmt;
    s.link = Gen_ComLan;
    s.serialPort = Gen_ComPortW;
    s.speed = Gen_BitsNoW.toText();
    s.speedValue = Gen_BitsNoW.toDouble();
    s.host = Gen_LanHostIP;
    s.tcpPort = Gen_LanHostNo;
    return s;
}
} // namespace

bool isContinuousLink()
{
    return Gen_ComLan == scale::kLinkSerialContinuous ||
           Gen_ComLan == scale::kLinkNetworkContinuous;
}

void frm_Data::startScaleLink()
{
    stopScaleLink();
    if (isContinuousLink()) {
        ui->cmdWeight->setEnabled(false);
        Enb(kDisableAdd);
    }
    scale::LinkChoice choice = scale::createLink(settingsFromGen(), nullptr);
    if (!choice.problem.isEmpty()) {
        m_status->setScaleState(QStringLiteral("scale: no link, the station settings are wrong"));
        platform::showMessage(choice.problem);
        return;
    }
    if (!choice.link) {
        m_status->setScaleState(QString());
        return;
    }
    m_scale = choice.link.release();
    m_scale->setParent(this);
    connect(m_scale, &scale::ScaleLink::weightRead, this, &frm_Data::showWeight);
    connect(m_scale, &scale::ScaleLink::platformEmpty, this, [this](const QString& shown) {
        showWeight(shown);
        Enb(kEnableAdd);
    });
    connect(m_scale, &scale::ScaleLink::weightLost, this, [this] { showWeight(QString()); });
    connect(m_scale, &scale::ScaleLink::stateChanged, m_status, &StatusArea::setScaleState);
    connect(m_scale, &scale::ScaleLink::failed, this, [](const QString& message, bool end) {
        platform::showMessage(message);
        if (end)
            platform::endProgram(platform::EndStatus::ScaleNotConnected);
    });
    m_scale->start();
}

void frm_Data::stopScaleLink()
{
    if (!m_scale)
        return;
    m_scale->stop();
    delete m_scale;
    m_scale = nullptr;
}

void frm_Data::showWeight(const QString& shown)
{
    ui->txtWeight->setText(shown);
    ui->lblWeight->setText(ui->txtWeight->text());
}

void frm_Data::cmdWeight_Click()
{
    showWeight(QString());
    if (m_scale)
        m_scale->requestWeight();
    if (formkit::numericValue(ui->txtWeight->text()) != 0)
        ui->cmdAdd->setFocus();
    else
        ui->cmdWeight->setFocus();
}

void frm_Data::Com_Clear()
{
    if (m_scale)
        m_scale->clearScale();
}

void frm_Data::Win_Sock_Clear()
{
    if (m_scale)
        m_scale->clearScale();
}

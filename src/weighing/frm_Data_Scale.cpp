// The weighing window's side of the scale link: Get Weight, and what the window does with what
// the link tells it (the weight, an empty platform, the link's state, a failure).

#include "frm_Data.h"

#include "ScaleRoutines.h"
#include "StatusArea.h"
#include "WindowBusy.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"
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
        m_status->setScaleState(tr("scale: no link, the station settings are wrong"));
        platform::showMessage(choice.problem);
        return;
    }
    if (!choice.link) {
        m_status->setScaleState(QString());
        return;
    }
    m_scaleState.clear();
    m_scale = choice.link.release();
    m_scale->setParent(this);
    connect(m_scale, &scale::ScaleLink::weightRead, this,
            [this](const QString& shown) { showWeight(shown); });
    connect(m_scale, &scale::ScaleLink::weightMoving, this,
            [this](const QString& shown) { showWeight(shown, true); });
    connect(m_scale, &scale::ScaleLink::platformEmpty, this, [this](const QString& shown) {
        showWeight(shown);
        Enb(kEnableAdd);
    });
    connect(m_scale, &scale::ScaleLink::weightLost, this, [this] { showWeight(QString()); });
    connect(m_scale, &scale::ScaleLink::stateChanged, this, [this](const QString& state) {
        m_scaleState = state;
        showScaleState();
    });
    connect(m_scale, &scale::ScaleLink::failed, this,
            [](const QString& message) { platform::showMessage(message); });
    connect(m_scale, &scale::ScaleLink::requestEnded, this, &frm_Data::weightRequestEnded);
    m_scale->start();
}

void frm_Data::stopScaleLink()
{
    if (!m_scale)
        return;
    m_scale->stop();
    delete m_scale;
    m_scale = nullptr;
    if (m_busy->waitingFor(weighing::WaitFor::Scale))
        weightRequestEnded();
}

// A moving weight is shown in the label only: the weight field, which Add stores, holds a
// weight that has held, and Add waits for it. A weight typed by hand stays until it is added.
void frm_Data::showWeight(const QString& shown, bool moving)
{
    m_scaleShown = shown;
    if (!m_manual) {
        ui->txtWeight->setText(moving ? QString() : shown);
        ui->lblWeight->setText(shown);
        ui->lblWeight->setProperty("moving", moving);
        ui->lblWeight->setStyleSheet(moving ? QStringLiteral("color: gray") : QString());
    }
    if (moving != m_weightMoving) {
        m_weightMoving = moving;
        showAddSwitch();
    }
}

// Add is on when it is armed (Enb) and, on a continuous link, no weight is moving; a weight
// typed by hand may be added whatever the link says. A button with the focus that goes off
// would hand the focus on to Exit: it goes back to the cans.
void frm_Data::showAddSwitch()
{
    const bool on = m_manual || (m_addArmed && !m_weightMoving);
    if (!on && ui->cmdAdd->hasFocus() && m_weightMoving)
        ui->txtCans->setFocus();
    ui->cmdAdd->setEnabled(on);
    showScaleState();
}

void frm_Data::showScaleState()
{
    if (!m_scale)
        return;
    QString shown = m_scaleState;
    if (!shown.isEmpty())
        shown += m_scaleSource;
    if (!shown.isEmpty() && isContinuousLink() && !m_addArmed && !m_manual)
        shown += tr(". Add waits for the platform to be emptied");
    m_status->setScaleState(shown);
}

void frm_Data::cmdWeight_Click()
{
    // The operator asks the scale again: its weight replaces one typed by hand.
    dropManualWeight();
    showWeight(QString());
    if (!m_scale) {
        ui->cmdWeight->setFocus();
        return;
    }
    // The window waits for the request to end: the entry row is off meanwhile, the operator's
    // keys and clicks are dropped and the window stays.
    m_busy->hold(weighing::WaitFor::Scale);
    ui->Frame1->setEnabled(false);
    m_scale->requestWeight();
}

void frm_Data::weightRequestEnded()
{
    if (!m_busy->waitingFor(weighing::WaitFor::Scale))
        return;
    ui->Frame1->setEnabled(true);
    m_busy->release(weighing::WaitFor::Scale);
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

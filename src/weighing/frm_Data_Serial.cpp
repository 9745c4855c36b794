// The serial scale link: Get Weight, the receive notification and the two weight parsers.

#include "frm_Data.h"

#include "ScaleParsing.h"
#include "ScaleRoutines.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"
#include "platform/SerialControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>

namespace {
constexpr char kEnq = 0x05;              // "send me the weight" of the polled scale
const QByteArray kRequestOnDemand("W1"); // the same for a scale read on request
const QString kClearCommand = QStringLiteral("T");
// A reading of the scale is six characters ("0123.4"); a read of the port takes no more.
constexpr int kInputLen = 6;
// The continuous link goes on reading while at least this many characters are waiting.
constexpr int kGatherWhileWaiting = 10;
// How often a wait looks at the clock while nothing else happens.
constexpr std::chrono::milliseconds kWaitSlice{5};

bool serialSettingsComplete()
{
    return Gen_BitsNoW.scaled > 0 && Gen_ComPortW != 0;
}

void reportOpenFailure(platform::SerialControl& port)
{
    port.openFailureReported = true;
    platform::showMessage(QStringLiteral("Serial port %1 (%2) could not be opened: %3")
                              .arg(port.CommPort)
                              .arg(port.deviceName(), port.lastError()));
}

// Drops empty lines ahead of a reading and tells whether its head has arrived whole. A reply
// that comes in parts is left in the port until it is complete.
bool readingArrived(platform::SerialControl& port)
{
    const QString waiting = port.waitingText();
    const int lineEnds = scale::leadingLineEnds(waiting);
    port.discardInput(lineEnds);
    return scale::replyReady(waiting.mid(lineEnds), port.InputLen);
}
// After a reopen in the middle of the scale's stream: drops what comes before the first line
// end. False while no line end has arrived (everything so far is dropped).
bool skippedPartialReading(platform::SerialControl& port)
{
    const QString waiting = port.waitingText();
    const int lineEnd = waiting.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    port.discardInput(lineEnd < 0 ? int(waiting.size()) : lineEnd + 1);
    return lineEnd >= 0;
}
} // namespace

void frm_Data::wireScaleLinks()
{
    Timer1->setInterval(kContinuousTick);
    connect(Timer1, &QTimer::timeout, this, &frm_Data::Timer1_Timer);
    connect(MSComm1, &platform::SerialControl::OnComm, this, &frm_Data::MSComm1_OnComm);
    connect(Winsock1, &QTcpSocket::connected, this, &frm_Data::Winsock1_Connect);
    connect(Winsock1, &QTcpSocket::readyRead, this,
            [this] { Winsock1_DataArrival(int(Winsock1->bytesAvailable())); });
    connect(ui->cmdWeight, &QPushButton::clicked, this, &frm_Data::cmdWeight_Click);
}

void frm_Data::cmdWeight_Click()
{
    ui->txtWeight->setText(QString());
    ui->lblWeight->setText(QString());

    if (Gen_WghtFmt == 1) {
        if (serialSettingsComplete()) {
            ClosePortIfOpen(*MSComm1);
            // The polled scale answers at once; its reply is shown within the wait, so the
            // focus can go straight on to Add.
            if (OpenScalePort(*MSComm1, QString()))
                WaitSeconds(std::chrono::duration<double>(kPollWait).count());
        } else {
            platform::showMessage(QStringLiteral("Enter Com Port Number and Comport Bits"));
        }
    } else if (Gen_ComLan == kLinkSerialOnRequest) {
        if (serialSettingsComplete()) {
            ClosePortIfOpen(*MSComm1);
            OpenScalePort(*MSComm1, QString::fromLatin1(kRequestOnDemand));
        } else {
            platform::showMessage(QStringLiteral("Enter Com Port Number and Comport Bits"));
        }
    } else if (Gen_ComLan == kLinkNetworkOnRequest) {
        if (!Gen_LanHostIP.isEmpty() && !Gen_LanHostNo.isEmpty())
            Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
        else
            platform::showMessage(QStringLiteral("Enter Remote Host IP and Remote Port Number"));
    }

    if (formkit::numericValue(ui->txtWeight->text()) != 0)
        ui->cmdAdd->setFocus();
    else
        ui->cmdWeight->setFocus();
}

void frm_Data::MSComm1_OnComm()
{
    CommBuf.clear();
    if (Gen_WghtFmt == 1 || (Gen_WghtFmt == 2 && Gen_ComLan == kLinkSerialOnRequest)) {
        if (MSComm1->CommEvent() != platform::SerialControl::kEventReceive)
            return;
        if (!readingArrived(*MSComm1))
            return;
        // The parser closes the port, so only the first chunk of a reply is ever parsed.
        do {
            CommBuf = MSComm1->Input();
            ParseChars1_1(CommBuf);
        } while (MSComm1->InBufferCount() != 0);
    } else if (Gen_WghtFmt == 2 && Gen_ComLan == kLinkSerialContinuous) {
        if (!MSComm1->PortOpen())
            return;
        if (MSComm1->CommEvent() == platform::SerialControl::kEventReceive) {
            if (m_serialMidStream) {
                if (!skippedPartialReading(*MSComm1))
                    return;
                m_serialMidStream = false;
            }
            if (!readingArrived(*MSComm1))
                return;
            // Fewer than ten waiting cannot hold a further whole reading; they are left.
            do {
                CommBuf += MSComm1->Input();
            } while (MSComm1->InBufferCount() >= kGatherWhileWaiting);
        }
        if (!CommBuf.isEmpty()) {
            ParseChars1_2(CommBuf);
            ClosePortIfOpen(*MSComm1);
        }
    }
}

void frm_Data::ParseChars1_1(QString text)
{
    const QString shown = formkit::shownWeightOf(scale::firstReading(text));
    if (!shown.isEmpty()) {
        ui->txtWeight->setText(shown);
        ui->lblWeight->setText(ui->txtWeight->text());
    }
    ClosePortIfOpen(*MSComm1);
}

void frm_Data::ParseChars1_2(QString& text)
{
    ui->txtWeight->setText(QString());
    ui->lblWeight->setText(QString());
    const QString reading = scale::firstReading(text);
    const QString shown = formkit::shownWeightOf(reading);
    if (!shown.isEmpty() && shown != ui->txtWeight->text()) {
        ui->txtWeight->setText(shown);
        ui->lblWeight->setText(ui->txtWeight->text());
    }
    // Only a reading of an empty platform arms Add again; noise on the line is no such reading,
    // or a load could be added twice.
    if (scale::hasLeadingNumber(reading) && formkit::numericValue(ui->txtWeight->text()) == 0)
        Enb(kEnableAdd);
    ClosePortIfOpen(*MSComm1);
}

void frm_Data::Com_Clear()
{
    ClosePortIfOpen(*MSComm1);
    OpenScalePort(*MSComm1, kClearCommand);
    ClosePortIfOpen(*MSComm1);
}

void frm_Data::ReopenScalePort()
{
    // Settings that were missing at load configured no port: there is nothing to reopen.
    if (MSComm1->CommPort == 0)
        return;
    ClosePortIfOpen(*MSComm1);
    if (MSComm1->setPortOpen(true)) {
        MSComm1->openFailureReported = false;
        m_serialMidStream = true;
    } else if (!MSComm1->openFailureReported)
        reportOpenFailure(*MSComm1);
}

void frm_Data::StartContinuousSerial()
{
    if (!serialSettingsComplete())
        return;
    ClosePortIfOpen(*MSComm1);
    OpenScalePort(*MSComm1, QString());
}

bool OpenScalePort(platform::SerialControl& port, const QString& request)
{
    port.CommPort = Gen_ComPortW;
    port.Handshaking = 0;
    port.RThreshold = 1;
    port.RTSEnable = true;
    port.Settings = Gen_BitsNoW.toText() + QStringLiteral(",n,8,1");
    port.SThreshold = 1;
    port.InputLen = kInputLen;
    port.InputMode = 0;
    if (!port.setPortOpen(true)) {
        reportOpenFailure(port);
        return false;
    }
    port.openFailureReported = false;
    port.Output(request.isEmpty() ? QByteArray(1, kEnq) : request.toLatin1());
    return true;
}

void ClosePortIfOpen(platform::SerialControl& port)
{
    if (port.PortOpen())
        port.setPortOpen(false);
}

namespace {
int waitDepth = 0;
}

bool isWaitingForScale()
{
    return waitDepth > 0;
}

void WaitSeconds(double seconds)
{
    ++waitDepth;
    const qint64 waitNs = qint64(seconds * 1e9);
    QElapsedTimer elapsed;
    elapsed.start();
    // Wakes the event wait below now and then, so that the wait ends on time also when
    // nothing else happens.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(kWaitSlice);
    while (elapsed.nsecsElapsed() < waitNs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
    --waitDepth;
}

// The network scale link: connecting, the request, and the replies on request or streamed.

#include "frm_Data.h"

#include "ScaleParsing.h"
#include "ScaleRoutines.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "datastore/NullFields.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QTcpSocket>
#include <chrono>

namespace {
const QByteArray kWeightRequest("05E");
const QByteArray kClearCommand("T\x04", 2);
// The socket keeps the host and port it was last given, as the port setting may be unusable.
const char* const kRemoteHost = "RemoteHost";
const char* const kRemotePort = "RemotePort";

void showWeight(Ui::frm_Data* ui, const QString& shown)
{
    ui->txtWeight->setText(shown);
    ui->lblWeight->setText(ui->txtWeight->text());
}
} // namespace

void frm_Data::Win_Sock_Connect(QString& RemHostNo, QString& RemPortNo)
{
    Winsock1->abort();
    Winsock1->setProperty(kRemoteHost, RemHostNo);
    // A port text that is no number, or no port, leaves the port as it was.
    bool isNumber = false;
    const double port = RemPortNo.trimmed().toDouble(&isNumber);
    if (isNumber && port >= 0 && port <= 65535)
        Winsock1->setProperty(kRemotePort, int(datastore::roundHalfEven(port)));
    Winsock1->connectToHost(Winsock1->property(kRemoteHost).toString(),
                            quint16(Winsock1->property(kRemotePort).toInt()));
    WaitSeconds(std::chrono::duration<double>(kConnectWait).count());
    if (Winsock1->state() != QAbstractSocket::ConnectedState) {
        platform::showMessage(QStringLiteral("not connected"));
        platform::endProgram(platform::EndStatus::ScaleNotConnected);
        return;
    }
}

void frm_Data::Winsock1_Connect()
{
    if (Winsock1->state() == QAbstractSocket::ConnectedState)
        Winsock1->write(kWeightRequest);
}

void frm_Data::Winsock1_DataArrival(int)
{
    if (!Winsock1->isReadable())
        return;
    // Only whole records are taken; a reply or reading still on its way stays in the socket
    // until its line end has come, so that half of "A00123.4kg" is never read as a weight.
    const QString waiting = QString::fromLatin1(Winsock1->peek(Winsock1->bytesAvailable()));
    const int complete = scale::completeRecordsLength(waiting);
    if (complete == 0) {
        if (waiting.size() > scale::kMaxReadingLength)
            Winsock1->skip(waiting.size());
        return;
    }
    const QString text = QString::fromLatin1(Winsock1->read(complete));
    const bool continuous = isContinuousLink();
    for (const QString& record : scale::splitRecords(text)) {
        if (!continuous) {
            const QString shown = scale::framedWeight(record);
            if (!shown.isEmpty())
                showWeight(ui, shown);
            continue;
        }
        // Each reading on its own: readings that came together must not run into one number.
        const QString shown = scale::streamedWeight(record);
        if (shown.isNull())
            continue;
        showWeight(ui, shown);
        if (formkit::numericValue(ui->txtWeight->text()) == 0)
            Enb(kEnableAdd);
    }
}

void frm_Data::Win_Sock_Clear()
{
    if (Winsock1->state() == QAbstractSocket::ConnectedState)
        Winsock1->write(kClearCommand);
}

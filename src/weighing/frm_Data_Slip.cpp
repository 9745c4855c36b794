// The supplier's slip: printed once a receipt is stored, again on F11 (the last one) or after a
// correction; and this desk's own scale, which overrides the station's.

#include "frm_Data.h"

#include "CompanyWork.h"
#include "StatusArea.h"

#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/DeskSettings.h"
#include "report/SlipPrinters.h"

#include <QShortcut>
#include <memory>

namespace {
const QKeySequence kSlipAgainKey(Qt::Key_F11);
} // namespace

void frm_Data::wireSlips()
{
    const platform::DeskSettings desk = platform::readDeskSettings();
    // Slips that waited when the desk last closed are taken up again here.
    m_slips = new report::SlipSpooler(desk.slip, this, report::SlipSpooler::kRetryEvery,
                                      platform::waitingSlipsFolder());
    // Only the line's own notice about slips is cleared when they have gone.
    auto shown = std::make_shared<QString>();
    connect(m_slips, &report::SlipSpooler::waitChanged, this, [this, shown](const QString& reason) {
        if (!reason.isEmpty()) {
            *shown = report::slipWaitingNotice(m_slips->waiting(), reason);
            m_status->setNotice(*shown);
        } else if (m_status->notice() == *shown) {
            m_status->setNotice(QString());
        }
    });
    auto* again = new QShortcut(kSlipAgainKey, this);
    again->setContext(Qt::WindowShortcut);
    again->setObjectName(QStringLiteral("keySlipAgain"));
    connect(again, &QShortcut::activated, this, [this] {
        if (m_lastSlip != 0)
            printSlipFor(m_lastSlip);
    });
    if (m_slips->printerSet())
        m_status->setKeyHints(m_status->keyHints() + QStringLiteral("  ") + tr("F11 slip again"));
}

void frm_Data::printSlipFor(qint32 refNo)
{
    if (!m_slips || !m_slips->printerSet())
        return;
    m_lastSlip = refNo;
    const QString company = Gen_ComCode;
    m_work->read<std::optional<report::SlipFields>>(
        [company, refNo](datastore::Connection& companyYear)
            -> datastore::Result<std::optional<report::SlipFields>> {
            if (!Con_Main || !Con_Main->isOpen()) {
                const auto opened = OpenMain();
                if (!opened)
                    return opened.error();
            }
            auto slip = report::loadSlip(*Con_Main, companyYear, company, refNo);
            // A busy read is tried again on the same connections.
            if (!slip.failedWith(datastore::ErrorKind::Busy))
                Con_Main->close();
            return slip;
        },
        [this](const std::optional<report::SlipFields>& slip) {
            if (slip)
                m_slips->print(*slip);
        },
        [] {
            if (Con_Main)
                Con_Main->close();
        });
}

bool frm_Data::takeDeskScale()
{
    const std::optional<platform::DeskScale> own = platform::readDeskSettings().scale;
    m_scaleSource =
        QLatin1Char(' ') + (own ? tr("[this desk's scale settings]") : tr("[station settings]"));
    if (!own)
        return false;
    Gen_ComLan = quint8(own->link);
    Gen_WghtFmt = quint8(own->format);
    Gen_ComPortW = quint8(own->com);
    Gen_BitsNoW = datastore::Currency::fromDouble(own->speed);
    Gen_LanHostIP = own->host;
    Gen_LanHostNo = own->tcpPort;
    return true;
}

// What a supervisor approves at the desk: a weight typed by hand when the scale cannot weigh
// (F6), and a receipt of the shift corrected or cancelled (F7).

#include "frm_Data.h"

#include "CompanyWork.h"
#include "StatusArea.h"
#include "frm_Correct.h"
#include "ui_frm_Data.h"

#include "datastore/Audit.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "formkit/Focus.h"

#include <QShortcut>

namespace {
const QKeySequence kManualWeightKey(Qt::Key_F6);
const QKeySequence kCorrectKey(Qt::Key_F7);
} // namespace

void frm_Data::wireSupervisorKeys()
{
    const auto shortcut = [this](const QKeySequence& keys, const char* name, auto action) {
        auto* key = new QShortcut(keys, this);
        key->setContext(Qt::WindowShortcut);
        key->setObjectName(QLatin1String(name));
        connect(key, &QShortcut::activated, this, action);
    };
    shortcut(kManualWeightKey, "keyManualWeight", [this] { ManualWeight_Show(); });
    shortcut(kCorrectKey, "keyCorrect", [this] { Correct_Show(); });
    m_status->setKeyHints(tr("F6 manual  F7 correct  ") + m_status->keyHints());
}

void frm_Data::ManualWeight_Show()
{
    if (!m_manualDialog) {
        m_manualDialog = new weighing::frm_ManualWeight(m_work, &m_supervisorTries, this);
        connect(m_manualDialog, &weighing::frm_ManualWeight::approved, this,
                &frm_Data::takeManualWeight);
        connect(m_manualDialog, &QDialog::finished, this, [this] { activateWindow(); });
    }
    m_manualDialog->begin(ui->txtCans->text(), m_scaleShown);
}

// The typed weight stands whatever the scale link says, marked as typed, and Add may store it;
// the link's readings no longer reach the weight field until it is added or dropped.
void frm_Data::takeManualWeight(const weighing::ManualWeight& weight)
{
    m_manual = weight;
    m_manualScaleReading = m_scaleShown;
    ui->txtWeight->setText(weight.shown);
    ui->txtWeight->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    ui->lblWeight->setText(weight.shown);
    ui->lblWeight->setStyleSheet(QString());
    ui->lblTyped->show();
    showAddSwitch();
    formkit::Next_Focus(ui->cmdAdd);
}

void frm_Data::dropManualWeight()
{
    if (!m_manual)
        return;
    m_manual.reset();
    ui->txtWeight->setStyleSheet(QString());
    ui->lblTyped->hide();
    showAddSwitch();
}

void frm_Data::Correct_Show()
{
    if (ui->cmbAP->currentIndex() < 0)
        return;
    if (!m_correctDialog) {
        m_correctDialog = new weighing::frm_Correct(m_work, &m_supervisorTries, this);
        connect(m_correctDialog, &weighing::frm_Correct::changed, this, &frm_Data::Load_Into_Grid);
        connect(m_correctDialog, &weighing::frm_Correct::corrected, this, &frm_Data::printSlipFor);
        connect(m_correctDialog, &QDialog::finished, this, [this] { activateWindow(); });
    }
    m_correctDialog->begin(ui->dtpDate->date(), selectedKey(ui->cmbAP));
}

void frm_Data::makeAuditTable()
{
    // A server's tables are the administrator's; a file made before the audit was kept gets its
    // table here. A file this desk may not write has been told of already.
    if (datastore::Connection::fileFor(datastore::mstConnectionString()).isEmpty())
        return;
    m_work->read<datastore::Done>(
        [](datastore::Connection& con) -> datastore::Result<datastore::Done> {
            auto made = datastore::ensureAuditTable(con);
            if (made.failedWith(datastore::ErrorKind::Busy))
                return made;
            return datastore::Done{};
        },
        [](datastore::Done) {});
}

#include "frm_Data.h"

#include "CompanyWork.h"
#include "Receipt.h"
#include "ScaleRoutines.h"
#include "StatusArea.h"
#include "ui_frm_Data.h"

#include "datastore/FileAccess.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "formkit/TextRules.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "scale/ScaleLink.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSysInfo>
#include <QTimer>

namespace {

// Add's own messages carry this title; the confirmation carries the program's.
QString checkTitle()
{
    return QString::fromLatin1(platform::kCheckTitle);
}
} // namespace

void frm_Data::cmdAdd_Click()
{
    // Pressed by its Alt key, the button takes the focus as it would from a click, so that
    // the field left behind has its say first.
    if (!ui->cmdAdd->hasFocus())
        ui->cmdAdd->setFocus(Qt::ShortcutFocusReason);
    const weighing::AddCheck check =
        weighing::checkReceipt(ui->cmbRoute->currentIndex() >= 0, chosenVillageRef(),
                               ui->txtCans->text(), ui->txtWeight->text());
    if (check != weighing::AddCheck::Passed) {
        platform::showMessage(weighing::checkMessage(check), checkTitle());
        switch (check) {
        case weighing::AddCheck::NoRoute:
            formkit::Next_Focus(ui->cmbRoute);
            break;
        case weighing::AddCheck::NoVillage:
            formkit::Next_Focus(ui->txtVCode);
            break;
        case weighing::AddCheck::NoWeight:
            // The continuous links have no Get Weight to go to; the scale fills the weight in.
            if (!isContinuousLink())
                formkit::Next_Focus(ui->cmdWeight);
            break;
        case weighing::AddCheck::NoCans:
        case weighing::AddCheck::CansTooFew:
            formkit::Next_Focus(ui->txtCans);
            break;
        case weighing::AddCheck::Passed:
            break;
        }
        return;
    }
    // Without its animal or milk type a receipt would be stored but never listed, and the
    // operator would weigh the cans again.
    if (ui->cmbAnimal->currentIndex() < 0 || ui->cmbMilkType->currentIndex() < 0) {
        QComboBox* unchosen = ui->cmbAnimal->currentIndex() < 0 ? ui->cmbAnimal : ui->cmbMilkType;
        platform::showMessage(unchosen == ui->cmbAnimal ? tr("Select Animal Type")
                                                        : tr("Select Milk Type"),
                              checkTitle());
        formkit::Next_Focus(unchosen);
        return;
    }

    Save_Data();
}

namespace {
// One receipt on its way into the database: tried from the window's work until it is stored,
// fails, or the database stays busy too long.
struct PendingReceipt {
    weighing::ReceiptEntry entry;
    std::unique_ptr<weighing::ReceiptWrite> write;
    // A kept server connection found lost is opened anew once, while nothing can have been
    // committed yet.
    bool reopened = false;
};
} // namespace

void frm_Data::Save_Data()
{
    auto pending = std::make_shared<PendingReceipt>();
    weighing::ReceiptEntry& entry = pending->entry;
    entry.date = ui->dtpDate->date();
    entry.shift = selectedKey(ui->cmbAP);
    entry.route = selectedKey(ui->cmbRoute);
    entry.village = chosenVillageRef();
    entry.animal = selectedKey(ui->cmbAnimal);
    entry.milk = selectedKey(ui->cmbMilkType);
    entry.cans = formkit::numericValue(ui->txtCans->text());
    entry.weight = formkit::numericValue(ui->txtWeight->text());
    entry.uid = Gen_Uid;
    entry.uname = Gen_UName;
    entry.colTime = platform::timeOfDay();
    entry.truckNo = ui->txtTNo->text();
    entry.schTime = ui->dtpSchTime->time();
    entry.arrTime = ui->dtpArrTime->time();
    entry.truckKmr = formkit::numericValue(ui->txtTruckKMR->text());
    entry.truckRecAmt = formkit::numericValue(ui->txtTruckRecAmt->text());
    entry.truckRemarks = ui->txtTruckRemarks->text();
    if (m_manual) {
        datastore::AuditEntry audit;
        audit.kind = datastore::AuditKind::Manual;
        audit.scaleReading = m_manualScaleReading;
        audit.askedBy = Gen_UName;
        audit.allowedBy = m_manual->supervisor;
        audit.reason = m_manual->reason;
        audit.desk = QSysInfo::machineHostName();
        audit.at = platform::now();
        entry.manualAudit = audit;
    }

    datastore::ShiftDatabase& company = m_work->database();
    const auto finish = [this, pending, &company] {
        const weighing::WriteResult written = pending->write->result();
        pending->write.reset();
        company.release();
        Save_Data_Done(written);
    };
    m_work->run(
        [this, pending, &company, finish]() {
            for (;;) {
                if (!pending->write) {
                    const auto con = company.open(datastore::ShiftDatabase::Ask::Always);
                    // A server away in mid-shift costs this receipt, not the shift: said, and
                    // Add can be pressed again once the server is back.
                    if (!con) {
                        Save_Data_Done(con.error());
                        return weighing::Attempt::Done;
                    }
                    pending->write =
                        std::make_unique<weighing::ReceiptWrite>(**con, pending->entry);
                }
                const weighing::ReceiptWrite::Step step = pending->write->tryOnce();
                if (step == weighing::ReceiptWrite::Step::Busy)
                    return weighing::Attempt::Busy;
                if (step == weighing::ReceiptWrite::Step::Failed && company.reused() &&
                    company.onServer() && !pending->write->commitTried() && !pending->reopened) {
                    pending->reopened = true;
                    pending->write.reset();
                    company.lost();
                    continue;
                }
                finish();
                return weighing::Attempt::Done;
            }
        },
        [pending, finish](std::chrono::milliseconds waited) {
            pending->write->giveUp(weighing::busyReason(waited, pending->write->lastError()));
            finish();
        });
}

// Another desk or program holds the database: the window's work waits for it. A receipt's row is
// already taken, so nothing that goes into it, nor the route, may change meanwhile, and the
// window stays until the work has ended either way.
void frm_Data::waitingForDatabase(bool waiting)
{
    for (QWidget* part : std::initializer_list<QWidget*>{
             ui->cmbRoute, ui->txtTNo, ui->dtpSchTime, ui->dtpArrTime, ui->txtTruckKMR, ui->fmLate,
             ui->Frame1, ui->fmVill, ui->cmdExit})
        part->setEnabled(!waiting);
    if (waiting)
        statusArea()->setNotice(StatusArea::databaseWaitNotice());
    else if (statusArea()->notice() == StatusArea::databaseWaitNotice())
        statusArea()->setNotice(QString());
}

void frm_Data::Save_Data_Done(const weighing::WriteResult& written)
{
    const bool waited = !ui->Frame1->isEnabled();
    if (waited)
        waitingForDatabase(false);
    // A receipt that was not stored must not be confirmed or cleared away: the operator sees
    // why and can press Add again with the entry row as it stands.
    if (!written) {
        platform::showMessage(tr("The receipt was not saved.\n\n%1").arg(written.errorText()));
        if (waited)
            formkit::Next_Focus(ui->cmdAdd);
        return;
    }

    platform::showMessage(tr("Successfully Added"));
    printSlipFor(written->refNo);
    if (Gen_WghtFmt == scale::kFormatChosenByLink) {
        if (Gen_ComLan == scale::kLinkSerialOnRequest)
            Com_Clear();
        else if (Gen_ComLan == scale::kLinkNetworkOnRequest)
            Win_Sock_Clear();
    }
    Load_Into_Grid();
    Clear();
    if (isContinuousLink())
        Enb(kDisableAdd);
    VSetFocus();
}

void frm_Data::txtCans_GotFocus()
{
    formkit::Sel_All(ui->txtCans);
    formkit::Fld_GotFocus(ui->txtCans, 0);
}

void frm_Data::txtCans_KeyPress(int& KeyAscii)
{
    formkit::Key_Numeric(KeyAscii);
    if (KeyAscii == formkit::kEnter && formkit::numericValue(ui->txtCans->text()) > 0)
        formkit::Next_Focus(isContinuousLink() ? ui->cmdAdd : ui->cmdWeight);
}

void frm_Data::txtCans_LostFocus()
{
    if (formkit::numericValue(ui->txtCans->text()) == 0) {
        // Taken back once the focus change under way has finished, not inside it.
        QTimer::singleShot(0, this, [this] { formkit::Next_Focus(ui->txtCans); });
    }
    formkit::Fld_LostFocus(ui->txtCans, 0);
}

void frm_Data::tellWhenReceiptsCannotBeStored()
{
    // A server's rights are the server's: only a file is looked at here.
    const QString file = datastore::Connection::fileFor(datastore::mstConnectionString());
    if (file.isEmpty())
        return;
    const QString problem = datastore::fileAccessProblem(file, datastore::FileUse::ReadWrite);
    if (problem.isEmpty() || problem == datastore::openToOthersProblem(file))
        return;
    platform::showMessage(problem);
    m_status->setNotice(tr("Receipts cannot be stored from this desk"));
}

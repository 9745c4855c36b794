#include "frm_Correct.h"

#include "CompanyWork.h"
#include "Receipt.h"
#include "SupervisorWord.h"
#include "VillageLookup.h"
#include "ui_frm_Correct.h"

#include "datastore/GenState.h"
#include "datastore/ReceiptChanges.h"
#include "datastore/WriteTransaction.h"
#include "formkit/Combos.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "formkit/PasteRules.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"

#include <QKeyEvent>
#include <QSysInfo>

namespace weighing {

namespace {
qint32 intOf(const QSqlRecord& row, const char* column)
{
    return row.value(QLatin1String(column)).toInt();
}
} // namespace

frm_Correct::frm_Correct(CompanyWork* work, SupervisorTries* tries, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frm_Correct>()),
      m_fields(new formkit::FieldEvents(this)), m_work(work), m_tries(tries)
{
    ui->setupUi(this);
    setFixedSize(size());
    wireKeys();
    wireLookup();
    connect(ui->cmdCorrect, &QPushButton::clicked, this, &frm_Correct::cmdCorrect_Click);
    connect(ui->cmdCancelReceipt, &QPushButton::clicked, this,
            &frm_Correct::cmdCancelReceipt_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    // A serial typed anew no longer names the receipt shown.
    connect(ui->txtSerial, &QLineEdit::textEdited, this, [this] { forgetReceipt(); });
}

frm_Correct::~frm_Correct() = default;

void frm_Correct::wireKeys()
{
    Ui::frm_Correct* const f = ui.get();
    const auto highlighted = [](QWidget* field, std::function<void(int&)> keyPress) {
        formkit::FieldHandlers h;
        h.gotFocus = [field] {
            if (auto* box = qobject_cast<QLineEdit*>(field))
                formkit::Sel_All(box);
            formkit::Fld_GotFocus(field, 0);
        };
        h.lostFocus = [field] { formkit::Fld_LostFocus(field, 0); };
        h.keyPress = std::move(keyPress);
        return h;
    };
    m_fields->on(f->txtSerial, highlighted(f->txtSerial, [this](int& keyAscii) {
                     formkit::Key_Numeric(keyAscii);
                     if (keyAscii == formkit::kEnter)
                         txtSerial_Enter();
                 }));
    m_fields->on(f->txtVCode, highlighted(f->txtVCode, formkit::enterMovesTo(f->cmbAnimal)));
    m_fields->on(f->cmbAnimal, highlighted(f->cmbAnimal, formkit::enterMovesTo(f->cmbMilkType)));
    m_fields->on(f->cmbMilkType, highlighted(f->cmbMilkType, formkit::enterMovesTo(f->txtCans)));
    m_fields->on(f->txtCans, highlighted(f->txtCans, [f](int& keyAscii) {
                     formkit::Key_Numeric(keyAscii);
                     if (keyAscii == formkit::kEnter)
                         formkit::Next_Focus(f->txtReason);
                 }));
    m_fields->on(f->txtReason,
                 highlighted(f->txtReason, formkit::enterMovesTo(f->supWord->nameField())));
    f->supWord->wireKeys(m_fields, [f] { formkit::Next_Focus(f->cmdCorrect); });
    // Operators press Enter on a focused button as well as Space.
    for (QPushButton* button : {f->cmdCorrect, f->cmdCancelReceipt, f->cmdClose}) {
        formkit::FieldHandlers pressed;
        pressed.keyPress = formkit::enterRuns([button] { button->click(); });
        m_fields->on(button, pressed);
    }
}

// The village is changed through the lookup, on the receipt's own route, as in the window.
void frm_Correct::wireLookup()
{
    VillageLookup* const lookup = ui->fmVill;
    lookup->setCompanyWork(m_work);
    lookup->setPanelLeft(width() - lookup->width());
    lookup->watchField(ui->txtVCode, VillageLookup::FromCode, [this]() -> std::optional<int> {
        if (!m_receipt)
            return std::nullopt;
        return intOf(*m_receipt, "RtRefNo");
    });
    connect(lookup, &VillageLookup::picked, this,
            [this](const datastore::Village& village, bool closing) {
                chooseVillage(village);
                if (closing)
                    formkit::Next_Focus(ui->txtVCode);
            });
    connect(lookup, &VillageLookup::cancelled, this, [this] { formkit::Next_Focus(ui->txtVCode); });
    // Pasted text obeys the rules typed text obeys; one into the village code opens the lookup.
    auto* guard = new formkit::PasteGuard(this);
    lookup->usePasteGuard(guard);
    guard->guard(ui->txtSerial, formkit::TypingRule::Numeric, tr("Serial No."));
    guard->guard(ui->txtCans, formkit::TypingRule::Numeric, tr("Cans"));
    guard->guard(ui->txtReason, formkit::TypingRule::AnyText, tr("Reason"));
    connect(guard, &formkit::PasteGuard::refused, this,
            [](const QString& reason) { platform::showMessage(reason); });
    connect(lookup, &VillageLookup::notice, this, [](const QString& text) {
        if (!text.isEmpty())
            platform::showMessage(text);
    });
}

void frm_Correct::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && ui->fmVill->isVisible()) {
        ui->fmVill->cmdCan_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frm_Correct::begin(const QDate& date, int shift)
{
    m_date = date;
    m_shift = shift;
    ui->txtSerial->clear();
    forgetReceipt();
    fillLists();
    open();
    ui->txtSerial->setFocus(Qt::OtherFocusReason);
}

void frm_Correct::fillLists()
{
    const auto keyed = [this](QComboBox* combo, const QString& table, const QString& shown,
                              const QString& key) {
        m_work->read<QVector<datastore::KeyedRow>>(
            [=](datastore::Connection& con) {
                return datastore::keyedRows(con, table, shown, key, QString());
            },
            [combo](const QVector<datastore::KeyedRow>& rows) {
                QList<formkit::ComboRow> entries;
                for (const datastore::KeyedRow& row : rows)
                    entries.append({row.shown, int(row.key)});
                Load_Combo(combo, entries, true);
            });
    };
    keyed(ui->cmbAnimal, QStringLiteral("Mast_Animal"), QStringLiteral("AType"),
          QStringLiteral("ACode"));
    keyed(ui->cmbMilkType, QStringLiteral("Mast_Milk"), QStringLiteral("MType"),
          QStringLiteral("MCode"));
    m_work->read<QVector<datastore::KeyedRow>>(
        [](datastore::Connection& con) {
            return datastore::keyedRows(con, QStringLiteral("Mast_Routes"),
                                        QStringLiteral("RTType"), QStringLiteral("RTRefNo"),
                                        QString());
        },
        [this](const QVector<datastore::KeyedRow>& rows) {
            m_routes.clear();
            for (const datastore::KeyedRow& row : rows)
                m_routes.insert(int(row.key), row.shown);
        });
}

void frm_Correct::txtSerial_Enter()
{
    const double serial = formkit::numericValue(ui->txtSerial->text());
    if (serial <= 0 || serial > std::numeric_limits<qint32>::max()) {
        platform::showMessage(tr("Type the receipt's serial number (SNo.)"));
        return;
    }
    const QDate date = m_date;
    const int shift = m_shift;
    m_work->read<std::optional<QSqlRecord>>(
        [=](datastore::Connection& con) {
            return datastore::receiptBySerial(con, date, shift, qint32(serial));
        },
        [this, serial](const std::optional<QSqlRecord>& receipt) {
            if (!receipt) {
                platform::showMessage(
                    tr("No receipt of this shift has the serial number %1").arg(serial));
                formkit::Sel_All(ui->txtSerial);
                return;
            }
            showReceipt(*receipt);
        });
}

void frm_Correct::showReceipt(const QSqlRecord& receipt)
{
    m_receipt = receipt;
    const qint32 village = intOf(receipt, "VRefNo");
    // A type no longer listed shows none, and stays as stored unless one is chosen.
    ui->cmbAnimal->setCurrentIndex(-1);
    ui->cmbMilkType->setCurrentIndex(-1);
    Combo_Select(ui->cmbAnimal, intOf(receipt, "ACode"));
    Combo_Select(ui->cmbMilkType, intOf(receipt, "MCode"));
    const double cans = receipt.value(QStringLiteral("CansRecd")).toDouble();
    const QString weight =
        formkit::shownWeight(receipt.value(QStringLiteral("MWeight")).toDouble());
    ui->txtCans->setText(formkit::plainNumber(cans));
    ui->lblWeightShown->setText(tr("%1 (it cannot be changed)").arg(weight));
    ui->lblRoute->setText(m_routes.value(intOf(receipt, "RtRefNo")));
    for (QWidget* field : std::initializer_list<QWidget*>{
             ui->txtVCode, ui->cmbAnimal, ui->cmbMilkType, ui->txtCans, ui->txtReason, ui->supWord,
             ui->cmdCorrect, ui->cmdCancelReceipt})
        field->setEnabled(true);
    m_work->read<std::optional<datastore::Village>>(
        [village](datastore::Connection& con) { return datastore::villageByRef(con, village); },
        [this, village, weight](const std::optional<datastore::Village>& found) {
            chooseVillage(found.value_or(datastore::Village()));
            // A village whose master row is gone stays as stored unless another is picked.
            m_village.refNo = village;
            showStored(weight);
            formkit::Next_Focus(ui->txtVCode);
        });
}

// The receipt as it is stored, beside the fields that change it (the lookup covers it while
// it is open).
void frm_Correct::showStored(const QString& weight)
{
    const QSqlRecord& stored = *m_receipt;
    ui->lblStored->setText(
        tr("As stored (SNo. %1, reference %2):\n\nVillage: %3 %4\nAnimal: %5\nMilk type: %6\n"
           "Cans: %7\nWeight: %8\n\nAdded at %9 by %10")
            .arg(intOf(stored, "DlySlNo"))
            .arg(intOf(stored, "RefNo"))
            .arg(m_village.code, m_village.name, ui->cmbAnimal->currentText(),
                 ui->cmbMilkType->currentText(),
                 formkit::plainNumber(stored.value(QStringLiteral("CansRecd")).toDouble()), weight,
                 stored.value(QStringLiteral("ColTime")).toString(),
                 stored.value(QStringLiteral("UName")).toString()));
}

void frm_Correct::forgetReceipt()
{
    m_receipt.reset();
    chooseVillage(datastore::Village());
    ui->txtCans->clear();
    ui->txtReason->clear();
    ui->supWord->clear();
    ui->lblRoute->clear();
    ui->lblWeightShown->clear();
    ui->lblStored->clear();
    for (QWidget* field : std::initializer_list<QWidget*>{
             ui->txtVCode, ui->cmbAnimal, ui->cmbMilkType, ui->txtCans, ui->txtReason, ui->supWord,
             ui->cmdCorrect, ui->cmdCancelReceipt})
        field->setEnabled(false);
}

void frm_Correct::chooseVillage(const datastore::Village& village)
{
    m_village = village;
    ui->txtVCode->setText(village.code);
    ui->lblVName->setText(village.name);
}

// What the operator changed, only that; nothing when a check fails (told, the field to mend
// focused).
std::optional<datastore::ReceiptChange> frm_Correct::changeTyped()
{
    const QSqlRecord& was = *m_receipt;
    const auto refuse = [](const QString& text, QWidget* field) {
        platform::showMessage(text);
        formkit::Next_Focus(field);
        return std::nullopt;
    };
    if (m_village.refNo == 0)
        return refuse(checkMessage(AddCheck::NoVillage), ui->txtVCode);
    const double cans = formkit::numericValue(ui->txtCans->text());
    const double weight = was.value(QStringLiteral("MWeight")).toDouble();
    if (cans <= 0)
        return refuse(checkMessage(AddCheck::NoCans), ui->txtCans);
    if (weight > kMaxWeightPerCan * cans)
        return refuse(checkMessage(AddCheck::CansTooFew), ui->txtCans);
    datastore::ReceiptChange change;
    if (m_village.refNo != intOf(was, "VRefNo"))
        change.vRefNo = m_village.refNo;
    const auto chosen = [](const QComboBox* list, qint32 stored) -> std::optional<qint32> {
        if (list->currentIndex() < 0 || selectedKey(list) == stored)
            return std::nullopt;
        return selectedKey(list);
    };
    change.aCode = chosen(ui->cmbAnimal, intOf(was, "ACode"));
    change.mCode = chosen(ui->cmbMilkType, intOf(was, "MCode"));
    if (cans != was.value(QStringLiteral("CansRecd")).toDouble())
        change.cans = cans;
    if (!change.vRefNo && !change.aCode && !change.mCode && !change.cans)
        return refuse(tr("Nothing to correct: change the village, animal, milk type or cans, or "
                         "cancel the receipt."),
                      ui->txtVCode);
    return change;
}

void frm_Correct::cmdCorrect_Click()
{
    if (!m_receipt)
        return;
    const auto change = changeTyped();
    if (!change)
        return;
    const qint32 refNo = intOf(*m_receipt, "RefNo");
    approveAndWrite(
        tr("Receipt %1 corrected.").arg(intOf(*m_receipt, "DlySlNo")),
        [refNo, change](datastore::Connection& con, const datastore::AuditWho& who) {
            return datastore::correctReceipt(con, refNo, *change, who);
        },
        refNo);
}

void frm_Correct::cmdCancelReceipt_Click()
{
    if (!m_receipt)
        return;
    const qint32 refNo = intOf(*m_receipt, "RefNo");
    approveAndWrite(
        tr("Receipt %1 cancelled.").arg(intOf(*m_receipt, "DlySlNo")),
        [refNo](datastore::Connection& con, const datastore::AuditWho& who) {
            return datastore::cancelReceipt(con, refNo, who);
        },
        0);
}

void frm_Correct::approveAndWrite(const QString& done, Write write, qint32 corrected)
{
    if (ui->txtReason->text().trimmed().isEmpty()) {
        platform::showMessage(tr("Type the reason for the change"));
        formkit::Next_Focus(ui->txtReason);
        return;
    }
    // A receipt on its way is written once: Correct or Cancel pressed again meanwhile (a busy
    // database lets the dialog's keys through) asks nothing more.
    if (m_writing)
        return;
    ui->supWord->check(m_work, m_tries, [this, done, write, corrected] {
        const datastore::AuditWho who{Gen_UName, ui->supWord->supervisor(),
                                      ui->txtReason->text().trimmed(), QSysInfo::machineHostName()};
        m_writing = true;
        m_work->read<datastore::Done>(
            [write, who](datastore::Connection& con) {
                // A lock met comes back at once, and the work tries again after a pause.
                datastore::setLockWait(con, kLockTryWait);
                return write(con, who);
            },
            [this, done, corrected](datastore::Done) {
                m_writing = false;
                platform::showMessage(done);
                accept();
                emit changed();
                if (corrected != 0)
                    emit this->corrected(corrected);
            },
            [this] { m_writing = false; });
    });
}

} // namespace weighing

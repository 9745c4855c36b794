#include "frm_ManualWeight.h"

#include "Receipt.h"
#include "SupervisorWord.h"
#include "ui_frm_ManualWeight.h"

#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "formkit/PasteRules.h"
#include "formkit/TextRules.h"
#include "platform/Messages.h"

namespace weighing {

frm_ManualWeight::frm_ManualWeight(CompanyWork* work, SupervisorTries* tries, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frm_ManualWeight>()),
      m_fields(new formkit::FieldEvents(this)), m_work(work), m_tries(tries)
{
    ui->setupUi(this);
    ui->txtManWeight->setMaxLength(kManualWeightLength);
    setFixedSize(size());
    wireKeys();
    connect(ui->cmdOk, &QPushButton::clicked, this, &frm_ManualWeight::cmdOk_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frm_ManualWeight::~frm_ManualWeight() = default;

void frm_ManualWeight::wireKeys()
{
    const auto textBox = [](QLineEdit* box, std::function<void(int&)> keyPress) {
        formkit::FieldHandlers h;
        h.gotFocus = [box] {
            formkit::Sel_All(box);
            formkit::Fld_GotFocus(box, 0);
        };
        h.lostFocus = [box] { formkit::Fld_LostFocus(box, 0); };
        h.keyPress = std::move(keyPress);
        return h;
    };
    QLineEdit* const weight = ui->txtManWeight;
    QWidget* const reason = ui->txtReason;
    m_fields->on(weight, textBox(weight, [weight, reason](int& keyAscii) {
                     formkit::Key_Decimal(keyAscii, weight->text());
                     if (keyAscii == formkit::kEnter)
                         formkit::Next_Focus(reason);
                 }));
    m_fields->on(ui->txtReason,
                 textBox(ui->txtReason, formkit::enterMovesTo(ui->supWord->nameField())));
    ui->supWord->wireKeys(m_fields, [this] { cmdOk_Click(); });
    // Pasted text obeys the rules typed text obeys.
    auto* guard = new formkit::PasteGuard(this);
    guard->guard(weight, formkit::TypingRule::Decimal, tr("Weight"));
    guard->guard(ui->txtReason, formkit::TypingRule::AnyText, tr("Reason"));
    connect(guard, &formkit::PasteGuard::refused, this,
            [](const QString& reason) { platform::showMessage(reason); });
}

void frm_ManualWeight::begin(const QString& cansText, const QString& scaleNow)
{
    m_cans = cansText;
    ui->txtManWeight->clear();
    ui->txtReason->clear();
    ui->supWord->clear();
    ui->lblScaleNow->setText(scaleNow.isEmpty() ? tr("The scale shows no reading")
                                                : tr("The scale shows %1").arg(scaleNow));
    open();
    ui->txtManWeight->setFocus(Qt::OtherFocusReason);
}

void frm_ManualWeight::cmdOk_Click()
{
    const QString problem = manualWeightProblem(ui->txtManWeight->text(), m_cans);
    if (!problem.isEmpty()) {
        platform::showMessage(problem);
        formkit::Next_Focus(ui->txtManWeight);
        return;
    }
    if (ui->txtReason->text().trimmed().isEmpty()) {
        platform::showMessage(tr("Type the reason why the weight is typed by hand"));
        formkit::Next_Focus(ui->txtReason);
        return;
    }
    ui->supWord->check(m_work, m_tries, [this] {
        const ManualWeight weight{
            formkit::shownWeight(formkit::numericValue(ui->txtManWeight->text())),
            ui->txtReason->text().trimmed(), ui->supWord->supervisor()};
        accept();
        emit approved(weight);
    });
}

} // namespace weighing

#include "frm_Dates.h"

#include "ui_frm_Dates.h"

#include "CheckDate.h"
#include "datastore/GenState.h"
#include "formkit/Combos.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>

namespace {
OpenWeighingWindow& openWeighingStore()
{
    static OpenWeighingWindow open;
    return open;
}
} // namespace

frm_Dates::frm_Dates(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::frm_Dates>())
{
    ui->setupUi(this);
    // Month names stay English whatever the desktop's language, so that CDate reads every
    // date the program writes.
    ui->dtpDate->setLocale(QLocale(QLocale::English));
    ui->dtpDate->setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));

    connect(ui->cmbAP, qOverload<int>(&QComboBox::activated), this, [this] { cmbAP_Click(); });
    connect(ui->cmdOk, &QPushButton::clicked, this, &frm_Dates::cmdOk_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frm_Dates::cmdExit_Click);

    m_fields = new formkit::FieldEvents(this);
    formkit::FieldHandlers date;
    date.keyPress = formkit::enterMovesTo(ui->cmbAP);
    date.lostFocus = [this] { Check_Date(ui->dtpDate); };
    m_fields->on(ui->dtpDate, date);
    formkit::tabLeavesPicker(ui->dtpDate);

    formkit::FieldHandlers shift;
    shift.keyPress = formkit::enterRuns([this] { cmdOk_Click(); });
    m_fields->on(ui->cmbAP, shift);
}

frm_Dates::~frm_Dates() = default;

void frm_Dates::setOpenWeighingWindow(OpenWeighingWindow open)
{
    openWeighingStore() = std::move(open);
}

void frm_Dates::load()
{
    ui->dtpDate->setDate(platform::today());
    ui->lblYear->setText(yearRangeText(Gen_YStart, Gen_YEnd, Gen_Today));
    // Selecting "AM" runs the shift handling, so the shift is set even if never touched.
    Load_AmPm(ui->cmbAP);
}

void frm_Dates::cmbAP_Click()
{
    if (ui->cmbAP->currentIndex() >= 0)
        Gen_AmPm = selectedKey(ui->cmbAP);
}

void frm_Dates::cmdOk_Click()
{
    // Ok pressed by its Alt key leaves the focus in the picker, whose check has not run yet.
    if (dateOutsideYear(ui->dtpDate->date(), Gen_YStart, Gen_YEnd, Gen_Today)) {
        Check_Date(ui->dtpDate);
        return;
    }
    if (m_opening)
        return;
    m_opening = true;
    if (openWeighingStore())
        openWeighingStore()(ui->dtpDate->date(), formkit::Shift(Gen_AmPm));
    m_opening = false;
    close();
}

void frm_Dates::closeEvent(QCloseEvent* event)
{
    if (m_opening) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frm_Dates::cmdExit_Click()
{
    platform::endProgram();
}

void frm_Dates::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        ui->dtpDate->setFocus(Qt::OtherFocusReason);
}

void frm_Dates::keyPressEvent(QKeyEvent* event)
{
    // Exit is the window's cancel button.
    if (!formkit::escapePresses(ui->cmdExit, event))
        QWidget::keyPressEvent(event);
}

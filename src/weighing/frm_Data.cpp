#include "frm_Data.h"

#include "CompanyWork.h"
#include "RunningTotals.h"
#include "ScaleRoutines.h"
#include "StatusArea.h"
#include "VillageLookup.h"
#include "WindowBusy.h"
#include "ui_frm_Data.h"

#include "datastore/Connection.h"
#include "datastore/GenState.h"
#include "datastore/NullFields.h"
#include "datastore/ShiftQueries.h"
#include "datastore/Startup.h"
#include "datastore/StationSettings.h"
#include "formkit/Combos.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "formkit/TextRules.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QSqlQuery>

using formkit::FieldHandlers;
using formkit::Fld_GotFocus;
using formkit::Fld_LostFocus;
using formkit::Next_Focus;
using formkit::Sel_All;

namespace {
const QColor kWindowGreen{192, 255, 192};

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The date as the pickers and statements read it: whole days, English month names.
QDate throughDateText(const QDate& date)
{
    return QLocale(QLocale::English).toDate(formkit::dateText(date), QStringLiteral("dd/MMM/yyyy"));
}

// A route's key is a 16-bit number where receipts store it; a larger one made by another program
// would be stored wrapped, under another route.
bool routeKeyFits(int key)
{
    return key >= 1 && key <= std::numeric_limits<qint16>::max();
}

// The recovery frame's caption: bold serif; the frame's fields and labels keep their own faces.
QFont recoveryCaptionFace()
{
    QFont face(QStringLiteral("Times New Roman"));
    face.setPointSizeF(8.25);
    face.setBold(true);
    return face;
}
} // namespace

frm_Data::frm_Data(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::frm_Data>()),
      m_fields(new formkit::FieldEvents(this)), m_status(nullptr), m_totals(nullptr),
      m_busy(new weighing::WindowBusy(this)), m_work(new weighing::CompanyWork(m_busy, this))
{
    ui->setupUi(this);
    m_status = new StatusArea(ui->lblStatus, this);
    m_totals = weighing::addRunningTotalsLine(this);
    paintBackground(this, kWindowGreen);
    const QLocale english(QLocale::English);
    ui->dtpDate->setLocale(english);
    ui->dtpSchTime->setLocale(english);
    ui->dtpArrTime->setLocale(english);
    ui->fmLate->setFont(recoveryCaptionFace());
    chooseVillage(std::nullopt);
    wireFields();
    wireLookup();
    connect(ui->cmdWeight, &QPushButton::clicked, this, &frm_Data::cmdWeight_Click);
    wireShiftReport();
    wireSupervisorKeys();
    wireSlips();
    wirePaste();
    wireCompanyWork();
}

frm_Data::~frm_Data() = default;

void frm_Data::wireCompanyWork()
{
    connect(m_work, &weighing::CompanyWork::waitingChanged, this, &frm_Data::waitingForDatabase);
    // A server away in mid-shift stays in view after its one message.
    connect(m_work, &weighing::CompanyWork::serverAwayChanged, this, [this](bool away) {
        if (away)
            m_status->setNotice(
                StatusArea::serverAwayNotice(formkit::timeText(platform::timeOfDay())));
        else if (StatusArea::isServerAwayNotice(m_status->notice()))
            m_status->setNotice(QString());
    });
}

bool frm_Data::Form_Load(const QDate& date, formkit::Shift shift)
{
    if (platform::activatePreviousCopy()) {
        Activate_PrevInstance();
        return false;
    }
    // From here on a later start finds this copy and hands over to it.
    platform::listenAsRunningCopy();

    ui->dtpSchTime->setTime(platform::timeOfDay());
    ui->dtpArrTime->setTime(platform::timeOfDay());
    ui->dtpDate->setDate(throughDateText(date));

    Load_AmPm(ui->cmbAP);
    Combo_Select(ui->cmbAP, int(shift));
    fillList(ui->cmbRoute, QStringLiteral("Mast_Routes"), QStringLiteral("RTType"),
             QStringLiteral("RTRefNo"), false, QStringLiteral(" Where RTInAct = 0"));
    loadStationSettings();
    tellWhenReceiptsCannotBeStored();
    makeAuditTable();
    return true;
}

void frm_Data::loadStationSettings()
{
    // The continuous links run their own timer; the window follows what they tell it. Settings
    // that cannot be read start no scale link.
    const auto settingsWrong = [this] {
        m_status->setScaleState(tr("scale: no link, the station settings are wrong"));
    };
    m_work->read<QSqlRecord>(
        stationSettingsRow,
        [this, settingsWrong](const QSqlRecord& row) {
            const auto taken = takeStationSettings(row);
            if (takeDeskScale() || taken) {
                startScaleLink();
                return;
            }
            platform::showMessage(taken.errorText());
            settingsWrong();
        },
        [this, settingsWrong] {
            if (takeDeskScale())
                startScaleLink();
            else
                settingsWrong();
        });
}

void frm_Data::fillList(QComboBox* combo, const QString& table, const QString& shownColumn,
                        const QString& keyColumn, bool numbered, const QString& clause)
{
    m_work->read<QVector<datastore::KeyedRow>>(
        [=](datastore::Connection& con) {
            return datastore::keyedRows(con, table, shownColumn, keyColumn, clause);
        },
        [combo, numbered](const QVector<datastore::KeyedRow>& rows) {
            QList<formkit::ComboRow> entries;
            for (const datastore::KeyedRow& row : rows)
                entries.append({row.shown, int(row.key)});
            Load_Combo(combo, entries, numbered);
        });
}

void frm_Data::Clear()
{
    ui->txtVCode->setText(QString());
    chooseVillage(std::nullopt);
    ui->txtVName->setText(QString());
    ui->txtCans->setText(QString());
    dropManualWeight();
    ui->txtWeight->setText(QString());
    ui->lblWeight->setText(QString());
    m_scaleShown.clear();
    ui->txtTNo->setText(QString());
    ui->txtTruckKMR->setText(QString());
    ui->txtTruckRecAmt->setText(QString());
    ui->txtTruckRemarks->setText(QString());
    fillList(ui->cmbAnimal, QStringLiteral("Mast_Animal"), QStringLiteral("AType"),
             QStringLiteral("ACode"), true, QString());
    fillList(ui->cmbMilkType, QStringLiteral("Mast_Milk"), QStringLiteral("MType"),
             QStringLiteral("MCode"), true, QString());
}

void frm_Data::Enb(int Enb1_Dis2)
{
    m_addArmed = Enb1_Dis2 != kDisableAdd;
    showAddSwitch();
}

void frm_Data::cmbAP_Click()
{
    if (ui->cmbAP->currentIndex() < 0)
        return;
    Clear();
    Load_Into_Grid();
}

void frm_Data::cmbRoute_Click()
{
    Clear();
    if (ui->cmbRoute->currentIndex() < 0)
        return;
    const int route = selectedKey(ui->cmbRoute);
    if (!routeKeyFits(route)) {
        platform::showMessage(
            tr("The route \"%1\" has the key %2, which a receipt cannot store (at most %3). Ask "
               "the administrator to renumber it.")
                .arg(ui->cmbRoute->currentText())
                .arg(route)
                .arg(std::numeric_limits<qint16>::max()));
        ui->cmbRoute->setCurrentIndex(-1);
        Load_Into_Grid();
        return;
    }
    Get_RouteVehNo(ui->txtTNo, qint16(route), ui->dtpDate->date());
    Load_Into_Grid();
}

void frm_Data::cmdExit_Click()
{
    // The whole program ends here; the window's unload steps do not run.
    platform::endProgram();
}

void frm_Data::Form_Unload()
{
    stopScaleLink();
}

void frm_Data::closeEvent(QCloseEvent* event)
{
    // The window waits for the scale or the database: it cannot go yet.
    if (m_busy->waiting()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QWidget::closeEvent(event);
}

void frm_Data::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && ui->fmVill->isVisible()) {
        ui->fmVill->cmdCan_Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frm_Data::wireFields()
{
    Ui::frm_Data* const f = ui.get();
    QWidget* const lookupPanel = f->fmVill;
    const auto hideLookup = [lookupPanel] { lookupPanel->hide(); };

    const auto enterTo = formkit::enterMovesTo;
    // Text boxes select their text and light up on entry, and return to normal on leaving.
    const auto textBox = [](QLineEdit* box, std::function<void(int&)> keyPress) {
        FieldHandlers h;
        h.gotFocus = [box] {
            Sel_All(box);
            Fld_GotFocus(box, 0);
        };
        h.lostFocus = [box] { Fld_LostFocus(box, 0); };
        h.keyPress = std::move(keyPress);
        return h;
    };
    const auto comboBox = [&](QComboBox* combo, bool hidesLookup, QWidget* next) {
        FieldHandlers h;
        h.gotFocus = [combo, hidesLookup, hideLookup] {
            Fld_GotFocus(combo, 0);
            if (hidesLookup)
                hideLookup();
        };
        h.lostFocus = [combo] { Fld_LostFocus(combo, 0); };
        h.keyPress = enterTo(next);
        return h;
    };
    const auto decimalBox = [&](QLineEdit* box, QWidget* next) {
        return textBox(box, [box, next](int& keyAscii) {
            formkit::Key_Decimal(keyAscii, box->text());
            if (keyAscii == formkit::kEnter)
                Next_Focus(next);
        });
    };

    FieldHandlers date;
    date.gotFocus = [f, hideLookup] {
        Fld_GotFocus(f->dtpDate, 1);
        hideLookup();
    };
    date.lostFocus = [this, f] {
        Load_Into_Grid();
        Fld_LostFocus(f->dtpDate, 1);
    };
    date.keyPress = enterTo(f->cmbAP);
    m_fields->on(f->dtpDate, date);

    m_fields->on(f->cmbAP, comboBox(f->cmbAP, true, f->cmbRoute));
    m_fields->on(f->cmbRoute, comboBox(f->cmbRoute, true, f->txtTNo));

    m_fields->on(f->txtTNo, textBox(f->txtTNo, [f](int& keyAscii) {
                     if (keyAscii == formkit::kEnter) {
                         Next_Focus(f->dtpSchTime);
                         return;
                     }
                     const QChar typed(keyAscii);
                     const QChar capital = typed.toUpper();
                     if (capital != typed)
                         keyAscii = capital.unicode();
                 }));

    FieldHandlers scheduled;
    scheduled.keyPress = enterTo(f->dtpArrTime);
    m_fields->on(f->dtpSchTime, scheduled);
    FieldHandlers arrived;
    arrived.keyPress = enterTo(f->txtTruckKMR);
    m_fields->on(f->dtpArrTime, arrived);
    formkit::tabLeavesPicker(f->dtpSchTime);
    formkit::tabLeavesPicker(f->dtpArrTime);

    m_fields->on(f->txtTruckKMR, decimalBox(f->txtTruckKMR, f->txtTruckRecAmt));
    m_fields->on(f->txtTruckRecAmt, decimalBox(f->txtTruckRecAmt, f->txtTruckRemarks));
    m_fields->on(f->txtTruckRemarks, textBox(f->txtTruckRemarks, enterTo(f->txtVCode)));

    // A letter or digit in the village fields opens the lookup instead of being typed
    // (wireLookup).
    m_fields->on(f->txtVCode, textBox(f->txtVCode, enterTo(f->txtVName)));
    m_fields->on(f->txtVName, textBox(f->txtVName, enterTo(f->cmbAnimal)));

    m_fields->on(f->cmbAnimal, comboBox(f->cmbAnimal, true, f->cmbMilkType));
    m_fields->on(f->cmbMilkType, comboBox(f->cmbMilkType, false, f->txtCans));

    FieldHandlers cans;
    cans.gotFocus = [this] { txtCans_GotFocus(); };
    cans.lostFocus = [this] { txtCans_LostFocus(); };
    cans.keyPress = [this](int& keyAscii) { txtCans_KeyPress(keyAscii); };
    m_fields->on(f->txtCans, cans);

    // Operators press Enter on a focused button as well as Space.
    const auto pressedByEnter = [](QPushButton* button) {
        FieldHandlers h;
        h.keyPress = formkit::enterRuns([button] {
            if (button->isEnabled())
                button->click();
        });
        return h;
    };
    m_fields->on(f->cmdWeight, pressedByEnter(f->cmdWeight));
    m_fields->on(f->cmdAdd, pressedByEnter(f->cmdAdd));
    FieldHandlers exitButton = pressedByEnter(f->cmdExit);
    exitButton.gotFocus = hideLookup;
    m_fields->on(f->cmdExit, exitButton);

    FieldHandlers grid;
    grid.gotFocus = hideLookup;
    m_fields->on(f->fgLIst, grid);

    connect(f->cmbAP, &QComboBox::activated, this, [this] { cmbAP_Click(); });
    connect(f->cmbRoute, &QComboBox::activated, this, [this] { cmbRoute_Click(); });
    connect(f->cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(f->cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frm_Data::Get_RouteVehNo(QLineEdit* Target, qint16 RouteCode, const QDate& CollDate)
{
    Target->setText(QString());
    m_work->read<QString>(
        [=](datastore::Connection& con) {
            return datastore::routeVehicle(con, RouteCode, CollDate);
        },
        [Target](const QString& vehicle) { Target->setText(vehicle); });
}

void Activate_PrevInstance()
{
    // The copy that runs has been asked to come to the front; this one ends.
    platform::endProgram();
}

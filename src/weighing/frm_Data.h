#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>
#include <memory>
#include <optional>

#include "Receipt.h"
#include "SupervisorWord.h"
#include "datastore/ShiftQueries.h"
#include "formkit/Combos.h"
#include "frm_ManualWeight.h"

class DayWindow;
class QComboBox;
class QLabel;
class QLineEdit;
class StatusArea;

namespace Ui {
class frm_Data;
}
namespace formkit {
class FieldEvents;
}
namespace scale {
class ScaleLink;
}
namespace report {
struct ReportRequest;
class SlipSpooler;
} // namespace report
namespace weighing {
class CompanyWork;
class WindowBusy;
class frm_Correct;
} // namespace weighing

// The weighing window: one route's milk for one collection date and shift, village by village.
class frm_Data : public QWidget {
    Q_OBJECT
public:
    explicit frm_Data(QWidget* parent = nullptr);
    ~frm_Data() override;

    // The window's load on the collection date and shift chosen in the date dialog. False when
    // another running copy was brought to the front and this one ends.
    bool Form_Load(const QDate& date, formkit::Shift shift);

    // Sets Add on (1) or off (2); a continuous link arms it again on an empty platform.
    void Enb(int Enb1_Dis2);
    // Lists the shift's receipts of the chosen route in the grid.
    void Load_Into_Grid();
    // Get Weight: asks the scale link for the weight on the platform.
    void cmdWeight_Click();
    // The link the station settings chose, or none.
    scale::ScaleLink* scaleLink() const { return m_scale; }
    // Add: checks the entry row and, when it passes, stores the receipt.
    void cmdAdd_Click();

    // The status line beside the window's name (scale state, notices, keys).
    StatusArea* statusArea() const { return m_status; }
    // Whether the window waits for the scale or the database (its input dropped meanwhile).
    weighing::WindowBusy* busy() const { return m_busy; }
    // The window's work on the company year, one piece at a time.
    weighing::CompanyWork* companyWork() const { return m_work; }
    // Prints the stored receipt's slip as it stands now, when this desk prints slips (after
    // Add, on F11, after a correction). Never waits for the printer.
    void printSlipFor(qint32 refNo);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Shift context (frm_Data.cpp)
    void Clear();
    void cmbAP_Click();
    void cmbRoute_Click();
    void cmdExit_Click();
    void Form_Unload();

    // Receipts grid (frm_Data_Grid.cpp)
    void Design();
    void showGridRows(const QVector<datastore::GridReceipt>& stored,
                      const QHash<qint32, QChar>& marks);

    // Village lookup wiring (frm_Data_Lookup.cpp); the panel is VillageLookup.
    void VSetFocus();

    // The scale's clear command after an Add (frm_Data_Scale.cpp), the serial and the network
    // link's alike.
    void Com_Clear();
    void Win_Sock_Clear();

    // Writing a receipt (frm_Data_Add.cpp). Save_Data starts the write; Save_Data_Done follows
    // when the receipt is stored or has failed.
    void Save_Data();
    void txtCans_GotFocus();
    void txtCans_KeyPress(int& KeyAscii);
    void txtCans_LostFocus();

    // The shift report, on F8 (frm_Data_Report.cpp)
    void ShiftReport_Show();
    void readShiftReport(const report::ReportRequest& request);
    // F9: the day at a glance, for the window's date.
    void showDay();

    void wireFields();
    void wireLookup();
    void startScaleLink();
    void stopScaleLink();
    void showWeight(const QString& shown, bool moving = false);
    void showAddSwitch();
    void showScaleState();
    void weightRequestEnded();
    void wireShiftReport();
    // The slip printer and F11 from this desk's settings (frm_Data_Slip.cpp).
    void wireSlips();
    // This desk's own scale, when it has one, in place of the station's; says which it is.
    bool takeDeskScale();
    // F6 a weight typed by hand, F7 a receipt corrected or cancelled, each with a supervisor's
    // word (frm_Data_Supervisor.cpp).
    void wireSupervisorKeys();
    void ManualWeight_Show();
    void Correct_Show();
    void takeManualWeight(const weighing::ManualWeight& weight);
    void dropManualWeight();
    void makeAuditTable();
    void wirePaste();
    void waitingForDatabase(bool waiting);
    void wireCompanyWork();
    void Save_Data_Done(const weighing::WriteResult& written);
    // Puts into Target the vehicle that the route has on CollDate, or empty text.
    void Get_RouteVehNo(QLineEdit* Target, qint16 RouteCode, const QDate& CollDate);
    // Fills a keyed list from its master table; a table that cannot be read leaves it as it was.
    void fillList(QComboBox* combo, const QString& table, const QString& shownColumn,
                  const QString& keyColumn, bool numbered, const QString& clause);
    // The station settings, then the scale link they choose.
    void loadStationSettings();
    // A company database this user may not write is told when the window opens, in words,
    // before anyone types a receipt (frm_Data_Add.cpp).
    void tellWhenReceiptsCannotBeStored();
    // The village the entry row is for; txtVCode's "Tag" mirrors its reference ("0": none).
    void chooseVillage(const std::optional<datastore::Village>& village);
    qint32 chosenVillageRef() const { return m_village ? m_village->refNo : 0; }

    // The form's controls; tests and other windows find them by their object names.
    std::unique_ptr<Ui::frm_Data> ui;
    formkit::FieldEvents* m_fields;
    StatusArea* m_status;
    DayWindow* m_day = nullptr; // F9, made when first asked for
    QLabel* m_totals; // the route's and the shift's receipts so far, under the grid
    weighing::WindowBusy* m_busy;
    scale::ScaleLink* m_scale = nullptr;
    QString m_scaleState;        // the link's own words for its state
    bool m_addArmed = true;      // Enb's switch
    bool m_weightMoving = false; // a continuous link's weight has not held yet
    weighing::CompanyWork* m_work;
    std::optional<datastore::Village> m_village;
    report::SlipSpooler* m_slips = nullptr;
    qint32 m_lastSlip = 0;   // the receipt F11 prints again
    QString m_scaleSource;   // whose scale settings the link follows, for the status line
    QString m_scaleShown; // what the scale link shows now, empty: no reading
    // A weight typed by hand stands in the weight field until the receipt is added; the scale's
    // reading at the moment it was approved goes into the audit with it.
    std::optional<weighing::ManualWeight> m_manual;
    QString m_manualScaleReading;
    weighing::SupervisorTries m_supervisorTries; // this desk's wrong words in a row
    weighing::frm_ManualWeight* m_manualDialog = nullptr;
    weighing::frm_Correct* m_correctDialog = nullptr;
};

// Brings an already running copy to the front and ends this one; returns only when none runs.
void Activate_PrevInstance();

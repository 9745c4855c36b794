#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

class QDateEdit;
class QLineEdit;
class QSqlQueryModel;
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

// The weighing window: one route's milk for one collection date and shift, village by village.
class frm_Data : public QWidget {
    Q_OBJECT
public:
    explicit frm_Data(QWidget* parent = nullptr);
    ~frm_Data() override;

    // The window's load. Reads the collection date from the date dialog's picker, which is
    // still open. False when another running copy was brought to the front and this one ends.
    bool Form_Load(const QDateEdit* datesPicker);

    // Shift context (frm_Data.cpp)
    void Clear();
    void Enb(int Enb1_Dis2);
    void cmbAP_Click();
    void cmbRoute_Click();
    void cmdExit_Click();
    void Form_Unload();

    // Receipts grid (frm_Data_Grid.cpp)
    void Design();
    void Load_Into_Grid();

    // Village lookup (frm_Data_Lookup.cpp)
    // A key-down in txtVCode (from 1) or txtVName (from 2); true when it opened the panel.
    bool openLookup(quint8 from, int keyCode);
    void fmVill_Visible();
    void Load_Items();
    void VSetFocus();
    void cmdOk_Click();
    void cmdCan_Click();

    // The scale link (frm_Data_Scale.cpp): Get Weight, and the clear command after an Add
    // (the serial and the network link's alike).
    void cmdWeight_Click();
    void Com_Clear();
    void Win_Sock_Clear();
    // The link the station settings chose, or none.
    scale::ScaleLink* scaleLink() const { return m_scale; }

    // Adding and writing a receipt (frm_Data_Add.cpp)
    void cmdAdd_Click();
    bool Save_Data();
    void txtCans_GotFocus();
    void txtCans_KeyPress(int& KeyAscii);
    void txtCans_LostFocus();

    // The status line beside the window's name (scale state, notices, keys).
    StatusArea* statusArea() const { return m_status; }

    Ui::frm_Data* ui;

    // Form-level state
    QString SearchField;
    qint16 SearchLen = 0;
    QString SearchText;
    quint8 VillFrom = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void wireFields();
    void wireLookup();
    void startScaleLink();
    void stopScaleLink();
    void showWeight(const QString& shown);

    formkit::FieldEvents* m_fields;
    StatusArea* m_status;
    scale::ScaleLink* m_scale = nullptr;
    QSqlQueryModel* m_villages;
};

// Puts into Target the vehicle that the route has on CollDate, or empty text.
void Get_RouteVehNo(QLineEdit* Target, qint16 RouteCode, const QDate& CollDate);
// Brings an already running copy to the front and ends this one; returns only when none runs.
void Activate_PrevInstance();

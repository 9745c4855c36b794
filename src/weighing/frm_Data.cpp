#include "frm_Data.h"

#include "ui_frm_Data.h"

#include "formkit/FieldEvents.h"
#include "platform/SerialControl.h"

#include <QCloseEvent>
#include <QSqlQueryModel>
#include <QTcpSocket>
#include <QTimer>

frm_Data::frm_Data(QWidget* parent)
    : QWidget(parent), ui(new Ui::frm_Data), Timer1(new QTimer(this)),
      MSComm1(new platform::SerialControl(this)), Winsock1(new QTcpSocket(this)),
      m_fields(new formkit::FieldEvents(this)), m_villages(new QSqlQueryModel(this))
{
    ui->setupUi(this);
    wireFields();
    wireLookup();
    wireScaleLinks();
}

frm_Data::~frm_Data() { delete ui; }

bool frm_Data::Form_Load(const QDateEdit*) { return true; }
void frm_Data::Clear() {}
void frm_Data::Enb(int) {}
void frm_Data::cmbAP_Click() {}
void frm_Data::cmbRoute_Click() {}
void frm_Data::Timer1_Timer() {}
void frm_Data::cmdExit_Click() {}
void frm_Data::Form_Unload() {}
void frm_Data::closeEvent(QCloseEvent* event) { QWidget::closeEvent(event); }
void frm_Data::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }
void frm_Data::wireFields() {}

void Get_RouteVehNo(QLineEdit*, qint16, const QDate&) {}
void Activate_PrevInstance() {}

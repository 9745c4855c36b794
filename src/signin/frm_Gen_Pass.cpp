#include "frm_Gen_Pass.h"

#include "ui_frm_Gen_Pass.h"

#include "A_Start.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QKeyEvent>
#include <QSqlQuery>
#include <QVariant>

namespace {
const QString kTitle = QString::fromLatin1(platform::kCheckTitle);
} // namespace

frm_Gen_Pass::frm_Gen_Pass(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::frm_Gen_Pass>())
{
    ui->setupUi(this);
    connect(ui->cmdOk, &QPushButton::clicked, this, &frm_Gen_Pass::cmdOk_Click);
    connect(ui->cmdCan, &QPushButton::clicked, this, &frm_Gen_Pass::cmdCan_Click);

    m_fields = new formkit::FieldEvents(this);
    formkit::FieldHandlers user;
    user.gotFocus = [this] { formkit::Sel_All(ui->txtUser); };
    m_fields->on(ui->txtUser, user);

    formkit::FieldHandlers pass;
    pass.gotFocus = [this] { formkit::Sel_All(ui->txtPass); };
    pass.keyPress = formkit::enterRuns([this] { cmdOk_Click(); });
    m_fields->on(ui->txtPass, pass);
}

frm_Gen_Pass::~frm_Gen_Pass() = default;

bool frm_Gen_Pass::load()
{
    Get_ServerPath();
    // Get_ServerPath opens the server-path database once itself; when that failed the
    // program is already ending and nothing more may run.
    if (!Con_SerPath || Con_SerPath->fileName().isEmpty())
        return false;
    if (!OpenSerPath())
        return false;
    Set_MainDsn();
    if (!OpenMain())
        return false;
    offerUser();
    return true;
}

void frm_Gen_Pass::offerUser()
{
    {
        QSqlQuery users = Con_SerPath->run(QStringLiteral("Select * from Users "));
        if (!users.isActive()) {
            datastore::reportQueryError(users);
        } else if (users.next()) {
            const qint64 uid = users.value(QStringLiteral("Uid")).toLongLong();
            QSqlQuery saved =
                Con_Main->run(QStringLiteral("Select * from Pass Where SaveUser = 1 and Uid = ") +
                              QString::number(uid));
            if (!saved.isActive())
                datastore::reportQueryError(saved);
            else if (saved.next())
                ui->txtUser->setText(datastore::Null_Str(saved.value(QStringLiteral("UName"))));
        } else {
            QSqlQuery saved =
                Con_Main->run(QStringLiteral("Select * from Pass Where SaveUser = 1 "));
            if (!saved.isActive())
                datastore::reportQueryError(saved);
            else if (saved.next())
                ui->txtUser->setText(datastore::Null_Str(saved.value(QStringLiteral("Name"))));
        }
    }
    Con_Main->close();
}

void frm_Gen_Pass::cmdOk_Click()
{
    if (ui->txtUser->text().isEmpty()) {
        platform::showMessage(QStringLiteral(" Please Enter User Name"), kTitle);
        formkit::Next_Focus(ui->txtUser);
        return;
    }
    if (ui->txtPass->text().isEmpty()) {
        platform::showMessage(QStringLiteral(" Please Enter Password"), kTitle);
        formkit::Next_Focus(ui->txtPass);
        return;
    }
    if (!OpenMain())
        return;
    bool signedIn = false;
    {
        // The name goes in as typed, blanks included; the stored names compare without
        // regard to case, on a server too (which compares with case unless told otherwise).
        // Bound, so that a name holding a quote is just a name.
        QSqlQuery query =
            Con_Main->run(QStringLiteral("Select * from Pass Where lower(UName) = lower(?)"),
                          {ui->txtUser->text()});
        if (!query.isActive()) {
            datastore::reportQueryError(query);
        } else if (!query.next()) {
            platform::showMessage(QStringLiteral("Wrong User Name"), kTitle);
            formkit::Next_Focus(ui->txtUser);
        } else {
            const QVariant stored = query.value(QStringLiteral("PWD"));
            // A user without a stored password cannot sign in: no password matches nothing.
            if (stored.isNull() || stored.toString() != ui->txtPass->text()) {
                platform::showMessage(QStringLiteral("Wrong Pass Word"), kTitle);
                formkit::Next_Focus(ui->txtPass);
            } else {
                Gen_Uid = qint16(query.value(QStringLiteral("Uid")).toInt());
                Gen_UName = ui->txtUser->text().trimmed();
                signedIn = true;
            }
        }
    }
    Con_Main->close();
    if (signedIn)
        openCompanyWindow();
}

void frm_Gen_Pass::openCompanyWindow()
{
    if (!m_start) {
        m_start = new A_Start(this);
        // The sign-in window goes once the company window is done with, whichever way.
        connect(m_start, &A_Start::finished, this, &QWidget::close);
    }
    m_start->setWindowModality(Qt::ApplicationModal);
    if (!m_start->load())
        return;
    m_start->show();
}

void frm_Gen_Pass::cmdCan_Click()
{
    platform::endProgram();
}

void frm_Gen_Pass::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The password is what the operator types first: the name is usually offered.
    if (!event->spontaneous())
        ui->txtPass->setFocus(Qt::OtherFocusReason);
}

void frm_Gen_Pass::keyPressEvent(QKeyEvent* event)
{
    // Cancel is the window's cancel button.
    if (!formkit::escapePresses(ui->cmdCan, event))
        QWidget::keyPressEvent(event);
}

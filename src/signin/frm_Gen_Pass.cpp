#include "frm_Gen_Pass.h"

#include "ui_frm_Gen_Pass.h"

#include "A_Start.h"
#include "DataErrors.h"
#include "datastore/GenState.h"
#include "datastore/MainQueries.h"
#include "datastore/Roles.h"
#include "datastore/Startup.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "formkit/KeyFilters.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QKeyEvent>
#include <QVariant>
#include <limits>

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
    if (!wentThrough(Get_ServerPath()) || !wentThrough(OpenSerPath()) ||
        !wentThrough(Set_MainDsn()) || !wentThrough(OpenMain()))
        return false;
    const auto offered = datastore::offeredUserName(*Con_SerPath, *Con_Main);
    Con_Main->close();
    // Without an offered name the operator types one.
    if (offered)
        ui->txtUser->setText(*offered);
    else
        platform::showMessage(dataError(offered.error()).text);
    return true;
}

void frm_Gen_Pass::cmdOk_Click()
{
    if (ui->txtUser->text().isEmpty()) {
        platform::showMessage(tr(" Please Enter User Name"), kTitle);
        formkit::Next_Focus(ui->txtUser);
        return;
    }
    if (ui->txtPass->text().isEmpty()) {
        platform::showMessage(tr(" Please Enter Password"), kTitle);
        formkit::Next_Focus(ui->txtPass);
        return;
    }
    if (!wentThrough(OpenMain()))
        return;
    // The name goes in as typed, blanks included.
    const auto user = datastore::userByName(*Con_Main, ui->txtUser->text());
    const auto language = datastore::languageOf(*Con_Main, ui->txtUser->text());
    Con_Main->close();
    if (!user) {
        platform::showMessage(dataError(user.error()).text);
        return;
    }
    if (!*user) {
        platform::showMessage(tr("Wrong User Name"), kTitle);
        formkit::Next_Focus(ui->txtUser);
        return;
    }
    const datastore::SignInUser& found = **user;
    // A user without a stored password cannot sign in: no password matches nothing.
    if (found.password.isNull() || found.password.toString() != ui->txtPass->text()) {
        platform::showMessage(tr("Wrong Pass Word"), kTitle);
        formkit::Next_Focus(ui->txtPass);
        return;
    }
    // The id is kept in 16 bits, as every receipt stores it; a larger one made by another
    // program would be stored as someone else's.
    if (found.uid < std::numeric_limits<qint16>::min() ||
        found.uid > std::numeric_limits<qint16>::max()) {
        platform::showMessage(tr("The user id %1 of %2 is larger than a receipt can store (at "
                                 "most %3). Ask the administrator to give the user a smaller "
                                 "id.")
                                  .arg(found.uid)
                                  .arg(ui->txtUser->text().trimmed())
                                  .arg(std::numeric_limits<qint16>::max()));
        return;
    }
    Gen_Uid = qint16(found.uid);
    Gen_UName = ui->txtUser->text().trimmed();
    speakUsersLanguage(language ? *language : QString());
    openCompanyWindow();
}

void frm_Gen_Pass::speakUsersLanguage(const QString& code)
{
    // Without a language of their own (or one whose file has gone) the desk's locale holds.
    if (code.isEmpty() || !platform::useLanguage(code))
        platform::useLocaleLanguage();
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

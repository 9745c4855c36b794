#include "SupervisorWord.h"

#include "CompanyWork.h"

#include "datastore/GenState.h"
#include "datastore/Roles.h"
#include "datastore/Startup.h"
#include "formkit/FieldEvents.h"
#include "formkit/Focus.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>

namespace weighing {

namespace {
// The part's rows: a caption, then its field, as the dialogs around it lay out theirs.
constexpr int kCaptionWidth = 100;
constexpr int kFieldLeft = 104;
constexpr int kFieldWidth = 160;
constexpr int kRowHeight = 21;
constexpr int kRowStep = 27;
} // namespace

std::optional<QDateTime> SupervisorTries::pausedUntil(const QDateTime& now) const
{
    if (m_pausedUntil && now < *m_pausedUntil)
        return m_pausedUntil;
    return std::nullopt;
}

bool SupervisorTries::wrong(const QDateTime& now)
{
    if (++m_wrongInARow < kTriesBeforePause)
        return false;
    m_wrongInARow = 0;
    m_pausedUntil = now.addSecs(kPause.count());
    return true;
}

SupervisorWord::SupervisorWord(QWidget* parent)
    : QWidget(parent), m_name(new QLineEdit(this)), m_password(new QLineEdit(this))
{
    const auto row = [this](int index, const QString& caption, QLineEdit* field, const char* name) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(0, index * kRowStep + 2, kCaptionWidth, kRowHeight - 4);
        field->setGeometry(kFieldLeft, index * kRowStep, kFieldWidth, kRowHeight);
        field->setObjectName(QLatin1String(name));
        field->setMaxLength(50);
    };
    row(0, tr("Supervisor"), m_name, "txtSupervisor");
    row(1, tr("Password"), m_password, "txtSupPass");
    m_password->setEchoMode(QLineEdit::Password);
    setFixedSize(kFieldLeft + kFieldWidth, kRowStep + kRowHeight);
}

void SupervisorWord::wireKeys(formkit::FieldEvents* fields, std::function<void()> confirm)
{
    for (QLineEdit* box : {m_name, m_password}) {
        formkit::FieldHandlers h;
        h.gotFocus = [box] {
            formkit::Sel_All(box);
            formkit::Fld_GotFocus(box, 0);
        };
        h.lostFocus = [box] { formkit::Fld_LostFocus(box, 0); };
        h.keyPress = box == m_name ? formkit::enterMovesTo(m_password)
                                   : formkit::enterRuns(std::move(confirm));
        fields->on(box, h);
    }
}

QString SupervisorWord::supervisor() const
{
    return m_name->text().trimmed();
}

void SupervisorWord::clear()
{
    m_name->clear();
    m_password->clear();
}

QString SupervisorWord::pausedText(const QDateTime& until)
{
    return tr("Three wrong tries: supervisor approval is paused until %1.")
        .arg(QLocale(QLocale::English).toString(until.time(), QStringLiteral("HH:mm")));
}

void SupervisorWord::check(CompanyWork* work, SupervisorTries* tries, std::function<void()> allowed)
{
    if (const auto until = tries->pausedUntil(platform::now())) {
        platform::showMessage(pausedText(*until));
        formkit::Next_Focus(m_name);
        return;
    }
    if (supervisor().isEmpty() || m_password->text().isEmpty()) {
        QLineEdit* missing = supervisor().isEmpty() ? m_name : m_password;
        platform::showMessage(missing == m_name ? tr("Type the supervisor's name")
                                                : tr("Type the supervisor's password"));
        formkit::Next_Focus(missing);
        return;
    }
    if (m_checking)
        return;
    m_checking = true;
    const QString name = supervisor();
    const QString password = m_password->text();
    QPointer<SupervisorWord> self(this);
    const auto ended = [self] {
        if (self)
            self->m_checking = false;
    };
    // The main database is read as sign-in reads it; a lock held there is waited for as the
    // company year's are.
    work->run(
        [=]() {
            const auto opened = OpenMain();
            if (!opened) {
                ended();
                work->tellOpenFailure(opened.error());
                return Attempt::Done;
            }
            const auto verdict = datastore::checkSupervisor(*Con_Main, name, password);
            Con_Main->close();
            if (verdict.failedWith(datastore::ErrorKind::Busy))
                return Attempt::Busy;
            ended();
            if (!verdict)
                platform::showMessage(tr("Data Error - %1").arg(verdict.errorText()));
            else if (self)
                self->judge(*verdict, tries, allowed);
            return Attempt::Done;
        },
        [ended](std::chrono::milliseconds waited) {
            ended();
            platform::showMessage(tr("The users' database stayed busy for %1 s: nothing was "
                                     "approved. Try again.")
                                      .arg(qRound(waited.count() / 1000.0)));
        });
}

void SupervisorWord::judge(datastore::SupervisorCheck verdict, SupervisorTries* tries,
                           const std::function<void()>& allowed)
{
    switch (verdict) {
    case datastore::SupervisorCheck::Allowed:
        tries->allowed();
        allowed();
        return;
    case datastore::SupervisorCheck::WrongNameOrPassword:
        refused(tr("Wrong supervisor name or password"), tries);
        return;
    case datastore::SupervisorCheck::NotASupervisor:
        refused(tr("%1 is not a supervisor: a supervisor or an administrator types their own "
                   "name and password here.")
                    .arg(supervisor()),
                tries);
        return;
    }
}

void SupervisorWord::refused(const QString& text, SupervisorTries* tries)
{
    const QDateTime now = platform::now();
    const bool paused = tries->wrong(now);
    // Which of the two was wrong is not told: both are typed again.
    m_password->clear();
    platform::showMessage(paused ? pausedText(*tries->pausedUntil(now)) : text);
    formkit::Next_Focus(m_name);
}

} // namespace weighing

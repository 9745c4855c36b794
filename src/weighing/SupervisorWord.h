#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>

class QLineEdit;

namespace datastore {
enum class SupervisorCheck;
}
namespace formkit {
class FieldEvents;
}

namespace weighing {

class CompanyWork;

// Wrong supervisor words given in a row at one desk. The third pauses every approval at the
// desk for a while, so that nobody can try passwords one after another; a word that is allowed
// starts the count again. No window here: the desk asks, these decide.
class SupervisorTries {
public:
    static constexpr int kTriesBeforePause = 3;
    static constexpr std::chrono::seconds kPause{60};

    // Until when approvals are paused, or nothing when they are not.
    std::optional<QDateTime> pausedUntil(const QDateTime& now) const;
    // A word refused at now; true when it is the one that starts a pause.
    bool wrong(const QDateTime& now);
    void allowed() { m_wrongInARow = 0; }

private:
    int m_wrongInARow = 0;
    std::optional<QDateTime> m_pausedUntil;
};

// A supervisor's word inside a dialog: the supervisor's name and password, typed while the
// operator stays signed in. Checked on the main database as sign-in checks a password, plus the
// role; what was wrong is told, and the field to mend gets the focus.
class SupervisorWord : public QWidget {
    Q_OBJECT
public:
    explicit SupervisorWord(QWidget* parent = nullptr);

    QLineEdit* nameField() const { return m_name; }
    // Enter in the name moves to the password; Enter in the password runs confirm.
    void wireKeys(formkit::FieldEvents* fields, std::function<void()> confirm);
    // The name as it goes into the audit: as typed, blanks around it removed.
    QString supervisor() const;
    void clear();

    // Checks the word through the window's work (the main database may be busy too); allowed
    // runs once it passes. Nothing is checked while the desk's approvals are paused.
    void check(CompanyWork* work, SupervisorTries* tries, std::function<void()> allowed);

    static QString pausedText(const QDateTime& until);

private:
    void judge(datastore::SupervisorCheck verdict, SupervisorTries* tries,
               const std::function<void()>& allowed);
    void refused(const QString& text, SupervisorTries* tries);

    QLineEdit* m_name;
    QLineEdit* m_password;
    bool m_checking = false; // a check is under way: Enter again asks nothing more
};

} // namespace weighing

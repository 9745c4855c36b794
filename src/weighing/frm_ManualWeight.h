#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class frm_ManualWeight;
}
namespace formkit {
class FieldEvents;
}

namespace weighing {

class CompanyWork;
class SupervisorTries;

// A weight typed by hand and approved by a supervisor.
struct ManualWeight {
    QString shown; // as the weight field shows a scale's weight ("56.5")
    QString reason;
    QString supervisor;
};

// F6: the weight of cans that the scale cannot weigh, typed by the operator with a reason and
// approved by a supervisor. Opened without waiting; what was approved comes as approved().
class frm_ManualWeight : public QDialog {
    Q_OBJECT
public:
    frm_ManualWeight(CompanyWork* work, SupervisorTries* tries, QWidget* parent);
    ~frm_ManualWeight() override;

    // Opens the dialog empty, for the entry row's cans and what the scale shows now (empty:
    // no reading).
    void begin(const QString& cansText, const QString& scaleNow);

signals:
    void approved(const weighing::ManualWeight& weight);

private:
    void wireKeys();
    void cmdOk_Click();

    std::unique_ptr<Ui::frm_ManualWeight> ui;
    formkit::FieldEvents* m_fields;
    CompanyWork* m_work;
    SupervisorTries* m_tries;
    QString m_cans;
};

} // namespace weighing

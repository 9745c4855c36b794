#pragma once

#include "datastore/ShiftQueries.h"

#include <QDate>
#include <QDialog>
#include <QSqlRecord>
#include <memory>
#include <optional>

namespace Ui {
class frm_Correct;
}
namespace formkit {
class FieldEvents;
}
namespace datastore {
struct AuditWho;
struct ReceiptChange;
} // namespace datastore

namespace weighing {

class CompanyWork;
class SupervisorTries;

// F7: a receipt of the open shift, found by its serial number, corrected (village, animal, milk
// type, cans; never the weight) or cancelled, with a reason and a supervisor's word. Opened
// without waiting; changed() follows a receipt that was written.
class frm_Correct : public QDialog {
    Q_OBJECT
public:
    frm_Correct(CompanyWork* work, SupervisorTries* tries, QWidget* parent);
    ~frm_Correct() override;

    // Opens the dialog empty for the window's date and shift.
    void begin(const QDate& date, int shift);

signals:
    void changed();
    // A receipt was corrected (after changed()): its slip is printed again.
    void corrected(qint32 refNo);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void wireKeys();
    void wireLookup();
    void fillLists();
    void txtSerial_Enter();
    void showReceipt(const QSqlRecord& receipt);
    void showStored(const QString& weight);
    void forgetReceipt();
    void chooseVillage(const datastore::Village& village);
    std::optional<datastore::ReceiptChange> changeTyped();
    void cmdCorrect_Click();
    void cmdCancelReceipt_Click();
    // Asks the supervisor, then writes through the window's work and tells what was done.
    using Write = std::function<datastore::Result<datastore::Done>(datastore::Connection&,
                                                                   const datastore::AuditWho&)>;
    // corrected: the receipt whose slip goes again once written; 0 for none.
    void approveAndWrite(const QString& done, Write write, qint32 corrected);

    std::unique_ptr<Ui::frm_Correct> ui;
    formkit::FieldEvents* m_fields;
    CompanyWork* m_work;
    SupervisorTries* m_tries;
    QDate m_date;
    int m_shift = 0;
    QHash<int, QString> m_routes; // RTRefNo -> RTType
    std::optional<QSqlRecord> m_receipt;
    datastore::Village m_village;
    bool m_writing = false;
};

} // namespace weighing

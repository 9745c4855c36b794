#pragma once

#include "datastore/Audit.h"
#include "datastore/Connection.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>
#include <chrono>
#include <memory>
#include <optional>

namespace datastore {
class WriteTransaction;
}

namespace weighing {

// Add's checks, in the order they run; the first that fails ends Add.
enum class AddCheck {
    Passed,
    NoRoute,    // "Select Route"
    NoVillage,  // "Select Village Code/Name"
    NoCans,     // "Enter Received Cans"
    NoWeight,   // "Please Get Milk Weight"
    CansTooFew, // "Please Verify Cans": more than kMaxWeightPerCan a can
};

// A can holds at most this much milk, in the scale's unit; exactly this much is accepted.
constexpr double kMaxWeightPerCan = 45.0;

// Judges the entry row as Add sees it: whether a route is chosen, the chosen village's
// reference (0 for none) and the texts of txtCans and txtWeight, each taken by its numeric value.
AddCheck checkReceipt(bool routeSelected, qint32 villageRef, const QString& cansText,
                      const QString& weightText);
// The operator's message for a failed check (empty text for Passed).
QString checkMessage(AddCheck check);

// A weight typed by hand when the scale cannot weigh: a number above 0 in the form the scale's
// weight is shown in (at most one decimal), and no more than the cans hold once they are typed.
// Empty text when it may stand, else the operator's message.
QString manualWeightProblem(const QString& typed, const QString& cansText);
constexpr int kManualWeightLength = 6; // "9999.9"

// What the weighing window shows for one receipt when Add is pressed.
struct ReceiptEntry {
    QDate date;         // collection date
    qint32 shift = 0;   // 2 AM, 3 PM
    qint32 route = 0;   // RTRefNo
    qint32 village = 0; // VRefNo of the chosen village
    qint32 animal = 0;  // ACode
    qint32 milk = 0;    // MCode
    double cans = 0;
    double weight = 0;
    qint16 uid = 0;
    QString uname;
    QTime colTime;   // when the receipt was added
    QString truckNo; // trimmed when written
    QTime schTime;
    QTime arrTime;
    double truckKmr = 0;
    double truckRecAmt = 0;
    QString truckRemarks; // trimmed when written
    // A weight typed by hand: its audit row, stored with the receipt in one transaction (the
    // receipt's numbers and row are filled in there).
    std::optional<datastore::AuditEntry> manualAudit;
};

struct ReceiptNumbers {
    qint32 refNo = 0;
    qint32 dlySlNo = 0;
};

// The numbers of the stored row, or why it was not stored (busy: the database stayed busy).
using WriteResult = datastore::Result<ReceiptNumbers>;

// A receipt meets a database that another desk or program is using: it waits this long in all
// for the write lock and for readers to let its commit through, then gives up.
constexpr std::chrono::seconds kWriteWaitLimit{30};
// Between two tries it pauses a random time in this range, so that desks waiting at once do
// not keep meeting each other and none waits for ever behind the others.
constexpr std::chrono::milliseconds kRetryPauseShortest{2};
constexpr std::chrono::milliseconds kRetryPauseLongest{25};
// A try itself waits no longer than this inside the database engine.
constexpr std::chrono::milliseconds kLockTryWait{0};

// A pause between two tries, drawn from the range above.
std::chrono::milliseconds retryPause();

// One receipt being written to an open connection, one try at a time, so that the caller
// decides how to wait between tries. Both running numbers are read and the row stored inside
// one write transaction, so another desk cannot take the same numbers in between and a failure
// or a give-up leaves nothing behind.
class ReceiptWrite {
public:
    enum class Step { Stored, Busy, Failed };

    ReceiptWrite(datastore::Connection& con, const ReceiptEntry& entry);
    ~ReceiptWrite();
    ReceiptWrite(const ReceiptWrite&) = delete;
    ReceiptWrite& operator=(const ReceiptWrite&) = delete;

    // Takes the lock, stores the row and commits, going as far as the database lets it now.
    Step tryOnce();
    // Ends a write that stayed busy: rolled back, the reason in the result.
    void giveUp(const QString& why);
    WriteResult result() const;
    // What the database said last (why the last try was busy or failed).
    QString lastError() const { return m_error; }
    // Whether a commit has been sent: after that a failure may have stored the row all the same,
    // and the write must not be tried again on another connection.
    bool commitTried() const { return m_commitTried; }

private:
    Step fail(const QString& why);
    Step busy();
    // The manual weight's audit row beside the stored row, inside the same transaction.
    std::optional<QString> auditManualWeight(const ReceiptNumbers& numbers);

    datastore::Connection& m_con;
    ReceiptEntry m_entry;
    std::unique_ptr<datastore::WriteTransaction> m_transaction;
    std::optional<ReceiptNumbers> m_rowNumbers; // set once the row is in the transaction
    std::optional<ReceiptNumbers> m_stored;     // set once it is committed
    bool m_commitTried = false;
    datastore::ErrorKind m_errorKind = datastore::ErrorKind::Other;
    QString m_error;
};

// The reason told when a write gave up waiting: the last thing the database said.
QString busyReason(std::chrono::milliseconds waited, const QString& lastError);

// Appends one Data_Wght row on an open connection to the company-year database, waiting (this
// thread sleeps) up to `limit` for another desk or program to let it through.
WriteResult writeReceipt(datastore::Connection& con, const ReceiptEntry& entry,
                         std::chrono::milliseconds limit = kWriteWaitLimit);

} // namespace weighing

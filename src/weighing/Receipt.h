#pragma once

#include "datastore/Connection.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>
#include <optional>

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

// Judges the entry row as Add sees it: whether a route is chosen, the village tag of txtVCode
// ("0" for none) and the texts of txtCans and txtWeight, each taken by its numeric value.
AddCheck checkReceipt(bool routeSelected, const QString& villageTag, const QString& cansText,
                      const QString& weightText);
// The operator's message for a failed check (empty text for Passed).
QString checkMessage(AddCheck check);

// What the weighing window shows for one receipt when Add is pressed.
struct ReceiptEntry {
    QDate date;         // collection date
    qint32 shift = 0;   // 2 AM, 3 PM
    qint32 route = 0;   // RTRefNo
    double village = 0; // VRefNo, the numeric value of txtVCode's tag
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
};

struct ReceiptNumbers {
    qint32 refNo = 0;
    qint32 dlySlNo = 0;
};

struct WriteResult {
    std::optional<ReceiptNumbers> numbers; // set only when the row was stored
    QString error;                         // why it was not, otherwise empty
    bool stored() const { return numbers.has_value(); }
};

// The DlySlNo condition: every route's receipts of the date and shift, the date bound to its
// "?" (a server has no CDate and reads no date text of ours).
QString shiftCondition(qint32 shift);

// Appends one Data_Wght row on an open connection to the company-year database. Both running
// numbers are read and the row stored inside one write transaction, so another desk cannot
// take the same numbers in between and a failure leaves nothing behind.
WriteResult writeReceipt(datastore::Connection& con, const ReceiptEntry& entry);

} // namespace weighing

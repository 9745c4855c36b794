#pragma once

#include "Connection.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <optional>

// Correcting and cancelling a stored receipt: the row changed in place or removed, and its audit
// row, in one write transaction. The weight is never changed.
namespace datastore {

// The most a can holds, as the Add checks a receipt's cans against its weight.
constexpr double kMaxWeightPerCan = 45.0;

// What changes; an empty field stays as it is.
struct ReceiptChange {
    std::optional<qint32> vRefNo, aCode, mCode;
    std::optional<double> cans;
};

struct AuditWho {
    QString askedBy, allowedBy, reason, desk;
};

// The receipt's whole Data_Wght row, or none.
Result<std::optional<QSqlRecord>> receiptBySerial(Connection& company, QDate date, int amPm,
                                                  qint32 dlySlNo);
Result<std::optional<QSqlRecord>> receiptByRef(Connection& company, qint32 refNo);

// Why the change cannot be made to that row (a village not on the receipt's route, an animal or
// milk type that is not there, cans out of range, nothing that differs), or empty text.
Result<QString> changeProblem(Connection& company, const QSqlRecord& row,
                              const ReceiptChange& change);

// Each in one write transaction: the row and its audit row, or nothing. Another connection's
// lock comes back as ErrorKind::Busy with nothing changed (try again); a receipt that is not
// there, or a change refused (see changeProblem), as ErrorKind::Other with the reason.
Result<Done> correctReceipt(Connection& company, qint32 refNo, const ReceiptChange& change,
                            const AuditWho& who);
Result<Done> cancelReceipt(Connection& company, qint32 refNo, const AuditWho& who);

} // namespace datastore

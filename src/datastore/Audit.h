#pragma once

#include "Connection.h"

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <QVector>

// The audit of a company year (Tv_Audit): every weight typed by hand, every correction and every
// cancellation of a receipt, one row each, written in the same transaction as the receipt and
// never changed or removed afterwards.
namespace datastore {

enum class AuditKind { Manual, Correct, Cancel };

// "manual", "correct", "cancel": as stored.
QString auditKindName(AuditKind kind);

struct AuditEntry {
    AuditKind kind = AuditKind::Manual;
    qint32 refNo = 0;
    QDate refDate;
    int amPm = 0;
    qint32 dlySlNo = 0;
    QString rowBefore;    // the receipt's row as it was (rowJson); empty for a manual weight
    QString rowAfter;     // as it is now; empty for a cancellation
    QString scaleReading; // a manual weight: what the scale showed then, empty for nothing
    QString askedBy;
    QString allowedBy;
    QString reason;
    QString desk; // empty: this computer's host name
    QDateTime at; // invalid: now, from the clock
};

// The statements that make Tv_Audit and its indexes on that engine (IF NOT EXISTS).
QStringList auditTableStatements(Connection::Engine engine);
// Creates Tv_Audit and its indexes when they are not there yet.
Result<Done> ensureAuditTable(Connection& company);

// One row more, inside the caller's write transaction.
Result<Done> appendAudit(Connection& company, const AuditEntry& entry);

// Every row of receipts dated from..to, oldest act first. None when the table is not there.
Result<QVector<AuditEntry>> auditBetween(Connection& company, QDate from, QDate to);

// RefNo -> 'M' (weight typed by hand) or 'C' (corrected; wins over 'M').
Result<QHash<qint32, QChar>> receiptMarks(Connection& company, QDate date, int amPm);
Result<QHash<qint32, QChar>> receiptMarksBetween(Connection& company, QDate from, QDate to);

struct CancelledReceipt {
    qint32 refNo = 0, dlySlNo = 0, rtRefNo = 0, vRefNo = 0;
    double cans = 0, weight = 0;
    QString reason, allowedBy;
};
// The shift's cancelled receipts, as they were when cancelled, in serial order.
Result<QVector<CancelledReceipt>> cancelledInShift(Connection& company, QDate date, int amPm);

// A receipt's row as a compact JSON object of its columns (named as Data_Wght names them).
QString rowJson(const QSqlRecord& row);

} // namespace datastore

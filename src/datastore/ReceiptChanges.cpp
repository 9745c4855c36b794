#include "ReceiptChanges.h"

#include "Audit.h"
#include "WriteTransaction.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace datastore {
namespace {
Result<std::optional<QSqlRecord>> firstRow(Connection& con, const QString& statement,
                                           const QVariantList& values)
{
    auto rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    if (!rs->next())
        return std::optional<QSqlRecord>();
    return std::optional<QSqlRecord>(rs->record());
}

Result<bool> exists(Connection& con, const QString& statement, const QVariantList& values)
{
    auto rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    return rs->next();
}

// A master that must be there for a changed code; empty text when it is (or is not changed).
Result<QString> missingMaster(Connection& con, const std::optional<qint32>& code,
                              const QString& statement, const QVariantList& values,
                              const QString& what)
{
    if (!code)
        return QString();
    const auto found = exists(con, statement, values);
    if (!found)
        return found.error();
    return *found ? QString() : what;
}

bool differs(const QSqlRecord& row, const char* column, const std::optional<qint32>& value)
{
    return value && row.value(QLatin1String(column)).toLongLong() != *value;
}

// A change refused, or the receipt not there: nothing to retry.
Error refused(const QString& why)
{
    return error(ErrorKind::Other, why);
}

// Begins the write (a lock met comes back busy at once) and reads the receipt's row in it.
Result<QSqlRecord> lockedReceipt(Connection& con, WriteTransaction& transaction, qint32 refNo)
{
    const LockTry begun = transaction.tryBegin();
    if (begun != LockTry::Done)
        return error(begun == LockTry::Busy ? ErrorKind::Busy : ErrorKind::Other,
                     transaction.error());
    auto row = receiptByRef(con, refNo);
    if (!row)
        return row.error();
    if (!*row)
        return refused(
            QCoreApplication::translate("ReceiptChanges", "there is no receipt with RefNo %1")
                .arg(refNo));
    return **row;
}

Result<Done> finish(WriteTransaction& transaction)
{
    const LockTry committed = transaction.tryCommit();
    if (committed == LockTry::Done)
        return Done{};
    const QString why = transaction.error();
    transaction.rollback();
    return error(committed == LockTry::Busy ? ErrorKind::Busy : ErrorKind::Other, why);
}

AuditEntry entryFor(AuditKind kind, const QSqlRecord& before, const AuditWho& who)
{
    AuditEntry entry;
    entry.kind = kind;
    entry.refNo = before.value(QStringLiteral("RefNo")).toInt();
    const QVariant date = before.value(QStringLiteral("RefDate"));
    entry.refDate = date.typeId() == QMetaType::QDate
                        ? date.toDate()
                        : QDate::fromString(date.toString().left(10), Qt::ISODate);
    entry.amPm = before.value(QStringLiteral("AmPm")).toInt();
    entry.dlySlNo = before.value(QStringLiteral("DlySlNo")).toInt();
    entry.rowBefore = rowJson(before);
    entry.askedBy = who.askedBy;
    entry.allowedBy = who.allowedBy;
    entry.reason = who.reason;
    entry.desk = who.desk;
    return entry;
}

Result<Done> checkWho(const AuditWho& who)
{
    if (who.reason.trimmed().isEmpty())
        return refused(QCoreApplication::translate("ReceiptChanges", "a reason is required"));
    if (who.allowedBy.trimmed().isEmpty())
        return refused(QCoreApplication::translate("ReceiptChanges", "a supervisor is required"));
    return Done{};
}
} // namespace

Result<std::optional<QSqlRecord>> receiptBySerial(Connection& company, QDate date, int amPm,
                                                  qint32 dlySlNo)
{
    return firstRow(company,
                    QStringLiteral("SELECT * FROM Data_Wght WHERE RefDate = ? AND AmPm = ? AND "
                                   "DlySlNo = ?"),
                    {date, amPm, dlySlNo});
}

Result<std::optional<QSqlRecord>> receiptByRef(Connection& company, qint32 refNo)
{
    return firstRow(company, QStringLiteral("SELECT * FROM Data_Wght WHERE RefNo = ?"), {refNo});
}

Result<QString> changeProblem(Connection& con, const QSqlRecord& row, const ReceiptChange& change)
{
    if (change.cans && !(*change.cans > 0))
        return QCoreApplication::translate("ReceiptChanges", "the cans must be more than 0");
    const double weight = row.value(QStringLiteral("MWeight")).toDouble();
    if (change.cans && weight > kMaxWeightPerCan * *change.cans)
        return QCoreApplication::translate("ReceiptChanges", "%1 cans cannot hold %2")
            .arg(*change.cans)
            .arg(weight);
    const bool cansDiffer =
        change.cans &&
        std::abs(row.value(QStringLiteral("CansRecd")).toDouble() - *change.cans) > 1e-9;
    if (!differs(row, "VRefNo", change.vRefNo) && !differs(row, "ACode", change.aCode) &&
        !differs(row, "MCode", change.mCode) && !cansDiffer)
        return QCoreApplication::translate("ReceiptChanges", "nothing to change");
    const qint32 route = row.value(QStringLiteral("RtRefNo")).toInt();
    const std::pair<std::optional<qint32>, QString> checks[] = {
        {change.vRefNo, QCoreApplication::translate(
                            "ReceiptChanges", "village %1 is not an active village of route %2")
                            .arg(change.vRefNo.value_or(0))
                            .arg(route)},
        {change.aCode, QCoreApplication::translate("ReceiptChanges", "there is no animal %1")
                           .arg(change.aCode.value_or(0))},
        {change.mCode, QCoreApplication::translate("ReceiptChanges", "there is no milk type %1")
                           .arg(change.mCode.value_or(0))},
    };
    const QString statements[] = {
        QStringLiteral("SELECT 1 FROM Mast_Villages WHERE VRefNo = ? AND RtRefNo = ? AND "
                       "COALESCE(InAct, 0) <> 1"),
        QStringLiteral("SELECT 1 FROM Mast_Animal WHERE ACode = ?"),
        QStringLiteral("SELECT 1 FROM Mast_Milk WHERE MCode = ?"),
    };
    for (int i = 0; i < 3; ++i) {
        QVariantList values{checks[i].first.value_or(0)};
        if (i == 0)
            values << route;
        const auto missing =
            missingMaster(con, checks[i].first, statements[i], values, checks[i].second);
        if (!missing || !missing->isEmpty())
            return missing;
    }
    return QString();
}

Result<Done> correctReceipt(Connection& company, qint32 refNo, const ReceiptChange& change,
                            const AuditWho& who)
{
    const auto whoKnown = checkWho(who);
    if (!whoKnown)
        return whoKnown;
    WriteTransaction transaction(company, WriteTransaction::Deferred{},
                                 QStringLiteral("Data_Wght"));
    const auto before = lockedReceipt(company, transaction, refNo);
    if (!before)
        return before.error();
    const auto problem = changeProblem(company, *before, change);
    if (!problem)
        return problem.error();
    if (!problem->isEmpty())
        return refused(*problem);
    auto updated = company.exec(
        QStringLiteral("UPDATE Data_Wght SET VRefNo = COALESCE(?, VRefNo), ACode = COALESCE(?, "
                       "ACode), MCode = COALESCE(?, MCode), CansRecd = COALESCE(?, CansRecd) "
                       "WHERE RefNo = ?"),
        {change.vRefNo ? QVariant(*change.vRefNo) : QVariant(QMetaType(QMetaType::Int)),
         change.aCode ? QVariant(*change.aCode) : QVariant(QMetaType(QMetaType::Int)),
         change.mCode ? QVariant(*change.mCode) : QVariant(QMetaType(QMetaType::Int)),
         change.cans ? QVariant(*change.cans) : QVariant(QMetaType(QMetaType::Double)), refNo});
    if (!updated)
        return updated.error();
    const auto after = receiptByRef(company, refNo);
    if (!after)
        return after.error();
    AuditEntry entry = entryFor(AuditKind::Correct, *before, who);
    entry.rowAfter = *after ? rowJson(**after) : QString();
    const auto audited = appendAudit(company, entry);
    if (!audited)
        return audited;
    return finish(transaction);
}

Result<Done> cancelReceipt(Connection& company, qint32 refNo, const AuditWho& who)
{
    const auto whoKnown = checkWho(who);
    if (!whoKnown)
        return whoKnown;
    WriteTransaction transaction(company, WriteTransaction::Deferred{},
                                 QStringLiteral("Data_Wght"));
    const auto before = lockedReceipt(company, transaction, refNo);
    if (!before)
        return before.error();
    auto removed = company.exec(QStringLiteral("DELETE FROM Data_Wght WHERE RefNo = ?"), {refNo});
    if (!removed)
        return removed.error();
    const auto audited = appendAudit(company, entryFor(AuditKind::Cancel, *before, who));
    if (!audited)
        return audited;
    return finish(transaction);
}

} // namespace datastore

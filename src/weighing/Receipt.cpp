#include "Receipt.h"

#include "datastore/DataWght.h"
#include "datastore/NextNumbers.h"
#include "datastore/ReceiptChanges.h"
#include "datastore/WriteTransaction.h"
#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

namespace weighing {

AddCheck checkReceipt(bool routeSelected, qint32 villageRef, const QString& cansText,
                      const QString& weightText)
{
    if (!routeSelected)
        return AddCheck::NoRoute;
    if (villageRef == 0)
        return AddCheck::NoVillage;
    const double cans = formkit::numericValue(cansText);
    if (cans <= 0)
        return AddCheck::NoCans;
    const double weight = formkit::numericValue(weightText);
    if (weight <= 0)
        return AddCheck::NoWeight;
    if (weight > kMaxWeightPerCan * cans)
        return AddCheck::CansTooFew;
    return AddCheck::Passed;
}

QString checkMessage(AddCheck check)
{
    switch (check) {
    case AddCheck::Passed:
        break;
    case AddCheck::NoRoute:
        return QCoreApplication::translate("weighing", "Select Route");
    case AddCheck::NoVillage:
        return QCoreApplication::translate("weighing", "Select Village Code/Name");
    case AddCheck::NoCans:
        return QCoreApplication::translate("weighing", "Enter Received Cans");
    case AddCheck::NoWeight:
        return QCoreApplication::translate("weighing", "Please Get Milk Weight");
    case AddCheck::CansTooFew:
        return QCoreApplication::translate("weighing", "Please Verify Cans");
    }
    return QString();
}

QString manualWeightProblem(const QString& typed, const QString& cansText)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,4}(\\.[0-9])?$"));
    const double weight = formkit::numericValue(typed);
    if (!form.match(typed.trimmed()).hasMatch() || weight <= 0)
        return QCoreApplication::translate("weighing", "Type the weight as the scale shows it: a "
                                                       "number above 0, one decimal at most");
    const double cans = formkit::numericValue(cansText);
    if (cans > 0 && weight > kMaxWeightPerCan * cans)
        return checkMessage(AddCheck::CansTooFew);
    return QString();
}

namespace {
// In the order of datastore::kDataWghtColumns.
QVariantList rowValues(const ReceiptEntry& entry, const ReceiptNumbers& numbers)
{
    return {
        numbers.refNo,
        entry.date,
        entry.shift,
        entry.route,
        entry.village,
        entry.animal,
        entry.milk,
        numbers.dlySlNo,
        entry.cans,
        entry.weight,
        int(entry.uid),
        entry.uname,
        0,
        formkit::timeText(entry.colTime),
        entry.truckNo.trimmed(),
        formkit::timeText(entry.schTime),
        formkit::timeText(entry.arrTime),
        entry.truckKmr,
        entry.truckRecAmt,
        entry.truckRemarks.trimmed(),
    };
}
} // namespace

std::chrono::milliseconds retryPause()
{
    const auto span = kRetryPauseLongest - kRetryPauseShortest;
    return kRetryPauseShortest +
           std::chrono::milliseconds(QRandomGenerator::global()->bounded(qint64(span.count()) + 1));
}

ReceiptWrite::ReceiptWrite(datastore::Connection& con, const ReceiptEntry& entry)
    : m_con(con), m_entry(entry)
{
    if (m_con.isOpen()) {
        datastore::setLockWait(m_con, kLockTryWait);
        m_transaction = std::make_unique<datastore::WriteTransaction>(
            m_con, datastore::WriteTransaction::Deferred{}, QStringLiteral("Data_Wght"));
    }
}

ReceiptWrite::~ReceiptWrite() = default;

ReceiptWrite::Step ReceiptWrite::fail(const QString& why)
{
    m_error = why;
    m_errorKind = datastore::ErrorKind::Other;
    if (m_transaction)
        m_transaction->rollback();
    m_rowNumbers.reset();
    return Step::Failed;
}

ReceiptWrite::Step ReceiptWrite::tryOnce()
{
    if (m_stored)
        return Step::Stored;
    if (!m_transaction)
        return fail(QCoreApplication::translate("weighing", "the company database is not open"));
    const datastore::LockTry begun = m_transaction->tryBegin();
    if (begun != datastore::LockTry::Done)
        return begun == datastore::LockTry::Busy ? busy() : fail(m_transaction->error());
    if (!m_rowNumbers) {
        const auto next = datastore::nextReceiptNumbers(m_con, m_entry.date, m_entry.shift);
        if (!next)
            return fail(next.errorText());
        const ReceiptNumbers numbers{next->refNo, next->dlySlNo};
        QSqlQuery insert = m_con.run(datastore::dataWghtInsert(), rowValues(m_entry, numbers));
        if (!insert.isActive())
            return fail(datastore::describeError(insert));
        if (const auto problem = auditManualWeight(numbers))
            return fail(*problem);
        m_rowNumbers = numbers;
    }
    m_commitTried = true;
    const datastore::LockTry committed = m_transaction->tryCommit();
    if (committed == datastore::LockTry::Busy)
        return busy();
    if (committed == datastore::LockTry::Failed)
        return fail(m_transaction->error());
    m_stored = m_rowNumbers;
    m_error.clear();
    return Step::Stored;
}

std::optional<QString> ReceiptWrite::auditManualWeight(const ReceiptNumbers& numbers)
{
    if (!m_entry.manualAudit)
        return std::nullopt;
    datastore::AuditEntry audit = *m_entry.manualAudit;
    audit.kind = datastore::AuditKind::Manual;
    audit.refNo = numbers.refNo;
    audit.refDate = m_entry.date;
    audit.amPm = m_entry.shift;
    audit.dlySlNo = numbers.dlySlNo;
    const auto stored = datastore::receiptByRef(m_con, numbers.refNo);
    if (!stored)
        return stored.errorText();
    if (*stored)
        audit.rowAfter = datastore::rowJson(**stored);
    const auto appended = datastore::appendAudit(m_con, audit);
    if (!appended)
        return appended.errorText();
    return std::nullopt;
}

ReceiptWrite::Step ReceiptWrite::busy()
{
    m_error = m_transaction->error();
    m_errorKind = datastore::ErrorKind::Busy;
    return Step::Busy;
}

WriteResult ReceiptWrite::result() const
{
    if (m_stored)
        return *m_stored;
    return datastore::Error{m_errorKind, m_error};
}

void ReceiptWrite::giveUp(const QString& why)
{
    fail(why);
    // It gave up because the database stayed busy.
    m_errorKind = datastore::ErrorKind::Busy;
}

QString busyReason(std::chrono::milliseconds waited, const QString& lastError)
{
    return QCoreApplication::translate("weighing", "The database stayed busy for %1 s: another "
                                                   "desk or program is using it.\n\n%2")
        .arg(qRound(waited.count() / 1000.0))
        .arg(lastError);
}

WriteResult writeReceipt(datastore::Connection& con, const ReceiptEntry& entry,
                         std::chrono::milliseconds limit)
{
    ReceiptWrite write(con, entry);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const ReceiptWrite::Step step = write.tryOnce();
        if (step != ReceiptWrite::Step::Busy)
            break;
        if (waited.elapsed() >= limit.count()) {
            write.giveUp(
                busyReason(std::chrono::milliseconds(waited.elapsed()), write.lastError()));
            break;
        }
        QThread::msleep(quint64(retryPause().count()));
    }
    return write.result();
}

} // namespace weighing

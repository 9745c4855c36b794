#include "NextNumbers.h"

#include "Roles.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

namespace datastore {
std::optional<qint32> nextAfter(const QVariant& largest)
{
    if (largest.isNull())
        return 1;
    const qint64 next = qint64(largest.toDouble()) + 1;
    if (next > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return next < 1 ? 1 : qint32(next);
}

Result<NextReceiptNumbers> nextReceiptNumbers(Connection& company, const QDate& date, int amPm)
{
    // An installation made before cancelling existed has no Tv_Audit: nothing was cancelled.
    const auto audited = hasTable(company, QStringLiteral("Tv_Audit"));
    if (!audited)
        return audited.error();
    // Every largest number in one round trip: it runs under the write lock of each Add.
    const QString shift = QStringLiteral("RefDate = ? AND AmPm = ?");
    QStringList largest{QStringLiteral("(SELECT Max(RefNo) FROM Data_Wght)"),
                        QStringLiteral("(SELECT Max(DlySlNo) FROM Data_Wght WHERE %1)").arg(shift)};
    QVariantList values{date, amPm};
    if (*audited) {
        largest << QStringLiteral("(SELECT Max(RefNo) FROM Tv_Audit WHERE Kind = 'cancel')")
                << QStringLiteral("(SELECT Max(DlySlNo) FROM Tv_Audit WHERE Kind = 'cancel' AND "
                                  "%1)")
                       .arg(shift);
        values << date << amPm;
    }
    auto rs = company.exec(QStringLiteral("SELECT ") + largest.join(QStringLiteral(", ")), values);
    if (!rs)
        return rs.error();
    if (!rs->next())
        return error(ErrorKind::Other, describeError(*rs));
    const auto larger = [&](int column) {
        const QVariant stored = rs->value(column);
        const QVariant cancelled = *audited ? rs->value(column + 2) : QVariant();
        return cancelled.isNull() || (!stored.isNull() && stored.toDouble() >= cancelled.toDouble())
                   ? stored
                   : cancelled;
    };
    const auto refNo = nextAfter(larger(0));
    const auto dlySlNo = nextAfter(larger(1));
    if (!refNo || !dlySlNo)
        return error(
            ErrorKind::Other,
            QCoreApplication::translate(
                "NextNumbers", "%1 of Data_Wght has reached the largest number it can hold")
                .arg(refNo ? QStringLiteral("DlySlNo") : QStringLiteral("RefNo")));
    return NextReceiptNumbers{*refNo, *dlySlNo};
}
} // namespace datastore

#include "NextNumbers.h"

#include "Roles.h"
#include "Startup.h"

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

namespace {
// Largest of the stored receipts' column and of the cancelled receipts' column, plus 1.
Result<qint32> nextOf(Connection& con, const QString& column, const QString& condition,
                      const QVariantList& values, bool withCancelled)
{
    QString statement =
        QStringLiteral("SELECT Max(%1) AS N FROM Data_Wght %2").arg(column, condition);
    QVariantList bound = values;
    if (withCancelled) {
        statement = QStringLiteral("SELECT Max(N) AS N FROM (%1 UNION ALL SELECT Max(%2) AS N FROM "
                                   "Tv_Audit %3 %4 Kind = 'cancel') AS Numbers")
                        .arg(statement, column, condition,
                             condition.isEmpty() ? QStringLiteral("WHERE") : QStringLiteral("AND"));
        bound += values;
    }
    auto rs = con.exec(statement, bound);
    if (!rs)
        return rs.error();
    if (!rs->next())
        return error(ErrorKind::Other, describeError(*rs));
    const auto next = nextAfter(rs->value(0));
    if (!next)
        return error(ErrorKind::Other,
                     QStringLiteral("%1 of Data_Wght has reached the largest number it can hold")
                         .arg(column));
    return *next;
}
} // namespace

Result<NextReceiptNumbers> nextReceiptNumbers(Connection& company, const QDate& date, int amPm)
{
    // An installation made before cancelling existed has no Tv_Audit: nothing was cancelled.
    const auto audited = hasTable(company, QStringLiteral("Tv_Audit"));
    if (!audited)
        return audited.error();
    const auto refNo = nextOf(company, QStringLiteral("RefNo"), QString(), {}, *audited);
    if (!refNo)
        return refNo.error();
    const auto dlySlNo =
        nextOf(company, QStringLiteral("DlySlNo"), QStringLiteral("WHERE RefDate = ? AND AmPm = ?"),
               {date, amPm}, *audited);
    if (!dlySlNo)
        return dlySlNo.error();
    return NextReceiptNumbers{*refNo, *dlySlNo};
}
} // namespace datastore

datastore::Result<qint32> Max_No_Cond(const QString& Table, const QString& Field,
                                      const QString& Cond, datastore::Connection& con,
                                      const QVariantList& values)
{
    const QString statement = QStringLiteral("Select Max(") + Field +
                              QStringLiteral(")as N from ") + Table + QStringLiteral("  ") + Cond;
    auto rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    if (!rs->next())
        return datastore::error(datastore::ErrorKind::Other, datastore::describeError(*rs));
    const auto next = datastore::nextAfter(rs->value(QStringLiteral("N")));
    if (!next)
        return datastore::error(
            datastore::ErrorKind::Other,
            QStringLiteral("%1 of %2 has reached the largest number it can hold")
                .arg(Field, Table));
    return *next;
}

datastore::Result<qint32> Max_No(const QString& Table, const QString& Field,
                                 datastore::Connection& con)
{
    return Max_No_Cond(Table, Field, QString(), con);
}

datastore::Result<qint32> Max_No_Cond(const QString& Table, const QString& Field,
                                      const QString& Cond, bool IsOpen,
                                      std::unique_ptr<datastore::Connection>& Con)
{
    if (!IsOpen || !Con) {
        Con = std::make_unique<datastore::Connection>();
        const auto opened = OpenMst(*Con);
        if (!opened)
            return opened.error();
    }
    return Max_No_Cond(Table, Field, Cond, *Con);
}

datastore::Result<qint32> Max_No(const QString& Table, const QString& Field, bool IsOpen,
                                 std::unique_ptr<datastore::Connection>& Con)
{
    return Max_No_Cond(Table, Field, QString(), IsOpen, Con);
}

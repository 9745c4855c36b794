#include "NextNumbers.h"

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
            QStringLiteral("%1 of %2 has reached the largest number it can hold").arg(Field, Table));
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

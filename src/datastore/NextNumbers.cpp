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

std::optional<qint32> Max_No_Cond(const QString& Table, const QString& Field, const QString& Cond,
                                  datastore::Connection& con, QString* error,
                                  const QVariantList& values)
{
    const QString statement = QStringLiteral("Select Max(") + Field +
                              QStringLiteral(")as N from ") + Table + QStringLiteral("  ") + Cond;
    QSqlQuery query = con.run(statement, values);
    if (!query.isActive() || !query.next()) {
        if (error)
            *error = datastore::describeError(query);
        return std::nullopt;
    }
    const auto next = datastore::nextAfter(query.value(QStringLiteral("N")));
    if (!next && error)
        *error =
            QStringLiteral("%1 of %2 has reached the largest number it can hold").arg(Field, Table);
    return next;
}

std::optional<qint32> Max_No(const QString& Table, const QString& Field, datastore::Connection& con,
                             QString* error)
{
    return Max_No_Cond(Table, Field, QString(), con, error);
}

std::optional<qint32> Max_No_Cond(const QString& Table, const QString& Field, const QString& Cond,
                                  bool IsOpen, std::unique_ptr<datastore::Connection>& Con,
                                  QString* error)
{
    if (!IsOpen || !Con) {
        Con = std::make_unique<datastore::Connection>();
        if (!OpenMst(*Con)) {
            if (error)
                *error = Con->lastError();
            return std::nullopt;
        }
    }
    return Max_No_Cond(Table, Field, Cond, *Con, error);
}

std::optional<qint32> Max_No(const QString& Table, const QString& Field, bool IsOpen,
                             std::unique_ptr<datastore::Connection>& Con, QString* error)
{
    return Max_No_Cond(Table, Field, QString(), IsOpen, Con, error);
}

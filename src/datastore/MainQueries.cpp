#include "MainQueries.h"

#include "NullFields.h"

#include <QSqlQuery>

namespace datastore {
namespace {
// Year boundaries are stored as ISO text; a stored time of day is no part of the date.
QDate storedDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

Result<QString> firstText(Connection& con, const QString& statement, const QVariantList& values,
                          const QString& column)
{
    auto rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    return rs->next() ? Null_Str(rs->value(column)) : QString();
}
} // namespace

Result<QString> offeredUserName(Connection& serPath, Connection& main)
{
    auto users = serPath.exec(QStringLiteral("Select * from Users "));
    if (!users)
        return users.error();
    if (!users->next())
        return firstText(main, QStringLiteral("Select * from Pass Where SaveUser = 1 "), {},
                         QStringLiteral("Name"));
    const qint64 uid = users->value(QStringLiteral("Uid")).toLongLong();
    return firstText(main, QStringLiteral("Select * from Pass Where SaveUser = 1 and Uid = ?"),
                     {uid}, QStringLiteral("UName"));
}

Result<std::optional<SignInUser>> userByName(Connection& main, const QString& name)
{
    // The stored names compare without regard to case, on a server too (which compares with
    // case unless told otherwise).
    auto rs = main.exec(QStringLiteral("Select * from Pass Where lower(UName) = lower(?)"), {name});
    if (!rs)
        return rs.error();
    if (!rs->next())
        return std::optional<SignInUser>();
    return std::optional<SignInUser>(SignInUser{rs->value(QStringLiteral("Uid")).toLongLong(),
                                                rs->value(QStringLiteral("PWD"))});
}

Result<QVector<CompanyRow>> companies(Connection& main)
{
    auto codes = main.exec(QStringLiteral("Select Distinct ComCode from Years Order by ComCode"));
    if (!codes)
        return codes.error();
    QVector<CompanyRow> rows;
    while (codes->next()) {
        const QString code = Null_Str(codes->value(QStringLiteral("ComCode")));
        auto years =
            main.exec(QStringLiteral("Select * from Years Where ComCode = ? order by Code Desc "),
                      {code});
        if (!years)
            return years.error();
        if (years->next())
            rows.append({code, Null_Str(years->value(QStringLiteral("ComName"))),
                         Null_Str(years->value(QStringLiteral("Town")))});
    }
    return rows;
}

Result<std::optional<CompanyYear>> latestYear(Connection& main, const QString& comCode)
{
    auto years = main.exec(QStringLiteral("Select * from Years where ComCode=? Order by Code"),
                           {comCode});
    if (!years)
        return years.error();
    // The last row holds the highest Code: the company's latest year.
    std::optional<CompanyYear> latest;
    while (years->next())
        latest = CompanyYear{Null_Str(years->value(QStringLiteral("DbMst"))),
                             storedDate(years->value(QStringLiteral("YStart"))),
                             storedDate(years->value(QStringLiteral("YEnd")))};
    return latest;
}

} // namespace datastore

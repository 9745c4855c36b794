#include "VillageQueries.h"

#include <QSqlQuery>

namespace villagesearch {

QString searchColumn(const QString& searchField)
{
    // Only the two known columns ever reach the statement's text.
    return searchField.compare(QLatin1String("VName"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("VName")
               : QStringLiteral("VCode");
}

QString likePrefix(const QString& typed)
{
    QString pattern;
    pattern.reserve(typed.size() + 4);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    pattern += QLatin1Char('%');
    return pattern;
}

QString statement(const QString& searchField, bool onServer)
{
    const QString villages =
        QStringLiteral("SELECT DISTINCT VCode,VName,VRefNo,RtRefNo FROM Mast_Villages "
                       "WHERE RtRefNo = :route AND InAct <> 1 AND ");
    if (!onServer)
        return villages + searchColumn(searchField) +
               QStringLiteral(" LIKE :prefix ESCAPE '\\' ORDER BY VCode");
    // lower() on both sides rather than ILIKE: the installer's (RtRefNo, lower(column)) index
    // then serves it as a range search.
    return QStringLiteral("SELECT VCode,VName,VRefNo,RtRefNo FROM (") + villages +
           QStringLiteral("lower(") + searchColumn(searchField) +
           QStringLiteral(") LIKE lower(:prefix) ESCAPE '\\') AS v ORDER BY lower(VCode)");
}

} // namespace villagesearch

namespace datastore {

Result<QSqlQuery> searchVillages(Connection& con, int route, const QString& searchField,
                                 const QString& typed)
{
    const bool onServer = con.engine() == Connection::Engine::Server;
    // :route comes before :prefix in the statement; values are bound in order.
    auto rs = con.exec(villagesearch::statement(searchField, onServer),
                       {route, villagesearch::likePrefix(typed)}, Connection::Rows::Scrollable);
    if (!rs)
        return rs;
    // Read to the end: a statement left part-read would hold a read lock on the shared file
    // and keep other desks from committing their receipts.
    while (rs->next()) {
    }
    return rs;
}

} // namespace datastore

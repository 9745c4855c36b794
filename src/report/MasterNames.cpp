#include "MasterNames.h"

#include "datastore/NullFields.h"

#include <QSqlQuery>
#include <QVariant>

namespace report {

datastore::Result<MasterNames> readMasterNames(datastore::Connection& con,
                                               const QString& villageCondition,
                                               const QVariantList& values)
{
    MasterNames names;
    QString statement = QStringLiteral("SELECT VRefNo, VCode, VName FROM Mast_Villages");
    if (!villageCondition.isEmpty())
        statement += QStringLiteral(" WHERE ") + villageCondition;
    auto villages = con.exec(statement, values);
    if (!villages)
        return villages.error();
    while (villages->next())
        names.villages.insert(
            villages->value(0).toLongLong(),
            {datastore::Null_Str(villages->value(1)), datastore::Null_Str(villages->value(2))});
    auto routes = con.exec(QStringLiteral("SELECT RTRefNo, RTType FROM Mast_Routes"));
    if (!routes)
        return routes.error();
    while (routes->next())
        names.routes.insert(routes->value(0).toLongLong(), datastore::Null_Str(routes->value(1)));
    return names;
}

} // namespace report

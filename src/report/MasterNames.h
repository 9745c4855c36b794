#pragma once

#include "datastore/Connection.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <utility>

namespace report {

// The names a report prints beside the keys a receipt stores.
struct MasterNames {
    QHash<qint64, std::pair<QString, QString>> villages; // code, name
    QHash<qint64, QString> routes;
};

// Every route's name, and the villages a condition on Mast_Villages leaves (all without one).
datastore::Result<MasterNames> readMasterNames(datastore::Connection& con,
                                               const QString& villageCondition = QString(),
                                               const QVariantList& values = {});

} // namespace report

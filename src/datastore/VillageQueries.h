#pragma once

#include "Connection.h"

#include <QString>

// The village lookup's search: the route's active villages whose code or name starts with
// what the operator typed. The typed text is bound as a parameter, never put into the
// statement, so an apostrophe or a "%" is just a character of the prefix.
namespace villagesearch {

// The searched column: "VName" for the name box, "VCode" for anything else.
QString searchColumn(const QString& searchField);

// The LIKE pattern for a typed prefix: "\", "%" and "_" escaped with "\", then "%".
QString likePrefix(const QString& typed);

// The indexed prefix search with the parameters :route and :prefix. It returns the rows the
// grouped "Left( col, n ) = 'text'" statement returned, ordered by code; on a COLLATE NOCASE
// column with an index on (RtRefNo, column) it is a range search instead of a scan. A server
// compares and orders with letter case, so there the statement compares lower(column) with
// lower(prefix) (a range search on the installer's (RtRefNo, lower(column)) indexes) and
// orders by lower(VCode).
QString statement(const QString& searchField, bool onServer = false);

} // namespace villagesearch

namespace datastore {
// The search run on the connection: columns VCode, VName, VRefNo, RtRefNo, read whole so
// that a list can show them and no read lock stays behind.
Result<QSqlQuery> searchVillages(Connection& con, int route, const QString& searchField,
                                 const QString& typed);
} // namespace datastore

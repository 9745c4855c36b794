#include "ComboRows.h"

#include "datastore/Connection.h"
#include "datastore/NullFields.h"
#include "datastore/PatientReads.h"
#include "datastore/Startup.h"

#include <QSqlQuery>
#include <QVariant>

std::optional<QList<formkit::ComboRow>> Read_ComboRows(const QString& table,
                                                       const QString& shownColumn,
                                                       const QString& dataColumn,
                                                       const QString& clause)
{
    // Read at load and again with every Clear: a server away in mid-shift leaves the lists as
    // they were.
    datastore::Connection con;
    if (!datastore::openMstInShift(con))
        return std::nullopt;
    const QString statement = QStringLiteral("Select   ") + shownColumn + QStringLiteral(",") +
                              dataColumn + QStringLiteral("  from ") + table + QStringLiteral(" ") +
                              clause + QStringLiteral(" ");
    QList<formkit::ComboRow> rows;
    {
        QSqlQuery query = datastore::readPatiently(con, statement);
        if (!query.isActive()) {
            datastore::reportQueryError(query);
            return std::nullopt;
        }
        while (query.next())
            rows.append({datastore::Null_Str(query.value(0)), query.value(1).toInt()});
    }
    con.close();
    return rows;
}

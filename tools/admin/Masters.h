#pragma once

#include "Csv.h"
#include "datastore/Connection.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The masters of a company year as files: routes, their vehicles, villages, animal and milk
// types. A master row is written and read in its plain form (the columns of headerOf, codes
// and names trimmed, active as 1 or 0, dates yyyy-MM-dd), so that a file exported and imported
// again changes nothing.
namespace admin::masters {

enum class Kind { Routes, Vehicles, Villages, Animals, MilkTypes };

// "routes", "vehicles", "villages", "animals", "milk-types".
std::optional<Kind> kindNamed(const QString& word);
QString nameOf(Kind kind);
QStringList headerOf(Kind kind);

struct Row {
    QStringList fields; // in headerOf's order
    qint64 ref = 0;     // what the database keys it by: RTRefNo, VRefNo, ACode, MCode (a
                        // vehicle period: its route and first day, in fields)
};

struct Problem {
    int line = 0;
    QString reason;
};

struct Change {
    bool add = false;
    int line = 0;
    QStringList fields;
    QStringList before; // an update's row as it is now
    qint64 ref = 0;     // an update's row
};

struct Plan {
    QList<Problem> problems; // any problem, and nothing may be written
    QList<Change> changes;
    int unchanged = 0;
};

// Checks every record of the file and sets it against the rows the database holds (matched by
// code; vehicles by route and first day). routes: the route codes of the company year.
Plan plan(Kind kind, const csv::Table& file, const QList<Row>& existing,
          const QSet<qint64>& routes);

// "add village 101 \"Ashford Mills\" on route 1" and the like, for people.
QString describe(Kind kind, const Change& change);
// "3 to add, 1 to update, 996 unchanged" (done: "3 added, ...").
QString summary(const Plan& plan, bool done);

// The database side: each gives empty text or what went wrong.
QString load(datastore::Connection& con, Kind kind, QList<Row>* rows);
QString loadRoutes(datastore::Connection& con, QSet<qint64>* routes);
// Writes the changes; the caller holds the transaction.
QString apply(datastore::Connection& con, Kind kind, const QList<Change>& changes);

} // namespace admin::masters

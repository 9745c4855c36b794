#pragma once

#include "Connection.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

// The statements that read one shift's receipts and what goes with them: the route's vehicle,
// the grid's rows, the village picked in the lookup, the receipts of a period for reports and
// exports, and the shift's totals. Every value is bound; dates are bound as dates.
// Each gives its rows, or the failed statement's error.
namespace datastore {

// One entry of a keyed list: the text shown and the record's key.
struct KeyedRow {
    QString shown;
    qint64 key = 0;
};
// The shown and the key column of a master table, with the clause placed as written (it may
// filter or order).
Result<QVector<KeyedRow>> keyedRows(Connection& con, const QString& table,
                                    const QString& shownColumn, const QString& keyColumn,
                                    const QString& clause);

// The vehicle that Mast_RoutesSub assigns to the route on the date (both ends of the period
// included); empty text when no assignment covers the date or its number is null.
Result<QString> routeVehicle(Connection& con, int route, const QDate& date);

// One row of the receipts grid. The grid joins every master, so a receipt whose village,
// animal type, milk type or route has lost its row is not among these.
struct GridReceipt {
    qint64 refNo = 0;
    QVariant serial; // DlySlNo
    QString villageCode;
    QString villageName;
    QString animal;
    QString milkType;
    QVariant cans;   // CansRecd, may be null
    QVariant weight; // MWeight, may be null
};
// The receipts of a date, shift and route, newest (highest serial) first.
Result<QVector<GridReceipt>> gridReceipts(Connection& con, const QDate& date, int shift, int route);

// Receipts, cans and weight of some receipts of a shift.
struct Tally {
    qint64 receipts = 0;
    double cans = 0;
    double weight = 0;
};
// What a date and shift have brought in so far: on one route, and on every route together.
struct ShiftTallies {
    Tally route;
    Tally shift;
};
Result<ShiftTallies> shiftTallies(Connection& con, const QDate& date, int shift, int route);

// A village as the desk holds it; refNo 0 is no village.
struct Village {
    qint32 refNo = 0;
    QString code;
    QString name;
    qint32 route = 0;
    bool operator==(const Village& other) const
    {
        return refNo == other.refNo && code == other.code && name == other.name &&
               route == other.route;
    }
};
// The village with that reference, or nothing when there is none.
Result<std::optional<Village>> villageByRef(Connection& con, qint64 refNo);

// A stored receipt with every column and the names of its masters. A name is empty when its
// master row is gone: such receipts are listed all the same.
struct StoredReceipt {
    qint64 refNo = 0;
    QDate date;
    int shift = 0;
    qint64 serial = 0;
    qint64 route = 0;
    QString routeName;
    qint64 village = 0;
    QString villageCode;
    QString villageName;
    qint64 animal = 0;
    QString animalName;
    qint64 milkType = 0;
    QString milkTypeName;
    QVariant cans;   // may be null
    QVariant weight; // may be null
    int userId = 0;
    QString userName;
    QString collectionTime;
    QString truckNo;
    QString scheduledTime;
    QString arrivalTime;
    double truckKm = 0;
    double recoveryAmount = 0;
    QString truckRemarks;
};

// Which receipts: a period of collection dates (both ends included), and optionally one shift
// and one route (0 = any).
struct ReceiptFilter {
    QDate from;
    QDate to;
    int shift = 0;
    qint64 route = 0;
};
// In order of date, shift, route and serial.
Result<QVector<StoredReceipt>> storedReceipts(Connection& con, const ReceiptFilter& filter);
// The receipt of that reference number, or nothing when there is none.
Result<std::optional<StoredReceipt>> storedReceipt(Connection& con, qint64 refNo);

// A shift's totals for one milk type, summed by the database from the stored values; null
// cans or weights count as 0. The name is empty when the milk type's row is gone.
struct MilkTypeTotal {
    qint64 milkType = 0;
    QString milkTypeName;
    qint64 receipts = 0;
    double cans = 0;
    double weight = 0;
};
// Per milk type, in order of its code; route 0 takes every route.
Result<QVector<MilkTypeTotal>> shiftTotals(Connection& con, const QDate& date, int shift,
                                           qint64 route);

} // namespace datastore

#include "ShiftQueries.h"

#include "NullFields.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace datastore {
namespace {

QString textAt(const QSqlQuery& rs, int column)
{
    return Null_Str(rs.value(column));
}

qint64 wholeAt(const QSqlQuery& rs, int column)
{
    return rs.value(column).toLongLong();
}

const QString kGridStatement = QStringLiteral(
    "SELECT Data_Wght.RefNo,Data_Wght.CansRecd, Mast_Villages.VCode,DlySlNo, "
    "Mast_Villages.VName, Mast_Animal.AType, Mast_Milk.MType, Data_Wght.MWeight , "
    "Mast_Routes.RTType FROM (((Data_Wght INNER JOIN Mast_Villages ON Data_Wght.VRefNo = "
    "Mast_Villages.VRefNo) INNER JOIN Mast_Animal ON Data_Wght.ACode = Mast_Animal.ACode) "
    "INNER JOIN Mast_Milk ON Data_Wght.MCode = Mast_Milk.MCode) INNER JOIN Mast_Routes ON "
    "Data_Wght.RTRefNo = Mast_Routes.RTRefNo Where RefDate = ? and AMPM = ? and "
    "Data_Wght.RtRefNo = ? Order by DlySlNo Desc");

// Every receipt with its masters' names; a master that is gone leaves its names null.
const QString kStoredColumns = QStringLiteral(
    "SELECT d.RefNo, d.RefDate, d.AmPm, d.DlySlNo, d.RtRefNo, r.RTType, d.VRefNo, v.VCode, "
    "v.VName, d.ACode, a.AType, d.MCode, m.MType, d.CansRecd, d.MWeight, d.Uid, d.UName, "
    "d.ColTime, d.TruckNo, d.SchTime, d.ArrTime, d.TruckKMR, d.TruckRecAmt, d.TruckRemarks "
    "FROM Data_Wght d LEFT JOIN Mast_Routes r ON r.RTRefNo = d.RtRefNo "
    "LEFT JOIN Mast_Villages v ON v.VRefNo = d.VRefNo "
    "LEFT JOIN Mast_Animal a ON a.ACode = d.ACode "
    "LEFT JOIN Mast_Milk m ON m.MCode = d.MCode ");

StoredReceipt storedReceiptAt(const QSqlQuery& rs)
{
    StoredReceipt r;
    r.refNo = wholeAt(rs, 0);
    r.date = rs.value(1).toDate();
    r.shift = rs.value(2).toInt();
    r.serial = wholeAt(rs, 3);
    r.route = wholeAt(rs, 4);
    r.routeName = textAt(rs, 5);
    r.village = wholeAt(rs, 6);
    r.villageCode = textAt(rs, 7);
    r.villageName = textAt(rs, 8);
    r.animal = wholeAt(rs, 9);
    r.animalName = textAt(rs, 10);
    r.milkType = wholeAt(rs, 11);
    r.milkTypeName = textAt(rs, 12);
    r.cans = rs.value(13);
    r.weight = rs.value(14);
    r.userId = rs.value(15).toInt();
    r.userName = textAt(rs, 16);
    r.collectionTime = textAt(rs, 17);
    r.truckNo = textAt(rs, 18);
    r.scheduledTime = textAt(rs, 19);
    r.arrivalTime = textAt(rs, 20);
    r.truckKm = rs.value(21).toDouble();
    r.recoveryAmount = rs.value(22).toDouble();
    r.truckRemarks = textAt(rs, 23);
    return r;
}

} // namespace

Result<QVector<KeyedRow>> keyedRows(Connection& con, const QString& table,
                                    const QString& shownColumn, const QString& keyColumn,
                                    const QString& clause)
{
    Result<QSqlQuery> rs = con.exec(QStringLiteral("Select   ") + shownColumn +
                                    QStringLiteral(",") + keyColumn + QStringLiteral("  from ") +
                                    table + QStringLiteral(" ") + clause + QStringLiteral(" "));
    if (!rs)
        return rs.error();
    QVector<KeyedRow> rows;
    while (rs->next())
        rows.append({textAt(*rs, 0), wholeAt(*rs, 1)});
    return rows;
}

Result<QString> routeVehicle(Connection& con, int route, const QDate& date)
{
    Result<QSqlQuery> rs = con.exec(QStringLiteral("Select RTVehNo From Mast_RoutesSub Where "
                                                   "RTRefNo = ? and SDate <= ? and EDate >= ?"),
                                    {route, date, date});
    if (!rs)
        return rs.error();
    return rs->next() ? textAt(*rs, 0) : QString();
}

Result<QVector<GridReceipt>> gridReceipts(Connection& con, const QDate& date, int shift, int route)
{
    Result<QSqlQuery> rs = con.exec(kGridStatement, {date, shift, route});
    if (!rs)
        return rs.error();
    QVector<GridReceipt> rows;
    // Columns: RefNo 0, CansRecd 1, VCode 2, DlySlNo 3, VName 4, AType 5, MType 6, MWeight 7.
    while (rs->next()) {
        GridReceipt row;
        row.refNo = wholeAt(*rs, 0);
        row.cans = rs->value(1);
        row.villageCode = textAt(*rs, 2);
        row.serial = rs->value(3);
        row.villageName = textAt(*rs, 4);
        row.animal = textAt(*rs, 5);
        row.milkType = textAt(*rs, 6);
        row.weight = rs->value(7);
        rows.append(row);
    }
    return rows;
}

Result<ShiftTallies> shiftTallies(Connection& con, const QDate& date, int shift, int route)
{
    Result<QSqlQuery> rs = con.exec(QStringLiteral("SELECT COUNT(*), SUM(CansRecd), SUM(MWeight), "
                                                   "SUM(CASE WHEN RtRefNo = ? THEN 1 ELSE 0 END), "
                                                   "SUM(CASE WHEN RtRefNo = ? THEN CansRecd END), "
                                                   "SUM(CASE WHEN RtRefNo = ? THEN MWeight END) "
                                                   "FROM Data_Wght WHERE RefDate = ? AND AmPm = ?"),
                                    {route, route, route, date, shift});
    if (!rs)
        return rs.error();
    ShiftTallies tallies;
    if (rs->next()) {
        tallies.shift = Tally{wholeAt(*rs, 0), rs->value(1).toDouble(), rs->value(2).toDouble()};
        tallies.route = Tally{wholeAt(*rs, 3), rs->value(4).toDouble(), rs->value(5).toDouble()};
    }
    return tallies;
}

Result<std::optional<Village>> villageByRef(Connection& con, qint64 refNo)
{
    Result<QSqlQuery> rs = con.exec(QStringLiteral("Select VRefNo, VCode, VName, RtRefNo from "
                                                   "Mast_Villages Where VRefNo = ?"),
                                    {refNo});
    if (!rs)
        return rs.error();
    std::optional<Village> village;
    if (rs->next())
        village = Village{qint32(wholeAt(*rs, 0)), textAt(*rs, 1), textAt(*rs, 2),
                          qint32(wholeAt(*rs, 3))};
    return village;
}

Result<QVector<StoredReceipt>> storedReceipts(Connection& con, const ReceiptFilter& filter)
{
    QString statement = kStoredColumns + QStringLiteral("WHERE d.RefDate >= ? AND d.RefDate <= ?");
    QVariantList values{filter.from, filter.to};
    if (filter.shift != 0) {
        statement += QStringLiteral(" AND d.AmPm = ?");
        values << filter.shift;
    }
    if (filter.route != 0) {
        statement += QStringLiteral(" AND d.RtRefNo = ?");
        values << filter.route;
    }
    statement += QStringLiteral(" ORDER BY d.RefDate, d.AmPm, d.RtRefNo, d.DlySlNo, d.RefNo");
    Result<QSqlQuery> rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    QVector<StoredReceipt> rows;
    while (rs->next())
        rows.append(storedReceiptAt(*rs));
    return rows;
}

Result<std::optional<StoredReceipt>> storedReceipt(Connection& con, qint64 refNo)
{
    Result<QSqlQuery> rs = con.exec(kStoredColumns + QStringLiteral("WHERE d.RefNo = ?"), {refNo});
    if (!rs)
        return rs.error();
    if (!rs->next())
        return std::optional<StoredReceipt>();
    return std::optional<StoredReceipt>(storedReceiptAt(*rs));
}

Result<QVector<MilkTypeTotal>> shiftTotals(Connection& con, const QDate& date, int shift,
                                           qint64 route)
{
    QString statement =
        QStringLiteral("SELECT d.MCode, MAX(m.MType), COUNT(*), SUM(d.CansRecd), SUM(d.MWeight) "
                       "FROM Data_Wght d LEFT JOIN Mast_Milk m ON m.MCode = d.MCode "
                       "WHERE d.RefDate = ? AND d.AmPm = ?");
    QVariantList values{date, shift};
    if (route != 0) {
        statement += QStringLiteral(" AND d.RtRefNo = ?");
        values << route;
    }
    statement += QStringLiteral(" GROUP BY d.MCode ORDER BY d.MCode");
    Result<QSqlQuery> rs = con.exec(statement, values);
    if (!rs)
        return rs.error();
    QVector<MilkTypeTotal> totals;
    while (rs->next()) {
        totals.append(MilkTypeTotal{wholeAt(*rs, 0), textAt(*rs, 1), wholeAt(*rs, 2),
                                    rs->value(3).toDouble(), rs->value(4).toDouble()});
    }
    return totals;
}

} // namespace datastore

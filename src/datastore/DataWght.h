#pragma once

#include <QString>
#include <QStringList>

// The weighing records' columns, listed once: the installation creates the table from this
// list and the desk writes its rows in this order.
namespace datastore {

enum class ColumnKind { Whole, Decimal, Text };

struct Column {
    const char* name;
    ColumnKind kind;
};

inline constexpr Column kDataWghtColumns[] = {
    {"RefNo", ColumnKind::Whole},         {"RefDate", ColumnKind::Text},
    {"AmPm", ColumnKind::Whole},          {"RtRefNo", ColumnKind::Whole},
    {"VRefNo", ColumnKind::Whole},        {"ACode", ColumnKind::Whole},
    {"MCode", ColumnKind::Whole},         {"DlySlNo", ColumnKind::Whole},
    {"CansRecd", ColumnKind::Decimal},    {"MWeight", ColumnKind::Decimal},
    {"Uid", ColumnKind::Whole},           {"UName", ColumnKind::Text},
    {"Stat", ColumnKind::Whole},          {"ColTime", ColumnKind::Text},
    {"TruckNo", ColumnKind::Text},        {"SchTime", ColumnKind::Text},
    {"ArrTime", ColumnKind::Text},        {"TruckKMR", ColumnKind::Decimal},
    {"TruckRecAmt", ColumnKind::Decimal}, {"TruckRemarks", ColumnKind::Text},
};

// "INSERT INTO Data_Wght (RefNo, ...) VALUES (?, ...)": one value a column, in the list's order.
inline QString dataWghtInsert()
{
    QStringList names;
    for (const Column& column : kDataWghtColumns)
        names << QLatin1String(column.name);
    return QStringLiteral("INSERT INTO Data_Wght (%1) VALUES (%2)")
        .arg(names.join(QStringLiteral(", ")),
             QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

} // namespace datastore

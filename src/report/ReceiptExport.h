#pragma once

#include "datastore/ShiftQueries.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// Receipts as UTF-8 CSV for the billing office, headed in words: one row a receipt with every
// stored column, or one row per village (or route) and day. Receipts whose masters are gone are exported all the same,
// with the missing names empty. Numbers are written as stored, not as shown.
namespace report {

// One field as CSV: quoted (with inner quotes doubled) when it holds a comma, a quote, a
// line break or leading or trailing blanks.
QString csvField(const QString& text);
QString csvLine(const QStringList& fields); // ends in CR LF

QStringList receiptColumns();
QStringList receiptFields(const datastore::StoredReceipt& receipt);
QString receiptsCsv(const QVector<datastore::StoredReceipt>& receipts);

struct VillageDay {
    QDate date;
    qint64 village = 0;
    QString villageCode;
    QString villageName;
    qint64 receipts = 0;
    double cans = 0;
    double weight = 0;
};
// Sums per village and day, in order of day and village reference.
QVector<VillageDay> villageDays(const QVector<datastore::StoredReceipt>& receipts);
QStringList summaryColumns();
QString summaryCsv(const QVector<VillageDay>& days);

struct RouteDay {
    QDate date;
    qint64 route = 0;
    QString routeName;
    qint64 receipts = 0;
    double cans = 0;
    double weight = 0;
};
// Sums per route and day, in order of day and route.
QVector<RouteDay> routeDays(const QVector<datastore::StoredReceipt>& receipts);
QString routeSummaryCsv(const QVector<RouteDay>& days);

// The file's bytes: UTF-8 after the byte order mark by which spreadsheets know UTF-8.
QByteArray spreadsheetBytes(const QString& csv);

// A stored number as text: as many decimals as it has; a null value as empty text.
QString storedNumber(const QVariant& value);

} // namespace report

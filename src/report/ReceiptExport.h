#pragma once

#include "datastore/ShiftQueries.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// Receipts as UTF-8 CSV for the billing office: one row a receipt with every stored column, or
// one row per village and day. Receipts whose masters are gone are exported all the same,
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

// A stored number as text: as many decimals as it has; a null value as empty text.
QString storedNumber(const QVariant& value);

} // namespace report

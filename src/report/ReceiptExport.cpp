#include "ReceiptExport.h"

#include "ShiftReport.h"

#include <QMap>
#include <utility>

namespace report {

QString csvField(const QString& text)
{
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quoted)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString csvLine(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields)
        out << csvField(field);
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString storedNumber(const QVariant& value)
{
    if (value.isNull())
        return QString();
    return QString::number(value.toDouble(), 'g', 15);
}

QStringList receiptColumns()
{
    return {QStringLiteral("receipt no"),   QStringLiteral("date"),
            QStringLiteral("shift"),        QStringLiteral("serial"),
            QStringLiteral("route"),        QStringLiteral("route name"),
            QStringLiteral("village ref"),  QStringLiteral("village code"),
            QStringLiteral("village name"), QStringLiteral("animal code"),
            QStringLiteral("animal"),       QStringLiteral("milk code"),
            QStringLiteral("milk type"),    QStringLiteral("cans"),
            QStringLiteral("weight"),       QStringLiteral("user id"),
            QStringLiteral("user"),         QStringLiteral("time"),
            QStringLiteral("truck"),        QStringLiteral("scheduled time"),
            QStringLiteral("arrival time"), QStringLiteral("trip km"),
            QStringLiteral("recovery amount"), QStringLiteral("truck remarks")};
}

QStringList receiptFields(const datastore::StoredReceipt& r)
{
    return {QString::number(r.refNo),
            r.date.toString(Qt::ISODate),
            shiftName(r.shift),
            QString::number(r.serial),
            QString::number(r.route),
            r.routeName,
            QString::number(r.village),
            r.villageCode,
            r.villageName,
            QString::number(r.animal),
            r.animalName,
            QString::number(r.milkType),
            r.milkTypeName,
            storedNumber(r.cans),
            storedNumber(r.weight),
            QString::number(r.userId),
            r.userName,
            r.collectionTime,
            r.truckNo,
            r.scheduledTime,
            r.arrivalTime,
            QString::number(r.truckKm, 'g', 15),
            QString::number(r.recoveryAmount, 'g', 15),
            r.truckRemarks};
}

QString receiptsCsv(const QVector<datastore::StoredReceipt>& receipts)
{
    QString csv = csvLine(receiptColumns());
    for (const datastore::StoredReceipt& r : receipts)
        csv += csvLine(receiptFields(r));
    return csv;
}

QVector<VillageDay> villageDays(const QVector<datastore::StoredReceipt>& receipts)
{
    QMap<std::pair<QDate, qint64>, VillageDay> days;
    for (const datastore::StoredReceipt& r : receipts) {
        VillageDay& day = days[{r.date, r.village}];
        day.date = r.date;
        day.village = r.village;
        day.villageCode = r.villageCode;
        day.villageName = r.villageName;
        ++day.receipts;
        day.cans += r.cans.isNull() ? 0.0 : r.cans.toDouble();
        day.weight += r.weight.isNull() ? 0.0 : r.weight.toDouble();
    }
    return days.values().toVector();
}

QVector<RouteDay> routeDays(const QVector<datastore::StoredReceipt>& receipts)
{
    QMap<std::pair<QDate, qint64>, RouteDay> days;
    for (const datastore::StoredReceipt& r : receipts) {
        RouteDay& day = days[{r.date, r.route}];
        day.date = r.date;
        day.route = r.route;
        day.routeName = r.routeName;
        ++day.receipts;
        day.cans += r.cans.isNull() ? 0.0 : r.cans.toDouble();
        day.weight += r.weight.isNull() ? 0.0 : r.weight.toDouble();
    }
    return days.values().toVector();
}

QStringList summaryColumns()
{
    return {QStringLiteral("date"),         QStringLiteral("village ref"),
            QStringLiteral("village code"), QStringLiteral("village name"),
            QStringLiteral("receipts"),     QStringLiteral("cans"),
            QStringLiteral("weight")};
}

QString summaryCsv(const QVector<VillageDay>& days)
{
    QString csv = csvLine(summaryColumns());
    for (const VillageDay& day : days) {
        csv += csvLine({day.date.toString(Qt::ISODate), QString::number(day.village),
                        day.villageCode, day.villageName, QString::number(day.receipts),
                        QString::number(day.cans, 'g', 15), QString::number(day.weight, 'g', 15)});
    }
    return csv;
}

QString routeSummaryCsv(const QVector<RouteDay>& days)
{
    QString csv = csvLine({QStringLiteral("date"), QStringLiteral("route"),
                           QStringLiteral("route name"), QStringLiteral("receipts"),
                           QStringLiteral("cans"), QStringLiteral("weight")});
    for (const RouteDay& day : days)
        csv += csvLine({day.date.toString(Qt::ISODate), QString::number(day.route), day.routeName,
                        QString::number(day.receipts), QString::number(day.cans, 'g', 15),
                        QString::number(day.weight, 'g', 15)});
    return csv;
}

QByteArray spreadsheetBytes(const QString& csv)
{
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace report

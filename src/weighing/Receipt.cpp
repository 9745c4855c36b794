#include "Receipt.h"

#include "datastore/DataWght.h"
#include "datastore/NextNumbers.h"
#include "datastore/WriteTransaction.h"
#include "formkit/TextRules.h"

#include <QSqlQuery>
#include <QVariant>

namespace weighing {

AddCheck checkReceipt(bool routeSelected, const QString& villageTag, const QString& cansText,
                      const QString& weightText)
{
    if (!routeSelected)
        return AddCheck::NoRoute;
    if (formkit::numericValue(villageTag) == 0)
        return AddCheck::NoVillage;
    const double cans = formkit::numericValue(cansText);
    if (cans <= 0)
        return AddCheck::NoCans;
    const double weight = formkit::numericValue(weightText);
    if (weight <= 0)
        return AddCheck::NoWeight;
    if (weight > kMaxWeightPerCan * cans)
        return AddCheck::CansTooFew;
    return AddCheck::Passed;
}

QString checkMessage(AddCheck check)
{
    switch (check) {
    case AddCheck::Passed:
        break;
    case AddCheck::NoRoute:
        return QStringLiteral("Select Route");
    case AddCheck::NoVillage:
        return QStringLiteral("Select Village Code/Name");
    case AddCheck::NoCans:
        return QStringLiteral("Enter Received Cans");
    case AddCheck::NoWeight:
        return QStringLiteral("Please Get Milk Weight");
    case AddCheck::CansTooFew:
        return QStringLiteral("Please Verify Cans");
    }
    return QString();
}

QString shiftCondition(qint32 shift)
{
    return QStringLiteral(" Where RefDate = ? and AmPM =") + QString::number(shift) +
           QStringLiteral(" ");
}

WriteResult writeReceipt(datastore::Connection& con, const ReceiptEntry& entry)
{
    WriteResult result;
    if (!con.isOpen()) {
        result.error = QStringLiteral("the company database is not open");
        return result;
    }
    datastore::WriteTransaction transaction(con, QStringLiteral("Data_Wght"));
    if (!transaction.isActive()) {
        result.error = transaction.error();
        return result;
    }

    ReceiptNumbers numbers;
    // Both numbers are read inside the transaction that stores the row.
    const auto refNo =
        Max_No(QStringLiteral("Data_Wght"), QStringLiteral("RefNo"), con, &result.error);
    if (!refNo)
        return result;
    const auto dlySlNo = Max_No_Cond(QStringLiteral("Data_Wght"), QStringLiteral("DlySlNo"),
                                     shiftCondition(entry.shift), con, &result.error, {entry.date});
    if (!dlySlNo)
        return result;
    numbers.refNo = *refNo;
    numbers.dlySlNo = *dlySlNo;

    // In the order of datastore::kDataWghtColumns.
    const QVariantList values = {
        numbers.refNo,
        entry.date,
        entry.shift,
        entry.route,
        entry.village,
        entry.animal,
        entry.milk,
        numbers.dlySlNo,
        entry.cans,
        entry.weight,
        int(entry.uid),
        entry.uname,
        0,
        formkit::timeText(entry.colTime),
        entry.truckNo.trimmed(),
        formkit::timeText(entry.schTime),
        formkit::timeText(entry.arrTime),
        entry.truckKmr,
        entry.truckRecAmt,
        entry.truckRemarks.trimmed(),
    };
    QSqlQuery insert = con.run(datastore::dataWghtInsert(), values);
    if (!insert.isActive()) {
        result.error = datastore::describeError(insert);
        return result;
    }
    if (!transaction.commit()) {
        result.error = transaction.error();
        return result;
    }
    result.numbers = numbers;
    return result;
}

} // namespace weighing

#include "Receipt.h"

#include "datastore/NextNumbers.h"
#include "datastore/WriteTransaction.h"
#include "formkit/TextRules.h"

#include <QSqlQuery>
#include <QVariant>
#include <memory>

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

QString shiftCondition(const QDate& date, qint32 shift)
{
    return QStringLiteral(" Where RefDate = CDate('") + formkit::dateText(date) +
           QStringLiteral("') and AmPM =") + QString::number(shift) + QStringLiteral(" ");
}

namespace {
// The next-number functions keep the connection they are given in a caller's owning pointer.
// Here the caller owns the connection; it is lent for the two calls and taken back, so that
// both numbers are read inside the transaction that stores the row.
class LentConnection {
public:
    explicit LentConnection(datastore::Connection& con) : m_ptr(&con) {}
    ~LentConnection() { m_ptr.release(); }
    LentConnection(const LentConnection&) = delete;
    LentConnection& operator=(const LentConnection&) = delete;
    std::unique_ptr<datastore::Connection>& get() { return m_ptr; }

private:
    std::unique_ptr<datastore::Connection> m_ptr;
};

const QString kInsert = QStringLiteral(
    "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, CansRecd, "
    "MWeight, RtRefNo, Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, TruckKMR, "
    "TruckRecAmt, TruckRemarks) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
} // namespace

WriteResult writeReceipt(datastore::Connection& con, const ReceiptEntry& entry)
{
    WriteResult result;
    if (!con.isOpen()) {
        result.error = QStringLiteral("the company database is not open");
        return result;
    }
    datastore::WriteTransaction transaction(con);
    if (!transaction.isActive()) {
        result.error = transaction.error();
        return result;
    }

    ReceiptNumbers numbers;
    {
        LentConnection lent(con);
        const auto refNo = Max_No(QStringLiteral("Data_Wght"), QStringLiteral("RefNo"), true,
                                  lent.get(), &result.error);
        if (!refNo)
            return result;
        const auto dlySlNo = Max_No_Cond(QStringLiteral("Data_Wght"), QStringLiteral("DlySlNo"),
                                         shiftCondition(entry.date, entry.shift), true,
                                         lent.get(), &result.error);
        if (!dlySlNo)
            return result;
        numbers.refNo = *refNo;
        numbers.dlySlNo = *dlySlNo;
    }

    const QVariantList values = {
        numbers.refNo,
        entry.date.toString(Qt::ISODate),
        entry.shift,
        entry.animal,
        numbers.dlySlNo,
        entry.village,
        entry.milk,
        entry.cans,
        entry.weight,
        entry.route,
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
    QSqlQuery insert = con.run(kInsert, values);
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

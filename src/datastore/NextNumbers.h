#pragma once

#include "Connection.h"

#include <QDate>
#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>

// The next number of a column: the largest stored value plus 1, or 1 when no row has one.
// With IsOpen false a new connection is opened into Con with OpenMst; the caller keeps it.
// No number comes back when the statement fails or when the column has reached the largest
// number it can hold: the error says which.
datastore::Result<qint32> Max_No(const QString& Table, const QString& Field, bool IsOpen,
                                 std::unique_ptr<datastore::Connection>& Con);
datastore::Result<qint32> Max_No_Cond(const QString& Table, const QString& Field,
                                      const QString& Cond, bool IsOpen,
                                      std::unique_ptr<datastore::Connection>& Con);

// The same on a connection the caller holds open, e.g. inside its write transaction.
datastore::Result<qint32> Max_No(const QString& Table, const QString& Field,
                                 datastore::Connection& con);
// Cond may hold "?" for values bound in order (dates are bound, never written into the text).
datastore::Result<qint32> Max_No_Cond(const QString& Table, const QString& Field,
                                      const QString& Cond, datastore::Connection& con,
                                      const QVariantList& values = {});

namespace datastore {
struct NextReceiptNumbers {
    qint32 refNo = 0;
    qint32 dlySlNo = 0; // within the date and shift
};
// A new receipt's numbers, read inside the caller's write transaction: after the largest stored
// and the largest cancelled (kept in Tv_Audit), so that a cancelled number is never handed out
// again, not even a cancelled last one.
Result<NextReceiptNumbers> nextReceiptNumbers(Connection& company, const QDate& date, int amPm);

// The next number after the largest stored one (null: none stored). A stored -1 or less
// still gives 1, so the numbering never hands out 0 or a number below it.
std::optional<qint32> nextAfter(const QVariant& largest);
} // namespace datastore

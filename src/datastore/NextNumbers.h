#pragma once

#include "Connection.h"

#include <QDate>
#include <QString>
#include <optional>

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

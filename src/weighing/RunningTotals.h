#pragma once

#include "datastore/ShiftQueries.h"

#include <QString>

class QLabel;
class QWidget;

namespace weighing {

// "Route: 3 receipts, 6 cans, 160.20 kg    Shift: 10 receipts, 20 cans, 512.00 kg": what the
// route and the whole shift have brought in so far.
QString runningTotalsText(const datastore::ShiftTallies& tallies);

// The line under the grid that shows them (lblTotals), in the room between the grid and the
// status line, so that no other control moves.
QLabel* addRunningTotalsLine(QWidget* window);

} // namespace weighing

#pragma once

#include "ShiftReport.h"

class QWidget;

namespace report {

// Shows the report in a print preview; its print button goes through the system's print
// dialog. Returns when the preview is closed.
void previewShiftReport(const ShiftReport& report, QWidget* parent);

} // namespace report

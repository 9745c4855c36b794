#pragma once

#include "ShiftReport.h"

#include <QString>

// The shift report on paper: drawn on the pages of a PDF file, a printer or the preview.
namespace report {

class PageDrawer;

void drawShiftReport(PageDrawer& pages, const ShiftReport& report);
// Writes the report as a PDF file. False with the reason in *error when it cannot be written.
bool writeShiftReportPdf(const ShiftReport& report, const QString& file, QString* error);

// Shown forms of the figures.
QString weightText(double weight);      // "####0.0"
QString cansText(const QVariant& cans); // null reads as 0
QString amountText(double amount);      // two decimals

} // namespace report

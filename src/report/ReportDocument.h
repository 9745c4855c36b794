#pragma once

#include "ShiftReport.h"

#include <QString>

class QTextDocument;

// The shift report as a document: HTML for the screen and the printer, and a PDF file.
namespace report {

QString shiftReportHtml(const ShiftReport& report);
// Fills the document with the report, laid out for an A4 page.
void fillDocument(QTextDocument* document, const ShiftReport& report);
// Any report's HTML in the report's font.
void fillDocument(QTextDocument* document, const QString& html);
// Writes the report as a PDF file. False with the reason in *error when it cannot be written.
bool writeShiftReportPdf(const ShiftReport& report, const QString& file, QString* error);
// Any report's HTML as a PDF file, A4, under that title.
bool writePdf(const QString& html, const QString& title, const QString& file, QString* error);

// Shown forms of the figures.
QString weightText(double weight);      // "####0.0"
QString cansText(const QVariant& cans); // null reads as 0
QString amountText(double amount);      // two decimals

} // namespace report

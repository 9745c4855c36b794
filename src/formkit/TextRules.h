#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace formkit {

// The numeric value of a text: its longest leading decimal number. Blanks, tabs and line
// feeds are skipped wherever they stand; a sign, digits, one point and an exponent are taken;
// reading stops at the first other character. 0 when there is no number ("12-3" is 12).
double numericValue(const QString& text);

// "####0.0": at least one digit before the point, exactly one after, halves away from zero.
QString shownWeight(double value);

// "dd/MMM/yyyy" with English month abbreviations, e.g. 05/Mar/2024.
QString dateText(const QDate& date);
// "HH:MM:SS AMPM" on the 12-hour clock, e.g. 02:30:05 PM; midnight is 12:00:00 AM.
QString timeText(const QTime& time);
// A number as plain text, with as many decimals as it has (3, 2.5).
QString plainNumber(double value);

} // namespace formkit

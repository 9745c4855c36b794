#pragma once

#include <QDate>

class QDateEdit;

// The collection date must lie inside the accounting year and must not be after the working
// date. Each boundary day itself is a valid date.
bool dateOutsideYear(const QDate& date, const QDate& yStart, const QDate& yEnd, const QDate& today);

// The line under the picker: the accounting year's range, and why no date can be taken when the
// working date lies outside it (a year made before it starts, a year that has ended).
QString yearRangeText(const QDate& yStart, const QDate& yEnd, const QDate& today);

// Checks the picker's date against Gen_YStart, Gen_YEnd and Gen_Today; a refused date gives
// "Please Check Date", the picker goes back to the working date and keeps the focus.
void Check_Date(QDateEdit* picker);

#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace datastore {

// Reads "dd/MMM/yyyy" with English month abbreviations, case ignored; an invalid date otherwise.
QDate parseCDateText(const QString& text);

// Gives the connection the SQL function CDate(text): the ISO date text "yyyy-MM-dd", or null
// for a text that is no such date. Stored dates are ISO text, so comparisons with CDate('...')
// work as the statements write them.
bool registerSqlFunctions(const QSqlDatabase& db);

} // namespace datastore

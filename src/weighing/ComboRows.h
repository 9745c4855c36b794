#pragma once

#include "formkit/Combos.h"

#include <optional>

// The entries of a keyed list, read from the company-year database: the shown column and the
// key column of a table, with the clause placed as written (it may filter or order). None when
// the table could not be read; the reason has been shown.
std::optional<QList<formkit::ComboRow>> Read_ComboRows(const QString& table,
                                                       const QString& shownColumn,
                                                       const QString& dataColumn,
                                                       const QString& clause);

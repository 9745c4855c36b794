#pragma once

#include <QString>

class QComboBox;

namespace formkit {
// Shift codes, the item data of every shift list.
constexpr int kShiftAm = 2;
constexpr int kShiftPm = 3;
} // namespace formkit

// Fills a list from a two-column statement over the company-year database; every entry carries
// its key as item data. Numbered lists show "1.Name", "2.Name", ... Ends with key 1 selected.
// Returns false when the table could not be read (the reason has been shown).
bool Load_Combo(QComboBox* combo, const QString& table, const QString& shownColumn,
                const QString& dataColumn, bool numbered, const QString& clause);
void Load_AmPm(QComboBox* combo);
// Selects the first entry whose key is Key; this counts as a choice, so the list's activated
// signal (its Click handling) runs just as for the operator's choice. No match: no change.
void Combo_Select(QComboBox* combo, int Key);
// The key of the selected entry, 0 when none is selected.
int selectedKey(const QComboBox* combo);

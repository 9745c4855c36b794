#pragma once

#include <QList>
#include <QString>

class QComboBox;

namespace formkit {
// The shift, as every shift list carries it for item data and Data_Wght.AmPm stores it.
enum class Shift : int { Am = 2, Pm = 3 };

// One entry of a keyed list: the text shown and the record's key.
struct ComboRow {
    QString shown;
    int key = 0;
};
} // namespace formkit

// Fills a list with rows the window has read; every entry carries its key as item data.
// Numbered lists show "1.Name", "2.Name", ... Ends with key 1 selected.
void Load_Combo(QComboBox* combo, const QList<formkit::ComboRow>& rows, bool numbered);
void Load_AmPm(QComboBox* combo);
// Selects the first entry whose key is Key; this counts as a choice, so the list's activated
// signal (its Click handling) runs just as for the operator's choice. No match: no change.
void Combo_Select(QComboBox* combo, int Key);
// The key of the selected entry, 0 when none is selected.
int selectedKey(const QComboBox* combo);

#pragma once

#include "datastore/VillageQueries.h"

#include <QString>
#include <QtGlobal>

class QKeyEvent;

// What the village lookup takes from the keyboard and the clipboard; its search itself is the
// data store's (datastore/VillageQueries.h).
namespace villagesearch {

// What a key pressed in the village code or name opens the lookup with: a letter key gives its
// capital whatever the Shift state, a digit key its digit (also with Shift, where the layout
// would type punctuation), a keypad digit its digit, the keypad's operators and F1-F11 the
// letters j to z. Empty for every other key, and for any key held with Ctrl, Alt or Meta.
QString openingText(const QKeyEvent& key);

// A paste or drop into a field of the lookup: the text as typing would have entered it, or a
// refusal that says why. Typing enters no line breaks or other control characters, and stops
// at the field's limit; a paste that would go past it is refused whole rather than cut. One
// line break at the end (as a copied cell carries) is dropped.
struct PasteCheck {
    QString text;
    QString refusal; // empty when the paste is taken
};
PasteCheck checkPaste(const QString& pasted, const QString& fieldCaption, int roomLeft, int limit);

} // namespace villagesearch

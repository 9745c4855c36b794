#pragma once

#include <QString>
#include <QtGlobal>

class QKeyEvent;

// The village lookup's search: the route's active villages whose code or name starts with
// what the operator typed. The typed text is bound as a parameter, never put into the
// statement, so an apostrophe or a "%" is just a character of the prefix.
namespace villagesearch {

// A village as the entry row holds it; ref 0 is no village.
struct Village {
    qint32 ref = 0;
    QString code;
    QString name;
    bool operator==(const Village& other) const
    {
        return ref == other.ref && code == other.code && name == other.name;
    }
};

// The searched column: "VName" for the name box, "VCode" for anything else.
QString searchColumn(const QString& searchField);

// The LIKE pattern for a typed prefix: "\", "%" and "_" escaped with "\", then "%".
QString likePrefix(const QString& typed);

// The indexed prefix search with the parameters :route and :prefix. It returns the rows the
// grouped "Left( col, n ) = 'text'" statement returned, ordered by code; on a COLLATE NOCASE
// column with an index on (RtRefNo, column) it is a range search instead of a scan. A server
// compares and orders with letter case, so there the statement compares lower(column) with
// lower(prefix) (a range search on the installer's (RtRefNo, lower(column)) indexes) and
// orders by lower(VCode).
QString statement(const QString& searchField, bool onServer = false);

// The village with this reference as it is stored now, read on a connection of its own; a
// village of ref 0 when there is none (or the database could not be read: the reason is shown).
Village villageByRef(qint64 ref);

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

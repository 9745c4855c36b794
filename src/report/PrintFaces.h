#pragma once

#include <QChar>
#include <QFont>
#include <QString>
#include <QStringList>
#include <algorithm>

// The faces of what the desk prints (reports and slips), named rather than left to the desktop's
// font so that every desk prints alike: Latin in Noto Sans, Devanagari (village names, a Hindi or
// Marathi desk's own texts) in Noto Sans Devanagari, both of fonts-noto-core. A desk without them
// falls back to whatever font has the letters.
namespace report {

inline bool hasDevanagari(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Devanagari; });
}

// The font with the printing faces, in the order that text wants: Devanagari first for a text
// that holds it (Qt would otherwise try Noto Sans for those letters first, find it without them,
// and say so on standard error).
inline QFont printFace(QFont font, const QString& text = QString())
{
    const QString latin = QStringLiteral("Noto Sans");
    const QString devanagari = QStringLiteral("Noto Sans Devanagari");
    font.setFamilies(hasDevanagari(text) ? QStringList{devanagari, latin}
                                         : QStringList{latin, devanagari});
    return font;
}

} // namespace report

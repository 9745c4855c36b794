#pragma once

#include <QString>
#include <QStringList>

// The language the desk speaks. English is the texts as written in the code; any other comes
// from a compiled translation file "tarvolen_<code>.qm", looked for first in the installation's
// own "translations" folder (a centre adds a language by dropping a file there) and then beside
// the programs (share/tarvolen/translations, as the package and the build place them).
namespace platform {

inline const char* const kEnglish = "en";

// A language code as a user may be given one: "hi", "mr", "pt_BR" (letters, one optional
// country part).
bool isLanguageCode(const QString& code);

// The folders searched, in order.
QStringList translationFolders();

// The codes a file is found for, English first.
QStringList availableLanguages();

// Speaks that language from now on (English for "en" or an empty code); false, with English
// kept, when no translation file of that code is found.
bool useLanguage(const QString& code);

// Speaks the first language of the desk's own locale (LANGUAGE, LC_MESSAGES, LANG) that has a
// translation, else English; the code in use.
QString useLocaleLanguage();

// The code in use ("en" when none).
QString languageInUse();

} // namespace platform

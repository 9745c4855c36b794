#include "Language.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <memory>

namespace platform {
namespace {
const QString kFilePrefix = QStringLiteral("tarvolen_");

struct Speaking {
    std::unique_ptr<QTranslator> translator;
    QString code = QString::fromLatin1(kEnglish);
};

Speaking& speaking()
{
    static Speaking current;
    return current;
}

QString fileOf(const QString& code)
{
    for (const QString& folder : translationFolders()) {
        const QString path = QDir(folder).filePath(kFilePrefix + code + QStringLiteral(".qm"));
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
}

void speakEnglish()
{
    Speaking& current = speaking();
    if (current.translator)
        QCoreApplication::removeTranslator(current.translator.get());
    current.translator.reset();
    current.code = QString::fromLatin1(kEnglish);
}
} // namespace

bool isLanguageCode(const QString& code)
{
    static const QRegularExpression shape(QStringLiteral("^[a-z]{2,3}(_[A-Z]{2})?$"));
    return shape.match(code).hasMatch();
}

QStringList translationFolders()
{
    return {QDir(programFolder()).filePath(QStringLiteral("translations")),
            QDir(QCoreApplication::applicationDirPath())
                .filePath(QStringLiteral("../share/tarvolen/translations"))};
}

QStringList availableLanguages()
{
    QStringList codes{QString::fromLatin1(kEnglish)};
    for (const QString& folder : translationFolders()) {
        const QStringList files =
            QDir(folder).entryList({kFilePrefix + QStringLiteral("*.qm")}, QDir::Files);
        for (const QString& file : files) {
            const QString code = file.mid(kFilePrefix.size()).chopped(3);
            if (isLanguageCode(code) && !codes.contains(code))
                codes << code;
        }
    }
    return codes;
}

bool useLanguage(const QString& code)
{
    if (code.isEmpty() || code == QLatin1String(kEnglish)) {
        speakEnglish();
        return true;
    }
    const QString file = isLanguageCode(code) ? fileOf(code) : QString();
    auto translator = std::make_unique<QTranslator>();
    if (file.isEmpty() || !translator->load(file)) {
        speakEnglish();
        return false;
    }
    speakEnglish();
    QCoreApplication::installTranslator(translator.get());
    speaking().translator = std::move(translator);
    speaking().code = code;
    return true;
}

QString useLocaleLanguage()
{
    const QStringList wanted = QLocale::system().uiLanguages();
    for (QString name : wanted) {
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        // "hi_IN" is looked for as it is, then as "hi".
        for (const QString& code : {name, name.section(QLatin1Char('_'), 0, 0)}) {
            if (code == QLatin1String(kEnglish) || code == QLatin1String("C")) {
                speakEnglish();
                return languageInUse();
            }
            if (!fileOf(code).isEmpty() && useLanguage(code))
                return languageInUse();
        }
    }
    speakEnglish();
    return languageInUse();
}

QString languageInUse()
{
    return speaking().code;
}

} // namespace platform

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}

QString matchInFolder(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return name;
    QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return name;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}
} // namespace

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder)
{
    folderOverride() = folder;
}

namespace {
bool holdsSerPath(const QString& folder)
{
    return fileExists(folder + QStringLiteral("/SerPath.mdb"));
}

QString absoluteFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}
} // namespace

ProgramFolderSearch findProgramFolder(const QString& option, const QString& variable,
                                      const QString& ownFolder, const QString& installedFolder)
{
    ProgramFolderSearch search;
    search.ownFolder = absoluteFolder(ownFolder);
    if (!option.isEmpty()) {
        search.folder = absoluteFolder(option);
        search.source = ProgramFolderSearch::Source::Option;
    } else if (!variable.isEmpty()) {
        search.folder = absoluteFolder(variable);
        search.source = ProgramFolderSearch::Source::Variable;
    } else if (holdsSerPath(search.ownFolder)) {
        search.folder = search.ownFolder;
        search.source = ProgramFolderSearch::Source::OwnFolder;
    } else {
        search.folder = absoluteFolder(installedFolder);
        search.source = ProgramFolderSearch::Source::Installed;
    }
    search.found = holdsSerPath(search.folder);
    return search;
}

QString missingInstallationMessage(const ProgramFolderSearch& search)
{
    QString where;
    switch (search.source) {
    case ProgramFolderSearch::Source::Option:
        where = QCoreApplication::translate("Paths", "not in %1, the folder given by --program-dir")
                    .arg(search.folder);
        break;
    case ProgramFolderSearch::Source::Variable:
        where = QCoreApplication::translate("Paths", "not in %1, the folder named by %2")
                    .arg(search.folder, QLatin1String(kProgramFolderVariable));
        break;
    case ProgramFolderSearch::Source::OwnFolder:
    case ProgramFolderSearch::Source::Installed:
        where =
            QCoreApplication::translate("Paths", "neither in the program's own folder %1 nor in %2")
                .arg(search.ownFolder, search.folder);
        break;
    }
    return QCoreApplication::translate(
               "Paths", "No installation found: SerPath.mdb is %1.\n"
                        "Create one with tarvolen-admin init, or name its folder with "
                        "--program-dir DIR or %2.")
        .arg(where, QLatin1String(kProgramFolderVariable));
}

QString configFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/tarvolen");
}

QString resolvePath(const QString& path)
{
    QString slashed = path;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString result = slashed.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    const QStringList parts = slashed.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString match = matchInFolder(result.isEmpty() ? QStringLiteral(".") : result, part);
        if (!result.isEmpty() && !result.endsWith(QLatin1Char('/')))
            result += QLatin1Char('/');
        result += match;
    }
    return result;
}

bool fileExists(const QString& path)
{
    return QFileInfo(resolvePath(path)).isFile();
}

} // namespace platform

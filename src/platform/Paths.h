#pragma once

#include <QString>

namespace platform {

// The folder the program runs from. Tests point it at a folder of their own.
QString programFolder();
void setProgramFolder(const QString& folder);

// Names the program folder when no option does.
inline const char* const kProgramFolderVariable = "TARVOLEN_PROGRAM_DIR";
// Where a packaged installation keeps SerPath.mdb: nothing may be written beside /usr/bin.
inline const char* const kInstalledProgramFolder = "/var/lib/tarvolen";

// Where the program folder was looked for, and whether SerPath.mdb lies there.
struct ProgramFolderSearch {
    enum class Source { Option, Variable, OwnFolder, Installed };
    QString folder;
    Source source = Source::Installed;
    bool found = false;
    QString ownFolder; // the binary's folder, looked at before the installed folder
};

// The program folder, in this order: the --program-dir option, TARVOLEN_PROGRAM_DIR, the
// binary's own folder when it holds SerPath.mdb, else the installed folder. An empty option or
// variable counts as not given.
ProgramFolderSearch findProgramFolder(const QString& option, const QString& variable,
                                      const QString& ownFolder,
                                      const QString& installedFolder = kInstalledProgramFolder);

// What the operator is told when the folder holds no SerPath.mdb: where it looked, and how to
// name another folder.
QString missingInstallationMessage(const ProgramFolderSearch& search);

// Tarvolen's own configuration folder ($XDG_CONFIG_HOME/tarvolen, ~/.config/tarvolen by default).
QString configFolder();

// Stored paths use backslashes and do not care about letter case; Linux does. Each component
// is matched against what its folder holds without regard to case. Components that match
// nothing are kept as written, so the result names where the file would be.
QString resolvePath(const QString& path);

bool fileExists(const QString& path);

} // namespace platform

#pragma once

#include <QString>

namespace platform {

// The folder the program runs from. Tests point it at a folder of their own.
QString programFolder();
void setProgramFolder(const QString& folder);

// Tarvolen's own configuration folder ($XDG_CONFIG_HOME/tarvolen, ~/.config/tarvolen by default).
QString configFolder();

// Stored paths use backslashes and do not care about letter case; Linux does. Each component
// is matched against what its folder holds without regard to case. Components that match
// nothing are kept as written, so the result names where the file would be.
QString resolvePath(const QString& path);

bool fileExists(const QString& path);

} // namespace platform

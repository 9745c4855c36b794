#pragma once

#include <QString>

namespace platform {

// One running copy per user. The first copy listens on a local server named for the user; a
// later copy asks it to raise and activate its window.
void setRunningCopyName(const QString& name); // tests use a name of their own
bool listenAsRunningCopy();                   // false when another copy already listens
// Asks the copy that listens to come to the front; true when one answered.
bool activatePreviousCopy();

} // namespace platform

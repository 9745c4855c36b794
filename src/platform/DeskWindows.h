#pragma once

namespace platform {

// The desk's own ends of the message and program-end seams, for a program with windows:
// a message is an OK-only box over the active window (no icon unless critical), and the
// program's end hides every window at once. The command-line tools do without them.
void useDeskWindows();

} // namespace platform

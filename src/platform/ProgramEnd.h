#pragma once

#include <functional>
#include <optional>

namespace platform {

// Every exit status of the desk, each telling a supervisor a different end. The manual page
// (tarvolen.1, EXIT STATUS) lists them; 0 and 1 are documented in the README too.
enum class EndStatus : int {
    Normal = 0,            // the operator ended the program (Exit, Cancel)
    NoInstallation = 1,    // the program folder holds no SerPath.mdb
    WrongUsage = 2,        // the command line was wrong
    ScaleNotConnected = 3, // the network scale did not answer
    DataError = 4,         // a database could not be opened
};

// Ends the program at once: every window is hidden (none runs its unload handling) and every
// event loop, nested ones included, returns; an event loop started later returns at once, and
// QApplication::exec gives back the status. Callers return right after, so that a test that
// replaces the ending sees nothing more happen. Only the first end counts.
void endProgram(EndStatus status = EndStatus::Normal);

// The status of the end under way, if the program is ending. An end that comes before the
// application's event loop starts is seen here: main returns the status instead of entering
// exec, which would run on.
std::optional<EndStatus> programEnding();

// What the program does at once when it ends, before the event loops are told: the desk hides
// its windows here (see DeskWindows.h).
void setEndingStep(std::function<void()> step);

// Tests put a recorder in place of the ending; an empty function restores it.
using EndHandler = std::function<void(EndStatus)>;
void setEndHandler(EndHandler handler);
// A handler that needs no status.
void setEndHandler(std::function<void()> handler);

} // namespace platform

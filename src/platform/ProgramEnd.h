#pragma once

#include <functional>

namespace platform {

// The program's exit status, so that a supervisor can tell a fatal end from the operator's.
enum class EndStatus : int {
    Normal = 0,            // the operator ended the program (Exit, Cancel)
    DataError = 2,         // a database could not be opened
    ScaleNotConnected = 3, // the network scale did not answer
};

// Ends the program at once: no window's unload handling runs. Callers return right after,
// so that a test that replaces the ending sees nothing more happen.
void endProgram(EndStatus status = EndStatus::Normal);

using EndHandler = std::function<void(EndStatus)>;
void setEndHandler(EndHandler handler);
// A handler that needs no status.
void setEndHandler(std::function<void()> handler);

} // namespace platform

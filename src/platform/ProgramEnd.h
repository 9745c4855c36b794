#pragma once

#include <functional>

namespace platform {

// Ends the program at once: no window's unload handling runs. Callers return right after,
// so that a test that replaces the ending sees nothing more happen.
void endProgram();

using EndHandler = std::function<void()>;
void setEndHandler(EndHandler handler);

} // namespace platform

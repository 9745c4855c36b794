#pragma once

#include <functional>

namespace platform {

// Ends the program at once: no window's unload handling runs. Callers return right after,
// so that a test that replaces the ending sees nothing more happen.
// status: what the program ends with; a failure that ends it is not 0.
void endProgram(int status = 0);

using EndHandler = std::function<void()>;
void setEndHandler(EndHandler handler);

} // namespace platform

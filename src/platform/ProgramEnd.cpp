#include "ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
EndHandler& handlerStore()
{
    static EndHandler handler;
    return handler;
}
} // namespace

void endProgram(EndStatus status)
{
    if (handlerStore()) {
        handlerStore()(status);
        return;
    }
    // Every receipt is committed when it is added, so nothing waits to be written.
    std::fflush(nullptr);
    std::_Exit(int(status));
}

void setEndHandler(EndHandler handler)
{
    handlerStore() = std::move(handler);
}

void setEndHandler(std::function<void()> handler)
{
    if (!handler) {
        handlerStore() = nullptr;
        return;
    }
    handlerStore() = [handler = std::move(handler)](EndStatus) { handler(); };
}

} // namespace platform

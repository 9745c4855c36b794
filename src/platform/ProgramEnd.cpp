#include "ProgramEnd.h"

#include <QCoreApplication>

namespace platform {
namespace {
EndHandler& handlerStore()
{
    static EndHandler handler;
    return handler;
}

std::function<void()>& endingStepStore()
{
    static std::function<void()> step;
    return step;
}

std::optional<EndStatus>& endingStore()
{
    static std::optional<EndStatus> status;
    return status;
}
} // namespace

void endProgram(EndStatus status)
{
    if (handlerStore()) {
        handlerStore()(status);
        return;
    }
    if (endingStore())
        return;
    endingStore() = status;
    if (endingStepStore())
        endingStepStore()();
    // Every receipt is committed when it is added, so nothing waits to be written. Every loop
    // of the thread is told to return, and later ones return at once.
    QCoreApplication::exit(int(status));
}

std::optional<EndStatus> programEnding()
{
    return endingStore();
}

void setEndingStep(std::function<void()> step)
{
    endingStepStore() = std::move(step);
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

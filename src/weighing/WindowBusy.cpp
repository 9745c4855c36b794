#include "WindowBusy.h"

#include "platform/OperatorInput.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace weighing {

WindowBusy::WindowBusy(QWidget* window) : QObject(window), m_window(window)
{
    // Its own close is refused while it waits, whoever asks.
    m_window->installEventFilter(this);
}

WindowBusy::~WindowBusy()
{
    if (waiting())
        QCoreApplication::instance()->removeEventFilter(this);
}

void WindowBusy::hold(WaitFor what)
{
    const bool wasWaiting = waiting();
    ++holdsOf(what);
    if (!wasWaiting)
        QCoreApplication::instance()->installEventFilter(this);
    emit changed();
}

void WindowBusy::release(WaitFor what)
{
    if (holdsOf(what) == 0)
        return;
    --holdsOf(what);
    if (!waiting())
        QCoreApplication::instance()->removeEventFilter(this);
    emit changed();
}

bool WindowBusy::meantForWindow(QObject* receiver) const
{
    if (auto* window = qobject_cast<QWindow*>(receiver))
        return window == m_window->windowHandle();
    // A shortcut or other helper object belongs to the widget it hangs from.
    QObject* owner = receiver;
    while (owner && !owner->isWidgetType())
        owner = owner->parent();
    return owner && static_cast<QWidget*>(owner)->window() == m_window;
}

bool WindowBusy::eventFilter(QObject* watched, QEvent* event)
{
    if (!waiting())
        return false;
    if (event->type() == QEvent::Close && watched == m_window) {
        event->ignore();
        return true;
    }
    return platform::isOperatorInput(event->type()) && meantForWindow(watched);
}

} // namespace weighing

#pragma once

#include <QEvent>

namespace platform {

// The operator's keys, clicks and wheel turns: what a window drops while one of its handlers
// waits (for the scale, for the database), so that nothing typed then acts afterwards.
inline bool isOperatorInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace platform

#include "KeyFilters.h"

#include <QKeyEvent>

namespace formkit {
namespace {
bool passesEveryFilter(int code)
{
    return code == kBackspace || code == kEnter || code == kMinus || (code >= '0' && code <= '9');
}
} // namespace

void Key_Numeric(int& KeyAscii)
{
    if (!passesEveryFilter(KeyAscii))
        KeyAscii = 0;
}

void Key_Decimal(int& KeyAscii, const QString& boxText)
{
    if (passesEveryFilter(KeyAscii))
        return;
    if (KeyAscii == kPoint && !boxText.contains(QLatin1Char('.')))
        return;
    KeyAscii = 0;
}

int keyAsciiOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0; // these move the focus or cancel; they never reach a field's key handling
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return 0;
    const int code = text.at(0).unicode();
    if (code == 127)
        return 0; // Delete edits the box; it types no character
    return code;
}

int keyCodeOf(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? 96 + (key - Qt::Key_0) : 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    if (keypad) {
        switch (key) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break;
        }
    }
    if (key == Qt::Key_Down)
        return kKeyDown;
    return 0;
}

} // namespace formkit

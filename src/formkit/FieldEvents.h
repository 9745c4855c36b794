#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace formkit {

// A field's focus and key handlers, as a window wires them.
struct FieldHandlers {
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    // Key-down with its key code (keyCodeOf); true when the handler used the key.
    std::function<bool(int keyCode)> keyDown;
    // The typed character's code, by reference: 0 swallows the key, another code is typed
    // in its place. Enter, once a field's key handling has seen it, goes no further, so it
    // never also presses a dialog's default button.
    std::function<void(int& keyAscii)> keyPress;
};

// Key handling of a field whose Enter moves the focus on, or acts (as a window's Ok does).
std::function<void(int& keyAscii)> enterMovesTo(QWidget* next);
std::function<void(int& keyAscii)> enterRuns(std::function<void()> action);

// Esc presses a window's cancel button; true when the key was Esc and the button was pressed.
bool escapePresses(QAbstractButton* cancelButton, const QKeyEvent* event);

// Routes focus and key events of a window's fields to their handlers. Focus that leaves or
// returns with the whole window (a message box, a list's pop-up) is not the field's doing and
// runs no handler, except that a window's first field is entered when the window first shows.
class FieldEvents : public QObject {
    Q_OBJECT
public:
    explicit FieldEvents(QObject* parent = nullptr) : QObject(parent) {}
    void on(QWidget* field, FieldHandlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool focusEntered(QWidget* field, const FieldHandlers& handlers, QFocusEvent* event);
    bool focusLeft(QWidget* field, const FieldHandlers& handlers, QFocusEvent* event);
    bool keyPressed(QWidget* field, const FieldHandlers& handlers, QEvent* event);
    QHash<QObject*, FieldHandlers> m_handlers;
    QPointer<QWidget> m_focusedField; // the field whose focus handlers ran last
};

} // namespace formkit

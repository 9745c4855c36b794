#include "FieldEvents.h"

#include "Focus.h"
#include "KeyFilters.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace formkit {
namespace {
bool isFieldFocusChange(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}
} // namespace

std::function<void(int&)> enterMovesTo(QWidget* next)
{
    return enterRuns([next] { Next_Focus(next); });
}

std::function<void(int&)> enterRuns(std::function<void()> action)
{
    return [action = std::move(action)](int& keyAscii) {
        if (keyAscii == kEnter)
            action();
    };
}

bool escapePresses(QAbstractButton* cancelButton, const QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    cancelButton->click();
    return true;
}

void FieldEvents::on(QWidget* field, FieldHandlers handlers)
{
    m_handlers.insert(field, std::move(handlers));
    field->installEventFilter(this);
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = m_handlers.constFind(watched);
    if (found == m_handlers.constEnd())
        return false;
    auto* field = static_cast<QWidget*>(watched);
    const FieldHandlers handlers = found.value();
    switch (event->type()) {
    case QEvent::FocusIn:
        return focusEntered(field, handlers, static_cast<QFocusEvent*>(event));
    case QEvent::FocusOut:
        return focusLeft(field, handlers, static_cast<QFocusEvent*>(event));
    case QEvent::KeyPress:
        return keyPressed(field, handlers, event);
    case QEvent::Wheel:
        // A wheel turned over a list the operator is not in must not change it (a route
        // changed so would clear the receipt being entered).
        return (qobject_cast<QComboBox*>(field) || qobject_cast<QAbstractSpinBox*>(field)) &&
               !field->hasFocus();
    default:
        return false;
    }
}

// A field keeps the focus while a message box or a list's pop-up is up; when the window comes
// back, the focus may have been moved meanwhile, and then the old field is left and the new one
// entered as if it had happened with the window active.
bool FieldEvents::focusEntered(QWidget* field, const FieldHandlers& handlers, QFocusEvent* event)
{
    if (event->reason() == Qt::PopupFocusReason || m_focusedField == field)
        return false;
    if (m_focusedField) {
        QWidget* left = m_focusedField;
        m_focusedField = nullptr;
        const auto found = m_handlers.constFind(left);
        if (found != m_handlers.constEnd() && found->lostFocus)
            found->lostFocus();
    }
    m_focusedField = field;
    if (!handlers.gotFocus)
        return false;
    // The field takes the focus first, so that what the handler selects stays selected.
    static_cast<QObject*>(field)->event(event);
    handlers.gotFocus();
    return true;
}

bool FieldEvents::focusLeft(QWidget* field, const FieldHandlers& handlers, QFocusEvent* event)
{
    if (!isFieldFocusChange(event))
        return false;
    if (m_focusedField == field)
        m_focusedField = nullptr;
    if (!handlers.lostFocus)
        return false;
    static_cast<QObject*>(field)->event(event);
    handlers.lostFocus();
    return true;
}

bool FieldEvents::keyPressed(QWidget* field, const FieldHandlers& handlers, QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (handlers.keyDown) {
        const int code = keyCodeOf(key);
        if (code != 0 && handlers.keyDown(code))
            return true;
    }
    if (!handlers.keyPress)
        return false;
    const int typed = keyAsciiOf(key);
    if (typed == 0)
        return false;
    int keyAscii = typed;
    handlers.keyPress(keyAscii);
    if (keyAscii == 0 || typed == kEnter)
        return true;
    if (keyAscii != typed) {
        if (auto* box = qobject_cast<QLineEdit*>(field))
            box->insert(QString(QChar(keyAscii)));
        return true;
    }
    return false;
}

} // namespace formkit

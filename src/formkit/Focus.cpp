#include "Focus.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace formkit {
namespace {
// A date picker has no background of its own to colour; it only turns bold.
bool hasOwnBackground(const QWidget* control)
{
    return !qobject_cast<const QAbstractSpinBox*>(control);
}

void setBackground(QWidget* control, const QColor& colour)
{
    if (!hasOwnBackground(control))
        return;
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    control->setPalette(palette);
}

// The window's own step along the tab order, which a picker overrides to step through its
// sections.
struct FocusChain : QWidget {
    static void step(QWidget* from, bool next)
    {
        QWidget* window = from->window();
        (window->*(&FocusChain::focusNextPrevChild))(next);
    }
};

class PickerTab : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        const bool back = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (!back && key->key() != Qt::Key_Tab)
            return false;
        FocusChain::step(static_cast<QWidget*>(watched), !back);
        return true;
    }
};

void setBold(QWidget* control, int fontAccess, bool bold)
{
    if (fontAccess != 0 && fontAccess != 1)
        return;
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}
} // namespace

void Next_Focus(QWidget* control)
{
    if (!control || !control->isVisible() || !control->isEnabled() ||
        control->focusPolicy() == Qt::NoFocus)
        return;
    control->setFocus(Qt::OtherFocusReason);
}

void Fld_GotFocus(QWidget* control, int fontAccess)
{
    if (!control)
        return;
    setBackground(control, kHighlight);
    setBold(control, fontAccess, true);
}

void Fld_LostFocus(QWidget* control, int fontAccess)
{
    if (!control)
        return;
    setBackground(control, kNormal);
    setBold(control, fontAccess, false);
}

void Sel_All(QLineEdit* box)
{
    if (!box || box->text().isEmpty())
        return;
    box->setSelection(0, box->text().size());
}

void tabLeavesPicker(QAbstractSpinBox* picker)
{
    picker->installEventFilter(new PickerTab(picker));
}

QColor backgroundOf(const QWidget* control)
{
    return control->palette().color(QPalette::Base);
}

} // namespace formkit

#include "Focus.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace formkit {
namespace {

const char* const kHighlighted = "focusHighlight";

bool isHighlighted(const QWidget* widget)
{
    return widget && widget->property(kHighlighted).toBool();
}

// Paints a highlighted control with its palette's background colours changed, through palettes
// made once for each palette it is asked about. Each new palette set on a control would leave
// behind the pixmaps the style caches for it, so a shift of focus changes would grow the desk's
// memory by receipt; the controls' own palettes therefore never change.
class HighlightStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        withHighlight(option, widget, [&](const QStyleOption* o) {
            QProxyStyle::drawPrimitive(element, o, painter, widget);
        });
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        withHighlight(option, widget, [&](const QStyleOption* o) {
            QProxyStyle::drawControl(element, o, painter, widget);
        });
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        withHighlight(option, widget, [&](const QStyleOption* o) {
            QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex*>(o),
                                            painter, widget);
        });
    }

private:
    template <typename Draw>
    void withHighlight(const QStyleOption* option, const QWidget* widget, Draw draw) const
    {
        if (!isHighlighted(widget)) {
            draw(option);
            return;
        }
        // The option is the painting control's own copy; its palette is lent and given back.
        auto* lent = const_cast<QStyleOption*>(option);
        const QPalette own = lent->palette;
        lent->palette = highlighted(own);
        draw(lent);
        lent->palette = own;
    }

    const QPalette& highlighted(const QPalette& own) const
    {
        // A few palettes at most (one per look of a control); bounded all the same.
        constexpr int kMostPalettes = 64;
        if (m_highlighted.size() > kMostPalettes)
            m_highlighted.clear();
        auto found = m_highlighted.find(own.cacheKey());
        if (found == m_highlighted.end()) {
            QPalette palette = own;
            palette.setColor(QPalette::Base, kHighlight);
            palette.setColor(QPalette::Button, kHighlight);
            found = m_highlighted.insert(own.cacheKey(), palette);
        }
        return found.value();
    }

    mutable QHash<qint64, QPalette> m_highlighted;
};

QStyle* highlightStyle()
{
    static QPointer<HighlightStyle> style;
    if (!style) {
        style = new HighlightStyle;
        style->setParent(qApp);
    }
    return style;
}

void setHighlighted(QWidget* control, bool on)
{
    // A date picker has no background of its own to colour; it only turns bold.
    if (qobject_cast<const QAbstractSpinBox*>(control) || isHighlighted(control) == on)
        return;
    if (control->style() != highlightStyle())
        control->setStyle(highlightStyle());
    control->setProperty(kHighlighted, on);
    control->update();
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
    setHighlighted(control, true);
    setBold(control, fontAccess, true);
}

void Fld_LostFocus(QWidget* control, int fontAccess)
{
    if (!control)
        return;
    setHighlighted(control, false);
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
    return isHighlighted(control) ? kHighlight : control->palette().color(QPalette::Base);
}

} // namespace formkit

#include "PasteRules.h"

#include "KeyFilters.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <optional>

namespace formkit {
namespace {
QString withoutCopiedLineEnd(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

// Each character as the field's key filter would take it when typed; 0 when it swallows it.
int typed(QChar c, TypingRule rule)
{
    int code = c.unicode();
    switch (rule) {
    case TypingRule::AnyText:
        break;
    case TypingRule::Capitals:
        code = c.toUpper().unicode();
        break;
    case TypingRule::Numeric:
        Key_Numeric(code);
        break;
    case TypingRule::Decimal:
        // The point is judged on the whole result below, not on the text before it.
        if (code != kPoint)
            Key_Decimal(code, QString());
        break;
    }
    return code;
}

QString whatItTakes(TypingRule rule)
{
    return rule == TypingRule::Numeric
               ? QCoreApplication::translate("PasteRules", "only digits and \"-\"")
               : QCoreApplication::translate("PasteRules", "only digits, \"-\" and one \".\"");
}

PasteVerdict refuse(const QString& reason)
{
    PasteVerdict verdict;
    verdict.reason = reason;
    return verdict;
}
} // namespace

PasteVerdict judgePaste(const QString& pasted, TypingRule rule, const QString& kept, int maxLength,
                        const QString& caption)
{
    const QString text = withoutCopiedLineEnd(pasted);
    QString taken;
    taken.reserve(text.size());
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return refuse(QCoreApplication::translate(
                              "PasteRules", "%1 takes one line of text: the paste was refused")
                              .arg(caption));
        const int code = typed(c, rule);
        if (code == 0)
            return refuse(QCoreApplication::translate("PasteRules",
                                                      "%1 takes %2: the paste \"%3\" was refused")
                              .arg(caption, whatItTakes(rule), text.left(20)));
        taken += QChar(code);
    }
    if (rule == TypingRule::Decimal && (kept + taken).count(QLatin1Char('.')) > 1)
        return refuse(
            QCoreApplication::translate("PasteRules", "%1 takes %2: the paste \"%3\" was refused")
                .arg(caption, whatItTakes(rule), text.left(20)));
    const int length = int(kept.size() + taken.size());
    if (maxLength > 0 && length > maxLength)
        return refuse(
            QCoreApplication::translate(
                "PasteRules", "%1 takes at most %2 characters: the paste of %3 was refused")
                .arg(caption)
                .arg(maxLength)
                .arg(taken.size()));
    PasteVerdict verdict;
    verdict.accepted = true;
    verdict.text = taken;
    return verdict;
}

void PasteGuard::guard(QLineEdit* box, TypingRule rule, const QString& caption)
{
    m_boxes.insert(box, Guarded{rule, caption});
    box->installEventFilter(this);
}

void PasteGuard::redirect(QLineEdit* box, Take take)
{
    m_redirected.insert(box, std::move(take));
    box->installEventFilter(this);
}

namespace {
// The text a key or the middle button pastes, or nothing when the event pastes nothing.
std::optional<QString> pastedBy(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return std::nullopt;
        return QGuiApplication::clipboard()->text();
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // X11's selection, pasted by the middle button where the desktop has one.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection())
            return std::nullopt;
        return QGuiApplication::clipboard()->text(QClipboard::Selection);
    }
    return std::nullopt;
}
} // namespace

bool PasteGuard::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    const auto redirect = m_redirected.constFind(watched);
    if (redirect != m_redirected.constEnd())
        return redirected(box, *redirect, event);
    const auto found = m_boxes.constFind(watched);
    if (found == m_boxes.constEnd())
        return false;
    if (const auto text = pastedBy(event)) {
        pasteInto(box, *found, *text);
        return true;
    }
    switch (event->type()) {
    case QEvent::ContextMenu:
        showMenu(box, *found, event);
        return true;
    case QEvent::Drop:
        return dropInto(box, *found, event);
    default:
        return false;
    }
}

bool PasteGuard::redirected(QLineEdit* box, const Take& take, QEvent* event)
{
    if (const auto text = pastedBy(event)) {
        take(*text);
        return true;
    }
    switch (event->type()) {
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QMimeData* data = drop->mimeData();
        take(data && data->hasText() ? data->text() : QString());
        drop->acceptProposedAction();
        return true;
    }
    case QEvent::ContextMenu: {
        QMenu* menu = box->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            paste->disconnect();
            connect(paste, &QAction::triggered, this,
                    [take] { take(QGuiApplication::clipboard()->text()); });
        }
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

bool PasteGuard::pasteInto(QLineEdit* box, const Guarded& guarded, const QString& text)
{
    if (box->isReadOnly() || !box->isEnabled())
        return false;
    QString kept = box->text();
    if (box->hasSelectedText())
        kept.remove(box->selectionStart(), box->selectedText().size());
    const PasteVerdict verdict =
        judgePaste(text, guarded.rule, kept, box->maxLength(), guarded.caption);
    if (!verdict.accepted) {
        emit refused(verdict.reason);
        return false;
    }
    box->insert(verdict.text);
    emit accepted();
    return true;
}

// A drop inserts at the point where it lands and replaces nothing; text moved within the box
// itself is already the box's own and is left to the box.
bool PasteGuard::dropInto(QLineEdit* box, const Guarded& guarded, QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() == box || !drop->mimeData()->hasText())
        return false;
    const int at = box->cursorPositionAt(drop->position().toPoint());
    const PasteVerdict verdict = judgePaste(drop->mimeData()->text(), guarded.rule, box->text(),
                                            box->maxLength(), guarded.caption);
    if (!verdict.accepted || box->isReadOnly()) {
        drop->ignore();
        if (!verdict.accepted)
            emit refused(verdict.reason);
        return true;
    }
    box->deselect();
    box->setCursorPosition(at);
    box->insert(verdict.text);
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    emit accepted();
    return true;
}

void PasteGuard::showMenu(QLineEdit* box, const Guarded& guarded, QEvent* event)
{
    QMenu* menu = box->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste"))
            continue;
        action->disconnect();
        connect(action, &QAction::triggered, this, [this, box, guarded] {
            pasteInto(box, guarded, QGuiApplication::clipboard()->text());
        });
    }
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
}

} // namespace formkit

#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QMimeData;

namespace formkit {

// What a field lets the operator type, and so what a paste or a drop may put into it.
enum class TypingRule {
    AnyText,  // no key filter
    Capitals, // every typed letter turned to its capital
    Numeric,  // Key_Numeric: digits and "-"
    Decimal,  // Key_Decimal: digits, "-" and one "."
};

struct PasteVerdict {
    bool accepted = false;
    QString text;   // what goes into the field when accepted
    QString reason; // why not, for the operator, when refused
};

// Judges text pasted or dropped into a field by the field's typing rule and its limit:
// `kept` is the field's text that stays (its text without the part the paste replaces),
// `caption` the field's name in the reason. A paste is taken whole or refused whole, never
// cut: characters the field's key filter would swallow refuse it, and so does a result
// longer than maxLength. Capitals are applied as typing applies them. The one line end that
// copying a line brings along is dropped; any other line break or control character refuses.
PasteVerdict judgePaste(const QString& pasted, TypingRule rule, const QString& kept, int maxLength,
                        const QString& caption);

// Makes every way text is pasted into a box obey judgePaste: Ctrl+V, Shift+Insert, the context
// menu's Paste, the middle button's selection paste, and a drop. A refused paste changes
// nothing and is told through refused().
class PasteGuard : public QObject {
    Q_OBJECT
public:
    using Take = std::function<void(const QString&)>;

    explicit PasteGuard(QObject* parent = nullptr) : QObject(parent) {}
    void guard(QLineEdit* box, TypingRule rule, const QString& caption);
    // Every one of those ways hands the pasted text to take instead of the box, which keeps its
    // own text (a field whose paste opens a lookup, or goes through checks of its own).
    void redirect(QLineEdit* box, Take take);

signals:
    void refused(const QString& reason);
    void accepted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Guarded {
        TypingRule rule;
        QString caption;
    };
    // Puts the text in place of the box's selection, or refuses it; true when it went in.
    bool pasteInto(QLineEdit* box, const Guarded& guarded, const QString& text);
    bool dropInto(QLineEdit* box, const Guarded& guarded, QEvent* event);
    void showMenu(QLineEdit* box, const Guarded& guarded, QEvent* event);
    bool redirected(QLineEdit* box, const Take& take, QEvent* event);
    QHash<QObject*, Guarded> m_boxes;
    QHash<QObject*, Take> m_redirected;
};

} // namespace formkit

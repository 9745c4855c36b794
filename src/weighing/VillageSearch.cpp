#include "VillageSearch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace villagesearch {
namespace {
// X11 and evdev number the keys of the digit row 10 ("1") to 19 ("0") whatever the layout, so
// Shift with a digit is known by its key even where the layout gives it a punctuation mark.
constexpr quint32 kScanCodeOne = 10;
constexpr quint32 kScanCodeZero = 19;

QChar digitRowKey(const QKeyEvent& key)
{
    const quint32 scan = key.nativeScanCode();
    if (!(key.modifiers() & Qt::ShiftModifier) || scan < kScanCodeOne || scan > kScanCodeZero)
        return QChar();
    return scan == kScanCodeZero ? QLatin1Char('0') : QChar('1' + int(scan - kScanCodeOne));
}

bool isControlCharacter(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}
} // namespace

QString openingText(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QString();
    const QChar digit = digitRowKey(key);
    if (!digit.isNull())
        return QString(digit);
    const int k = key.key();
    const bool keypad = key.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return QString(QChar('0' + (k - Qt::Key_0)));
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return QString(QChar('A' + (k - Qt::Key_A)));
    // The key codes 106 to 122 of the keypad's operators and F1-F11 are the codes of j to z.
    if (k >= Qt::Key_F1 && k <= Qt::Key_F11)
        return QString(QChar('p' + (k - Qt::Key_F1)));
    if (keypad) {
        switch (k) {
        case Qt::Key_Asterisk:
            return QStringLiteral("j");
        case Qt::Key_Plus:
            return QStringLiteral("k");
        case Qt::Key_Minus:
            return QStringLiteral("m");
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return QStringLiteral("n");
        case Qt::Key_Slash:
            return QStringLiteral("o");
        default:
            break;
        }
    }
    // A letter of another script (a Devanagari keyboard's) opens the panel with itself: the
    // operator is starting a village's name.
    const QString typed = key.text();
    if (typed.size() == 1 && typed.at(0).unicode() > 0x7f && typed.at(0).isLetter())
        return typed;
    return QString();
}

PasteCheck checkPaste(const QString& pasted, const QString& fieldCaption, int roomLeft, int limit)
{
    QString text = pasted;
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    for (const QChar c : text) {
        if (isControlCharacter(c))
            return {QString(),
                    QCoreApplication::translate("weighing", "%1: paste refused, it holds a line "
                                                            "break or another control character")
                        .arg(fieldCaption)};
    }
    if (text.size() > roomLeft)
        return {QString(),
                QCoreApplication::translate("weighing", "%1: paste refused, at most %2 characters")
                    .arg(fieldCaption)
                    .arg(limit)};
    return {text, QString()};
}

} // namespace villagesearch

#include "DeskWindows.h"

#include "Messages.h"
#include "ProgramEnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace platform {
namespace {
void showMessageBox(const Message& message)
{
    QMessageBox box(message.kind == MessageKind::Critical ? QMessageBox::Critical
                                                          : QMessageBox::NoIcon,
                    message.title, message.text, QMessageBox::Ok, QApplication::activeWindow());
    // Qt's own texts come in few languages; the desk's button speaks the desk's.
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("DeskWindows", "OK"));
    box.exec();
}

// Hidden, not closed: no window's close handling (the weighing window's unload) runs, and the
// last window going away does not end the loops with a status of its own.
void hideEveryWindow()
{
    QApplication::setQuitOnLastWindowClosed(false);
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        window->hide();
}
} // namespace

void useDeskWindows()
{
    setDefaultMessageHandler(showMessageBox);
    setEndingStep(hideEveryWindow);
}

} // namespace platform

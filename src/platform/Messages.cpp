#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {
MessageHandler& handlerStore()
{
    static MessageHandler handler;
    return handler;
}
} // namespace

QString appTitle()
{
    return QStringLiteral("Tarvolen");
}

void showMessage(const QString& text, const QString& title, MessageKind kind)
{
    Message message{text, title.isEmpty() ? appTitle() : title, kind};
    if (handlerStore()) {
        handlerStore()(message);
        return;
    }
    QMessageBox box(kind == MessageKind::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    message.title, message.text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void setMessageHandler(MessageHandler handler)
{
    handlerStore() = std::move(handler);
}

} // namespace platform

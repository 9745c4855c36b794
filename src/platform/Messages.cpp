#include "Messages.h"

#include <QCoreApplication>
#include <cstdio>

namespace platform {
namespace {
MessageHandler& recorderStore()
{
    static MessageHandler handler;
    return handler;
}

MessageHandler& defaultStore()
{
    static MessageHandler handler;
    return handler;
}
} // namespace

QString appTitle()
{
    return QStringLiteral("Tarvolen");
}

QString messageLine(const Message& message)
{
    QString program = QCoreApplication::applicationName();
    if (program.isEmpty())
        program = QStringLiteral("tarvolen");
    return QStringLiteral("%1: %2\n").arg(program, message.text);
}

void showMessage(const QString& text, const QString& title, MessageKind kind)
{
    const Message message{text, title.isEmpty() ? appTitle() : title, kind};
    if (recorderStore())
        recorderStore()(message);
    else if (defaultStore())
        defaultStore()(message);
    else
        std::fputs(messageLine(message).toLocal8Bit().constData(), stderr);
}

void setDefaultMessageHandler(MessageHandler handler)
{
    defaultStore() = std::move(handler);
}

void setMessageHandler(MessageHandler handler)
{
    recorderStore() = std::move(handler);
}

} // namespace platform

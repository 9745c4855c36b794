#pragma once

#include <QString>
#include <functional>

namespace platform {

enum class MessageKind { Plain, Critical };

struct Message {
    QString text;
    QString title;
    MessageKind kind = MessageKind::Plain;
};

// The title of the operator's validation messages (sign-in, Add, the date check).
inline const char* const kCheckTitle = "Quenmoor";

// The program title, shown as the title of messages that carry no title of their own.
QString appTitle();

// Every operator message goes through here: an OK-only box, no icon unless critical.
void showMessage(const QString& text, const QString& title = QString(),
                 MessageKind kind = MessageKind::Plain);

// Tests put a recorder in place of the box; an empty function restores the real box.
using MessageHandler = std::function<void(const Message&)>;
void setMessageHandler(MessageHandler handler);

} // namespace platform

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

// Every operator message goes through here. Where it goes: a test's recorder when one is in
// place, else the program's own handler (the desk's OK-only box, see DeskWindows.h), else a
// line on standard error, as the command-line tools want.
void showMessage(const QString& text, const QString& title = QString(),
                 MessageKind kind = MessageKind::Plain);

using MessageHandler = std::function<void(const Message&)>;
// The program's own way of showing messages; an empty function returns to standard error.
void setDefaultMessageHandler(MessageHandler handler);
// Tests put a recorder in front of it; an empty function removes the recorder.
void setMessageHandler(MessageHandler handler);

// The line a message makes on standard error: "<program>: <text>".
QString messageLine(const Message& message);

} // namespace platform

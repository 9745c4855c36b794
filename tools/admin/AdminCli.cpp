#include "AdminCli.h"

#include <QFile>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace admincli {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

namespace {
QString& commandName()
{
    static QString name;
    return name;
}
} // namespace

void setCommand(const QString& command)
{
    commandName() = command;
}

int wrongUsage(const QString& problem)
{
    // One line that names the mistake; the whole usage would bury it.
    const QString help = commandName().isEmpty()
                             ? QStringLiteral("tarvolen-admin --help")
                             : QStringLiteral("tarvolen-admin %1 --help").arg(commandName());
    err() << "tarvolen-admin: " << problem << " (see " << help << ")\n";
    err().flush();
    return WrongUsage;
}

int failed(const QString& problem)
{
    err() << "tarvolen-admin: " << problem << "\n";
    err().flush();
    return Failed;
}

bool parseOptions(QCommandLineParser& parser, const QString& usageLine,
                  const QStringList& arguments, int* exitCode)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("tarvolen-admin")} + arguments)) {
        *exitCode = wrongUsage(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        // The parser names the program by its full path; the command belongs in the usage line.
        QString text = parser.helpText();
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        out() << usageLine << text.mid(text.indexOf(QLatin1Char('\n')));
        out().flush();
        *exitCode = Done;
        return false;
    }
    return true;
}

bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           int* exitCode)
{
    if (!parseOptions(parser, QStringLiteral("Usage: tarvolen-admin %1 [options]").arg(command),
                      arguments, exitCode))
        return false;
    if (!parser.positionalArguments().isEmpty()) {
        *exitCode = wrongUsage(QStringLiteral("unexpected argument \"%1\"")
                                   .arg(parser.positionalArguments().constFirst()));
        return false;
    }
    return true;
}

bool requireValue(const QCommandLineParser& parser, const QString& option, QString* value,
                  int* exitCode)
{
    *value = parser.value(option);
    if (value->trimmed().isEmpty()) {
        *exitCode = wrongUsage(QStringLiteral("--%1 is required").arg(option));
        return false;
    }
    return true;
}

bool wholeNumber(const QCommandLineParser& parser, const QString& option, int min, int max,
                 int* value, int* exitCode)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const QString text = parser.value(option).trimmed();
    *value = text.toInt(&ok);
    if (!ok || *value < min || *value > max) {
        *exitCode =
            wrongUsage(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                           .arg(option)
                           .arg(min)
                           .arg(max)
                           .arg(text));
        return false;
    }
    return true;
}

} // namespace admincli

bool admincli::readHidden(const char* prompt, QString* line)
{
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios quiet = saved;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    char buffer[1024] = {};
    const bool read = std::fgets(buffer, sizeof buffer, stdin) != nullptr;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    *line = QString::fromLocal8Bit(buffer).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    return read;
}

bool admincli::readStdinLine(QString* line)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return false;
    *line = QString::fromUtf8(in.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    return true;
}

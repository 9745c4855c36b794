#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What every command of tarvolen-admin shares: its exit codes, its two streams, and the
// parsing of a command's options with --help.
namespace admincli {

enum ExitCode { Done = 0, Failed = 1, WrongUsage = 2 };

QTextStream& out();
QTextStream& err();

// The command being run, named by wrongUsage's pointer to its help.
void setCommand(const QString& command);
// Says in one line what was wrong with the command line, points to --help, gives WrongUsage.
int wrongUsage(const QString& problem);
// Says why the command failed and gives Failed.
int failed(const QString& problem);

// Parses the options of one command (the arguments after the command's name). Returns false
// with *exitCode set when the run ends here (help shown or wrong arguments).
// The part of parsing every command shares: the options, --help (shown under usageLine) and
// wrong options. Positional words are left to the caller.
bool parseOptions(QCommandLineParser& parser, const QString& usageLine,
                  const QStringList& arguments, int* exitCode);
bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           int* exitCode);
bool requireValue(const QCommandLineParser& parser, const QString& option, QString* value,
                  int* exitCode);
// A whole number option; *value keeps -1 (leave the setting) when the option is absent.
bool wholeNumber(const QCommandLineParser& parser, const QString& option, int min, int max,
                 int* value, int* exitCode);

// One line from the terminal with the echo off, after the prompt on standard error.
bool readHidden(const char* prompt, QString* line);
// The first line of standard input (without its line end); false when it cannot be read.
bool readStdinLine(QString* line);

// The usage text of all commands (each command adds its lines in main.cpp's table).
QString usage();

} // namespace admincli

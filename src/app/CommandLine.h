#pragma once

#include <QString>
#include <QStringList>

// The desk's own command line: --program-dir DIR, --version, --help. Qt's options (-platform,
// -style, ...) are taken by QApplication before the desk reads what is left.
struct DeskCommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, WrongUsage };
    Action action = Action::Run;
    QString programDir; // empty: not given
    QString problem;    // what was wrong, for WrongUsage
};

// Reads the arguments after the program's name.
DeskCommandLine parseDeskArguments(const QStringList& arguments);

QString deskHelpText();
QString deskVersionText();

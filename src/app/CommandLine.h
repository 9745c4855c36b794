#pragma once

#include <QString>
#include <QStringList>

// The desk's own command line: --program-dir DIR, --version, --help. Qt's options (-platform,
// -style, ...) are taken by QApplication; the desk reads what is left. Before the application
// exists (it needs a display) the desk reads the whole command line, passing over Qt's options.
struct DeskCommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, WrongUsage };
    Action action = Action::Run;
    QString programDir; // empty: not given
    QString problem;    // what was wrong, for WrongUsage
};

enum class QtOptions {
    Taken,      // QApplication has taken them already: anything left over is wrong
    PassedOver, // still in the arguments: each, with its value, is passed over
};

// Reads the arguments after the program's name.
DeskCommandLine parseDeskArguments(const QStringList& arguments,
                                   QtOptions qtOptions = QtOptions::Taken);

// The one line a wrong command line is told with, pointing to --help.
QString wrongUsageText(const DeskCommandLine& line);

QString deskHelpText();
QString deskVersionText();

#pragma once

#include <QCommandLineParser>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What the commands that set up a centre share: where an installation's files lie, the
// companies and their years, and command lines with words before the options.
namespace admin::centre {

// Without a data root on a server installation, the databases are its data sources
// ("DSN=QUENMOOR_MAIN", "DSN=QUENMOOR_<DbMst>"; see AdminDb's isDataSource).
QString mainFile(const QString& dataRoot);
QString companyFile(const QString& dataRoot, const QString& dbMst);
// True when the commands reach the databases through a server installation's data sources.
bool onServer(const QString& dataRoot);
QString serPathFile(const QString& programDir);

struct CompanyYear {
    QString comCode;
    int code = 0;
    QString dbMst;
    QDate start;
    QDate end;
    QString comName;
    QString town;
};

// Every Years row, by company code and then year code. Empty text or what went wrong.
QString readYears(const QString& dataRoot, QList<CompanyYear>* years);
// The company's latest year (its code in any letter case) whose database file exists.
QString latestYear(const QString& dataRoot, const QString& company, CompanyYear* year,
                   QString* file);

// The tables of supervisors' roles (main database) and of the audit (every year's database
// there is), made where an older installation lacks them. Empty text or what went wrong.
QString makeSupervisorTables(const QString& dataRoot);

// The options that name an installation: --data-root, --program-dir, --allow-world-readable.
void addInstallationOptions(QCommandLineParser& parser);

struct Located {
    QString programDir; // the folder of SerPath.mdb the desk would use; empty when not found
    QString dataRoot;   // empty on a server installation reached through its data sources
    bool programDirGiven = false; // by --program-dir or TARVOLEN_PROGRAM_DIR
};

// Finds the installation a command works on: --data-root when given; else as the desk finds it
// (--program-dir, TARVOLEN_PROGRAM_DIR, the tool's folder, the package's folder) and the data
// root its SerPath.mdb names; else a server installation's data sources. Says on standard error
// which installation it found, and gives it the supervisor tables it lacks. Refuses databases that every user of the computer can read
// unless --allow-world-readable (or refuseExposed is false). False with *exitCode set when the
// command ends here.
bool locate(const QCommandLineParser& parser, Located* found, int* exitCode,
            bool refuseExposed = true);
// Whether the SerPath.mdb of that program folder leads the desk to that data root.
bool namesDataRoot(const QString& programDir, const QString& dataRoot);
// The program folder of a command that works on SerPath.mdb's folder: --program-dir, else found
// as the desk finds it (and said). False with *exitCode set when there is none.
bool programFolderOption(const QCommandLineParser& parser, QString* programDir, int* exitCode);
// locate()'s data root alone.
bool dataRootOption(const QCommandLineParser& parser, QString* dataRoot, int* exitCode);

// The databases of an installation that others than their owner and group can read, each with
// the command that closes it; empty when none.
QStringList exposedDatabases(const QString& programDir, const QString& dataRoot);

// Parses a command whose words (a sub-command, a name, a file) come before or among its
// options; positional lists them for --help. Returns false with *exitCode set when the run ends
// here.
bool parseWords(QCommandLineParser& parser, const QString& command, const QStringList& positional,
                const QStringList& arguments, QStringList* words, int* exitCode);

// A file's bytes, "-" for standard input.
QString readInput(const QString& name, QByteArray* bytes);
// Written whole or not at all (a temporary file put in place), "-" for standard output.
QString writeOutput(const QString& name, const QByteArray& bytes);

} // namespace admin::centre

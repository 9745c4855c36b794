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

// --data-root's value; a server installation is found through its data sources and needs none.
// False with *exitCode set when it is missing.
bool dataRootOption(const QCommandLineParser& parser, QString* dataRoot, int* exitCode);

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

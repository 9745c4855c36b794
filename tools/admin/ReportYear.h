#pragma once

#include "Centre.h"
#include "datastore/Connection.h"

#include <QCommandLineParser>
#include <QDate>
#include <QList>
#include <QString>

// Which company year a report or an export reads, and its database opened: on a file
// installation or, without a data root, through a server installation's data sources.
namespace admin::reports {

// --company, --year, and the installation's options.
void addYearOptions(QCommandLineParser& parser);

// The year a period is read from: the year whose code is given (0: the year that holds the
// period's first day, else the company's latest). Empty text, or why none can be read: an
// unknown company or year, or a period that the year does not wholly hold (told with the
// company's years, so that the right --year can be named).
QString chooseYear(const QList<centre::CompanyYear>& years, const QString& company, int code,
                   const QDate& from, const QDate& to, centre::CompanyYear* chosen);

// Reads --company and --year, finds the installation and the year for the period, says on
// standard error which year it reads, and opens its database. False with *exitCode set when
// the command ends here.
bool openYear(const QCommandLineParser& parser, const QDate& from, const QDate& to,
              datastore::Connection* companyYear, centre::CompanyYear* year, int* exitCode);

// A date option written yyyy-MM-dd (required).
bool dateOption(const QCommandLineParser& parser, const QString& option, QDate* date,
                int* exitCode);

// --shift AM|PM (2 or 3; 0 when absent) and --route N (0 when absent), added by the caller.
bool shiftOption(const QCommandLineParser& parser, int* shift, int* exitCode);
bool routeOption(const QCommandLineParser& parser, qint64* route, int* exitCode);
QCommandLineOption shiftOptionSpec();
QCommandLineOption routeOptionSpec();

// Writes the whole output or nothing ("-": standard output) and says on standard output (on
// standard error when the output went there) what was written. An exit code.
int writeAndTell(const QString& file, const QByteArray& bytes, const QString& told);

} // namespace admin::reports

#include "ReportYear.h"

#include "AdminCli.h"
#include "AdminDb.h"

#include <QFileInfo>

namespace admin::reports {
namespace {

QString yearText(const centre::CompanyYear& y)
{
    return QStringLiteral("year %1 (%2 to %3)")
        .arg(y.code)
        .arg(y.start.toString(Qt::ISODate), y.end.toString(Qt::ISODate));
}

QString periodText(const QDate& from, const QDate& to)
{
    return from == to ? from.toString(Qt::ISODate)
                      : QStringLiteral("%1 to %2").arg(from.toString(Qt::ISODate),
                                                       to.toString(Qt::ISODate));
}

bool holds(const centre::CompanyYear& y, const QDate& day)
{
    return y.start.isValid() && y.end.isValid() && y.start <= day && day <= y.end;
}

} // namespace

void addYearOptions(QCommandLineParser& parser)
{
    centre::addInstallationOptions(parser);
    parser.addOptions(
        {{QStringLiteral("company"), QStringLiteral("Company code (ComCode)."),
          QStringLiteral("CODE")},
         {QStringLiteral("year"),
          QStringLiteral("The company's year (its code in Years); by default the year that holds "
                         "the date asked for, else the latest."),
          QStringLiteral("CODE")}});
}

QString chooseYear(const QList<centre::CompanyYear>& years, const QString& company, int code,
                   const QDate& from, const QDate& to, centre::CompanyYear* chosen)
{
    QList<centre::CompanyYear> own;
    for (const centre::CompanyYear& y : years)
        if (y.comCode.compare(company.trimmed(), Qt::CaseInsensitive) == 0)
            own << y;
    if (own.isEmpty())
        return QStringLiteral("no company \"%1\"").arg(company);
    QStringList listed;
    for (const centre::CompanyYear& y : own)
        listed << yearText(y);
    const QString known =
        QStringLiteral("%1's years: %2").arg(own.first().comCode, listed.join(QStringLiteral(", ")));
    const centre::CompanyYear* pick = nullptr;
    for (const centre::CompanyYear& y : own) {
        const bool wanted = code != 0 ? y.code == code : holds(y, from);
        if (wanted)
            pick = &y;
    }
    if (!pick && code != 0)
        return QStringLiteral("company \"%1\" has no year %2; %3").arg(company).arg(code).arg(known);
    if (!pick)
        pick = &*std::max_element(own.begin(), own.end(),
                                  [](const centre::CompanyYear& a, const centre::CompanyYear& b) {
                                      return a.code < b.code;
                                  });
    *chosen = *pick;
    if (!holds(*pick, from) || !holds(*pick, to))
        return QStringLiteral("%1 %2 of %3 does not hold %4, so nothing of it is read; name the "
                              "year with --year, one run a year (%5)")
            .arg(code != 0 ? QStringLiteral("the") : QStringLiteral("the year read,"),
                 yearText(*pick), pick->comCode, periodText(from, to), known);
    return QString();
}

bool openYear(const QCommandLineParser& parser, const QDate& from, const QDate& to,
              datastore::Connection* companyYear, centre::CompanyYear* year, int* exitCode)
{
    QString company, dataRoot;
    int code = 0;
    if (!admincli::requireValue(parser, QStringLiteral("company"), &company, exitCode) ||
        !admincli::wholeNumber(parser, QStringLiteral("year"), 1, 32767, &code, exitCode))
        return false;
    code = std::max(code, 0);
    if (!centre::dataRootOption(parser, &dataRoot, exitCode))
        return false;
    QList<centre::CompanyYear> years;
    QString error = centre::readYears(dataRoot, &years);
    if (error.isEmpty())
        error = chooseYear(years, company, code, from, to, year);
    const QString database = centre::companyFile(dataRoot, year->dbMst);
    if (error.isEmpty() && (year->dbMst.isEmpty() ||
                            (!isDataSource(database) && !QFileInfo(database).isFile())))
        error = QStringLiteral("the database %1 of company \"%2\" (year %3) does not exist")
                    .arg(database, year->comCode)
                    .arg(year->code);
    if (error.isEmpty()) {
        admincli::err() << "tarvolen-admin: reading " << yearText(*year) << " of "
                        << year->comCode << " (" << year->dbMst << ")\n";
        admincli::err().flush();
        error = openFile(*companyYear, database);
    }
    if (!error.isEmpty()) {
        *exitCode = admincli::failed(error);
        return false;
    }
    return true;
}

bool dateOption(const QCommandLineParser& parser, const QString& option, QDate* date,
                int* exitCode)
{
    QString text;
    if (!admincli::requireValue(parser, option, &text, exitCode))
        return false;
    *date = QDate::fromString(text, Qt::ISODate);
    if (!date->isValid()) {
        *exitCode = admincli::wrongUsage(
            QStringLiteral("--%1 must be a date written yyyy-MM-dd").arg(option));
        return false;
    }
    return true;
}

QCommandLineOption shiftOptionSpec()
{
    return {QStringLiteral("shift"), QStringLiteral("AM or PM."), QStringLiteral("AM|PM")};
}

QCommandLineOption routeOptionSpec()
{
    return {QStringLiteral("route"), QStringLiteral("Only this route (its RTRefNo)."),
            QStringLiteral("CODE")};
}

bool shiftOption(const QCommandLineParser& parser, int* shift, int* exitCode)
{
    *shift = 0;
    if (!parser.isSet(QStringLiteral("shift")))
        return true;
    const QString text = parser.value(QStringLiteral("shift")).toUpper();
    if (text == QLatin1String("AM"))
        *shift = 2;
    else if (text == QLatin1String("PM"))
        *shift = 3;
    else {
        *exitCode = admincli::wrongUsage(QStringLiteral("--shift must be AM or PM"));
        return false;
    }
    return true;
}

bool routeOption(const QCommandLineParser& parser, qint64* route, int* exitCode)
{
    *route = 0;
    if (!parser.isSet(QStringLiteral("route")))
        return true;
    bool ok = false;
    *route = parser.value(QStringLiteral("route")).toLongLong(&ok);
    if (!ok || *route <= 0) {
        *exitCode = admincli::wrongUsage(QStringLiteral("--route must be a route's number (RTRefNo)"));
        return false;
    }
    return true;
}

int writeAndTell(const QString& file, const QByteArray& bytes, const QString& told)
{
    if (const QString error = centre::writeOutput(file, bytes); !error.isEmpty())
        return admincli::failed(error);
    QTextStream& stream = file == QLatin1String("-") ? admincli::err() : admincli::out();
    stream << (file == QLatin1String("-") ? QStringLiteral("tarvolen-admin") : file)
           << QStringLiteral(": ") << told << QLatin1Char('\n');
    stream.flush();
    return admincli::Done;
}

} // namespace admin::reports

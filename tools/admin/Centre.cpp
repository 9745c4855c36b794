#include "Centre.h"

#include "AdminCli.h"
#include "AdminDb.h"
#include "ServerInstallation.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

namespace admin::centre {
namespace {
QString under(const QString& folder, const QString& name)
{
    return platform::resolvePath(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) +
                                 QLatin1Char('/') + name);
}
// A date column: text on a file, a date on a server.
QDate dateOf(const QVariant& value)
{
    return value.typeId() == QMetaType::QDate
               ? value.toDate()
               : QDate::fromString(value.toString().left(10), Qt::ISODate);
}
} // namespace

bool onServer(const QString& dataRoot)
{
    return dataRoot.trimmed().isEmpty() && isServerInstallation();
}

bool dataRootOption(const QCommandLineParser& parser, QString* dataRoot, int* exitCode)
{
    if (!parser.isSet(QStringLiteral("data-root")) && isServerInstallation()) {
        dataRoot->clear();
        return true;
    }
    return admincli::requireValue(parser, QStringLiteral("data-root"), dataRoot, exitCode);
}

QString mainFile(const QString& dataRoot)
{
    if (onServer(dataRoot))
        return QStringLiteral("DSN=QUENMOOR_MAIN");
    return under(dataRoot, QStringLiteral("DataBas/Main.mdb"));
}

QString companyFile(const QString& dataRoot, const QString& dbMst)
{
    if (onServer(dataRoot))
        return QStringLiteral("DSN=QUENMOOR_") + dbMst;
    return under(dataRoot, QStringLiteral("DataBas/") + dbMst + QStringLiteral(".mdb"));
}

QString serPathFile(const QString& programDir)
{
    return under(programDir, QStringLiteral("SerPath.mdb"));
}

QString readYears(const QString& dataRoot, QList<CompanyYear>* years)
{
    const QString file = mainFile(dataRoot);
    if (!isDataSource(file) && !QFileInfo(file).isFile())
        return QStringLiteral("no installation under %1: %2 does not exist").arg(dataRoot, file);
    datastore::Connection con;
    if (const QString error = openFile(con, file); !error.isEmpty())
        return error;
    QSqlQuery query = con.run(QStringLiteral(
        "SELECT ComCode, Code, DbMst, YStart, YEnd, ComName, Town FROM Years ORDER BY ComCode, "
        "Code"));
    if (!query.isActive())
        return errorOf(con, query);
    years->clear();
    while (query.next()) {
        CompanyYear y;
        y.comCode = query.value(0).toString();
        y.code = query.value(1).toInt();
        y.dbMst = query.value(2).toString().trimmed();
        y.start = dateOf(query.value(3));
        y.end = dateOf(query.value(4));
        y.comName = query.value(5).toString();
        y.town = query.value(6).toString();
        years->append(y);
    }
    return QString();
}

QString latestYear(const QString& dataRoot, const QString& company, CompanyYear* year,
                   QString* file)
{
    QList<CompanyYear> years;
    if (const QString error = readYears(dataRoot, &years); !error.isEmpty())
        return error;
    bool found = false;
    for (const CompanyYear& y : years) {
        if (y.comCode.compare(company.trimmed(), Qt::CaseInsensitive) == 0 &&
            (!found || y.code > year->code)) {
            *year = y;
            found = true;
        }
    }
    if (!found)
        return QStringLiteral("no company \"%1\" in %2").arg(company, mainFile(dataRoot));
    *file = companyFile(dataRoot, year->dbMst);
    if (year->dbMst.isEmpty() || (!isDataSource(*file) && !QFileInfo(*file).isFile()))
        return QStringLiteral("the database %1 of company \"%2\" (year %3) does not exist")
            .arg(*file, year->comCode)
            .arg(year->code);
    return QString();
}

bool parseWords(QCommandLineParser& parser, const QString& command, const QStringList& positional,
                const QStringList& arguments, QStringList* words, int* exitCode)
{
    if (!admincli::parseOptions(parser,
                                QStringLiteral("Usage: tarvolen-admin %1 %2 [options]")
                                    .arg(command, positional.join(QLatin1Char(' '))),
                                arguments, exitCode))
        return false;
    *words = parser.positionalArguments();
    if (words->size() != positional.size()) {
        *exitCode = admincli::wrongUsage(
            QStringLiteral("%1 takes %2").arg(command, positional.join(QLatin1Char(' '))));
        return false;
    }
    return true;
}

QString readInput(const QString& name, QByteArray* bytes)
{
    QFile file;
    const bool opened = name == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(name), file.open(QIODevice::ReadOnly));
    if (!opened)
        return QStringLiteral("cannot read %1: %2").arg(name, file.errorString());
    *bytes = file.readAll();
    return QString();
}

QString writeOutput(const QString& name, const QByteArray& bytes)
{
    if (name == QLatin1String("-")) {
        admincli::out().flush();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return std::fflush(stdout) == 0 ? QString()
                                        : QStringLiteral("cannot write to standard output");
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(name, file.errorString());
    return QString();
}

} // namespace admin::centre

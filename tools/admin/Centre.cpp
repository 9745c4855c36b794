#include "Centre.h"

#include "AdminCli.h"
#include "AdminDb.h"
#include "ServerInstallation.h"
#include "datastore/Audit.h"
#include "datastore/FileAccess.h"
#include "datastore/Roles.h"
#include "platform/Paths.h"

#include <QCoreApplication>

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

void addInstallationOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("data-root"),
         QStringLiteral("Data root (holds DataBas/); by default the one the program folder's "
                        "SerPath.mdb names."),
         QStringLiteral("DIR")},
        {QStringLiteral("program-dir"),
         QStringLiteral("Program folder (holds SerPath.mdb); by default found as the desk finds "
                        "it: $%1, the tool's folder, %2.")
             .arg(QLatin1String(platform::kProgramFolderVariable),
                  QLatin1String(platform::kInstalledProgramFolder)),
         QStringLiteral("DIR")},
        {QStringLiteral("allow-world-readable"),
         QStringLiteral("Work on databases that every user of the computer can read.")},
    });
}

namespace {
const char* sourceName(platform::ProgramFolderSearch::Source source)
{
    switch (source) {
    case platform::ProgramFolderSearch::Source::Option:
        return "--program-dir";
    case platform::ProgramFolderSearch::Source::Variable:
        return platform::kProgramFolderVariable;
    case platform::ProgramFolderSearch::Source::OwnFolder:
        return "the tool's own folder";
    case platform::ProgramFolderSearch::Source::Installed:
        return "the package's folder";
    }
    return "";
}

// The data root SerPath.mdb names, as the desk reads it at start-up (a root without a main
// database, never checked, is the program folder); empty text or why it cannot be read.
QString dataRootNamedBy(const QString& programDir, QString* dataRoot)
{
    datastore::Connection con;
    if (const QString error = openFile(con, serPathFile(programDir)); !error.isEmpty())
        return error;
    QSqlQuery row = con.run(QStringLiteral("SELECT Path, Chk FROM ServerPath"));
    if (!row.isActive())
        return errorOf(con, row);
    if (!row.next() || row.value(0).toString().trimmed().isEmpty())
        return QStringLiteral("%1 names no data root").arg(serPathFile(programDir));
    *dataRoot = row.value(0).toString();
    if (!platform::fileExists(under(*dataRoot, QStringLiteral("DataBas/Main.mdb"))) &&
        row.value(1).toInt() == 0)
        *dataRoot = programDir;
    return QString();
}
} // namespace

QString makeSupervisorTables(const QString& dataRoot)
{
    const QString main = mainFile(dataRoot);
    if (!isDataSource(main) && !QFileInfo(main).isFile())
        return QString(); // no installation to give them to
    QStringList dbMsts;
    {
        // One connection for the users' table and the years: each costs on a server.
        datastore::Connection con;
        if (const QString error = openFile(con, main); !error.isEmpty())
            return error;
        if (const auto made = datastore::ensureUserTable(con); !made)
            return made.errorText();
        QSqlQuery years = con.run(QStringLiteral("SELECT DISTINCT DbMst FROM Years"));
        if (!years.isActive())
            return errorOf(con, years);
        while (years.next())
            dbMsts << years.value(0).toString().trimmed();
    }
    for (const QString& dbMst : std::as_const(dbMsts)) {
        const QString file = companyFile(dataRoot, dbMst);
        if (dbMst.isEmpty() || (!isDataSource(file) && !QFileInfo(file).isFile()))
            continue;
        datastore::Connection con;
        if (const QString error = openFile(con, file); !error.isEmpty())
            return error;
        if (const auto made = datastore::ensureAuditTable(con); !made)
            return made.errorText();
    }
    return QString();
}

bool locate(const QCommandLineParser& parser, Located* found, int* exitCode, bool refuseExposed)
{
    const QString option = parser.value(QStringLiteral("program-dir"));
    const QString variable = qEnvironmentVariable(platform::kProgramFolderVariable);
    const platform::ProgramFolderSearch search =
        platform::findProgramFolder(option, variable, QCoreApplication::applicationDirPath());
    found->programDirGiven = !option.trimmed().isEmpty() || !variable.trimmed().isEmpty();
    found->programDir = search.found ? search.folder : QString();
    QString told;
    if (parser.isSet(QStringLiteral("data-root"))) {
        if (!admincli::requireValue(parser, QStringLiteral("data-root"), &found->dataRoot,
                                    exitCode))
            return false;
    } else if (!found->programDirGiven && isServerInstallation()) {
        found->dataRoot.clear();
        told = QStringLiteral("the server installation that the data source QUENMOOR_MAIN names");
    } else if (!search.found) {
        *exitCode = admincli::failed(platform::missingInstallationMessage(search) +
                                     QStringLiteral(" Name the installation with --data-root."));
        return false;
    } else if (const QString error = dataRootNamedBy(search.folder, &found->dataRoot);
               !error.isEmpty()) {
        *exitCode = admincli::failed(error);
        return false;
    } else {
        if (!platform::fileExists(under(found->dataRoot, QStringLiteral("DataBas/Main.mdb"))) &&
            isServerInstallation())
            found->dataRoot.clear();
        told =
            QStringLiteral("the installation of %1 (found through %2), data root %3")
                .arg(search.folder, QLatin1String(sourceName(search.source)),
                     found->dataRoot.isEmpty() ? QStringLiteral("on the server") : found->dataRoot);
    }
    if (!told.isEmpty()) {
        admincli::err() << "tarvolen-admin: using " << told << "\n";
        admincli::err().flush();
    }
    // An installation made before roles and the audit gets their tables from the first command
    // that opens it; one this user cannot write is left to the commands that need them.
    if (!refuseExposed || parser.isSet(QStringLiteral("allow-world-readable"))) {
        makeSupervisorTables(found->dataRoot);
        return true;
    }
    // A program folder found by the desk's rule alone may belong to another installation.
    const bool ownsProgramDir =
        found->programDirGiven || !parser.isSet(QStringLiteral("data-root"));
    const QStringList exposed =
        exposedDatabases(ownsProgramDir ? found->programDir : QString(), found->dataRoot);
    if (exposed.isEmpty()) {
        makeSupervisorTables(found->dataRoot);
        return true;
    }
    *exitCode = admincli::failed(
        QStringLiteral("every user of this computer can read these databases, the users' "
                       "passwords included; nothing was done.\n  %1\nClose them (and keep "
                       "their folders 2770), or run again with --allow-world-readable.")
            .arg(exposed.join(QStringLiteral("\n  "))));
    return false;
}

bool namesDataRoot(const QString& programDir, const QString& dataRoot)
{
    QString named;
    return dataRootNamedBy(programDir, &named).isEmpty() &&
           under(named, QStringLiteral(".")) == under(dataRoot, QStringLiteral("."));
}

bool programFolderOption(const QCommandLineParser& parser, QString* programDir, int* exitCode)
{
    const QString option = parser.value(QStringLiteral("program-dir"));
    const platform::ProgramFolderSearch search =
        platform::findProgramFolder(option, qEnvironmentVariable(platform::kProgramFolderVariable),
                                    QCoreApplication::applicationDirPath());
    if (!search.found) {
        *exitCode = admincli::failed(platform::missingInstallationMessage(search));
        return false;
    }
    *programDir = search.folder;
    if (option.trimmed().isEmpty()) {
        admincli::err() << "tarvolen-admin: using the installation of " << search.folder
                        << " (found through " << sourceName(search.source) << ")\n";
        admincli::err().flush();
    }
    return true;
}

bool dataRootOption(const QCommandLineParser& parser, QString* dataRoot, int* exitCode)
{
    Located found;
    if (!locate(parser, &found, exitCode))
        return false;
    *dataRoot = found.dataRoot;
    return true;
}

QStringList exposedDatabases(const QString& programDir, const QString& dataRoot)
{
    QStringList files;
    if (!programDir.isEmpty())
        files << serPathFile(programDir);
    if (!dataRoot.trimmed().isEmpty()) {
        const QDir folder(under(dataRoot, QStringLiteral("DataBas")));
        for (const QFileInfo& file : folder.entryInfoList(QDir::Files))
            if (file.suffix().compare(QLatin1String("mdb"), Qt::CaseInsensitive) == 0)
                files << file.filePath();
    }
    QStringList exposed;
    for (const QString& file : files) {
        if (const QString problem = datastore::openToOthersProblem(file); !problem.isEmpty())
            exposed << problem;
    }
    return exposed;
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
    if (!isDataSource(file) && !QFileInfo(file).isFile()) {
        // A folder closed to this user hides the file: said in words.
        const QString why = datastore::fileAccessProblem(file, datastore::FileUse::Read);
        return why.endsWith(QLatin1String("does not exist."))
                   ? QStringLiteral("no installation under %1: %2 does not exist")
                         .arg(dataRoot, file)
                   : why;
    }
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

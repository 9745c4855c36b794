#include "Installation.h"

#include "AdminDb.h"
#include "DemoInstallation.h"
#include "ServerInstallation.h"
#include "datastore/Audit.h"
#include "datastore/DataWght.h"
#include "datastore/Roles.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QVariant>
#include <cmath>
#include <functional>
#include <sys/stat.h>

namespace admin {
namespace {

// Text columns ignore letter case as the desk compares text; the lookup's prefix searches
// (LIKE) then run as range searches on the (RtRefNo, VCode) and (RtRefNo, VName) indexes.
// PWD alone keeps exact comparison: a password must never match in another letter case.
const QStringList kSerPathSchema = {
    QStringLiteral("CREATE TABLE ServerPath (Path TEXT COLLATE NOCASE, Chk INTEGER DEFAULT 0)"),
    QStringLiteral("CREATE TABLE Users (Uid INTEGER)"),
};

const QStringList kMainSchema = {
    QStringLiteral("CREATE TABLE Pass (Uid INTEGER PRIMARY KEY, UName TEXT COLLATE NOCASE, "
                   "PWD TEXT, SaveUser INTEGER DEFAULT 0, Name TEXT COLLATE NOCASE)"),
    QStringLiteral(
        "CREATE TABLE Years (ComCode TEXT COLLATE NOCASE NOT NULL, Code INTEGER NOT NULL, "
        "DbMst TEXT COLLATE NOCASE, YStart TEXT, YEnd TEXT, ComName TEXT COLLATE NOCASE, "
        "Town TEXT COLLATE NOCASE, PRIMARY KEY (ComCode, Code))"),
    datastore::userTableStatement(datastore::Connection::Engine::File),
};

// Whole numbers, decimals and text as the desk stores them; the record number is never empty.
QString dataWghtTable()
{
    QStringList columns;
    for (const datastore::Column& column : datastore::kDataWghtColumns) {
        const QString name = QLatin1String(column.name);
        switch (column.kind) {
        case datastore::ColumnKind::Whole:
            columns << name + QStringLiteral(" INTEGER");
            break;
        case datastore::ColumnKind::Decimal:
            columns << name + QStringLiteral(" REAL");
            break;
        case datastore::ColumnKind::Text:
            columns << name + QStringLiteral(" TEXT COLLATE NOCASE");
            break;
        }
        if (name == QLatin1String("RefNo"))
            columns.last() += QStringLiteral(" NOT NULL");
    }
    return QStringLiteral("CREATE TABLE Data_Wght (%1)").arg(columns.join(QStringLiteral(", ")));
}

const QStringList kCompanySchema = QStringList{
    QStringLiteral("CREATE TABLE Sms_Add (WghtFmt INTEGER, BitsNoW REAL, ComPortW INTEGER, "
                   "LanHostIP TEXT COLLATE NOCASE, LanHostNo TEXT COLLATE NOCASE, ComLan INTEGER)"),
    QStringLiteral(
        "CREATE TABLE Mast_Routes (RTRefNo INTEGER PRIMARY KEY, RTType TEXT COLLATE NOCASE, "
        "RTInAct INTEGER DEFAULT 0)"),
    QStringLiteral("CREATE TABLE Mast_RoutesSub (RTRefNo INTEGER NOT NULL, SDate TEXT, EDate TEXT, "
                   "RTVehNo TEXT COLLATE NOCASE)"),
    QStringLiteral("CREATE INDEX Mast_RoutesSub_RouteDate ON Mast_RoutesSub (RTRefNo, SDate)"),
    QStringLiteral(
        "CREATE TABLE Mast_Villages (VRefNo INTEGER PRIMARY KEY, VCode TEXT COLLATE NOCASE, "
        "VName TEXT COLLATE NOCASE, RtRefNo INTEGER, InAct INTEGER)"),
    QStringLiteral("CREATE INDEX Mast_Villages_RouteCode ON Mast_Villages (RtRefNo, VCode)"),
    QStringLiteral("CREATE INDEX Mast_Villages_RouteName ON Mast_Villages (RtRefNo, VName)"),
    QStringLiteral(
        "CREATE TABLE Mast_Animal (ACode INTEGER PRIMARY KEY, AType TEXT COLLATE NOCASE)"),
    QStringLiteral("CREATE TABLE Mast_Milk (MCode INTEGER PRIMARY KEY, MType TEXT COLLATE NOCASE)"),
    dataWghtTable(),
    QStringLiteral("CREATE UNIQUE INDEX Data_Wght_RefNo ON Data_Wght (RefNo)"),
    QStringLiteral("CREATE INDEX Data_Wght_Shift ON Data_Wght (RefDate, AmPm, DlySlNo)"),
} + datastore::auditTableStatements(datastore::Connection::Engine::File);

const QString kDataFolder = QStringLiteral("DataBas");
const QString kSerPathName = QStringLiteral("SerPath.mdb");
const QString kMainName = QStringLiteral("Main.mdb");
// Beside each file while an installation is being written or replaced.
const QString kNewSuffix = QStringLiteral(".tarvolen-new");
const QString kOldSuffix = QStringLiteral(".tarvolen-old");

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString dataFolderOf(const QString& dataRoot)
{
    return platform::resolvePath(absoluteClean(dataRoot) + QLatin1Char('/') + kDataFolder);
}

QString mainFileOf(const QString& dataRoot)
{
    return platform::resolvePath(dataFolderOf(dataRoot) + QLatin1Char('/') + kMainName);
}

QString companyFileOf(const QString& dataRoot, const QString& dbMst)
{
    return platform::resolvePath(dataFolderOf(dataRoot) + QLatin1Char('/') + dbMst +
                                 QStringLiteral(".mdb"));
}

// A new database file with the given tables; a file that fails is removed again.
QString createDatabase(const QString& file, const QStringList& schema, const Filler& fill = {})
{
    if (QFileInfo::exists(file))
        return QStringLiteral("%1 exists already").arg(file);
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    const QString error = fillFile(
        file,
        [&](datastore::Connection& con) {
            for (const QString& statement : schema) {
                if (const QString failed = exec(con, statement); !failed.isEmpty())
                    return failed;
            }
            return fill ? fill(con) : QString();
        },
        true);
    if (!error.isEmpty())
        QFile::remove(file);
    else
        closeToOthers(file);
    return error;
}

// Folders made for an installation, taken away again (when still empty) if it fails.
class FolderMaker {
public:
    bool make(const QString& path)
    {
        QStringList missing;
        for (QString p = path; !QFileInfo::exists(p); p = QFileInfo(p).absolutePath()) {
            missing.prepend(p);
            if (p == QFileInfo(p).absolutePath())
                break;
        }
        const bool made = QDir().mkpath(path);
        for (const QString& p : missing) {
            if (QFileInfo(p).isDir()) {
                m_made.prepend(p);
                closeToOthers(p);
            }
        }
        return made && QFileInfo(path).isDir();
    }
    void undo()
    {
        for (const QString& p : m_made)
            QDir().rmdir(p);
        m_made.clear();
    }

private:
    QStringList m_made; // deepest first
};

// One file of an installation: written beside its place first, then put in place together
// with the others, so that a failure leaves the old installation (or none) as it was.
struct PlannedFile {
    QString target;
    std::function<QString(const QString&)> create;
    bool movedAway = false;
    bool placed = false;

    QString staged() const { return target + kNewSuffix; }
    QString old() const { return target + kOldSuffix; }
};

QString putInPlace(QList<PlannedFile>& files)
{
    QString error;
    for (PlannedFile& f : files) {
        if (QFileInfo::exists(f.target)) {
            if (!QFile::rename(f.target, f.old())) {
                error = QStringLiteral("cannot move %1 aside").arg(f.target);
                break;
            }
            f.movedAway = true;
        }
        if (!QFile::rename(f.staged(), f.target)) {
            error = QStringLiteral("cannot put %1 in place").arg(f.target);
            break;
        }
        f.placed = true;
    }
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (!error.isEmpty() && it->placed)
            QFile::remove(it->target);
        if (it->movedAway) {
            if (error.isEmpty())
                QFile::remove(it->old());
            else
                QFile::rename(it->old(), it->target);
        }
    }
    return error;
}

QString describeYears(const QList<demo::Year>& years, const QString& dataRoot)
{
    QStringList lines;
    for (const demo::Year& y : years) {
        lines << QStringLiteral("  %1 %2, year %3 (%4 to %5): %6")
                     .arg(y.comCode, y.comName)
                     .arg(y.code)
                     .arg(y.start.toString(Qt::ISODate), y.end.toString(Qt::ISODate),
                          companyFileOf(dataRoot, y.dbMst));
    }
    return lines.join(QLatin1Char('\n'));
}

bool isWholeNumber(const QString& text, int min, int max)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return false;
    const int value = text.toInt();
    return value >= min && value <= max;
}

QString checkStation(const StationOptions& o)
{
    if (o.dataRoot.trimmed().isEmpty() && !isServerInstallation())
        return QStringLiteral("no data root given (--data-root)");
    if (o.company.trimmed().isEmpty())
        return QStringLiteral("no company given (--company)");
    if (o.link != -1 && (o.link < 1 || o.link > 4))
        return QStringLiteral("the link (--link) must be 1 to 4, not %1").arg(o.link);
    if (o.format != -1 && (o.format < 0 || o.format > 255))
        return QStringLiteral("the data format (--format) must be 0 to 255, not %1").arg(o.format);
    if (o.port != -1 && (o.port < 0 || o.port > 255))
        return QStringLiteral("the serial port (--port) must be 0 to 255, not %1").arg(o.port);
    if (o.speed != -1 && !(std::isfinite(o.speed) && o.speed > 0))
        return QStringLiteral("the serial speed (--speed) must be greater than 0, not %1")
            .arg(o.speed);
    if (!o.host.isNull() &&
        (o.host.trimmed().isEmpty() || o.host.trimmed().contains(QLatin1Char(' '))))
        return QStringLiteral("the host (--host) must be a name or address without blanks");
    if (!o.tcpPort.isNull() && !isWholeNumber(o.tcpPort.trimmed(), 1, 65535))
        return QStringLiteral("the TCP port (--tcp-port) must be 1 to 65535, not \"%1\"")
            .arg(o.tcpPort);
    return QString();
}

// The company-year file whose station settings a command concerns, or empty text and *error.
QString stationFile(const QString& dataRoot, const QString& company, QString* error)
{
    const QString mainFile = mainFileOf(dataRoot);
    if (!QFileInfo(mainFile).isFile()) {
        *error = QStringLiteral("there is no main database at %1").arg(mainFile);
        return QString();
    }
    const QString dbMst = latestDbMst(dataRoot, company);
    if (dbMst.isEmpty()) {
        *error =
            QStringLiteral("no company \"%1\" with a database name in %2").arg(company, mainFile);
        return QString();
    }
    const QString file = companyFileOf(dataRoot, dbMst);
    if (!QFileInfo(file).isFile()) {
        *error =
            QStringLiteral("the database %1 of company \"%2\" does not exist").arg(file, company);
        return QString();
    }
    return file;
}

// The column that orders a table's rows as they were stored.
QString rowKeyOf(const datastore::Connection& con)
{
    return con.engine() == datastore::Connection::Engine::Server ? QStringLiteral("ctid")
                                                                 : QStringLiteral("rowid");
}

QString openDataSource(datastore::Connection& con, const QString& dsn)
{
    con.ConnectionString = QStringLiteral("DSN=") + dsn + QStringLiteral(";");
    return con.open() == datastore::Connection::OpenStatus::Opened
               ? QString()
               : QStringLiteral("cannot open %1: %2").arg(dsn, con.lastError());
}

// The latest year's DbMst of a company in a server installation's main database.
QString latestServerDbMst(const QString& company)
{
    datastore::Connection con;
    if (!openDataSource(con, QStringLiteral("QUENMOOR_MAIN")).isEmpty())
        return QString();
    QSqlQuery query = con.run(QStringLiteral("SELECT DbMst FROM Years WHERE lower(ComCode) = "
                                             "lower(?) ORDER BY Code DESC LIMIT 1"),
                              {company});
    return query.next() ? query.value(0).toString().trimmed() : QString();
}

QString openServerStation(datastore::Connection& con, const QString& company)
{
    const QString dbMst = latestServerDbMst(company);
    if (dbMst.isEmpty())
        return QStringLiteral("no company \"%1\" with a database name in QUENMOOR_MAIN")
            .arg(company);
    return openDataSource(con, QStringLiteral("QUENMOOR_") + dbMst);
}

QString inServerTransaction(datastore::Connection& con, const Filler& fill)
{
    if (QString error = exec(con, QStringLiteral("BEGIN")); !error.isEmpty())
        return error;
    QString error = fill(con);
    const QString ended =
        exec(con, error.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
    return error.isEmpty() ? ended : error;
}

QString textOf(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("(not set)") : value.toString();
}
} // namespace

bool closeToOthers(const QString& path)
{
    // Owner and group read and write; a folder is setgid, so that what the group's members
    // make in it stays in the group.
    const mode_t mode = QFileInfo(path).isDir() ? 02770 : 0660;
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QString createSerPathDatabase(const QString& file, const QString& dataRoot)
{
    if (dataRoot.trimmed().isEmpty())
        return QStringLiteral("no data root given");
    const QString root = absoluteClean(dataRoot);
    return createDatabase(file, kSerPathSchema, [&](datastore::Connection& con) {
        return exec(con, QStringLiteral("INSERT INTO ServerPath (Path, Chk) VALUES (?, 0)"),
                    {root});
    });
}

QString createMainDatabase(const QString& file)
{
    return createDatabase(file, kMainSchema);
}

QString createCompanyDatabase(const QString& file)
{
    return createDatabase(file, kCompanySchema);
}

QString initInstallation(const InitOptions& options)
{
    return initInstallation(options, nullptr);
}

QString initInstallation(const InitOptions& options, QString* summary)
{
    if (options.programDir.trimmed().isEmpty())
        return QStringLiteral("no program folder given (--program-dir)");
    if (options.dataRoot.trimmed().isEmpty())
        return QStringLiteral("no data root given (--data-root)");
    const QString programDir = absoluteClean(options.programDir);
    const QString dataRoot = absoluteClean(options.dataRoot);
    const QDate today = options.today.isValid() ? options.today : QDate::currentDate();
    const QList<demo::Year> years = options.demo ? demo::years(today) : QList<demo::Year>();

    QList<PlannedFile> files;
    files.append({platform::resolvePath(programDir + QLatin1Char('/') + kSerPathName),
                  [&](const QString& file) {
                      QString error = createSerPathDatabase(file, dataRoot);
                      if (error.isEmpty() && options.demo)
                          error = fillFile(file, demo::fillSerPath);
                      return error;
                  }});
    files.append({mainFileOf(dataRoot), [&](const QString& file) {
                      QString error = createMainDatabase(file);
                      if (error.isEmpty() && options.demo)
                          error = fillFile(file, [&](datastore::Connection& con) {
                              return demo::fillMain(con, years);
                          });
                      return error;
                  }});
    for (const demo::Year& year : years) {
        files.append({companyFileOf(dataRoot, year.dbMst), [&, year](const QString& file) {
                          QString error = createCompanyDatabase(file);
                          if (error.isEmpty())
                              error = fillFile(file, [&](datastore::Connection& con) {
                                  return demo::fillCompany(con, year, today);
                              });
                          return error;
                      }});
    }

    QStringList existing;
    for (const PlannedFile& f : files) {
        if (QFileInfo::exists(f.old()))
            return QStringLiteral("%1 was left by an interrupted run; move it away first")
                .arg(f.old());
        if (QFileInfo::exists(f.target) && !QFileInfo(f.target).isFile())
            return QStringLiteral("%1 is in the way: it is not a database file").arg(f.target);
        if (QFileInfo::exists(f.target))
            existing << f.target;
    }
    if (!existing.isEmpty() && !options.force)
        return QStringLiteral(
                   "an installation exists already (%1); nothing was changed. Use --force "
                   "to replace it.")
            .arg(existing.join(QStringLiteral(", ")));

    FolderMaker folders;
    QString error;
    if (!folders.make(programDir))
        error = QStringLiteral("cannot create the folder %1").arg(programDir);
    else if (!folders.make(dataFolderOf(dataRoot)))
        error = QStringLiteral("cannot create the folder %1").arg(dataFolderOf(dataRoot));
    else
        closeToOthers(dataFolderOf(dataRoot));
    for (int i = 0; error.isEmpty() && i < files.size(); ++i) {
        const QString staged = files[i].staged();
        // Only an interrupted run of this tool leaves such a file.
        if (QFileInfo::exists(staged) && !QFile::remove(staged))
            error = QStringLiteral("cannot remove %1").arg(staged);
        else
            error = files[i].create(staged);
    }
    if (error.isEmpty())
        error = putInPlace(files);
    if (!error.isEmpty()) {
        for (const PlannedFile& f : files) {
            if (!f.placed)
                QFile::remove(f.staged());
        }
        folders.undo();
        return error;
    }

    if (summary) {
        QStringList lines;
        lines << (options.demo ? QStringLiteral("Created a demo installation:")
                               : QStringLiteral("Created an empty installation:"));
        lines << QStringLiteral("  program folder  %1 (SerPath.mdb names the data root)")
                     .arg(programDir);
        lines << QStringLiteral("  data root       %1").arg(dataRoot);
        lines << QStringLiteral("  main database   %1").arg(mainFileOf(dataRoot));
        if (options.demo) {
            lines << QStringLiteral("Companies and years (working day %1):")
                         .arg(today.toString(Qt::ISODate));
            lines << describeYears(years, dataRoot);
            lines << demo::summary();
        } else {
            lines << QStringLiteral("The main database holds no users and no companies yet.");
        }
        *summary = lines.join(QLatin1Char('\n'));
    }
    return QString();
}

QString latestDbMst(const QString& dataRoot, const QString& company)
{
    const QString mainFile = mainFileOf(dataRoot);
    if (company.isEmpty() || !QFileInfo(mainFile).isFile())
        return QString();
    datastore::Connection con;
    if (!openFile(con, mainFile).isEmpty())
        return QString();
    QSqlQuery query = con.run(QStringLiteral("SELECT DbMst FROM Years WHERE ComCode = ? COLLATE "
                                             "NOCASE ORDER BY Code DESC LIMIT 1"),
                              {company});
    return query.next() ? query.value(0).toString().trimmed() : QString();
}

QString writeStation(const StationOptions& options)
{
    QString error = checkStation(options);
    if (!error.isEmpty())
        return error;
    QStringList columns;
    QVariantList values;
    const auto set = [&](const char* column, const QVariant& value) {
        columns << QLatin1String(column);
        values << value;
    };
    if (options.link != -1)
        set("ComLan", options.link);
    if (options.format != -1)
        set("WghtFmt", options.format);
    if (options.port != -1)
        set("ComPortW", options.port);
    if (options.speed != -1)
        set("BitsNoW", options.speed);
    if (!options.host.isNull())
        set("LanHostIP", options.host.trimmed());
    if (!options.tcpPort.isNull())
        set("LanHostNo", options.tcpPort.trimmed());
    if (columns.isEmpty())
        return QStringLiteral("no setting given to write");

    const auto write = [&](datastore::Connection& con) {
        // The desk reads the first row that "Select * from Sms_Add" returns: the lowest rowid
        // (on a server: the first row stored, ctid).
        const QString key = rowKeyOf(con);
        QSqlQuery first =
            con.run(QStringLiteral("SELECT %1 FROM Sms_Add ORDER BY %1 LIMIT 1").arg(key));
        if (!first.isActive())
            return errorOf(con, first);
        QString statement;
        QVariantList bound = values;
        if (first.next()) {
            statement = QStringLiteral("UPDATE Sms_Add SET %1 = ? WHERE %2 = ?")
                            .arg(columns.join(QStringLiteral(" = ?, ")), key);
            bound << first.value(0);
        } else {
            statement = QStringLiteral("INSERT INTO Sms_Add (%1) VALUES (%2)")
                            .arg(columns.join(QStringLiteral(", ")),
                                 QStringList(columns.size(), QStringLiteral("?"))
                                     .join(QStringLiteral(", ")));
        }
        first.finish();
        return exec(con, statement, bound);
    };
    if (options.dataRoot.isEmpty() && isServerInstallation()) {
        datastore::Connection con;
        error = openServerStation(con, options.company);
        return error.isEmpty() ? inServerTransaction(con, write) : error;
    }
    const QString file = stationFile(options.dataRoot, options.company, &error);
    if (file.isEmpty())
        return error;
    return fillFile(file, write);
}

QString describeStation(const QString& dataRoot, const QString& company, QString* settings)
{
    QString error;
    datastore::Connection con;
    QString file;
    if (dataRoot.isEmpty() && isServerInstallation()) {
        error = openServerStation(con, company);
        file = QStringLiteral("QUENMOOR_") + latestServerDbMst(company);
    } else {
        file = stationFile(dataRoot, company, &error);
        if (!file.isEmpty())
            error = openFile(con, file);
    }
    if (!error.isEmpty())
        return error;
    QSqlQuery row =
        con.run(QStringLiteral("SELECT * FROM Sms_Add ORDER BY %1 LIMIT 1").arg(rowKeyOf(con)));
    if (!row.isActive())
        return errorOf(con, row);
    QStringList lines{QStringLiteral("Station settings in %1:").arg(file)};
    if (!row.next()) {
        lines << QStringLiteral("  no settings row: no scale link is set");
    } else {
        const char* const names[][2] = {{"ComLan", "link"},    {"WghtFmt", "format"},
                                        {"ComPortW", "port"},  {"BitsNoW", "speed"},
                                        {"LanHostIP", "host"}, {"LanHostNo", "tcp-port"}};
        for (const auto& name : names) {
            lines << QStringLiteral("  %1 %2 %3")
                         .arg(QLatin1String(name[1]), -9)
                         .arg(QLatin1String(name[0]), -10)
                         .arg(textOf(row.value(QLatin1String(name[0]))));
        }
    }
    *settings = lines.join(QLatin1Char('\n'));
    return QString();
}

} // namespace admin

#include "Backup.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QThread>
#include <chrono>
#include <sqlite3.h>
#include <sys/stat.h>

namespace admin {
namespace {

constexpr std::chrono::milliseconds kBusyRetry{50};
constexpr int kBusyRetries = 1200; // a minute of waiting for writers to finish
constexpr std::chrono::milliseconds kDeskAnswerWait{500};

// A plain SQLite handle on one file, closed with the object.
class Handle {
public:
    Handle(const QString& file, int flags)
    {
        m_status = sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, flags, nullptr);
        if (m_db)
            sqlite3_busy_timeout(m_db, 10000);
    }
    ~Handle() { sqlite3_close(m_db); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return m_status == SQLITE_OK; }
    sqlite3* db() const { return m_db; }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db = nullptr;
    int m_status = SQLITE_ERROR;
};

QString firstValue(const QString& file, const char* sql)
{
    Handle h(file, SQLITE_OPEN_READONLY);
    if (!h.ok())
        return QString();
    sqlite3_stmt* stmt = nullptr;
    QString value;
    if (sqlite3_prepare_v2(h.db(), sql, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return value;
}

QStringList companyDatabases(const QString& mainFile)
{
    QStringList names;
    Handle h(mainFile, SQLITE_OPEN_READONLY);
    sqlite3_stmt* stmt = nullptr;
    if (h.ok() && sqlite3_prepare_v2(h.db(), "SELECT DISTINCT DbMst FROM Years ORDER BY DbMst", -1,
                                     &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))
                    .trimmed();
            if (!name.isEmpty())
                names << name;
        }
    }
    sqlite3_finalize(stmt);
    return names;
}

// Copies every page of `from` into `to` in one step, so the copy is one state of the source;
// a writer in the middle of a transaction is waited for.
QString runBackup(sqlite3* from, sqlite3* to)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return QString::fromUtf8(sqlite3_errmsg(to));
    int status = SQLITE_OK;
    for (int attempt = 0; attempt < kBusyRetries; ++attempt) {
        status = sqlite3_backup_step(backup, -1);
        if (status != SQLITE_BUSY && status != SQLITE_LOCKED)
            break;
        QThread::msleep(kBusyRetry.count());
    }
    sqlite3_backup_finish(backup);
    if (status != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errstr(status));
    return QString();
}

QStringList filesIn(const QString& folder)
{
    QStringList found;
    const QString serPath = platform::resolvePath(folder + QStringLiteral("/SerPath.mdb"));
    if (QFileInfo(serPath).isFile())
        found << serPath;
    const QDir dataBas(platform::resolvePath(folder + QStringLiteral("/DataBas")));
    for (const QString& name :
         dataBas.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name))
        found << dataBas.filePath(name);
    return found;
}

// Made with every missing folder on the way, each opened to its owner and group only.
bool makeClosedFolder(const QString& folder)
{
    QStringList missing;
    for (QString p = QDir::cleanPath(QDir(folder).absolutePath()); !QFileInfo::exists(p);
         p = QFileInfo(p).absolutePath())
        missing.prepend(p);
    if (!QDir().mkpath(folder))
        return false;
    for (const QString& made : missing)
        ::chmod(QFile::encodeName(made).constData(), 02770);
    return true;
}

// What a restore is about to overwrite, copied into `folder` laid out as a backup.
QString keepWhatIsReplaced(const QList<std::pair<QString, QString>>& plan, const QString& folder,
                           QStringList* kept)
{
    for (const auto& [copy, target] : plan) {
        if (!QFileInfo(target).isFile())
            continue;
        const QString keptCopy =
            folder + (copy == plan.first().first
                          ? QStringLiteral("/SerPath.mdb")
                          : QStringLiteral("/DataBas/") + QFileInfo(target).fileName());
        if (!makeClosedFolder(QFileInfo(keptCopy).absolutePath()))
            return QStringLiteral("cannot make %1").arg(folder);
        if (const QString error = copyDatabase(target, keptCopy); !error.isEmpty())
            return QStringLiteral("cannot keep a copy of %1 before restoring, so nothing was "
                                  "restored: %2")
                .arg(target, error);
        kept->append(keptCopy);
    }
    return QString();
}

} // namespace

QString installationFiles(const QString& programDir, InstallationFiles* files)
{
    *files = InstallationFiles();
    files->serPath = platform::resolvePath(programDir + QStringLiteral("/SerPath.mdb"));
    if (!QFileInfo(files->serPath).isFile())
        return QStringLiteral("no SerPath.mdb in %1").arg(programDir);
    files->dataRoot = firstValue(files->serPath, "SELECT Path FROM ServerPath LIMIT 1").trimmed();
    files->dataRoot.replace(QLatin1Char('\\'), QLatin1Char('/'));
    files->main = platform::resolvePath(files->dataRoot + QStringLiteral("/DataBas/Main.mdb"));
    if (files->dataRoot.isEmpty() || !QFileInfo(files->main).isFile())
        return QStringLiteral("the data root named in %1 holds no DataBas/Main.mdb")
            .arg(files->serPath);
    for (const QString& name : companyDatabases(files->main)) {
        const QString file = platform::resolvePath(files->dataRoot + QStringLiteral("/DataBas/") +
                                                   name + QStringLiteral(".mdb"));
        if (QFileInfo(file).isFile())
            files->companyYear << file;
    }
    return QString();
}

QString copyDatabase(const QString& source, const QString& target)
{
    Handle from(source, SQLITE_OPEN_READONLY);
    if (!from.ok())
        return QStringLiteral("%1: %2").arg(source, from.error());
    Handle to(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!to.ok())
        return QStringLiteral("%1: %2").arg(target, to.error());
    const QString error = runBackup(from.db(), to.db());
    if (!error.isEmpty())
        return QStringLiteral("%1: %2").arg(source, error);
    // Copies hold the users' passwords as the installation does: closed to others alike.
    ::chmod(QFile::encodeName(target).constData(), 0660);
    return QString();
}

QString integrityOf(const QString& file)
{
    Handle h(file, SQLITE_OPEN_READONLY);
    if (!h.ok())
        return h.error();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(h.db(), "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK)
        return h.error();
    QStringList lines;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(stmt)) == SQLITE_ROW && lines.size() < 10)
        lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (status != SQLITE_DONE && status != SQLITE_ROW)
        return QString::fromUtf8(sqlite3_errstr(status));
    return lines.join(QStringLiteral("; "));
}

QString backupInstallation(const QString& programDir, const QString& toFolder, const QDateTime& now,
                           QString* folder, QStringList* copied)
{
    copied->clear();
    InstallationFiles files;
    QString error = installationFiles(programDir, &files);
    if (!error.isEmpty())
        return error;
    *folder = QDir(toFolder).filePath(QStringLiteral("tarvolen-backup-") +
                                      now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (QFileInfo::exists(*folder))
        return QStringLiteral("%1 exists already").arg(*folder);
    if (!makeClosedFolder(*folder + QStringLiteral("/DataBas")))
        return QStringLiteral("cannot make %1").arg(*folder);
    QList<std::pair<QString, QString>> plan{{files.serPath, *folder + "/SerPath.mdb"},
                                            {files.main, *folder + "/DataBas/Main.mdb"}};
    for (const QString& file : files.companyYear)
        plan.append({file, *folder + "/DataBas/" + QFileInfo(file).fileName()});
    for (const auto& [source, target] : plan) {
        error = copyDatabase(source, target);
        if (error.isEmpty()) {
            const QString check = integrityOf(target);
            if (check != QLatin1String("ok"))
                error = QStringLiteral("the copy of %1 is not sound: %2").arg(source, check);
        }
        if (!error.isEmpty()) {
            QDir(*folder).removeRecursively();
            copied->clear();
            return error;
        }
        copied->append(target);
    }
    return QString();
}

QString runningDeskName()
{
    // The name on which a running desk listens for a second copy (see platform RunningCopy).
    return QStringLiteral("tarvolen-") + qEnvironmentVariable("USER", QStringLiteral("user"));
}

bool deskIsRunning(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool answered = probe.waitForConnected(int(kDeskAnswerWait.count()));
    probe.abort();
    return answered;
}

QString restoreInstallation(const QString& programDir, const QString& fromFolder,
                            const QString& deskName, const QDateTime& now, QString* keptIn,
                            QStringList* restored)
{
    restored->clear();
    const QStringList copies = filesIn(fromFolder);
    if (copies.isEmpty() || !copies.first().endsWith(QStringLiteral("SerPath.mdb")))
        return QStringLiteral("%1 holds no backup (no SerPath.mdb)").arg(fromFolder);
    for (const QString& copy : copies) {
        const QString check = integrityOf(copy);
        if (check != QLatin1String("ok"))
            return QStringLiteral("the copy %1 is not sound: %2").arg(copy, check);
    }
    if (deskIsRunning(deskName))
        return QStringLiteral("a desk is running; close every desk before restoring");
    // The data root the backup's SerPath.mdb names is where its databases go back.
    const QString dataRoot =
        firstValue(copies.first(), "SELECT Path FROM ServerPath LIMIT 1").trimmed();
    if (dataRoot.isEmpty())
        return QStringLiteral("the backup's SerPath.mdb names no data root");
    QList<std::pair<QString, QString>> plan;
    for (const QString& copy : copies) {
        const bool serPath = copy == copies.first();
        plan.append({copy, serPath
                               ? platform::resolvePath(programDir + QStringLiteral("/SerPath.mdb"))
                               : platform::resolvePath(dataRoot + QStringLiteral("/DataBas/") +
                                                       QFileInfo(copy).fileName())});
    }
    if (keptIn) {
        // Beside the backup restored, in the same form, so that it can be restored in turn.
        *keptIn = QFileInfo(fromFolder).absolutePath() + QStringLiteral("/tarvolen-backup-") +
                  now.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                  QStringLiteral("-before-restore");
        if (QFileInfo::exists(*keptIn))
            return QStringLiteral("%1 exists already; nothing was restored").arg(*keptIn);
        QStringList kept;
        if (const QString error = keepWhatIsReplaced(plan, *keptIn, &kept); !error.isEmpty()) {
            QDir(*keptIn).removeRecursively();
            return error;
        }
        if (kept.isEmpty())
            keptIn->clear();
    }
    if (!makeClosedFolder(dataRoot + QStringLiteral("/DataBas")))
        return QStringLiteral("cannot make %1/DataBas").arg(dataRoot);
    for (const auto& [copy, target] : plan) {
        const QString error = copyDatabase(copy, target);
        if (!error.isEmpty())
            return error + QStringLiteral(" (restored so far: %1)").arg(restored->join(", "));
        restored->append(target);
    }
    return QString();
}

} // namespace admin

#include "FileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QVector>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace datastore {
namespace {

QString groupName(gid_t gid)
{
    const group* g = getgrgid(gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(gid);
}

bool inGroupNow(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    QVector<gid_t> groups(count > 0 ? count : 0);
    if (count > 0 && getgroups(count, groups.data()) == count) {
        for (gid_t g : groups) {
            if (g == gid)
                return true;
        }
    }
    return false;
}

QString userName()
{
    const passwd* user = getpwuid(geteuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : QStringLiteral("$USER");
}

// Named in the group's list, though this session started before that (the groups of a session
// are fixed when its user logs in).
bool listedInGroup(gid_t gid)
{
    const passwd* user = getpwuid(geteuid());
    const group* g = getgrgid(gid);
    if (!user || !g)
        return false;
    for (char** member = g->gr_mem; member && *member; ++member) {
        if (qstrcmp(*member, user->pw_name) == 0)
            return true;
    }
    return user->pw_gid == gid;
}

// What to do about a file or folder of the group that this user may not use as wanted; subject
// names it in the sentence ("it", "its folder ...").
QString askForGroup(const QString& subject, const QString& path, const struct stat& info)
{
    const QString group = groupName(info.st_gid);
    if (geteuid() == info.st_uid || inGroupNow(info.st_gid))
        return QCoreApplication::translate(
                   "FileAccess", "%1 belongs to the group %2, which may not change it: ask the "
                                 "administrator to run  chmod g+rw '%3'")
            .arg(subject, group, path);
    if (listedInGroup(info.st_gid))
        return QCoreApplication::translate(
                   "FileAccess", "%1 belongs to the group %2. You were added to the group after "
                                 "you logged in: log out and in again.")
            .arg(subject, group);
    return QCoreApplication::translate(
               "FileAccess",
               "%1 belongs to the group %2, and you are not in it. Ask to be added to "
               "the group %2 (sudo adduser %3 %2), then log in again.")
        .arg(subject, group, userName());
}

QString folderSubject(const QString& folder)
{
    return QCoreApplication::translate("FileAccess", "its folder %1").arg(folder);
}
} // namespace

QString fileAccessProblem(const QString& file, FileUse use)
{
    const QByteArray path = QFile::encodeName(file);
    const char* const opening =
        use == FileUse::Read
            ? QT_TRANSLATE_NOOP("FileAccess", "You cannot read the database %1: %2")
            : QT_TRANSLATE_NOOP("FileAccess", "You cannot write to the database %1: %2");
    const auto refused = [&](const QString& why) {
        return QCoreApplication::translate("FileAccess", opening).arg(file, why);
    };
    struct stat info {};
    if (stat(path.constData(), &info) != 0) {
        if (errno != EACCES)
            return QCoreApplication::translate("FileAccess", "The database %1 does not exist.")
                .arg(file);
        // The first folder on the way that is closed to this user, from the top down.
        QString closed = QStringLiteral("/");
        struct stat closedInfo {};
        for (const QString& part :
             QFileInfo(file).absolutePath().split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            const QByteArray folder = QFile::encodeName(closed);
            if (stat(folder.constData(), &closedInfo) == 0 &&
                faccessat(AT_FDCWD, folder.constData(), X_OK, AT_EACCESS) != 0)
                break;
            closed = QDir::cleanPath(closed + QLatin1Char('/') + part);
        }
        stat(QFile::encodeName(closed).constData(), &closedInfo);
        return refused(askForGroup(folderSubject(closed), closed, closedInfo));
    }
    const int wanted = use == FileUse::Read ? R_OK : R_OK | W_OK;
    if (faccessat(AT_FDCWD, path.constData(), wanted, AT_EACCESS) != 0)
        return refused(askForGroup(QCoreApplication::translate("FileAccess", "it"), file, info));
    if (use == FileUse::ReadWrite) {
        const QString folder = QFileInfo(file).absolutePath();
        const QByteArray folderPath = QFile::encodeName(folder);
        struct stat folderInfo {};
        if (stat(folderPath.constData(), &folderInfo) == 0 &&
            faccessat(AT_FDCWD, folderPath.constData(), W_OK | X_OK, AT_EACCESS) != 0)
            return QCoreApplication::translate("FileAccess",
                                               "You cannot write to the database %1: %2")
                .arg(file, askForGroup(folderSubject(folder), folder, folderInfo));
    }
    return openToOthersProblem(file);
}

namespace {
// Others reach a file only through folders they may pass.
bool othersReach(const QString& path, mode_t needed)
{
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0 || !(info.st_mode & needed))
        return false;
    const QString folder = QFileInfo(path).absolutePath();
    return folder == path || othersReach(folder, S_IXOTH);
}
} // namespace

QString openToOthersProblem(const QString& file)
{
    if (!othersReach(QFileInfo(file).absoluteFilePath(), S_IROTH))
        return QString();
    return QCoreApplication::translate(
               "FileAccess", "The database %1 is readable by everyone on this computer, passwords "
                             "included: run  chmod o-rwx '%1'")
        .arg(file);
}

} // namespace datastore

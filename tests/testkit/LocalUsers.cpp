#include "LocalUsers.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace testkit {
namespace {
bool runTool(const QString& tool, const QStringList& arguments)
{
    return QProcess::execute(tool, arguments) == 0;
}
QString uniqueName(const char* kind, int number)
{
    return QStringLiteral("tv%1%2x%3").arg(QLatin1String(kind)).arg(getpid()).arg(number);
}
} // namespace

bool LocalUsers::canMake()
{
    return geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("useradd")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

LocalUsers::LocalUsers() : m_group(uniqueName("g", 0))
{
    if (!runTool(QStringLiteral("groupadd"), {m_group}))
        m_group.clear();
}

LocalUsers::~LocalUsers()
{
    for (const QString& user : m_users)
        runTool(QStringLiteral("userdel"), {user});
    if (!m_group.isEmpty())
        runTool(QStringLiteral("groupdel"), {m_group});
}

gid_t LocalUsers::gid() const
{
    const struct group* g = getgrnam(m_group.toLocal8Bit().constData());
    return g ? g->gr_gid : gid_t(-1);
}

QString LocalUsers::addUser(bool member)
{
    const QString name = uniqueName(member ? "m" : "o", int(m_users.size()) + 1);
    QStringList arguments{QStringLiteral("--no-create-home"), QStringLiteral("--shell"),
                          QStringLiteral("/usr/sbin/nologin")};
    if (member)
        arguments << QStringLiteral("--groups") << m_group;
    if (!runTool(QStringLiteral("useradd"), arguments << name))
        return QString();
    m_users << name;
    return name;
}

QStringList LocalUsers::runAs(const QString& user)
{
    const passwd* p = getpwnam(user.toLocal8Bit().constData());
    if (!p)
        return {};
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(p->pw_uid),
            QStringLiteral("--regid=%1").arg(p->pw_gid), QStringLiteral("--init-groups"),
            QStringLiteral("--")};
}

ActingAs::ActingAs(const QString& user)
{
    const passwd* p = getpwnam(user.toLocal8Bit().constData());
    if (!p)
        qFatal("no user %s", qPrintable(user));
    initgroups(p->pw_name, p->pw_gid);
    if (setegid(p->pw_gid) != 0 || seteuid(p->pw_uid) != 0)
        qFatal("cannot act as %s", qPrintable(user));
}

ActingAs::~ActingAs()
{
    if (seteuid(0) != 0 || setegid(0) != 0)
        qFatal("cannot become root again");
    const gid_t rootGroups[] = {0};
    setgroups(1, rootGroups);
}

} // namespace testkit

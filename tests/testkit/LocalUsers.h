#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace testkit {

// A group of this computer and users in it or outside it, made for one test (the tests run as
// root) and removed again at the end: file permissions bind them, as they bind a centre's
// operators. Names carry the test's process id, so that runs side by side do not meet.
class LocalUsers {
public:
    LocalUsers();
    ~LocalUsers();
    LocalUsers(const LocalUsers&) = delete;
    LocalUsers& operator=(const LocalUsers&) = delete;

    static bool canMake(); // running as root, with groupadd and useradd at hand
    QString group() const { return m_group; }
    gid_t gid() const;
    // A new user, a member of the group or not; its name.
    QString addUser(bool member);
    // The words that run a program as that user, with the groups it logs in with.
    static QStringList runAs(const QString& user);

private:
    QString m_group;
    QStringList m_users;
};

// This process's effective user and groups become the user's until the end of the scope.
class ActingAs {
public:
    explicit ActingAs(const QString& user);
    ~ActingAs();
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;
};

} // namespace testkit

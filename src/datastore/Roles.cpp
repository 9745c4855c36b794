#include "Roles.h"

#include "MainQueries.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>

namespace datastore {
namespace {
struct RoleText {
    Role role;
    const char* name;
};
constexpr RoleText kRoleNames[] = {{Role::Operator, "operator"},
                                   {Role::Supervisor, "supervisor"},
                                   {Role::Administrator, "administrator"}};
} // namespace

QString roleName(Role role)
{
    for (const RoleText& known : kRoleNames)
        if (known.role == role)
            return QLatin1String(known.name);
    return QString();
}

std::optional<Role> roleFromName(const QString& name)
{
    for (const RoleText& known : kRoleNames)
        if (name.trimmed().compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
            return known.role;
    return std::nullopt;
}

Result<bool> hasTable(Connection& con, const QString& table)
{
    const QString statement =
        con.engine() == Connection::Engine::Server
            // The catalogue itself: information_schema's views cost a receipt's add dearly.
            ? QStringLiteral("SELECT 1 WHERE to_regclass(lower(?)) IS NOT NULL")
            : QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                             "lower(name) = lower(?)");
    auto rs = con.exec(statement, {table});
    if (!rs)
        return rs.error();
    return rs->next();
}

QString userTableStatement(Connection::Engine engine)
{
    // Names are stored in small letters and compared so, as Pass.UName is compared.
    return engine == Connection::Engine::Server
               ? QStringLiteral("CREATE TABLE IF NOT EXISTS Tv_Users (UName text PRIMARY KEY, "
                                "Role text NOT NULL DEFAULT 'operator', Lang text)")
               : QStringLiteral("CREATE TABLE IF NOT EXISTS Tv_Users (UName TEXT COLLATE NOCASE "
                                "PRIMARY KEY, Role TEXT NOT NULL DEFAULT 'operator', Lang TEXT)");
}

Result<Done> ensureUserTable(Connection& main)
{
    // Looked for first: the server tells of every "already exists" it skips.
    const auto there = hasTable(main, QStringLiteral("Tv_Users"));
    if (!there || *there)
        return there ? Result<Done>(Done{}) : Result<Done>(there.error());
    auto made = main.exec(userTableStatement(main.engine()));
    if (!made)
        return made.error();
    return Done{};
}

Result<Role> roleOf(Connection& main, const QString& userName)
{
    const auto table = hasTable(main, QStringLiteral("Tv_Users"));
    if (!table)
        return table.error();
    if (!*table)
        return Role::Operator;
    auto rs =
        main.exec(QStringLiteral("SELECT Role FROM Tv_Users WHERE UName = lower(?)"), {userName});
    if (!rs)
        return rs.error();
    if (!rs->next())
        return Role::Operator;
    // A role this program does not know gives nothing more than weighing.
    return roleFromName(rs->value(0).toString()).value_or(Role::Operator);
}

namespace {
// Stores one column of a user's Tv_Users row (made when missing): the statement takes the name
// and the value. Refused for a name that is not a user of Pass.
Result<Done> storeForUser(Connection& main, const QString& userName, const QString& statement,
                          const QVariant& value)
{
    const auto user = userByName(main, userName);
    if (!user)
        return user.error();
    if (!*user)
        return error(ErrorKind::Other,
                     QCoreApplication::translate("Roles", "there is no user %1").arg(userName));
    auto stored = main.exec(statement, {userName, value});
    if (!stored)
        return stored.error();
    return Done{};
}
} // namespace

Result<Done> setRole(Connection& main, const QString& userName, Role role)
{
    return storeForUser(main, userName,
                        QStringLiteral("INSERT INTO Tv_Users (UName, Role) VALUES (lower(?), ?) "
                                       "ON CONFLICT (UName) DO UPDATE SET Role = excluded.Role"),
                        roleName(role));
}

Result<QString> languageOf(Connection& main, const QString& userName)
{
    const auto table = hasTable(main, QStringLiteral("Tv_Users"));
    if (!table)
        return table.error();
    if (!*table)
        return QString();
    auto rs =
        main.exec(QStringLiteral("SELECT Lang FROM Tv_Users WHERE UName = lower(?)"), {userName});
    if (!rs)
        return rs.error();
    return rs->next() ? rs->value(0).toString().trimmed() : QString();
}

Result<Done> setLanguage(Connection& main, const QString& userName, const QString& code)
{
    return storeForUser(main, userName,
                        QStringLiteral("INSERT INTO Tv_Users (UName, Lang) VALUES (lower(?), ?) "
                                       "ON CONFLICT (UName) DO UPDATE SET Lang = excluded.Lang"),
                        code.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(code));
}

Result<SupervisorCheck> checkSupervisor(Connection& main, const QString& name,
                                        const QString& password)
{
    const auto user = userByName(main, name);
    if (!user)
        return user.error();
    // As sign-in: no stored password matches nothing.
    if (!*user || (*user)->password.isNull() || (*user)->password.toString() != password)
        return SupervisorCheck::WrongNameOrPassword;
    const auto role = roleOf(main, name);
    if (!role)
        return role.error();
    return *role == Role::Operator ? SupervisorCheck::NotASupervisor : SupervisorCheck::Allowed;
}

} // namespace datastore

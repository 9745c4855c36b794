#pragma once

#include "Connection.h"

#include <QString>
#include <optional>

// What a user may do beyond weighing. Kept in the main database's Tv_Users, one row a user who
// is more than an operator; a user without a row is an operator.
namespace datastore {

enum class Role { Operator, Supervisor, Administrator };

// "operator", "supervisor", "administrator": the stored and the typed names.
QString roleName(Role role);
// The role of that name (letter case ignored), or none.
std::optional<Role> roleFromName(const QString& name);

// The statement that makes Tv_Users on that engine (IF NOT EXISTS).
QString userTableStatement(Connection::Engine engine);
// Creates Tv_Users when it is not there yet (cheap when it is).
Result<Done> ensureUserTable(Connection& main);

// The user's role; an operator when there is no row (or no table yet).
Result<Role> roleOf(Connection& main, const QString& userName);
// Stores the role of a user of Pass; refused for a name that is not a user.
Result<Done> setRole(Connection& main, const QString& userName, Role role);

// The language a user is given ("hi", "mr", "en"), or an empty one when none is (the desk then
// keeps the language of its own locale).
Result<QString> languageOf(Connection& main, const QString& userName);
// Stores a user's language (an empty code takes it away); refused for a name that is not a
// user.
Result<Done> setLanguage(Connection& main, const QString& userName, const QString& code);

enum class SupervisorCheck { Allowed, WrongNameOrPassword, NotASupervisor };
// A supervisor's word: name and password compared as sign-in compares them, then the role
// (supervisor or administrator).
Result<SupervisorCheck> checkSupervisor(Connection& main, const QString& name,
                                        const QString& password);

// Whether the database has that table (a plain name), on either engine.
Result<bool> hasTable(Connection& con, const QString& table);

} // namespace datastore

// tarvolen-admin user: the people who sign in to the desk (Pass in the main database) and the
// one whose name sign-in offers (Users in SerPath.mdb).
#include "AdminCli.h"
#include "AdminCommands.h"
#include "AdminDb.h"
#include "Centre.h"
#include "datastore/Roles.h"
#include "platform/Language.h"
#include "platform/Paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>
#include <unistd.h>

using namespace admincli;

namespace {
// Pass.Uid is a 16-bit number.
constexpr int kMaxUid = 32767;

struct User {
    int uid = 0;
    QString name;
    QString role;
    QString language; // empty: the desk's own locale
    QString fullName;
    bool offered = false;  // SaveUser = 1
    bool disabled = false; // no password: sign-in refuses every password
};

QString readUsers(datastore::Connection& con, QList<User>* users)
{
    QSqlQuery query =
        con.run(QStringLiteral("SELECT Uid, UName, Name, SaveUser, PWD FROM Pass ORDER BY Uid"));
    if (!query.isActive())
        return admin::errorOf(con, query);
    while (query.next())
        users->append({query.value(0).toInt(), query.value(1).toString(), QString(), QString(),
                       query.value(2).toString(), query.value(3).toInt() == 1,
                       query.value(4).isNull() || query.value(4).toString().isEmpty()});
    for (User& user : *users) {
        const auto role = datastore::roleOf(con, user.name);
        if (!role)
            return role.errorText();
        user.role = datastore::roleName(*role);
        const auto language = datastore::languageOf(con, user.name);
        if (!language)
            return language.errorText();
        user.language = *language;
    }
    return QString();
}

// The user of that name in any letter case (the comparison covers every alphabet, not only
// the one the database folds).
const User* userNamed(const QList<User>& users, const QString& name)
{
    for (const User& user : users) {
        if (user.name.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &user;
    }
    return nullptr;
}

// The new password: from the terminal (typed twice, not shown) or, with --password-stdin, the
// first line of standard input. Never from the command line, where others can see it.
QString readPassword(bool fromStdin, QString* password)
{
    if (fromStdin) {
        if (!admincli::readStdinLine(password))
            return QStringLiteral("cannot read standard input");
    } else {
        if (!isatty(STDIN_FILENO))
            return QStringLiteral("no terminal to read the password from; give it on standard "
                                  "input with --password-stdin");
        QString again;
        if (!admincli::readHidden("Password: ", password) ||
            !admincli::readHidden("Password again: ", &again))
            return QStringLiteral("no password read");
        if (again != *password)
            return QStringLiteral("the two passwords differ; nothing was changed");
    }
    if (password->isEmpty())
        return QStringLiteral("the password is empty; a user without one cannot sign in (use "
                              "user disable for that)");
    return QString();
}

// The role an option or word names; false with *code set (wrong usage) for any other.
bool roleWord(const QString& word, datastore::Role* role, int* code)
{
    const auto named = datastore::roleFromName(word);
    if (!named) {
        *code = wrongUsage(QStringLiteral("the role must be operator, supervisor or administrator, "
                                          "not \"%1\"")
                               .arg(word));
        return false;
    }
    *role = *named;
    return true;
}

// Stores a role inside the caller's write transaction (the table made first where missing).
QString storeRole(datastore::Connection& con, const QString& name, datastore::Role role)
{
    if (const auto made = datastore::ensureUserTable(con); !made)
        return made.errorText();
    const auto stored = datastore::setRole(con, name, role);
    return stored ? QString() : stored.errorText();
}

// Locked on a server while a user is read and written, so two runs never take the same Uid.
const QString kUsersTable = QStringLiteral("Pass");

struct Command {
    QCommandLineParser parser;
    QStringList words;
    admin::centre::Located where;
    int code = Done;

    bool parse(const QString& name, const QStringList& positional, const QStringList& arguments,
               const QString& description)
    {
        parser.setApplicationDescription(description);
        admin::centre::addInstallationOptions(parser);
        return admin::centre::parseWords(parser, QStringLiteral("user ") + name, positional,
                                         arguments, &words, &code) &&
               admin::centre::locate(parser, &where, &code);
    }
    QString mainFile() const { return admin::centre::mainFile(where.dataRoot); }
};

QString checkInstallation(const QString& mainFile)
{
    return admin::isDataSource(mainFile) || QFileInfo(mainFile).isFile()
               ? QString()
               : QStringLiteral("no installation there: %1 does not exist").arg(mainFile);
}

// Changes one existing user inside a write transaction.
QString changeUser(const QString& mainFile, const QString& name, const QString& statement,
                   const QVariantList& values, User* changed)
{
    if (const QString error = checkInstallation(mainFile); !error.isEmpty())
        return error;
    return admin::fillFile(
        mainFile,
        [&](datastore::Connection& con) {
            QList<User> users;
            if (const QString error = readUsers(con, &users); !error.isEmpty())
                return error;
            const User* user = userNamed(users, name);
            if (!user)
                return QStringLiteral("no user \"%1\"").arg(name);
            *changed = *user;
            return admin::exec(con, statement, values + QVariantList{user->uid});
        },
        false, kUsersTable);
}

int add(const QStringList& arguments)
{
    Command c;
    c.parser.addOptions({
        {QStringLiteral("full-name"), QStringLiteral("The user's full name (Name)."),
         QStringLiteral("N")},
        {QStringLiteral("offer"), QStringLiteral("Sign-in may offer this user's name.")},
        {QStringLiteral("role"),
         QStringLiteral("operator (the default), supervisor or administrator."),
         QStringLiteral("ROLE")},
        {QStringLiteral("password-stdin"),
         QStringLiteral("Read the password from standard input's first line.")},
    });
    if (!c.parse(QStringLiteral("add"), {QStringLiteral("NAME")}, arguments,
                 QStringLiteral("Adds a user with the next user id; asks for the password.")))
        return c.code;
    const QString name = c.words[0].trimmed();
    if (name.isEmpty())
        return wrongUsage(QStringLiteral("the user name is empty"));
    datastore::Role role = datastore::Role::Operator;
    if (c.parser.isSet(QStringLiteral("role")) &&
        !roleWord(c.parser.value(QStringLiteral("role")), &role, &c.code))
        return c.code;
    QString error = checkInstallation(c.mainFile());
    QString password;
    if (error.isEmpty())
        error = readPassword(c.parser.isSet(QStringLiteral("password-stdin")), &password);
    int uid = 0;
    if (error.isEmpty())
        error = admin::fillFile(
            c.mainFile(),
            [&](datastore::Connection& con) {
                QList<User> users;
                if (const QString failure = readUsers(con, &users); !failure.isEmpty())
                    return failure;
                if (const User* same = userNamed(users, name))
                    return QStringLiteral("a user \"%1\" exists already (id %2)")
                        .arg(same->name)
                        .arg(same->uid);
                uid = users.isEmpty() ? 1 : users.last().uid + 1;
                if (uid > kMaxUid)
                    return QStringLiteral("no user id is left (the highest is %1)").arg(kMaxUid);
                const QString fullName = c.parser.isSet(QStringLiteral("full-name"))
                                             ? c.parser.value(QStringLiteral("full-name")).trimmed()
                                             : name;
                const QString added = admin::exec(
                    con,
                    QStringLiteral("INSERT INTO Pass (Uid, UName, PWD, SaveUser, Name) VALUES "
                                   "(?, ?, ?, ?, ?)"),
                    {uid, name, password, c.parser.isSet(QStringLiteral("offer")) ? 1 : 0,
                     fullName});
                return added.isEmpty() && role != datastore::Role::Operator
                           ? storeRole(con, name, role)
                           : added;
            },
            false, kUsersTable);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("Added user %1 (id %2)%3\n")
                 .arg(name)
                 .arg(uid)
                 .arg(role == datastore::Role::Operator
                          ? QString()
                          : QStringLiteral(" as %1").arg(datastore::roleName(role)));
    return Done;
}

int setPassword(const QStringList& arguments)
{
    Command c;
    c.parser.addOption({QStringLiteral("password-stdin"),
                        QStringLiteral("Read the password from standard input's first line.")});
    if (!c.parse(QStringLiteral("set-password"), {QStringLiteral("NAME")}, arguments,
                 QStringLiteral("Gives a user a new password (a disabled user can sign in "
                                "again).")))
        return c.code;
    QString password;
    QString error = checkInstallation(c.mainFile());
    if (error.isEmpty())
        error = readPassword(c.parser.isSet(QStringLiteral("password-stdin")), &password);
    User user;
    if (error.isEmpty())
        error =
            changeUser(c.mainFile(), c.words[0],
                       QStringLiteral("UPDATE Pass SET PWD = ? WHERE Uid = ?"), {password}, &user);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("New password for user %1 (id %2)\n").arg(user.name).arg(user.uid);
    return Done;
}

int disable(const QStringList& arguments)
{
    Command c;
    if (!c.parse(QStringLiteral("disable"), {QStringLiteral("NAME")}, arguments,
                 QStringLiteral("Takes a user's password away: sign-in refuses the user and no "
                                "longer offers the name. The user's receipts keep the id.")))
        return c.code;
    User user;
    const QString error = changeUser(
        c.mainFile(), c.words[0],
        QStringLiteral("UPDATE Pass SET PWD = NULL, SaveUser = 0 WHERE Uid = ?"), {}, &user);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("Disabled user %1 (id %2)\n").arg(user.name).arg(user.uid);
    return Done;
}

int list(const QStringList& arguments)
{
    Command c;
    if (!c.parse(QStringLiteral("list"), {}, arguments, QStringLiteral("Lists the users.")))
        return c.code;
    QList<User> users;
    datastore::Connection con;
    QString error = checkInstallation(c.mainFile());
    if (error.isEmpty())
        error = admin::openFile(con, c.mainFile());
    if (error.isEmpty())
        error = readUsers(con, &users);
    if (!error.isEmpty())
        return failed(error);
    for (const User& user : users) {
        out() << QStringLiteral("%1  %2  %3  %4  %5%6%7\n")
                     .arg(user.uid, 5)
                     .arg(user.name, -20)
                     .arg(user.role, -13)
                     .arg(user.language.isEmpty() ? QStringLiteral("-") : user.language, -5)
                     .arg(user.fullName)
                     .arg(user.offered ? QStringLiteral("  (may be offered)") : QString())
                     .arg(user.disabled ? QStringLiteral("  (disabled)") : QString());
    }
    if (users.isEmpty())
        out() << "No users yet.\n";
    return Done;
}

int setRole(const QStringList& arguments)
{
    Command c;
    if (!c.parse(QStringLiteral("set-role"), {QStringLiteral("NAME"), QStringLiteral("ROLE")},
                 arguments,
                 QStringLiteral("Gives a user a role: operator (weighs), supervisor (allows typed "
                                "weights, corrections and cancellations) or administrator.")))
        return c.code;
    datastore::Role role = datastore::Role::Operator;
    if (!roleWord(c.words[1], &role, &c.code))
        return c.code;
    QString error = checkInstallation(c.mainFile());
    if (error.isEmpty())
        error = admin::fillFile(
            c.mainFile(),
            [&](datastore::Connection& con) { return storeRole(con, c.words[0], role); }, false,
            kUsersTable);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("User %1 is now %2\n").arg(c.words[0], datastore::roleName(role));
    return Done;
}

// The languages this installation can speak, as the desk finds them.
QStringList languagesHere(const Command& c)
{
    if (!c.where.programDir.isEmpty())
        platform::setProgramFolder(c.where.programDir);
    return platform::availableLanguages();
}

int setLanguage(const QStringList& arguments)
{
    Command c;
    if (!c.parse(QStringLiteral("set-language"), {QStringLiteral("NAME"), QStringLiteral("CODE")},
                 arguments,
                 QStringLiteral("Gives a user the language the desk speaks from the company "
                                "window on: en, hi, mr or any language whose translation file "
                                "the installation holds.")))
        return c.code;
    const QString code = c.words[1];
    const QStringList known = languagesHere(c);
    if (!known.contains(code))
        return wrongUsage(QStringLiteral("no translation for \"%1\" here; the languages are %2")
                              .arg(code, known.join(QStringLiteral(", "))));
    QString error = checkInstallation(c.mainFile());
    if (error.isEmpty())
        error = admin::fillFile(
            c.mainFile(),
            [&](datastore::Connection& con) {
                if (const auto made = datastore::ensureUserTable(con); !made)
                    return made.errorText();
                const auto stored = datastore::setLanguage(con, c.words[0], code);
                return stored ? QString() : stored.errorText();
            },
            false, kUsersTable);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("User %1 now works in %2\n").arg(c.words[0], code);
    return Done;
}

int setOffered(const QStringList& arguments)
{
    Command c;
    if (!c.parse(QStringLiteral("set-offered"), {QStringLiteral("NAME")}, arguments,
                 QStringLiteral("Makes sign-in offer this user's name.")))
        return c.code;
    // The folder the desk looks in, found by the desk's own rule when not given; one that a
    // guess found must belong to the data root named, or another centre's desk would change.
    if (c.where.programDir.isEmpty())
        return failed(QStringLiteral("no program folder with SerPath.mdb found; name it with "
                                     "--program-dir"));
    const QString serPath = admin::centre::serPathFile(c.where.programDir);
    if (!c.where.programDirGiven && c.parser.isSet(QStringLiteral("data-root")) &&
        !admin::centre::namesDataRoot(c.where.programDir, c.where.dataRoot))
        return failed(QStringLiteral("%1 belongs to another installation than the data root %2; "
                                     "name the desk's program folder with --program-dir")
                          .arg(serPath, c.where.dataRoot));
    User user;
    // Sign-in offers the Users row's user only when that user may be offered.
    QString error =
        changeUser(c.mainFile(), c.words[0],
                   QStringLiteral("UPDATE Pass SET SaveUser = 1 WHERE Uid = ?"), {}, &user);
    if (error.isEmpty() && user.disabled)
        error = QStringLiteral("user %1 is disabled; give a password first").arg(user.name);
    if (error.isEmpty())
        error = admin::fillFile(serPath, [&](datastore::Connection& con) {
            QString failure = admin::exec(con, QStringLiteral("DELETE FROM Users"));
            if (failure.isEmpty())
                failure = admin::exec(con, QStringLiteral("INSERT INTO Users (Uid) VALUES (?)"),
                                      {user.uid});
            return failure;
        });
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("Sign-in offers user %1 (id %2) in %3\n")
                 .arg(user.name)
                 .arg(user.uid)
                 .arg(serPath);
    return Done;
}
} // namespace

int admin::runUser(const QStringList& arguments)
{
    const QString sub = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (sub == QLatin1String("add"))
        return add(rest);
    if (sub == QLatin1String("set-password"))
        return setPassword(rest);
    if (sub == QLatin1String("disable"))
        return disable(rest);
    if (sub == QLatin1String("list"))
        return list(rest);
    if (sub == QLatin1String("set-offered"))
        return setOffered(rest);
    if (sub == QLatin1String("set-role"))
        return setRole(rest);
    if (sub == QLatin1String("set-language"))
        return setLanguage(rest);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        out() << usage();
        return Done;
    }
    return wrongUsage(QStringLiteral(
        "user add, set-password, disable, list, set-offered, set-role or set-language?"));
}

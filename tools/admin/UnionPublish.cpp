#include "UnionPublish.h"

#include "ServerInstallation.h"
#include "UnionSql.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlQuery>

namespace admin::unionrepl {
namespace {
using unionsql::identifier;

const QString kPublication = QString::fromLatin1(unionsql::kPublication);

// The replica identity one table gets: empty for its primary key, else the clause.
QString identityClause(datastore::Connection& year, const QString& table, QString* error)
{
    const QStringList primary = unionsql::column(
        year,
        QStringLiteral("SELECT 1 FROM pg_index i JOIN pg_class c ON c.oid = i.indrelid "
                       "JOIN pg_namespace n ON n.oid = c.relnamespace "
                       "WHERE n.nspname = 'public' AND c.relname = ? AND i.indisprimary"),
        {table}, error);
    if (!primary.isEmpty() || !error->isEmpty())
        return QString();
    // A unique index that every row has a value in (RefNo's on Data_Wght).
    const QStringList unique = unionsql::column(
        year,
        QStringLiteral(
            "SELECT ic.relname FROM pg_index i JOIN pg_class c ON c.oid = i.indrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace "
            "JOIN pg_class ic ON ic.oid = i.indexrelid "
            "WHERE n.nspname = 'public' AND c.relname = ? AND i.indisunique AND i.indimmediate "
            "AND i.indisvalid AND i.indpred IS NULL AND i.indexprs IS NULL "
            "AND NOT EXISTS (SELECT 1 FROM pg_attribute a WHERE a.attrelid = c.oid "
            "AND a.attnum = ANY (i.indkey) AND NOT a.attnotnull) ORDER BY ic.relname"),
        {table}, error);
    if (!unique.isEmpty())
        return QStringLiteral("USING INDEX ") + identifier(unique.first());
    return QStringLiteral("FULL");
}

// The clause that gives the table the replica identity it has now ("" for its primary key).
QString currentIdentity(datastore::Connection& year, const QString& table, QString* error)
{
    const QStringList now = unionsql::column(
        year,
        QStringLiteral(
            "SELECT c.relreplident::text || coalesce((SELECT ic.relname::text FROM pg_index i "
            "JOIN pg_class ic ON ic.oid = i.indexrelid WHERE i.indrelid = c.oid "
            "AND i.indisreplident), '') FROM pg_class c JOIN pg_namespace n ON "
            "n.oid = c.relnamespace WHERE n.nspname = 'public' AND c.relname = ?"),
        {table}, error);
    const QString kind = now.value(0).left(1);
    if (kind == QLatin1String("f"))
        return QStringLiteral("FULL");
    if (kind == QLatin1String("i"))
        return QStringLiteral("USING INDEX ") + identifier(now.value(0).mid(1));
    return QString();
}

QString makePassword()
{
    static const QString letters =
        QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789");
    QString password;
    for (int i = 0; i < 32; ++i)
        password += letters.at(int(QRandomGenerator::system()->bounded(letters.size())));
    return password;
}

// The role's password from the file, or a new one written there before it is used.
QString passwordOf(const QString& file, QString* password)
{
    QFile kept(file);
    if (kept.exists()) {
        if (kept.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                  QFileDevice::WriteGroup | QFileDevice::WriteOther))
            return QStringLiteral("%1 can be read by others than its owner: chmod 600 %1, and "
                                  "give the role a new password (remove the file and run this "
                                  "again)")
                .arg(file);
        if (!kept.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1: %2").arg(file, kept.errorString());
        *password = QString::fromUtf8(kept.readLine()).trimmed();
        if (password->isEmpty())
            return QStringLiteral("%1 holds no password").arg(file);
        return QString();
    }
    *password = makePassword();
    QSaveFile out(file);
    // 0600 before a byte is written.
    if (!out.open(QIODevice::WriteOnly) ||
        !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        out.write((*password + QLatin1Char('\n')).toUtf8()) < 0 || !out.commit())
        return QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
    return QString();
}

// The replication role with that password; it may read Years (never Pass) in the main database.
QString makeRole(datastore::Connection& main, const QString& role, const QString& password)
{
    QString error;
    const bool exists =
        !unionsql::column(main, QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {role},
                          &error)
             .isEmpty();
    if (!error.isEmpty())
        return error;
    if (error = unionsql::keepOutOfLog(main); !error.isEmpty())
        return error;
    const QString settings =
        QStringLiteral(" LOGIN REPLICATION PASSWORD ") + unionsql::literal(password);
    const auto made =
        main.exec((exists ? QStringLiteral("ALTER ROLE ") : QStringLiteral("CREATE ROLE ")) +
                  identifier(role) + settings);
    if (!made) // the statement carries the password: only the server's reason is told
        return QStringLiteral("the role %1 could not be %2: %3")
            .arg(role, exists ? QStringLiteral("changed") : QStringLiteral("made"),
                 made.errorText().section(QStringLiteral("\n\nStatement:"), 0, 0));
    return unionsql::run(main, {QStringLiteral("GRANT SELECT ON Years TO ") + identifier(role)});
}

QString publishOneYear(const PublishOptions& options, const QString& dbMst, QString* line)
{
    datastore::Connection year;
    const QString database = serverDatabaseName(dbMst);
    QString error = unionsql::open(year, options.server, database);
    if (error.isEmpty())
        error = unionsql::run(year,
                              {QStringLiteral("GRANT CONNECT ON DATABASE ") + identifier(database) +
                               QStringLiteral(" TO ") + identifier(options.role)});
    if (error.isEmpty())
        error = publishYear(year, {options.role}, line);
    return error.isEmpty() ? error : dbMst + QStringLiteral(": ") + error;
}
} // namespace

QString publishYear(datastore::Connection& year, const QStringList& roles, QString* line)
{
    QString error;
    const QStringList tables = unionsql::column(
        year,
        QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = "
                       "c.relnamespace WHERE n.nspname = 'public' AND c.relkind IN ('r', 'p') "
                       "ORDER BY c.relname"),
        {}, &error);
    if (!error.isEmpty())
        return error;
    if (tables.isEmpty())
        return QStringLiteral("the database has no tables");
    QStringList statements{QStringLiteral("BEGIN")};
    QStringList identities;
    for (const QString& table : tables) {
        const QString clause = identityClause(year, table, &error);
        const QString current = currentIdentity(year, table, &error);
        if (!error.isEmpty())
            return error;
        if (!clause.isEmpty()) {
            if (clause != current)
                statements << QStringLiteral("ALTER TABLE %1 REPLICA IDENTITY %2")
                                  .arg(identifier(table), clause);
            identities << QStringLiteral("%1 by %2").arg(table, clause.toLower());
        }
    }
    const QStringList published = unionsql::column(
        year, QStringLiteral("SELECT tablename FROM pg_publication_tables WHERE pubname = ?"),
        {kPublication}, &error);
    const bool exists = !unionsql::column(year,
                                          QStringLiteral("SELECT 1 FROM pg_publication WHERE "
                                                         "pubname = ?"),
                                          {kPublication}, &error)
                             .isEmpty();
    if (!error.isEmpty())
        return error;
    QStringList added;
    for (const QString& table : tables)
        if (!published.contains(table))
            added << identifier(table);
    if (!exists)
        statements << QStringLiteral("CREATE PUBLICATION %1 FOR TABLE %2")
                          .arg(identifier(kPublication), added.join(QStringLiteral(", ")));
    else if (!added.isEmpty())
        statements << QStringLiteral("ALTER PUBLICATION %1 ADD TABLE %2")
                          .arg(identifier(kPublication), added.join(QStringLiteral(", ")));
    for (const QString& role : roles)
        statements << QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA public TO ") +
                          identifier(role);
    statements << QStringLiteral("COMMIT");
    error = unionsql::run(year, statements);
    if (!error.isEmpty()) {
        year.run(QStringLiteral("ROLLBACK"));
        return error;
    }
    *line = QStringLiteral("%1 tables (%2 new)%3")
                .arg(tables.size())
                .arg(exists ? added.size() : tables.size())
                .arg(identities.isEmpty()
                         ? QString()
                         : QStringLiteral("; ") + identities.join(QStringLiteral(", ")));
    return QString();
}

QStringList publicationRoles(datastore::Connection& year, QString* error)
{
    const QStringList published =
        unionsql::column(year, QStringLiteral("SELECT 1 FROM pg_publication WHERE pubname = ?"),
                         {kPublication}, error);
    if (published.isEmpty())
        return {};
    return unionsql::column(
        year,
        QStringLiteral("SELECT rolname FROM pg_roles WHERE rolreplication AND NOT rolsuper AND "
                       "to_regclass('public.data_wght') IS NOT NULL AND "
                       "has_table_privilege(oid, 'public.data_wght', 'SELECT') ORDER BY 1"),
        {}, error);
}

QString publishAsBefore(const QString& previousDbMst, const QString& dbMst, QString* line)
{
    datastore::Connection previous, year;
    previous.ConnectionString = QStringLiteral("DSN=QUENMOOR_%1;").arg(previousDbMst);
    year.ConnectionString = QStringLiteral("DSN=QUENMOOR_%1;").arg(dbMst);
    if (previous.open() != datastore::Connection::OpenStatus::Opened)
        return previous.lastError();
    QString error;
    const QStringList roles = publicationRoles(previous, &error);
    if (!error.isEmpty() || roles.isEmpty())
        return error;
    if (year.open() != datastore::Connection::OpenStatus::Opened)
        return year.lastError();
    error = publishYear(year, roles, line);
    if (error.isEmpty())
        *line = QStringLiteral("Published for the union (%1) as %2 is: %3")
                    .arg(roles.join(QStringLiteral(", ")), previousDbMst, *line);
    return error;
}

QString publishCentre(const PublishOptions& options, QStringList* lines)
{
    datastore::Connection main;
    QString error = unionsql::open(main, options.server, QString::fromLatin1(kServerMainDatabase));
    if (!error.isEmpty())
        return error;
    if (!unionsql::isSuperuser(main, &error))
        return error.isEmpty() ? QStringLiteral("%1 is no superuser of the server: a replication "
                                                "role is made by one (postgresql://postgres@...)")
                                     .arg(options.server.user)
                               : error;
    const QStringList walLevel =
        unionsql::column(main, QStringLiteral("SHOW wal_level"), {}, &error);
    QString password;
    if (error.isEmpty())
        error = passwordOf(options.passwordFile, &password);
    if (error.isEmpty())
        error = makeRole(main, options.role, password);
    QStringList years;
    if (error.isEmpty())
        years = unionsql::column(main,
                                 QStringLiteral("SELECT DISTINCT lower(trim(DbMst)) FROM Years "
                                                "WHERE trim(DbMst) <> '' ORDER BY 1"),
                                 {}, &error);
    if (!error.isEmpty())
        return error;
    *lines << QStringLiteral("role %1 (replication; password in %2)")
                  .arg(options.role, options.passwordFile);
    QStringList failures;
    for (const QString& dbMst : years) {
        QString line;
        if (const QString failed = publishOneYear(options, dbMst, &line); !failed.isEmpty())
            failures << failed;
        else
            *lines << QStringLiteral("published %1: %2").arg(dbMst, line);
    }
    if (walLevel.value(0) != QLatin1String("logical"))
        *lines << QStringLiteral("wal_level is %1 on this server: nothing is sent to the union "
                                 "until postgresql.conf says wal_level = logical and the server "
                                 "has been restarted")
                      .arg(walLevel.value(0));
    return failures.join(QLatin1Char('\n'));
}

} // namespace admin::unionrepl

#include "UnionSql.h"

#include <QSqlQuery>

namespace admin::unionsql {

QString identifier(const QString& name)
{
    QString doubled = name;
    return QLatin1Char('"') + doubled.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString literal(const QString& text)
{
    QString doubled = text;
    return QLatin1Char('\'') + doubled.replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString conninfoPair(const QString& key, const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return key + QStringLiteral("='") + escaped + QLatin1Char('\'');
}

QString open(datastore::Connection& con, const ServerAddress& server, const QString& database)
{
    if (con.open(serverSource(server, database)) == datastore::Connection::OpenStatus::Opened)
        return QString();
    return QStringLiteral("cannot reach the database %1 on %2:%3 as %4: %5")
        .arg(database, server.host)
        .arg(server.port)
        .arg(server.user, con.lastError());
}

QString run(datastore::Connection& con, const QStringList& statements, const QVariantList& values)
{
    for (const QString& statement : statements) {
        const auto done = con.exec(statement, values);
        if (!done)
            return done.errorText();
    }
    return QString();
}

QStringList column(datastore::Connection& con, const QString& statement, const QVariantList& values,
                   QString* error)
{
    QStringList found;
    auto rows = con.exec(statement, values);
    if (!rows) {
        *error = rows.errorText();
        return found;
    }
    while (rows->next())
        found << rows->value(0).toString();
    return found;
}

QString keepOutOfLog(datastore::Connection& con)
{
    return run(con, {QStringLiteral("SET log_statement = 'none'"),
                     QStringLiteral("SET log_min_error_statement = 'panic'"),
                     QStringLiteral("SET log_min_duration_statement = -1"),
                     QStringLiteral("SET log_min_duration_sample = -1")});
}

bool isSuperuser(datastore::Connection& con, QString* error)
{
    const QStringList super =
        column(con, QStringLiteral("SELECT rolsuper FROM pg_roles WHERE rolname = current_user"),
               {}, error);
    return super.value(0) == QLatin1String("true");
}

} // namespace admin::unionsql

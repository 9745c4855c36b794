#include "UnionCentres.h"

#include "ServerInstallation.h"
#include "UnionSql.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace admin::unionrepl {
namespace {
using unionsql::identifier;
using unionsql::literal;

const QString kUnionDb = QString::fromLatin1(kUnionDatabase);
const QString kPublication = QString::fromLatin1(unionsql::kPublication);

const QStringList kUnionTables = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS Tv_Centres (Name text PRIMARY KEY, Host text NOT "
                   "NULL, Port integer NOT NULL, RoleName text NOT NULL, AddedAt timestamptz "
                   "NOT NULL DEFAULT now(), RemovedAt timestamptz)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS Tv_CentreYears (Centre text NOT NULL REFERENCES "
                   "Tv_Centres (Name), DbMst text NOT NULL, ComCode text, Code integer, YStart "
                   "date, YEnd date, ComName text, Town text, UnionDb text NOT NULL UNIQUE, "
                   "Subscription text NOT NULL, PRIMARY KEY (Centre, DbMst))"),
};

struct Column {
    QString name;
    QString type;
    bool notNull = false;
    bool key = false; // part of the replica identity's key
};
struct Table {
    QString name;
    QString identity; // d (primary key), i (an index), f (the whole row)
    QList<Column> columns;
};

struct Year {
    QString comCode;
    int code = 0;
    QString dbMst;
    QDate start, end;
    QString comName, town;
};

bool isPlain(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9_][a-z0-9_-]*$"));
    return plain.match(name).hasMatch();
}

// A column type as a catalogue writes it: words, a size, an array mark; nothing else may reach
// the union's statements.
bool isPlainType(const QString& type)
{
    static const QRegularExpression plain(
        QStringLiteral("^[a-z][a-z0-9 _]*(\\(\\d+(,\\d+)?\\))?( with(out)? time zone)?(\\[\\])?$"));
    return plain.match(type).hasMatch();
}

QString ensureUnionDatabase(const ServerAddress& server)
{
    datastore::Connection maintenance;
    QString error = unionsql::open(maintenance, server, QStringLiteral("postgres"));
    if (!error.isEmpty())
        return error;
    if (!unionsql::isSuperuser(maintenance, &error))
        return error.isEmpty() ? QStringLiteral("%1 is no superuser of the union's server: only a "
                                                "superuser subscribes (postgresql://postgres@...)")
                                     .arg(server.user)
                               : error;
    const bool exists = !unionsql::column(maintenance,
                                          QStringLiteral("SELECT 1 FROM pg_database WHERE "
                                                         "datname = ?"),
                                          {kUnionDb}, &error)
                             .isEmpty();
    if (error.isEmpty() && !exists)
        error =
            unionsql::run(maintenance, {QStringLiteral("CREATE DATABASE ") + identifier(kUnionDb)});
    if (!error.isEmpty())
        return error;
    datastore::Connection unionDb;
    error = unionsql::open(unionDb, server, kUnionDb);
    return error.isEmpty() ? unionsql::run(unionDb, kUnionTables) : error;
}

// When its server started: two connections that read the same reach the same server.
QString startedAt(datastore::Connection& con, QString* error)
{
    return unionsql::column(con, QStringLiteral("SELECT pg_postmaster_start_time()::text"), {},
                            error)
        .value(0);
}

QString readYears(const ServerAddress& centre, QList<Year>* years, QString* started)
{
    datastore::Connection main;
    QString error = unionsql::open(main, centre, QString::fromLatin1(kServerMainDatabase));
    if (error.isEmpty())
        *started = startedAt(main, &error);
    if (!error.isEmpty())
        return error;
    auto rows = main.exec(QStringLiteral("SELECT ComCode, Code, lower(trim(DbMst)), YStart, YEnd, "
                                         "ComName, Town FROM Years WHERE trim(DbMst) <> '' "
                                         "ORDER BY ComCode, Code"));
    if (!rows)
        return rows.errorText();
    while (rows->next())
        years->append({rows->value(0).toString().trimmed(), rows->value(1).toInt(),
                       rows->value(2).toString(), rows->value(3).toDate(), rows->value(4).toDate(),
                       rows->value(5).toString().trimmed(), rows->value(6).toString().trimmed()});
    return QString();
}

// The tables the year's publication carries, with their columns and keys.
QString publishedTables(datastore::Connection& year, QList<Table>* tables)
{
    auto rows = year.exec(
        QStringLiteral(
            "SELECT c.relname, c.relreplident, a.attname, format_type(a.atttypid, a.atttypmod), "
            "a.attnotnull, EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = c.oid AND a.attnum "
            "= "
            "ANY (i.indkey) AND ((c.relreplident = 'i' AND i.indisreplident) OR (c.relreplident = "
            "'d' AND i.indisprimary))) FROM pg_publication_tables p JOIN pg_namespace n ON "
            "n.nspname = p.schemaname JOIN pg_class c ON c.relnamespace = n.oid AND c.relname = "
            "p.tablename JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT "
            "a.attisdropped WHERE p.pubname = ? AND p.schemaname = 'public' ORDER BY c.relname, "
            "a.attnum"),
        {kPublication});
    if (!rows)
        return rows.errorText();
    while (rows->next()) {
        const QString name = rows->value(0).toString();
        if (tables->isEmpty() || tables->last().name != name)
            tables->append({name, rows->value(1).toString(), {}});
        const Column column{rows->value(2).toString(), rows->value(3).toString(),
                            rows->value(4).toBool(), rows->value(5).toBool()};
        if (!isPlainType(column.type))
            return QStringLiteral("the column %1.%2 has a type the union does not take: %3")
                .arg(name, column.name, column.type);
        tables->last().columns.append(column);
    }
    if (tables->isEmpty())
        return QStringLiteral("it is not published: run tarvolen-admin union publish at the "
                              "centre");
    return QString();
}

// The statements that give the union's copy of one table: made when missing, columns added.
QStringList tableStatements(const Table& table)
{
    const QString name = identifier(table.name);
    QStringList definitions, keys;
    QStringList statements;
    for (const Column& column : table.columns) {
        definitions << identifier(column.name) + QLatin1Char(' ') + column.type +
                           (column.notNull ? QStringLiteral(" NOT NULL") : QString());
        statements << QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3")
                          .arg(name, identifier(column.name), column.type);
        if (column.key)
            keys << identifier(column.name);
    }
    statements.prepend(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                           .arg(name, definitions.join(QStringLiteral(", "))));
    // The key the centre's updates and deletes are found by.
    const QString keyIndex = identifier(table.name + QStringLiteral("_union_key"));
    if (!keys.isEmpty())
        statements
            << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                   .arg(keyIndex, name, keys.join(QStringLiteral(", ")))
            << QStringLiteral("ALTER TABLE %1 REPLICA IDENTITY USING INDEX %2").arg(name, keyIndex);
    else
        statements << QStringLiteral("ALTER TABLE %1 REPLICA IDENTITY FULL").arg(name);
    // The union's shift report reads a date and shift at a time.
    const auto has = [&](const char* column) {
        return std::any_of(table.columns.begin(), table.columns.end(),
                           [&](const Column& c) { return c.name == QLatin1String(column); });
    };
    if (table.name == QLatin1String("data_wght") && has("refdate") && has("ampm"))
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS data_wght_union_shift ON "
                                     "data_wght (refdate, ampm)");
    return statements;
}

QString conninfo(const ServerAddress& centre, const QString& database)
{
    return QStringList{unionsql::conninfoPair(QStringLiteral("host"), centre.host),
                       unionsql::conninfoPair(QStringLiteral("port"), QString::number(centre.port)),
                       unionsql::conninfoPair(QStringLiteral("dbname"), database),
                       unionsql::conninfoPair(QStringLiteral("user"), centre.user),
                       unionsql::conninfoPair(QStringLiteral("password"), centre.password),
                       QStringLiteral("connect_timeout=10")}
        .join(QLatin1Char(' '));
}

// The subscription of one union database to its year at the centre: made, or pointed at the
// centre anew and refreshed (new tables copied). The password stays out of the server's log
// and out of what is told.
QString subscribe(datastore::Connection& copy, const QString& subscription,
                  const ServerAddress& centre, const QString& centreDatabase, bool* made)
{
    QString error;
    *made = unionsql::column(copy,
                             QStringLiteral("SELECT 1 FROM pg_subscription WHERE subname = ? AND "
                                            "subdbid = (SELECT oid FROM pg_database WHERE "
                                            "datname = current_database())"),
                             {subscription}, &error)
                .isEmpty();
    if (error.isEmpty())
        error = unionsql::keepOutOfLog(copy);
    if (!error.isEmpty())
        return error;
    const QString connection = literal(conninfo(centre, centreDatabase));
    const QString name = identifier(subscription);
    const QStringList statements =
        *made ? QStringList{QStringLiteral("CREATE SUBSCRIPTION %1 CONNECTION %2 PUBLICATION %3 "
                                           "WITH (slot_name = %4)")
                                .arg(name, connection, identifier(kPublication),
                                     literal(subscription))}
              : QStringList{
                    QStringLiteral("ALTER SUBSCRIPTION %1 CONNECTION %2").arg(name, connection),
                    QStringLiteral("ALTER SUBSCRIPTION %1 ENABLE").arg(name),
                    QStringLiteral("ALTER SUBSCRIPTION %1 REFRESH PUBLICATION").arg(name)};
    for (const QString& statement : statements) {
        const auto done = copy.exec(statement);
        if (!done) // the statement carries the password: only the server's reason is told
            return done.errorText().section(QStringLiteral("\n\nStatement:"), 0, 0);
    }
    return QString();
}

struct CentreRow {
    bool exists = false;
    bool removed = false;
    QString host;
    int port = 0;
};

QString centreRow(datastore::Connection& unionDb, const QString& name, CentreRow* row)
{
    auto rows = unionDb.exec(QStringLiteral("SELECT Host, Port, RemovedAt IS NOT NULL FROM "
                                            "Tv_Centres WHERE Name = ?"),
                             {name});
    if (!rows)
        return rows.errorText();
    if (rows->next())
        *row = {true, rows->value(2).toBool(), rows->value(0).toString(), rows->value(1).toInt()};
    return QString();
}

// One year of the centre: its database at the union, its tables, its subscription, its row.
QString addYear(const AddCentreOptions& options, datastore::Connection& unionDb, const Year& y,
                QString* line)
{
    const QString copyName = QStringLiteral("tvu_%1_%2").arg(options.name, y.dbMst);
    const QString subscription = QString(copyName).replace(QLatin1Char('-'), QLatin1Char('_'));
    if (!isPlain(y.dbMst) || copyName.size() > 63)
        return QStringLiteral("\"%1\" cannot name a database at the union (letters, digits, - "
                              "and _, and with the centre's name at most 63)")
            .arg(copyName);
    datastore::Connection centreYear;
    QString error = unionsql::open(centreYear, options.centre, serverDatabaseName(y.dbMst));
    QList<Table> tables;
    if (error.isEmpty())
        error = publishedTables(centreYear, &tables);
    if (!error.isEmpty())
        return error;
    centreYear.close();
    {
        datastore::Connection maintenance;
        error = unionsql::open(maintenance, options.unionServer, QStringLiteral("postgres"));
        const bool exists =
            error.isEmpty() && !unionsql::column(maintenance,
                                                 QStringLiteral("SELECT 1 FROM pg_database WHERE "
                                                                "datname = ?"),
                                                 {copyName}, &error)
                                    .isEmpty();
        if (error.isEmpty() && !exists)
            error = unionsql::run(maintenance,
                                  {QStringLiteral("CREATE DATABASE ") + identifier(copyName)});
        if (!error.isEmpty())
            return error;
    }
    datastore::Connection copy;
    error = unionsql::open(copy, options.unionServer, copyName);
    // No notice of each column that is there already.
    QStringList statements{QStringLiteral("SET client_min_messages = warning"),
                           QStringLiteral("BEGIN")};
    for (const Table& table : tables)
        statements << tableStatements(table);
    statements << QStringLiteral("COMMIT");
    if (error.isEmpty())
        error = unionsql::run(copy, statements);
    if (!error.isEmpty()) {
        copy.run(QStringLiteral("ROLLBACK"));
        return error;
    }
    bool made = false;
    error = subscribe(copy, subscription, options.centre, serverDatabaseName(y.dbMst), &made);
    if (error.isEmpty())
        error = unionsql::run(
            unionDb,
            {QStringLiteral("INSERT INTO Tv_CentreYears (Centre, DbMst, ComCode, Code, YStart, "
                            "YEnd, ComName, Town, UnionDb, Subscription) VALUES (?, ?, ?, ?, ?, ?, "
                            "?, ?, ?, ?) ON CONFLICT (Centre, DbMst) DO UPDATE SET ComCode = "
                            "excluded.ComCode, Code = excluded.Code, YStart = excluded.YStart, "
                            "YEnd = excluded.YEnd, ComName = excluded.ComName, Town = "
                            "excluded.Town")},
            {options.name, y.dbMst, y.comCode, y.code, y.start, y.end, y.comName, y.town, copyName,
             subscription});
    *line = QStringLiteral("%1 %2 (%3): %4 tables in database %5, subscription %6 %7")
                .arg(y.comCode)
                .arg(y.code)
                .arg(y.dbMst)
                .arg(tables.size())
                .arg(copyName, subscription,
                     made ? QStringLiteral("made") : QStringLiteral("refreshed"));
    return error;
}
} // namespace

QString addCentre(const AddCentreOptions& options, QStringList* lines)
{
    static const QRegularExpression centreName(QStringLiteral("^[a-z][a-z0-9_]{0,23}$"));
    if (!centreName.match(options.name).hasMatch())
        return QStringLiteral("a centre's name at the union is a small letter, then small "
                              "letters, digits or _ (at most 24): not \"%1\"")
            .arg(options.name);
    // Everything the centre is asked first: a wrong password or address makes nothing.
    QList<Year> years;
    QString centreStarted;
    QString error = readYears(options.centre, &years, &centreStarted);
    if (!error.isEmpty())
        return QStringLiteral("the centre's main database: ") + error;
    if (years.isEmpty())
        return QStringLiteral("the centre lists no company year (Years is empty)");
    {
        // A server's subscription to itself would wait for ever for its own slot.
        datastore::Connection maintenance;
        error = unionsql::open(maintenance, options.unionServer, QStringLiteral("postgres"));
        if (error.isEmpty() && startedAt(maintenance, &error) == centreStarted)
            return QStringLiteral("the centre's server is the union's own server: a union keeps "
                                  "its centres on a server of its own");
        if (!error.isEmpty())
            return error;
    }
    if (error = ensureUnionDatabase(options.unionServer); !error.isEmpty())
        return error;
    datastore::Connection unionDb;
    if (error = unionsql::open(unionDb, options.unionServer, kUnionDb); !error.isEmpty())
        return error;
    CentreRow row;
    if (error = centreRow(unionDb, options.name, &row); !error.isEmpty())
        return error;
    if (row.removed)
        return QStringLiteral("the centre %1 was removed and its rows are kept under that name: "
                              "give it another name")
            .arg(options.name);
    if (row.exists && (row.host != options.centre.host || row.port != options.centre.port))
        return QStringLiteral("the centre %1 is the server %2:%3, not %4:%5")
            .arg(options.name, row.host)
            .arg(row.port)
            .arg(options.centre.host)
            .arg(options.centre.port);
    error = unionsql::run(
        unionDb,
        {QStringLiteral("INSERT INTO Tv_Centres (Name, Host, Port, RoleName) "
                        "VALUES (?, ?, ?, ?) ON CONFLICT (Name) DO UPDATE SET "
                        "RoleName = excluded.RoleName")},
        {options.name, options.centre.host, options.centre.port, options.centre.user});
    if (!error.isEmpty())
        return error;
    QStringList failures;
    for (const Year& y : years) {
        QString line;
        if (const QString failed = addYear(options, unionDb, y, &line); !failed.isEmpty())
            failures << QStringLiteral("%1: %2").arg(y.dbMst, failed);
        else
            *lines << line;
    }
    return failures.join(QLatin1Char('\n'));
}

QString centreYears(const ServerAddress& unionServer, QList<CentreYear>* years)
{
    datastore::Connection unionDb;
    QString error = unionsql::open(unionDb, unionServer, kUnionDb);
    if (!error.isEmpty())
        return error.contains(QStringLiteral("does not exist"))
                   ? QStringLiteral("no union on %1:%2 yet: union add-centre makes it")
                         .arg(unionServer.host)
                         .arg(unionServer.port)
                   : error;
    auto rows = unionDb.exec(QStringLiteral(
        "SELECT y.Centre, y.ComCode, y.ComName, y.DbMst, y.UnionDb, y.Subscription, c.RemovedAt "
        "IS NOT NULL FROM Tv_CentreYears y JOIN Tv_Centres c ON c.Name = y.Centre ORDER BY "
        "y.Centre, y.ComCode, y.Code"));
    if (!rows)
        return rows.errorText();
    while (rows->next())
        years->append({rows->value(0).toString(), rows->value(1).toString(),
                       rows->value(2).toString(), rows->value(3).toString(),
                       rows->value(4).toString(), rows->value(5).toString(),
                       rows->value(6).toBool()});
    return QString();
}

QString removeCentre(const ServerAddress& unionServer, const QString& name, QStringList* lines)
{
    QList<CentreYear> years;
    QString error = centreYears(unionServer, &years);
    if (!error.isEmpty())
        return error;
    datastore::Connection unionDb;
    CentreRow row;
    if (error = unionsql::open(unionDb, unionServer, kUnionDb); error.isEmpty())
        error = centreRow(unionDb, name, &row);
    if (!error.isEmpty())
        return error;
    if (!row.exists || row.removed)
        return QStringLiteral("no centre %1 at the union").arg(name);
    QStringList failures;
    for (const CentreYear& y : years) {
        if (y.centre != name)
            continue;
        datastore::Connection copy;
        if (error = unionsql::open(copy, unionServer, y.unionDatabase); !error.isEmpty()) {
            failures << error;
            continue;
        }
        const QString subscription = identifier(y.subscription);
        const bool exists =
            !unionsql::column(copy,
                              QStringLiteral("SELECT 1 FROM pg_subscription WHERE subname = ?"),
                              {y.subscription}, &error)
                 .isEmpty();
        if (!exists)
            continue;
        unionsql::run(copy, {QStringLiteral("ALTER SUBSCRIPTION %1 DISABLE").arg(subscription)});
        if (unionsql::run(copy, {QStringLiteral("DROP SUBSCRIPTION ") + subscription}).isEmpty()) {
            *lines << QStringLiteral("%1: subscription dropped, its slot at the centre too; the "
                                     "rows stay in database %2")
                          .arg(y.dbMst, y.unionDatabase);
            continue;
        }
        // The centre does not answer: its slot stays there and keeps its server's WAL.
        error = unionsql::run(
            copy, {QStringLiteral("ALTER SUBSCRIPTION %1 SET (slot_name = NONE)").arg(subscription),
                   QStringLiteral("DROP SUBSCRIPTION ") + subscription});
        if (!error.isEmpty()) {
            failures << y.dbMst + QStringLiteral(": ") + error;
            continue;
        }
        *lines << QStringLiteral("%1: subscription dropped; the centre did not answer, so its "
                                 "server keeps the slot %2 and with it every WAL file from now "
                                 "on: there, run SELECT pg_drop_replication_slot('%2') in the "
                                 "database %3. The rows stay in database %4")
                      .arg(y.dbMst, y.subscription, serverDatabaseName(y.dbMst), y.unionDatabase);
    }
    if (failures.isEmpty())
        failures << unionsql::run(unionDb,
                                  {QStringLiteral("UPDATE Tv_Centres SET RemovedAt = now() WHERE "
                                                  "Name = ?")},
                                  {name});
    failures.removeAll(QString());
    return failures.join(QLatin1Char('\n'));
}

} // namespace admin::unionrepl

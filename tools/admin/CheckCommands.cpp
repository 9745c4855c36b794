// tarvolen-admin check: what an installation lacks for the desk to work, and fast. Databases
// made by other programs may lack the indexes this tool creates; without them every receipt's
// running numbers are found by reading the whole receipts table while the desk holds the
// write lock. --fix adds the missing indexes and nothing else.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "AdminDb.h"
#include "Centre.h"
#include "Installation.h"
#include "platform/Paths.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace admincli;

namespace {

struct IndexShape {
    QString name;
    QString table;
    QStringList columns;
    bool unique = false;
    QString createStatement;
    bool operator==(const IndexShape& other) const
    {
        return table.compare(other.table, Qt::CaseInsensitive) == 0 &&
               columns.join(',').compare(other.columns.join(','), Qt::CaseInsensitive) == 0 &&
               unique == other.unique;
    }
};

struct Shape {
    QMap<QString, QStringList> columns; // table (lower case) -> its columns
    QMap<QString, QString> tableNames;  // lower case -> as written
    QList<IndexShape> indexes;
};

QStringList columnsOf(datastore::Connection& db, const QString& pragma, const QString& name,
                      int nameColumn)
{
    QStringList names;
    QSqlQuery query = db.run(QStringLiteral("PRAGMA %1(\"%2\")").arg(pragma, name));
    while (query.next())
        names << query.value(nameColumn).toString();
    return names;
}

bool readShape(const QString& file, Shape* shape, QString* error)
{
    datastore::Connection db;
    *error = admin::openFile(db, file);
    if (!error->isEmpty())
        return false;
    QSqlQuery tables = db.run(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"));
    if (!tables.isActive()) {
        *error = admin::errorOf(db, tables);
        return false;
    }
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    for (const QString& table : names) {
        shape->tableNames.insert(table.toLower(), table);
        shape->columns.insert(table.toLower(),
                              columnsOf(db, QStringLiteral("table_info"), table, 1));
        QSqlQuery list = db.run(QStringLiteral("PRAGMA index_list(\"%1\")").arg(table));
        QList<IndexShape> found;
        while (list.next()) {
            IndexShape index;
            index.name = list.value(1).toString();
            index.table = table;
            index.unique = list.value(2).toInt() == 1;
            found << index;
        }
        for (IndexShape& index : found) {
            index.columns = columnsOf(db, QStringLiteral("index_info"), index.name, 2);
            QSqlQuery sql = db.run(
                QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?"),
                {index.name});
            if (sql.next())
                index.createStatement = sql.value(0).toString();
            shape->indexes << index;
        }
    }
    return true;
}

// The shape this tool gives a company-year or main database, read from a fresh one.
bool referenceShape(bool company, Shape* shape, QString* error)
{
    QTemporaryDir scratch;
    const QString file = scratch.path() + QStringLiteral("/reference.mdb");
    *error = company ? admin::createCompanyDatabase(file) : admin::createMainDatabase(file);
    return error->isEmpty() && readShape(file, shape, error);
}

// What the file lacks against the reference, one line each; the indexes it lacks in *missing.
QStringList lacks(const Shape& reference, const Shape& actual, QList<IndexShape>* missing)
{
    QStringList lines;
    for (auto table = reference.columns.cbegin(); table != reference.columns.cend(); ++table) {
        const QString shown = reference.tableNames.value(table.key());
        if (!actual.columns.contains(table.key())) {
            lines << QStringLiteral("missing table %1").arg(shown);
            continue;
        }
        for (const QString& column : table.value()) {
            if (!actual.columns.value(table.key()).contains(column, Qt::CaseInsensitive))
                lines << QStringLiteral("missing column %1.%2").arg(shown, column);
        }
    }
    for (const IndexShape& index : reference.indexes) {
        if (index.createStatement.isEmpty() || actual.indexes.contains(index))
            continue;
        if (!actual.columns.contains(index.table.toLower()))
            continue; // told as a missing table
        lines << QStringLiteral("missing index %1 on %2 (%3)%4")
                     .arg(index.name, index.table, index.columns.join(QStringLiteral(", ")),
                          index.unique ? QStringLiteral(", unique") : QString());
        *missing << index;
    }
    return lines;
}

// Adds the indexes; a unique index over numbers stored twice cannot be made and says so.
QStringList addIndexes(const QString& file, const QList<IndexShape>& missing)
{
    QStringList lines;
    datastore::Connection db;
    const QString notOpened = admin::openFile(db, file);
    if (!notOpened.isEmpty())
        return {QStringLiteral("could not open: %1").arg(notOpened)};
    for (const IndexShape& index : missing) {
        const QString error = admin::exec(db, index.createStatement);
        if (error.isEmpty())
            lines << QStringLiteral("added index %1").arg(index.name);
        else
            lines << QStringLiteral("could not add index %1: %2").arg(index.name, error);
    }
    return lines;
}

struct Target {
    QString label;
    QString file;
    bool company;
};

bool targetsOf(const QString& dataRoot, const QString& company, QList<Target>* targets,
               QString* error)
{
    const QString dataFolder = platform::resolvePath(
        QDir::cleanPath(QFileInfo(dataRoot).absoluteFilePath()) + QStringLiteral("/DataBas"));
    const QString mainFile = platform::resolvePath(dataFolder + QStringLiteral("/Main.mdb"));
    if (!QFileInfo(mainFile).isFile()) {
        *error = QStringLiteral("%1 does not exist").arg(mainFile);
        return false;
    }
    if (company.isEmpty())
        *targets << Target{QStringLiteral("Main.mdb"), mainFile, false};
    datastore::Connection main;
    *error = admin::openFile(main, mainFile);
    if (!error->isEmpty())
        return false;
    QSqlQuery years = main.run(
        QStringLiteral("SELECT ComCode, Code, DbMst FROM Years WHERE ? = '' OR ComCode = ? "
                       "ORDER BY ComCode, Code"),
        {company.isEmpty() ? QStringLiteral("") : company, company});
    if (!years.isActive()) {
        *error = admin::errorOf(main, years);
        return false;
    }
    while (years.next()) {
        const QString dbMst = years.value(2).toString();
        const QString file =
            platform::resolvePath(dataFolder + QLatin1Char('/') + dbMst + QStringLiteral(".mdb"));
        *targets << Target{QStringLiteral("%1.mdb (company %2, year %3)")
                               .arg(dbMst, years.value(0).toString(), years.value(1).toString()),
                           file, true};
    }
    if (!company.isEmpty() && targets->isEmpty()) {
        *error = QStringLiteral("no company %1 in %2").arg(company, mainFile);
        return false;
    }
    return true;
}

} // namespace

int admin::runCheck(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reports what an installation lacks for the desk to work fast: tables, columns and "
        "the indexes this tool creates. With --fix adds the missing indexes (nothing else). "
        "Exits 0 when nothing is lacking (any more), 1 otherwise."));
    admin::centre::addInstallationOptions(parser);
    parser.addOptions({
        {QStringLiteral("company"), QStringLiteral("Only this company's year databases."),
         QStringLiteral("CODE")},
        {QStringLiteral("fix"), QStringLiteral("Add the missing indexes.")},
    });
    int code = Done;
    if (!parse(parser, QStringLiteral("check"), arguments, &code))
        return code;
    admin::centre::Located where;
    if (!admin::centre::locate(parser, &where, &code, false))
        return code;
    const QString dataRoot = where.dataRoot;
    const bool fix = parser.isSet(QStringLiteral("fix"));

    QList<Target> targets;
    QString error;
    if (!targetsOf(dataRoot, parser.value(QStringLiteral("company")), &targets, &error))
        return failed(error);
    Shape companyReference;
    Shape mainReference;
    if (!referenceShape(true, &companyReference, &error) ||
        !referenceShape(false, &mainReference, &error))
        return failed(error);

    bool stillLacking = false;
    bool indexesLacking = false;
    for (const Target& target : targets) {
        out() << target.label << ":\n";
        Shape actual;
        if (!QFileInfo(target.file).isFile()) {
            out() << "  missing file " << target.file << "\n";
            stillLacking = true;
            continue;
        }
        if (!readShape(target.file, &actual, &error)) {
            out() << "  cannot read: " << error << "\n";
            stillLacking = true;
            continue;
        }
        QList<IndexShape> missing;
        const QStringList lines =
            lacks(target.company ? companyReference : mainReference, actual, &missing);
        for (const QString& line : lines)
            out() << "  " << line << "\n";
        if (lines.isEmpty())
            out() << "  nothing lacking\n";
        const int unfixable = int(lines.size() - missing.size());
        int notAdded = fix ? 0 : int(missing.size());
        indexesLacking = indexesLacking || !missing.isEmpty();
        if (fix && !missing.isEmpty()) {
            for (const QString& line : addIndexes(target.file, missing)) {
                out() << "  " << line << "\n";
                notAdded += line.startsWith(QLatin1String("could not")) ? 1 : 0;
            }
        }
        stillLacking = stillLacking || unfixable > 0 || notAdded > 0;
    }
    // The users' passwords lie in these files: others than the group must not read them.
    const bool ownsProgramDir = where.programDirGiven || !parser.isSet(QStringLiteral("data-root"));
    const QStringList exposed =
        admin::centre::exposedDatabases(ownsProgramDir ? where.programDir : QString(), dataRoot);
    if (!exposed.isEmpty()) {
        out() << "Open to every user of this computer:\n  " << exposed.join(QStringLiteral("\n  "))
              << "\n";
        stillLacking = true;
    }
    if (!fix && indexesLacking)
        out() << "Run again with --fix to add the missing indexes.\n";
    out().flush();
    return stillLacking ? Failed : Done;
}

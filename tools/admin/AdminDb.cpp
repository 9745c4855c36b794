#include "AdminDb.h"

#include "datastore/WriteTransaction.h"

#include <QFile>
#include <QFileInfo>

namespace admin {

bool isDataSource(const QString& where)
{
    return where.startsWith(QLatin1String("DSN="));
}

QString openFile(datastore::Connection& con, const QString& file, bool create)
{
    if (isDataSource(file)) {
        con.ConnectionString = file + QLatin1Char(';');
        if (con.open() != datastore::Connection::OpenStatus::Opened)
            return QStringLiteral("cannot open %1: %2").arg(file.mid(4), con.lastError());
        return QString();
    }
    if (create && !QFileInfo::exists(file)) {
        QFile empty(file);
        if (!empty.open(QIODevice::WriteOnly))
            return QStringLiteral("%1: cannot create the file: %2").arg(file, empty.errorString());
    }
    con.ConnectionString = QStringLiteral("Data Source=") + file;
    if (con.open() != datastore::Connection::OpenStatus::Opened)
        return QStringLiteral("%1: %2").arg(file, con.lastError());
    return QString();
}

QString errorOf(const datastore::Connection& con, const QSqlQuery& query)
{
    const QString where = con.fileName().isEmpty() ? con.ConnectionString : con.fileName();
    return where + QStringLiteral(": ") + datastore::describeError(query);
}

QString exec(datastore::Connection& con, const QString& statement, const QVariantList& values)
{
    const QSqlQuery query = con.run(statement, values);
    return query.isActive() ? QString() : errorOf(con, query);
}

QString fillFile(const QString& file, const Filler& fill, bool create, const QString& lockedTable)
{
    datastore::Connection con;
    QString error = openFile(con, file, create);
    if (!error.isEmpty())
        return error;
    datastore::WriteTransaction transaction(con, lockedTable);
    if (!transaction.isActive())
        return file + QStringLiteral(": ") + transaction.error();
    error = fill(con);
    if (error.isEmpty() && !transaction.commit())
        error = file + QStringLiteral(": ") + transaction.error();
    return error;
}

} // namespace admin

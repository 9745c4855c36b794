#include "AdminDb.h"

#include "datastore/FileAccess.h"
#include "datastore/Startup.h"
#include "datastore/WriteTransaction.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace admin {

bool isDataSource(const QString& where)
{
    return where.startsWith(QLatin1String("DSN="));
}

QString openFile(datastore::Connection& con, const QString& file, bool create)
{
    if (isDataSource(file)) {
        // A company year that another desk made on the server is found as the desk finds it.
        const QString name = file.mid(4);
        const QString prefix = QString::fromLatin1(datastore::kMstDsnPrefix);
        if (name.startsWith(prefix) && name != QLatin1String(datastore::kMainDsn))
            datastore::registerServerYear(name.mid(prefix.size()));
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
    if (con.open() != datastore::Connection::OpenStatus::Opened) {
        // Told in words when it is the file's permissions, as the desk tells its operator.
        const QString why = datastore::fileAccessProblem(file, datastore::FileUse::Read);
        return why.isEmpty() || why.endsWith(QLatin1String("does not exist."))
                   ? QStringLiteral("%1: %2").arg(file, con.lastError())
                   : why;
    }
    return QString();
}

QString errorOf(const datastore::Connection& con, const QSqlQuery& query)
{
    const QString where = con.fileName().isEmpty() ? con.ConnectionString : con.fileName();
    return where + QStringLiteral(": ") + datastore::describeError(query);
}

QString PreparedStatements::exec(const QString& statement, const QVariantList& values,
                                 int changedRows)
{
    auto query = m_prepared.find(statement);
    if (query == m_prepared.end()) {
        QSqlQuery prepared(m_con.database());
        if (!prepared.prepare(statement))
            return errorOf(m_con, prepared);
        query = m_prepared.insert(statement, prepared);
    }
    for (int i = 0; i < values.size(); ++i)
        query->bindValue(i, values[i]);
    if (!query->exec())
        return errorOf(m_con, *query);
    if (changedRows >= 0 && query->numRowsAffected() != changedRows)
        return QStringLiteral("%1: %2 rows changed where %3 were meant, in: %4")
            .arg(m_con.fileName().isEmpty() ? m_con.ConnectionString : m_con.fileName())
            .arg(query->numRowsAffected())
            .arg(changedRows)
            .arg(statement);
    return QString();
}

QString exec(datastore::Connection& con, const QString& statement, const QVariantList& values)
{
    const QSqlQuery query = con.run(statement, values);
    return query.isActive() ? QString() : errorOf(con, query);
}

namespace {
// A file's begin waits in the engine for as long as its lock wait allows; a server's comes back
// at once while another holds the table, and is tried again here for as long. Whoever holds the
// lock longer than that (a desk stuck in the middle of a receipt, another run of this tool) is
// told about rather than waited for without end.
datastore::LockTry beginWithin(datastore::WriteTransaction& transaction,
                               std::chrono::milliseconds wait)
{
    constexpr std::chrono::milliseconds retryPause{100};
    QElapsedTimer waited;
    waited.start();
    datastore::LockTry tried = transaction.tryBegin();
    // A try that waited the whole time in the engine (a file's) is not made again.
    while (tried == datastore::LockTry::Busy &&
           std::chrono::milliseconds(waited.elapsed()) + retryPause < wait) {
        QThread::msleep(static_cast<unsigned long>(retryPause.count()));
        tried = transaction.tryBegin();
    }
    return tried;
}
} // namespace

QString fillFile(const QString& file, const Filler& fill, bool create, const QString& lockedTable)
{
    datastore::Connection con;
    QString error = openFile(con, file, create);
    if (!error.isEmpty())
        return error;
    datastore::WriteTransaction transaction(con, datastore::WriteTransaction::Deferred{},
                                            lockedTable);
    const auto wait = datastore::Connection::kFileLockWait;
    switch (beginWithin(transaction, wait)) {
    case datastore::LockTry::Done:
        break;
    case datastore::LockTry::Busy:
        return QStringLiteral("%1: locked by another program (a desk or another run of this tool) "
                              "for longer than %2 s; try again later (%3)")
            .arg(file)
            .arg(wait.count() / 1000)
            .arg(transaction.error());
    case datastore::LockTry::Failed:
        return file + QStringLiteral(": ") + transaction.error();
    }
    error = fill(con);
    if (error.isEmpty() && !transaction.commit())
        error = file + QStringLiteral(": ") + transaction.error();
    if (!error.isEmpty() && !isDataSource(file)) {
        const QString why = datastore::fileAccessProblem(file, datastore::FileUse::ReadWrite);
        if (!why.isEmpty() && why != datastore::openToOthersProblem(file))
            return why;
    }
    return error;
}

} // namespace admin

#include "SqliteFile.h"

#include <QAtomicInt>
#include <QSqlError>
#include <chrono>

namespace admin {
namespace {
// A weighing desk may hold the company file while the station settings are changed.
constexpr std::chrono::milliseconds kBusyTimeout{10000};

QAtomicInt fileCounter;

QString reasonOf(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("the database did not answer") : text;
}
} // namespace

SqliteFile::SqliteFile(const QString& file)
    : m_file(file),
      m_name(QStringLiteral("tarvolen-admin-%1").arg(fileCounter.fetchAndAddRelaxed(1)))
{
}

SqliteFile::~SqliteFile()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

bool SqliteFile::open()
{
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase("QSQLITE", m_name);
    db.setDatabaseName(m_file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeout.count()));
    if (!db.open()) {
        m_error = m_file + QStringLiteral(": ") + reasonOf(db.lastError());
        return false;
    }
    return true;
}

void SqliteFile::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen())
        db.close();
}

QSqlQuery SqliteFile::select(const QString& statement, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.setForwardOnly(true);
    bool ok = query.prepare(statement);
    if (ok) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok)
        m_error = m_file + QStringLiteral(": ") + reasonOf(query.lastError()) +
                  QStringLiteral("\nStatement: ") + statement;
    return query;
}

bool SqliteFile::exec(const QString& statement, const QVariantList& values)
{
    return select(statement, values).isActive();
}

void SqliteFile::rollback()
{
    // Keeps the error that made the caller give up, not that of the rollback.
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.exec(QStringLiteral("ROLLBACK"));
}

} // namespace admin

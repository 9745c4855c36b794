#include "SqlFunctions.h"

#include <QLocale>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace datastore {
namespace {

void cdateFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QDate date = parseCDateText(QString::fromUtf8(raw));
    if (!date.isValid()) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
    sqlite3_result_text(context, iso.constData(), iso.size(), SQLITE_TRANSIENT);
}

} // namespace

QDate parseCDateText(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return QDate();
    bool dayOk = false;
    bool yearOk = false;
    const int day = parts[0].toInt(&dayOk);
    const int year = parts[2].toInt(&yearOk);
    if (!dayOk || !yearOk || parts[2].size() != 4)
        return QDate();
    const QLocale english(QLocale::English);
    for (int month = 1; month <= 12; ++month) {
        if (english.monthName(month, QLocale::ShortFormat).compare(parts[1], Qt::CaseInsensitive) ==
            0)
            return QDate(year, month, day); // invalid for 31/Feb and the like
    }
    return QDate();
}

bool registerSqlFunctions(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    auto* sqlite = *static_cast<sqlite3* const*>(handle.data());
    if (!sqlite)
        return false;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(sqlite, "CDate", 1, flags, nullptr, cdateFunction, nullptr,
                                   nullptr) == SQLITE_OK;
}

} // namespace datastore

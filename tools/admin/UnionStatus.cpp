#include "UnionCentres.h"
#include "UnionSql.h"

#include <QSqlQuery>

namespace admin::unionrepl {
namespace {

// How the year's subscription stands, and the seconds since the centre's newest message. A
// worker that has heard nothing from the centre yet is still trying to reach it.
QString replication(datastore::Connection& copy, const CentreYear& y, QString* lag)
{
    auto rows = copy.exec(
        QStringLiteral(
            "SELECT s.subenabled, w.received_lsn IS NOT NULL, round(extract(epoch FROM now() - "
            "w.last_msg_send_time)::numeric, 1), (SELECT count(*) FROM pg_subscription_rel r "
            "WHERE r.srsubid = s.oid AND r.srsubstate <> 'r') FROM pg_subscription s LEFT JOIN "
            "pg_stat_subscription w ON w.subid = s.oid AND w.relid IS NULL WHERE s.subname = ?"),
        {y.subscription});
    if (!rows)
        return QStringLiteral("unknown: ") + rows.errorText().section(QLatin1Char('\n'), 0, 0);
    if (!rows->next())
        return y.removed ? QStringLiteral("removed (rows kept)")
                         : QStringLiteral("no subscription");
    if (!rows->value(0).toBool())
        return QStringLiteral("disabled");
    if (!rows->value(1).toBool())
        return QStringLiteral("waiting for the centre");
    *lag = rows->value(2).isNull() ? QString() : rows->value(2).toString() + QStringLiteral(" s");
    const int copying = rows->value(3).toInt();
    return copying > 0 ? QStringLiteral("copying %1 tables").arg(copying)
                       : QStringLiteral("replicating");
}

QString newestReceipt(datastore::Connection& copy, qint64* count)
{
    auto rows = copy.exec(QStringLiteral(
        "SELECT RefNo, RefDate, AmPm, ColTime, (SELECT count(*) FROM Data_Wght) FROM Data_Wght "
        "ORDER BY RefNo DESC LIMIT 1"));
    if (!rows || !rows->next())
        return QStringLiteral("none");
    *count = rows->value(4).toLongLong();
    return QStringLiteral("%1 %2 %3 (RefNo %4)")
        .arg(rows->value(1).toDate().toString(Qt::ISODate),
             rows->value(2).toInt() == 3 ? QStringLiteral("PM") : QStringLiteral("AM"),
             rows->value(3).toString().trimmed(), rows->value(0).toString());
}
} // namespace

QString unionStatus(const ServerAddress& unionServer, QStringList* lines)
{
    QList<CentreYear> years;
    const QString error = centreYears(unionServer, &years);
    if (!error.isEmpty())
        return error;
    if (years.isEmpty())
        *lines << QStringLiteral("No centres yet.");
    for (const CentreYear& y : years) {
        datastore::Connection copy;
        QString lag = QStringLiteral("-");
        QString state, newest = QStringLiteral("-");
        qint64 count = 0;
        if (const QString failed = unionsql::open(copy, unionServer, y.unionDatabase);
            !failed.isEmpty()) {
            state = failed;
        } else {
            state = replication(copy, y, &lag);
            newest = newestReceipt(copy, &count);
        }
        *lines << QStringLiteral("%1  %2  %3  %4  lag %5  newest receipt %6  %7 receipts")
                      .arg(y.centre, y.comCode, y.dbMst, state, lag, newest)
                      .arg(count);
    }
    return QString();
}

} // namespace admin::unionrepl

#pragma once

#include "datastore/Connection.h"

#include <QDate>
#include <QList>
#include <QString>

// The content of a demo installation: two companies, users, routes, villages and a shift
// already under way, laid around a working day so that the desk can be tried at once.
namespace admin::demo {

struct Year {
    QString comCode;
    int code = 0;
    QString dbMst;
    QDate start;
    QDate end;
    QString comName;
    QString town;
};

// The accounting years (calendar years) of the demo companies, for the day given.
QList<Year> years(const QDate& today);

// Each fills an open, freshly created database inside the caller's transaction and returns
// empty text or what went wrong.
QString fillSerPath(datastore::Connection& con);
QString fillMain(datastore::Connection& con, const QList<Year>& years);
QString fillCompany(datastore::Connection& con, const Year& year, const QDate& today);

// Users, passwords and station settings, for people.
QString summary();

} // namespace admin::demo

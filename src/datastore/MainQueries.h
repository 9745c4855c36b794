#pragma once

#include "Connection.h"

#include <QDate>
#include <QVariant>
#include <QVector>
#include <optional>

// What sign-in and the company window read from the server-path and main databases.
namespace datastore {

// The user name sign-in offers: the user SerPath.mdb names, when that user is marked to be
// offered; without a user there, the first user marked so. Empty text when there is none.
Result<QString> offeredUserName(Connection& serPath, Connection& main);

struct SignInUser {
    qint64 uid = 0;
    QVariant password; // null when none is stored
};
// The user of that name, the letter case ignored on either engine; none when there is no such
// user. The name is bound as typed.
Result<std::optional<SignInUser>> userByName(Connection& main, const QString& name);

// One company as the company window lists it: its code and its latest year's name and town.
struct CompanyRow {
    QString code;
    QString name;
    QString town;
};
// Every company that has a year, in order of code.
Result<QVector<CompanyRow>> companies(Connection& main);

struct CompanyYear {
    QString dbMst;
    QDate start;
    QDate end;
};
// The company's latest year (the highest Code), or none.
Result<std::optional<CompanyYear>> latestYear(Connection& main, const QString& comCode);

} // namespace datastore

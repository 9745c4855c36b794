#pragma once

#include "ServerDatabases.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The head office's side of the union: on the union's server, a database of its own for every
// centre and company year, filled and kept up to date by a subscription to that year's
// publication at the centre; and the union's own table of centres.
namespace admin::unionrepl {

// The union's own database: its centres and their years.
inline const char* const kUnionDatabase = "tarvolen_union";

struct AddCentreOptions {
    QString name;              // the centre's name at the union: small letters, digits, _
    ServerAddress centre;      // the centre's replication role, with its password
    ServerAddress unionServer; // a superuser of the union's server
};
// Subscribes to every company year the centre lists; run again, it adds later years and
// tables. Empty text or what failed (years that worked stay subscribed); *lines tell what.
QString addCentre(const AddCentreOptions& options, QStringList* lines);

// Drops the centre's subscriptions (and their slots at the centre when it answers); its
// databases and rows stay. *lines tell what, with what the centre's administrator must do.
QString removeCentre(const ServerAddress& unionServer, const QString& name, QStringList* lines);

// A centre's year as the union keeps it.
struct CentreYear {
    QString centre;
    QString comCode;
    QString comName;
    QString dbMst;
    QString unionDatabase;
    QString subscription;
    bool removed = false;
};
QString centreYears(const ServerAddress& unionServer, QList<CentreYear>* years);

// One line a centre and year: its replication's state and lag, its newest receipt.
QString unionStatus(const ServerAddress& unionServer, QStringList* lines);

} // namespace admin::unionrepl

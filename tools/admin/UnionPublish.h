#pragma once

#include "ServerDatabases.h"

#include "datastore/Connection.h"

#include <QString>
#include <QStringList>

// A centre's side of the union: every company-year database of its server publishes all its
// tables, and a replication role reads them.
namespace admin::unionrepl {

struct PublishOptions {
    ServerAddress server; // a superuser of the centre's server
    QString role;         // the replication role the union subscribes as
    // The role's password: read from this file when it exists (the owner's alone), else made
    // up and written there first, 0600.
    QString passwordFile;
};

// Makes (or brings up to date) the role and the publication of every year listed in Years.
// Empty text, or what failed; *lines tell what was done, year by year.
QString publishCentre(const PublishOptions& options, QStringList* lines);

// One company-year database: a replica identity for every table (its primary key, else a
// unique index on columns that are never null, else the whole row), the publication of every
// table it has now, and SELECT on them for the roles. Safe to run again; *line tells what.
QString publishYear(datastore::Connection& year, const QStringList& roles, QString* line);

// The replication roles that read a database's publication: none when it is not published.
QStringList publicationRoles(datastore::Connection& year, QString* error);

// A company's new year on a server: published as its previous year is, for the same roles;
// nothing when the previous year is not published. Empty text or what failed; *line tells.
QString publishAsBefore(const QString& previousDbMst, const QString& dbMst, QString* line);

} // namespace admin::unionrepl

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Backups of an installation: every database (SerPath.mdb, Main.mdb, each company-year
// database) copied through SQLite's online backup, so that a copy taken while desks write is
// one consistent state of each file; each copy's integrity is checked. A restore puts a backup
// back only while no desk runs.
namespace admin {

struct InstallationFiles {
    QString serPath;         // <program dir>/SerPath.mdb
    QString dataRoot;        // as SerPath.mdb names it
    QString main;            // <data root>/DataBas/Main.mdb
    QStringList companyYear; // <data root>/DataBas/<DbMst>.mdb that exist
};
// Empty text, or why the installation's files cannot be found.
QString installationFiles(const QString& programDir, InstallationFiles* files);

// Copies one database file into `target` (replaced) with the online backup; waits for a
// writer that holds the file. Empty text, or what went wrong.
QString copyDatabase(const QString& source, const QString& target);
// "ok", or the first problems that PRAGMA integrity_check reports.
QString integrityOf(const QString& file);

// Backs the installation up into <toFolder>/tarvolen-backup-<yyyyMMdd-HHmmss>, laid out as
// SerPath.mdb and DataBas/<file>. *folder gets the folder made, *copied the files copied.
// On failure the half-made folder is removed again.
QString backupInstallation(const QString& programDir, const QString& toFolder, const QDateTime& now,
                           QString* folder, QStringList* copied);

// The name of the local server on which a running desk of this user answers.
QString runningDeskName();
// Whether a desk answers on that name.
bool deskIsRunning(const QString& name);

// Puts a backup folder back: checks every copy first, refuses while a desk runs, then copies
// each database back with the online backup. *restored gets the files written.
// First copies what it replaces into <backup's folder>/tarvolen-backup-<now>-before-
// restore (*keptIn; empty when nothing was there to replace). Nothing is restored when that
// copy fails.
QString restoreInstallation(const QString& programDir, const QString& fromFolder,
                            const QString& deskName, const QDateTime& now, QString* keptIn,
                            QStringList* restored);

} // namespace admin

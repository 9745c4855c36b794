#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Creating installations: the server-path database in the program's folder, the main database
// and the company-year databases under the data root, with every table and column the desk
// uses, in the stored forms it expects (dates "yyyy-MM-dd", times "hh:mm:ss AM", yes/no 0/1,
// text COLLATE NOCASE), plus the keys and indexes that keep it fast.
namespace admin {

// Opens a database file (0660) or its folder (2770) to its owner and group only: the users'
// passwords lie in the files. False when the mode cannot be changed.
bool closeToOthers(const QString& path);

// Each returns empty text on success, or what went wrong. The files are closed to others.
QString createSerPathDatabase(const QString& file, const QString& dataRoot);
QString createMainDatabase(const QString& file);
QString createCompanyDatabase(const QString& file);

struct InitOptions {
    QString programDir;
    QString dataRoot;
    bool demo = false;
    bool force = false;
    QDate today; // the demo's working day (its receipts and years are laid around it)
};
// Refuses to overwrite an existing installation unless force is set; writes nothing when
// it refuses or fails part way (what it wrote is removed again).
QString initInstallation(const InitOptions& options);
// The same, telling in *summary what was created (files, companies, users and passwords).
QString initInstallation(const InitOptions& options, QString* summary);

struct StationOptions {
    QString dataRoot;
    QString company;   // ComCode: the settings go into that company's latest year
    int link = -1;     // ComLan 1-4; -1 leaves it as it is
    int format = -1;   // WghtFmt
    int port = -1;     // ComPortW
    double speed = -1; // BitsNoW
    QString host;      // LanHostIP; null leaves it
    QString tcpPort;   // LanHostNo; null leaves it
};
QString writeStation(const StationOptions& options);
// The settings row that the desk would read for that company, as text for people, in *settings.
QString describeStation(const QString& dataRoot, const QString& company, QString* settings);

// The company-year database name (DbMst) of a company's latest year, or empty text.
QString latestDbMst(const QString& dataRoot, const QString& company);

} // namespace admin

#pragma once

#include "ServerDatabases.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

namespace testkit {

// A built tool (tarvolen-admin, tarvolen-scale-sim): in TARVOLEN_BIN_DIR as CTest sets it, or
// beside the test binary itself when a test is run by hand.
QString toolPath(const QString& name);

// One test case's world: a temporary folder holding the program's folder, the data root, the
// ODBC user settings (ODBCINI) and Tarvolen's configuration folder (XDG_CONFIG_HOME). Messages
// and the program's end are recorded instead of shown; the clock is fixed on request.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    QString root() const { return m_dir.path(); }
    QString programDir() const { return root() + "/program"; }
    QString dataRoot() const { return root() + "/data"; }
    QString odbcIni() const { return root() + "/odbc.ini"; }
    QString configDir() const { return root() + "/config/tarvolen"; }

    // SerPath.mdb naming the data root, Main.mdb, and one company-year database "CO1_2026"
    // (company "CO1", year code 1, a year around today) with empty masters. On the server
    // engine the main and company databases are databases of the test server, reached
    // through server data sources; the file names below then stand for them (exec, scalar).
    void createInstallation(const QDate& today = QDate(2024, 3, 5));

    // TARVOLEN_TEST_ENGINE=postgresql runs the cases on the test server that
    // TARVOLEN_TEST_PG_STATE names (its first line: postgresql://USER@HOST:PORT).
    // A company-year database with empty masters, on the engine of the case.
    void createCompany(const QString& dbMst);
    static bool onServer();
    static admin::ServerAddress testServer();
    // The test server's address for init --server (postgresql://USER@HOST:PORT), with the
    // databases of a demo installation made there for that day by an earlier run dropped; empty
    // when one cannot be dropped. The main database's name is fixed: one such test at a time.
    static QString freshServerUrl(const QDate& today);
    // The server database a file name stands for (empty database on the file engine).
    static platform::ServerSource serverSourceFor(const QString& file);
    // A new empty database on the test server with a name of its own, made by another
    // program: the caller gives its statements.
    static QString newServerDatabase(const QString& hint);
    QString serPathFile() const { return programDir() + "/SerPath.mdb"; }
    QString mainFile() const { return dataRoot() + "/DataBas/Main.mdb"; }
    QString companyFile(const QString& dbMst = "CO1_2026") const
    {
        return dataRoot() + "/DataBas/" + dbMst + ".mdb";
    }

    // Runs statements on a database file outside the program's own connections; "DSN=<name>"
    // for a database that a server data source names.
    static void exec(const QString& file, const QString& sql, const QVariantList& values = {});
    static QVariant scalar(const QString& file, const QString& sql);

    // Gen_ state as the road to the weighing window leaves it for company "CO1": data root,
    // password, company, year, data source registered.
    void chooseCompany(const QString& dbMst = "CO1_2026");

    void setClock(const QDateTime& moment);

    // The station's scale settings row (Sms_Add) in a company database: format, link, serial
    // port and speed, and the network scale on 127.0.0.1 at tcpPort.
    static void setStation(const QString& file, int format, int link, const QString& tcpPort = {},
                           int serialPort = 0, double speed = 0);

    // The morning of 05/Mar/2024 in a company database, with its masters: routes 1 North and
    // 2 South (vehicles KA-01-7788 and KA-02 all March); serials 1, 3, 5, 6 on route 1 and 2, 4
    // on route 2. Serial 3's village (77) and serial 4's milk type (9) have no row, serial 5 has
    // null cans; route 1's truck is entered with serial 3, a trip again with serial 6. One
    // receipt in the evening and one on the day before.
    static void seedShift(const QString& file);

    QList<platform::Message> messages;
    int endCount = 0;
    QList<int> endStatuses; // the exit status of each end (platform::EndStatus)
    QStringList messageTexts() const;

private:
    QTemporaryDir m_dir;
};

} // namespace testkit

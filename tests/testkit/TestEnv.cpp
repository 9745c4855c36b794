#include "TestEnv.h"

#include "DemoInstallation.h"
#include "Installation.h"
#include "ServerInstallation.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/Clock.h"
#include "platform/DsnRegistry.h"
#include "platform/Paths.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace testkit {
namespace {
// File names that stand for databases on the test server.
QHash<QString, platform::ServerSource>& serverFiles()
{
    static QHash<QString, platform::ServerSource> files;
    return files;
}

} // namespace

QString toolPath(const QString& name)
{
    const QString binDir = qEnvironmentVariable("TARVOLEN_BIN_DIR");
    return (binDir.isEmpty() ? QCoreApplication::applicationDirPath() : binDir) + '/' + name;
}

TestEnv::TestEnv()
{
    QDir().mkpath(programDir());
    QDir().mkpath(dataRoot() + "/DataBas");
    QDir().mkpath(configDir());
    qputenv("ODBCINI", odbcIni().toUtf8());
    qputenv("XDG_CONFIG_HOME", (root() + "/config").toUtf8());
    qputenv("HOME", root().toUtf8());
    datastore::resetGenState();
    platform::setProgramFolder(programDir());
    platform::setRunningCopyName("tarvolen-test-" + QFileInfo(root()).fileName());
    platform::setMessageHandler([this](const platform::Message& m) { messages << m; });
    platform::setEndHandler([this](platform::EndStatus status) {
        ++endCount;
        endStatuses << int(status);
    });
    platform::setClock({});
    platform::setSteadyClock({});
}

TestEnv::~TestEnv()
{
    serverFiles().clear();
    datastore::resetGenState();
    platform::setMessageHandler({});
    platform::setEndHandler(platform::EndHandler());
    platform::setClock({});
    platform::setSteadyClock({});
}

QStringList TestEnv::messageTexts() const
{
    QStringList texts;
    for (const auto& m : messages)
        texts << m.text;
    return texts;
}

void TestEnv::setStation(const QString& file, int format, int link, const QString& tcpPort,
                         int serialPort, double speed)
{
    exec(file, "DELETE FROM Sms_Add");
    exec(file,
         "INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, ComLan) "
         "VALUES (?, ?, ?, '127.0.0.1', ?, ?)",
         {format, speed, serialPort, tcpPort, link});
}

void TestEnv::seedShift(const QString& file)
{
    for (const char* sql :
         {"INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0), "
          "(2, 'South', 0)",
          "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) VALUES "
          "(1, '2024-03-01', '2024-03-31', 'KA-01-7788'), (2, '2024-03-01', '2024-03-31', "
          "'KA-02')",
          "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo) VALUES "
          "(1, 'V01', 'Hill & Dale', 1), (2, 'V02', 'Riverside', 1), (3, 'S01', 'Southend', 2)",
          "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
          "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')",
          "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, MCode, "
          "DlySlNo, CansRecd, MWeight, TruckNo, SchTime, ArrTime, TruckKMR, TruckRecAmt, "
          "TruckRemarks) VALUES "
          "(11, '2024-03-05', 2, 1, 1, 1, 1, 1, 2, 10.04, '', '06:00:00 AM', "
          "'06:00:00 AM', 0, 0, ''), "
          "(12, '2024-03-05', 2, 2, 3, 2, 2, 2, 3, 31.26, '', '06:30:00 AM', "
          "'06:45:00 AM', 0, 0, ''), "
          "(13, '2024-03-05', 2, 1, 77, 1, 1, 3, 1, 10.04, 'TR-9', '05:45:00 AM', "
          "'06:20:00 AM', 42.5, 150.75, 'late by 35 min'), "
          "(14, '2024-03-05', 2, 2, 3, 1, 9, 4, 4, 40.3, '', '', '', 0, 0, ''), "
          "(15, '2024-03-05', 2, 1, 2, 2, 2, 5, NULL, 10.04, '', '', '', 0, 0, ''), "
          "(16, '2024-03-05', 2, 1, 2, 1, 1, 6, 1, 7.25, '', '', '', 7, 20, ''), "
          "(17, '2024-03-05', 3, 1, 1, 1, 1, 1, 5, 99.9, '', '', '', 0, 0, ''), "
          "(18, '2024-03-04', 2, 1, 1, 1, 1, 1, 5, 88.8, '', '', '', 0, 0, '')"})
        exec(file, sql);
}

void TestEnv::setClock(const QDateTime& moment)
{
    platform::setClock([moment] { return moment; });
}

namespace {
QString createOnServer(const QString& file, const QString& dsn, admin::ServerSchema schema)
{
    const QString database = TestEnv::newServerDatabase(dsn.section('_', 1).toLower());
    const admin::ServerAddress server = TestEnv::testServer();
    QString error = admin::createServerDatabase(server, database, schema);
    if (!error.isEmpty())
        return error;
    const platform::ServerSource source = admin::serverSource(server, database);
    serverFiles().insert(file, source);
    return platform::writeServerDsn(dsn, source) ? QString() : "cannot register " + dsn;
}
} // namespace

void TestEnv::createCompany(const QString& dbMst)
{
    if (onServer())
        QCOMPARE(
            createOnServer(companyFile(dbMst), "QUENMOOR_" + dbMst, admin::ServerSchema::Company),
            QString());
    else
        QCOMPARE(admin::createCompanyDatabase(companyFile(dbMst)), QString());
}

bool TestEnv::onServer()
{
    return qEnvironmentVariable("TARVOLEN_TEST_ENGINE") == "postgresql";
}

admin::ServerAddress TestEnv::testServer()
{
    QFile state(qEnvironmentVariable("TARVOLEN_TEST_PG_STATE"));
    QString url;
    if (state.open(QIODevice::ReadOnly))
        url = QString::fromUtf8(state.readLine()).trimmed();
    QString error;
    const auto server = admin::parseServerUrl(url, &error);
    if (!server)
        qFatal("no test server (TARVOLEN_TEST_PG_STATE=%s): %s", qPrintable(state.fileName()),
               qPrintable(error));
    return *server;
}

QString TestEnv::freshServerUrl(const QDate& today)
{
    const admin::ServerAddress server = testServer();
    QStringList databases{admin::kServerMainDatabase};
    for (const admin::demo::Year& year : admin::demo::years(today))
        databases << admin::serverDatabaseName(year.dbMst);
    for (const QString& database : databases)
        if (!admin::dropServerDatabase(server, database).isEmpty())
            return QString();
    return QString("postgresql://%1@%2:%3").arg(server.user, server.host).arg(server.port);
}

platform::ServerSource TestEnv::serverSourceFor(const QString& file)
{
    return serverFiles().value(file);
}

QString TestEnv::newServerDatabase(const QString& hint)
{
    static int counter = 0;
    return QStringLiteral("t%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter)
        .arg(hint);
}

void TestEnv::createInstallation(const QDate& today)
{
    QCOMPARE(admin::createSerPathDatabase(serPathFile(), dataRoot()), QString());
    if (onServer()) {
        QCOMPARE(createOnServer(mainFile(), "QUENMOOR_MAIN", admin::ServerSchema::Main), QString());
    } else {
        QCOMPARE(admin::createMainDatabase(mainFile()), QString());
    }
    createCompany("CO1_2026");
    const QDate yearStart(today.year(), 1, 1);
    exec(
        mainFile(),
        "INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, Town) "
        "VALUES ('CO1', 1, 'CO1_2026', ?, ?, 'First Dairy', 'Hilltown')",
        {yearStart.toString(Qt::ISODate), yearStart.addYears(1).addDays(-1).toString(Qt::ISODate)});
    setClock(QDateTime(today, QTime(9, 0, 0)));
}

void TestEnv::chooseCompany(const QString& dbMst)
{
    Gen_AppPath = programDir();
    Gen_ServerPath = dataRoot();
    Gen_DbPwd = DbPassword();
    Gen_ComCode = "CO1";
    Gen_DbMst = dbMst;
    const QVariant start =
        scalar(mainFile(), "SELECT YStart FROM Years WHERE DbMst = '" + dbMst + "'");
    const QVariant end = scalar(mainFile(), "SELECT YEnd FROM Years WHERE DbMst = '" + dbMst + "'");
    Gen_YStart = QDate::fromString(start.toString(), Qt::ISODate);
    Gen_YEnd = QDate::fromString(end.toString(), Qt::ISODate);
    Gen_Today = platform::today();
    const auto registered = Set_MstDsn();
    if (!registered)
        qWarning("the company year's data source: %s", qPrintable(registered.errorText()));
}

namespace {
// "DSN=<name>" reaches what a server data source names, as the tool's and the desk's own
// databases on a server installation are reached.
template <typename Body> void withDatabase(const QString& file, Body body)
{
    if (file.startsWith("DSN=") && !serverFiles().contains(file)) {
        QVERIFY2(platform::isServerDsn(file.mid(4)), qPrintable(file + " names no server"));
        serverFiles().insert(file, platform::dsnServer(file.mid(4)));
    }
    const QString name = "testkit-direct";
    {
        const auto server = serverFiles().find(file);
        QSqlDatabase db =
            QSqlDatabase::addDatabase(server == serverFiles().end() ? "QSQLITE" : "QPSQL", name);
        if (server == serverFiles().end()) {
            db.setDatabaseName(file);
        } else {
            db.setHostName(server->host);
            db.setPort(server->port);
            db.setDatabaseName(server->database);
            db.setUserName(server->user);
            db.setPassword(server->password);
        }
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        body(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

void TestEnv::exec(const QString& file, const QString& sql, const QVariantList& values)
{
    withDatabase(file, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (values.isEmpty()) { // a server prepares no CREATE, DROP and the like
            QVERIFY2(query.exec(sql), qPrintable(query.lastError().text() + " in " + sql));
            return;
        }
        QVERIFY2(query.prepare(sql), qPrintable(query.lastError().text() + " in " + sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text() + " in " + sql));
    });
}

QVariant TestEnv::scalar(const QString& file, const QString& sql)
{
    QVariant result;
    withDatabase(file, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        QVERIFY2(query.exec(sql), qPrintable(query.lastError().text() + " in " + sql));
        if (query.next())
            result = query.value(0);
    });
    return result;
}

} // namespace testkit

#include "TestEnv.h"

#include "Installation.h"
#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace testkit {

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
}

TestEnv::~TestEnv()
{
    datastore::resetGenState();
    platform::setMessageHandler({});
    platform::setEndHandler(platform::EndHandler());
    platform::setClock({});
}

QStringList TestEnv::messageTexts() const
{
    QStringList texts;
    for (const auto& m : messages)
        texts << m.text;
    return texts;
}

void TestEnv::setClock(const QDateTime& moment)
{
    platform::setClock([moment] { return moment; });
}

void TestEnv::createInstallation(const QDate& today)
{
    QCOMPARE(admin::createSerPathDatabase(serPathFile(), dataRoot()), QString());
    QCOMPARE(admin::createMainDatabase(mainFile()), QString());
    QCOMPARE(admin::createCompanyDatabase(companyFile()), QString());
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
    Set_MstDsn();
}

namespace {
template <typename Body> void withDatabase(const QString& file, Body body)
{
    const QString name = "testkit-direct";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
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

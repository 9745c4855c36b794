// Stored paths on a case-sensitive file system, and the ODBC user data sources.

#include "TestEnv.h"
#include "platform/DsnRegistry.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void resolvePath_data();
    void resolvePath();
    void fileExistsIgnoresCase();
    void dataSourceWrittenAndRemoved();
    void dataSourcesFollowOdbcIni();
};

namespace {
void touch(const QString& file)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

void PlatformTest::resolvePath_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << "/Databas/Main.Mdb" << "/Databas/Main.Mdb";
    QTest::newRow("other case") << "/DataBas/Main.mdb" << "/Databas/Main.Mdb";
    QTest::newRow("all lower") << "/databas/main.mdb" << "/Databas/Main.Mdb";
    QTest::newRow("backslashes") << "\\DATABAS\\MAIN.MDB" << "/Databas/Main.Mdb";
    QTest::newRow("missing file kept as written") << "/databas/CO9_2026.mdb"
                                                  << "/Databas/CO9_2026.mdb";
    QTest::newRow("missing folder kept, rest as written") << "\\Nowhere\\main.mdb"
                                                         << "/Nowhere/main.mdb";
    QTest::newRow("doubled separators") << "//Databas\\\\Main.Mdb" << "/Databas/Main.Mdb";
}

void PlatformTest::resolvePath()
{
    QFETCH(QString, written);
    QFETCH(QString, expected);
    testkit::TestEnv env;
    QVERIFY(QDir().mkpath(env.root() + "/Databas"));
    touch(env.root() + "/Databas/Main.Mdb");
    QCOMPARE(platform::resolvePath(env.root() + written), env.root() + expected);
}

void PlatformTest::fileExistsIgnoresCase()
{
    testkit::TestEnv env;
    touch(env.dataRoot() + "/DataBas/Main.mdb");
    QVERIFY(platform::fileExists(env.dataRoot() + "\\Databas\\Main.Mdb"));
    QVERIFY(platform::fileExists(env.dataRoot() + "/DATABAS/main.MDB"));
    QVERIFY(!platform::fileExists(env.dataRoot() + "\\Databas\\Other.mdb"));
    // A folder of that name is no database file.
    QVERIFY(!platform::fileExists(env.dataRoot() + "\\databas"));
}

void PlatformTest::dataSourceWrittenAndRemoved()
{
    testkit::TestEnv env;
    const QString file = env.dataRoot() + "/DataBas/Main.mdb";
    QVERIFY(!platform::dsnExists("QUENMOOR_MAIN"));
    QCOMPARE(platform::dsnDatabase("QUENMOOR_MAIN"), QString());
    QVERIFY(!platform::dsnExists(QString()));

    QVERIFY(platform::writeDsn("QUENMOOR_MAIN", file));
    QVERIFY(platform::dsnExists("QUENMOOR_MAIN"));
    QCOMPARE(platform::dsnDatabase("QUENMOOR_MAIN"), file);
    QFile ini(env.odbcIni());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(ini.readAll());
    ini.close();
    QVERIFY2(content.contains("[QUENMOOR_MAIN]"), qPrintable(content));
    QVERIFY2(content.contains(QRegularExpression("Driver\\s*=\\s*SQLite3\\b")), qPrintable(content));
    QVERIFY2(content.contains(QRegularExpression("Database\\s*=\\s*" +
                                                 QRegularExpression::escape(file))),
             qPrintable(content));

    QVERIFY(platform::removeDsn("QUENMOOR_MAIN"));
    QVERIFY(!platform::dsnExists("QUENMOOR_MAIN"));
    QCOMPARE(platform::dsnDatabase("QUENMOOR_MAIN"), QString());
}

void PlatformTest::dataSourcesFollowOdbcIni()
{
    // Each test folder has its own odbc.ini: what one registered must not be seen by the next.
    {
        testkit::TestEnv first;
        QVERIFY(platform::writeDsn("QUENMOOR_CO1_2026", first.dataRoot() + "/a.mdb"));
        QVERIFY(platform::dsnExists("QUENMOOR_CO1_2026"));
    }
    testkit::TestEnv second;
    QVERIFY(!platform::dsnExists("QUENMOOR_CO1_2026"));
    QVERIFY(platform::writeDsn("QUENMOOR_CO1_2026", second.dataRoot() + "/b.mdb"));
    QCOMPARE(platform::dsnDatabase("QUENMOOR_CO1_2026"), second.dataRoot() + "/b.mdb");
}

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"

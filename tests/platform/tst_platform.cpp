// Stored paths on a case-sensitive file system.

#include "TestEnv.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void resolvePath_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("exists");
        QTest::newRow("other case, backslashes") << "\\DATABAS\\main.mdb" << "/Databas/Main.Mdb"
                                                 << true;
        QTest::newRow("doubled separators") << "//Databas\\\\Main.Mdb" << "/Databas/Main.Mdb"
                                            << true;
        QTest::newRow("missing file kept as written") << "/databas/CO9_2026.mdb"
                                                      << "/Databas/CO9_2026.mdb" << false;
        QTest::newRow("missing folder kept") << "\\Nowhere\\main.mdb" << "/Nowhere/main.mdb"
                                             << false;
        QTest::newRow("a folder is no database file") << "\\databas" << "/Databas" << false;
    }
    void resolvePath()
    {
        QFETCH(QString, written);
        QFETCH(QString, expected);
        QFETCH(bool, exists);
        testkit::TestEnv env;
        QVERIFY(QDir().mkpath(env.root() + "/Databas"));
        QFile file(env.root() + "/Databas/Main.Mdb");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(platform::resolvePath(env.root() + written), env.root() + expected);
        QCOMPARE(platform::fileExists(env.root() + written), exists);
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"

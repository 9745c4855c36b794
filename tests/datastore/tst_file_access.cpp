// What a desk tells its operator about a database file that its user may not use.

#include "LocalUsers.h"
#include "datastore/FileAccess.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using datastore::FileUse;

class FileAccessTest : public QObject {
    Q_OBJECT
private slots:
    void tellsWhy_data()
    {
        QTest::addColumn<bool>("member");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("told"); // empty: nothing to tell
        QTest::newRow("member writes") << true << 0660 << 02770 << true << "";
        QTest::newRow("member reads a read-only file") << true << 0640 << 02770 << false << "";
        QTest::newRow("outsider cannot read")
            << false << 0660 << 02770 << false
            << "cannot read the database %1: its folder %3 belongs to the group %2, and you are "
               "not in it. Ask to be added to the group %2";
        QTest::newRow("outsider cannot write, though the folder is open")
            << false << 0664 << 02775 << true
            << "cannot write to the database %1: it belongs to the group %2, and you are "
               "not in it";
        QTest::newRow("the group may not write the file")
            << true << 0640 << 02770 << true << "which may not change it: ask the administrator";
        QTest::newRow("the group may not write the folder")
            << true << 0660 << 02750 << true << "its folder";
        QTest::newRow("readable by everyone")
            << true << 0664 << 02775 << false << "%1 is readable by everyone on this computer";
    }
    void tellsWhy()
    {
        if (!testkit::LocalUsers::canMake())
            QSKIP("needs root to make a group and its users");
        QFETCH(bool, member);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(bool, write);
        QFETCH(QString, told);
        testkit::LocalUsers users;
        const QString user = users.addUser(member);
        QVERIFY(!user.isEmpty());
        QTemporaryDir top;
        QVERIFY(
            QFile::setPermissions(top.path(), QFile::permissions(top.path()) | QFile::ExeOther));
        const QString folder = top.path() + "/DataBas";
        const QString file = folder + "/Main.mdb";
        QVERIFY(QDir().mkpath(folder));
        QFile(file).open(QIODevice::WriteOnly);
        QCOMPARE(chown(QFile::encodeName(folder), 0, users.gid()), 0);
        QCOMPARE(chown(QFile::encodeName(file), 0, users.gid()), 0);
        QCOMPARE(chmod(QFile::encodeName(folder), mode_t(folderMode)), 0);
        QCOMPARE(chmod(QFile::encodeName(file), mode_t(fileMode)), 0);

        QString problem;
        {
            testkit::ActingAs acting(user);
            problem =
                datastore::fileAccessProblem(file, write ? FileUse::ReadWrite : FileUse::Read);
        }
        if (told.isEmpty())
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        else
            QVERIFY2(problem.contains(QString(told)
                                          .replace("%1", file)
                                          .replace("%2", users.group())
                                          .replace("%3", folder)),
                     qPrintable(problem));
    }
    void missingFileIsNamed()
    {
        QCOMPARE(datastore::fileAccessProblem("/nonexistent/Main.mdb", FileUse::Read),
                 QString("The database /nonexistent/Main.mdb does not exist."));
    }
};

QTEST_GUILESS_MAIN(FileAccessTest)
#include "tst_file_access.moc"

// The running copy that another start hands over to, and the exit status of the program's end.

#include "TestEnv.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"

#include <QApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QWidget>
#include <QtTest>

namespace {
const char* const kEndWith = "TARVOLEN_TEST_END_WITH";

// A later start asks the running copy to come to the front, as activatePreviousCopy does.
void askToComeForward(const QString& name)
{
    QLocalSocket later;
    later.connectToServer(name);
    QVERIFY(later.waitForConnected(5000));
    later.write("activate\n");
    QVERIFY(later.waitForBytesWritten(5000));
    later.disconnectFromServer();
}
} // namespace

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void runningCopyComesForward_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("maximised and minimised: back maximised") << true << true;
        QTest::newRow("maximised behind another window") << true << false;
        QTest::newRow("normal and minimised") << false << true;
    }
    void runningCopyComesForward()
    {
        QFETCH(bool, maximised);
        QFETCH(bool, minimised);
        // The copy listens once for the whole process, under a name of this test's own.
        const QString name =
            "tarvolen-test-platform-" + QString::number(QCoreApplication::applicationPid());
        platform::setRunningCopyName(name);
        QVERIFY(platform::listenAsRunningCopy());

        QWidget desk;
        desk.resize(300, 200);
        maximised ? desk.showMaximized() : desk.show();
        QVERIFY(QTest::qWaitForWindowExposed(&desk));
        if (minimised)
            desk.showMinimized();
        QWidget other; // something else the operator had in front
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.hide();

        askToComeForward(name);
        QTRY_VERIFY(!(desk.windowState() & Qt::WindowMinimized));
        QCOMPARE(bool(desk.windowState() & Qt::WindowMaximized), maximised);
        QVERIFY(desk.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &desk);
    }

    // A test run by hand, without CTest's TARVOLEN_BIN_DIR, finds the tools beside itself.
    void toolsFoundWhenRunByHand()
    {
        const QByteArray set = qgetenv("TARVOLEN_BIN_DIR");
        qunsetenv("TARVOLEN_BIN_DIR");
        const QFileInfo admin(testkit::toolPath("tarvolen-admin"));
        qputenv("TARVOLEN_BIN_DIR", set);
        QVERIFY2(admin.isFile() && admin.isExecutable(), qPrintable(admin.filePath()));
    }

    // The status reaches the process's parent: 0 for the operator's end, others for fatal ends.
    void exitStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("operator's end") << int(platform::EndStatus::Normal);
        QTest::newRow("database could not be opened") << int(platform::EndStatus::DataError);
        QTest::newRow("scale not connected") << int(platform::EndStatus::ScaleNotConnected);
    }
    void exitStatus()
    {
        QFETCH(int, status);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kEndWith, QString::number(status));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"exitStatus"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), status);
    }
};

int main(int argc, char* argv[])
{
    // Run as the child of exitStatus: end the program as the fatal ends do, with no handler.
    if (qEnvironmentVariableIsSet(kEndWith)) {
        platform::endProgram(platform::EndStatus(qEnvironmentVariableIntValue(kEndWith)));
        return 99; // not reached when the end works
    }
    QApplication app(argc, argv);
    PlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"

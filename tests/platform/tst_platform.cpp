// The running copy that another start hands over to, and the program's end: its way out
// through the event loops and its exit status; messages without the desk's windows.

#include "platform/DeskWindows.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "platform/RunningCopy.h"

#include <QApplication>
#include <QDialog>
#include <QLocalSocket>
#include <QProcess>
#include <QWidget>
#include <QtTest>
#include <cstdio>
#include <optional>

namespace {
constexpr int kNotEnded = 99;

void say(const char* what)
{
    std::puts(what);
    std::fflush(stdout);
}

// A case runs this program again as its child: --child ROLE TEXT [STATUS].
struct Child {
    int exitCode = -1; // -1: it crashed or did not end
    QString out;
    QString err;
};

Child runChild(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), QStringList{"--child"} + arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
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

        QLocalSocket later; // a later start asks the copy to come forward
        later.connectToServer(name);
        QVERIFY(later.waitForConnected(5000));
        later.write("activate\n");
        QVERIFY(later.waitForBytesWritten(5000));
        QTRY_VERIFY(!(desk.windowState() & Qt::WindowMinimized));
        QCOMPARE(bool(desk.windowState() & Qt::WindowMaximized), maximised);
        QVERIFY(desk.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &desk);
    }

    // The end leaves through the event loops, wherever it comes from, with its status: the
    // windows are hidden at once (none runs its close handling), a loop that runs returns,
    // and no later window of the road opens. An end before the loop is seen by the check
    // main makes before exec.
    void endLeavesThroughTheLoops_data()
    {
        using platform::EndStatus;
        QTest::addColumn<QString>("road");
        QTest::addColumn<int>("status");
        QTest::newRow("operator's end") << "main loop" << int(EndStatus::Normal);
        QTest::newRow("scale lost behind a message box")
            << "modal dialog" << int(EndStatus::ScaleNotConnected);
        QTest::newRow("database lost in a nested wait")
            << "nested loop" << int(EndStatus::DataError);
        QTest::newRow("database lost while signing in")
            << "before the loop" << int(EndStatus::DataError);
    }
    void endLeavesThroughTheLoops()
    {
        QFETCH(QString, road);
        QFETCH(int, status);
        const Child child = runChild({"end", road, QString::number(status)});
        QCOMPARE(child.exitCode, status);
        QVERIFY2(child.out.contains("desk hidden"), qPrintable(child.out));
        QVERIFY2(!child.out.contains("unload ran"), qPrintable(child.out));
        QVERIFY2(!child.out.contains("next window ran"), qPrintable(child.out));
    }

    // Without the desk's windows (the command-line tools) a message is a line on stderr.
    void messageWithoutWindowsIsPrinted()
    {
        const Child child = runChild({"message", "Main.mdb cannot be opened"});
        QCOMPARE(child.exitCode, 0);
        QVERIFY2(child.err.contains("tst_platform: Main.mdb cannot be opened\n"),
                 qPrintable(child.err));
    }
};

namespace {
// The desk's window: says when its close handling (the unload) runs.
class DeskWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        say("unload ran");
        QWidget::closeEvent(event);
    }
};

// Runs a window of its own in a loop of its own, as a dialog or a wait does.
void runNestedWindow(const QString& road, QWidget* desk)
{
    if (road == "modal dialog") {
        QDialog dialog(desk);
        dialog.setModal(true);
        dialog.exec();
    } else {
        QEventLoop nested;
        nested.exec();
    }
}

// The child's road to the end (see endLeavesThroughTheLoops).
int endByRoad(const QString& road, platform::EndStatus status)
{
    platform::useDeskWindows();
    DeskWindow desk;
    desk.show();
    const auto sayWhetherHidden = [&desk] { say(desk.isVisible() ? "desk shown" : "desk hidden"); };
    if (road == "before the loop") {
        platform::endProgram(status);
        sayWhetherHidden();
        if (const std::optional<platform::EndStatus> ending = platform::programEnding())
            return int(*ending);
        return kNotEnded;
    }
    QTimer::singleShot(0, &desk, [&] {
        if (road != "main loop") {
            QTimer::singleShot(0, [status] { platform::endProgram(status); });
            runNestedWindow(road, &desk);
        } else {
            platform::endProgram(status);
        }
        // What the road would open next: its loop must return at once.
        QDialog next;
        QTimer::singleShot(0, &next, [&] {
            say("next window ran");
            next.reject();
        });
        next.exec();
    });
    const int returned = QApplication::exec();
    sayWhetherHidden();
    return returned;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Run as the child of a case, without the tests' handlers.
    const QStringList child = QApplication::arguments().mid(1);
    if (child.value(0) == "--child" && child.value(1) == "end")
        return endByRoad(child.value(2), platform::EndStatus(child.value(3).toInt()));
    if (child.value(0) == "--child") {
        platform::showMessage(child.value(2));
        return 0;
    }
    PlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"

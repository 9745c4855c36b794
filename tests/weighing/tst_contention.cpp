// Desks and other programs using one company database at once: no receipt refused, doubled or
// lost while four desks add at once, also on a large database without its indexes; a window
// that adds while another program holds the database keeps answering, waits, and either stores
// the receipt once the database is free or, after its time limit, says why and keeps the row.

#include "ScalePeers.h"
#include "scale/ScaleLink.h"
#include "tst_window_fixture.h"
#include "weighing/StatusArea.h"
#include "weighing/WindowBusy.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <array>

using windowtest::Desk;
using windowtest::kAdded;

namespace {

QString peerProgram()
{
    return qEnvironmentVariable("TARVOLEN_BIN_DIR") + "/db_peer";
}

int count(const QString& file, const QString& sql)
{
    return testkit::TestEnv::scalar(file, sql).toInt();
}

// Starts a peer that holds the database and returns once it holds it.
[[maybe_unused]] bool startHolding(QProcess& peer, const QString& mode, const QString& file,
                                   int seconds)
{
    peer.start(peerProgram(), {mode, file, QString::number(seconds)});
    if (!peer.waitForStarted(10000))
        return false;
    while (peer.waitForReadyRead(10000)) {
        if (peer.readAllStandardOutput().contains("held"))
            return true;
    }
    return false;
}

[[maybe_unused]] bool peerEnds(QProcess& peer, int waitMs)
{
    if (peer.state() != QProcess::NotRunning)
        peer.waitForFinished(waitMs);
    return peer.state() == QProcess::NotRunning && peer.exitCode() == 0;
}

// Shows every message in a real box, as the desk does, and answers each with Enter as an
// operator would; a box that does not take the key is noted and closed, so that the test ends.
struct RealBoxes {
    RealBoxes()
    {
        platform::setMessageHandler([this](const platform::Message& message) {
            QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::Ok);
            box.exec();
        });
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QTest::keyClick(box, Qt::Key_Return);
            if (box->isVisible()) {
                answered << "NOT ANSWERED: " + box->text();
                box->done(0);
            } else {
                answered << box->text();
            }
        });
        poll.start(50);
    }
    ~RealBoxes() { platform::setMessageHandler({}); }
    QTimer poll;
    QStringList answered;
};

// Counts its ticks and keeps the longest time between two of them: a window thread held on a
// lock shows as one long gap.
struct Heartbeat {
    Heartbeat()
    {
        timer.setInterval(50);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            longestGapMs = std::max(longestGapMs, sinceLast.restart());
            ++ticks;
        });
        sinceLast.start();
        timer.start();
    }
    QTimer timer;
    QElapsedTimer sinceLast;
    qint64 longestGapMs = 0;
    int ticks = 0;
};

// A scale on a continuous serial link (the pty behind com1), whose weights count at once.
struct SerialScale {
    explicit SerialScale(QString link) : com1(std::move(link))
    {
        scale::timings().settleTime = std::chrono::milliseconds(0);
    }
    ~SerialScale() { scale::timings() = scale::Timings{}; }
    // The scale streams its platform emptied, then loaded: true once the desk holds the weight,
    // Add armed.
    bool load(Desk& desk, const QByteArray& weight) const
    {
        const auto streamUntil = [this](const QByteArray& reading, auto done) {
            return QTest::qWaitFor(
                [&] {
                    pty->write(reading + "\r\n");
                    return done();
                },
                5000);
        };
        return streamUntil("0000.0", [&] { return desk.field("cmdAdd")->isEnabled(); }) &&
               streamUntil(weight, [&] {
                   return desk.box("txtWeight")->text().toDouble() == weight.toDouble();
               });
    }
    QString com1;
    std::unique_ptr<scaletest::PtyScale> pty = std::make_unique<scaletest::PtyScale>(com1);
};
} // namespace

// Built twice, so that the desks' run and the window's waits go on side by side in the suite.
class ContentionTest : public QObject {
    Q_OBJECT
private slots:
#ifndef WINDOW_WAITS
    void fourDesksAtOnce_data();
    void fourDesksAtOnce();
#else
    void addWhileAnotherProgramHolds_data();
    void addWhileAnotherProgramHolds();
    void lockOutlastsTheWait();
    void readWhileAnotherProgramHolds_data();
    void readWhileAnotherProgramHolds();
    void boxesOpenedDuringTheWaitAnswer_data();
    void boxesOpenedDuringTheWaitAnswer();
#endif

private:
    // The entry row ready for Add; with a scale on a continuous serial link, the weight it
    // streams.
    void openDesk(Desk& desk, SerialScale* scale = nullptr)
    {
        desk.addRouteAndVillage();
        if (scale)
            testkit::TestEnv::setStation(desk.db(), 2, 3, {}, 1, 9600);
        else
            testkit::TestEnv::setStation(desk.db(), 0, 1);
        desk.open();
        QVERIFY(desk.loaded);
        desk.env.messages.clear();
        QVERIFY(!scale || scale->load(desk, "0120.5"));
        desk.fillEntry("3", scale ? QString() : QString("120.5"));
    }
    // Add pressed; true once the window waits for the database, with the entry row held.
    bool addAndSeeItWait(Desk& desk)
    {
        QTest::mouseClick(desk.field<QPushButton>("cmdAdd"), Qt::LeftButton);
        if (!desk.env.messages.isEmpty())
            return false;
        return desk.window->statusArea()->notice().startsWith("Waiting for the database") &&
               !desk.field("Frame1")->isEnabled() && !desk.field("cmbRoute")->isEnabled() &&
               !desk.field("fmLate")->isEnabled() && !desk.field("txtTNo")->isEnabled() &&
               !desk.field("cmdExit")->isEnabled() && !desk.window->close() &&
               desk.window->isVisible();
    }
};

#ifndef WINDOW_WAITS
void ContentionTest::fourDesksAtOnce_data()
{
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<int>("stored"); // receipts already in the database
    QTest::addColumn<int>("each");
    QTest::newRow("with the indexes") << true << 0 << 1000;
    // Each write then scans the table inside the lock; fewer receipts keep the suite short
    // (bench_contention runs the full thousand).
    QTest::newRow("no indexes, 200,000 stored") << false << 200000 << 50;
}

void ContentionTest::fourDesksAtOnce()
{
    QFETCH(bool, indexed);
    QFETCH(int, stored);
    QFETCH(int, each);
    testkit::TestEnv env;
    env.createInstallation(windowtest::kDay);
    const QString file = env.companyFile();
    if (!indexed) {
        testkit::TestEnv::exec(file, "DROP INDEX Data_Wght_RefNo");
        testkit::TestEnv::exec(file, "DROP INDEX Data_Wght_Shift");
    }
    testkit::TestEnv::exec(
        file,
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, DlySlNo, RtRefNo) "
        "SELECT i, date('2020-01-01', '+' || (i / 400) || ' days'), 2 + i % 2, i % 400, 9 "
        "FROM n WHERE i <= ?",
        {stored, stored});

    std::array<QProcess, 4> desks;
    for (int i = 0; i < int(desks.size()); ++i)
        desks[i].start(peerProgram(),
                       {"write", file, QString::number(each), QString::number(i + 1)});
    for (QProcess& desk : desks) {
        QVERIFY2(desk.waitForFinished(200000), "a desk did not finish");
        const QByteArray said = desk.readAllStandardOutput() + desk.readAllStandardError();
        QVERIFY2(desk.exitStatus() == QProcess::NormalExit && desk.exitCode() == 0,
                 said.constData());
        QVERIFY2(said.contains("refused 0"), said.constData());
    }

    const int total = 4 * each;
    const QString shift = " FROM Data_Wght WHERE RefDate = '2024-03-05' AND AmPm = 2";
    QCOMPARE(count(file, "SELECT COUNT(*)" + shift), total);
    QCOMPARE(count(file, "SELECT COUNT(DISTINCT RefNo) FROM Data_Wght"), stored + total);
    QCOMPARE(count(file, "SELECT COUNT(DISTINCT DlySlNo)" + shift), total);
    // Every number handed out once, none skipped.
    QCOMPARE(count(file, "SELECT MAX(RefNo) FROM Data_Wght"), stored + total);
    QCOMPARE(count(file, "SELECT MAX(DlySlNo)" + shift), total);
    for (int route = 1; route <= 4; ++route)
        QCOMPARE(count(file, QString("SELECT COUNT(*)%1 AND RtRefNo = %2").arg(shift).arg(route)),
                 each);
}

#else
void ContentionTest::addWhileAnotherProgramHolds_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("refNo"); // the receipt's number once stored
    QTest::newRow("a write lock held 12 s") << "hold-write" << 1001;
    QTest::newRow("a read kept open 12 s") << "hold-read" << 1;
}

void ContentionTest::addWhileAnotherProgramHolds()
{
    QFETCH(QString, mode);
    QFETCH(int, refNo);
    Desk desk;
    openDesk(desk);
    QProcess peer;
    QVERIFY(startHolding(peer, mode, desk.db(), 12));

    Heartbeat heartbeat;
    QVERIFY(addAndSeeItWait(desk));
    // Keys on the held entry row change nothing.
    QTest::keyClicks(desk.box("txtCans"), "7");
    QCOMPARE(desk.box("txtCans")->text(), QString("3"));

    QTRY_VERIFY_WITH_TIMEOUT(!desk.env.messages.isEmpty(), 40000);
    QCOMPARE(desk.env.messageTexts(), QStringList{kAdded});
    QVERIFY(peerEnds(peer, 5000));
    QCOMPARE(count(desk.db(), "SELECT COUNT(*) FROM Data_Wght WHERE VRefNo = 17"), 1);
    QCOMPARE(count(desk.db(), "SELECT RefNo FROM Data_Wght WHERE VRefNo = 17"), refNo);
    // The window answered all along: its thread was never held for long.
    QVERIFY2(heartbeat.ticks > 100, qPrintable(QString::number(heartbeat.ticks)));
    QVERIFY2(heartbeat.longestGapMs < 2000, qPrintable(QString::number(heartbeat.longestGapMs)));
    QVERIFY(desk.field("Frame1")->isEnabled() && desk.field("cmdExit")->isEnabled());
    QVERIFY(desk.window->statusArea()->notice().isEmpty());
    QCOMPARE(desk.focused(), QString("txtVCode"));
}

void ContentionTest::lockOutlastsTheWait()
{
    Desk desk;
    openDesk(desk);
    QProcess peer;
    QVERIFY(startHolding(peer, "hold-write", desk.db(), 40));
    Heartbeat heartbeat;
    QElapsedTimer waited;
    waited.start();
    QVERIFY(addAndSeeItWait(desk));
    QTRY_VERIFY_WITH_TIMEOUT(!desk.env.messages.isEmpty(), 45000);
    QVERIFY2(waited.elapsed() >= 30000, qPrintable(QString::number(waited.elapsed())));
    QVERIFY(peer.state() == QProcess::Running);
    const QString told = desk.env.messages.first().text;
    QVERIFY2(told.startsWith("The receipt was not saved.\n\nThe database stayed busy for 30 s") &&
                 told.contains("locked"),
             qPrintable(told));
    QVERIFY2(heartbeat.longestGapMs < 2000, qPrintable(QString::number(heartbeat.longestGapMs)));

    // The entry row kept as it was and usable again.
    QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString("17"));
    QCOMPARE(desk.box("txtCans")->text() + "|" + desk.box("txtWeight")->text(), QString("3|120.5"));
    QVERIFY(desk.field("Frame1")->isEnabled() && desk.window->statusArea()->notice().isEmpty());
    QCOMPARE(desk.focused(), QString("cmdAdd"));

    // Once the other program is done, the same Add goes in.
    QVERIFY(peerEnds(peer, 20000));
    QCOMPARE(count(desk.db(), "SELECT COUNT(*) FROM Data_Wght WHERE VRefNo = 17"), 0);
    desk.env.messages.clear();
    QTest::mouseClick(desk.field<QPushButton>("cmdAdd"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!desk.env.messages.isEmpty(), 10000);
    QCOMPARE(desk.env.messageTexts(), QStringList{kAdded});
    QCOMPARE(count(desk.db(), "SELECT COUNT(*) FROM Data_Wght WHERE VRefNo = 17 AND RefNo = 1001"),
             1);
}

void ContentionTest::readWhileAnotherProgramHolds_data()
{
    QTest::addColumn<bool>("lookup"); // the lookup lists villages, or the grid is read anew
    QTest::newRow("grid, on choosing the route") << false;
    QTest::newRow("lookup, listing the villages") << true;
}

void ContentionTest::readWhileAnotherProgramHolds()
{
    QFETCH(bool, lookup);
    Desk desk;
    desk.addReceipt(5, 2, 1, 17, 1, 44.5);
    desk.addVillage(18, "V18", "Riverside", 1);
    openDesk(desk);
    auto* grid = desk.field<QTableWidget>("fgLIst");
    grid->setRowCount(0);
    QProcess peer;
    QVERIFY(startHolding(peer, "hold-write", desk.db(), 3));

    Heartbeat heartbeat;
    desk.box("txtCans")->clear();
    if (lookup) {
        desk.box("txtVCode")->setFocus();
        QTest::keyClick(desk.box("txtVCode"), Qt::Key_V);
    } else {
        emit desk.field<QComboBox>("cmbRoute")->activated(0);
    }
    // The handler has returned; the read waits, says so, and a key changes nothing.
    QVERIFY2(desk.window->statusArea()->notice().startsWith("Waiting for the database"),
             qPrintable(desk.window->statusArea()->notice()));
    QTest::keyClicks(desk.box("txtCans"), "9");
    QTRY_VERIFY_WITH_TIMEOUT(desk.window->statusArea()->notice().isEmpty(), 10000);
    QVERIFY(peerEnds(peer, 5000));
    QVERIFY2(desk.env.messages.isEmpty(), qPrintable(desk.env.messageTexts().join(" / ")));
    if (lookup) {
        QVERIFY(desk.field("fmVill")->isVisible());
        QCOMPARE(desk.field<QTableView>("dbList")->model()->rowCount(), 2);
    } else {
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 1)->text() + '|' + grid->item(0, 6)->text(), QString("V17|44.5"));
    }
    QCOMPARE(desk.box("txtCans")->text(), QString());
    QVERIFY2(heartbeat.ticks > 20, qPrintable(QString::number(heartbeat.ticks)));
    QVERIFY2(heartbeat.longestGapMs < 1000, qPrintable(QString::number(heartbeat.longestGapMs)));
}

void ContentionTest::boxesOpenedDuringTheWaitAnswer_data()
{
    QTest::addColumn<bool>("portFails"); // the serial scale's adapter is pulled out meanwhile
    QTest::newRow("add, then the shift report") << false;
    QTest::newRow("the same with a serial port failure during the read's wait") << true;
}

// Add waits for another program's lock, then F8: the confirmation that comes when the lock goes
// takes its Enter, the receipt is stored once, and the next one goes in as usual. A scale port
// that fails while the read waits is told at once in a box of its own, which takes its Enter
// while the window still waits; the scale plugged in again, the desk weighs on.
void ContentionTest::boxesOpenedDuringTheWaitAnswer()
{
    QFETCH(bool, portFails);
    Desk desk;
    std::unique_ptr<SerialScale> scale;
    if (portFails)
        scale = std::make_unique<SerialScale>(desk.env.configDir() + "/com1");
    openDesk(desk, scale.get());
    QProcess peer;
    QVERIFY(startHolding(peer, "hold-write", desk.db(), 3));
    RealBoxes boxes;
    QVERIFY(addAndSeeItWait(desk));
    QTest::keyClick(desk.window.get(), Qt::Key_F8);
    QStringList told;
    if (portFails) {
        scale->pty.reset(); // the adapter is pulled out
        QFile::remove(scale->com1);
        told << "The scale's port " + scale->com1 + " cannot be opened: no such device";
        QTRY_COMPARE_WITH_TIMEOUT(boxes.answered, told, 2000);
        QVERIFY(desk.window->busy()->waitingFor(weighing::WaitFor::Database));
    }
    told << kAdded;
    QTRY_COMPARE_WITH_TIMEOUT(boxes.answered, told, 15000);
    QVERIFY(peerEnds(peer, 5000));
    QCOMPARE(count(desk.db(), "SELECT COUNT(*) FROM Data_Wght WHERE VRefNo = 17"), 1);

    if (portFails) {
        scale->pty = std::make_unique<scaletest::PtyScale>(scale->com1);
        QVERIFY(scale->load(desk, "0080.0"));
    }
    desk.fillEntry("2", portFails ? QString() : QString("80"));
    desk.pressAdd();
    told << kAdded;
    QTRY_COMPARE_WITH_TIMEOUT(boxes.answered, told, 5000);
    QCOMPARE(count(desk.db(), "SELECT COUNT(*) FROM Data_Wght WHERE VRefNo = 17"), 2);
}

#endif

QTEST_MAIN(ContentionTest)
#include "tst_contention.moc"

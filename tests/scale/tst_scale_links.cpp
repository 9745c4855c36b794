// The scale links with no window: what a scale sends turned into records and weights, and each
// link against a scale the test plays (a pseudo-terminal, a TCP server). Waits are shortened
// and the clock is steered, so no case waits on the desk's own timers.

#include "ScalePeers.h"
#include "TestEnv.h"
#include "platform/Clock.h"
#include "platform/SerialControl.h"
#include "scale/NetworkLinks.h"
#include "scale/ScaleParsing.h"
#include "scale/SerialLinks.h"

#include <QSerialPort>
#include <QtTest>
#include <memory>

using scaletest::PtyScale;
using scaletest::TcpScale;

namespace {
constexpr int kPeerWait = 5000; // what a peer sends comes when it comes; this bounds a hang

// What a window would make of a link's signals.
struct Watch {
    explicit Watch(scale::ScaleLink& link)
    {
        QObject::connect(&link, &scale::ScaleLink::weightRead, &link, [this](const QString& s) {
            weight = s;
            weights << s;
        });
        QObject::connect(&link, &scale::ScaleLink::platformEmpty, &link, [this](const QString& s) {
            weight = s;
            weights << "empty";
        });
        QObject::connect(&link, &scale::ScaleLink::weightLost, &link, [this] { weight.clear(); });
        QObject::connect(&link, &scale::ScaleLink::stateChanged, &link,
                         [this](const QString& s) { states << s; });
        QObject::connect(&link, &scale::ScaleLink::failed, &link,
                         [this](const QString& message) { failures << message; });
        QObject::connect(&link, &scale::ScaleLink::requestEnded, &link, [this] { ++ended; });
    }
    QString state() const { return states.value(states.size() - 1); }

    QString weight;
    QStringList weights;
    QStringList states;
    QStringList failures;
    int ended = 0; // requests over
};
} // namespace

class ScaleLinksTest : public QObject {
    Q_OBJECT
private:
    QString com1() const { return m_env->configDir() + "/com1"; }
    scale::SerialSettings serial() const { return {1, "9600"}; }
    // Ticks the link until the condition holds (what the peer wrote has come in).
    template <typename Link, typename Cond> bool tickUntil(Link& link, Cond cond)
    {
        return QTest::qWaitFor(
            [&] {
                link.tick();
                return cond();
            },
            kPeerWait);
    }
    // Time passes while the time of day is stepped back: waits follow the steady clock alone.
    void advanceClock(int ms)
    {
        m_steady += ms;
        m_now = m_now.addSecs(-3600);
    }

    std::unique_ptr<testkit::TestEnv> m_env;
    QDateTime m_now;
    qint64 m_steady = 0;

private slots:
    void init()
    {
        m_env = std::make_unique<testkit::TestEnv>();
        m_now = QDateTime(QDate(2024, 3, 5), QTime(9, 0, 0));
        platform::setClock([this] { return m_now; });
        m_steady = 0;
        platform::setSteadyClock([this] { return m_steady; });
        // Continuous links tick when the test says so, unless a case runs their timer.
        scale::timings() = scale::Timings{};
        scale::timings().tick = std::chrono::hours(1);
        scale::timings().connectWait = std::chrono::milliseconds(250);
        // Held weights have their own cases; here every reading holds at once.
        scale::timings().settleTime = std::chrono::milliseconds(0);
    }

    void cleanup()
    {
        scale::timings() = scale::Timings{};
        m_env.reset();
    }

    void records_data()
    {
        QTest::addColumn<bool>("framed"); // a reply of the network scale on request
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("reading");
        QTest::addColumn<double>("value");
        QTest::newRow("six characters") << false << "0056.5" << true << 56.5;
        QTest::newRow("seven characters, whole") << false << "00056.5" << true << 56.5;
        QTest::newRow("blanks and a unit") << false << "  56.5 kg " << true << 56.5;
        QTest::newRow("unit and status text") << false << "56.5 kg GS" << true << 56.5;
        QTest::newRow("STX before the number")
            << false << QChar(2) + QString("0023.4") << true << 23.4;
        QTest::newRow("a single digit") << false << "5" << true << 5.0;
        QTest::newRow("zero: an empty platform") << false << "0000.0" << true << 0.0;
        QTest::newRow("below zero") << false << "-001.5" << true << -1.5;
        QTest::newRow("corrupted, starts with 0") << false << "0 BS 56.5" << false << 0.0;
        QTest::newRow("an error record") << false << "ERR 77" << false << 0.0;
        QTest::newRow("noise before the number") << false << "x77" << false << 0.0;
        QTest::newRow("a unit before the number") << false << "kg 12.5" << false << 0.0;
        QTest::newRow("overload") << false << "+OL" << false << 0.0;
        QTest::newRow("a unit alone") << false << "kg" << false << 0.0;
        QTest::newRow("framed") << true << "A00123.4kg\r\n" << true << 123.4;
        QTest::newRow("framed, CR alone") << true << "A00123.4kg\r" << true << 123.4;
        QTest::newRow("framed, no line end") << true << "A00123.4kg" << true << 123.4;
        QTest::newRow("framed, padded with spaces")
            << true << "   A00123.4kg\r\n   " << true << 123.4;
        QTest::newRow("framed zero") << true << "A00000.0kg" << true << 0.0;
        QTest::newRow("framed, too short for a weight") << true << "A1\r\n" << false << 0.0;
        QTest::newRow("framed, weight part no number") << true << "A0 BS 5kg" << false << 0.0;
        QTest::newRow("unframed: the frame would cut the number")
            << true << "23.4 g" << false << 0.0;
        QTest::newRow("unframed, unit of one letter") << true << "A023.4g" << false << 0.0;
    }

    void records()
    {
        QFETCH(bool, framed);
        QFETCH(QString, record);
        QFETCH(bool, reading);
        QFETCH(double, value);
        const scale::Record read = framed ? scale::framedRecord(record) : scale::readRecord(record);
        QCOMPARE(read.isReading(), reading);
        QCOMPARE(read.value, value);
        QCOMPARE(read.isEmptyPlatform(), reading && value == 0);
    }

    // Wherever the bytes are cut, also between CR and LF, the same records come out.
    void recordsSplitAnywhere()
    {
        const QByteArray sent("12.5\r\n00056.5\r0.0\n\r\n+OL\r\n");
        const QStringList expected{"12.5", "00056.5", "0.0", "+OL"};
        for (int cut = 0; cut <= sent.size(); ++cut) {
            scale::RecordBuffer buffer;
            buffer.append(sent.left(cut));
            QStringList records = buffer.takeRecords();
            buffer.append(sent.mid(cut));
            records += buffer.takeRecords();
            QCOMPARE(records, expected);
            QVERIFY(!buffer.hasRest());
        }
    }

    // A record past 256 characters is dropped up to its line end: its tail is no reading.
    void overlongRecordDropped()
    {
        scale::RecordBuffer buffer;
        buffer.append(QByteArray(256, '7') + "\r\n");
        QCOMPARE(buffer.takeRecords(), QStringList{QString(256, '7')});
        buffer.append(QByteArray(300, '1'));
        buffer.append(QByteArray(40, '1') + "\r\n0056.5\r\n");
        QCOMPARE(buffer.takeRecords(), QStringList{"0056.5"});
    }

    // A record narrower than the whole ones is a cut tail; narrower twice in a row, it is the
    // scale's own width (one that drops its leading zeros). After an opening, the first record
    // is a cut head unless it is as wide as a whole one.
    void recordWidth()
    {
        scale::RecordWidth width;
        QVERIFY(width.isCutHead("0.0"));
        QStringList fragments;
        for (const char* record : {"00056.5", "0.0", "0056.5", "0056.5", "0.0", "0.0", "1.5"})
            fragments << (width.isFragment(record) ? "cut" : "whole");
        QCOMPARE(fragments.join(' '), QString("whole cut cut whole cut whole whole"));
        QVERIFY(!width.isCutHead("7.5") && width.isCutHead("5"));
    }

    void serialRequest_data()
    {
        QTest::addColumn<bool>("polled");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("restOfReply"); // written a moment after the reply
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, bool polled, QByteArray reply, QByteArray rest,
                            QString shown) {
            QTest::newRow(name) << polled << reply << rest << shown;
        };
        row("polled, 0123.4 CR LF", true, "0123.4\r\n", {}, "123.4");
        row("on request, seven characters", false, "00061.2\r\n", {}, "61.2");
        row("a 5 without a line end", true, "5", {}, "5.0");
        row("012 then 3.4: one reply", false, "012", "3.4\r\n", "123.4");
        row("zero shows nothing", true, "000.00\r\n", {}, "");
        row("noise shows nothing", true, "ERR\r\n", {}, "");
    }

    void serialRequest()
    {
        QFETCH(bool, polled);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, restOfReply);
        QFETCH(QString, shown);
        PtyScale scale(com1());
        QVERIFY(scale.ok);
        scale.replies << reply << "00056.5\r\n"; // no narrower than any first reply
        // A gap far longer than the pause inside the split reply.
        scale::timings().quietGap = std::chrono::milliseconds(restOfReply.isEmpty() ? 30 : 3000);
        using Mode = scale::SerialRequestLink::Mode;
        scale::SerialRequestLink link(polled ? Mode::Polled : Mode::OnRequest, true, serial(),
                                      nullptr);
        Watch watch(link);
        link.start();

        link.requestWeight();
        if (!restOfReply.isEmpty()) {
            QTRY_VERIFY(scale.received.endsWith("W1"));
            QTest::qWait(20);
            scale.write(restOfReply);
        }
        QTRY_COMPARE_WITH_TIMEOUT(watch.ended, 1, kPeerWait);
        QTRY_VERIFY_WITH_TIMEOUT(!watch.states.last().contains("no reply yet"), kPeerWait);
        QCOMPARE(watch.weight, shown);
        QVERIFY(!link.MSComm1->PortOpen());
        // What came after the reply, or while the port was closed, is not read by the next press.
        scale.write("25\r\n");
        link.requestWeight();
        QTRY_COMPARE_WITH_TIMEOUT(watch.weight, QString("56.5"), kPeerWait);
        QCOMPARE(watch.weights,
                 (shown.isEmpty() ? QStringList{"56.5"} : QStringList{shown, "56.5"}));
        link.clearScale();
        const QByteArray request = polled ? QByteArray(1, '\x05') : QByteArray("W1");
        QTRY_COMPARE(scale.received, request + request + "T");
        QVERIFY(watch.failures.isEmpty());
    }

    // A link without its settings asks no scale: the operator is told what to enter.
    void settingsMissing()
    {
        PtyScale scale(com1());
        scale::SerialRequestLink serialLink(scale::SerialRequestLink::Mode::Polled, true, {1, "0"},
                                            nullptr);
        Watch serialWatch(serialLink);
        serialLink.requestWeight();
        QCOMPARE(serialWatch.failures, QStringList{"Enter Com Port Number and Comport Bits"});
        QVERIFY(!serialLink.MSComm1->PortOpen());
        QCOMPARE(scale.received, QByteArray());
        scale::NetworkRequestLink networkLink({"", "1"}, nullptr);
        Watch networkWatch(networkLink);
        networkLink.requestWeight();
        QCOMPARE(networkWatch.failures, QStringList{"Enter Remote Host IP and Remote Port Number"});
        QCOMPARE(networkWatch.ended, 1);
    }

    // The adapter is pulled: the weight goes, the operator is told once, the link waits for the
    // named device and never opens /dev/ttyS0 instead; back in, readings flow again; pulled again,
    // the operator is told again.
    void vanishedPortAwaitedNotReplaced()
    {
        auto scale = std::make_unique<PtyScale>(com1());
        QVERIFY(scale->ok);
        scale::SerialContinuousLink link(serial(), nullptr);
        Watch watch(link);
        link.start();
        scale->write("0012.0\r\n0040.5\r\n");
        QVERIFY(tickUntil(link, [&] { return watch.weight == "40.5"; }));

        scale->unplug();
        QFile::remove(com1());
        QVERIFY(tickUntil(link, [&] { return watch.state().contains("cannot be opened"); }));
        QCOMPARE(watch.weight, QString());
        for (int tick = 0; tick < 3; ++tick)
            link.tick();
        QCOMPARE(watch.failures.size(), 1);
        QVERIFY2(watch.failures.first().startsWith("The scale's port " + com1() +
                                                   " cannot be opened: no such device"),
                 qPrintable(watch.failures.first()));
        for (const QString& state : watch.states)
            QVERIFY2(!state.contains("/dev/ttyS"), qPrintable(state));

        scale = std::make_unique<PtyScale>(com1());
        QVERIFY(scale->ok);
        QVERIFY(tickUntil(link, [&] { return link.MSComm1->PortOpen(); }));
        scale->write("0012.0\r\n0038.0\r\n");
        QVERIFY(tickUntil(link, [&] { return watch.weight == "38.0"; }));

        scale->unplug();
        QFile::remove(com1());
        QVERIFY(tickUntil(link, [&] { return watch.failures.size() == 2; }));
    }

    void portInUse()
    {
        PtyScale scale(com1());
        QVERIFY(scale.ok);
        QSerialPort otherProgram(scale.device);
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
        scale::timings().tick = std::chrono::milliseconds(20); // its own timer tries again
        scale::SerialContinuousLink link(serial(), nullptr);
        Watch watch(link);
        link.start();
        QCOMPARE(watch.failures, QStringList{"The scale's port " + scale.device +
                                             " cannot be opened: in use by another program"});
        QVERIFY(watch.state().startsWith("scale: port " + scale.device +
                                         " cannot be opened: in use by another program"));
        otherProgram.close();
        QTRY_VERIFY(link.MSComm1->PortOpen());
        link.stop(); // and stays stopped: no tick opens the port again
        QTest::qWait(100);
        QVERIFY(!link.MSComm1->PortOpen());
    }

    void networkRequest_data()
    {
        QTest::addColumn<QByteArrayList>("parts"); // the reply as the scale sends it
        QTest::addColumn<bool>("closes");          // the scale hangs up right after replying
        QTest::addColumn<QString>("shown");
        QTest::newRow("framed reply") << QByteArrayList{"A00123.4kg\r\n"} << false << "123.4";
        QTest::newRow("split between CR and LF")
            << QByteArrayList{"A00123.4kg\r", "\n"} << false << "123.4";
        QTest::newRow("ended by CR alone") << QByteArrayList{"A00061.2kg\r"} << false << "61.2";
        QTest::newRow("reply, then the scale hangs up")
            << QByteArrayList{"A00056.5kg\r\n"} << true << "56.5";
        QTest::newRow("zero, then the scale hangs up")
            << QByteArrayList{"A00000.0kg\r\n"} << true << "";
    }

    void networkRequest()
    {
        QFETCH(QByteArrayList, parts);
        QFETCH(bool, closes);
        QFETCH(QString, shown);
        TcpScale scale;
        QVERIFY(scale.ok);
        scale.replies << parts.first();
        scale.closeAfterReply = closes;
        // Long enough that a reply cut at its CR is not taken before its LF.
        scale::timings().quietGap = std::chrono::milliseconds(2000);
        scale::NetworkRequestLink link({"127.0.0.1", scale.port()}, nullptr);
        Watch watch(link);
        if (parts.size() > 1)
            QTimer::singleShot(100, &scale, [&] { scale.send(parts.at(1)); });
        link.requestWeight();
        QTRY_VERIFY(watch.state().contains("last reply"));
        QCOMPARE(watch.ended, 1);
        QCOMPARE(watch.weight, shown);
        QCOMPARE(watch.weights.size(), shown.isEmpty() ? 0 : 1);
        QVERIFY2(watch.failures.isEmpty(), qPrintable(watch.failures.join(" / ")));
        if (!closes) {
            link.clearScale();
            QTRY_COMPARE(scale.received, QByteArray("05ET\x04"));
        }
    }

    // The scale's host goes away and comes back: the link says so, tries again every 2 s, one
    // attempt at a time, and follows the scale again.
    void networkReconnects()
    {
        auto scale = std::make_unique<TcpScale>();
        QVERIFY(scale->ok);
        const quint16 port = scale->server.serverPort();
        scale::NetworkContinuousLink link({"127.0.0.1", QString::number(port)}, nullptr);
        Watch watch(link);
        link.start();
        QTRY_COMPARE(scale->received, QByteArray("05E"));
        scale->send("0040.5\r\n");
        QVERIFY(tickUntil(link, [&] { return watch.weight == "40.5"; }));

        scale.reset(); // the host goes down
        QTRY_VERIFY(watch.state().startsWith("scale: not connected, trying again every 2 s"));
        QCOMPARE(watch.weight, QString());
        scale = std::make_unique<TcpScale>(port);
        QVERIFY(scale->ok);
        for (int tick = 0; tick < 5; ++tick)
            link.tick();
        QTest::qWait(50);
        QCOMPARE(scale->connections, 0); // not before 2 s have passed
        advanceClock(2000);
        for (int tick = 0; tick < 5; ++tick)
            link.tick(); // the attempt under way is left to finish: no second one
        QTRY_COMPARE(scale->received, QByteArray("05E"));
        QCOMPARE(scale->connections, 1);
        scale->send("0038.5\r\n");
        QVERIFY(tickUntil(link, [&] { return watch.weight == "38.5"; }));
        QVERIFY(watch.failures.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScaleLinksTest)
#include "tst_scale_links.moc"

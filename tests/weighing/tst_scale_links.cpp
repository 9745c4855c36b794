// The weighing window's scale links, the window shown and active (focus matters) but not loaded,
// its station settings set directly: the serial link against a pseudo-terminal and the network
// link against a TCP server, each playing the scale, then both against the built simulated scale.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "platform/SerialControl.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {
const QByteArray kEnq(1, '\x05');
constexpr int kSimTimeout = 10000;

struct ScaleDesk {
    ScaleDesk() : window(std::make_unique<frm_Data>())
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the weighing window did not become active");
    }
    void setSerial(int format, int link, int port = 1, double speed = 9600) const
    {
        Gen_WghtFmt = quint8(format);
        Gen_ComLan = quint8(link);
        Gen_ComPortW = quint8(port);
        Gen_BitsNoW = datastore::Currency::fromDouble(speed);
    }
    void setNetwork(int link, const QString& host, const QString& port) const
    {
        Gen_WghtFmt = 2;
        Gen_ComLan = quint8(link);
        Gen_LanHostIP = host;
        Gen_LanHostNo = port;
    }
    QLineEdit* txtWeight() const { return window->findChild<QLineEdit*>("txtWeight"); }
    QString weight() const { return txtWeight()->text(); }
    QString bigWeight() const { return window->findChild<QLabel*>("lblWeight")->text(); }
    bool addEnabled() const { return window->findChild<QPushButton*>("cmdAdd")->isEnabled(); }
    QString focusName() const
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    platform::SerialControl& port() const { return *window->MSComm1; }
    QTcpSocket& socket() const { return *window->Winsock1; }
    // The device of serial port 1 is the one the configuration folder's com1 links to.
    QString com1Link() const { return env.configDir() + "/com1"; }

    testkit::TestEnv env;
    std::unique_ptr<frm_Data> window;
};

// The far end of the serial line; it answers each request with the next reply.
class PtyScale : public QObject {
public:
    explicit PtyScale(const QString& link)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        // Held open so that the master never reads a hang-up while the desk has the port closed.
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
        termios tio;
        if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
            return;
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        ok = QFile::link(QString::fromLocal8Bit(::ptsname(m_master)), link);
        auto* notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            char buffer[256];
            const ssize_t count = ::read(m_master, buffer, sizeof buffer);
            received += QByteArray(buffer, int(qMax<ssize_t>(count, 0)));
            if ((received.endsWith(kEnq) || received.endsWith("W1")) && !replies.isEmpty())
                write(replies.takeFirst());
        });
    }
    ~PtyScale() override
    {
        ::close(m_slave);
        ::close(m_master);
    }
    void write(const QByteArray& data) const
    {
        QCOMPARE(::write(m_master, data.constData(), size_t(data.size())), ssize_t(data.size()));
    }

    QByteArrayList replies;
    QByteArray received;
    bool ok = false;

private:
    int m_master = -1;
    int m_slave = -1;
};

// The network scale's host; it answers each "05E" with the next reply.
class TcpScale : public QObject {
public:
    TcpScale()
    {
        ok = server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this] {
                received += socket->readAll();
                for (; requests < received.count("05E"); ++requests)
                    socket->write(replies.value(requests));
            });
        });
    }
    QString port() const { return QString::number(server.serverPort()); }

    QByteArrayList replies;
    QByteArray received;
    int requests = 0;
    QTcpSocket* socket = nullptr;
    QTcpServer server;
    bool ok = false;
};

// The built simulated scale as a child process.
struct Sim {
    explicit Sim(const QStringList& arguments)
    {
        process.start(testkit::toolPath("tarvolen-scale-sim"), arguments);
    }
    ~Sim()
    {
        process.terminate(); // as an operator ends it, so that it removes its link
        if (!process.waitForFinished(kSimTimeout))
            process.kill();
    }
    // The rest of the first printed line that starts with prefix.
    QString lineAfter(const QString& prefix)
    {
        output += QString::fromLocal8Bit(process.readAllStandardOutput());
        for (const QString& line : output.split('\n'))
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).trimmed();
        return QString();
    }

    QProcess process;
    QString output;
};
} // namespace

class ScaleLinksTest : public QObject {
    Q_OBJECT
private slots:
    void serialGetWeight_data();
    void serialGetWeight();
    void missingSettings_data();
    void missingSettings();
    void serialPortCannotBeOpened();
    void serialContinuous_data();
    void serialContinuous();
    void serialReopenSkipsReadingTail();
    void networkReply_data();
    void networkReply();
    void notConnected_data();
    void notConnected();
    void networkContinuous();
    void simulatedScaleOverTcp();
    void simulatedScaleOverPty();
};

void ScaleLinksTest::serialGetWeight_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("focus"); // empty: not looked at
    // The polled scale answers at once: the weight is in inside the wait, the focus goes to Add.
    QTest::newRow("0123.4 CR LF, in the wait") << 1 << QByteArray("0123.4\r\n") << "123.4"
                                               << "cmdAdd";
    QTest::newRow("blanks before the weight") << 1 << QByteArray("  12.5\r\n") << "12.5"
                                              << "";
    QTest::newRow("a single digit, another reading after it")
        << 1 << QByteArray("5\r\n25\r\n") << "5.0"
        << "";
    QTest::newRow("zero") << 1 << QByteArray("000.00\r\n") << ""
                          << "cmdWeight";
    QTest::newRow("negative") << 1 << QByteArray("-012.5\r\n") << ""
                              << "cmdWeight";
    // On request there is no wait: the focus has gone to Get Weight before the reply is in.
    QTest::newRow("on request") << 2 << QByteArray("0061.2\r\n") << "61.2"
                                << "cmdWeight";
}

void ScaleLinksTest::serialGetWeight()
{
    QFETCH(int, format);
    QFETCH(QByteArray, reply);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    scale.replies << reply << "0056.5\r\n";
    desk.setSerial(format, 1);
    desk.txtWeight()->setText("99.9");

    desk.window->cmdWeight_Click();
    if (!focus.isEmpty())
        QCOMPARE(desk.focusName(), focus);
    QTRY_VERIFY(!desk.port().PortOpen());
    QCOMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    QCOMPARE(desk.port().Settings, QString("9600,n,8,1"));
    // What arrived after the reading, or while the port was closed, is not read by the next press.
    scale.write("25\r\n");
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("56.5"));
    desk.setSerial(2, 1);
    desk.window->Com_Clear();
    const QByteArray request = format == 1 ? kEnq : QByteArray("W1");
    QTRY_COMPARE(scale.received, request + request + "T");
    QVERIFY(!desk.port().PortOpen());
    QVERIFY(desk.env.messages.isEmpty());
}

void ScaleLinksTest::missingSettings_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("link");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("message");
    const QString serial = "Enter Com Port Number and Comport Bits";
    QTest::newRow("polled, no speed") << 1 << 1 << 1 << "" << serial;
    QTest::newRow("polled wins over the network") << 1 << 2 << 0 << "127.0.0.1" << serial;
    QTest::newRow("on request, no port") << 2 << 1 << 0 << "" << serial;
    QTest::newRow("network, no host") << 2 << 2 << 0 << ""
                                      << "Enter Remote Host IP and Remote Port Number";
    QTest::newRow("all settings empty: nothing") << 0 << 0 << 0 << ""
                                                 << "";
}

void ScaleLinksTest::missingSettings()
{
    QFETCH(int, format);
    QFETCH(int, link);
    QFETCH(int, port);
    QFETCH(QString, host);
    QFETCH(QString, message);
    ScaleDesk desk;
    // A speed only where a port is set, so that each row lacks one of the two.
    desk.setSerial(format, link, port, port ? 0 : 9600);
    Gen_LanHostIP = host;
    Gen_LanHostNo = "5001";
    desk.txtWeight()->setText("12.5");

    desk.window->cmdWeight_Click();
    QCOMPARE(desk.env.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(desk.weight(), QString());
    QCOMPARE(desk.focusName(), QString("cmdWeight"));
    QVERIFY(!desk.port().PortOpen());
    QCOMPARE(desk.socket().state(), QAbstractSocket::UnconnectedState);
}

void ScaleLinksTest::serialPortCannotBeOpened()
{
    ScaleDesk desk;
    const QString missing = desk.env.root() + "/no-such-tty";
    QVERIFY(QFile::link(missing, desk.com1Link()));
    desk.setSerial(1, 1);
    desk.window->cmdWeight_Click();
    QCOMPARE(desk.env.messages.size(), 1);
    const QString text = desk.env.messages.first().text;
    QVERIFY2(text.contains("port 1") && text.contains(missing), qPrintable(text));

    // The continuous link tries again on every tick; the operator is told once, not each time.
    desk.setSerial(2, 3);
    desk.window->StartContinuousSerial();
    for (int tick = 0; tick < 3; ++tick)
        desk.window->ReopenScalePort();
    QCOMPARE(desk.env.messages.size(), 2);
}

void ScaleLinksTest::serialContinuous_data()
{
    QTest::addColumn<QByteArray>("waiting");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("addArmed");
    QTest::newRow("empty platform arms Add") << QByteArray("0000.0\r\n") << "0000.0"
                                             << "" << true;
    QTest::newRow("below zero arms Add") << QByteArray("-001.5\r\n") << "-001.5"
                                         << "" << true;
    QTest::newRow("a load does not") << QByteArray("0056.5\r\n") << "0056.5"
                                     << "56.5" << false;
    QTest::newRow("noise does not") << QByteArray("ERR\r\n") << "ERR\r\n"
                                    << "" << false;
    // Six, six and six read; then seven wait, fewer than ten, and are left.
    QTest::newRow("25 waiting, 18 read")
        << QByteArray("0056.5\r\n0056.5\r\n0056.5\r\n0") << "0056.5\r\n0056.5\r\n00"
        << "56.5" << false;
    QTest::newRow("5 and 25 are not 525") << QByteArray("5\r\n25\r\n") << "5\r\n25\r"
                                          << "5.0" << false;
}

void ScaleLinksTest::serialContinuous()
{
    QFETCH(QByteArray, waiting);
    QFETCH(QString, read);
    QFETCH(QString, shown);
    QFETCH(bool, addArmed);
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    // Format 0 ignores what arrives, so that all of it can gather in the port first.
    desk.setSerial(0, 3);
    desk.window->Enb(2);
    desk.txtWeight()->setText("77.7");
    desk.window->StartContinuousSerial();
    QTRY_COMPARE(scale.received, kEnq);
    scale.write(waiting);
    QTRY_COMPARE(desk.port().InBufferCount(), waiting.size());

    desk.setSerial(2, 3);
    desk.window->MSComm1_OnComm();
    QCOMPARE(desk.window->CommBuf, read);
    QCOMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    QCOMPARE(desk.addEnabled(), addArmed);
    QVERIFY(!desk.port().PortOpen());
}

// A tick's reopen lands mid-stream: the tail "0.0" of "0120.0" is neither shown nor taken for
// an empty platform.
void ScaleLinksTest::serialReopenSkipsReadingTail()
{
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    desk.setSerial(2, 3);
    desk.window->Enb(2);
    desk.window->StartContinuousSerial();
    QTRY_COMPARE(scale.received, kEnq);
    desk.window->ReopenScalePort();
    scale.write("0.0\r\n0120.0\r\n");
    QTRY_COMPARE(desk.weight(), QString("120.0"));
    QVERIFY(!desk.addEnabled());
}

void ScaleLinksTest::networkReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("shown");
    QTest::newRow("framed reply") << QByteArray("A00123.4kg\r\n") << "123.4";
    QTest::newRow("padded with spaces") << QByteArray("   A00123.4kg\r\n   ") << "123.4";
    QTest::newRow("short reply") << QByteArray("A1\r\n") << "";
    QTest::newRow("zero") << QByteArray("A00000.0kg\r\n") << "";
    QTest::newRow("negative") << QByteArray("A-012.5kg\r\n") << "";
}

void ScaleLinksTest::networkReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, shown);
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    // One more character, waiting for its line end, tells when the reply has been dealt with.
    scale.replies << reply + "Z";
    desk.setNetwork(2, "127.0.0.1", scale.port());
    desk.txtWeight()->setText("99.9");

    desk.window->cmdWeight_Click();
    QTRY_VERIFY(desk.socket().peek(64).endsWith('Z'));
    QCOMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    // The reply comes during the connection's wait: a weight sends the focus on to Add.
    QCOMPARE(desk.focusName(), QString(shown.isEmpty() ? "cmdWeight" : "cmdAdd"));
    desk.window->Win_Sock_Clear();
    QTRY_COMPARE(scale.received, QByteArray("05ET\x04", 5));
    QVERIFY(desk.env.messages.isEmpty());
    QCOMPARE(desk.env.endCount, 0);
}

void ScaleLinksTest::notConnected_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("link");
    QTest::newRow("nothing listens, Get Weight") << "127.0.0.1" << 2;
    QTest::newRow("nothing listens, load of link 4") << "127.0.0.1" << 4;
    QTest::newRow("no such address") << "not an address" << 2;
}

void ScaleLinksTest::notConnected()
{
    QFETCH(QString, host);
    QFETCH(int, link);
    QTcpServer probe; // a port taken from the system and given back: nothing listens on it
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(probe.serverPort());
    probe.close();
    ScaleDesk desk;
    desk.setNetwork(link, host, port);
    if (link == 2)
        desk.window->cmdWeight_Click();
    else
        desk.window->Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
    QCOMPARE(desk.env.messageTexts(), QStringList{"not connected"});
    QCOMPARE(desk.env.endStatuses, QList<int>{int(platform::EndStatus::ScaleNotConnected)});
}

void ScaleLinksTest::networkContinuous()
{
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    desk.setNetwork(4, "127.0.0.1", scale.port());
    desk.window->Enb(2);
    desk.window->Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
    QCOMPARE(scale.received, QByteArray("05E"));

    // Readings that came together are read one by one; half of one waits for the rest, also on
    // a tick; a load arms nothing and neither does noise; the zero reading does.
    scale.socket->write("56.5\r\n57.0\r\n5");
    QTRY_COMPARE(desk.socket().bytesAvailable(), qint64(1));
    desk.window->Winsock1_DataArrival(1);
    QCOMPARE(desk.bigWeight(), QString("57.0"));
    scale.socket->write("8.25 kg\r\nERR\r\n\r\n0");
    QTRY_COMPARE(desk.socket().peek(2), QByteArray("0"));
    QCOMPARE(desk.weight(), QString("58.3"));
    QVERIFY(!desk.addEnabled());
    scale.socket->write(".0\r\n");
    QTRY_VERIFY(desk.addEnabled());
    QCOMPARE(desk.weight(), QString("0.0"));
    QVERIFY(desk.env.messages.isEmpty());
}

void ScaleLinksTest::simulatedScaleOverTcp()
{
    // Replies in two parts, noise before every second one: each press still shows its weight.
    Sim sim({"--tcp", "127.0.0.1:0", "--weights", "56.5,61.2,48", "--split", "--garbage"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.lineAfter("listening ").isEmpty(), kSimTimeout);
    ScaleDesk desk;
    desk.setNetwork(2, "127.0.0.1", sim.lineAfter("listening ").section(':', -1));
    for (const char* expected : {"56.5", "61.2", "48.0"}) {
        desk.window->cmdWeight_Click();
        QTRY_COMPARE(desk.weight(), QString(expected));
    }
    desk.window->Win_Sock_Clear();
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("clear "), QString("1"), kSimTimeout);
    QVERIFY(desk.env.messages.isEmpty());
}

void ScaleLinksTest::simulatedScaleOverPty()
{
    ScaleDesk desk;
    Sim sim({"--pty", desk.com1Link(), "--weights", "123.4,5", "--split"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.lineAfter("pty ").isEmpty(), kSimTimeout);
    desk.setSerial(1, 1);
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("123.4"));
    QTRY_VERIFY(!desk.port().PortOpen());
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("5.0"));
    desk.window->Com_Clear();
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("clear "), QString("1"), kSimTimeout);
    QVERIFY(desk.env.messages.isEmpty());
}

QTEST_MAIN(ScaleLinksTest)
#include "tst_scale_links.moc"

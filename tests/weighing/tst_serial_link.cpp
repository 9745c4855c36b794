// The serial scale link against a pseudo-terminal that plays the scale: Get Weight, the
// receive handling of the polled, on-request and continuous links, the clear command, and a
// port that cannot be opened.

#include "tst_scale_desk.h"

#include "weighing/ScaleRoutines.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using scaletest::ScaleDesk;
using scaletest::SerialStation;

namespace {
const QByteArray kEnq(1, '\x05');

// The far end of the line: a pseudo-terminal whose device the desk opens as port 1.
class PtyScale : public QObject {
public:
    explicit PtyScale(const QString& link)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        device = QString::fromLocal8Bit(::ptsname(m_master));
        // Held open so that the master never reads a hang-up while the desk has the port closed.
        m_slave = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (m_slave < 0)
            return;
        termios tio;
        ::tcgetattr(m_slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        QFile::remove(link);
        if (!QFile::link(device, link))
            return;
        auto* notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            char buffer[256];
            const ssize_t count = ::read(m_master, buffer, sizeof buffer);
            if (count <= 0)
                return;
            const QByteArray chunk(buffer, int(count));
            received += chunk;
            if (chunk.contains('\x05') || chunk.contains("W1"))
                answer();
        });
        ok = true;
    }
    ~PtyScale() override
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }

    void write(const QByteArray& data) const
    {
        QCOMPARE(::write(m_master, data.constData(), size_t(data.size())), ssize_t(data.size()));
    }

    // Each request is answered with the next reply; a reply of several parts is sent part by
    // part, a moment apart, as a slow line delivers it.
    QList<QByteArrayList> replies;
    QByteArray received;
    QString device;
    bool ok = false;

private:
    void answer()
    {
        if (replies.isEmpty())
            return;
        QByteArrayList parts = replies.takeFirst();
        write(parts.takeFirst());
        int delay = 0;
        for (const QByteArray& part : parts)
            QTimer::singleShot(delay += 20, this, [this, part] { write(part); });
    }

    int m_master = -1;
    int m_slave = -1;
};
} // namespace

class SerialLinkTest : public QObject {
    Q_OBJECT
private slots:
    void polledReply_data();
    void polledReply();
    void replyEndsWithThePort();
    void onRequestLink();
    void missingSettings_data();
    void missingSettings();
    void portCannotBeOpened();
    void speedWithFraction();
    void continuousGathering();
    void continuousReading_data();
    void continuousReading();
    void clearCommand();
};

void SerialLinkTest::polledReply_data()
{
    QTest::addColumn<QByteArrayList>("reply");
    QTest::addColumn<QString>("shown");
    QTest::newRow("six digits, CR LF") << QByteArrayList{"0123.4\r\n"} << "123.4";
    QTest::newRow("blanks before the weight") << QByteArrayList{"  12.5\r\n"} << "12.5";
    QTest::newRow("a single digit") << QByteArrayList{"5\r\n"} << "5.0";
    QTest::newRow("empty line first") << QByteArrayList{"\r\n0056.5\r\n"} << "56.5";
    QTest::newRow("reply in two parts") << QByteArrayList{"012", "3.4\r\n"} << "123.4";
    QTest::newRow("weight then unit, cut at six") << QByteArrayList{"48.0kg\r\n"} << "48.0";
    QTest::newRow("zero") << QByteArrayList{"000.00\r\n"} << "";
    QTest::newRow("negative") << QByteArrayList{"-012.5\r\n"} << "";
    QTest::newRow("letters") << QByteArrayList{"ERROR!\r\n"} << "";
    QTest::newRow("short reading before the next") << QByteArrayList{"5\r\n25\r\n"} << "5.0";
}

void SerialLinkTest::polledReply()
{
    QFETCH(QByteArrayList, reply);
    QFETCH(QString, shown);
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    scale.replies << reply;
    desk.setSerial({1, 1, 1, 9600});
    desk.field<QLineEdit>("txtWeight")->setText("99.9");

    desk.window->cmdWeight_Click();
    QCOMPARE(scale.received, kEnq);
    // Whatever the reply, the port is closed once it has been read.
    QTRY_VERIFY(!desk.port().PortOpen());
    QCOMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    QVERIFY(desk.env.messages.isEmpty());
    if (shown.isEmpty())
        QCOMPARE(desk.focusName(), QString("cmdWeight"));
    if (QTest::currentDataTag() == QLatin1String("six digits, CR LF")) {
        // The scale answers at once: the weight is in before the wait ends, focus goes on to Add.
        QCOMPARE(desk.focusName(), QString("cmdAdd"));
        QCOMPARE(desk.port().Settings, QString("9600,n,8,1"));
        QCOMPARE(desk.port().CommPort, 1);
    }
}

void SerialLinkTest::replyEndsWithThePort()
{
    // What followed the first six characters is dropped with the port; the next press reads
    // the next reply, not the tail of this one.
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    scale.replies << QByteArrayList{"0123.4 kg gross\r\n"} << QByteArrayList{"0056.5\r\n"};
    desk.setSerial({1, 1, 1, 9600});

    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("123.4"));
    QTRY_VERIFY(!desk.port().PortOpen());
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("56.5"));
    QCOMPARE(scale.received, kEnq + kEnq);
}

void SerialLinkTest::onRequestLink()
{
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    scale.replies << QByteArrayList{"0061.2\r\n"};
    desk.setSerial({2, 1, 1, 9600});

    desk.window->cmdWeight_Click();
    // No wait on this link: the focus has gone to Get Weight before the reply is shown.
    QCOMPARE(desk.focusName(), QString("cmdWeight"));
    QTRY_COMPARE(desk.weight(), QString("61.2"));
    QCOMPARE(desk.bigWeight(), QString("61.2"));
    QCOMPARE(scale.received, QByteArray("W1"));
}

void SerialLinkTest::missingSettings_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("link");
    QTest::addColumn<int>("port");
    QTest::addColumn<double>("speed");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("tcpPort");
    QTest::addColumn<QString>("message");
    const QString serial = "Enter Com Port Number and Comport Bits";
    const QString network = "Enter Remote Host IP and Remote Port Number";
    QTest::newRow("polled, no speed") << 1 << 1 << 1 << 0.0 << "" << "" << serial;
    QTest::newRow("polled, no port") << 1 << 1 << 0 << 9600.0 << "" << "" << serial;
    QTest::newRow("polled wins over the network link")
        << 1 << 2 << 0 << 0.0 << "127.0.0.1" << "5001" << serial;
    QTest::newRow("on request, no port") << 2 << 1 << 0 << 9600.0 << "" << "" << serial;
    QTest::newRow("other format follows the link") << 0 << 1 << 1 << 0.0 << "" << "" << serial;
    QTest::newRow("network, no host") << 2 << 2 << 0 << 0.0 << "" << "5001" << network;
    QTest::newRow("network, no port") << 2 << 2 << 0 << 0.0 << "127.0.0.1" << "" << network;
    QTest::newRow("all settings empty: nothing") << 0 << 0 << 0 << 0.0 << "" << "" << "";
}

void SerialLinkTest::missingSettings()
{
    QFETCH(int, format);
    QFETCH(int, link);
    QFETCH(int, port);
    QFETCH(double, speed);
    QFETCH(QString, host);
    QFETCH(QString, tcpPort);
    QFETCH(QString, message);
    ScaleDesk desk;
    desk.setSerial({quint8(format), quint8(link), quint8(port), speed});
    Gen_LanHostIP = host;
    Gen_LanHostNo = tcpPort;
    desk.field<QLineEdit>("txtWeight")->setText("12.5");
    desk.field<QLabel>("lblWeight")->setText("12.5");

    desk.window->cmdWeight_Click();
    QCOMPARE(desk.env.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(desk.env.messages.first().title, QString("Tarvolen"));
    QCOMPARE(desk.weight(), QString());
    QCOMPARE(desk.bigWeight(), QString());
    QCOMPARE(desk.focusName(), QString("cmdWeight"));
    QVERIFY(!desk.port().PortOpen());
    QCOMPARE(desk.window->Winsock1->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(desk.env.endCount, 0);
}

void SerialLinkTest::portCannotBeOpened()
{
    ScaleDesk desk;
    const QString missing = desk.env.root() + "/no-such-tty";
    QVERIFY(QFile::link(missing, desk.com1Link()));
    desk.setSerial({1, 1, 1, 9600});

    desk.window->cmdWeight_Click();
    QCOMPARE(desk.env.messages.size(), 1);
    const QString text = desk.env.messages.first().text;
    QVERIFY2(text.contains("port 1") && text.contains(missing), qPrintable(text));
    QVERIFY2(text.contains("No such file", Qt::CaseInsensitive), qPrintable(text));
    QVERIFY(!desk.port().PortOpen());
    QVERIFY(desk.field<QPushButton>("cmdWeight")->isEnabled());
    QCOMPARE(desk.focusName(), QString("cmdWeight"));

    // The continuous link tries again on every tick; the operator is told once, not each time.
    desk.setSerial({2, 3, 1, 9600});
    desk.env.messages.clear();
    desk.window->StartContinuousSerial();
    for (int tick = 0; tick < 3; ++tick)
        desk.window->ReopenScalePort();
    QCOMPARE(desk.env.messages.size(), 1);
}

void SerialLinkTest::speedWithFraction()
{
    // The speed goes into the line settings with its fraction; no line runs at such a speed.
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    desk.setSerial({1, 1, 1, 9600.5});
    desk.window->cmdWeight_Click();
    QCOMPARE(desk.port().Settings, QString("9600.5,n,8,1"));
    QCOMPARE(desk.env.messages.size(), 1);
    QVERIFY(desk.env.messages.first().text.contains("9600.5"));
    QCOMPARE(scale.received, QByteArray());
}

void SerialLinkTest::continuousGathering()
{
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    // Format 0 ignores what arrives, so the 25 characters can gather in the port first.
    desk.setSerial({0, 3, 1, 9600});
    QVERIFY(OpenScalePort(desk.port(), QString()));
    scale.write("0056.5\r\n0056.5\r\n0056.5\r\n0");
    QTRY_COMPARE(desk.port().InBufferCount(), 25);

    desk.setSerial({2, 3, 1, 9600});
    desk.window->MSComm1_OnComm();
    // Six, six and six read; then seven wait, fewer than ten, and are left.
    QCOMPARE(desk.window->CommBuf, QString("0056.5\r\n0056.5\r\n00"));
    QCOMPARE(desk.weight(), QString("56.5"));
    QCOMPARE(desk.bigWeight(), QString("56.5"));
    QVERIFY(!desk.port().PortOpen());
}

void SerialLinkTest::continuousReading_data()
{
    QTest::addColumn<QByteArray>("reading");
    QTest::addColumn<bool>("addBefore");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("addAfter");
    QTest::newRow("empty platform arms Add") << QByteArray("0000.0\r\n") << false << "" << true;
    QTest::newRow("load keeps Add disarmed") << QByteArray("0056.5\r\n") << false << "56.5" << false;
    QTest::newRow("load keeps Add armed") << QByteArray("0056.5\r\n") << true << "56.5" << true;
    QTest::newRow("below zero arms Add") << QByteArray("-001.5\r\n") << false << "" << true;
    QTest::newRow("noise does not arm Add") << QByteArray("ERR\r\n") << false << "" << false;
    QTest::newRow("two readings do not run together")
        << QByteArray("5\r\n25\r\n") << false << "5.0" << false;
}

void SerialLinkTest::continuousReading()
{
    QFETCH(QByteArray, reading);
    QFETCH(bool, addBefore);
    QFETCH(QString, shown);
    QFETCH(bool, addAfter);
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    desk.setSerial({2, 3, 1, 9600});
    desk.window->Enb(addBefore ? 1 : 2);
    desk.field<QLineEdit>("txtWeight")->setText("77.7");

    desk.window->StartContinuousSerial();
    QTRY_COMPARE(scale.received, kEnq);
    // A tick reopens the port with the settings it has; the scale sends on its own.
    desk.window->ReopenScalePort();
    QVERIFY(desk.port().PortOpen());
    scale.write(reading);
    QTRY_VERIFY(!desk.port().PortOpen());
    QCOMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    QCOMPARE(desk.addEnabled(), addAfter);
    QCOMPARE(scale.received, kEnq);
}

void SerialLinkTest::clearCommand()
{
    ScaleDesk desk;
    PtyScale scale(desk.com1Link());
    QVERIFY(scale.ok);
    desk.setSerial({2, 1, 1, 9600});
    desk.window->Com_Clear();
    QTRY_COMPARE(scale.received, QByteArray("T"));
    QVERIFY(!desk.port().PortOpen());
    QVERIFY(desk.env.messages.isEmpty());
}

QTEST_MAIN(SerialLinkTest)
#include "tst_serial_link.moc"

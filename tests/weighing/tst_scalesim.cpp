// The simulated scale: its replies on the wire, and the weighing window reading it over TCP
// and over a pseudo-terminal, on request and continuously.

#include "tst_scale_desk.h"

#include "weighing/ScaleRoutines.h"

#include <QProcess>
#include <QTcpSocket>
#include <memory>

using scaletest::ScaleDesk;

namespace {
constexpr int kStartTimeout = 10000;

// The simulator as a child process, its standard output collected line by line.
class Sim {
public:
    explicit Sim(const QStringList& arguments)
    {
        process.setProgram(qEnvironmentVariable("TARVOLEN_BIN_DIR") + "/tarvolen-scale-sim");
        process.setArguments(arguments);
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                         [this] { output += QString::fromLocal8Bit(process.readAllStandardOutput()); });
        process.start();
    }
    ~Sim()
    {
        // Ended as an operator ends it, so that it removes its link.
        process.terminate();
        if (!process.waitForFinished(kStartTimeout))
            process.kill();
    }
    // The rest of the first line that starts with prefix, once it has been printed.
    QString lineAfter(const QString& prefix) const
    {
        for (const QString& line : output.split('\n')) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).trimmed();
        }
        return QString();
    }
    QString tcpPort() const { return lineAfter("listening ").section(':', -1); }

    QProcess process;
    QString output;
};

QByteArray exchange(QTcpSocket& socket, const QByteArray& request, int replyLength)
{
    socket.write(request);
    QByteArray reply;
    while (reply.size() < replyLength && socket.waitForReadyRead(kStartTimeout))
        reply += socket.readAll();
    return reply;
}
} // namespace

class ScaleSimTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tcpFramedReplies();
    void tcpWeightFromStandardInput();
    void deskReadsTcpScale();
    void deskFollowsContinuousTcpScale();
    void deskReadsPtyScale();
    void deskFollowsContinuousPtyScale();
};

void ScaleSimTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("TARVOLEN_BIN_DIR"), "TARVOLEN_BIN_DIR is not set");
}

void ScaleSimTest::tcpFramedReplies()
{
    Sim sim({"--tcp", "127.0.0.1:0", "--weights", "12.5,0.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.tcpPort().isEmpty(), kStartTimeout);
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", sim.tcpPort().toUShort());
    QVERIFY(socket.waitForConnected(kStartTimeout));
    QCOMPARE(exchange(socket, "05E", 12), QByteArray("A00012.5kg\r\n"));
    QCOMPARE(exchange(socket, "05E", 12), QByteArray("A00000.5kg\r\n"));
    QCOMPARE(exchange(socket, "05E", 12), QByteArray("A00012.5kg\r\n"));
    socket.write(QByteArray("T\x04", 2));
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("clear "), QString("1"), kStartTimeout);
}

void ScaleSimTest::tcpWeightFromStandardInput()
{
    Sim sim({"--tcp", "127.0.0.1:0", "--stdin"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.tcpPort().isEmpty(), kStartTimeout);
    sim.process.write("42\n");
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("weight "), QString("42"), kStartTimeout);
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", sim.tcpPort().toUShort());
    QVERIFY(socket.waitForConnected(kStartTimeout));
    QCOMPARE(exchange(socket, "05E", 12), QByteArray("A00042.0kg\r\n"));
    QCOMPARE(exchange(socket, "05E", 12), QByteArray("A00042.0kg\r\n"));
}

void ScaleSimTest::deskReadsTcpScale()
{
    // Replies in two parts, with noise before every second one: each press still shows its weight.
    Sim sim({"--tcp", "127.0.0.1:0", "--weights", "56.5,61.2,48", "--split", "--garbage"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.tcpPort().isEmpty(), kStartTimeout);
    ScaleDesk desk;
    desk.setNetwork(2, "127.0.0.1", sim.tcpPort());
    for (const char* expected : {"56.5", "61.2", "48.0"}) {
        desk.window->cmdWeight_Click();
        QVERIFY(desk.env.messages.isEmpty());
        QTRY_COMPARE(desk.weight(), QString(expected));
        QCOMPARE(desk.bigWeight(), QString(expected));
    }
    desk.window->Win_Sock_Clear();
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("clear "), QString("1"), kStartTimeout);
}

void ScaleSimTest::deskFollowsContinuousTcpScale()
{
    Sim sim({"--tcp", "127.0.0.1:0", "--mode", "continuous", "--interval", "100", "--weights",
             "0,56.5,56.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.tcpPort().isEmpty(), kStartTimeout);
    ScaleDesk desk;
    desk.setNetwork(4, "127.0.0.1", sim.tcpPort());
    desk.window->Enb(2);
    desk.window->Timer1->start();
    desk.window->Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
    QVERIFY(desk.env.messages.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(desk.addEnabled(), kStartTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(desk.weight(), QString("56.5"), kStartTimeout);
}

void ScaleSimTest::deskReadsPtyScale()
{
    ScaleDesk desk;
    Sim sim({"--pty", desk.com1Link(), "--weights", "123.4,5", "--split"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.lineAfter("pty ").isEmpty(), kStartTimeout);
    desk.setSerial({1, 1, 1, 9600});
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("123.4"));
    QTRY_VERIFY(!desk.port().PortOpen());
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("5.0"));
    QVERIFY(desk.env.messages.isEmpty());

    desk.setSerial({2, 1, 1, 9600});
    desk.window->Com_Clear();
    QTRY_COMPARE_WITH_TIMEOUT(sim.lineAfter("clear "), QString("1"), kStartTimeout);
}

void ScaleSimTest::deskFollowsContinuousPtyScale()
{
    ScaleDesk desk;
    Sim sim({"--pty", desk.com1Link(), "--mode", "continuous", "--interval", "100", "--weights",
             "0,56.5,56.5", "--garbage"});
    QTRY_VERIFY_WITH_TIMEOUT(!sim.lineAfter("pty ").isEmpty(), kStartTimeout);
    desk.setSerial({2, 3, 1, 9600});
    desk.window->Enb(2);
    desk.window->StartContinuousSerial();
    desk.window->Timer1->start();
    QVERIFY(desk.env.messages.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(desk.addEnabled(), kStartTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(desk.weight(), QString("56.5"), kStartTimeout);
}

QTEST_MAIN(ScaleSimTest)
#include "tst_scalesim.moc"

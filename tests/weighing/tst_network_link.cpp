// The network scale link against a TCP server that plays the scale's host: the request on
// connecting, framed replies, the continuous stream with the Add button's re-arming, the clear
// command, and a host that does not answer.

#include "tst_scale_desk.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

using scaletest::ScaleDesk;

namespace {
class TcpScale : public QObject {
public:
    TcpScale()
    {
        ok = server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                ++connections;
                last = socket;
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    received += socket->readAll();
                    while (requests < received.count("05E")) {
                        ++requests;
                        answer(socket);
                    }
                });
            }
        });
    }
    QString port() const { return QString::number(server.serverPort()); }
    void send(const QByteArray& data) const { last->write(data); }

    // Each "05E" is answered with the next reply, part by part, a moment apart.
    QList<QByteArrayList> replies;
    QByteArray received;
    int connections = 0;
    int requests = 0;
    QTcpSocket* last = nullptr;
    bool ok = false;

private:
    void answer(QTcpSocket* socket)
    {
        if (replies.isEmpty())
            return;
        QByteArrayList parts = replies.takeFirst();
        socket->write(parts.takeFirst());
        int delay = 0;
        for (const QByteArray& part : parts)
            QTimer::singleShot(delay += 20, socket, [socket, part] { socket->write(part); });
    }

    QTcpServer server;
};

// A port on which nothing listens: taken from the system, then given back.
QString portWithoutListener()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QString port = QString::number(probe.serverPort());
    probe.close();
    return port;
}
} // namespace

class NetworkLinkTest : public QObject {
    Q_OBJECT
private slots:
    void requestReply_data();
    void requestReply();
    void portTextNotANumber();
    void notConnected_data();
    void notConnected();
    void continuousStream();
    void clearCommand();
};

void NetworkLinkTest::requestReply_data()
{
    QTest::addColumn<QByteArrayList>("reply");
    QTest::addColumn<QString>("shown");
    QTest::newRow("framed reply") << QByteArrayList{"A00123.4kg\r\n"} << "123.4";
    QTest::newRow("padded with spaces") << QByteArrayList{"   A00123.4kg\r\n   "} << "123.4";
    QTest::newRow("reply in two parts") << QByteArrayList{"A001", "23.4kg\r\n"} << "123.4";
    QTest::newRow("noise before the reply")
        << QByteArrayList{"ERR\r\n\r\nA00056.5kg\r\n"} << "56.5";
    QTest::newRow("short reply") << QByteArrayList{"A1\r\n"} << "";
}

void NetworkLinkTest::requestReply()
{
    QFETCH(QByteArrayList, reply);
    QFETCH(QString, shown);
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    // After a reply that shows nothing, one more character that waits for its line end shows
    // when the reply has been dealt with.
    if (shown.isEmpty())
        reply.last() += "Z";
    scale.replies << reply;
    desk.setNetwork(2, "127.0.0.1", scale.port());
    desk.field<QLineEdit>("txtWeight")->setText("99.9");

    desk.window->cmdWeight_Click();
    QVERIFY(desk.env.messages.isEmpty());
    QCOMPARE(desk.env.endCount, 0);
    QCOMPARE(scale.received, QByteArray("05E"));
    if (shown.isEmpty()) {
        QTRY_COMPARE(desk.window->Winsock1->bytesAvailable(), qint64(1));
        QCOMPARE(desk.weight(), QString());
        QCOMPARE(desk.focusName(), QString("cmdWeight"));
        return;
    }
    QTRY_COMPARE(desk.weight(), shown);
    QCOMPARE(desk.bigWeight(), shown);
    if (QTest::currentDataTag() == QLatin1String("framed reply")) {
        // The reply came during the connection's wait: the focus goes on to Add.
        QCOMPARE(desk.focusName(), QString("cmdAdd"));
    }
}

void NetworkLinkTest::portTextNotANumber()
{
    // The socket keeps the port it had; the connection is tried with it.
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    scale.replies << QByteArrayList{"A00010.0kg\r\n"} << QByteArrayList{"A00020.0kg\r\n"};
    desk.setNetwork(2, "127.0.0.1", scale.port());
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("10.0"));

    Gen_LanHostNo = "port five";
    desk.window->cmdWeight_Click();
    QVERIFY(desk.env.messages.isEmpty());
    QCOMPARE(scale.connections, 2);
    QTRY_COMPARE(desk.weight(), QString("20.0"));
}

void NetworkLinkTest::notConnected_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("fromButton");
    QTest::newRow("nothing listens, Get Weight") << "127.0.0.1" << true;
    QTest::newRow("nothing listens, load of link 4") << "127.0.0.1" << false;
    QTest::newRow("no such address") << "not an address" << true;
}

void NetworkLinkTest::notConnected()
{
    QFETCH(QString, host);
    QFETCH(bool, fromButton);
    ScaleDesk desk;
    desk.setNetwork(fromButton ? 2 : 4, host, portWithoutListener());
    if (fromButton) {
        desk.window->cmdWeight_Click();
    } else {
        desk.window->Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
    }
    QCOMPARE(desk.env.messageTexts(), QStringList{"not connected"});
    QCOMPARE(desk.env.messages.first().title, QString("Tarvolen"));
    QCOMPARE(desk.env.endCount, 1);
}

void NetworkLinkTest::continuousStream()
{
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    desk.setNetwork(4, "127.0.0.1", scale.port());
    desk.window->Enb(2);
    desk.window->Win_Sock_Connect(Gen_LanHostIP, Gen_LanHostNo);
    QVERIFY(desk.env.messages.isEmpty());
    QCOMPARE(scale.received, QByteArray("05E"));

    // An empty platform reads 0.0 and arms Add.
    scale.send("0.0\r\n");
    QTRY_COMPARE(desk.weight(), QString("0.0"));
    QCOMPARE(desk.bigWeight(), QString("0.0"));
    QVERIFY(desk.addEnabled());

    // A load: shown, and Add keeps its state, armed or not.
    scale.send("56.5\r\n");
    QTRY_COMPARE(desk.weight(), QString("56.5"));
    QVERIFY(desk.addEnabled());
    desk.window->Enb(2);

    // Readings that came together are read one by one; the last one stays.
    scale.send("56.5\r\n57.0\r\n");
    QTRY_COMPARE(desk.weight(), QString("57.0"));

    // Half a reading waits for its other half.
    scale.send("5");
    desk.window->Winsock1_DataArrival(1);
    QCOMPARE(desk.weight(), QString("57.0"));
    scale.send("8.25 kg\r\n");
    QTRY_COMPARE(desk.weight(), QString("58.3"));

    // Noise changes nothing and arms nothing; a tick with nothing received neither.
    scale.send("ERR\r\n\r\n0");
    QTRY_COMPARE(desk.window->Winsock1->bytesAvailable(), qint64(1));
    desk.window->Winsock1_DataArrival(1);
    QCOMPARE(desk.weight(), QString("58.3"));
    QVERIFY(!desk.addEnabled());

    scale.send(".0\r\n");
    QTRY_VERIFY(desk.addEnabled());
    QCOMPARE(desk.weight(), QString("0.0"));
}

void NetworkLinkTest::clearCommand()
{
    ScaleDesk desk;
    TcpScale scale;
    QVERIFY(scale.ok);
    scale.replies << QByteArrayList{"A00012.0kg\r\n"};
    desk.setNetwork(2, "127.0.0.1", scale.port());
    desk.window->cmdWeight_Click();
    QTRY_COMPARE(desk.weight(), QString("12.0"));
    desk.window->Win_Sock_Clear();
    QTRY_COMPARE(scale.received, QByteArray("05ET\x04", 5));
}

QTEST_MAIN(NetworkLinkTest)
#include "tst_network_link.moc"

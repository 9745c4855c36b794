// The weighing window's scale side against fake links: the weight shown and stored, Add armed
// only by an empty platform, the link's state in the status line, nothing typed during a wait
// acting afterwards, and settings out of range starting no link.

#include "FakeLinks.h"
#include "ScalePeers.h"
#include "platform/Clock.h"
#include "scale/ScaleLink.h"
#include "tst_window_fixture.h"
#include "weighing/StatusArea.h"

#include <QLabel>
#include <QPushButton>

using scaletest::FakeContinuousLink;
using scaletest::FakeRequestLink;
using windowtest::Desk;

namespace {
const QString kAdded = "Successfully Added";
}

class ScaleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void continuousFollowsLoads();
    void staleWeightClearedAndBack();
    void linkDownStoresNothing();
    void keysDuringTheWaitDropped();
    void closingDuringTheWaitRefused();
    void shortAndSplitReplies_data();
    void shortAndSplitReplies();
    void settingsOutOfRange_data();
    void settingsOutOfRange();
    void fiveDigitWeightShownWhole();

private:
    // The desk loaded with a settings row of that link and format; the fake link it got.
    void open(int link, int format = 2, const QString& tcpPort = QString(), int port = 0,
              int speed = 0)
    {
        m_desk->exec("INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, "
                     "ComLan) VALUES (?, ?, ?, '127.0.0.1', ?, ?)",
                     {format, speed, port, tcpPort, link});
        m_desk->open();
        m_desk->env.messages.clear();
    }
    // A village and cans in the entry row, ready for Add.
    void fillEntry(const char* cans = "2")
    {
        windowtest::pickVillage(m_desk->window.get(), 17, "V17");
        m_desk->box("txtCans")->setText(cans);
    }
    void pressAdd()
    {
        QTest::mouseClick(m_desk->field<QPushButton>("cmdAdd"), Qt::LeftButton);
        QApplication::processEvents();
    }
    QString weight() const { return m_desk->box("txtWeight")->text(); }
    QString bigWeight() const { return m_desk->field<QLabel>("lblWeight")->text(); }
    bool addArmed() const { return m_desk->field("cmdAdd")->isEnabled(); }
    QString scaleState() const { return m_desk->window->statusArea()->scaleState(); }
    QStringList stored() const
    {
        QStringList weights;
        for (int row = 1;; ++row) {
            const QVariant w = testkit::TestEnv::scalar(
                m_desk->db(), QString("SELECT MWeight FROM Data_Wght ORDER BY RefNo LIMIT 1 "
                                      "OFFSET %1")
                                  .arg(row - 1));
            if (!w.isValid() || w.isNull())
                return weights;
            weights << QString::number(w.toDouble(), 'f', 1);
        }
    }

    std::unique_ptr<Desk> m_desk;
    FakeContinuousLink* m_continuous = nullptr;
    FakeRequestLink* m_request = nullptr;
    QDateTime m_now;
};

void ScaleWindowTest::init()
{
    m_desk = std::make_unique<Desk>();
    m_desk->addRoute(1, "North");
    m_desk->addVillage(17, "V17", "Hillside", 1);
    m_now = QDateTime(windowtest::kDay, QTime(9, 0, 0));
    platform::setClock([this] { return m_now; });
    m_continuous = nullptr;
    m_request = nullptr;
    scale::setLinkFactory([this](const scale::LinkSettings& s, QObject* parent) {
        std::unique_ptr<scale::ScaleLink> link;
        if (s.link >= 3) {
            auto fake = std::make_unique<FakeContinuousLink>(parent);
            m_continuous = fake.get();
            link = std::move(fake);
        } else if (s.link >= 1) {
            auto fake = std::make_unique<FakeRequestLink>(s.link == 2, parent);
            m_request = fake.get();
            link = std::move(fake);
        }
        return link;
    });
    scale::timings() = scale::Timings{};
    scale::timings().quietGap = std::chrono::milliseconds(30);
}

void ScaleWindowTest::cleanup()
{
    m_desk.reset();
    scale::setLinkFactory({});
    scale::timings() = scale::Timings{};
}

// 10, 20, 30 on the platform with an empty platform between: one receipt for each load, the
// same load never twice, and nothing but a well-formed 0 arms Add.
void ScaleWindowTest::continuousFollowsLoads()
{
    open(3);
    QVERIFY(m_continuous);
    QVERIFY(!addArmed());
    m_continuous->feed("0000.0\r\n");
    QVERIFY(addArmed());
    m_continuous->feed("0010.0\r\n");
    QCOMPARE(weight(), QString("10.0"));
    QCOMPARE(bigWeight(), QString("10.0"));
    fillEntry();
    pressAdd();
    QCOMPARE(stored(), QStringList{"10.0"});
    QVERIFY(!addArmed());

    // The same cans still stand there: shown again, not stored again.
    m_continuous->feed("0010.0\r\n");
    QCOMPARE(weight(), QString("10.0"));
    fillEntry();
    pressAdd();
    QCOMPARE(stored(), QStringList{"10.0"});
    // A corrupted record that starts with 0 is no empty platform.
    m_continuous->feed("0 BS 56.5\r\n");
    QVERIFY(!addArmed());
    QCOMPARE(weight(), QString());
    QVERIFY2(scaleState().startsWith("scale: not a reading: \"0 BS 56.5\""),
             qPrintable(scaleState()));

    for (const QByteArray& load : {QByteArray("0020.0"), QByteArray("00030.5")}) {
        m_continuous->feed("0000.0\r\n");
        QVERIFY(addArmed());
        m_continuous->feed(load + "\r\n");
        fillEntry();
        pressAdd();
    }
    QCOMPARE(stored(), (QStringList{"10.0", "20.0", "30.5"}));
    QCOMPARE(m_desk->env.messageTexts(), (QStringList{kAdded, kAdded, kAdded}));
}

void ScaleWindowTest::staleWeightClearedAndBack()
{
    open(4);
    m_continuous->feed("0000.0\r\n");
    m_continuous->feed("0040.5\r\n");
    QCOMPARE(weight(), QString("40.5"));
    m_now = m_now.addSecs(2);
    m_continuous->tick();
    QVERIFY2(scaleState().startsWith("scale: reading 2 s ago \u2014 fake scale"),
             qPrintable(scaleState()));
    m_now = m_now.addSecs(1);
    m_continuous->tick();
    QCOMPARE(weight(), QString());
    QCOMPARE(bigWeight(), QString());
    QVERIFY(scaleState().startsWith("scale: no reading for 3 s"));
    fillEntry();
    pressAdd(); // armed, but no weight stands
    QCOMPARE(stored(), QStringList());
    QCOMPARE(m_desk->env.messageTexts(), QStringList{"Please Get Milk Weight"});
    m_continuous->feed("0040.5\r\n");
    QCOMPARE(weight(), QString("40.5"));
    QVERIFY(scaleState().startsWith("scale: reading 0 s ago"));
}

// The connection drops or the port vanishes with a load shown: the weight goes with it, and
// comes back with the link.
void ScaleWindowTest::linkDownStoresNothing()
{
    open(4);
    m_continuous->feed("0000.0\r\n");
    m_continuous->feed("0056.5\r\n");
    m_continuous->down();
    QCOMPARE(weight(), QString());
    QVERIFY(scaleState().startsWith("scale: not connected"));
    fillEntry();
    pressAdd();
    QCOMPARE(stored(), QStringList());
    m_continuous->up();
    m_continuous->feed("+OL\r\n");
    QCOMPARE(weight(), QString());
    m_continuous->feed("0056.5\r\n");
    pressAdd();
    QCOMPARE(stored(), QStringList{"56.5"});
}

// Enter pressed again (and Add clicked) while Get Weight waits: dropped, not kept for Add.
void ScaleWindowTest::keysDuringTheWaitDropped()
{
    open(1, 1);
    fillEntry();
    QWidget* getWeight = m_desk->field("cmdWeight");
    m_request->answer = [&](FakeRequestLink& link) {
        link.reply("0056.5\r\n");
        if (link.requests > 1)
            return; // a second Get Weight, run inside the first: already wrong
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::mouseClick(m_desk->field<QPushButton>("cmdAdd"), Qt::LeftButton);
        QTest::keyClick(m_desk->window.get(), Qt::Key_A, Qt::AltModifier);
    };
    getWeight->setFocus();
    QTest::keyClick(getWeight, Qt::Key_Return);
    QCOMPARE(weight(), QString("56.5"));
    QCOMPARE(m_desk->focused(), QString("cmdAdd"));
    QApplication::processEvents();
    QCOMPARE(m_request->requests, 1);
    QCOMPARE(stored(), QStringList());
    QVERIFY(m_desk->env.messages.isEmpty());
    pressAdd(); // after the wait the operator's own press counts
    QCOMPARE(stored(), QStringList{"56.5"});
}

void ScaleWindowTest::closingDuringTheWaitRefused()
{
    open(2);
    bool closed = true;
    m_request->answer = [&](FakeRequestLink& link) {
        closed = m_desk->window->close();
        link.reply("A00061.2kg\r\n");
    };
    m_desk->window->cmdWeight_Click();
    QVERIFY(!closed);
    QVERIFY(m_desk->window->isVisible());
    QCOMPARE(weight(), QString("61.2"));
    QVERIFY(m_desk->window->scaleLink());
}

void ScaleWindowTest::shortAndSplitReplies_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<QByteArrayList>("parts"); // sent 10 ms apart
    QTest::addColumn<QString>("shown");
    QTest::newRow("a 5, no line end") << 1 << QByteArrayList{"5"} << "5.0";
    QTest::newRow("012 then 3.4") << 1 << QByteArrayList{"012", "3.4"} << "123.4";
    QTest::newRow("framed, split between CR and LF")
        << 2 << QByteArrayList{"A00123.4kg\r", "\n"} << "123.4";
    QTest::newRow("framed, CR alone") << 2 << QByteArrayList{"A00123.4kg\r"} << "123.4";
}

void ScaleWindowTest::shortAndSplitReplies()
{
    QFETCH(int, link);
    QFETCH(QByteArrayList, parts);
    QFETCH(QString, shown);
    open(link);
    // Far longer than the pause between the parts of one reply.
    scale::timings().quietGap = std::chrono::milliseconds(parts.size() > 1 ? 1000 : 30);
    m_request->waitSeconds = 0;
    // Each part 10 ms after the one before it, in order.
    std::function<void(int)> sendFrom = [&](int i) {
        m_request->reply(parts.at(i));
        if (i + 1 < parts.size())
            QTimer::singleShot(10, m_request, [&sendFrom, i] { sendFrom(i + 1); });
    };
    m_request->answer = [&](FakeRequestLink&) { sendFrom(0); };
    fillEntry("3");
    m_desk->window->cmdWeight_Click();
    QTRY_VERIFY(scaleState().startsWith("scale: last reply 09:00:00 AM"));
    QCOMPARE(weight(), shown);
    pressAdd();
    QCOMPARE(stored(), QStringList{shown});
}

void ScaleWindowTest::settingsOutOfRange_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("link");
    QTest::addColumn<QString>("tcpPort");
    QTest::addColumn<QString>("setting");
    QTest::newRow("link beyond a byte") << 1 << 300 << ""
                                        << "ComLan";
    QTest::newRow("link 7") << 1 << 7 << ""
                            << "ComLan";
    QTest::newRow("format 9") << 9 << 1 << ""
                              << "WghtFmt";
    QTest::newRow("TCP port 70000") << 2 << 2 << "70000"
                                    << "LanHostNo";
    QTest::newRow("TCP port 0") << 2 << 2 << "0"
                                << "LanHostNo";
}

// A setting out of range: the operator is told which, and Get Weight asks no scale at all.
void ScaleWindowTest::settingsOutOfRange()
{
    QFETCH(int, format);
    QFETCH(int, link);
    QFETCH(QString, tcpPort);
    QFETCH(QString, setting);
    scale::setLinkFactory({}); // the real links
    scaletest::PtyScale serialScale(m_desk->env.configDir() + "/com1");
    QVERIFY(serialScale.ok);
    m_desk->exec("INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, ComLan) "
                 "VALUES (?, 9600, 1, '127.0.0.1', ?, ?)",
                 {format, tcpPort, link});
    m_desk->open();
    QCOMPARE(m_desk->env.messages.size(), 1);
    const QString told = m_desk->env.messages.first().text;
    QVERIFY2(told.startsWith("The station's scale setting " + setting), qPrintable(told));
    // Nothing half loaded that a later step could take for a link.
    if (link > 255)
        QCOMPARE(QString::number(Gen_WghtFmt) + "/" + QString::number(Gen_ComLan), QString("0/0"));
    QVERIFY(!m_desk->window->scaleLink());
    QCOMPARE(scaleState(), QString("scale: no link, the station settings are wrong"));
    m_desk->window->cmdWeight_Click();
    QTest::qWait(50);
    QCOMPARE(serialScale.received, QByteArray());
    QCOMPARE(m_desk->env.messages.size(), 1);
    QCOMPARE(m_desk->env.endCount, 0);
}

void ScaleWindowTest::fiveDigitWeightShownWhole()
{
    open(3);
    m_continuous->feed("12345.6\r\n");
    auto* big = m_desk->field<QLabel>("lblWeight");
    QCOMPARE(big->text(), QString("12345.6"));
    QVERIFY(big->fontMetrics().horizontalAdvance("99999.9") <= big->contentsRect().width());
}

QTEST_MAIN(ScaleWindowTest)
#include "tst_scale_window.moc"

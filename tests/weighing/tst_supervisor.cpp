// What a supervisor approves at the desk, driven by the keyboard: a weight typed by hand (F6)
// over a streaming network scale, receipts corrected and cancelled (F7), the supervisor's word
// refused and paused, and the grid's marks.

#include "../app/KeyboardDrive.h"
#include "../scale/ScalePeers.h"
#include "datastore/GenState.h"
#include "datastore/Roles.h"
#include "datastore/Startup.h"
#include "scale/ScaleLink.h"
#include "tst_window_fixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

using keyboard::fieldsInTurn;
using keyboard::keysTo;
using windowtest::kDay;

class SupervisorTest : public QObject {
    Q_OBJECT
private:
    QString db() const { return m_desk->db(); }
    QString value(const QString& sql) const
    {
        return testkit::TestEnv::scalar(db(), sql).toString();
    }
    // The audit row of that kind: who, why, what the scale showed.
    QString audit(const QString& kind) const
    {
        return value("SELECT AskedBy || '|' || AllowedBy || '|' || Reason || '|' || "
                     "COALESCE(ScaleReading, '') FROM Tv_Audit WHERE Kind = '" +
                     kind + "'");
    }
    QString rowJson(const QString& kind, const QString& side) const
    {
        return value("SELECT Row" + side + " FROM Tv_Audit WHERE Kind = '" + kind + "'");
    }
    QStringList gridMarks() const
    {
        auto* grid = m_desk->field<QTableWidget>("fgLIst");
        QStringList marks;
        for (int row = 0; row < grid->rowCount(); ++row)
            marks << grid->item(row, 0)->text() + (grid->verticalHeaderItem(row)
                                                       ? grid->verticalHeaderItem(row)->text()
                                                       : "?");
        return marks;
    }
    // F6 or F7 pressed where the focus is.
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    bool supervisorWord(const QString& password)
    {
        return fieldsInTurn({{"txtSupervisor", "boss"}, {"txtSupPass", password}});
    }
    QStringList messages() const { return m_desk->env.messageTexts(); }

    std::unique_ptr<windowtest::Desk> m_desk;

private slots:
    void init()
    {
        m_desk = std::make_unique<windowtest::Desk>();
        m_desk->addRoute(1, "North");
        m_desk->addVillage(17, "V17", "Hillside", 1);
        m_desk->addVillage(18, "V18", "Lakeside", 1);
        const QString main = m_desk->env.mainFile();
        testkit::TestEnv::exec(main, "INSERT INTO Pass (Uid, UName, PWD) VALUES (7, 'Ravi', "
                                     "'milk'), (8, 'boss', 'check')");
        QVERIFY(Set_MainDsn() && OpenMain());
        QVERIFY(datastore::setRole(*Con_Main, "boss", datastore::Role::Supervisor));
        Con_Main->close();
        Gen_Uid = 7;
        Gen_UName = "Ravi";
        scale::timings().settleTime = std::chrono::milliseconds(0);
    }
    void cleanup()
    {
        m_desk.reset();
        scale::timings() = scale::Timings{};
    }

    // The scale streams a weight but cannot weigh these cans; Add is not even armed. The typed
    // weight stands against the next reading, is stored with its audit, and its mark goes.
    void manualWeightStoredAndAudited()
    {
        scaletest::TcpScale scale;
        testkit::TestEnv::setStation(db(), 0, 4, scale.port());
        m_desk->open();
        m_desk->env.messages.clear();
        QTRY_VERIFY(scale.socket);
        scale.send("0037.0\r\n");
        QTRY_COMPARE(m_desk->field<QLabel>("lblWeight")->text(), QString("37.0"));
        QVERIFY(!m_desk->field("cmdAdd")->isEnabled());
        m_desk->box("txtVCode")->setFocus();
        windowtest::pickVillage(m_desk->window.get(), 17, "V17", "Hillside");
        m_desk->box("txtCans")->setText("2");

        press(Qt::Key_F6);
        QVERIFY(fieldsInTurn({{"txtManWeight", "9x0.5"}}));
        QVERIFY(keysTo("txtReason", "display broken") && supervisorWord("check"));
        QCOMPARE(messages(), QStringList{"Please Verify Cans"}); // 90.5 on 2 cans
        QVERIFY(fieldsInTurn({{"txtManWeight", "52.5"}, {"txtReason", ""}}));
        QVERIFY(supervisorWord("check"));
        QTRY_COMPARE(keyboard::focusName(), QString("cmdAdd"));
        bool nextRead = false;
        connect(m_desk->window->scaleLink(), &scale::ScaleLink::weightRead, this,
                [&](const QString& shown) { nextRead = nextRead || shown == "40.0"; });
        scale.send("0040.0\r\n");
        QTRY_VERIFY(nextRead);
        QCOMPARE(m_desk->box("txtWeight")->text(), QString("52.5"));
        QVERIFY(m_desk->field("lblTyped")->isVisible());

        QVERIFY(keysTo("cmdAdd"));
        QCOMPARE(messages().last(), QString("Successfully Added"));
        QCOMPARE(value("SELECT MWeight FROM Data_Wght WHERE RefNo = 1").toDouble(), 52.5);
        QCOMPARE(audit("manual"), QString("Ravi|boss|display broken|37.0"));
        QVERIFY(rowJson("manual", "After").contains("52.5"));
        QVERIFY(!m_desk->field("lblTyped")->isVisible());
        QCOMPARE(gridMarks(), QStringList{"1M"});
    }

    // The operator's own password is no supervisor's; two wrong ones more pause approvals for a
    // minute, even for the right word, until the minute is over.
    void wrongWordsPause()
    {
        m_desk->open();
        m_desk->env.messages.clear();
        press(Qt::Key_F6);
        QVERIFY(fieldsInTurn({{"txtManWeight", "30"}, {"txtReason", "scale away"}}));
        QVERIFY(fieldsInTurn({{"txtSupervisor", "ravi"}, {"txtSupPass", "milk"}}));
        QVERIFY(supervisorWord("milk") && supervisorWord("wrong"));
        QVERIFY(supervisorWord("check"));
        m_desk->env.setClock(QDateTime(kDay, QTime(9, 1)));
        QVERIFY(supervisorWord("check"));
        QCOMPARE(messages(),
                 QStringList({"ravi is not a supervisor: a supervisor or an administrator types "
                              "their own name and password here.",
                              "Wrong supervisor name or password",
                              "Three wrong tries: supervisor approval is paused until 09:01.",
                              "Three wrong tries: supervisor approval is paused until 09:01."}));
        QTRY_COMPARE(m_desk->box("txtWeight")->text(), QString("30.0"));
    }

    // Serial 2 of the shift corrected (cans, village) or cancelled: the row and its audit, the
    // grid read again with its mark; a cancelled last serial is not handed out again.
    void correctAndCancel_data()
    {
        QTest::addColumn<QString>("village");
        QTest::addColumn<QString>("cans");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cans") << ""
                              << "3" << false;
        QTest::newRow("village") << "V18"
                                 << "" << false;
        QTest::newRow("cancel") << ""
                                << "" << true;
    }
    void correctAndCancel()
    {
        QFETCH(QString, village);
        QFETCH(QString, cans);
        QFETCH(bool, cancel);
        m_desk->addReceipt(1, 2, 1, 17, 1, 50.0, 2);
        m_desk->addReceipt(2, 2, 1, 17, 2, 80.0, 2);
        m_desk->open();
        m_desk->env.messages.clear();
        press(Qt::Key_F7);
        QVERIFY(keysTo("txtSerial", "2"));
        if (!village.isEmpty())
            QVERIFY(keysTo("txtVCode", {}, Qt::Key_V) && keysTo("txtItemCode", "18"));
        QVERIFY(fieldsInTurn({{"txtVCode", ""}, {"cmbAnimal", ""}, {"cmbMilkType", ""}}));
        QVERIFY(keysTo("txtCans", cans) && keysTo("txtReason", "miscounted"));
        QVERIFY(supervisorWord("check"));
        QVERIFY(cancel ? keysTo("cmdCorrect", {}, Qt::Key_Tab) && keysTo("cmdCancelReceipt")
                       : keysTo("cmdCorrect"));
        QCOMPARE(messages(), QStringList{cancel ? "Receipt 2 cancelled." : "Receipt 2 corrected."});
        const QString kind = cancel ? "cancel" : "correct";
        QCOMPARE(audit(kind), QString("Ravi|boss|miscounted|"));
        QVERIFY(rowJson(kind, "Before").contains("\"VRefNo\":17"));
        if (cancel) {
            QCOMPARE(value("SELECT COUNT(*) FROM Data_Wght WHERE RefNo = 2"), QString("0"));
            QCOMPARE(gridMarks(), QStringList{"1"});
            windowtest::pickVillage(m_desk->window.get(), 17, "V17", "Hillside");
            m_desk->box("txtCans")->setText("1");
            m_desk->box("txtWeight")->setText("20.0");
            m_desk->window->cmdAdd_Click();
            QCOMPARE(value("SELECT DlySlNo FROM Data_Wght WHERE RefNo = 3"), QString("3"));
            return;
        }
        const QString after = village.isEmpty() ? "\"CansRecd\":3" : "\"VRefNo\":18";
        QVERIFY2(rowJson(kind, "After").contains(after), qPrintable(rowJson(kind, "After")));
        QCOMPARE(value("SELECT MWeight FROM Data_Wght WHERE RefNo = 2").toDouble(), 80.0);
        QCOMPARE(gridMarks(), QStringList({"2C", "1"}));
    }
};

QTEST_MAIN(SupervisorTest)
#include "tst_supervisor.moc"

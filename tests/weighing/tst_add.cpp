// The Add button and the cans field of the weighing window: the checks with their messages and
// focus, a write that fails, the stored receipt and the window after it, the date it is filed
// under, the scale's clear command after the confirmation, and the cans field's keys and focus.

#include "formkit/Focus.h"
#include "tst_window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using windowtest::kAdded;
using windowtest::kDay;

// An entry row and what Add makes of it.
struct AddCase {
    int link;
    QString unset; // a list left with no entry chosen
    int village;
    QString cans, weight, message;
    QString focus; // empty: the focus stays on Add
};
Q_DECLARE_METATYPE(AddCase)

// Keys typed into the cans field over "99", which entering the field selects, then Enter or
// leaving the field.
struct CansCase {
    int link;
    bool addArmed;
    QString keys;
    bool leave; // else Enter is pressed
    QString text, focus;
};
Q_DECLARE_METATYPE(CansCase)

class AddTest : public QObject {
    Q_OBJECT
private:
    // The desk on a date, with a station settings row of that link (and serial port).
    bool openDesk(int link, int format = 0, int port = 0, double speed = 0, QDate date = kDay)
    {
        testkit::TestEnv::setStation(m_desk->db(), format, link, {}, port, speed);
        m_desk->open(date);
        field<QTimeEdit>("dtpSchTime")->setTime(QTime(6, 15));
        field<QTimeEdit>("dtpArrTime")->setTime(QTime(7, 5, 9));
        m_desk->env.messages.clear();
        return m_desk->loaded;
    }
    void fillEntry(const QString& cans, const QString& weight) { m_desk->fillEntry(cans, weight); }
    template <typename T = QWidget> T* field(const char* name) const
    {
        return m_desk->field<T>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) const { return field<QLineEdit>(name); }
    QString focused() const
    {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    QStringList messages() const { return m_desk->env.messageTexts(); }
    void pressAdd() { m_desk->pressAdd(); }
    // The stored row as text, decimals with one place, whatever engine holds it.
    QString stored(int refNo) const
    {
        QStringList values;
        for (const QString& column :
             QString("RefNo RefDate AmPm ACode DlySlNo VRefNo MCode CansRecd MWeight RtRefNo Uid "
                     "UName Stat ColTime TruckNo SchTime ArrTime TruckKMR TruckRecAmt TruckRemarks")
                 .split(' ')) {
            const QVariant value = testkit::TestEnv::scalar(
                m_desk->db(),
                "SELECT " + column + " FROM Data_Wght WHERE RefNo = " + QString::number(refNo));
            values << (value.typeId() == QMetaType::Double
                           ? QString::number(value.toDouble(), 'f', 1)
                           : value.toString());
        }
        return values.join('|');
    }
    int receipts() const { return m_desk->receipts(); }

    std::unique_ptr<windowtest::Desk> m_desk;

private slots:
    void init()
    {
        m_desk = std::make_unique<windowtest::Desk>();
        m_desk->addRouteAndVillage();
        m_desk->addVehicle(1, 1, 31, "KA 01 7788");
        Gen_Uid = 7;
        Gen_UName = "Ravi";
        m_desk->env.setClock(QDateTime(kDay, QTime(14, 30, 5)));
    }
    void cleanup() { m_desk.reset(); }

    void checks_data()
    {
        QTest::addColumn<AddCase>("c");
        const auto row = [](const char* name, AddCase c) { QTest::newRow(name) << c; };
        row("no route", {1, "cmbRoute", 0, "", "", "Select Route", "cmbRoute"});
        row("no village", {1, "", 0, "3", "100.0", "Select Village Code/Name", "txtVCode"});
        row("cans 0", {1, "", 17, "0", "100.0", "Enter Received Cans", "txtCans"});
        row("no weight in link 1: to Get Weight",
            {1, "", 17, "3", "", "Please Get Milk Weight", "cmdWeight"});
        row("weight 0.0 in link 3: focus stays",
            {3, "", 17, "3", "0.0", "Please Get Milk Weight", ""});
        row("135.1 on 3 cans", {1, "", 17, "3", "135.1", "Please Verify Cans", "txtCans"});
        row("135.0 on 3 cans, 45 a can: added", {1, "", 17, "3", "135.0", kAdded, "txtVCode"});
        row("added in link 3: Add disarmed", {3, "", 17, "3", "135.0", kAdded, "txtVCode"});
        // Stored without its types, a receipt would never be listed and the cans weighed again.
        row("no animal type chosen",
            {1, "cmbAnimal", 17, "3", "135.0", "Select Animal Type", "cmbAnimal"});
        row("no milk type chosen",
            {1, "cmbMilkType", 17, "3", "135.0", "Select Milk Type", "cmbMilkType"});
    }
    void checks()
    {
        QFETCH(AddCase, c);
        QVERIFY(openDesk(c.link));
        fillEntry(c.cans, c.weight);
        windowtest::pickVillage(m_desk->window.get(), c.village, "V17", "Hillside");
        if (!c.unset.isEmpty())
            field<QComboBox>(qPrintable(c.unset))->setCurrentIndex(-1);
        m_desk->window->Enb(1); // the continuous link has read an empty platform
        pressAdd();
        const bool added = c.message == kAdded;
        QCOMPARE(messages(), QStringList{c.message});
        QCOMPARE(m_desk->env.messages.first().title, QString(added ? "Tarvolen" : "Quenmoor"));
        QCOMPARE(focused(), c.focus.isEmpty() ? QString("cmdAdd") : c.focus);
        QCOMPARE(receipts(), added ? 1 : 0);
        // The same load cannot be added twice in a continuous link.
        QCOMPARE(field("cmdAdd")->isEnabled(), !added || c.link != 3);
        if (!added) // a refused Add clears nothing
            QCOMPARE(box("txtCans")->text() + box("txtWeight")->text() + box("txtVCode")->text(),
                     c.cans + c.weight + "V17");
    }

    // The next village's code typed over a cleared row (after an Add, or after another route
    // was chosen), without a pick, must not be stored as the village weighed before.
    void villageNotKeptAfterClear_data()
    {
        QTest::addColumn<bool>("addFirst");
        QTest::newRow("after an Add") << true;
        QTest::newRow("after a route change") << false;
    }
    void villageNotKeptAfterClear()
    {
        QFETCH(bool, addFirst);
        m_desk->addRoute(2, "South");
        QVERIFY(openDesk(1));
        fillEntry("3", "120.5");
        if (addFirst) {
            pressAdd();
            QCOMPARE(messages(), QStringList{kAdded});
            m_desk->env.messages.clear();
        } else {
            auto* route = field<QComboBox>("cmbRoute");
            route->setFocus();
            QTest::keyClick(route, Qt::Key_Down);
            QCOMPARE(route->currentText() + box("txtVCode")->text(), QString("South"));
        }
        box("txtVCode")->setText("V18");
        box("txtCans")->setText("2");
        box("txtWeight")->setText("80.0");
        pressAdd();
        QCOMPARE(messages(), QStringList{"Select Village Code/Name"});
        QCOMPARE(receipts(), addFirst ? 1 : 0);
        QCOMPARE(focused(), QString("txtVCode"));
    }

    // A collection weighed up the day after is filed under the window's date, not the clock's.
    void storedRowAfterAFailedWrite()
    {
        QVERIFY(openDesk(1, 0, 0, 0, kDay.addDays(-1)));
        const bool onServer = testkit::TestEnv::onServer();
        if (onServer) {
            m_desk->exec("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                         "$$BEGIN RAISE EXCEPTION 'disk is full'; END$$");
            m_desk->exec("CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                         "FOR EACH ROW EXECUTE FUNCTION refuse()");
        } else {
            m_desk->exec("CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                         "BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
        }
        box("txtTNo")->setText("  AB 12  ");
        box("txtTruckKMR")->setText("42.5");
        box("txtTruckRecAmt")->setText("150");
        box("txtTruckRemarks")->setText("  came late  ");
        field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
        fillEntry("3", "120.5");
        field("cmdAdd")->setFocus();
        m_desk->window->cmdAdd_Click();
        QApplication::processEvents();
        // Nothing stored, the reason told, the entry row kept for another try.
        QCOMPARE(m_desk->env.messages.size(), 1);
        const QString told = m_desk->env.messages.first().text;
        QVERIFY2(told.startsWith("The receipt was not saved.\n\n") && told.contains("disk is full"),
                 qPrintable(told));
        QCOMPARE(receipts(), 0);
        QCOMPARE(box("txtVCode")->property("Tag").toString(), QString("17"));
        QCOMPARE(focused(), QString("cmdAdd"));

        // Once the fault is gone the same entry row goes in, with the numbers it would have had.
        m_desk->exec(onServer ? "DROP TRIGGER refuse ON Data_Wght" : "DROP TRIGGER refuse");
        m_desk->env.messages.clear();
        pressAdd();
        QCOMPARE(messages(), QStringList{kAdded});
        QCOMPARE(stored(1), QString("1|2024-03-04|2|2|1|17|1|3.0|120.5|1|7|Ravi|0|02:30:05 PM|"
                                    "AB 12|06:15:00 AM|07:05:09 AM|42.5|150.0|came late"));

        // Cleared for the next village; the shift context and both truck times stay.
        for (const char* name : {"txtVCode", "txtVName", "txtCans", "txtWeight", "txtTNo",
                                 "txtTruckKMR", "txtTruckRecAmt", "txtTruckRemarks"})
            QVERIFY2(box(name)->text().isEmpty(), name);
        QCOMPARE(box("txtVCode")->property("Tag").toString(), QString("0"));
        QCOMPARE(field<QLabel>("lblWeight")->text(), QString());
        QCOMPARE(field<QTimeEdit>("dtpSchTime")->time(), QTime(6, 15));
        QCOMPARE(field<QTimeEdit>("dtpArrTime")->time(), QTime(7, 5, 9));
        QCOMPARE(field<QComboBox>("cmbRoute")->currentText(), QString("North"));
        QCOMPARE(field<QComboBox>("cmbAnimal")->currentData().toInt(), 1);
        QCOMPARE(focused(), QString("txtVCode"));
        QVERIFY(!field<QTableWidget>("fgLIst")->findItems("Hillside", Qt::MatchExactly).isEmpty());

        // Truck fields not entered again are stored as empty text and 0, not null.
        fillEntry("1", "40");
        m_desk->window->cmdAdd_Click();
        QCOMPARE(stored(2), QString("2|2024-03-04|2|1|2|17|1|1.0|40.0|1|7|Ravi|0|02:30:05 PM||"
                                    "06:15:00 AM|07:05:09 AM|0.0|0.0|"));
    }

    void clearCommandFollowsTheConfirmation()
    {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        // Held open so that the terminal is not hung up when the desk closes its side.
        const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        QVERIFY(QFile::link(QString::fromLocal8Bit(::ptsname(master)),
                            m_desk->env.configDir() + "/com1"));
        auto pending = [master](int waitMs) {
            pollfd p{master, POLLIN, 0};
            return ::poll(&p, 1, waitMs) > 0;
        };
        QVERIFY(openDesk(1, 2, 1, 9600));
        bool sentBefore = true;
        platform::setMessageHandler([&](const platform::Message& m) {
            m_desk->env.messages << m;
            sentBefore = pending(0);
        });
        fillEntry("3", "120.5");
        m_desk->window->cmdAdd_Click();
        QCOMPARE(messages(), QStringList{kAdded});
        QVERIFY(!sentBefore);
        char received = 0;
        QVERIFY(pending(5000) && ::read(master, &received, 1) == 1);
        QCOMPARE(received, 'T');
        ::close(slave);
        ::close(master);
    }

    void cansField_data()
    {
        QTest::addColumn<CansCase>("c");
        const auto row = [](const char* name, CansCase c) { QTest::newRow(name) << c; };
        row("digits only, two at most; on to Get Weight",
            {1, true, "1a23", false, "12", "cmdWeight"});
        row("Enter on 0 stays", {1, true, "0", false, "0", "txtCans"});
        row("link 3: on to Add", {3, true, "2", false, "2", "cmdAdd"});
        row("link 3, Add disarmed: stays", {3, false, "2", false, "2", "txtCans"});
        row("leaving 0: pulled back", {1, true, "0", true, "0", "txtCans"});
        row("leaving 4", {1, true, "4", true, "4", "txtVCode"});
    }
    void cansField()
    {
        QFETCH(CansCase, c);
        QVERIFY(openDesk(c.link));
        m_desk->window->Enb(c.addArmed ? 1 : 2);
        QLineEdit* cans = box("txtCans");
        cans->setText("99");
        cans->setFocus();
        QCOMPARE(cans->selectedText(), QString("99"));
        QTest::keyClicks(cans, c.keys);
        QCOMPARE(cans->text(), c.text);
        if (c.leave)
            box("txtVCode")->setFocus();
        else
            QTest::keyClick(cans, Qt::Key_Return);
        QApplication::processEvents();
        QCOMPARE(focused(), c.focus);
        // Highlighted exactly while it holds the focus.
        QCOMPARE(formkit::backgroundOf(cans),
                 c.focus == "txtCans" ? formkit::kHighlight : formkit::kNormal);
        QVERIFY(m_desk->env.messages.isEmpty());
    }
};

QTEST_MAIN(AddTest)
#include "tst_add.moc"

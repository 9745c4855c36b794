// The Add button and the cans field of the weighing window: the checks with their messages and
// focus, a write that fails, the stored receipt and the window after it, the scale's clear
// command after the confirmation, and the cans field's keys and focus.

#include "TestEnv.h"
#include "datastore/GenState.h"
#include "formkit/Focus.h"
#include "platform/Messages.h"
#include "tst_window_fixture.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {
const QDate kDay(2024, 3, 5);
const QString kAdded = "Successfully Added";
} // namespace

class AddTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void checks_data();
    void checks();
    void storedRowAfterAFailedWrite();
    void villageNotKeptAfterClear_data();
    void villageNotKeptAfterClear();
    void clearCommandFollowsTheConfirmation();
    void cansField_data();
    void cansField();

private:
    bool openDesk(int link, int format = 0, int port = 0, double speed = 0);
    void fillEntry(const QString& cans, const QString& weight)
    {
        windowtest::pickVillage(m_window.get(), 17, "V17", "Hillside");
        box("txtCans")->setText(cans);
        box("txtWeight")->setText(weight);
    }
    template <typename T = QWidget> T* field(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) const { return field<QLineEdit>(name); }
    QString focused() const
    {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // A stored receipt's columns joined by "|"; a null column makes it all null.
    // The stored row as text, decimals with one place, whatever engine holds it.
    QString stored(int refNo) const
    {
        const QStringList columns =
            QString("RefNo RefDate AmPm ACode DlySlNo VRefNo MCode CansRecd MWeight RtRefNo Uid "
                    "UName Stat ColTime TruckNo SchTime ArrTime TruckKMR TruckRecAmt TruckRemarks")
                .split(' ');
        QStringList values;
        for (const QString& column : columns) {
            const QVariant value = testkit::TestEnv::scalar(
                m_env->companyFile(),
                "SELECT " + column + " FROM Data_Wght WHERE RefNo = " + QString::number(refNo));
            values << (value.typeId() == QMetaType::Double
                           ? QString::number(value.toDouble(), 'f', 1)
                           : value.toString());
        }
        return values.join('|');
    }
    int receipts() const
    {
        return testkit::TestEnv::scalar(m_env->companyFile(), "SELECT COUNT(*) FROM Data_Wght")
            .toInt();
    }

    std::unique_ptr<testkit::TestEnv> m_env;
    std::unique_ptr<frm_Data> m_window;
};

void AddTest::init()
{
    m_env = std::make_unique<testkit::TestEnv>();
    m_env->createInstallation(kDay);
    m_env->chooseCompany();
    const QString co = m_env->companyFile();
    for (const char* sql :
         {"INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (1, 'North', 0)",
          "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) "
          "VALUES (1, '2024-03-01', '2024-03-31', 'KA 01 7788')",
          "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) "
          "VALUES (17, 'V17', 'Hillside', 1, 0)",
          "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), (2, 'Buffalo')",
          "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), (2, 'Skim')"})
        testkit::TestEnv::exec(co, sql);
    Gen_Uid = 7;
    Gen_UName = "Ravi";
    Gen_AmPm = 2;
    m_env->setClock(QDateTime(kDay, QTime(14, 30, 5)));
}

void AddTest::cleanup()
{
    m_window.reset();
    m_env.reset();
}

bool AddTest::openDesk(int link, int format, int port, double speed)
{
    testkit::TestEnv::exec(m_env->companyFile(),
                           "INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, LanHostNo, "
                           "ComLan) VALUES (?, ?, ?, '', '', ?)",
                           {format, speed, port, link});
    m_window = std::make_unique<frm_Data>();
    if (!m_window->Form_Load(kDay, formkit::Shift::Am))
        return false;
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    field<QTimeEdit>("dtpSchTime")->setTime(QTime(6, 15));
    field<QTimeEdit>("dtpArrTime")->setTime(QTime(7, 5, 9));
    m_env->messages.clear();
    return QTest::qWaitForWindowActive(m_window.get());
}

void AddTest::checks_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<QString>("unset"); // a list left with no entry chosen
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("cans");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // empty: the focus stays on Add

    QTest::newRow("no route") << 1 << "cmbRoute"
                              << "0"
                              << ""
                              << ""
                              << "Select Route"
                              << "cmbRoute";
    QTest::newRow("no village") << 1 << ""
                                << "0"
                                << "3"
                                << "100.0"
                                << "Select Village Code/Name"
                                << "txtVCode";
    QTest::newRow("cans 0") << 1 << ""
                            << "17"
                            << "0"
                            << "100.0"
                            << "Enter Received Cans"
                            << "txtCans";
    QTest::newRow("no weight in link 1: to Get Weight") << 1 << ""
                                                        << "17"
                                                        << "3"
                                                        << ""
                                                        << "Please Get Milk Weight"
                                                        << "cmdWeight";
    QTest::newRow("weight 0.0 in link 3: focus stays") << 3 << ""
                                                       << "17"
                                                       << "3"
                                                       << "0.0"
                                                       << "Please Get Milk Weight"
                                                       << "";
    QTest::newRow("135.1 on 3 cans") << 1 << ""
                                     << "17"
                                     << "3"
                                     << "135.1"
                                     << "Please Verify Cans"
                                     << "txtCans";
    QTest::newRow("135.0 on 3 cans, 45 a can: added") << 1 << ""
                                                      << "17"
                                                      << "3"
                                                      << "135.0" << kAdded << "txtVCode";
    QTest::newRow("added in link 3: Add disarmed") << 3 << ""
                                                   << "17"
                                                   << "3"
                                                   << "135.0" << kAdded << "txtVCode";
    // Stored without its types, a receipt would never be listed and the cans weighed again.
    QTest::newRow("no animal type chosen") << 1 << "cmbAnimal"
                                           << "17"
                                           << "3"
                                           << "135.0"
                                           << "Select Animal Type"
                                           << "cmbAnimal";
    QTest::newRow("no milk type chosen") << 1 << "cmbMilkType"
                                         << "17"
                                         << "3"
                                         << "135.0"
                                         << "Select Milk Type"
                                         << "cmbMilkType";
}

void AddTest::checks()
{
    QFETCH(int, link);
    QFETCH(QString, unset);
    QFETCH(QString, tag);
    QFETCH(QString, cans);
    QFETCH(QString, weight);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QVERIFY(openDesk(link));
    fillEntry(cans, weight);
    windowtest::pickVillage(m_window.get(), tag.toInt(), "V17", "Hillside");
    if (!unset.isEmpty())
        m_window->findChild<QComboBox*>(unset)->setCurrentIndex(-1);
    m_window->Enb(1); // the continuous link has read an empty platform
    QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);
    QApplication::processEvents();
    const bool added = message == kAdded;
    QCOMPARE(m_env->messageTexts(), QStringList{message});
    QCOMPARE(m_env->messages.first().title, QString(added ? "Tarvolen" : "Quenmoor"));
    QCOMPARE(focused(), focus.isEmpty() ? QString("cmdAdd") : focus);
    QCOMPARE(receipts(), added ? 1 : 0);
    // The same load cannot be added twice in a continuous link.
    QCOMPARE(field<QPushButton>("cmdAdd")->isEnabled(), !added || link != 3);
    if (!added) // a refused Add clears nothing
        QCOMPARE(box("txtCans")->text() + box("txtWeight")->text() + box("txtVCode")->text(),
                 cans + weight + "V17");
}

void AddTest::villageNotKeptAfterClear_data()
{
    QTest::addColumn<bool>("addFirst"); // else another route is chosen, which clears the row
    QTest::newRow("after an Add") << true;
    QTest::newRow("after a route change") << false;
}

// The next village's code typed over a cleared row, without a pick, must not be stored as the
// village weighed before.
void AddTest::villageNotKeptAfterClear()
{
    QFETCH(bool, addFirst);
    testkit::TestEnv::exec(
        m_env->companyFile(),
        "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (2, 'South', 0)");
    QVERIFY(openDesk(1));
    fillEntry("3", "120.5");
    if (addFirst) {
        QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);
        QCOMPARE(m_env->messageTexts(), QStringList{kAdded});
        m_env->messages.clear();
    } else {
        auto* route = field<QComboBox>("cmbRoute");
        route->setFocus();
        QTest::keyClick(route, Qt::Key_Down);
        QCOMPARE(route->currentText(), QString("South"));
        QCOMPARE(box("txtVCode")->text(), QString());
    }
    box("txtVCode")->setText("V18");
    box("txtCans")->setText("2");
    box("txtWeight")->setText("80.0");
    QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);
    QApplication::processEvents();
    QCOMPARE(m_env->messageTexts(), QStringList{"Select Village Code/Name"});
    QCOMPARE(receipts(), addFirst ? 1 : 0);
    QCOMPARE(focused(), QString("txtVCode"));
}

void AddTest::storedRowAfterAFailedWrite()
{
    QVERIFY(openDesk(1));
    const QString co = m_env->companyFile();
    const bool onServer = testkit::TestEnv::onServer();
    if (onServer) {
        testkit::TestEnv::exec(co, "CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                   "$$BEGIN RAISE EXCEPTION 'disk is full'; END$$");
        testkit::TestEnv::exec(co, "CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                                   "FOR EACH ROW EXECUTE FUNCTION refuse()");
    } else {
        testkit::TestEnv::exec(co, "CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                                   "BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    }
    box("txtTNo")->setText("  AB 12  ");
    box("txtTruckKMR")->setText("42.5");
    box("txtTruckRecAmt")->setText("150");
    box("txtTruckRemarks")->setText("  came late  ");
    field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
    fillEntry("3", "120.5");
    field("cmdAdd")->setFocus();
    m_window->cmdAdd_Click();
    QApplication::processEvents();
    // Nothing stored, the reason told, the entry row kept for another try.
    QCOMPARE(m_env->messages.size(), 1);
    const QString told = m_env->messages.first().text;
    QVERIFY2(told.startsWith("The receipt was not saved.\n\n") && told.contains("disk is full"),
             qPrintable(told));
    QCOMPARE(receipts(), 0);
    QCOMPARE(box("txtVCode")->property("Tag").toString(), QString("17"));
    QCOMPARE(focused(), QString("cmdAdd"));

    // Once the fault is gone the same entry row goes in, with the numbers it would have had.
    testkit::TestEnv::exec(co,
                           onServer ? "DROP TRIGGER refuse ON Data_Wght" : "DROP TRIGGER refuse");
    m_env->messages.clear();
    QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);
    QCOMPARE(m_env->messageTexts(), QStringList{kAdded});
    QCOMPARE(stored(1), QString("1|2024-03-05|2|2|1|17|1|3.0|120.5|1|7|Ravi|0|02:30:05 PM|AB 12|"
                                "06:15:00 AM|07:05:09 AM|42.5|150.0|came late"));

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
    m_window->cmdAdd_Click();
    QCOMPARE(stored(2), QString("2|2024-03-05|2|1|2|17|1|1.0|40.0|1|7|Ravi|0|02:30:05 PM||"
                                "06:15:00 AM|07:05:09 AM|0.0|0.0|"));
}

void AddTest::clearCommandFollowsTheConfirmation()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    // Held open so that the terminal is not hung up when the desk closes its side.
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    QVERIFY(QFile::link(QString::fromLocal8Bit(::ptsname(master)), m_env->configDir() + "/com1"));
    auto pending = [master](int waitMs) {
        pollfd p{master, POLLIN, 0};
        return ::poll(&p, 1, waitMs) > 0;
    };
    QVERIFY(openDesk(1, 2, 1, 9600));
    bool sentBefore = true;
    platform::setMessageHandler([&](const platform::Message& m) {
        m_env->messages << m;
        sentBefore = pending(0);
    });
    fillEntry("3", "120.5");
    m_window->cmdAdd_Click();
    QCOMPARE(m_env->messageTexts(), QStringList{kAdded});
    QVERIFY(!sentBefore);
    char received = 0;
    QVERIFY(pending(5000) && ::read(master, &received, 1) == 1);
    QCOMPARE(received, 'T');
    ::close(slave);
    ::close(master);
}

void AddTest::cansField_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<bool>("addArmed");
    QTest::addColumn<QString>("keys"); // typed over "99", which entering the field selects
    QTest::addColumn<bool>("leave");   // else Enter is pressed
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");
    QTest::newRow("digits only, two at most; on to Get Weight")
        << 1 << true << "1a23" << false << "12"
        << "cmdWeight";
    QTest::newRow("Enter on 0 stays") << 1 << true << "0" << false << "0"
                                      << "txtCans";
    QTest::newRow("link 3: on to Add") << 3 << true << "2" << false << "2"
                                       << "cmdAdd";
    QTest::newRow("link 3, Add disarmed: stays") << 3 << false << "2" << false << "2"
                                                 << "txtCans";
    QTest::newRow("leaving 0: pulled back") << 1 << true << "0" << true << "0"
                                            << "txtCans";
    QTest::newRow("leaving 4") << 1 << true << "4" << true << "4"
                               << "txtVCode";
}

void AddTest::cansField()
{
    QFETCH(int, link);
    QFETCH(bool, addArmed);
    QFETCH(QString, keys);
    QFETCH(bool, leave);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    QVERIFY(openDesk(link));
    m_window->Enb(addArmed ? 1 : 2);
    QLineEdit* cans = box("txtCans");
    cans->setText("99");
    cans->setFocus();
    QCOMPARE(cans->selectedText(), QString("99"));
    QVERIFY(cans->font().bold());
    QTest::keyClicks(cans, keys);
    QCOMPARE(cans->text(), text);
    if (leave)
        box("txtVCode")->setFocus();
    else
        QTest::keyClick(cans, Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(focused(), focus);
    // Highlighted exactly while it holds the focus.
    QCOMPARE(formkit::backgroundOf(cans),
             focus == "txtCans" ? formkit::kHighlight : formkit::kNormal);
    QVERIFY(m_env->messages.isEmpty());
}

QTEST_MAIN(AddTest)
#include "tst_add.moc"

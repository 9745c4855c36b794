// The Add button and the cans field of the weighing window: the checks with their messages
// and focus, what a stored receipt holds, what the window looks like afterwards, a write that
// fails, the scale's clear command, and the cans field's keys and focus.

#include "Installation.h"
#include "TestEnv.h"
#include "datastore/GenState.h"
#include "formkit/Focus.h"
#include "platform/Messages.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

class AddTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void checks_data();
    void checks();
    void addStoresTheEntryRow();
    void addClearsForTheNextVillage();
    void truckFieldsGoWithTheNextReceiptOnlyWhenEnteredAgain();
    void continuousLinkDisablesAddAfterwards();
    void failedWriteKeepsTheEntryRow();
    void clearCommandFollowsTheConfirmation();
    void cansKeyFilter();
    void cansEnter_data();
    void cansEnter();
    void cansLeaving_data();
    void cansLeaving();
    void cansEnteringSelectsAndHighlights();

private:
    void openDesk(int link, int format = 0, int port = -1, double speed = -1);
    void fillEntry(const QString& cans, const QString& weight);
    template <typename T> T* field(const char* name)
    {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no field %s", name);
        return found;
    }
    QString focused() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    int receipts() const
    {
        return testkit::TestEnv::scalar(m_env->companyFile(), "SELECT COUNT(*) FROM Data_Wght")
            .toInt();
    }

    std::unique_ptr<testkit::TestEnv> m_env;
    std::unique_ptr<QDateEdit> m_datesPicker;
    std::unique_ptr<frm_Data> m_window;
};

// The window's load checks as it goes; a case stops where its desk could not be opened.
#define OPEN_DESK(...)                                                                             \
    do {                                                                                           \
        openDesk(__VA_ARGS__);                                                                     \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace {
const QDate kDay(2024, 3, 5);
const QTime kSch(6, 15, 0);
const QTime kArr(7, 5, 9);

// The first row a statement returns, column by column.
QVariantList rowOf(const QString& file, const QString& sql)
{
    QVariantList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tst_add-row");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                for (int i = 0; i < q.record().count(); ++i)
                    values << q.value(i);
        }
    }
    QSqlDatabase::removeDatabase("tst_add-row");
    return values;
}
} // namespace

void AddTest::init()
{
    m_env = std::make_unique<testkit::TestEnv>();
    m_env->createInstallation(kDay);
    m_env->chooseCompany();
    const QString co = m_env->companyFile();
    testkit::TestEnv::exec(co, "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) "
                               "VALUES (1, 'North', 0), (2, 'South', 0)");
    testkit::TestEnv::exec(co, "INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) "
                               "VALUES (1, '2024-03-01', '2024-03-31', 'KA 01 7788')");
    testkit::TestEnv::exec(co, "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) "
                               "VALUES (17, 'V17', 'Hillside', 1, 0)");
    testkit::TestEnv::exec(co, "INSERT INTO Mast_Animal (ACode, AType) VALUES (1, 'Cow'), "
                               "(2, 'Buffalo')");
    testkit::TestEnv::exec(co, "INSERT INTO Mast_Milk (MCode, MType) VALUES (1, 'Whole'), "
                               "(2, 'Skim')");
    Gen_Uid = 7;
    Gen_UName = "Ravi";
    Gen_AmPm = 2;
    m_env->setClock(QDateTime(kDay, QTime(14, 30, 5)));
}

void AddTest::cleanup()
{
    m_window.reset();
    m_datesPicker.reset();
    m_env.reset();
}

void AddTest::openDesk(int link, int format, int port, double speed)
{
    admin::StationOptions station;
    station.dataRoot = m_env->dataRoot();
    station.company = "CO1";
    station.link = link;
    station.format = format;
    station.port = port;
    station.speed = speed;
    QCOMPARE(admin::writeStation(station), QString());

    m_datesPicker = std::make_unique<QDateEdit>(kDay);
    m_window = std::make_unique<frm_Data>();
    QVERIFY(m_window->Form_Load(m_datesPicker.get()));
    // The continuous serial link's reopening has no port here; keep its ticks out of the way.
    m_window->Timer1->stop();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    field<QTimeEdit>("dtpSchTime")->setTime(kSch);
    field<QTimeEdit>("dtpArrTime")->setTime(kArr);
    m_env->messages.clear();
}

void AddTest::fillEntry(const QString& cans, const QString& weight)
{
    field<QLineEdit>("txtVCode")->setText("V17");
    field<QLineEdit>("txtVCode")->setProperty("Tag", "17");
    field<QLineEdit>("txtVName")->setText("Hillside");
    field<QLineEdit>("txtCans")->setText(cans);
    field<QLineEdit>("txtWeight")->setText(weight);
}

void AddTest::checks_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<bool>("route");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("cans");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // empty: the focus stays where it was

    QTest::newRow("no route, nothing else") << 1 << false << "0" << "" << "" << "Select Route"
                                            << "cmbRoute";
    QTest::newRow("no village") << 1 << true << "0" << "3" << "100.0"
                                << "Select Village Code/Name" << "txtVCode";
    QTest::newRow("cans empty") << 1 << true << "17" << "" << "100.0" << "Enter Received Cans"
                                << "txtCans";
    QTest::newRow("cans -2") << 1 << true << "17" << "-2" << "100.0" << "Enter Received Cans"
                             << "txtCans";
    QTest::newRow("no weight in link 1: to Get Weight")
        << 1 << true << "17" << "3" << "" << "Please Get Milk Weight" << "cmdWeight";
    QTest::newRow("weight 0.0 in link 3: focus not moved")
        << 3 << true << "17" << "3" << "0.0" << "Please Get Milk Weight" << "";
    QTest::newRow("135.1 on 3 cans") << 1 << true << "17" << "3" << "135.1"
                                     << "Please Verify Cans" << "txtCans";
    QTest::newRow("135.1 on 3 cans in link 3") << 3 << true << "17" << "3" << "135.1"
                                               << "Please Verify Cans" << "txtCans";
}

void AddTest::checks()
{
    QFETCH(int, link);
    QFETCH(bool, route);
    QFETCH(QString, tag);
    QFETCH(QString, cans);
    QFETCH(QString, weight);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    OPEN_DESK(link);
    fillEntry(cans, weight);
    field<QLineEdit>("txtVCode")->setProperty("Tag", tag);
    if (!route)
        field<QComboBox>("cmbRoute")->setCurrentIndex(-1);
    field<QLineEdit>("txtTNo")->setFocus();
    QCOMPARE(focused(), QString("txtTNo"));

    m_window->cmdAdd_Click();
    QApplication::processEvents();

    QCOMPARE(m_env->messageTexts(), QStringList{message});
    QCOMPARE(m_env->messages.first().title, QString("Quenmoor"));
    QCOMPARE(focused(), focus.isEmpty() ? QString("txtTNo") : focus);
    QCOMPARE(receipts(), 0);
    // A refused Add clears nothing.
    QCOMPARE(field<QLineEdit>("txtCans")->text(), cans);
    QCOMPARE(field<QLineEdit>("txtWeight")->text(), weight);
    QCOMPARE(field<QLineEdit>("txtVCode")->text(), QString("V17"));
}

void AddTest::addStoresTheEntryRow()
{
    OPEN_DESK(1);
    QCOMPARE(field<QLineEdit>("txtTNo")->text(), QString("KA 01 7788"));
    field<QLineEdit>("txtTNo")->setText("  AB 12  ");
    field<QLineEdit>("txtTruckKMR")->setText("42.5");
    field<QLineEdit>("txtTruckRecAmt")->setText("150");
    field<QLineEdit>("txtTruckRemarks")->setText("  came late  ");
    field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
    fillEntry("3", "120.5");

    QTest::mouseClick(field<QPushButton>("cmdAdd"), Qt::LeftButton);

    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QCOMPARE(m_env->messages.first().title, QString("Tarvolen"));
    QCOMPARE(receipts(), 1);
    const QVariantList stored = rowOf(
        m_env->companyFile(),
        "SELECT RefNo, RefDate, AmPm, ACode, DlySlNo, VRefNo, MCode, CansRecd, MWeight, RtRefNo, "
        "Uid, UName, Stat, ColTime, TruckNo, SchTime, ArrTime, TruckKMR, TruckRecAmt, "
        "TruckRemarks FROM Data_Wght");
    const QVariantList expected = {1, "2024-03-05", 2, 2, 1, 17, 1, 3.0, 120.5, 1, 7,
                                   "Ravi", 0, "02:30:05 PM", "AB 12", "06:15:00 AM",
                                   "07:05:09 AM", 42.5, 150.0, "came late"};
    QCOMPARE(stored.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i].typeId() == QMetaType::QString)
            QCOMPARE(stored[i].toString(), expected[i].toString());
        else
            QCOMPARE(stored[i].toDouble(), expected[i].toDouble());
    }
}

void AddTest::addClearsForTheNextVillage()
{
    OPEN_DESK(1);
    field<QLineEdit>("txtTruckKMR")->setText("42.5");
    field<QLineEdit>("txtTruckRecAmt")->setText("150");
    field<QLineEdit>("txtTruckRemarks")->setText("late");
    field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
    fillEntry("3", "120.5");

    m_window->cmdAdd_Click();
    QApplication::processEvents();

    QCOMPARE(receipts(), 1);
    QCOMPARE(field<QLineEdit>("txtVCode")->property("Tag").toString(), QString("0"));
    for (const char* name : {"txtVCode", "txtVName", "txtCans", "txtWeight", "txtTNo",
                             "txtTruckKMR", "txtTruckRecAmt", "txtTruckRemarks"})
        QVERIFY2(field<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(field<QLabel>("lblWeight")->text(), QString());
    QCOMPARE(field<QTimeEdit>("dtpSchTime")->time(), kSch);
    QCOMPARE(field<QTimeEdit>("dtpArrTime")->time(), kArr);
    QCOMPARE(field<QComboBox>("cmbRoute")->currentText(), QString("North"));
    QCOMPARE(field<QComboBox>("cmbAnimal")->currentData().toInt(), 1);
    QVERIFY(field<QPushButton>("cmdAdd")->isEnabled());
    QCOMPARE(focused(), QString("txtVCode"));

    // The grid was reloaded and lists the new receipt.
    auto* grid = field<QTableWidget>("fgLIst");
    bool listed = false;
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->item(r, c) && grid->item(r, c)->text() == "Hillside")
                listed = true;
    QVERIFY(listed);
}

void AddTest::truckFieldsGoWithTheNextReceiptOnlyWhenEnteredAgain()
{
    OPEN_DESK(1);
    field<QLineEdit>("txtTNo")->setText("AB 12");
    field<QLineEdit>("txtTruckKMR")->setText("42.5");
    field<QLineEdit>("txtTruckRecAmt")->setText("150");
    field<QLineEdit>("txtTruckRemarks")->setText("late");
    fillEntry("3", "120.5");
    m_window->cmdAdd_Click();
    fillEntry("1", "40");
    m_window->cmdAdd_Click();

    QCOMPARE(m_env->messageTexts(), (QStringList{"Successfully Added", "Successfully Added"}));
    const QVariantList second =
        rowOf(m_env->companyFile(), "SELECT TruckNo, TruckKMR, TruckRecAmt, TruckRemarks, "
                                    "SchTime, ArrTime, DlySlNo FROM Data_Wght WHERE RefNo = 2");
    QCOMPARE(second.size(), 7);
    QCOMPARE(second[0].toString(), QString(""));
    QCOMPARE(second[1].toDouble(), 0.0);
    QCOMPARE(second[2].toDouble(), 0.0);
    QCOMPARE(second[3].toString(), QString(""));
    QCOMPARE(second[4].toString(), QString("06:15:00 AM"));
    QCOMPARE(second[5].toString(), QString("07:05:09 AM"));
    QCOMPARE(second[6].toInt(), 2);
}

void AddTest::continuousLinkDisablesAddAfterwards()
{
    OPEN_DESK(3);
    QVERIFY(!field<QPushButton>("cmdAdd")->isEnabled());
    m_window->Enb(1); // the platform read empty
    QVERIFY(field<QPushButton>("cmdAdd")->isEnabled());
    fillEntry("3", "135.0");
    m_window->cmdAdd_Click();
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QCOMPARE(receipts(), 1);
    QVERIFY(!field<QPushButton>("cmdAdd")->isEnabled());
}

void AddTest::failedWriteKeepsTheEntryRow()
{
    OPEN_DESK(1);
    const QString co = m_env->companyFile();
    testkit::TestEnv::exec(co, "CREATE TRIGGER refuse BEFORE INSERT ON Data_Wght "
                               "BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    field<QLineEdit>("txtTruckRemarks")->setText("late");
    fillEntry("3", "120.5");
    field<QPushButton>("cmdAdd")->setFocus();

    m_window->cmdAdd_Click();
    QApplication::processEvents();

    QCOMPARE(m_env->messages.size(), 1);
    const platform::Message told = m_env->messages.first();
    QVERIFY2(told.text.startsWith("The receipt was not saved.\n\n"), qPrintable(told.text));
    QVERIFY2(told.text.contains("disk is full"), qPrintable(told.text));
    QCOMPARE(told.title, QString("Tarvolen"));
    QCOMPARE(receipts(), 0);
    QCOMPARE(field<QLineEdit>("txtVCode")->text(), QString("V17"));
    QCOMPARE(field<QLineEdit>("txtVCode")->property("Tag").toString(), QString("17"));
    QCOMPARE(field<QLineEdit>("txtCans")->text(), QString("3"));
    QCOMPARE(field<QLineEdit>("txtWeight")->text(), QString("120.5"));
    QCOMPARE(field<QLineEdit>("txtTNo")->text(), QString("KA 01 7788"));
    QCOMPARE(field<QLineEdit>("txtTruckRemarks")->text(), QString("late"));
    QCOMPARE(focused(), QString("cmdAdd"));

    // Once the fault is gone the same entry row goes in, with the numbers it would have had.
    testkit::TestEnv::exec(co, "DROP TRIGGER refuse");
    m_env->messages.clear();
    m_window->cmdAdd_Click();
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    const QVariantList numbers = rowOf(co, "SELECT RefNo, DlySlNo FROM Data_Wght");
    QCOMPARE(numbers.size(), 2);
    QCOMPARE(numbers[0].toInt(), 1);
    QCOMPARE(numbers[1].toInt(), 1);
}

void AddTest::clearCommandFollowsTheConfirmation()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString slave = QString::fromLocal8Bit(ptsname(master));
    // Held open so that the terminal is not hung up when the program closes its side.
    const int slaveHold = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    QVERIFY(slaveHold >= 0);
    QVERIFY(QFile::link(slave, m_env->configDir() + "/com1"));
    auto pending = [master](int waitMs) {
        pollfd p{master, POLLIN, 0};
        return ::poll(&p, 1, waitMs) > 0 && (p.revents & POLLIN);
    };

    OPEN_DESK(1, 2, 1, 9600);
    bool sentBeforeConfirmation = true;
    platform::setMessageHandler([&](const platform::Message& m) {
        m_env->messages << m;
        if (m.text == "Successfully Added")
            sentBeforeConfirmation = pending(0);
    });
    fillEntry("3", "120.5");
    m_window->cmdAdd_Click();

    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QVERIFY(!sentBeforeConfirmation);
    QByteArray received;
    while (received.size() < 1 && pending(5000)) {
        char buffer[16];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.append(buffer, int(n));
    }
    QCOMPARE(received, QByteArray("T"));
    ::close(slaveHold);
    ::close(master);
}

void AddTest::cansKeyFilter()
{
    OPEN_DESK(1);
    auto* cans = field<QLineEdit>("txtCans");
    cans->setFocus();
    QTest::keyClicks(cans, "1a2");
    QCOMPARE(cans->text(), QString("12"));
    QTest::keyClicks(cans, "3"); // two characters at most
    QCOMPARE(cans->text(), QString("12"));
}

void AddTest::cansEnter_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<bool>("addEnabled");
    QTest::addColumn<QString>("cans");
    QTest::addColumn<QString>("focus");

    QTest::newRow("link 1: on to Get Weight") << 1 << true << "2" << "cmdWeight";
    QTest::newRow("link 1: empty stays") << 1 << true << "" << "txtCans";
    QTest::newRow("link 1: 0 stays") << 1 << true << "0" << "txtCans";
    QTest::newRow("link 1: -2 stays") << 1 << true << "-2" << "txtCans";
    QTest::newRow("link 3: on to Add") << 3 << true << "2" << "cmdAdd";
    QTest::newRow("link 3: Add disabled, stays") << 3 << false << "2" << "txtCans";
}

void AddTest::cansEnter()
{
    QFETCH(int, link);
    QFETCH(bool, addEnabled);
    QFETCH(QString, cans);
    QFETCH(QString, focus);

    OPEN_DESK(link);
    m_window->Enb(addEnabled ? 1 : 2);
    auto* box = field<QLineEdit>("txtCans");
    box->setFocus();
    box->setText(cans);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(focused(), focus);
    QCOMPARE(m_env->messages.size(), 0);
    QCOMPARE(receipts(), 0);
}

void AddTest::cansLeaving_data()
{
    QTest::addColumn<QString>("cans");
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty: pulled back") << "" << "txtCans";
    QTest::newRow("0: pulled back") << "0" << "txtCans";
    QTest::newRow("-2: may leave") << "-2" << "txtVCode";
    QTest::newRow("4: may leave") << "4" << "txtVCode";
}

void AddTest::cansLeaving()
{
    QFETCH(QString, cans);
    QFETCH(QString, focus);

    OPEN_DESK(1);
    auto* box = field<QLineEdit>("txtCans");
    box->setFocus();
    box->setText(cans);
    field<QLineEdit>("txtVCode")->setFocus();
    QApplication::processEvents();
    QCOMPARE(focused(), focus);
    // Highlighted exactly while it holds the focus.
    QCOMPARE(formkit::backgroundOf(box),
             focus == "txtCans" ? formkit::kHighlight : formkit::kNormal);
}

void AddTest::cansEnteringSelectsAndHighlights()
{
    OPEN_DESK(1);
    auto* box = field<QLineEdit>("txtCans");
    box->setText("12");
    box->setFocus();
    QCOMPARE(box->selectedText(), QString("12"));
    QCOMPARE(formkit::backgroundOf(box), formkit::kHighlight);
    QVERIFY(box->font().bold());
}

QTEST_MAIN(AddTest)
#include "tst_add.moc"

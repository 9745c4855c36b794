// The weighing window's shift context: the hand-over to a running copy, the route list, the
// route's vehicle on the collection date, clearing on a route change, the Enter chain and the
// key rules of its fields, Enter on buttons, and what the continuous scale links start at load.

#include "tst_window_fixture.h"

#include "formkit/Focus.h"
#include "platform/SerialControl.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimeEdit>
#include <QTimer>

using windowtest::Desk;
using windowtest::kDay;

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    // First: once a window has loaded, this process is itself the copy that others find.
    void runningCopyTakesOver();
    void loadTakesDateAndShift();
    void routeList_data();
    void routeList();
    void vehicleOnDate_data();
    void vehicleOnDate();
    void routeChangeClearsEntryRow();
    void enterChain_data();
    void enterChain();
    void highlightFollowsFocus();
    void keyRules_data();
    void keyRules();
    void enterPressesButtons();
    void scaleLinksAtLoad_data();
    void scaleLinksAtLoad();
    void closingClosesNetworkLink();
};

void WindowTest::runningCopyTakesOver()
{
    Desk desk;
    desk.addRoute(1, "North");
    QLocalServer first;
    QLocalServer::removeServer("tarvolen-test-" + QFileInfo(desk.env.root()).fileName());
    QVERIFY(first.listen("tarvolen-test-" + QFileInfo(desk.env.root()).fileName()));

    desk.open();

    QVERIFY(!desk.loaded);
    QCOMPARE(desk.env.endCount, 1);
    QVERIFY(desk.env.messages.isEmpty());
    QCOMPARE(desk.field<QComboBox>("cmbRoute")->count(), 0); // nothing more of the load ran
    QVERIFY(first.waitForNewConnection(5000));
    QLocalSocket* peer = first.nextPendingConnection();
    QVERIFY(peer);
    if (peer->bytesAvailable() == 0)
        QVERIFY(peer->waitForReadyRead(5000));
    QVERIFY(peer->readAll().contains("activate"));
}

void WindowTest::loadTakesDateAndShift()
{
    Desk desk;
    desk.addRoute(1, "North");
    desk.env.setClock(QDateTime(kDay, QTime(14, 30, 5)));
    desk.open(QDate(2024, 3, 6), 3);

    QVERIFY(desk.loaded);
    QCOMPARE(desk.env.endCount, 0);
    QCOMPARE(desk.field<QDateEdit>("dtpDate")->date(), QDate(2024, 3, 6));
    QCOMPARE(desk.field<QDateEdit>("dtpDate")->text(), QString("06/Mar/2024"));
    QCOMPARE(desk.field<QComboBox>("cmbAP")->currentText(), QString("PM"));
    QCOMPARE(desk.field<QTimeEdit>("dtpSchTime")->time(), QTime(14, 30, 5));
    QCOMPARE(desk.field<QTimeEdit>("dtpArrTime")->time(), QTime(14, 30, 5));
    QCOMPARE(desk.field<QComboBox>("cmbAnimal")->currentText(), QString("1.Cow"));
    QCOMPARE(desk.field<QComboBox>("cmbMilkType")->currentText(), QString("1.Whole"));
    QVERIFY(desk.widget("fmVill")->isHidden());
    QVERIFY(!desk.widget("Frame3")->isEnabled());
}

void WindowTest::routeList_data()
{
    QTest::addColumn<QStringList>("routes"); // "ref:name:inactive"
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("selected");
    QTest::newRow("route 1 active is chosen, inactive hidden")
        << QStringList{"1:North:0", "2:South:1", "3:East:0"} << QStringList{"North", "East"}
        << "North";
    QTest::newRow("no route 1: nothing chosen")
        << QStringList{"2:South:0", "3:East:0"} << QStringList{"South", "East"} << "";
    QTest::newRow("route 1 inactive: nothing chosen")
        << QStringList{"1:North:1", "3:East:0"} << QStringList{"East"} << "";
    QTest::newRow("inactive other than 1 is hidden too")
        << QStringList{"1:North:2", "3:East:0"} << QStringList{"East"} << "";
    QTest::newRow("no routes at all") << QStringList{} << QStringList{} << "";
}

void WindowTest::routeList()
{
    QFETCH(QStringList, routes);
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    Desk desk;
    for (const QString& r : routes) {
        const QStringList p = r.split(':');
        desk.addRoute(p[0].toInt(), p[1], p[2].toInt());
        desk.addVehicle(p[0].toInt(), kDay, kDay, "VEH-" + p[1]);
    }
    desk.open();

    auto* combo = desk.field<QComboBox>("cmbRoute");
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    QCOMPARE(shown, listed);
    QCOMPARE(combo->currentText(), selected);
    // The choice at load looks up its vehicle; no choice looks up nothing.
    QCOMPARE(desk.field<QLineEdit>("txtTNo")->text(),
             selected.isEmpty() ? QString() : "VEH-" + selected);
}

void WindowTest::vehicleOnDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("vehicle");
    QTest::newRow("first day of the assignment") << QDate(2024, 3, 1) << "KA01 7788";
    QTest::newRow("inside") << QDate(2024, 3, 3) << "KA01 7788";
    QTest::newRow("last day of the assignment") << QDate(2024, 3, 5) << "KA01 7788";
    QTest::newRow("the day after") << QDate(2024, 3, 6) << "";
    QTest::newRow("the day before") << QDate(2024, 2, 29) << "";
    QTest::newRow("next assignment starts") << QDate(2024, 3, 10) << "KA09 1";
}

void WindowTest::vehicleOnDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, vehicle);
    Desk desk;
    desk.addRoute(1, "North");
    desk.addRoute(2, "South");
    desk.addVehicle(1, QDate(2024, 3, 1), QDate(2024, 3, 5), "KA01 7788");
    desk.addVehicle(1, QDate(2024, 3, 10), QDate(2024, 3, 31), "KA09 1");
    desk.addVehicle(2, QDate(2024, 2, 1), QDate(2024, 3, 31), "OTHER");
    desk.open(date);
    QCOMPARE(desk.field<QLineEdit>("txtTNo")->text(), vehicle);
}

void WindowTest::routeChangeClearsEntryRow()
{
    Desk desk;
    desk.addRoute(1, "North");
    desk.addRoute(3, "East");
    desk.addVehicle(1, kDay, kDay, "NORTH-1");
    desk.addVehicle(3, kDay, kDay, "EAST-3");
    desk.open();
    auto* vcode = desk.field<QLineEdit>("txtVCode");
    vcode->setText("101");
    vcode->setProperty("Tag", "7");
    desk.field<QLineEdit>("txtVName")->setText("Amberly");
    desk.field<QLineEdit>("txtCans")->setText("3");
    desk.field<QLineEdit>("txtWeight")->setText("120.5");
    desk.field<QLineEdit>("txtTNo")->setText("TYPED");
    desk.field<QLineEdit>("txtTruckKMR")->setText("42");
    desk.field<QLineEdit>("txtTruckRecAmt")->setText("150");
    desk.field<QLineEdit>("txtTruckRemarks")->setText("late");
    desk.field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
    const QTime scheduled = desk.field<QTimeEdit>("dtpSchTime")->time().addSecs(-600);
    desk.field<QTimeEdit>("dtpSchTime")->setTime(scheduled);

    // The operator moves to the next route with the keyboard.
    auto* route = desk.field<QComboBox>("cmbRoute");
    route->setFocus();
    QTest::keyClick(route, Qt::Key_Down);

    QCOMPARE(route->currentText(), QString("East"));
    QCOMPARE(vcode->text(), QString());
    QCOMPARE(vcode->property("Tag").toString(), QString("0"));
    for (const char* name : {"txtVName", "txtCans", "txtWeight", "txtTruckKMR", "txtTruckRecAmt",
                             "txtTruckRemarks"})
        QVERIFY2(desk.field<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(desk.field<QLineEdit>("txtTNo")->text(), QString("EAST-3"));
    QCOMPARE(desk.field<QComboBox>("cmbAnimal")->currentText(), QString("1.Cow"));
    QCOMPARE(desk.field<QTimeEdit>("dtpSchTime")->time(), scheduled);
}

void WindowTest::enterChain_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("route -> truck number") << "cmbRoute" << "txtTNo";
    QTest::newRow("truck number -> scheduled") << "txtTNo" << "dtpSchTime";
    QTest::newRow("scheduled -> arrived") << "dtpSchTime" << "dtpArrTime";
    QTest::newRow("arrived -> trip kms") << "dtpArrTime" << "txtTruckKMR";
    QTest::newRow("trip kms -> recovery") << "txtTruckKMR" << "txtTruckRecAmt";
    QTest::newRow("recovery -> remarks") << "txtTruckRecAmt" << "txtTruckRemarks";
    QTest::newRow("remarks -> village code") << "txtTruckRemarks" << "txtVCode";
    QTest::newRow("village code -> name") << "txtVCode" << "txtVName";
    QTest::newRow("village name -> animal") << "txtVName" << "cmbAnimal";
    QTest::newRow("animal -> milk type") << "cmbAnimal" << "cmbMilkType";
    QTest::newRow("milk type -> cans") << "cmbMilkType" << "txtCans";
}

void WindowTest::enterChain()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    Desk desk;
    desk.addRoute(1, "North");
    desk.open();
    QWidget* start = desk.widget(qPrintable(from));
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    QVERIFY(desk.env.messages.isEmpty());
}

void WindowTest::highlightFollowsFocus()
{
    Desk desk;
    desk.addRoute(1, "North");
    desk.open();
    auto* kms = desk.field<QLineEdit>("txtTruckKMR");
    auto* amount = desk.field<QLineEdit>("txtTruckRecAmt");
    kms->setText("123");
    kms->setFocus();
    QCOMPARE(formkit::backgroundOf(kms), formkit::kHighlight);
    QVERIFY(kms->font().bold());
    QCOMPARE(kms->selectedText(), QString("123"));
    QTest::keyClick(kms, Qt::Key_Return);
    QCOMPARE(formkit::backgroundOf(kms), formkit::kNormal);
    QVERIFY(!kms->font().bold());
    QCOMPARE(formkit::backgroundOf(amount), formkit::kHighlight);
    QCOMPARE(amount->selectedText(), QString()); // an empty box selects nothing

    // The route list lights up too, and hides an open lookup panel.
    desk.widget("fmVill")->show();
    auto* route = desk.field<QComboBox>("cmbRoute");
    route->setFocus();
    QCOMPARE(formkit::backgroundOf(route), formkit::kHighlight);
    QVERIFY(desk.widget("fmVill")->isHidden());
}

void WindowTest::keyRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("truck number in capitals") << "txtTNo" << "" << "ka01 ab-7" << "KA01 AB-7";
    QTest::newRow("trip kms: second point swallowed") << "txtTruckKMR" << "" << "12.5.3" << "12.53";
    QTest::newRow("trip kms: letters swallowed") << "txtTruckKMR" << "" << "1a2b" << "12";
    QTest::newRow("trip kms: minus anywhere") << "txtTruckKMR" << "" << "5-2-" << "5-2-";
    QTest::newRow("trip kms: point inside the selection still counts")
        << "txtTruckKMR" << "1.5" << "." << "1.5";
    QTest::newRow("trip kms: selected text replaced by a digit")
        << "txtTruckKMR" << "1.5" << ".7" << "7";
    QTest::newRow("recovery: second point swallowed") << "txtTruckRecAmt" << "" << "3..4" << "3.4";
    QTest::newRow("recovery: letters swallowed") << "txtTruckRecAmt" << "" << "x9" << "9";
    QTest::newRow("remarks take anything") << "txtTruckRemarks" << "" << "late a.b.c" << "late a.b.c";
}

void WindowTest::keyRules()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    Desk desk;
    desk.addRoute(1, "North");
    desk.open();
    auto* box = desk.field<QLineEdit>(qPrintable(field));
    box->setText(before);
    box->setFocus();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), after);
    QVERIFY(desk.widget("fmVill")->isHidden());
}

void WindowTest::enterPressesButtons()
{
    Desk desk;
    desk.addRoute(1, "North");
    desk.open();
    auto* exitButton = desk.field<QPushButton>("cmdExit");
    desk.widget("fmVill")->show();
    exitButton->setFocus();
    QVERIFY(desk.widget("fmVill")->isHidden()); // Exit's focus hides the panel
    QCOMPARE(desk.env.endCount, 0);
    QTest::keyClick(exitButton, Qt::Key_Return);
    QCOMPARE(desk.env.endCount, 1);
    QTest::keyClick(exitButton, Qt::Key_Space);
    QCOMPARE(desk.env.endCount, 2);
}

void WindowTest::scaleLinksAtLoad_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<bool>("timerRuns");
    QTest::addColumn<bool>("buttonsEnabled");
    QTest::newRow("no settings row") << -1 << false << true;
    QTest::newRow("serial on request") << 1 << false << true;
    QTest::newRow("network on request") << 2 << false << true;
    QTest::newRow("continuous serial") << 3 << true << false;
    QTest::newRow("continuous network") << 4 << true << false;
}

void WindowTest::scaleLinksAtLoad()
{
    QFETCH(int, link);
    QFETCH(bool, timerRuns);
    QFETCH(bool, buttonsEnabled);
    Desk desk;
    desk.addRoute(1, "North");
    QTcpServer scale;
    QVERIFY(scale.listen(QHostAddress::LocalHost));
    if (link == 4)
        desk.setStation(4, "127.0.0.1", QString::number(scale.serverPort()));
    else if (link > 0)
        desk.setStation(link); // no port, speed, host or TCP port
    desk.open();

    QCOMPARE(desk.window->Timer1->isActive(), timerRuns);
    QCOMPARE(desk.window->Timer1->interval(), 200);
    QCOMPARE(desk.field<QPushButton>("cmdWeight")->isEnabled(), buttonsEnabled);
    QCOMPARE(desk.field<QPushButton>("cmdAdd")->isEnabled(), buttonsEnabled);
    QVERIFY2(desk.env.messages.isEmpty(), qPrintable(desk.env.messageTexts().join(" / ")));
    QCOMPARE(desk.env.endCount, 0);
    // A serial link without port settings opens nothing; only link 4 connects at load.
    QVERIFY(!desk.window->MSComm1->PortOpen());
    QCOMPARE(desk.window->Winsock1->state() == QAbstractSocket::ConnectedState, link == 4);
}

void WindowTest::closingClosesNetworkLink()
{
    Desk desk;
    desk.addRoute(1, "North");
    QTcpServer scale;
    QVERIFY(scale.listen(QHostAddress::LocalHost));
    desk.setStation(4, "127.0.0.1", QString::number(scale.serverPort()));
    desk.open();
    QCOMPARE(desk.window->Winsock1->state(), QAbstractSocket::ConnectedState);
    desk.window->close();
    QCOMPARE(desk.window->Winsock1->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(desk.env.endCount, 0);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

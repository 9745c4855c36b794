// The weighing window's shift context: the hand-over to a running copy, routes and vehicles,
// the shift's receipts grid, the key rules and where the keys take the focus, F8's shift
// report, and what the continuous scale links start at load.

#include "tst_window_fixture.h"

#include "datastore/Startup.h"
#include "scale/NetworkLinks.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QTableWidget>
#include <QTcpServer>
#include <QTimeEdit>
#include <QTimer>
#include <QWheelEvent>

using windowtest::Desk;

namespace {
// Closes the print preview once it is up, noting its title.
void closePreviewWhenUp(QString* title)
{
    QTimer::singleShot(50, [title] {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
            *title = preview->windowTitle();
            preview->reject();
        } else {
            closePreviewWhenUp(title);
        }
    });
}

QMap<QString, QRect> geometries(QWidget* window)
{
    QMap<QString, QRect> all;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            all.insert(w->objectName(), w->geometry());
    }
    return all;
}
} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    // First: once a window has loaded, this process is itself the copy that others find.
    void runningCopyTakesOver()
    {
        Desk desk;
        desk.addRoute(1, "North");
        const QString name = "tarvolen-test-" + QFileInfo(desk.env.root()).fileName();
        QLocalServer first;
        QLocalServer::removeServer(name);
        QVERIFY(first.listen(name));
        desk.open();
        QVERIFY(!desk.loaded);
        QCOMPARE(desk.env.endStatuses, QList<int>{int(platform::EndStatus::Normal)});
        QVERIFY(desk.env.messages.isEmpty());
        QCOMPARE(desk.field<QComboBox>("cmbRoute")->count(), 0); // nothing more of the load ran
        QVERIFY(first.waitForNewConnection(5000));
        QLocalSocket* peer = first.nextPendingConnection();
        QVERIFY(peer);
        if (peer->bytesAvailable() == 0)
            QVERIFY(peer->waitForReadyRead(5000));
        QVERIFY(peer->readAll().contains("activate"));
    }

    void routeList_data()
    {
        QTest::addColumn<QStringList>("routes"); // "ref:name:inactive"
        QTest::addColumn<int>("day"); // of March; each route's vehicle runs the 1st to 5th
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("vehicle");
        const auto row = [](const char* name, QString routes, int day, QString listed,
                            QString selected, QString vehicle) {
            QTest::newRow(name) << routes.split(' ') << day << listed.split(' ', Qt::SkipEmptyParts)
                                << selected << vehicle;
        };
        row("route 1 chosen, inactive hidden, last day", "1:N:0 2:S:1 3:E:0", 5, "N E", "N",
            "VEH-N");
        row("next assignment", "1:N:0 3:E:0", 10, "N E", "N", "KA09 1");
        row("no route 1: nothing chosen", "2:S:0 3:E:0", 5, "S E", "", "");
        row("route 1 inactive: nothing chosen", "1:N:1 3:E:0", 5, "E", "", "");
        row("inactive other than 1 hidden too", "1:N:2 3:E:0", 5, "E", "", "");
    }
    void routeList()
    {
        QFETCH(QStringList, routes);
        QFETCH(int, day);
        QFETCH(QStringList, listed);
        QFETCH(QString, selected);
        QFETCH(QString, vehicle);
        Desk desk;
        for (const QString& r : routes) {
            const QStringList p = r.split(':');
            const int ref = p[0].toInt();
            desk.addRoute(ref, p[1], p[2].toInt());
            desk.addVehicle(ref, 1, 5, "VEH-" + p[1]);
            desk.addVillage(ref, p[0], p[1], ref);
            desk.addReceipt(ref, 2, ref, ref, ref, 10.0);
        }
        desk.addVehicle(1, 10, 31, "KA09 1");
        const QDate date(2024, 3, day);
        desk.exec("UPDATE Data_Wght SET RefDate = ?", {date.toString(Qt::ISODate)});
        desk.open(date);

        auto* combo = desk.field<QComboBox>("cmbRoute");
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, listed);
        QCOMPARE(combo->currentText(), selected);
        QCOMPARE(desk.box("txtTNo")->text(), vehicle);
        QCOMPARE(desk.field<QTableWidget>("fgLIst")->rowCount(), selected.isEmpty() ? 0 : 1);
        QVERIFY(desk.env.messages.isEmpty());
    }

    void routeChangeClearsEntryRow()
    {
        Desk desk;
        desk.addRoute(1, "North");
        desk.addRoute(3, "East");
        desk.addVehicle(3, 5, 5, "EAST-3");
        desk.open();
        const QStringList cleared{"txtVCode",    "txtVName",       "txtCans",        "txtWeight",
                                  "txtTruckKMR", "txtTruckRecAmt", "txtTruckRemarks"};
        for (const QString& name : cleared)
            desk.box(name)->setText("12");
        windowtest::pickVillage(desk.window.get(), 7, "12", "12");
        desk.field<QComboBox>("cmbAnimal")->setCurrentIndex(1);
        const QTime scheduled = desk.field<QTimeEdit>("dtpSchTime")->time().addSecs(-600);
        desk.field<QTimeEdit>("dtpSchTime")->setTime(scheduled);

        auto* route = desk.field<QComboBox>("cmbRoute");
        route->setFocus();
        QTest::keyClick(route, Qt::Key_Down);
        QCOMPARE(route->currentText(), QString("East"));
        for (const QString& name : cleared)
            QVERIFY2(desk.box(name)->text().isEmpty(), qPrintable(name));
        QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString("0"));
        QCOMPARE(desk.box("txtTNo")->text(), QString("EAST-3"));
        QCOMPARE(desk.field<QComboBox>("cmbAnimal")->currentText(), QString("1.Cow"));
        QCOMPARE(desk.field<QTimeEdit>("dtpSchTime")->time(), scheduled); // the times stay

        // A wheel turned over the route list from another field changes nothing.
        desk.box("txtCans")->setFocus();
        desk.box("txtCans")->setText("3");
        const QPoint centre = route->rect().center();
        QWheelEvent wheel(centre, route->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(route, &wheel);
        QCOMPARE(route->currentText(), QString("East"));
        QCOMPARE(desk.box("txtCans")->text(), QString("3"));
    }

    void receiptsGrid_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("listed");
        const QString r5 = "5|101|Amberly|Buffalo|Skim|3|120.5",
                      r3 = "3|102|Brookside|Cow|Whole|1|44.0",
                      r2 = "2|101|Amberly|Cow|Whole|2|60.0";
        QTest::newRow("newest first, gaps where the other route took numbers")
            << "" << QStringList{r5, r3, r2};
        // Receipts without their village or milk type row, and the other shifts and days, are
        // the grid statement's own cases (tests/datastore).
        QTest::newRow("receipt without its animal type row is not listed")
            << "DELETE FROM Mast_Animal WHERE ACode = 2" << QStringList{r3, r2};
        QTest::newRow("weight rounded to one decimal, null cans read as 0")
            << "UPDATE Data_Wght SET MWeight = 45.26, CansRecd = NULL WHERE RefNo = 3"
            << QStringList{r5, "3|102|Brookside|Cow|Whole|0|45.3", r2};
        QTest::newRow("large weight, null weight shows nothing")
            << "UPDATE Data_Wght SET MWeight = CASE WHEN RefNo = 3 THEN 12345.67 END WHERE RefNo "
               "IN (2, 3)"
            << QStringList{r5, "3|102|Brookside|Cow|Whole|1|12345.7", "2|101|Amberly|Cow|Whole|2|"};
    }
    void receiptsGrid()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, listed);
        Desk desk;
        desk.addRoute(1, "North");
        desk.addRoute(2, "South");
        desk.addVillage(11, "101", "Amberly", 1);
        desk.addVillage(12, "102", "Brookside", 1);
        desk.addVillage(21, "201", "Southend", 2);
        // The morning's receipts of two routes take serial numbers in turn.
        desk.addReceipt(1, 2, 2, 21, 1, 30.0);
        desk.addReceipt(2, 2, 1, 11, 2, 60.0, 2);
        desk.addReceipt(3, 2, 1, 12, 3, 44.0);
        desk.addReceipt(4, 2, 2, 21, 4, 31.0);
        desk.addReceipt(5, 2, 1, 11, 5, 120.5, 3, 2);
        if (!change.isEmpty())
            desk.exec(change);
        desk.open();

        QCOMPARE(desk.gridRows(), listed);
        auto* route = desk.field<QComboBox>("cmbRoute");
        route->setCurrentIndex(1);
        emit route->activated(1);
        QCOMPARE(desk.gridRows(), QStringList({"4|201|Southend|Cow|Whole|1|31.0",
                                          "1|201|Southend|Cow|Whole|1|30.0"}));
    }

    // Where Enter, Tab and Shift+Tab take the focus; the time pickers are left at once by Tab,
    // while Up still steps the section in the caret. The date and shift frame is off in the
    // window as it comes; its keys are wired for when it is on.
    void focusKeys_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Enter on the date: the shift")
            << "dtpDate" << int(Qt::Key_Return) << "cmbAP";
        QTest::newRow("Enter on the shift: the route")
            << "cmbAP" << int(Qt::Key_Return) << "cmbRoute";
        QTest::newRow("Enter on the truck: scheduled time")
            << "txtTNo" << int(Qt::Key_Return) << "dtpSchTime";
        QTest::newRow("Enter on scheduled: arrived")
            << "dtpSchTime" << int(Qt::Key_Return) << "dtpArrTime";
        QTest::newRow("Tab on scheduled") << "dtpSchTime" << int(Qt::Key_Tab) << "dtpArrTime";
        QTest::newRow("Tab on arrived") << "dtpArrTime" << int(Qt::Key_Tab) << "txtTruckKMR";
        QTest::newRow("Shift+Tab on arrived")
            << "dtpArrTime" << int(Qt::Key_Backtab) << "dtpSchTime";
    }
    void focusKeys()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        Desk desk;
        desk.addRoute(1, "North");
        desk.open();
        desk.field("Frame3")->setEnabled(true);
        QWidget* start = desk.field(from);
        start->setFocus();
        QCOMPARE(desk.focused(), from);
        if (auto* picker = qobject_cast<QTimeEdit*>(start)) {
            picker->setCurrentSection(QDateTimeEdit::HourSection);
            const QTime before = picker->time();
            QTest::keyClick(picker, Qt::Key_Up);
            QCOMPARE(picker->time(), before.addSecs(3600));
        }
        QTest::keyClick(start, Qt::Key(key),
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(desk.focused(), to);
    }

    void keyRules()
    {
        Desk desk;
        desk.addRoute(1, "North");
        desk.open();
        // field:typed:kept. Capitals in the truck number; the two amounts take one point.
        for (const QString rule :
             {"txtTNo:ka01 ab-7:KA01 AB-7", "txtTruckKMR:1a2.5.3b:12.53",
              "txtTruckRecAmt:x3..4:3.4", "txtTruckRemarks:late a.b.c:late a.b.c"}) {
            QLineEdit* box = desk.box(rule.section(':', 0, 0));
            box->setFocus();
            QTest::keyClicks(box, rule.section(':', 1, 1));
            QCOMPARE(box->text(), rule.section(':', 2));
        }
    }

    // F8 opens the shift's report in a preview, from any field, with the key shown in the
    // status line and no control of the window moved.
    void f8OpensTheShiftReport_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("route list") << "cmbRoute";
        QTest::newRow("village code") << "txtVCode";
        QTest::newRow("cans") << "txtCans";
    }
    void f8OpensTheShiftReport()
    {
        QFETCH(QString, from);
        Desk desk;
        desk.addRoute(1, "North");
        desk.addVillage(1, "V01", "Hill", 1);
        desk.addReceipt(1, 2, 1, 1, 1, 45);
        QVERIFY(Set_MainDsn()); // as start-up leaves it
        desk.open();
        QVERIFY(desk.loaded);
        const QMap<QString, QRect> before = geometries(desk.window.get());
        QString shownTitle;
        closePreviewWhenUp(&shownTitle);
        desk.field(from)->setFocus();
        QTest::keyClick(desk.field(from), Qt::Key_F8);
        QTRY_COMPARE(shownTitle, QString("Shift Report"));
        QVERIFY(desk.env.messages.isEmpty());
        QVERIFY(desk.field<QLabel>("lblStatus")->text().contains("F8 shift report"));
        QCOMPARE(geometries(desk.window.get()), before);
    }

    void scaleLinksAtLoad_data()
    {
        QTest::addColumn<int>("link");
        QTest::newRow("no settings row") << 0;
        QTest::newRow("serial on request") << 1;
        QTest::newRow("continuous serial") << 3;
        QTest::newRow("continuous network") << 4;
    }
    void scaleLinksAtLoad()
    {
        QFETCH(int, link);
        const bool continuous = link >= 3;
        Desk desk;
        desk.addRoute(1, "North");
        QTcpServer scale;
        QVERIFY(scale.listen(QHostAddress::LocalHost));
        const QString port = QString::number(scale.serverPort());
        if (link > 0) // a serial link gets no port settings, so it opens nothing
            testkit::TestEnv::setStation(desk.db(), 2, link, port);
        desk.open();

        scale::ScaleLink* running = desk.window->scaleLink();
        QCOMPARE(running != nullptr, link != 0);
        QCOMPARE(running && running->continuous(), continuous);
        QCOMPARE(desk.field("cmdWeight")->isEnabled(), !continuous);
        QCOMPARE(desk.field("cmdAdd")->isEnabled(), !continuous);
        QVERIFY2(desk.env.messages.isEmpty(), qPrintable(desk.env.messageTexts().join(" / ")));
        if (auto* network = qobject_cast<scale::NetworkContinuousLink*>(running))
            QTRY_COMPARE(network->Winsock1->state(), QAbstractSocket::ConnectedState);
        const QPointer<QObject> ended = running;
        desk.window->close(); // closing ends the link with its port or connection
        QVERIFY(ended.isNull());
        QCOMPARE(desk.env.endCount, 0);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

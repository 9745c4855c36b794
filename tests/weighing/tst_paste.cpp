// Pasting and dropping into the weighing window's text fields: what the field would not take
// typed is refused whole with the reason in the status line, capitals apply, a paste longer
// than the field is refused, not cut; what is shown is what Add stores.

#include "formkit/PasteRules.h"
#include "tst_window_fixture.h"
#include "weighing/StatusArea.h"

#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

using windowtest::Desk;

namespace {
// Outside a real drag the application hands a drop to no one (it goes to the drag's current
// target); the window's fields see it first through their paste guard, so it goes there.
void deliverDrop(Desk& desk, QLineEdit* box, QDropEvent* event)
{
    QObject* guard = desk.window->findChild<formkit::PasteGuard*>();
    QVERIFY(guard);
    if (!guard->eventFilter(box, event))
        QApplication::sendEvent(box, event);
}
} // namespace

class PasteTest : public QObject {
    Q_OBJECT
private slots:
    void paste_data();
    void paste();
    void dropObeysTheSameRules();
};

void PasteTest::paste_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before"); // entering the field selects it; the paste replaces it
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("shiftInsert"); // else Ctrl+V
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("notice"); // part of the status line's notice; empty: none
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");

    const auto row = [](const char* name, const char* field, QString before, QString pasted,
                        bool shiftInsert, QString shown, const char* notice, const char* column,
                        QString stored) {
        QTest::newRow(name) << field << before << pasted << shiftInsert << shown << notice
                            << column << stored;
    };
    row("cans: 4x refused", "txtCans", "3", "4x", true, "3", "Cans Recd. takes only digits",
        "CansRecd", "3");
    row("cans: 12 taken", "txtCans", "3", "12", false, "12", "", "CansRecd", "12");
    row("cans: 123 over the limit of 2", "txtCans", "3", "123", false, "3",
        "Cans Recd. takes at most 2 characters", "CansRecd", "3");
    row("trip km: O'Brien \"x refused", "txtTruckKMR", "", "O'Brien \"x", true, "",
        "Trip KMs takes only digits", "TruckKMR", "0");
    row("trip km: 42.5 taken", "txtTruckKMR", "", "42.5\n", false, "42.5", "", "TruckKMR", "42.5");
    row("recovery: 1e999 refused", "txtTruckRecAmt", "150", "1e999", true, "150",
        "Recovery Amount takes only digits", "TruckRecAmt", "150");
    row("recovery: 11 characters refused", "txtTruckRecAmt", "150", "12345678901", false, "150",
        "at most 10 characters", "TruckRecAmt", "150");
    row("truck: capitals by Ctrl+V", "txtTNo", "", "ka 01 ab 7", false, "KA 01 AB 7", "", "TruckNo",
        "KA 01 AB 7");
    row("truck: capitals by Shift+Insert", "txtTNo", "", "mh12", true, "MH12", "", "TruckNo",
        "MH12");
    row("truck: 31 characters refused", "txtTNo", "KA 01", QString(31, 'x'), false, "KA 01",
        "Truck Number takes at most 30 characters: the paste of 31 was refused", "TruckNo",
        "KA 01");
    row("remarks: text as it is", "txtTruckRemarks", "", "came 'late' \"again\"", true,
        "came 'late' \"again\"", "", "TruckRemarks", "came 'late' \"again\"");
    row("remarks: 256 refused, not cut", "txtTruckRemarks", "", QString(256, 'r'), false, "",
        "Remarks takes at most 255 characters", "TruckRemarks", "");
}

void PasteTest::paste()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(bool, shiftInsert);
    QFETCH(QString, shown);
    QFETCH(QString, notice);
    QFETCH(QString, column);
    QFETCH(QString, stored);
    Desk desk;
    desk.addRouteAndVillage();
    testkit::TestEnv::setStation(desk.db(), 0, 1);
    desk.open();
    QVERIFY(desk.loaded);
    desk.fillEntry("3", "100");
    QLineEdit* box = desk.box(field);
    box->setText(before);
    box->setFocus();
    QApplication::clipboard()->setText(pasted);
    if (shiftInsert)
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(box->text(), shown);
    const QString told = desk.window->statusArea()->notice();
    if (notice.isEmpty())
        QVERIFY2(told.isEmpty(), qPrintable(told));
    else
        QVERIFY2(told.contains(notice), qPrintable(told));

    desk.env.messages.clear();
    desk.pressAdd();
    QCOMPARE(desk.env.messageTexts(), QStringList{windowtest::kAdded});
    QCOMPARE(testkit::TestEnv::scalar(desk.db(), "SELECT " + column + " FROM Data_Wght").toString(),
             stored);
}

void PasteTest::dropObeysTheSameRules()
{
    Desk desk;
    desk.open();
    QLineEdit* cans = desk.box("txtCans");
    cans->setText("3");
    const auto drop = [&](QLineEdit* box, const QString& text) {
        QMimeData data;
        data.setText(text);
        QDropEvent event(QPointF(box->width() - 2, box->height() / 2), Qt::CopyAction, &data,
                         Qt::LeftButton, Qt::NoModifier);
        deliverDrop(desk, box, &event);
        return event.isAccepted();
    };
    QVERIFY(!drop(cans, "x"));
    QCOMPARE(cans->text(), QString("3"));
    QVERIFY(desk.window->statusArea()->notice().contains("Cans Recd. takes only digits"));
    QVERIFY(!drop(cans, "45"));
    QCOMPARE(cans->text(), QString("3"));
    QVERIFY(desk.window->statusArea()->notice().contains("at most 2 characters"));
    // Taken at the end where it lands; the notice goes with the paste that went in.
    QVERIFY(drop(cans, "4"));
    QCOMPARE(cans->text(), QString("34"));
    QVERIFY(desk.window->statusArea()->notice().isEmpty());
    drop(desk.box("txtTNo"), "ab 1");
    QCOMPARE(desk.box("txtTNo")->text(), QString("AB 1"));
}

QTEST_MAIN(PasteTest)
#include "tst_paste.moc"

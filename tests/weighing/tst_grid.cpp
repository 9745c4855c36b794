// The shift's receipts grid: which receipts are listed, in which order, and how their cells read.

#include "tst_window_fixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

using windowtest::Desk;
using windowtest::kDay;

class GridTest : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void routeShiftAndOrder();
    void shiftFromDateDialog();
    void missingMasterRowIsNotListed_data();
    void missingMasterRowIsNotListed();
    void cellTexts_data();
    void cellTexts();
    void nullTextsShowEmpty();
    void noRouteListsNothing();
    void gridFocusHidesLookup();
};

namespace {
void seedMasters(const Desk& desk)
{
    desk.addRoute(1, "North");
    desk.addRoute(2, "South");
    desk.addVillage(11, "101", "Amberly", 1);
    desk.addVillage(12, "102", "Brookside", 1);
    desk.addVillage(21, "201", "Southend", 2);
}

QStringList column(const QTableWidget* grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << (grid->item(row, col) ? grid->item(row, col)->text() : QStringLiteral("<none>"));
    return texts;
}

QStringList rowTexts(const QTableWidget* grid, int row)
{
    QStringList texts;
    for (int col = 0; col < grid->columnCount(); ++col)
        texts << (grid->item(row, col) ? grid->item(row, col)->text() : QStringLiteral("<none>"));
    return texts;
}
} // namespace

void GridTest::layout()
{
    Desk desk;
    seedMasters(desk);
    desk.open();
    auto* grid = desk.field<QTableWidget>("fgLIst");
    QCOMPARE(grid->columnCount(), 7);
    QStringList headers;
    for (int col = 0; col < 7; ++col)
        headers << grid->horizontalHeaderItem(col)->text();
    QCOMPARE(headers, QStringList({"SNo.", "Village Code", "Village Name", "Animal Type",
                                   "Milk Type", "Cans Received", "Weight"}));
    // The name column is laid out widest; the serial number narrowest.
    QVERIFY(grid->columnWidth(2) > grid->columnWidth(1));
    QVERIFY(grid->columnWidth(0) < grid->columnWidth(3));
}

void GridTest::routeShiftAndOrder()
{
    Desk desk;
    seedMasters(desk);
    // One morning, receipts of two routes taking numbers in turn.
    desk.addReceipt(1, kDay, 2, 2, 21, 1, 1, 30.0);
    desk.addReceipt(2, kDay, 2, 1, 11, 2, 2, 60.0);
    desk.addReceipt(3, kDay, 2, 1, 12, 3, 1, 44.0);
    desk.addReceipt(4, kDay, 2, 2, 21, 4, 1, 31.0);
    desk.addReceipt(5, kDay, 2, 1, 11, 5, 3, 120.5, 2, 2);
    // The evening, and the next morning, are other shifts.
    desk.addReceipt(6, kDay, 3, 1, 11, 1, 1, 10.0);
    desk.addReceipt(7, kDay.addDays(1), 2, 1, 11, 1, 1, 11.0);
    desk.open();
    auto* grid = desk.field<QTableWidget>("fgLIst");

    QCOMPARE(column(grid, 0), QStringList({"5", "3", "2"}));
    QCOMPARE(rowTexts(grid, 0),
             QStringList({"5", "101", "Amberly", "Buffalo", "Skim", "3", "120.5"}));
    QCOMPARE(rowTexts(grid, 2), QStringList({"2", "101", "Amberly", "Cow", "Whole", "2", "60.0"}));
    QCOMPARE(grid->item(0, 6)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
    QCOMPARE(grid->item(0, 0)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    QCOMPARE(grid->item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));

    auto* route = desk.field<QComboBox>("cmbRoute");
    route->setCurrentIndex(1);
    emit route->activated(1);
    QCOMPARE(column(grid, 0), QStringList({"4", "1"}));
}

void GridTest::shiftFromDateDialog()
{
    Desk desk;
    seedMasters(desk);
    desk.addReceipt(1, kDay, 2, 1, 11, 1, 1, 30.0);
    desk.addReceipt(2, kDay, 3, 1, 12, 1, 1, 40.0);
    desk.addReceipt(3, kDay, 3, 1, 11, 2, 1, 41.0);
    desk.open(kDay, 3);
    QCOMPARE(column(desk.field<QTableWidget>("fgLIst"), 2), QStringList({"Amberly", "Brookside"}));
}

void GridTest::missingMasterRowIsNotListed_data()
{
    QTest::addColumn<QString>("removal");
    QTest::newRow("village") << "DELETE FROM Mast_Villages WHERE VRefNo = 12";
    QTest::newRow("animal type") << "DELETE FROM Mast_Animal WHERE ACode = 2";
    QTest::newRow("milk type") << "DELETE FROM Mast_Milk WHERE MCode = 2";
}

void GridTest::missingMasterRowIsNotListed()
{
    QFETCH(QString, removal);
    Desk desk;
    seedMasters(desk);
    desk.addReceipt(1, kDay, 2, 1, 11, 1, 1, 30.0);
    desk.addReceipt(2, kDay, 2, 1, 12, 2, 1, 40.0, 2, 2);
    desk.addReceipt(3, kDay, 2, 1, 11, 3, 1, 50.0);
    desk.exec(removal);
    desk.open();
    QCOMPARE(column(desk.field<QTableWidget>("fgLIst"), 0), QStringList({"3", "1"}));
}

void GridTest::cellTexts_data()
{
    QTest::addColumn<QVariant>("cans");
    QTest::addColumn<QVariant>("weight");
    QTest::addColumn<QString>("shownCans");
    QTest::addColumn<QString>("shownWeight");
    QTest::newRow("whole weight gets one decimal") << QVariant(3) << QVariant(45.0) << "3" << "45.0";
    QTest::newRow("weight rounded to one decimal") << QVariant(1) << QVariant(45.26) << "1" << "45.3";
    QTest::newRow("large weight") << QVariant(99) << QVariant(12345.67) << "99" << "12345.7";
    QTest::newRow("zero weight") << QVariant(2) << QVariant(0.0) << "2" << "0.0";
    QTest::newRow("null cans read as 0") << QVariant() << QVariant(40.0) << "0" << "40.0";
    QTest::newRow("fractional cans as they are") << QVariant(2.5) << QVariant(40.0) << "2.5" << "40.0";
    QTest::newRow("null weight shows nothing") << QVariant(1) << QVariant() << "1" << "";
}

void GridTest::cellTexts()
{
    QFETCH(QVariant, cans);
    QFETCH(QVariant, weight);
    QFETCH(QString, shownCans);
    QFETCH(QString, shownWeight);
    Desk desk;
    seedMasters(desk);
    desk.addReceipt(1, kDay, 2, 1, 11, 1, cans, weight);
    desk.open();
    auto* grid = desk.field<QTableWidget>("fgLIst");
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, 5)->text(), shownCans);
    QCOMPARE(grid->item(0, 6)->text(), shownWeight);
}

void GridTest::nullTextsShowEmpty()
{
    Desk desk;
    seedMasters(desk);
    desk.exec("UPDATE Mast_Villages SET VName = NULL WHERE VRefNo = 11");
    desk.addReceipt(1, kDay, 2, 1, 11, 1, 1, 30.0);
    desk.open();
    auto* grid = desk.field<QTableWidget>("fgLIst");
    QCOMPARE(rowTexts(grid, 0), QStringList({"1", "101", "", "Cow", "Whole", "1", "30.0"}));
    QVERIFY(desk.env.messages.isEmpty());
}

void GridTest::noRouteListsNothing()
{
    Desk desk;
    desk.addRoute(2, "South"); // no route 1: nothing is chosen at load
    desk.addVillage(21, "201", "Southend", 2);
    desk.addReceipt(1, kDay, 2, 2, 21, 1, 1, 30.0);
    desk.open();
    auto* grid = desk.field<QTableWidget>("fgLIst");
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(grid->columnCount(), 7);
    QVERIFY(desk.env.messages.isEmpty());
}

void GridTest::gridFocusHidesLookup()
{
    Desk desk;
    seedMasters(desk);
    desk.open();
    desk.widget("fmVill")->show();
    desk.widget("fgLIst")->setFocus();
    QVERIFY(desk.widget("fmVill")->isHidden());
}

QTEST_MAIN(GridTest)
#include "tst_grid.moc"

// The shift's receipts grid: which receipts are listed, in which order, and how their cells read.

#include "tst_window_fixture.h"

#include <QComboBox>
#include <QTableWidget>

class GridTest : public QObject {
    Q_OBJECT
private slots:
    void listed_data();
    void listed();
};

static QStringList rows(const QTableWidget* grid)
{
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int col = 0; col < grid->columnCount(); ++col)
            cells << grid->item(r, col)->text();
        texts << cells.join('|');
    }
    return texts;
}

void GridTest::listed_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("listed");
    const QString r5 = "5|101|Amberly|Buffalo|Skim|3|120.5",
                  r3 = "3|102|Brookside|Cow|Whole|1|44.0", r2 = "2|101|Amberly|Cow|Whole|2|60.0";
    QTest::newRow("newest first, gaps where the other route took numbers")
        << "" << QStringList{r5, r3, r2};
    QTest::newRow("receipt without its village row is not listed")
        << "DELETE FROM Mast_Villages WHERE VRefNo = 12" << QStringList{r5, r2};
    QTest::newRow("receipt without its animal type row is not listed")
        << "DELETE FROM Mast_Animal WHERE ACode = 2" << QStringList{r3, r2};
    QTest::newRow("receipt without its milk type row is not listed")
        << "DELETE FROM Mast_Milk WHERE MCode = 2" << QStringList{r3, r2};
    QTest::newRow("weight rounded to one decimal, null cans read as 0")
        << "UPDATE Data_Wght SET MWeight = 45.26, CansRecd = NULL WHERE RefNo = 3"
        << QStringList{r5, "3|102|Brookside|Cow|Whole|0|45.3", r2};
    QTest::newRow("large weight, null weight shows nothing")
        << "UPDATE Data_Wght SET MWeight = IIF(RefNo = 3, 12345.67, NULL) WHERE RefNo IN (2, 3)"
        << QStringList{r5, "3|102|Brookside|Cow|Whole|1|12345.7", "2|101|Amberly|Cow|Whole|2|"};
}

void GridTest::listed()
{
    QFETCH(QString, change);
    QFETCH(QStringList, listed);
    windowtest::Desk desk;
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
    desk.addReceipt(6, 3, 1, 11, 1, 10.0); // the evening
    desk.addReceipt(7, 2, 1, 11, 6, 11.0);
    desk.exec("UPDATE Data_Wght SET RefDate = '2024-03-06' WHERE RefNo = 7"); // the next morning
    if (!change.isEmpty())
        desk.exec(change);
    desk.open();

    auto* grid = desk.field<QTableWidget>("fgLIst");
    QCOMPARE(rows(grid), listed);
    auto* route = desk.field<QComboBox>("cmbRoute");
    route->setCurrentIndex(1);
    emit route->activated(1);
    QCOMPARE(rows(grid), QStringList({"4|201|Southend|Cow|Whole|1|31.0",
                                      "1|201|Southend|Cow|Whole|1|30.0"}));
}

QTEST_MAIN(GridTest)
#include "tst_grid.moc"

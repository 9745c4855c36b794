// Loading a keyed list from a table.

#include "TestEnv.h"
#include "formkit/Combos.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

using namespace formkit;

class FormRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void loadCombo_data()
    {
        QTest::addColumn<QString>("routes"); // rows of Mast_Routes
        QTest::addColumn<QString>("clause");
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<QStringList>("entries"); // shown text = item data
        QTest::addColumn<int>("selected");
        const QString inUse = " Where RTInAct = 0";
        QTest::newRow("numbered, key 1 first")
            << "(1, 'Cow', 0), (2, 'Buffalo', 0)"
            << "" << true << QStringList{"1.Cow=1", "2.Buffalo=2"} << 0;
        // The clause is placed as written, so it may order the rows: key 1 comes second here.
        QTest::newRow("key 1 second")
            << "(1, 'West', 0), (2, 'East', 0), (3, 'Closed', 1)" << inUse + " Order by RTType"
            << false << QStringList{"East=2", "West=1"} << 1;
        QTest::newRow("empty table") << "" << inUse << false << QStringList() << -1;
        QTest::newRow("no key 1: nothing selected")
            << "(2, 'East', 0)" << inUse << false << QStringList{"East=2"} << -1;
    }
    void loadCombo()
    {
        QFETCH(QString, routes);
        QFETCH(QString, clause);
        QFETCH(bool, numbered);
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        testkit::TestEnv env;
        env.createInstallation();
        env.chooseCompany();
        if (!routes.isEmpty())
            env.exec(env.companyFile(),
                     "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES " + routes);
        QComboBox combo;
        combo.addItem("left over", 1);
        QSignalSpy activated(&combo, &QComboBox::activated);

        QVERIFY(Load_Combo(&combo, "Mast_Routes", "RTType", "RTRefNo", numbered, clause));
        QStringList shown;
        for (int i = 0; i < combo.count(); ++i)
            shown << combo.itemText(i) + "=" + combo.itemData(i).toString();
        QCOMPARE(shown, entries);
        QCOMPARE(combo.currentIndex(), selected);
        QCOMPARE(selectedKey(&combo), selected < 0 ? 0 : 1);
        QCOMPARE(activated.count(), selected < 0 ? 0 : 1);
    }
};

QTEST_MAIN(FormRoutinesTest)
#include "tst_formroutines.moc"

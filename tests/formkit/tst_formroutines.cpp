// Focus highlighting, the focus chain and the keyed list routines.

#include "TestEnv.h"
#include "formkit/Combos.h"
#include "formkit/Focus.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using namespace formkit;

class FormRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void highlight_data();
    void highlight();
    void selectAll_data();
    void selectAll();
    void nextFocusSkipsHiddenControl();
    void loadCombo_data();
    void loadCombo();
    void comboSelect_data();
    void comboSelect();
    void loadAmPm();
};

namespace {
std::unique_ptr<QWidget> makeControl(const QString& kind)
{
    if (kind == "line edit")
        return std::make_unique<QLineEdit>();
    if (kind == "combo box")
        return std::make_unique<QComboBox>();
    return std::make_unique<QDateEdit>();
}
} // namespace

void FormRoutinesTest::highlight_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("fontAccess");
    QTest::addColumn<bool>("coloured");
    QTest::addColumn<bool>("boldens");
    QTest::newRow("text box") << "line edit" << 0 << true << true;
    QTest::newRow("combo box") << "combo box" << 0 << true << true;
    QTest::newRow("date picker: bold only") << "date edit" << 1 << false << true;
    QTest::newRow("other font access leaves the font") << "line edit" << 2 << true << false;
}

void FormRoutinesTest::highlight()
{
    QFETCH(QString, kind);
    QFETCH(int, fontAccess);
    QFETCH(bool, coloured);
    QFETCH(bool, boldens);
    const std::unique_ptr<QWidget> control = makeControl(kind);
    const QColor before = backgroundOf(control.get());
    QVERIFY(!control->font().bold());

    Fld_GotFocus(control.get(), fontAccess);
    QCOMPARE(backgroundOf(control.get()), coloured ? QColor(255, 192, 192) : before);
    QCOMPARE(control->font().bold(), boldens);

    Fld_LostFocus(control.get(), fontAccess);
    QCOMPARE(backgroundOf(control.get()), coloured ? QColor(255, 255, 255) : before);
    QVERIFY(!control->font().bold());
}

void FormRoutinesTest::selectAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty box selects nothing") << "";
    QTest::newRow("three characters") << "abc";
}

void FormRoutinesTest::selectAll()
{
    QFETCH(QString, text);
    QLineEdit box(text);
    box.setCursorPosition(int(text.size()));
    Sel_All(&box);
    QCOMPARE(box.selectedText(), text);
    QCOMPARE(box.hasSelectedText(), !text.isEmpty());
    if (!text.isEmpty())
        QCOMPARE(box.selectionStart(), 0);
}

void FormRoutinesTest::nextFocusSkipsHiddenControl()
{
    testkit::TestEnv env;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* hidden = new QLineEdit;
    auto* later = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(hidden);
    layout->addWidget(later);
    hidden->hide();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QCOMPARE(window.focusWidget(), first);

    Next_Focus(hidden);
    QCOMPARE(window.focusWidget(), first);
    Next_Focus(nullptr);
    QCOMPARE(window.focusWidget(), first);
    Next_Focus(later);
    QCOMPARE(window.focusWidget(), later);
    QVERIFY(env.messages.isEmpty());
}

void FormRoutinesTest::loadCombo_data()
{
    QTest::addColumn<QString>("routes"); // rows of Mast_Routes
    QTest::addColumn<QString>("clause");
    QTest::addColumn<bool>("numbered");
    QTest::addColumn<QStringList>("entries"); // shown text = item data
    QTest::addColumn<int>("selected");
    const QString inUse = " Where RTInAct = 0";
    QTest::newRow("numbered, key 1 first") << "(1, 'Cow', 0), (2, 'Buffalo', 0)" << "" << true
                                           << QStringList{"1.Cow=1", "2.Buffalo=2"} << 0;
    // The clause is placed as written, so it may order the rows: key 1 comes second here.
    QTest::newRow("key 1 second") << "(1, 'West', 0), (2, 'East', 0), (3, 'Closed', 1)"
                                  << inUse + " Order by RTType" << false
                                  << QStringList{"East=2", "West=1"} << 1;
    QTest::newRow("empty table") << "" << inUse << false << QStringList() << -1;
    QTest::newRow("no key 1: nothing selected") << "(2, 'East', 0), (3, 'South', 0)" << inUse
                                                << false << QStringList{"East=2", "South=3"} << -1;
}

void FormRoutinesTest::loadCombo()
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
    if (selected >= 0)
        QCOMPARE(activated.at(0).at(0).toInt(), selected);
    QVERIFY(env.messages.isEmpty());
}

void FormRoutinesTest::comboSelect_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("activations");
    QTest::newRow("key two entries carry: the first") << 5 << 1 << 1;
    QTest::newRow("key of the last entry") << 7 << 3 << 1;
    QTest::newRow("no entry carries the key") << 4 << 0 << 0;
}

void FormRoutinesTest::comboSelect()
{
    QFETCH(int, key);
    QFETCH(int, index);
    QFETCH(int, activations);
    QComboBox combo;
    combo.addItem("One", 1);
    combo.addItem("Five", 5);
    combo.addItem("Five again", 5);
    combo.addItem("Seven", 7);
    combo.setCurrentIndex(0);
    QSignalSpy activated(&combo, &QComboBox::activated);
    Combo_Select(&combo, key);
    QCOMPARE(combo.currentIndex(), index);
    QCOMPARE(activated.count(), activations);
}

void FormRoutinesTest::loadAmPm()
{
    QComboBox combo;
    combo.addItem("stale", 9);
    QSignalSpy activated(&combo, &QComboBox::activated);
    Load_AmPm(&combo);
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(1), QStringLiteral("PM"));
    QCOMPARE(combo.itemData(1).toInt(), 3);
    QCOMPARE(combo.currentText(), QStringLiteral("AM"));
    QCOMPARE(selectedKey(&combo), 2);
    QCOMPARE(activated.count(), 1);
}

QTEST_MAIN(FormRoutinesTest)
#include "tst_formroutines.moc"

// The village lookup: the keys and pastes that open it, which villages the search lists, picking
// and cancelling, and pastes into its search boxes.

#include "formkit/PasteRules.h"
#include "tst_window_fixture.h"

#include "weighing/StatusArea.h"

#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>

using windowtest::Desk;

namespace {
// Route 1's villages, with traps: inactive, null InAct, another route, quotes and wildcards.
void seedVillages(Desk& desk)
{
    desk.addRoute(1, "North");
    desk.addRoute(2, "South");
    desk.addVillage(1, "101", "Amberly", 1);
    desk.addVillage(2, "102", "amberton", 1);
    desk.addVillage(3, "110", "Brook", 1, QVariant());
    desk.addVillage(4, "120", "Cedar", 1, 1);
    desk.addVillage(5, "103", "Dale", 2);
    desk.addVillage(6, "O'N1", "O'Neil", 1);
    desk.addVillage(7, "5%A", "Fifty%Pct", 1);
    desk.addVillage(8, "5_B", "Five_B", 1);
    desk.addVillage(9, "5XB", "FiveXB", 1);
    desk.addVillage(10, "1\\2", "Back\\Slash", 1);
    desk.addVillage(11, "a7", "Zed", 1, 2);
    desk.open();
}

// The window's status line holds a notice that starts so, or none when none is expected.
bool noticeIs(const Desk& desk, const QString& start)
{
    const QString shown = desk.window->statusArea()->notice();
    return start.isEmpty() ? shown.isEmpty() : shown.startsWith(start);
}

QList<int> listedRefs(const Desk& desk)
{
    const QAbstractItemModel* model = desk.field<QTableView>("dbList")->model();
    QList<int> refs;
    for (int row = 0; row < model->rowCount(); ++row)
        refs << model->data(model->index(row, 2)).toInt();
    return refs;
}
} // namespace

// The panel opened from a village field, then a pick or a cancel.
struct Pick {
    QString opener;
    QString keys;    // typed into the opener, then into the search box
    QString actions; // keys where the focus is, or buttons
    int village;     // in the entry row afterwards; 0: none
    QString change;  // made after listing
};
Q_DECLARE_METATYPE(Pick)

// A key or a paste in a village field, and what comes of it.
struct FieldKey {
    QString field;
    int key, modifiers, scanCode; // the scan code as the X server numbers the key; 0: none
    QString keyText, clipboard;
    QString searched;  // in the search box; "-": panel shut
    QString fieldText; // the opening field's text afterwards
    QString notice;
    int picked; // by Enter when the panel opened
};
Q_DECLARE_METATYPE(FieldKey)

class LookupTest : public QObject {
    Q_OBJECT
private slots:
    void search_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("listed");
        const QString code = "txtItemCode", name = "txtItemName";
        QTest::newRow("empty code box lists every active village by code")
            << code << "" << QList<int>{1, 2, 10, 7, 8, 9, 11, 6};
        QTest::newRow("code prefix") << code << "10" << QList<int>{1, 2};
        QTest::newRow("null InAct left out") << code << "11" << QList<int>{};
        QTest::newRow("inactive left out") << code << "12" << QList<int>{};
        QTest::newRow("other route left out") << code << "103" << QList<int>{};
        QTest::newRow("code ignores case") << code << "A" << QList<int>{11};
        QTest::newRow("apostrophe") << code << "o'" << QList<int>{6};
        QTest::newRow("percent is plain") << code << "5%" << QList<int>{7};
        QTest::newRow("underscore is plain") << code << "5_" << QList<int>{8};
        QTest::newRow("backslash is plain") << code << "1\\" << QList<int>{10};
        QTest::newRow("name prefix, any case, by code") << name << "amb" << QList<int>{1, 2};
    }
    void search()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QList<int>, listed);
        Desk desk;
        seedVillages(desk);
        // A keypad digit opens the panel on the name box; it is typed there, not in the field.
        desk.box("txtVName")->setText("AB");
        desk.box("txtVName")->setFocus();
        QTest::keyClick(desk.box("txtVName"), Qt::Key_5, Qt::KeypadModifier);
        QVERIFY(desk.field("fmVill")->isVisible());
        QCOMPARE(desk.focused() + '|' + desk.box("txtItemName")->text() + '|' +
                     desk.box("txtVName")->text(),
                 QString("txtItemName|5|AB"));
        desk.box(box)->setText("~");
        desk.box(box)->setText(typed);
        QCOMPARE(listedRefs(desk), listed);
        QVERIFY2(desk.env.messages.isEmpty(), qPrintable(desk.env.messageTexts().join(" / ")));
    }

    void pickOrCancel_data()
    {
        QTest::addColumn<Pick>("c");
        const auto row = [](const char* name, Pick c) { QTest::newRow(name) << c; };
        row("Enter in the name box picks the first", {"txtVName", "AMB", "Enter", 1, {}});
        row("Down into the list, second row", {"txtVName", "amb", "Down Down Enter", 2, {}});
        row("OK button", {"txtVName", "five", "cmdOk", 8, {}});
        row("the pick reads the village as it is now",
            {"txtVCode", "O", "Enter", 6,
             "UPDATE Mast_Villages SET VCode = 'X9', VName = 'Renamed' WHERE VRefNo = 6"});
        row("village removed after listing clears the row",
            {"txtVCode", "O", "Enter", 0, "DELETE FROM Mast_Villages WHERE VRefNo = 6"});
        row("Cancel button keeps the earlier pick", {"txtVName", "a", "cmdCan", 7, {}});
        row("Enter on Cancel", {"txtVCode", "a", "cmdCan Enter", 7, {}});
        row("Esc in the search box", {"txtVName", "a", "Esc", 7, {}});
    }
    void pickOrCancel()
    {
        QFETCH(Pick, c);
        Desk desk;
        seedVillages(desk);
        windowtest::pickVillage(desk.window.get(), 7, "5%A", "Fifty%Pct"); // an earlier pick
        desk.box(c.opener)->setFocus();
        QTest::keyClick(desk.box(c.opener), c.keys.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), c.keys.mid(1));
        QVERIFY(!listedRefs(desk).isEmpty());
        if (!c.change.isEmpty())
            desk.exec(c.change);
        const QMap<QString, Qt::Key> named{
            {"Enter", Qt::Key_Return}, {"Down", Qt::Key_Down}, {"Esc", Qt::Key_Escape}};
        for (const QString& action : c.actions.split(' ')) {
            if (named.contains(action))
                QTest::keyClick(QApplication::focusWidget(), named[action]);
            else if (c.actions.contains(' ')) // focus the button to press a key on it
                desk.field(action)->setFocus();
            else
                desk.field<QPushButton>(action)->click();
        }

        const QString row = "SELECT VCode || '|' || VName FROM Mast_Villages WHERE VRefNo = ";
        QVERIFY(desk.field("fmVill")->isHidden());
        const QString shown = desk.box("txtVCode")->text() + '|' + desk.box("txtVName")->text();
        const QVariant stored = desk.env.scalar(desk.db(), row + QString::number(c.village));
        QCOMPARE(shown, c.village ? stored.toString() : "|");
        QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString::number(c.village));
        // A pick goes back to the field that opened the panel; a cancel to the code field.
        QCOMPARE(desk.focused(),
                 c.actions.contains("Can") || c.actions == "Esc" ? "txtVCode" : c.opener);
        QVERIFY(desk.env.messages.isEmpty());
    }

    // What a key or a paste in the village code or name does: opens the panel with a text in the
    // search box of its kind, or leaves the panel shut (the key then edits the field itself).
    void villageFieldKeys_data()
    {
        QTest::addColumn<FieldKey>("c");
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        const auto row = [](const char* name, FieldKey c) { QTest::newRow(name) << c; };
        row("Shift with 1 where the layout types !",
            {"txtVCode", Qt::Key_Exclam, shift, 10, "!", "", "1", "AB", "", 1});
        row("Shift with 0 where the layout types )",
            {"txtVName", Qt::Key_ParenRight, shift, 19, ")", "", "0", "AB", "", 0});
        row("Shift with a letter gives its capital",
            {"txtVName", Qt::Key_D, shift, 40, "D", "", "D", "AB", "", 0});
        row("Ctrl with a letter opens nothing",
            {"txtVCode", Qt::Key_B, ctrl, 56, "\x02", "", "-", "AB", "", 0});
        row("Alt with a digit opens nothing",
            {"txtVName", Qt::Key_1, Qt::AltModifier, 10, "1", "", "-", "AB", "", 0});
        row("punctuation is typed into the field",
            {"txtVCode", Qt::Key_Minus, 0, 20, "-", "", "-", "-", "", 0});
        row("Ctrl+V opens with the pasted code",
            {"txtVCode", Qt::Key_V, ctrl, 55, "\x16", "10", "10", "AB", "", 1});
        row("Shift+Insert opens with the pasted name",
            {"txtVName", Qt::Key_Insert, shift, 118, "", "AMBERT", "AMBERT", "AB", "", 2});
        row("a copied cell's line end is dropped",
            {"txtVCode", Qt::Key_V, ctrl, 55, "", "O'N\n", "O'N", "AB", "", 6});
        row("a paste past the search box's limit is refused whole",
            {"txtVCode", Qt::Key_V, ctrl, 55, "", QString(101, '1'), "-", "AB",
             "Village Code: paste refused, at most 100 characters", 0});
        row("a paste with a line break inside is refused",
            {"txtVName", Qt::Key_Insert, shift, 118, "", "Amb\nerly", "-", "AB",
             "Village Name: paste refused", 0});
    }
    void villageFieldKeys()
    {
        QFETCH(FieldKey, c);
        Desk desk;
        seedVillages(desk);
        QApplication::clipboard()->setText(c.clipboard);
        QLineEdit* opener = desk.box(c.field);
        opener->setText("AB");
        opener->setFocus();
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::KeyboardModifiers(c.modifiers),
                        quint32(c.scanCode), 0, 0, c.keyText);
        QApplication::sendEvent(opener, &press);

        const bool opened = c.searched != "-";
        QCOMPARE(desk.field("fmVill")->isVisible(), opened);
        QCOMPARE(opener->text(), c.fieldText);
        QVERIFY2(noticeIs(desk, c.notice), qPrintable(desk.window->statusArea()->notice()));
        if (!opened)
            return;
        const QString box = c.field == "txtVCode" ? "txtItemCode" : "txtItemName";
        QCOMPARE(desk.focused(), box);
        QCOMPARE(desk.box(box)->text(), c.searched);
        QCOMPARE(desk.box(box)->cursorPosition(), int(c.searched.size()));
        QTest::keyClick(desk.box(box), Qt::Key_Return);
        QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString::number(c.picked));
        if (c.picked == 0) // nothing listed: the panel stays open, the row is emptied
            QCOMPARE(desk.box("txtVCode")->text() + desk.box("txtVName")->text(), QString());
        QVERIFY(desk.env.messages.isEmpty());
    }

    // A paste or a drop into a search box obeys its typing rules: whole, or refused with a notice.
    // (What a selection leaves and which characters pass are the paste rules' own cases.)
    void searchBoxPaste_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("kept"); // the box's text afterwards
        QTest::addColumn<QString>("notice");
        const QString code = "txtItemCode", name = "txtItemName";
        const QString fill(99, 'x'), over(100, 'x');
        QTest::newRow("fills the box to its limit") << code << fill << false << "1" + fill << "";
        QTest::newRow("one past the limit is refused, not cut")
            << code << over << false << "1"
            << "Village Code: paste refused, at most 100 characters";
        QTest::newRow("a drop past the limit is refused")
            << name << over + "x" << true << ""
            << "Village Name: paste refused, at most 100 characters";
        QTest::newRow("a drop that fits is taken") << name << "amb" << true << "amb"
                                                   << "";
    }
    void searchBoxPaste()
    {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(bool, drop);
        QFETCH(QString, kept);
        QFETCH(QString, notice);
        Desk desk;
        seedVillages(desk);
        desk.box("txtVCode")->setFocus();
        QTest::keyClick(desk.box("txtVCode"), Qt::Key_1);
        QLineEdit* target = desk.box(box);
        target->setFocus();
        if (drop) {
            QMimeData data;
            data.setText(pasted);
            // Drops come only from a drag in progress; the window's paste guard is handed one.
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QObject* guard = desk.window->findChild<formkit::PasteGuard*>();
            QVERIFY(guard && guard->eventFilter(target, &dropped));
        } else {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(target->text(), kept);
        QVERIFY2(noticeIs(desk, notice), qPrintable(desk.window->statusArea()->notice()));
        // The list follows what the box holds.
        QCOMPARE(listedRefs(desk).isEmpty(), !kept.isEmpty() && kept != "amb" && kept != "1");
    }
};

QTEST_MAIN(LookupTest)
#include "tst_lookup.moc"

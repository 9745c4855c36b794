// The village lookup: which keys open it, which villages the search lists, picking and
// cancelling, and the indexed search against the grouped statement it replaces.

#include "tst_window_fixture.h"

#include "weighing/VillageSearch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <algorithm>

using windowtest::Desk;

class LookupTest : public QObject {
    Q_OBJECT
private slots:
    void openingKeys_data();
    void openingKeys();
    void search_data();
    void search();
    void nameBoxAfterCodeBox();
    void pick_data();
    void pick();
    void pickReadsTheDatabaseRow();
    void pickOfVanishedOrUnnumberedVillage_data();
    void pickOfVanishedOrUnnumberedVillage();
    void cancelKeepsEarlierPick_data();
    void cancelKeepsEarlierPick();
    void noRouteListsNothing();
    void focusElsewhereHidesPanel_data();
    void focusElsewhereHidesPanel();
    void indexedSearchFindsTheGroupedRows();
    void indexedSearchIsARangeSearch();
};

namespace {
// Route 1's villages, with traps: inactive, null InAct, another route, quotes and wildcards.
void seedVillages(const Desk& desk)
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
}

QList<int> listedRefs(const Desk& desk)
{
    const QAbstractItemModel* model = desk.field<QTableView>("dbList")->model();
    QList<int> refs;
    for (int row = 0; row < model->rowCount(); ++row)
        refs << model->data(model->index(row, 2)).toInt();
    return refs;
}

// Types into a search box; the box reports every change, as the operator's typing does.
void searchFor(QLineEdit* box, const QString& text)
{
    box->setText(QStringLiteral("~"));
    box->setText(text);
}
} // namespace

void LookupTest::openingKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("searchText"); // opened: the search box; else: the field
    QTest::addColumn<QList<int>>("listed");
    const int none = Qt::NoModifier;
    QTest::newRow("digit in code") << "txtVCode" << int(Qt::Key_1) << none << true << "1"
                                   << QList<int>{1, 2, 10};
    QTest::newRow("letter in code is a capital")
        << "txtVCode" << int(Qt::Key_A) << none << true << "A" << QList<int>{11};
    QTest::newRow("shifted letter too") << "txtVCode" << int(Qt::Key_O) << int(Qt::ShiftModifier)
                                        << true << "O" << QList<int>{6};
    QTest::newRow("keypad digit in name") << "txtVName" << int(Qt::Key_5)
                                          << int(Qt::KeypadModifier) << true << "5" << QList<int>{};
    QTest::newRow("letter in name") << "txtVName" << int(Qt::Key_F) << none << true << "F"
                                    << QList<int>{7, 8, 9};
    QTest::newRow("keypad star gives j") << "txtVCode" << int(Qt::Key_Asterisk)
                                         << int(Qt::KeypadModifier) << true << "j" << QList<int>{};
    QTest::newRow("F1 gives p") << "txtVCode" << int(Qt::Key_F1) << none << true << "p"
                                << QList<int>{};
    QTest::newRow("F11 gives z") << "txtVName" << int(Qt::Key_F11) << none << true << "z"
                                 << QList<int>{11};
    QTest::newRow("F12 opens nothing") << "txtVCode" << int(Qt::Key_F12) << none << false << "AB"
                                       << QList<int>{};
    QTest::newRow("space edits the field") << "txtVCode" << int(Qt::Key_Space) << none << false
                                           << " " << QList<int>{};
    QTest::newRow("minus edits the field") << "txtVName" << int(Qt::Key_Minus) << none << false
                                           << "-" << QList<int>{};
    QTest::newRow("backspace edits the field") << "txtVName" << int(Qt::Key_Backspace) << none
                                               << false << "" << QList<int>{};
}

void LookupTest::openingKeys()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    QFETCH(QString, searchText);
    QFETCH(QList<int>, listed);
    Desk desk;
    seedVillages(desk);
    desk.open();
    auto* opener = desk.field<QLineEdit>(qPrintable(field));
    opener->setText("AB");
    desk.field<QLineEdit>("txtVCode")->setProperty("Tag", "5");
    opener->setFocus();

    QTest::keyClick(opener, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(desk.widget("fmVill")->isVisible(), opens);
    if (!opens) {
        QCOMPARE(opener->text(), searchText);
        QCOMPARE(desk.field<QLineEdit>("txtVCode")->property("Tag").toString(), QString("5"));
        return;
    }
    const bool fromCode = field == "txtVCode";
    auto* box = desk.field<QLineEdit>(fromCode ? "txtItemCode" : "txtItemName");
    auto* other = desk.field<QLineEdit>(fromCode ? "txtItemName" : "txtItemCode");
    QCOMPARE(box->text(), searchText);
    QCOMPARE(box->cursorPosition(), 1);
    QCOMPARE(other->text(), QString());
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(int(desk.window->VillFrom), fromCode ? 1 : 2);
    QCOMPARE(opener->text(), QString("AB")); // the key opened the panel; it was not typed here
    QCOMPARE(listedRefs(desk), listed);
    // The panel opens at the top, over the right-hand part of the window.
    QCOMPARE(desk.widget("fmVill")->pos(), QPoint(443, 0));
}

void LookupTest::search_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("listed");
    QTest::newRow("empty code box lists every active village by code")
        << "txtItemCode" << "" << QList<int>{1, 2, 10, 7, 8, 9, 11, 6};
    QTest::newRow("code prefix") << "txtItemCode" << "1" << QList<int>{1, 2, 10};
    QTest::newRow("longer code prefix") << "txtItemCode" << "10" << QList<int>{1, 2};
    QTest::newRow("null InAct left out") << "txtItemCode" << "11" << QList<int>{};
    QTest::newRow("inactive left out") << "txtItemCode" << "12" << QList<int>{};
    QTest::newRow("other route left out") << "txtItemCode" << "103" << QList<int>{};
    QTest::newRow("code ignores case") << "txtItemCode" << "A" << QList<int>{11};
    QTest::newRow("apostrophe, other case") << "txtItemCode" << "o'" << QList<int>{6};
    QTest::newRow("percent is plain") << "txtItemCode" << "5%" << QList<int>{7};
    QTest::newRow("underscore is plain") << "txtItemCode" << "5_" << QList<int>{8};
    QTest::newRow("backslash is plain") << "txtItemCode" << "1\\" << QList<int>{10};
    QTest::newRow("whole code") << "txtItemCode" << "5XB" << QList<int>{9};
    QTest::newRow("code longer than any") << "txtItemCode" << "5XB1" << QList<int>{};
    QTest::newRow("name prefix, any case") << "txtItemName" << "amb" << QList<int>{1, 2};
    QTest::newRow("name in capitals") << "txtItemName" << "AMBERT" << QList<int>{2};
    QTest::newRow("names ordered by code") << "txtItemName" << "five" << QList<int>{8, 9};
    QTest::newRow("name with percent") << "txtItemName" << "fifty%" << QList<int>{7};
    QTest::newRow("name with apostrophe") << "txtItemName" << "O'Ne" << QList<int>{6};
    QTest::newRow("name with backslash") << "txtItemName" << "back\\s" << QList<int>{10};
    QTest::newRow("no such name") << "txtItemName" << "x" << QList<int>{};
    QTest::newRow("empty name box lists every active village")
        << "txtItemName" << "" << QList<int>{1, 2, 10, 7, 8, 9, 11, 6};
}

void LookupTest::search()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QList<int>, listed);
    Desk desk;
    seedVillages(desk);
    desk.open();
    QTest::keyClick(desk.widget("txtVCode"), Qt::Key_9); // opens the panel
    searchFor(desk.field<QLineEdit>(qPrintable(box)), typed);
    QCOMPARE(listedRefs(desk), listed);
    QCOMPARE(desk.window->SearchField, QString(box == "txtItemCode" ? "VCode" : "VName"));
    QCOMPARE(int(desk.window->SearchLen), typed.size());
    QCOMPARE(desk.window->SearchText, typed);
    QVERIFY2(desk.env.messages.isEmpty(), qPrintable(desk.env.messageTexts().join(" / ")));
}

void LookupTest::nameBoxAfterCodeBox()
{
    Desk desk;
    seedVillages(desk);
    desk.open();
    QTest::keyClick(desk.widget("txtVCode"), Qt::Key_O);
    QCOMPARE(listedRefs(desk), QList<int>{6});
    auto* name = desk.field<QLineEdit>("txtItemName");
    QTest::keyClicks(name, "Amb");
    QCOMPARE(desk.field<QLineEdit>("txtItemCode")->text(), QString("O"));
    QCOMPARE(listedRefs(desk), (QList<int>{1, 2}));
}

void LookupTest::pick_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("keys");  // letters typed into the opener, then the search box
    QTest::addColumn<int>("downs");     // Down presses after typing
    QTest::addColumn<QString>("pickBy"); // where Enter is pressed, or "cmdOk" clicked
    QTest::addColumn<int>("village");
    QTest::newRow("code box, Enter picks the first listed") << "txtVCode" << "10" << 0
                                                            << "txtItemCode" << 1;
    QTest::newRow("name box, Enter picks the first listed") << "txtVName" << "AMB" << 0
                                                            << "txtItemName" << 1;
    QTest::newRow("code box, Down to name box") << "txtVCode" << "5" << 1 << "txtItemName" << 7;
    QTest::newRow("name box, Down into the list, second row")
        << "txtVName" << "amb" << 2 << "dbList" << 2;
    QTest::newRow("from the code box, down twice into the list")
        << "txtVCode" << "1" << 3 << "dbList" << 2;
    QTest::newRow("OK button") << "txtVName" << "five" << 0 << "cmdOk" << 8;
    QTest::newRow("Enter on the OK button") << "txtVCode" << "O" << 0 << "cmdOk+Enter" << 6;
}

void LookupTest::pick()
{
    QFETCH(QString, opener);
    QFETCH(QString, keys);
    QFETCH(int, downs);
    QFETCH(QString, pickBy);
    QFETCH(int, village);
    Desk desk;
    seedVillages(desk);
    desk.open();
    auto* from = desk.field<QLineEdit>(qPrintable(opener));
    from->setFocus();
    QTest::keyClick(from, keys.at(0).toLatin1());
    QTest::keyClicks(QApplication::focusWidget(), keys.mid(1));
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    if (pickBy == "cmdOk") {
        desk.field<QPushButton>("cmdOk")->click();
    } else if (pickBy == "cmdOk+Enter") {
        desk.widget("cmdOk")->setFocus();
        QTest::keyClick(desk.widget("cmdOk"), Qt::Key_Return);
    } else {
        QCOMPARE(QApplication::focusWidget()->objectName(), pickBy);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    const QString code = desk.env.scalar(desk.db(), QString("SELECT VCode FROM Mast_Villages WHERE "
                                                            "VRefNo = %1").arg(village)).toString();
    const QString name = desk.env.scalar(desk.db(), QString("SELECT VName FROM Mast_Villages WHERE "
                                                            "VRefNo = %1").arg(village)).toString();
    QVERIFY(desk.widget("fmVill")->isHidden());
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->text(), code);
    QCOMPARE(desk.field<QLineEdit>("txtVName")->text(), name);
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->property("Tag").toString(), QString::number(village));
    QCOMPARE(QApplication::focusWidget()->objectName(), opener);
}

void LookupTest::pickReadsTheDatabaseRow()
{
    Desk desk;
    seedVillages(desk);
    desk.open();
    QTest::keyClick(desk.widget("txtVName"), Qt::Key_B);
    QCOMPARE(listedRefs(desk), QList<int>{10});
    // Another desk renames the village while the list shows the old text.
    desk.exec("UPDATE Mast_Villages SET VCode = '1\\9', VName = 'Backslash Renamed' WHERE VRefNo = 10");
    QTest::keyClick(desk.widget("txtItemName"), Qt::Key_Return);
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->text(), QString("1\\9"));
    QCOMPARE(desk.field<QLineEdit>("txtVName")->text(), QString("Backslash Renamed"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtVName"));
}

void LookupTest::pickOfVanishedOrUnnumberedVillage_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("village removed after listing") << "DELETE FROM Mast_Villages WHERE VRefNo = 6";
    QTest::newRow("village without a positive number")
        << "UPDATE Mast_Villages SET VRefNo = 0 WHERE VRefNo = 6";
}

void LookupTest::pickOfVanishedOrUnnumberedVillage()
{
    QFETCH(QString, change);
    Desk desk;
    seedVillages(desk);
    const bool beforeListing = change.startsWith("UPDATE");
    if (beforeListing)
        desk.exec(change);
    desk.open();
    auto* vcode = desk.field<QLineEdit>("txtVCode");
    vcode->setText("101");
    vcode->setProperty("Tag", "1");
    desk.field<QLineEdit>("txtVName")->setText("Amberly");
    vcode->setFocus();
    QTest::keyClick(vcode, Qt::Key_O);
    QCOMPARE(listedRefs(desk).size(), 1);
    if (!beforeListing)
        desk.exec(change);
    QTest::keyClick(desk.widget("txtItemCode"), Qt::Key_Return);
    QCOMPARE(vcode->text(), QString());
    QCOMPARE(vcode->property("Tag").toString(), QString("0"));
    QCOMPARE(desk.field<QLineEdit>("txtVName")->text(), QString());
    QVERIFY(desk.widget("fmVill")->isHidden());
    QCOMPARE(QApplication::focusWidget(), vcode);
    QVERIFY(desk.env.messages.isEmpty());
}

void LookupTest::cancelKeepsEarlierPick_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cmdCan";
    QTest::newRow("Enter on Cancel") << "cmdCan+Enter";
    QTest::newRow("Esc in the search box") << "Esc";
    QTest::newRow("Esc in the list") << "EscList";
}

void LookupTest::cancelKeepsEarlierPick()
{
    QFETCH(QString, how);
    Desk desk;
    seedVillages(desk);
    desk.open();
    QTest::keyClick(desk.widget("txtVCode"), Qt::Key_5);
    QTest::keyClick(desk.widget("txtItemCode"), Qt::Key_Return); // village 7, "5%A"
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->property("Tag").toString(), QString("7"));

    auto* vname = desk.field<QLineEdit>("txtVName");
    vname->setFocus();
    QTest::keyClick(vname, Qt::Key_A);
    QVERIFY(desk.widget("fmVill")->isVisible());
    if (how == "cmdCan") {
        desk.field<QPushButton>("cmdCan")->click();
    } else if (how == "cmdCan+Enter") {
        desk.widget("cmdCan")->setFocus();
        QTest::keyClick(desk.widget("cmdCan"), Qt::Key_Return);
    } else if (how == "Esc") {
        QTest::keyClick(desk.widget("txtItemName"), Qt::Key_Escape);
    } else {
        QTest::keyClick(desk.widget("txtItemName"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("dbList"));
        QTest::keyClick(desk.widget("dbList"), Qt::Key_Escape);
    }
    QVERIFY(desk.widget("fmVill")->isHidden());
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->text(), QString("5%A"));
    QCOMPARE(desk.field<QLineEdit>("txtVCode")->property("Tag").toString(), QString("7"));
    QCOMPARE(vname->text(), QString("Fifty%Pct"));
    // Back to the code field, whichever field opened the panel.
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtVCode"));
}

void LookupTest::noRouteListsNothing()
{
    Desk desk;
    seedVillages(desk);
    desk.exec("UPDATE Mast_Routes SET RTInAct = 1 WHERE RTRefNo = 1"); // nothing chosen at load
    desk.open();
    QCOMPARE(desk.field<QComboBox>("cmbRoute")->currentIndex(), -1);
    auto* vcode = desk.field<QLineEdit>("txtVCode");
    vcode->setText("101");
    vcode->setProperty("Tag", "1");
    vcode->setFocus();
    QTest::keyClick(vcode, Qt::Key_1);
    QCOMPARE(listedRefs(desk), QList<int>{});
    QTest::keyClick(desk.widget("txtItemCode"), Qt::Key_Return);
    QCOMPARE(vcode->text(), QString());
    QCOMPARE(vcode->property("Tag").toString(), QString("0"));
    QVERIFY(desk.widget("fmVill")->isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtItemCode"));
}

void LookupTest::focusElsewhereHidesPanel_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("hides");
    QTest::newRow("route list") << "cmbRoute" << true;
    QTest::newRow("animal list") << "cmbAnimal" << true;
    QTest::newRow("exit button") << "cmdExit" << true;
    QTest::newRow("receipts grid") << "fgLIst" << true;
    QTest::newRow("milk type list keeps it") << "cmbMilkType" << false;
    QTest::newRow("truck remarks keep it") << "txtTruckRemarks" << false;
}

void LookupTest::focusElsewhereHidesPanel()
{
    QFETCH(QString, field);
    QFETCH(bool, hides);
    Desk desk;
    seedVillages(desk);
    desk.open();
    QTest::keyClick(desk.widget("txtVCode"), Qt::Key_1);
    QVERIFY(desk.widget("fmVill")->isVisible());
    desk.widget(qPrintable(field))->setFocus();
    QCOMPARE(desk.widget("fmVill")->isHidden(), hides);
}

namespace {
struct Village {
    int ref;
    QString code;
    QString name;
    int route;
};

QList<int> refsOf(QSqlQuery& query)
{
    QList<int> refs;
    while (query.next())
        refs << query.value(2).toInt();
    return refs;
}

// A code or name of random letters and digits in random case, so that prefixes meet case
// differences, and some with the characters that LIKE would treat as wildcards.
QString randomText(QRandomGenerator& random, int maxLength)
{
    static const QString alphabet = QStringLiteral("aAbBkK01 _%'");
    const int length = 1 + int(random.bounded(maxLength));
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet.at(int(random.bounded(int(alphabet.size()))));
    return text;
}
} // namespace

void LookupTest::indexedSearchFindsTheGroupedRows()
{
    Desk desk;
    QRandomGenerator random(20240305);
    const QVariantList inactive{0, 0, 0, 1, QVariant(), 2};
    QString values;
    for (int ref = 1; ref <= 600; ++ref) {
        const int route = 1 + int(random.bounded(3));
        const QVariant inact = inactive.at(int(random.bounded(int(inactive.size()))));
        desk.addVillage(ref, randomText(random, 4), randomText(random, 6), route, inact);
    }

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "grouped-vs-indexed");
    db.setDatabaseName(desk.db());
    QVERIFY(db.open());
    const QStringList prefixes{"",   "a",  "A",  "ab", "AB", "aB0", "0",  "01",  "k1",
                               "Kk", "_",  "%",  "'",  "a_",  "b%", "'k", "zz", "a b"};
    int compared = 0;
    for (const QString& field : {QStringLiteral("VCode"), QStringLiteral("VName")}) {
        for (int route = 1; route <= 3; ++route) {
            for (const QString& prefix : prefixes) {
                // The grouped statement as the original engine ran it; its comparison
                // ignored case, which substr() in SQLite would not without saying so.
                QString quoted = prefix;
                quoted.replace("'", "''");
                QSqlQuery grouped(db);
                QVERIFY2(grouped.exec(
                             "SELECT VCode,VName,VRefNo,RtRefNo From Mast_Villages GROUP BY "
                             "VCode,VName,VRefNo,RtRefNo,InAct having substr( " + field + ",1," +
                             QString::number(prefix.size()) + "  ) = '" + quoted +
                             "' COLLATE NOCASE And RtRefNo = " + QString::number(route) +
                             " and InAct <>1 Order by VCode"),
                         qPrintable(grouped.lastError().text()));
                QList<int> expected = refsOf(grouped);

                QSqlQuery indexed(db);
                QVERIFY(indexed.prepare(villagesearch::statement(field)));
                indexed.bindValue(":route", route);
                indexed.bindValue(":prefix", villagesearch::likePrefix(prefix));
                QVERIFY2(indexed.exec(), qPrintable(indexed.lastError().text()));
                QStringList codes;
                QList<int> found;
                while (indexed.next()) {
                    codes << indexed.value(0).toString();
                    found << indexed.value(2).toInt();
                }
                // Ordered by code as the database compares text.
                for (int i = 1; i < codes.size(); ++i)
                    QVERIFY2(codes[i - 1].compare(codes[i], Qt::CaseInsensitive) <= 0,
                             qPrintable(codes[i - 1] + " before " + codes[i]));
                std::sort(expected.begin(), expected.end());
                std::sort(found.begin(), found.end());
                QVERIFY2(found == expected, qPrintable(QString("%1 '%2' route %3: %4 rows, "
                                                               "grouped %5")
                                                           .arg(field, prefix)
                                                           .arg(route)
                                                           .arg(found.size())
                                                           .arg(expected.size())));
                if (!expected.isEmpty())
                    ++compared;
            }
        }
    }
    QVERIFY(compared > 40); // most prefixes found villages, so the comparison says something
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("grouped-vs-indexed");
}

void LookupTest::indexedSearchIsARangeSearch()
{
    Desk desk;
    desk.addVillage(1, "101", "Amberly", 1);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plan");
        db.setDatabaseName(desk.db());
        QVERIFY(db.open());
        for (const QString& field : {QStringLiteral("VCode"), QStringLiteral("VName")}) {
            QSqlQuery plan(db);
            QVERIFY(plan.prepare("EXPLAIN QUERY PLAN " + villagesearch::statement(field)));
            plan.bindValue(":route", 1);
            plan.bindValue(":prefix", villagesearch::likePrefix("Am'_"));
            QVERIFY2(plan.exec(), qPrintable(plan.lastError().text()));
            QStringList steps;
            while (plan.next())
                steps << plan.value(3).toString();
            const QString detail = steps.join(" / ");
            QVERIFY2(detail.contains("USING INDEX") && detail.contains(field + ">?") &&
                         detail.contains(field + "<?"),
                     qPrintable(detail));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("plan");
}

QTEST_MAIN(LookupTest)
#include "tst_lookup.moc"

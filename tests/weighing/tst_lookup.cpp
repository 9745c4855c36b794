// The village lookup: a keypad digit opening it, which villages the search lists, picking and
// cancelling, and the indexed search against the grouped statement it replaces.

#include "tst_window_fixture.h"

#include "weighing/VillageSearch.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <algorithm>

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

QList<int> listedRefs(const Desk& desk)
{
    const QAbstractItemModel* model = desk.field<QTableView>("dbList")->model();
    QList<int> refs;
    for (int row = 0; row < model->rowCount(); ++row)
        refs << model->data(model->index(row, 2)).toInt();
    return refs;
}
} // namespace

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
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("keys");    // typed into the opener, then into the search box
        QTest::addColumn<QString>("actions"); // keys where the focus is, or buttons
        QTest::addColumn<int>("village");     // in the entry row afterwards; 0: none
        QTest::addColumn<QString>("change");  // made after listing
        const auto row = [](const char* name, QString opener, QString keys, QString actions,
                            int village, QString change = QString()) {
            QTest::newRow(name) << opener << keys << actions << village << change;
        };
        row("Enter in the name box picks the first", "txtVName", "AMB", "Enter", 1);
        row("Down into the list, second row", "txtVName", "amb", "Down Down Enter", 2);
        row("OK button", "txtVName", "five", "cmdOk", 8);
        row("the pick reads the village as it is now", "txtVCode", "O", "Enter", 6,
            "UPDATE Mast_Villages SET VCode = 'X9', VName = 'Renamed' WHERE VRefNo = 6");
        row("village removed after listing clears the row", "txtVCode", "O", "Enter", 0,
            "DELETE FROM Mast_Villages WHERE VRefNo = 6");
        row("Cancel button keeps the earlier pick", "txtVName", "a", "cmdCan", 7);
        row("Enter on Cancel", "txtVCode", "a", "cmdCan Enter", 7);
        row("Esc in the search box", "txtVName", "a", "Esc", 7);
    }
    void pickOrCancel()
    {
        QFETCH(QString, opener);
        QFETCH(QString, keys);
        QFETCH(QString, actions);
        QFETCH(int, village);
        QFETCH(QString, change);
        Desk desk;
        seedVillages(desk);
        desk.box("txtVCode")->setText("5%A"); // an earlier pick
        desk.box("txtVCode")->setProperty("Tag", "7");
        desk.box("txtVName")->setText("Fifty%Pct");
        desk.box(opener)->setFocus();
        QTest::keyClick(desk.box(opener), keys.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), keys.mid(1));
        QVERIFY(!listedRefs(desk).isEmpty());
        if (!change.isEmpty())
            desk.exec(change);
        const QMap<QString, Qt::Key> named{
            {"Enter", Qt::Key_Return}, {"Down", Qt::Key_Down}, {"Esc", Qt::Key_Escape}};
        for (const QString& action : actions.split(' ')) {
            if (named.contains(action))
                QTest::keyClick(QApplication::focusWidget(), named[action]);
            else if (actions.contains(' ')) // focus the button to press a key on it
                desk.field(action)->setFocus();
            else
                desk.field<QPushButton>(action)->click();
        }

        const QString row = "SELECT VCode || '|' || VName FROM Mast_Villages WHERE VRefNo = ";
        QVERIFY(desk.field("fmVill")->isHidden());
        const QString shown = desk.box("txtVCode")->text() + '|' + desk.box("txtVName")->text();
        const QVariant stored = desk.env.scalar(desk.db(), row + QString::number(village));
        QCOMPARE(shown, village ? stored.toString() : "|");
        QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString::number(village));
        // A pick goes back to the field that opened the panel; a cancel to the code field.
        QCOMPARE(desk.focused(), actions.contains("Can") || actions == "Esc" ? "txtVCode" : opener);
        QVERIFY(desk.env.messages.isEmpty());
    }

    void indexedSearchFindsTheGroupedRows()
    {
        Desk desk;
        // Codes and names of random letters and digits in random case, with LIKE's wildcards.
        QRandomGenerator random(20240305);
        const auto text = [&random](int maxLength) {
            const QString alphabet = "aAbBkK01 _%'";
            QString t;
            for (int i = 1 + int(random.bounded(maxLength)); i > 0; --i)
                t += alphabet.at(int(random.bounded(int(alphabet.size()))));
            return t;
        };
        const QVariantList inactive{0, 0, 0, 1, QVariant(), 2};
        for (int ref = 1; ref <= 600; ++ref)
            desk.addVillage(ref, text(4), text(6), 1 + int(random.bounded(3)),
                            inactive.at(int(random.bounded(int(inactive.size())))));
        // The codes in order as the database compares them, and the villages in any order.
        const auto rowsOf = [](QSqlQuery& query) {
            QStringList codes;
            QList<int> refs;
            while (query.next()) {
                codes << query.value(0).toString().toLower();
                refs << query.value(2).toInt();
            }
            std::sort(refs.begin(), refs.end());
            return qMakePair(codes, refs);
        };

        // On the server the grouped statement says itself that case does not count.
        const bool onServer = testkit::TestEnv::onServer();
        QSqlDatabase db =
            QSqlDatabase::addDatabase(onServer ? "QPSQL" : "QSQLITE", "grouped-vs-indexed");
        if (onServer) {
            const platform::ServerSource source = testkit::TestEnv::serverSourceFor(desk.db());
            db.setHostName(source.host);
            db.setPort(source.port);
            db.setDatabaseName(source.database);
            db.setUserName(source.user);
        } else {
            db.setDatabaseName(desk.db());
        }
        QVERIFY(db.open());
        const QString groupedStatement =
            onServer ? "SELECT VCode,VName,VRefNo,RtRefNo From Mast_Villages GROUP BY VCode,VName,"
                       "VRefNo,RtRefNo,InAct having lower(substr( %1,1,%2  )) = lower('%3') And "
                       "RtRefNo = %4 and InAct <>1 Order by lower(VCode)"
                     : "SELECT VCode,VName,VRefNo,RtRefNo From Mast_Villages GROUP BY VCode,VName,"
                       "VRefNo,RtRefNo,InAct having substr( %1,1,%2  ) = '%3' COLLATE NOCASE And "
                       "RtRefNo = %4 and InAct <>1 Order by VCode";
        const QStringList prefixes{"",  "a", "A", "ab", "AB", "aB0", "0",  "k1", "Kk",
                                   "_", "%", "'", "a_", "b%", "'k",  "zz", "a b"};
        int compared = 0;
        for (int i = 0; i < 2 * 3 * int(prefixes.size()); ++i) {
            const QString field = i % 2 ? "VName" : "VCode", prefix = prefixes[i / 6];
            const int route = 1 + i / 2 % 3;
            QSqlQuery grouped(db);
            QVERIFY(grouped.exec(groupedStatement.arg(field)
                                     .arg(prefix.size())
                                     .arg(QString(prefix).replace("'", "''"))
                                     .arg(route)));
            QSqlQuery indexed(db);
            QVERIFY(indexed.prepare(villagesearch::statement(field, onServer)));
            indexed.bindValue(":route", route);
            indexed.bindValue(":prefix", villagesearch::likePrefix(prefix));
            QVERIFY2(indexed.exec(), qPrintable(indexed.lastError().text()));
            const auto expected = rowsOf(grouped);
            QVERIFY2(rowsOf(indexed) == expected,
                     qPrintable(QString("%1 '%2' route %3").arg(field, prefix).arg(route)));
            compared += expected.second.isEmpty() ? 0 : 1;
        }
        QVERIFY(compared > 40); // most prefixes found villages, so the comparison says something
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("grouped-vs-indexed");
    }
};

QTEST_MAIN(LookupTest)
#include "tst_lookup.moc"

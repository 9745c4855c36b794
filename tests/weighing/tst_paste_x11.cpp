// The middle button pastes X11's selection, which only a real display has (the suite runs this
// test under Xvfb): into the village fields it opens the lookup as every other paste does, and
// into a guarded field it obeys the field's typing rule.

#include "tst_window_fixture.h"
#include "weighing/StatusArea.h"

#include <QClipboard>

using windowtest::Desk;

class PasteX11Test : public QObject {
    Q_OBJECT
private slots:
    void middleButtonPaste_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QString>("searchAfter"); // the lookup's code box; "-": panel closed
        QTest::newRow("village code opens the lookup") << "txtVCode" << "12999" << "" << "12999";
        QTest::newRow("cans take digits") << "txtCans" << "12" << "12" << "-";
        QTest::newRow("cans refuse letters") << "txtCans" << "ab" << "" << "-";
    }
    void middleButtonPaste()
    {
        QFETCH(QString, field);
        QFETCH(QString, selection);
        QFETCH(QString, fieldAfter);
        QFETCH(QString, searchAfter);
        QVERIFY(QGuiApplication::clipboard()->supportsSelection());
        Desk desk;
        desk.addRoute(1, "North");
        desk.open();
        QVERIFY(desk.loaded);
        QGuiApplication::clipboard()->setText(selection, QClipboard::Selection);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), selection);
        QTest::mouseClick(desk.box(field), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(desk.box(field)->text(), fieldAfter);
        QCOMPARE(desk.field("fmVill")->isVisible(), searchAfter != "-");
        if (searchAfter != "-")
            QCOMPARE(desk.box("txtItemCode")->text(), searchAfter);
        QCOMPARE(desk.box("txtVCode")->property("Tag").toString(), QString("0"));
    }
};

QTEST_MAIN(PasteX11Test)
#include "tst_paste_x11.moc"

// Loading a keyed list from a table; the focus highlight.

#include "formkit/Combos.h"
#include "formkit/Focus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace formkit;

class FormRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void loadCombo_data()
    {
        QTest::addColumn<QStringList>("rows"); // "shown=key" as read
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<QStringList>("entries"); // shown text = item data
        QTest::addColumn<int>("selected");
        QTest::newRow("numbered, key 1 first") << QStringList{"Cow=1", "Buffalo=2"} << true
                                               << QStringList{"1.Cow=1", "2.Buffalo=2"} << 0;
        QTest::newRow("key 1 second")
            << QStringList{"East=2", "West=1"} << false << QStringList{"East=2", "West=1"} << 1;
        QTest::newRow("no rows") << QStringList() << false << QStringList() << -1;
        QTest::newRow("no key 1: nothing selected")
            << QStringList{"East=2"} << false << QStringList{"East=2"} << -1;
    }
    void loadCombo()
    {
        QFETCH(QStringList, rows);
        QFETCH(bool, numbered);
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        QList<ComboRow> read;
        for (const QString& row : rows)
            read.append({row.section('=', 0, 0), row.section('=', 1).toInt()});
        QComboBox combo;
        combo.addItem("left over", 1);
        QSignalSpy activated(&combo, &QComboBox::activated);

        Load_Combo(&combo, read, numbered);
        QStringList shown;
        for (int i = 0; i < combo.count(); ++i)
            shown << combo.itemText(i) + "=" + combo.itemData(i).toString();
        QCOMPARE(shown, entries);
        QCOMPARE(combo.currentIndex(), selected);
        QCOMPARE(selectedKey(&combo), selected < 0 ? 0 : 1);
        QCOMPARE(activated.count(), selected < 0 ? 0 : 1);
    }

    // A field lights up and goes back, bold and not, as shown on the screen; its palette is
    // never replaced, since each new palette leaves the style's cached drawings for it behind.
    void focusHighlight()
    {
        QWidget window;
        auto* box = new QLineEdit(&window);
        box->setGeometry(10, 10, 120, 24);
        auto* combo = new QComboBox(&window);
        combo->setGeometry(10, 50, 120, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const qint64 boxPalette = box->palette().cacheKey();
        const qint64 comboPalette = combo->palette().cacheKey();
        // Inside the frame, right of any text.
        const auto shown = [](QWidget* field) {
            return field->grab().toImage().pixelColor(field->width() - 30, field->height() / 2);
        };
        const QColor normalCombo = shown(combo);
        for (int visit = 0; visit < 3; ++visit) {
            Fld_GotFocus(box, 0);
            Fld_GotFocus(combo, 0);
            QCOMPARE(shown(box), kHighlight);
            QVERIFY(shown(combo) != normalCombo);
            QVERIFY(box->font().bold() && combo->font().bold());
            Fld_LostFocus(box, 0);
            Fld_LostFocus(combo, 0);
            QCOMPARE(shown(box), kNormal);
            QCOMPARE(shown(combo), normalCombo);
            QVERIFY(!box->font().bold() && !combo->font().bold());
        }
        QCOMPARE(box->palette().cacheKey(), boxPalette);
        QCOMPARE(combo->palette().cacheKey(), comboPalette);
    }
};

QTEST_MAIN(FormRoutinesTest)
#include "tst_formroutines.moc"

// Number, weight, date and time texts, the key filters and the grid layout strings.

#include "formkit/GridLayout.h"
#include "formkit/KeyFilters.h"
#include "formkit/TextRules.h"

#include <QKeyEvent>
#include <QLocale>
#include <QTableWidget>
#include <QtTest>

using namespace formkit;

class TextRulesTest : public QObject {
    Q_OBJECT
private slots:
    void numericValue_data();
    void numericValue();
    void shownWeight_data();
    void shownWeight();
    void shownWeightOfText();
    void dateAndTimeAreEnglish();
    void timeText_data();
    void timeText();
    void keyFilters_data();
    void keyFilters();
    void keyCodes_data();
    void keyCodes();
    void gridLayoutParsed();
    void gridLayoutApplied();
};

void TextRulesTest::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain decimal") << "12.5" << 12.5;
    QTest::newRow("leading blanks") << "  12.5" << 12.5;
    QTest::newRow("blank inside the number") << "1 2.5" << 12.5;
    QTest::newRow("tab before") << "\t5" << 5.0;
    QTest::newRow("stops at a minus after digits") << "12-3" << 12.0;
    QTest::newRow("negative") << "-2" << -2.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("second point ends it") << "12.3.4" << 12.3;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("scale line with CR LF") << "0123.4\r\n" << 123.4;
    QTest::newRow("letter first") << "A00123.4kg" << 0.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "7." << 7.0;
    QTest::newRow("sign and blank before a point") << "- .5" << -0.5;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    QTest::newRow("huge exponent is no number") << "1e999" << 0.0;
}

void TextRulesTest::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(formkit::numericValue(text), value);
}

void TextRulesTest::shownWeight_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole number") << 45.0 << "45.0";
    QTest::newRow("rounds up above half") << 45.26 << "45.3";
    QTest::newRow("exact half goes up") << 45.25 << "45.3";
    QTest::newRow("half stored below") << 123.45 << "123.5";
    QTest::newRow("single digit") << 5.0 << "5.0";
    QTest::newRow("below a twentieth") << 0.04 << "0.0";
    QTest::newRow("no thousands separator") << 12345.67 << "12345.7";
    QTest::newRow("negative near zero has no sign") << -0.04 << "0.0";
}

void TextRulesTest::shownWeight()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(formkit::shownWeight(value), shown);
}

void TextRulesTest::shownWeightOfText()
{
    QCOMPARE(formkit::shownWeightOf(" 045.25 \r\n"), QStringLiteral("45.3"));
    QCOMPARE(formkit::shownWeightOf("0.00"), QString());
    QCOMPARE(formkit::shownWeightOf("-3.5"), QString());
    QCOMPARE(formkit::shownWeightOf("ERR"), QString());
}

void TextRulesTest::dateAndTimeAreEnglish()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString date = dateText(QDate(2024, 3, 5));
    const QString may = dateText(QDate(2024, 5, 31));
    const QString time = formkit::timeText(QTime(14, 30, 5));
    QLocale::setDefault(previous);
    QCOMPARE(date, QStringLiteral("05/Mar/2024"));
    QCOMPARE(may, QStringLiteral("31/May/2024"));
    QCOMPARE(time, QStringLiteral("02:30:05 PM"));
}

void TextRulesTest::timeText_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("afternoon") << QTime(14, 30, 5) << "02:30:05 PM";
    QTest::newRow("midnight") << QTime(0, 0, 0) << "12:00:00 AM";
    QTest::newRow("morning, leading zeros") << QTime(7, 5, 9) << "07:05:09 AM";
    QTest::newRow("noon") << QTime(12, 0, 0) << "12:00:00 PM";
}

void TextRulesTest::timeText()
{
    QFETCH(QTime, time);
    QFETCH(QString, text);
    QCOMPARE(formkit::timeText(time), text);
}

void TextRulesTest::keyFilters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("numeric");
    QTest::addColumn<int>("decimal");
    QTest::newRow("backspace") << 8 << "1.5" << 8 << 8;
    QTest::newRow("enter") << 13 << "1.5" << 13 << 13;
    QTest::newRow("minus after digits") << 45 << "12" << 45 << 45;
    QTest::newRow("point into box without one") << 46 << "12" << 0 << 46;
    QTest::newRow("point into empty box") << 46 << "" << 0 << 46;
    QTest::newRow("second point") << 46 << "12.5" << 0 << 0;
    // The text decides, not the selection: a point that typing would replace still counts.
    QTest::newRow("point while the point is selected") << 46 << "." << 0 << 0;
    QTest::newRow("digit 0") << int('0') << "" << int('0') << int('0');
    QTest::newRow("letter") << int('a') << "" << 0 << 0;
    QTest::newRow("ctrl+c") << 3 << "12" << 0 << 0;
    QTest::newRow("ctrl+v") << 22 << "12" << 0 << 0;
    QTest::newRow("ctrl+x") << 24 << "12" << 0 << 0;
}

void TextRulesTest::keyFilters()
{
    QFETCH(int, key);
    QFETCH(QString, boxText);
    QFETCH(int, numeric);
    QFETCH(int, decimal);
    int numericKey = key;
    Key_Numeric(numericKey);
    QCOMPARE(numericKey, numeric);
    int decimalKey = key;
    Key_Decimal(decimalKey, boxText);
    QCOMPARE(decimalKey, decimal);
}

void TextRulesTest::keyCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("keyAscii");
    QTest::addColumn<int>("keyCode");
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("digit 5") << int(Qt::Key_5) << none << "5" << int('5') << 53;
    QTest::newRow("keypad digit 5") << int(Qt::Key_5) << keypad << "5" << int('5') << 101;
    QTest::newRow("letter a") << int(Qt::Key_A) << none << "a" << int('a') << 65;
    QTest::newRow("letter A with shift") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A"
                                         << int('A') << 65;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << 0 << 112;
    QTest::newRow("keypad star") << int(Qt::Key_Asterisk) << keypad << "*" << int('*') << 106;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << "." << 46 << 110;
    QTest::newRow("point on the main keys") << int(Qt::Key_Period) << none << "." << 46 << 0;
    QTest::newRow("down arrow") << int(Qt::Key_Down) << none << "" << 0 << 40;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << 13 << 0;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8 << 0;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << 0 << 0;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << int(Qt::ControlModifier) << "\x03" << 3 << 67;
}

void TextRulesTest::keyCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, keyAscii);
    QFETCH(int, keyCode);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(keyAsciiOf(&event), keyAscii);
    QCOMPARE(keyCodeOf(&event), keyCode);
}

void TextRulesTest::gridLayoutParsed()
{
    const QList<GridColumn> columns =
        parseGridLayout("^SNo.  |<Village Code        |>Weight                |Plain");
    QCOMPARE(columns.size(), 4);
    QCOMPARE(columns[0].header, QStringLiteral("SNo."));
    QCOMPARE(columns[0].alignment, Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(columns[0].widthText, QStringLiteral("SNo.  "));
    QCOMPARE(columns[1].header, QStringLiteral("Village Code"));
    QCOMPARE(columns[1].alignment, Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(columns[2].header, QStringLiteral("Weight"));
    QCOMPARE(columns[2].alignment, Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(columns[3].header, QStringLiteral("Plain"));
    QCOMPARE(columns[3].alignment, Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
}

void TextRulesTest::gridLayoutApplied()
{
    QTableWidget grid(2, 1);
    applyGridLayout(&grid, "<Name|<Name   |<Name         |>Weight");
    QCOMPARE(grid.columnCount(), 4);
    QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
    QVERIFY(grid.columnWidth(0) < grid.columnWidth(1));
    QVERIFY(grid.columnWidth(1) < grid.columnWidth(2));
    setGridCell(&grid, 1, 3, "45.0");
    setGridCell(&grid, 1, 0, "Hill");
    QCOMPARE(grid.item(1, 3)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(grid.item(1, 0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
    QVERIFY(!(grid.item(1, 3)->flags() & Qt::ItemIsEditable));
}

QTEST_MAIN(TextRulesTest)
#include "tst_textrules.moc"

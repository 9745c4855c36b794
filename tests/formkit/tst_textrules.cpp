// Number, weight, date and time texts and the key filters.

#include "formkit/KeyFilters.h"
#include "formkit/TextRules.h"

#include <QLocale>
#include <QtTest>

using namespace formkit;

class TextRulesTest : public QObject {
    Q_OBJECT
private slots:
    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks before and inside") << " \t1 2.5" << 12.5;
        QTest::newRow("stops at a minus after digits") << "12-3" << 12.0;
        QTest::newRow("sign and blank before a point") << "- .5" << -0.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("second point ends it") << "12.3.4" << 12.3;
        QTest::newRow("scale line with CR LF") << "0123.4\r\n" << 123.4;
        QTest::newRow("letter first") << "A00123.4kg" << 0.0;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("huge exponent is no number") << "1e999" << 0.0;
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(formkit::numericValue(text), value);
    }

    void shownWeight_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole number") << 45.0 << "45.0";
        QTest::newRow("exact half goes up") << 45.25 << "45.3";
        QTest::newRow("half stored below") << 123.45 << "123.5";
        QTest::newRow("no thousands separator") << 12345.67 << "12345.7";
        QTest::newRow("negative near zero has no sign") << -0.04 << "0.0";
    }
    void shownWeight()
    {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(formkit::shownWeight(value), shown);
        // A scale's text shows the same, and nothing when it is no positive weight.
        QCOMPARE(shownWeightOf(" 0" + QString::number(value, 'f', 2) + " \r\n"),
                 value > 0 ? shown : QString());
    }

    void dateAndTimeAreEnglish()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QStringList texts{dateText(QDate(2024, 3, 5)), timeText(QTime(14, 30, 5)),
                                timeText(QTime(0, 0, 0)), timeText(QTime(12, 0, 0))};
        QLocale::setDefault(previous);
        QCOMPARE(texts, QStringList({"05/Mar/2024", "02:30:05 PM", "12:00:00 AM", "12:00:00 PM"}));
    }

    void keyFilters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<int>("numeric");
        QTest::addColumn<int>("decimal");
        QTest::newRow("backspace") << 8 << "1.5" << 8 << 8;
        QTest::newRow("enter") << 13 << "1.5" << 13 << 13;
        QTest::newRow("minus after digits") << 45 << "12" << 45 << 45;
        QTest::newRow("point into box without one") << 46 << "" << 0 << 46;
        // The text decides, not the selection: a point that typing would replace still counts.
        QTest::newRow("second point, though selected") << 46 << "." << 0 << 0;
        QTest::newRow("digit 0") << int('0') << "" << int('0') << int('0');
        QTest::newRow("letter") << int('a') << "" << 0 << 0;
        QTest::newRow("ctrl+v") << 22 << "12" << 0 << 0;
    }
    void keyFilters()
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
};

QTEST_MAIN(TextRulesTest)
#include "tst_textrules.moc"

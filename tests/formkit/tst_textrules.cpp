// Number, weight, date and time texts, the key filters, and pasted text judged by the rules
// typed text obeys: key filters, capitals, the field's limit.

#include "formkit/KeyFilters.h"
#include "formkit/PasteRules.h"
#include "formkit/TextRules.h"

#include <QLocale>
#include <QtTest>

using namespace formkit;

Q_DECLARE_METATYPE(formkit::TypingRule)

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

    void judgePaste_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<TypingRule>("rule");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("limit");
        // What goes in, or "refused: " and a part of the reason (nothing goes in).
        QTest::addColumn<QString>("outcome");

        const auto N = TypingRule::Numeric;
        const auto D = TypingRule::Decimal;
        const auto C = TypingRule::Capitals;
        const auto T = TypingRule::AnyText;
        QTest::newRow("cans: digits") << "12" << N << "" << 2 << "12";
        QTest::newRow("cans: minus passes as typed") << "-4" << N << "" << 2 << "-4";
        QTest::newRow("cans: a letter refuses all")
            << "4x" << N << "" << 2
            << "refused: Cans takes only digits and \"-\": the paste \"4x\" was refused";
        QTest::newRow("cans: a point is not a digit") << "1.5" << N << "" << 9 << "refused: ";
        QTest::newRow("cans: too long for the field")
            << "123" << N << "" << 2
            << "refused: Cans takes at most 2 characters: the paste of 3 was refused";
        QTest::newRow("cans: too long with what stays")
            << "12" << N << "5" << 2 << "refused: at most 2";
        QTest::newRow("cans: copied line end dropped") << "7\r\n" << N << "" << 2 << "7";
        QTest::newRow("decimal: one point") << "42.5" << D << "" << 10 << "42.5";
        QTest::newRow("decimal: exponent refused")
            << "1e999" << D << "" << 10 << "refused: \"1e999\"";
        QTest::newRow("decimal: quote and letters refused")
            << "O'Brien \"x" << D << "" << 10 << "refused: only digits, \"-\" and one \".\"";
        QTest::newRow("decimal: second point in the paste")
            << "1.2.3" << D << "" << 10 << "refused: ";
        QTest::newRow("decimal: a point where one stays")
            << ".5" << D << "12.3" << 10 << "refused: ";
        QTest::newRow("decimal: a point once the old one is replaced")
            << ".5" << D << "12" << 10 << ".5";
        QTest::newRow("decimal: a comma is no point") << "1,5" << D << "" << 10 << "refused: ";
        QTest::newRow("capitals: letters raised, others kept")
            << "ka 01-ß7" << C << "" << 30 << "KA 01-ß7";
        QTest::newRow("capitals: 31 of 30 refused, not cut")
            << QString(31, 'a') << C << "" << 30 << "refused: at most 30 characters";
        QTest::newRow("text: exactly the limit")
            << QString(250, 'r') << T << "12345" << 255 << QString(250, 'r');
        QTest::newRow("text: one over the limit")
            << QString(251, 'r') << T << "12345" << 255 << "refused: the paste of 251 was refused";
        QTest::newRow("text: a line break inside refused")
            << "late\nagain" << T << "" << 255 << "refused: one line";
        QTest::newRow("text: apostrophe and quote kept")
            << "O'Brien \"x\"" << T << "" << 255 << "O'Brien \"x\"";
        QTest::newRow("empty paste") << "" << N << "3" << 2 << "";
    }
    void judgePaste()
    {
        QFETCH(QString, pasted);
        QFETCH(TypingRule, rule);
        QFETCH(QString, kept);
        QFETCH(int, limit);
        QFETCH(QString, outcome);
        const bool refused = outcome.startsWith("refused: ");
        const formkit::PasteVerdict verdict =
            formkit::judgePaste(pasted, rule, kept, limit, QStringLiteral("Cans"));
        QCOMPARE(verdict.accepted, !refused);
        QCOMPARE(verdict.text, refused ? QString() : outcome);
        if (refused)
            QVERIFY2(verdict.reason.contains(outcome.mid(9)), qPrintable(verdict.reason));
        else
            QCOMPARE(verdict.reason, QString());
    }
};

QTEST_MAIN(TextRulesTest)
#include "tst_textrules.moc"

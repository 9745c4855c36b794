// Pasted text judged by the rules typed text obeys: key filters, capitals, the field's limit.

#include "formkit/PasteRules.h"

#include <QtTest>

using formkit::TypingRule;

Q_DECLARE_METATYPE(formkit::TypingRule)

class PasteRulesTest : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(PasteRulesTest)
#include "tst_pasterules.moc"

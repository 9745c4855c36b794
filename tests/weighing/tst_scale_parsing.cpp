// How text from the network scale becomes a weight: records cut from what the socket holds,
// the frame of a reply on request, and the continuous readings. (The serial link's readings
// are tested through the window, against a pseudo-terminal.)

#include "weighing/ScaleParsing.h"

#include <QtTest>

using namespace scale;

class ScaleParsingTest : public QObject {
    Q_OBJECT
private slots:
    void records_data();
    void records();
    void framedReply_data();
    void framedReply();
    void streamedReading_data();
    void streamedReading();
};

void ScaleParsingTest::records_data()
{
    QTest::addColumn<QString>("waiting");
    QTest::addColumn<QStringList>("complete");
    QTest::addColumn<QString>("left");
    QTest::newRow("one reply") << "A00123.4kg\r\n" << QStringList{"A00123.4kg\r\n"} << "";
    QTest::newRow("two readings and half a third")
        << "56.5\r\n57.0\r\n5" << QStringList{"56.5\r\n", "57.0\r\n"} << "5";
    QTest::newRow("carriage return may still get its line feed")
        << "56.5\r" << QStringList{} << "56.5\r";
    QTest::newRow("carriage return alone ends a record")
        << "56.5\r57.0\r" << QStringList{"56.5\r"} << "57.0\r";
    QTest::newRow("empty lines stay with the record before")
        << "56.5\r\n\r\n\r\n57" << QStringList{"56.5\r\n\r\n\r\n"} << "57";
    QTest::newRow("empty line first") << "\r\n56.5\r\n" << QStringList{"\r\n", "56.5\r\n"} << "";
    QTest::newRow("nothing whole") << "A001" << QStringList{} << "A001";
}

void ScaleParsingTest::records()
{
    QFETCH(QString, waiting);
    QFETCH(QStringList, complete);
    QFETCH(QString, left);
    const int length = completeRecordsLength(waiting);
    QCOMPARE(splitRecords(waiting.left(length)), complete);
    QCOMPARE(waiting.mid(length), left);
}

void ScaleParsingTest::framedReply_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("shown");
    QTest::newRow("marker, weight, unit, CR LF") << "A00123.4kg\r\n" << "123.4";
    QTest::newRow("spaces around") << "   A00123.4kg\r\n" << "123.4";
    QTest::newRow("spaces inside the frame stay") << "A 0056.5 kg\r\n" << "56.5";
    // Only spaces are trimmed: the line end counts among the last four characters.
    QTest::newRow("without its line end the frame loses digits") << "A00123.4kg" << "123.0";
    QTest::newRow("weight rounded half up") << "A0045.25kg\r\n" << "45.3";
    QTest::newRow("four characters") << "A1\r\n" << "";
    QTest::newRow("five characters: no weight part") << "A12\r\n" << "";
    QTest::newRow("zero") << "A00000.0kg\r\n" << "";
    QTest::newRow("negative") << "A-012.5kg\r\n" << "";
    QTest::newRow("letters") << "AOVERLDkg\r\n" << "";
    QTest::newRow("empty") << "" << "";
}

void ScaleParsingTest::framedReply()
{
    QFETCH(QString, record);
    QFETCH(QString, shown);
    QCOMPARE(framedWeight(record), shown);
}

void ScaleParsingTest::streamedReading_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("shown"); // null: no reading at all
    QTest::newRow("plain weight") << "56.5\r\n" << "56.5";
    QTest::newRow("empty platform") << "0.0\r\n" << "0.0";
    QTest::newRow("zero without decimals") << "0\r\n" << "0.0";
    QTest::newRow("weight and unit") << "  58.25 kg\r\n" << "58.3";
    QTest::newRow("below zero") << "-1.5\r\n" << "-1.5";
    QTest::newRow("a point and digits") << ".5\r\n" << "0.5";
    QTest::newRow("letters") << "ERR\r\n" << QString();
    QTest::newRow("empty line") << "\r\n" << QString();
    QTest::newRow("sign alone") << "-\r\n" << QString();
}

void ScaleParsingTest::streamedReading()
{
    QFETCH(QString, record);
    QFETCH(QString, shown);
    const QString result = streamedWeight(record);
    QCOMPARE(result.isNull(), shown.isNull());
    QCOMPARE(result, shown);
}

QTEST_APPLESS_MAIN(ScaleParsingTest)
#include "tst_scale_parsing.moc"

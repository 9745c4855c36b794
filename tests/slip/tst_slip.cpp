// The supplier's slip: through the run's own print service (every field, on each paper), byte
// for byte on a receipt printer's line, and at the desk: receipts stored while the queue is
// stopped, their slips (and one again on F11) waiting and said so, kept when the desk is closed
// and each printed once after it opens again.

#include "datastore/Startup.h"
#include "platform/DeskSettings.h"
#include "report/SlipPrinters.h"
#include "tst_window_fixture.h"
#include "weighing/StatusArea.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using platform::SlipPaper;
using platform::SlipPrinter;

namespace {
constexpr int kPrintWait = 15000; // bounds a hang; the service prints when it prints
constexpr std::chrono::milliseconds kRetry{200};

QString cupsFolder()
{
    QFile state(qEnvironmentVariable("TARVOLEN_TEST_CUPS_STATE"));
    state.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromLocal8Bit(state.readAll()).split('\n');
    qputenv("CUPS_SERVER", lines.value(0).toLocal8Bit());
    return lines.value(1);
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The jobs the queue has written, oldest first.
QStringList printedJobs()
{
    QDir out(cupsFolder() + "/out");
    QStringList jobs = out.entryList({"job-*"}, QDir::Files);
    jobs.removeIf([](const QString& name) { return name.endsWith(".part"); });
    std::sort(jobs.begin(), jobs.end(), [](const QString& a, const QString& b) {
        return a.mid(4).toInt() < b.mid(4).toInt();
    });
    for (QString& job : jobs)
        job = out.filePath(job);
    return jobs;
}

QString pdfText(const QString& pdf)
{
    return run("pdftotext", {"-layout", pdf, "-"}).simplified();
}

report::SlipFields sample()
{
    report::SlipFields f;
    f.company = "Green Vale Dairy";
    f.town = "Hilltown";
    f.date = QDate(2024, 3, 5);
    f.shift = 2;
    f.refNo = 1234;
    f.serial = 17;
    f.route = "North Road";
    f.villageCode = "V17";
    f.villageName = QString::fromUtf8("Rampur Kalān");
    f.animal = "Cow";
    f.milkType = "Whole";
    f.cans = 2;
    f.weight = 56.5;
    f.time = "02:30:05 PM";
    f.operatorName = QString::fromUtf8("René");
    f.mark = 'C';
    return f;
}

// A receipt printer on a serial line: the far end of a pseudo-terminal.
struct PtyPrinter {
    PtyPrinter()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::grantpt(master);
        ::unlockpt(master);
        device = QString::fromLocal8Bit(::ptsname(master));
        keepOpen = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~PtyPrinter()
    {
        ::close(keepOpen);
        ::close(master);
    }
    QByteArray readUntilCut()
    {
        QByteArray got;
        (void)QTest::qWaitFor(
            [&] {
                char buffer[512];
                for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
                    got.append(buffer, int(n));
                return got.endsWith("\x1dV\x01");
            },
            kPrintWait);
        return got;
    }
    int master = -1;
    int keepOpen = -1;
    QString device;
};
} // namespace

class SlipTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!cupsFolder().isEmpty()); }
    // A case that failed half-way leaves the queue as it should be for the next.
    void init() { run("cupsenable", {"slips"}); }
    void printedThroughThePrintService_data();
    void printedThroughThePrintService();
    void escPosOnASerialLine();
    void deskStoresWhileTheQueueIsStopped();
};

void SlipTest::printedThroughThePrintService_data()
{
    QTest::addColumn<SlipPaper>("paper");
    QTest::addColumn<int>("widthPoints");
    QTest::newRow("58 mm roll") << SlipPaper::Roll58 << 164;
    QTest::newRow("80 mm roll") << SlipPaper::Roll80 << 227;
    QTest::newRow("A6") << SlipPaper::A6 << 297;
}

void SlipTest::printedThroughThePrintService()
{
    if (testkit::TestEnv::onServer())
        QSKIP("no database in this case");
    QFETCH(SlipPaper, paper);
    QFETCH(int, widthPoints);
    const int before = int(printedJobs().size());
    report::SlipSpooler spooler({SlipPrinter::Kind::Queue, "slips", 48, paper}, nullptr, kRetry);
    QSignalSpy delivered(&spooler, &report::SlipSpooler::delivered);
    spooler.print(sample());
    QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), 1, kPrintWait);
    QCOMPARE(printedJobs().size(), before + 1);
    const QString pdf = printedJobs().constLast();
    const QString text = pdfText(pdf);
    for (const char* field : {"Green Vale Dairy", "Hilltown", "05/Mar/2024 AM", "Receipt No. 1234",
                              "Serial 17", "Route North Road", "Animal Cow", "Milk Type Whole",
                              "Cans 2", "56.5", "Time 02:30:05 PM", "corrected"})
        QVERIFY2(text.contains(field), qPrintable(field + QString(" not in: ") + text));
    QVERIFY2(text.contains(QString::fromUtf8("V17 Rampur Kalān")), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("Operator René")), qPrintable(text));
    const QRegularExpression size("Page size:\\s+([0-9.]+) x ([0-9.]+) pts");
    const auto found = size.match(run("pdfinfo", {pdf}));
    QVERIFY(found.hasMatch());
    QCOMPARE(qRound(found.captured(1).toDouble()), widthPoints);
    QVERIFY(found.captured(2).toDouble() > found.captured(1).toDouble());
}

void SlipTest::escPosOnASerialLine()
{
    if (testkit::TestEnv::onServer())
        QSKIP("no database in this case");
    PtyPrinter printer;
    // Named by a link that is not there yet: the slip waits for the printer, then prints whole.
    QTemporaryDir dir;
    const QString link = dir.filePath("printer");
    report::SlipSpooler spooler({SlipPrinter::Kind::EscPos, link, 32, SlipPaper::Roll58}, nullptr,
                                kRetry);
    QSignalSpy waits(&spooler, &report::SlipSpooler::waitChanged);
    spooler.print(sample());
    QTRY_VERIFY(!spooler.waitReason().isEmpty());
    QVERIFY2(spooler.waitReason().startsWith("receipt printer " + link + " cannot be opened"),
             qPrintable(spooler.waitReason()));
    QVERIFY(QFile::link(printer.device, link));
    const QByteArray printed = printer.readUntilCut();
    const QByteArray centreBold("\x1b"
                                "a\x01\x1b"
                                "E\x01",
                                6);
    const QByteArray boldOffLeft("\x1b"
                                 "E\x00\x1b"
                                 "a\x00",
                                 6);
    const QByteArray whole = QByteArray("\x1b@", 2) +                          //
                             centreBold + "Green Vale Dairy\n" + boldOffLeft + //
                             centreBold + "Hilltown\n" + boldOffLeft +         //
                             "--------------------------------\n"              //
                             "Date              05/Mar/2024 AM\n"              //
                             "Receipt No.                 1234\n"              //
                             "Serial                        17\n"              //
                             "Route                 North Road\n"              //
                             "Village         V17 Rampur Kalan\n"              //
                             "Animal                       Cow\n"              //
                             "Milk Type                  Whole\n"              //
                             "Cans                           2\n"              //
                             "--------------------------------\n"              //
                             "Weight\n"                                        //
                             + QByteArray("\x1b"
                                          "a\x01\x1d!\x11",
                                          6) +
                             "56.5\n" + //
                             QByteArray("\x1d!\x00\x1b"
                                        "a\x00",
                                        6) + //
                             centreBold +
                             "corrected\n" + boldOffLeft +          //
                             "--------------------------------\n"   //
                             "Time                 02:30:05 PM\n"   //
                             "Operator                    Rene\n" + //
                             QByteArray("\x1b"
                                        "d\x04\x1dV\x01",
                                        6);
    QCOMPARE(printed, whole);
    QTRY_VERIFY(spooler.waitReason().isEmpty());
    QCOMPARE(waits.constLast().constFirst().toString(), QString());

    // A village named in Devanagari, which the printer's characters lack: the slip goes as its
    // picture, 384 dots across, band by band, dot for dot as drawn.
    report::SlipFields named = sample();
    named.villageName = QString::fromUtf8("रामपुर कलां");
    spooler.print(named);
    const QByteArray picture = printer.readUntilCut();
    const QImage drawn = report::escPosSlipImage(named, 32);
    QCOMPARE(drawn.width(), 384);
    QVERIFY(picture.startsWith(QByteArray("\x1b@", 2)));
    int at = 2, row = 0, black = 0;
    while (picture.mid(at, 4) == QByteArray("\x1dv0\x00", 4)) {
        const int width = uchar(picture[at + 4]) | uchar(picture[at + 5]) << 8;
        const int rows = uchar(picture[at + 6]) | uchar(picture[at + 7]) << 8;
        QCOMPARE(width, 48);
        at += 8;
        for (int y = row; y < row + rows; ++y)
            for (int x = 0; x < 384; ++x, black += drawn.pixelColor(x, y).value() < 128)
                QCOMPARE(bool(uchar(picture[at + (y - row) * 48 + x / 8]) & (0x80 >> x % 8)),
                         drawn.pixelColor(x, y).value() < 128);
        at += width * rows;
        row += rows;
    }
    QCOMPARE(row, drawn.height());
    QVERIFY(black > 1000);
    QCOMPARE(picture.mid(at), QByteArray("\x1b"
                                         "d\x04\x1dV\x01",
                                         6));
}

void SlipTest::deskStoresWhileTheQueueIsStopped()
{
    windowtest::Desk desk;
    desk.addRoute(1, "North Road");
    QCOMPARE(platform::writeDeskSettings(
                 {{}, {SlipPrinter::Kind::Queue, "slips", 48, SlipPaper::Roll58}}),
             QString());
    run("cupsdisable", {"slips"});
    QVERIFY(Set_MainDsn()); // as start-up leaves it
    desk.open();
    const int before = int(printedJobs().size());
    desk.fillEntry("2", "56.5");
    desk.pressAdd();
    QCOMPARE(desk.env.messageTexts(), QStringList{"Successfully Added"});
    const auto notice = [&desk] { return desk.window->statusArea()->notice(); };
    QTRY_VERIFY_WITH_TIMEOUT(notice().startsWith("Slip waiting: print queue slips is stopped"),
                             kPrintWait);

    // A second receipt, and the last slip again on F11: all wait behind the first.
    desk.fillEntry("1", "20.5");
    desk.pressAdd();
    QTest::keyClick(desk.window.get(), Qt::Key_F11);
    QTRY_VERIFY(notice().startsWith("3 slips waiting: print queue slips is stopped"));
    QCOMPARE(printedJobs().size(), before);

    // Closed with them waiting; the queue started; the window opened again: each printed once.
    desk.window->close();
    desk.window.reset();
    run("cupsenable", {"slips"});
    desk.open();
    QTRY_VERIFY_WITH_TIMEOUT(QDir(platform::waitingSlipsFolder()).isEmpty(), kPrintWait);
    const QStringList jobs = printedJobs().mid(before);
    QCOMPARE(jobs.size(), 3);
    QCOMPARE(notice(), QString());
    const QString first = pdfText(jobs[0]);
    for (const char* stored : {"First Dairy", "Hilltown", "Route North Road", "56.5", "Serial 1"})
        QVERIFY2(first.contains(stored), qPrintable(stored + QString(" not in: ") + first));
    QVERIFY2(pdfText(jobs[1]).contains("Serial 2"), qPrintable(pdfText(jobs[1])));
    QCOMPARE(pdfText(jobs[2]), pdfText(jobs[1]));
}

QTEST_MAIN(SlipTest)
#include "tst_slip.moc"

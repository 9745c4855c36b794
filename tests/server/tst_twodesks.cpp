// Two desks of one server installation weighing at once, each a process of its own with its own
// settings folder and its own scale: the test is the first desk, and a copy of it started with
// TARVOLEN_TEST_SECOND_DESK (the server's address) is the second, which joins the installation.
// Each signs in by the keyboard and adds its receipts weighed on its own simulator; every Add of
// one desk is pressed as the other presses its own.

#include "KeyboardDrive.h"
#include "ServerInstallation.h"
#include "WeighingWindow.h"
#include "datastore/GenState.h"
#include "platform/DeskSettings.h"
#include "weighing/StatusArea.h"

#include <cstdio>

using namespace keyboard;

namespace {
const QDate kToday(2024, 3, 5);
const char* const kSecondDesk = "TARVOLEN_TEST_SECOND_DESK";

// Each desk's village of the demo's route 1, and what its scale weighs for it, receipt by receipt.
struct DeskPlan {
    QString village;
    QStringList weights;
};
const DeskPlan kDesks[2] = {{"13", {"41.1", "41.2", "41.3", "41.4"}},
                            {"14", {"62.1", "62.2", "62.3", "62.4"}}};

// The other desk, through the second desk's standard streams: each says which receipt it is at
// and waits until the other is there too.
bool meet(QProcess* second, int receipt)
{
    const QByteArray line = QByteArray::number(receipt) + '\n';
    if (!second) {
        char heard[16] = {};
        std::fputs(line.constData(), stdout);
        std::fflush(stdout);
        return std::fgets(heard, sizeof heard, stdin) && line == heard;
    }
    second->write(line);
    while (!second->canReadLine())
        if (!second->waitForReadyRead(kWait))
            return false;
    return second->readLine() == line;
}

// One desk: a simulator of its own named in its desk.ini, the demo's operator signed in on the
// morning, then its receipts weighed and added by the keyboard (what was stored is looked at
// afterwards).
bool workDesk(const DeskPlan& plan, QProcess* second)
{
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--weights", plan.weights.join(',')});
    if (!QTest::qWaitFor([&] { return !scale.tcpPort().isEmpty(); }, kWait) ||
        !platform::writeDeskSettings(
             {platform::DeskScale{2, 2, 0, 0, "127.0.0.1", scale.tcpPort()}, {}})
             .isEmpty())
        return false;
    frm_Gen_Pass signIn;
    if (!signIn.load())
        return false;
    signIn.show();
    QPointer<frm_Data> desk;
    bool ok = keysTo("txtPass", "milk") &&
              fieldsInTurn({{"fgLIst", ""}, {"dtpDate", ""}, {"cmbAP", ""}}) &&
              (desk = deskAfter(&signIn)) && truckFields();
    for (int n = 0; ok && n < int(plan.weights.size()); ++n)
        ok = receiptUpToWeight(desk, plan.village, plan.village, "2") && keysTo("cmdWeight") &&
             QTest::qWaitFor([&] { return focusName() == "cmdAdd"; }, kWait) && meet(second, n) &&
             keysTo("cmdAdd") && QTest::qWaitFor([] { return focusName() == "txtVCode"; }, kWait);
    ok = ok && desk->statusArea()->scaleState().contains("[this desk's scale settings]");
    closeDeskWindows(desk);
    return ok;
}

int secondDesk(const QString& serverUrl)
{
    testkit::TestEnv env;
    env.setClock(QDateTime(kToday, QTime(9, 0)));
    admin::ServerInitOptions join{env.programDir(), serverUrl, false, kToday, true};
    if (const QString error = admin::joinServerInstallation(join, nullptr); !error.isEmpty())
        qFatal("the second desk cannot join: %s", qPrintable(error));
    return workDesk(kDesks[1], nullptr) && env.messageTexts().count("Successfully Added") == 4 ? 0
                                                                                               : 1;
}
} // namespace

class TwoDesksTest : public QObject {
    Q_OBJECT
private slots:
    void weighAtOnce();
};

void TwoDesksTest::weighAtOnce()
{
    testkit::TestEnv env;
    const QString url = testkit::TestEnv::freshServerUrl(kToday);
    QCOMPARE(admin::initServerInstallation({env.programDir(), url, true, kToday}, nullptr),
             QString());
    env.setClock(QDateTime(kToday, QTime(9, 0)));
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    qputenv(kSecondDesk, url.toUtf8());
    second.start(QCoreApplication::applicationFilePath(), QStringList());
    qunsetenv(kSecondDesk);
    QVERIFY(workDesk(kDesks[0], &second));
    QCOMPARE(env.messageTexts(), QStringList(4, "Successfully Added"));
    QVERIFY(second.waitForFinished(kWait));
    QCOMPARE(QString("status %1 exit %2").arg(second.exitStatus()).arg(second.exitCode()),
             QString("status 0 exit 0")); // a normal exit, every receipt added

    // The morning's receipts (the demo's four and both desks'), each once under numbers of its
    // own; each desk's with its own scale's weights, in the order weighed.
    const auto morning = [](const QString& what, const QString& where = {}) {
        return testkit::TestEnv::scalar("DSN=QUENMOOR_" + Gen_DbMst,
                                        "SELECT " + what +
                                            " FROM Data_Wght w JOIN Mast_Villages v ON v.VRefNo = "
                                            "w.VRefNo WHERE RefDate = '2024-03-05' AND AmPm = 2" +
                                            where)
            .toString();
    };
    QCOMPARE(morning("COUNT(*) || ' ' || COUNT(DISTINCT RefNo) || ' ' || COUNT(DISTINCT DlySlNo)"),
             QString("12 12 12"));
    for (const DeskPlan& plan : kDesks)
        QCOMPARE(morning("string_agg(MWeight::text, ',' ORDER BY RefNo)",
                         " AND VCode = '" + plan.village + "'"),
                 plan.weights.join(','));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    wireWeighingWindow();
    if (const QString serverUrl = qEnvironmentVariable(kSecondDesk); !serverUrl.isEmpty())
        return secondDesk(serverUrl);
    TwoDesksTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_twodesks.moc"

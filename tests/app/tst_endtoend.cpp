// The whole desk as an operator works it, by the keyboard: sign-in, company, date and shift,
// then receipts weighed on the simulated scale running as a process of its own.

#include "Installation.h"
#include "KeyboardDrive.h"
#include "LocalUsers.h"
#include "WeighingWindow.h"
#include "datastore/GenState.h"
#include "formkit/TextRules.h"
#include "weighing/RunningTotals.h"

#include <QDirIterator>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace keyboard;

namespace {
const QDate kToday(2024, 3, 5);

QString scalarText(const QString& file, const QString& sql)
{
    return testkit::TestEnv::scalar(file, sql).toString();
}

// The named columns of the newest receipt, as text.
QStringList lastReceipt(const QString& file, const QString& columns)
{
    const QString joined = "COALESCE(" + columns.split(", ").join(", '') || '|' || COALESCE(");
    return scalarText(file, "SELECT " + joined + ", '') FROM Data_Wght ORDER BY RefNo DESC LIMIT 1")
        .split('|');
}
} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { wireWeighingWindow(); }
    void init();
    void cleanup()
    {
        closeDeskWindows(m_desk);
        m_signIn.reset();
        m_env.reset();
    }

    void scaleOnRequest_data();
    void scaleOnRequest();
    void scaleContinuous_data();
    void scaleContinuous();
    void onlyTheCentresGroupWeighs();

private:
    // The installation's folders and files given to the group, as the package leaves them, and
    // a settings folder that every user of the test may write to.
    void handToGroup(gid_t group) const;
    // Format 2 on that link (serial port 1 at 9600 and the local host serve whichever it is);
    // gives the company's database file.
    QString station(const QString& company, int link, const QString& tcpPort) const
    {
        const QString root = m_env->dataRoot();
        if (const QString error =
                admin::writeStation({root, company, link, 2, 1, 9600, "127.0.0.1", tcpPort});
            !error.isEmpty())
            qFatal("%s", qPrintable(error));
        return m_env->companyFile(admin::latestDbMst(root, company));
    }
    // Signs in as the offered operator, picks the company in that row, today's morning shift.
    bool reachWeighingWindow(int companyRow, const QString& company);
    bool receiptUpToWeight(const QString& keys, const QString& code, const char* cans)
    {
        return keyboard::receiptUpToWeight(m_desk, keys, code, cans);
    }
    QString weight() const { return m_desk->findChild<QLineEdit*>("txtWeight")->text(); }

    std::unique_ptr<testkit::TestEnv> m_env;
    std::unique_ptr<frm_Gen_Pass> m_signIn;
    QPointer<frm_Data> m_desk;
};

void EndToEndTest::init()
{
    m_env = std::make_unique<testkit::TestEnv>();
    QCOMPARE(admin::initInstallation({m_env->programDir(), m_env->dataRoot(), true, false, kToday}),
             QString());
    m_env->setClock(QDateTime(kToday, QTime(9, 0, 0)));
}

bool EndToEndTest::reachWeighingWindow(int companyRow, const QString& company)
{
    m_signIn = std::make_unique<frm_Gen_Pass>();
    if (!m_signIn->load())
        return false;
    m_signIn->show();
    bool ok = keysTo("txtPass", "milk"); // for the offered user, "operator"
    for (int row = 0; ok && row < companyRow; ++row)
        ok = keysTo("fgLIst", {}, Qt::Key_Down);
    // Today and the morning shift, as offered.
    if (!ok || !fieldsInTurn({{"fgLIst", ""}, {"dtpDate", ""}, {"cmbAP", ""}}) ||
        Gen_ComCode != company)
        return false;
    m_desk = deskAfter(m_signIn.get());
    return m_desk;
}

void EndToEndTest::scaleOnRequest_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("network, link 2") << false;
    QTest::newRow("serial over a pty, link 1") << true;
}

void EndToEndTest::scaleOnRequest()
{
    QFETCH(bool, serial);
    const QStringList link = serial ? QStringList{"--pty", m_env->configDir() + "/com1"}
                                    : QStringList{"--tcp", "127.0.0.1:0"};
    ScaleProcess scale(link + QStringList{"--weights", "56.5,61.2"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.lineAfter(serial ? "pty " : "listening ").isEmpty(), kWait);
    const QString db = station("DAIRY1", serial ? 1 : 2, scale.tcpPort());
    // Another desk's receipt on another route of the shift.
    testkit::TestEnv::exec(db, "INSERT INTO Data_Wght (RefNo, RefDate, AmPm, RtRefNo, VRefNo, "
                               "ACode, MCode, DlySlNo, CansRecd, MWeight, Stat) SELECT "
                               "MAX(RefNo) + 1, '2024-03-05', 2, 2, 1, 1, 1, 90, 3, 75.5, 0 "
                               "FROM Data_Wght");
    const int refNo = scalarText(db, "SELECT MAX(RefNo) FROM Data_Wght").toInt();
    const int slNo = scalarText(db, "SELECT MAX(DlySlNo) FROM Data_Wght WHERE "
                                    "RefDate = '2024-03-05' AND AmPm = 2")
                         .toInt();
    const QString village = "SELECT VRefNo FROM Mast_Villages WHERE RtRefNo = 1 AND VCode = ";
    // The network reply is in before Get Weight is done, which then sends the focus on to Add;
    // the serial reply comes later, the focus stays and Tab goes on.
    const auto weighAndAdd = [serial, this](const char* expected) {
        return keysTo("cmdWeight") &&
               QTest::qWaitFor([&] { return weight() == expected; }, kWait) &&
               (!serial || keysTo("cmdWeight", {}, Qt::Key_Tab)) && keysTo("cmdAdd");
    };

    QVERIFY(reachWeighingWindow(0, "DAIRY1"));
    auto* grid = m_desk->findChild<QTableWidget*>("fgLIst");
    const int routeRows = grid->rowCount();
    QVERIFY(truckFields("ka 05 mk 1234", "36.5", "tyre changed"));
    QVERIFY(receiptUpToWeight("12", "12", "2"));
    QVERIFY(weighAndAdd("56.5"));
    QCOMPARE(
        lastReceipt(db, "RefNo, DlySlNo, RefDate, AmPm, RtRefNo, VRefNo, ACode, CansRecd, "
                        "MWeight, TruckNo, TruckKMR, TruckRemarks, UName, Uid, ColTime"),
        (QStringList{QString::number(refNo + 1), QString::number(slNo + 1), "2024-03-05", "2", "1",
                     scalarText(db, village + "'12'"), "1", "2.0", "56.5", "KA 05 MK 1234", "36.5",
                     "tyre changed", "operator", "1", "09:00:00 AM"}));
    QTRY_COMPARE_WITH_TIMEOUT(scale.lineAfter("clear "), QString("1"), kWait);

    // The focus is back on the village code, and the truck details went with the first receipt.
    QVERIFY(receiptUpToWeight("1", "10", "2"));
    QVERIFY(weighAndAdd("61.2"));
    QCOMPARE(lastReceipt(db, "RefNo, DlySlNo, VRefNo, MWeight, TruckNo"),
             (QStringList{QString::number(refNo + 2), QString::number(slNo + 2),
                          scalarText(db, village + "'10'"), "61.2", ""}));
    QCOMPARE(grid->rowCount(), routeRows + 2); // newest first
    QCOMPARE((QStringList{grid->item(0, 0)->text(), grid->item(0, 6)->text(),
                          grid->item(1, 0)->text(), grid->item(1, 6)->text()}),
             (QStringList{QString::number(slNo + 2), "61.2", QString::number(slNo + 1), "56.5"}));
    QTRY_COMPARE_WITH_TIMEOUT(scale.lineAfter("clear "), QString("2"), kWait);
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(m_env->messageTexts(), (QStringList{"Successfully Added", "Successfully Added"}));

    // The running totals under the grid: the route's, and every route's of the shift.
    const QString tally = "SELECT COUNT(*) || '|' || SUM(CansRecd) || '|' || SUM(MWeight) FROM "
                          "Data_Wght WHERE RefDate = '2024-03-05' AND AmPm = 2";
    const auto summed = [&](const QString& where) {
        const QStringList parts = scalarText(db, tally + where).split('|');
        return datastore::Tally{parts.value(0).toLongLong(), parts.value(1).toDouble(),
                                parts.value(2).toDouble()};
    };
    const datastore::ShiftTallies expected{summed(" AND RtRefNo = 1"), summed("")};
    QVERIFY(expected.shift.receipts > expected.route.receipts); // another route delivered too
    QCOMPARE(m_desk->findChild<QLabel*>("lblTotals")->text(),
             weighing::runningTotalsText(expected));

    // F9: the day so far, every route of the morning together.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    QTableWidget* day = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(
        (day = m_desk->findChild<QTableWidget*>("fgDayRoutes")) && day->isVisible(), kWait);
    const int all = day->rowCount() - 1;
    QCOMPARE((QStringList{day->item(all, 0)->text(), day->item(all, 2)->text(),
                          day->item(all, 3)->text(), day->item(all, 4)->text()}),
             (QStringList{"All routes", QString::number(expected.shift.receipts),
                          formkit::plainNumber(expected.shift.cans),
                          formkit::shownWeight(expected.shift.weight)}));
}

void EndToEndTest::scaleContinuous_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("network, link 4") << false;
    QTest::newRow("serial over a pty printing 5 readings a second, link 3") << true;
}

// The desk follows the scale on its own 200 ms timer, as at a centre.
void EndToEndTest::scaleContinuous()
{
    QFETCH(bool, serial);
    // The desk opens with cans still standing on the platform.
    const QStringList link = serial ? QStringList{"--pty", m_env->configDir() + "/com1"}
                                    : QStringList{"--tcp", "127.0.0.1:0"};
    ScaleProcess scale(link + QStringList{"--mode", "continuous", "--stdin", "--weights", "12.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.lineAfter(serial ? "pty " : "listening ").isEmpty(), kWait);
    const QString db = station("DAIRY2", serial ? 3 : 4, scale.tcpPort());
    const QString count = "SELECT COUNT(*) FROM Data_Wght";
    const int rowsBefore = scalarText(db, count).toInt();

    QVERIFY(reachWeighingWindow(1, "DAIRY2"));
    auto* add = m_desk->findChild<QWidget*>("cmdAdd");
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("12.5"), kWait);
    QVERIFY(!add->isEnabled());
    // No route 1 here: the first route is picked.
    QVERIFY(keysTo("cmbRoute", {}, Qt::Key_Down));
    QVERIFY(truckFields());
    scale.place("0");
    QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), kWait);
    scale.place("40.5");
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("40.5"), kWait);
    QVERIFY(receiptUpToWeight("4", "40", "1"));
    QVERIFY(keysTo("cmdAdd")); // straight on from the cans: the weight is in
    QCOMPARE(lastReceipt(db, "MWeight, RtRefNo, DlySlNo, TruckNo"),
             (QStringList{"40.5", "2", "1", "TRK-210"}));
    QTRY_COMPARE(focusName(), QString("txtVCode"));

    // The same can is still on the platform: shown again, but it cannot be added twice.
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("40.5"), kWait);
    QVERIFY(!add->isEnabled());
    QVERIFY(receiptUpToWeight("41", "41", "1"));
    QCOMPARE(focusName(), QString("txtCans")); // a disabled Add cannot take the focus
    QTest::keyClick(add, Qt::Key_Return);
    QTest::keyClick(m_desk, Qt::Key_A, Qt::AltModifier);
    scale.place("0");
    QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), kWait);
    QCOMPARE(scalarText(db, count).toInt(), rowsBefore + 1);
    scale.place("38.5");
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("38.5"), kWait);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier); // from the cans
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(scalarText(db, count).toInt(), rowsBefore + 2);
    QCOMPARE(lastReceipt(db, "MWeight, DlySlNo"), (QStringList{"38.5", "2"}));
    QCOMPARE(m_env->messageTexts(), (QStringList{"Successfully Added", "Successfully Added"}));
    QVERIFY(!add->isEnabled());
    QCOMPARE(scale.lineAfter("clear "), QString()); // the continuous scale is not told to clear
}

void EndToEndTest::handToGroup(gid_t group) const
{
    QStringList paths{m_env->programDir(), m_env->dataRoot()};
    for (const QString& top : {m_env->programDir(), m_env->dataRoot()}) {
        QDirIterator files(top, QDir::AllEntries | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            paths << files.next();
    }
    for (const QString& path : paths)
        QVERIFY(chown(QFile::encodeName(path), 0, group) == 0);
    QVERIFY(chmod(QFile::encodeName(m_env->root()), 0711) == 0);
    QVERIFY(QDir().mkpath(m_env->root() + "/config"));
    QVERIFY(chmod(QFile::encodeName(m_env->root() + "/config"), 01777) == 0);
}

// Operators of a centre are the members of its group: one outside it is told so at sign-in,
// before anyone types a receipt, and one inside it weighs.
void EndToEndTest::onlyTheCentresGroupWeighs()
{
    if (testkit::TestEnv::onServer() || !testkit::LocalUsers::canMake())
        QSKIP("file permissions bind the operators of a file installation (needs root)");
    testkit::LocalUsers users;
    const QString member = users.addUser(true), outsider = users.addUser(false);
    QVERIFY(!member.isEmpty() && !outsider.isEmpty());
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--weights", "56.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.lineAfter("listening ").isEmpty(), kWait);
    const QString db = station("DAIRY1", 2, scale.tcpPort());
    // The installation lives below the test's folder, which was made for root alone.
    handToGroup(users.gid());
    const auto actAs = [this](const QString& user) {
        qputenv("ODBCINI", (m_env->root() + "/config/odbc-" + user + ".ini").toUtf8());
        return std::make_unique<testkit::ActingAs>(user);
    };
    {
        const auto acting = actAs(outsider);
        m_signIn = std::make_unique<frm_Gen_Pass>();
        QVERIFY(!m_signIn->load());
        m_signIn.reset();
    }
    const QString told = m_env->messageTexts().join('\n');
    QVERIFY2(told.contains("belongs to the group " + users.group() + ", and you are not in it"),
             qPrintable(told));
    m_env->messages.clear();

    const auto acting = actAs(member);
    QVERIFY(reachWeighingWindow(0, "DAIRY1"));
    QVERIFY(truckFields());
    QVERIFY(receiptUpToWeight("12", "12", "2"));
    QVERIFY(keysTo("cmdWeight") && QTest::qWaitFor([&] { return weight() == "56.5"; }, kWait) &&
            keysTo("cmdAdd"));
    QCOMPARE(lastReceipt(db, "MWeight, UName"), (QStringList{"56.5", "operator"}));
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    closeDeskWindows(m_desk);
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"

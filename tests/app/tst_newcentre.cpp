// A centre set up from nothing with tarvolen-admin alone, then worked by the real desk: the
// new user signs in, the new company is listed once, the lookup finds an imported village and
// Add stores a receipt that points to it; and the same in the company's next year. On the
// server engine the centre is a server installation: init --server, and no data root after it.

#include "../tools/AdminRun.h"
#include "KeyboardDrive.h"
#include "WeighingWindow.h"
#include "datastore/GenState.h"

#include <QComboBox>
#include <QPointer>
#include <QTableWidget>
#include <memory>

using admintest::runAdmin;
using namespace keyboard;
using testkit::TestEnv;

namespace {
constexpr int kVillages = 1000;

// Villages 1000 to 1999 as a spreadsheet saves them, on routes 1 and 2 by turns; a few names
// with commas, quotes and letters beyond ASCII.
QByteArray villagesCsv()
{
    QByteArray csv = "\xEF\xBB\xBF"
                     "code,name,route,active\r\n";
    for (int i = 0; i < kVillages; ++i) {
        QString name = QString("Village %1").arg(i);
        if (i % 97 == 0)
            name = QString("\"Kh\u00E9da, \"\"%1\"\"\"").arg(i);
        csv += QString("%1,%2,%3,1\r\n").arg(1000 + i).arg(name).arg(1 + i % 2).toUtf8();
    }
    return csv;
}

} // namespace

class NewCentreTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { wireWeighingWindow(); }
    void cleanup();
    void setUpAndWorked_data();
    void setUpAndWorked();

private:
    QStringList root() const
    {
        return TestEnv::onServer() ? QStringList() : QStringList{"--data-root", m_env->dataRoot()};
    }
    QStringList initCommand() const;
    // Where the tests read a company year: its file, or its server data source.
    QString yearDatabase(const QString& dbMst) const
    {
        return TestEnv::onServer() ? "DSN=QUENMOOR_" + dbMst : m_env->companyFile(dbMst);
    }
    bool setUpCentre(const QString& scalePort);
    QString companiesListed();
    bool signInAndChoose();
    bool weighVillage(const QString& code);

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<frm_Gen_Pass> m_signIn;
    QPointer<frm_Data> m_desk;
};

void NewCentreTest::cleanup()
{
    closeDeskWindows(m_desk);
    m_signIn.reset();
    m_env.reset();
}

// A file installation under the data root; on the test server, its databases of an earlier run
// dropped first (the main database's name is fixed, so no other test makes one meanwhile).
QStringList NewCentreTest::initCommand() const
{
    const QStringList init{"init", "--program-dir", m_env->programDir()};
    if (!TestEnv::onServer())
        return init;
    const admin::ServerAddress server = TestEnv::testServer();
    for (const char* database : {"quenmoor_main", "gv_2024", "gv_2025"})
        if (const QString error = admin::dropServerDatabase(server, database); !error.isEmpty())
            qWarning("%s", qPrintable(error));
    return init +
           QStringList{
               "--server",
               QString("postgresql://%1@%2:%3").arg(server.user, server.host).arg(server.port)};
}

bool NewCentreTest::setUpCentre(const QString& scalePort)
{
    const QString dir = m_env->root();
    const QStringList company{"--company", "GV"};
    const QList<std::pair<QString, QByteArray>> files = {
        {"animals", "code,name\r\n1,Cow\r\n2,Buffalo\r\n"},
        {"milk-types", "code,name\r\n1,Mixed\r\n2,Cow Milk\r\n"},
        {"routes", "code,name,active\r\n1,East Ridge,1\r\n2,\"River Road, North\",1\r\n"},
        {"vehicles", "route,from,to,vehicle\r\n1,2024-01-01,2025-12-31,KA 01 T 7\r\n"},
        {"villages", villagesCsv()},
    };
    QList<std::pair<QStringList, QByteArray>> steps = {
        {initCommand(), {}},
        {{"company", "add", "GV", "--name", "Green Vale Dairy", "--town", "Hilltown",
          "--year-start", "2024-01-01", "--year-end", "2024-12-31"},
         {}},
        {{"user", "add", "ravi", "--full-name", "Ravi K", "--password-stdin"}, "cream 7\n"},
        {{"user", "add", "asha", "--password-stdin"}, "other\n"},
        {{"user", "set-offered", "Ravi", "--program-dir", m_env->programDir()}, {}},
    };
    for (const auto& [kind, bytes] : files) {
        const QString file = dir + "/" + kind + ".csv";
        if (!admintest::writeFile(file, bytes))
            return false;
        steps.append({QStringList{"import", kind, file} + company, {}});
    }
    steps.append({QStringList{"station", "--link", "2", "--format", "2", "--host", "127.0.0.1",
                              "--tcp-port", scalePort} +
                      company,
                  {}});
    for (const auto& [arguments, input] : steps) {
        const admintest::Run run = runAdmin(arguments + root(), input);
        if (run.exitCode != 0) {
            qWarning("%s: %s", qPrintable(arguments.join(' ')), qPrintable(run.out + run.err));
            return false;
        }
    }
    return true;
}

// The company codes of the desk's company list, as it shows them.
QString NewCentreTest::companiesListed()
{
    QStringList codes;
    (void)QTest::qWaitFor([] { return focusName() == "fgLIst"; });
    if (auto* grid = qobject_cast<QTableWidget*>(QApplication::focusWidget()))
        for (int row = 0; row < grid->rowCount(); ++row)
            codes << (grid->item(row, 1) ? grid->item(row, 1)->text() : QString());
    return codes.join(' ');
}

bool NewCentreTest::signInAndChoose()
{
    m_signIn = std::make_unique<frm_Gen_Pass>();
    if (!m_signIn->load())
        return false;
    m_signIn->show();
    const QString offered = m_signIn->findChild<QLineEdit*>("txtUser")->text();
    if (offered != "ravi" || !keysTo("txtPass", "cream 7")) {
        qWarning("offered \"%s\"", qPrintable(offered));
        return false;
    }
    const QString listed = companiesListed();
    if (listed != "GV ") { // and the empty row after it
        qWarning("companies listed: %s", qPrintable(listed));
        return false;
    }
    if (!keysTo("fgLIst") || !keysTo("dtpDate") || !keysTo("cmbAP"))
        return false;
    m_desk = deskAfter(m_signIn.get());
    return m_desk;
}

bool NewCentreTest::weighVillage(const QString& code)
{
    auto* weight = m_desk->findChild<QLineEdit*>("txtWeight");
    return truckFields() && receiptUpToWeight(m_desk, code, code, "2") && keysTo("cmdWeight") &&
           QTest::qWaitFor([weight] { return weight->text() == "48.5"; }, kWait) &&
           keysTo("cmdAdd") && QTest::qWaitFor([] { return focusName() == "txtVCode"; });
}

void NewCentreTest::setUpAndWorked_data()
{
    QTest::addColumn<bool>("nextYear");
    QTest::newRow("first year") << false;
    QTest::newRow("next year, made with new-year") << true;
}

void NewCentreTest::setUpAndWorked()
{
    QFETCH(bool, nextYear);
    m_env = std::make_unique<TestEnv>();
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--weights", "48.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.tcpPort().isEmpty(), kWait);
    QVERIFY(setUpCentre(scale.tcpPort()));
    QString dbMst = "GV_2024";
    QDate today(2024, 3, 5);
    if (nextYear) {
        const admintest::Run run = runAdmin(QStringList{"company", "new-year", "GV"} + root());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        dbMst = "GV_2025";
        today = QDate(2025, 2, 1);
    }
    m_env->setClock(QDateTime(today, QTime(6, 45, 0)));
    const QString db = yearDatabase(dbMst);
    const QString ref = TestEnv::scalar(db, "SELECT VRefNo FROM Mast_Villages WHERE VCode = "
                                            "'1234'")
                            .toString();
    QCOMPARE(TestEnv::scalar(db, "SELECT COUNT(*) FROM Mast_Villages").toInt(), kVillages);

    QVERIFY(signInAndChoose());
    QCOMPARE(Gen_DbMst, dbMst);
    QCOMPARE(m_desk->findChild<QComboBox*>("cmbRoute")->currentText(), QString("East Ridge"));
    QCOMPARE(m_desk->findChild<QLineEdit*>("txtTNo")->text(), QString("KA 01 T 7"));
    QVERIFY(weighVillage("1234")); // on route 1: 1000 + an even number
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QCOMPARE(TestEnv::scalar(db, "SELECT d.RefNo || '|' || d.VRefNo || '|' || v.VCode || '|' || "
                                 "d.UName || '|' || d.Uid || '|' || d.MWeight || '|' || d.RefDate "
                                 "FROM Data_Wght d JOIN Mast_Villages v ON v.VRefNo = d.VRefNo")
                 .toString(),
             QString("1|%1|1234|ravi|1|48.5|%2").arg(ref, today.toString(Qt::ISODate)));
    if (nextYear) {
        // The same villages under the same codes and numbers; the old year keeps its own.
        const QString old = yearDatabase("GV_2024");
        QCOMPARE(TestEnv::scalar(old, "SELECT VRefNo FROM Mast_Villages WHERE VCode = '1234'")
                     .toString(),
                 ref);
        QCOMPARE(TestEnv::scalar(old, "SELECT COUNT(*) FROM Data_Wght").toInt(), 0);
    }
}

QTEST_MAIN(NewCentreTest)
#include "tst_newcentre.moc"

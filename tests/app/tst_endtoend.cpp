// The whole desk as an operator works it: sign-in, company, date and shift, then receipts
// weighed on the simulated scale running as a process of its own, all by the keyboard.

#include "Installation.h"
#include "TestEnv.h"
#include "WeighingWindow.h"
#include "dates/frm_Dates.h"
#include "datastore/GenState.h"
#include "signin/A_Start.h"
#include "signin/frm_Gen_Pass.h"
#include "weighing/frm_Data.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {
// What the scale delivers comes when it comes; this only bounds a hang.
constexpr int kScaleWait = 10000;
const QDate kToday(2024, 3, 5);
const QDateTime kMoment(kToday, QTime(9, 0, 0));

// The simulated scale as a child process: its printed lines collected, its platform loaded
// through its standard input.
class ScaleProcess {
public:
    explicit ScaleProcess(const QStringList& arguments)
    {
        process.setProgram(qEnvironmentVariable("TARVOLEN_BIN_DIR") + "/tarvolen-scale-sim");
        process.setArguments(arguments);
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &process, [this] {
            output += QString::fromLocal8Bit(process.readAllStandardOutput());
        });
        process.start();
    }
    ~ScaleProcess()
    {
        // Ended as an operator ends it, so that it removes its serial link.
        process.terminate();
        if (!process.waitForFinished(kScaleWait))
            process.kill();
    }
    // The rest of the last printed line that starts with prefix.
    QString lineAfter(const QString& prefix) const
    {
        QString found;
        for (const QString& line : output.split('\n'))
            if (line.startsWith(prefix))
                found = line.mid(prefix.size()).trimmed();
        return found;
    }
    QString tcpPort() const { return lineAfter("listening ").section(':', -1); }
    void place(const char* weight) { process.write(QByteArray(weight) + '\n'); }

    QProcess process;
    QString output;
};

template <typename T> T* control(const QWidget* window, const char* name)
{
    T* found = window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        qFatal("no control %s", name);
    return found;
}

template <typename W> W* shownWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<W*>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

QString focusName()
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// One row of a statement, by column name.
QVariantMap rowOf(const QString& file, const QString& sql)
{
    QVariantMap row;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tst_endtoend-row");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next()) {
                for (int i = 0; i < q.record().count(); ++i)
                    row.insert(q.record().fieldName(i), q.value(i));
            }
        }
    }
    QSqlDatabase::removeDatabase("tst_endtoend-row");
    return row;
}

int scalarInt(const QString& file, const QString& sql)
{
    return testkit::TestEnv::scalar(file, sql).toInt();
}

QStringList gridColumn(const QTableWidget* grid, int column)
{
    QStringList cells;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QTableWidgetItem* item = grid->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}
} // namespace

// A key goes to the field that has the focus, and the test first makes sure it is the field
// the operator means.
#define PRESS_IN(window, name, key)                                                                \
    do {                                                                                           \
        QTRY_COMPARE(focusName(), QString(name));                                                  \
        QTest::keyClick(control<QWidget>(window, name), key);                                      \
    } while (false)
#define TYPE_IN(window, name, text)                                                                \
    do {                                                                                           \
        QTRY_COMPARE(focusName(), QString(name));                                                  \
        QTest::keyClicks(control<QWidget>(window, name), text);                                    \
    } while (false)

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void networkScaleOnRequest();
    void networkScaleContinuous();
    void serialScaleOnRequest();

private:
    // Sign-in as the offered operator, the company in row companyRow of the list, today's
    // morning shift; leaves m_desk on the loaded weighing window.
    void walkToWeighingWindow(int companyRow, const QString& company);
    // A village picked through the lookup, from the keys typed in the village code.
    void pickVillage(const QString& keys, const QString& code);
    void station(const QString& company, int link, int format, const QString& tcpPort = QString(),
                 int port = -1, double speed = -1);
    QString companyFile(const QString& company) const
    {
        return m_env->companyFile(admin::latestDbMst(m_env->dataRoot(), company));
    }
    QString weight() const { return control<QLineEdit>(m_desk, "txtWeight")->text(); }
    bool addEnabled() const { return control<QPushButton>(m_desk, "cmdAdd")->isEnabled(); }

    std::unique_ptr<testkit::TestEnv> m_env;
    std::unique_ptr<frm_Gen_Pass> m_signIn;
    QPointer<frm_Data> m_desk;
};

#define WALK_TO_WEIGHING_WINDOW(row, company)                                                      \
    do {                                                                                           \
        walkToWeighingWindow(row, company);                                                        \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)
#define PICK_VILLAGE(keys, code)                                                                   \
    do {                                                                                           \
        pickVillage(keys, code);                                                                   \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

void EndToEndTest::initTestCase()
{
    wireWeighingWindow();
}

void EndToEndTest::init()
{
    m_env = std::make_unique<testkit::TestEnv>();
    admin::InitOptions options;
    options.programDir = m_env->programDir();
    options.dataRoot = m_env->dataRoot();
    options.demo = true;
    options.today = kToday;
    QCOMPARE(admin::initInstallation(options), QString());
    m_env->setClock(kMoment);
}

void EndToEndTest::cleanup()
{
    if (m_desk) {
        m_desk->close(); // the window's unload closes the scale links
        delete m_desk;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<frm_Dates*>(window) || qobject_cast<frm_Data*>(window))
            delete window;
    }
    m_signIn.reset();
    m_env.reset();
}

void EndToEndTest::station(const QString& company, int link, int format, const QString& tcpPort,
                           int port, double speed)
{
    admin::StationOptions options;
    options.dataRoot = m_env->dataRoot();
    options.company = company;
    options.link = link;
    options.format = format;
    options.port = port;
    options.speed = speed;
    if (!tcpPort.isNull()) {
        options.host = "127.0.0.1";
        options.tcpPort = tcpPort;
    }
    QCOMPARE(admin::writeStation(options), QString());
}

void EndToEndTest::walkToWeighingWindow(int companyRow, const QString& company)
{
    m_signIn = std::make_unique<frm_Gen_Pass>();
    QVERIFY(m_signIn->load());
    m_signIn->show();
    QVERIFY(QTest::qWaitForWindowActive(m_signIn.get()));
    QCOMPARE(control<QLineEdit>(m_signIn.get(), "txtUser")->text(), QString("operator"));
    TYPE_IN(m_signIn.get(), "txtPass", "milk");
    PRESS_IN(m_signIn.get(), "txtPass", Qt::Key_Return);
    QCOMPARE(m_env->messageTexts(), QStringList());
    QCOMPARE(Gen_UName, QString("operator"));

    A_Start* start = m_signIn->companyWindow();
    QVERIFY(start);
    QTRY_VERIFY(start->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(start));
    for (int row = 0; row < companyRow; ++row)
        PRESS_IN(start, "fgLIst", Qt::Key_Down);
    PRESS_IN(start, "fgLIst", Qt::Key_Return);
    QCOMPARE(Gen_ComCode, company);

    frm_Dates* dates = nullptr;
    QTRY_VERIFY((dates = shownWindow<frm_Dates>()) != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(dates));
    QCOMPARE(control<QDateEdit>(dates, "dtpDate")->date(), kToday);
    PRESS_IN(dates, "dtpDate", Qt::Key_Return);
    PRESS_IN(dates, "cmbAP", Qt::Key_Return);

    QTRY_VERIFY((m_desk = shownWindow<frm_Data>()) != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(m_desk));
    QTRY_VERIFY(!shownWindow<frm_Dates>());
    QTRY_VERIFY(!m_signIn->isVisible());
    QCOMPARE(control<QDateEdit>(m_desk, "dtpDate")->date(), kToday);
    QCOMPARE(control<QComboBox>(m_desk, "cmbAP")->currentText(), QString("AM"));
    QCOMPARE(m_env->messageTexts(), QStringList());
    QCOMPARE(m_env->endCount, 0);
}

void EndToEndTest::pickVillage(const QString& keys, const QString& code)
{
    TYPE_IN(m_desk, "txtVCode", keys.left(1));
    QVERIFY(control<QWidget>(m_desk, "fmVill")->isVisible());
    TYPE_IN(m_desk, "txtItemCode", keys.mid(1));
    QCOMPARE(control<QLineEdit>(m_desk, "txtItemCode")->text(), keys);
    PRESS_IN(m_desk, "txtItemCode", Qt::Key_Return);
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QVERIFY(!control<QWidget>(m_desk, "fmVill")->isVisible());
    QCOMPARE(control<QLineEdit>(m_desk, "txtVCode")->text(), code);
}

void EndToEndTest::networkScaleOnRequest()
{
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--weights", "56.5,61.2"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.tcpPort().isEmpty(), kScaleWait);
    station("DAIRY1", 2, 2, scale.tcpPort());
    const QString db = companyFile("DAIRY1");
    const QString shift = "RefDate = '2024-03-05' AND AmPm = 2";
    const int lastRefNo = scalarInt(db, "SELECT MAX(RefNo) FROM Data_Wght");
    const int lastSlNo = scalarInt(db, "SELECT MAX(DlySlNo) FROM Data_Wght WHERE " + shift);
    const int routeRows = scalarInt(db, "SELECT COUNT(*) FROM Data_Wght WHERE RtRefNo = 1 AND " + shift);

    WALK_TO_WEIGHING_WINDOW(0, "DAIRY1");
    auto* grid = control<QTableWidget>(m_desk, "fgLIst");
    auto* route = control<QComboBox>(m_desk, "cmbRoute");
    auto* truck = control<QLineEdit>(m_desk, "txtTNo");

    // Route 1 is chosen at load; the operator looks at the other route and comes back.
    QCOMPARE(route->currentText(), QString("East Ridge"));
    PRESS_IN(m_desk, "cmbRoute", Qt::Key_Down);
    QCOMPARE(route->currentText(), QString("River Road"));
    QCOMPARE(truck->text(), QString("TRK-122"));
    QCOMPARE(grid->rowCount(), 0);
    PRESS_IN(m_desk, "cmbRoute", Qt::Key_Up);
    QCOMPARE(route->currentText(), QString("East Ridge"));
    QCOMPARE(truck->text(), QString("TRK-117"));
    QCOMPARE(grid->rowCount(), routeRows);

    // Truck fields: another truck came, typed in lower case.
    PRESS_IN(m_desk, "cmbRoute", Qt::Key_Return);
    TYPE_IN(m_desk, "txtTNo", "ka 05 mk 1234");
    QCOMPARE(truck->text(), QString("KA 05 MK 1234"));
    PRESS_IN(m_desk, "txtTNo", Qt::Key_Return);
    PRESS_IN(m_desk, "dtpSchTime", Qt::Key_Return);
    PRESS_IN(m_desk, "dtpArrTime", Qt::Key_Return);
    TYPE_IN(m_desk, "txtTruckKMR", "36.5");
    PRESS_IN(m_desk, "txtTruckKMR", Qt::Key_Return);
    PRESS_IN(m_desk, "txtTruckRecAmt", Qt::Key_Return);
    TYPE_IN(m_desk, "txtTruckRemarks", "tyre changed");
    PRESS_IN(m_desk, "txtTruckRemarks", Qt::Key_Return);

    // First receipt: village 12, two cans.
    PICK_VILLAGE("12", "12");
    const int village12 = scalarInt(db, "SELECT VRefNo FROM Mast_Villages WHERE RtRefNo = 1 AND VCode = '12'");
    QCOMPARE(control<QLineEdit>(m_desk, "txtVCode")->property("Tag").toString(), QString::number(village12));
    PRESS_IN(m_desk, "txtVCode", Qt::Key_Return);
    PRESS_IN(m_desk, "txtVName", Qt::Key_Return);
    PRESS_IN(m_desk, "cmbAnimal", Qt::Key_Return);
    PRESS_IN(m_desk, "cmbMilkType", Qt::Key_Return);
    TYPE_IN(m_desk, "txtCans", "2");
    PRESS_IN(m_desk, "txtCans", Qt::Key_Return);
    PRESS_IN(m_desk, "cmdWeight", Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("56.5"), kScaleWait);
    QCOMPARE(control<QLabel>(m_desk, "lblWeight")->text(), QString("56.5"));
    PRESS_IN(m_desk, "cmdAdd", Qt::Key_Return);

    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QVariantMap stored = rowOf(db, "SELECT * FROM Data_Wght ORDER BY RefNo DESC LIMIT 1");
    QCOMPARE(stored.value("RefNo").toInt(), lastRefNo + 1);
    QCOMPARE(stored.value("DlySlNo").toInt(), lastSlNo + 1);
    QCOMPARE(stored.value("RefDate").toString(), QString("2024-03-05"));
    QCOMPARE(stored.value("AmPm").toInt(), 2);
    QCOMPARE(stored.value("RtRefNo").toInt(), 1);
    QCOMPARE(stored.value("VRefNo").toInt(), village12);
    QCOMPARE(stored.value("ACode").toInt(), 1);
    QCOMPARE(stored.value("CansRecd").toDouble(), 2.0);
    QCOMPARE(stored.value("MWeight").toDouble(), 56.5);
    QCOMPARE(stored.value("TruckNo").toString(), QString("KA 05 MK 1234"));
    QCOMPARE(stored.value("TruckKMR").toDouble(), 36.5);
    QCOMPARE(stored.value("TruckRemarks").toString(), QString("tyre changed"));
    QCOMPARE(stored.value("UName").toString(), QString("operator"));
    QCOMPARE(stored.value("Uid").toInt(), 1);
    QCOMPARE(stored.value("ColTime").toString(), QString("09:00:00 AM"));
    QCOMPARE(grid->rowCount(), routeRows + 1);
    QCOMPARE(grid->item(0, 0)->text(), QString::number(lastSlNo + 1));
    QCOMPARE(grid->item(0, 1)->text(), QString("12"));
    QCOMPARE(grid->item(0, 6)->text(), QString("56.5"));
    QTRY_COMPARE_WITH_TIMEOUT(scale.lineAfter("clear "), QString("1"), kScaleWait);
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(weight(), QString());
    QCOMPARE(truck->text(), QString());

    // Second receipt: village 10, buffalo milk, without truck details this time.
    PICK_VILLAGE("1", "10");
    PRESS_IN(m_desk, "txtVCode", Qt::Key_Return);
    PRESS_IN(m_desk, "txtVName", Qt::Key_Return);
    PRESS_IN(m_desk, "cmbAnimal", Qt::Key_Down);
    PRESS_IN(m_desk, "cmbAnimal", Qt::Key_Return);
    PRESS_IN(m_desk, "cmbMilkType", Qt::Key_Return);
    TYPE_IN(m_desk, "txtCans", "2");
    PRESS_IN(m_desk, "txtCans", Qt::Key_Return);
    PRESS_IN(m_desk, "cmdWeight", Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("61.2"), kScaleWait);
    PRESS_IN(m_desk, "cmdAdd", Qt::Key_Return);

    QCOMPARE(m_env->messageTexts(), (QStringList{"Successfully Added", "Successfully Added"}));
    stored = rowOf(db, "SELECT * FROM Data_Wght ORDER BY RefNo DESC LIMIT 1");
    QCOMPARE(stored.value("RefNo").toInt(), lastRefNo + 2);
    QCOMPARE(stored.value("DlySlNo").toInt(), lastSlNo + 2);
    QCOMPARE(stored.value("VRefNo").toInt(),
             scalarInt(db, "SELECT VRefNo FROM Mast_Villages WHERE RtRefNo = 1 AND VCode = '10'"));
    QCOMPARE(stored.value("ACode").toInt(), 2);
    QCOMPARE(stored.value("MWeight").toDouble(), 61.2);
    QCOMPARE(stored.value("TruckNo").toString(), QString());
    QCOMPARE(grid->rowCount(), routeRows + 2);
    const QStringList serials = gridColumn(grid, 0);
    QCOMPARE(serials.mid(0, 2), (QStringList{QString::number(lastSlNo + 2), QString::number(lastSlNo + 1)}));
    QCOMPARE(gridColumn(grid, 6).mid(0, 2), (QStringList{"61.2", "56.5"}));
    QTRY_COMPARE_WITH_TIMEOUT(scale.lineAfter("clear "), QString("2"), kScaleWait);
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(m_env->endCount, 0);
}

void EndToEndTest::networkScaleContinuous()
{
    // The desk opens with cans still standing on the platform.
    ScaleProcess scale({"--tcp", "127.0.0.1:0", "--mode", "continuous", "--stdin", "--weights", "12.5"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.tcpPort().isEmpty(), kScaleWait);
    station("DAIRY2", 4, 2, scale.tcpPort());
    const QString db = companyFile("DAIRY2");
    const int rowsBefore = scalarInt(db, "SELECT COUNT(*) FROM Data_Wght");

    WALK_TO_WEIGHING_WINDOW(1, "DAIRY2");
    auto* add = control<QPushButton>(m_desk, "cmdAdd");
    QVERIFY(!control<QPushButton>(m_desk, "cmdWeight")->isEnabled());
    QVERIFY(!add->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("12.5"), kScaleWait);
    QVERIFY(!add->isEnabled());

    // No route 1 here: the operator picks the first route from the keyboard.
    auto* route = control<QComboBox>(m_desk, "cmbRoute");
    QCOMPARE(route->currentIndex(), -1);
    PRESS_IN(m_desk, "cmbRoute", Qt::Key_Down);
    QCOMPARE(route->currentText(), QString("Canal Side"));
    QCOMPARE(control<QLineEdit>(m_desk, "txtTNo")->text(), QString("TRK-210"));
    for (const char* field : {"cmbRoute", "txtTNo", "dtpSchTime", "dtpArrTime", "txtTruckKMR",
                              "txtTruckRecAmt", "txtTruckRemarks"})
        PRESS_IN(m_desk, field, Qt::Key_Return);

    // The platform is emptied, then the first village's can is put on it.
    scale.place("0");
    QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), kScaleWait);
    QCOMPARE(weight(), QString("0.0"));
    scale.place("40.5");
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("40.5"), kScaleWait);
    QVERIFY(add->isEnabled());

    PICK_VILLAGE("4", "40");
    for (const char* field : {"txtVCode", "txtVName", "cmbAnimal", "cmbMilkType"})
        PRESS_IN(m_desk, field, Qt::Key_Return);
    TYPE_IN(m_desk, "txtCans", "1");
    PRESS_IN(m_desk, "txtCans", Qt::Key_Return); // straight on to Add: the scale gave the weight
    PRESS_IN(m_desk, "cmdAdd", Qt::Key_Return);
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QCOMPARE(scalarInt(db, "SELECT COUNT(*) FROM Data_Wght"), rowsBefore + 1);
    QVariantMap stored = rowOf(db, "SELECT * FROM Data_Wght ORDER BY RefNo DESC LIMIT 1");
    QCOMPARE(stored.value("MWeight").toDouble(), 40.5);
    QCOMPARE(stored.value("RtRefNo").toInt(), 2);
    QCOMPARE(stored.value("DlySlNo").toInt(), 1);
    QCOMPARE(stored.value("TruckNo").toString(), QString("TRK-210"));
    QVERIFY(!add->isEnabled());
    QTRY_COMPARE(focusName(), QString("txtVCode"));

    // The same can is still on the platform: shown again, but it cannot be added twice.
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("40.5"), kScaleWait);
    QVERIFY(!add->isEnabled());
    PICK_VILLAGE("41", "41");
    for (const char* field : {"txtVCode", "txtVName", "cmbAnimal", "cmbMilkType"})
        PRESS_IN(m_desk, field, Qt::Key_Return);
    TYPE_IN(m_desk, "txtCans", "1");
    PRESS_IN(m_desk, "txtCans", Qt::Key_Return);
    QCOMPARE(focusName(), QString("txtCans")); // a disabled Add cannot take the focus
    QTest::keyClick(add, Qt::Key_Return);
    QTest::keyClick(m_desk, Qt::Key_A, Qt::AltModifier);

    // Lifted and the next can put on: Add is armed again. Nothing came of the keys meanwhile.
    scale.place("0");
    QTRY_VERIFY_WITH_TIMEOUT(add->isEnabled(), kScaleWait);
    QCOMPARE(scalarInt(db, "SELECT COUNT(*) FROM Data_Wght"), rowsBefore + 1);
    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    QCOMPARE(focusName(), QString("txtCans"));
    scale.place("38.5");
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("38.5"), kScaleWait);
    // This time by Add's Alt key straight from the cans field; the next village follows.
    QTest::keyClick(control<QWidget>(m_desk, "txtCans"), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(scalarInt(db, "SELECT COUNT(*) FROM Data_Wght"), rowsBefore + 2,
                              kScaleWait);
    QCOMPARE(m_env->messageTexts(), (QStringList{"Successfully Added", "Successfully Added"}));
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    stored = rowOf(db, "SELECT * FROM Data_Wght ORDER BY RefNo DESC LIMIT 1");
    QCOMPARE(stored.value("MWeight").toDouble(), 38.5);
    QCOMPARE(stored.value("DlySlNo").toInt(), 2);
    QCOMPARE(stored.value("VRefNo").toInt(),
             scalarInt(db, "SELECT VRefNo FROM Mast_Villages WHERE RtRefNo = 2 AND VCode = '41'"));
    QCOMPARE(gridColumn(control<QTableWidget>(m_desk, "fgLIst"), 6), (QStringList{"38.5", "40.5"}));
    QVERIFY(!add->isEnabled());
    // The continuous scale is not told to clear.
    QCOMPARE(scale.lineAfter("clear "), QString());
    QCOMPARE(m_env->endCount, 0);
}

void EndToEndTest::serialScaleOnRequest()
{
    ScaleProcess scale({"--pty", m_env->configDir() + "/com1", "--weights", "23.4"});
    QTRY_VERIFY_WITH_TIMEOUT(!scale.lineAfter("pty ").isEmpty(), kScaleWait);
    station("DAIRY1", 1, 2, QString(), 1, 9600);
    const QString db = companyFile("DAIRY1");
    const int lastRefNo = scalarInt(db, "SELECT MAX(RefNo) FROM Data_Wght");

    WALK_TO_WEIGHING_WINDOW(0, "DAIRY1");
    for (const char* field : {"cmbRoute", "txtTNo", "dtpSchTime", "dtpArrTime", "txtTruckKMR",
                              "txtTruckRecAmt", "txtTruckRemarks"})
        PRESS_IN(m_desk, field, Qt::Key_Return);
    PICK_VILLAGE("13", "13");
    for (const char* field : {"txtVCode", "txtVName", "cmbAnimal", "cmbMilkType"})
        PRESS_IN(m_desk, field, Qt::Key_Return);
    TYPE_IN(m_desk, "txtCans", "1");
    PRESS_IN(m_desk, "txtCans", Qt::Key_Return);
    PRESS_IN(m_desk, "cmdWeight", Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(weight(), QString("23.4"), kScaleWait);
    // The serial reply comes after Get Weight is done, so the focus stays there; Tab goes on.
    PRESS_IN(m_desk, "cmdWeight", Qt::Key_Tab);
    PRESS_IN(m_desk, "cmdAdd", Qt::Key_Return);

    QCOMPARE(m_env->messageTexts(), QStringList{"Successfully Added"});
    const QVariantMap stored = rowOf(db, "SELECT * FROM Data_Wght ORDER BY RefNo DESC LIMIT 1");
    QCOMPARE(stored.value("RefNo").toInt(), lastRefNo + 1);
    QCOMPARE(stored.value("MWeight").toDouble(), 23.4);
    QCOMPARE(stored.value("TruckNo").toString(), QString("TRK-117"));
    QTRY_COMPARE_WITH_TIMEOUT(scale.lineAfter("clear "), QString("1"), kScaleWait);
    QTRY_COMPARE(focusName(), QString("txtVCode"));
    QCOMPARE(m_env->endCount, 0);
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"

// The weighing window's one way of waiting: its work runs piece by piece from the event loop; a
// busy piece is tried again while those behind it wait their turn, and is given up after the
// limit; while the work waits the window drops the keys meant for it, never those of a box
// opened meanwhile, and cannot be closed.

#include "TestEnv.h"
#include "weighing/CompanyWork.h"
#include "weighing/StatusArea.h"
#include "weighing/WindowBusy.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

using weighing::Attempt;
using weighing::CompanyWork;
using weighing::WindowBusy;

namespace {
// A piece that is busy for its first `busyTries` tries, noting each try in the log.
CompanyWork::Try piece(QStringList* log, const QString& name, int busyTries)
{
    auto tries = std::make_shared<int>(0);
    return [=] {
        *log << name;
        return ++*tries <= busyTries ? Attempt::Busy : Attempt::Done;
    };
}
} // namespace

class CompanyWorkTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> m_window;
    WindowBusy* m_busy = nullptr;
    CompanyWork* m_work = nullptr;
    QLineEdit* m_field = nullptr;

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_field = new QLineEdit(m_window.get());
        m_busy = new WindowBusy(m_window.get());
        m_work = new CompanyWork(m_busy, m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void piecesRunInTurn_data()
    {
        QTest::addColumn<int>("busyTries"); // of the first piece
        QTest::addColumn<bool>("waited");
        QTest::newRow("nothing busy: run at once") << 0 << false;
        QTest::newRow("first busy twice: the second waits") << 2 << true;
    }
    void piecesRunInTurn()
    {
        QFETCH(int, busyTries);
        QFETCH(bool, waited);
        QStringList log;
        QSignalSpy waiting(m_work, &CompanyWork::waitingChanged);
        m_work->run(piece(&log, "first", busyTries), {});
        m_work->run(piece(&log, "second", 0), {});
        if (!waited) {
            QCOMPARE(log, (QStringList{"first", "second"}));
            QCOMPARE(waiting.count(), 0);
            return;
        }
        QCOMPARE(log, QStringList{"first"});
        QVERIFY(m_work->waiting() && m_busy->waitingFor(weighing::WaitFor::Database));
        QTRY_COMPARE(log, (QStringList{"first", "first", "first", "second"}));
        QCOMPARE(waiting.count(), 2);
        QVERIFY(!m_work->waiting() && !m_busy->waiting());
    }

    void busyPastTheLimitIsGivenUp()
    {
        QStringList log;
        std::chrono::milliseconds gaveUpAfter{0};
        m_work->setWaitLimit(std::chrono::milliseconds(200));
        m_work->run(piece(&log, "stuck", 1000000),
                    [&](std::chrono::milliseconds waited) { gaveUpAfter = waited; });
        m_work->run(piece(&log, "next", 0), {});
        QTRY_VERIFY(log.contains("next"));
        QVERIFY2(gaveUpAfter >= std::chrono::milliseconds(200),
                 qPrintable(QString::number(gaveUpAfter.count())));
        QVERIFY(log.count("stuck") > 2);
        QVERIFY(!m_work->waiting() && !m_busy->waiting());
    }

    // A piece that runs more work puts it behind itself; it runs before control goes back.
    void workFromAPieceRunsAfterIt()
    {
        QStringList log;
        m_work->run(
            [&] {
                m_work->run(piece(&log, "inner", 0), {});
                log << "outer";
                return Attempt::Done;
            },
            {});
        QCOMPARE(log, (QStringList{"outer", "inner"}));
    }

    // While the work waits, a key for the window is dropped and the window stays; a box opened
    // meanwhile takes its keys and closes.
    void waitingDropsTheWindowsInputOnly()
    {
        QStringList log;
        m_work->run(piece(&log, "stuck", 1000000), {});
        m_field->setFocus();
        QTest::keyClicks(m_field, "12");
        QCOMPARE(m_field->text(), QString());
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());

        QString answered;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QTest::keyClick(box, Qt::Key_Return);
            answered = box->isVisible() ? QString() : box->text();
            if (box->isVisible())
                box->done(0); // not answered: end it so that the test does not hang
        });
        QMessageBox box(QMessageBox::NoIcon, "Tarvolen", "Successfully Added", QMessageBox::Ok,
                        m_window.get());
        box.exec();
        QCOMPARE(answered, QString("Successfully Added"));

        m_work->setWaitLimit(std::chrono::milliseconds(0));
        QTRY_VERIFY(!m_busy->waiting());
        QTest::keyClicks(m_field, "12");
        QCOMPARE(m_field->text(), QString("12"));
        QVERIFY(m_window->close());
    }

    // The waiting notice beside the scale's state and the keys is never cut off at the line's
    // edge, where the window's buttons stand.
    void waitingNoticeStaysInView()
    {
        QLabel label(m_window.get());
        label.setFont(QFont(QStringLiteral("Arial"), 8));
        label.setGeometry(160, 409, 485, 30);
        StatusArea status(&label);
        status.setScaleState("scale: last reply 10:42:07 AM — network 192.168.1.20:5001, on request");
        status.setKeyHints("F8 shift report");
        status.setNotice(StatusArea::databaseWaitNotice());
        const QStringList lines = label.text().split('\n');
        QCOMPARE(lines.first(), StatusArea::databaseWaitNotice());
        for (const QString& line : lines)
            QVERIFY2(label.fontMetrics().horizontalAdvance(line) <= label.contentsRect().width(),
                     qPrintable(line));
        QVERIFY(lines.size() * label.fontMetrics().lineSpacing() <= label.contentsRect().height());
        QCOMPARE(label.toolTip(), status.text());
    }
};

QTEST_MAIN(CompanyWorkTest)
#include "tst_companywork.moc"

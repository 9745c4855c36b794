// F8 in the weighing window opens the shift's report in a preview, from any field, with the
// key shown in the status line and no control of the window moved.

#include "tst_window_fixture.h"

#include "datastore/Startup.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTimer>

using windowtest::Desk;

namespace {
// Closes the preview once it is up, noting what it was.
struct PreviewWatch {
    QString shownTitle;
    int seen = 0;
    void arm()
    {
        QTimer::singleShot(50, [this] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview) {
                arm();
                return;
            }
            ++seen;
            shownTitle = preview->windowTitle();
            preview->reject();
        });
    }
};

QMap<QString, QRect> geometries(QWidget* window)
{
    QMap<QString, QRect> all;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            all.insert(w->objectName(), w->geometry());
    }
    return all;
}
} // namespace

class ShiftReportKeyTest : public QObject {
    Q_OBJECT

private slots:
    void f8OpensThePreview_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("route list") << "cmbRoute";
        QTest::newRow("village code") << "txtVCode";
        QTest::newRow("cans") << "txtCans";
    }
    void f8OpensThePreview()
    {
        QFETCH(QString, from);
        Desk desk;
        desk.addRoute(1, "North");
        desk.addVillage(1, "V01", "Hill", 1);
        desk.addReceipt(1, 2, 1, 1, 1, 45);
        QVERIFY(Set_MainDsn()); // as start-up leaves it
        desk.open();
        QVERIFY(desk.loaded);
        const QMap<QString, QRect> before = geometries(desk.window.get());
        QWidget* field = desk.field(from);
        field->setFocus();
        PreviewWatch watch;
        watch.arm();
        QTest::keyClick(field, Qt::Key_F8);
        QTRY_COMPARE(watch.seen, 1);
        QCOMPARE(watch.shownTitle, "Shift Report");
        QVERIFY(desk.env.messages.isEmpty());
        QVERIFY(desk.field<QLabel>("lblStatus")->text().contains("F8 shift report"));
        QCOMPARE(geometries(desk.window.get()), before);
    }
};

QTEST_MAIN(ShiftReportKeyTest)
#include "tst_shift_report_key.moc"

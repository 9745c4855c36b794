// Resident memory of the weighing window through a shift: one receipt, then 1,000, each entered
// as an operator does (village code, pick, Enter through the fields, cans, weight, Add), so that
// every field of the entry row gains and loses the focus. Prints the figures; fails (status 1)
// when memory after 1,000 receipts lies more than 5 MB above that after the first.
//
//   build/bin/bench_memory [receipts]

#include "tst_window_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <cstdio>
#include <unistd.h>

using windowtest::Desk;

namespace {
constexpr double kAllowedGrowthMb = 5.0;

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void key(Qt::Key k)
{
    QTest::keyClick(QApplication::focusWidget(), k);
    settle();
}

// One receipt: the village by its code through the lookup, Enter along the row, the cans, the
// weight as the scale would show it, and Add.
bool enterReceipt(Desk& desk, int receipt)
{
    desk.box("txtVCode")->setFocus();
    settle();
    QTest::keyClick(desk.box("txtVCode"), Qt::Key_1);
    settle();
    key(Qt::Key_Return); // picks the first village
    key(Qt::Key_Return); // to the name
    key(Qt::Key_Return); // to the animal type
    key(Qt::Key_Return); // to the milk type
    key(Qt::Key_Return); // to the cans
    QTest::keyClicks(QApplication::focusWidget(), QString::number(1 + receipt % 3));
    key(Qt::Key_Return); // to Get Weight
    desk.box("txtWeight")->setText(QString::number(20 + receipt % 20) + ".5");
    desk.field<QPushButton>("cmdAdd")->click();
    settle();
    const bool added = desk.env.messageTexts() == QStringList{"Successfully Added"};
    desk.env.messages.clear();
    return added;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    QApplication app(argc, argv);
    const int receipts = argc > 1 ? std::max(2, atoi(argv[1])) : 1000;
    Desk desk;
    desk.addRoute(1, QStringLiteral("North"));
    for (int v = 1; v <= 40; ++v)
        desk.addVillage(v, QString::number(100 + v), QStringLiteral("Village %1").arg(v), 1);
    desk.open();
    if (!desk.loaded) {
        std::fprintf(stderr, "the weighing window did not load\n");
        return 2;
    }
    settle();

    double first = 0;
    for (int receipt = 1; receipt <= receipts; ++receipt) {
        if (!enterReceipt(desk, receipt)) {
            std::fprintf(stderr, "receipt %d was not added\n", receipt);
            return 2;
        }
        if (receipt == 1)
            first = residentMb();
        if (receipt == 1 || receipt % 200 == 0 || receipt == receipts)
            std::printf("after %5d receipts: %7.1f MB resident\n", receipt, residentMb());
        std::fflush(stdout);
    }
    const double growth = residentMb() - first;
    std::printf("growth from the first receipt to the last: %.1f MB (allowed %.1f MB)\n", growth,
                kAllowedGrowthMb);
    return growth <= kAllowedGrowthMb ? 0 : 1;
}

#include "RunningTotals.h"

#include "formkit/TextRules.h"

#include <QCoreApplication>
#include <QLabel>

namespace weighing {
namespace {
QString tallyText(const datastore::Tally& tally)
{
    const char* const text =
        tally.receipts == 1 ? QT_TRANSLATE_NOOP("RunningTotals", "%1 receipt, %2 cans, %3 kg")
                            : QT_TRANSLATE_NOOP("RunningTotals", "%1 receipts, %2 cans, %3 kg");
    return QCoreApplication::translate("RunningTotals", text)
        .arg(QString::number(tally.receipts), formkit::plainNumber(tally.cans),
             formkit::shownWeight(tally.weight));
}
} // namespace

QString runningTotalsText(const datastore::ShiftTallies& tallies)
{
    return QCoreApplication::translate("RunningTotals", "Route: %1    Shift: %2")
        .arg(tallyText(tallies.route), tallyText(tallies.shift));
}

QLabel* addRunningTotalsLine(QWidget* window)
{
    auto* line = new QLabel(window);
    line->setObjectName(QStringLiteral("lblTotals"));
    line->setGeometry(22, 393, 680, 16);
    line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = line->font();
    font.setBold(true);
    line->setFont(font);
    return line;
}

} // namespace weighing

#include "frm_Data.h"

#include "ui_frm_Data.h"

#include "CompanyWork.h"
#include "RunningTotals.h"

#include "datastore/Audit.h"
#include "datastore/NullFields.h"
#include "datastore/ShiftQueries.h"
#include "formkit/Combos.h"
#include "formkit/GridLayout.h"
#include "formkit/TextRules.h"

#include <QHeaderView>
#include <QStringList>
#include <QVector>
#include <array>

namespace {
constexpr int kGridColumns = 7;

const QString kGridLayout = QStringLiteral(
    "^SNo.  |<Village Code        |<Village Name                                         "
    "|^Animal Type   |^Milk Type              |^Cans Received  |>Weight                ");

// The headings as translators see them (the layout keeps their English widths).
[[maybe_unused]] const char* const kGridHeadings[] = {
    QT_TRANSLATE_NOOP("frm_Data", "SNo."),         QT_TRANSLATE_NOOP("frm_Data", "Village Code"),
    QT_TRANSLATE_NOOP("frm_Data", "Village Name"), QT_TRANSLATE_NOOP("frm_Data", "Animal Type"),
    QT_TRANSLATE_NOOP("frm_Data", "Milk Type"),    QT_TRANSLATE_NOOP("frm_Data", "Cans Received"),
    QT_TRANSLATE_NOOP("frm_Data", "Weight")};

// A row read from the database, as the grid shows it.
using GridRow = std::array<QString, kGridColumns>;

// A receipt's mark stands in its row header, left of the serial, so that no column moves and
// no cell's text changes: "M" a weight typed by hand, "C" a corrected receipt.
constexpr int kMarkWidth = 16;

struct MarkedReceipts {
    QVector<datastore::GridReceipt> rows;
    QHash<qint32, QChar> marks; // RefNo -> 'M' or 'C'
};

datastore::Result<MarkedReceipts> markedReceipts(datastore::Connection& con, const QDate& date,
                                                 int shift, int route)
{
    auto rows = datastore::gridReceipts(con, date, shift, route);
    if (!rows)
        return rows.error();
    auto marks = datastore::receiptMarks(con, date, shift);
    // A database that another program made without the audit table lists its receipts as
    // they are, without marks.
    if (marks.failedWith(datastore::ErrorKind::Busy) ||
        marks.failedWith(datastore::ErrorKind::ServerAway))
        return marks.error();
    return MarkedReceipts{std::move(rows).value(),
                          marks ? std::move(marks).value() : QHash<qint32, QChar>()};
}

} // namespace

void frm_Data::Design()
{
    ui->fgLIst->setColumnCount(kGridColumns);
    QHeaderView* const marks = ui->fgLIst->verticalHeader();
    marks->setSectionResizeMode(QHeaderView::Fixed);
    marks->setFixedWidth(kMarkWidth);
    marks->setDefaultAlignment(Qt::AlignCenter);
    marks->setToolTip(tr("M: weight typed by hand, C: corrected"));
    // The weight is what the operator checks: the last column takes the room that is left
    // rather than going out of sight behind a scroll bar.
    QHeaderView* const header = ui->fgLIst->horizontalHeader();
    header->setStretchLastSection(true);
    formkit::applyGridLayout(ui->fgLIst, kGridLayout, "frm_Data");
    // A stretched last column never shrinks below the width it was last given.
    header->resizeSection(kGridColumns - 1, header->minimumSectionSize());
}

void frm_Data::Load_Into_Grid()
{
    Design();
    m_totals->clear();
    if (ui->cmbRoute->currentIndex() < 0 || ui->cmbAP->currentIndex() < 0)
        return;
    // Emptied first: rows that cannot be read again (a server away) are not left standing for
    // another route or date.
    QTableWidget* const grid = ui->fgLIst;
    grid->clearContents();
    grid->setRowCount(0);
    grid->setColumnCount(kGridColumns);
    const QDate date = ui->dtpDate->date();
    const int shift = selectedKey(ui->cmbAP);
    const int route = selectedKey(ui->cmbRoute);
    m_work->read<MarkedReceipts>(
        [=](datastore::Connection& con) { return markedReceipts(con, date, shift, route); },
        [this](const MarkedReceipts& stored) { showGridRows(stored.rows, stored.marks); },
        [this] { Design(); });
    m_work->read<datastore::ShiftTallies>(
        [=](datastore::Connection& con) {
            return datastore::shiftTallies(con, date, shift, route);
        },
        [this](const datastore::ShiftTallies& tallies) {
            m_totals->setText(weighing::runningTotalsText(tallies));
        },
        [this] { m_totals->clear(); });
}

void frm_Data::showGridRows(const QVector<datastore::GridReceipt>& stored,
                            const QHash<qint32, QChar>& marks)
{
    QStringList rowMarks;
    QVector<GridRow> rows;
    rows.reserve(stored.size());
    for (const datastore::GridReceipt& r : stored) {
        rows.append(
            GridRow{datastore::Null_Str(r.serial), r.villageCode, r.villageName, r.animal,
                    r.milkType, formkit::plainNumber(datastore::Null_Cur(r.cans).toDouble()),
                    r.weight.isNull() ? QString() : formkit::shownWeight(r.weight.toDouble())});
        const auto mark = marks.constFind(qint32(r.refNo));
        rowMarks << (mark == marks.constEnd() ? QString() : QString(*mark));
    }
    QTableWidget* const grid = ui->fgLIst;
    grid->setUpdatesEnabled(false);
    grid->clearContents();
    grid->setRowCount(int(rows.size()));
    grid->setVerticalHeaderLabels(rowMarks);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < kGridColumns; ++column)
            formkit::setGridCell(grid, row, column, rows[row][std::size_t(column)]);
    }
    grid->setUpdatesEnabled(true);
    Design();
}

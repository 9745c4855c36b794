#include "frm_Data.h"

#include "ui_frm_Data.h"

#include "CompanyWork.h"
#include "RunningTotals.h"

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

// A row read from the database, as the grid shows it.
using GridRow = std::array<QString, kGridColumns>;

} // namespace

void frm_Data::Design()
{
    ui->fgLIst->setColumnCount(kGridColumns);
    ui->fgLIst->verticalHeader()->hide();
    // The weight is what the operator checks: the last column takes the room that is left
    // rather than going out of sight behind a scroll bar.
    QHeaderView* const header = ui->fgLIst->horizontalHeader();
    header->setStretchLastSection(true);
    formkit::applyGridLayout(ui->fgLIst, kGridLayout);
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
    m_work->read<QVector<datastore::GridReceipt>>(
        [=](datastore::Connection& con) {
            return datastore::gridReceipts(con, date, shift, route);
        },
        [this](const QVector<datastore::GridReceipt>& stored) { showGridRows(stored); },
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

void frm_Data::showGridRows(const QVector<datastore::GridReceipt>& stored)
{
    QVector<GridRow> rows;
    rows.reserve(stored.size());
    for (const datastore::GridReceipt& r : stored) {
        rows.append(
            GridRow{datastore::Null_Str(r.serial), r.villageCode, r.villageName, r.animal,
                    r.milkType, formkit::plainNumber(datastore::Null_Cur(r.cans).toDouble()),
                    r.weight.isNull() ? QString() : formkit::shownWeight(r.weight.toDouble())});
    }
    QTableWidget* const grid = ui->fgLIst;
    grid->setUpdatesEnabled(false);
    grid->clearContents();
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < kGridColumns; ++column)
            formkit::setGridCell(grid, row, column, rows[row][std::size_t(column)]);
    }
    grid->setUpdatesEnabled(true);
    Design();
}

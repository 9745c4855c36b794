#include "frm_Data.h"

#include "ui_frm_Data.h"

#include "datastore/Connection.h"
#include "datastore/NullFields.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "formkit/GridLayout.h"
#include "formkit/TextRules.h"

#include <QHeaderView>
#include <QSqlQuery>
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

// Joined rows whose master texts are missing are shown with empty cells rather than refused.
QString textOf(const QSqlQuery& rs, int column)
{
    return datastore::Null_Str(rs.value(column));
}
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
    if (ui->cmbRoute->currentIndex() < 0 || ui->cmbAP->currentIndex() < 0)
        return;
    datastore::Connection con;
    if (!OpenMst(con))
        return;
    QTableWidget* const grid = ui->fgLIst;
    grid->clearContents();
    grid->setRowCount(0);
    grid->setColumnCount(kGridColumns);

    const QString statement =
        QStringLiteral(
            "SELECT Data_Wght.RefNo,Data_Wght.CansRecd, Mast_Villages.VCode,DlySlNo, "
            "Mast_Villages.VName, Mast_Animal.AType, Mast_Milk.MType, Data_Wght.MWeight , "
            "Mast_Routes.RTType FROM (((Data_Wght INNER JOIN Mast_Villages ON Data_Wght.VRefNo = "
            "Mast_Villages.VRefNo) INNER JOIN Mast_Animal ON Data_Wght.ACode = Mast_Animal.ACode) "
            "INNER JOIN Mast_Milk ON Data_Wght.MCode = Mast_Milk.MCode) INNER JOIN Mast_Routes ON "
            "Data_Wght.RTRefNo = Mast_Routes.RTRefNo Where RefDate = ? and AMPM = ") +
        QString::number(selectedKey(ui->cmbAP)) + QStringLiteral(" and Data_Wght.RtRefNo = ") +
        QString::number(selectedKey(ui->cmbRoute)) + QStringLiteral(" Order by DlySlNo Desc");

    QVector<GridRow> rows;
    {
        QSqlQuery rs = con.run(statement, {ui->dtpDate->date()});
        if (!rs.isActive()) {
            datastore::reportQueryError(rs);
            con.close();
            Design();
            return;
        }
        // Columns of the statement: RefNo 0, CansRecd 1, VCode 2, DlySlNo 3, VName 4, AType 5,
        // MType 6, MWeight 7, RTType 8.
        while (rs.next()) {
            const QVariant weight = rs.value(7);
            rows.append(
                GridRow{textOf(rs, 3), textOf(rs, 2), textOf(rs, 4), textOf(rs, 5), textOf(rs, 6),
                        formkit::plainNumber(datastore::Null_Cur(rs.value(1)).toDouble()),
                        weight.isNull() ? QString() : formkit::shownWeight(weight.toDouble())});
        }
    }
    con.close();

    grid->setUpdatesEnabled(false);
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < kGridColumns; ++column)
            formkit::setGridCell(grid, row, column, rows[row][std::size_t(column)]);
    }
    grid->setUpdatesEnabled(true);
    Design();
}

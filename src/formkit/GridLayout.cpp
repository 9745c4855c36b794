#include "GridLayout.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>

namespace formkit {
namespace {
constexpr int kCellPadding = 8;
constexpr int kAlignmentRole = Qt::UserRole + 1;
} // namespace

QList<GridColumn> parseGridLayout(const QString& layout)
{
    QList<GridColumn> columns;
    const QStringList parts = layout.split(QLatin1Char('|'));
    for (const QString& part : parts) {
        GridColumn column;
        QString text = part;
        if (!text.isEmpty()) {
            const QChar mark = text.at(0);
            if (mark == QLatin1Char('^')) {
                column.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
                text.remove(0, 1);
            } else if (mark == QLatin1Char('<')) {
                text.remove(0, 1);
            } else if (mark == QLatin1Char('>')) {
                column.alignment = Qt::AlignRight | Qt::AlignVCenter;
                text.remove(0, 1);
            }
        }
        column.widthText = text;
        column.header = text.trimmed();
        columns << column;
    }
    return columns;
}

void applyGridLayout(QTableWidget* grid, const QString& layout, const char* headingContext)
{
    const QList<GridColumn> columns = parseGridLayout(layout);
    if (grid->columnCount() < columns.size())
        grid->setColumnCount(int(columns.size()));
    const QFontMetrics metrics(grid->font());
    for (int i = 0; i < columns.size(); ++i) {
        const QString header =
            headingContext ? QCoreApplication::translate(headingContext,
                                                         columns[i].header.toUtf8().constData())
                           : columns[i].header;
        auto* item = new QTableWidgetItem(header);
        item->setTextAlignment(columns[i].alignment);
        item->setData(kAlignmentRole, int(columns[i].alignment));
        grid->setHorizontalHeaderItem(i, item);
        grid->setColumnWidth(i, metrics.horizontalAdvance(columns[i].widthText) + kCellPadding);
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (QTableWidgetItem* cell = grid->item(row, i))
                cell->setTextAlignment(columns[i].alignment);
        }
    }
}

void setGridCell(QTableWidget* grid, int row, int column, const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    const QTableWidgetItem* header = grid->horizontalHeaderItem(column);
    cell->setTextAlignment(header ? Qt::Alignment(header->data(kAlignmentRole).toInt())
                                  : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    grid->setItem(row, column, cell);
}

} // namespace formkit

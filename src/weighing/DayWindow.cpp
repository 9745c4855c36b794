#include "DayWindow.h"

#include "formkit/TextRules.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QStringList figureCells(const report::Totals& totals)
{
    return {QString::number(totals.receipts), formkit::plainNumber(totals.cans),
            formkit::shownWeight(totals.weight)};
}

QStringList dayCells(const report::DayFigures& figures)
{
    return figureCells(figures.am) + figureCells(figures.pm) + figureCells(figures.day);
}

QStringList figureHeadings()
{
    return {DayWindow::tr("AM receipts"), DayWindow::tr("AM cans"), DayWindow::tr("AM kg"),
            DayWindow::tr("PM receipts"), DayWindow::tr("PM cans"), DayWindow::tr("PM kg"),
            DayWindow::tr("Receipts"),    DayWindow::tr("Cans"),    DayWindow::tr("Kg")};
}

QTableWidget* newTable(const QString& name, const QStringList& headings, QWidget* parent)
{
    auto* table = new QTableWidget(0, int(headings.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->setDefaultSectionSize(17);
    return table;
}

// The rows of a table, figures right-aligned after the first `textColumns` columns.
void fill(QTableWidget* table, const QVector<QStringList>& rows, int textColumns)
{
    table->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* cell = new QTableWidgetItem(rows[row][column]);
            cell->setTextAlignment(column < textColumns ? Qt::AlignLeft | Qt::AlignVCenter
                                                        : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, cell);
        }
    }
    table->resizeColumnsToContents();
}
} // namespace

DayWindow::DayWindow(QWidget* parent)
    : QDialog(parent), m_title(new QLabel(this)),
      m_routes(newTable(QStringLiteral("fgDayRoutes"),
                        QStringList{tr("Route"), tr("Vehicle")} + figureHeadings(), this)),
      m_milkTypes(newTable(QStringLiteral("fgDayMilk"),
                           QStringList{tr("Milk type")} + figureHeadings(), this)),
      m_pending(newTable(QStringLiteral("fgDayPending"),
                         {tr("Route"), tr("Vehicle"), tr("Not yet delivered")}, this))
{
    setObjectName(QStringLiteral("frm_Day"));
    setWindowTitle(tr("The day at a glance"));
    m_title->setObjectName(QStringLiteral("lblDay"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_routes, 3);
    layout->addWidget(m_milkTypes, 2);
    layout->addWidget(m_pending, 2);
    resize(820, 480);
}

void DayWindow::show(const report::DaySummary& summary)
{
    m_title->setText(tr("%1, %2: the day %3 so far")
                         .arg(summary.company, summary.town, formkit::dateText(summary.date)));
    QVector<QStringList> routes;
    for (const report::DayRoute& route : summary.routes)
        routes << QStringList{QString::number(route.route) + QLatin1Char(' ') + route.name,
                              route.vehicle} +
                      dayCells(route.figures);
    routes << QStringList{tr("All routes"), QString()} + dayCells(summary.overall);
    fill(m_routes, routes, 2);
    for (int column = 0; column < m_routes->columnCount(); ++column) {
        QTableWidgetItem* const total = m_routes->item(m_routes->rowCount() - 1, column);
        QFont bold = total->font();
        bold.setBold(true);
        total->setFont(bold);
    }
    QVector<QStringList> milkTypes;
    for (const report::DayMilkType& milk : summary.byMilkType)
        milkTypes << QStringList{milk.name} + dayCells(milk.figures);
    fill(m_milkTypes, milkTypes, 1);
    QVector<QStringList> pending;
    for (const report::NotDelivered& route : summary.notDelivered)
        pending << QStringList{QString::number(route.route) + QLatin1Char(' ') + route.name,
                               route.vehicle, report::missingShifts(route)};
    if (pending.isEmpty())
        pending << QStringList{tr("Every route with a vehicle today has delivered."), QString(),
                               QString()};
    fill(m_pending, pending, 3);
    QDialog::show();
    raise();
    activateWindow();
}

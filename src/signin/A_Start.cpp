#include "A_Start.h"

#include "ui_A_Start.h"

#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "dates/frm_Dates.h"
#include "formkit/FieldEvents.h"
#include "formkit/GridLayout.h"
#include "formkit/KeyFilters.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QVariant>

namespace {
const QString kCaption = QStringLiteral(" Select Firm   ");
const QString kGridLayout = QStringLiteral("^Sl.No.|^Code|<Name of the Firm") +
                            QString(58, QLatin1Char(' ')) + QStringLiteral("|<Town/Village") +
                            QString(24, QLatin1Char(' '));
constexpr int kCodeColumn = 1;

// Year boundaries are stored as ISO text; a stored time of day is no part of the date.
QDate storedDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}
} // namespace

A_Start::A_Start(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::A_Start>())
{
    ui->setupUi(this);
    connect(ui->cmdOk, &QPushButton::clicked, this, &A_Start::cmdOk_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &A_Start::cmdExit_Click);

    m_fields = new formkit::FieldEvents(this);
    formkit::FieldHandlers list;
    list.keyPress = formkit::enterRuns([this] { cmdOk_Click(); });
    m_fields->on(ui->fgLIst, list);
}

A_Start::~A_Start() = default;

bool A_Start::load()
{
    setWindowTitle(kCaption);
    return Load_Company();
}

bool A_Start::Load_Company()
{
    if (!OpenMain())
        return false;
    QTableWidget* grid = ui->fgLIst;
    grid->clearContents();
    // Row 0 of the list is the first company; one empty row always follows the last.
    grid->setRowCount(1);
    grid->setColumnCount(4);
    {
        QSqlQuery codes =
            Con_Main->run(QStringLiteral("Select Distinct ComCode from Years Order by ComCode"));
        if (!codes.isActive())
            datastore::reportQueryError(codes);
        int row = 0;
        while (codes.next()) {
            const QString code = datastore::Null_Str(codes.value(QStringLiteral("ComCode")));
            QSqlQuery years = Con_Main->run(
                QStringLiteral("Select * from Years Where ComCode = ? order by Code Desc "),
                {code});
            if (!years.isActive()) {
                datastore::reportQueryError(years);
                continue;
            }
            if (!years.next())
                continue;
            formkit::setGridCell(grid, row, 0, QString::number(row + 1));
            formkit::setGridCell(grid, row, 1, code);
            formkit::setGridCell(grid, row, 2,
                                 datastore::Null_Str(years.value(QStringLiteral("ComName"))));
            formkit::setGridCell(grid, row, 3,
                                 datastore::Null_Str(years.value(QStringLiteral("Town"))));
            ++row;
            grid->setRowCount(row + 1);
        }
    }
    Con_Main->close();
    Design();
    grid->setCurrentCell(0, 0);
    return true;
}

void A_Start::Design()
{
    ui->fgLIst->setColumnCount(4);
    formkit::applyGridLayout(ui->fgLIst, kGridLayout);
    // The heading "Code" is narrower than most codes; an operator must read the whole code.
    const int layoutWidth = ui->fgLIst->columnWidth(kCodeColumn);
    ui->fgLIst->resizeColumnToContents(kCodeColumn);
    if (ui->fgLIst->columnWidth(kCodeColumn) < layoutWidth)
        ui->fgLIst->setColumnWidth(kCodeColumn, layoutWidth);
}

void A_Start::cmdOk_Click()
{
    Gen_Today = platform::today();
    const int row = ui->fgLIst->currentRow();
    const QTableWidgetItem* cell = row < 0 ? nullptr : ui->fgLIst->item(row, kCodeColumn);
    Gen_ComCode = cell ? cell->text() : QString();
    if (!OpenMain())
        return;
    {
        QSqlQuery years = Con_Main->run(
            QStringLiteral("Select * from Years where ComCode=? Order by Code"), {Gen_ComCode});
        if (!years.isActive())
            datastore::reportQueryError(years);
        // The last row holds the highest Code: the company's latest year.
        QVariant dbMst, yStart, yEnd;
        bool found = false;
        while (years.next()) {
            dbMst = years.value(QStringLiteral("DbMst"));
            yStart = years.value(QStringLiteral("YStart"));
            yEnd = years.value(QStringLiteral("YEnd"));
            found = true;
        }
        if (found) {
            Gen_DbMst = datastore::Null_Str(dbMst);
            Set_MstDsn();
            Gen_YStart = storedDate(yStart);
            Gen_YEnd = storedDate(yEnd);
        }
    }
    Con_Main->close();

    m_choosing = true;
    close();
    m_choosing = false;
    auto* dates = new frm_Dates();
    dates->setAttribute(Qt::WA_DeleteOnClose);
    dates->load();
    dates->show();
    // Only now, with the date dialog on screen, may the sign-in window go: the program ends
    // when its last window closes.
    emit finished();
}

void A_Start::cmdExit_Click()
{
    platform::endProgram();
}

void A_Start::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        ui->fgLIst->setFocus(Qt::OtherFocusReason);
}

void A_Start::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // Closed by its close box: no company is chosen and the sign-in window goes too.
    if (!m_choosing)
        emit finished();
}

void A_Start::keyPressEvent(QKeyEvent* event)
{
    // Exit is the window's cancel button.
    if (!formkit::escapePresses(ui->cmdExit, event))
        QWidget::keyPressEvent(event);
}

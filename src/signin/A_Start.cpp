#include "A_Start.h"

#include "ui_A_Start.h"

#include "DataErrors.h"
#include "datastore/GenState.h"
#include "datastore/MainQueries.h"
#include "datastore/Startup.h"
#include "dates/frm_Dates.h"
#include "formkit/FieldEvents.h"
#include "formkit/GridLayout.h"
#include "formkit/KeyFilters.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
const QString kGridLayout = QStringLiteral("^Sl.No.|^Code|<Name of the Firm") +
                            QString(58, QLatin1Char(' ')) + QStringLiteral("|<Town/Village") +
                            QString(24, QLatin1Char(' '));
[[maybe_unused]] const char* const kGridHeadings[] = {
    QT_TRANSLATE_NOOP("A_Start", "Sl.No."), QT_TRANSLATE_NOOP("A_Start", "Code"),
    QT_TRANSLATE_NOOP("A_Start", "Name of the Firm"), QT_TRANSLATE_NOOP("A_Start", "Town/Village")};
constexpr int kCodeColumn = 1;

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
    setWindowTitle(tr(" Select Firm   "));
    return Load_Company();
}

bool A_Start::Load_Company()
{
    if (!wentThrough(OpenMain()))
        return false;
    const auto listed = datastore::companies(*Con_Main);
    Con_Main->close();
    QTableWidget* grid = ui->fgLIst;
    grid->clearContents();
    // Row 0 of the list is the first company; one empty row always follows the last.
    const QVector<datastore::CompanyRow> rows = listed ? *listed : QVector<datastore::CompanyRow>();
    if (!listed)
        platform::showMessage(dataError(listed.error()).text);
    grid->setRowCount(int(rows.size()) + 1);
    grid->setColumnCount(4);
    for (int row = 0; row < rows.size(); ++row) {
        formkit::setGridCell(grid, row, 0, QString::number(row + 1));
        formkit::setGridCell(grid, row, 1, rows[row].code);
        formkit::setGridCell(grid, row, 2, rows[row].name);
        formkit::setGridCell(grid, row, 3, rows[row].town);
    }
    Design();
    grid->setCurrentCell(0, 0);
    return true;
}

void A_Start::Design()
{
    ui->fgLIst->setColumnCount(4);
    formkit::applyGridLayout(ui->fgLIst, kGridLayout, "A_Start");
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
    if (!wentThrough(OpenMain()))
        return;
    const auto latest = datastore::latestYear(*Con_Main, Gen_ComCode);
    Con_Main->close();
    if (!latest) {
        platform::showMessage(dataError(latest.error()).text);
        return;
    }
    if (*latest) {
        Gen_DbMst = (*latest)->dbMst;
        Gen_YStart = (*latest)->start;
        Gen_YEnd = (*latest)->end;
        // The road stops here when the year's data source cannot be pointed at its database:
        // nothing may be written through one that still names another.
        const auto registered = Set_MstDsn();
        if (!registered) {
            platform::showMessage(registered.errorText(), QString(),
                                  platform::MessageKind::Critical);
            return;
        }
    }

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

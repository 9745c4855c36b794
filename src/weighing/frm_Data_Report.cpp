#include "frm_Data.h"

#include "CompanyWork.h"
#include "DayWindow.h"
#include "StatusArea.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "datastore/MainQueries.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "report/ReportPreview.h"
#include "report/ShiftReport.h"

#include <QShortcut>
#include <QTimer>

namespace {
const QKeySequence kShiftReportKey(Qt::Key_F8);
const QKeySequence kDayKey(Qt::Key_F9);

// The day's figures with the company's name and town from the main database.
datastore::Result<report::DaySummary> dayWithCompany(datastore::Connection& companyYear,
                                                     const QDate& date)
{
    auto summary = report::daySummary(companyYear, date);
    if (!summary)
        return summary;
    if (const auto opened = OpenMain(); !opened)
        return opened.error();
    const auto companies = datastore::companies(*Con_Main);
    Con_Main->close();
    if (!companies)
        return companies.error();
    for (const datastore::CompanyRow& company : *companies) {
        if (company.code.compare(Gen_ComCode, Qt::CaseInsensitive) == 0) {
            summary->company = company.name;
            summary->town = company.town;
        }
    }
    return summary;
}
} // namespace

void frm_Data::wireShiftReport()
{
    // A window shortcut, so that F8 works from every field without any field's own key
    // handling seeing it.
    auto* key = new QShortcut(kShiftReportKey, this);
    key->setContext(Qt::WindowShortcut);
    key->setObjectName(QStringLiteral("keyShiftReport"));
    connect(key, &QShortcut::activated, this, [this] { ShiftReport_Show(); });
    auto* dayKey = new QShortcut(kDayKey, this);
    dayKey->setContext(Qt::WindowShortcut);
    dayKey->setObjectName(QStringLiteral("keyDay"));
    connect(dayKey, &QShortcut::activated, this, [this] { showDay(); });
    m_status->setKeyHints(tr("F8 shift report  F9 the day"));
}

void frm_Data::ShiftReport_Show()
{
    if (ui->cmbAP->currentIndex() < 0)
        return;
    report::ReportRequest request;
    request.company = Gen_ComCode;
    request.date = ui->dtpDate->date();
    request.shift = selectedKey(ui->cmbAP);
    // The company's name and town come from the main database, which is opened first; the
    // company year is read only once it is open.
    m_work->run(
        [this, request] {
            const auto opened = OpenMain();
            if (opened)
                readShiftReport(request);
            else
                m_work->tellOpenFailure(opened.error());
            return weighing::Attempt::Done;
        },
        {});
}

void frm_Data::readShiftReport(const report::ReportRequest& request)
{
    m_work->read<report::ShiftReport>(
        [request](datastore::Connection& companyYear) -> datastore::Result<report::ShiftReport> {
            if (!Con_Main->isOpen()) {
                const auto opened = OpenMain();
                if (!opened)
                    return opened.error();
            }
            auto loaded = report::loadShiftReport(*Con_Main, companyYear, request);
            // A busy read is tried again on the same connections.
            if (!loaded.failedWith(datastore::ErrorKind::Busy))
                Con_Main->close();
            return loaded;
        },
        [this](const report::ShiftReport& shiftReport) {
            // Shown once this piece of work is over, not inside it.
            QTimer::singleShot(
                0, this, [this, shiftReport] { report::previewShiftReport(shiftReport, this); });
        },
        [] { Con_Main->close(); });
}

void frm_Data::showDay()
{
    const QDate date = ui->dtpDate->date();
    m_work->read<report::DaySummary>(
        [date](datastore::Connection& companyYear) { return dayWithCompany(companyYear, date); },
        [this](const report::DaySummary& summary) {
            // Shown once this piece of work is over, not inside it.
            QTimer::singleShot(0, this, [this, summary] {
                if (!m_day) {
                    m_day = new DayWindow(this);
                    // The keys go back to the entry row the figures were asked from.
                    connect(m_day, &QDialog::finished, this, [this] { activateWindow(); });
                }
                m_day->show(summary);
            });
        },
        [] {});
}

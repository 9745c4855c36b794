#include "frm_Data.h"

#include "StatusArea.h"
#include "ui_frm_Data.h"

#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "formkit/Combos.h"
#include "platform/Messages.h"
#include "report/ReportPreview.h"
#include "report/ShiftReport.h"

#include <QShortcut>

namespace {
const QKeySequence kShiftReportKey(Qt::Key_F8);
} // namespace

void frm_Data::wireShiftReport()
{
    // A window shortcut, so that F8 works from every field without any field's own key
    // handling seeing it.
    auto* key = new QShortcut(kShiftReportKey, this);
    key->setContext(Qt::WindowShortcut);
    key->setObjectName(QStringLiteral("keyShiftReport"));
    connect(key, &QShortcut::activated, this, [this] { ShiftReport_Show(); });
    m_status->setKeyHints(QStringLiteral("F8 shift report"));
}

void frm_Data::ShiftReport_Show()
{
    if (ui->cmbAP->currentIndex() < 0)
        return;
    report::ReportRequest request;
    request.company = Gen_ComCode;
    request.date = ui->dtpDate->date();
    request.shift = selectedKey(ui->cmbAP);
    datastore::Connection companyYear;
    if (!datastore::openMainInShift() || !datastore::openMstInShift(companyYear))
        return;
    report::ShiftReport shiftReport;
    QString error;
    const bool read =
        report::loadShiftReport(*Con_Main, companyYear, request, &shiftReport, &error);
    companyYear.close();
    Con_Main->close();
    if (!read) {
        platform::showMessage(QStringLiteral("Data Error - ") + error);
        return;
    }
    report::previewShiftReport(shiftReport, this);
}

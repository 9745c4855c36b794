#include "frm_Data.h"

#include "StatusArea.h"
#include "VillageLookup.h"
#include "ui_frm_Data.h"

#include "formkit/PasteRules.h"

#include <memory>

using formkit::TypingRule;

// Pasted or dropped text obeys the rules typed text obeys; a refused paste says why in the
// status line, and the next paste that goes in takes the notice away again. One guard for the
// whole window: a paste into the village fields opens the village lookup with it.
void frm_Data::wirePaste()
{
    auto* guard = new formkit::PasteGuard(this);
    ui->fmVill->usePasteGuard(guard);
    guard->guard(ui->txtTNo, TypingRule::Capitals, tr("Truck Number"));
    guard->guard(ui->txtTruckKMR, TypingRule::Decimal, tr("Trip KMs"));
    guard->guard(ui->txtTruckRecAmt, TypingRule::Decimal, tr("Recovery Amount"));
    guard->guard(ui->txtTruckRemarks, TypingRule::AnyText, tr("Remarks"));
    guard->guard(ui->txtCans, TypingRule::Numeric, tr("Cans Recd."));

    auto told = std::make_shared<QString>();
    connect(guard, &formkit::PasteGuard::refused, this, [this, told](const QString& reason) {
        *told = reason;
        statusArea()->setNotice(reason);
    });
    connect(guard, &formkit::PasteGuard::accepted, this, [this, told] {
        if (!told->isEmpty() && statusArea()->notice() == *told)
            statusArea()->setNotice(QString());
        told->clear();
    });
}

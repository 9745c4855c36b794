#include "CheckDate.h"

#include "datastore/GenState.h"
#include "platform/Messages.h"

#include <QDateEdit>

// QDate holds whole days, so no time of day can push a boundary day out of the year.
// A reference date left unset (no company year chosen) refuses every date.
bool dateOutsideYear(const QDate& date, const QDate& yStart, const QDate& yEnd, const QDate& today)
{
    if (date < yStart)
        return true;
    if (date > yEnd)
        return true;
    return date > today;
}

void Check_Date(QDateEdit* picker)
{
    if (!picker)
        return;
    if (!dateOutsideYear(picker->date(), Gen_YStart, Gen_YEnd, Gen_Today))
        return;
    platform::showMessage(QStringLiteral("Please Check Date"),
                          QString::fromLatin1(platform::kCheckTitle));
    // The operator stays in the picker, on the one date that is always allowed.
    if (Gen_Today.isValid())
        picker->setDate(Gen_Today);
    picker->setFocus(Qt::OtherFocusReason);
}

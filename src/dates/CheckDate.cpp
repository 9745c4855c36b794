#include "CheckDate.h"

#include "datastore/GenState.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QLocale>

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

QString yearRangeText(const QDate& yStart, const QDate& yEnd, const QDate& today)
{
    if (!yStart.isValid() || !yEnd.isValid())
        return QCoreApplication::translate("CheckDate",
                                           "No accounting year is chosen: no date can be taken.");
    const QLocale english(QLocale::English);
    const QString first = english.toString(yStart, QStringLiteral("dd/MMM/yyyy"));
    const QString last = english.toString(yEnd, QStringLiteral("dd/MMM/yyyy"));
    if (today < yStart)
        return QCoreApplication::translate("CheckDate", "Accounting year %1 to %2: it starts after "
                                                        "today, no date can be taken yet.")
            .arg(first, last);
    if (today > yEnd)
        return QCoreApplication::translate("CheckDate",
                                           "Accounting year %1 to %2: it has ended, the "
                                           "next year must be made.")
            .arg(first, last);
    return QCoreApplication::translate("CheckDate", "Accounting year %1 to %2").arg(first, last);
}

void Check_Date(QDateEdit* picker)
{
    if (!picker)
        return;
    if (!dateOutsideYear(picker->date(), Gen_YStart, Gen_YEnd, Gen_Today))
        return;
    platform::showMessage(QCoreApplication::translate("CheckDate", "Please Check Date"),
                          QString::fromLatin1(platform::kCheckTitle));
    // The operator stays in the picker, on the one date that is always allowed.
    if (Gen_Today.isValid())
        picker->setDate(Gen_Today);
    picker->setFocus(Qt::OtherFocusReason);
}

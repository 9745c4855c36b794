#include "CheckDate.h"

#include "datastore/GenState.h"
#include "platform/Messages.h"

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
        return QStringLiteral("No accounting year is chosen: no date can be taken.");
    const QLocale english(QLocale::English);
    const QString range = QStringLiteral("Accounting year %1 to %2")
                              .arg(english.toString(yStart, QStringLiteral("dd/MMM/yyyy")),
                                   english.toString(yEnd, QStringLiteral("dd/MMM/yyyy")));
    if (today < yStart)
        return range + QStringLiteral(": it starts after today, no date can be taken yet.");
    if (today > yEnd)
        return range + QStringLiteral(": it has ended, the next year must be made.");
    return range;
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

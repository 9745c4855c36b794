#include "Combos.h"

#include "datastore/Connection.h"
#include "datastore/NullFields.h"
#include "datastore/Startup.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QVariant>

bool Load_Combo(QComboBox* combo, const QString& table, const QString& shownColumn,
                const QString& dataColumn, bool numbered, const QString& clause)
{
    datastore::Connection con;
    if (!OpenMst(con))
        return false;
    combo->clear();
    const QString statement = QStringLiteral("Select   ") + shownColumn + QStringLiteral(",") +
                              dataColumn + QStringLiteral("  from ") + table + QStringLiteral(" ") +
                              clause + QStringLiteral(" ");
    {
        QSqlQuery query = con.run(statement);
        if (!query.isActive()) {
            datastore::reportQueryError(query);
            return false;
        }
        qint16 counter = 1;
        while (query.next()) {
            const QString shown = datastore::Null_Str(query.value(0));
            combo->addItem(numbered ? QString::number(counter) + QLatin1Char('.') + shown : shown,
                           query.value(1).toInt());
            ++counter;
        }
    }
    con.close();
    // Adding to an empty list selects its first entry; the list starts with no selection, so
    // that only the entry with key 1 ends up selected.
    combo->setCurrentIndex(-1);
    Combo_Select(combo, 1);
    return true;
}

void Load_AmPm(QComboBox* combo)
{
    combo->clear();
    combo->addItem(QStringLiteral("AM"), formkit::kShiftAm);
    combo->addItem(QStringLiteral("PM"), formkit::kShiftPm);
    Combo_Select(combo, formkit::kShiftAm);
}

void Combo_Select(QComboBox* combo, int Key)
{
    if (!combo)
        return;
    for (int index = 0; index < combo->count(); ++index) {
        if (combo->itemData(index).toInt() == Key) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            return;
        }
    }
}

int selectedKey(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    return index < 0 ? 0 : combo->itemData(index).toInt();
}

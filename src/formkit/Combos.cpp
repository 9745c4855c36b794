#include "Combos.h"

#include <QComboBox>
#include <QVariant>

void Load_Combo(QComboBox* combo, const QList<formkit::ComboRow>& rows, bool numbered)
{
    combo->clear();
    int counter = 1;
    for (const formkit::ComboRow& row : rows) {
        combo->addItem(numbered ? QString::number(counter) + QLatin1Char('.') + row.shown
                                : row.shown,
                       row.key);
        ++counter;
    }
    // Adding to an empty list selects its first entry; the list starts with no selection, so
    // that only the entry with key 1 ends up selected.
    combo->setCurrentIndex(-1);
    Combo_Select(combo, 1);
}

void Load_AmPm(QComboBox* combo)
{
    combo->clear();
    combo->addItem(QStringLiteral("AM"), int(formkit::Shift::Am));
    combo->addItem(QStringLiteral("PM"), int(formkit::Shift::Pm));
    Combo_Select(combo, int(formkit::Shift::Am));
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

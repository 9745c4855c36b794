#include "frm_Data.h"

#include "StatusArea.h"
#include "VillageLookup.h"
#include "ui_frm_Data.h"

#include "formkit/Combos.h"
#include "formkit/Focus.h"

// The village lookup panel is a widget of its own; the window lets its village fields open it
// with the route chosen now, and fills the entry row from what it picks.
void frm_Data::wireLookup()
{
    VillageLookup* const lookup = ui->fmVill;
    lookup->setCompanyWork(m_work);
    const auto route = [this]() -> std::optional<int> {
        if (ui->cmbRoute->currentIndex() < 0)
            return std::nullopt;
        return selectedKey(ui->cmbRoute);
    };
    lookup->watchField(ui->txtVCode, VillageLookup::FromCode, route);
    lookup->watchField(ui->txtVName, VillageLookup::FromName, route);

    connect(lookup, &VillageLookup::picked, this,
            [this, lookup](const datastore::Village& village, bool closing) {
                ui->txtVCode->setText(village.code);
                chooseVillage(village.refNo ? std::optional(village) : std::nullopt);
                ui->txtVName->setText(village.name);
                if (!closing)
                    return;
                if (lookup->villFrom() == VillageLookup::FromCode)
                    formkit::Next_Focus(ui->txtVCode);
                else if (lookup->villFrom() == VillageLookup::FromName)
                    formkit::Next_Focus(ui->txtVName);
            });
    connect(lookup, &VillageLookup::cancelled, this, [this] { formkit::Next_Focus(ui->txtVCode); });
    connect(lookup, &VillageLookup::notice, this,
            [this](const QString& text) { m_status->setNotice(text); });
}

void frm_Data::chooseVillage(const std::optional<datastore::Village>& village)
{
    m_village = village;
    ui->txtVCode->setProperty("Tag", QString::number(chosenVillageRef()));
}

void frm_Data::VSetFocus()
{
    formkit::Next_Focus(ui->txtVCode);
}

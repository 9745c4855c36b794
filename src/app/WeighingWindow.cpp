#include "WeighingWindow.h"

#include "dates/frm_Dates.h"
#include "weighing/frm_Data.h"

#include <QDateEdit>

void wireWeighingWindow()
{
    frm_Dates::setOpenWeighingWindow([](frm_Dates* dates) {
        auto* data = new frm_Data();
        data->setAttribute(Qt::WA_DeleteOnClose);
        // The weighing window takes the collection date over from the dialog's picker.
        if (!data->Form_Load(dates->findChild<QDateEdit*>(QStringLiteral("dtpDate")))) {
            delete data;
            return;
        }
        data->show();
    });
}

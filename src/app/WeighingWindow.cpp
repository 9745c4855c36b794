#include "WeighingWindow.h"

#include "dates/frm_Dates.h"
#include "weighing/frm_Data.h"

void wireWeighingWindow()
{
    frm_Dates::setOpenWeighingWindow([](const QDate& date, formkit::Shift shift) {
        auto* data = new frm_Data();
        data->setAttribute(Qt::WA_DeleteOnClose);
        if (!data->Form_Load(date, shift)) {
            delete data;
            return;
        }
        data->show();
    });
}

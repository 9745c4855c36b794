#include "frm_Data.h"

#include "ui_frm_Data.h"

void frm_Data::Design() {}
void frm_Data::Load_Into_Grid() {}

#include "frm_Data.h"

#include "ui_frm_Data.h"

void frm_Data::wireLookup() {}
bool frm_Data::openLookup(quint8, int) { return false; }
void frm_Data::fmVill_Visible() {}
void frm_Data::Load_Items() {}
void frm_Data::VSetFocus() {}
void frm_Data::cmdOk_Click() {}
void frm_Data::cmdCan_Click() {}

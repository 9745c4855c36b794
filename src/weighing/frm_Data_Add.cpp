#include "frm_Data.h"

#include "ui_frm_Data.h"

void frm_Data::cmdAdd_Click() {}
bool frm_Data::Save_Data() { return false; }
void frm_Data::txtCans_GotFocus() {}
void frm_Data::txtCans_KeyPress(int&) {}
void frm_Data::txtCans_LostFocus() {}

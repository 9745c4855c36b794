#include "frm_Data.h"

#include "ScaleRoutines.h"
#include "ui_frm_Data.h"

void frm_Data::Win_Sock_Connect(QString&, QString&) {}
void frm_Data::Winsock1_Connect() {}
void frm_Data::Winsock1_DataArrival(int) {}
void frm_Data::Win_Sock_Clear() {}

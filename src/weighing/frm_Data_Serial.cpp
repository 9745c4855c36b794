#include "frm_Data.h"

#include "ScaleRoutines.h"
#include "ui_frm_Data.h"

void frm_Data::wireScaleLinks() {}
void frm_Data::cmdWeight_Click() {}
void frm_Data::MSComm1_OnComm() {}
void frm_Data::ParseChars1_1(QString) {}
void frm_Data::ParseChars1_2(QString&) {}
void frm_Data::Com_Clear() {}
void frm_Data::ReopenScalePort() {}
void frm_Data::StartContinuousSerial() {}

bool OpenScalePort(platform::SerialControl&, const QString&) { return false; }
void ClosePortIfOpen(platform::SerialControl&) {}
void WaitSeconds(double) {}

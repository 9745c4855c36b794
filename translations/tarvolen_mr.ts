<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="mr_IN">
<context>
    <name>A_Start</name>
    <message>
        <source> Select Firm   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Company</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DaySummary</name>
    <message>
        <source>AM Receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM Cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day summary %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All routes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code</source>
        <extracomment>The milk type&apos;s code</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every route with a vehicle on this day has delivered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shifts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Routes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day Summary %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DayWindow</name>
    <message>
        <source>AM receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The day at a glance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2: the day %3 so far</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All routes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every route with a vehicle today has delivered.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeskWindows</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageDrawer</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>Truck Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <extracomment>Kilometres the truck ran on its trip</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SNo.</source>
        <extracomment>The receipt&apos;s serial number in the shift</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animal Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark</source>
        <extracomment>The column of the marks M and C, which stay as they are</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Route total: %n receipts</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelled, not in the totals:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code</source>
        <extracomment>The milk type&apos;s code</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date: %1    Shift: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No receipts were stored for this shift.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.</source>
        <extracomment>M and C are the marks of the Mark column: they stay as they are</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift Report %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>Shift Report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunningTotals</name>
    <message>
        <source>Route: %1    Shift: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShiftReport</name>
    <message>
        <source>AM</source>
        <extracomment>The morning shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM</source>
        <extracomment>The evening shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnionReport</name>
    <message>
        <source>milk type %1</source>
        <extracomment>A milk type by its code, when the centre has lost its name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Union Shift Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date: %1    Shift: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No centre has receipts for this shift.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre</source>
        <extracomment>A collection centre of the dairy union</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Company</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Union totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Union Shift Report %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VillageLookup</name>
    <message>
        <source>Village Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VillageStatement</name>
    <message>
        <source>Village Statements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.  Cancelled receipts are left out.</source>
        <extracomment>M and C are the marks of the Marks column: they stay as they are</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No receipts were stored in this period.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <extracomment>The shift of the day, AM or PM</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marks</source>
        <extracomment>The column of the marks M and C</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route %1 total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village Statements %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frm_Correct</name>
    <message>
        <source>Correct or Cancel a Receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the serial number (SNo.) of a receipt of this shift and press Enter. Its village, animal, milk type and cans can be corrected; its weight cannot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Correct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel &amp;Receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frm_Data</name>
    <message>
        <source>Tarvolen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Coll.Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd/MMM/yyyy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Route Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Truck Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hh:mm:ss AP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery Details (If Truck Late)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VILL.CODE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANIMAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MILK TYPE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CANS RECD.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GET WEIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WEIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Typed by hand, approved by a supervisor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TYPED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Weighing Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M: weight typed by hand, C: corrected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F8 shift report  F9 the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6 manual  F7 correct  </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frm_Dates</name>
    <message>
        <source> Select Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Milk Collection Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd/MMM/yyyy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frm_Gen_Pass</name>
    <message>
        <source>Tarvolen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PassWord</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frm_ManualWeight</name>
    <message>
        <source>Manual Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale cannot weigh these cans: type the weight read elsewhere. A supervisor approves it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>weighing</name>
    <message>
        <source>Type the weight as the scale shows it: a number above 0, one decimal at most</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>weighing::SupervisorWord</name>
    <message>
        <source>Supervisor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Three wrong tries: supervisor approval is paused until %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The users&apos; database stayed busy for %1 s: nothing was approved. Try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong supervisor name or password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a supervisor: a supervisor or an administrator types their own name and password here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>weighing::frm_Correct</name>
    <message>
        <source>Serial No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the receipt&apos;s serial number (SNo.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No receipt of this shift has the serial number %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (it cannot be changed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As stored (SNo. %1, reference %2):

Village: %3 %4
Animal: %5
Milk type: %6
Cans: %7
Weight: %8

Added at %9 by %10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to correct: change the village, animal, milk type or cans, or cancel the receipt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt %1 corrected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt %1 cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the reason for the change</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>weighing::frm_ManualWeight</name>
    <message>
        <source>Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale shows no reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale shows %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the reason why the weight is typed by hand</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

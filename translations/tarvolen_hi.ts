<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
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
    <message>
        <source>Sl.No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the Firm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Town/Village</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CheckDate</name>
    <message>
        <source>No accounting year is chosen: no date can be taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it starts after today, no date can be taken yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it has ended, the next year must be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounting year %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Check Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompanyWork</name>
    <message>
        <source>Data Error - Master Database 

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>the data source is not registered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the database file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the database did not answer</source>
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
    <name>FileAccess</name>
    <message>
        <source>%1 belongs to the group %2, which may not change it: ask the administrator to run  chmod g+rw &apos;%3&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 belongs to the group %2. You were added to the group after you logged in: log out and in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 belongs to the group %2, and you are not in it. Ask to be added to the group %2 (sudo adduser %3 %2), then log in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot read the database %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot write to the database %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 is readable by everyone on this computer, passwords included: run  chmod o-rwx &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NextNumbers</name>
    <message>
        <source>%1 of Data_Wght has reached the largest number it can hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 has reached the largest number it can hold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasteRules</name>
    <message>
        <source>only digits and &quot;-&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only digits, &quot;-&quot; and one &quot;.&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes one line of text: the paste was refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes %2: the paste &quot;%3&quot; was refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes at most %2 characters: the paste of %3 was refused</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>not in %1, the folder given by --program-dir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not in %1, the folder named by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither in the program&apos;s own folder %1 nor in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No installation found: SerPath.mdb is %1.
Create one with tarvolen-admin init, or name its folder with --program-dir DIR or %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReceiptChanges</name>
    <message>
        <source>there is no receipt with RefNo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a reason is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a supervisor is required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the cans must be more than 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cans cannot hold %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing to change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>village %1 is not an active village of route %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no animal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no milk type %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Roles</name>
    <message>
        <source>there is no user %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunningTotals</name>
    <message>
        <source>Route: %1    Shift: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 receipt, %2 cans, %3 kg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 receipts, %2 cans, %3 kg</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShiftDatabase</name>
    <message>
        <source>Data Error - Master Database 

the server did not answer a moment ago</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Data Error - Path Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database file doesn&apos;t exist!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data source %1 could not be pointed at %2: the ODBC settings file %3 cannot be written. The desk does not go on through a data source that may name another file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error - Main Database </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error - Master Database </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StationSettings</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, which is not a value from 0 to 255. No scale link is started until it is mended.</source>
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
    <message>
        <source>VILL. CODE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
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
    <message>
        <source>scale: no link, the station settings are wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The route &quot;%1&quot; has the key %2, which a receipt cannot store (at most %3). Ask the administrator to renumber it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Animal Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Milk Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The receipt was not saved.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Successfully Added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts cannot be stored from this desk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SNo.</source>
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
        <source>Cans Recd.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Add waits for the platform to be emptied</source>
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
    <message>
        <source> Please Enter User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Please Enter Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong Pass Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The user id %1 of %2 is larger than a receipt can store (at most %3). Ask the administrator to give the user a smaller id.</source>
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
    <name>platform::SerialControl</name>
    <message>
        <source>the device went away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the speed &quot;%1&quot; is not a whole number of bits per second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission to use it (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, %3. No scale link is started until it is mended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>but the scale link is 1 to 4, or 0 for none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>but the scale format is 1 or 2, or 0 for none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>which is not a whole number of bits per second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>which is not a TCP port from 1 to 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>port %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::ContinuousLink</name>
    <message>
        <source>no reading yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading below zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading 0 s ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reading for %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading %1 s ago</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::NetworkContinuousLink</name>
    <message>
        <source>network %1:%2, continuous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no host or port set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not connected, trying again every %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale at %1:%2 cannot be reached. The desk goes on and connects to it as soon as it answers; until then no weight is read and Add stays disabled.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::NetworkRequestLink</name>
    <message>
        <source>network %1:%2, on request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Remote Host IP and Remote Port Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::RequestLink</name>
    <message>
        <source>no reply yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>readings came unasked and were dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a cut reading &quot;%1&quot; was dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last reply %1; readings came unasked too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last reply %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::ScaleLink</name>
    <message>
        <source>scale: %1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::SerialContinuousLink</name>
    <message>
        <source>port %1 lost: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial %1, continuous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no serial port or speed set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>scale::SerialRequestLink</name>
    <message>
        <source>serial %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>polled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Com Port Number and Comport Bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>weighing</name>
    <message>
        <source>Type the weight as the scale shows it: a number above 0, one decimal at most</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Route</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Village Code/Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Received Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Get Milk Weight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Verify Cans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the company database is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database stayed busy for %1 s: another desk or program is using it.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: paste refused, it holds a line break or another control character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: paste refused, at most %2 characters</source>
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
    <message>
        <source>Data Error - %1</source>
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

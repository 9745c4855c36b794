<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="mr_IN">
<context>
    <name>A_Start</name>
    <message>
        <source> Select Firm   </source>
        <translation> कंपनी निवडा   </translation>
    </message>
    <message>
        <source>Select Company</source>
        <translation>कंपनी निवडा</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक(&amp;O)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहेर(&amp;x)</translation>
    </message>
    <message>
        <source>Sl.No.</source>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>कोड</translation>
    </message>
    <message>
        <source>Name of the Firm</source>
        <translation>कंपनीचे नाव</translation>
    </message>
    <message>
        <source>Town/Village</source>
        <translation>शहर/गाव</translation>
    </message>
</context>
<context>
    <name>CheckDate</name>
    <message>
        <source>No accounting year is chosen: no date can be taken.</source>
        <translation>आर्थिक वर्ष निवडलेले नाही: कोणतीही तारीख घेता येत नाही.</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it starts after today, no date can be taken yet.</source>
        <translation>आर्थिक वर्ष %1 ते %2: ते आजनंतर सुरू होते, अजून कोणतीही तारीख घेता येत नाही.</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it has ended, the next year must be made.</source>
        <translation>आर्थिक वर्ष %1 ते %2: ते संपले आहे, पुढचे वर्ष तयार करावे लागेल.</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2</source>
        <translation>आर्थिक वर्ष %1 ते %2</translation>
    </message>
    <message>
        <source>Please Check Date</source>
        <translation>कृपया तारीख तपासा</translation>
    </message>
</context>
<context>
    <name>CompanyWork</name>
    <message>
        <source>Data Error - Master Database 

%1</source>
        <translation>डेटा एरर - मास्टर डेटाबेस 

%1</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा एरर - %1</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>the data source is not registered</source>
        <translation>डेटा सोर्स नोंदलेला नाही</translation>
    </message>
    <message>
        <source>the database file does not exist</source>
        <translation>डेटाबेस फाइल अस्तित्वात नाही</translation>
    </message>
    <message>
        <source>the database did not answer</source>
        <translation>डेटाबेसने उत्तर दिले नाही</translation>
    </message>
</context>
<context>
    <name>DaySummary</name>
    <message>
        <source>AM Receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation>सकाळ पावत्या</translation>
    </message>
    <message>
        <source>AM Cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation>सकाळ कॅन</translation>
    </message>
    <message>
        <source>AM Weight</source>
        <translation>सकाळ वजन</translation>
    </message>
    <message>
        <source>PM Receipts</source>
        <translation>संध्या. पावत्या</translation>
    </message>
    <message>
        <source>PM Cans</source>
        <translation>संध्या. कॅन</translation>
    </message>
    <message>
        <source>PM Weight</source>
        <translation>संध्या. वजन</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>पावत्या</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>AM receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation>सकाळ पावत्या</translation>
    </message>
    <message>
        <source>AM cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation>सकाळ कॅन</translation>
    </message>
    <message>
        <source>AM weight</source>
        <translation>सकाळ वजन</translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation>संध्या. पावत्या</translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation>संध्या. कॅन</translation>
    </message>
    <message>
        <source>PM weight</source>
        <translation>संध्या. वजन</translation>
    </message>
    <message>
        <source>Day summary %1</source>
        <translation>दिवसाचा आढावा %1</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>नाव</translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation>गाडी</translation>
    </message>
    <message>
        <source>All routes</source>
        <translation>सर्व रूट</translation>
    </message>
    <message>
        <source>Code</source>
        <extracomment>The milk type&apos;s code</extracomment>
        <translation>कोड</translation>
    </message>
    <message>
        <source>Milk type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Every route with a vehicle on this day has delivered.</source>
        <translation>या दिवशी गाडी असलेल्या सर्व रूटचे दूध आले आहे.</translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation>अजून आले नाही</translation>
    </message>
    <message>
        <source>Shifts</source>
        <translation>शिफ्ट</translation>
    </message>
    <message>
        <source>Day Summary</source>
        <translation>दिवसाचा आढावा</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>तारीख: %1</translation>
    </message>
    <message>
        <source>Routes</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Milk types</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Day Summary %1</source>
        <translation>दिवसाचा आढावा %1</translation>
    </message>
</context>
<context>
    <name>DayWindow</name>
    <message>
        <source>AM receipts</source>
        <translation>सकाळ पावत्या</translation>
    </message>
    <message>
        <source>AM cans</source>
        <translation>सकाळ कॅन</translation>
    </message>
    <message>
        <source>AM kg</source>
        <translation>सकाळ kg</translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation>संध्या. पावत्या</translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation>संध्या. कॅन</translation>
    </message>
    <message>
        <source>PM kg</source>
        <translation>संध्या. kg</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>पावत्या</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Kg</source>
        <translation>Kg</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation>गाडी</translation>
    </message>
    <message>
        <source>Milk type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation>अजून आले नाही</translation>
    </message>
    <message>
        <source>The day at a glance</source>
        <translation>दिवसाचा आढावा</translation>
    </message>
    <message>
        <source>%1, %2: the day %3 so far</source>
        <translation>%1, %2: %3 चे आतापर्यंतचे आकडे</translation>
    </message>
    <message>
        <source>All routes</source>
        <translation>सर्व रूट</translation>
    </message>
    <message>
        <source>Every route with a vehicle today has delivered.</source>
        <translation>आज गाडी असलेल्या सर्व रूटचे दूध आले आहे.</translation>
    </message>
</context>
<context>
    <name>DeskWindows</name>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 belongs to the group %2, which may not change it: ask the administrator to run  chmod g+rw &apos;%3&apos;</source>
        <translation>%1 %2 या गटाचा आहे, आणि त्या गटाला त्यात बदल करता येत नाही: ॲडमिनला  chmod g+rw &apos;%3&apos;  चालवायला सांगा</translation>
    </message>
    <message>
        <source>%1 belongs to the group %2. You were added to the group after you logged in: log out and in again.</source>
        <translation>%1 %2 या गटाचा आहे. लॉग इन केल्यानंतर तुम्हाला या गटात जोडले गेले: लॉग आउट करून पुन्हा लॉग इन करा.</translation>
    </message>
    <message>
        <source>%1 belongs to the group %2, and you are not in it. Ask to be added to the group %2 (sudo adduser %3 %2), then log in again.</source>
        <translation>%1 %2 या गटाचा आहे, आणि तुम्ही त्या गटात नाही. तुम्हाला %2 गटात जोडायला सांगा (sudo adduser %3 %2), मग पुन्हा लॉग इन करा.</translation>
    </message>
    <message>
        <source>its folder %1</source>
        <translation>त्याचा फोल्डर %1</translation>
    </message>
    <message>
        <source>You cannot read the database %1: %2</source>
        <translation>डेटाबेस %1 वाचता येत नाही: %2</translation>
    </message>
    <message>
        <source>You cannot write to the database %1: %2</source>
        <translation>डेटाबेस %1 मध्ये लिहिता येत नाही: %2</translation>
    </message>
    <message>
        <source>The database %1 does not exist.</source>
        <translation>डेटाबेस %1 अस्तित्वात नाही.</translation>
    </message>
    <message>
        <source>it</source>
        <translation>हा डेटाबेस</translation>
    </message>
    <message>
        <source>The database %1 is readable by everyone on this computer, passwords included: run  chmod o-rwx &apos;%1&apos;</source>
        <translation>डेटाबेस %1 या संगणकावरील कोणालाही वाचता येतो, पासवर्डसुद्धा. हे चालवा:  chmod o-rwx &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>NextNumbers</name>
    <message>
        <source>%1 of Data_Wght has reached the largest number it can hold</source>
        <translation>Data_Wght मधील %1 मध्ये बसणारा सर्वात मोठा आकडा गाठला गेला आहे</translation>
    </message>
</context>
<context>
    <name>PageDrawer</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 लिहिता येत नाही: %2</translation>
    </message>
</context>
<context>
    <name>PasteRules</name>
    <message>
        <source>only digits and &quot;-&quot;</source>
        <translation>फक्त अंक आणि &quot;-&quot;</translation>
    </message>
    <message>
        <source>only digits, &quot;-&quot; and one &quot;.&quot;</source>
        <translation>फक्त अंक, &quot;-&quot; आणि एक &quot;.&quot;</translation>
    </message>
    <message>
        <source>%1 takes one line of text: the paste was refused</source>
        <translation>%1 मध्ये एकच ओळ चालते: पेस्ट नाकारली</translation>
    </message>
    <message>
        <source>%1 takes %2: the paste &quot;%3&quot; was refused</source>
        <translation>%1 मध्ये %2 चालतात: पेस्ट &quot;%3&quot; नाकारली</translation>
    </message>
    <message>
        <source>%1 takes at most %2 characters: the paste of %3 was refused</source>
        <translation>%1 मध्ये जास्तीत जास्त %2 अक्षरे चालतात: %3 अक्षरांची पेस्ट नाकारली</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>not in %1, the folder given by --program-dir</source>
        <translation>%1 मध्ये नाही (--program-dir ने दिलेला फोल्डर)</translation>
    </message>
    <message>
        <source>not in %1, the folder named by %2</source>
        <translation>%1 मध्ये नाही (%2 ने सांगितलेला फोल्डर)</translation>
    </message>
    <message>
        <source>neither in the program&apos;s own folder %1 nor in %2</source>
        <translation>प्रोग्रामच्या स्वतःच्या फोल्डर %1 मध्ये नाही आणि %2 मध्येही नाही</translation>
    </message>
    <message>
        <source>No installation found: SerPath.mdb is %1.
Create one with tarvolen-admin init, or name its folder with --program-dir DIR or %2.</source>
        <translation>इन्स्टॉलेशन सापडले नाही: SerPath.mdb %1.
tarvolen-admin init ने ते तयार करा, किंवा त्याचा फोल्डर --program-dir DIR ने किंवा %2 ने सांगा.</translation>
    </message>
</context>
<context>
    <name>ReceiptChanges</name>
    <message>
        <source>there is no receipt with RefNo %1</source>
        <translation>RefNo %1 ची पावती नाही</translation>
    </message>
    <message>
        <source>a reason is required</source>
        <translation>कारण लिहिणे आवश्यक आहे</translation>
    </message>
    <message>
        <source>a supervisor is required</source>
        <translation>सुपरवायझर आवश्यक आहे</translation>
    </message>
    <message>
        <source>the cans must be more than 0</source>
        <translation>कॅन 0 पेक्षा जास्त हवेत</translation>
    </message>
    <message>
        <source>%1 cans cannot hold %2</source>
        <translation>%1 कॅनमध्ये %2 बसू शकत नाही</translation>
    </message>
    <message>
        <source>nothing to change</source>
        <translation>बदलण्यासारखे काही नाही</translation>
    </message>
    <message>
        <source>village %1 is not an active village of route %2</source>
        <translation>गाव %1 हे रूट %2 चे चालू गाव नाही</translation>
    </message>
    <message>
        <source>there is no animal %1</source>
        <translation>%1 असे जनावर नाही</translation>
    </message>
    <message>
        <source>there is no milk type %1</source>
        <translation>%1 असा दूध प्रकार नाही</translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>Truck Number</source>
        <translation>गाडी क्र.</translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation>ठरलेली वेळ</translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation>आल्याची वेळ</translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <extracomment>Kilometres the truck ran on its trip</extracomment>
        <translation>फेरी कि.मी.</translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation>वसुली रक्कम</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>शेरा</translation>
    </message>
    <message>
        <source>SNo.</source>
        <extracomment>The receipt&apos;s serial number in the shift</extracomment>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गावाचे नाव</translation>
    </message>
    <message>
        <source>Animal Type</source>
        <translation>जनावर</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans Received</source>
        <translation>आलेले कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Mark</source>
        <extracomment>The column of the marks M and C, which stay as they are</extracomment>
        <translation>खूण</translation>
    </message>
    <message numerus="yes">
        <source>Route total: %n receipts</source>
        <translation>
            <numerusform>रूट एकूण: %n पावती</numerusform>
            <numerusform>रूट एकूण: %n पावत्या</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelled, not in the totals:</source>
        <translation>रद्द पावत्या (एकूणात धरलेल्या नाहीत):</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>Allowed by</source>
        <translation>मंजूर करणारे</translation>
    </message>
    <message>
        <source>Shift totals</source>
        <translation>शिफ्ट एकूण</translation>
    </message>
    <message>
        <source>Code</source>
        <extracomment>The milk type&apos;s code</extracomment>
        <translation>कोड</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>पावत्या</translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation>सर्व दूध प्रकार</translation>
    </message>
    <message>
        <source>Shift Report</source>
        <translation>शिफ्ट रिपोर्ट</translation>
    </message>
    <message>
        <source>Date: %1    Shift: %2</source>
        <translation>तारीख: %1    शिफ्ट: %2</translation>
    </message>
    <message>
        <source>No receipts were stored for this shift.</source>
        <translation>या शिफ्टमध्ये एकही पावती नाही.</translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation>रूट %1 %2</translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.</source>
        <extracomment>M and C are the marks of the Mark column: they stay as they are</extracomment>
        <translation>M: वजन हाताने लिहिलेले.  C: सेव्ह झाल्यावर दुरुस्त केलेली पावती.</translation>
    </message>
    <message>
        <source>Shift Report %1 %2</source>
        <translation>शिफ्ट रिपोर्ट %1 %2</translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>Shift Report</source>
        <translation>शिफ्ट रिपोर्ट</translation>
    </message>
</context>
<context>
    <name>Roles</name>
    <message>
        <source>there is no user %1</source>
        <translation>%1 असा युजर नाही</translation>
    </message>
</context>
<context>
    <name>RunningTotals</name>
    <message>
        <source>Route: %1    Shift: %2</source>
        <translation>रूट: %1    शिफ्ट: %2</translation>
    </message>
    <message>
        <source>%1 receipt, %2 cans, %3 kg</source>
        <translation>%1 पावती, %2 कॅन, %3 kg</translation>
    </message>
    <message>
        <source>%1 receipts, %2 cans, %3 kg</source>
        <translation>%1 पावत्या, %2 कॅन, %3 kg</translation>
    </message>
</context>
<context>
    <name>ShiftDatabase</name>
    <message>
        <source>Data Error - Master Database 

the server did not answer a moment ago</source>
        <translation>डेटा एरर - मास्टर डेटाबेस 

थोड्या वेळापूर्वी सर्वरने उत्तर दिले नाही</translation>
    </message>
</context>
<context>
    <name>ShiftReport</name>
    <message>
        <source>AM</source>
        <extracomment>The morning shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation>सकाळ</translation>
    </message>
    <message>
        <source>PM</source>
        <extracomment>The evening shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation>संध्याकाळ</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Data Error - Path Database</source>
        <translation>डेटा एरर - पाथ डेटाबेस</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा एरर - %1</translation>
    </message>
    <message>
        <source>Database file doesn&apos;t exist!</source>
        <translation>डेटाबेस फाइल अस्तित्वात नाही!</translation>
    </message>
    <message>
        <source>The data source %1 could not be pointed at %2: the ODBC settings file %3 cannot be written. The desk does not go on through a data source that may name another file.</source>
        <translation>डेटा सोर्स %1 ला %2 कडे वळवता आले नाही: ODBC सेटिंग फाइल %3 मध्ये लिहिता येत नाही. जो डेटा सोर्स दुसरीच फाइल दाखवू शकतो, त्यातून प्रोग्राम पुढे काम करत नाही.</translation>
    </message>
    <message>
        <source>Data Error - Main Database </source>
        <translation>डेटा एरर - मुख्य डेटाबेस </translation>
    </message>
    <message>
        <source>Data Error - Master Database </source>
        <translation>डेटा एरर - मास्टर डेटाबेस </translation>
    </message>
</context>
<context>
    <name>StationSettings</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, which is not a value from 0 to 255. No scale link is started until it is mended.</source>
        <translation>या स्टेशनच्या काटा सेटिंग %1 मध्ये %2 आहे, जो 0 ते 255 मधील आकडा नाही. ते दुरुस्त होईपर्यंत काट्याशी जोडणी सुरू होत नाही.</translation>
    </message>
</context>
<context>
    <name>UnionReport</name>
    <message>
        <source>milk type %1</source>
        <extracomment>A milk type by its code, when the centre has lost its name</extracomment>
        <translation>दूध प्रकार %1</translation>
    </message>
    <message>
        <source>Union Shift Report</source>
        <translation>संघ शिफ्ट रिपोर्ट</translation>
    </message>
    <message>
        <source>Date: %1    Shift: %2</source>
        <translation>तारीख: %1    शिफ्ट: %2</translation>
    </message>
    <message>
        <source>No centre has receipts for this shift.</source>
        <translation>या शिफ्टमध्ये कोणत्याही केंद्राची पावती नाही.</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>पावत्या</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Centre</source>
        <extracomment>A collection centre of the dairy union</extracomment>
        <translation>केंद्र</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>कंपनी</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Union totals</source>
        <translation>संघ एकूण</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation>सर्व दूध प्रकार</translation>
    </message>
    <message>
        <source>Union Shift Report %1 %2</source>
        <translation>संघ शिफ्ट रिपोर्ट %1 %2</translation>
    </message>
</context>
<context>
    <name>VillageLookup</name>
    <message>
        <source>Village Code</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गावाचे नाव</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
    <message>
        <source>VILL. CODE</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
        <translation>गावाचे नाव</translation>
    </message>
</context>
<context>
    <name>VillageStatement</name>
    <message>
        <source>Village Statements</source>
        <translation>गाववार पत्रक</translation>
    </message>
    <message>
        <source>From %1 to %2</source>
        <translation>%1 ते %2</translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.  Cancelled receipts are left out.</source>
        <extracomment>M and C are the marks of the Marks column: they stay as they are</extracomment>
        <translation>M: वजन हाताने लिहिलेले.  C: सेव्ह झाल्यावर दुरुस्त केलेली पावती.  रद्द पावत्या यात नाहीत.</translation>
    </message>
    <message>
        <source>No receipts were stored in this period.</source>
        <translation>या कालावधीत एकही पावती नाही.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>तारीख</translation>
    </message>
    <message>
        <source>Shift</source>
        <extracomment>The shift of the day, AM or PM</extracomment>
        <translation>शिफ्ट</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>पावत्या</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Marks</source>
        <extracomment>The column of the marks M and C</extracomment>
        <translation>खूण</translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation>रूट %1 %2</translation>
    </message>
    <message>
        <source>Village %1 %2</source>
        <translation>गाव %1 %2</translation>
    </message>
    <message>
        <source>Village total</source>
        <translation>गाव एकूण</translation>
    </message>
    <message>
        <source>Route %1 total</source>
        <translation>रूट %1 एकूण</translation>
    </message>
    <message>
        <source>Period total</source>
        <translation>कालावधी एकूण</translation>
    </message>
    <message>
        <source>Village Statements %1 to %2</source>
        <translation>गाववार पत्रक %1 ते %2</translation>
    </message>
</context>
<context>
    <name>frm_Correct</name>
    <message>
        <source>Correct or Cancel a Receipt</source>
        <translation>पावती दुरुस्त किंवा रद्द करा</translation>
    </message>
    <message>
        <source>Type the serial number (SNo.) of a receipt of this shift and press Enter. Its village, animal, milk type and cans can be corrected; its weight cannot.</source>
        <translation>या शिफ्टच्या पावतीचा अनुक्रमांक (अ.क्र.) लिहून Enter दाबा. तिचे गाव, जनावर, दूध प्रकार आणि कॅन दुरुस्त करता येतात; वजन नाही.</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>Animal</source>
        <translation>जनावर</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>&amp;Correct</source>
        <translation>दुरुस्त(&amp;C)</translation>
    </message>
    <message>
        <source>Cancel &amp;Receipt</source>
        <translation>पावती रद्द(&amp;R)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>बंद</translation>
    </message>
</context>
<context>
    <name>frm_Data</name>
    <message>
        <source>Milk Coll.Date</source>
        <translation>संकलन तारीख</translation>
    </message>
    <message>
        <source>Route Name</source>
        <translation>रूटचे नाव</translation>
    </message>
    <message>
        <source>Truck Number</source>
        <translation>गाडी क्र.</translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation>ठरलेली वेळ</translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation>आल्याची वेळ</translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <translation>फेरी कि.मी.</translation>
    </message>
    <message>
        <source>Recovery Details (If Truck Late)</source>
        <translation>वसुली तपशील (गाडी उशिरा आल्यास)</translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation>वसुली रक्कम</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>शेरा</translation>
    </message>
    <message>
        <source>VILL.CODE</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
        <translation>गावाचे नाव</translation>
    </message>
    <message>
        <source>ANIMAL</source>
        <translation>जनावर</translation>
    </message>
    <message>
        <source>MILK TYPE</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>CANS RECD.</source>
        <translation>आलेले कॅन</translation>
    </message>
    <message>
        <source>GET WEIGHT</source>
        <translation>वजन घ्या</translation>
    </message>
    <message>
        <source>Get Weight</source>
        <translation>वजन घ्या</translation>
    </message>
    <message>
        <source>WEIGHT</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Typed by hand, approved by a supervisor</source>
        <translation>हाताने लिहिलेले, सुपरवायझरने मंजूर केलेले</translation>
    </message>
    <message>
        <source>TYPED</source>
        <translation>हाताने</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>जमा(&amp;A)</translation>
    </message>
    <message>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <source>Milk Weighing Collection</source>
        <translation>दूध वजन संकलन</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहेर(&amp;x)</translation>
    </message>
    <message>
        <source>M: weight typed by hand, C: corrected</source>
        <translation>M: हाताने लिहिलेले वजन, C: दुरुस्त केलेली पावती</translation>
    </message>
    <message>
        <source>F8 shift report  F9 the day</source>
        <translation>F8 शिफ्ट रिपोर्ट  F9 दिवस</translation>
    </message>
    <message>
        <source>F6 manual  F7 correct  </source>
        <translation>F6 हाताने वजन  F7 दुरुस्ती  </translation>
    </message>
    <message>
        <source>scale: no link, the station settings are wrong</source>
        <translation>काटा: जोडणी नाही, स्टेशनचे सेटिंग चुकीचे</translation>
    </message>
    <message>
        <source>The route &quot;%1&quot; has the key %2, which a receipt cannot store (at most %3). Ask the administrator to renumber it.</source>
        <translation>रूट &quot;%1&quot; चा क्रमांक %2 आहे, तो पावतीत साठवता येत नाही (जास्तीत जास्त %3). ॲडमिनला या रूटला नवा क्रमांक द्यायला सांगा.</translation>
    </message>
    <message>
        <source>Select Animal Type</source>
        <translation>जनावर निवडा</translation>
    </message>
    <message>
        <source>Select Milk Type</source>
        <translation>दुधाचा प्रकार निवडा</translation>
    </message>
    <message>
        <source>The receipt was not saved.

%1</source>
        <translation>पावती सेव्ह झाली नाही.

%1</translation>
    </message>
    <message>
        <source>Successfully Added</source>
        <translation>पावती जमा झाली</translation>
    </message>
    <message>
        <source>Receipts cannot be stored from this desk</source>
        <translation>या संगणकावरून पावत्या सेव्ह करता येत नाहीत</translation>
    </message>
    <message>
        <source>SNo.</source>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गावाचे नाव</translation>
    </message>
    <message>
        <source>Animal Type</source>
        <translation>जनावर</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans Received</source>
        <translation>आलेले कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Cans Recd.</source>
        <translation>आलेले कॅन</translation>
    </message>
    <message>
        <source>. Add waits for the platform to be emptied</source>
        <translation>. काटा रिकामा झाल्यावरच &apos;जमा&apos; चालेल</translation>
    </message>
    <message>
        <source>F11 slip again</source>
        <translation>F11 पुन्हा स्लिप</translation>
    </message>
    <message>
        <source>[this desk&apos;s scale settings]</source>
        <translation>[या संगणकाची काटा सेटिंग]</translation>
    </message>
    <message>
        <source>[station settings]</source>
        <translation>[स्टेशन सेटिंग]</translation>
    </message>
</context>
<context>
    <name>frm_Dates</name>
    <message>
        <source> Select Date</source>
        <translation> तारीख निवडा</translation>
    </message>
    <message>
        <source>Milk Collection Date</source>
        <translation>दूध संकलन तारीख</translation>
    </message>
    <message>
        <source>Select Date</source>
        <translation>तारीख निवडा</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक(&amp;O)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहेर(&amp;x)</translation>
    </message>
</context>
<context>
    <name>frm_Gen_Pass</name>
    <message>
        <source>User Name</source>
        <translation>युजर नाव</translation>
    </message>
    <message>
        <source>PassWord</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>रद्द(&amp;C)</translation>
    </message>
    <message>
        <source> Please Enter User Name</source>
        <translation> कृपया युजर नाव भरा</translation>
    </message>
    <message>
        <source> Please Enter Password</source>
        <translation> कृपया पासवर्ड भरा</translation>
    </message>
    <message>
        <source>Wrong User Name</source>
        <translation>चुकीचे युजर नाव</translation>
    </message>
    <message>
        <source>Wrong Pass Word</source>
        <translation>चुकीचा पासवर्ड</translation>
    </message>
    <message>
        <source>The user id %1 of %2 is larger than a receipt can store (at most %3). Ask the administrator to give the user a smaller id.</source>
        <translation>%2 यांचा युजर आयडी %1 पावतीत साठवता येईल त्यापेक्षा मोठा आहे (जास्तीत जास्त %3). ॲडमिनला या युजरला लहान आयडी द्यायला सांगा.</translation>
    </message>
</context>
<context>
    <name>frm_ManualWeight</name>
    <message>
        <source>Manual Weight</source>
        <translation>हाताने वजन</translation>
    </message>
    <message>
        <source>The scale cannot weigh these cans: type the weight read elsewhere. A supervisor approves it.</source>
        <translation>काट्यावर हे कॅन तोलता येत नाहीत: दुसरीकडे केलेले वजन लिहा. सुपरवायझर ते मंजूर करेल.</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द</translation>
    </message>
</context>
<context>
    <name>platform::SerialControl</name>
    <message>
        <source>the device went away</source>
        <translation>डिव्हाइस काढले गेले</translation>
    </message>
    <message>
        <source>the speed &quot;%1&quot; is not a whole number of bits per second</source>
        <translation>वेग &quot;%1&quot; हा बिट्स प्रति सेकंदचा पूर्ण आकडा नाही</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>असे डिव्हाइस नाही</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>दुसरा प्रोग्राम वापरत आहे</translation>
    </message>
    <message>
        <source>no permission to use it (%1)</source>
        <translation>वापरण्याची परवानगी नाही (%1)</translation>
    </message>
</context>
<context>
    <name>report::Slip</name>
    <message>
        <source>AM</source>
        <comment>the morning shift</comment>
        <translation>सकाळ</translation>
    </message>
    <message>
        <source>PM</source>
        <comment>the evening shift</comment>
        <translation>संध्याकाळ</translation>
    </message>
    <message>
        <source>manual weight</source>
        <translation>हाताने वजन</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>दुरुस्त केलेली</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>तारीख</translation>
    </message>
    <message>
        <source>Receipt No.</source>
        <translation>पावती क्र.</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Village</source>
        <translation>गाव</translation>
    </message>
    <message>
        <source>Animal</source>
        <translation>जनावर</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>वेळ</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>ऑपरेटर</translation>
    </message>
    <message>
        <source>Slip %1</source>
        <translation>स्लिप %1</translation>
    </message>
</context>
<context>
    <name>report::SlipSpooler</name>
    <message>
        <source>receipt printer %1 cannot be opened: %2</source>
        <translation>पावती प्रिंटर %1 उघडत नाही: %2</translation>
    </message>
    <message>
        <source>receipt printer %1 does not take the slip (off or out of paper?)</source>
        <translation>पावती प्रिंटर %1 स्लिप घेत नाही (बंद आहे की कागद संपला?)</translation>
    </message>
    <message>
        <source>receipt printer %1: %2</source>
        <translation>पावती प्रिंटर %1: %2</translation>
    </message>
    <message>
        <source>the slip folder %1 is not there</source>
        <translation>स्लिपचा फोल्डर %1 सापडत नाही</translation>
    </message>
    <message>
        <source>the slip cannot be written to %1: %2</source>
        <translation>स्लिप %1 मध्ये लिहिता येत नाही: %2</translation>
    </message>
    <message>
        <source>the print service cannot be reached (%1)</source>
        <translation>प्रिंट सेवेशी संपर्क होत नाही (%1)</translation>
    </message>
    <message>
        <source>print queue %1 is not there</source>
        <translation>प्रिंट रांग %1 सापडत नाही</translation>
    </message>
    <message>
        <source>print queue %1 is stopped</source>
        <translation>प्रिंट रांग %1 थांबलेली आहे</translation>
    </message>
    <message>
        <source>print queue %1 has not printed it yet</source>
        <translation>प्रिंट रांग %1 ने अजून छापली नाही</translation>
    </message>
    <message>
        <source>print queue %1: %2</source>
        <translation>प्रिंट रांग %1: %2</translation>
    </message>
    <message>
        <source>print queue %1 gave the slip up; it is sent again</source>
        <translation>प्रिंट रांग %1 ने स्लिप सोडून दिली; ती पुन्हा पाठवली जात आहे</translation>
    </message>
    <message>
        <source>Slips cannot be kept in %1 until they are printed: a slip that has not been printed when the desk is closed will be lost.</source>
        <translation>छापून होईपर्यंत स्लिपा %1 मध्ये ठेवता येत नाहीत: संगणक बंद करताना न छापलेली स्लिप हरवेल.</translation>
    </message>
    <message>
        <source>%1 slips waiting: %2</source>
        <translation>%1 स्लिपा बाकी: %2</translation>
    </message>
    <message>
        <source>Slip waiting: %1</source>
        <translation>स्लिप बाकी: %1</translation>
    </message>
</context>
<context>
    <name>scale</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, %3. No scale link is started until it is mended.</source>
        <translation>या स्टेशनच्या काटा सेटिंग %1 मध्ये %2 आहे, %3. ते दुरुस्त होईपर्यंत काट्याशी जोडणी सुरू होत नाही.</translation>
    </message>
    <message>
        <source>but the scale link is 1 to 4, or 0 for none</source>
        <translation>पण काटा जोडणी 1 ते 4 असते, किंवा नसेल तर 0</translation>
    </message>
    <message>
        <source>but the scale format is 1 or 2, or 0 for none</source>
        <translation>पण काटा फॉरमॅट 1 किंवा 2 असतो, किंवा नसेल तर 0</translation>
    </message>
    <message>
        <source>which is not a whole number of bits per second</source>
        <translation>जो बिट्स प्रति सेकंदचा पूर्ण आकडा नाही</translation>
    </message>
    <message>
        <source>which is not a TCP port from 1 to 65535</source>
        <translation>जो 1 ते 65535 मधील TCP पोर्ट नाही</translation>
    </message>
    <message>
        <source>port %1 cannot be opened: %2</source>
        <translation>पोर्ट %1 उघडत नाही: %2</translation>
    </message>
</context>
<context>
    <name>scale::ContinuousLink</name>
    <message>
        <source>no reading yet</source>
        <translation>अजून रीडिंग नाही</translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation>हे रीडिंग नाही: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>reading below zero</source>
        <translation>रीडिंग शून्यापेक्षा कमी</translation>
    </message>
    <message>
        <source>reading 0 s ago</source>
        <translation>0 से. पूर्वीचे रीडिंग</translation>
    </message>
    <message>
        <source>no reading for %1 s</source>
        <translation>%1 से. रीडिंग नाही</translation>
    </message>
    <message>
        <source>reading %1 s ago</source>
        <translation>%1 से. पूर्वीचे रीडिंग</translation>
    </message>
</context>
<context>
    <name>scale::NetworkContinuousLink</name>
    <message>
        <source>network %1:%2, continuous</source>
        <translation>नेटवर्क %1:%2, सतत</translation>
    </message>
    <message>
        <source>no host or port set</source>
        <translation>होस्ट किंवा पोर्ट दिलेला नाही</translation>
    </message>
    <message>
        <source>not connected, trying again every %1 s</source>
        <translation>जोडलेले नाही, दर %1 से. ने पुन्हा प्रयत्न</translation>
    </message>
    <message>
        <source>The scale at %1:%2 cannot be reached. The desk goes on and connects to it as soon as it answers; until then no weight is read and Add stays disabled.</source>
        <translation>%1:%2 वरील काट्याशी संपर्क होत नाही. प्रोग्राम चालू राहतो आणि काटा उत्तर देताच त्याला जोडतो; तोपर्यंत वजन वाचले जात नाही आणि &apos;जमा&apos; बटण बंद राहते.</translation>
    </message>
</context>
<context>
    <name>scale::NetworkRequestLink</name>
    <message>
        <source>network %1:%2, on request</source>
        <translation>नेटवर्क %1:%2, मागणीवर</translation>
    </message>
    <message>
        <source>Enter Remote Host IP and Remote Port Number</source>
        <translation>रिमोट होस्ट IP आणि रिमोट पोर्ट नंबर भरा</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>जोडलेले नाही</translation>
    </message>
</context>
<context>
    <name>scale::RequestLink</name>
    <message>
        <source>no reply yet</source>
        <translation>अजून उत्तर नाही</translation>
    </message>
    <message>
        <source>readings came unasked and were dropped</source>
        <translation>न मागता रीडिंग आली, ती सोडून दिली</translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation>हे रीडिंग नाही: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a cut reading &quot;%1&quot; was dropped</source>
        <translation>अर्धवट रीडिंग &quot;%1&quot; सोडून दिले</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>%1 से. मध्ये उत्तर नाही</translation>
    </message>
    <message>
        <source>last reply %1; readings came unasked too</source>
        <translation>शेवटचे उत्तर %1; न मागता रीडिंगही आली</translation>
    </message>
    <message>
        <source>last reply %1</source>
        <translation>शेवटचे उत्तर %1</translation>
    </message>
</context>
<context>
    <name>scale::ScaleLink</name>
    <message>
        <source>scale: %1 — %2</source>
        <translation>काटा: %1 — %2</translation>
    </message>
</context>
<context>
    <name>scale::SerialContinuousLink</name>
    <message>
        <source>port %1 lost: %2</source>
        <translation>पोर्ट %1 बंद पडला: %2</translation>
    </message>
    <message>
        <source>serial %1, continuous</source>
        <translation>सिरीयल %1, सतत</translation>
    </message>
    <message>
        <source>no serial port or speed set</source>
        <translation>सिरीयल पोर्ट किंवा वेग दिलेला नाही</translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation>काट्याचा %1</translation>
    </message>
</context>
<context>
    <name>scale::SerialRequestLink</name>
    <message>
        <source>serial %1, %2</source>
        <translation>सिरीयल %1, %2</translation>
    </message>
    <message>
        <source>polled</source>
        <translation>पोलिंग</translation>
    </message>
    <message>
        <source>on request</source>
        <translation>मागणीवर</translation>
    </message>
    <message>
        <source>Enter Com Port Number and Comport Bits</source>
        <translation>कॉम पोर्ट नंबर आणि कॉम पोर्ट बिट्स भरा</translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation>काट्याचा %1</translation>
    </message>
</context>
<context>
    <name>weighing</name>
    <message>
        <source>Type the weight as the scale shows it: a number above 0, one decimal at most</source>
        <translation>काटा दाखवतो तसे वजन लिहा: 0 पेक्षा मोठा आकडा, दशांश चिन्हानंतर जास्तीत जास्त एक अंक</translation>
    </message>
    <message>
        <source>Select Route</source>
        <translation>रूट निवडा</translation>
    </message>
    <message>
        <source>Select Village Code/Name</source>
        <translation>गाव कोड/नाव निवडा</translation>
    </message>
    <message>
        <source>Enter Received Cans</source>
        <translation>आलेले कॅन भरा</translation>
    </message>
    <message>
        <source>Please Get Milk Weight</source>
        <translation>कृपया दुधाचे वजन घ्या</translation>
    </message>
    <message>
        <source>Please Verify Cans</source>
        <translation>कृपया कॅन तपासा</translation>
    </message>
    <message>
        <source>the company database is not open</source>
        <translation>कंपनीचा डेटाबेस उघडलेला नाही</translation>
    </message>
    <message>
        <source>The database stayed busy for %1 s: another desk or program is using it.

%2</source>
        <translation>डेटाबेस %1 से. व्यस्त राहिला: दुसरा संगणक किंवा प्रोग्राम तो वापरत आहे.

%2</translation>
    </message>
    <message>
        <source>%1: paste refused, it holds a line break or another control character</source>
        <translation>%1: पेस्ट नाकारली, त्यात नवी ओळ किंवा दुसरे कंट्रोल अक्षर आहे</translation>
    </message>
    <message>
        <source>%1: paste refused, at most %2 characters</source>
        <translation>%1: पेस्ट नाकारली, जास्तीत जास्त %2 अक्षरे</translation>
    </message>
</context>
<context>
    <name>weighing::SupervisorWord</name>
    <message>
        <source>Supervisor</source>
        <translation>सुपरवायझर</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>Three wrong tries: supervisor approval is paused until %1.</source>
        <translation>तीन वेळा चुकले: %1 पर्यंत सुपरवायझर मंजुरी थांबवली आहे.</translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s name</source>
        <translation>सुपरवायझरचे नाव लिहा</translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s password</source>
        <translation>सुपरवायझरचा पासवर्ड लिहा</translation>
    </message>
    <message>
        <source>The users&apos; database stayed busy for %1 s: nothing was approved. Try again.</source>
        <translation>युजर डेटाबेस %1 से. व्यस्त राहिला: काहीही मंजूर झाले नाही. पुन्हा प्रयत्न करा.</translation>
    </message>
    <message>
        <source>Wrong supervisor name or password</source>
        <translation>सुपरवायझरचे नाव किंवा पासवर्ड चुकीचा</translation>
    </message>
    <message>
        <source>%1 is not a supervisor: a supervisor or an administrator types their own name and password here.</source>
        <translation>%1 सुपरवायझर नाहीत: इथे सुपरवायझर किंवा ॲडमिन स्वतःचे नाव आणि पासवर्ड लिहितात.</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा एरर - %1</translation>
    </message>
</context>
<context>
    <name>weighing::frm_Correct</name>
    <message>
        <source>Serial No.</source>
        <translation>अ.क्र.</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>कॅन</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>Type the receipt&apos;s serial number (SNo.)</source>
        <translation>पावतीचा अनुक्रमांक (अ.क्र.) लिहा</translation>
    </message>
    <message>
        <source>No receipt of this shift has the serial number %1</source>
        <translation>या शिफ्टमध्ये अनुक्रमांक %1 ची पावती नाही</translation>
    </message>
    <message>
        <source>%1 (it cannot be changed)</source>
        <translation>%1 (हे बदलता येत नाही)</translation>
    </message>
    <message>
        <source>As stored (SNo. %1, reference %2):

Village: %3 %4
Animal: %5
Milk type: %6
Cans: %7
Weight: %8

Added at %9 by %10</source>
        <translation>सेव्ह केलेली पावती (अ.क्र. %1, संदर्भ क्र. %2):

गाव: %3 %4
जनावर: %5
दूध प्रकार: %6
कॅन: %7
वजन: %8

%9 ला %10 यांनी जमा केली</translation>
    </message>
    <message>
        <source>Nothing to correct: change the village, animal, milk type or cans, or cancel the receipt.</source>
        <translation>दुरुस्त करण्यासारखे काही नाही: गाव, जनावर, दूध प्रकार किंवा कॅन बदला, किंवा पावती रद्द करा.</translation>
    </message>
    <message>
        <source>Receipt %1 corrected.</source>
        <translation>पावती %1 दुरुस्त केली.</translation>
    </message>
    <message>
        <source>Receipt %1 cancelled.</source>
        <translation>पावती %1 रद्द केली.</translation>
    </message>
    <message>
        <source>Type the reason for the change</source>
        <translation>बदलाचे कारण लिहा</translation>
    </message>
</context>
<context>
    <name>weighing::frm_ManualWeight</name>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>The scale shows no reading</source>
        <translation>काट्यावर रीडिंग नाही</translation>
    </message>
    <message>
        <source>The scale shows %1</source>
        <translation>काटा %1 दाखवतो</translation>
    </message>
    <message>
        <source>Type the reason why the weight is typed by hand</source>
        <translation>वजन हाताने का लिहिले त्याचे कारण लिहा</translation>
    </message>
</context>
</TS>

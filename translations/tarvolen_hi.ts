<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>A_Start</name>
    <message>
        <source> Select Firm   </source>
        <translation> फर्म चुनें   </translation>
    </message>
    <message>
        <source>Select Company</source>
        <translation>फर्म चुनें</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक है(&amp;O)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहर(&amp;x)</translation>
    </message>
    <message>
        <source>Sl.No.</source>
        <translation>क्र.</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>कोड</translation>
    </message>
    <message>
        <source>Name of the Firm</source>
        <translation>फर्म का नाम</translation>
    </message>
    <message>
        <source>Town/Village</source>
        <translation>शहर/गाँव</translation>
    </message>
</context>
<context>
    <name>CheckDate</name>
    <message>
        <source>No accounting year is chosen: no date can be taken.</source>
        <translation>कोई हिसाब वर्ष नहीं चुना गया है: कोई तारीख नहीं ली जा सकती।</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it starts after today, no date can be taken yet.</source>
        <translation>हिसाब वर्ष %1 से %2: यह आज के बाद शुरू होता है, अभी कोई तारीख नहीं ली जा सकती।</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2: it has ended, the next year must be made.</source>
        <translation>हिसाब वर्ष %1 से %2: यह खत्म हो चुका है, अगला वर्ष बनाना होगा।</translation>
    </message>
    <message>
        <source>Accounting year %1 to %2</source>
        <translation>हिसाब वर्ष %1 से %2</translation>
    </message>
    <message>
        <source>Please Check Date</source>
        <translation>कृपया तारीख जाँचें</translation>
    </message>
</context>
<context>
    <name>CompanyWork</name>
    <message>
        <source>Data Error - Master Database 

%1</source>
        <translation>डेटा गड़बड़ी - मास्टर डेटाबेस 

%1</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा गड़बड़ी - %1</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>the data source is not registered</source>
        <translation>डेटा सोर्स रजिस्टर नहीं है</translation>
    </message>
    <message>
        <source>the database file does not exist</source>
        <translation>डेटाबेस फ़ाइल मौजूद नहीं है</translation>
    </message>
    <message>
        <source>the database did not answer</source>
        <translation>डेटाबेस ने जवाब नहीं दिया</translation>
    </message>
</context>
<context>
    <name>DaySummary</name>
    <message>
        <source>AM Receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation>सुबह रसीदें</translation>
    </message>
    <message>
        <source>AM Cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation>सुबह डिब्बे</translation>
    </message>
    <message>
        <source>AM Weight</source>
        <translation>सुबह वजन</translation>
    </message>
    <message>
        <source>PM Receipts</source>
        <translation>शाम रसीदें</translation>
    </message>
    <message>
        <source>PM Cans</source>
        <translation>शाम डिब्बे</translation>
    </message>
    <message>
        <source>PM Weight</source>
        <translation>शाम वजन</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>रसीदें</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>डिब्बे</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>AM receipts</source>
        <extracomment>AM and PM: the morning and the evening shift</extracomment>
        <translation>सुबह रसीदें</translation>
    </message>
    <message>
        <source>AM cans</source>
        <extracomment>Milk cans received in the morning shift</extracomment>
        <translation>सुबह डिब्बे</translation>
    </message>
    <message>
        <source>AM weight</source>
        <translation>सुबह वजन</translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation>शाम रसीदें</translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation>शाम डिब्बे</translation>
    </message>
    <message>
        <source>PM weight</source>
        <translation>शाम वजन</translation>
    </message>
    <message>
        <source>Day summary %1</source>
        <translation>दिन का सारांश %1</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>नाम</translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation>गाड़ी</translation>
    </message>
    <message>
        <source>All routes</source>
        <translation>सभी रूट</translation>
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
        <translation>इस दिन गाड़ी वाले सभी रूटों का दूध पहुँच गया है।</translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation>अभी नहीं पहुँचा</translation>
    </message>
    <message>
        <source>Shifts</source>
        <translation>शिफ्ट</translation>
    </message>
    <message>
        <source>Day Summary</source>
        <translation>दिन का सारांश</translation>
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
        <translation>दिन का सारांश %1</translation>
    </message>
</context>
<context>
    <name>DayWindow</name>
    <message>
        <source>AM receipts</source>
        <translation>सुबह रसीदें</translation>
    </message>
    <message>
        <source>AM cans</source>
        <translation>सुबह डिब्बे</translation>
    </message>
    <message>
        <source>PM receipts</source>
        <translation>शाम रसीदें</translation>
    </message>
    <message>
        <source>PM cans</source>
        <translation>शाम डिब्बे</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>रसीदें</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>डिब्बे</translation>
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
        <translation>गाड़ी</translation>
    </message>
    <message>
        <source>Milk type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Not yet delivered</source>
        <translation>अभी नहीं पहुँचा</translation>
    </message>
    <message>
        <source>The day at a glance</source>
        <translation>दिन एक नज़र में</translation>
    </message>
    <message>
        <source>%1, %2: the day %3 so far</source>
        <translation>%1, %2: %3 का दिन, अब तक</translation>
    </message>
    <message>
        <source>All routes</source>
        <translation>सभी रूट</translation>
    </message>
    <message>
        <source>Every route with a vehicle today has delivered.</source>
        <translation>आज गाड़ी वाले सभी रूटों का दूध पहुँच गया है।</translation>
    </message>
    <message>
        <source>AM kg</source>
        <translation>सुबह kg</translation>
    </message>
    <message>
        <source>PM kg</source>
        <translation>शाम kg</translation>
    </message>
</context>
<context>
    <name>DeskWindows</name>
    <message>
        <source>OK</source>
        <translation>ठीक है</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>%1 belongs to the group %2, which may not change it: ask the administrator to run  chmod g+rw &apos;%3&apos;</source>
        <translation>%1 ग्रुप %2 का है, जिसे इसे बदलने की अनुमति नहीं है: एडमिन से यह चलाने को कहें:  chmod g+rw &apos;%3&apos;</translation>
    </message>
    <message>
        <source>%1 belongs to the group %2. You were added to the group after you logged in: log out and in again.</source>
        <translation>%1 ग्रुप %2 का है। आपको लॉग इन करने के बाद इस ग्रुप में जोड़ा गया था: लॉग आउट करके फिर से लॉग इन करें।</translation>
    </message>
    <message>
        <source>%1 belongs to the group %2, and you are not in it. Ask to be added to the group %2 (sudo adduser %3 %2), then log in again.</source>
        <translation>%1 ग्रुप %2 का है, और आप उसमें नहीं हैं। ग्रुप %2 में जोड़े जाने के लिए कहें (sudo adduser %3 %2), फिर दोबारा लॉग इन करें।</translation>
    </message>
    <message>
        <source>its folder %1</source>
        <translation>इसका फ़ोल्डर %1</translation>
    </message>
    <message>
        <source>You cannot read the database %1: %2</source>
        <translation>आप डेटाबेस %1 को पढ़ नहीं सकते: %2</translation>
    </message>
    <message>
        <source>You cannot write to the database %1: %2</source>
        <translation>आप डेटाबेस %1 में लिख नहीं सकते: %2</translation>
    </message>
    <message>
        <source>The database %1 does not exist.</source>
        <translation>डेटाबेस %1 मौजूद नहीं है।</translation>
    </message>
    <message>
        <source>it</source>
        <translation>यह</translation>
    </message>
    <message>
        <source>The database %1 is readable by everyone on this computer, passwords included: run  chmod o-rwx &apos;%1&apos;</source>
        <translation>डेटाबेस %1 को इस कंप्यूटर पर हर कोई पढ़ सकता है, पासवर्ड भी: यह चलाएँ:  chmod o-rwx &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>NextNumbers</name>
    <message>
        <source>%1 of Data_Wght has reached the largest number it can hold</source>
        <translation>Data_Wght का %1 अपनी सबसे बड़ी संभव संख्या तक पहुँच गया है</translation>
    </message>
</context>
<context>
    <name>PageDrawer</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 में लिखा नहीं जा सका: %2</translation>
    </message>
</context>
<context>
    <name>PasteRules</name>
    <message>
        <source>only digits and &quot;-&quot;</source>
        <translation>केवल अंक और &quot;-&quot;</translation>
    </message>
    <message>
        <source>only digits, &quot;-&quot; and one &quot;.&quot;</source>
        <translation>केवल अंक, &quot;-&quot; और एक &quot;.&quot;</translation>
    </message>
    <message>
        <source>%1 takes one line of text: the paste was refused</source>
        <translation>%1 में केवल एक लाइन आती है: पेस्ट नहीं लिया गया</translation>
    </message>
    <message>
        <source>%1 takes %2: the paste &quot;%3&quot; was refused</source>
        <translation>%1 में %2 आते हैं: पेस्ट &quot;%3&quot; नहीं लिया गया</translation>
    </message>
    <message>
        <source>%1 takes at most %2 characters: the paste of %3 was refused</source>
        <translation>%1 में ज़्यादा से ज़्यादा %2 अक्षर आते हैं: %3 अक्षरों का पेस्ट नहीं लिया गया</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>not in %1, the folder given by --program-dir</source>
        <translation>--program-dir से दिए गए फ़ोल्डर %1 में नहीं है</translation>
    </message>
    <message>
        <source>not in %1, the folder named by %2</source>
        <translation>%2 में दिए गए फ़ोल्डर %1 में नहीं है</translation>
    </message>
    <message>
        <source>neither in the program&apos;s own folder %1 nor in %2</source>
        <translation>न प्रोग्राम के अपने फ़ोल्डर %1 में है, न %2 में</translation>
    </message>
    <message>
        <source>No installation found: SerPath.mdb is %1.
Create one with tarvolen-admin init, or name its folder with --program-dir DIR or %2.</source>
        <translation>कोई इंस्टॉलेशन नहीं मिला: SerPath.mdb %1।
tarvolen-admin init से नया बनाएँ, या उसका फ़ोल्डर --program-dir DIR या %2 से बताएँ।</translation>
    </message>
</context>
<context>
    <name>ReceiptChanges</name>
    <message>
        <source>there is no receipt with RefNo %1</source>
        <translation>RefNo %1 वाली कोई रसीद नहीं है</translation>
    </message>
    <message>
        <source>a reason is required</source>
        <translation>कारण देना ज़रूरी है</translation>
    </message>
    <message>
        <source>a supervisor is required</source>
        <translation>सुपरवाइज़र ज़रूरी है</translation>
    </message>
    <message>
        <source>the cans must be more than 0</source>
        <translation>डिब्बे 0 से ज़्यादा होने चाहिए</translation>
    </message>
    <message>
        <source>%1 cans cannot hold %2</source>
        <translation>%1 डिब्बों में %2 नहीं आ सकता</translation>
    </message>
    <message>
        <source>nothing to change</source>
        <translation>बदलने को कुछ नहीं है</translation>
    </message>
    <message>
        <source>village %1 is not an active village of route %2</source>
        <translation>गाँव %1 रूट %2 का चालू गाँव नहीं है</translation>
    </message>
    <message>
        <source>there is no animal %1</source>
        <translation>पशु %1 मौजूद नहीं है</translation>
    </message>
    <message>
        <source>there is no milk type %1</source>
        <translation>दूध प्रकार %1 मौजूद नहीं है</translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>Truck Number</source>
        <translation>गाड़ी नं.</translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation>तय समय</translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation>पहुँचने का समय</translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <extracomment>Kilometres the truck ran on its trip</extracomment>
        <translation>फेरा कि.मी.</translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation>वसूली रकम</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>टिप्पणी</translation>
    </message>
    <message>
        <source>SNo.</source>
        <extracomment>The receipt&apos;s serial number in the shift</extracomment>
        <translation>क्र.</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गाँव का नाम</translation>
    </message>
    <message>
        <source>Animal Type</source>
        <translation>पशु प्रकार</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans Received</source>
        <translation>प्राप्त डिब्बे</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Mark</source>
        <extracomment>The column of the marks M and C, which stay as they are</extracomment>
        <translation>निशान</translation>
    </message>
    <message numerus="yes">
        <source>Route total: %n receipts</source>
        <translation>
            <numerusform>रूट का जोड़: %n रसीद</numerusform>
            <numerusform>रूट का जोड़: %n रसीदें</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelled, not in the totals:</source>
        <translation>रद्द, जोड़ में शामिल नहीं:</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>डिब्बे</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>Allowed by</source>
        <translation>मंज़ूर किया</translation>
    </message>
    <message>
        <source>Shift totals</source>
        <translation>शिफ्ट का जोड़</translation>
    </message>
    <message>
        <source>Code</source>
        <extracomment>The milk type&apos;s code</extracomment>
        <translation>कोड</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>रसीदें</translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation>सभी दूध प्रकार</translation>
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
        <translation>इस शिफ्ट में कोई रसीद सेव नहीं हुई।</translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation>रूट %1 %2</translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.</source>
        <extracomment>M and C are the marks of the Mark column: they stay as they are</extracomment>
        <translation>M: वजन हाथ से लिखा गया।  C: सेव होने के बाद सुधारी गई।</translation>
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
        <translation>यूज़र %1 मौजूद नहीं है</translation>
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
        <translation>%1 रसीद, %2 डिब्बे, %3 kg</translation>
    </message>
    <message>
        <source>%1 receipts, %2 cans, %3 kg</source>
        <translation>%1 रसीदें, %2 डिब्बे, %3 kg</translation>
    </message>
</context>
<context>
    <name>ShiftDatabase</name>
    <message>
        <source>Data Error - Master Database 

the server did not answer a moment ago</source>
        <translation>डेटा गड़बड़ी - मास्टर डेटाबेस 

सर्वर ने अभी-अभी जवाब नहीं दिया</translation>
    </message>
</context>
<context>
    <name>ShiftReport</name>
    <message>
        <source>AM</source>
        <extracomment>The morning shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation>सुबह</translation>
    </message>
    <message>
        <source>PM</source>
        <extracomment>The evening shift of milk collection (a shift&apos;s name on the reports)</extracomment>
        <translation>शाम</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Data Error - Path Database</source>
        <translation>डेटा गड़बड़ी - पाथ डेटाबेस</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा गड़बड़ी - %1</translation>
    </message>
    <message>
        <source>Database file doesn&apos;t exist!</source>
        <translation>डेटाबेस फ़ाइल मौजूद नहीं है!</translation>
    </message>
    <message>
        <source>The data source %1 could not be pointed at %2: the ODBC settings file %3 cannot be written. The desk does not go on through a data source that may name another file.</source>
        <translation>डेटा सोर्स %1 को %2 से नहीं जोड़ा जा सका: ODBC सेटिंग फ़ाइल %3 में लिखा नहीं जा सकता। जो डेटा सोर्स किसी और फ़ाइल से जुड़ा हो सकता है, उससे डेस्क आगे काम नहीं करता।</translation>
    </message>
    <message>
        <source>Data Error - Main Database </source>
        <translation>डेटा गड़बड़ी - मुख्य डेटाबेस </translation>
    </message>
    <message>
        <source>Data Error - Master Database </source>
        <translation>डेटा गड़बड़ी - मास्टर डेटाबेस </translation>
    </message>
</context>
<context>
    <name>StationSettings</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, which is not a value from 0 to 255. No scale link is started until it is mended.</source>
        <translation>स्टेशन की कांटा सेटिंग %1 में %2 है, जो 0 से 255 के बीच का मान नहीं है। इसे ठीक किए जाने तक कांटे का कोई कनेक्शन शुरू नहीं होगा।</translation>
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
        <translation>इस शिफ्ट में किसी केंद्र की कोई रसीद नहीं है।</translation>
    </message>
    <message>
        <source>Receipts</source>
        <translation>रसीदें</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>डिब्बे</translation>
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
        <translation>फर्म</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Union totals</source>
        <translation>संघ का जोड़</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>All milk types</source>
        <translation>सभी दूध प्रकार</translation>
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
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गाँव का नाम</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>VILL. CODE</source>
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
        <translation>गाँव का नाम</translation>
    </message>
</context>
<context>
    <name>VillageStatement</name>
    <message>
        <source>Village Statements</source>
        <translation>गाँववार हिसाब</translation>
    </message>
    <message>
        <source>From %1 to %2</source>
        <translation>%1 से %2 तक</translation>
    </message>
    <message>
        <source>M: the weight was typed by hand.  C: corrected after it was stored.  Cancelled receipts are left out.</source>
        <extracomment>M and C are the marks of the Marks column: they stay as they are</extracomment>
        <translation>M: वजन हाथ से लिखा गया।  C: सेव होने के बाद सुधारी गई।  रद्द रसीदें इसमें शामिल नहीं हैं।</translation>
    </message>
    <message>
        <source>No receipts were stored in this period.</source>
        <translation>इस अवधि में कोई रसीद सेव नहीं हुई।</translation>
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
        <translation>रसीदें</translation>
    </message>
    <message>
        <source>Cans</source>
        <extracomment>Milk cans received</extracomment>
        <translation>डिब्बे</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Marks</source>
        <extracomment>The column of the marks M and C</extracomment>
        <translation>निशान</translation>
    </message>
    <message>
        <source>Route %1 %2</source>
        <translation>रूट %1 %2</translation>
    </message>
    <message>
        <source>Village %1 %2</source>
        <translation>गाँव %1 %2</translation>
    </message>
    <message>
        <source>Village total</source>
        <translation>गाँव का जोड़</translation>
    </message>
    <message>
        <source>Route %1 total</source>
        <translation>रूट %1 का जोड़</translation>
    </message>
    <message>
        <source>Period total</source>
        <translation>अवधि का जोड़</translation>
    </message>
    <message>
        <source>Village Statements %1 to %2</source>
        <translation>गाँववार हिसाब %1 से %2</translation>
    </message>
</context>
<context>
    <name>frm_Correct</name>
    <message>
        <source>Correct or Cancel a Receipt</source>
        <translation>रसीद सुधारें या रद्द करें</translation>
    </message>
    <message>
        <source>Type the serial number (SNo.) of a receipt of this shift and press Enter. Its village, animal, milk type and cans can be corrected; its weight cannot.</source>
        <translation>इस शिफ्ट की किसी रसीद का क्रमांक (क्र.) लिखें और Enter दबाएँ। उसका गाँव, पशु, दूध प्रकार और डिब्बे सुधारे जा सकते हैं; वजन नहीं।</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>क्रमांक</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>Animal</source>
        <translation>पशु</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>डिब्बे</translation>
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
        <translation>सुधारें(&amp;C)</translation>
    </message>
    <message>
        <source>Cancel &amp;Receipt</source>
        <translation>रसीद रद्द करें(&amp;R)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>बंद करें</translation>
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
        <translation>रूट का नाम</translation>
    </message>
    <message>
        <source>Truck Number</source>
        <translation>गाड़ी नं.</translation>
    </message>
    <message>
        <source>Scheduled Time</source>
        <translation>तय समय</translation>
    </message>
    <message>
        <source>Arrived Time</source>
        <translation>पहुँचने का समय</translation>
    </message>
    <message>
        <source>Trip KMs</source>
        <translation>फेरा कि.मी.</translation>
    </message>
    <message>
        <source>Recovery Details (If Truck Late)</source>
        <translation>वसूली विवरण (गाड़ी देर से आए तो)</translation>
    </message>
    <message>
        <source>Recovery Amount</source>
        <translation>वसूली रकम</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>टिप्पणी</translation>
    </message>
    <message>
        <source>VILL.CODE</source>
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>VILLAGE NAME</source>
        <translation>गाँव का नाम</translation>
    </message>
    <message>
        <source>ANIMAL</source>
        <translation>पशु</translation>
    </message>
    <message>
        <source>MILK TYPE</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>CANS RECD.</source>
        <translation>प्राप्त डिब्बे</translation>
    </message>
    <message>
        <source>GET WEIGHT</source>
        <translation>वजन लें</translation>
    </message>
    <message>
        <source>Get Weight</source>
        <translation>वजन लें</translation>
    </message>
    <message>
        <source>WEIGHT</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Typed by hand, approved by a supervisor</source>
        <translation>हाथ से लिखा, सुपरवाइज़र ने मंज़ूर किया</translation>
    </message>
    <message>
        <source>TYPED</source>
        <translation>हाथ</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>जोड़ें(&amp;A)</translation>
    </message>
    <message>
        <source>0.00</source>
        <translation>0.00</translation>
    </message>
    <message>
        <source>Milk Weighing Collection</source>
        <translation>दूध तौल संकलन</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहर(&amp;x)</translation>
    </message>
    <message>
        <source>M: weight typed by hand, C: corrected</source>
        <translation>M: वजन हाथ से लिखा, C: सुधारी गई</translation>
    </message>
    <message>
        <source>F8 shift report  F9 the day</source>
        <translation>F8 शिफ्ट रिपोर्ट  F9 दिन</translation>
    </message>
    <message>
        <source>F6 manual  F7 correct  </source>
        <translation>F6 हाथ से वजन  F7 सुधार  </translation>
    </message>
    <message>
        <source>scale: no link, the station settings are wrong</source>
        <translation>कांटा: कोई कनेक्शन नहीं, स्टेशन की सेटिंग गलत है</translation>
    </message>
    <message>
        <source>The route &quot;%1&quot; has the key %2, which a receipt cannot store (at most %3). Ask the administrator to renumber it.</source>
        <translation>रूट &quot;%1&quot; का अंदरूनी नंबर %2 है, जो रसीद में नहीं रखा जा सकता (ज़्यादा से ज़्यादा %3)। एडमिन से इसे नया नंबर देने को कहें।</translation>
    </message>
    <message>
        <source>Select Animal Type</source>
        <translation>पशु प्रकार चुनें</translation>
    </message>
    <message>
        <source>Select Milk Type</source>
        <translation>दूध प्रकार चुनें</translation>
    </message>
    <message>
        <source>The receipt was not saved.

%1</source>
        <translation>रसीद सेव नहीं हुई।

%1</translation>
    </message>
    <message>
        <source>Successfully Added</source>
        <translation>रसीद जुड़ गई</translation>
    </message>
    <message>
        <source>Receipts cannot be stored from this desk</source>
        <translation>इस डेस्क से रसीदें सेव नहीं हो सकतीं</translation>
    </message>
    <message>
        <source>SNo.</source>
        <translation>क्र.</translation>
    </message>
    <message>
        <source>Village Code</source>
        <translation>गाँव कोड</translation>
    </message>
    <message>
        <source>Village Name</source>
        <translation>गाँव का नाम</translation>
    </message>
    <message>
        <source>Animal Type</source>
        <translation>पशु प्रकार</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans Received</source>
        <translation>प्राप्त डिब्बे</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Cans Recd.</source>
        <translation>प्राप्त डिब्बे</translation>
    </message>
    <message>
        <source>. Add waits for the platform to be emptied</source>
        <translation>। जोड़ने से पहले प्लेटफ़ॉर्म खाली होना चाहिए</translation>
    </message>
    <message>
        <source>F11 slip again</source>
        <translation>F11 पर्ची फिर से</translation>
    </message>
    <message>
        <source>[this desk&apos;s scale settings]</source>
        <translation>[इस डेस्क की कांटा सेटिंग]</translation>
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
        <translation> तारीख चुनें</translation>
    </message>
    <message>
        <source>Milk Collection Date</source>
        <translation>दूध संकलन तारीख</translation>
    </message>
    <message>
        <source>Select Date</source>
        <translation>तारीख चुनें</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक है(&amp;O)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>बाहर(&amp;x)</translation>
    </message>
</context>
<context>
    <name>frm_Gen_Pass</name>
    <message>
        <source>User Name</source>
        <translation>यूज़र नाम</translation>
    </message>
    <message>
        <source>PassWord</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>ठीक है(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>रद्द करें(&amp;C)</translation>
    </message>
    <message>
        <source> Please Enter User Name</source>
        <translation> कृपया यूज़र नाम लिखें</translation>
    </message>
    <message>
        <source> Please Enter Password</source>
        <translation> कृपया पासवर्ड लिखें</translation>
    </message>
    <message>
        <source>Wrong User Name</source>
        <translation>गलत यूज़र नाम</translation>
    </message>
    <message>
        <source>Wrong Pass Word</source>
        <translation>गलत पासवर्ड</translation>
    </message>
    <message>
        <source>The user id %1 of %2 is larger than a receipt can store (at most %3). Ask the administrator to give the user a smaller id.</source>
        <translation>%2 की यूज़र आईडी %1 इतनी बड़ी है कि रसीद में नहीं रखी जा सकती (ज़्यादा से ज़्यादा %3)। एडमिन से इस यूज़र को छोटी आईडी देने को कहें।</translation>
    </message>
</context>
<context>
    <name>frm_ManualWeight</name>
    <message>
        <source>Manual Weight</source>
        <translation>हाथ से वजन</translation>
    </message>
    <message>
        <source>The scale cannot weigh these cans: type the weight read elsewhere. A supervisor approves it.</source>
        <translation>कांटा इन डिब्बों को नहीं तौल सकता: कहीं और पढ़ा गया वजन लिखें। सुपरवाइज़र इसे मंज़ूर करेगा।</translation>
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
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
</context>
<context>
    <name>platform::SerialControl</name>
    <message>
        <source>the device went away</source>
        <translation>डिवाइस हट गया</translation>
    </message>
    <message>
        <source>the speed &quot;%1&quot; is not a whole number of bits per second</source>
        <translation>स्पीड &quot;%1&quot; बिट प्रति सेकंड की पूरी संख्या नहीं है</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>ऐसा कोई डिवाइस नहीं है</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>कोई और प्रोग्राम इसे इस्तेमाल कर रहा है</translation>
    </message>
    <message>
        <source>no permission to use it (%1)</source>
        <translation>इसे इस्तेमाल करने की अनुमति नहीं है (%1)</translation>
    </message>
</context>
<context>
    <name>report::Slip</name>
    <message>
        <source>AM</source>
        <comment>the morning shift</comment>
        <translation>सुबह</translation>
    </message>
    <message>
        <source>PM</source>
        <comment>the evening shift</comment>
        <translation>शाम</translation>
    </message>
    <message>
        <source>manual weight</source>
        <translation>हाथ से वजन</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>सुधारी गई</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>तारीख</translation>
    </message>
    <message>
        <source>Receipt No.</source>
        <translation>रसीद नं.</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>क्रमांक</translation>
    </message>
    <message>
        <source>Route</source>
        <translation>रूट</translation>
    </message>
    <message>
        <source>Village</source>
        <translation>गाँव</translation>
    </message>
    <message>
        <source>Animal</source>
        <translation>पशु</translation>
    </message>
    <message>
        <source>Milk Type</source>
        <translation>दूध प्रकार</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>डिब्बे</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>वजन</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>समय</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>ऑपरेटर</translation>
    </message>
    <message>
        <source>Slip %1</source>
        <translation>पर्ची %1</translation>
    </message>
</context>
<context>
    <name>report::SlipSpooler</name>
    <message>
        <source>receipt printer %1 cannot be opened: %2</source>
        <translation>रसीद प्रिंटर %1 खुल नहीं रहा: %2</translation>
    </message>
    <message>
        <source>receipt printer %1 does not take the slip (off or out of paper?)</source>
        <translation>रसीद प्रिंटर %1 पर्ची नहीं ले रहा (बंद है या कागज़ खत्म?)</translation>
    </message>
    <message>
        <source>receipt printer %1: %2</source>
        <translation>रसीद प्रिंटर %1: %2</translation>
    </message>
    <message>
        <source>the slip folder %1 is not there</source>
        <translation>पर्ची का फ़ोल्डर %1 मौजूद नहीं है</translation>
    </message>
    <message>
        <source>the slip cannot be written to %1: %2</source>
        <translation>पर्ची %1 में लिखी नहीं जा सकी: %2</translation>
    </message>
    <message>
        <source>the print service cannot be reached (%1)</source>
        <translation>प्रिंट सेवा से संपर्क नहीं हो रहा (%1)</translation>
    </message>
    <message>
        <source>print queue %1 is not there</source>
        <translation>प्रिंट कतार %1 मौजूद नहीं है</translation>
    </message>
    <message>
        <source>print queue %1 is stopped</source>
        <translation>प्रिंट कतार %1 रुकी हुई है</translation>
    </message>
    <message>
        <source>print queue %1 has not printed it yet</source>
        <translation>प्रिंट कतार %1 ने अभी तक नहीं छापी</translation>
    </message>
    <message>
        <source>print queue %1: %2</source>
        <translation>प्रिंट कतार %1: %2</translation>
    </message>
    <message>
        <source>print queue %1 gave the slip up; it is sent again</source>
        <translation>प्रिंट कतार %1 ने पर्ची छोड़ दी; फिर से भेजी जा रही है</translation>
    </message>
    <message>
        <source>Slips cannot be kept in %1 until they are printed: a slip that has not been printed when the desk is closed will be lost.</source>
        <translation>छपने तक पर्चियाँ %1 में रखी नहीं जा सकतीं: डेस्क बंद करते समय जो पर्ची नहीं छपी होगी, वह खो जाएगी।</translation>
    </message>
    <message>
        <source>%1 slips waiting: %2</source>
        <translation>%1 पर्चियाँ बाकी: %2</translation>
    </message>
    <message>
        <source>Slip waiting: %1</source>
        <translation>पर्ची बाकी: %1</translation>
    </message>
</context>
<context>
    <name>scale</name>
    <message>
        <source>The station&apos;s scale setting %1 holds %2, %3. No scale link is started until it is mended.</source>
        <translation>स्टेशन की कांटा सेटिंग %1 में %2 है, %3। इसे ठीक किए जाने तक कांटे का कोई कनेक्शन शुरू नहीं होगा।</translation>
    </message>
    <message>
        <source>but the scale link is 1 to 4, or 0 for none</source>
        <translation>पर कांटा कनेक्शन 1 से 4 होता है, या कोई नहीं तो 0</translation>
    </message>
    <message>
        <source>but the scale format is 1 or 2, or 0 for none</source>
        <translation>पर कांटा फ़ॉर्मेट 1 या 2 होता है, या कोई नहीं तो 0</translation>
    </message>
    <message>
        <source>which is not a whole number of bits per second</source>
        <translation>जो बिट प्रति सेकंड की पूरी संख्या नहीं है</translation>
    </message>
    <message>
        <source>which is not a TCP port from 1 to 65535</source>
        <translation>जो 1 से 65535 तक का TCP पोर्ट नहीं है</translation>
    </message>
    <message>
        <source>port %1 cannot be opened: %2</source>
        <translation>पोर्ट %1 नहीं खुल सकता: %2</translation>
    </message>
</context>
<context>
    <name>scale::ContinuousLink</name>
    <message>
        <source>no reading yet</source>
        <translation>अभी कोई रीडिंग नहीं</translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation>रीडिंग नहीं है: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>reading below zero</source>
        <translation>रीडिंग 0 से कम</translation>
    </message>
    <message>
        <source>reading 0 s ago</source>
        <translation>रीडिंग 0 सेकंड पहले</translation>
    </message>
    <message>
        <source>no reading for %1 s</source>
        <translation>%1 सेकंड से कोई रीडिंग नहीं</translation>
    </message>
    <message>
        <source>reading %1 s ago</source>
        <translation>रीडिंग %1 सेकंड पहले</translation>
    </message>
</context>
<context>
    <name>scale::NetworkContinuousLink</name>
    <message>
        <source>network %1:%2, continuous</source>
        <translation>नेटवर्क %1:%2, लगातार</translation>
    </message>
    <message>
        <source>no host or port set</source>
        <translation>होस्ट या पोर्ट सेट नहीं है</translation>
    </message>
    <message>
        <source>not connected, trying again every %1 s</source>
        <translation>जुड़ा नहीं, हर %1 सेकंड में फिर कोशिश</translation>
    </message>
    <message>
        <source>The scale at %1:%2 cannot be reached. The desk goes on and connects to it as soon as it answers; until then no weight is read and Add stays disabled.</source>
        <translation>%1:%2 पर कांटे तक नहीं पहुँचा जा सकता। डेस्क चलता रहेगा और कांटे के जवाब देते ही उससे जुड़ जाएगा; तब तक कोई वजन नहीं पढ़ा जाएगा और &quot;जोड़ें&quot; बंद रहेगा।</translation>
    </message>
</context>
<context>
    <name>scale::NetworkRequestLink</name>
    <message>
        <source>network %1:%2, on request</source>
        <translation>नेटवर्क %1:%2, माँगने पर</translation>
    </message>
    <message>
        <source>Enter Remote Host IP and Remote Port Number</source>
        <translation>रिमोट होस्ट IP और रिमोट पोर्ट नंबर लिखें</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>जुड़ा नहीं</translation>
    </message>
</context>
<context>
    <name>scale::RequestLink</name>
    <message>
        <source>no reply yet</source>
        <translation>अभी कोई जवाब नहीं</translation>
    </message>
    <message>
        <source>readings came unasked and were dropped</source>
        <translation>बिना माँगे रीडिंग आईं और छोड़ दी गईं</translation>
    </message>
    <message>
        <source>not a reading: &quot;%1&quot;</source>
        <translation>रीडिंग नहीं है: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a cut reading &quot;%1&quot; was dropped</source>
        <translation>अधूरी रीडिंग &quot;%1&quot; छोड़ दी गई</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>%1 सेकंड में कोई जवाब नहीं</translation>
    </message>
    <message>
        <source>last reply %1; readings came unasked too</source>
        <translation>आखिरी जवाब %1; बिना माँगे रीडिंग भी आईं</translation>
    </message>
    <message>
        <source>last reply %1</source>
        <translation>आखिरी जवाब %1</translation>
    </message>
</context>
<context>
    <name>scale::ScaleLink</name>
    <message>
        <source>scale: %1 — %2</source>
        <translation>कांटा: %1 — %2</translation>
    </message>
</context>
<context>
    <name>scale::SerialContinuousLink</name>
    <message>
        <source>port %1 lost: %2</source>
        <translation>पोर्ट %1 बंद हो गया: %2</translation>
    </message>
    <message>
        <source>serial %1, continuous</source>
        <translation>सीरियल %1, लगातार</translation>
    </message>
    <message>
        <source>no serial port or speed set</source>
        <translation>सीरियल पोर्ट या स्पीड सेट नहीं है</translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation>कांटे का %1</translation>
    </message>
</context>
<context>
    <name>scale::SerialRequestLink</name>
    <message>
        <source>serial %1, %2</source>
        <translation>सीरियल %1, %2</translation>
    </message>
    <message>
        <source>polled</source>
        <translation>पोलिंग</translation>
    </message>
    <message>
        <source>on request</source>
        <translation>माँगने पर</translation>
    </message>
    <message>
        <source>Enter Com Port Number and Comport Bits</source>
        <translation>कॉम पोर्ट नंबर और कॉम पोर्ट बिट्स लिखें</translation>
    </message>
    <message>
        <source>The scale&apos;s %1</source>
        <translation>कांटे का %1</translation>
    </message>
</context>
<context>
    <name>weighing</name>
    <message>
        <source>Type the weight as the scale shows it: a number above 0, one decimal at most</source>
        <translation>वजन वैसा ही लिखें जैसा कांटा दिखाता है: 0 से बड़ी संख्या, दशमलव के बाद ज़्यादा से ज़्यादा एक अंक</translation>
    </message>
    <message>
        <source>Select Route</source>
        <translation>रूट चुनें</translation>
    </message>
    <message>
        <source>Select Village Code/Name</source>
        <translation>गाँव कोड/नाम चुनें</translation>
    </message>
    <message>
        <source>Enter Received Cans</source>
        <translation>प्राप्त डिब्बे लिखें</translation>
    </message>
    <message>
        <source>Please Get Milk Weight</source>
        <translation>कृपया दूध का वजन लें</translation>
    </message>
    <message>
        <source>Please Verify Cans</source>
        <translation>कृपया डिब्बे जाँचें</translation>
    </message>
    <message>
        <source>the company database is not open</source>
        <translation>फर्म का डेटाबेस खुला नहीं है</translation>
    </message>
    <message>
        <source>The database stayed busy for %1 s: another desk or program is using it.

%2</source>
        <translation>डेटाबेस %1 सेकंड तक व्यस्त रहा: कोई और डेस्क या प्रोग्राम इसे इस्तेमाल कर रहा है।

%2</translation>
    </message>
    <message>
        <source>%1: paste refused, it holds a line break or another control character</source>
        <translation>%1: पेस्ट नहीं लिया गया, इसमें लाइन ब्रेक या कोई और कंट्रोल अक्षर है</translation>
    </message>
    <message>
        <source>%1: paste refused, at most %2 characters</source>
        <translation>%1: पेस्ट नहीं लिया गया, ज़्यादा से ज़्यादा %2 अक्षर</translation>
    </message>
</context>
<context>
    <name>weighing::SupervisorWord</name>
    <message>
        <source>Supervisor</source>
        <translation>सुपरवाइज़र</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>Three wrong tries: supervisor approval is paused until %1.</source>
        <translation>तीन बार गलत: सुपरवाइज़र की मंज़ूरी %1 तक रुकी है।</translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s name</source>
        <translation>सुपरवाइज़र का नाम लिखें</translation>
    </message>
    <message>
        <source>Type the supervisor&apos;s password</source>
        <translation>सुपरवाइज़र का पासवर्ड लिखें</translation>
    </message>
    <message>
        <source>The users&apos; database stayed busy for %1 s: nothing was approved. Try again.</source>
        <translation>यूज़र डेटाबेस %1 सेकंड तक व्यस्त रहा: कुछ भी मंज़ूर नहीं हुआ। फिर से कोशिश करें।</translation>
    </message>
    <message>
        <source>Wrong supervisor name or password</source>
        <translation>सुपरवाइज़र का नाम या पासवर्ड गलत है</translation>
    </message>
    <message>
        <source>%1 is not a supervisor: a supervisor or an administrator types their own name and password here.</source>
        <translation>%1 सुपरवाइज़र नहीं है: यहाँ सुपरवाइज़र या एडमिन अपना नाम और पासवर्ड लिखें।</translation>
    </message>
    <message>
        <source>Data Error - %1</source>
        <translation>डेटा गड़बड़ी - %1</translation>
    </message>
</context>
<context>
    <name>weighing::frm_Correct</name>
    <message>
        <source>Serial No.</source>
        <translation>क्रमांक</translation>
    </message>
    <message>
        <source>Cans</source>
        <translation>डिब्बे</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>कारण</translation>
    </message>
    <message>
        <source>Type the receipt&apos;s serial number (SNo.)</source>
        <translation>रसीद का क्रमांक (क्र.) लिखें</translation>
    </message>
    <message>
        <source>No receipt of this shift has the serial number %1</source>
        <translation>इस शिफ्ट में क्रमांक %1 की कोई रसीद नहीं है</translation>
    </message>
    <message>
        <source>%1 (it cannot be changed)</source>
        <translation>%1 (यह बदला नहीं जा सकता)</translation>
    </message>
    <message>
        <source>As stored (SNo. %1, reference %2):

Village: %3 %4
Animal: %5
Milk type: %6
Cans: %7
Weight: %8

Added at %9 by %10</source>
        <translation>जैसा सेव है (क्र. %1, रेफ़. %2):

गाँव: %3 %4
पशु: %5
दूध प्रकार: %6
डिब्बे: %7
वजन: %8

%9 पर %10 ने जोड़ा</translation>
    </message>
    <message>
        <source>Nothing to correct: change the village, animal, milk type or cans, or cancel the receipt.</source>
        <translation>सुधारने को कुछ नहीं: गाँव, पशु, दूध प्रकार या डिब्बे बदलें, या रसीद रद्द करें।</translation>
    </message>
    <message>
        <source>Receipt %1 corrected.</source>
        <translation>रसीद %1 सुधार दी गई।</translation>
    </message>
    <message>
        <source>Receipt %1 cancelled.</source>
        <translation>रसीद %1 रद्द कर दी गई।</translation>
    </message>
    <message>
        <source>Type the reason for the change</source>
        <translation>बदलाव का कारण लिखें</translation>
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
        <translation>कांटे पर कोई रीडिंग नहीं है</translation>
    </message>
    <message>
        <source>The scale shows %1</source>
        <translation>कांटा %1 दिखा रहा है</translation>
    </message>
    <message>
        <source>Type the reason why the weight is typed by hand</source>
        <translation>वजन हाथ से लिखने का कारण लिखें</translation>
    </message>
</context>
</TS>

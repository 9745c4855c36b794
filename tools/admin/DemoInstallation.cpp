#include "DemoInstallation.h"

#include "AdminDb.h"
#include "datastore/DataWght.h"
#include "datastore/Roles.h"

#include <QHash>
#include <QLocale>
#include <QStringList>
#include <QTime>
#include <QVariant>

namespace admin::demo {
namespace {

struct User {
    int uid;
    const char* name;
    const char* password;
    int saveUser;
    datastore::Role role;
};
// The operator is the one the sign-in window offers (Users names Uid 1 and SaveUser is 1); the
// supervisor allows typed weights, corrections and cancellations.
const User kUsers[] = {
    {1, "operator", "milk", 1, datastore::Role::Operator},
    {2, "manager", "Cream42", 0, datastore::Role::Operator},
    {3, "supervisor", "check", 0, datastore::Role::Supervisor},
};

struct Route {
    int refNo;
    const char* name;
    int inactive;
};

struct Assignment {
    int route;
    int fromDay; // days from the working day
    int toDay;
    const char* vehicle;
};

// inAct: 0 in use, 1 given up, -1 never set (null), which keeps a village out of look-ups too.
struct Village {
    int refNo;
    const char* code;
    const char* name;
    int route;
    int inAct;
};

struct Receipt {
    int dayOffset;
    int ampm; // 2 AM, 3 PM
    int route;
    int village;
    int animal;
    int milk;
    double cans;
    double weight;
    QTime collected;
    const char* truck;
    QTime scheduled;
    QTime arrived;
    double kilometres;
    double recovery;
    const char* remarks;
};

struct Company {
    const char* code;
    const char* name;
    const char* town;
    int yearsBack; // accounting years before the current one
    QList<Route> routes;
    QList<Assignment> assignments;
    QList<Village> villages;
    QList<Receipt> receipts;
};

// Codes and names share leading characters ("10", "101", "102", "11"; "Ashford", "Ashgrove"),
// as real route lists do, so that narrowing the village list by a prefix can be tried.
const QList<Village> kFirstVillages = {
    {1, "10", "Ashford", 1, 0},       {2, "101", "Ashford Mills", 1, 0},
    {3, "102", "Ashgrove", 1, 0},     {4, "103", "Ashgrove North", 1, 1},
    {5, "11", "Bellwood", 1, 0},      {6, "110", "Bellwood Cross", 1, -1},
    {7, "111", "Birchfield", 1, 0},   {8, "12", "Brookside", 1, 0},
    {9, "120", "O'Neil Farm", 1, 0},  {10, "121", "Oakham", 1, 0},
    {11, "13", "Oakridge", 1, 0},     {12, "130", "Oakridge Upper", 1, 1},
    {13, "14", "Pinecrest", 1, 0},    {14, "15", "Redhill", 1, 0},
    {15, "16", "Rosedale", 1, 0},     {16, "17", "Stonebridge", 1, -1},
    {17, "18", "Summerfield", 1, 0},  {18, "20", "Ashby", 2, 0},
    {19, "201", "Ashby Green", 2, 0}, {20, "202", "Ashcombe", 2, 0},
    {21, "21", "Clearwater", 2, 0},   {22, "210", "Clearwater Bend", 2, 1},
    {23, "22", "Elmstead", 2, 0},     {24, "220", "Elmstead Lodge", 2, 0},
    {25, "23", "Fairmead", 2, -1},    {26, "24", "Glenview", 2, 0},
    {27, "25", "Hazelwood", 2, 0},    {28, "26", "Kingsford", 2, 0},
    {29, "27", "Lakeside", 2, 0},     {30, "10", "Larkhill", 2, 0},
    {31, "28", "Maplewood", 2, 0},    {32, "29", "Meadowbank", 2, 1},
    {33, "30", "Northcote", 3, 0},    {34, "301", "Northcote Farm", 3, 0},
    {35, "31", "Orchard Hill", 3, 0}, {36, "32", "Parkside", 3, 0},
    {37, "33", "Quarry End", 3, 1},   {38, "34", "Willowbrook", 3, 0},
    {39, "35", "Westfield", 3, 0},    {40, "36", "Yew Tree Farm", 3, 0},
};

const QList<Receipt> kFirstReceipts = {
    // The evening before, on the other route.
    {-1, 3, 2, 18, 2, 3, 2, 84.0, QTime(18, 10, 25), "TRK-122", QTime(18, 0, 0), QTime(18, 5, 0),
     36, 0, ""},
    {-1, 3, 2, 21, 1, 2, 1, 41.5, QTime(18, 22, 3), "TRK-122", QTime(18, 0, 0), QTime(18, 5, 0), 36,
     0, ""},
    // This morning's shift on route 1, under way: the truck came late.
    {0, 2, 1, 1, 1, 2, 2, 78.5, QTime(7, 5, 9), "TRK-117", QTime(6, 30, 0), QTime(6, 55, 0), 48, 50,
     "Arrived 25 minutes late"},
    {0, 2, 1, 5, 2, 3, 3, 121.0, QTime(7, 12, 44), "TRK-117", QTime(6, 30, 0), QTime(6, 55, 0), 48,
     50, "Arrived 25 minutes late"},
    {0, 2, 1, 9, 1, 1, 1, 38.2, QTime(7, 20, 31), "TRK-117", QTime(6, 30, 0), QTime(6, 55, 0), 48,
     50, "Arrived 25 minutes late"},
    {0, 2, 1, 8, 1, 2, 4, 162.6, QTime(7, 31, 2), "TRK-117", QTime(6, 30, 0), QTime(6, 55, 0), 48,
     50, "Arrived 25 minutes late"},
};

const QList<Company> kCompanies = {
    {"DAIRY1",
     "Green Valley Dairy",
     "Hilltown",
     1,
     {{1, "East Ridge", 0}, {2, "River Road", 0}, {3, "Old Mill", 1}},
     // Route 1 changed trucks this morning.
     {{1, -60, -1, "TRK-104"},
      {1, 0, 90, "TRK-117"},
      {2, -60, 90, "TRK-122"},
      {3, -200, -100, "TRK-090"}},
     kFirstVillages,
     kFirstReceipts},
    // No route 1 here: the weighing window then starts with no route chosen.
    {"DAIRY2",
     "Riverside Milk Union",
     "Millbrook",
     0,
     {{2, "Canal Side", 0}, {3, "Hill Top", 1}, {4, "Forest Lane", 0}},
     {{2, -30, 120, "TRK-210"}, {4, -30, 120, "TRK-240"}, {3, -150, -60, "TRK-230"}},
     {{1, "40", "Alder Green", 2, 0},
      {2, "401", "Alder Hollow", 2, 0},
      {3, "41", "Bramble Cross", 2, 0},
      {4, "42", "Cedar Point", 2, -1},
      {5, "43", "D'Arcy Fields", 2, 0},
      {6, "44", "Foxley", 2, 1},
      {7, "50", "Greystone", 4, 0},
      {8, "501", "Greystone Mill", 4, 0},
      {9, "51", "Heathfield", 4, 0},
      {10, "52", "Ivy Bank", 4, 0},
      {11, "60", "Juniper Vale", 3, 0},
      {12, "61", "Kestrel Rise", 3, 0}},
     {}},
};

// A network scale on request, where the scale simulator listens by default.
constexpr int kStationLink = 2;
constexpr int kStationFormat = 2;
const char* const kStationHost = "127.0.0.1";
const char* const kStationPort = "5001";
constexpr double kStationSpeed = 9600;

const Company* companyOf(const QString& code)
{
    for (const Company& company : kCompanies) {
        if (code == QLatin1String(company.code))
            return &company;
    }
    return nullptr;
}

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

// Stored times of day: "07:05:09 AM", English designators whatever the desktop's language.
QString storedTime(const QTime& time)
{
    return QLocale::c().toString(time, QStringLiteral("hh:mm:ss AP"));
}

QString insertAll(datastore::Connection& con, const QString& statement,
                  const QList<QVariantList>& rows)
{
    for (const QVariantList& row : rows) {
        if (const QString error = exec(con, statement, row); !error.isEmpty())
            return error;
    }
    return QString();
}
} // namespace

QList<Year> years(const QDate& today)
{
    QList<Year> result;
    for (const Company& company : kCompanies) {
        for (int back = company.yearsBack; back >= 0; --back) {
            const int year = today.year() - back;
            Year y;
            y.comCode = QLatin1String(company.code);
            y.code = company.yearsBack - back + 1;
            y.dbMst = y.comCode + QLatin1Char('_') + QString::number(year);
            y.start = QDate(year, 1, 1);
            y.end = QDate(year, 12, 31);
            y.comName = QLatin1String(company.name);
            y.town = QLatin1String(company.town);
            result << y;
        }
    }
    return result;
}

QString fillSerPath(datastore::Connection& con)
{
    return exec(con, QStringLiteral("INSERT INTO Users (Uid) VALUES (?)"), {kUsers[0].uid});
}

QString fillMain(datastore::Connection& con, const QList<Year>& years)
{
    QList<QVariantList> users;
    for (const User& user : kUsers) {
        users << QVariantList{user.uid, QLatin1String(user.name), QLatin1String(user.password),
                              user.saveUser, QLatin1String(user.name)};
    }
    QString error = insertAll(
        con,
        QStringLiteral("INSERT INTO Pass (Uid, UName, PWD, SaveUser, Name) VALUES (?, ?, ?, ?, ?)"),
        users);
    for (const User& user : kUsers) {
        if (!error.isEmpty() || user.role == datastore::Role::Operator)
            continue;
        const auto stored = datastore::setRole(con, QLatin1String(user.name), user.role);
        error = stored ? QString() : stored.errorText();
    }
    if (!error.isEmpty())
        return error;
    QList<QVariantList> rows;
    for (const Year& y : years)
        rows << QVariantList{y.comCode,      y.code,    y.dbMst, isoDate(y.start),
                             isoDate(y.end), y.comName, y.town};
    return insertAll(
        con,
        QStringLiteral("INSERT INTO Years (ComCode, Code, DbMst, YStart, YEnd, ComName, "
                       "Town) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        rows);
}

QString fillCompany(datastore::Connection& con, const Year& year, const QDate& today)
{
    const Company* company = companyOf(year.comCode);
    if (!company)
        return QStringLiteral("no demo content for company %1").arg(year.comCode);
    // A past year's receipts and truck changes lie around its last day.
    const QDate day = (today >= year.start && today <= year.end) ? today : year.end;

    QString error =
        insertAll(con, QStringLiteral("INSERT INTO Mast_Animal (ACode, AType) VALUES (?, ?)"),
                  {{1, QStringLiteral("Cow")}, {2, QStringLiteral("Buffalo")}});
    if (error.isEmpty())
        error = insertAll(con, QStringLiteral("INSERT INTO Mast_Milk (MCode, MType) VALUES (?, ?)"),
                          {{1, QStringLiteral("Mixed")},
                           {2, QStringLiteral("Cow Milk")},
                           {3, QStringLiteral("Buffalo Milk")}});
    if (!error.isEmpty())
        return error;

    QList<QVariantList> rows;
    for (const Route& route : company->routes)
        rows << QVariantList{route.refNo, QLatin1String(route.name), route.inactive};
    error = insertAll(
        con, QStringLiteral("INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (?, ?, ?)"),
        rows);
    if (!error.isEmpty())
        return error;

    rows.clear();
    for (const Assignment& a : company->assignments) {
        rows << QVariantList{a.route, isoDate(day.addDays(a.fromDay)),
                             isoDate(day.addDays(a.toDay)), QLatin1String(a.vehicle)};
    }
    error = insertAll(con,
                      QStringLiteral("INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) "
                                     "VALUES (?, ?, ?, ?)"),
                      rows);
    if (!error.isEmpty())
        return error;

    rows.clear();
    for (const Village& v : company->villages) {
        const QVariant inAct =
            v.inAct < 0 ? QVariant(QMetaType(QMetaType::Int)) : QVariant(v.inAct);
        rows << QVariantList{v.refNo, QLatin1String(v.code), QLatin1String(v.name), v.route, inAct};
    }
    error =
        insertAll(con,
                  QStringLiteral("INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) "
                                 "VALUES (?, ?, ?, ?, ?)"),
                  rows);
    if (!error.isEmpty())
        return error;

    rows.clear();
    int refNo = 0;
    QHash<QString, int> serials; // per date and shift, as the desk numbers them
    for (const Receipt& r : company->receipts) {
        const QDate date = day.addDays(r.dayOffset);
        if (date < year.start)
            continue;
        const int dlySlNo = ++serials[isoDate(date) + QLatin1Char('/') + QString::number(r.ampm)];
        // In the order of datastore::kDataWghtColumns.
        rows << QVariantList{++refNo,
                             isoDate(date),
                             r.ampm,
                             r.route,
                             r.village,
                             r.animal,
                             r.milk,
                             dlySlNo,
                             r.cans,
                             r.weight,
                             kUsers[0].uid,
                             QLatin1String(kUsers[0].name),
                             0,
                             storedTime(r.collected),
                             QLatin1String(r.truck),
                             storedTime(r.scheduled),
                             storedTime(r.arrived),
                             r.kilometres,
                             r.recovery,
                             QLatin1String(r.remarks)};
    }
    error = insertAll(con, datastore::dataWghtInsert(), rows);
    if (!error.isEmpty())
        return error;

    return exec(con,
                QStringLiteral("INSERT INTO Sms_Add (WghtFmt, BitsNoW, ComPortW, LanHostIP, "
                               "LanHostNo, ComLan) VALUES (?, ?, ?, ?, ?, ?)"),
                {kStationFormat, kStationSpeed, 0, QLatin1String(kStationHost),
                 QLatin1String(kStationPort), kStationLink});
}

QString summary()
{
    QStringList lines;
    lines << QStringLiteral("Users (name / password):");
    for (const User& user : kUsers) {
        lines << QStringLiteral("  %1 / %2%3%4")
                     .arg(QLatin1String(user.name), QLatin1String(user.password),
                          user.uid == kUsers[0].uid ? QStringLiteral("   (offered at sign-in)")
                                                    : QString(),
                          user.role == datastore::Role::Operator
                              ? QString()
                              : QStringLiteral("   (%1)").arg(datastore::roleName(user.role)));
    }
    lines << QStringLiteral("Station settings of every company year: network scale read on "
                            "request (link %1, format %2) at %3 port %4.")
                 .arg(kStationLink)
                 .arg(kStationFormat)
                 .arg(QLatin1String(kStationHost), QLatin1String(kStationPort));
    return lines.join(QLatin1Char('\n'));
}

} // namespace admin::demo

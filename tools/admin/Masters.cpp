#include "Masters.h"

#include "AdminDb.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace admin::masters {
namespace {

// Route, animal and milk codes are list keys the desk keeps as 16-bit numbers.
constexpr int kMaxCode = 32767;
// The widths of the desk's fields that show them.
constexpr int kMaxVillageText = 50;
constexpr int kMaxVehicle = 30;

struct KindForm {
    Kind kind;
    const char* name;
    const char* singular;
    QStringList header;
};

const QList<KindForm>& kindForms()
{
    static const QList<KindForm> all = {
        {Kind::Routes, "routes", "route", {"code", "name", "active"}},
        {Kind::Vehicles, "vehicles", "vehicle", {"route", "from", "to", "vehicle"}},
        {Kind::Villages, "villages", "village", {"code", "name", "route", "active"}},
        {Kind::Animals, "animals", "animal type", {"code", "name"}},
        {Kind::MilkTypes, "milk-types", "milk type", {"code", "name"}},
    };
    return all;
}

const KindForm& formOf(Kind kind)
{
    for (const KindForm& form : kindForms()) {
        if (form.kind == kind)
            return form;
    }
    return kindForms().constFirst();
}

QString wholeCode(const QString& text, const QString& what, QString* reason)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch() || trimmed.toInt() < 1 || trimmed.toInt() > kMaxCode) {
        *reason = QStringLiteral("the %1 must be a whole number from 1 to %2, not \"%3\"")
                      .arg(what)
                      .arg(kMaxCode)
                      .arg(text);
        return QString();
    }
    return QString::number(trimmed.toInt());
}

QString text(const QString& value, const QString& what, int maxLength, QString* reason)
{
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        *reason = QStringLiteral("the %1 is empty").arg(what);
    else if (maxLength > 0 && trimmed.size() > maxLength)
        *reason = QStringLiteral("the %1 is longer than %2 characters").arg(what).arg(maxLength);
    return trimmed;
}

QString activeFlag(const QString& value, QString* reason)
{
    const QString word = value.trimmed().toLower();
    static const QStringList yes{"", "1", "yes", "y", "true", "active"};
    static const QStringList no{"0", "no", "n", "false", "inactive"};
    if (yes.contains(word))
        return QStringLiteral("1");
    if (no.contains(word))
        return QStringLiteral("0");
    *reason = QStringLiteral("active must be 1 or 0 (yes or no), not \"%1\"").arg(value);
    return QString();
}

QString isoDate(const QString& value, const QString& what, QString* reason)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QString trimmed = value.trimmed();
    const QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (!shape.match(trimmed).hasMatch() || !date.isValid()) {
        *reason =
            QStringLiteral("the %1 date must be written YYYY-MM-DD, not \"%2\"").arg(what, value);
        return QString();
    }
    return trimmed;
}

QString existingRoute(const QString& value, const QSet<qint64>& routes, QString* reason)
{
    const QString code = wholeCode(value, QStringLiteral("route"), reason);
    if (reason->isEmpty() && !routes.contains(code.toLongLong()))
        *reason = QStringLiteral("route %1 does not exist in this company year (import the "
                                 "routes first)")
                      .arg(code);
    return code;
}

// Brings the fields (in the header's order) into their plain form; the first fault found is
// the reason.
QStringList normalised(Kind kind, const QStringList& f, const QSet<qint64>& routes, QString* reason)
{
    QStringList out;
    const auto next = [&](const QString& value) {
        if (reason->isEmpty())
            out << value;
    };
    switch (kind) {
    case Kind::Routes:
        next(wholeCode(f[0], QStringLiteral("route code"), reason));
        next(text(f[1], QStringLiteral("route name"), 0, reason));
        next(activeFlag(f[2], reason));
        break;
    case Kind::Vehicles: {
        next(existingRoute(f[0], routes, reason));
        next(isoDate(f[1], QStringLiteral("from"), reason));
        next(isoDate(f[2], QStringLiteral("to"), reason));
        next(text(f[3], QStringLiteral("vehicle number"), kMaxVehicle, reason));
        if (reason->isEmpty() && out[2] < out[1])
            *reason =
                QStringLiteral("the period ends (%1) before it starts (%2)").arg(out[2], out[1]);
        break;
    }
    case Kind::Villages:
        next(text(f[0], QStringLiteral("village code"), kMaxVillageText, reason));
        next(text(f[1], QStringLiteral("village name"), kMaxVillageText, reason));
        next(existingRoute(f[2], routes, reason));
        next(activeFlag(f[3], reason));
        break;
    case Kind::Animals:
    case Kind::MilkTypes:
        next(wholeCode(f[0], QStringLiteral("code"), reason));
        next(text(f[1], QStringLiteral("name"), 0, reason));
        break;
    }
    return out;
}

// How a row is matched: village codes without regard to letter case, as the desk finds them;
// vehicles by route and first day.
QString keyOf(Kind kind, const QStringList& fields)
{
    if (kind == Kind::Vehicles)
        return fields[0] + QLatin1Char('|') + fields[1];
    return fields[0].toCaseFolded();
}

QString keyText(Kind kind, const QStringList& fields)
{
    const QString singular = QLatin1String(formOf(kind).singular);
    if (kind == Kind::Vehicles)
        return QStringLiteral("route %1 from %2").arg(fields[0], fields[1]);
    return QStringLiteral("%1 code %2").arg(singular, fields[0]);
}

// A vehicle period as the import would leave it; line 0 for a row of the database the file
// does not name.
struct Period {
    QStringList fields;
    int line;
};

// Two vehicles on one route on one day leave the desk to pick either: a period of the file may
// not overlap another of the file or one the database keeps. Each overlap is told once, on the
// later line.
void checkOverlaps(const QList<Row>& existing, const QList<Period>& accepted,
                   const QHash<QString, int>& fileLines, QList<Problem>* problems)
{
    QList<Period> periods = accepted;
    for (const Row& row : existing) {
        if (!fileLines.contains(keyOf(Kind::Vehicles, row.fields)))
            periods << Period{row.fields, 0};
    }
    for (const Period& a : accepted) {
        for (const Period& b : periods) {
            if (b.line == a.line || (b.line > a.line) || a.fields[0] != b.fields[0] ||
                a.fields[2] < b.fields[1] || b.fields[2] < a.fields[1])
                continue;
            problems->append(
                {a.line, QStringLiteral("the period from %1 to %2 overlaps that of vehicle %3 on "
                                        "route %4 from %5 to %6 (%7)")
                             .arg(a.fields[1], a.fields[2], b.fields[3], b.fields[0], b.fields[1],
                                  b.fields[2],
                                  b.line > 0 ? QStringLiteral("line %1").arg(b.line)
                                             : QStringLiteral("kept in the database"))});
            break;
        }
    }
}

// Maps the file's columns onto the kind's, in any order; "active" may be left out.
QList<int> columnsOf(Kind kind, const csv::Record& header, QString* reason)
{
    const QStringList wanted = headerOf(kind);
    QStringList given;
    for (const QString& name : header.fields)
        given << name.trimmed().toLower();
    QList<int> map;
    for (const QString& name : wanted) {
        const int at = given.indexOf(name);
        if (at < 0 && name != QLatin1String("active")) {
            *reason = QStringLiteral("the header has no column \"%1\" (it must name %2)")
                          .arg(name, wanted.join(QLatin1Char(',')));
            return {};
        }
        map << at;
    }
    for (const QString& name : given) {
        if (!wanted.contains(name) || given.count(name) > 1) {
            *reason = QStringLiteral("the header's column \"%1\" is %2 (it must name %3)")
                          .arg(name,
                               wanted.contains(name) ? QStringLiteral("named twice")
                                                     : QStringLiteral("not known"),
                               wanted.join(QLatin1Char(',')));
            return {};
        }
    }
    return map;
}
} // namespace

std::optional<Kind> kindNamed(const QString& word)
{
    for (const KindForm& form : kindForms()) {
        if (word == QLatin1String(form.name))
            return form.kind;
    }
    return std::nullopt;
}

QString nameOf(Kind kind)
{
    return QLatin1String(formOf(kind).name);
}

QStringList headerOf(Kind kind)
{
    return formOf(kind).header;
}

Plan plan(Kind kind, const csv::Table& file, const QList<Row>& existing, const QSet<qint64>& routes)
{
    Plan result;
    QString reason;
    const QList<int> columns = columnsOf(kind, file.header, &reason);
    if (!reason.isEmpty()) {
        result.problems << Problem{file.header.line, reason};
        return result;
    }
    QHash<QString, QList<const Row*>> stored;
    for (const Row& row : existing)
        stored[keyOf(kind, row.fields)] << &row;
    QHash<QString, int> firstLine;
    QList<Period> accepted;
    for (const csv::Record& record : file.records) {
        if (record.fields.size() != file.header.fields.size()) {
            result.problems << Problem{record.line,
                                       QStringLiteral("%1 fields where the header names %2")
                                           .arg(record.fields.size())
                                           .arg(file.header.fields.size())};
            continue;
        }
        QStringList fields;
        for (int at : columns)
            fields << (at < 0 ? QString() : record.fields[at]);
        reason.clear();
        fields = normalised(kind, fields, routes, &reason);
        if (!reason.isEmpty()) {
            result.problems << Problem{record.line, reason};
            continue;
        }
        const QString key = keyOf(kind, fields);
        if (firstLine.contains(key)) {
            result.problems << Problem{record.line,
                                       QStringLiteral("%1 appears again (first on line %2)")
                                           .arg(keyText(kind, fields))
                                           .arg(firstLine.value(key))};
            continue;
        }
        firstLine.insert(key, record.line);
        accepted << Period{fields, record.line};
        const QList<const Row*> matches = stored.value(key);
        if (matches.size() > 1) {
            result.problems << Problem{record.line,
                                       QStringLiteral("%1 is held by %2 rows of the database "
                                                      "already; tell them apart by hand first")
                                           .arg(keyText(kind, fields))
                                           .arg(matches.size())};
        } else if (matches.isEmpty()) {
            result.changes << Change{true, record.line, fields, {}, 0};
        } else if (matches.constFirst()->fields != fields) {
            result.changes << Change{false, record.line, fields, matches.constFirst()->fields,
                                     matches.constFirst()->ref};
        } else {
            ++result.unchanged;
        }
    }
    if (kind == Kind::Vehicles && result.problems.isEmpty())
        checkOverlaps(existing, accepted, firstLine, &result.problems);
    return result;
}

QString describe(Kind kind, const Change& change)
{
    const QStringList& f = change.fields;
    QString what;
    switch (kind) {
    case Kind::Routes:
        what =
            QStringLiteral("route %1 \"%2\"%3").arg(f[0], f[1], f[2] == "1" ? "" : " (inactive)");
        break;
    case Kind::Vehicles:
        what = QStringLiteral("vehicle %1 on route %2 from %3 to %4").arg(f[3], f[0], f[1], f[2]);
        break;
    case Kind::Villages:
        what = QStringLiteral("village %1 \"%2\" on route %3%4")
                   .arg(f[0], f[1], f[2], f[3] == "1" ? "" : " (inactive)");
        break;
    case Kind::Animals:
    case Kind::MilkTypes:
        what = QStringLiteral("%1 %2 \"%3\"").arg(QLatin1String(formOf(kind).singular), f[0], f[1]);
        break;
    }
    if (change.add)
        return QStringLiteral("line %1: add %2").arg(change.line).arg(what);
    QStringList was;
    const QStringList header = headerOf(kind);
    for (int i = 0; i < f.size(); ++i) {
        if (f[i] != change.before.value(i))
            was << QStringLiteral("%1 was \"%2\"").arg(header[i], change.before.value(i));
    }
    return QStringLiteral("line %1: update %2 (%3)")
        .arg(change.line)
        .arg(what, was.join(QStringLiteral(", ")));
}

QString summary(const Plan& plan, bool done)
{
    int added = 0;
    for (const Change& change : plan.changes)
        added += change.add ? 1 : 0;
    return QStringLiteral("%1 %2, %3 %4, %5 unchanged")
        .arg(added)
        .arg(done ? QStringLiteral("added") : QStringLiteral("to add"))
        .arg(plan.changes.size() - added)
        .arg(done ? QStringLiteral("updated") : QStringLiteral("to update"))
        .arg(plan.unchanged);
}

namespace {
// A null or 1 keeps a village out of the desk's lookup; RTInAct other than 0 hides a route.
QString villageActive(const QVariant& inAct)
{
    return (!inAct.isNull() && inAct.toInt() != 1) ? QStringLiteral("1") : QStringLiteral("0");
}

QString routeActive(const QVariant& rtInAct)
{
    return (!rtInAct.isNull() && rtInAct.toInt() == 0) ? QStringLiteral("1") : QStringLiteral("0");
}

// A server gives its date columns as dates; a file keeps them as the text it was given.
QString plain(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    return value.toString();
}
} // namespace

QString load(datastore::Connection& con, Kind kind, QList<Row>* rows)
{
    static const QHash<int, QString> statements = {
        {int(Kind::Routes),
         "SELECT RTRefNo, RTRefNo, RTType, RTInAct FROM Mast_Routes ORDER BY RTRefNo"},
        // A vehicle period has no key of its own: the plan matches it by route and first day.
        {int(Kind::Vehicles), "SELECT 0, RTRefNo, SDate, EDate, RTVehNo FROM Mast_RoutesSub "
                              "ORDER BY RTRefNo, SDate, EDate, RTVehNo"},
        {int(Kind::Villages), "SELECT VRefNo, VCode, VName, RtRefNo, InAct FROM Mast_Villages "
                              "ORDER BY VCode, VRefNo"},
        {int(Kind::Animals), "SELECT ACode, ACode, AType FROM Mast_Animal ORDER BY ACode"},
        {int(Kind::MilkTypes), "SELECT MCode, MCode, MType FROM Mast_Milk ORDER BY MCode"},
    };
    QSqlQuery query = con.run(statements.value(int(kind)));
    if (!query.isActive())
        return errorOf(con, query);
    rows->clear();
    while (query.next()) {
        Row row;
        row.ref = query.value(0).toLongLong();
        for (int i = 1; i < query.record().count(); ++i)
            row.fields << plain(query.value(i));
        if (kind == Kind::Routes)
            row.fields[2] = routeActive(query.value(3));
        if (kind == Kind::Villages)
            row.fields[3] = villageActive(query.value(4));
        rows->append(row);
    }
    return QString();
}

QString loadRoutes(datastore::Connection& con, QSet<qint64>* routes)
{
    QSqlQuery query = con.run(QStringLiteral("SELECT RTRefNo FROM Mast_Routes"));
    if (!query.isActive())
        return errorOf(con, query);
    while (query.next())
        routes->insert(query.value(0).toLongLong());
    return QString();
}

namespace {
// InAct and RTInAct: 0 in use, 1 not.
int inactive(const QString& active)
{
    return active == QLatin1String("1") ? 0 : 1;
}

// A day of the file (always yyyy-MM-dd) bound as a date, which a file stores as that text and a
// server as a date. A stored day of another form is bound as its text, to match itself.
QVariant dayValue(const QString& text)
{
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day.isValid() && day.toString(Qt::ISODate) == text ? QVariant(day) : QVariant(text);
}

QString nextVillageRef(datastore::Connection& con, qint64* next)
{
    QSqlQuery query = con.run(QStringLiteral("SELECT MAX(VRefNo) FROM Mast_Villages"));
    if (!query.isActive())
        return errorOf(con, query);
    *next = query.next() ? query.value(0).toLongLong() + 1 : 1;
    return QString();
}

QString applyOne(PreparedStatements& statements, Kind kind, const Change& c, qint64* nextRef)
{
    const QStringList& f = c.fields;
    // Each statement changes its one row: an update whose row is not there fails the import.
    switch (kind) {
    case Kind::Routes:
        return c.add ? statements.exec(
                           "INSERT INTO Mast_Routes (RTRefNo, RTType, RTInAct) VALUES (?, ?, ?)",
                           {f[0].toInt(), f[1], inactive(f[2])}, 1)
                     : statements.exec(
                           "UPDATE Mast_Routes SET RTType = ?, RTInAct = ? WHERE RTRefNo = ?",
                           {f[1], inactive(f[2]), c.ref}, 1);
    case Kind::Vehicles:
        return c.add
                   ? statements.exec("INSERT INTO Mast_RoutesSub (RTRefNo, SDate, EDate, RTVehNo) "
                                     "VALUES (?, ?, ?, ?)",
                                     {f[0].toInt(), dayValue(f[1]), dayValue(f[2]), f[3]}, 1)
                   : statements.exec(
                         "UPDATE Mast_RoutesSub SET EDate = ?, RTVehNo = ? "
                         "WHERE RTRefNo = ? AND SDate = ?",
                         {dayValue(f[2]), f[3], c.before[0].toInt(), dayValue(c.before[1])}, 1);
    case Kind::Villages:
        // A new village takes the next reference number; an updated one keeps its own, which
        // stored receipts point to.
        return c.add ? statements.exec(
                           "INSERT INTO Mast_Villages (VRefNo, VCode, VName, RtRefNo, InAct) "
                           "VALUES (?, ?, ?, ?, ?)",
                           {(*nextRef)++, f[0], f[1], f[2].toInt(), inactive(f[3])}, 1)
                     : statements.exec(
                           "UPDATE Mast_Villages SET VCode = ?, VName = ?, RtRefNo = ?, InAct = ? "
                           "WHERE VRefNo = ?",
                           {f[0], f[1], f[2].toInt(), inactive(f[3]), c.ref}, 1);
    case Kind::Animals:
        return c.add ? statements.exec("INSERT INTO Mast_Animal (ACode, AType) VALUES (?, ?)",
                                       {f[0].toInt(), f[1]}, 1)
                     : statements.exec("UPDATE Mast_Animal SET AType = ? WHERE ACode = ?",
                                       {f[1], c.ref}, 1);
    case Kind::MilkTypes:
        return c.add ? statements.exec("INSERT INTO Mast_Milk (MCode, MType) VALUES (?, ?)",
                                       {f[0].toInt(), f[1]}, 1)
                     : statements.exec("UPDATE Mast_Milk SET MType = ? WHERE MCode = ?",
                                       {f[1], c.ref}, 1);
    }
    return QString();
}
} // namespace

QString apply(datastore::Connection& con, Kind kind, const QList<Change>& changes)
{
    qint64 nextRef = 0;
    if (kind == Kind::Villages) {
        if (const QString error = nextVillageRef(con, &nextRef); !error.isEmpty())
            return error;
    }
    PreparedStatements statements(con);
    for (const Change& change : changes) {
        if (const QString error = applyOne(statements, kind, change, &nextRef); !error.isEmpty())
            return error;
    }
    return QString();
}

} // namespace admin::masters

// tarvolen-admin's receipt corrections and cancellations from the office, with a supervisor's
// word, and the audit of every typed weight, correction and cancellation.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "AdminDb.h"
#include "Centre.h"
#include "Csv.h"

#include "datastore/Audit.h"
#include "datastore/ReceiptChanges.h"
#include "datastore/Roles.h"
#include "datastore/WriteTransaction.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSysInfo>
#include <QThread>
#include <QVariant>
#include <chrono>
#include <pwd.h>
#include <unistd.h>

using namespace admincli;

namespace {
// As long as the tool's other writes wait for a desk or another program holding the table.
constexpr std::chrono::milliseconds kBusyWait{10000};
constexpr std::chrono::milliseconds kTryWait{300};
constexpr std::chrono::milliseconds kPause{100};

const QCommandLineOption kCompany(QStringLiteral("company"),
                                  QStringLiteral("Company code (ComCode); its latest year."),
                                  QStringLiteral("CODE"));

// The command line and the two databases a receipt command works on.
struct ReceiptCommand {
    QCommandLineParser parser;
    int code = Done;
    qint32 refNo = 0;
    QString dataRoot;
    QString companyCode;
    QString reason;
    QString supervisor;
    datastore::Connection main;
    datastore::Connection company;
    QString dbMst;

    void addOptions(const QString& description)
    {
        parser.setApplicationDescription(description);
        admin::centre::addInstallationOptions(parser);
        parser.addOptions(
            {kCompany,
             {QStringLiteral("ref"), QStringLiteral("The receipt's number (RefNo)."),
              QStringLiteral("N")},
             {QStringLiteral("reason"), QStringLiteral("Why (required)."), QStringLiteral("TEXT")},
             {QStringLiteral("supervisor"),
              QStringLiteral("The supervisor or administrator who allows it."),
              QStringLiteral("NAME")},
             {QStringLiteral("password-stdin"),
              QStringLiteral("Read the supervisor's password from standard input's first line "
                             "(else it is asked on the terminal).")}});
    }

    // The command line read and its options checked; false with code set.
    bool parseLine(const QString& name, const QStringList& arguments)
    {
        QString ref;
        if (!parse(parser, name, arguments, &code) ||
            !admin::centre::dataRootOption(parser, &dataRoot, &code) ||
            !requireValue(parser, QStringLiteral("company"), &companyCode, &code) ||
            !requireValue(parser, QStringLiteral("ref"), &ref, &code) ||
            !requireValue(parser, QStringLiteral("reason"), &reason, &code) ||
            !requireValue(parser, QStringLiteral("supervisor"), &supervisor, &code))
            return false;
        bool whole = false;
        refNo = ref.toInt(&whole);
        if (!whole || refNo <= 0)
            code = wrongUsage(QStringLiteral("--ref must be a receipt's number"));
        else if (reason.trimmed().isEmpty())
            code = wrongUsage(QStringLiteral("--reason must say why"));
        return code == Done;
    }

    // The databases open and the supervisor's word checked; false with code set.
    bool open()
    {
        QString error = openDatabases(dataRoot, companyCode);
        if (error.isEmpty())
            error = checkWord();
        if (!error.isEmpty())
            code = failed(error);
        return error.isEmpty();
    }

    QString openDatabases(const QString& dataRoot, const QString& companyCode)
    {
        admin::centre::CompanyYear year;
        QString file;
        QString error = admin::centre::latestYear(dataRoot, companyCode, &year, &file);
        if (error.isEmpty())
            error = admin::openFile(main, admin::centre::mainFile(dataRoot));
        if (error.isEmpty())
            error = admin::openFile(company, file);
        if (error.isEmpty())
            if (const auto made = datastore::ensureAuditTable(company); !made)
                error = made.errorText();
        dbMst = year.dbMst;
        return error;
    }

    QString checkWord()
    {
        QString password;
        const bool read =
            parser.isSet(QStringLiteral("password-stdin"))
                ? readStdinLine(&password)
                : isatty(STDIN_FILENO) && readHidden("Supervisor's password: ", &password);
        if (!read)
            return QStringLiteral("no password read; give it on standard input with "
                                  "--password-stdin");
        const auto checked = datastore::checkSupervisor(main, supervisor, password);
        if (!checked)
            return checked.errorText();
        if (*checked == datastore::SupervisorCheck::WrongNameOrPassword)
            return QStringLiteral("wrong name or password for supervisor \"%1\"; nothing was "
                                  "changed")
                .arg(supervisor);
        if (*checked == datastore::SupervisorCheck::NotASupervisor)
            return QStringLiteral("\"%1\" is not a supervisor; nothing was changed")
                .arg(supervisor);
        return QString();
    }

    datastore::AuditWho who() const
    {
        // The computer's user who ran the tool asked for it.
        const passwd* account = getpwuid(getuid());
        const QString login =
            account ? QString::fromLocal8Bit(account->pw_name) : QString::number(getuid());
        return {login + QStringLiteral(" (tarvolen-admin)"), supervisor, reason.trimmed(),
                QSysInfo::machineHostName()};
    }

    // The receipt's row, or why there is none.
    QString receiptRow(QSqlRecord* row)
    {
        const auto found = datastore::receiptByRef(company, refNo);
        if (!found)
            return found.errorText();
        if (!*found)
            return QStringLiteral("no receipt with RefNo %1 in %2").arg(refNo).arg(dbMst);
        *row = **found;
        return QString();
    }

    // A desk or another program holding the receipts is waited for, then tried again.
    template <typename Write> QString written(Write write)
    {
        datastore::setLockWait(company, kTryWait);
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            const datastore::Result<datastore::Done> done = write();
            if (done)
                return QString();
            if (!done.failedWith(datastore::ErrorKind::Busy))
                return done.errorText().section(QStringLiteral("\n\n"), 0, 0);
            if (waited.elapsed() > kBusyWait.count())
                return QStringLiteral("a desk or another program kept the receipts busy for %1 s; "
                                      "nothing was changed")
                    .arg(kBusyWait.count() / 1000);
            QThread::msleep(kPause.count());
        }
    }
};

// What differs between two rows kept as JSON: "VRefNo 1 -> 4, CansRecd 2 -> 3".
QString changesBetween(const QString& before, const QString& after)
{
    const QJsonObject was = QJsonDocument::fromJson(before.toUtf8()).object();
    const QJsonObject is = QJsonDocument::fromJson(after.toUtf8()).object();
    QStringList changes;
    for (auto it = is.begin(); it != is.end(); ++it)
        if (was.value(it.key()) != it.value())
            changes << QStringLiteral("%1 %2 -> %3")
                           .arg(it.key(), was.value(it.key()).toVariant().toString(),
                                it.value().toVariant().toString());
    return changes.join(QStringLiteral(", "));
}

// A whole-number option naming a code; absent leaves it empty.
bool codeOption(const QCommandLineParser& parser, const QString& option,
                std::optional<qint32>* value, int* code)
{
    if (!parser.isSet(option))
        return true;
    bool whole = false;
    *value = parser.value(option).trimmed().toInt(&whole);
    if (!whole)
        *code = wrongUsage(QStringLiteral("--%1 must be a code (a whole number)").arg(option));
    return whole;
}

// The village of that code on the receipt's route.
QString villageOnRoute(datastore::Connection& con, const QString& villageCode, qint32 route,
                       std::optional<qint32>* vRefNo)
{
    auto rs = con.exec(QStringLiteral("SELECT VRefNo FROM Mast_Villages WHERE lower(VCode) = "
                                      "lower(?) AND RtRefNo = ?"),
                       {villageCode.trimmed(), route});
    if (!rs)
        return rs.errorText();
    if (!rs->next())
        return QStringLiteral("village code \"%1\" is unknown on route %2 of the receipt")
            .arg(villageCode)
            .arg(route);
    *vRefNo = rs->value(0).toInt();
    return QString();
}

int correct(const QStringList& arguments)
{
    ReceiptCommand c;
    c.addOptions(
        QStringLiteral("Corrects a receipt's village, animal, milk type or cans (never its "
                       "weight), with a supervisor's word; the audit keeps the row as "
                       "it was and as it is."));
    c.parser.addOptions(
        {{QStringLiteral("village"), QStringLiteral("Village code, of the receipt's route."),
          QStringLiteral("CODE")},
         {QStringLiteral("animal"), QStringLiteral("Animal code (ACode)."), QStringLiteral("CODE")},
         {QStringLiteral("milk"), QStringLiteral("Milk type code (MCode)."),
          QStringLiteral("CODE")},
         {QStringLiteral("cans"), QStringLiteral("Cans received."), QStringLiteral("N")}});
    datastore::ReceiptChange change;
    // Checked before the password is read: a wrong command line asks for nothing.
    QCommandLineParser& p = c.parser;
    if (!c.parseLine(QStringLiteral("receipt correct"), arguments) ||
        !codeOption(p, QStringLiteral("animal"), &change.aCode, &c.code) ||
        !codeOption(p, QStringLiteral("milk"), &change.mCode, &c.code))
        return c.code;
    if (p.isSet(QStringLiteral("cans"))) {
        bool number = false;
        change.cans = p.value(QStringLiteral("cans")).toDouble(&number);
        if (!number)
            return wrongUsage(QStringLiteral("--cans must be a number"));
    }
    if (!p.isSet(QStringLiteral("village")) && !change.aCode && !change.mCode && !change.cans)
        return wrongUsage(QStringLiteral("nothing to change: give --village, --animal, --milk "
                                         "or --cans"));
    if (!c.open())
        return c.code;
    QSqlRecord before;
    QString error = c.receiptRow(&before);
    if (error.isEmpty() && p.isSet(QStringLiteral("village")))
        error = villageOnRoute(c.company, p.value(QStringLiteral("village")),
                               before.value(QStringLiteral("RtRefNo")).toInt(), &change.vRefNo);
    if (error.isEmpty())
        error = c.written(
            [&] { return datastore::correctReceipt(c.company, c.refNo, change, c.who()); });
    if (!error.isEmpty())
        return failed(error);
    QSqlRecord after;
    c.receiptRow(&after);
    out() << QStringLiteral("Corrected receipt %1: %2\n")
                 .arg(c.refNo)
                 .arg(changesBetween(datastore::rowJson(before), datastore::rowJson(after)));
    return Done;
}

int cancel(const QStringList& arguments)
{
    ReceiptCommand c;
    c.addOptions(QStringLiteral("Cancels a receipt with a supervisor's word: its row is removed, "
                                "the audit keeps it, and its numbers are never given again."));
    if (!c.parseLine(QStringLiteral("receipt cancel"), arguments) || !c.open())
        return c.code;
    QSqlRecord before;
    QString error = c.receiptRow(&before);
    if (error.isEmpty())
        error = c.written([&] { return datastore::cancelReceipt(c.company, c.refNo, c.who()); });
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("Cancelled receipt %1 (serial %2 of %3, %4 kg)\n")
                 .arg(c.refNo)
                 .arg(before.value(QStringLiteral("DlySlNo")).toInt())
                 .arg(before.value(QStringLiteral("RefDate")).toString().left(10))
                 .arg(before.value(QStringLiteral("MWeight")).toDouble());
    return Done;
}

QString shiftName(int amPm)
{
    return amPm == 3 ? QStringLiteral("PM") : QStringLiteral("AM");
}

// What an audit row tells beyond its receipt: the change, the cancelled weight, the typed one.
QString whatChanged(const datastore::AuditEntry& entry)
{
    const QJsonObject row =
        QJsonDocument::fromJson(
            (entry.rowAfter.isEmpty() ? entry.rowBefore : entry.rowAfter).toUtf8())
            .object();
    const QString weight = row.value(QStringLiteral("MWeight")).toVariant().toString();
    switch (entry.kind) {
    case datastore::AuditKind::Manual:
        return QStringLiteral("typed %1 kg, the scale showed %2")
            .arg(weight,
                 entry.scaleReading.isEmpty() ? QStringLiteral("nothing") : entry.scaleReading);
    case datastore::AuditKind::Correct:
        return changesBetween(entry.rowBefore, entry.rowAfter);
    case datastore::AuditKind::Cancel:
        return QStringLiteral("cancelled %1 kg").arg(weight);
    }
    return QString();
}

const QStringList kAuditHeader = {
    QStringLiteral("Done at"),    QStringLiteral("What"),       QStringLiteral("Receipt no"),
    QStringLiteral("Date"),       QStringLiteral("Shift"),      QStringLiteral("Serial"),
    QStringLiteral("Asked by"),   QStringLiteral("Allowed by"), QStringLiteral("Reason"),
    QStringLiteral("Desk"),       QStringLiteral("Change"),     QStringLiteral("Scale reading"),
    QStringLiteral("Row before"), QStringLiteral("Row after")};

QStringList auditFields(const datastore::AuditEntry& e)
{
    return {e.at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            datastore::auditKindName(e.kind),
            QString::number(e.refNo),
            e.refDate.toString(Qt::ISODate),
            shiftName(e.amPm),
            QString::number(e.dlySlNo),
            e.askedBy,
            e.allowedBy,
            e.reason,
            e.desk,
            whatChanged(e),
            e.scaleReading,
            e.rowBefore,
            e.rowAfter};
}

int runAuditList(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists every weight typed by hand, every correction and every cancellation "
                       "of the receipts dated in the period, in the order they were done."));
    admin::centre::addInstallationOptions(parser);
    parser.addOptions(
        {kCompany,
         {QStringLiteral("from"), QStringLiteral("First receipt date."), QStringLiteral("DATE")},
         {QStringLiteral("to"), QStringLiteral("Last receipt date."), QStringLiteral("DATE")},
         {QStringLiteral("csv"),
          QStringLiteral("Write the rows to this UTF-8 CSV file (- for standard output)."),
          QStringLiteral("FILE")}});
    int code = Done;
    QString dataRoot, companyCode, fromText, toText;
    if (!parse(parser, QStringLiteral("audit"), arguments, &code) ||
        !admin::centre::dataRootOption(parser, &dataRoot, &code) ||
        !requireValue(parser, QStringLiteral("company"), &companyCode, &code) ||
        !requireValue(parser, QStringLiteral("from"), &fromText, &code) ||
        !requireValue(parser, QStringLiteral("to"), &toText, &code))
        return code;
    const QDate from = QDate::fromString(fromText, Qt::ISODate);
    const QDate to = QDate::fromString(toText, Qt::ISODate);
    if (!from.isValid() || !to.isValid())
        return wrongUsage(QStringLiteral("--from and --to must be dates written yyyy-MM-dd"));
    if (to < from)
        return wrongUsage(QStringLiteral("--to lies before --from"));
    admin::centre::CompanyYear year;
    QString file;
    datastore::Connection con;
    QString error = admin::centre::latestYear(dataRoot, companyCode, &year, &file);
    if (error.isEmpty())
        error = admin::openFile(con, file);
    const auto entries = error.isEmpty()
                             ? datastore::auditBetween(con, from, to)
                             : datastore::Result<QVector<datastore::AuditEntry>>(
                                   datastore::error(datastore::ErrorKind::Other, error));
    if (!entries)
        return failed(entries.errorText());
    if (parser.isSet(QStringLiteral("csv"))) {
        QList<QStringList> records;
        for (const datastore::AuditEntry& entry : *entries)
            records << auditFields(entry);
        const QString csvFile = parser.value(QStringLiteral("csv"));
        const QByteArray bytes = admin::csv::write(kAuditHeader, records);
        // Spreadsheets take a file for UTF-8 by its byte-order mark, as the masters' exports.
        error = admin::centre::writeOutput(
            csvFile, csvFile == QLatin1String("-") ? bytes : QByteArray("\xEF\xBB\xBF") + bytes);
        if (!error.isEmpty())
            return failed(error);
        if (csvFile != QLatin1String("-"))
            out() << QStringLiteral("%1: %2 rows\n").arg(csvFile).arg(entries->size());
        return Done;
    }
    for (const datastore::AuditEntry& e : *entries)
        out() << QStringLiteral("%1  %2  receipt %3 (%4 %5, serial %6)  asked by %7, allowed by "
                                "%8: %9 [%10]\n")
                     .arg(e.at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          datastore::auditKindName(e.kind), QString::number(e.refNo),
                          e.refDate.toString(Qt::ISODate), shiftName(e.amPm),
                          QString::number(e.dlySlNo), e.askedBy, e.allowedBy, e.reason)
                     .arg(whatChanged(e));
    if (entries->isEmpty())
        out() << "Nothing typed by hand, corrected or cancelled in that period.\n";
    return Done;
}
} // namespace

int admin::runReceipt(const QStringList& arguments)
{
    const QString sub = arguments.value(0);
    if (sub == QLatin1String("correct"))
        return correct(arguments.mid(1));
    if (sub == QLatin1String("cancel"))
        return cancel(arguments.mid(1));
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        out() << usage();
        return Done;
    }
    return wrongUsage(QStringLiteral("receipt correct or receipt cancel?"));
}

int admin::runAudit(const QStringList& arguments)
{
    return runAuditList(arguments);
}

// tarvolen-admin union ...: a centre publishes its company years, the head office subscribes to
// them; and the union's shift report over every centre.
#include "AdminCli.h"
#include "AdminCommands.h"
#include "Centre.h"
#include "UnionCentres.h"
#include "UnionPublish.h"
#include "UnionSql.h"

#include "report/ReportDocument.h"
#include "report/UnionReport.h"

#include <QCommandLineParser>
#include <QFile>

using namespace admincli;

namespace {

const QCommandLineOption kUnion(QStringLiteral("union"),
                                QStringLiteral("The union's server, as a superuser (the password "
                                               "from PGPASSWORD or ~/.pgpass)."),
                                QStringLiteral("postgresql://USER@HOST:PORT"));

bool serverOption(const QCommandLineParser& parser, const QString& option,
                  admin::ServerAddress* server, int* code)
{
    QString url, error;
    if (!requireValue(parser, option, &url, code))
        return false;
    const auto parsed = admin::parseServerUrl(url, &error);
    if (!parsed) {
        *code = wrongUsage(QStringLiteral("--%1: %2").arg(option, error));
        return false;
    }
    *server = *parsed;
    return true;
}

void print(const QStringList& lines)
{
    for (const QString& line : lines)
        out() << line << "\n";
}

int finish(const QStringList& lines, const QString& error)
{
    print(lines);
    return error.isEmpty() ? Done : failed(error);
}

int publish(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "At a centre: publishes every company year's tables for the union and makes the "
        "replication role the union subscribes as. Safe to run again: later years and tables "
        "are added."));
    parser.addOptions(
        {{QStringLiteral("server"), QStringLiteral("The centre's server, as a superuser."),
          QStringLiteral("postgresql://USER@HOST:PORT")},
         {QStringLiteral("role"),
          QStringLiteral("The replication role (default %1).")
              .arg(QLatin1String(admin::unionsql::kDefaultRole)),
          QStringLiteral("NAME")},
         {QStringLiteral("password-file"),
          QStringLiteral("The role's password: read when the file exists, else made up and "
                         "written there, readable by its owner only."),
          QStringLiteral("FILE")}});
    int code = Done;
    QStringList words;
    admin::unionrepl::PublishOptions options;
    if (!admin::centre::parseWords(parser, QStringLiteral("union publish"), {}, arguments, &words,
                                   &code) ||
        !serverOption(parser, QStringLiteral("server"), &options.server, &code) ||
        !requireValue(parser, QStringLiteral("password-file"), &options.passwordFile, &code))
        return code;
    options.role = parser.isSet(QStringLiteral("role"))
                       ? parser.value(QStringLiteral("role"))
                       : QString::fromLatin1(admin::unionsql::kDefaultRole);
    QStringList lines;
    const QString error = admin::unionrepl::publishCentre(options, &lines);
    return finish(lines, error);
}

// The centre role's password: the file union publish wrote (its owner's alone), or standard
// input.
bool centrePassword(const QCommandLineParser& parser, QString* password, int* code)
{
    const bool fromStdin = parser.isSet(QStringLiteral("password-stdin"));
    const QString fileName = parser.value(QStringLiteral("password-file"));
    if (fromStdin == !fileName.isEmpty()) {
        *code = wrongUsage(QStringLiteral("give the centre role's password with --password-file "
                                          "FILE or --password-stdin"));
        return false;
    }
    QFile file(fileName);
    if (!fromStdin && (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))) {
        *code = failed(
            QStringLiteral("%1 can be read by others than its owner: chmod 600 %1").arg(fileName));
        return false;
    }
    if (!(fromStdin ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly))) {
        *code = failed(QStringLiteral("cannot read the password: %1").arg(file.errorString()));
        return false;
    }
    *password = QString::fromUtf8(file.readLine()).trimmed();
    if (password->isEmpty()) {
        *code = wrongUsage(QStringLiteral("no password was read"));
        return false;
    }
    return true;
}

int addCentre(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "At the head office: subscribes to every company year a centre publishes, each into a "
        "database of its own on the union's server. Run again to add later years and tables."));
    parser.addOptions(
        {{QStringLiteral("centre"), QStringLiteral("The centre's server, as its replication role."),
          QStringLiteral("postgresql://ROLE@HOST:PORT")},
         kUnion,
         {QStringLiteral("password-file"),
          QStringLiteral("The file holding the replication role's password."),
          QStringLiteral("FILE")},
         {QStringLiteral("password-stdin"),
          QStringLiteral("Read the replication role's password from standard input.")}});
    int code = Done;
    QStringList words;
    admin::unionrepl::AddCentreOptions options;
    if (!admin::centre::parseWords(parser, QStringLiteral("union add-centre"),
                                   {QStringLiteral("NAME")}, arguments, &words, &code) ||
        !serverOption(parser, QStringLiteral("centre"), &options.centre, &code) ||
        !serverOption(parser, QStringLiteral("union"), &options.unionServer, &code) ||
        !centrePassword(parser, &options.centre.password, &code))
        return code;
    options.name = words[0].toLower();
    QStringList lines;
    const QString error = admin::unionrepl::addCentre(options, &lines);
    return finish(lines, error);
}

int status(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists every centre and company year at the union: its replication's state, the seconds "
        "since the centre's newest message (lag), its newest receipt and how many it holds."));
    parser.addOption(kUnion);
    int code = Done;
    QStringList words;
    admin::ServerAddress server;
    if (!admin::centre::parseWords(parser, QStringLiteral("union status"), {}, arguments, &words,
                                   &code) ||
        !serverOption(parser, QStringLiteral("union"), &server, &code))
        return code;
    QStringList lines;
    const QString error = admin::unionrepl::unionStatus(server, &lines);
    return finish(lines, error);
}

int removeCentre(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Drops a centre's subscriptions (and their slots at the centre); its rows stay at the "
        "union and in its reports."));
    parser.addOption(kUnion);
    int code = Done;
    QStringList words;
    admin::ServerAddress server;
    if (!admin::centre::parseWords(parser, QStringLiteral("union remove-centre"),
                                   {QStringLiteral("NAME")}, arguments, &words, &code) ||
        !serverOption(parser, QStringLiteral("union"), &server, &code))
        return code;
    QStringList lines;
    const QString error = admin::unionrepl::removeCentre(server, words[0].toLower(), &lines);
    return finish(lines, error);
}
} // namespace

int admin::runUnion(const QStringList& arguments)
{
    const QString sub = arguments.value(0);
    if (sub == QLatin1String("publish"))
        return publish(arguments.mid(1));
    if (sub == QLatin1String("add-centre"))
        return addCentre(arguments.mid(1));
    if (sub == QLatin1String("status"))
        return status(arguments.mid(1));
    if (sub == QLatin1String("remove-centre"))
        return removeCentre(arguments.mid(1));
    return wrongUsage(QStringLiteral("union publish, add-centre, status or remove-centre?"));
}

int admin::runReportUnion(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The union's shift report: per centre, company and route the receipts, cans and weight, "
        "and the union's totals per milk type."));
    parser.addOptions(
        {kUnion,
         {QStringLiteral("date"), QStringLiteral("Collection date (yyyy-MM-dd)."),
          QStringLiteral("YYYY-MM-DD")},
         {QStringLiteral("shift"), QStringLiteral("AM or PM."), QStringLiteral("AM|PM")},
         {QStringLiteral("pdf"), QStringLiteral("Write the report as PDF."),
          QStringLiteral("FILE")},
         {QStringLiteral("csv"), QStringLiteral("Write centre,company,route,receipts,cans,weight."),
          QStringLiteral("FILE")}});
    int code = Done;
    QStringList words;
    admin::ServerAddress server;
    report::UnionReport figures;
    QString dateText, shiftText;
    if (!admin::centre::parseWords(parser, QStringLiteral("report union"), {}, arguments, &words,
                                   &code) ||
        !serverOption(parser, QStringLiteral("union"), &server, &code) ||
        !requireValue(parser, QStringLiteral("date"), &dateText, &code) ||
        !requireValue(parser, QStringLiteral("shift"), &shiftText, &code))
        return code;
    figures.date = QDate::fromString(dateText, Qt::ISODate);
    figures.shift = report::shiftName(2) == shiftText.toUpper()   ? 2
                    : report::shiftName(3) == shiftText.toUpper() ? 3
                                                                  : 0;
    if (!figures.date.isValid() || figures.shift == 0)
        return wrongUsage(QStringLiteral("--date is written yyyy-MM-dd and --shift is AM or PM"));
    QList<admin::unionrepl::CentreYear> years;
    QString error = admin::unionrepl::centreYears(server, &years);
    for (int i = 0; error.isEmpty() && i < years.size(); ++i) {
        datastore::Connection copy;
        error = admin::unionsql::open(copy, server, years[i].unionDatabase);
        if (error.isEmpty())
            error = report::addCentreYear(&figures, copy, years[i].centre, years[i].comCode);
        if (!error.isEmpty())
            error = years[i].unionDatabase + QStringLiteral(": ") + error;
    }
    if (error.isEmpty() && parser.isSet(QStringLiteral("csv")))
        error = admin::centre::writeOutput(parser.value(QStringLiteral("csv")),
                                           report::unionCsv(figures).toUtf8());
    if (error.isEmpty() && parser.isSet(QStringLiteral("pdf")))
        report::writeUnionReportPdf(figures, parser.value(QStringLiteral("pdf")), &error);
    if (!error.isEmpty())
        return failed(error);
    out() << QStringLiteral("%1 centre years: %2 receipts, %3 cans, %4 kg\n")
                 .arg(years.size())
                 .arg(figures.overall.receipts)
                 .arg(report::cansText(figures.overall.cans),
                      report::weightText(figures.overall.weight));
    return Done;
}

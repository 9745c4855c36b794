// A second desk for the concurrency test: adds receipts to one company-year database through
// the same opening and writing path as the weighing window.
//   receipt_writer <DbMst> <yyyy-MM-dd> <shift> <count> <route>
// The data source is found through ODBCINI. Exit 0 when every receipt was stored.

#include "datastore/GenState.h"
#include "datastore/Startup.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "weighing/Receipt.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        err << "usage: receipt_writer DbMst date shift count route\n";
        return 2;
    }
    platform::setMessageHandler([&err](const platform::Message& m) {
        err << m.title << ": " << m.text << "\n";
        err.flush();
    });
    platform::setEndHandler([] { std::exit(3); });

    Gen_DbMst = args[1];
    Gen_DbPwd = DbPassword();
    Gen_Uid = 1;
    Gen_UName = QStringLiteral("writer");

    weighing::ReceiptEntry entry;
    entry.date = QDate::fromString(args[2], Qt::ISODate);
    entry.shift = args[3].toInt();
    const int count = args[4].toInt();
    entry.route = args[5].toInt();
    entry.village = 1;
    entry.animal = 1;
    entry.milk = 1;
    entry.cans = 2;
    entry.weight = 80.5;
    entry.uid = Gen_Uid;
    entry.uname = Gen_UName;
    entry.colTime = entry.schTime = entry.arrTime = QTime(6, 0, 0);

    for (int i = 0; i < count; ++i) {
        datastore::Connection con;
        if (!OpenMst(con))
            return 3;
        const weighing::WriteResult result = weighing::writeReceipt(con, entry);
        if (!result.stored()) {
            err << "receipt " << i << " not stored: " << result.error << "\n";
            return 1;
        }
    }
    return 0;
}

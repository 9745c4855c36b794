#pragma once

#include <QStringList>
#include <vector>

// The commands of tarvolen-admin. Each lives in a file of its own and is listed once in
// AdminCommands.cpp with its usage lines.
namespace admin {

struct Command {
    const char* name;
    int (*run)(const QStringList& arguments);
    const char* usage; // its lines in the tool's usage text, each ending in a newline
};

const std::vector<Command>& commands();

int runInit(const QStringList& arguments);
int runStation(const QStringList& arguments);
int runReport(const QStringList& arguments);         // ReceiptCommands.cpp
int runExport(const QStringList& arguments);         // ReceiptCommands.cpp (export receipts)
int runExportReceipts(const QStringList& arguments); // ReceiptCommands.cpp
int runBackup(const QStringList& arguments);         // BackupCommands.cpp
int runRestore(const QStringList& arguments);        // BackupCommands.cpp
int runImport(const QStringList& arguments);
int runExportMasters(const QStringList& arguments); // MasterCommands.cpp
int runUser(const QStringList& arguments);
int runCompany(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runReceipt(const QStringList& arguments); // SupervisorCommands.cpp
int runAudit(const QStringList& arguments);   // SupervisorCommands.cpp

} // namespace admin

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
int runCheck(const QStringList& arguments);

} // namespace admin

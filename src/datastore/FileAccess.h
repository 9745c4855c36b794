#pragma once

#include <QString>

// Why this user cannot use a database file, told so that an operator can act on it: which file,
// which group it belongs to, and whom to ask or what to run. The installation keeps its files
// closed to everyone outside its group (the users' passwords lie in them), so a desk whose user
// is not in the group fails on them, and should say so before anyone types a receipt.
namespace datastore {

enum class FileUse { Read, ReadWrite };

// Empty text when this user may use the file that way and the file is closed to others;
// otherwise one sentence or two for the operator ("You cannot read the database ...", "You
// cannot write to the database ...", "... is readable by everyone ..."). Writing needs the file's
// folder too (the engine puts its journal beside the file).
QString fileAccessProblem(const QString& file, FileUse use);

// Empty text, or the warning that every user of the computer can read the file, with the
// command that closes it.
QString openToOthersProblem(const QString& file);

} // namespace datastore

#pragma once

#include "datastore/Result.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QCoreApplication>

// A failed statement as the operator is told it.
inline datastore::Error dataError(const datastore::Error& error)
{
    return {error.kind,
            QCoreApplication::translate("CompanyWork", "Data Error - %1").arg(error.text)};
}

// The first windows cannot go on without their databases: a failure is told and ends the
// program, as the desk's openers always have.
inline bool endsOnFailure(const datastore::Error& error)
{
    const platform::MessageKind kind = error.kind == datastore::ErrorKind::MissingFile
                                           ? platform::MessageKind::Critical
                                           : platform::MessageKind::Plain;
    platform::showMessage(error.text, QString(), kind);
    platform::endProgram(platform::EndStatus::DataError);
    return false;
}

// Whether it went through; otherwise told and the program ended.
template <typename T> bool wentThrough(const datastore::Result<T>& result)
{
    return result ? true : endsOnFailure(result.error());
}

#pragma once

#include "Connection.h"

namespace datastore {

// BEGIN IMMEDIATE on construction (on a server: BEGIN and a lock on lockedTable): the write
// lock is taken before the next numbers are read, so two desks never compute the same ones.
// Rolled back on destruction unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(Connection& con, const QString& lockedTable = QString());
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    bool isActive() const { return m_active; }
    QString error() const { return m_error; }
    bool commit();

private:
    Connection& m_con;
    bool m_active = false;
    QString m_error;
};

} // namespace datastore

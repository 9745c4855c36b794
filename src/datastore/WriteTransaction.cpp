#include "WriteTransaction.h"

#include <QSqlQuery>

namespace datastore {

WriteTransaction::WriteTransaction(Connection& con) : m_con(con)
{
    QSqlQuery begin = m_con.run(QStringLiteral("BEGIN IMMEDIATE"));
    m_active = begin.isActive();
    if (!m_active)
        m_error = describeError(begin);
}

WriteTransaction::~WriteTransaction()
{
    if (m_active)
        m_con.run(QStringLiteral("ROLLBACK"));
}

bool WriteTransaction::commit()
{
    if (!m_active)
        return false;
    QSqlQuery commitQuery = m_con.run(QStringLiteral("COMMIT"));
    if (!commitQuery.isActive()) {
        m_error = describeError(commitQuery);
        return false;
    }
    m_active = false;
    return true;
}

} // namespace datastore

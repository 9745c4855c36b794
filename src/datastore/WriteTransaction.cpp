#include "WriteTransaction.h"

#include <QSqlQuery>

namespace datastore {

WriteTransaction::WriteTransaction(Connection& con, const QString& lockedTable) : m_con(con)
{
    const QStringList statements = m_con.beginWriteStatements(lockedTable);
    for (int i = 0; i < statements.size(); ++i) {
        QSqlQuery begin = m_con.run(statements[i]);
        if (!begin.isActive()) {
            m_error = describeError(begin);
            if (i > 0) // begun, but the lock was not had
                m_con.run(QStringLiteral("ROLLBACK"));
            return;
        }
    }
    m_active = true;
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

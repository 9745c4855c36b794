#include "ShiftDatabase.h"

#include "Startup.h"
#include "WriteTransaction.h"

#include <QCoreApplication>

namespace datastore {

Result<Connection*> ShiftDatabase::open(Ask ask)
{
    m_reused = m_con.isOpen();
    if (m_reused)
        return &m_con;
    if (ask == Ask::UnlessResting && m_serverFailed.isValid() &&
        std::chrono::milliseconds(m_serverFailed.elapsed()) < kServerRetryPause)
        return error(ErrorKind::ServerAway,
                     QCoreApplication::translate(
                         "ShiftDatabase",
                         "Data Error - Master Database \n\nthe server did not answer "
                         "a moment ago"));
    const Result<> opened = OpenMst(m_con);
    if (!opened) {
        if (opened.error().kind == ErrorKind::ServerAway)
            m_serverFailed.start();
        return opened.error();
    }
    m_serverFailed.invalidate();
    // Every statement of a use tries once; the caller tries again later.
    setLockWait(m_con, std::chrono::milliseconds{0});
    return &m_con;
}

void ShiftDatabase::release()
{
    if (m_keep == Keep::OnServer && !onServer())
        m_con.close();
}

void ShiftDatabase::lost()
{
    m_con.close();
    m_reused = false;
}

} // namespace datastore

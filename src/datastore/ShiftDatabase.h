#pragma once

#include "Connection.h"

#include <QElapsedTimer>
#include <chrono>

namespace datastore {

// The chosen company year's database as a window uses it through a shift. On a server the
// connection is kept open (a login costs far more than a receipt) and opened anew once it is
// lost; a file is opened for each use and closed after it, as other programs sharing it expect,
// unless the connection must outlive its use (a list that shows a query's rows). A use never
// waits for another connection's lock: a statement that meets one comes back busy at once, and
// the caller decides when to try again.
class ShiftDatabase {
public:
    enum class Keep { OnServer, Always };
    // A server that could not be reached is left alone this long before it is asked again, so
    // that the reads of one route change or the keys of the lookup do not each wait for it.
    static constexpr std::chrono::milliseconds kServerRetryPause{2000};

    explicit ShiftDatabase(Keep keep = Keep::OnServer) : m_keep(keep) {}

    // The open connection for one use. A server that failed a moment ago is not asked again
    // unless the use cannot wait (a receipt the operator asked for).
    enum class Ask { UnlessResting, Always };
    Result<Connection*> open(Ask ask = Ask::UnlessResting);
    // The use is over.
    void release();
    // The server went away under the connection: the next use opens a new one.
    void lost();
    // Whether the last open handed out a connection that had been open before (a server that
    // went away meanwhile is only found out by using it).
    bool reused() const { return m_reused; }
    bool onServer() const { return m_con.engine() == Connection::Engine::Server; }

private:
    Keep m_keep;
    Connection m_con;
    bool m_reused = false;
    QElapsedTimer m_serverFailed;
};

} // namespace datastore

#include "CompanyWork.h"

#include "Receipt.h"
#include "WindowBusy.h"

#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QCoreApplication>

namespace weighing {

CompanyWork::CompanyWork(WindowBusy* busy, QObject* parent) : QObject(parent), m_busy(busy)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CompanyWork::work);
}

CompanyWork::~CompanyWork()
{
    if (m_waiting)
        m_busy->release(WaitFor::Database);
}

void CompanyWork::run(Try attempt, GiveUp giveUp)
{
    m_pieces.push_back({std::move(attempt), std::move(giveUp)});
    // A piece that comes while another runs or waits goes after it.
    if (!m_working && !m_waiting)
        work();
}

void CompanyWork::work()
{
    m_working = true;
    while (!m_pieces.empty()) {
        if (m_pieces.front().attempt() == Attempt::Busy) {
            if (!m_waiting)
                m_waited.start();
            const std::chrono::milliseconds waited(m_waited.elapsed());
            if (waited < m_limit) {
                setWaiting(true);
                m_working = false;
                m_pause.start(retryPause());
                return;
            }
            // Given up while the window still waits, as a piece that goes through ends.
            const Piece given = m_pieces.front();
            m_pieces.pop_front();
            if (given.giveUp)
                given.giveUp(waited);
            setWaiting(false);
            continue;
        }
        m_pieces.pop_front();
        setWaiting(false);
    }
    m_working = false;
}

void CompanyWork::setWaiting(bool waiting)
{
    if (waiting == m_waiting)
        return;
    m_waiting = waiting;
    if (waiting)
        m_busy->hold(WaitFor::Database);
    else
        m_busy->release(WaitFor::Database);
    emit waitingChanged(waiting);
}

Attempt CompanyWork::attemptUse(datastore::ShiftDatabase& db, const Use& use,
                                const std::function<void()>& failed, QString* lastBusy)
{
    // A kept server connection may have been lost while it stood idle: found out only by using
    // it, and then opened anew once.
    for (int opening = 0; opening < 2; ++opening) {
        const auto con = db.open();
        if (!con) {
            tellOpenFailure(con.error());
            break;
        }
        const std::optional<datastore::Error> problem = use(**con);
        if (!problem) {
            db.release();
            if (db.onServer())
                serverReached();
            return Attempt::Done;
        }
        if (problem->kind == datastore::ErrorKind::Busy) {
            db.release();
            *lastBusy = problem->text;
            return Attempt::Busy;
        }
        if (problem->kind == datastore::ErrorKind::ServerAway) {
            const bool wasKept = db.reused();
            db.lost();
            if (wasKept)
                continue;
            tellServerAway(
                QCoreApplication::translate("CompanyWork", "Data Error - Master Database \n\n%1")
                    .arg(problem->text));
            break;
        }
        db.release();
        platform::showMessage(
            QCoreApplication::translate("CompanyWork", "Data Error - %1").arg(problem->text));
        break;
    }
    if (failed)
        failed();
    return Attempt::Done;
}

void CompanyWork::tellOpenFailure(const datastore::Error& error)
{
    switch (error.kind) {
    case datastore::ErrorKind::ServerAway:
        // The server may be back in a moment; ending would throw away what the operator typed.
        tellServerAway(error.text);
        return;
    case datastore::ErrorKind::Busy:
        platform::showMessage(
            QCoreApplication::translate("CompanyWork", "Data Error - %1").arg(error.text));
        return;
    case datastore::ErrorKind::MissingFile:
    case datastore::ErrorKind::Other:
        platform::showMessage(error.text);
        platform::endProgram(platform::EndStatus::DataError);
        return;
    }
}

void CompanyWork::tellServerAway(const QString& message)
{
    if (m_serverAwayTold)
        return;
    m_serverAwayTold = true;
    platform::showMessage(message);
    emit serverAwayChanged(true);
}

void CompanyWork::serverReached()
{
    if (!m_serverAwayTold)
        return;
    m_serverAwayTold = false;
    emit serverAwayChanged(false);
}

} // namespace weighing

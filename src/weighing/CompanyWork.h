#pragma once

#include "datastore/ShiftDatabase.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace weighing {

class WindowBusy;

// How one try of a piece of work ended.
enum class Attempt { Done, Busy };

// The weighing window's work on the company year, one piece at a time and driven by the event
// loop: no handler ever waits inside another. A piece that meets another desk's or program's
// lock comes back busy at once and is tried again after a short pause, the pieces behind it
// waiting their turn; meanwhile the window waits (WindowBusy: its keys and clicks dropped, no
// closing) and says so. A piece still busy after the wait limit is given up.
// Reads are told as the desk tells them: a server away once, until a read reaches it again; a
// company database that cannot be opened ends the program; any other fault "Data Error - ".
class CompanyWork : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kWaitLimit{30000};
    using Try = std::function<Attempt()>;
    using GiveUp = std::function<void(std::chrono::milliseconds waited)>;
    template <typename T>
    using Reader = std::function<datastore::Result<T>(datastore::Connection&)>;

    CompanyWork(WindowBusy* busy, QObject* parent);
    ~CompanyWork() override;

    // Runs the piece now when nothing waits, else after the pieces before it.
    void run(Try attempt, GiveUp giveUp);

    // A read on the shift's connection (or on db, a connection of the reader's own): take gets
    // what it read; after a failure (told) failed runs, if given.
    template <typename T>
    void read(Reader<T> reader, std::function<void(T)> take, std::function<void()> failed = {},
              datastore::ShiftDatabase* db = nullptr);

    bool waiting() const { return m_waiting; }
    datastore::ShiftDatabase& database() { return m_db; }
    // For tests: how long a piece may stay busy.
    void setWaitLimit(std::chrono::milliseconds limit) { m_limit = limit; }

    // A database that could not be opened: a server away is told once, until a use reaches
    // it again; anything else is told and ends the program.
    void tellOpenFailure(const datastore::Error& error);

signals:
    // The work began or stopped waiting for another desk's or program's lock.
    void waitingChanged(bool waiting);
    // The server went away (true) or was reached again (false).
    void serverAwayChanged(bool away);

private:
    struct Piece {
        Try attempt;
        GiveUp giveUp;
    };
    // One use of db: the connection opened, use run on it, the outcome told. use gives back
    // what went wrong, if anything.
    using Use = std::function<std::optional<datastore::Error>(datastore::Connection&)>;
    Attempt attemptUse(datastore::ShiftDatabase& db, const Use& use,
                       const std::function<void()>& failed, QString* lastBusy);
    void work();
    void setWaiting(bool waiting);
    void tellServerAway(const QString& message);
    void serverReached();

    WindowBusy* m_busy;
    datastore::ShiftDatabase m_db;
    std::deque<Piece> m_pieces;
    bool m_working = false;
    bool m_waiting = false;
    bool m_serverAwayTold = false;
    std::chrono::milliseconds m_limit = kWaitLimit;
    QElapsedTimer m_waited;
    QTimer m_pause;
};

template <typename T>
void CompanyWork::read(Reader<T> reader, std::function<void(T)> take, std::function<void()> failed,
                       datastore::ShiftDatabase* db)
{
    datastore::ShiftDatabase* const used = db ? db : &m_db;
    auto lastBusy = std::make_shared<QString>();
    run(
        [=]() {
            std::optional<T> value;
            const Attempt attempt = attemptUse(
                *used,
                [&](datastore::Connection& con) -> std::optional<datastore::Error> {
                    datastore::Result<T> result = reader(con);
                    if (!result)
                        return result.error();
                    value = std::move(result).value();
                    return std::nullopt;
                },
                failed, lastBusy.get());
            if (value)
                take(std::move(*value));
            return attempt;
        },
        [=](std::chrono::milliseconds) {
            tellOpenFailure(datastore::Error{datastore::ErrorKind::Busy, *lastBusy});
            if (failed)
                failed();
        });
}

} // namespace weighing

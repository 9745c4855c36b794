#pragma once

#include "Receipt.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QTimer;

namespace weighing {

// Writes one receipt at a time for a window without ever holding its thread on a lock: each try
// comes back at once, and while another desk or program keeps the database busy the tries are
// repeated from the event loop after short random pauses, up to a time limit.
class ReceiptWriter : public QObject {
    Q_OBJECT
public:
    explicit ReceiptWriter(QObject* parent = nullptr);
    ~ReceiptWriter() override;

    // Starts writing the entry on an open connection to the company-year database, which the
    // writer keeps until the write ends. The first try runs here; finished may be emitted
    // before this returns.
    void start(std::unique_ptr<datastore::Connection> con, const ReceiptEntry& entry);
    bool isWriting() const { return m_write != nullptr; }

    // The time a write waits for a busy database before it gives up.
    void setWaitLimit(std::chrono::milliseconds limit) { m_limit = limit; }

signals:
    // The database was busy at the first try: the write goes on waiting.
    void waiting();
    void finished(const weighing::WriteResult& result);

private:
    void tryAgain();
    void finish();

    std::chrono::milliseconds m_limit = kWriteWaitLimit;
    std::unique_ptr<datastore::Connection> m_con;
    std::unique_ptr<ReceiptWrite> m_write;
    QElapsedTimer m_waited;
    QTimer* m_pause;
};

} // namespace weighing

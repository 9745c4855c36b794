#include "ReceiptWriter.h"

#include <QTimer>

namespace weighing {

ReceiptWriter::ReceiptWriter(QObject* parent) : QObject(parent), m_pause(new QTimer(this))
{
    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, &ReceiptWriter::tryAgain);
}

ReceiptWriter::~ReceiptWriter() = default;

void ReceiptWriter::start(std::unique_ptr<datastore::Connection> con, const ReceiptEntry& entry)
{
    if (isWriting())
        return;
    m_con = std::move(con);
    m_write = std::make_unique<ReceiptWrite>(*m_con, entry);
    m_waited.start();
    if (m_write->tryOnce() != ReceiptWrite::Step::Busy) {
        finish();
        return;
    }
    emit waiting();
    m_pause->start(retryPause());
}

void ReceiptWriter::tryAgain()
{
    if (!m_write)
        return;
    if (m_write->tryOnce() != ReceiptWrite::Step::Busy) {
        finish();
        return;
    }
    const std::chrono::milliseconds waited(m_waited.elapsed());
    if (waited >= m_limit) {
        m_write->giveUp(busyReason(waited, m_write->result().error));
        finish();
        return;
    }
    m_pause->start(retryPause());
}

void ReceiptWriter::finish()
{
    const WriteResult result = m_write->result();
    m_write.reset();
    m_con->close();
    m_con.reset();
    emit finished(result);
}

} // namespace weighing

#pragma once

#include "Slip.h"
#include "SlipSpool.h"
#include "platform/DeskSettings.h"

#include <QObject>
#include <QString>
#include <chrono>

class QThread;

namespace report {

class SlipDelivery;
struct SlipJob;

// Takes slips to the desk's printer without ever holding up the window: each slip is made at
// once and handed to a thread of its own, which delivers them in order. A slip the printer cannot
// take yet (a queue stopped or gone, a device off, absent or out of paper, a folder that cannot be
// written) waits, in order, and is tried again until it goes; a queue's job counts as delivered
// once the print service has printed it. With a folder to keep them in, every slip is kept there
// until it has gone, and the slips kept there are taken up again when the spooler is made.
class SlipSpooler : public QObject {
    Q_OBJECT
public:
    // How often a waiting slip is tried again, and a queue's job looked at.
    static constexpr std::chrono::milliseconds kRetryEvery{2000};

    explicit SlipSpooler(const platform::SlipPrinter& printer, QObject* parent = nullptr,
                         std::chrono::milliseconds retryEvery = kRetryEvery,
                         const QString& keepIn = QString());
    ~SlipSpooler() override;
    SlipSpooler(const SlipSpooler&) = delete;
    SlipSpooler& operator=(const SlipSpooler&) = delete;

    bool printerSet() const { return m_printer.kind != platform::SlipPrinter::Kind::Off; }
    void print(const SlipFields& fields);
    // Slips handed over and not yet delivered.
    int waiting() const { return m_waiting; }
    // Why the first of them waits, empty while the slips go as they should.
    QString waitReason() const { return m_reason; }

signals:
    // A slip waits (reason), or nothing waits any more (empty).
    void waitChanged(const QString& reason);
    void delivered(qint64 refNo);

private:
    void takeKeptSlips();
    void hand(const SlipJob& job);
    void tellNotKept();
    void deliveryWaits(const QString& reason);
    void deliveryDone(qint64 refNo);

    platform::SlipPrinter m_printer;
    QString m_keepIn; // the folder the slips are kept in until they have gone; empty: none
    int m_nextFile = 1;
    bool m_toldNotKept = false;
    QThread* m_thread; // may end on its own after the spooler has gone
    SlipDelivery* m_delivery;
    int m_waiting = 0;
    QString m_reason;
};

// The status line's words for slips that wait: "Slip waiting: <reason>".
QString slipWaitingNotice(int slips, const QString& reason);

} // namespace report

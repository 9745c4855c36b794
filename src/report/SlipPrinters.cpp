#include "SlipPrinters.h"

#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace report {

struct SlipJob {
    KeptSlip kept;  // the slip, and how far it has gone
    QString record; // its file among the desk's waiting slips; empty: kept in memory only
    QString name;   // the PDF file's or the print job's name
    QByteArray bytes;
};

namespace {
using Job = SlipJob;

// How long a receipt printer may hold back the rest of a slip before it counts as not taking it.
constexpr std::chrono::milliseconds kDeviceTakesWithin{3000};

// How one try went: done, or why the slip still waits.
struct Outcome {
    bool done = false;
    QString reason;
};

Outcome deliveredNow()
{
    return {true, {}};
}
Outcome waitsBecause(const QString& reason)
{
    return {false, reason};
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A receipt printer's device: raw bytes, without holding the thread longer than the printer
// lets it. What the device has taken stays taken; the rest follows on the next try.
Outcome toDevice(const QString& device, Job& job)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return waitsBecause(QCoreApplication::translate("report::SlipSpooler",
                                                        "receipt printer %1 cannot be opened: %2")
                                .arg(device, systemError(errno)));
    // A serial line would turn each line feed into two characters and swallow control codes.
    termios line;
    if (::tcgetattr(fd, &line) == 0) {
        ::cfmakeraw(&line);
        ::tcsetattr(fd, TCSANOW, &line);
    }
    QString stuck;
    while (job.kept.sent < job.bytes.size()) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, int(kDeviceTakesWithin.count())) <= 0) {
            stuck = QCoreApplication::translate(
                        "report::SlipSpooler",
                        "receipt printer %1 does not take the slip (off or out of "
                        "paper?)")
                        .arg(device);
            break;
        }
        const ssize_t written = ::write(fd, job.bytes.constData() + job.kept.sent,
                                        size_t(job.bytes.size() - job.kept.sent));
        if (written < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (written < 0) {
            stuck = QCoreApplication::translate("report::SlipSpooler", "receipt printer %1: %2")
                        .arg(device, systemError(errno));
            // The printer was reset or replaced: the slip is printed whole again.
            job.kept.sent = 0;
            break;
        }
        job.kept.sent += int(written);
    }
    ::close(fd);
    return stuck.isEmpty() ? deliveredNow() : waitsBecause(stuck);
}

Outcome toFolder(const QString& folder, Job& job)
{
    if (!QFileInfo(folder).isDir())
        return waitsBecause(
            QCoreApplication::translate("report::SlipSpooler", "the slip folder %1 is not there")
                .arg(folder));
    QString path = QDir(folder).filePath(job.name + QStringLiteral(".pdf"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = QDir(folder).filePath(job.name + QStringLiteral("-%1.pdf").arg(copy));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(job.bytes) != job.bytes.size() ||
        !file.commit())
        return waitsBecause(QCoreApplication::translate("report::SlipSpooler",
                                                        "the slip cannot be written to %1: %2")
                                .arg(folder, file.errorString()));
    return deliveredNow();
}

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

// Why a queue holds its jobs back, in the print service's words.
QString queueState(const QByteArray& queue)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return QCoreApplication::translate("report::SlipSpooler",
                                           "the print service cannot be reached (%1)")
            .arg(lastCupsError());
    if (!dest)
        return QCoreApplication::translate("report::SlipSpooler", "print queue %1 is not there")
            .arg(QString::fromUtf8(queue));
    const auto option = [dest](const char* name) {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    };
    QString state;
    if (option("printer-state") == QLatin1String("5"))
        state = QCoreApplication::translate("report::SlipSpooler", "print queue %1 is stopped")
                    .arg(QString::fromUtf8(queue));
    else
        state = QCoreApplication::translate("report::SlipSpooler",
                                            "print queue %1 has not printed it yet")
                    .arg(QString::fromUtf8(queue));
    const QString message = option("printer-state-message");
    if (!message.isEmpty())
        state += QStringLiteral(" (%1)").arg(message);
    cupsFreeDests(1, dest);
    return state;
}

// Hands the slip to the print service; the job then waits there, and this looks after it.
Outcome toQueue(const QByteArray& queue, Job& job)
{
    if (job.kept.queueJob == 0) {
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
        if (!dest)
            return waitsBecause(queueState(queue));
        cupsFreeDests(1, dest);
        const QByteArray title = job.name.toUtf8();
        const int id =
            cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(), 0, nullptr);
        if (id == 0)
            return waitsBecause(
                QCoreApplication::translate("report::SlipSpooler", "print queue %1: %2")
                    .arg(QString::fromUtf8(queue), lastCupsError()));
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), id, title.constData(),
                              CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE ||
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.bytes.constData(),
                                 size_t(job.bytes.size())) != HTTP_STATUS_CONTINUE ||
            cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK) {
            const QString why = lastCupsError();
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), id, 0);
            return waitsBecause(
                QCoreApplication::translate("report::SlipSpooler", "print queue %1: %2")
                    .arg(QString::fromUtf8(queue), why));
        }
        job.kept.queueJob = id;
    }
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == job.kept.queueJob) {
            state = jobs[i].state;
            found = true;
        }
    }
    cupsFreeJobs(count, jobs);
    if (count < 0 || (!found && count == 0 && cupsLastError() > IPP_STATUS_OK_CONFLICTING))
        return waitsBecause(QCoreApplication::translate("report::SlipSpooler", "print queue %1: %2")
                                .arg(QString::fromUtf8(queue), lastCupsError()));
    // A job the service forgot or cancelled at someone's word is over; one it gave up is sent
    // again.
    if (!found || state == IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED)
        return deliveredNow();
    if (state == IPP_JSTATE_ABORTED) {
        job.kept.queueJob = 0;
        return waitsBecause(
            QCoreApplication::translate("report::SlipSpooler",
                                        "print queue %1 gave the slip up; it is sent again")
                .arg(QString::fromUtf8(queue)));
    }
    return waitsBecause(queueState(queue));
}

// Held while a slip is tried and its file changed, and while an opening window reads the files:
// a window closed a moment ago may still be finishing a try on one of them.
QMutex& keptSlipsLock()
{
    static QMutex lock;
    return lock;
}

Job jobFor(const SlipFields& fields, const platform::SlipPrinter& printer)
{
    Job job;
    job.kept.fields = fields;
    job.kept.printer = printerKey(printer);
    job.name = QStringLiteral("slip-%1-%2-%3")
                   .arg(fields.date.toString(QStringLiteral("yyyyMMdd")),
                        fields.shift == 3 ? QStringLiteral("PM") : QStringLiteral("AM"))
                   .arg(fields.refNo);
    job.bytes = printer.kind == platform::SlipPrinter::Kind::EscPos
                    ? escPosSlip(fields, printer.columns)
                    : slipPdf(fields, printer.paper);
    return job;
}
} // namespace

// The spooler's thread: the slips in order, the first tried until it goes.
class SlipDelivery : public QObject {
    Q_OBJECT
public:
    SlipDelivery(const platform::SlipPrinter& printer, std::chrono::milliseconds retryEvery)
        : m_printer(printer), m_retry(new QTimer(this))
    {
        m_retry->setSingleShot(true);
        m_retry->setInterval(retryEvery);
        connect(m_retry, &QTimer::timeout, this, &SlipDelivery::deliver);
    }

    void take(const Job& job)
    {
        m_jobs.push_back(job);
        if (!m_retry->isActive())
            deliver();
    }
    // No slip is tried after this (called from the window's thread as it closes).
    void stop() { m_stopped = true; }

signals:
    void waits(const QString& reason);
    void done(qint64 refNo);

private:
    void deliver()
    {
        const QMutexLocker lock(&keptSlipsLock());
        while (!m_jobs.empty() && !m_stopped) {
            Job& job = m_jobs.front();
            const int queueJob = job.kept.queueJob, sent = job.kept.sent;
            const Outcome outcome = tryOnce(job);
            if (!outcome.done) {
                if (!job.record.isEmpty() &&
                    (job.kept.queueJob != queueJob || job.kept.sent != sent))
                    writeKeptSlip(job.record, job.kept);
                emit waits(outcome.reason);
                m_retry->start();
                return;
            }
            if (!job.record.isEmpty())
                QFile::remove(job.record);
            const qint64 refNo = job.kept.fields.refNo;
            m_jobs.pop_front();
            emit done(refNo);
        }
    }

    Outcome tryOnce(Job& job)
    {
        switch (m_printer.kind) {
        case platform::SlipPrinter::Kind::EscPos:
            return toDevice(m_printer.target, job);
        case platform::SlipPrinter::Kind::PdfFolder:
            return toFolder(m_printer.target, job);
        case platform::SlipPrinter::Kind::Queue: {
            const Outcome outcome = toQueue(m_printer.target.toUtf8(), job);
            // A job just handed over is looked at again after the pause: it prints meanwhile.
            if (!outcome.done && job.kept.queueJob != 0 && !m_looked.contains(job.kept.queueJob)) {
                m_looked.insert(job.kept.queueJob);
                return waitsBecause(QString());
            }
            return outcome;
        }
        case platform::SlipPrinter::Kind::Off:
            break;
        }
        return deliveredNow();
    }

    platform::SlipPrinter m_printer;
    QTimer* m_retry;
    std::deque<Job> m_jobs;
    QSet<int> m_looked;
    std::atomic<bool> m_stopped{false};
};

SlipSpooler::SlipSpooler(const platform::SlipPrinter& printer, QObject* parent,
                         std::chrono::milliseconds retryEvery, const QString& keepIn)
    : QObject(parent), m_printer(printer), m_keepIn(keepIn), m_thread(new QThread),
      m_delivery(new SlipDelivery(printer, retryEvery))
{
    m_delivery->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_delivery, &QObject::deleteLater);
    connect(m_delivery, &SlipDelivery::waits, this, &SlipSpooler::deliveryWaits);
    connect(m_delivery, &SlipDelivery::done, this, &SlipSpooler::deliveryDone);
    m_thread->start();
    takeKeptSlips();
}

SlipSpooler::~SlipSpooler()
{
    // Closing never waits for a printer: a thread between tries ends at once and is waited for;
    // one in the middle of a try is left to end in its own time. The slips that have not gone
    // stay in their files for the next opening.
    m_delivery->stop();
    m_thread->quit();
    if (keptSlipsLock().tryLock()) {
        keptSlipsLock().unlock(); // the thread tries nothing more now
        m_thread->wait();
        delete m_thread;
    } else {
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    }
}

void SlipSpooler::takeKeptSlips()
{
    // With no printer set they stay kept until there is one.
    if (m_keepIn.isEmpty() || !printerSet())
        return;
    const QMutexLocker lock(&keptSlipsLock());
    const QStringList files = keptSlipFiles(m_keepIn);
    if (!files.isEmpty())
        m_nextFile = keptSlipNumber(files.constLast()) + 1;
    for (const QString& file : files) {
        const std::optional<KeptSlip> kept = readKeptSlip(file);
        if (!kept)
            continue; // not a slip of ours: left for someone to look at
        Job job = jobFor(kept->fields, m_printer);
        // What was done with another printer does not count for this one.
        if (kept->printer == job.kept.printer)
            job.kept = *kept;
        job.record = file;
        hand(job);
    }
}

void SlipSpooler::print(const SlipFields& fields)
{
    if (!printerSet())
        return;
    Job job = jobFor(fields, m_printer);
    if (!m_keepIn.isEmpty()) {
        job.record = keptSlipFile(m_keepIn, m_nextFile++);
        if (!writeKeptSlip(job.record, job.kept)) {
            job.record.clear();
            tellNotKept();
        }
    }
    hand(job);
}

void SlipSpooler::hand(const SlipJob& job)
{
    ++m_waiting;
    // The status line counts the slips that wait.
    if (!m_reason.isEmpty())
        emit waitChanged(m_reason);
    QMetaObject::invokeMethod(m_delivery, [delivery = m_delivery, job] { delivery->take(job); });
}

void SlipSpooler::tellNotKept()
{
    if (m_toldNotKept)
        return;
    m_toldNotKept = true;
    platform::showMessage(QCoreApplication::translate(
                              "report::SlipSpooler",
                              "Slips cannot be kept in %1 until they are printed: a slip that "
                              "has not been printed when the desk is closed will be lost.")
                              .arg(m_keepIn));
}

void SlipSpooler::deliveryWaits(const QString& reason)
{
    if (reason == m_reason)
        return;
    m_reason = reason;
    emit waitChanged(reason);
}

void SlipSpooler::deliveryDone(qint64 refNo)
{
    --m_waiting;
    if (m_waiting == 0)
        deliveryWaits(QString());
    else if (!m_reason.isEmpty())
        emit waitChanged(m_reason);
    emit delivered(refNo);
}

QString slipWaitingNotice(int slips, const QString& reason)
{
    if (slips > 1)
        return QCoreApplication::translate("report::SlipSpooler", "%1 slips waiting: %2")
            .arg(slips)
            .arg(reason);
    return QCoreApplication::translate("report::SlipSpooler", "Slip waiting: %1").arg(reason);
}

} // namespace report

#include "SlipPrinters.moc"

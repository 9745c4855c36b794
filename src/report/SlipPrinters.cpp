#include "SlipPrinters.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace report {

namespace {
// How long a receipt printer may hold back the rest of a slip before it counts as not taking it.
constexpr std::chrono::milliseconds kDeviceTakesWithin{3000};

struct Job {
    qint64 refNo = 0;
    QString name; // the PDF file's or the print job's name
    QByteArray bytes;
    int sent = 0;      // bytes a device has taken so far
    int queueJob = 0;  // the print service's job, once handed to it
};

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
        return waitsBecause(QStringLiteral("receipt printer %1 cannot be opened: %2")
                                .arg(device, systemError(errno)));
    // A serial line would turn each line feed into two characters and swallow control codes.
    termios line;
    if (::tcgetattr(fd, &line) == 0) {
        ::cfmakeraw(&line);
        ::tcsetattr(fd, TCSANOW, &line);
    }
    QString stuck;
    while (job.sent < job.bytes.size()) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, int(kDeviceTakesWithin.count())) <= 0) {
            stuck = QStringLiteral("receipt printer %1 does not take the slip (off or out of "
                                   "paper?)")
                        .arg(device);
            break;
        }
        const ssize_t written = ::write(fd, job.bytes.constData() + job.sent,
                                        size_t(job.bytes.size() - job.sent));
        if (written < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (written < 0) {
            stuck = QStringLiteral("receipt printer %1: %2").arg(device, systemError(errno));
            // The printer was reset or replaced: the slip is printed whole again.
            job.sent = 0;
            break;
        }
        job.sent += int(written);
    }
    ::close(fd);
    return stuck.isEmpty() ? deliveredNow() : waitsBecause(stuck);
}

Outcome toFolder(const QString& folder, Job& job)
{
    if (!QFileInfo(folder).isDir())
        return waitsBecause(QStringLiteral("the slip folder %1 is not there").arg(folder));
    QString path = QDir(folder).filePath(job.name + QStringLiteral(".pdf"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = QDir(folder).filePath(job.name + QStringLiteral("-%1.pdf").arg(copy));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(job.bytes) != job.bytes.size() ||
        !file.commit())
        return waitsBecause(
            QStringLiteral("the slip cannot be written to %1: %2").arg(folder, file.errorString()));
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
        return QStringLiteral("the print service cannot be reached (%1)").arg(lastCupsError());
    if (!dest)
        return QStringLiteral("print queue %1 is not there").arg(QString::fromUtf8(queue));
    const auto option = [dest](const char* name) {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    };
    QString state;
    if (option("printer-state") == QLatin1String("5"))
        state = QStringLiteral("print queue %1 is stopped").arg(QString::fromUtf8(queue));
    else
        state = QStringLiteral("print queue %1 has not printed it yet").arg(QString::fromUtf8(queue));
    const QString message = option("printer-state-message");
    if (!message.isEmpty())
        state += QStringLiteral(" (%1)").arg(message);
    cupsFreeDests(1, dest);
    return state;
}

// Hands the slip to the print service; the job then waits there, and this looks after it.
Outcome toQueue(const QByteArray& queue, Job& job)
{
    if (job.queueJob == 0) {
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
        if (!dest)
            return waitsBecause(queueState(queue));
        cupsFreeDests(1, dest);
        const QByteArray title = job.name.toUtf8();
        const int id = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(), 0,
                                     nullptr);
        if (id == 0)
            return waitsBecause(QStringLiteral("print queue %1: %2")
                                    .arg(QString::fromUtf8(queue), lastCupsError()));
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), id, title.constData(),
                              CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE ||
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.bytes.constData(),
                                 size_t(job.bytes.size())) != HTTP_STATUS_CONTINUE ||
            cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK) {
            const QString why = lastCupsError();
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), id, 0);
            return waitsBecause(
                QStringLiteral("print queue %1: %2").arg(QString::fromUtf8(queue), why));
        }
        job.queueJob = id;
    }
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0,
                                   CUPS_WHICHJOBS_ALL);
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == job.queueJob) {
            state = jobs[i].state;
            found = true;
        }
    }
    cupsFreeJobs(count, jobs);
    if (count < 0 || (!found && count == 0 && cupsLastError() > IPP_STATUS_OK_CONFLICTING))
        return waitsBecause(
            QStringLiteral("print queue %1: %2").arg(QString::fromUtf8(queue), lastCupsError()));
    // A job the service forgot or cancelled at someone's word is over; one it gave up is sent
    // again.
    if (!found || state == IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED)
        return deliveredNow();
    if (state == IPP_JSTATE_ABORTED) {
        job.queueJob = 0;
        return waitsBecause(QStringLiteral("print queue %1 gave the slip up; it is sent again")
                                .arg(QString::fromUtf8(queue)));
    }
    return waitsBecause(queueState(queue));
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

signals:
    void waits(const QString& reason);
    void done(qint64 refNo);

private:
    void deliver()
    {
        while (!m_jobs.empty()) {
            Job& job = m_jobs.front();
            const Outcome outcome = tryOnce(job);
            if (!outcome.done) {
                emit waits(outcome.reason);
                m_retry->start();
                return;
            }
            const qint64 refNo = job.refNo;
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
            if (!outcome.done && job.queueJob != 0 && !m_looked.contains(job.queueJob)) {
                m_looked.insert(job.queueJob);
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
};

SlipSpooler::SlipSpooler(const platform::SlipPrinter& printer, QObject* parent,
                         std::chrono::milliseconds retryEvery)
    : QObject(parent), m_printer(printer), m_thread(new QThread(this)),
      m_delivery(new SlipDelivery(printer, retryEvery))
{
    m_delivery->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_delivery, &QObject::deleteLater);
    connect(m_delivery, &SlipDelivery::waits, this, &SlipSpooler::deliveryWaits);
    connect(m_delivery, &SlipDelivery::done, this, &SlipSpooler::deliveryDone);
    m_thread->start();
}

SlipSpooler::~SlipSpooler()
{
    m_thread->quit();
    m_thread->wait();
}

void SlipSpooler::print(const SlipFields& fields)
{
    if (!printerSet())
        return;
    Job job;
    job.refNo = fields.refNo;
    job.name = QStringLiteral("slip-%1-%2-%3")
                   .arg(fields.date.toString(QStringLiteral("yyyyMMdd")),
                        fields.shift == 3 ? QStringLiteral("PM") : QStringLiteral("AM"))
                   .arg(fields.refNo);
    job.bytes = m_printer.kind == platform::SlipPrinter::Kind::EscPos
                    ? escPosSlip(fields, m_printer.columns)
                    : slipPdf(fields, m_printer.paper);
    ++m_waiting;
    QMetaObject::invokeMethod(m_delivery, [delivery = m_delivery, job] { delivery->take(job); });
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
    emit delivered(refNo);
}

QString slipWaitingNotice(int slips, const QString& reason)
{
    if (slips > 1)
        return QStringLiteral("%1 slips waiting: %2").arg(slips).arg(reason);
    return QStringLiteral("Slip waiting: %1").arg(reason);
}

} // namespace report

#include "SlipPrinters.moc"

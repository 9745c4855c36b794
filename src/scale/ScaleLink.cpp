#include "LinkKinds.h"

#include "formkit/TextRules.h"
#include "platform/Clock.h"
#include "platform/OperatorInput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace scale {

Timings& timings()
{
    static Timings current;
    return current;
}

void ScaleLink::setState(const QString& state)
{
    emit stateChanged(stateText(state));
}

QString ScaleLink::stateText(const QString& state) const
{
    return QStringLiteral("scale: %1 \u2014 %2").arg(state, describe());
}

// ---- waiting for the scale ----

namespace {
int waitDepth = 0;
// How often a wait looks at the clock while nothing else happens.
constexpr milliseconds kWaitSlice{5};

// Eats the operator's keys and clicks while a handler waits for the scale.
class InputDropper : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (platform::isOperatorInput(event->type()))
            return true;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

bool isWaitingForScale()
{
    return waitDepth > 0;
}

void WaitSeconds(double seconds)
{
    ++waitDepth;
    InputDropper dropper;
    QCoreApplication::instance()->installEventFilter(&dropper);
    const qint64 waitNs = qint64(seconds * 1e9);
    QElapsedTimer elapsed;
    elapsed.start();
    // Wakes the event wait below now and then, so that the wait ends on time also when
    // nothing else happens.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(kWaitSlice);
    while (elapsed.nsecsElapsed() < waitNs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    // Input the window system still holds from the wait goes the same way.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(&dropper);
    --waitDepth;
}

// ---- asked for each weight ----

RequestLink::RequestLink(QObject* parent) : ScaleLink(parent)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        if (m_buffer.hasRest())
            takeReply(m_buffer.takeRest());
    });
}

void RequestLink::start()
{
    setState(QStringLiteral("no reply yet"));
}

void RequestLink::gather(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    for (const QString& reply : m_buffer.takeRecords())
        takeReply(reply);
    if (m_buffer.hasRest())
        m_quiet.start(timings().quietGap);
    else
        m_quiet.stop();
}

void RequestLink::forgetGathered()
{
    m_quiet.stop();
    m_buffer.clear();
}

void RequestLink::noteReply()
{
    setState(QStringLiteral("last reply %1").arg(formkit::timeText(platform::timeOfDay())));
}

// ---- following the scale ----

ContinuousLink::ContinuousLink(QObject* parent) : ScaleLink(parent)
{
    connect(&m_ticks, &QTimer::timeout, this, &ContinuousLink::tick);
}

void ContinuousLink::start()
{
    m_since = platform::now();
    openLink();
    m_ticks.start(timings().tick);
}

void ContinuousLink::stop()
{
    m_ticks.stop();
    closeLink();
    m_up = false;
}

void ContinuousLink::tick()
{
    reopenIfGone();
    if (m_up)
        followScale();
}

void ContinuousLink::linkUp(bool headMayBeCut)
{
    m_up = true;
    m_headMayBeCut = headMayBeCut;
    m_buffer.clear();
    m_since = platform::now();
    m_recordProblem.clear();
    setState(QStringLiteral("no reading yet"));
}

void ContinuousLink::linkDown(const QString& state)
{
    m_up = false;
    m_buffer.clear();
    m_weightStands = false;
    emit weightLost();
    setState(state);
}

void ContinuousLink::followScale()
{
    QStringList records = m_buffer.takeRecords();
    if (m_headMayBeCut && !records.isEmpty()) {
        // The opening may have cut a reading: a head shorter than a whole reading is its tail.
        if (m_wholeLength == 0 || records.first().size() < m_wholeLength)
            records.removeFirst();
        m_headMayBeCut = false;
    }
    if (records.isEmpty())
        ageReading();
    else
        showRecord(records.last());
}

void ContinuousLink::showRecord(const QString& text)
{
    const Record record = readRecord(text);
    m_since = platform::now();
    if (!record.isReading() || record.value < 0) {
        m_recordProblem = record.isReading()
                              ? QStringLiteral("reading below zero")
                              : QStringLiteral("not a reading: \"%1\"").arg(record.text);
        m_weightStands = false;
        emit weightLost();
        setState(m_recordProblem);
        return;
    }
    m_recordProblem.clear();
    m_wholeLength = int(text.size());
    m_weightStands = true;
    if (record.isEmptyPlatform())
        emit platformEmpty(emptyPlatformShown());
    else
        emit weightRead(formkit::shownWeight(record.value));
    setState(QStringLiteral("reading 0 s ago"));
}

void ContinuousLink::ageReading()
{
    const qint64 ageMs = m_since.msecsTo(platform::now());
    const qint64 ageSeconds = ageMs / 1000;
    if (ageMs >= timings().staleAfter.count()) {
        if (m_weightStands) {
            m_weightStands = false;
            emit weightLost();
        }
        setState(QStringLiteral("no reading for %1 s").arg(ageSeconds));
    } else if (!m_recordProblem.isEmpty()) {
        setState(m_recordProblem);
    } else if (m_weightStands) {
        setState(QStringLiteral("reading %1 s ago").arg(ageSeconds));
    }
}

} // namespace scale

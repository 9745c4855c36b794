#include "LinkKinds.h"

#include "formkit/TextRules.h"
#include "platform/Clock.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace scale {

namespace {
// Readings that differ by no more than one step of the shown weight hold.
constexpr double kDisplayStep = 0.1;
constexpr double kRounding = 1e-9;

double seconds(milliseconds ms)
{
    return std::chrono::duration<double>(ms).count();
}
} // namespace

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
    return tr("scale: %1 \u2014 %2").arg(state, describe());
}

// ---- asked for each weight ----

RequestLink::RequestLink(QObject* parent) : ScaleLink(parent)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        m_buffer.endRest();
        takeRecords();
    });
    m_deadline.setSingleShot(true);
    // Qt's timers run on the monotonic clock: a step of the time of day moves no wait.
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_open)
            finish(false);
    });
}

void RequestLink::start()
{
    setState(tr("no reply yet"));
}

void RequestLink::requestWeight()
{
    // A request still open (its window went on at once) is given up for the new one.
    if (m_open)
        finish(false);
    m_buffer.clear();
    m_quiet.stop();
    m_problem.clear();
    m_unasked = false;
    m_open = true;
    m_windowReleased = false;
    if (!ask()) {
        m_open = false;
        m_windowReleased = true;
        emit requestEnded();
        return;
    }
    m_deadline.start(answerWait());
    if (endsWhenSent()) {
        m_windowReleased = true;
        emit requestEnded();
    }
}

void RequestLink::gather(const QByteArray& bytes)
{
    if (!m_open) {
        // Nothing was asked: a scale that prints on its own, or an answer too late to count.
        if (!bytes.trimmed().isEmpty())
            setState(tr("readings came unasked and were dropped"));
        return;
    }
    m_buffer.append(bytes);
    takeRecords();
    if (m_open && m_buffer.hasRest())
        m_quiet.start(timings().quietGap);
    else
        m_quiet.stop();
}

void RequestLink::takeRecords()
{
    for (const QString& text : m_buffer.takeRecords()) {
        if (!m_open) {
            m_unasked = true;
            continue;
        }
        const Record record = readReply(text);
        if (!record.isReading()) {
            m_problem = tr("not a reading: \"%1\"").arg(record.text);
            continue;
        }
        if (m_width.isFragment(text)) {
            m_problem = tr("a cut reading \"%1\" was dropped").arg(record.text);
            continue;
        }
        // Zero or below is an answer too: the platform holds nothing to weigh.
        if (record.value > 0)
            emit weightRead(formkit::shownWeight(record.value));
        finish(true);
    }
}

void RequestLink::giveUp()
{
    if (m_open)
        finish(false);
}

void RequestLink::noAnswer()
{
    setState(m_problem.isEmpty() ? tr("no answer within %1 s").arg(seconds(answerWait()))
                                 : m_problem);
}

void RequestLink::finish(bool answered)
{
    m_open = false;
    m_deadline.stop();
    m_quiet.stop();
    requestOver();
    if (answered) {
        const QString at = formkit::timeText(platform::timeOfDay());
        setState(m_unasked ? tr("last reply %1; readings came unasked too").arg(at)
                           : tr("last reply %1").arg(at));
    } else {
        noAnswer();
    }
    if (!m_windowReleased) {
        m_windowReleased = true;
        emit requestEnded();
    }
}

// ---- following the scale ----

ContinuousLink::ContinuousLink(QObject* parent) : ScaleLink(parent)
{
    connect(&m_ticks, &QTimer::timeout, this, &ContinuousLink::tick);
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, [this] { m_buffer.endRest(); });
}

void ContinuousLink::start()
{
    m_since = platform::steadyMs();
    openLink();
    m_ticks.start(timings().tick);
}

void ContinuousLink::stop()
{
    m_ticks.stop();
    m_quiet.stop();
    closeLink();
    m_up = false;
}

void ContinuousLink::tick()
{
    reopenIfGone();
    if (m_up)
        followScale();
}

void ContinuousLink::gather(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.hasRest())
        m_quiet.start(timings().quietGap);
    else
        m_quiet.stop();
}

void ContinuousLink::linkUp(bool headMayBeCut)
{
    m_up = true;
    m_headMayBeCut = headMayBeCut;
    m_buffer.clear();
    m_since = platform::steadyMs();
    m_recordProblem.clear();
    setState(tr("no reading yet"));
}

void ContinuousLink::linkDown(const QString& state)
{
    m_up = false;
    m_buffer.clear();
    m_quiet.stop();
    m_weightStands = false;
    m_holdSince = -1;
    emit weightLost();
    setState(state);
}

void ContinuousLink::followScale()
{
    bool emptied = false;
    std::optional<Record> newest;
    for (const QString& text : m_buffer.takeRecords()) {
        // The opening may have cut a reading: a head narrower than a whole reading is its tail.
        if (std::exchange(m_headMayBeCut, false) && m_width.isCutHead(text))
            continue;
        const Record record = readRecord(text);
        if (record.isReading() && m_width.isFragment(text))
            continue;
        newest = record;
        if (record.isEmptyPlatform())
            emptied = true;
        else if (record.isReading() && record.value > 0)
            holdReading(record.value);
    }
    if (!newest) {
        ageReading();
        return;
    }
    m_since = platform::steadyMs();
    // A platform emptied and loaded again between two ticks still re-arms Add.
    if (emptied && !newest->isEmptyPlatform())
        emit platformEmpty(emptyPlatformShown());
    showRecord(*newest);
}

void ContinuousLink::showRecord(const Record& record)
{
    if (!record.isReading()) {
        noWeight(tr("not a reading: \"%1\"").arg(record.text));
        return;
    }
    if (record.value < 0) {
        noWeight(tr("reading below zero"));
        return;
    }
    m_recordProblem.clear();
    m_weightStands = true;
    m_moving = false;
    if (record.isEmptyPlatform()) {
        m_holdSince = -1;
        emit platformEmpty(emptyPlatformShown());
        setState(tr("reading 0 s ago"));
    } else if (held()) {
        emit weightRead(formkit::shownWeight(record.value));
        setState(tr("reading 0 s ago"));
    } else {
        m_moving = true;
        emit weightMoving(formkit::shownWeight(record.value));
        setState(QStringLiteral("settling"));
    }
}

void ContinuousLink::noWeight(const QString& why)
{
    m_recordProblem = why;
    m_weightStands = false;
    m_holdSince = -1;
    emit weightLost();
    setState(why);
}

void ContinuousLink::holdReading(double value)
{
    const qint64 now = platform::steadyMs();
    const double low = std::min(m_holdLow, value);
    const double high = std::max(m_holdHigh, value);
    if (m_holdSince < 0 || high - low > kDisplayStep + kRounding) {
        m_holdSince = now;
        m_holdLow = m_holdHigh = value;
        return;
    }
    m_holdLow = low;
    m_holdHigh = high;
}

bool ContinuousLink::held() const
{
    return m_holdSince >= 0 && platform::steadyMs() - m_holdSince >= timings().settleTime.count();
}

void ContinuousLink::ageReading()
{
    const qint64 ageMs = platform::steadyMs() - m_since;
    const qint64 ageSeconds = ageMs / 1000;
    if (ageMs >= timings().staleAfter.count()) {
        if (m_weightStands) {
            m_weightStands = false;
            m_holdSince = -1;
            emit weightLost();
        }
        setState(tr("no reading for %1 s").arg(ageSeconds));
    } else if (!m_recordProblem.isEmpty()) {
        setState(m_recordProblem);
    } else if (m_weightStands && m_moving) {
        setState(QStringLiteral("settling"));
    } else if (m_weightStands) {
        setState(tr("reading %1 s ago").arg(ageSeconds));
    }
}

} // namespace scale

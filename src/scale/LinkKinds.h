#pragma once

// The two ways a link works, shared by the serial and network links: asked for each weight,
// or following the scale on a timer.

#include "ScaleLink.h"

namespace scale {

// A link asked for each weight by Get Weight. A reply ends at its line end, or, when it stops
// short without one, once the line has been quiet for a short gap: "5" is a reply, while
// "012" followed by "3.4" is one reply, never 12.
class RequestLink : public ScaleLink {
    Q_OBJECT
public:
    explicit RequestLink(QObject* parent);
    bool continuous() const override { return false; }
    void start() override;

protected:
    // Bytes from the scale; each whole reply goes to takeReply.
    void gather(const QByteArray& bytes);
    void forgetGathered();
    virtual void takeReply(const QString& reply) = 0;
    // The state after a reply: the time it came.
    void noteReply();

private:
    RecordBuffer m_buffer;
    QTimer m_quiet;
};

// A link that follows the scale: readings gather between ticks, and each tick shows the newest
// whole one. A reading of 0 re-arms Add; a record that is no reading, or no reading for a
// while, clears the weight, so that no earlier weight can be stored in its place.
class ContinuousLink : public ScaleLink {
    Q_OBJECT
public:
    explicit ContinuousLink(QObject* parent);
    bool continuous() const override { return true; }
    void start() override;
    void stop() override;
    // One tick: the port or connection is brought back if it went, then the newest reading.
    void tick();

protected:
    virtual void openLink() = 0;
    virtual void closeLink() = 0;
    virtual void reopenIfGone() = 0;
    // What an empty platform shows in the weight ("" or "0.0").
    virtual QString emptyPlatformShown() const = 0;

    void gather(const QByteArray& bytes) { m_buffer.append(bytes); }
    // The link is up; what arrives first may be the tail of a reading cut by the opening.
    void linkUp(bool headMayBeCut);
    // The link is down: no weight may stand; state says why.
    void linkDown(const QString& state);
    bool isUp() const { return m_up; }
    // Shows the newest whole reading gathered since the last tick, or ages the one shown.
    void followScale();

private:
    void showRecord(const QString& text);
    void ageReading();

    RecordBuffer m_buffer;
    QTimer m_ticks;
    bool m_up = false;
    bool m_headMayBeCut = false;
    int m_wholeLength = 0; // length of the last whole reading: a shorter head is a cut tail
    QDateTime m_since;     // the last record, or the link coming up
    bool m_weightStands = false;
    QString m_recordProblem; // the newest record was no reading: what it was
};

} // namespace scale

#pragma once

// The two ways a link works, shared by the serial and network links: asked for each weight,
// or following the scale on a timer.

#include "ScaleLink.h"

namespace scale {

// A link asked for each weight by Get Weight. A reply belongs to its request: what came
// before the request is dropped, and only what arrives within the request's wait is taken;
// a late answer is no answer. The first reading of the wait is the answer; noise and cut
// readings before it are passed over and said in the state. A reply ends at its line end, or,
// when it stops short without one, once the line has been quiet for a short gap: "5" is a
// reply, while "012" followed by "3.4" is one reply, never 12.
class RequestLink : public ScaleLink {
    Q_OBJECT
public:
    explicit RequestLink(QObject* parent);
    bool continuous() const override { return false; }
    void start() override;
    void requestWeight() final;

protected:
    // Sends the request; false when it could not be sent (the operator has been told).
    virtual bool ask() = 0;
    // How long the answer is waited for, from the request on.
    virtual milliseconds answerWait() const = 0;
    // Whether Get Weight is over once the request is sent; an answer within the wait is still
    // taken, and shown when it comes.
    virtual bool endsWhenSent() const { return false; }
    // One reply read as a record.
    virtual Record readReply(const QString& reply) const = 0;
    // The wait ended with no answer: the state says why.
    virtual void noAnswer();
    // The request is over, answered or not.
    virtual void requestOver() {}

    // Bytes from the scale, asked for or not.
    void gather(const QByteArray& bytes);
    // Ends the request at once, unanswered (a connection refused).
    void giveUp();
    bool requestOpen() const { return m_open; }
    // What passed for the answer and was not: the reason, or empty text.
    QString problem() const { return m_problem; }

private:
    void takeRecords();
    void finish(bool answered);

    RecordBuffer m_buffer;
    RecordWidth m_width;
    QTimer m_quiet;
    QTimer m_deadline;
    bool m_open = false;
    bool m_windowReleased = true;
    bool m_unasked = false;
    QString m_problem;
};

// A link that follows the scale: readings gather between ticks (a reading without a line end
// is whole after a quiet gap), and each tick shows the newest whole one. A weight counts once
// the readings have held within one display step for a while; until then it is shown as
// moving. A reading of 0 in a tick re-arms Add; a record that is no reading, or no reading for
// a while, clears the weight, so that no earlier weight can be stored in its place.
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

    void gather(const QByteArray& bytes);
    // The link is up; what arrives first may be the tail of a reading cut by the opening.
    void linkUp(bool headMayBeCut);
    // The link is down: no weight may stand; state says why.
    void linkDown(const QString& state);
    bool isUp() const { return m_up; }
    // Shows the newest whole reading gathered since the last tick, or ages the one shown.
    void followScale();

private:
    void showRecord(const Record& record);
    void noWeight(const QString& why);
    void ageReading();
    // Keeps the run of readings that hold within one display step.
    void holdReading(double value);
    bool held() const;

    RecordBuffer m_buffer;
    RecordWidth m_width;
    QTimer m_ticks;
    QTimer m_quiet;
    bool m_up = false;
    bool m_headMayBeCut = false;
    qint64 m_since = 0; // steady ms of the last record, or of the link coming up
    bool m_weightStands = false;
    bool m_moving = false;   // the weight shown has not held yet
    QString m_recordProblem; // the newest record was no reading: what it was
    qint64 m_holdSince = -1; // steady ms of the first reading of the run that holds
    double m_holdLow = 0;
    double m_holdHigh = 0;
};

} // namespace scale

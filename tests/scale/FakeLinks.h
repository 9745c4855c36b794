#pragma once

// Links the window tests put in place of the real ones: the real way of taking readings and
// replies, fed by the test instead of a port, with no real waits.

#include "scale/LinkKinds.h"

#include <functional>

namespace scaletest {

// A link that follows the scale; the test feeds what the scale prints and ticks.
class FakeContinuousLink : public scale::ContinuousLink {
public:
    using ContinuousLink::ContinuousLink;
    QString describe() const override { return QStringLiteral("fake scale, continuous"); }
    // What the scale printed since the last tick, then the tick.
    void feed(const QByteArray& bytes)
    {
        gather(bytes);
        tick();
    }
    // The connection drops or the port vanishes; and comes back.
    void down() { linkDown(QStringLiteral("not connected")); }
    void up() { linkUp(false); }

protected:
    void openLink() override { linkUp(false); }
    void closeLink() override {}
    void reopenIfGone() override {}
    QString emptyPlatformShown() const override { return QString(); }
};

// A link asked for each weight, the real request with its wait; the test's scale answers
// (answer runs from the event loop once the request is out).
class FakeRequestLink : public scale::RequestLink {
public:
    using RequestLink::RequestLink;
    QString describe() const override { return QStringLiteral("fake scale, on request"); }
    void reply(const QByteArray& bytes) { gather(bytes); }

    std::function<void(FakeRequestLink&)> answer;
    int requests = 0;

protected:
    bool ask() override
    {
        ++requests;
        if (answer)
            QTimer::singleShot(0, this, [this] { answer(*this); });
        return true;
    }
    std::chrono::milliseconds answerWait() const override { return std::chrono::milliseconds(200); }
    scale::Record readReply(const QString& reply) const override
    {
        return scale::readRecord(reply);
    }
};

} // namespace scaletest

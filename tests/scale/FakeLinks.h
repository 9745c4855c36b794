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

// A link asked for each weight: the request waits as the real ones do, while the test's
// scale answers (answer runs inside the wait).
class FakeRequestLink : public scale::RequestLink {
public:
    FakeRequestLink(bool framed, QObject* parent) : RequestLink(parent), m_framed(framed) {}
    QString describe() const override { return QStringLiteral("fake scale, on request"); }
    void requestWeight() override
    {
        ++requests;
        if (answer)
            QTimer::singleShot(0, this, [this] { answer(*this); });
        scale::WaitSeconds(waitSeconds);
    }
    void reply(const QByteArray& bytes) { gather(bytes); }

    std::function<void(FakeRequestLink&)> answer;
    double waitSeconds = 0.2;
    int requests = 0;

protected:
    void takeReply(const QString& reply) override
    {
        const scale::Record record = scale::readRecord(reply);
        const QString shown = m_framed ? scale::framedWeight(reply)
                              : record.isReading() && record.value > 0
                                  ? QString::number(record.value, 'f', 1)
                                  : QString();
        if (!shown.isEmpty())
            emit weightRead(shown);
        noteReply();
    }

private:
    bool m_framed;
};

} // namespace scaletest

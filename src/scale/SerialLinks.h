#pragma once

#include "LinkKinds.h"

namespace platform {
class SerialControl;
}

namespace scale {

// What both serial links keep: the port and its settings.
struct SerialSettings {
    int portNumber = 0;
    QString speed; // bits per second as the settings hold it
    bool complete() const;
};

// Configures the port (speed, no parity, 8 data bits, 1 stop bit), opens it and writes the
// request, or the byte 0x05 when the request is empty. False when it could not be opened.
bool OpenScalePort(platform::SerialControl& port, const SerialSettings& settings,
                   const QByteArray& request);
void ClosePortIfOpen(platform::SerialControl& port);
// The operator's words for a port that cannot be opened.
QString portFailure(const platform::SerialControl& port);

// The serial scale asked by Get Weight: polled (0x05, Get Weight waits a tenth of a second for
// the answer) or on request ("W1", Get Weight goes on at once and the answer is shown when it
// comes within its wait). The port is opened for each request, which drops what came before;
// once the answer is taken or the wait is over it is closed, and the rest is dropped with it.
class SerialRequestLink : public RequestLink {
    Q_OBJECT
public:
    enum class Mode { Polled, OnRequest };
    // parsesReplies: whether the format reads what the scale answers at all.
    SerialRequestLink(Mode mode, bool parsesReplies, const SerialSettings& settings,
                      QObject* parent);
    QString describe() const override;
    void clearScale() override { Com_Clear(); }

    void MSComm1_OnComm();
    void Com_Clear();

    platform::SerialControl* MSComm1;

protected:
    bool ask() override;
    milliseconds answerWait() const override;
    bool endsWhenSent() const override { return m_mode == Mode::OnRequest; }
    Record readReply(const QString& reply) const override { return readRecord(reply); }
    void requestOver() override { ClosePortIfOpen(*MSComm1); }

private:
    Mode m_mode;
    bool m_parsesReplies;
    SerialSettings m_settings;
};

// The serial scale that prints its readings on its own. The port stays open while the scale
// streams; a port that could not be opened, or whose device went away, is opened again on a
// later tick, on the device chosen when the link started.
class SerialContinuousLink : public ContinuousLink {
    Q_OBJECT
public:
    SerialContinuousLink(const SerialSettings& settings, QObject* parent);
    QString describe() const override;

    void MSComm1_OnComm();
    void ReopenScalePort();
    void ParseChars1_2() { followScale(); }

    platform::SerialControl* MSComm1;

protected:
    void openLink() override;
    void closeLink() override { ClosePortIfOpen(*MSComm1); }
    void reopenIfGone() override { ReopenScalePort(); }
    QString emptyPlatformShown() const override { return QString(); }

private:
    void portFailed(const QString& state);

    SerialSettings m_settings;
    // Told once for each time the port fails; opening it again re-arms the notice.
    bool m_failureTold = false;
};

} // namespace scale

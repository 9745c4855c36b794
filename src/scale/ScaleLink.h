#pragma once

#include "ScaleParsing.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

namespace scale {

using std::chrono::milliseconds;

// How long the links wait for what. Tests shorten them; the desk uses these.
struct Timings {
    milliseconds tick{200};            // a continuous link looks at what came this often
    milliseconds pollWait{100};        // Get Weight waits this long for the polled scale
    milliseconds answerWait{1000};     // a scale asked with "W1" answers within this
    milliseconds connectWait{1000};    // Get Weight waits this long for the network scale
    milliseconds quietGap{60};         // a record without a line end is whole after this silence
    milliseconds settleTime{600};      // a continuous weight counts once it has held this long
    milliseconds staleAfter{3000};     // a continuous weight older than this is cleared
    milliseconds reconnectEvery{2000}; // a continuous network link tries again this often
};
Timings& timings();

// The station's scale link (Gen_ComLan, 0 for none).
constexpr int kLinkSerialOnRequest = 1;
constexpr int kLinkNetworkOnRequest = 2;
constexpr int kLinkSerialContinuous = 3;
constexpr int kLinkNetworkContinuous = 4;
// The station's weight format (Gen_WghtFmt, 0 for none): a scale polled on the serial port
// whatever the link, or read the link's own way with the scale cleared after each Add.
constexpr int kFormatPolled = 1;
constexpr int kFormatChosenByLink = 2;

// The station settings that choose and drive a link, as the window read them.
struct LinkSettings {
    int format = 0;        // Gen_WghtFmt
    int link = 0;          // Gen_ComLan
    int serialPort = 0;    // Gen_ComPortW
    QString speed;         // Gen_BitsNoW as text, 0 = not set
    double speedValue = 0; // the same as a number
    QString host;          // Gen_LanHostIP
    QString tcpPort;       // Gen_LanHostNo
};

// One scale link: it owns its port or socket, its timer and its gathering buffer, and tells
// the window what happened. The window shows the weight, arms Add on an empty platform and
// puts the state in its status line.
class ScaleLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool continuous() const = 0;
    // The link in words, for the status line ("serial /dev/ttyUSB0").
    virtual QString describe() const = 0;
    // Continuous links open their port or connection and begin to follow the scale.
    virtual void start() {}
    virtual void stop() {}
    // Get Weight: asks the scale and returns at once; requestEnded follows when the request is
    // over, with or without a weight. Nothing runs nested meanwhile.
    virtual void requestWeight() { emit requestEnded(); }
    // After a receipt was added: the scale's clear command, where the link has one.
    virtual void clearScale() {}

signals:
    // A reading above 0 that may be stored, as shown ("56.5"); on a continuous link one that
    // has held.
    void weightRead(const QString& shown);
    // A continuous link's reading above 0 that has not held yet: shown, never stored.
    void weightMoving(const QString& shown);
    // A well-formed reading of 0: Add may be armed again. shown is what the weight shows.
    void platformEmpty(const QString& shown);
    // No weight may stand any longer: no fresh reading, no reading at all, the link gone.
    void weightLost();
    // The link's state in words for the status line.
    void stateChanged(const QString& text);
    // Something the operator must be told in a message box.
    void failed(const QString& message);
    // The request that Get Weight started is over.
    void requestEnded();

protected:
    void setState(const QString& state);
    QString stateText(const QString& state) const;
};

// Chooses the link the settings ask for. No link (nullptr) for link 0, and for settings that
// are out of range; problem then names the wrong setting.
struct LinkChoice {
    std::unique_ptr<ScaleLink> link;
    QString problem;
};
LinkChoice createLink(const LinkSettings& settings, QObject* parent);
// Tests put a fake link in place of the real ones; an empty function restores them.
using LinkFactory = std::function<std::unique_ptr<ScaleLink>(const LinkSettings&, QObject*)>;
void setLinkFactory(LinkFactory factory);

} // namespace scale

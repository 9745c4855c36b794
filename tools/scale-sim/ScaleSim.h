#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;

namespace scalesim {

// Pause between the two halves of a reply sent in parts (--split).
constexpr std::chrono::milliseconds kSplitPause{10};
// How late a scale with the fault "late" answers.
constexpr std::chrono::milliseconds kLateBy{1500};
// Time between streamed readings unless --interval says otherwise.
constexpr std::chrono::milliseconds kDefaultInterval{200};
// Shortest interval accepted: a split reading must be out before the next one starts.
constexpr std::chrono::milliseconds kMinInterval{2 * kSplitPause};

// How a scale misbehaves (--fault), for trying a desk against it.
enum class Fault {
    None,
    Late,      // answers each request 1.5 s late
    Noise,     // noise on the line ("x77") before every reading
    Error,     // every second reading is the indicator's error record "ERR 77"
    Cut,       // the tail of a reading before each reading, as a line joined mid-record
    Unframed,  // the network scale on request answers "23.4 g", outside the frame
    NoLineEnd, // readings with no line end
};
// The name of each fault on the command line; empty for none.
QString faultName(Fault fault);
QList<Fault> allFaults();

struct Options {
    enum class Mode { Request, Continuous };
    QString tcpHost;
    quint16 tcpPort = 0;
    QString ptyLink;
    Mode mode = Mode::Request;
    std::chrono::milliseconds interval = kDefaultInterval;
    QList<double> weights{0.0};
    bool readStdin = false;
    bool garbage = false;
    bool split = false;
    Fault fault = Fault::None;
};

// One way out to the desk (a TCP connection or the pseudo-terminal): replies are queued so that
// a reply sent in two parts is never overtaken by the next.
class Outbox : public QObject {
    Q_OBJECT
public:
    Outbox(std::function<void(const QByteArray&)> write, bool split, QObject* parent);
    void send(const QByteArray& reply);

private:
    struct Chunk {
        QByteArray data;
        bool pauseAfter = false;
    };
    void drain();

    std::function<void(const QByteArray&)> m_write;
    bool m_split;
    bool m_paused = false;
    QList<Chunk> m_queue;
};

// What the simulator keeps for one desk connected over TCP; it goes with its socket.
struct TcpPeer : QObject {
    TcpPeer(QTcpSocket* socket, bool split);
    QByteArray input;
    Outbox* out;
    QTimer* stream = nullptr;
};

class ScaleSim : public QObject {
    Q_OBJECT
public:
    explicit ScaleSim(const Options& options, QObject* parent = nullptr);
    ~ScaleSim() override;

    // Starts listening or opens the pseudo-terminal, and says so on standard output.
    // Empty text, or what went wrong.
    QString start();

private:
    QString startTcp();
    QString startPty();
    void startStdin();

    // Replies and readings as the two kinds of scale send them.
    QByteArray framedReply(double weight) const;   // network, on request
    QByteArray plainReading(double weight) const;  // network, continuous
    QByteArray serialReading(double weight) const; // serial, both ways
    QByteArray nextGarbage();
    double nextWeight();

    // Sends one reading, with a malformed one before every second reading under --garbage.
    void sendReading(Outbox& out, const QByteArray& reading);
    void countClear();

    // Takes the commands out of what a link has received; what may still become a command
    // stays for the next arrival.
    void takeTcpCommands(TcpPeer& peer);
    void takeSerialCommands(QByteArray& input, Outbox& out);
    void readPty();
    void readStdin();

    Options m_options;
    int m_nextWeight = 0;
    double m_current = 0.0;
    int m_readingsSent = 0;
    int m_garbageSent = 0;
    int m_clears = 0;

    QTcpServer* m_server = nullptr;
    int m_master = -1;
    int m_slave = -1; // held open, so the master never sees a hang-up while the desk is away
    QSocketNotifier* m_ptyNotifier = nullptr;
    Outbox* m_ptyOut = nullptr;
    QTimer* m_ptyStream = nullptr;
    QByteArray m_ptyInput;
    QSocketNotifier* m_stdinNotifier = nullptr;
    QByteArray m_stdinBuffer;
};

// Reads the command line; empty text, or what is wrong with it.
QString parseWeights(const QString& list, QList<double>& weights);

} // namespace scalesim

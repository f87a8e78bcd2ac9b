#pragma once
// The register's side of the serial line: it owns a pseudo-terminal whose other
// end the program opens as a COM port, reads the program's frames and answers them
// as the register does, with the faults a test or a user asks for.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>

#include "simstate.h"

enum class FaultKind {
    Busy,          // 'A' status 8, param times, before the real answer
    PaperOut,      // 'A' status 2, then the answer unless the PC aborts
    BusyPrinting,  // 'A' status 4, then the answer
    Error,         // error frame with code param
    Status,        // a 10-byte 'A' frame with status param
    NoReply,       // nothing at all
    Truncate,      // the frame short by param bytes (default 1)
    DamageCrc,     // a wrong check byte
    Delay,         // param milliseconds before the answer
    Ack,           // a control frame with status param instead of the answer
};

struct Fault {
    int command = -1;     // the command byte it applies to; -1 any
    int occurrence = 1;   // the n-th matching frame (1-based); 0 every one
    FaultKind kind = FaultKind::NoReply;
    int param = 0;
    int seen = 0;
};

// "T:3:damage", "k:1:error:86", "*:0:delay:500", "0x06:2:truncate:5".
bool ParseFault(const QString& rule, Fault* fault, QString* error);

struct LoggedFrame {
    bool fromPc;
    QByteArray bytes;
};

class RegisterSimulator {
public:
    RegisterSimulator();
    ~RegisterSimulator();

    // Creates the pseudo-terminal and links it as linkPath (replacing a stale link).
    bool Attach(const QString& linkPath, QString* error);
    void Detach();
    QString LinkPath() const { return linkPath_; }
    QString DevicePath() const { return devicePath_; }

    // Serves the line until Stop() is called (from any thread).
    void Run();
    void Stop();
    void Rearm() { stop_ = false; }  // before running again after a Stop()

    // Thread-safe control.
    void SetAddress(int address);
    void SetBaud(int baud);            // 0: unpaced
    void SetCachePackets(int count);
    // A register that stops sending its electronic copy after this many bytes
    // (-1: it sends it all).
    void SetCopyStopAfter(int bytes);
    // A register that needs time to store: for ms after each record it answers
    // a further record busy and takes it once the time is up (0: stores at once).
    void SetStoreTime(int ms);
    void AddFault(const Fault& fault);
    void ClearFaults();
    QList<LoggedFrame> Log() const;
    QList<QByteArray> ReceivedFrames() const;  // frames from the PC, in order
    QByteArray RawReceived() const;            // every byte from the PC, frame or not
    void ClearLog();
    void SetLogFile(const QString& path);
    // Takes bytes as if the PC had sent them (for fuzzing the frame parser);
    // while no line is attached the answers go nowhere.
    void Feed(const QByteArray& bytes);
    // Runs f on the register's state while the line is held.
    void WithState(const std::function<void(SimState&)>& f);

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Pending {
        TimePoint due;
        QByteArray bytes;
        bool cancelOnAbort;
        QByteArray command;  // a command held back (paper out): carried out when due
    };
    // The PC's current programming run: its record command, the low 15 bits of
    // its last frame number and when that frame came.
    struct ProgramRun {
        uint8_t command = 0;
        int last = 0;
        TimePoint at;
    };
    struct Series {
        bool active = false;
        uint8_t command = 0;
        QList<QByteArray> payloads;
        int replyLength = 0;
        int next = 0;
        bool singleFrame = false;
        TimePoint lastSent;
    };

    void Serve(TimePoint now);
    void HandleFrame(const QByteArray& frame);
    void HandleControl(uint8_t status);
    void HandleCommand(const QByteArray& f);
    // Sends the answer, shaped by the fault when there is one.
    void Respond(Fault* fault, const QByteArray& answer);
    // Takes a programming, setting, deletion or report command: 0 when accepted,
    // else the error code the register refuses it with, or one of these.
    static constexpr int kUnknownCommand = -1;  // answered with error 0
    static constexpr int kOutOfOrder = -2;      // answered with control status 2
    int Program(uint8_t command, int length, const QByteArray& f);
    // Carries out a command and gives the answer it earns.
    QByteArray Execute(const QByteArray& f);
    // Whether a record frame keeps to the order of its run; a frame numbered 1, a
    // different record command or a pause of over two seconds starts a new run.
    bool InOrder(uint8_t command, uint16_t frameNumber);
    void EndRun() { run_ = ProgramRun{}; }
    bool StartSeries(uint8_t command, uint16_t argument, uint16_t number);
    void SendSeriesFrame();
    QByteArray Frame(int length, uint16_t number, uint8_t command, const QByteArray& payload) const;
    QByteArray Ack(uint8_t status) const;
    QByteArray Answer(uint8_t status) const;
    QByteArray ErrorFrame(int code) const;
    Fault* MatchFault(uint8_t command);
    void Write(const QByteArray& bytes);
    void Later(int ms, const QByteArray& bytes, bool cancelOnAbort = false, const QByteArray& command = {});
    void Record(bool fromPc, const QByteArray& bytes);
    void StreamCopyChunk();

    mutable std::recursive_mutex mutex_;
    std::atomic<bool> stop_{false};
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    QString linkPath_;
    QString devicePath_;

    SimState state_;
    int address_ = 1;
    int baud_ = 0;
    int cachePackets_ = 8192;
    int storeTimeMs_ = 0;
    TimePoint busyUntil_;
    QList<Fault> faults_;
    QList<LoggedFrame> log_;
    QString logFile_;
    QByteArray in_;
    QByteArray raw_;
    TimePoint frameStarted_;
    std::deque<Pending> pending_;
    Series series_;
    ProgramRun run_;
    QByteArray copyText_;         // electronic copy being streamed
    int copyPos_ = -1;
    int copyStopAfter_ = -1;
};

#pragma once
// The COM port the register hangs on: its settings, opening, writing frames under
// computed time-outs with recovery, draining stale input, the line state and the
// receive buffer. It owns all of its state: others change it through its
// operations and learn what happened from its notifications. It never shows a
// window of its own: messages go through Prompts and the wait for a held line
// through the line-wait hook.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <cstdint>
#include <functional>

#include "link/portsettings.h"
#include "link/transferlog.h"

class Prompts;
class Clock;

class Frame;

// Why a port did not open, as the user is told: `reason` 1 no such device, 2
// settings refused, 3 no permission, 4 held by another program.
QString OpenFailureText(int port, const QString& device, int reason);

class RegisterLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kRxSize = 1024;

    RegisterLink(Prompts& prompts, Clock& clock);
    ~RegisterLink() override;
    RegisterLink(const RegisterLink&) = delete;
    RegisterLink& operator=(const RegisterLink&) = delete;

    // The user's choice: the COM port and its line settings, and the register
    // address every frame carries (unless the frame names its own).
    const PortSettings& Settings() const { return settings_; }
    int Port() const { return settings_.port; }
    uint8_t Address() const { return address_; }
    void SetAddress(uint8_t address) { address_ = address; }
    // Takes these as the user's settings without opening them (an open port is
    // closed first): the settings read at start, or the automatic connection's.
    void UseSettings(const PortSettings& settings);

    // Opens and configures the chosen port: 0, or 1 (the port number becomes 255).
    // With showMessages the failure is reported.
    int OpenRegisterPort(bool showMessages);
    // Opens the port with the given settings and keeps them only when it opened:
    // 0, or 1 with the settings as they were.
    int OpenPort(const PortSettings& wanted, bool showMessages);
    // Why the last open of the user's port failed, as the user is told (empty
    // after one that worked): for those that report it in a text of their own.
    QString LastOpenFailure() const { return openFailure_; }
    void ClosePort();
    // Closes the port and forgets it (no port chosen).
    void Disconnect();
    // A probe opens a port with a copy of the settings: the user's settings are
    // never touched and nobody is told (the port scan, the search, the automatic
    // connection). The user's port, when open, is closed first.
    bool OpenProbe(const PortSettings& probe);
    void CloseProbe();

    bool IsOpen() const { return fd_ >= 0; }
    QString DevicePath() const { return device_; }
    // The port went away since it was last opened.
    bool Lost() const { return lost_; }

    // A transfer a window runs, start to end: within it a lost port is told
    // once, not again at every frame.
    void BeginRun(const QString& name = QString()) {
        if (runDepth_++ == 0) lostTold_ = false;
        if (log_) log_->BeginRun(name);
    }
    void EndRun() {
        if (runDepth_ == 0) return;
        --runDepth_;
        if (log_) log_->EndRun();
    }
    // Where every exchange is noted; none: nothing is noted.
    void SetLog(TransferLog* log) { log_ = log; }
    TransferLog* Log() const { return log_; }

    // Set by the Cancel buttons of long transfers; a run clears it as it starts.
    void RequestCancel() { cancel_ = true; }
    void ClearCancel() { cancel_ = false; }
    bool CancelRequested() const { return cancel_; }

    // Shown while a write is held up by flow control; true when the line cleared,
    // false when the user gave up. Without it a held write counts as given up.
    void SetLineWait(std::function<bool()> wait) { waitForLine_ = std::move(wait); }
    bool HasLineWait() const { return bool(waitForLine_); }

    // The frame with the link's address (or its own), as one write.
    bool Send(const Frame& frame);
    // Mode 1 writes length bytes; mode 0 the zero-terminated text in the buffer,
    // never looking past length bytes. 0 when all was written, 1 otherwise.
    int SendBytes(uint8_t* buffer, int mode, int length);
    // Discards pending input: 0, or 1 when input was still arriving.
    int FlushPort();
    // 1 line error, 2 output held, 0 otherwise.
    int LineState();

    void SetTimeouts(const CommTimeouts& t) { timeouts_ = t; }
    const CommTimeouts& Timeouts() const { return timeouts_; }

    // A read of up to n bytes: its deadline follows the read time-outs in force.
    using Deadline = std::chrono::steady_clock::time_point;
    Deadline ReadDeadline(int n) const;
    // Reads into dst until n bytes are in or the deadline passes; the count read.
    int ReadUntil(uint8_t* dst, int n, Deadline deadline);
    // Up to n bytes under the read time-outs in force.
    QByteArray Read(int n);
    // Bytes waiting at the port, 0 when none or closed.
    int BytesWaiting() const;
    // Takes up to n bytes that are already waiting, without waiting for more.
    QByteArray TakeWaiting(int n);
    // A copy of the receive buffer: the register's bytes since the program last
    // wrote, over what was there before.
    QByteArray LastBytes() const { return QByteArray(reinterpret_cast<const char*>(rx_), kRxSize); }
    // Clears the receive buffer (a search starts with an empty one).
    void ForgetReceived() {
        std::fill(std::begin(rx_), std::end(rx_), uint8_t(0));
        rxAt_ = 0;
    }

    Prompts& prompts() { return prompts_; }
    Clock& clock() { return clock_; }

signals:
    void opened(int port);
    void closed();
    // The port went away (an unplugged adapter, a hung-up line); the port is
    // closed and the user was told.
    void lost(int port);

private:
    // Writes n bytes within totalMs: the count written, or -1 with errno set.
    int WriteWithin(const uint8_t* data, int n, int totalMs);
    int OpenHandle(const PortSettings& wanted);  // 0, or an OpenFailureText reason
    bool Configure();
    void CloseHandle();
    // Closes the port that went away and tells the user once.
    void PortLost();
    const PortSettings& Line() const { return probing_ ? probe_ : settings_; }

    Prompts& prompts_;
    Clock& clock_;
    PortSettings settings_;
    PortSettings probe_;
    bool probing_ = false;
    uint8_t address_ = 1;
    bool cancel_ = false;
    std::function<bool()> waitForLine_;
    TransferLog* log_ = nullptr;
    uint8_t rx_[kRxSize] = {};
    int rxAt_ = 0;  // where the next byte read lands in rx_
    CommTimeouts timeouts_;
    int fd_ = -1;
    bool lost_ = false;
    bool lostTold_ = false;
    int runDepth_ = 0;
    QString device_;
    QString openFailure_;
    bool countersKnown_ = false;
    int counters_[5] = {};
};

// The application state follows the link: the work mode moves with the port
// opened, closed or lost, so no window sets it for the port.
struct AppState;
void FollowLink(RegisterLink& link, AppState& app);

#pragma once
// The COM port the register hangs on: its settings, opening, writing frames under
// computed time-outs with recovery, draining stale input, the line state and the
// receive buffer every reply is read into. It never shows a window of its own:
// messages go through Prompts and the wait for a held line through waitForLine.
#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

#include "link/portsettings.h"

class Prompts;
class Clock;

class RegisterLink {
public:
    static constexpr int kRxSize = 1024;

    RegisterLink(Prompts& prompts, Clock& clock);
    ~RegisterLink();
    RegisterLink(const RegisterLink&) = delete;
    RegisterLink& operator=(const RegisterLink&) = delete;

    PortSettings settings;
    uint8_t registerAddress = 1;
    uint8_t rxBuffer[kRxSize] = {};
    bool cancel = false;  // set by the Cancel buttons of long downloads
    // Shown while a write is held up by flow control; true when the line cleared,
    // false when the user gave up. Without it a held write counts as given up.
    std::function<bool()> waitForLine;

    // Told once when the port is lost (an unplugged adapter, a hung-up line),
    // after the port was closed and the user was told.
    std::function<void()> onLost;
    // The port went away since it was last opened.
    bool Lost() const { return lost_; }

    void BackupSettings() { backup_ = settings; }
    void RestoreSettings() { settings = backup_; }
    const PortSettings& Backup() const { return backup_; }

    // Opens and configures the port of settings.port: 0, or 1 (port number set to
    // 255). With showMessages the failure is reported.
    int OpenRegisterPort(bool showMessages);
    // Opens the port with the given settings and keeps them only when it opened:
    // 0, or 1 with the settings as they were.
    int OpenPort(const PortSettings& wanted, bool showMessages);
    void ClosePort();
    bool IsOpen() const { return fd_ >= 0; }
    QString DevicePath() const { return device_; }

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
    // Reads up to n bytes into rxBuffer + offset under the read time-outs.
    int Read(int n, int offset = 0);
    // Bytes waiting at the port, 0 when none or closed.
    int BytesWaiting() const;

    // What the windows may ask of the last reply read into rxBuffer (they never
    // index it themselves): the register's error code of an error answer, whether
    // the reply began as a frame and was the register's 'A' answer, its payload.
    int LastErrorCode() const { return rxBuffer[8]; }
    bool LastReplyWasFrame() const { return rxBuffer[0] == 0x02; }
    bool LastReplyWasAnswer() const { return rxBuffer[6] == 'A'; }
    // The register's answer that the table asked for has no records.
    bool LastReplyWasEmptyTable() const { return rxBuffer[2] == 10 && rxBuffer[6] == 'A' && rxBuffer[7] == 0x10; }
    // The register's answer to a table or sales request that it has nothing to send.
    bool LastReplyWasNothingToSend() const {
        return rxBuffer[2] == 10 && rxBuffer[6] == 'A' && (rxBuffer[7] == 0x10 || rxBuffer[7] == 0x40);
    }
    QByteArray LastPayload(int n) const {
        return QByteArray(reinterpret_cast<const char*>(rxBuffer) + 7, qBound(0, n, kRxSize - 7));
    }
    void ForgetLastReply() { rxBuffer[0] = 0; }

    Prompts& prompts() { return prompts_; }
    Clock& clock() { return clock_; }

private:
    // Writes n bytes within totalMs: the count written, or -1 with errno set.
    int WriteWithin(const uint8_t* data, int n, int totalMs);
    bool Configure();
    void CloseHandle();
    // Closes the port that went away and tells the user once.
    void PortLost();

    Prompts& prompts_;
    Clock& clock_;
    PortSettings backup_;
    CommTimeouts timeouts_;
    int fd_ = -1;
    bool lost_ = false;
    QString device_;
    bool countersKnown_ = false;
    int counters_[5] = {};
};

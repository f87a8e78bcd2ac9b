#include "link/frames.h"

#include "image/fields.h"

#include <cstring>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/registererrors.h"
#include "link/registerlink.h"

void PrepareFrame(uint8_t* buffer, uint8_t address, int length, uint16_t number, uint8_t command) {
    buffer[0] = kStx;
    buffer[1] = address;
    buffer[2] = uint8_t(length & 0xFF);
    buffer[3] = uint8_t(length >> 8);
    buffer[4] = uint8_t(number & 0xFF);
    buffer[5] = uint8_t(number >> 8);
    buffer[6] = command;
    if (length > 8) std::memset(buffer + 7, 0, size_t(length - 8));
    buffer[length - 1] = kEtx;
}

uint16_t FrameLength(const uint8_t* buffer) { return Word(buffer + 2); }
uint16_t FrameNumber(const uint8_t* buffer) { return Word(buffer + 4); }

uint8_t FrameCrc8(const uint8_t* buffer, int capacity) {
    const uint16_t n = uint16_t(FrameLength(buffer) - 3);
    uint8_t x = 0xFF;
    for (int i = 1; i <= n && i < capacity; ++i) x ^= buffer[i];
    return uint8_t(~x);
}

Frame::Frame(int length, uint16_t number, uint8_t command, const QByteArray& payload)
    : length_(length), number_(number), command_(command), payload_(payload) {}

QByteArray Frame::Bytes(uint8_t linkAddress) const {
    if (!Valid()) return {};
    QByteArray bytes(length_, '\0');
    auto* f = reinterpret_cast<uint8_t*>(bytes.data());
    PrepareFrame(f, address_ >= 0 ? uint8_t(address_) : linkAddress, length_, number_, command_);
    std::memcpy(f + 7, payload_.constData(), size_t(qMin(int(payload_.size()), length_ - 9)));
    f[length_ - 2] = FrameCrc8(f, length_);
    return bytes;
}

Frame ControlFrame(uint8_t status) { return Frame(10, 1, kControlCommand, QByteArray(1, char(status))); }

bool Reply::LastFlag() const {
    return frame.size() >= 6 && (FrameNumber(reinterpret_cast<const uint8_t*>(frame.constData())) & LastFrameFlag);
}

bool Reply::EmptyTable() const {
    return frame.size() >= 8 && uint8_t(frame[2]) == 10 && uint8_t(frame[6]) == kAnswerCommand && frame[7] == 0x10;
}

bool Reply::NothingToSend() const {
    return EmptyTable() ||
           (frame.size() >= 8 && uint8_t(frame[2]) == 10 && uint8_t(frame[6]) == kAnswerCommand && frame[7] == 0x40);
}

namespace {

bool IsAck(const uint8_t* f, uint8_t command, uint8_t status) {
    return f[2] == 10 && f[6] == command && f[7] == status;
}

// Reads a reply of `expected` bytes in stages: the header first; an 'A' answer of
// 10 or 11 bytes (empty table, zero sales, register error) is taken the moment it
// is complete instead of waiting out the time-out for bytes that never come.
int ReadFrame(RegisterLink& link, uint8_t* rx, int expected) {
    expected = qMin(expected, int(RegisterLink::kRxSize));
    const auto deadline = link.ReadDeadline(expected);
    int k = link.ReadUntil(rx, qMin(7, expected), deadline);
    if (k < 7) return k;
    int due = expected;
    const int announced = FrameLength(rx);
    if (rx[6] == kAnswerCommand && (announced == 10 || announced == 11) && announced < expected)
        due = announced;
    return k + link.ReadUntil(rx + k, due - k, deadline);
}

bool SendControl(RegisterLink& link, uint8_t status) { return link.Send(ControlFrame(status)); }

}  // namespace

Reply ReadReply(RegisterLink& link, int length, bool announceEmpty, bool tell) {
    length = qMin(length, int(RegisterLink::kRxSize));
    Prompts& prompts = link.prompts();
    auto say = [&](const QString& text) {
        if (tell) prompts.Message(text);
    };
    uint8_t rx[RegisterLink::kRxSize] = {};
    const int k = ReadFrame(link, rx, length);
    Reply reply;
    reply.frame = QByteArray(reinterpret_cast<const char*>(rx), k);
    auto result = [&](int r) {
        reply.result = r;
        return reply;
    };
    if (k == 10 && rx[6] == kAnswerCommand && rx[7] == 0x10) {
        if (announceEmpty) say(QStringLiteral("Pusta baza."));
        return result(ReplyStop);
    }
    if (k == 10 && rx[6] == kAnswerCommand && rx[7] == 0x40) {
        say(QStringLiteral("Zerowa wartość sprzedaży."));
        return result(ReplyStop);
    }
    if ((k == 11 || k == length) && k > 8 && rx[6] == kAnswerCommand) {
        reply.errorCode = rx[8];
        if (tell) ShowRegisterError(prompts, rx[8]);
        return result(ReplyStop);
    }
    if (k < length) {
        // A lost port has told the user already.
        if (!link.Lost()) say(QStringLiteral("Brak komunikacji."));
        return result(ReplyStop);
    }
    const uint8_t computed = FrameCrc8(rx, length);
    if (computed != rx[length - 2]) {
        // One fault, one message.
        say(QStringLiteral("Błąd CRC!\nCRC kasy: ") + QString::number(rx[length - 2]) + QStringLiteral(" CRC PC: ") +
            QString::number(computed));
        return result(ReplyBadCrc);
    }
    if (FrameNumber(rx) & LastFrameFlag) {
        SendControl(link, ControlComplete);
        return result(ReplyLast);
    }
    if (link.CancelRequested()) {
        SendControl(link, ControlCancelled);
        return result(ReplyLast);
    }
    SendControl(link, ControlNext);
    return result(ReplyRecord);
}

namespace {

// Reads the ten bytes of an acknowledgement. A whole frame of another length
// that comes first (a late data frame of an earlier command) is read by its
// length and dropped, so it is never taken for this command's answer.
int ReadAckBytes(RegisterLink& link, uint8_t* rx) {
    const auto deadline = link.ReadDeadline(10);
    for (;;) {
        const int k = link.ReadUntil(rx, 10, deadline);
        if (k < 10) return k;
        const int announced = FrameLength(rx);
        if (rx[0] != kStx || announced <= 11 || announced > RegisterLink::kRxSize) return k;
        if (link.ReadUntil(rx + 10, announced - 10, deadline) < announced - 10) return 0;
        if (FrameCrc8(rx, announced) != rx[announced - 2] || rx[announced - 1] != kEtx) return 0;
    }
}

// The common part of ReadAck and ReadAckWait; `wait` selects the differences.
int ReadAcknowledgement(RegisterLink& link, bool wait, int* errorCode) {
    uint8_t rx[RegisterLink::kRxSize] = {};
    const int k = ReadAckBytes(link, rx);
    if (k < 10) return AckNoReply;
    if (rx[2] == 10) {
        if (rx[6] == kAnswerCommand && rx[7] == 8) return AckBusy;
        if (IsAck(rx, kControlCommand, 0)) return AckAccepted;
        if (IsAck(rx, kControlCommand, 3)) return AckAcceptedEnd;
        if (rx[6] == kAnswerCommand && rx[7] == 2) {
            // Once the paper is in, the register's own answer is the outcome (a
            // printed report must never be told as lost).
            switch (PaperOutPrompt(link)) {
                case 1: return AckPaperStopped;
                case 0: return AckAccepted;
                case 3: return AckAcceptedEnd;
                default: return AckNoReply;
            }
        }
        if (wait && rx[6] == kAnswerCommand && rx[7] == 4)
            return BusyWait(link) == 1 ? AckAcceptedEnd : AckNoReply;
    }
    if (rx[2] == 11) {
        if (errorCode) *errorCode = rx[8];
        if (wait) {
            // The eleventh byte stays unread; the next FlushPort drains it.
            ShowRegisterError(link.prompts(), rx[8]);
        } else {
            link.Read(1);
        }
        return AckRegisterError;
    }
    if (FrameCrc8(rx, 10) != rx[8]) return AckNoReply;
    if (rx[6] == kControlCommand && rx[7] == 1) return AckRejectedFrame;
    if (rx[6] == kControlCommand && rx[7] == 2) return AckRejectedOrder;
    return AckNoReply;
}

// A 10-byte control frame from the register, or nothing.
bool ReadControl(RegisterLink& link, uint8_t* status) {
    const QByteArray r = link.Read(10);
    if (r.size() < 10 || uint8_t(r[6]) != kControlCommand) return false;
    *status = uint8_t(r[7]);
    return true;
}

}  // namespace

int ReadAck(RegisterLink& link, int* errorCode) { return ReadAcknowledgement(link, false, errorCode); }

int ReadAckWait(RegisterLink& link, int* errorCode) { return ReadAcknowledgement(link, true, errorCode); }

int PaperOutPrompt(RegisterLink& link) {
    const PromptAnswer a = link.prompts().Ask(QStringLiteral("Brak papieru! Kontynuować?"),
                                              PromptButtons::YesNo, PromptIcon::Warning,
                                              QStringLiteral("UWAGA!"));
    if (a != PromptAnswer::Yes) {
        SendUserAbort(link);
        return 1;
    }
    uint8_t status = 0xFF;
    if (ReadControl(link, &status)) {
        if (status == 0) return 0;
        if (status == 3) return 3;
    }
    return 2;
}

int BusyWait(RegisterLink& link) {
    int misses = 0;
    for (;;) {
        link.clock().Sleep(200);
        const QByteArray r = link.Read(10);
        if (r.size() < 10) {
            if (++misses >= 2) return 0;
            continue;
        }
        if (uint8_t(r[6]) == kControlCommand && (r[7] == 0 || r[7] == 3)) return 1;
    }
}

void SendUserAbort(RegisterLink& link) {
    SendControl(link, ControlCancelled);
    link.prompts().Message(QStringLiteral("Komunikacja przerwana przez użytkownika."));
}

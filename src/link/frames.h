#pragma once
// The register's frame: STX, address, 16-bit length L (STX to ETX), 16-bit frame
// number, command byte, payload, check byte, ETX. Replies are classified here.
#include <QByteArray>
#include <cstdint>

class RegisterLink;

constexpr uint8_t kStx = 0x02;
constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kControlCommand = 0x06;
constexpr uint8_t kAnswerCommand = 0x41;  // 'A'
constexpr uint16_t LastFrameFlag = 0x8000;
constexpr uint16_t kSingleFrame = 0x8001;

// Control frame statuses sent by the PC.
enum ControlStatus : uint8_t {
    ControlNext = 0,
    ControlRejected = 1,
    ControlComplete = 3,
    ControlCancelled = 4,
};

// ReadReply results.
enum ReplyResult { ReplyBadCrc = 0, ReplyRecord = 1, ReplyLast = 2, ReplyStop = 3 };

// ReadAck / ReadAckWait results.
enum AckResult {
    AckAccepted = 0,
    AckRejectedFrame = 1,
    AckRejectedOrder = 2,
    AckAcceptedEnd = 3,
    AckNoReply = 4,
    AckRegisterError = 5,
    AckBusy = 6,
    AckPaperStopped = 8,
};

// Writes bytes 0-6, zeroes the payload and the check byte, ETX at L - 1.
void PrepareFrame(uint8_t* buffer, uint8_t address, int length, uint16_t number, uint8_t command);
// XOR of the bytes from the address to the last payload byte, by the length in
// bytes 2-3; never looks past `capacity` bytes whatever that length says.
uint8_t FrameCrc8(const uint8_t* buffer, int capacity = 1024);
uint16_t FrameLength(const uint8_t* buffer);
uint16_t FrameNumber(const uint8_t* buffer);

// A frame as a value: what it carries, and the bytes it becomes on the wire
// (with the link's register address, unless the frame names its own).
class Frame {
public:
    Frame() = default;  // no frame: nothing is sent
    Frame(int length, uint16_t number, uint8_t command, const QByteArray& payload = QByteArray());
    // Sent to this address whatever the link's address is.
    Frame& To(uint8_t address) {
        address_ = address;
        return *this;
    }
    bool Valid() const { return length_ >= 9 && length_ <= 1024; }
    int Length() const { return length_; }
    uint16_t Number() const { return number_; }
    uint8_t Command() const { return command_; }
    const QByteArray& Payload() const { return payload_; }
    // Header, payload from offset 7 (zero-filled to L - 9 bytes), check byte, ETX;
    // empty when the frame is not valid.
    QByteArray Bytes(uint8_t linkAddress) const;

private:
    int length_ = 0;
    uint16_t number_ = 0;
    uint8_t command_ = 0;
    int address_ = -1;
    QByteArray payload_;
};

// The PC's control frame: the status it gives the register's last frame.
Frame ControlFrame(uint8_t status);

// A data frame as read: its ReadReply result and the bytes that came.
struct Reply {
    int result = ReplyStop;
    QByteArray frame;
    int errorCode = 0;  // the register's code when it answered with an error
    // The payload of a frame of the expected length (bytes 7 to L - 2).
    QByteArray Payload() const { return frame.size() > 9 ? frame.mid(7, frame.size() - 9) : QByteArray(); }
    bool LastFlag() const;
    // The register's 'A' answer that it has nothing to send: an empty table, or no sales.
    bool NothingToSend() const;
    bool EmptyTable() const;
};

// Reads one data frame of exactly L bytes and answers it. An empty table is
// announced with "Pusta baza." unless announceEmpty is false; with tell false
// nothing is shown at all and the caller tells the outcome.
Reply ReadReply(RegisterLink& link, int length, bool announceEmpty = true, bool tell = true);
// The 10-byte acknowledgement of a frame just sent (an AckResult); the register's
// code of an error answer goes to errorCode.
int ReadAck(RegisterLink& link, int* errorCode = nullptr);
int ReadAckWait(RegisterLink& link, int* errorCode = nullptr);
int PaperOutPrompt(RegisterLink& link);
int BusyWait(RegisterLink& link);
void SendUserAbort(RegisterLink& link);

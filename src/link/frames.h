#pragma once
// The register's frame: STX, address, 16-bit length L (STX to ETX), 16-bit frame
// number, command byte, payload, check byte, ETX. Replies are classified here.
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

bool SendControlFrame(RegisterLink& link, uint8_t address, uint8_t status);
// Reads one data frame of exactly L bytes into the receive buffer and answers it.
// An empty table is announced with "Pusta baza." unless announceEmpty is false.
int ReadReply(RegisterLink& link, int length, bool announceEmpty = true);
int ReadAck(RegisterLink& link);
int ReadAckWait(RegisterLink& link);
int PaperOutPrompt(RegisterLink& link);
int BusyWait(RegisterLink& link);
void SendUserAbort(RegisterLink& link);

#pragma once
// The one exchange with the register: send a frame and read its answer as a
// value. Every sender goes through here, so every write can say its outcome.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "image/smalltables.h"
#include "link/frames.h"

class RegisterLink;
class WorkImage;

// How the answer is read.
enum class AckStyle {
    Plain,  // a paper-out question is asked; busy is an answer of its own
    Wait,   // also waits out "busy printing", and shows a register error itself
};

struct Exchange {
    bool drain = false;     // stale input is drained before the frame goes out
    bool read = true;       // false: the frame is sent and nothing is read
    AckStyle style = AckStyle::Plain;
    int pauseBefore = 0;    // ms before the first read
    int busyPause = -1;     // ms before reading again after a busy answer; < 0: busy is the answer
    // Told true when the busy pause starts and false when it ends (a window's
    // "busy" label).
    std::function<void(bool)> onBusy;
};

enum class AnswerKind {
    Nothing,        // no frame to send (an empty slot): nothing went out
    NotSent,        // the frame could not be written, the port lost with it (the user was told)
    Sent,           // sent, and nothing was read
    Accepted,
    AcceptedLast,   // accepted, end of run
    Refused,        // the register's error code in errorCode
    NoAnswer,
    PortLost,       // the port went away while the answer was awaited (the user was told)
    Rejected,       // the frame was rejected, or came out of order
    Busy,           // busy, and not read again
    Stopped,        // paper out, and the user stopped
};

struct Answer {
    AnswerKind kind = AnswerKind::Nothing;
    int ack = -1;          // the AckResult of the last read; -1 when nothing was read
    int errorCode = 0;
    bool busySeen = false;  // a busy answer came first
    bool told = false;      // the reader has already shown the register's refusal

    bool Accepted() const { return kind == AnswerKind::Accepted || kind == AnswerKind::AcceptedLast; }
    bool Sent() const { return kind != AnswerKind::Nothing && kind != AnswerKind::NotSent; }
};

// `record` names the record the frame carries in the transfer log.
Answer Transact(RegisterLink& link, const Frame& frame, const Exchange& how = {}, int record = -1);
Answer Transact(RegisterLink& link, const std::optional<Frame>& frame, const Exchange& how = {}, int record = -1);

// The answer as the transfer log words it.
QString AnswerText(AnswerKind kind);
// Notes an exchange in the link's transfer log (when it has one).
void LogExchange(RegisterLink& link, int command, int record, const QString& result, int errorCode = 0);

// A record of the image in its table's frame; Nothing for an empty slot.
Answer TransactRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t frameNumber, int record,
                      uint8_t confirm, const Exchange& how = {});

// The bytes of record n of a numbered table as the image keeps them.
QByteArray StoredRecord(WorkImage& image, RecordTable table, int n);

// How a run paces its record writes: with the fixed waits of the register's own
// software, or (fast) reading each acknowledgement as soon as it comes and
// sending the next record at once. A fast run that meets a busy answer or a
// missing acknowledgement goes on with the fixed waits, so a slow register is
// never pushed. The waits after a busy answer are kept either way.
class WritePacing {
public:
    explicit WritePacing(bool fast = false) : fast_(fast) {}
    bool Fast() const { return fast_ && !fellBack_; }
    // A fixed wait of the default policy; none while fast.
    int Fixed(int ms) const { return Fast() ? 0 : ms; }
    void Saw(const Answer& answer);
    bool FellBack() const { return fellBack_; }

private:
    bool fast_;
    bool fellBack_ = false;
};

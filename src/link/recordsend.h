#pragma once
// One record frame and its answer, the way every editor and synchronization
// window sends a record: forget the last reply, send, optionally pause, read the
// acknowledgement, and on a busy register pause and read once more.
#include <cstdint>
#include <functional>

#include "image/smalltables.h"

class RegisterLink;
class WorkImage;

struct AckReading {
    bool read = true;       // false: the frame is sent and nothing is read
    int pauseBefore = 0;    // ms before the first read
    int busyPause = -1;     // ms before the second read after a busy answer; < 0: no second read
    // Told true when the busy pause starts and false when it ends (a window's
    // "busy" label).
    std::function<void(bool)> onBusy;
};

struct RecordAnswer {
    bool sent = false;  // false: the slot was empty or out of range, nothing went out
    int ack = -1;       // the AckResult of the last read; -1 when nothing was read
    int errorCode = 0;  // the register's code when ack is AckRegisterError
    bool Accepted() const;  // AckAccepted or AckAcceptedEnd
};

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
    void Saw(const struct RecordAnswer& answer, bool busy);
    bool FellBack() const { return fellBack_; }

private:
    bool fast_;
    bool fellBack_ = false;
};

RecordAnswer SendRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t frameNumber,
                        int record, uint8_t confirm, const AckReading& how);

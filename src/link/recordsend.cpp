#include "link/recordsend.h"

#include "common/clock.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"

bool RecordAnswer::Accepted() const { return ack == AckAccepted || ack == AckAcceptedEnd; }

RecordAnswer SendRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t frameNumber,
                        int record, uint8_t confirm, const AckReading& how) {
    RecordAnswer answer;
    // A reply left from an earlier frame must not pass for this one's.
    link.ForgetLastReply();
    answer.sent = SendTableRecord(link, image, table, frameNumber, record, confirm);
    if (!answer.sent || !how.read) return answer;
    if (how.pauseBefore > 0) link.clock().Sleep(how.pauseBefore);
    answer.ack = ReadAck(link);
    if (answer.ack == AckBusy && how.busyPause >= 0) {
        if (how.onBusy) how.onBusy(true);
        link.clock().Sleep(how.busyPause);
        if (how.onBusy) how.onBusy(false);
        answer.ack = ReadAck(link);
    }
    if (answer.ack == AckRegisterError) answer.errorCode = link.LastErrorCode();
    return answer;
}

void WritePacing::Saw(const RecordAnswer& answer, bool busy) {
    if (busy || answer.ack == AckNoReply || answer.ack == AckBusy) fellBack_ = true;
}

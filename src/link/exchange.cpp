#include "link/exchange.h"

#include "common/clock.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/registerlink.h"

namespace {

AnswerKind KindOf(int ack, bool lost) {
    switch (ack) {
        case AckAccepted: return AnswerKind::Accepted;
        case AckAcceptedEnd: return AnswerKind::AcceptedLast;
        case AckRegisterError: return AnswerKind::Refused;
        case AckRejectedFrame:
        case AckRejectedOrder: return AnswerKind::Rejected;
        case AckBusy: return AnswerKind::Busy;
        case AckPaperStopped: return AnswerKind::Stopped;
        default: break;
    }
    return lost ? AnswerKind::PortLost : AnswerKind::NoAnswer;
}

}  // namespace

Answer Transact(RegisterLink& link, const Frame& frame, const Exchange& how) {
    Answer answer;
    if (!frame.Valid()) return answer;
    if (how.drain) link.FlushPort();
    if (!link.Send(frame)) {
        // Nothing to wait for: the link has told the user why.
        answer.kind = AnswerKind::NotSent;
        answer.ack = AckNoReply;
        return answer;
    }
    answer.kind = AnswerKind::Sent;
    if (!how.read) return answer;
    if (how.pauseBefore > 0) link.clock().Sleep(how.pauseBefore);
    int code = 0;
    answer.ack = how.style == AckStyle::Wait ? ReadAckWait(link, &code) : ReadAck(link, &code);
    if (answer.ack == AckBusy && how.busyPause >= 0) {
        answer.busySeen = true;
        if (how.onBusy) how.onBusy(true);
        link.clock().Sleep(how.busyPause);
        if (how.onBusy) how.onBusy(false);
        answer.ack = ReadAck(link, &code);
    }
    answer.kind = KindOf(answer.ack, link.Lost());
    if (answer.kind == AnswerKind::Refused) answer.errorCode = code;
    // The waiting reader shows a refusal itself (unless the second read after
    // a busy answer was the one refused).
    answer.told = answer.kind == AnswerKind::Refused && how.style == AckStyle::Wait && !answer.busySeen;
    return answer;
}

Answer Transact(RegisterLink& link, const std::optional<Frame>& frame, const Exchange& how) {
    return frame ? Transact(link, *frame, how) : Answer{};
}

QByteArray StoredRecord(WorkImage& image, RecordTable table, int n) {
    const layout::Table& area = table == RecordTable::Goods ? layout::kGoods : SmallTableOf(table).area;
    if (!area.Holds(n)) return {};
    return image.ReadBytesAt(area.Offset(n), area.recordSize);
}

Answer TransactRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t frameNumber, int record,
                      uint8_t confirm, const Exchange& how) {
    return Transact(link, RecordFrame(table, frameNumber, record, StoredRecord(image, table, record), confirm), how);
}

void WritePacing::Saw(const Answer& answer) {
    if (answer.busySeen || answer.ack == AckNoReply || answer.ack == AckBusy) fellBack_ = true;
}

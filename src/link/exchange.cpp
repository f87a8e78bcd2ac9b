#include "link/exchange.h"

#include "common/clock.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/portpath.h"
#include "link/registererrors.h"
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

Answer Exchanged(RegisterLink& link, const Frame& frame, const Exchange& how);

}  // namespace

QString AnswerText(AnswerKind kind) {
    switch (kind) {
        case AnswerKind::Nothing: return QStringLiteral("nic do wysłania");
        case AnswerKind::NotSent: return QStringLiteral("nie wysłano");
        case AnswerKind::Sent: return QStringLiteral("wysłano");
        case AnswerKind::Accepted: return QStringLiteral("przyjęty");
        case AnswerKind::AcceptedLast: return QStringLiteral("przyjęty (koniec)");
        case AnswerKind::Refused: return QStringLiteral("odrzucony przez kasę");
        case AnswerKind::NoAnswer: return QStringLiteral("brak odpowiedzi");
        case AnswerKind::PortLost: return QStringLiteral("utrata połączenia");
        case AnswerKind::Rejected: return QStringLiteral("ramka odrzucona");
        case AnswerKind::Busy: return QStringLiteral("kasa zajęta");
        case AnswerKind::Stopped: return QStringLiteral("zatrzymano");
    }
    return QString();
}

void LogExchange(RegisterLink& link, int command, int record, const QString& result, int errorCode) {
    TransferLog* log = link.Log();
    if (!log) return;
    LogEntry e;
    e.time = link.clock().Now();
    e.port = ComPortName(link.Port());
    e.address = link.Address();
    e.command = command;
    e.record = record;
    e.result = result;
    e.errorCode = errorCode;
    if (errorCode) e.error = RegisterErrorText(errorCode);
    log->Add(std::move(e));
}

Answer Transact(RegisterLink& link, const Frame& frame, const Exchange& how, int record) {
    const Answer answer = Exchanged(link, frame, how);
    if (answer.kind != AnswerKind::Nothing)
        LogExchange(link, frame.Command(), record, AnswerText(answer.kind), answer.errorCode);
    return answer;
}

namespace {

Answer Exchanged(RegisterLink& link, const Frame& frame, const Exchange& how) {
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

}  // namespace

Answer Transact(RegisterLink& link, const std::optional<Frame>& frame, const Exchange& how, int record) {
    return frame ? Transact(link, *frame, how, record) : Answer{};
}

QByteArray StoredRecord(WorkImage& image, RecordTable table, int n) {
    const layout::Table& area = table == RecordTable::Goods ? layout::kGoods : SmallTableOf(table).area;
    if (!area.Holds(n)) return {};
    return image.ReadBytesAt(area.Offset(n), area.recordSize);
}

Answer TransactRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t frameNumber, int record,
                      uint8_t confirm, const Exchange& how) {
    return Transact(link, RecordFrame(table, frameNumber, record, StoredRecord(image, table, record), confirm), how,
                    record);
}

void WritePacing::Saw(const Answer& answer) {
    if (answer.busySeen || answer.ack == AckNoReply || answer.ack == AckBusy) fellBack_ = true;
}

#include "sync/tablesync.h"

#include "common/clock.h"
#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "sync/goodsmirror.h"

namespace {
int ByteNumber(const char* record) { return uint8_t(record[0]); }
int WordNumber(const char* record) { return Word(record); }
RegisterTableMirror::NumberOf NumberByWidth(int numberWidth) { return numberWidth == 2 ? WordNumber : ByteNumber; }
}  // namespace

RegisterTableMirror::RegisterTableMirror(int count, int recordSize, int numberWidth)
    : RegisterTableMirror(count, recordSize, NumberByWidth(numberWidth)) {}

RegisterTableMirror::RegisterTableMirror(int count, int recordSize, NumberOf numberOf)
    : slots_(count), size_(recordSize), numberOf_(numberOf), data_(count * recordSize, '\0') {}

void RegisterTableMirror::Clear() { data_.fill('\0'); }

int RegisterTableMirror::Number(const char* record) const { return numberOf_(record); }

bool RegisterTableMirror::Store(const QByteArray& record) {
    if (record.size() < size_) return false;
    const int n = Number(record.constData());
    if (n < 1 || n > slots_) return false;
    data_.replace((n - 1) * size_, size_, record.left(size_));
    return true;
}

bool RegisterTableMirror::Present(int n) const {
    return n >= 1 && n <= slots_ && Number(data_.constData() + (n - 1) * size_) != 0;
}

QByteArray RegisterTableMirror::Record(int n) const {
    if (n < 1 || n > slots_) return QByteArray(size_, '\0');
    return data_.mid((n - 1) * size_, size_);
}

void RegisterTableMirror::Zero(int n) {
    if (n >= 1 && n <= slots_) data_.replace((n - 1) * size_, size_, QByteArray(size_, '\0'));
}

QList<int> RegisterTableMirror::Occupied() const {
    QList<int> out;
    for (int n = 1; n <= slots_; ++n)
        if (Present(n)) out.append(n);
    return out;
}

namespace {

// A small table's member: what its window does differently, as the register's
// own software answers it.
struct SmallMember {
    const SmallTable& table;
    int replyLength;
    int mirrorSlots;
    ListRebuild rebuild;
    WriteNumbering numbering;
    int busyLong, busyShort;  // after a write; the long one when the frame number's low byte is 1
    RunEnd end;
    int endPause;
    QString noun;
    bool copyNeedsPresent;
    QList<CopyPiece> copy;
    bool deleteWaits;         // the first delete answer read with ReadAckWait
    DeleteRefusal deleteRefusal;

    SyncMember Member() const {
        const SmallTable* t = &table;
        const QList<CopyPiece> pieces = copy;
        SyncMember m{table.id,
                     table.command,
                     replyLength,
                     mirrorSlots,
                     1,
                     1,
                     table.nameWidth,
                     rebuild,
                     WriteRules{table.id, numbering, 0, busyLong, busyShort, false, false},
                     DeleteRules{table.id, 1, table.nameWidth, deleteWaits, 800,
                                 deleteRefusal == DeleteRefusal::Stop, deleteRefusal, false},
                     end,
                     endPause,
                     noun,
                     copyNeedsPresent,
                     [t](WorkImage& image) {
                         QList<int> out;
                         for (int n = 1; n <= t->maxNumber; ++n)
                             if (t->Occupied(image, n)) out << n;
                         return out;
                     },
                     [t, pieces](const QByteArray& reg) {
                         QByteArray pc(t->area.recordSize, '\0');
                         for (const CopyPiece& p : pieces)
                             pc.replace(p.pc, p.length, reg.mid(p.reg, p.length).leftJustified(p.length, '\0'));
                         return pc;
                     },
                     t};
        return m;
    }
};

}  // namespace

const SyncMember& SyncMemberOf(RecordTable table) {
    static const SyncMember cashiers =
        SmallMember{kCashierTable, 333, 20, ListRebuild::Always, WriteNumbering::TickedRows, 2300, 1700,
                    RunEnd::MessagePauseRead, 400, QStringLiteral(" kasjerów."), true, {{0, 0, 26}, {26, 224, 7}},
                    false, DeleteRefusal::ShowAndGoOn}
            .Member();
    static const SyncMember discounts =
        SmallMember{kDiscountTable, 45, 20, ListRebuild::UnlessBadCheckByte, WriteNumbering::TickedRows, 1000, 390,
                    RunEnd::MessagePauseRead, 400, QStringLiteral(" rabatów."), false, {{0, 0, 28}}, false,
                    DeleteRefusal::GoOnSilently}
            .Member();
    static const SyncMember payments =
        SmallMember{kPaymentFormTable, 40, 10, ListRebuild::Always, WriteNumbering::PcRows, 1000, 390,
                    RunEnd::PauseMessageRead, 450, QStringLiteral(" form płatnosci."), false, {{0, 0, 22}, {22, 26, 1}},
                    false, DeleteRefusal::GoOnSilently}
            .Member();
    static const SyncMember currencies =
        SmallMember{kCurrencyTable, 51, 10, ListRebuild::OnlyAfterLast, WriteNumbering::PcRows, 1000, 390,
                    RunEnd::MessagePauseRead, 430, QStringLiteral(" walut."), true, {{0, 0, 22}, {22, 26, 8}}, false,
                    DeleteRefusal::GoOnSilently}
            .Member();
    static const SyncMember groups =
        SmallMember{kGroupTable, 35, 20, ListRebuild::Always, WriteNumbering::PcRows, 1000, 450,
                    RunEnd::PauseReadMessage, 430, QStringLiteral(" grup towarowych."), true, {{0, 0, 22}}, false,
                    DeleteRefusal::ShowAndGoOn}
            .Member();
    static const SyncMember packagings =
        SmallMember{kPackagingTable, 75, 20, ListRebuild::Always, WriteNumbering::PcRows, 1000, 450,
                    RunEnd::PauseReadMessage, 1300, QStringLiteral(" opakowań."), true, {{0, 0, 47}, {47, 65, 1}},
                    true, DeleteRefusal::Stop}
            .Member();
    switch (table) {
        case RecordTable::Cashiers: return cashiers;
        case RecordTable::Discounts: return discounts;
        case RecordTable::PaymentForms: return payments;
        case RecordTable::Currencies: return currencies;
        case RecordTable::Packagings: return packagings;
        case RecordTable::Groups: return groups;
        case RecordTable::Goods: return GoodsMember();
    }
    Q_UNREACHABLE();
}

namespace {
// How a member's records name their number.
RegisterTableMirror::NumberOf NumberOfMember(const SyncMember& m) {
    return m.numberOf ? m.numberOf : NumberByWidth(m.numberWidth);
}
}  // namespace

RegisterTableMirror MirrorFor(const SyncMember& m) {
    return RegisterTableMirror(m.mirrorSlots, m.RecordSize(), NumberOfMember(m));
}

QByteArray PcRecord(WorkImage& image, const SyncMember& m, int n) {
    return m.pcRecord ? m.pcRecord(image, n) : StoredRecord(image, m.id, n);
}

bool ReadOutcome::RebuildList(const SyncMember& m) const {
    switch (m.rebuild) {
        case ListRebuild::Always: return true;
        case ListRebuild::UnlessBadCheckByte: return last != ReplyBadCrc;
        case ListRebuild::OnlyAfterLast: return last == ReplyLast;
    }
    return true;
}

ReadOutcome ReadRegisterTable(RegisterLink& link, const SyncMember& m, RegisterTableMirror& mirror,
                              const std::function<void(int)>& progress) {
    return ReadRegisterTable(link, m.command, m.replyLength, mirror, progress);
}

int ReadRecordSeries(RegisterLink& link, const SeriesRequest& request,
                     const std::function<void(const QByteArray&)>& onRecord, bool* complete) {
    link.FlushPort();
    link.Send(RequestFrame(request.frameNumber, request.command, 0));
    int read = 0;
    for (;;) {
        const Reply reply = ReadReply(link, request.replyLength, request.announceEmpty, request.tell);
        const int last = reply.result;
        if (last == ReplyRecord || last == ReplyLast) {
            onRecord(reply.Payload());
            ++read;
        }
        if (last == ReplyBadCrc && request.answerDamaged) link.Send(ControlFrame(ControlRejected));
        if (last != ReplyRecord) {
            // A cancel also ends on ReplyLast; only the register's own last frame
            // (or its "nothing to send") means the whole table came.
            const bool whole = (last == ReplyLast && reply.LastFlag()) || (last == ReplyStop && reply.NothingToSend());
            if (complete) *complete = whole;
            LogExchange(link, request.command, read,
                        (whole ? QStringLiteral("odczytano, rekordów: ") : QStringLiteral("odczyt przerwany, rekordów: ")) +
                            QString::number(read));
            return last;
        }
    }
}

ReadOutcome ReadRegisterTable(RegisterLink& link, const SeriesRequest& request, RegisterTableMirror& mirror,
                              const std::function<void(int)>& progress) {
    ReadOutcome out;
    mirror.Clear();
    out.last = ReadRecordSeries(link, request, [&](const QByteArray& record) {
        if (mirror.Store(record)) ++out.stored;
        else ++out.skipped;  // a number with no slot is never stored
        if (progress) progress(out.stored);
    }, &out.complete);
    return out;
}

QString WriteOutcome::Message(const QString& noun) const {
    return (failed ? QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano ") : QStringLiteral(" Zaprogramowano ")) +
           QString::number(programmed) + noun;
}

WriteOutcome WriteRecords(RegisterLink& link, WorkImage& image, const WriteRules& rules, const QList<TickedRow>& ticked,
                          uint8_t confirm, bool fast, const WriteEvents& events) {
    WriteOutcome out;
    WritePacing pacing(fast);
    link.FlushPort();
    uint16_t frame = 1;
    for (const TickedRow& t : ticked) {
        if (link.CancelRequested() && !rules.cancelSendsLast) break;
        if (rules.numbering == WriteNumbering::PcRows) frame = uint16_t(t.row + 1);
        if (out.done + 1 == ticked.size() || link.CancelRequested()) frame |= LastFrameFlag;
        // Where the number rises per ticked row, the busy pause looks at the
        // number it has already risen to.
        const int tested = rules.numbering == WriteNumbering::TickedRows ? (frame & 0x7FFF) + 1 : frame;
        const Exchange how{false, true, rules.ackStyle, pacing.Fixed(rules.ackPause),
                           (tested & 0xFF) == 1 ? rules.busyLong : rules.busyShort, events.busy};
        const Answer a = rules.frame ? Transact(link, rules.frame(image, frame, t.number, confirm), how, t.number)
                                     : TransactRecord(link, image, rules.table, frame, t.number, confirm, how);
        ++out.done;
        if (rules.numbering == WriteNumbering::TickedRows) frame = uint16_t((frame & 0x7FFF) + 1);
        pacing.Saw(a);
        if (a.Accepted()) ++out.accepted;
        if (a.Accepted()) ++out.programmed;
        if (a.ack == AckRegisterError) ++out.refused;
        if (events.answered) events.answered(t, a);
        if (a.ack == AckAccepted && pacing.Fixed(50)) link.clock().Sleep(pacing.Fixed(50));
        if (!a.Accepted() && a.ack != AckRegisterError) {
            link.FlushPort();
            out.failed = true;
            break;
        }
        if (events.progress) events.progress(out);
        if (a.ack == AckAcceptedEnd && rules.endStops) break;
    }
    return out;
}


DeleteOutcome DeleteRecords(RegisterLink& link, const DeleteRules& rules, RegisterTableMirror& mirror,
                            const QList<int>& numbers, uint8_t confirm, const DeleteEvents& events) {
    DeleteOutcome out;
    link.FlushPort();
    uint16_t frame = 1;
    for (int n : numbers) {
        if (link.CancelRequested() && !rules.cancelSendsLast) break;
        if (out.done + 1 == numbers.size() || link.CancelRequested()) frame |= LastFrameFlag;
        const QByteArray name = mirror.Record(n).mid(rules.nameOffset, rules.nameWidth);
        const Answer a = Transact(link, DeleteFrame(rules.table, frame, n, name, confirm),
                                  Exchange{false, true, rules.firstWaits ? AckStyle::Wait : AckStyle::Plain, 0,
                                           (frame & 0xFF) == 1 ? rules.busyLong : 250, events.busy},
                                  n);
        const int r = a.ack;
        ++out.done;
        frame = uint16_t((frame & 0x7FFF) + 1);
        // Whatever the register took is gone from its list at once.
        if (r == AckAccepted || r == AckAcceptedEnd) {
            mirror.Zero(n);
            ++out.deleted;
        }
        if (events.progress) events.progress(out);
        if (r == AckAccepted) {
            link.clock().Sleep(50);
            continue;
        }
        if (r == AckAcceptedEnd) {
            if (rules.endStops) break;  // ends at once, without the pause
            continue;
        }
        if (r == AckRegisterError) {
            if (rules.refusal == DeleteRefusal::ShowAndGoOn || rules.refusal == DeleteRefusal::ShowAndStop)
                ShowRegisterError(link.prompts(), a.errorCode);
            if (rules.refusal == DeleteRefusal::ShowAndGoOn || rules.refusal == DeleteRefusal::GoOnSilently) continue;
        }
        out.stopped = true;  // a refusal that stops the run, or a failure
        out.stoppedBy = a;
        break;
    }
    return out;
}

QString StoredRecordName(WorkImage& image, const SyncMember& m, int n) {
    if (m.name) return m.name(image, n);
    const QByteArray record = PcRecord(image, m, n);
    if (record.size() < m.nameOffset + m.nameWidth) return QString();
    return FromCp1250Field(record.constData() + m.nameOffset, m.nameWidth);
}

QByteArray PcRecordFromRegister(const SyncMember& m, const QByteArray& reg) { return m.pcRecordFrom(reg); }

QList<int> DifferingRecords(WorkImage& image, const SyncMember& m, const RegisterTableMirror& mirror) {
    QList<int> out;
    for (int n : m.pcNumbers(image)) {
        const QByteArray pc = PcRecord(image, m, n);
        if (!mirror.Present(n) ? !(m.emptyOnPc && m.emptyOnPc(pc)) : m.pcRecordFrom(mirror.Record(n)) != pc) out << n;
    }
    return out;
}

namespace {
const layout::Table& PcArea(const SyncMember& m) { return m.table ? m.table->area : layout::kGoods; }
bool StoreAt(WorkImage& image, const SyncMember& m, int n, const QByteArray& reg) {
    if (m.storePc) return m.storePc(image, n, m.pcRecordFrom(reg));
    const layout::Table& area = PcArea(m);
    if (!area.Holds(n)) return false;
    const QByteArray pc = m.pcRecordFrom(reg);
    return pc.size() == area.recordSize && image.WriteBytesAt(area.Offset(n), pc);
}
}  // namespace

bool StoreInPc(WorkImage& image, const SyncMember& m, const QByteArray& reg) {
    if (reg.size() < std::max(m.numberWidth, 2)) return false;
    const int n = NumberOfMember(m)(reg.constData());
    return StoreAt(image, m, n, reg);
}

int CopyToImage(WorkImage& image, const SyncMember& m, const RegisterTableMirror& mirror, const QList<int>& numbers) {
    int copied = 0;
    for (int n : numbers) {
        if (m.copyNeedsPresent && !mirror.Present(n)) continue;
        if (StoreAt(image, m, n, mirror.Record(n))) ++copied;
    }
    return copied;
}

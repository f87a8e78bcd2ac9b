#pragma once
// Synchronizing one of the small numbered tables between the PC database and the
// register: the register's table kept in a mirror, one description per table of
// how the register answers and how each run goes, and the runs themselves (read
// the register's table, send ticked PC records, delete ticked register records,
// copy ticked register records into the image). No widgets: a run takes a
// snapshot of the ticked numbers, reports progress through a callback and its
// outcome as a value, and stops on the link's cancel flag.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "image/smalltables.h"
#include "link/exchange.h"
#include "link/frames.h"

class RegisterLink;
class WorkImage;

// The register's table as last read: slot n holds record n exactly as received.
class RegisterTableMirror {
public:
    // Record numbers take the first byte, or the first two (goods).
    RegisterTableMirror(int count, int recordSize, int numberWidth = 1);
    // A record whose number is made of several fields (a quick key: its cashier
    // and key); 0 for a record that names no slot.
    using NumberOf = int (*)(const char* record);
    RegisterTableMirror(int count, int recordSize, NumberOf numberOf);
    void Clear();
    // Keeps a received record in the slot its number names; false (nothing
    // kept) for a short record or a number outside the slots.
    bool Store(const QByteArray& record);
    bool Present(int n) const;
    QByteArray Record(int n) const;  // zeros for an empty or unknown slot
    void Zero(int n);
    QList<int> Occupied() const;
    int Slots() const { return slots_; }
    int RecordSize() const { return size_; }

protected:
    int Number(const char* record) const;
    int slots_;
    int size_;
    NumberOf numberOf_;
    QByteArray data_;
};

// A run of register record bytes copied into the PC record.
struct CopyPiece {
    int pc;
    int reg;
    int length;
};

enum class ListRebuild { Always, UnlessBadCheckByte, OnlyAfterLast };
// Frame numbers of a write run: rising per ticked row (right after its first
// acknowledgement) or per row of the PC list.
enum class WriteNumbering { TickedRows, PcRows };
enum class RunEnd { MessagePauseRead, PauseMessageRead, PauseReadMessage };
// What a delete run does after the register refuses a record.
enum class DeleteRefusal { ShowAndGoOn, GoOnSilently, Stop, ShowAndStop };

// How a write run goes for one table.
struct WriteRules {
    RecordTable table;
    WriteNumbering numbering;
    int ackPause;            // fixed wait before the acknowledgement is read
    int busyLong, busyShort;  // the long one when the frame number's low byte is 1
    bool endStops;           // "accepted, end of run" ends the run
    // A cancel marks the next record as the last frame, so the register itself
    // closes the run; otherwise the run stops before the next record.
    bool cancelSendsLast;
    AckStyle ackStyle = AckStyle::Plain;
    // The frame of a record outside the numbered tables (a quick key): built
    // from its PC record; none: the table's record frame.
    std::function<std::optional<Frame>(WorkImage&, uint16_t frame, int n, uint8_t confirm)> frame = {};
};

// How a delete run goes for one table.
struct DeleteRules {
    RecordTable table;
    int nameOffset, nameWidth;  // the name sent along, from the register's record
    bool firstWaits;         // the first answer read with ReadAckWait
    int busyLong;            // pause after busy when the frame number's low byte is 1 (else 250)
    bool endStops;           // "accepted, end of run" ends the run
    DeleteRefusal refusal;
    bool cancelSendsLast;
};

// One table of the synchronization family: how the register sends and takes its
// records, and what stands for them on the PC. The six small tables and the
// goods are each one of these.
struct SyncMember {
    RecordTable id;
    uint8_t command;         // the table request's command byte
    int replyLength;         // the register's record is the reply's payload
    int mirrorSlots;
    int numberWidth;         // bytes of the record number: 1, or 2 for goods
    int nameOffset;          // the name in the register's record
    int nameWidth;
    ListRebuild rebuild;
    WriteRules writing;
    DeleteRules deleting;
    RunEnd end;
    int endPause;
    QString noun;            // " kasjerów."
    bool copyNeedsPresent;
    // The PC records the window lists, in order.
    std::function<QList<int>(WorkImage&)> pcNumbers;
    // The PC record a register record stands for; empty when it stands for none.
    std::function<QByteArray(const QByteArray& registerRecord)> pcRecordFrom;
    const SmallTable* table = nullptr;  // the small table; none for goods
    // The register's record once it has taken a PC record (the register's own
    // counters kept from `previous`): with it, a clean write updates the mirror
    // instead of reading the whole table back. None: the table is read again.
    std::function<QByteArray(const QByteArray& pc, const QByteArray& previous)> registerFrom = {};
    // A member whose records are not one of the numbered tables (the quick keys)
    // reads and writes its PC records and numbers its register records itself;
    // its `id` is then never used.
    std::function<QByteArray(WorkImage&, int n)> pcRecord = {};
    std::function<bool(WorkImage&, int n, const QByteArray& pc)> storePc = {};
    RegisterTableMirror::NumberOf numberOf = nullptr;
    // A PC record the register need not hold (an empty key): no difference when
    // the register lacks it.
    std::function<bool(const QByteArray& pc)> emptyOnPc = {};
    // The name of PC record n where the record carries none at nameOffset.
    std::function<QString(WorkImage&, int n)> name = {};
    int RecordSize() const { return replyLength - 9; }
};

// PC record n of a member as the image keeps it.
QByteArray PcRecord(WorkImage& image, const SyncMember& member, int n);

// The member of each numbered table: the six small tables and the goods.
const SyncMember& SyncMemberOf(RecordTable table);

struct ReadOutcome {
    int last = 0;      // the last ReadReply result
    int stored = 0;
    int skipped = 0;   // records whose number has no slot
    // The register sent its last record, or said it has none: what was read is
    // the whole table (not cut off by a fault or a cancel).
    bool complete = false;
    bool RebuildList(const SyncMember& m) const;
};
// How the register is asked for a series of records.
struct SeriesRequest {
    uint8_t command;
    int replyLength;             // each record's frame; the record is its payload
    uint16_t frameNumber = 1;    // of the request
    bool answerDamaged = true;   // a damaged frame is answered "rejected" before the read ends
    bool announceEmpty = true;   // "Pusta baza." when the register has no records
    bool tell = true;            // false: nothing shown, the caller tells the outcome
};
// Sends the request and reads its records until the last one, a failure or a
// cancel; each record's payload (replyLength - 9 bytes) goes to onRecord. The
// last ReadReply result.
int ReadRecordSeries(RegisterLink& link, const SeriesRequest& request,
                     const std::function<void(const QByteArray& payload)>& onRecord, bool* complete = nullptr);
// Clears the mirror and reads the register's table into it: the table request
// with its command byte, then its records of replyLength bytes.
ReadOutcome ReadRegisterTable(RegisterLink& link, const SeriesRequest& request, RegisterTableMirror& mirror,
                              const std::function<void(int stored)>& progress = {});
inline ReadOutcome ReadRegisterTable(RegisterLink& link, uint8_t command, int replyLength, RegisterTableMirror& mirror,
                                     const std::function<void(int stored)>& progress = {}) {
    return ReadRegisterTable(link, SeriesRequest{command, replyLength}, mirror, progress);
}
ReadOutcome ReadRegisterTable(RegisterLink& link, const SyncMember& member, RegisterTableMirror& mirror,
                              const std::function<void(int stored)>& progress = {});
// The mirror a member's table needs.
RegisterTableMirror MirrorFor(const SyncMember& member);

// A ticked PC row: its place in the PC list (0-based) and its record number.
struct TickedRow {
    int row;
    int number;
};
struct WriteOutcome {
    int done = 0;           // records sent
    int accepted = 0;
    int programmed = 0;     // as the table's rules count it
    bool failed = false;    // a transmission failure ended the run
    int refused = 0;        // records the register refused with an error code
    // " Zaprogramowano 3 kasjerów.", or after a failure "Wystąpił błąd
    // transmisji. Zaprogramowano 0 kasjerów."
    QString Message(const QString& noun) const;
    QString Message(const SyncMember& m) const { return Message(m.noun); }
};
// What a window hears during a run: progress after each record (where it lets
// its cancel be pressed), the busy pause starting and ending, each answer.
struct WriteEvents {
    std::function<void(const WriteOutcome& sofar)> progress;
    std::function<void(bool)> busy;
    std::function<void(const TickedRow&, const Answer&)> answered;
};
WriteOutcome WriteRecords(RegisterLink& link, WorkImage& image, const WriteRules& rules,
                          const QList<TickedRow>& ticked, uint8_t confirm, bool fast, const WriteEvents& events = {});
inline WriteOutcome WriteRecords(RegisterLink& link, WorkImage& image, const SyncMember& member,
                                 const QList<TickedRow>& ticked, uint8_t confirm,
                                 const std::function<void(int done)>& progress = {}, bool fast = false) {
    WriteEvents e;
    if (progress) e.progress = [&](const WriteOutcome& o) { progress(o.done); };
    return WriteRecords(link, image, member.writing, ticked, confirm, fast, e);
}

struct DeleteOutcome {
    int done = 0;           // records sent
    int deleted = 0;
    bool stopped = false;   // the run ended early on a refusal or a failure
    Answer stoppedBy;       // the answer that ended it so
};
struct DeleteEvents {
    std::function<void(const DeleteOutcome& sofar)> progress;
    std::function<void(bool)> busy;
};
DeleteOutcome DeleteRecords(RegisterLink& link, const DeleteRules& rules, RegisterTableMirror& mirror,
                            const QList<int>& numbers, uint8_t confirm, const DeleteEvents& events = {});
inline DeleteOutcome DeleteRecords(RegisterLink& link, const SyncMember& member, RegisterTableMirror& mirror,
                                   const QList<int>& numbers, uint8_t confirm,
                                   const std::function<void(int done)>& progress = {}) {
    DeleteEvents e;
    if (progress) e.progress = [&](const DeleteOutcome& o) { progress(o.done); };
    return DeleteRecords(link, member.deleting, mirror, numbers, confirm, e);
}

// The PC record a register record stands for, through the member's copy map.
QByteArray PcRecordFromRegister(const SyncMember& member, const QByteArray& registerRecord);
// The PC records (of those the window lists) that the register lacks or holds
// differently; the register's own counters never count as a difference.
QList<int> DifferingRecords(WorkImage& image, const SyncMember& member, const RegisterTableMirror& mirror);

// The name of PC record n as the register's record carries it.
QString StoredRecordName(WorkImage& image, const SyncMember& member, int n);

// A register record stored in the PC slot its own number names; false when it
// names none.
bool StoreInPc(WorkImage& image, const SyncMember& member, const QByteArray& registerRecord);
// Copies the ticked register records into their PC slots; how many were copied.
int CopyToImage(WorkImage& image, const SyncMember& member, const RegisterTableMirror& mirror,
                const QList<int>& numbers);

#include "copy/registercopy.h"

#include "common/clock.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/smalltables.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/exchange.h"
#include "link/registerlink.h"
#include "sync/tablesync.h"
#include "tables/settingvalues.h"

namespace {

constexpr int kCashiersWithKeys = 10;
constexpr int kKeysPerCashier = 10;
// A busy register is given this long before its answer is read once more.
constexpr int kBusyPause = 1000;

// What one table of the PC-to-register copy is, and how its records go out.
enum class SendKind { Records, VatTable, QuickKeys };
struct SendStep {
    ImageEntry entry;
    SendKind kind;
    RecordTable table;  // for Records
};
// The register's order: packagings and groups before the goods that name them.
constexpr SendStep kSendOrder[] = {
    {ImageEntry::Vat, SendKind::VatTable, RecordTable::Goods},
    {ImageEntry::Packagings, SendKind::Records, RecordTable::Packagings},
    {ImageEntry::Groups, SendKind::Records, RecordTable::Groups},
    {ImageEntry::Goods, SendKind::Records, RecordTable::Goods},
    {ImageEntry::Discounts, SendKind::Records, RecordTable::Discounts},
    {ImageEntry::Cashiers, SendKind::Records, RecordTable::Cashiers},
    {ImageEntry::PaymentForms, SendKind::Records, RecordTable::PaymentForms},
    {ImageEntry::Currencies, SendKind::Records, RecordTable::Currencies},
    {ImageEntry::QuickKeys, SendKind::QuickKeys, RecordTable::Goods},
};

bool Ticked(const QList<bool>& ticks, int entry) { return entry >= 0 && entry < ticks.size() && ticks[entry]; }
bool Ticked(const QList<bool>& ticks, ImageEntry e) { return Ticked(ticks, int(e)); }
bool Ticked(const QList<bool>& ticks, RegisterEntry e) { return Ticked(ticks, int(e)); }

// The used slots of a table, in number order.
QList<int> UsedRecords(WorkImage& image, RecordTable table) {
    return table == RecordTable::Goods ? OccupiedGoods(image) : OccupiedSlots(image, SmallTableOf(table));
}

int StepRecords(WorkImage& image, const SendStep& step) {
    switch (step.kind) {
        case SendKind::Records: return int(UsedRecords(image, step.table).size());
        case SendKind::VatTable: return 1;
        case SendKind::QuickKeys: return kCashiersWithKeys * kKeysPerCashier;
    }
    return 0;
}

// Each frame's acknowledgement, read once more after a busy answer.
const Exchange kCopyExchange{false, true, AckStyle::Plain, 0, kBusyPause, {}};

bool TransmissionFailed(int ack) {
    return ack == AckRejectedFrame || ack == AckRejectedOrder || ack == AckNoReply;
}

}  // namespace

QStringList ImageEntryNames() {
    return {QStringLiteral("Baza towarów"),        QStringLiteral("Baza rabatów i narzutów"),
            QStringLiteral("Baza kasjerów"),       QStringLiteral("Baza form płatności"),
            QStringLiteral("Baza walut obcych"),   QStringLiteral("Baza stawek PTU"),
            QStringLiteral("Baza opakowań"),       QStringLiteral("Baza grup towarowych"),
            QStringLiteral("Baza klawiszy szybkich"), QStringLiteral("Zestaw raportów")};
}

bool ImageEntrySendable(ImageEntry entry) { return entry != ImageEntry::ReportSet; }

int RecordsToSend(WorkImage& image, const QList<bool>& ticks) {
    int total = 0;
    for (const SendStep& step : kSendOrder)
        if (Ticked(ticks, step.entry)) total += StepRecords(image, step);
    return total;
}

ToRegisterOutcome CopyImageToRegister(RegisterLink& link, WorkImage& image, const QList<bool>& ticks,
                                      const std::function<void(const CopyProgress&)>& progress) {
    ToRegisterOutcome out;
    out.total = RecordsToSend(image, ticks);
    const QStringList names = ImageEntryNames();
    CopyProgress p{0, out.total, {}};
    // Every frame's answer decides whether the run goes on; false stops it.
    auto answered = [&](const Answer& a, ImageEntry entry, int number) {
        const int ack = a.ack;
        ++out.sent;
        if (ack == AckRegisterError) {
            ++out.refused;
            out.refusedRecords << RefusedRecord{entry, number, a.errorCode};
        }
        p.done = out.sent;
        if (progress) progress(p);
        if (TransmissionFailed(ack)) {
            out.failed = true;
            return false;
        }
        if (link.CancelRequested()) {
            out.cancelled = true;
            return false;
        }
        return true;
    };
    link.FlushPort();
    for (const SendStep& step : kSendOrder) {
        if (!Ticked(ticks, step.entry)) continue;
        p.table = names[int(step.entry)];
        if (progress) progress(p);
        switch (step.kind) {
            case SendKind::VatTable: {
                const QByteArray vat = image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize);
                if (!answered(Transact(link, VatRatesFrame(vat, 0), kCopyExchange), step.entry, 0)) return out;
                break;
            }
            case SendKind::Records:
                for (int n : UsedRecords(image, step.table)) {
                    const Answer a = TransactRecord(link, image, step.table, 1, n, 0, kCopyExchange);
                    if (!answered(a, step.entry, n)) return out;
                }
                break;
            case SendKind::QuickKeys:
                // Each key is a transfer of its own, as the key editor sends one key.
                for (int c = 1; c <= kCashiersWithKeys; ++c) {
                    for (int k = 1; k <= kKeysPerCashier; ++k) {
                        const QByteArray key =
                            image.ReadBytesAt(layout::QuickKeyOffset(c, k), layout::kQuickKeySize);
                        if (!answered(Transact(link, QuickKeyFrame(kSingleFrame, c, k, key, 0), kCopyExchange,
                                               c * 100 + k),
                                      step.entry, c * 100 + k))
                            return out;
                    }
                }
                break;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------

namespace {

// One request of the register-to-PC copy: the table it reads, the request and
// where each record goes in the image (false: the record was not stored).
struct ReadStep {
    int entry;  // RegisterEntry, or -1 for what every copy reads
    QString table;
    SeriesRequest request;
    std::function<bool(WorkImage&, const QByteArray&, QStringList& units)> store;
};

QList<ReadStep> ReadOrder() {
    const QStringList names = RegisterEntryNames();
    auto name = [&](RegisterEntry e) { return names[int(e)]; };
    // Each table through its synchronization member's copy.
    auto table = [&](RegisterEntry e, RecordTable id) {
        const SyncMember& m = SyncMemberOf(id);
        return ReadStep{int(e), name(e), SeriesRequest{m.command, m.replyLength},
                        [&m](WorkImage& image, const QByteArray& record, QStringList&) {
                            return StoreInPc(image, m, record);
                        }};
    };
    return {
        {int(RegisterEntry::Vat), name(RegisterEntry::Vat), SeriesRequest{'P', 30},
         [](WorkImage& image, const QByteArray& r, QStringList&) {
             return image.WriteBytesAt(layout::kVatTable, r.left(layout::kVatTableSize));
         }},
        table(RegisterEntry::Packagings, RecordTable::Packagings),
        table(RegisterEntry::Groups, RecordTable::Groups),
        table(RegisterEntry::Goods, RecordTable::Goods),
        table(RegisterEntry::Discounts, RecordTable::Discounts),
        table(RegisterEntry::Cashiers, RecordTable::Cashiers),
        table(RegisterEntry::PaymentForms, RecordTable::PaymentForms),
        table(RegisterEntry::Currencies, RecordTable::Currencies),
        {-1, QStringLiteral("Nagłówek paragonu"), SeriesRequest{'N', 268, kSingleFrame},
         [](WorkImage& image, const QByteArray& r, QStringList&) {
             return image.WriteBytesAt(layout::kHeader, r.left(layout::kHeaderSize));
         }},
        {-1, QStringLiteral("Jednostki towarowe"), SeriesRequest{'J', 18, kSingleFrame},
         [](WorkImage&, const QByteArray& r, QStringList& units) {
             units = GoodsUnitsFromReply(r);
             return true;
         }},
        {-1, QStringLiteral("Baza klawiszy szybkich"), SeriesRequest{'S', 43},
         [](WorkImage& image, const QByteArray& r, QStringList&) {
             const int c = uint8_t(r.at(layout::quickkey::kCashier));
             const int k = uint8_t(r.at(layout::quickkey::kKey));
             if (c < 1 || c > kCashiersWithKeys || k < 1 || k > kKeysPerCashier) return false;
             return image.WriteBytesAt(layout::QuickKeyOffset(c, k), r.left(layout::kQuickKeySize));
         }},
    };
}

}  // namespace

QStringList RegisterEntryNames() {
    return {QStringLiteral("Baza grup towarowych"), QStringLiteral("Baza opakowań"),
            QStringLiteral("Baza towarów"),         QStringLiteral("Baza kasjerów"),
            QStringLiteral("Baza rabatów i narzutów"), QStringLiteral("Baza form płatności"),
            QStringLiteral("Baza walut obcych"),    QStringLiteral("Baza stawek PTU")};
}

bool GoodsLackTheirTables(const QList<bool>& t) {
    return Ticked(t, RegisterEntry::Goods) &&
           !(Ticked(t, RegisterEntry::Vat) && Ticked(t, RegisterEntry::Packagings) && Ticked(t, RegisterEntry::Groups));
}

void TickGoodsTables(QList<bool>& ticks) {
    ticks.resize(kRegisterEntries);
    for (RegisterEntry e : {RegisterEntry::Vat, RegisterEntry::Packagings, RegisterEntry::Groups}) ticks[int(e)] = true;
}

QString FromRegisterOutcome::Summary() const {
    QString text = failed ? QStringLiteral("Kopiowanie danych z kasy nie zostało ukończone. Skopiowano:")
                 : cancelled ? QStringLiteral("Kopiowanie danych z kasy przerwane. Skopiowano:")
                             : QStringLiteral("Skopiowano z kasy:");
    for (const TableRead& t : tables) text += QStringLiteral("\n%1: %2").arg(t.table).arg(t.records);
    return text;
}

FromRegisterOutcome CopyRegisterToImage(RegisterLink& link, WorkImage& image, const QList<bool>& ticks,
                                        const std::function<void(const CopyProgress&)>& progress) {
    FromRegisterOutcome out;
    int done = 0;
    for (const ReadStep& step : ReadOrder()) {
        if (step.entry >= 0 && !Ticked(ticks, step.entry)) continue;
        TableRead read{step.table, 0, false};
        CopyProgress p{done, 0, step.table};
        if (progress) progress(p);
        SeriesRequest request = step.request;
        request.announceEmpty = false;  // an empty table is a table with no records, not a fault
        bool whole = false;
        const int last = ReadRecordSeries(link, request, [&](const QByteArray& record) {
            if (step.store(image, record, out.units)) ++read.records;
            p.done = ++done;
            if (progress) progress(p);
        }, &whole);
        read.complete = last == ReplyLast || whole;
        out.tables << read;
        if (link.CancelRequested()) {
            out.cancelled = true;
            break;
        }
        if (!read.complete) {
            out.failed = true;
            break;
        }
    }
    return out;
}

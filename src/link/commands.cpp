#include "link/commands.h"

#include <cstring>

#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/frames.h"
#include "link/registerlink.h"

namespace {

// A little-endian payload built field by field.
class Payload {
public:
    Payload& Byte(int v) { bytes_.append(char(v & 0xFF)); return *this; }
    Payload& Word(int v) { return Byte(v).Byte(v >> 8); }
    Payload& Long(uint32_t v) { return Word(int(v & 0xFFFF)).Word(int(v >> 16)); }
    Payload& Fill(int value, int count) { bytes_.append(count, char(value)); return *this; }
    Payload& Bytes(const QByteArray& b) { bytes_.append(b); return *this; }
    // Text cut or 0x00-filled to exactly width bytes.
    Payload& Field(const QByteArray& b, int width) {
        const QByteArray cut = b.left(width);
        bytes_.append(cut).append(width - cut.size(), '\0');
        return *this;
    }
    operator QByteArray() const { return bytes_; }

private:
    QByteArray bytes_;
};

struct RecordCommand {
    uint8_t command;
    uint8_t deleteCommand;
    const layout::Table* table;
    int sentBytes;      // record bytes carried by the programming frame
    bool wideNumber;    // goods numbers are 16-bit
    int deleteLength;
    int deleteNameArea;
    bool deleteConfirm;
};

const RecordCommand& Describe(RecordTable t) {
    using namespace layout;
    static const RecordCommand goods{'T', '0', &kGoods, 68, true, 54, 42, true};
    static const RecordCommand discounts{'R', '1', &kDiscounts, 28, false, 32, 21, true};
    static const RecordCommand cashiers{'K', '2', &kCashiers, 33, false, 26, 16, false};
    static const RecordCommand payments{'F', '3', &kPaymentForms, 23, false, 33, 22, true};
    static const RecordCommand currencies{'W', '4', &kCurrencies, 30, false, 33, 23, false};
    static const RecordCommand packagings{'Z', '5', &kPackagings, 48, false, 53, 43, false};
    // A group frame carries the number and the first 20 name characters only.
    static const RecordCommand groups{'G', '6', &kGroups, 21, false, 31, 21, false};
    switch (t) {
        case RecordTable::Goods: return goods;
        case RecordTable::Discounts: return discounts;
        case RecordTable::Cashiers: return cashiers;
        case RecordTable::PaymentForms: return payments;
        case RecordTable::Currencies: return currencies;
        case RecordTable::Packagings: return packagings;
        case RecordTable::Groups: break;
    }
    return groups;
}

bool Send(RegisterLink& link, int length, uint16_t number, uint8_t command, const QByteArray& payload) {
    return SendFrame(link, link.registerAddress, length, number, command, payload);
}

}  // namespace

bool SendFrame(RegisterLink& link, uint8_t address, int length, uint16_t number, uint8_t command,
               const QByteArray& payload) {
    if (length < 9 || length > RegisterLink::kRxSize) return false;
    uint8_t frame[RegisterLink::kRxSize];
    PrepareFrame(frame, address, length, number, command);
    std::memcpy(frame + 7, payload.constData(), size_t(qMin(int(payload.size()), length - 9)));
    frame[length - 2] = FrameCrc8(frame, length);
    return link.SendBytes(frame, 1, length) == 0;
}

bool SendTableRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t number,
                     int record, uint8_t confirm) {
    const RecordCommand& c = Describe(table);
    if (!c.table->Holds(record)) return false;
    const QByteArray rec = image.ReadBytesAt(c.table->Offset(record), c.table->recordSize);
    const int stored = c.wideNumber ? Word(rec.constData()) : uint8_t(rec[0]);
    if (stored == 0) return false;  // an empty slot is never sent
    const int numberWidth = c.wideNumber ? 2 : 1;
    Payload p;
    if (c.wideNumber) p.Word(record);
    else p.Byte(record);
    p.Bytes(rec.mid(numberWidth, c.sentBytes - numberWidth)).Byte(confirm);
    Send(link, 7 + c.sentBytes + 1 + 2, number, c.command, p);
    return true;
}

bool SendGoodsRecord(RegisterLink& l, WorkImage& i, uint16_t number, int goods, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Goods, number, goods, confirm);
}
bool SendDiscountRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Discounts, number, n, confirm);
}
bool SendCashierRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Cashiers, number, n, confirm);
}
bool SendPaymentFormRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::PaymentForms, number, n, confirm);
}
bool SendCurrencyRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Currencies, number, n, confirm);
}
bool SendPackagingRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Packagings, number, n, confirm);
}
bool SendGroupRecord(RegisterLink& l, WorkImage& i, uint16_t number, int n, uint8_t confirm) {
    return SendTableRecord(l, i, RecordTable::Groups, number, n, confirm);
}

bool SendVatRates(RegisterLink& link, WorkImage& image, uint8_t confirm) {
    Send(link, 31, kSingleFrame, 'P',
         Payload().Bytes(image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize)).Byte(confirm));
    return true;
}

bool SendHeader(RegisterLink& link, WorkImage& image) {
    return Send(link, 268, kSingleFrame, 'N', image.ReadBytesAt(layout::kHeader, layout::kHeaderSize));
}

bool SendFooter(RegisterLink& link, WorkImage& image, uint8_t confirm) {
    return Send(link, 140, kSingleFrame, 'D',
                Payload().Bytes(image.ReadBytesAt(layout::kFooter, layout::kFooterSize)).Byte(confirm));
}

bool SendHaloTable(RegisterLink& link, WorkImage& image) {
    // Entry 0 is never sent.
    Send(link, 45, kSingleFrame, 'L', image.ReadBytesAt(layout::kHalo + 4, 36));
    return true;
}

bool SendQuickKey(RegisterLink& link, WorkImage& image, uint16_t number, int cashier, int key,
                  uint8_t confirm) {
    if (cashier < 1 || cashier > 10 || key < 1 || key > 10) return false;
    const QByteArray rec = image.ReadBytesAt(layout::QuickKeyOffset(cashier, key), layout::kQuickKeySize);
    Send(link, 44, number, 'S', Payload().Byte(cashier).Byte(key).Bytes(rec.mid(2)).Byte(confirm));
    return true;
}

bool SendRequest(RegisterLink& link, uint8_t address, uint16_t number, uint8_t command, uint16_t argument) {
    return SendFrame(link, address, 11, number, command, Payload().Word(argument));
}

bool SendDeleteRecord(RegisterLink& link, RecordTable table, uint16_t number, int record,
                      const QByteArray& name, uint8_t confirm) {
    const RecordCommand& c = Describe(table);
    if (!c.table->Holds(record)) return false;
    Payload p;
    if (c.wideNumber) p.Word(record);
    else p.Byte(record);
    p.Field(name, c.deleteNameArea);
    if (c.deleteConfirm) p.Byte(confirm);
    return Send(link, c.deleteLength, number, c.deleteCommand, p);
}

bool SendDeleteGoods(RegisterLink& l, uint16_t number, int goods, const QByteArray& name, uint8_t confirm) {
    return SendDeleteRecord(l, RecordTable::Goods, number, goods, name, confirm);
}
bool SendDeleteDiscount(RegisterLink& l, uint16_t number, int n, const QByteArray& name, uint8_t confirm) {
    return SendDeleteRecord(l, RecordTable::Discounts, number, n, name, confirm);
}
bool SendDeleteCashier(RegisterLink& l, uint16_t number, int n, const QByteArray& name) {
    return SendDeleteRecord(l, RecordTable::Cashiers, number, n, name, 0);
}
bool SendDeletePaymentForm(RegisterLink& l, uint16_t number, int n, const QByteArray& name, uint8_t confirm) {
    return SendDeleteRecord(l, RecordTable::PaymentForms, number, n, name, confirm);
}
bool SendDeleteCurrency(RegisterLink& l, uint16_t number, int n, const QByteArray& name) {
    return SendDeleteRecord(l, RecordTable::Currencies, number, n, name, 0);
}
bool SendDeletePackaging(RegisterLink& l, uint16_t number, int n, const QByteArray& name) {
    return SendDeleteRecord(l, RecordTable::Packagings, number, n, name, 0);
}
bool SendDeleteGroup(RegisterLink& l, uint16_t number, int n, const QByteArray& name) {
    return SendDeleteRecord(l, RecordTable::Groups, number, n, name, 0);
}

bool SendPeriodicReportMonthly(RegisterLink& link, uint8_t kind, int year, int month) {
    return Send(link, 19, kSingleFrame, 'o', Payload().Byte(kind).Byte(0xFF).Word(year).Byte(month).Fill(0xFF, 5));
}

bool SendPeriodicReportByDates(RegisterLink& link, uint8_t kind, const QDate& from, const QDate& to) {
    return Send(link, 19, 1, 'o',
                Payload().Byte(kind).Byte(0).Word(from.year()).Byte(from.month()).Byte(from.day())
                    .Word(to.year()).Byte(to.month()).Byte(to.day()));
}

bool SendPeriodicReportByNumbers(RegisterLink& link, uint8_t kind, int first, int last) {
    return Send(link, 19, 1, 'o', Payload().Byte(kind).Byte(1).Word(first).Word(last).Fill(0xFF, 4));
}

namespace {
Payload GoodsRange(uint8_t rangeKind, int first, int last) {
    return std::move(Payload().Byte(rangeKind).Word(first).Word(last));
}
Payload OneGroup(int group) { return std::move(Payload().Byte(2).Byte(group).Fill(0xFF, 3)); }
}  // namespace

bool SendSalesReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroing,
                             uint8_t zeroRecords) {
    return Send(link, 16, 1, 's', GoodsRange(rangeKind, first, last).Byte(zeroing).Byte(zeroRecords));
}
bool SendSalesReportForGroup(RegisterLink& link, int group, uint8_t zeroing, uint8_t zeroRecords) {
    return Send(link, 16, 1, 's', OneGroup(group).Byte(zeroing).Byte(zeroRecords));
}
bool SendVatBaseReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroRecords) {
    return Send(link, 15, 1, 'p', GoodsRange(rangeKind, first, last).Byte(zeroRecords));
}
bool SendVatBaseReportForGroup(RegisterLink& link, int group, uint8_t zeroRecords) {
    return Send(link, 15, 1, 'p', OneGroup(group).Byte(zeroRecords));
}
bool SendPluReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroRecords) {
    return Send(link, 15, 1, 'b', GoodsRange(rangeKind, first, last).Byte(zeroRecords));
}
bool SendPluReportForGroup(RegisterLink& link, int group, uint8_t zeroRecords) {
    return Send(link, 15, 1, 'b', OneGroup(group).Byte(zeroRecords));
}
bool SendCashierReport(RegisterLink& link, int cashier, uint8_t zeroing, uint8_t full) {
    return Send(link, 12, kSingleFrame, 'k', Payload().Byte(cashier).Byte(zeroing).Byte(full));
}

namespace {
bool FlagsReport(RegisterLink& link, uint8_t command, uint8_t zeroRecords, uint8_t zeroing) {
    return Send(link, 12, 1, command, Payload().Byte(zeroRecords).Byte(zeroing));
}
bool PlainReport(RegisterLink& link, uint8_t command) { return Send(link, 10, 1, command, Payload().Byte(1)); }
}  // namespace

bool SendShiftSalesReport(RegisterLink& l, uint8_t zr, uint8_t z) { return FlagsReport(l, 'z', zr, z); }
bool SendDiscountReport(RegisterLink& l, uint8_t zr, uint8_t z) { return FlagsReport(l, 'r', zr, z); }
bool SendPackagingReport(RegisterLink& l, uint8_t zr, uint8_t z) { return FlagsReport(l, 'a', zr, z); }
bool SendPaymentFormReport(RegisterLink& l, uint8_t zr, uint8_t z) { return FlagsReport(l, 'f', zr, z); }
bool SendGroupReport(RegisterLink& l, uint8_t zr, uint8_t z) { return FlagsReport(l, 'g', zr, z); }
bool SendInactiveGoodsReport(RegisterLink& l) { return PlainReport(l, 'n'); }
bool SendFixedTextsReport(RegisterLink& l) { return PlainReport(l, 'w'); }
bool SendVatRatesReport(RegisterLink& l) { return PlainReport(l, 'v'); }
bool SendRegisterStateReport(RegisterLink& l) { return PlainReport(l, 't'); }
bool SendQuickKeysReport(RegisterLink& l) { return PlainReport(l, 'h'); }

bool SendGroupTurnoverReport(RegisterLink& link, int monthFrom, int yearFrom, int monthTo, int yearTo,
                             bool zeroRecords) {
    return Send(link, 17, kSingleFrame, 0x05,
                Payload().Byte(monthFrom).Word(yearFrom).Byte(monthTo).Word(yearTo).Byte(1)
                    .Byte(zeroRecords ? 't' : 'n'));
}

bool SendClock(RegisterLink& link, const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return Send(link, 17, kSingleFrame, 'C',
                Payload().Word(d.year()).Byte(d.month()).Byte(d.day()).Byte(t.hour()).Byte(t.minute())
                    .Byte(t.second()).Byte(0));
}

bool SendRecordCurrency(RegisterLink& link, uint32_t mantissa, uint8_t places, const QString& symbol,
                        uint8_t denomination, uint8_t printConversion, const QDate& date) {
    return Send(link, 23, kSingleFrame, 'E',
                Payload().Long(mantissa).Byte(places).Field(ToCp1250(symbol), 3).Byte(denomination)
                    .Byte(printConversion).Word(date.year()).Byte(date.month()).Byte(date.day()));
}

bool SendManagerPassword(RegisterLink& link, const QString& oldPassword, const QString& newPassword,
                         uint8_t confirm) {
    return Send(link, 30, kSingleFrame, 'H',
                Payload().Field(ToCp1250(oldPassword), 10).Field(ToCp1250(newPassword), 10).Byte(confirm));
}

bool SendGoodsUnits(RegisterLink& link, const QString& unit1, const QString& unit2, const QString& unit3) {
    return Send(link, 18, kSingleFrame, 'q',
                Payload().Field(ToCp1250(unit1), 3).Field(ToCp1250(unit2), 3).Field(ToCp1250(unit3), 3));
}

uint8_t QuickSaleFunctionCode(int listIndex) {
    return uint8_t(listIndex >= 2 ? listIndex + 1 : listIndex);
}

bool SendQuickSaleKeys(RegisterLink& link, int cashier, int key, int function, uint8_t kind, int record) {
    return Send(link, 14, kSingleFrame, 'X',
                Payload().Byte(cashier).Byte(key).Byte(QuickSaleFunctionCode(function)).Byte(kind).Byte(record));
}

bool SendNip(RegisterLink& link, const QString& nip) {
    if (nip.size() > 16) {
        link.prompts().Message(QStringLiteral("Zbyt długi NIP!"));
        return false;
    }
    return Send(link, 25, kSingleFrame, 'I', Payload().Field(ToCp1250(nip), 16));
}

bool SendFunctionKey(RegisterLink& link, uint8_t cashier, uint8_t key, uint8_t code) {
    return Send(link, 13, kSingleFrame, 'O', Payload().Byte(cashier).Byte(key).Byte(code).Byte(0));
}

bool SendAdditionalSettings(RegisterLink& link, const QByteArray& settings22) {
    return Send(link, 31, kSingleFrame, 0x03, Payload().Field(settings22, 22));
}

bool SendQuery(RegisterLink& link, uint8_t address, uint16_t number) {
    return SendFrame(link, address, 10, number, 'Q', Payload().Byte(0));
}

bool SendCacheDumpRequest(RegisterLink& link) { return Send(link, 10, 1, ':', Payload().Byte(1)); }

bool SendSalesClear(RegisterLink& link) {
    // Always to address 1.
    return SendFrame(link, 1, 10, kSingleFrame, 0xCB, Payload().Byte(1));
}

bool SendCopyRead(RegisterLink& link, uint8_t mode, const QByteArray& bytes8to20, uint8_t handling) {
    return Send(link, 24, kSingleFrame, 0x01, Payload().Byte(mode).Field(bytes8to20, 13).Byte(handling));
}

QByteArray CopyRangeByNumbers(int firstReport, uint32_t firstReceipt, int lastReport,
                              uint32_t lastReceipt, uint8_t scope) {
    return Payload().Word(firstReport).Long(firstReceipt).Word(lastReport).Long(lastReceipt).Byte(scope);
}

QByteArray CopyRangeByDates(const QDateTime& from, const QDateTime& to, uint8_t scope) {
    auto point = [](Payload& p, const QDateTime& t) {
        p.Byte(t.time().hour()).Byte(t.time().minute()).Byte(t.date().day()).Byte(t.date().month())
            .Word(t.date().year());
    };
    Payload p;
    point(p, from);
    point(p, to);
    return p.Byte(scope);
}

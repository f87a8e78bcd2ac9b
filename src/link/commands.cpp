#include "link/commands.h"

#include <cstring>

#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "link/frames.h"

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

}  // namespace

std::optional<Frame> RecordFrame(RecordTable table, uint16_t number, int record, const QByteArray& slot,
                                 uint8_t confirm) {
    const RecordCommand& c = Describe(table);
    if (!c.table->Holds(record) || slot.size() < c.sentBytes) return std::nullopt;
    const int stored = c.wideNumber ? Word(slot.constData()) : uint8_t(slot[0]);
    if (stored == 0) return std::nullopt;  // an empty slot is never sent
    const int numberWidth = c.wideNumber ? 2 : 1;
    Payload p;
    if (c.wideNumber) p.Word(record);
    else p.Byte(record);
    p.Bytes(slot.mid(numberWidth, c.sentBytes - numberWidth)).Byte(confirm);
    return Frame(7 + c.sentBytes + 1 + 2, number, c.command, p);
}

Frame VatRatesFrame(const QByteArray& vat21, uint8_t confirm) {
    return Frame(31, kSingleFrame, 'P', Payload().Field(vat21, layout::kVatTableSize).Byte(confirm));
}

Frame HeaderFrame(const QByteArray& header259) { return Frame(268, kSingleFrame, 'N', header259); }

Frame FooterFrame(const QByteArray& footer130, uint8_t confirm) {
    return Frame(140, kSingleFrame, 'D', Payload().Field(footer130, layout::kFooterSize).Byte(confirm));
}

Frame HaloFrame(const QByteArray& entries1to9) { return Frame(45, kSingleFrame, 'L', entries1to9); }

std::optional<Frame> QuickKeyFrame(uint16_t number, int cashier, int key, const QByteArray& key34, uint8_t confirm) {
    if (cashier < 1 || cashier > 10 || key < 1 || key > 10) return std::nullopt;
    return Frame(44, number, 'S',
                 Payload().Byte(cashier).Byte(key).Field(key34.mid(2), layout::kQuickKeySize - 2).Byte(confirm));
}

Frame RequestFrame(uint16_t number, uint8_t command, uint16_t argument) {
    return Frame(11, number, command, Payload().Word(argument));
}

std::optional<Frame> DeleteFrame(RecordTable table, uint16_t number, int record, const QByteArray& name,
                                 uint8_t confirm) {
    const RecordCommand& c = Describe(table);
    if (!c.table->Holds(record)) return std::nullopt;
    Payload p;
    if (c.wideNumber) p.Word(record);
    else p.Byte(record);
    p.Field(name, c.deleteNameArea);
    if (c.deleteConfirm) p.Byte(confirm);
    return Frame(c.deleteLength, number, c.deleteCommand, p);
}

Frame PeriodicReportMonthlyFrame(uint8_t kind, int year, int month) {
    return Frame(19, kSingleFrame, 'o', Payload().Byte(kind).Byte(0xFF).Word(year).Byte(month).Fill(0xFF, 5));
}

Frame PeriodicReportByDatesFrame(uint8_t kind, const QDate& from, const QDate& to) {
    return Frame(19, 1, 'o',
                 Payload().Byte(kind).Byte(0).Word(from.year()).Byte(from.month()).Byte(from.day())
                     .Word(to.year()).Byte(to.month()).Byte(to.day()));
}

Frame PeriodicReportByNumbersFrame(uint8_t kind, int first, int last) {
    return Frame(19, 1, 'o', Payload().Byte(kind).Byte(1).Word(first).Word(last).Fill(0xFF, 4));
}

namespace {
Payload GoodsRange(uint8_t rangeKind, int first, int last) {
    return std::move(Payload().Byte(rangeKind).Word(first).Word(last));
}
Payload OneGroup(int group) { return std::move(Payload().Byte(2).Byte(group).Fill(0xFF, 3)); }
}  // namespace

Frame SalesReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroing, uint8_t zeroRecords) {
    return Frame(16, 1, 's', GoodsRange(rangeKind, first, last).Byte(zeroing).Byte(zeroRecords));
}
Frame SalesReportForGroupFrame(int group, uint8_t zeroing, uint8_t zeroRecords) {
    return Frame(16, 1, 's', OneGroup(group).Byte(zeroing).Byte(zeroRecords));
}
Frame VatBaseReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroRecords) {
    return Frame(15, 1, 'p', GoodsRange(rangeKind, first, last).Byte(zeroRecords));
}
Frame VatBaseReportForGroupFrame(int group, uint8_t zeroRecords) {
    return Frame(15, 1, 'p', OneGroup(group).Byte(zeroRecords));
}
Frame PluReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroRecords) {
    return Frame(15, 1, 'b', GoodsRange(rangeKind, first, last).Byte(zeroRecords));
}
Frame PluReportForGroupFrame(int group, uint8_t zeroRecords) {
    return Frame(15, 1, 'b', OneGroup(group).Byte(zeroRecords));
}
Frame CashierReportFrame(int cashier, uint8_t zeroing, uint8_t full) {
    return Frame(12, kSingleFrame, 'k', Payload().Byte(cashier).Byte(zeroing).Byte(full));
}

namespace {
Frame FlagsReport(uint8_t command, uint8_t zeroRecords, uint8_t zeroing) {
    return Frame(12, 1, command, Payload().Byte(zeroRecords).Byte(zeroing));
}
Frame PlainReport(uint8_t command) { return Frame(10, 1, command, Payload().Byte(1)); }
}  // namespace

Frame ShiftSalesReportFrame(uint8_t zr, uint8_t z) { return FlagsReport('z', zr, z); }
Frame DiscountReportFrame(uint8_t zr, uint8_t z) { return FlagsReport('r', zr, z); }
Frame PackagingReportFrame(uint8_t zr, uint8_t z) { return FlagsReport('a', zr, z); }
Frame PaymentFormReportFrame(uint8_t zr, uint8_t z) { return FlagsReport('f', zr, z); }
Frame GroupReportFrame(uint8_t zr, uint8_t z) { return FlagsReport('g', zr, z); }
Frame InactiveGoodsReportFrame() { return PlainReport('n'); }
Frame FixedTextsReportFrame() { return PlainReport('w'); }
Frame VatRatesReportFrame() { return PlainReport('v'); }
Frame RegisterStateReportFrame() { return PlainReport('t'); }
Frame QuickKeysReportFrame() { return PlainReport('h'); }

Frame GroupTurnoverReportFrame(int monthFrom, int yearFrom, int monthTo, int yearTo, bool zeroRecords) {
    return Frame(17, kSingleFrame, 0x05,
                Payload().Byte(monthFrom).Word(yearFrom).Byte(monthTo).Word(yearTo).Byte(1)
                    .Byte(zeroRecords ? 't' : 'n'));
}

Frame ClockFrame(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return Frame(17, kSingleFrame, 'C',
                Payload().Word(d.year()).Byte(d.month()).Byte(d.day()).Byte(t.hour()).Byte(t.minute())
                    .Byte(t.second()).Byte(0));
}

Frame RecordCurrencyFrame(uint32_t mantissa, uint8_t places, const QString& symbol, uint8_t denomination,
                          uint8_t printConversion, const QDate& date) {
    return Frame(23, kSingleFrame, 'E',
                Payload().Long(mantissa).Byte(places).Field(ToCp1250(symbol), 3).Byte(denomination)
                    .Byte(printConversion).Word(date.year()).Byte(date.month()).Byte(date.day()));
}

Frame ManagerPasswordFrame(const QString& oldPassword, const QString& newPassword, uint8_t confirm) {
    return Frame(30, kSingleFrame, 'H',
                Payload().Field(ToCp1250(oldPassword), 10).Field(ToCp1250(newPassword), 10).Byte(confirm));
}

Frame GoodsUnitsFrame(const QString& unit1, const QString& unit2, const QString& unit3) {
    return Frame(18, kSingleFrame, 'q',
                Payload().Field(ToCp1250(unit1), 3).Field(ToCp1250(unit2), 3).Field(ToCp1250(unit3), 3));
}

uint8_t QuickSaleFunctionCode(int listIndex) {
    return uint8_t(listIndex >= 2 ? listIndex + 1 : listIndex);
}

Frame QuickSaleKeysFrame(int cashier, int key, int function, uint8_t kind, int record) {
    return Frame(14, kSingleFrame, 'X',
                Payload().Byte(cashier).Byte(key).Byte(QuickSaleFunctionCode(function)).Byte(kind).Byte(record));
}

std::optional<Frame> NipFrame(const QString& nip) {
    if (nip.size() > 16) return std::nullopt;
    return Frame(25, kSingleFrame, 'I', Payload().Field(ToCp1250(nip), 16));
}

Frame FunctionKeyFrame(uint8_t cashier, uint8_t key, uint8_t code) {
    return Frame(13, kSingleFrame, 'O', Payload().Byte(cashier).Byte(key).Byte(code).Byte(0));
}

Frame AdditionalSettingsFrame(const QByteArray& settings22) {
    return Frame(31, kSingleFrame, 0x03, Payload().Field(settings22, 22));
}

Frame QueryFrame(uint8_t address, uint16_t number) {
    return Frame(10, number, 'Q', Payload().Byte(0)).To(address);
}

Frame CacheDumpRequestFrame() { return Frame(10, 1, ':', Payload().Byte(1)); }

Frame SalesClearFrame() {
    return Frame(10, kSingleFrame, 0xCB, Payload().Byte(1)).To(1);
}

Frame CopyReadFrame(uint8_t mode, const QByteArray& bytes8to20, uint8_t handling) {
    return Frame(24, kSingleFrame, 0x01, Payload().Byte(mode).Field(bytes8to20, 13).Byte(handling));
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

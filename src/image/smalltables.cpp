#include "image/smalltables.h"

#include "common/text.h"
#include "image/fields.h"
#include "image/workimage.h"

using namespace layout;

const SmallTable kGroupTable{RecordTable::Groups, kGroups, 20, 20, group::kNameWidth, 'G'};
const SmallTable kPackagingTable{RecordTable::Packagings, kPackagings, 20, 20, packaging::kNameWidth, 'Z'};
const SmallTable kCashierTable{RecordTable::Cashiers, kCashiers, 20, 10, cashier::kNameWidth, 'K'};
const SmallTable kDiscountTable{RecordTable::Discounts, kDiscounts, 20, 20, discount::kNameWidth, 'R'};
const SmallTable kPaymentFormTable{RecordTable::PaymentForms, kPaymentForms, 10, 10, payment::kNameWidth, 'F'};
const SmallTable kCurrencyTable{RecordTable::Currencies, kCurrencies, 10, 10, currency::kNameWidth, 'W'};

const SmallTable& SmallTableOf(RecordTable id) {
    switch (id) {
        case RecordTable::Packagings: return kPackagingTable;
        case RecordTable::Cashiers: return kCashierTable;
        case RecordTable::Discounts: return kDiscountTable;
        case RecordTable::PaymentForms: return kPaymentFormTable;
        case RecordTable::Currencies: return kCurrencyTable;
        case RecordTable::Groups:
        case RecordTable::Goods: break;
    }
    return kGroupTable;
}

bool SmallTable::Occupied(WorkImage& image, int slot) const {
    return area.Holds(slot) && image.ReadByteAt(area.Offset(slot)) != 0;
}

QByteArray SmallTable::Slot(WorkImage& image, int slot) const {
    if (!area.Holds(slot)) return QByteArray(area.recordSize, '\0');
    return image.ReadBytesAt(area.Offset(slot), area.recordSize);
}

QString SmallTable::Name(WorkImage& image, int slot) const {
    if (!area.Holds(slot)) return QString();
    return image.ReadTextAt(area.Offset(slot) + 1, nameWidth);
}

QList<int> OccupiedSlots(WorkImage& image, const SmallTable& table) {
    QList<int> out;
    const QByteArray bytes = image.ReadBytesAt(table.area.First(), table.listed * table.area.recordSize);
    for (int k = 1; k <= table.listed; ++k)
        if (bytes[(k - 1) * table.area.recordSize] != 0) out.append(k);
    return out;
}

int FirstFreeNumber(WorkImage& image, const SmallTable& table) {
    for (int n = 1; n <= table.maxNumber; ++n)
        if (!table.Occupied(image, n)) return n;
    return 0;
}

bool BlankName(const QString& name) {
    for (QChar c : name)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

namespace {
QByteArray PaddedName(const QByteArray& bytes) {
    return bytes.size() >= 21 ? bytes : bytes + QByteArray(21 - bytes.size(), ' ');
}
}  // namespace

int DuplicateNameSlot(WorkImage& image, const SmallTable& table, const QString& name) {
    const QByteArray wanted = PaddedName(ToCp1250(name));
    for (int k = 1; k <= table.listed; ++k) {
        const QByteArray raw = table.Slot(image, k).mid(1, table.nameWidth);
        const int end = raw.indexOf('\0');
        if (PaddedName(end < 0 ? raw : raw.left(end)) == wanted) return k;
    }
    return 0;
}

namespace {

// Slot bytes built field by field at fixed offsets.
class SlotWriter {
public:
    explicit SlotWriter(int size) : bytes_(size, '\0') {}
    SlotWriter& Byte(int at, uint8_t v) { bytes_[at] = char(v); return *this; }
    SlotWriter& Long(int at, int32_t v) { PutLong(bytes_.data() + at, uint32_t(v)); return *this; }
    SlotWriter& Text(int at, const QByteArray& b, int width) {
        for (int i = 0; i < width && i < b.size(); ++i) bytes_[at + i] = b[i];
        return *this;
    }
    SlotWriter& Name(int at, const QString& s, int width) { return Text(at, ToCp1250(s), width); }
    QByteArray Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Slot bytes read at fixed offsets; what lies beyond the input reads as zero.
class SlotReader {
public:
    SlotReader(const QByteArray& b, int size) : bytes_(b.left(size)) {
        if (bytes_.size() < size) bytes_.append(size - bytes_.size(), '\0');
    }
    uint8_t Byte(int at) const { return uint8_t(bytes_[at]); }
    int32_t Long(int at) const { return int32_t(::Long(bytes_.constData() + at)); }
    QByteArray Raw(int at, int width) const { return bytes_.mid(at, width); }
    QString Name(int at, int width) const { return FromCp1250Field(bytes_.constData() + at, width); }

private:
    QByteArray bytes_;
};

}  // namespace

GroupRecord GroupRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kGroups.recordSize);
    return {r.Byte(0), r.Name(group::kName, group::kNameWidth)};
}

QByteArray GroupRecord::Encode() const {
    return SlotWriter(kGroups.recordSize).Byte(0, number).Name(group::kName, name, group::kNameWidth).Bytes();
}

PackagingRecord PackagingRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kPackagings.recordSize);
    return {r.Byte(0), r.Name(packaging::kName, packaging::kNameWidth), r.Long(packaging::kPrice),
            r.Byte(packaging::kPriceChange)};
}

QByteArray PackagingRecord::Encode() const {
    return SlotWriter(kPackagings.recordSize)
        .Byte(0, number)
        .Name(packaging::kName, name, packaging::kNameWidth)
        .Long(packaging::kPrice, price)
        .Byte(packaging::kPriceChange, priceChange)
        .Bytes();
}

CashierRecord CashierRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kCashiers.recordSize);
    CashierRecord c;
    c.number = r.Byte(0);
    c.name = r.Name(cashier::kName, cashier::kNameWidth);
    QByteArray password = r.Raw(cashier::kPassword, cashier::kPasswordWidth);
    const int end = password.indexOf('\0');
    c.password = end < 0 ? password : password.left(end);
    for (int i = 0; i < cashier::kRightsCount; ++i) c.rights[size_t(i)] = r.Byte(cashier::kRights + i);
    return c;
}

QByteArray CashierRecord::Encode() const {
    SlotWriter w(kCashiers.recordSize);
    w.Byte(0, number).Name(cashier::kName, name, cashier::kNameWidth).Text(cashier::kPassword, password,
                                                                            cashier::kPasswordWidth);
    for (int i = 0; i < cashier::kRightsCount; ++i) w.Byte(cashier::kRights + i, rights[size_t(i)]);
    return w.Bytes();
}

DiscountRecord DiscountRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kDiscounts.recordSize);
    return {r.Byte(0), r.Name(discount::kName, discount::kNameWidth), r.Byte(discount::kKind),
            r.Byte(discount::kType), r.Long(discount::kValue)};
}

QByteArray DiscountRecord::Encode() const {
    return SlotWriter(kDiscounts.recordSize)
        .Byte(0, number)
        .Name(discount::kName, name, discount::kNameWidth)
        .Byte(discount::kKind, kind)
        .Byte(discount::kType, type)
        .Long(discount::kValue, value)
        .Bytes();
}

PaymentFormRecord PaymentFormRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kPaymentForms.recordSize);
    return {r.Byte(0), r.Name(payment::kName, payment::kNameWidth), r.Byte(payment::kType)};
}

QByteArray PaymentFormRecord::Encode() const {
    return SlotWriter(kPaymentForms.recordSize)
        .Byte(0, number)
        .Name(payment::kName, name, payment::kNameWidth)
        .Byte(payment::kType, type)
        .Bytes();
}

CurrencyRecord CurrencyRecord::Decode(const QByteArray& slot) {
    const SlotReader r(slot, kCurrencies.recordSize);
    return {r.Byte(0), r.Name(currency::kName, currency::kNameWidth), r.Long(currency::kMantissa),
            r.Byte(currency::kPlaces), r.Raw(currency::kSymbol, currency::kSymbolWidth)};
}

QByteArray CurrencyRecord::Encode() const {
    return SlotWriter(kCurrencies.recordSize)
        .Byte(0, number)
        .Name(currency::kName, name, currency::kNameWidth)
        .Long(currency::kMantissa, mantissa)
        .Byte(currency::kPlaces, places)
        .Text(currency::kSymbol, symbol.left(3) + QByteArray(3 - qMin(int(symbol.size()), 3), ' '),
              currency::kSymbolWidth)
        .Bytes();
}

QStringList PaymentFormTypeNames() {
    return {QStringLiteral("Karta płatnicza"), QStringLiteral("Czek"), QStringLiteral("Bon"),
            QStringLiteral("Kredyt"), QStringLiteral("Inna")};
}

QStringList CashierRightNames() {
    return {QStringLiteral("Wykonywanie raportów niezerujących"),
            QStringLiteral("Wykonywanie raportów zerujących"),
            QStringLiteral("Udzielanie rabatów ręcznie"),
            QStringLiteral("Udzielanie rabatów z bazy"),
            QStringLiteral("Możliwosc anulowania paragonu"),
            QStringLiteral("Możliwość wykonywania operacji storno"),
            QStringLiteral("Wykonywania wpłat i wypłat z kasy")};
}

#include "keys/quickkeys.h"

#include <cmath>

#include "common/numbers.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"

using namespace layout;

QuickKeyRecord ReadQuickKey(WorkImage& image, int cashier, int key) {
    QuickKeyRecord r;
    const QByteArray b = image.ReadBytesAt(QuickKeyOffset(cashier, key), kQuickKeySize).leftJustified(kQuickKeySize, '\0');
    const char* p = b.constData();
    r.cashier = uint8_t(p[quickkey::kCashier]);
    r.key = uint8_t(p[quickkey::kKey]);
    r.count = uint8_t(p[quickkey::kCount]);
    for (int i = 0; i < kQuickKeyItems; ++i) {
        r.entries[i].goods = Word(p + quickkey::kItems + quickkey::kItemSize * i);
        r.entries[i].quantity = int32_t(Long(p + quickkey::kItems + quickkey::kItemSize * i + 2));
    }
    r.endsReceipt = p[quickkey::kEndsReceipt] == 1;
    return r;
}

void WriteQuickKey(WorkImage& image, int cashier, int key, const QuickKeyRecord& r) {
    QByteArray b(kQuickKeySize, '\0');
    char* p = b.data();
    p[quickkey::kCashier] = char(r.cashier);
    p[quickkey::kKey] = char(r.key);
    p[quickkey::kCount] = char(r.count);
    for (int i = 0; i < kQuickKeyItems; ++i) {
        PutWord(p + quickkey::kItems + quickkey::kItemSize * i, uint16_t(r.entries[i].goods));
        PutLong(p + quickkey::kItems + quickkey::kItemSize * i + 2, uint32_t(r.entries[i].quantity));
    }
    p[quickkey::kEndsReceipt] = r.endsReceipt ? 1 : 0;
    image.WriteBytesAt(QuickKeyOffset(cashier, key), b);
}

bool QuickKeysDamaged(WorkImage& image, int cashier) {
    for (int k = 1; k <= 10; ++k)
        for (const QuickKeyEntry& e : ReadQuickKey(image, cashier, k).entries)
            if (e.goods > 2000) return true;
    return false;
}

void ClearQuickKeys(WorkImage& image) { image.ClearBytes(kQuickKeys, kQuickKeysSize); }

std::optional<int32_t> QuickKeyQuantity(QString& field) {
    const int dot = int(field.indexOf(QLatin1Char('.')));
    if (dot >= 0) field[dot] = QLatin1Char(',');
    const std::optional<double> v = ParseCommaDecimal(field);
    if (!v) return std::nullopt;
    const double q = std::trunc(*v * 10 * 10 * 10 * 10);
    if (q <= 0 || q > 999999) return std::nullopt;  // 0,0001 to 99,9999
    return int32_t(q);
}

void AddToQuickKey(WorkImage& image, int cashier, int key, int goods, int32_t quantity, bool endsReceipt) {
    QuickKeyRecord r = ReadQuickKey(image, cashier, key);
    const int at = qBound(0, r.count < kQuickKeyItems ? r.count : kQuickKeyItems - 1, kQuickKeyItems - 1);
    r.entries[at] = QuickKeyEntry{goods, quantity};
    r.endsReceipt = endsReceipt;
    if (r.count < kQuickKeyItems) ++r.count;
    r.key = key;
    r.cashier = cashier;
    WriteQuickKey(image, cashier, key, r);
}

void RemoveQuickKeyEntry(WorkImage& image, int cashier, int key, int entry) {
    if (entry < 0 || entry >= kQuickKeyItems) return;
    QuickKeyRecord r = ReadQuickKey(image, cashier, key);
    r.entries[entry] = QuickKeyEntry{};
    WriteQuickKey(image, cashier, key, r);
}

QString QuickKeyLine(const QString& goodsName, int32_t quantity) {
    return goodsName.leftJustified(10) + QLatin1Char(' ') + FormatQuantity(quantity);
}

#pragma once
// The quick-key table of the image: each cashier's ten keys, up to five goods
// with their quantities each, and whether the key closes the receipt.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class WorkImage;

struct QuickKeyEntry {
    int goods = 0;          // 0: empty
    int32_t quantity = 0;   // ten-thousandths
};

struct QuickKeyRecord {
    int cashier = 0, key = 0, count = 0;
    std::array<QuickKeyEntry, 5> entries{};
    bool endsReceipt = false;
};

QuickKeyRecord ReadQuickKey(WorkImage& image, int cashier, int key);
void WriteQuickKey(WorkImage& image, int cashier, int key, const QuickKeyRecord& r);
// A goods number above 2000 in any key of the cashier: the table is damaged.
bool QuickKeysDamaged(WorkImage& image, int cashier);
void ClearQuickKeys(WorkImage& image);

// The quantity field read as the board reads it: its first "." becomes "," in
// the field; the number times 10000, truncated; 0 or above 999999 is refused.
std::optional<int32_t> QuickKeyQuantity(QString& field);
// A goods dropped on a key: the next entry, or entry 5 again when all five are
// used; the key's ends-receipt flag as shown.
void AddToQuickKey(WorkImage& image, int cashier, int key, int goods, int32_t quantity, bool endsReceipt);
// An entry emptied; the count stays and the other entries do not move.
void RemoveQuickKeyEntry(WorkImage& image, int cashier, int key, int entry);
// A key list line: the goods name filled to at least 10, a blank, the quantity.
QString QuickKeyLine(const QString& goodsName, int32_t quantity);

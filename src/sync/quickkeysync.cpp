#include "sync/quickkeysync.h"

#include "common/numbers.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"

using namespace layout;

namespace {
constexpr int kKeys = 100;

int NumberOf(const char* r) {
    const int c = uint8_t(r[quickkey::kCashier]), k = uint8_t(r[quickkey::kKey]);
    return c >= 1 && c <= 10 && k >= 1 && k <= 10 ? QuickKeyNumber(c, k) : 0;
}

// The PC's key as the register would hold it: a key never edited is all zeros
// in the image, so its cashier and key are filled in.
QByteArray PcKey(WorkImage& image, int n) {
    const int c = QuickKeyCashier(n), k = QuickKeyKey(n);
    QByteArray b = image.ReadBytesAt(QuickKeyOffset(c, k), kQuickKeySize).leftJustified(kQuickKeySize, '\0');
    b[quickkey::kCashier] = char(c);
    b[quickkey::kKey] = char(k);
    return b;
}

bool EmptyKey(const QByteArray& b) {
    for (int i = quickkey::kCount; i < b.size(); ++i)
        if (b[i]) return false;
    return true;
}
}  // namespace

QString QuickKeyRowText(WorkImage& image, const QByteArray& record) {
    const QByteArray r = record.leftJustified(kQuickKeySize, '\0');
    const char* p = r.constData();
    QString text = QStringLiteral("Kasjer %1, F%2:").arg(uint8_t(p[quickkey::kCashier])).arg(uint8_t(p[quickkey::kKey]));
    QStringList items;
    for (int i = 0; i < kQuickKeyItems; ++i) {
        const int goods = Word(p + quickkey::kItems + quickkey::kItemSize * i);
        if (goods == 0) continue;
        QString item = QString::number(goods);
        if (kGoods.Holds(goods)) {
            const QString name = image.ReadTextAt(kGoods.Offset(goods) + goods::kName, goods::kNameWidth).trimmed();
            if (!name.isEmpty()) item += QLatin1Char(' ') + name;
        }
        items << item + QStringLiteral(" x ") +
                     FormatQuantity(int32_t(Long(p + quickkey::kItems + quickkey::kItemSize * i + 2)));
    }
    text += items.isEmpty() ? QStringLiteral(" (pusty)") : QLatin1Char(' ') + items.join(QStringLiteral("; "));
    if (p[quickkey::kEndsReceipt] == 1) text += QStringLiteral(" [zamyka paragon]");
    return text;
}

const SyncMember& QuickKeyMember() {
    // The keys are not one of the numbered tables: every hook that reads,
    // stores, numbers or sends a record is the member's own, so `id` and the
    // delete rules are never used (the register has no command to delete a key).
    static const SyncMember m = [] {
        SyncMember q{RecordTable::Goods,
                     'S',
                     43,
                     kKeys,
                     1,
                     0,
                     0,
                     ListRebuild::Always,
                     // Keys take their frames as the key editor sends a cashier's
                     // keys: numbered in turn, acknowledgements waited for, a long
                     // pause after a busy answer.
                     WriteRules{RecordTable::Goods, WriteNumbering::TickedRows, 0, 4400, 4400, false, false,
                                AckStyle::Wait,
                                [](WorkImage& image, uint16_t frame, int n, uint8_t confirm) {
                                    return QuickKeyFrame(frame, QuickKeyCashier(n), QuickKeyKey(n), PcKey(image, n),
                                                         confirm);
                                }},
                     DeleteRules{RecordTable::Goods, 0, 0, false, 0, false, DeleteRefusal::Stop, false},
                     RunEnd::MessagePauseRead,
                     0,
                     QStringLiteral(" klawiszy szybkich."),
                     true,
                     [](WorkImage&) {
                         QList<int> all;
                         for (int n = 1; n <= kKeys; ++n) all << n;
                         return all;
                     },
                     [](const QByteArray& reg) { return reg.left(kQuickKeySize).leftJustified(kQuickKeySize, '\0'); },
                     nullptr,
                     // What the register holds after taking a key is the key itself.
                     [](const QByteArray& pc, const QByteArray&) { return pc; }};
        q.pcRecord = PcKey;
        q.storePc = [](WorkImage& image, int n, const QByteArray& pc) {
            if (n < 1 || n > kKeys || pc.size() != kQuickKeySize) return false;
            return image.WriteBytesAt(QuickKeyOffset(QuickKeyCashier(n), QuickKeyKey(n)), pc);
        };
        q.numberOf = NumberOf;
        q.emptyOnPc = EmptyKey;
        q.name = [](WorkImage&, int n) {
            return QStringLiteral(" Kasjer %1, F%2").arg(QuickKeyCashier(n)).arg(QuickKeyKey(n));
        };
        return q;
    }();
    return m;
}

// A goods record received from the register, as the goods windows take it: kept
// in the synchronization's mirror, shown as a list row, stored into the image. A
// record never lands outside the slot of its own number, and one whose number is
// outside the table is not stored at all.
#include <QByteArray>
#include <QDate>
#include <cstdint>
#include <cstring>

#include "fuzzsupport.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "sync/goodsmirror.h"

using namespace layout;

namespace {
struct Store {
    QTemporaryDir dir;
    WorkImage image;
    RegisterGoodsMirror mirror;
    Store() {
        Require(image.Open(dir.path() + QStringLiteral("/BDTemp.bdt")));
        image.WriteBytesAt(0, NewImageBytes(QStringLiteral("PLN")));
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Store* s = new Store;
    const QByteArray record(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 200)));
    const int number = record.size() >= 2 ? uint8_t(record[0]) | uint8_t(record[1]) << 8 : 0;
    const bool valid = record.size() >= reggoods::kSize && number >= 1 && number <= kGoods.count;

    s->mirror.Clear();
    Require(s->mirror.Store(record) == valid);
    Require(s->mirror.Occupied() == (valid ? QList<int>{number} : QList<int>{}));
    if (valid) {
        (void)RegisterGoodsListRow(s->mirror.Record(number));
        (void)LastSaleText(s->mirror.Record(number));
        (void)UnsoldFor(s->mirror.Record(number), QDate(2026, 12, 10), 30);
    }

    const QByteArray before = s->image.ReadBytesAt(0, int(s->image.Size()));
    Require(StoreRegisterGoodsRecord(s->image, record) == valid);
    const QByteArray after = s->image.ReadBytesAt(0, int(s->image.Size()));
    Require(after.size() == before.size());
    // Nothing changed outside the record's own slot.
    const int first = valid ? kGoods.Offset(number) : 0;
    const int end = valid ? first + kGoods.recordSize : 0;
    Require(std::memcmp(after.constData(), before.constData(), size_t(first)) == 0);
    Require(std::memcmp(after.constData() + end, before.constData() + end, size_t(after.size() - end)) == 0);
    if (valid) {
        (void)PcGoodsListRow(s->image, number);
        s->image.WriteBytesAt(first, before.mid(first, kGoods.recordSize));  // as it was for the next input
    }
    return 0;
}

#include "support/simtables.h"

#include "image/imagestore.h"
#include "image/workimage.h"

SimTable& SimTableOf(SimState& s, RecordTable t) {
    switch (t) {
        case RecordTable::Cashiers: return s.cashiers;
        case RecordTable::Discounts: return s.discounts;
        case RecordTable::PaymentForms: return s.paymentForms;
        case RecordTable::Currencies: return s.currencies;
        case RecordTable::Packagings: return s.packagings;
        case RecordTable::Goods: return s.goods;
        case RecordTable::Groups: break;
    }
    return s.groups;
}

void PutPcRecord(WorkImage& image, const SmallTable& t, int n) {
    const QString name = QStringLiteral("Ś%1").arg(n);
    QByteArray rec;
    switch (t.id) {
        case RecordTable::Cashiers: rec = CashierRecord{uint8_t(n), name}.Encode(); break;
        case RecordTable::Discounts: rec = DiscountRecord{uint8_t(n), name, 1, 0, 1250}.Encode(); break;
        case RecordTable::PaymentForms: rec = PaymentFormRecord{uint8_t(n), name, 2}.Encode(); break;
        case RecordTable::Currencies:
            rec = CurrencyRecord{uint8_t(n), name, 5, 2, QByteArray::number(n).leftJustified(3, 'X')}.Encode();
            break;
        case RecordTable::Packagings: rec = PackagingRecord{uint8_t(n), name, 50, 1}.Encode(); break;
        default: rec = GroupRecord{uint8_t(n), name}.Encode(); break;
    }
    image.WriteBytesAt(t.area.Offset(n), rec);
}

void PutPcRecord(WorkImage& image, RecordTable table, int n) {
    if (table != RecordTable::Goods) return PutPcRecord(image, SmallTableOf(table), n);
    GoodsFields g;
    g.number = n;
    g.name = QStringLiteral("Ś%1").arg(n);
    g.price = 100;
    WriteGoodsRecord(image, g);
}

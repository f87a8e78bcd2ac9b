#include "image/imagestore.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <cstring>

#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/smalltables.h"
#include "image/workimage.h"

using namespace layout;

QByteArray NewImageBytes(const QString& recordCurrencySymbol) {
    QByteArray image(kImageSize, '\0');
    auto put = [&](int offset, const QByteArray& bytes) { image.replace(offset, bytes.size(), bytes); };
    put(kVersionTag, QByteArray(kVersionTagText, kVersionTagSize));
    image[kModeByte] = 1;
    CashierRecord manager;  // cashier 1, the manager, with every right
    manager.number = 1;
    manager.name = QStringLiteral("Kierownik");
    manager.password = "7519";
    manager.rights.fill(1);
    put(kCashiers.Offset(1), manager.Encode());
    put(kGroups.Offset(1), GroupRecord{1, QStringLiteral("Grupa podstawowa")}.Encode());
    put(kRecordCurrency, ToCp1250(recordCurrencySymbol));
    static const uint8_t vat[kVatTableSize] = {'A', 0xFC, 0x08, 'B', 0x20, 0x03, 'C', 0x00, 0x00,
                                               'D', 0xF4, 0x01, 'E', 0xFE, 0xFF, 'F', 0xFE, 0xFF,
                                               'G', 0xFF, 0xFF};
    put(kVatTable, QByteArray(reinterpret_cast<const char*>(vat), kVatTableSize));
    static const uint32_t halo[kHaloEntries] = {0, 100, 200, 500, 1000, 2000, 3000, 5000, 10000, 50000};
    for (int i = 0; i < kHaloEntries; ++i) PutLong(image.data() + kHalo + 4 * i, halo[i]);
    return image;
}

int CreateDatabaseImage(WorkImage& image, int mode, const QString& recordCurrencySymbol, QString* error) {
    if (mode != 1) return 0;
    const QString path = WorkingImagePath();
    const QString folder = QFileInfo(path).absolutePath();
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Nie mogę utworzyć roboczej bazy danych w ") + QDir::toNativeSeparators(folder) +
                     QStringLiteral(": ") + WriteProblem(folder, kImageSize, why);
        return 1;
    };
    // Written whole beside the working file and renamed over it: a full or
    // read-only folder leaves the image that was there (and no half-made one).
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    QByteArray fresh = NewImageBytes(recordCurrencySymbol);
    // A longer working file (a database file made it so) keeps what lies
    // beyond the new image.
    QFile old(path);
    if (old.size() > kImageSize && old.open(QIODevice::ReadOnly) && old.seek(kImageSize)) fresh += old.readAll();
    if (file.write(fresh) != fresh.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit()) return fail(file.errorString());
    image.Close();
    if (!image.Open(path)) return fail(QStringLiteral("nie można otworzyć pliku"));
    return image.Usable() ? 0 : fail(QStringLiteral("nie można zapisać pliku"));
}

QByteArray BarcodeField(const QString& barcode) {
    QByteArray b = ToCp1250(barcode).left(goods::kBarcodeWidth);
    return QByteArray(goods::kBarcodeWidth - b.size(), '0') + b;
}

int WriteGoodsRecord(WorkImage& image, const GoodsFields& g) {
    if (!image.Usable() || !kGoods.Holds(g.number)) return 1;
    QByteArray rec(kGoods.recordSize, '\0');
    char* p = rec.data();
    PutWord(p + goods::kNumber, uint16_t(g.number));
    const QByteArray name = ToCp1250(g.name).left(goods::kNameWidth);
    std::memcpy(p + goods::kName, name.constData(), name.size());
    p[goods::kVat] = g.vat;
    PutLong(p + goods::kPrice, g.price);
    std::memcpy(p + goods::kBarcode, BarcodeField(g.barcode).constData(), goods::kBarcodeWidth);
    p[goods::kGroup] = char(g.group);
    p[goods::kPackaging] = char(g.packaging);
    p[goods::kFixedPrice] = char(g.fixedPrice);
    p[goods::kByPieces] = char(g.byPieces);
    p[goods::kHalo] = char(g.halo);
    p[goods::kUnit] = char(g.unit);
    return image.WriteBytesAt(kGoods.Offset(g.number), rec) ? 0 : 1;
}

GoodsFields ReadGoodsRecord(WorkImage& image, int number) {
    GoodsFields g;
    if (!kGoods.Holds(number)) return g;
    const QByteArray rec = image.ReadBytesAt(kGoods.Offset(number), kGoods.recordSize);
    const char* p = rec.constData();
    g.number = Word(p + goods::kNumber);
    g.name = FromCp1250Field(p + goods::kName, goods::kNameWidth);
    g.vat = p[goods::kVat];
    g.price = Long(p + goods::kPrice);
    g.barcode = QString::fromLatin1(p + goods::kBarcode, goods::kBarcodeWidth);
    g.group = uint8_t(p[goods::kGroup]);
    g.packaging = uint8_t(p[goods::kPackaging]);
    g.fixedPrice = uint8_t(p[goods::kFixedPrice]);
    g.byPieces = uint8_t(p[goods::kByPieces]);
    g.halo = uint8_t(p[goods::kHalo]);
    g.unit = uint8_t(p[goods::kUnit]);
    return g;
}

namespace {
uint32_t Scaled(uint32_t value, double rate, uint32_t limit) {
    const double v = std::trunc(double(value) * rate);
    if (!(v > 0)) return 0;  // negative or NaN rates never wrap around to huge prices
    return v > limit ? limit : uint32_t(v);
}
}  // namespace

void ScaleCurrencyRate(uint32_t& mantissa, uint8_t& places, double factor) {
    if (mantissa == 0) return;  // an empty slot stays empty
    const long double p = (long double)mantissa / powl(10.0L, places) * factor;
    if (!(p > 0)) {
        mantissa = 0;
        return;
    }
    // The currency editor's form: the integer digits (a single "0" below 1) and as
    // many decimals as make the digit string eight long.
    int intDigits = p < 1 ? 1 : int(floorl(log10l(p))) + 1;
    if (intDigits > 8) {
        mantissa = 99999999;
        places = 0;
        return;
    }
    int d = 8 - intDigits;
    long double m = roundl(p * powl(10.0L, d));
    if (m >= 1e8L) {  // rounding carried into a ninth digit
        --d;
        m = roundl(p * powl(10.0L, d));
    }
    if (d < 0) {
        mantissa = 99999999;
        places = 0;
        return;
    }
    mantissa = uint32_t(m);
    places = uint8_t(d);
}

void ConvertImagePrices(WorkImage& image, double rate) {
    for (int n = 1; n <= kGoods.count; ++n) {
        const int at = kGoods.Offset(n) + goods::kPrice;
        image.WriteLongAt(at, Scaled(image.ReadLongAt(at), rate, goods::kMaxPrice));
    }
    for (int n = 1; n <= kDiscounts.count; ++n) {
        const int rec = kDiscounts.Offset(n);
        if (image.ReadByteAt(rec + discount::kType) != 1) continue;
        const int at = rec + discount::kValue;
        image.WriteLongAt(at, Scaled(image.ReadLongAt(at), rate, discount::kMaxAmount));
    }
    for (int n = 1; n <= kCurrencies.count; ++n) {
        const int rec = kCurrencies.Offset(n);
        uint32_t mantissa = image.ReadLongAt(rec + currency::kMantissa);
        uint8_t places = image.ReadByteAt(rec + currency::kPlaces);
        ScaleCurrencyRate(mantissa, places, rate);
        image.WriteLongAt(rec + currency::kMantissa, mantissa);
        image.WriteByteAt(rec + currency::kPlaces, places);
    }
    for (int n = 1; n <= kPackagings.count; ++n) {
        const int at = kPackagings.Offset(n) + packaging::kPrice;
        image.WriteLongAt(at, Scaled(image.ReadLongAt(at), rate, goods::kMaxPrice));
    }
}

bool StoreRegisterGoodsRecord(WorkImage& image, const QByteArray& record) {
    const QByteArray rec = PcGoodsRecordFromRegister(record);
    return !rec.isEmpty() && image.WriteBytesAt(kGoods.Offset(Word(rec.constData())), rec);
}

QByteArray PcGoodsRecordFromRegister(const QByteArray& record) {
    if (record.size() < reggoods::kSize) return {};
    const char* r = record.constData();
    const int number = Word(r + reggoods::kNumber);
    if (!kGoods.Holds(number)) return {};
    QByteArray rec(kGoods.recordSize, '\0');
    std::memcpy(rec.data(), r, goods::kBarcode);  // number, name, VAT letter, price
    const QByteArray barcode =
        NormalisedBarcode(QByteArray(r + reggoods::kBarcode, goods::kBarcodeWidth));
    std::memcpy(rec.data() + goods::kBarcode, barcode.constData(), goods::kBarcodeWidth);
    std::memcpy(rec.data() + goods::kGroup, r + reggoods::kGroup, 5);  // group .. HALO index
    rec[goods::kUnit] = r[reggoods::kUnit];
    return rec;
}

int RemoveGoodsFromQuickKeys(WorkImage& image, int goodsNumber) {
    if (goodsNumber <= 0) return 0;
    int changed = 0;
    for (int c = 1; c <= 10; ++c) {
        for (int k = 1; k <= 10; ++k) {
            const int at = QuickKeyOffset(c, k);
            QByteArray rec = image.ReadBytesAt(at, kQuickKeySize);
            char* items = rec.data() + quickkey::kItems;
            QByteArray kept;
            bool hit = false;
            for (int i = 0; i < kQuickKeyItems; ++i) {
                const char* item = items + i * quickkey::kItemSize;
                if (Word(item) == goodsNumber) {
                    hit = true;
                } else {
                    kept.append(item, quickkey::kItemSize);
                }
            }
            if (!hit) continue;
            const int removed = kQuickKeyItems - kept.size() / quickkey::kItemSize;
            kept.append(QByteArray(removed * quickkey::kItemSize, '\0'));
            std::memcpy(items, kept.constData(), kept.size());
            const int count = uint8_t(rec[quickkey::kCount]);
            rec[quickkey::kCount] = char(qMax(0, count - removed));
            image.WriteBytesAt(at, rec);
            ++changed;
        }
    }
    return changed;
}

int UnlinkPackagingFromGoods(WorkImage& image, int packaging) {
    if (packaging < 1 || packaging > 255) return 0;
    const QByteArray table = image.ReadBytesAt(kGoods.First(), kGoods.count * kGoods.recordSize);
    int changed = 0;
    for (int n = 1; n <= kGoods.count; ++n) {
        if (uint8_t(table[(n - 1) * kGoods.recordSize + goods::kPackaging]) != packaging) continue;
        image.WriteByteAt(kGoods.Offset(n) + goods::kPackaging, 0);
        ++changed;
    }
    return changed;
}

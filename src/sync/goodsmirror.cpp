#include "sync/goodsmirror.h"

#include <cstring>

#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "goods/goodstable.h"

using namespace layout;

namespace {
constexpr int kSlots = 2000;
constexpr int kSize = reggoods::kSize;
}  // namespace

const SyncMember& GoodsMember() {
    static const SyncMember goods{
        RecordTable::Goods,
        kGoodsCommand,
        kGoodsReplyLength,
        kSlots,
        2,
        reggoods::kName,
        goods::kNameWidth,
        ListRebuild::Always,
        WriteRules{RecordTable::Goods, WriteNumbering::PcRows, 1000, 1500, 450, true, true},
        DeleteRules{RecordTable::Goods, reggoods::kName, goods::kNameWidth, false, 650, true,
                    DeleteRefusal::ShowAndStop, true},
        RunEnd::MessagePauseRead,
        0,
        QStringLiteral(" towarów."),
        true,
        [](WorkImage& image) { return OccupiedGoods(image); },
        [](const QByteArray& reg) { return PcGoodsRecordFromRegister(reg); },
        nullptr,
        &RegisterGoodsFromPc};
    return goods;
}

RegisterGoodsMirror::RegisterGoodsMirror() : RegisterTableMirror(kSlots, kSize, 2) {}

QByteArray RegisterGoodsFromPc(const QByteArray& pc, const QByteArray& previous) {
    QByteArray r = previous.leftJustified(kSize, '\0', true);
    if (pc.size() < kGoods.recordSize) return r;
    if (Word(previous.constData()) == 0 || previous.size() < kSize) {
        r.fill('\0');
        r[reggoods::kHour] = char(24);  // never sold
    }
    r.replace(0, goods::kBarcode, pc.left(goods::kBarcode));                          // number, name, VAT, price
    r.replace(reggoods::kBarcode, goods::kBarcodeWidth + 4, pc.mid(goods::kBarcode, goods::kBarcodeWidth + 4));
    r[reggoods::kHalo] = pc[goods::kHalo];
    r[reggoods::kUnit] = pc[goods::kUnit];
    return r;
}

void RegisterGoodsMirror::UpdateFromPc(int n, const QByteArray& pc) {
    if (n < 1 || n > kSlots || pc.size() < kGoods.recordSize) return;
    char* slot = data_.data() + (n - 1) * kSize;
    std::memcpy(slot, pc.constData(), goods::kBarcode);                                 // 0-48
    std::memcpy(slot + reggoods::kBarcode, pc.constData() + goods::kBarcode, 17);      // 49-65 -> 57-73
}

QString PcGoodsListRow(WorkImage& image, int n) {
    const GoodsFields g = ReadGoodsRecord(image, n);
    return PadLeft(QString::number(n) + QStringLiteral(". "), 6) + FitRight(g.name, 20) + QLatin1Char(' ') +
           PadLeft(FormatHundredths(g.price), 10) + QLatin1Char(' ') + QLatin1Char(g.vat);
}

QString RegisterGoodsListRow(const QByteArray& r) {
    const char* p = r.constData();
    return PadRight(QString::number(Word(p)) + QStringLiteral(". "), 6) +
           FitRight(FromCp1250Field(p + reggoods::kName, goods::kNameWidth), 22) + QLatin1Char(' ') +
           PadLeft(FormatHundredths(Long(p + reggoods::kPrice)), 10) + QLatin1Char(' ') +
           QLatin1Char(p[reggoods::kVat]);
}

QString GoodsPrintLine(WorkImage& image, int n) {
    const GoodsFields g = ReadGoodsRecord(image, n);
    return FitRight(g.name, 20) + QLatin1Char(' ') + PadLeft(FormatHundredths(g.price), 10) + QLatin1Char(' ') +
           QLatin1Char(g.vat) + QStringLiteral("   ") +
           (g.fixedPrice ? QStringLiteral("    sztywna") : QStringLiteral("    ruchoma")) + QStringLiteral("   ") +
           g.barcode + PadLeft(QString::number(n), 6);
}

QString PrintedLine(const QString& line) { return line.right(4) + QLatin1Char(' ') + line.left(line.size() - 4); }

QString LastSaleText(const QByteArray& r) {
    const char* p = r.constData();
    const int hour = uint8_t(p[reggoods::kHour]);
    if (hour == 24) return QStringLiteral("Brak");
    return QString::number(Word(p + reggoods::kYear)) + QLatin1Char('-') +
           QString::number(uint8_t(p[reggoods::kMonth])) + QLatin1Char('-') +
           QString::number(uint8_t(p[reggoods::kDay])) + QStringLiteral("  ") + PadLeft(QString::number(hour), 2, '0') +
           QLatin1Char(':') + PadLeft(QString::number(uint8_t(p[reggoods::kMinute])), 2, '0');
}

bool UnsoldFor(const QByteArray& r, const QDate& today, int days) {
    const char* p = r.constData();
    int year = Word(p + reggoods::kYear);
    int month = uint8_t(p[reggoods::kMonth]);
    int day = uint8_t(p[reggoods::kDay]);
    if (year < 1980) year = 1980;
    if (month == 0) month = 1;
    if (day == 0) day = 1;
    const QDate last(year, month, day);
    if (!last.isValid()) return true;
    return last.daysTo(today) > days;
}

GaugeColour MemoryGaugeColour(int count) {
    if (count < 1000) return {count / 4, 250, 0};
    if (count == 1000) return {250, 250, 0};
    return {250, qMax(0, 250 - (count - 1000) / 4), 0};
}

QList<int> DifferingGoods(WorkImage& image, const RegisterGoodsMirror& mirror) {
    return DifferingRecords(image, GoodsMember(), mirror);
}

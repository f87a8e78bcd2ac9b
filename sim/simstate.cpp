#include "simstate.h"
#include "image/fields.h"

#include <QJsonArray>
#include <algorithm>
#include <cstring>

#include "common/text.h"

namespace {

void PutW(char* p, uint32_t v) { p[0] = char(v & 0xFF); p[1] = char((v >> 8) & 0xFF); }
void PutL(char* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF); }

void PutText(char* p, const QString& s, int width) {
    const QByteArray b = ToCp1250(s).left(width);
    std::memset(p, 0, size_t(width));
    std::memcpy(p, b.constData(), size_t(b.size()));
}

// Date and time of 6 bytes: year (16-bit), month, day, hour, minute.
void PutDate(char* p, const QDateTime& t, bool neverHour24) {
    if (!t.isValid()) {
        std::memset(p, 0, 6);
        if (neverHour24) p[4] = 24;
        return;
    }
    PutW(p, uint32_t(t.date().year()));
    p[2] = char(t.date().month());
    p[3] = char(t.date().day());
    p[4] = char(t.time().hour());
    p[5] = char(t.time().minute());
}

QDateTime GetDate(const char* p) {
    const QDate d{Word(p), uint8_t(p[2]), uint8_t(p[3])};
    const QTime t{uint8_t(p[4]), uint8_t(p[5])};
    if (!d.isValid() || !t.isValid()) return QDateTime();
    return QDateTime(d, t);
}

// A field of a register record as it appears in the state file.
struct Field {
    const char* name;
    char type;  // b u8, w u16, l u32, t text, c character, d/D date (d: never = hour 24), a u8 array, L u32 array
    int offset;
    int width;
};

const QList<Field> kGoodsFields = {
    {"number", 'w', 0, 2}, {"name", 't', 2, 42}, {"vat", 'c', 44, 1}, {"price", 'l', 45, 4},
    {"quantitySold", 'l', 49, 4}, {"valueSold", 'l', 53, 4}, {"barcode", 't', 57, 13},
    {"group", 'b', 70, 1}, {"packaging", 'b', 71, 1}, {"fixedPrice", 'b', 72, 1},
    {"byPieces", 'b', 73, 1}, {"halo", 'b', 74, 1}, {"lastSale", 'd', 75, 6}, {"unit", 'b', 81, 1}};
const QList<Field> kCashierFields = {
    {"number", 'b', 0, 1}, {"name", 't', 1, 21}, {"password", 't', 22, 4},
    {"cashTakings", 'l', 26, 4}, {"totalTakings", 'l', 30, 4}, {"receipts", 'w', 34, 2},
    {"cancelledReceipts", 'w', 36, 2}, {"cancelledAmount", 'l', 38, 4}, {"storno", 'w', 42, 2},
    {"stornoAmount", 'l', 44, 4}, {"cashIn", 'l', 48, 4}, {"cashOut", 'l', 52, 4},
    {"packagingReturns", 'l', 56, 4}, {"packagingIssues", 'l', 60, 4}, {"rights", 'a', 224, 7},
    {"lastLogin", 'D', 231, 6}, {"lastLogout", 'D', 237, 6}, {"workHours", 'w', 243, 2},
    {"workMinutes", 'b', 245, 1}, {"loggedIn", 'b', 246, 1}};
const QList<Field> kDiscountFields = {{"number", 'b', 0, 1}, {"name", 't', 1, 21}, {"kind", 'b', 22, 1},
                                      {"type", 'b', 23, 1},   {"value", 'l', 24, 4}, {"turnover", 'l', 28, 4},
                                      {"uses", 'l', 32, 4}};
const QList<Field> kPaymentFields = {{"number", 'b', 0, 1}, {"name", 't', 1, 21}, {"turnover", 'l', 22, 4},
                                     {"type", 'b', 26, 1},   {"uses", 'l', 27, 4}};
const QList<Field> kCurrencyFields = {{"number", 'b', 0, 1},   {"name", 't', 1, 21}, {"turnover", 'l', 22, 4},
                                      {"mantissa", 'l', 26, 4}, {"places", 'b', 30, 1}, {"symbol", 't', 31, 3},
                                      {"uses", 'l', 34, 4}};
const QList<Field> kGroupFields = {{"number", 'b', 0, 1}, {"name", 't', 1, 21}, {"takings", 'l', 22, 4}};
const QList<Field> kPackagingFields = {
    {"number", 'b', 0, 1},        {"name", 't', 1, 42},     {"price", 'l', 43, 4},
    {"intakesValue", 'l', 47, 4}, {"returnsValue", 'l', 51, 4}, {"lastSale", 'd', 55, 6},
    {"intakes", 'w', 61, 2},      {"returns", 'w', 63, 2},  {"fixedPrice", 'b', 65, 1}};
const QList<Field> kTurnoverFields = {{"month", 'b', 0, 1}, {"year", 'w', 1, 2}, {"groups", 'L', 3, 20}};

QJsonObject RecordToJson(const char* r, const QList<Field>& fields) {
    QJsonObject o;
    for (const Field& f : fields) {
        const char* p = r + f.offset;
        switch (f.type) {
            case 'b': o[f.name] = int(uint8_t(*p)); break;
            case 'w': o[f.name] = int(Word(p)); break;
            case 'l': o[f.name] = double(Long(p)); break;
            case 't': o[f.name] = FromCp1250Field(p, f.width); break;
            case 'c': o[f.name] = QString(QLatin1Char(*p)); break;
            case 'd':
            case 'D': {
                const QDateTime t = GetDate(p);
                o[f.name] = t.isValid() ? QJsonValue(t.toString(QStringLiteral("yyyy-MM-dd HH:mm"))) : QJsonValue();
                break;
            }
            case 'a': {
                QJsonArray a;
                for (int i = 0; i < f.width; ++i) a.append(int(uint8_t(p[i])));
                o[f.name] = a;
                break;
            }
            case 'L': {
                QJsonArray a;
                for (int i = 0; i < f.width; ++i) a.append(double(Long(p + 4 * i)));
                o[f.name] = a;
                break;
            }
        }
    }
    return o;
}

void RecordFromJson(char* r, const QJsonObject& o, const QList<Field>& fields) {
    for (const Field& f : fields) {
        char* p = r + f.offset;
        const QJsonValue v = o.value(QLatin1String(f.name));
        switch (f.type) {
            case 'b': *p = char(v.toInt()); break;
            case 'w': PutW(p, uint32_t(v.toInt())); break;
            case 'l': PutL(p, uint32_t(v.toDouble())); break;
            case 't': PutText(p, v.toString(), f.width); break;
            case 'c': *p = v.toString(QStringLiteral("A")).toLatin1().left(1).at(0); break;
            case 'd':
            case 'D':
                PutDate(p, QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-dd HH:mm")), f.type == 'd');
                break;
            case 'a': {
                const QJsonArray a = v.toArray();
                for (int i = 0; i < f.width; ++i) p[i] = char(i < a.size() ? a[i].toInt() : 0);
                break;
            }
            case 'L': {
                const QJsonArray a = v.toArray();
                for (int i = 0; i < f.width; ++i) PutL(p + 4 * i, uint32_t(i < a.size() ? a[i].toDouble() : 0));
                break;
            }
        }
    }
}

QJsonArray TableToJson(const SimTable& t, const QList<Field>& fields) {
    QJsonArray a;
    for (int n = 1; n <= t.count; ++n)
        if (t.Present(n)) a.append(RecordToJson(t.Slot(n), fields));
    return a;
}

bool TableFromJson(SimTable& t, const QJsonValue& v, const QList<Field>& fields, const char* what,
                   QString* error) {
    if (v.isUndefined()) return true;
    t.data.fill('\0');
    for (const QJsonValue& item : v.toArray()) {
        const QJsonObject o = item.toObject();
        const int n = o.value(QStringLiteral("number")).toInt();
        if (!t.Holds(n)) {
            if (error) *error = QStringLiteral("%1: record number %2 outside 1-%3").arg(what).arg(n).arg(t.count);
            return false;
        }
        QByteArray rec(t.recordSize, '\0');
        if (t.recordSize == 82) rec[79] = 24;  // a goods record never sold unless stated
        RecordFromJson(rec.data(), o, fields);
        t.Set(n, rec);
    }
    return true;
}

}  // namespace

bool SimTable::Present(int n) const {
    if (!Holds(n)) return false;
    const char* p = Slot(n);
    return wideNumber ? Word(p) != 0 : p[0] != 0;
}

void SimTable::Set(int n, const QByteArray& rec) {
    if (!Holds(n)) return;
    std::memcpy(Slot(n), rec.constData(), size_t(std::min<int>(rec.size(), recordSize)));
}

int SimTable::Used() const {
    int used = 0;
    for (int n = 1; n <= count; ++n) used += Present(n) ? 1 : 0;
    return used;
}

QByteArray RegisterGoods(int number, const QString& name, char vat, uint32_t price, const QString& barcode,
                         int group, uint32_t quantitySold, uint32_t valueSold, const QDateTime& lastSale) {
    QByteArray r(82, '\0');
    char* p = r.data();
    PutW(p, uint32_t(number));
    PutText(p + 2, name, 42);
    p[44] = vat;
    PutL(p + 45, price);
    PutL(p + 49, quantitySold);
    PutL(p + 53, valueSold);
    const QByteArray code = barcode.toLatin1().right(13);
    std::memset(p + 57, '0', 13);
    std::memcpy(p + 57 + 13 - code.size(), code.constData(), size_t(code.size()));
    p[70] = char(group);
    p[73] = 1;
    PutDate(p + 75, lastSale, true);
    return r;
}

QByteArray RegisterCashier(int number, const QString& name, const QString& password) {
    QByteArray r(324, '\0');
    r[0] = char(number);
    PutText(r.data() + 1, name, 21);
    PutText(r.data() + 22, password, 4);
    std::memset(r.data() + 224, 1, 7);
    return r;
}

QByteArray RegisterGroup(int number, const QString& name) {
    QByteArray r(26, '\0');
    r[0] = char(number);
    PutText(r.data() + 1, name, 21);
    return r;
}

SimState::SimState()
    : header(259, '\0'),
      footer(130, '\0'),
      halo(36, '\0'),
      units("kg l  m  "),
      settings(22, '\0'),
      functionKeys(100, '\0'),
      quickSaleKeys(300, '\0') {
    vat = QByteArray::fromHex("41FC08422003430000" "44F40145FEFF46FEFF47FFFF");
    cashiers.Set(1, RegisterCashier(1, QStringLiteral("Kierownik"), QStringLiteral("7519")));
    groups.Set(1, RegisterGroup(1, QStringLiteral("Grupa podstawowa")));
    static const uint32_t amounts[9] = {100, 200, 500, 1000, 2000, 3000, 5000, 10000, 50000};
    for (int i = 0; i < 9; ++i) PutL(halo.data() + 4 * i, amounts[i]);
    lastFiscalWrite = QDateTime(QDate(2026, 11, 30), QTime(21, 0));
    lastDailyReport = QDateTime(QDate(2026, 11, 30), QTime(21, 5));
    recordCurrencySet = QDateTime(QDate(2024, 1, 2), QTime(8, 0));
    nip = "5260001246";
}

QByteArray SimState::InfoPayload() const {
    const int size = longInfo ? 115 : 106;
    const int nipWidth = longInfo ? 17 : 10;
    const int shift = longInfo ? 0 : 7;  // fields behind the NIP move up in the short layout
    QByteArray b(size, '\0');
    char* p = b.data();
    // A "pair year" (century, year in the century), month, day and, with time, hour
    // and minute.
    auto pair = [](char* q, const QDateTime& t, bool withTime = true) {
        if (!t.isValid()) return;
        q[0] = char(t.date().year() / 100);
        q[1] = char(t.date().year() % 100);
        q[2] = char(t.date().month());
        q[3] = char(t.date().day());
        if (!withTime) return;
        q[4] = char(t.time().hour());
        q[5] = char(t.time().minute());
    };
    PutW(p, uint32_t(softwareVersion));
    std::memcpy(p + 2, programMemory.left(10).leftJustified(10, '\0').constData(), 10);
    std::memcpy(p + 12, uniqueNumber.left(12).leftJustified(12, '\0').constData(), 12);
    std::memcpy(p + 24, nip.left(nipWidth).leftJustified(nipWidth, '\0').constData(), size_t(nipWidth));
    char* q = p + 41 - shift;  // the fields from the fiscal signature on
    PutW(q, uint32_t(fiscalSignature));
    q[2] = char(workingMode);
    q[3] = char(memoryState);
    pair(q + 4, lastFiscalWrite, false);
    pair(q + 8, lastDailyReport);
    PutW(q + 14, uint32_t(dailyReportNumber));
    q[16] = char(copyMedium);
    q[17] = char(ramResets);
    PutW(q + 18, uint32_t(receiptsSinceDaily));
    PutL(q + 20, uint32_t(receiptsSinceFiscalization));
    q[24] = 0;  // sale started
    q[25] = 0;  // service mode
    q[26] = header.left(252).count('\0') == 252 ? 0 : 1;
    q[27] = char(vatWrites);
    q[28] = char(registerNumber);
    for (int n = 1; n <= cashiers.count; ++n)
        if (cashiers.Present(n) && cashiers.Slot(n)[246]) std::memcpy(q + 29, cashiers.Slot(n) + 1, 21);
    std::memcpy(q + 50, recordCurrency.left(3).leftJustified(3, ' ').constData(), 3);
    pair(q + 53, recordCurrencySet);
    q[59] = currencyChangePlanned ? 1 : 0;
    std::memcpy(q + 60, newRecordCurrency.left(3).constData(), size_t(newRecordCurrency.left(3).size()));
    if (currencyChangeDate.isValid()) {
        PutW(q + 63, uint32_t(currencyChangeDate.date().year()));
        q[65] = char(currencyChangeDate.date().month());
        q[66] = char(currencyChangeDate.date().day());
        q[67] = char(currencyChangeDate.time().hour());
        q[68] = char(currencyChangeDate.time().minute());
    }
    q[69] = 0;  // COM A: PC
    q[70] = 2;  // COM B: scanner
    q[71] = 1;  // USB: PC
    if (longInfo) PutW(q + 72, uint32_t(copyCardSize));
    return b;
}

QByteArray SimState::ElectronicCopyText() const {
    QByteArray text;
    for (int receipt = 1; receipt <= 3; ++receipt) {
        text += "          PARAGON FISKALNY\n";
        text += "Nr " + QByteArray::number(receipt) + "\n";
        for (int n = 1; n <= goods.count && text.size() < 4000; ++n) {
            if (!goods.Present(n) || n % 3 != receipt % 3) continue;
            text += QByteArray(goods.Slot(n) + 2, 42).replace('\0', ' ').trimmed() + "  1 x " +
                    QByteArray::number(Long(goods.Slot(n) + 45) / 100.0, 'f', 2) + "\n";
        }
        text += "--------------------------------\n";
    }
    return text;
}

QJsonObject SimState::ToJson() const {
    QJsonObject o;
    o["goods"] = TableToJson(goods, kGoodsFields);
    o["cashiers"] = TableToJson(cashiers, kCashierFields);
    o["discounts"] = TableToJson(discounts, kDiscountFields);
    o["paymentForms"] = TableToJson(paymentForms, kPaymentFields);
    o["currencies"] = TableToJson(currencies, kCurrencyFields);
    o["groups"] = TableToJson(groups, kGroupFields);
    o["packagings"] = TableToJson(packagings, kPackagingFields);
    QJsonArray months;
    for (const QByteArray& m : turnover) months.append(RecordToJson(m.constData(), kTurnoverFields));
    o["turnover"] = months;
    QJsonArray keys;
    for (int n = 1; n <= quickKeys.count; ++n)
        if (quickKeys.Slot(n)[0]) keys.append(QString::fromLatin1(quickKeys.Record(n).toHex()));
    o["quickKeys"] = keys;
    o["vat"] = QString::fromLatin1(vat.toHex());
    o["header"] = QString::fromLatin1(header.toHex());
    o["footer"] = QString::fromLatin1(footer.toHex());
    o["halo"] = QString::fromLatin1(halo.toHex());
    o["units"] = FromCp1250(units);
    o["settings"] = QString::fromLatin1(settings.toHex());
    o["nip"] = QString::fromLatin1(nip);
    o["longInfo"] = longInfo;
    o["recordCurrency"] = QString::fromLatin1(recordCurrency);
    o["dailyReportNumber"] = dailyReportNumber;
    return o;
}

bool SimState::FromJson(const QJsonObject& o, QString* error) {
    SimState fresh;
    fresh.turnover.clear();
    if (!TableFromJson(fresh.goods, o.value("goods"), kGoodsFields, "goods", error) ||
        !TableFromJson(fresh.cashiers, o.value("cashiers"), kCashierFields, "cashiers", error) ||
        !TableFromJson(fresh.discounts, o.value("discounts"), kDiscountFields, "discounts", error) ||
        !TableFromJson(fresh.paymentForms, o.value("paymentForms"), kPaymentFields, "paymentForms", error) ||
        !TableFromJson(fresh.currencies, o.value("currencies"), kCurrencyFields, "currencies", error) ||
        !TableFromJson(fresh.groups, o.value("groups"), kGroupFields, "groups", error) ||
        !TableFromJson(fresh.packagings, o.value("packagings"), kPackagingFields, "packagings", error))
        return false;
    for (const QJsonValue& m : o.value("turnover").toArray()) {
        QByteArray rec(83, '\0');
        RecordFromJson(rec.data(), m.toObject(), kTurnoverFields);
        fresh.turnover.append(rec);
    }
    for (const QJsonValue& k : o.value("quickKeys").toArray()) {
        const QByteArray rec = QByteArray::fromHex(k.toString().toLatin1());
        const int c = rec.size() == 34 ? uint8_t(rec[0]) : 0;
        const int key = rec.size() == 34 ? uint8_t(rec[1]) : 0;
        if (c >= 1 && c <= 10 && key >= 1 && key <= 10) fresh.quickKeys.Set((c - 1) * 10 + key, rec);
    }
    auto hex = [&](const char* name, QByteArray& into, int size) {
        if (!o.contains(QLatin1String(name))) return;
        const QByteArray b = QByteArray::fromHex(o.value(QLatin1String(name)).toString().toLatin1());
        into = b.left(size).leftJustified(size, '\0');
    };
    hex("vat", fresh.vat, 21);
    hex("header", fresh.header, 259);
    hex("footer", fresh.footer, 130);
    hex("halo", fresh.halo, 36);
    hex("settings", fresh.settings, 22);
    if (o.contains("units")) fresh.units = ToCp1250(o.value("units").toString()).left(9).leftJustified(9, ' ');
    if (o.contains("nip")) fresh.nip = o.value("nip").toString().toLatin1();
    if (o.contains("longInfo")) fresh.longInfo = o.value("longInfo").toBool();
    if (o.contains("recordCurrency")) fresh.recordCurrency = o.value("recordCurrency").toString().toLatin1();
    if (o.contains("dailyReportNumber")) fresh.dailyReportNumber = o.value("dailyReportNumber").toInt();
    *this = fresh;
    return true;
}

void SimState::LoadDemo() {
    static const char* const names[] = {"Chleb wiejski",   "Bułka kajzerka",  "Mleko 2% 1l",     "Masło extra",
                                        "Ser żółty gouda", "Jogurt naturalny", "Jajka L 10 szt.", "Kawa mielona 250g",
                                        "Herbata czarna",  "Cukier 1kg",       "Mąka pszenna",    "Sok jabłkowy 1l",
                                        "Woda mineralna",  "Piwo jasne 0,5l",  "Czekolada gorzka", "Baton zbożowy",
                                        "Pomidory",        "Ziemniaki",        "Jabłka",          "Banany"};
    groups.Set(2, RegisterGroup(2, QStringLiteral("Nabiał")));
    groups.Set(3, RegisterGroup(3, QStringLiteral("Napoje")));
    PutL(groups.Slot(1) + 22, 152340);
    PutL(groups.Slot(2) + 22, 98410);
    PutL(groups.Slot(3) + 22, 45120);
    const QDateTime base(QDate(2026, 12, 9), QTime(17, 30));
    for (int i = 0; i < 20; ++i) {
        const int n = i + 1;
        const int group = (i >= 2 && i <= 6) ? 2 : (i >= 11 && i <= 13) ? 3 : 1;
        const uint32_t price = 199 + uint32_t(i) * 137;
        const bool sold = i % 4 != 3;
        const uint32_t quantity = sold ? uint32_t(10000 * (i + 2)) : 0;
        goods.Set(n, RegisterGoods(n, QString::fromUtf8(names[i]), i % 5 == 4 ? 'B' : 'A', price,
                                   QString::number(5900000000000LL + 17 * n), group, quantity,
                                   sold ? price * uint32_t(i + 2) : 0,
                                   sold ? base.addDays(-3 * i) : QDateTime()));
    }
    cashiers.Set(2, RegisterCashier(2, QStringLiteral("Anna"), QStringLiteral("1234")));
    cashiers.Set(3, RegisterCashier(3, QStringLiteral("Piotr"), QString()));
    PutL(cashiers.Slot(2) + 26, 125050);
    PutL(cashiers.Slot(2) + 30, 187420);
    PutW(cashiers.Slot(2) + 34, 57);
    cashiers.Slot(2)[246] = 1;
    PutDate(cashiers.Slot(2) + 231, base, false);
    QByteArray pf(31, '\0');
    pf[0] = 1;
    PutText(pf.data() + 1, QStringLiteral("Karta"), 21);
    PutL(pf.data() + 22, 61500);
    pf[26] = 1;
    PutL(pf.data() + 27, 12);
    paymentForms.Set(1, pf);
    QByteArray cur(42, '\0');
    cur[0] = 1;
    PutText(cur.data() + 1, QStringLiteral("Euro"), 21);
    PutL(cur.data() + 26, 42350000);
    cur[30] = 7;
    std::memcpy(cur.data() + 31, "EUR", 3);
    currencies.Set(1, cur);
    for (int month = 10; month <= 11; ++month) {
        QByteArray rec(83, '\0');
        rec[0] = char(month);
        PutW(rec.data() + 1, 2026);
        for (int g = 0; g < 3; ++g) PutL(rec.data() + 3 + 4 * g, uint32_t(100000 * (g + 1) + month * 1234));
        turnover.append(rec);
    }
}

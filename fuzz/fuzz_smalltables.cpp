// The small tables' record codecs, the editors' value parsers and the settings
// forms' values on arbitrary input. What must hold: a slot decoded and encoded again is the slot's size and
// decodes to the same fields; an accepted value lies within what the image and
// the register take, and a refused one says why.
#include <array>
#include <cstdint>
#include <cstdlib>

#include "common/text.h"
#include "image/smalltables.h"
#include "tables/settingvalues.h"
#include "tables/tablevalues.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

template <class Record>
void RoundTrip(const QByteArray& bytes, int size) {
    const Record first = Record::Decode(bytes);
    const QByteArray encoded = first.Encode();
    Require(encoded.size() == size);
    Require(Record::Decode(encoded).Encode() == encoded);
    Require(encoded[0] == char(first.number));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 4096)));
    RoundTrip<GroupRecord>(bytes, 22);
    RoundTrip<PackagingRecord>(bytes, 48);
    RoundTrip<CashierRecord>(bytes, 33);
    RoundTrip<DiscountRecord>(bytes, 28);
    RoundTrip<PaymentFormRecord>(bytes, 23);
    RoundTrip<CurrencyRecord>(bytes, 30);

    // The same bytes as text typed into a field.
    const QString text = FromCp1250(bytes.left(32));
    const Checked<int32_t> price = ParsePackagingPrice(text);
    Require(price.ok() ? price.value >= 1 && price.value <= 99999999 : !price.error.isEmpty());
    for (bool amount : {false, true}) {
        const Checked<int32_t> v = ParseDiscountValue(text, amount);
        if (v.ok()) Require(v.value >= 1 && v.value <= (amount ? 99999998 : 9999));
    }
    const Checked<RateDigits> rate = NormaliseCurrencyRate(text);
    if (rate.ok()) Require(rate.value.mantissa >= 0 && rate.value.places <= 32);
    (void)CheckCurrencyRate(text);
    Require(CurrencySymbolField(text).size() == 3);

    // The single-setting values: VAT rows, HALO fields, the register's unit names.
    std::array<VatRow, 7> rows;
    for (int i = 0; i < 7; ++i) rows[size_t(i)] = {VatState(size ? data[0] % 3 : 0), text.mid(i, 6)};
    const Checked<QByteArray> vat = VatTableFromRows(rows);
    Require(vat.ok() ? vat.value.size() == 21 : vat.error == QStringLiteral("Błędnie wypełnione pola!"));
    if (vat.ok())
        for (int i = 0; i < 7; ++i) Require(VatRowFromValue(uint16_t(uint8_t(vat.value[3 * i + 1]) | uint8_t(vat.value[3 * i + 2]) << 8)).has_value());
    const auto halo = ParseHaloAmounts(text.split(QLatin1Char(';')));
    if (halo.ok())
        for (int32_t a : halo.value) Require(a >= 0 && a <= 99999999);
    Require(GoodsUnitsFromReply(bytes.left(9)).size() == 3);
    (void)ParseDatabaseRate(text);
    return 0;
}

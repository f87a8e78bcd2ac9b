#include "image/fields.h"

#include <cmath>

#include "image/layout.h"

double CurrencyRate(uint32_t mantissa, uint8_t places) {
    return double(mantissa) / std::pow(10.0, places);
}

QString FormatCurrencyRate(int32_t mantissa, int places) {
    QString digits = QString::number(qAbs(qint64(mantissa)));
    while (digits.size() <= places) digits.prepend(QLatin1Char('0'));
    digits.insert(digits.size() - places, QLatin1Char(','));
    return mantissa < 0 ? QLatin1Char('-') + digits : digits;
}

VatRate DecodeVatRate(uint16_t value) {
    if (value == layout::kVatInactive) return {VatKind::Inactive, 0};
    if (value == layout::kVatExempt) return {VatKind::Exempt, 0};
    return {VatKind::Taxed, value};
}

QByteArray NormalisedBarcode(const QByteArray& raw) {
    QByteArray out = raw.left(layout::goods::kBarcodeWidth);
    out.replace(' ', '0');
    return out;
}

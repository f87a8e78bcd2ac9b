#pragma once
// The little-endian integers of the image, the frames and ustaw.cfg, and the
// readers of the image's field encodings.
#include <QByteArray>
#include <QString>
#include <cstdint>

inline uint16_t Word(const char* p) { return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8); }
inline uint32_t Long(const char* p) {
    return uint32_t(uint8_t(p[0])) | uint32_t(uint8_t(p[1])) << 8 | uint32_t(uint8_t(p[2])) << 16 |
           uint32_t(uint8_t(p[3])) << 24;
}
inline uint16_t Word(const uint8_t* p) { return Word(reinterpret_cast<const char*>(p)); }
inline uint32_t Long(const uint8_t* p) { return Long(reinterpret_cast<const char*>(p)); }
inline void PutWord(char* p, uint16_t v) {
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}
inline void PutLong(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
}

// Exchange rate mantissa / 10^places.
double CurrencyRate(uint32_t mantissa, uint8_t places);
// Currency rate as text: mantissa digits, zeros in front while the digit count does
// not exceed the places, "," before the last `places` digits (at the end for 0).
QString FormatCurrencyRate(int32_t mantissa, int places);

enum class VatKind { Taxed, Inactive, Exempt };
struct VatRate {
    VatKind kind;
    uint16_t hundredths;  // for Taxed
};
VatRate DecodeVatRate(uint16_t value);

// 13 barcode characters with blanks read as "0".
QByteArray NormalisedBarcode(const QByteArray& raw);

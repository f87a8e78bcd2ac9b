#pragma once
// The decimal values typed into the small-table editors, checked and converted
// to what the image stores, or refused with the message the user is shown.
#include <QByteArray>
#include <QString>
#include <cstdint>

template <class T>
struct Checked {
    T value{};
    QString error;  // empty: accepted
    bool ok() const { return error.isEmpty(); }
};

// Packaging price in grosz: "." read as ",", value x 1000 x 0.1 truncated; zero,
// negative and unreadable prices are refused, and so is one the register's
// 32-bit price could not hold.
Checked<int32_t> ParsePackagingPrice(const QString& text);

// Discount or surcharge value in hundredths: digits and one ",", at most two
// decimals, floor(x * 100 + 0.001), then the limits of a percentage (1-9999) or
// an amount (1-99999998).
Checked<int32_t> ParseDiscountValue(const QString& text, bool amount);

// The first look at an exchange rate (after its first "." became ","): a number
// with "," as the decimal separator, at most 999999,99. Empty when acceptable.
QString CheckCurrencyRate(const QString& text);

struct RateDigits {
    int32_t mantissa = 0;
    uint8_t places = 0;
};
// The rate as eight significant digits and their decimal count: 4,1234 ->
// 41234000 with 7 places.
Checked<RateDigits> NormaliseCurrencyRate(const QString& text);

// The currency symbol as stored: blank-filled on the right to three characters.
QByteArray CurrencySymbolField(const QString& text);

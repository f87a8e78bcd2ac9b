#pragma once
// Number formats shared by every window.
#include <QString>
#include <optional>

// Grosz (or hundredths of a percent) as text: at least three digits, "," before the
// last two: 5 -> "0,05", 1250 -> "12,50".
QString FormatHundredths(qint64 value);
// Ten-thousandths of a unit: at least five digits, "," before the last four:
// 10000 -> "1,0000".
QString FormatQuantity(qint64 value);
// Digits of value padded with "0" to at least minDigits, with "," before the last
// `decimals` digits (no comma when decimals is 0).
QString FormatFixed(qint64 value, int decimals, int minDigits);

// A decimal number typed by the user or read from a file: "." is taken as the
// decimal comma, blanks around it are ignored, an exponent is allowed.
std::optional<double> ParseDecimal(QString text);
// A number with "," as its only decimal separator (a "." makes it no number),
// as the rate and VAT fields read theirs.
std::optional<double> ParseCommaDecimal(const QString& text);
// Grosz from a decimal value the way the goods editor and the CSV import convert:
// floor(value * 100 + 0,001).
qint64 GroszFromDecimal(double value);
// An integer as the program reads its entry fields: optional blanks in front,
// an optional sign, decimal digits, nothing else.
std::optional<qint64> ParseInteger(const QString& text);

// Text padded on the left / right with `fill` to at least `width` characters.
QString PadLeft(const QString& text, int width, QChar fill = QLatin1Char(' '));
QString PadRight(const QString& text, int width, QChar fill = QLatin1Char(' '));
// Cut or blank-padded to exactly width characters.
QString FitRight(const QString& text, int width);

// The message of a field that had to hold a whole number and does not.
QString NotAnIntegerMessage(const QString& text);

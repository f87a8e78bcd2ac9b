#include "common/numbers.h"

#include <cmath>

QString FormatFixed(qint64 value, int decimals, int minDigits) {
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    if (digits.size() < minDigits) digits = QString(minDigits - digits.size(), QLatin1Char('0')) + digits;
    if (decimals > 0) digits.insert(digits.size() - decimals, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString FormatHundredths(qint64 value) { return FormatFixed(value, 2, 3); }

QString FormatQuantity(qint64 value) { return FormatFixed(value, 4, 5); }

std::optional<double> ParseDecimal(QString text) {
    text = text.trimmed();
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    // Exactly one optional sign, digits, at most one comma, an optional exponent.
    int i = 0;
    const int n = text.size();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
    int digits = 0;
    bool comma = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
        } else if (c == QLatin1Char(',') && !comma) {
            comma = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) ++j;
        int expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) ++j, ++expDigits;
        if (expDigits == 0) return std::nullopt;
        i = j;
    }
    if (i != n) return std::nullopt;
    QString c = text;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<double> ParseCommaDecimal(const QString& text) {
    if (text.contains(QLatin1Char('.'))) return std::nullopt;
    return ParseDecimal(text);
}

qint64 GroszFromDecimal(double value) {
    const double g = std::floor(value * 100.0 + 0.001);
    if (g > 9.0e15) return qint64(9e15);
    if (g < -9.0e15) return qint64(-9e15);
    return qint64(g);
}

std::optional<qint64> ParseInteger(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' ')) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n) return std::nullopt;
    qint64 v = 0;
    for (; i < n; ++i) {
        const ushort c = text[i].unicode();
        if (c < '0' || c > '9') return std::nullopt;
        if (v > 100000000000000LL) return std::nullopt;  // far beyond any field
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

QString PadLeft(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text : QString(width - text.size(), fill) + text;
}

QString PadRight(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text : text + QString(width - text.size(), fill);
}

QString FitRight(const QString& text, int width) { return PadRight(text.left(width), width); }

QString NotAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' nie jest prawidłową liczbą całkowitą.").arg(text);
}

#include "tables/tablevalues.h"

#include <cmath>

#include "common/numbers.h"
#include "common/text.h"

namespace {
bool Digit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }
}  // namespace

Checked<int32_t> ParsePackagingPrice(const QString& text) {
    const QString bad = QStringLiteral("     Błędna wartość w polu Cena     ");
    QString t = text;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    const auto value = ParseDecimal(t);
    if (!value) return {0, bad};
    const double grosz = std::trunc(*value * 1000.0 * 0.1);
    if (grosz < 0) return {0, bad};
    if (grosz == 0) return {0, QStringLiteral("     Cena musi mieć wartość niezerową     ")};
    if (grosz > 99999999.0) return {0, bad};
    return {int32_t(grosz), QString()};
}

Checked<int32_t> ParseDiscountValue(const QString& text, bool amount) {
    int comma = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (Digit(text[i])) continue;
        if (text[i] == QLatin1Char(',') && comma < 0) {
            comma = i;
            continue;
        }
        return {0, QStringLiteral("Błędna wartość w polu Wartosc")};
    }
    if (comma >= 0 && text.size() - comma - 1 > 2) return {0, QStringLiteral("Błędna wartość w polu Wartość")};
    // Each digit weighted by its power of ten relative to the comma.
    const int units = comma < 0 ? int(text.size()) : comma;
    double x = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (i == comma) continue;
        const int power = i < units ? units - 1 - i : units - i;
        x += (text[i].unicode() - '0') * std::pow(10.0, power);
    }
    const double count = std::floor(x * 100 + 0.001);
    if (!amount) {
        if (count < 1 || count > 9999)
            return {0, QStringLiteral("    Wartość rabatu/narzutu procentowego musi zawierać się w przedziale: "
                                      "0,01 % - 99,99 %      ")};
    } else if (count < 1) {
        return {0, QStringLiteral("    Wartość rabatu/narzutu kwotowego nie może być mniejsza lub równa 0     ")};
    } else if (count > 99999998) {
        return {0, QStringLiteral("    Maksymalna wartość rabatu/narzutu kwotowego to 999999,98     ")};
    }
    return {int32_t(count), QString()};
}

QString CheckCurrencyRate(const QString& text) {
    // "," is the only separator here: a "." left after the first one is refused.
    const auto value = ParseCommaDecimal(text);
    if (!value) return QStringLiteral("Błędnie wypełnione pole KURS!");
    if (*value > 999999.99) return QStringLiteral("Zbyt duża wartosc w polu KURS!");
    return QString();
}

Checked<RateDigits> NormaliseCurrencyRate(const QString& typed) {
    QString text = typed;
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    const QString bad = QStringLiteral("Błędna wartość w polu Kurs");
    if (text.isEmpty() || text[0] == QLatin1Char(',') ||
        (text[0] == QLatin1Char('0') && (text.size() < 2 || text[1] != QLatin1Char(','))))
        return {{}, bad};
    int comma = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (Digit(text[i])) continue;
        if (text[i] != QLatin1Char(',') || comma >= 0) return {{}, bad};
        comma = i;
    }
    int places = comma < 0 ? 0 : int(text.size()) - comma - 1;
    // A trailing comma stays in the digit string, which then reads as no number.
    if (comma >= 0 && places > 0) text.remove(comma, 1);
    while (text.size() < 8) {
        text.append(QLatin1Char('0'));
        ++places;
    }
    const auto mantissa = ParseInteger(text);
    if (text.contains(QLatin1Char(',')) || !mantissa || *mantissa > INT32_MAX)
        return {{}, QStringLiteral("     Błędna wartość w polu Kurs     ")};
    return {{int32_t(*mantissa), uint8_t(places)}, QString()};
}

QByteArray CurrencySymbolField(const QString& text) {
    QByteArray b = ToCp1250(text).left(3);
    return b + QByteArray(3 - b.size(), ' ');
}

#include "tables/settingvalues.h"

#include <cmath>

#include "common/numbers.h"
#include "common/text.h"
#include "image/layout.h"

namespace {
const QString kBadFields = QStringLiteral("Błędnie wypełnione pola!");

QString WithFirstDotAsComma(QString text) {
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0) text[dot] = QLatin1Char(',');
    return text;
}
}  // namespace

std::optional<VatRow> VatRowFromValue(uint16_t value) {
    if (value == layout::kVatInactive) return VatRow{VatState::Inactive, QStringLiteral("0.00")};
    if (value == layout::kVatExempt) return VatRow{VatState::Exempt, QStringLiteral("0.00")};
    if (value > 9999) return std::nullopt;
    return VatRow{VatState::Taxed, FormatFixed(value, 2, 3).replace(QLatin1Char(','), QLatin1Char('.'))};
}

Checked<QByteArray> VatTableFromRows(const std::array<VatRow, 7>& rows) {
    QByteArray table;
    for (int i = 0; i < 7; ++i) {
        const VatRow& r = rows[size_t(i)];
        uint16_t value = r.state == VatState::Exempt ? layout::kVatExempt : layout::kVatInactive;
        if (r.state == VatState::Taxed) {
            const auto x = ParseCommaDecimal(WithFirstDotAsComma(r.text));
            if (!x) return {{}, kBadFields};
            const double hundredths = std::floor(*x * 100 + (i == 0 ? 0.0001 : 0.001));
            if (!(hundredths >= 0 && hundredths <= 9999)) return {{}, kBadFields};
            value = uint16_t(hundredths);
        }
        table.append(char('A' + i)).append(char(value & 0xFF)).append(char(value >> 8));
    }
    return {table, QString()};
}

QByteArray RecordCurrencySymbolField(const QString& symbol) {
    const QByteArray b = ToCp1250(symbol).left(3);
    return QByteArray(3 - b.size(), ' ') + b;
}

std::optional<double> ParseDatabaseRate(const QString& text) { return ParseCommaDecimal(WithFirstDotAsComma(text)); }

QString FormatRate(double rate) { return QString::number(rate, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')); }

QString PaddedNip(const QString& nip) { return nip.size() >= 10 ? nip : nip + QString(10 - nip.size(), QLatin1Char('0')); }

QString FormatHaloAmount(int32_t grosz) { return FormatHundredths(grosz); }

Checked<std::array<int32_t, 9>> ParseHaloAmounts(const QStringList& fields) {
    std::array<int32_t, 9> out{};
    for (int i = 0; i < 9; ++i) {
        const auto x = ParseDecimal(i < fields.size() ? fields[i] : QString());
        if (!x) return {{}, kBadFields};
        const double grosz = std::trunc(*x * 100);
        // Neither a negative amount nor one beyond the register's prices.
        if (grosz < 0 || grosz > 99999999) return {{}, kBadFields};
        out[size_t(i)] = int32_t(grosz);
    }
    return {out, QString()};
}

QString GoodsUnitText(const QString& unit) { return FitRight(unit, 3); }

QStringList GoodsUnitsFromReply(const QByteArray& nine) {
    QByteArray b = nine.left(9);
    b.append(9 - b.size(), '\0');
    return {FromCp1250Field(b.constData(), 3), FromCp1250Field(b.constData() + 3, 3),
            FromCp1250Field(b.constData() + 6, 3)};
}

namespace {
QString VatText(const QByteArray& table, int i) {
    if (table.size() < 3 * (i + 1)) return QStringLiteral("?");
    const auto row = VatRowFromValue(uint16_t(uint8_t(table[3 * i + 1]) | uint8_t(table[3 * i + 2]) << 8));
    if (!row) return QStringLiteral("?");
    switch (row->state) {
        case VatState::Taxed: return row->text + QLatin1Char('%');
        case VatState::Exempt: return QStringLiteral("zwolniona");
        case VatState::Inactive: break;
    }
    return QStringLiteral("nieaktywna");
}
}  // namespace

QStringList VatChanges(const QByteArray& from, const QByteArray& to) {
    QStringList out;
    for (int i = 0; i < 7; ++i) {
        const QString before = VatText(from, i);
        const QString after = VatText(to, i);
        if (before != after || before == QLatin1String("?"))
            out << QStringLiteral("PTU %1: %2 -> %3").arg(QChar(QLatin1Char(char('A' + i))), before, after);
    }
    return out;
}

#include "goods/goodstable.h"

#include <QCollator>
#include <algorithm>

#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"

using namespace layout;

QString GoodsNameKey(const QString& name) {
    static const QString lower = QStringLiteral("ąćęłńóśźż");
    static const QString upper = QStringLiteral("ĄĆĘŁŃÓŚŹŻ");
    QString key;
    for (QChar c : name.left(goods::kNameWidth)) {
        const int polish = lower.indexOf(c);
        if (polish >= 0) c = upper[polish];
        const ushort u = c.unicode();
        const bool keep = c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char('.') ||
                          c == QLatin1Char(',') || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') ||
                          (u >= 'a' && u <= 'z') || upper.contains(c);
        if (keep) key.append(c);
    }
    return key.toUpper();
}

std::optional<qint64> ParsePrice(const QString& text) {
    const auto value = ParseDecimal(text);
    if (!value) return std::nullopt;
    return GroszFromDecimal(*value);
}

QList<int> OccupiedGoods(WorkImage& image) {
    QList<int> out;
    const QByteArray table = image.ReadBytesAt(kGoods.First(), kGoods.count * kGoods.recordSize);
    for (int n = 1; n <= kGoods.count; ++n) {
        const char* p = table.constData() + (n - 1) * kGoods.recordSize;
        if (p[0] || p[1]) out.append(n);
    }
    return out;
}

QStringList GoodsGridRow(WorkImage& image, int number) {
    const GoodsFields g = ReadGoodsRecord(image, number);
    auto named = [&](int n, const layout::Table& table, int nameOffset, int width) {
        return image.ReadByteAt(table.Offset(n)) ? image.ReadTextAt(table.Offset(n) + nameOffset, width) : QString();
    };
    QString group = QString::number(g.group);
    if (g.group != 0 && kGroups.Holds(g.group))
        group += QLatin1Char(' ') + named(g.group, kGroups, group::kName, group::kNameWidth);
    const QString tandem = g.packaging == 0 ? QStringLiteral("Brak")
                           : kPackagings.Holds(g.packaging)
                               ? named(g.packaging, kPackagings, packaging::kName, packaging::kNameWidth)
                               : QString();
    auto yesNo = [](int flag) { return flag ? QStringLiteral("Tak") : QStringLiteral("Nie"); };
    auto orNone = [](int v) { return v ? QString::number(v) : QStringLiteral("Brak"); };
    return {QString::number(number),
            g.name,
            QString(QLatin1Char(g.vat)),
            FormatHundredths(g.price),
            g.barcode,
            group,
            tandem,
            yesNo(g.fixedPrice),
            yesNo(g.byPieces),
            orNone(g.halo),
            orNone(g.unit)};
}

int NextFreeGoodsNumber(WorkImage& image, int current) {
    for (int n = qMax(current + 1, 1); n <= kGoods.count; ++n)
        if (image.ReadWordAt(kGoods.Offset(n)) == 0) return n;
    return 0;
}

namespace {
QStringList Entries(WorkImage& image, const layout::Table& table, int nameOffset, int width, const QString& sep) {
    QStringList out;
    for (int n = 1; n <= table.count; ++n) {
        QString entry = QString::number(n);
        if (image.ReadByteAt(table.Offset(n))) entry += sep + image.ReadTextAt(table.Offset(n) + nameOffset, width);
        out << entry;
    }
    return out;
}
}  // namespace

QStringList GroupEntries(WorkImage& image, const QString& sep) {
    return Entries(image, kGroups, group::kName, group::kNameWidth, sep);
}

QStringList PackagingEntries(WorkImage& image, const QString& sep) {
    return Entries(image, kPackagings, packaging::kName, packaging::kNameWidth, sep);
}

QStringList CashierEntries(WorkImage& image) {
    return Entries(image, kCashiers, cashier::kName, cashier::kNameWidth, QStringLiteral(" ")).mid(0, 10);
}

QList<GoodsChoice> GoodsChoiceLines(WorkImage& image) {
    QList<GoodsChoice> lines;
    // One read of the whole table, not one per record.
    const QByteArray table = image.ReadBytesAt(kGoods.First(), kGoods.recordSize * kGoods.count);
    for (int n = 1; n * kGoods.recordSize <= table.size(); ++n) {
        const char* p = table.constData() + (n - 1) * kGoods.recordSize;
        if (Word(p + goods::kNumber) == 0) continue;
        const QString name = FromCp1250Field(p + goods::kName, goods::kNameWidth);
        lines << GoodsChoice{n, (QString::number(n) + QStringLiteral(". ")).rightJustified(6) +
                                    name.leftJustified(20, QLatin1Char(' '), true) + QLatin1Char(' ') +
                                    FormatHundredths(int32_t(Long(p + goods::kPrice))).rightJustified(10) +
                                    QLatin1Char(' ') + QLatin1Char(p[goods::kVat])};
    }
    return lines;
}

void SortGoodsRows(QList<QStringList>& rows, int column, bool descending) {
    if (column < 0) return;
    auto value = [column](const QStringList& r) {
        const QString cell = r.value(column);
        if (column == 0) return double(ParseInteger(cell).value_or(0));
        return QString(cell).remove(QLatin1Char(' ')).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    };
    if (column == 0 || column == 3) {
        std::stable_sort(rows.begin(), rows.end(), [&](const QStringList& a, const QStringList& b) {
            return descending ? value(b) < value(a) : value(a) < value(b);
        });
        return;
    }
    // Sort keys once per row: 2000 names sort at once.
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    QList<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) keys.append({collator.sortKey(rows[i].value(column)), i});
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return descending ? c > 0 : c < 0;
    });
    QList<QStringList> sorted;
    sorted.reserve(rows.size());
    for (const auto& k : keys) sorted.append(rows[k.second]);
    rows = sorted;
}

bool GoodsRowMatches(const QStringList& row, const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return true;
    return row.value(0).startsWith(t) || row.value(1).contains(t, Qt::CaseInsensitive) ||
           row.value(4).contains(t, Qt::CaseInsensitive);
}

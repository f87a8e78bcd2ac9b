#include "printing/barcodesheet.h"

#include "printing/code128.h"

PrintFont BarcodeTextFont() { return PrintFont{QStringLiteral("MS Sans Serif"), 12}; }

double DotsPerMm(const PageMetrics& m) { return m.dpiX * 0.0393700787; }

QList<PrintPage> LayoutBarcodeSheet(const QList<BarcodeItem>& items, int barHeightMm, const PageMetrics& m) {
    const double dpmm = DotsPerMm(m);
    const int rowHeightMm = barHeightMm + 15;
    const int barDots = int(barHeightMm * dpmm);
    const PrintFont font = BarcodeTextFont();
    auto measure = [&](const QString& text) { return m.measure ? m.measure(font, text) : QSize(0, 0); };
    QList<PrintPage> pages{PrintPage{}};
    int row = 0;
    for (int i = 0; i < items.size(); ++i) {
        PrintPage& page = pages.last();
        const BarcodeItem& item = items[i];
        const int top = int(row * dpmm * rowHeightMm) + 200;
        const Code128 code = EncodeCode128(item.barcode);
        // A symbol too long for the scale rule is left out; its texts still print.
        if (const int s = Code128Scale(code); s > 0) {
            // Module copies counted from the first dark one, 10 pixels each; a run
            // of dark copies is one bar.
            const QString modules = Code128Modules(code);
            QList<bool> copies;
            for (qsizetype j = modules.indexOf(QLatin1Char('1')); j < modules.size(); ++j)
                for (int copy = 0; copy < s; ++copy) copies << (modules[j] == QLatin1Char('1'));
            const int x0 = m.width / 2 - 600;
            for (int k = 0; k < copies.size();) {
                if (!copies[k]) {
                    ++k;
                    continue;
                }
                int end = k;
                while (end < copies.size() && copies[end]) ++end;
                page.rects.append({x0 + 10 * k, top, x0 + 10 * end, top + barDots});
                k = end;
            }
        }
        const QString digits = QString::fromLatin1(item.barcode);
        const QSize digitsSize = measure(digits);
        const QSize nameSize = measure(item.name);
        page.texts.append({m.width / 2 - digitsSize.width() / 2, top + barDots + 10, digits, false, false, font});
        page.texts.append(
            {m.width / 2 - nameSize.width() / 2, top + barDots + 15 + nameSize.height(), item.name, false, false, font});
        ++row;
        if (row * dpmm * rowHeightMm + 200 + barDots + 15 + 2 * nameSize.height() > m.height) {
            if (i + 1 < items.size()) pages.append(PrintPage{});
            row = 0;
        }
    }
    return pages;
}

#include "printing/goodslist.h"

#include <QPoint>

namespace {

const QString kTitle = QStringLiteral("BAZA TOWAROWA");

QString Footer(int page, int pages) {
    return QStringLiteral("Strona: ") + QString::number(page) + QLatin1Char('/') + QString::number(pages);
}

// The pages are laid out first and the footers written afterwards, so the page
// total is the number of pages that are really printed.
void WriteFooters(QList<PrintPage>& pages, const QList<QPoint>& at) {
    for (int i = 0; i < pages.size(); ++i)
        pages[i].texts.append({at[i].x(), at[i].y(), Footer(i + 1, int(pages.size()))});
}

}  // namespace

QList<PrintPage> LayoutGoodsList(const QList<GoodsListRow>& rows, const PageMetrics& m) {
    const int W = m.width, H = m.height, cw = m.charWidth;
    const int P = m.textHeight + 145;
    const int xs[6] = {80, 5 * cw + 80, W - 43 * cw, W - 33 * cw, W - 29 * cw, W - 15 * cw};
    static const QString headings[6] = {QStringLiteral("PLU"), QStringLiteral("Nazwa"), QStringLiteral("Cena"),
                                        QStringLiteral("PTU"), QStringLiteral("Rodzaj ceny"),
                                        QStringLiteral("Kod kreskowy")};
    QList<PrintPage> pages;
    QList<QPoint> footers;
    int next = 0;
    do {
        PrintPage page;
        page.texts.append({W / 2 - 10 * cw, 80, kTitle, true, true});
        page.lines.append({0, P + 78, W - 10, P + 78});
        int r = 1;
        while (next < rows.size()) {
            const GoodsListRow& row = rows[next++];
            page.lines.append({0, (r + 1) * P + 78, W - 10, (r + 1) * P + 78});
            const QString cells[6] = {row.plu, row.name, row.price, row.vat, row.kind, row.barcode};
            for (int c = 0; c < 6; ++c) page.texts.append({xs[c], (r + 1) * P + 105, cells[c]});
            ++r;
            if (H < (r + 4) * P + 105) break;  // the page is full
        }
        for (int c = 0; c < 6; ++c) page.texts.append({xs[c], P + 105, headings[c], true});
        footers.append(QPoint(W / 2 - 10 * cw, (r + 1) * P + 105));
        const int bottom = (r + 1) * P + 78;
        page.lines.append({0, bottom, W - 10, bottom});
        const int verticals[7] = {0, 4 * cw + cw / 2 + 80, W + cw / 2 - 44 * cw, W + cw / 2 - 34 * cw,
                                  W + cw / 2 - 30 * cw, W + cw / 2 - 16 * cw, W - 10};
        for (int x : verticals) page.lines.append({x, bottom, x, P + 80});
        pages.append(page);
    } while (next < rows.size());
    WriteFooters(pages, footers);
    return pages;
}

QList<PrintPage> LayoutGoodsLines(const QStringList& lines, const PageMetrics& m) {
    const int W = m.width, H = m.height, w = m.charWidth;
    const int p = m.textHeight + 145;
    const int ruleEnd = 70 * w + w / 2 + 80;
    static const QString header =
        QStringLiteral("PLU  Nazwa                 Cena      PTU  Rodzaj ceny  Kod kreskowy   ");
    QList<PrintPage> pages;
    QList<QPoint> footers;
    int next = 0;
    do {
        PrintPage page;
        page.texts.append({W / 2 - 10 * w, 80, kTitle, true, true});
        page.texts.append({80, p + 105, header, true});
        page.lines.append({0, p + 78, ruleEnd, p + 78});
        int row = 1;
        while (next < lines.size()) {
            page.lines.append({0, (row + 1) * p + 78, ruleEnd, (row + 1) * p + 78});
            page.texts.append({80, (row + 1) * p + 105, lines[next++]});
            ++row;
            if ((row + 5) * p + 105 > H) break;
        }
        const int bottom = (row + 1) * p + 78;
        page.lines.append({0, bottom, ruleEnd, bottom});
        for (int k : {4, 26, 36, 40, 54, 70}) page.lines.append({k * w + w / 2 + 80, p + 78, k * w + w / 2 + 80, bottom});
        page.lines.append({0, p + 78, 0, bottom});
        footers.append(QPoint(W / 2 - 10 * w, (row + 1) * p + 105));
        pages.append(page);
    } while (next < lines.size());
    WriteFooters(pages, footers);
    return pages;
}

QList<PrintPage> LayoutTextLines(const QStringList& lines, const PageMetrics& m) {
    const int H = m.height, w = m.charWidth;
    const int p = m.textHeight + 60;  // line pitch
    QList<PrintPage> pages;
    QList<QPoint> footers;
    int next = 0;
    do {
        PrintPage page;
        int y = 80;
        // Two lines of room are kept for the footer.
        while (next < lines.size() && y + 3 * p <= H) {
            page.texts.append({80, y, lines[next], next == 0});
            ++next;
            y += p;
        }
        footers.append(QPoint(m.width / 2 - 10 * w, std::max(y + p, H - p)));
        pages.append(page);
    } while (next < lines.size());
    WriteFooters(pages, footers);
    return pages;
}

#pragma once
// What a printout draws, page by page, in printer pixels: computed from the page
// size and the font's measures, then drawn by the printing window. Text positions
// are the top-left corners of the texts.
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

struct PrintText {
    int x;
    int y;
    QString text;
    bool bold = false;
    bool italic = false;
};
struct PrintLine {
    int x1, y1, x2, y2;
    bool operator==(const PrintLine&) const = default;
};
struct PrintPage {
    QList<PrintText> texts;
    QList<PrintLine> lines;
};

struct PageMetrics {
    int width;      // printable width W
    int height;     // printable height H
    int charWidth;  // width of "W" in the list font
    int textHeight;
};

struct GoodsListRow {
    QString plu, name, price, vat, kind, barcode;
};

// The goods list of the goods editor: ruled columns PLU, Nazwa, Cena, PTU, Rodzaj
// ceny, Kod kreskowy, "Strona: p/N" under each page.
QList<PrintPage> LayoutGoodsList(const QList<GoodsListRow>& rows, const PageMetrics& m);

// The goods list of the goods synchronization: one text line per goods.
QList<PrintPage> LayoutGoodsLines(const QStringList& lines, const PageMetrics& m);

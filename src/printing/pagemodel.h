#pragma once
// What a printout draws, page by page, in printer pixels: computed in the core
// from the page size and the fonts' measures, then drawn by the printer unit.
// Text positions are the top-left corners of the texts.
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

// A font of a printout; an empty family is the list font (Courier New 10 pt).
struct PrintFont {
    QString family;
    int points = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintFont&) const = default;
};

struct PrintText {
    int x;
    int y;
    QString text;
    bool bold = false;
    bool italic = false;
    PrintFont font = {};          // used when font.family is set
    unsigned colour = 0xFF000000;  // ARGB
};
struct PrintLine {
    int x1, y1, x2, y2;
    int width = 1;
    unsigned colour = 0xFF000000;
    bool operator==(const PrintLine&) const = default;
};
// A filled rectangle (a bar of a barcode, a key of the overlay), optionally
// outlined with a 1-pixel black pen.
struct PrintRect {
    int x1, y1, x2, y2;
    unsigned fill = 0xFF000000;
    bool outline = false;
};
struct PrintPage {
    QList<PrintRect> rects;
    QList<PrintLine> lines;
    QList<PrintText> texts;
};

// The size a text takes in a font, on the printer at hand.
using TextMeasure = std::function<QSize(const PrintFont&, const QString&)>;

struct PageMetrics {
    int width;      // printable width W
    int height;     // printable height H
    int charWidth;  // width of "W" in the list font
    int textHeight;
    int dpiX = 600;          // horizontal resolution, dots per inch
    TextMeasure measure = {};  // any font; set by the printer unit
};

#include "printing/keyboard.h"

#include <QPoint>
#include <cmath>

KeyboardTemplate KeyboardTemplate::Defaults() {
    static const char* const texts[24][3] = {
        {"", "F3", "F8"},       {"", "F4", "F9"},       {"", "F5", "F10"},       {"ILOŚĆ", "", ""},
        {"CENA", "", ""},       {"", "F2", "F7"},       {"SYMBOLE", "7", "WALUTA"}, {"ABC", "8", "WPŁ/WYP"},
        {"DEF", "9", "NIP"},    {"A/a", "", ""},        {"", "F1", "F6"},        {"GHI", "4", "PŁATNOŚCI"},
        {"JKL", "5", "STORNO"}, {"MNO", "6", "ANULUJ"}, {"", "", ""},            {"", "F", "FUNKCJE"},
        {"PQRS", "1", "RABAT"}, {"TUV", "2", "NARZUT"}, {"WXYZ", "3", "KAUCJA"}, {"", "KOD", ""},
        {"", "C", ""},          {"SPACJA", "0", "SZUFLADA"}, {"", ",", "PAPIER"}, {"", "RAZEM", ""},
    };
    KeyboardTemplate t;
    for (int k = 0; k < 24; ++k) {
        t.keys[k].top = QString::fromUtf8(texts[k][0]);
        t.keys[k].middle = QString::fromUtf8(texts[k][1]);
        t.keys[k].bottom = QString::fromUtf8(texts[k][2]);
    }
    return t;
}

Arrow ArrowOf(int key) {
    switch (key) {
        case 4: return Arrow::Right;
        case 5: return Arrow::Left;
        case 10: return Arrow::Up;
        case 15: return Arrow::Down;
        default: return Arrow::None;
    }
}

int ArrowIndex(int key) {
    switch (key) {
        case 4: return 0;
        case 5: return 1;
        case 10: return 2;
        case 15: return 3;
        default: return -1;
    }
}

int KeyRow(int key) { return key <= 20 ? (key - 1) / 5 : 4; }
int KeyColumn(int key) { return key <= 20 ? (key - 1) % 5 : key - 21; }

QList<PrintLine> ArrowLines(Arrow arrow, int x, int y, int size, int width, unsigned argb) {
    if (arrow == Arrow::None) return {};
    // A shaft across the middle half of the box and a head of two strokes.
    const int c = size / 2, a = size / 4, h = size / 6;
    auto at = [&](int dx, int dy) {
        // Drawn for "right" and turned for the other directions.
        switch (arrow) {
            case Arrow::Right: return QPoint(x + c + dx, y + c + dy);
            case Arrow::Left: return QPoint(x + c - dx, y + c + dy);
            case Arrow::Up: return QPoint(x + c + dy, y + c - dx);
            case Arrow::Down: return QPoint(x + c + dy, y + c + dx);
            case Arrow::None: break;
        }
        return QPoint(x, y);
    };
    auto line = [&](QPoint p, QPoint q) { return PrintLine{p.x(), p.y(), q.x(), q.y(), width, argb}; };
    return {line(at(-a, 0), at(a, 0)), line(at(a, 0), at(a - h, -h)), line(at(a, 0), at(a - h, h))};
}

QList<PrintPage> LayoutKeyboard(const KeyboardTemplate& t, const PageMetrics& m) {
    const double ppmm = m.dpiX / 25.4;
    const int q = int(13 * ppmm);
    const int wide = int(100 + 3 * q + 31 * ppmm);  // key 24's right edge
    auto size = [&](const PrintFont& f, const QString& text) {
        return m.measure && !text.isEmpty() ? m.measure(f, text) : QSize(0, 0);
    };
    // The largest size from `start` down at which the text is no wider than `limit`.
    auto fit = [&](const QString& text, int start, bool bold, int limit) {
        PrintFont f{QStringLiteral("Arial"), start, bold};
        while (f.points > 1 && size(f, text).width() > limit) --f.points;
        return f;
    };
    PrintPage page;
    for (int k = 1; k <= 24; ++k) {
        const KeyLabel& key = t.keys[k - 1];
        const int r = KeyRow(k), col = KeyColumn(k);
        const int x1 = 100 + col * q, y1 = 100 + r * q;
        page.rects.append({x1, y1, k == 24 ? wide : x1 + q, y1 + q, 0xFF000000 | key.background, true});
        // x of a text of width w centred in the key.
        auto centred = [&](int w) { return k == 24 ? 100 + 3 * q + int(31 * ppmm * 0.5 - w / 2) : x1 + q / 2 - w / 2; };
        auto put = [&](const QString& text, const PrintFont& f, unsigned colour, int y) {
            if (text.isEmpty()) return;
            page.texts.append({centred(size(f, text).width()), y, text, false, false, f, 0xFF000000 | colour});
        };
        // Key 24's top and bottom texts are not fitted; its middle may take two pitches.
        const int limit = k == 24 ? 1 << 30 : q;
        const PrintFont top = fit(key.top, 6, false, limit);
        put(key.top, top, key.topColour, int(100 + r * q + 0.5 * ppmm));
        const Arrow arrow = ArrowOf(k);
        if (arrow != Arrow::None) {
            // The arrow keys' middle and bottom texts are never printed.
            const int box = q / 2;
            page.lines.append(ArrowLines(arrow, x1 + (q - box) / 2, y1 + (q - box) / 2, box, qMax(1, int(0.6 * ppmm)),
                                         0xFF000000 | t.arrowColours[ArrowIndex(k)]));
            continue;
        }
        const PrintFont middle = fit(key.middle, 16, true, k == 24 ? 2 * q : q);
        put(key.middle, middle, key.middleColour, 100 + r * q + q / 2 - size(middle, key.middle).height() / 2);
        const PrintFont bottom = fit(key.bottom, 6, false, limit);
        put(key.bottom, bottom, key.bottomColour, 100 + r * q + int(q - 0.5 * ppmm - size(bottom, key.bottom).height()));
    }
    return {page};
}

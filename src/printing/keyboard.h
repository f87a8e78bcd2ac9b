#pragma once
// The register's keyboard overlay: 24 keys with three texts each, their colours
// and backgrounds, kept in memory for the program's run, and its printed page at
// the keys' real size.
#include <QString>
#include <array>

#include "printing/pagemodel.h"

struct KeyLabel {
    QString top, middle, bottom;
    unsigned topColour = 0x000000, middleColour = 0x000000, bottomColour = 0x000000;  // 0xRRGGBB
    unsigned background = 0xFFFFFF;
};

enum class Arrow { None, Right, Left, Up, Down };

struct KeyboardTemplate {
    std::array<KeyLabel, 24> keys;                  // key k at keys[k - 1]
    std::array<unsigned, 4> arrowColours{};         // keys 4, 5, 10, 15
    static KeyboardTemplate Defaults();
};

// Keys 4, 5, 10 and 15 carry an arrow instead of their middle and bottom texts.
Arrow ArrowOf(int key);
int ArrowIndex(int key);  // 0-3, or -1
// Row and column (from 0) of a key; key 24 is the double-width key from column 3.
int KeyRow(int key);
int KeyColumn(int key);

// One page: the keys as 13 mm squares (key 24 31 mm wide) from (100, 100), each
// filled with its background and outlined, its texts fitted, the arrows drawn.
QList<PrintPage> LayoutKeyboard(const KeyboardTemplate& t, const PageMetrics& m);
// The lines of an arrow centred in the box, pointing its way.
QList<PrintLine> ArrowLines(Arrow arrow, int x, int y, int size, int width, unsigned argb);

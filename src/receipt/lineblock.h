#pragma once
// The receipt header and footer: lines of characters that may print large, their
// paragraph alignment, and the register's block of fixed 42-byte lines where a
// 0x01 marker comes before each large character.
#include <QByteArray>
#include <QList>
#include <QString>

enum class LineAlign { Left, Centre, Right };

struct RichChar {
    QChar ch;
    bool large = false;
    bool operator==(const RichChar&) const = default;
};
struct RichLine {
    QList<RichChar> chars;
    LineAlign align = LineAlign::Centre;
    bool operator==(const RichLine&) const = default;
    // Positions in the register's line: a large character takes two (its marker).
    int Positions() const;
    QString Text() const;
};
using RichText = QList<RichLine>;

constexpr int kLineWidth = 42;

// The lines as the register takes them, each padded to 42 by its alignment
// (centred: blanks alternately at the end and the front, the end first), a line
// of 42 or more positions unchanged; cut or zero-filled to `width` bytes.
QByteArray BuildLineBlock(const RichText& text, int width);
// The whole stored block: the lines (252 or 126 bytes), the line count, then one
// tall-line flag per line slot.
QByteArray HeaderBlock(const RichText& text, const QList<bool>& tall);  // 259 bytes
QByteArray FooterBlock(const RichText& text);                           // 130 bytes
// Back from a stored block: `count` lines, markers made large characters again,
// the padding trimmed and the alignment guessed from it.
RichText RichTextFromBlock(const QByteArray& block, int lineSlots);
// Lines longer than 42 positions cut to 42; the 1-based numbers of the lines cut.
QList<int> CutLongLines(RichText& text);

#include "receipt/lineblock.h"

#include "common/text.h"
#include "image/layout.h"

int RichLine::Positions() const {
    int n = 0;
    for (const RichChar& c : chars) n += c.large ? 2 : 1;
    return n;
}

QString RichLine::Text() const {
    QString s;
    for (const RichChar& c : chars) s += c.ch;
    return s;
}

QByteArray BuildLineBlock(const RichText& text, int width) {
    QByteArray block;
    for (const RichLine& line : text) {
        QByteArray bytes;
        for (const RichChar& c : line.chars) {
            if (c.large) bytes += '\x01';
            bytes += ToCp1250(QString(c.ch)).left(1);
        }
        bool atEnd = true;
        while (bytes.size() < kLineWidth) {
            switch (line.align) {
                case LineAlign::Left: bytes += ' '; break;
                case LineAlign::Right: bytes.prepend(' '); break;
                case LineAlign::Centre:
                    if (atEnd) bytes += ' ';
                    else bytes.prepend(' ');
                    atEnd = !atEnd;
                    break;
            }
        }
        block += bytes;
    }
    return block.left(width).leftJustified(width, '\0');
}

namespace {
QByteArray Block(const RichText& text, int lines, const QList<bool>& tall) {
    QByteArray b = BuildLineBlock(text, lines * kLineWidth);
    b += char(qMin<qsizetype>(text.size(), lines));
    for (int i = 0; i < lines; ++i) b += char(tall.value(i) ? 1 : 0);
    return b;
}
}  // namespace

QByteArray HeaderBlock(const RichText& text, const QList<bool>& tall) { return Block(text, layout::kHeaderLines, tall); }

QByteArray FooterBlock(const RichText& text) { return Block(text, layout::kFooterLines, {}); }

RichText RichTextFromBlock(const QByteArray& block, int lineSlots) {
    const int count = qBound(0, block.size() > lineSlots * kLineWidth ? int(uint8_t(block[lineSlots * kLineWidth])) : 0,
                             lineSlots);
    RichText text;
    for (int i = 0; i < count; ++i) {
        QByteArray bytes = block.mid(i * kLineWidth, kLineWidth);
        const int end = bytes.indexOf('\0');
        if (end >= 0) bytes.truncate(end);
        int lead = 0, trail = 0;
        while (lead < bytes.size() && bytes[lead] == ' ') ++lead;
        while (trail < bytes.size() - lead && bytes[bytes.size() - 1 - trail] == ' ') ++trail;
        RichLine line;
        // Blanks on both sides that differ by at most one: centred; in front only: right.
        line.align = lead > 0 && trail > 0 && qAbs(lead - trail) <= 1 ? LineAlign::Centre
                     : lead > 0 && trail == 0                          ? LineAlign::Right
                     : lead == 0 && trail == 0 && !bytes.isEmpty()      ? LineAlign::Centre
                                                                        : LineAlign::Left;
        if (bytes.size() == lead) line.align = LineAlign::Centre;  // a blank line
        // Only the padding goes: a left line keeps its own leading blanks.
        const QByteArray body = line.align == LineAlign::Left  ? bytes.left(bytes.size() - trail)
                                : line.align == LineAlign::Right ? bytes.mid(lead)
                                                                 : bytes.mid(lead, bytes.size() - lead - trail);
        bool large = false;
        for (char b : body) {
            if (b == '\x01') {
                large = true;
                continue;
            }
            const QString ch = FromCp1250(QByteArray(1, b));
            line.chars << RichChar{ch.isEmpty() ? QChar(0xFFFD) : ch.front(), large};
            large = false;
        }
        text << line;
    }
    return text;
}

QList<int> CutLongLines(RichText& text) {
    QList<int> cut;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].Positions() <= kLineWidth) continue;
        while (text[i].Positions() > kLineWidth) text[i].chars.removeLast();
        cut << i + 1;
    }
    return cut;
}

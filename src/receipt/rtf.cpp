#include "receipt/rtf.h"

#include <QHash>
#include <QSet>

#include "common/text.h"

namespace {

// Windows-1252's characters at 0x80-0x9F; the rest of its upper half is Latin-1.
const char16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar FromByte(uint8_t b, bool cp1250) {
    if (cp1250) {
        const QString s = FromCp1250(QByteArray(1, char(b)));
        return s.isEmpty() ? QChar(0xFFFD) : s.front();
    }
    if (b >= 0x80 && b < 0xA0) return QChar(kCp1252High[b - 0x80]);
    return QChar(b);
}

// Groups whose content is never text.
const QSet<QByteArray> kSkipped{"fonttbl",  "colortbl", "stylesheet", "info",     "pict",     "object",
                                "header",   "footer",   "headerl",    "headerr",  "headerf",  "footerl",
                                "footerr",  "footerf",  "listtable",  "listoverridetable", "rsidtbl",
                                "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
                                "datastore", "pgdsctbl", "revtbl",    "fldinst",  "filetbl",  "bkmkstart",
                                "bkmkend",  "template", "nonshppict", "shp",      "footnote", "annotation"};

struct State {
    int fontSize = 24;  // half-points
    int font = 0;
    LineAlign align = LineAlign::Left;
    bool skip = false;
    bool fontTable = false;  // font names are not text
    int uc = 1;
};

}  // namespace

std::optional<RichText> ReadRtf(const QByteArray& file) {
    const QByteArray t = file.trimmed();
    if (!t.startsWith("{\\rtf")) return std::nullopt;
    RichText text;
    RichLine line;
    QList<State> stack{State{}};
    bool ansi1250 = false;
    QHash<int, bool> fontIs1250;  // fonts whose charset is Eastern European (238)
    int fontInTable = -1;
    int skipFallback = 0;  // characters of a \u's fallback still to drop
    bool closed = false;
    auto add = [&](QChar c) {
        State& s = stack.last();
        if (s.skip || s.fontTable) return;
        if (skipFallback > 0) {
            --skipFallback;
            return;
        }
        line.chars << RichChar{c, s.fontSize >= kLargeHalfPoints};
    };
    auto endParagraph = [&] {
        line.align = stack.last().align;
        text << line;
        line = RichLine{};
    };
    int i = 0;
    const int n = int(t.size());
    while (i < n) {
        const char c = t[i];
        if (closed) return std::nullopt;  // text after the document's closing brace
        if (c == '{') {
            stack << stack.last();
            ++i;
            continue;
        }
        if (c == '}') {
            if (stack.size() == 1) return std::nullopt;
            stack.removeLast();
            if (stack.size() == 1) closed = true;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            add(FromByte(uint8_t(c), ansi1250 || fontIs1250.value(stack.last().font)));
            ++i;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= n) return std::nullopt;
        const char k = t[i];
        if (k == '\'') {
            bool ok = false;
            const uint8_t b = uint8_t(t.mid(i + 1, 2).toUInt(&ok, 16));
            if (!ok) return std::nullopt;
            i += 3;
            add(FromByte(b, ansi1250 || fontIs1250.value(stack.last().font)));
            continue;
        }
        if (k == '\\' || k == '{' || k == '}') {
            add(QChar(QLatin1Char(k)));
            ++i;
            continue;
        }
        if (k == '*') {
            stack.last().skip = true;  // an optional destination this reader does not know
            ++i;
            continue;
        }
        if (k == '~') {
            add(QLatin1Char(' '));
            ++i;
            continue;
        }
        if (k == '_') {
            add(QLatin1Char('-'));
            ++i;
            continue;
        }
        if (!((k >= 'a' && k <= 'z') || (k >= 'A' && k <= 'Z'))) {
            ++i;  // \- \| \: and the like: nothing to show
            continue;
        }
        const int start = i;
        while (i < n && ((t[i] >= 'a' && t[i] <= 'z') || (t[i] >= 'A' && t[i] <= 'Z'))) ++i;
        const QByteArray word = t.mid(start, i - start);
        bool hasParam = false;
        int param = 0;
        const int numberStart = i;
        if (i < n && (t[i] == '-' || (t[i] >= '0' && t[i] <= '9'))) {
            ++i;
            while (i < n && t[i] >= '0' && t[i] <= '9' && i - numberStart < 10) ++i;
            param = t.mid(numberStart, i - numberStart).toInt(&hasParam);
        }
        if (i < n && t[i] == ' ') ++i;  // the delimiter belongs to the word
        State& s = stack.last();
        if (word == "fonttbl") {
            s.fontTable = true;
            continue;
        }
        if (kSkipped.contains(word)) {
            s.skip = true;
            continue;
        }
        if (word == "ansicpg") ansi1250 = param == 1250;
        else if (word == "f" && hasParam && s.fontTable) fontInTable = param;
        else if (word == "f" && hasParam) s.font = param;
        else if (word == "fcharset" && s.fontTable && fontInTable >= 0) fontIs1250[fontInTable] = param == 238;
        else if (word == "fs" && hasParam) s.fontSize = param;
        else if (word == "plain") s.fontSize = 24;
        else if (word == "pard") s.align = LineAlign::Left;
        else if (word == "ql" || word == "qj") s.align = LineAlign::Left;
        else if (word == "qc") s.align = LineAlign::Centre;
        else if (word == "qr") s.align = LineAlign::Right;
        else if (word == "uc" && hasParam) s.uc = qBound(0, param, 10);
        else if (word == "u" && hasParam) {
            add(QChar(char16_t(param < 0 ? param + 65536 : param)));
            skipFallback = s.uc;
        } else if ((word == "par" || word == "line") && !s.skip && !s.fontTable) {
            endParagraph();
        } else if (word == "tab") {
            add(QLatin1Char(' '));
        }
    }
    if (stack.size() > 1 && !closed) return std::nullopt;
    if (!line.chars.isEmpty()) endParagraph();
    return text;
}

QByteArray WriteRtf(const RichText& text) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238 Courier New;}}\n"
                     "\\uc1\\f0\\fs20\n";
    for (const RichLine& line : text) {
        out += "\\pard";
        out += line.align == LineAlign::Centre ? "\\qc" : line.align == LineAlign::Right ? "\\qr" : "\\ql";
        out += ' ';
        bool large = false;
        for (const RichChar& c : line.chars) {
            if (c.large != large) {
                out += c.large ? "\\fs40 " : "\\fs20 ";
                large = c.large;
            }
            const char16_t u = c.ch.unicode();
            if (u == '\\' || u == '{' || u == '}') out += '\\' + QByteArray(1, char(u));
            else if (u >= 0x20 && u < 0x80) out += char(u);
            else {
                const QByteArray fallback = ToCp1250(QString(c.ch)).left(1);
                out += "\\u" + QByteArray::number(int(int16_t(u))) + "\\'" +
                       fallback.toHex().rightJustified(2, '0');
            }
        }
        if (large) out += "\\fs20 ";
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

#include "printing/code128.h"

namespace {

// Bar and space widths of symbol values 0-106 (106 is the stop, 7 elements).
const char* const kPatterns[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

constexpr int kStartA = 103, kStartB = 104, kStartC = 105;
constexpr int kCodeA = 101, kCodeB = 100;
enum class Set { A, B, C };

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Lower(uint8_t c) { return c >= 96 && c <= 127; }

int LeadingDigits(const QByteArray& t, int from) {
    int n = 0;
    while (from + n < t.size() && Digit(t[from + n])) ++n;
    return n;
}

// The start rule on the text from `from` on.
Set ChooseSet(const QByteArray& t, int from) {
    if (LeadingDigits(t, from) >= 5) return Set::C;
    bool lowerAfterControl = false;
    for (int i = from + 1; i < t.size(); ++i) {
        const uint8_t c = uint8_t(t[i]), before = uint8_t(t[i - 1]);
        if (Lower(c) && before >= 32) return Set::B;
        if (Lower(c) && before < 32) lowerAfterControl = true;
    }
    return lowerAfterControl ? Set::A : Set::B;
}

int ValueIn(Set set, uint8_t c) { return set == Set::B || c >= 32 ? c - 32 : c + 64; }
// Code set A holds no lower case, code set B no control characters (nor bytes
// above 127, which become their low seven bits' symbol in B).
bool Fits(Set set, uint8_t c) { return set == Set::A ? c < 96 : c >= 32; }

}  // namespace

Code128 EncodeCode128(const QByteArray& text) {
    Code128 code;
    Set set = ChooseSet(text, 0);
    code.symbols << (set == Set::C ? kStartC : set == Set::A ? kStartA : kStartB);
    for (int i = 0; i < text.size();) {
        if (set == Set::C) {
            if (LeadingDigits(text, i) >= 2) {
                code.symbols << (text[i] - '0') * 10 + (text[i + 1] - '0');
                i += 2;
                continue;
            }
            set = ChooseSet(text, i) == Set::A ? Set::A : Set::B;
            code.symbols << (set == Set::A ? kCodeA : kCodeB);
            continue;
        }
        const uint8_t c = uint8_t(text[i]) & 0x7F;
        if (!Fits(set, c)) {
            set = set == Set::A ? Set::B : Set::A;
            code.symbols << (set == Set::A ? kCodeA : kCodeB);
        }
        code.symbols << ValueIn(set, c);
        ++i;
    }
    int sum = code.symbols[0];
    for (int i = 1; i < code.symbols.size(); ++i) sum += i * code.symbols[i];
    code.check = sum % 103;
    return code;
}

QString Code128Modules(const Code128& code) {
    QString modules;
    auto add = [&](const char* widths) {
        bool dark = true;
        for (const char* w = widths; *w; ++w, dark = !dark) modules += QString(*w - '0', dark ? QLatin1Char('1') : QLatin1Char('0'));
    };
    for (int s : code.symbols) add(kPatterns[s]);
    add(kPatterns[code.check]);
    add(kPatterns[106]);
    return modules;
}

int Code128Scale(const Code128& code) { return 284 / (11 * code.DataCount() + 55); }

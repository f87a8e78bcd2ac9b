// RTF files and stored header and footer blocks on arbitrary input. What must
// hold: a file read as RTF and written again reads back the same; any stored
// block gives a text whose block fits its table.
#include <cstdint>
#include <cstdlib>

#include "receipt/lineblock.h"
#include "receipt/rtf.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 65536)));
    if (const std::optional<RichText> text = ReadRtf(bytes)) {
        const std::optional<RichText> again = ReadRtf(WriteRtf(*text));
        Require(again.has_value());
        Require(*again == *text);
    }
    const RichText header = RichTextFromBlock(bytes, 6);
    Require(header.size() <= 6);
    Require(HeaderBlock(header, {}).size() == 259);
    RichText cut = RichTextFromBlock(bytes, 3);
    CutLongLines(cut);
    for (const RichLine& l : cut) Require(l.Positions() <= kLineWidth);
    Require(FooterBlock(cut).size() == 130);
    return 0;
}

// The electronic-copy stream reader on arbitrary bytes. What must hold: however
// the stream is cut into received blocks, the text and the end are the same as
// when it comes in one block, and no line break appears without its byte 10.
#include <cstdint>
#include <cstdlib>

#include "copy/ecopy.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int cut = data[0] % 17 + 1;  // block size of the second reading
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(qMin<size_t>(size - 1, 65536)));
    CopyStreamReader whole;
    const QString once = whole.Take(bytes);
    CopyStreamReader pieces;
    QString text;
    for (int at = 0; at < bytes.size(); at += cut) text += pieces.Take(bytes.mid(at, cut));
    Require(text == once);
    Require(pieces.Ended() == whole.Ended());
    Require(once.count(QStringLiteral("\r\n")) <= bytes.count('\n'));
    return 0;
}

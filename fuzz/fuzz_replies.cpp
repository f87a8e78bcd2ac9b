// The register's replies on a real pseudo-terminal, read by the program's own
// readers: every reply length the program reads, acknowledgements with busy and
// paper out, the automatic connection's read, and the check byte. Whatever
// arrives, a reader returns one of its results, never reads or writes outside
// its buffers, and the line stays usable.
#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "fuzzsupport.h"
#include "link/frames.h"

namespace {
// Every data reply length the program reads.
const int kLengths[] = {10, 11, 18, 30, 35, 40, 43, 45, 51, 62, 75, 91, 92, 115, 124, 265, 268, 333};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzLine* line = new FuzzLine;
    if (size < 3) return 0;
    const int reader = data[0] % 5;
    line->prompts.answers = data[1] | uint32_t(data[1]) << 8;
    line->prompts.asked = 0;
    const QByteArray reply(reinterpret_cast<const char*>(data) + 3, int(qMin<size_t>(size - 3, 2048)));
    RegisterLink& link = line->link;
    if (data[2] & 0x80) link.RequestCancel();
    else link.ClearCancel();
    line->Clear();
    line->Send(reply);
    switch (reader) {
        case 0: {
            const int r = ReadReply(link, kLengths[data[2] % std::size(kLengths)]).result;
            Require(r >= ReplyBadCrc && r <= ReplyStop);
            break;
        }
        case 1:
        case 2: {
            const int r = reader == 1 ? ReadAck(link) : ReadAckWait(link);
            Require((r >= AckAccepted && r <= AckBusy) || r == AckPaperStopped);
            break;
        }
        case 3: {
            // The automatic connection's test of an answer to its query.
            const int n = int(link.Read(10).size());
            Require(n >= 0 && n <= 10);
            break;
        }
        default: {
            // The check byte never looks past the buffer it is given, whatever
            // length the frame claims.
            const int n = int(qMin<size_t>(size - 3, 1024));
            uint8_t* copy = new uint8_t[size_t(qMax(n, 1))];
            std::memcpy(copy, data + 3, size_t(n));
            if (n >= 4) (void)FrameCrc8(copy, n);
            delete[] copy;
            break;
        }
    }
    Require(!link.Lost());
    return 0;
}

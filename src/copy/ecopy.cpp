#include "copy/ecopy.h"

#include <chrono>

#include "common/clock.h"
#include "common/text.h"
#include "link/frames.h"
#include "link/registerlink.h"

namespace {
constexpr int kBlock = 1000;
constexpr int kPassMs = 20;
constexpr int kSilenceMs = 10000;
constexpr uint8_t kReady = 0xAA;
}  // namespace

QString CopyStreamReader::Take(const QByteArray& block) {
    QByteArray text;
    QString out;
    auto flush = [&] {
        out += FromCp1250(text);
        text.clear();
    };
    QByteArray data = block;
    for (int i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (skip_ > 0) {
            --skip_;
            continue;
        }
        if (!header_.isEmpty()) {
            header_ += c;
            if (header_.size() < 4) continue;
            const int length = uint8_t(header_[2]) | uint8_t(header_[3]) << 8;
            // Not a frame after all: the bytes after the STX are the copy's, read
            // again as such.
            if (length < 9 || length > RegisterLink::kRxSize) {
                data.insert(i + 1, header_.mid(1));
                header_.clear();
                continue;
            }
            skip_ = length - 4;
            header_.clear();
            continue;
        }
        switch (uint8_t(c)) {
            case kStx: header_ = QByteArray(1, c); break;
            case 10:
                flush();
                out += QStringLiteral("\r\n");
                break;
            case 0: ended_ = true; break;
            default: text += c;
        }
    }
    flush();
    return out;
}

CopyStreamEnd ReceiveCopyStream(RegisterLink& link, const std::function<void(const QString&)>& append) {
    using Steady = std::chrono::steady_clock;
    CopyStreamReader reader;
    uint8_t block[kBlock];
    auto lastByte = Steady::now();
    const auto silence = std::chrono::milliseconds(link.clock().TimeoutMs(kSilenceMs));
    for (;;) {
        if (link.CancelRequested()) return CopyStreamEnd::Cancelled;
        // The pause between readiness bytes is spent waiting for the copy.
        const int got = link.ReadUntil(block, kBlock, Steady::now() + std::chrono::milliseconds(link.clock().TimeoutMs(kPassMs)));
        if (link.Lost()) return CopyStreamEnd::PortFailed;
        if (got > 0) {
            lastByte = Steady::now();
            const QString text = reader.Take(QByteArray(reinterpret_cast<const char*>(block), got));
            if (!text.isEmpty() && append) append(text);
            if (reader.Ended()) return CopyStreamEnd::Complete;
        } else if (Steady::now() - lastByte >= silence) {
            return CopyStreamEnd::Silent;
        }
        uint8_t ready = kReady;
        if (link.SendBytes(&ready, 1, 1) != 0) return CopyStreamEnd::PortFailed;
    }
}

#pragma once
#include <cstdint>

constexpr int kNoPort = 255;  // no port selected, or the port was abandoned

struct PortSettings {
    int port = kNoPort;     // COM 1-99
    uint32_t baud = 115200;
    uint8_t dataBits = 8;   // 5-8
    uint8_t parity = 0;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t stopBits = 0;   // 0 one, 1 one and a half, 2 two
    uint8_t xonXoff = 0;
    uint8_t rtsCts = 0;
    uint8_t spare[3] = {0, 0, 0};  // kept as read from ustaw.cfg
    bool operator==(const PortSettings&) const = default;
};

// The read and write time-outs of the port, as totals: multiplier per byte plus a
// constant, in milliseconds.
struct CommTimeouts {
    int readInterval = 0;
    int readMultiplier = 1;
    int readConstant = 100;
    int writeMultiplier = 10;
    int writeConstant = 100;
};

// The write time-out constant of one send attempt of n bytes.
inline int SendWriteConstant(int n, uint32_t baud) {
    return baud == 0 ? 10 : int(uint32_t(n) * 800u / baud + 10u);
}

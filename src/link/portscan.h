#pragma once
// Looking for registers on the COM ports: which ports open at all, and which
// answer the query at which register address. The search window, the
// transmission-settings port list and the main window's automatic connection all
// go through here. The link's cancel flag stops a scan between probes.
#include <QList>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/portsettings.h"

class RegisterLink;

constexpr int kMaxComPort = 99;

// The port numbers 1-99 that open with the link's line settings; a port held by
// another program does not. The link's port is closed first and every probe is
// closed again; the link's settings are never touched. `each` runs before each
// port is tried.
QList<int> OpenablePorts(RegisterLink& link, const std::function<void(int port)>& each = {});

struct FoundRegister {
    int port;
    int address;
    bool operator==(const FoundRegister&) const = default;
};

struct PortScan {
    QList<int> addresses{1};
    uint16_t frameNumber = 0;   // of each query
    bool firstOnly = false;     // stop at the first register
    // The line settings of the probes (the port number aside): the link's own
    // when none are given. Either way they are a copy.
    std::optional<PortSettings> settings;
    // Runs before each probe, once the port has opened.
    std::function<void(int port, int address)> probing;
};

// Every address in turn over every port (ports before addresses): open the port
// as a probe, send the query to the address and take a 10-byte 'A' frame as a
// register. The ports that do not open are skipped. Every probe is closed
// again and the link's settings are as before: a caller opens the port it
// chose. The link's cancel flag stops the scan between probes.
QList<FoundRegister> ScanPorts(RegisterLink& link, const QList<int>& ports, const PortScan& how);

// The automatic connection: at 115200 baud, the port forgotten first, the
// register at the link's address looked for on COM 1-99 and the first one found
// opened. False when none answered (no port chosen then).
bool ConnectFirstRegister(RegisterLink& link);

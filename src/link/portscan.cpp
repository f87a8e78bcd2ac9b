#include "link/portscan.h"

#include "link/commands.h"
#include "link/registerlink.h"

QList<int> OpenablePorts(RegisterLink& link, const std::function<void(int)>& each) {
    const PortSettings kept = link.settings;
    link.ClosePort();
    QList<int> ports;
    for (int n = 1; n <= kMaxComPort; ++n) {
        if (each) each(n);
        PortSettings probe = kept;
        probe.port = n;
        if (link.OpenPort(probe, false) == 0) {
            ports << n;
            link.ClosePort();
        }
    }
    link.settings = kept;
    return ports;
}

QList<FoundRegister> ScanPorts(RegisterLink& link, const QList<int>& ports, const PortScan& how) {
    QList<FoundRegister> found;
    for (int address : how.addresses) {
        for (int port : ports) {
            if (link.cancel) return found;
            PortSettings probe = link.settings;
            probe.port = port;
            if (link.OpenPort(probe, false) != 0) continue;
            if (how.probing) how.probing(port, address);
            link.ForgetLastReply();
            SendQuery(link, uint8_t(address), how.frameNumber);
            if (link.Read(10) == 10 && link.LastReplyWasFrame() && link.LastReplyWasAnswer()) {
                found.append({port, address});
                if (how.firstOnly) return found;
            }
            link.ClosePort();
        }
    }
    return found;
}

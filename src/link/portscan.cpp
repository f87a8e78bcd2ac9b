#include "link/portscan.h"

#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"

// Every probe opens with a copy of the user's line settings; the user's own
// settings are never touched, and their port stays closed until the caller opens it.
QList<int> OpenablePorts(RegisterLink& link, const std::function<void(int)>& each) {
    link.ClosePort();
    QList<int> ports;
    for (int n = 1; n <= kMaxComPort; ++n) {
        if (each) each(n);
        PortSettings probe = link.Settings();
        probe.port = n;
        if (link.OpenProbe(probe)) {
            ports << n;
            link.CloseProbe();
        }
    }
    return ports;
}

QList<FoundRegister> ScanPorts(RegisterLink& link, const QList<int>& ports, const PortScan& how) {
    QList<FoundRegister> found;
    PortSettings probe = how.settings.value_or(link.Settings());
    for (int address : how.addresses) {
        for (int port : ports) {
            if (link.CancelRequested()) return found;
            probe.port = port;
            if (!link.OpenProbe(probe)) continue;
            if (how.probing) how.probing(port, address);
            if (link.Send(QueryFrame(uint8_t(address), how.frameNumber))) {
                const QByteArray answer = link.Read(10);
                if (answer.size() == 10 && uint8_t(answer[0]) == kStx && uint8_t(answer[6]) == kAnswerCommand) {
                    found.append({port, address});
                    if (how.firstOnly) {
                        link.CloseProbe();
                        return found;
                    }
                }
            }
            link.CloseProbe();
        }
    }
    return found;
}

bool ConnectFirstRegister(RegisterLink& link) {
    PortSettings wanted = link.Settings();
    wanted.baud = 115200;
    wanted.port = kNoPort;
    link.UseSettings(wanted);
    QList<int> ports;
    for (int n = 1; n <= kMaxComPort; ++n) ports << n;
    PortScan scan;
    scan.addresses = {link.Address()};
    scan.frameNumber = kSingleFrame;
    scan.firstOnly = true;
    link.ClearCancel();
    const QList<FoundRegister> found = ScanPorts(link, ports, scan);
    if (found.isEmpty()) return false;
    wanted.port = found.first().port;
    return link.OpenPort(wanted, true) == 0;
}

#pragma once
// A simulated register on a real pseudo-terminal, linked as COMn in a private
// ports folder (TUVO_PORTS_DIR points there while the harness lives), serving the
// line on a thread of its own.
#include <QByteArray>
#include <QTemporaryDir>
#include <thread>

#include "link/registerlink.h"
#include "simulator.h"
#include "support/testsupport.h"

class SimHarness {
public:
    explicit SimHarness(int port = 1);
    ~SimHarness();
    // A second register on another port of the same ports folder.
    SimHarness(const SimHarness& first, int port);

    RegisterSimulator sim;
    QString PortsDir() const { return dir_; }

    void Pause();   // the register stops reading and answering
    void Resume();
    // The cable pulled: the line hangs up and its link disappears. Replug()
    // brings the register back on the same COM link.
    void Unplug();
    void Replug();
    // Frames the PC sent, and the same filtered by command byte.
    QList<QByteArray> Received() const { return sim.ReceivedFrames(); }
    QList<QByteArray> Received(uint8_t command) const;
    // Control frame statuses the PC sent, in order.
    QList<int> ControlStatuses() const;
    void AddFault(const QString& rule);

private:
    void Start(int port);
    QTemporaryDir* ownDir_ = nullptr;
    QString dir_;
    int port_ = 1;
    QByteArray oldPorts_;
    bool hadPorts_ = false;
    std::thread thread_;
};

// A frame as the register sends it (for expectations).
QByteArray RegisterFrame(int length, uint16_t number, uint8_t command, const QByteArray& payload,
                         uint8_t address = 1);

// The program's side of the line: a port of its own, with scripted prompts and a
// virtual clock, opened on the simulated register.
struct PortOnSim {
    ScriptedPrompts prompts;
    VirtualClock clock;
    RegisterLink link{prompts, clock};
    bool Open(int port = 1) {
        Choose(link, [&](PortSettings& s) { s.port = port; });
        return link.OpenRegisterPort(true) == 0;
    }
};

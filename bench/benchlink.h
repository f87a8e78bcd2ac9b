#pragma once
// What the link benchmarks share: prompts that print messages, answer No and
// cancel dialogs; the program's link on COM1 against the simulator paced like the
// line; and the line's ratio of elapsed to wire time.
#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/registerlink.h"
#include "simulator.h"

class SilentPrompts : public Prompts {
public:
    void Message(const QString& text, const QString&, PromptIcon) override {
        std::printf("  message: %s\n", qPrintable(text));
    }
    PromptAnswer Ask(const QString&, PromptButtons, PromptIcon, const QString&) override { return PromptAnswer::No; }
    QString OpenFileName(const FileDialogSpec&) override { return QString(); }
    QString SaveFileName(const FileDialogSpec&) override { return QString(); }
    bool ChoosePrinter(QPrinter*) override { return false; }
    bool ChooseColour(unsigned&) override { return false; }
};

// The program's link on COM1 at `baud`, against the simulator paced alike, with
// the port drained and the simulator's log cleared.
struct PacedLink {
    SilentPrompts prompts;
    SystemClock clock;
    RegisterLink link{prompts, clock};
    bool open = false;
    explicit PacedLink(RegisterSimulator& sim, int baud = 115200) {
        sim.SetBaud(baud);
        PortSettings s;
        s.port = 1;
        s.baud = uint32_t(baud);
        open = link.OpenPort(s, true) == 0;
        link.FlushPort();
        sim.ClearLog();
    }
};

// Every byte that crossed the line since the simulator's log was cleared.
inline qint64 LoggedBytes(const RegisterSimulator& sim) {
    qint64 n = 0;
    for (const LoggedFrame& f : sim.Log()) n += f.bytes.size();
    return n;
}

// The time `bytes` need on the line, 10 bits each.
constexpr double WireMs(double bytes, int baud = 115200) { return bytes * 10.0 / baud * 1000.0; }

inline void PrintRatio(const QString& what, double elapsed, double wire, const QString& note) {
    const double r = elapsed / wire;
    std::printf("%s\t%.3f\t%.3f\t%.3f\t%s, %.0f ms, wire %.0f ms\n", qPrintable(what), r, r, r, qPrintable(note),
                elapsed, wire);
    std::fflush(stdout);
}

// The program's own CPU time (this thread) over a run, per frame exchanged.
class CpuMeter {
public:
    CpuMeter() : start_(Now()) {}
    double PerFrame(int frames) const { return (Now() - start_) / std::max(frames, 1); }

private:
    static double Now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    double start_;
};

inline void PrintCpu(const QString& what, double msPerFrame) {
    std::printf("%s, program CPU per frame\t%.4f\t%.4f\t%.4f\tms\n", qPrintable(what), msPerFrame, msPerFrame,
                msPerFrame);
    std::fflush(stdout);
}

// The simulator linked as COM1 in `dir`, which the program's ports and TEMP
// then point to.
inline bool AttachAsCom1(RegisterSimulator& sim, const QString& dir) {
    qputenv("TUVO_PORTS_DIR", QFile::encodeName(dir));
    qputenv("TEMP", QFile::encodeName(dir));  // the work image of a run
    QString error;
    if (sim.Attach(dir + QStringLiteral("/COM1"), &error)) return true;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return false;
}

// The whole-register transfers against the simulated register paced like the
// line: the cache memory dump (8192 packets) at 115200 baud and at 921600, and
// the full register-to-PC copy of a filled register at 115200. Each prints its
// elapsed time as a ratio to the time its bytes need on the wire (every byte
// the simulator logged, both ways). `bench_copy --quick` leaves out the dump at
// 115200, which takes over three minutes of wire time alone.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

#include "benchlink.h"
#include "common/clock.h"
#include "copy/cachedump.h"
#include "copy/registercopy.h"
#include "image/imagestore.h"
#include "image/workimage.h"
#include "link/registerlink.h"
#include "simulator.h"

namespace {

void CacheDump(RegisterSimulator& sim, int baud, const QString& dir) {
    PacedLink paced(sim, baud);
    if (!paced.open) return;
    QElapsedTimer t;
    t.start();
    const CpuMeter cpu;
    const CacheDumpOutcome out = DumpCacheMemory(paced.link, dir + QStringLiteral("/Kopia_cache.bin"),
                                                 QDateTime::currentDateTime());
    // The 100 ms pause after the request is the register's time, not the line's.
    PrintRatio(QStringLiteral("cache memory dump, paced at %1, elapsed / wire time").arg(baud),
               t.nsecsElapsed() / 1e6 - 100, WireMs(LoggedBytes(sim), baud),
               QStringLiteral("%1 packets%2").arg(out.packets).arg(out.complete ? QString() : QStringLiteral(", INCOMPLETE")));
    PrintCpu(QStringLiteral("cache memory dump, paced at %1").arg(baud), cpu.PerFrame(out.packets));
}

void RegisterToPc(RegisterSimulator& sim) {
    PacedLink paced(sim, 115200);
    if (!paced.open) return;
    WorkImage image;
    if (CreateDatabaseImage(image, 1, QStringLiteral("PLN")) != 0) return;
    QElapsedTimer t;
    t.start();
    const CpuMeter cpu;
    const FromRegisterOutcome out =
        CopyRegisterToImage(paced.link, image, QList<bool>(kRegisterEntries, true));
    int records = 0;
    for (const TableRead& r : out.tables) records += r.records;
    PrintRatio(QStringLiteral("full register-to-PC copy, paced at 115200, elapsed / wire time"), t.nsecsElapsed() / 1e6,
               WireMs(LoggedBytes(sim)),
               QStringLiteral("%1 tables, %2 records%3").arg(out.tables.size()).arg(records)
                   .arg(out.failed ? QStringLiteral(", FAILED") : QString()));
    PrintCpu(QStringLiteral("full register-to-PC copy, paced at 115200"), cpu.PerFrame(records));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    QTemporaryDir dir;
    RegisterSimulator sim;
    if (!AttachAsCom1(sim, dir.path())) return 1;
    // A register programmed to the full: every goods, every small table, every quick key.
    sim.WithState([](SimState& s) {
        s.LoadDemo();
        for (int n = 1; n <= 2000; ++n)
            s.goods.Set(n, RegisterGoods(n, QStringLiteral("Towar numer %1").arg(n), 'A', 100 + n,
                                         QString::number(5900000000000LL + n), 1, 10000 * n, 100 * n));
        for (int c = 1; c <= 10; ++c)
            for (int k = 1; k <= 10; ++k) {
                QByteArray key(34, '\0');
                key[0] = char(c);
                key[1] = char(k);
                key[2] = 1;
                key[3] = char(k);
                s.quickKeys.Set((c - 1) * 10 + k, key);
            }
    });
    std::thread server([&] { sim.Run(); });
    RegisterToPc(sim);
    CacheDump(sim, 921600, dir.path());
    if (!quick) CacheDump(sim, 115200, dir.path());
    sim.Stop();
    server.join();
    return 0;
}

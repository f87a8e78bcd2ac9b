// zelk-tuvo-cli as a timer runs it, against the simulated register paced at
// 115200 and programmed to the full: `sales --all` (every goods record) and
// `backup`, each as a ratio of the whole process's time (start to exit) to the
// time its bytes need on the wire; and the start of `info`: the process's
// time with the exchange's wire time taken off.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <thread>

#include "benchlink.h"
#include "simulator.h"

namespace {

// Runs the command line once; its elapsed milliseconds, or -1 when it failed.
double Run(RegisterSimulator& sim, const QStringList& arguments) {
    sim.ClearLog();
    QProcess p;
    p.setProgram(QStringLiteral(CLI_EXECUTABLE));
    p.setArguments(arguments);
    QElapsedTimer t;
    t.start();
    p.start();
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s", p.readAllStandardError().constData());
        return -1;
    }
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    RegisterSimulator sim;
    if (!AttachAsCom1(sim, dir.path())) return 1;
    sim.SetBaud(115200);
    sim.WithState([](SimState& s) {
        s.LoadDemo();
        for (int n = 1; n <= 2000; ++n)
            s.goods.Set(n, RegisterGoods(n, QStringLiteral("Towar numer %1").arg(n), 'A', 100 + n,
                                         QString::number(5900000000000LL + n), 1, 10000 * n, 100 * n));
    });
    std::thread server([&] { sim.Run(); });
    const QString common = QStringLiteral("--port=1 --baud=115200");
    auto args = [&](const QString& line) { return (line + QLatin1Char(' ') + common).split(QLatin1Char(' ')); };

    double ms = Run(sim, args(QStringLiteral("sales --all --csv ") + dir.filePath(QStringLiteral("s.csv"))));
    if (ms > 0)
        PrintRatio(QStringLiteral("zelk-tuvo-cli sales --all (2000 goods), paced at 115200, process / wire time"), ms,
                   WireMs(LoggedBytes(sim)), QStringLiteral("whole process"));
    ms = Run(sim, args(QStringLiteral("backup --out ") + dir.filePath(QStringLiteral("b.zkf"))));
    if (ms > 0)
        PrintRatio(QStringLiteral("zelk-tuvo-cli backup (2000 goods, every table), paced at 115200, process / wire time"),
                   ms, WireMs(LoggedBytes(sim)), QStringLiteral("whole process"));
    QList<double> starts;
    for (int i = 0; i < 5; ++i) {
        ms = Run(sim, args(QStringLiteral("info")));
        if (ms > 0) starts << ms - WireMs(LoggedBytes(sim));
    }
    if (!starts.isEmpty()) {
        std::sort(starts.begin(), starts.end());
        std::printf("zelk-tuvo-cli info, process time less the exchange's wire time (ms)\t%.1f\t%.1f\t%.1f\tfive runs\n",
                    starts.first(), starts[starts.size() / 2], starts.last());
    }
    sim.Stop();
    server.join();
    return 0;
}

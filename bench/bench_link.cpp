// Downloads a 2000-goods table from the simulated register over a pseudo-terminal,
// unpaced and paced at 115200 baud, and compares the elapsed time with the time
// the bytes need on the wire. Also reports the program's CPU time per frame, the
// same download through the synchronization's read run, and a 2000-goods write
// run with fast sending against the paced simulator.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "benchlink.h"
#include "common/clock.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"
#include "image/workimage.h"
#include "reports/sales.h"
#include "simulator.h"
#include "sync/goodsmirror.h"

namespace {

double ThreadCpuMs() {
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The register alone: the same 2000-goods download by a minimal client (a
// blocking read of each whole frame, its control frame, nothing else), the
// pacing floor the program's own figures are set against.
double RegisterAloneMs(RegisterSimulator& sim, const QString& dir) {
    sim.SetBaud(115200);
    const QByteArray path = QFile::encodeName(dir + QStringLiteral("/COM1"));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) return 0;
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 91;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &t);
    ::tcflush(fd, TCIOFLUSH);
    QElapsedTimer timer;
    timer.start();
    const QByteArray request = RequestFrame(1, 'T', 0).Bytes(1);
    const QByteArray next = ControlFrame(ControlNext).Bytes(1);
    const QByteArray done = ControlFrame(ControlComplete).Bytes(1);
    (void)!::write(fd, request.constData(), size_t(request.size()));
    uint8_t frame[91];
    for (;;) {
        int got = 0;
        while (got < 91) {
            const ssize_t r = ::read(fd, frame + got, size_t(91 - got));
            if (r <= 0) break;
            got += int(r);
        }
        if (got < 91) break;
        const bool last = FrameNumber(frame) & LastFrameFlag;
        const QByteArray& answer = last ? done : next;
        (void)!::write(fd, answer.constData(), size_t(answer.size()));
        if (last) break;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    ::close(fd);
    return ms;
}

void Download(RegisterSimulator& sim, int baud) {
    sim.SetBaud(baud);
    SilentPrompts prompts;
    SystemClock clock;
    RegisterLink link(prompts, clock);
    PortSettings s;
    s.port = 1;
    s.baud = baud ? uint32_t(baud) : 115200;
    if (link.OpenPort(s, true) != 0) return;
    link.FlushPort();
    QElapsedTimer t;
    t.start();
    const double cpu0 = ThreadCpuMs();
    link.Send(RequestFrame(1, 'T', 0));
    int frames = 0;
    for (int r = ReplyRecord; r == ReplyRecord;) {
        r = ReadReply(link, 91).result;
        if (r == ReplyRecord || r == ReplyLast) ++frames;
    }
    const double elapsed = t.nsecsElapsed() / 1e6;
    const double cpu = ThreadCpuMs() - cpu0;
    const double bytes = 11 + frames * (91 + 10);
    const double wire = bytes * 10.0 / 115200.0 * 1000.0;
    const QString what = baud ? QStringLiteral("paced at 115200") : QStringLiteral("unpaced");
    std::printf("2000-goods download, %s, elapsed / wire time\t%.3f\t%.3f\t%.3f\t%d frames, %.0f ms, wire %.0f ms\n",
                qPrintable(what), elapsed / wire, elapsed / wire, elapsed / wire, frames, elapsed, wire);
    std::printf("2000-goods download, %s, program CPU per frame\t%.4f\t%.4f\t%.4f\tms\n", qPrintable(what),
                cpu / std::max(frames, 1), cpu / std::max(frames, 1), cpu / std::max(frames, 1));
}


// The goods synchronization's read run, paced.
void EngineRead(RegisterSimulator& sim) {
    PacedLink paced(sim);
    if (!paced.open) return;
    RegisterLink& link = paced.link;
    RegisterGoodsMirror mirror;
    QElapsedTimer t;
    t.start();
    const CpuMeter cpu;
    const ReadOutcome out = ReadRegisterTable(link, kGoodsCommand, kGoodsReplyLength, mirror);
    const double elapsed = t.nsecsElapsed() / 1e6;
    PrintRatio("2000-goods read run (synchronization), paced at 115200, elapsed / wire time", elapsed,
               WireMs(11 + out.stored * (91 + 10)), QStringLiteral("%1 records").arg(out.stored));
    PrintCpu("2000-goods read run (synchronization), paced at 115200", cpu.PerFrame(out.stored));
}

// The sales download of 2000 goods, paced.
void SalesRead(RegisterSimulator& sim) {
    PacedLink paced(sim);
    if (!paced.open) return;
    RegisterLink& link = paced.link;
    SalesTable table;
    QElapsedTimer t;
    t.start();
    const CpuMeter cpu;
    const ReadOutcome out = ReadSales(link, true, table);
    const double elapsed = t.nsecsElapsed() / 1e6;
    PrintRatio("2000-record sales download, paced at 115200, elapsed / wire time", elapsed,
               WireMs(11 + out.stored * (sales::kReplyLength + 10)), QStringLiteral("%1 records").arg(out.stored));
    PrintCpu("2000-record sales download, paced at 115200", cpu.PerFrame(out.stored));
}

// 2000 goods written with fast sending: each frame waits only for its
// acknowledgement.
// With a transfer log, the run is one log run: its entries are written at the end.
void FastWrite(RegisterSimulator& sim, const QString& logDirectory = QString()) {
    PacedLink paced(sim);
    if (!paced.open) return;
    RegisterLink& link = paced.link;
    TransferLog log(logDirectory);
    const QString logged = logDirectory.isEmpty() ? QString() : QStringLiteral(", transfer log on");
    if (!logDirectory.isEmpty()) link.SetLog(&log);
    sim.WithState([](SimState& s) {
        for (int n = 1; n <= 2000; ++n) s.goods.Clear(n);
    });
    WorkImage image;
    if (CreateDatabaseImage(image, 1, QStringLiteral("PLN")) != 0) {
        std::fprintf(stderr, "no work image\n");
        return;
    }
    QList<TickedRow> ticked;
    for (int n = 1; n <= 2000; ++n) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Towar wysłany %1").arg(n);
        g.price = uint32_t(100 + n);
        g.barcode = QString::number(5900000000000LL + n);
        WriteGoodsRecord(image, g);
        ticked << TickedRow{n - 1, n};
    }
    QElapsedTimer t;
    t.start();
    const CpuMeter cpu;
    link.BeginRun(QStringLiteral("bench"));
    const WriteOutcome out = WriteRecords(link, image, GoodsMember().writing, ticked, 0, true);
    const double beforeEnd = t.nsecsElapsed() / 1e6;
    link.EndRun();
    const double elapsed = t.nsecsElapsed() / 1e6;
    if (!logDirectory.isEmpty()) std::fprintf(stderr, "flush at the end: %.1f ms\n", elapsed - beforeEnd);
    link.SetLog(nullptr);
    PrintCpu("2000-goods write run, fast sending" + logged + ", paced at 115200", cpu.PerFrame(out.done));
    PrintRatio("2000-goods write run, fast sending" + logged + ", paced at 115200, elapsed / wire time", elapsed,
               WireMs(out.done * (78 + 10)),
               QStringLiteral("%1 accepted, %2 refused%3").arg(out.accepted).arg(out.refused).arg(out.failed ? QStringLiteral(", FAILED") : QString()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    RegisterSimulator sim;
    if (!AttachAsCom1(sim, dir.path())) return 1;
    sim.WithState([](SimState& s) {
        for (int n = 1; n <= 2000; ++n)
            s.goods.Set(n, RegisterGoods(n, QStringLiteral("Towar numer %1").arg(n), 'A', 100 + n,
                                         QString::number(5900000000000LL + n), 1, 10000 * n, 100 * n));
    });
    std::thread server([&] { sim.Run(); });
    const double alone = RegisterAloneMs(sim, dir.path());
    std::printf("2000-goods download, the register alone (minimal client), paced at 115200, elapsed / wire time\t%.3f\t%.3f\t%.3f\t%.0f ms\n",
                alone / WireMs(11 + 2000 * 101), alone / WireMs(11 + 2000 * 101), alone / WireMs(11 + 2000 * 101), alone);
    std::fflush(stdout);
    Download(sim, 0);
    Download(sim, 115200);
    EngineRead(sim);
    SalesRead(sim);
    // Goods with sales are refused by the register: the write starts on an empty table.
    sim.WithState([](SimState& s) {
        for (int n = 1; n <= 2000; ++n) s.goods.Clear(n);
    });
    FastWrite(sim);
    FastWrite(sim, dir.filePath(QStringLiteral("dziennik")));
    sim.Stop();
    server.join();
    return 0;
}

// Time from process start to the main window's first paint, and the peak
// memory by then, for the real start-up sequence and for a minimal Qt window.
// Run it under xvfb-run for a real X server.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

#include "common/Qtprompts.h"
#include "common/clock.h"
#include "shell/Menuglowne.h"
#include "shell/Program.h"

namespace {
// Seconds since the process started, from the kernel's record of its start.
double SinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - started;
}
}  // namespace

// Notes the first paint of any window (for the program: its splash), the
// first thing a person sees.
class AnyPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            const double ms = SinceProcessStart() * 1000;
            std::printf("start-up to the first thing painted, the program\t%.0f\t%.0f\t%.0f\tms (its splash)\n", ms, ms,
                        ms);
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};

// Notes the main window's first paint.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const char* what) : what_(what) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            const double seconds = SinceProcessStart();
            rusage usage {};
            getrusage(RUSAGE_SELF, &usage);
            // One run, one figure: scripts/bench.sh runs it several times.
            std::printf("start-up to the main window's first paint, %s\t%.0f\t%.0f\t%.0f\tms (kernel clock, 10 ms steps)\n", what_,
                        seconds * 1000, seconds * 1000, seconds * 1000);
            std::printf("peak memory at first paint, %s\t%.1f\t%.1f\t%.1f\tMB\n", what_, usage.ru_maxrss / 1024.0,
                        usage.ru_maxrss / 1024.0, usage.ru_maxrss / 1024.0);
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const char* what_;
    bool done_ = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // --minimal: an empty Qt main window in the same conditions, the floor the
    // program's start is set against.
    if (argc > 1 && QByteArray(argv[1]) == "--minimal") {
        QMainWindow window;
        window.resize(912, 640);
        FirstPaint paint("a minimal Qt window");
        window.installEventFilter(&paint);
        window.show();
        QTimer::singleShot(10000, [] { QApplication::exit(1); });
        return QApplication::exec();
    }
    QTemporaryDir dir;
    qputenv("TEMP", QFile::encodeName(dir.path()));
    AnyPaint anyPaint;
    app.installEventFilter(&anyPaint);
    QtPrompts prompts;
    SystemClock clock;
    Program program(prompts, clock);
    if (!program.Start(dir.path() + QStringLiteral("/lock"))) return 1;
    FirstPaint paint("the program");
    program.mainWindow->installEventFilter(&paint);
    program.mainWindow->show();
    QTimer::singleShot(10000, [] { QApplication::exit(1); });  // never painted
    return QApplication::exec();
}

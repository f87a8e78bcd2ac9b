// Time from process start to the main window shown with every window created,
// and the program's peak memory, for the real start-up sequence.
#include <QApplication>
#include <QFile>
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("TEMP", QFile::encodeName(dir.path()));
    QtPrompts prompts;
    SystemClock clock;
    Program program(prompts, clock);
    if (!program.Start(dir.path() + QStringLiteral("/lock"))) return 1;
    program.mainWindow->show();
    QTimer::singleShot(0, [] {
        const double seconds = SinceProcessStart();
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("start-up to main window shown: %.0f ms (kernel clock, 10 ms resolution)\n", seconds * 1000);
        std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
        QApplication::exit(0);
    });
    return QApplication::exec();
}

// zelk-tuvo: the program's entry.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "common/Qtprompts.h"
#include "common/clock.h"
#include "shell/Program.h"

namespace {
const char kUsage[] =
    "Usage: zelk-tuvo [--version] [--help] [--close-after MS] [Qt options such as -platform offscreen]\n"
    "The Zelk Tuvo register's database program. It works in the folder it is started in;\n"
    "started in the home folder (as from a desktop menu) without ustaw.cfg there, it works\n"
    "in $TUVO_WORK_DIR, else ~/ZelkTuvo. See zelk-tuvo(1).\n"
    "  --close-after MS  close the main window MS milliseconds after it opened (a start test)\n";

// The folder the program keeps its settings and working image in.
void ChooseWorkFolder() {
    if (QFileInfo::exists(QStringLiteral("ustaw.cfg")) || QDir::currentPath() != QDir::homePath()) return;
    QString work = qEnvironmentVariable("TUVO_WORK_DIR");
    if (work.isEmpty()) work = QDir::homePath() + QStringLiteral("/ZelkTuvo");
    if (QDir().mkpath(work)) QDir::setCurrent(work);
}
}  // namespace

int main(int argc, char** argv) {
    int closeAfter = -1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("zelk-tuvo 1.50\n");
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--close-after") && i + 1 < argc) closeAfter = std::atoi(argv[i + 1]);
    }
    QApplication app(argc, argv);
    ChooseWorkFolder();
    QtPrompts prompts;
    SystemClock clock;
    try {
        Program program(prompts, clock);
        if (!program.Start()) return 0;
        if (closeAfter >= 0) QTimer::singleShot(closeAfter, &app, [] { QApplication::closeAllWindows(); });
        return program.Exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zelk Tuvo"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zelk Tuvo"), QStringLiteral("Nieznany błąd programu."));
    }
    return 0;
}

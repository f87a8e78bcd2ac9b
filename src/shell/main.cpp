// zelk-tuvo: the program's entry.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "common/Qtprompts.h"
#include "common/clock.h"
#include "shell/Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtPrompts prompts;
    SystemClock clock;
    try {
        Program program(prompts, clock);
        if (!program.Start()) return 0;
        return program.Exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zelk Tuvo"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zelk Tuvo"), QStringLiteral("Nieznany błąd programu."));
    }
    return 0;
}

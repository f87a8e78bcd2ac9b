#pragma once
// What the fuzz targets share: prompts that answer from the input, a clock that
// never waits, and a pseudo-terminal linked as COM1 so that replies are read by
// the real port code.
#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/registerlink.h"

// abort() when a property the target checks does not hold.
inline void Require(bool condition) {
    if (!condition) std::abort();
}

class FuzzPrompts : public Prompts {
public:
    uint32_t answers = 0;  // bit i answers the i-th question: 1 Yes, 0 No
    int asked = 0;
    int shown = 0;
    void Message(const QString&, const QString&, PromptIcon) override { ++shown; }
    PromptAnswer Ask(const QString&, PromptButtons, PromptIcon, const QString&) override {
        const bool yes = (answers >> (asked++ % 32)) & 1;
        return yes ? PromptAnswer::Yes : PromptAnswer::No;
    }
    QString OpenFileName(const FileDialogSpec&) override { return {}; }
    QString SaveFileName(const FileDialogSpec&) override { return {}; }
    bool ChoosePrinter(QPrinter*) override { return false; }
    bool ChooseColour(unsigned&) override { return false; }
};

class FuzzClock : public Clock {
public:
    void Sleep(int) override {}
    QDateTime Now() const override { return QDateTime(QDate(2026, 12, 10), QTime(12, 0)); }
    int TimeoutMs(int) const override { return 2; }  // what has arrived is all there is
};

// The register's end of a line whose other end the link holds open as COM1.
class FuzzLine {
public:
    FuzzLine();
    ~FuzzLine();
    FuzzPrompts prompts;
    FuzzClock clock;
    RegisterLink link{prompts, clock};
    // Puts bytes on the line as the register would send them.
    void Send(const QByteArray& bytes);
    // Takes whatever the program wrote, and whatever it left unread.
    void Clear();

private:
    QTemporaryDir dir_;
    int master_ = -1;
};

#pragma once
// Test doubles for the two seams the tests replace: prompts and the clock.
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/prompts.h"
#include "common/services.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/registerlink.h"

// Records every text the user would be shown and answers from a script.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString kind;  // "message", "ask", "open", "save", "print", "colour"
        QString text;
        QString title;
        PromptButtons buttons = PromptButtons::Ok;
        PromptIcon icon = PromptIcon::None;
    };

    void Message(const QString& text, const QString& title, PromptIcon icon) override;
    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon,
                     const QString& title) override;
    QString OpenFileName(const FileDialogSpec& dialog) override;
    QString SaveFileName(const FileDialogSpec& dialog) override;
    bool ChoosePrinter(QPrinter* printer) override;
    bool ChooseColour(unsigned& rgb) override;

    // Scripted answers, taken in order; an unscripted question is answered with
    // defaultAnswer and an unscripted file dialog is cancelled.
    std::deque<PromptAnswer> answers;
    PromptAnswer defaultAnswer = PromptAnswer::Yes;
    std::deque<QString> fileNames;
    std::deque<unsigned> colours;
    std::function<bool(QPrinter*)> printerSetup;  // empty: the print dialog is cancelled
    // Runs inside Ask/Message, for tests that act while a box is "open".
    std::function<void(const Shown&)> onShow;

    QList<Shown> shown;
    QList<FileDialogSpec> dialogs;
    QStringList Texts() const;  // every text of messages and questions, in order
    void Clear() { shown.clear(); dialogs.clear(); }
};

// Pauses cost no real time; "now" moves with them.
class VirtualClock : public Clock {
public:
    VirtualClock();
    void Sleep(int ms) override;
    QDateTime Now() const override;
    int TimeoutMs(int ms) const override { return timeoutDivisor > 1 ? ms / timeoutDivisor : ms; }

    QDateTime start;
    qint64 slept = 0;           // total virtual milliseconds
    QList<int> pauses;          // every pause, in order
    int timeoutDivisor = 1;     // shortens port time-outs in tests that expect silence
    std::function<void(int)> onSleep;  // runs at every pause, for tests that act mid-transfer
};

// A private TEMP directory for the working image, restored afterwards.
class TempEnvironment {
public:
    TempEnvironment();
    ~TempEnvironment();
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray oldTemp_;
    bool hadTemp_;
};

QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray Hex(const char* spaced);  // "02 01 0A" -> bytes
// Pages of a PDF file the program printed.
int PdfPages(const QString& path);

// The process-wide objects as a test builds them: a fresh image in a private
// TEMP, the link, the state, scripted prompts and a virtual clock.
struct TestServices {
    TestServices();
    ~TestServices();
    TempEnvironment env;
    QTemporaryDir work;  // the sales history's folder
    WorkImage image;
    ScriptedPrompts prompts;
    VirtualClock clock;
    RegisterLink link{prompts, clock};
    AppState app;
    Services services{image, link, app, prompts, clock};
};

// Changes the link's chosen settings the way the program does (closing an open
// port first), for a test that starts from a given choice.
template <class Change>
void Choose(RegisterLink& link, Change change) {
    PortSettings s = link.Settings();
    change(s);
    link.UseSettings(s);
}

// A frame sent as it stands, nothing read: true when it went out.
bool SendOver(RegisterLink& link, const std::optional<Frame>& frame);
// Record n of a numbered table, from the image.
bool SendStored(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t number, int record, uint8_t confirm);

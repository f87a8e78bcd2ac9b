#pragma once
// zelk-tuvo-cli: the register's everyday jobs (sales, programming, backups, CSV,
// reports, the clock) without a window, for scripts, timers and SSH. Each
// command runs the same core routines as its window; the questions a window
// asks are options here, and nothing ever waits for an answer on standard input.
#include <QCommandLineParser>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "common/clock.h"
#include "common/progress.h"
#include "common/prompts.h"
#include "image/workimage.h"
#include "link/registerlink.h"
#include "link/transferlog.h"

// What a run ended with, for the calling script.
enum CliExit {
    ExitDone = 0,
    ExitWrongUse = 1,     // an unknown command or option, a missing value, no port to use
    ExitNoRegister = 2,   // no register answered, or the line failed during the transfer
    ExitRefused = 3,      // the register refused something (its reason on standard error)
    ExitNotWritten = 4,   // a file could not be written, or exists and --force was not given
    ExitCancelled = 5,    // stopped by SIGINT or SIGTERM after the record in hand
    ExitBadInput = 6,     // an input file could not be read or holds errors
};

// Messages of the core routines go to standard error as they come. A question
// is never waited for: it is written out with the answer taken (no, or cancel),
// so a paper-out or a replace question stops what asked it.
class CliPrompts : public Prompts {
public:
    void Message(const QString& text, const QString& title, PromptIcon icon) override;
    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon, const QString& title) override;
    QString OpenFileName(const FileDialogSpec&) override { return QString(); }
    QString SaveFileName(const FileDialogSpec&) override { return QString(); }
    bool ChoosePrinter(QPrinter*) override { return false; }
    bool ChooseColour(unsigned&) override { return false; }
};

class Cli {
public:
    Cli();
    ~Cli();

    CliPrompts prompts;
    SystemClock clock;
    RegisterLink link{prompts, clock};
    WorkImage image;
    bool json = false;
    bool quiet = false;

    // The options every command takes; `withPort` adds --port, --address and --baud.
    void AddCommon(QCommandLineParser& parser, bool withPort = true);
    // Parses a command's arguments: nothing to go on with, or the exit code (its
    // help shown, or the wrong use told).
    std::optional<int> Parse(QCommandLineParser& parser, const QString& command, const QString& usage,
                             const QStringList& arguments);
    // The line settings and address the command uses: the saved transmission
    // settings with --port, --baud and --address over them.
    std::optional<int> TakeLineOptions(const QCommandLineParser& parser);
    // Opens the port: nothing, or ExitNoRegister with the reason told.
    std::optional<int> Connect();
    // "COM 3", or the device given with --port.
    QString PortName(int port) const;
    // A working image of this run only, in a private folder.
    std::optional<int> PrivateImage();

    // The result on standard output (left out with --quiet): the text, or the
    // JSON object with --json.
    void Result(const QString& text, const QJsonObject& object);
    // An error of the tool itself, on standard error.
    void Error(const QString& text);
    // A progress line on standard error, only when it is a terminal; paced so
    // that a fast transfer is not slowed by its own display. Also where a
    // SIGINT or SIGTERM reaches the link: the run stops after the record in hand.
    void Progress(const QString& text, bool last = false);
    void EndProgress();
    bool Interrupted();
    // The command's exchanges form one run of the transfer log.
    void BeginRun(const QString& command);

private:
    TransferLog log_;
    QString deviceGiven_;
    std::unique_ptr<QTemporaryDir> temp_;
    bool progressShown_ = false;
    bool progressTty_ = false;
    ProgressPacer pacer_{clock, 100, 1 << 30};
};

// Where the program keeps ustaw.cfg, opcje.ini and the sales history: the
// current folder when it holds ustaw.cfg, else $TUVO_WORK_DIR or ~/ZelkTuvo.
QString SettingsDirectory();
// The exit codes as --help lists them.
QString ExitCodesHelp();
// Writes the handlers that turn SIGINT and SIGTERM into a stop request.
void InstallStopHandlers();

// The commands; each takes its own arguments, the program name first.
int CommandFind(Cli& cli, const QStringList& arguments);
int CommandInfo(Cli& cli, const QStringList& arguments);
int CommandSales(Cli& cli, const QStringList& arguments);
int CommandBackup(Cli& cli, const QStringList& arguments);
int CommandProgram(Cli& cli, const QStringList& arguments);
int CommandImport(Cli& cli, const QStringList& arguments);
int CommandExport(Cli& cli, const QStringList& arguments);
int CommandReport(Cli& cli, const QStringList& arguments);
int CommandClock(Cli& cli, const QStringList& arguments);

int RunCli(int argc, char** argv);

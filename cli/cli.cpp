#include "cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "common/numbers.h"
#include "link/portpath.h"
#include "link/transmissionsettings.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnStop(int signal) {
    stopRequested = 1;
    // A second one ends the program at once.
    std::signal(signal, SIG_DFL);
}

void Write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The device given with --port: a number is a COM port, anything else a path.
constexpr int kGivenDevicePort = 1;

// Each line of the text broken at blanks to fit a terminal.
QString Wrapped(const QString& text, int width = 80) {
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString current;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            if (!current.isEmpty() && current.size() + 1 + word.size() > width) {
                out << current;
                current.clear();
            }
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        out << current;
    }
    return out.join(QLatin1Char('\n'));
}

}  // namespace

QString SettingsDirectory() {
    // The program reads ustaw.cfg from its current folder.
    if (QFileInfo::exists(QStringLiteral("ustaw.cfg"))) return QDir::currentPath();
    const QString work = qEnvironmentVariable("TUVO_WORK_DIR");
    return work.isEmpty() ? QDir::homePath() + QStringLiteral("/ZelkTuvo") : work;
}

void CliPrompts::Message(const QString& text, const QString&, PromptIcon) { Write(stderr, text + QLatin1Char('\n')); }

PromptAnswer CliPrompts::Ask(const QString& text, PromptButtons buttons, PromptIcon, const QString&) {
    const bool cancel = buttons == PromptButtons::YesNoCancel;
    Write(stderr, text + (cancel ? QStringLiteral(" [nobody to answer: Anuluj]\n")
                                 : QStringLiteral(" [nobody to answer: Nie]\n")));
    return cancel ? PromptAnswer::Cancel : PromptAnswer::No;
}

void InstallStopHandlers() {
    std::signal(SIGINT, OnStop);
    std::signal(SIGTERM, OnStop);
}

QString ExitCodesHelp() {
    return QStringLiteral(
        "Exit codes:\n"
        "  0  done\n"
        "  1  wrong use: an unknown command or option, a missing value, no port to use\n"
        "  2  no register answered, or the line failed during the transfer\n"
        "  3  the register refused something (its reason on standard error)\n"
        "  4  a file could not be written, or it exists and --force was not given\n"
        "  5  cancelled by SIGINT or SIGTERM: the register stopped after the record in hand\n"
        "  6  an input file could not be read or holds errors\n");
}

Cli::Cli() : log_(SettingsDirectory() + QStringLiteral("/dziennik")), progressTty_(isatty(STDERR_FILENO) == 1) {
    link.SetLog(&log_);
}

void Cli::BeginRun(const QString& command) { link.BeginRun(QStringLiteral("zelk-tuvo-cli ") + command); }

Cli::~Cli() {
    link.EndRun();  // what the command did goes to the log
    link.SetLog(nullptr);
    EndProgress();
    link.ClosePort();
    image.Close();
}

void Cli::AddCommon(QCommandLineParser& parser, bool withPort) {
    parser.addHelpOption();
    if (withPort) {
        parser.addOption({QStringLiteral("port"),
                          QStringLiteral("The register's port: a COM number (1-99) or a device such as /dev/ttyUSB0 "
                                         "(default: the saved transmission settings)."),
                          QStringLiteral("port")});
        parser.addOption({QStringLiteral("address"), QStringLiteral("The register's address, 1-9 (default 1)."),
                          QStringLiteral("n")});
        parser.addOption({QStringLiteral("baud"),
                          QStringLiteral("The line speed (default: the saved transmission settings)."),
                          QStringLiteral("rate")});
    }
    parser.addOption({QStringLiteral("json"), QStringLiteral("Write the result as one JSON object.")});
    parser.addOption({QStringLiteral("quiet"), QStringLiteral("No result and no progress; errors only.")});
}

std::optional<int> Cli::Parse(QCommandLineParser& parser, const QString& command, const QString& usage,
                              const QStringList& arguments) {
    if (!parser.parse(arguments)) {
        Error(parser.errorText() + QStringLiteral("\nTry 'zelk-tuvo-cli ") + command + QStringLiteral(" --help'."));
        return ExitWrongUse;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.setApplicationDescription(Wrapped(parser.applicationDescription()));
        QString help = parser.helpText();
        // The generated first line names the executable's path; ours names the command.
        help = QStringLiteral("Usage: zelk-tuvo-cli ") + command + QLatin1Char(' ') + usage +
               help.mid(help.indexOf(QLatin1Char('\n')));
        Write(stdout, help + QLatin1Char('\n') + ExitCodesHelp());
        return ExitDone;
    }
    json = parser.isSet(QStringLiteral("json"));
    quiet = parser.isSet(QStringLiteral("quiet"));
    return std::nullopt;
}

std::optional<int> Cli::TakeLineOptions(const QCommandLineParser& parser) {
    bool damaged = false;
    PortSettings settings = LoadTransmissionSettings(SettingsDirectory(), &damaged);
    if (damaged) Error(QStringLiteral("The saved transmission settings are damaged; their defaults are used."));
    if (parser.isSet(QStringLiteral("port"))) {
        const QString port = parser.value(QStringLiteral("port"));
        const auto number = ParseInteger(port);
        if (number) {
            if (*number < 1 || *number > 99) {
                Error(QStringLiteral("--port: a COM number is 1-99."));
                return ExitWrongUse;
            }
            settings.port = int(*number);
        } else {
            deviceGiven_ = port;
            SetComPortDevice(kGivenDevicePort, port);
            settings.port = kGivenDevicePort;
        }
    }
    if (parser.isSet(QStringLiteral("baud"))) {
        const auto baud = ParseInteger(parser.value(QStringLiteral("baud")));
        if (!baud || *baud < 50 || *baud > 4000000) {
            Error(QStringLiteral("--baud: a line speed such as 9600 or 115200."));
            return ExitWrongUse;
        }
        settings.baud = uint32_t(*baud);
    }
    if (parser.isSet(QStringLiteral("address"))) {
        const auto address = ParseInteger(parser.value(QStringLiteral("address")));
        if (!address || *address < 1 || *address > 9) {
            Error(QStringLiteral("--address: a register address is 1-9."));
            return ExitWrongUse;
        }
        link.SetAddress(uint8_t(*address));
    }
    link.UseSettings(settings);
    return std::nullopt;
}

QString Cli::PortName(int port) const {
    if (!deviceGiven_.isEmpty() && port == kGivenDevicePort) return deviceGiven_;
    return ComPortName(port);
}

std::optional<int> Cli::Connect() {
    const int port = link.Port();
    if (port == kNoPort) {
        Error(QStringLiteral("No port to use: give --port, or choose one in the program's transmission settings."));
        return ExitWrongUse;
    }
    // The program's own message: it tells a missing device from one the user
    // may not open or another program holds.
    if (link.OpenRegisterPort(true) != 0) return ExitNoRegister;
    return std::nullopt;
}

std::optional<int> Cli::PrivateImage() {
    // The working image of a run lives in a folder of its own, so that the
    // program or another run working at the same time never shares it.
    temp_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zelk-tuvo-cli-XXXXXX"));
    if (!temp_->isValid()) {
        Error(QStringLiteral("Cannot make a working folder in ") + QDir::tempPath() + QStringLiteral(": ") +
              temp_->errorString());
        return ExitNotWritten;
    }
    qputenv("TEMP", QFile::encodeName(temp_->path()));
    return std::nullopt;
}

void Cli::Result(const QString& text, const QJsonObject& object) {
    EndProgress();
    if (quiet) return;
    if (json) Write(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    else if (!text.isEmpty()) Write(stdout, text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void Cli::Error(const QString& text) {
    EndProgress();
    Write(stderr, QStringLiteral("zelk-tuvo-cli: ") + text + QLatin1Char('\n'));
}

void Cli::Progress(const QString& text, bool last) {
    Interrupted();
    if (quiet || !progressTty_ || !pacer_.Due(last)) return;
    // \r and a cleared line: one line that moves in place.
    Write(stderr, QStringLiteral("\r\x1b[K") + text);
    progressShown_ = true;
}

void Cli::EndProgress() {
    if (!progressShown_) return;
    progressShown_ = false;
    Write(stderr, QStringLiteral("\r\x1b[K"));
}

bool Cli::Interrupted() {
    if (stopRequested && !link.CancelRequested()) link.RequestCancel();
    return stopRequested != 0;
}

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(Cli&, const QStringList&);
};

const Command kCommands[] = {
    {"find", "look for registers on every port and address", CommandFind},
    {"info", "the register's information record", CommandInfo},
    {"sales", "download the sales per goods into a CSV file, and clear them", CommandSales},
    {"backup", "copy the register's programming into a new database file", CommandBackup},
    {"program", "program the register from a database file", CommandProgram},
    {"import", "read a CSV file into a table of a database file", CommandImport},
    {"export", "write a table of a database file as CSV", CommandExport},
    {"report", "print one of the register's reports", CommandReport},
    {"clock", "set the register's clock from this computer", CommandClock},
};

QString Overview() {
    QString text = QStringLiteral(
        "Usage: zelk-tuvo-cli COMMAND [options]\n"
        "The Zelk Tuvo register's everyday jobs from the command line: nothing is ever asked,\n"
        "every outcome is in the exit code.\n\nCommands:\n");
    for (const Command& c : kCommands)
        text += QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(c.name), -9).arg(QString::fromLatin1(c.summary));
    text += QStringLiteral(
        "\n'zelk-tuvo-cli COMMAND --help' tells a command's options. Every command that talks to the\n"
        "register takes --port (a COM number or a device path), --address and --baud; without them\n"
        "the transmission settings the program saved (ustaw.cfg) are used.\n\n");
    return text + ExitCodesHelp();
}

}  // namespace

int RunCli(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelk-tuvo-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.50"));
    const QStringList arguments = QCoreApplication::arguments();
    const QString first = arguments.value(1);
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        Write(stdout, Overview());
        return ExitDone;
    }
    if (first == QLatin1String("--version")) {
        Write(stdout, QStringLiteral("zelk-tuvo-cli 1.50\n"));
        return ExitDone;
    }
    for (const Command& c : kCommands) {
        if (first != QLatin1String(c.name)) continue;
        InstallStopHandlers();
        Cli cli;
        cli.BeginRun(first);
        // The command sees its own arguments behind the program's name.
        QStringList own = arguments.mid(2);
        own.prepend(arguments.value(0));
        return c.run(cli, own);
    }
    Write(stderr, first.isEmpty() ? Overview()
                                  : QStringLiteral("zelk-tuvo-cli: no command '") + first +
                                        QStringLiteral("'. Try 'zelk-tuvo-cli --help'.\n"));
    return ExitWrongUse;
}

// zelk-tuvo-sim: a simulated Zelk Tuvo register on a pseudo-terminal.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "link/portpath.h"
#include "simulator.h"

namespace {

RegisterSimulator* g_sim = nullptr;

void OnSignal(int) {
    if (g_sim) g_sim->Stop();
}

bool LoadState(RegisterSimulator& sim, const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (!doc.isObject()) {
        *error = QStringLiteral("%1: %2").arg(path, pe.errorString());
        return false;
    }
    bool ok = false;
    sim.WithState([&](SimState& s) { ok = s.FromJson(doc.object(), error); });
    return ok;
}

bool SaveState(RegisterSimulator& sim, const QString& path) {
    QJsonObject o;
    sim.WithState([&](SimState& s) { o = s.ToJson(); });
    // The file appears whole or not at all: whoever reads it meanwhile never sees half of it.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QJsonDocument(o).toJson());
    return f.commit();
}

// Commands typed on standard input while the register runs.
void ReadCommands(RegisterSimulator& sim) {
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString cmd = QString::fromStdString(line).trimmed();
        const QString arg = cmd.section(QLatin1Char(' '), 1).trimmed();
        QString error;
        bool ok = true;
        if (cmd.startsWith(QLatin1String("fault "))) {
            Fault f;
            ok = ParseFault(arg, &f, &error);
            if (ok) sim.AddFault(f);
        } else if (cmd == QLatin1String("clear-faults")) {
            sim.ClearFaults();
        } else if (cmd.startsWith(QLatin1String("save "))) {
            ok = SaveState(sim, arg);
            error = QStringLiteral("cannot write ") + arg;
        } else if (cmd.startsWith(QLatin1String("load "))) {
            ok = LoadState(sim, arg, &error);
        } else if (cmd.startsWith(QLatin1String("baud "))) {
            sim.SetBaud(arg.toInt());
        } else if (cmd.startsWith(QLatin1String("address "))) {
            sim.SetAddress(arg.toInt());
        } else if (cmd == QLatin1String("quit")) {
            sim.Stop();
            return;
        } else if (!cmd.isEmpty()) {
            ok = false;
            error = QStringLiteral("unknown command: ") + cmd;
        }
        std::printf("%s\n", ok ? "ok" : qPrintable(QStringLiteral("error: ") + error));
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelk-tuvo-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated Zelk Tuvo fiscal register. It creates a pseudo-terminal and links it as a\n"
        "COM port, so that the program (or anything else that talks the register's protocol)\n"
        "finds a register there. It keeps every table it is sent, with sales counters, and\n"
        "answers every command as the register does.\n\n"
        "The port: --link PATH, or COMn (--port, default 1) in --ports-dir, which defaults to\n"
        "$TUVO_PORTS_DIR, else to the user's ports folder (~/.config/zelk-tuvo/ports).\n\n"
        "Faults (--fault, repeatable, or 'fault RULE' on standard input): COMMAND:N:KIND[:PARAM]\n"
        "  COMMAND  the command byte as one character (T, K, 'Q'), 0xNN, or * for any\n"
        "  N        the n-th matching frame from when the fault is set (for a table request:\n"
        "           the n-th data frame), 0 = every one\n"
        "  KIND     busy[:times]  paperout  printing  error:CODE  status:S  noreply\n"
        "           truncate[:bytes]  damage  delay:MS\n"
        "  e.g. T:3:damage   k:1:error:86   P:1:busy:2   *:0:delay:300\n\n"
        "Standard input also takes: clear-faults, save FILE, load FILE, baud N, address N, quit.\n"
        "The state file is JSON: goods (with quantitySold, valueSold, lastSale), cashiers (with\n"
        "takings), discounts, paymentForms, currencies, groups, packagings, turnover, and more;\n"
        "--save-state writes one to start from."));
    parser.addHelpOption();
    const QCommandLineOption portsDir("ports-dir", "Folder of the COMn links.", "dir");
    const QCommandLineOption port("port", "COM port number to appear as (1-99).", "n", "1");
    const QCommandLineOption link("link", "Link the line as this path instead.", "path");
    const QCommandLineOption address("address", "Register address the register answers at (1-9).", "a", "1");
    const QCommandLineOption state("state", "Load the register's tables from a JSON file.", "file");
    const QCommandLineOption saveState("save-state", "Write the register's tables to a JSON file at exit.", "file");
    const QCommandLineOption demo("demo", "Start as a shop with goods, sales, cashiers and turnover.");
    const QCommandLineOption log("log", "Append every frame, in hex, to a file.", "file");
    const QCommandLineOption baud("baud", "Pace the line at this baud rate (0: as fast as possible).", "rate", "0");
    const QCommandLineOption fault("fault", "Inject a fault (see above).", "rule");
    const QCommandLineOption storeTime("store-time", "Take this many ms to store each record; records sent sooner are answered busy.", "ms", "0");
    const QCommandLineOption shortInfo("short-info", "Answer the information request with the short layout.");
    const QCommandLineOption cache("cache-packets", "Packets of a cache memory dump.", "n", "8192");
    parser.addOptions({portsDir, port, link, address, state, saveState, demo, log, baud, fault, shortInfo, cache, storeTime});
    parser.process(app);

    RegisterSimulator sim;
    g_sim = &sim;
    QString error;
    if (parser.isSet(demo)) sim.WithState([](SimState& s) { s.LoadDemo(); });
    if (parser.isSet(state) && !LoadState(sim, parser.value(state), &error)) {
        std::fprintf(stderr, "zelk-tuvo-sim: %s\n", qPrintable(error));
        return 2;
    }
    if (parser.isSet(shortInfo)) sim.WithState([](SimState& s) { s.longInfo = false; });
    for (const QString& rule : parser.values(fault)) {
        Fault f;
        if (!ParseFault(rule, &f, &error)) {
            std::fprintf(stderr, "zelk-tuvo-sim: %s\n", qPrintable(error));
            return 2;
        }
        sim.AddFault(f);
    }
    sim.SetAddress(parser.value(address).toInt());
    sim.SetBaud(parser.value(baud).toInt());
    sim.SetStoreTime(parser.value(storeTime).toInt());
    sim.SetCachePackets(parser.value(cache).toInt());
    if (parser.isSet(log)) sim.SetLogFile(parser.value(log));

    QString linkPath = parser.value(link);
    if (linkPath.isEmpty()) {
        QString dir = parser.value(portsDir);
        if (dir.isEmpty()) dir = qEnvironmentVariable("TUVO_PORTS_DIR");
        if (dir.isEmpty()) dir = UserPortsDirectory();
        QDir().mkpath(dir);
        linkPath = dir + QStringLiteral("/COM") + parser.value(port);
    }
    if (!sim.Attach(linkPath, &error)) {
        std::fprintf(stderr, "zelk-tuvo-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("ready %s -> %s\n", qPrintable(linkPath), qPrintable(sim.DevicePath()));
    std::fflush(stdout);
    std::thread(ReadCommands, std::ref(sim)).detach();
    sim.Run();
    sim.Detach();
    if (parser.isSet(saveState) && !SaveState(sim, parser.value(saveState))) {
        std::fprintf(stderr, "zelk-tuvo-sim: cannot write %s\n", qPrintable(parser.value(saveState)));
        return 1;
    }
    return 0;
}

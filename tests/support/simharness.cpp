#include "support/simharness.h"

#include <QtTest>

SimHarness::SimHarness(int port) : ownDir_(new QTemporaryDir), dir_(ownDir_->path()) {
    hadPorts_ = qEnvironmentVariableIsSet("TUVO_PORTS_DIR");
    oldPorts_ = qgetenv("TUVO_PORTS_DIR");
    qputenv("TUVO_PORTS_DIR", QFile::encodeName(dir_));
    Start(port);
}

SimHarness::SimHarness(const SimHarness& first, int port) : dir_(first.dir_) { Start(port); }

void SimHarness::Start(int port) {
    port_ = port;
    QString error;
    if (!sim.Attach(dir_ + QStringLiteral("/COM%1").arg(port), &error)) qFatal("%s", qPrintable(error));
    Resume();
}

SimHarness::~SimHarness() {
    Pause();
    sim.Detach();
    if (ownDir_) {
        if (hadPorts_) qputenv("TUVO_PORTS_DIR", oldPorts_);
        else qunsetenv("TUVO_PORTS_DIR");
        delete ownDir_;
    }
}

void SimHarness::Pause() {
    if (!thread_.joinable()) return;
    sim.Stop();
    thread_.join();
}

void SimHarness::Resume() {
    if (thread_.joinable()) return;
    sim.Rearm();
    thread_ = std::thread([this] { sim.Run(); });
}

void SimHarness::Unplug() {
    Pause();
    sim.Detach();
}

void SimHarness::Replug() { Start(port_); }

QList<QByteArray> SimHarness::Received(uint8_t command) const {
    QList<QByteArray> out;
    for (const QByteArray& f : sim.ReceivedFrames())
        if (f.size() > 6 && uint8_t(f[6]) == command) out.append(f);
    return out;
}

QList<int> SimHarness::ControlStatuses() const {
    QList<int> out;
    for (const QByteArray& f : Received(0x06))
        if (f.size() == 10) out.append(uint8_t(f[7]));
    return out;
}

void SimHarness::AddFault(const QString& rule) {
    Fault f;
    QString error;
    if (!ParseFault(rule, &f, &error)) qFatal("%s", qPrintable(error));
    sim.AddFault(f);
}

QByteArray RegisterFrame(int length, uint16_t number, uint8_t command, const QByteArray& payload,
                         uint8_t address) {
    QByteArray f(length, '\0');
    f[0] = 2;
    f[1] = char(address);
    f[2] = char(length & 0xFF);
    f[3] = char(length >> 8);
    f[4] = char(number & 0xFF);
    f[5] = char(number >> 8);
    f[6] = char(command);
    f.replace(7, payload.size(), payload);
    f.truncate(length);
    uint8_t x = 0;
    for (int i = 1; i <= length - 3; ++i) x ^= uint8_t(f[i]);
    f[length - 2] = char(x);
    f[length - 1] = 3;
    return f;
}

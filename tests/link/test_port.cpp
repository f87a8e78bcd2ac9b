// The COM port on a real pseudo-terminal: mapping, exclusive open, messages,
// writes and their time-outs, draining; the settings file; error texts.
#include <QtTest>
#include <sys/resource.h>
#include <atomic>
#include <thread>

#include "link/commands.h"
#include "link/frames.h"
#include "link/portpath.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "link/transmissionsettings.h"
#include "support/simharness.h"
#include "support/testsupport.h"

namespace {
// Nobody reads the line any more: a large send fills it up and the line takes
// nothing more. Returns what SendBytes returned; big is the buffer as it left it.
int FillPausedLine(SimHarness& h, RegisterLink& link, QByteArray& big) {
    h.Pause();
    big = QByteArray(1 << 18, '\x55');
    return link.SendBytes(reinterpret_cast<uint8_t*>(big.data()), 1, int(big.size()));
}
}  // namespace

class TestPort : public QObject {
    Q_OBJECT
private slots:
    void comPortMapping();
    void openTwiceFails();
    void openFailures();
    void sendWithoutPort();
    void sendModes();
    void writeTimeoutArithmetic_data();
    void writeTimeoutArithmetic();
    void idleLimitWithoutFlowControl();
    void heldLineWaitsForTheDialog();
    void flushDrainsStaleInput();
    void readReturnsAsSoonAsComplete();
    void settingsFile();
    void errorTexts_data();
    void errorTexts();
    void lostRegister();
};

void TestPort::comPortMapping() {
    QTemporaryDir config;
    const QByteArray oldPorts = qgetenv("TUVO_PORTS_DIR");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("TUVO_PORTS_DIR");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCOMPARE(ComPortPath(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(ComPortPath(4), QStringLiteral("/dev/ttyS3"));
    QCOMPARE(ComPortPath(5), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(ComPortPath(20), QStringLiteral("/dev/ttyUSB15"));
    QCOMPARE(ComPortPath(21), QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(ComPortPath(36), QStringLiteral("/dev/ttyACM15"));
    QCOMPARE(ComPortPath(37), QString());
    QCOMPARE(ComPortPath(0), QString());
    QCOMPARE(ComPortPath(255), QString());
    // The user's ports folder maps a number, even to a device that is unplugged.
    QDir().mkpath(config.path() + "/zelk-tuvo/ports");
    QFile::link("/dev/does-not-exist", config.path() + "/zelk-tuvo/ports/COM3");
    QCOMPARE(ComPortPath(3), config.path() + "/zelk-tuvo/ports/COM3");
    QCOMPARE(ComPortPath(2), QStringLiteral("/dev/ttyS1"));
    // TUVO_PORTS_DIR: that folder and nothing else.
    qputenv("TUVO_PORTS_DIR", "/tmp/p");
    QCOMPARE(ComPortPath(3), QStringLiteral("/tmp/p/COM3"));
    QCOMPARE(ComPortPath(50), QStringLiteral("/tmp/p/COM50"));
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("TUVO_PORTS_DIR", oldPorts);
}

void TestPort::openTwiceFails() {
    SimHarness h(2);
    ScriptedPrompts prompts;
    VirtualClock clock;
    RegisterLink first(prompts, clock), second(prompts, clock);
    Choose(first, [&](PortSettings& s) { s.port = 2; });
    Choose(second, [&](PortSettings& s) { s.port = 2; });
    QCOMPARE(first.OpenRegisterPort(true), 0);
    QCOMPARE(second.OpenRegisterPort(true), 1);
    QCOMPARE(prompts.Texts(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM2: port jest zajęty przez inny program.")});
    QCOMPARE(second.Settings().port, kNoPort);
    QVERIFY(!second.IsOpen());
    first.ClosePort();
    Choose(second, [&](PortSettings& s) { s.port = 2; });
    QCOMPARE(second.OpenRegisterPort(false), 0);  // free again once closed
}

void TestPort::openFailures() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    Choose(link, [&](PortSettings& s) { s.port = 7; });  // nothing linked as COM7
    QCOMPARE(link.OpenRegisterPort(false), 1);
    QVERIFY(prompts.shown.isEmpty());
    QCOMPARE(link.Settings().port, kNoPort);
    Choose(link, [&](PortSettings& s) { s.port = 1; });
    Choose(link, [&](PortSettings& s) { s.stopBits = 1; });  // one and a half stop bits do not exist here
    QCOMPARE(link.OpenRegisterPort(true), 1);
    QCOMPARE(prompts.Texts(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM1 z takimi ustawieniami.")});
    QVERIFY(!link.IsOpen());
    Choose(link, [&](PortSettings& s) { s.port = 1; });
    Choose(link, [&](PortSettings& s) { s.stopBits = 2; });
    Choose(link, [&](PortSettings& s) { s.parity = 3; });
    Choose(link, [&](PortSettings& s) { s.dataBits = 7; });
    Choose(link, [&](PortSettings& s) { s.baud = 14400; });  // set through the arbitrary-rate interface
    QCOMPARE(link.OpenRegisterPort(true), 0);
    // A device that exists but may not be opened (even root may not open this
    // one for writing) says what to do about it.
    QVERIFY(QFile::link(QStringLiteral("/proc/sys/kernel/ostype"), h.PortsDir() + QStringLiteral("/COM5")));
    prompts.Clear();
    Choose(link, [&](PortSettings& s) { s.port = 5; });
    QCOMPARE(link.OpenRegisterPort(true), 1);
    QCOMPARE(prompts.Texts(),
             QStringList{QStringLiteral("Nie mogę otworzyć portu COM5: brak uprawnień do urządzenia ") + h.PortsDir() +
                         QStringLiteral("/COM5. Dodaj swojego użytkownika do grupy dialout (sudo usermod -aG dialout "
                                        "$USER) i zaloguj się ponownie.")});
}

void TestPort::sendWithoutPort() {
    ScriptedPrompts prompts;
    VirtualClock clock;
    RegisterLink link(prompts, clock);
    uint8_t b[3] = {1, 2, 3};
    QCOMPARE(link.SendBytes(b, 1, 3), 1);
    QCOMPARE(prompts.Texts(), QStringList{QStringLiteral("Nie wybrano portu komunikacyjnego.")});
    // Selected but never opened: the line test reports it and the port is given up.
    prompts.Clear();
    Choose(link, [&](PortSettings& s) { s.port = 3; });
    QCOMPARE(link.SendBytes(b, 1, 3), 1);
    QCOMPARE(prompts.Texts(), QStringList{QStringLiteral("Wystąpił błąd transmisji.")});
    QCOMPARE(link.Settings().port, kNoPort);
    QCOMPARE(b[0], uint8_t(0));
}

void TestPort::sendModes() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    QVERIFY(line.Open());
    uint8_t text[8] = {'A', 'B', 0, 'C', 'D', 'E', 'F', 'G'};
    QCOMPARE(link.SendBytes(text, 0, 8), 0);
    uint8_t noZero[4] = {'W', 'X', 'Y', 'Z'};
    QCOMPARE(link.SendBytes(noZero, 0, 4), 0);  // stops at the end of the buffer
    QCOMPARE(link.SendBytes(text, 1, 8), 0);
    QTRY_COMPARE(h.sim.RawReceived(), QByteArray("ABWXYZAB\0CDEFG", 14));
    QVERIFY(prompts.shown.isEmpty());
}

void TestPort::writeTimeoutArithmetic_data() {
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("constant");
    QTest::newRow("78 at 9600") << 78 << 9600 << 16;
    QTest::newRow("268 at 9600") << 268 << 9600 << 32;
    QTest::newRow("143 at 115200") << 143 << 115200 << 10;
    QTest::newRow("144 at 115200") << 144 << 115200 << 11;
    QTest::newRow("10 at 110") << 10 << 110 << 82;
}

void TestPort::writeTimeoutArithmetic() {
    QFETCH(int, bytes);
    QFETCH(int, baud);
    QFETCH(int, constant);
    QCOMPARE(SendWriteConstant(bytes, uint32_t(baud)), constant);
    // A send leaves the read time-outs for the reply: 10 ms a byte plus 1000 ms.
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    Choose(link, [&](PortSettings& s) { s.baud = uint32_t(baud); });
    QVERIFY(line.Open());
    QByteArray frame(bytes, '\x55');
    QCOMPARE(link.SendBytes(reinterpret_cast<uint8_t*>(frame.data()), 1, bytes), 0);
    QCOMPARE(link.Timeouts().writeConstant, constant);
    QCOMPARE(link.Timeouts().writeMultiplier, 20);
    QCOMPARE(link.Timeouts().readMultiplier, 10);
    QCOMPARE(link.Timeouts().readConstant, 1000);
}

void TestPort::idleLimitWithoutFlowControl() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    clock.timeoutDivisor = 1000000000;  // each attempt gives up at once
    QVERIFY(line.Open());
    QByteArray big;
    QCOMPARE(FillPausedLine(h, link, big), 1);
    QCOMPARE(uint8_t(big[0]), uint8_t(0));
    QCOMPARE(clock.pauses.size(), 1001);
    QVERIFY(std::all_of(clock.pauses.begin(), clock.pauses.end(), [](int ms) { return ms == 1; }));
    QVERIFY(prompts.shown.isEmpty());
}

void TestPort::heldLineWaitsForTheDialog() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    clock.timeoutDivisor = 1000000000;  // each attempt gives up at once
    Choose(link, [&](PortSettings& s) { s.xonXoff = 1; });
    QVERIFY(line.Open());
    int shown = 0;
    link.SetLineWait([&] { return ++shown < 3; });  // the user gives up at the third wait
    QByteArray big;
    QCOMPARE(FillPausedLine(h, link, big), 1);
    QCOMPARE(shown, 3);
    QCOMPARE(uint8_t(big[0]), uint8_t(0));
    QVERIFY(clock.pauses.isEmpty());
}

void TestPort::flushDrainsStaleInput() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    QVERIFY(line.Open());
    uint8_t q[10] = {2, 1, 10, 0, 1, 0x80, 'Q', 0, 0, 3};
    for (int i = 0; i < 3; ++i) {
        q[8] = 1 ^ 10 ^ 1 ^ 0x80 ^ 'Q';
        link.SendBytes(q, 1, 10);
    }
    QTRY_COMPARE(link.BytesWaiting(), 30);
    QCOMPARE(link.FlushPort(), 0);
    QCOMPARE(link.BytesWaiting(), 0);
    QCOMPARE(link.Timeouts().readConstant, 100);
    QCOMPARE(link.Timeouts().writeConstant, 10);
    QVERIFY(prompts.shown.isEmpty());
}

void TestPort::readReturnsAsSoonAsComplete() {
    SimHarness h(1);
    PortOnSim line;
    auto& [prompts, clock, link] = line;
    QVERIFY(line.Open());
    uint8_t q[10] = {2, 1, 10, 0, 1, 0x80, 'Q', 0, 1 ^ 10 ^ 1 ^ 0x80 ^ 'Q', 3};
    link.SendBytes(q, 1, 10);  // read time-out now 1100 ms
    QElapsedTimer t;
    t.start();
    QCOMPARE(link.Read(10).size(), 10);
    QVERIFY(t.elapsed() < 500);
    t.restart();
    link.SetTimeouts({0, 1, 100, 10, 10});
    QCOMPARE(link.Read(10).size(), 0);  // nothing more comes: the time-out bounds the wait
    QVERIFY(t.elapsed() >= 100);
    QVERIFY(t.elapsed() < 600);
}

void TestPort::settingsFile() {
    QTemporaryDir dir;
    PortSettings s = LoadTransmissionSettings(dir.path());
    QCOMPARE(s, PortSettings());
    QCOMPARE(s.port, kNoPort);
    QCOMPARE(s.baud, 115200u);
    QCOMPARE(int(s.dataBits), 8);
    s.port = 3;
    s.baud = 9600;
    s.spare[1] = 0x42;
    QVERIFY(SaveTransmissionSettings(s, dir.path()));
    QCOMPARE(ReadFileBytes(dir.path() + "/ustaw.cfg"), Hex("00 03 80 25 00 00 08 00 00 00 00 00 42 00"));
    QCOMPARE(LoadTransmissionSettings(dir.path()), s);
    // A short file keeps the defaults for what it lacks.
    WriteFileBytes(dir.path() + "/ustaw.cfg", Hex("00 05 60 09"));
    const PortSettings partial = LoadTransmissionSettings(dir.path());
    QCOMPARE(partial.port, 5);
    QCOMPARE(partial.baud, 115200u);
    QCOMPARE(int(partial.dataBits), 8);
    WriteFileBytes(dir.path() + "/ustaw.cfg", Hex("00 07 D0 07 00 00 07 02 02 01 01"));
    const PortSettings odd = LoadTransmissionSettings(dir.path());
    QCOMPARE(odd.baud, 2000u);
    QCOMPARE(int(odd.parity), 2);
    QCOMPARE(int(odd.rtsCts), 1);
    WriteFileBytes(dir.path() + "/ustaw.cfg", Hex("00 FF"));
    QCOMPARE(LoadTransmissionSettings(dir.path()).port, kNoPort);
}

void TestPort::errorTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("0") << 0 << "Błąd 0: Nierozpoznany kod rozkazu";
    QTest::newRow("9") << 9 << "Błąd 9: Zły numer grupy towarowej (więcej niż 20 lub grupa niezaprogramowana)";
    QTest::newRow("27 as 20") << 27 << "Błąd 27: Zła wartość pola „Wykonywanie raportów niezerujących” (dozwolone 0 lub 1)";
    QTest::newRow("71") << 71 << "Błąd 71: Zła wartość pola „Numer raportu początkowego”/”Numer raportu końcowego”";
    QTest::newRow("79 without text") << 79 << "Błąd 79: ";
    QTest::newRow("111") << 111 << "Błąd 111: Brak grupy towarowej o podanym numerze";
    QTest::newRow("112") << 112 << "Błąd 112: ";
    QTest::newRow("200 unknown") << 200 << "Błąd 200: Nieznany kod błędu kasy";
}

void TestPort::errorTexts() {
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(RegisterErrorMessage(code), message);
    ScriptedPrompts prompts;
    ShowRegisterError(prompts, code);
    QCOMPARE(prompts.Texts(), QStringList{message});
}

void TestPort::lostRegister() {
    SimHarness h(1);
    TestServices t;
    Choose(t.link, [&](PortSettings& s) { s.port = 1; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    t.app.PortOpened();
    int told = 0;
    QObject::connect(&t.link, &RegisterLink::lost, [&] { ++told; });
    h.Pause();  // the register goes quiet, then the cable is pulled mid-read
    std::atomic<qint64> pulledAt{0};
    std::thread pull([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        h.Unplug();
        pulledAt = QDateTime::currentMSecsSinceEpoch();
    });
    rusage before {}, after {};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    SendOver(t.link, RequestFrame(1, 'T', 0).To(1));
    const int r = ReadReply(t.link, 91).result;
    const qint64 returnedAt = QDateTime::currentMSecsSinceEpoch();
    const qint64 ms = timer.elapsed();
    getrusage(RUSAGE_SELF, &after);
    pull.join();
    auto cpuMs = [](const rusage& u) { return u.ru_utime.tv_sec * 1000 + u.ru_utime.tv_usec / 1000 + u.ru_stime.tv_sec * 1000 + u.ru_stime.tv_usec / 1000; };
    QCOMPARE(r, int(ReplyStop));
    // The 91-byte read's time-out is about 1.9 s; it ends as the line goes.
    QVERIFY2(returnedAt - pulledAt < 50 && ms < 1000, qPrintable(QString::number(returnedAt - pulledAt)));
    QVERIFY2(cpuMs(after) - cpuMs(before) < 100, "the read must not spin");
    QVERIFY(t.link.Lost());
    QVERIFY(!t.link.IsOpen());
    QCOMPARE(told, 1);
    QCOMPARE(t.app.workMode, int(ModeOffline));
    QCOMPARE(t.prompts.Texts(), QStringList{"Utracono połączenie z kasą (COM1)."});
    // The next operation says the same, not that no port was chosen.
    t.prompts.Clear();
    QCOMPARE(SendOver(t.link, QueryFrame(1, 0x8001)), false);
    QCOMPARE(t.prompts.Texts(), QStringList{"Utracono połączenie z kasą (COM1)."});
    QCOMPARE(told, 1);
    // The adapter back in: the port opens and works again.
    h.Replug();
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    QVERIFY(!t.link.Lost());
    QVERIFY(SendOver(t.link, QueryFrame(1, 0x8001)));
    QCOMPARE(t.link.Read(10).size(), 10);
    // Pulled again, now found by a write: the port does not reopen and is given up.
    t.prompts.Clear();
    t.app.PortOpened();
    h.Unplug();
    QVERIFY(!SendOver(t.link, QueryFrame(1, 0x8001)));
    QCOMPARE(t.prompts.Texts(), QStringList{"Utracono połączenie z kasą (COM1)."});
    QCOMPARE(told, 2);
    QCOMPARE(t.app.workMode, int(ModeOffline));
}

QTEST_GUILESS_MAIN(TestPort)
#include "test_port.moc"

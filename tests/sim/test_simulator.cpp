// The register simulator: the executable with its options, state file and
// commands, and the replies the reading windows expect.
#include <QtTest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "image/imagestore.h"
#include "image/smalltables.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestSimulator : public QObject {
    Q_OBJECT
private slots:
    void executableWithStateFaultsAndCommands();
    void valueReplies();
    void salesAndTurnover();
    void electronicCopyStream();
    void cacheDump();
    void programmingIsKept();
    void addressAndOrder();
    void runAfterFailedRun();
    void paperOutHoldsTheCommand();
};

namespace {
// The program's side, with a request and the frames it brings answered as the
// program answers them.
struct Line : PortOnSim {
    QList<QByteArray> Download(uint8_t command, uint16_t number, int length, uint16_t argument = 0) {
        link.FlushPort();
        SendOver(link, RequestFrame(number, command, argument));
        QList<QByteArray> frames;
        for (int r = ReplyRecord; r == ReplyRecord;) {
            const Reply reply = ReadReply(link, length);
            r = reply.result;
            if (r == ReplyRecord || r == ReplyLast) frames << reply.frame;
        }
        return frames;
    }
};
}  // namespace

void TestSimulator::executableWithStateFaultsAndCommands() {
    QTemporaryDir dir;
    const QString state = dir.path() + "/stan.json";
    QJsonObject goods{{"number", 5},         {"name", "Kefir"},     {"vat", "B"},     {"price", 349},
                      {"quantitySold", 20000}, {"valueSold", 698},  {"barcode", "5901111111111"},
                      {"group", 1},          {"lastSale", "2026-12-01 08:15"}};
    WriteFileBytes(state, QJsonDocument(QJsonObject{{"goods", QJsonArray{goods}}}).toJson());
    QProcess sim;
    sim.setProgram(QStringLiteral(SIM_EXECUTABLE));
    sim.setArguments({"--ports-dir", dir.path(), "--port", "6", "--state", state, "--fault", "T:2:damage",
                      "--log", dir.path() + "/ramki.txt"});
    sim.start();
    QVERIFY(sim.waitForReadyRead(5000));
    QVERIFY(sim.readLine().startsWith("ready " + QFile::encodeName(dir.path()) + "/COM6"));
    qputenv("TUVO_PORTS_DIR", QFile::encodeName(dir.path()));
    Line line;
    QVERIFY(line.Open(6));
    QList<QByteArray> frames = line.Download('T', 1, 91);
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames[0].mid(7, 7), QByteArray("\x05\x00Kefir", 7));
    QCOMPARE(frames[0].mid(56, 4), QByteArray("\x20\x4E\x00\x00", 4));  // quantity sold
    // The second goods request meets the injected fault.
    frames = line.Download('T', 1, 91);
    QCOMPARE(frames.size(), 0);
    QVERIFY(line.prompts.Texts().join("|").contains(QStringLiteral("Błąd CRC!")));
    // Commands on standard input: a fault, then a save.
    sim.write("fault Q:1:noreply\nsave " + QFile::encodeName(dir.path()) + "/zapis.json\n");
    QVERIFY(sim.waitForReadyRead(2000));
    QTRY_VERIFY(QFile::exists(dir.path() + "/zapis.json"));
    const QJsonObject saved = QJsonDocument::fromJson(ReadFileBytes(dir.path() + "/zapis.json")).object();
    QCOMPARE(saved["goods"].toArray()[0].toObject()["name"].toString(), QStringLiteral("Kefir"));
    QCOMPARE(saved["goods"].toArray()[0].toObject()["lastSale"].toString(), QStringLiteral("2026-12-01 08:15"));
    QCOMPARE(saved["cashiers"].toArray()[0].toObject()["name"].toString(), QStringLiteral("Kierownik"));
    QVERIFY(ReadFileBytes(dir.path() + "/ramki.txt").startsWith("> 02 01 0B 00 01 00 54 00 00 5F 03\n"));
    sim.write("quit\n");
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(dir.path() + "/COM6"));  // the link goes with it
    qunsetenv("TUVO_PORTS_DIR");
    // A broken state file is refused with a reason.
    WriteFileBytes(state, "{\"goods\": [{\"number\": 2001}]}");
    sim.setArguments({"--ports-dir", dir.path(), "--state", state});
    sim.start();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardError().contains("outside 1-2000"));
}

void TestSimulator::valueReplies() {
    SimHarness h(1);
    Line line;
    QVERIFY(line.Open());
    QList<QByteArray> f = line.Download('N', 0x8001, 268);
    QCOMPARE(f.size(), 1);
    QCOMPARE(f[0].size(), 268);
    f = line.Download('J', 0x8001, 18);
    QCOMPARE(f.value(0).mid(7, 9), QByteArray("kg l  m  "));
    f = line.Download('I', 0x8001, 124);
    QCOMPARE(f.size(), 1);
    QCOMPARE(uint8_t(f[0][2]), uint8_t(124));
    QCOMPARE(f[0].mid(7 + 91, 3), QByteArray("PLN"));
    h.sim.WithState([](SimState& s) { s.longInfo = false; });
    line.link.FlushPort();
    SendOver(line.link, RequestFrame(0x8001, 'I', 0).To(1));
    const QByteArray info = line.link.Read(115);
    QCOMPARE(info.size(), 115);
    QCOMPARE(info.mid(7 + 84, 3), QByteArray("PLN"));
    line.link.FlushPort();
    f = line.Download(0x03, 0x8001, 30, 1);
    QCOMPARE(f.size(), 1);
    QTRY_COMPARE(h.ControlStatuses(), (QList<int>{3, 3, 3, 3}));
}

void TestSimulator::salesAndTurnover() {
    SimHarness h(1);
    h.sim.WithState([](SimState& s) {
        s.goods.Set(1, RegisterGoods(1, "A", 'A', 100, "1", 1, 25000, 1999));
        s.goods.Set(2, RegisterGoods(2, "B", 'A', 100, "1", 1));
        QByteArray month(83, '\0');
        month[0] = 7;
        month[1] = char(0xE8);
        month[2] = 0x07;
        s.turnover.append(month);
    });
    Line line;
    QVERIFY(line.Open());
    QList<QByteArray> x = line.Download('X', 0x8001, 62);
    QCOMPARE(x.size(), 1);
    QCOMPARE(x[0].mid(7 + 45, 8), Hex("A8 61 00 00 CF 07 00 00"));
    QCOMPARE(line.Download('Y', 0x8001, 62).size(), 2);
    QCOMPARE(line.Download(0x06, 0x8001, 92).size(), 1);
    // Clearing the sales leaves the zero-sales answer.
    line.link.FlushPort();
    SendOver(line.link, SalesClearFrame());
    QCOMPARE(ReadAck(line.link), int(AckAcceptedEnd));
    QCOMPARE(line.Download('X', 0x8001, 62).size(), 0);
    QCOMPARE(line.prompts.Texts(), QStringList{QStringLiteral("Zerowa wartość sprzedaży.")});
}

void TestSimulator::electronicCopyStream() {
    SimHarness h(1);
    h.sim.WithState([](SimState& s) { s.LoadDemo(); });
    Line line;
    QVERIFY(line.Open());
    QVERIFY(SendOver(line.link, CopyReadFrame(1, QByteArray(), 2)));
    QByteArray text;
    bool ended = false;
    uint8_t aa = 0xAA;
    for (int pass = 0; pass < 2000 && !ended; ++pass) {
        const int waiting = line.link.BytesWaiting();
        if (waiting > 0) {
            line.link.SetTimeouts({0, 0, 50, 10, 10});
            const QByteArray block = line.link.Read(qMin(waiting, 1000));
            if (!block.startsWith('\x02')) {
                text += block;
                ended = block.contains('\0');
            }
        }
        line.link.SendBytes(&aa, 1, 1);
        QTest::qWait(2);
    }
    QVERIFY(ended);
    QVERIFY(text.contains("PARAGON FISKALNY\n"));
    QVERIFY2(text.contains("Chleb wiejski"), text.constData());
}

void TestSimulator::cacheDump() {
    SimHarness h(1);
    h.sim.SetCachePackets(5);
    Line line;
    QVERIFY(line.Open());
    SendOver(line.link, CacheDumpRequestFrame());
    QList<int> results;
    Reply reply;
    for (int r = ReplyRecord; r == ReplyRecord;) {
        reply = ReadReply(line.link, 265);
        results << (r = reply.result);
    }
    QCOMPARE(results, (QList<int>{1, 1, 1, 1, 2}));
    QCOMPARE(uint16_t(uint8_t(reply.frame[4]) | uint8_t(reply.frame[5]) << 8), uint16_t(0x8005));
}

void TestSimulator::programmingIsKept() {
    SimHarness h(1);
    TestServices t;
    Choose(t.link, [](PortSettings& s) { s.port = 1; });
    QVERIFY(t.link.OpenRegisterPort(true) == 0);
    // Goods that name a group the register lacks are refused with error 9.
    GoodsFields g;
    g.number = 3;
    g.name = QStringLiteral("Cukier");
    g.group = 4;
    WriteGoodsRecord(t.image, g);
    SendStored(t.link, t.image, RecordTable::Goods, 0x8001, 3, 0);
    int code = 0;
    QCOMPARE(ReadAck(t.link, &code), int(AckRegisterError));
    QCOMPARE(code, 9);
    g.group = 1;
    WriteGoodsRecord(t.image, g);
    SendStored(t.link, t.image, RecordTable::Goods, 0x8001, 3, 0);
    QCOMPARE(ReadAck(t.link), int(AckAcceptedEnd));
    h.sim.WithState([](SimState& s) {
        QVERIFY(s.goods.Present(3));
        QCOMPARE(uint8_t(s.goods.Slot(3)[79]), uint8_t(24));  // never sold
    });
    // Deleting with another name: error 90; with the name: gone.
    SendOver(t.link, DeleteFrame(RecordTable::Goods, 0x8001, 3, "Inny", 0));
    QCOMPARE(ReadAck(t.link, &code), int(AckRegisterError));
    QCOMPARE(code, 90);
    SendOver(t.link, DeleteFrame(RecordTable::Goods, 0x8001, 3, "Cukier", 0));
    QCOMPARE(ReadAck(t.link), int(AckAcceptedEnd));
    h.sim.WithState([](SimState& s) { QVERIFY(!s.goods.Present(3)); });
    // The manager and group 1 are never deleted.
    SendOver(t.link, DeleteFrame(RecordTable::Cashiers, 0x8001, 1, "Kierownik", 0));
    QCOMPARE(ReadAck(t.link, &code), int(AckRegisterError));
    QCOMPARE(code, 89);
}

void TestSimulator::addressAndOrder() {
    SimHarness h(1);
    h.sim.SetAddress(3);
    Line line;
    QVERIFY(line.Open());
    SendOver(line.link, QueryFrame(1, 0));
    QCOMPARE(line.link.Read(10).size(), 0);  // another address: silence
    SendOver(line.link, QueryFrame(3, 0));
    const QByteArray answer = line.link.Read(10);
    QCOMPARE(answer.size(), 10);
    QCOMPARE(uint8_t(answer[6]), uint8_t('A'));
    // A series whose frame numbers fall is refused with status 2.
    line.link.SetAddress(3);
    TestServices t;
    Choose(t.link, [](PortSettings& s) { s.port = 1; });
    line.link.ClosePort();
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    t.link.SetAddress(3);
    SendStored(t.link, t.image, RecordTable::Cashiers, 5, 1, 0);
    QCOMPARE(ReadAck(t.link), int(AckAccepted));
    SendStored(t.link, t.image, RecordTable::Cashiers, 2, 1, 0);
    QCOMPARE(ReadAck(t.link), int(AckRejectedOrder));
}

void TestSimulator::runAfterFailedRun() {
    SimHarness h(1);
    TestServices t;
    Choose(t.link, [](PortSettings& s) { s.port = 1; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    for (int n = 2; n <= 9; ++n)
        t.image.WriteBytesAt(kCashierTable.area.Offset(n), CashierRecord{uint8_t(n), QStringLiteral("K%1").arg(n)}.Encode());
    // A run numbered by row (3, 7, ...) that the register refuses at row 7 ends
    // without its last-flag frame.
    SendStored(t.link, t.image, RecordTable::Cashiers, 3, 3, 0);
    QCOMPARE(ReadAck(t.link), int(AckAccepted));
    h.AddFault(QStringLiteral("K:1:error:18"));
    SendStored(t.link, t.image, RecordTable::Cashiers, 7, 7, 0);
    QCOMPARE(ReadAck(t.link), int(AckRegisterError));
    // The next run starts at its first row's number, below the failed run's last.
    SendStored(t.link, t.image, RecordTable::Cashiers, 5, 5, 0);
    QCOMPARE(ReadAck(t.link), int(AckAccepted));
    SendStored(t.link, t.image, RecordTable::Cashiers, 9 | LastFrameFlag, 9, 0);
    QCOMPARE(ReadAck(t.link), int(AckAcceptedEnd));
    // A run whose frame was lost ends too.
    h.AddFault(QStringLiteral("K:1:noreply"));
    t.clock.timeoutDivisor = 10;
    SendStored(t.link, t.image, RecordTable::Cashiers, 8, 8, 0);
    QCOMPARE(ReadAck(t.link), int(AckNoReply));
    SendStored(t.link, t.image, RecordTable::Cashiers, 2, 2, 0);
    QCOMPARE(ReadAck(t.link), int(AckAccepted));
    // Within one run a falling number is still out of order.
    SendStored(t.link, t.image, RecordTable::Cashiers, 6, 6, 0);
    QCOMPARE(ReadAck(t.link), int(AckAccepted));
    SendStored(t.link, t.image, RecordTable::Cashiers, 4, 4, 0);
    QCOMPARE(ReadAck(t.link), int(AckRejectedOrder));
}

void TestSimulator::paperOutHoldsTheCommand() {
    SimHarness h(1);
    TestServices t;
    Choose(t.link, [](PortSettings& s) { s.port = 1; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    t.image.WriteBytesAt(kGroupTable.area.Offset(4), GroupRecord{4, QStringLiteral("Napoje")}.Encode());
    // The user says No: the register drops the command.
    h.AddFault(QStringLiteral("G:1:paperout"));
    t.prompts.answers = {PromptAnswer::No};
    SendStored(t.link, t.image, RecordTable::Groups, kSingleFrame, 4, 0);
    QCOMPARE(ReadAck(t.link), int(AckPaperStopped));
    QTest::qWait(300);  // past the moment the paper would have come
    h.sim.WithState([](SimState& s) { QVERIFY(!s.groups.Present(4)); });
    // The user goes on: the register carries it out once paper is in.
    h.AddFault(QStringLiteral("G:1:paperout"));
    t.prompts.answers = {PromptAnswer::Yes};
    SendStored(t.link, t.image, RecordTable::Groups, kSingleFrame, 4, 0);
    QCOMPARE(ReadAck(t.link), int(AckAcceptedEnd));
    h.sim.WithState([](SimState& s) { QVERIFY(s.groups.Present(4)); });
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"

// The connection object's notifications and probes, and the one exchange
// routine's answers, against the simulated register on a pseudo-terminal.
#include <QtTest>

#include "link/commands.h"
#include "link/exchange.h"
#include "link/frames.h"
#include "link/portscan.h"
#include "link/registerlink.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void notificationsMoveTheMode();
    void probesLeaveTheUsersSettings();
    void answerKinds_data();
    void answerKinds();
    void nothingToSendAndNotSent();
};

void TestExchange::notificationsMoveTheMode() {
    SimHarness h(1);
    TestServices t;
    QList<QString> heard;
    QObject::connect(&t.link, &RegisterLink::opened, [&](int port) { heard << QStringLiteral("opened %1").arg(port); });
    QObject::connect(&t.link, &RegisterLink::closed, [&] { heard << QStringLiteral("closed"); });
    QObject::connect(&t.link, &RegisterLink::lost, [&](int port) { heard << QStringLiteral("lost %1").arg(port); });
    QCOMPARE(t.app.workMode, int(ModeOffline));
    Choose(t.link, [](PortSettings& s) { s.port = 1; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    QCOMPARE(t.app.workMode, int(ModeOnline));
    t.link.ClosePort();
    QCOMPARE(t.app.workMode, int(ModeOffline));
    t.link.ClosePort();  // closing a closed port tells nobody
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    t.app.DatabaseLost();
    QCOMPARE(t.app.workMode, int(ModeRegisterOnly));
    h.Unplug();
    QVERIFY(!t.link.Send(QueryFrame(1, 0x8001)));
    QCOMPARE(t.app.workMode, int(ModeNone));
    QCOMPARE(heard, (QList<QString>{"opened 1", "closed", "opened 1", "lost 1"}));
    QCOMPARE(t.link.Port(), 1);  // a lost port is still the user's choice
}

// The scan, the search's count pass and the automatic connection probe with a
// copy: the user's settings, address and mode stay, and nobody hears of the probes.
void TestExchange::probesLeaveTheUsersSettings() {
    SimHarness h(2);
    TestServices t;
    int told = 0;
    QObject::connect(&t.link, &RegisterLink::closed, [&] { ++told; });
    QObject::connect(&t.link, &RegisterLink::lost, [&] { ++told; });
    QObject::connect(&t.link, &RegisterLink::opened, [&] { ++told; });
    Choose(t.link, [](PortSettings& s) {
        s.port = 7;
        s.baud = 9600;
        s.parity = 2;
    });
    t.link.SetAddress(4);
    const PortSettings before = t.link.Settings();
    QCOMPARE(OpenablePorts(t.link), QList<int>{2});
    PortScan scan;
    scan.addresses = {1};
    scan.settings = before;
    scan.settings->baud = 115200;
    scan.settings->parity = 0;
    QCOMPARE(ScanPorts(t.link, {1, 2, 3}, scan), (QList<FoundRegister>{{2, 1}}));
    QVERIFY(t.link.Settings() == before);
    QCOMPARE(int(t.link.Address()), 4);
    QVERIFY(!t.link.IsOpen());
    QCOMPARE(told, 0);
    QCOMPARE(t.app.workMode, int(ModeOffline));
    QCOMPARE(h.Received('Q').value(0), RegisterFrame(10, 0, 'Q', Hex("00")));
}

void TestExchange::answerKinds_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("busyPause");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<bool>("busySeen");
    QTest::newRow("accepted") << "" << -1 << int(AnswerKind::Accepted) << 0 << false;
    QTest::newRow("busy, read again, accepted") << "C:1:busy" << 800 << int(AnswerKind::Accepted) << 0 << true;
    QTest::newRow("busy and not read again") << "C:1:busy" << -1 << int(AnswerKind::Busy) << 0 << false;
    QTest::newRow("refused with its code") << "C:1:error:19" << -1 << int(AnswerKind::Refused) << 19 << false;
    QTest::newRow("frame rejected") << "C:1:ack:1" << -1 << int(AnswerKind::Rejected) << 0 << false;
    QTest::newRow("out of order") << "C:1:ack:2" << -1 << int(AnswerKind::Rejected) << 0 << false;
    QTest::newRow("silence") << "C:1:noreply" << -1 << int(AnswerKind::NoAnswer) << 0 << false;
    QTest::newRow("truncated") << "C:1:truncate:3" << -1 << int(AnswerKind::NoAnswer) << 0 << false;
    QTest::newRow("late, then the answer") << "C:1:delay:50" << -1 << int(AnswerKind::Accepted) << 0 << false;
}

void TestExchange::answerKinds() {
    QFETCH(QString, fault);
    QFETCH(int, busyPause);
    QFETCH(int, kind);
    QFETCH(int, errorCode);
    QFETCH(bool, busySeen);
    SimHarness h(1);
    PortOnSim line;
    QVERIFY(line.Open());
    line.clock.timeoutDivisor = 5;
    if (!fault.isEmpty()) h.AddFault(fault);
    // A clock frame in the middle of a run (not the last), so acceptance is status 0.
    Exchange how;
    how.busyPause = busyPause;
    const Answer a = Transact(line.link, ClockFrame(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5))), how);
    QCOMPARE(int(a.kind) == int(AnswerKind::AcceptedLast) ? int(AnswerKind::Accepted) : int(a.kind), kind);
    QCOMPARE(a.errorCode, errorCode);
    QCOMPARE(a.busySeen, busySeen);
    QCOMPARE(h.Received('C').size(), 1);
    QVERIFY(line.prompts.Texts().isEmpty());
}

void TestExchange::nothingToSendAndNotSent() {
    TestServices t;
    // An empty slot has no frame: nothing goes out and nothing is read.
    const Answer empty = TransactRecord(t.link, t.image, RecordTable::Goods, kSingleFrame, 5, 0);
    QCOMPARE(int(empty.kind), int(AnswerKind::Nothing));
    QVERIFY(t.prompts.Texts().isEmpty());
    // No port chosen: the frame is not sent, the link says why, and the answer
    // says it was not sent (not that the register was silent).
    const Answer unsent = Transact(t.link, ClockFrame(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5))));
    QCOMPARE(int(unsent.kind), int(AnswerKind::NotSent));
    QVERIFY(!unsent.Sent());
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Nie wybrano portu komunikacyjnego.")});
}

QTEST_GUILESS_MAIN(TestExchange)
#include "test_exchange.moc"

// Frames and exchanges over a real pseudo-terminal against the simulated register.
#include <QtTest>

#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlFrameCheckByte();
    void checkByteOfEmptyPayloadAndBadLength();
    void commandFramesByteExact_data();
    void commandFramesByteExact();
    void nipLengthCheck();
    void recordBuildersRefuseEmptySlots();
    void seriesAcknowledgedFrameByFrame();
    void lastFrameAnsweredCompleteEvenWhenCancelled();
    void cancelEndsSeriesWithStatus4();
    void shortReplyIsNoCommunication();
    void damagedFrameLeavesAnswerToCaller();
    void emptyTableAndZeroSales();
    void registerErrorDuringDownload();
    void readAckResults_data();
    void readAckResults();
    void paperOutPrompt();
    void readAckWaitDifferences();

private:
    void Open();
    TempEnvironment* env_ = nullptr;
    SimHarness* harness_ = nullptr;
    ScriptedPrompts prompts_;
    VirtualClock clock_;
    RegisterLink* link_ = nullptr;
    WorkImage image_;
};

void TestFrames::init() {
    env_ = new TempEnvironment;
    harness_ = new SimHarness(1);
    prompts_ = ScriptedPrompts();
    clock_ = VirtualClock();
    link_ = new RegisterLink(prompts_, clock_);
    CreateDatabaseImage(image_, 1, QStringLiteral("PLN"));
}

void TestFrames::cleanup() {
    delete link_;
    delete harness_;
    image_.Close();
    delete env_;
}

void TestFrames::Open() {
    Choose(*link_, [&](PortSettings& s) { s.port = 1; });
    QCOMPARE(link_->OpenRegisterPort(true), 0);
}

void TestFrames::controlFrameCheckByte() {
    uint8_t f[10];
    PrepareFrame(f, 1, 10, 1, 6);
    f[7] = 0;
    QCOMPARE(FrameCrc8(f), uint8_t(0x0C));
    Open();
    QVERIFY(SendOver(*link_, ControlFrame(0).To(1)));
    QTRY_COMPARE(harness_->Received().value(0), Hex("02 01 0A 00 01 00 06 00 0C 03"));
}

void TestFrames::checkByteOfEmptyPayloadAndBadLength() {
    uint8_t f[1024] = {};
    PrepareFrame(f, 0x11, 9, 0x0302, 0x44);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(f), 9), Hex("02 11 09 00 02 03 44 00 03"));
    QCOMPARE(FrameCrc8(f), uint8_t(0x11 ^ 0x09 ^ 0x00 ^ 0x02 ^ 0x03 ^ 0x44));
    // A length field from outside never makes the check run past the buffer.
    uint8_t small[12] = {2, 1, 0xFF, 0xFF, 1, 0, 6, 0, 0, 0, 0, 0};
    QCOMPARE(FrameCrc8(small, sizeof small), uint8_t(1 ^ 0xFF ^ 0xFF ^ 1 ^ 6));
}

void TestFrames::commandFramesByteExact_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("goods table request") << 0 << Hex("02 01 0B 00 01 00 54 00 00 5F 03");
    QTest::newRow("clock 2005-03-07 14:05:09")
        << 1 << RegisterFrame(17, 0x8001, 'C', Hex("D5 07 03 07 0E 05 09 00"));
    QTest::newRow("cashier report for cashier 10") << 2 << RegisterFrame(12, 0x8001, 'k', Hex("0A 01 00"));
    QTest::newRow("quick sale Szybkie storno sends 3") << 3 << RegisterFrame(14, 0x8001, 'X', Hex("02 04 03 01 05"));
    QTest::newRow("NIP padded with zero bytes")
        << 4 << RegisterFrame(25, 0x8001, 'I', QByteArray("1234567000") + QByteArray(6, '\0'));
    QTest::newRow("group turnover Marzec-Maj 2024")
        << 5 << RegisterFrame(17, 0x8001, 0x05, Hex("03 E8 07 05 E8 07 01 74"));
    QTest::newRow("periodic monthly") << 6 << RegisterFrame(19, 0x8001, 'o', Hex("02 FF E8 07 0D FF FF FF FF FF"));
    QTest::newRow("sales report whole base")
        << 7 << RegisterFrame(16, 1, 's', Hex("01 01 00 D0 07 01 00"));
    QTest::newRow("electronic copy by numbers")
        << 8 << RegisterFrame(24, 0x8001, 0x01, Hex("02 01 00 01 00 00 00 D0 07 9F 86 01 00 01 02"));
    QTest::newRow("sales clear always to address 1") << 9 << RegisterFrame(10, 0x8001, 0xCB, Hex("01"));
    QTest::newRow("delete cashier cuts the name to 16")
        << 10 << RegisterFrame(26, 1, '2', Hex("05") + QByteArray("ABCDEFGHIJKLMNOP"));
}

void TestFrames::commandFramesByteExact() {
    QFETCH(int, which);
    QFETCH(QByteArray, frame);
    Open();
    switch (which) {
        case 0: QVERIFY(SendOver(*link_, RequestFrame(1, 'T', 0).To(1))); break;
        case 1: QVERIFY(SendOver(*link_, ClockFrame(QDateTime(QDate(2005, 3, 7), QTime(14, 5, 9))))); break;
        case 2: QVERIFY(SendOver(*link_, CashierReportFrame(10, 1, 0))); break;
        case 3: QVERIFY(SendOver(*link_, QuickSaleKeysFrame(2, 4, 2, 1, 5))); break;
        case 4: QVERIFY(SendOver(*link_, NipFrame(QStringLiteral("1234567000")))); break;
        case 5: QVERIFY(SendOver(*link_, GroupTurnoverReportFrame(3, 2024, 5, 2024, true))); break;
        case 6: QVERIFY(SendOver(*link_, PeriodicReportMonthlyFrame(2, 2024, 13))); break;
        case 7: QVERIFY(SendOver(*link_, SalesReportForGoodsFrame(1, 1, 2000, 1, 0))); break;
        case 8:
            QVERIFY(SendOver(*link_, CopyReadFrame(2, CopyRangeByNumbers(1, 1, 2000, 99999, 1), 2)));
            break;
        case 9:
            link_->SetAddress(3);
            harness_->sim.SetAddress(3);
            QVERIFY(SendOver(*link_, SalesClearFrame()));
            break;
        case 10: QVERIFY(SendOver(*link_, DeleteFrame(RecordTable::Cashiers, 1, 5, "ABCDEFGHIJKLMNOPQRSTU", 0))); break;
    }
    QTRY_COMPARE(harness_->Received().value(0), frame);
}

void TestFrames::nipLengthCheck() {
    Open();
    QVERIFY(!NipFrame(QStringLiteral("12345678901234567")));
    QVERIFY(SendOver(*link_, NipFrame(QStringLiteral("1234567890123456"))));
    QTRY_COMPARE(harness_->Received('I').size(), 1);
    QCOMPARE(harness_->Received('I')[0].mid(7, 16), QByteArray("1234567890123456"));
}

void TestFrames::recordBuildersRefuseEmptySlots() {
    Open();
    QVERIFY(!SendStored(*link_, image_, RecordTable::Goods, 0x8001, 1, 0));
    QVERIFY(!SendStored(*link_, image_, RecordTable::Discounts, 0x8001, 1, 0));
    QVERIFY(!SendStored(*link_, image_, RecordTable::Goods, 0x8001, 2001, 0));
    GoodsFields g;
    g.number = 1;
    g.name = QStringLiteral("Mleko");
    g.price = 250;
    WriteGoodsRecord(image_, g);
    QVERIFY(SendStored(*link_, image_, RecordTable::Goods, 0x8001, 1, 1));
    QVERIFY(SendStored(*link_, image_, RecordTable::Cashiers, 1, 1, 0));  // the manager of a new image
    QVERIFY(SendOver(*link_, VatRatesFrame(image_.ReadBytesAt(layout::kVatTable, layout::kVatTableSize), 0)));             // the VAT table is always sent
    QTRY_COMPARE(harness_->Received().size(), 3);
    const QByteArray goods = harness_->Received()[0];
    QCOMPARE(goods.size(), 78);
    QCOMPARE(goods.mid(6, 3), Hex("54 01 00"));
    QCOMPARE(goods.mid(7, 68), image_.ReadBytesAt(layout::kGoods.Offset(1), 68));
    QCOMPARE(goods.at(75), '\1');
    QCOMPARE(harness_->Received()[1].size(), 43);
    QCOMPARE(harness_->Received()[2].mid(7, 21), image_.ReadBytesAt(layout::kVatTable, 21));
}

void TestFrames::seriesAcknowledgedFrameByFrame() {
    harness_->sim.WithState([](SimState& s) {
        for (int n : {3, 7, 2000}) s.goods.Set(n, RegisterGoods(n, QStringLiteral("T%1").arg(n), 'A', n, "1", 1));
    });
    Open();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QList<int> results;
    QList<int> numbers;
    for (int r = ReplyRecord; r == ReplyRecord;) {
        const Reply reply = ReadReply(*link_, 91);
        r = reply.result;
        results << r;
        numbers << (uint8_t(reply.frame[7]) | uint8_t(reply.frame[8]) << 8);
    }
    QCOMPARE(results, (QList<int>{ReplyRecord, ReplyRecord, ReplyLast}));
    QCOMPARE(numbers, (QList<int>{3, 7, 2000}));
    QTRY_COMPARE(harness_->ControlStatuses(), (QList<int>{0, 0, 3}));
    QVERIFY(prompts_.Texts().isEmpty());
}

void TestFrames::lastFrameAnsweredCompleteEvenWhenCancelled() {
    harness_->sim.WithState([](SimState& s) { s.goods.Set(5, RegisterGoods(5, "A", 'A', 1, "1", 1)); });
    Open();
    link_->RequestCancel();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyLast));
    QTRY_COMPARE(harness_->ControlStatuses(), QList<int>{3});
}

void TestFrames::cancelEndsSeriesWithStatus4() {
    harness_->sim.WithState([](SimState& s) {
        for (int n = 1; n <= 5; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("T%1").arg(n), 'A', 1, "1", 1));
    });
    Open();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyRecord));
    link_->RequestCancel();
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyLast));
    QTRY_COMPARE(harness_->ControlStatuses(), (QList<int>{0, 4}));
    QTest::qWait(100);
    QCOMPARE(link_->BytesWaiting(), 0);  // the register sent nothing more
}

void TestFrames::shortReplyIsNoCommunication() {
    harness_->sim.WithState([](SimState& s) { s.goods.Set(1, RegisterGoods(1, "A", 'A', 1, "1", 1)); });
    harness_->AddFault(QStringLiteral("T:1:truncate:1"));
    clock_.timeoutDivisor = 10;
    Open();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyStop));
    QCOMPARE(prompts_.Texts(), QStringList{QStringLiteral("Brak komunikacji.")});
    QTest::qWait(100);
    QCOMPARE(harness_->ControlStatuses(), QList<int>{});  // nothing sent back
}

void TestFrames::damagedFrameLeavesAnswerToCaller() {
    harness_->sim.WithState([](SimState& s) { s.goods.Set(1, RegisterGoods(1, "A", 'A', 1, "1", 1)); });
    harness_->AddFault(QStringLiteral("T:1:damage"));
    Open();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    const Reply reply = ReadReply(*link_, 91);
    QCOMPARE(reply.result, int(ReplyBadCrc));
    const auto* rx = reinterpret_cast<const uint8_t*>(reply.frame.constData());
    const uint8_t received = rx[89];
    const uint8_t computed = FrameCrc8(rx, int(reply.frame.size()));
    // One fault, one message.
    QCOMPARE(prompts_.Texts(),
             QStringList{QStringLiteral("Błąd CRC!\nCRC kasy: %1 CRC PC: %2").arg(received).arg(computed)});
    QTest::qWait(100);
    QCOMPARE(harness_->ControlStatuses(), QList<int>{});
    SendOver(*link_, ControlFrame(ControlRejected).To(1));
    QTRY_COMPARE(harness_->ControlStatuses(), QList<int>{1});
}

void TestFrames::emptyTableAndZeroSales() {
    Open();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyStop));
    SendOver(*link_, RequestFrame(0x8001, 'X', 0).To(1));
    QCOMPARE(ReadReply(*link_, 62).result, int(ReplyStop));
    QCOMPARE(prompts_.Texts(), (QStringList{QStringLiteral("Pusta baza."), QStringLiteral("Zerowa wartość sprzedaży.")}));
}

void TestFrames::registerErrorDuringDownload() {
    harness_->sim.WithState([](SimState& s) { s.goods.Set(1, RegisterGoods(1, "A", 'A', 1, "1", 1)); });
    harness_->AddFault(QStringLiteral("T:1:error:20"));
    Open();
    QElapsedTimer t;
    t.start();
    SendOver(*link_, RequestFrame(1, 'T', 0).To(1));
    QCOMPARE(ReadReply(*link_, 91).result, int(ReplyStop));
    QVERIFY2(t.elapsed() < 500, "an error frame is taken the moment it is complete");
    QCOMPARE(prompts_.Texts(), QStringList{QStringLiteral(
        "Błąd 20: Zła wartość pola „Wykonywanie raportów niezerujących” (dozwolone 0 lub 1)")});
}

void TestFrames::readAckResults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("then");  // a second ReadAck, as callers do after busy; -1 none
    QTest::newRow("accepted (status 3 after the last frame)") << "" << int(AckAcceptedEnd) << -1;
    QTest::newRow("busy, then accepted") << "C:1:busy" << int(AckBusy) << int(AckAcceptedEnd);
    QTest::newRow("busy twice") << "C:1:busy:2" << int(AckBusy) << int(AckBusy);
    QTest::newRow("register error") << "C:1:error:61" << int(AckRegisterError) << -1;
    QTest::newRow("frame rejected") << "C:1:ack:1" << int(AckRejectedFrame) << -1;
    QTest::newRow("out of order") << "C:1:ack:2" << int(AckRejectedOrder) << -1;
    QTest::newRow("unknown answer") << "C:1:status:32" << int(AckNoReply) << -1;
    QTest::newRow("acceptance taken without its check byte") << "C:1:damage" << int(AckAcceptedEnd) << -1;
    QTest::newRow("no answer") << "C:1:noreply" << int(AckNoReply) << -1;
}

void TestFrames::readAckResults() {
    QFETCH(QString, fault);
    QFETCH(int, result);
    QFETCH(int, then);
    if (!fault.isEmpty()) harness_->AddFault(fault);
    clock_.timeoutDivisor = 5;
    Open();
    SendOver(*link_, ClockFrame(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5))));
    int code = 0;
    QCOMPARE(ReadAck(*link_, &code), result);
    if (result == AckRegisterError) {
        QCOMPARE(code, 61);
        QTest::qWait(50);
        QCOMPARE(link_->BytesWaiting(), 0);  // the eleventh byte was read too
    }
    if (then >= 0) QCOMPARE(ReadAck(*link_), then);
    QVERIFY(prompts_.Texts().isEmpty());
}

void TestFrames::paperOutPrompt() {
    harness_->AddFault(QStringLiteral("K:1:paperout"));
    harness_->AddFault(QStringLiteral("K:2:paperout"));
    Open();
    prompts_.answers = {PromptAnswer::Yes};
    SendStored(*link_, image_, RecordTable::Cashiers, 1, 1, 0);
    QCOMPARE(ReadAck(*link_), int(AckAccepted));
    QCOMPARE(prompts_.shown.value(0).text, QStringLiteral("Brak papieru! Kontynuować?"));
    QCOMPARE(prompts_.shown.value(0).title, QStringLiteral("UWAGA!"));

    prompts_.Clear();
    prompts_.answers = {PromptAnswer::No};
    SendStored(*link_, image_, RecordTable::Cashiers, 2, 1, 0);
    QCOMPARE(ReadAck(*link_), int(AckPaperStopped));
    QCOMPARE(prompts_.Texts(), (QStringList{QStringLiteral("Brak papieru! Kontynuować?"),
                                            QStringLiteral("Komunikacja przerwana przez użytkownika.")}));
    QTRY_COMPARE(harness_->ControlStatuses(), QList<int>{4});
    QTest::qWait(300);
    QCOMPARE(link_->BytesWaiting(), 0);  // the register dropped its answer
}

void TestFrames::readAckWaitDifferences() {
    Open();
    // Paper out, the user goes on, the register then accepts: the acceptance
    // is the outcome, not a lost answer.
    harness_->AddFault(QStringLiteral("h:1:paperout"));
    prompts_.answers = {PromptAnswer::Yes};
    SendOver(*link_, QuickKeysReportFrame());
    QCOMPARE(ReadAckWait(*link_), int(AckAccepted));
    // Busy printing: waits in 200 ms steps until the register accepts.
    harness_->AddFault(QStringLiteral("h:1:printing"));
    SendOver(*link_, QuickKeysReportFrame());
    QCOMPARE(ReadAckWait(*link_), int(AckAcceptedEnd));
    QVERIFY(clock_.pauses.contains(200));
    // A register error is shown by the reader; its eleventh byte stays unread.
    prompts_.Clear();
    harness_->AddFault(QStringLiteral("h:1:error:9"));
    SendOver(*link_, QuickKeysReportFrame());
    QCOMPARE(ReadAckWait(*link_), int(AckRegisterError));
    QCOMPARE(prompts_.Texts(), QStringList{QStringLiteral(
        "Błąd 9: Zły numer grupy towarowej (więcej niż 20 lub grupa niezaprogramowana)")});
    QTRY_COMPARE(link_->BytesWaiting(), 1);
    QCOMPARE(link_->FlushPort(), 0);
    QCOMPARE(link_->BytesWaiting(), 0);
}

QTEST_GUILESS_MAIN(TestFrames)
#include "test_frames.moc"

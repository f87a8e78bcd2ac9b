// The table-synchronization engine against the simulated register, one row of
// data per table: reading, writing ticked rows, deleting, copying into the image.
#include <QtTest>

#include "image/layout.h"
#include "image/smalltables.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "support/guifixture.h"
#include "support/simtables.h"
#include "sync/tablesync.h"

Q_DECLARE_METATYPE(RecordTable)

namespace {

// A register record of the member's size: number, name, the rest zeros (no
// sales, so the register lets it be deleted) or a pattern.
QByteArray RegisterRecord(const SyncMember& m, int number, const QString& name, bool pattern = false) {
    QByteArray r(m.RecordSize(), '\0');
    if (pattern)
        for (int i = 0; i < r.size(); ++i) r[i] = char((i * 7 + number) & 0x7F);
    r[0] = char(number);
    if (m.numberWidth == 2) r[1] = char(number >> 8);
    const QByteArray n = name.toLatin1().leftJustified(m.nameWidth, '\0', true);
    r.replace(m.nameOffset, n.size(), n);
    return r;
}
int NumberOf(const SyncMember& m, const QByteArray& r) {
    return m.numberWidth == 2 ? uint8_t(r[0]) | uint8_t(r[1]) << 8 : uint8_t(r[0]);
}

// The command byte of the table's record frames.
uint8_t RecordCommandOf(RecordTable t) {
    return t == RecordTable::Goods ? uint8_t('T') : SmallTableOf(t).command;
}

}  // namespace

class TestTableSync : public QObject {
    Q_OBJECT
private slots:
    void members_data();
    void readFullEmptyAndOutOfRange();
    void readFullEmptyAndOutOfRange_data() { members_data(); }
    void writeTickedRows();
    void writeTickedRows_data() { members_data(); }
    void refusedDelete();
    void refusedDelete_data() { members_data(); }
    void copyIntoImage();
};

void TestTableSync::members_data() {
    QTest::addColumn<RecordTable>("table");
    QTest::newRow("cashiers") << RecordTable::Cashiers;
    QTest::newRow("discounts") << RecordTable::Discounts;
    QTest::newRow("payment forms") << RecordTable::PaymentForms;
    QTest::newRow("currencies") << RecordTable::Currencies;
    QTest::newRow("groups") << RecordTable::Groups;
    QTest::newRow("packagings") << RecordTable::Packagings;
    QTest::newRow("goods") << RecordTable::Goods;
}

void TestTableSync::readFullEmptyAndOutOfRange() {
    QFETCH(RecordTable, table);
    const SyncMember& m = SyncMemberOf(table);
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.WithState([&](SimState& s) {
        SimTable& t = SimTableOf(s, table);
        for (int n = 1; n <= t.count; ++n) t.Clear(n);
    });
    RegisterTableMirror mirror = MirrorFor(m);
    // Empty: the reader says so and the mirror is empty.
    ReadOutcome out = ReadRegisterTable(f.t.link, m, mirror);
    QCOMPARE(f.t.prompts.Texts(), QStringList{"Pusta baza."});
    QCOMPARE(out.stored, 0);
    QCOMPARE(out.RebuildList(m), m.rebuild != ListRebuild::OnlyAfterLast);
    // Full, with one record numbered beyond the mirror.
    QList<QByteArray> sent;
    h.sim.WithState([&](SimState& s) {
        SimTable& t = SimTableOf(s, table);
        for (int n : {1, 2, t.count}) {
            t.Set(n, RegisterRecord(m, n, QStringLiteral("Rej%1").arg(n), true));
            sent << t.Record(n);
        }
        // The register holds it in slot 3 but calls it 25 (or 15, or 2005).
        t.Set(3, RegisterRecord(m, m.mirrorSlots + 5, QStringLiteral("Obcy")));
    });
    f.t.prompts.Clear();
    int reported = 0;
    out = ReadRegisterTable(f.t.link, m, mirror, [&](int stored) { reported = stored; });
    QVERIFY(f.t.prompts.shown.isEmpty());
    QCOMPARE(out.last, int(ReplyLast));
    QCOMPARE(out.stored, 3);
    QCOMPARE(out.skipped, 1);
    QCOMPARE(reported, 3);
    QVERIFY(out.RebuildList(m));
    QCOMPARE(mirror.Occupied().size(), 3);
    for (const QByteArray& r : sent) QCOMPARE(mirror.Record(NumberOf(m, r)), r);
    QCOMPARE(h.Received(m.command).value(0), RegisterFrame(11, 1, m.command, Hex("00 00")));
}

void TestTableSync::writeTickedRows() {
    QFETCH(RecordTable, table);
    const SyncMember& m = SyncMemberOf(table);
    GuiFixture f;
    SimHarness& h = f.Connect();
    for (int n = 1; n <= 9; ++n) PutPcRecord(f.t.image, table, n);
    // Rows 2, 5 and 9 of the PC list are ticked.
    const QList<TickedRow> ticked{{1, 2}, {4, 5}, {8, 9}};
    int done = 0;
    WriteOutcome out = WriteRecords(f.t.link, f.t.image, m, ticked, 0, [&](int n) { done = n; });
    QVERIFY2(!out.failed, qPrintable(f.t.prompts.Texts().join("|")));
    QCOMPARE(done, 3);
    // Counted: what the register took.
    QCOMPARE(out.programmed, 3);
    QCOMPARE(out.Message(m), QStringLiteral(" Zaprogramowano 3") + m.noun);
    QList<int> numbers;
    for (const QByteArray& frame : h.Received(RecordCommandOf(table)))
        numbers << (uint8_t(frame[4]) | uint8_t(frame[5]) << 8);
    const QList<int> expected = m.writing.numbering == WriteNumbering::PcRows ? QList<int>{2, 5, 9 | 0x8000}
                                                                              : QList<int>{1, 2, 3 | 0x8000};
    QCOMPARE(numbers, expected);
    h.sim.WithState([&](SimState& s) {
        for (int n : {2, 5, 9}) QVERIFY(SimTableOf(s, table).Present(n));
    });
    // The member's wait before each acknowledgement, and 50 ms after each plain acceptance.
    QList<int> waits;
    for (int i = 0; i < 3; ++i) {
        if (m.writing.ackPause > 0) waits << m.writing.ackPause;
        if (i < 2) waits << 50;
    }
    QCOMPARE(f.t.clock.pauses, waits);
    // Fast: the same run without the fixed waits.
    f.t.clock.pauses.clear();
    out = WriteRecords(f.t.link, f.t.image, m, ticked, 0, {}, true);
    QVERIFY(!out.failed);
    QCOMPARE(f.t.clock.pauses, QList<int>{});
    // A busy register: counted, and paused as the member says.
    h.sim.ClearLog();
    h.AddFault(QStringLiteral("%1:1:busy").arg(QChar(RecordCommandOf(table))));
    f.t.clock.pauses.clear();
    out = WriteRecords(f.t.link, f.t.image, m, {{0, 1}}, 0);
    QCOMPARE(out.programmed, 1);
    const int tested = m.writing.numbering == WriteNumbering::TickedRows ? 2 : 1;
    QVERIFY(f.t.clock.pauses.contains(tested == 1 ? m.writing.busyLong : m.writing.busyShort));
    // A lost acknowledgement ends the run with the failure message.
    h.AddFault(QStringLiteral("%1:1:noreply").arg(QChar(RecordCommandOf(table))));
    f.t.clock.timeoutDivisor = 10;
    out = WriteRecords(f.t.link, f.t.image, m, ticked, 0);
    QVERIFY(out.failed);
    QCOMPARE(out.Message(m), QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano 0") + m.noun);
}

void TestTableSync::refusedDelete() {
    QFETCH(RecordTable, table);
    const SyncMember& m = SyncMemberOf(table);
    GuiFixture f;
    SimHarness& h = f.Connect();
    RegisterTableMirror mirror = MirrorFor(m);
    h.sim.WithState([&](SimState& s) {
        for (int n : {3, 4, 5}) SimTableOf(s, table).Set(n, RegisterRecord(m, n, QStringLiteral("Rej%1").arg(n)));
    });
    ReadRegisterTable(f.t.link, m, mirror);
    // The register refuses the first of three.
    const QChar deleteCommand = QChar(QLatin1Char(char(
        m.id == RecordTable::Goods          ? '0'
        : m.id == RecordTable::Discounts    ? '1'
        : m.id == RecordTable::Cashiers     ? '2'
        : m.id == RecordTable::PaymentForms ? '3'
        : m.id == RecordTable::Currencies   ? '4'
        : m.id == RecordTable::Packagings   ? '5'
                                             : '6')));
    h.sim.ClearFaults();
    h.AddFault(QStringLiteral("%1:1:error:90").arg(deleteCommand));
    const DeleteOutcome out = DeleteRecords(f.t.link, m, mirror, {3, 4, 5}, 0);
    QList<int> left = mirror.Occupied();
    left.removeIf([](int n) { return n < 3; });  // the register's own manager and basic group
    // A run's last record is answered "accepted, end of run": deleted too.
    switch (m.deleting.refusal) {
        case DeleteRefusal::ShowAndGoOn:
            QCOMPARE(f.t.prompts.Texts(), QStringList{RegisterErrorMessage(90)});
            QCOMPARE(left, QList<int>{3});
            QVERIFY(!out.stopped);
            break;
        case DeleteRefusal::GoOnSilently:
            QCOMPARE(f.t.prompts.Texts(), QStringList{});
            QCOMPARE(left, QList<int>{3});
            QVERIFY(!out.stopped);
            break;
        case DeleteRefusal::Stop:  // the waiting read shows it, and the run ends
            QCOMPARE(f.t.prompts.Texts(), QStringList{RegisterErrorMessage(90)});
            QCOMPARE(left, (QList<int>{3, 4, 5}));
            QVERIFY(out.stopped);
            break;
        case DeleteRefusal::ShowAndStop:  // shown, the run ends, and the list shows what is left
            QCOMPARE(f.t.prompts.Texts(), QStringList{RegisterErrorMessage(90)});
            QCOMPARE(left, (QList<int>{3, 4, 5}));
            QVERIFY(out.stopped);
            break;
    }
}

void TestTableSync::copyIntoImage() {
    const SyncMember& m = SyncMemberOf(RecordTable::Cashiers);
    GuiFixture f;
    RegisterTableMirror mirror = MirrorFor(m);
    QByteArray r = RegisterRecord(m, 7, QStringLiteral("Ewa"));
    r.replace(22, 4, "4321");
    r.replace(224, 7, QByteArray::fromHex("01000100010001"));
    QVERIFY(mirror.Store(r));
    QCOMPARE(CopyToImage(f.t.image, m, mirror, {7, 8}), 1);  // 8 is not in the mirror
    const CashierRecord c = CashierRecord::Decode(kCashierTable.Slot(f.t.image, 7));
    QCOMPARE(c.name, QStringLiteral("Ewa"));
    QCOMPARE(c.password, QByteArray("4321"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.rights.data()), 7), QByteArray::fromHex("01000100010001"));
    QVERIFY(!kCashierTable.Occupied(f.t.image, 8));
}

QTEST_MAIN(TestTableSync)
#include "test_tablesync.moc"

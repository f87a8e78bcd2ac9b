// The six table-synchronization windows through their named controls against
// the simulated register.
#include <QtTest>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "image/smalltables.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "shell/Forms.h"
#include "shell/Menuglowne.h"
#include "support/guifixture.h"
#include "support/simtables.h"
#include "sync/Synchformplatnosci.h"
#include "sync/Synchgrup.h"
#include "sync/Synchkasjerow.h"
#include "sync/Synchklawiszy.h"
#include "sync/quickkeysync.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "sync/Synchopakowan.h"
#include "sync/Synchrabatow.h"
#include "sync/Synchwalut.h"

Q_DECLARE_METATYPE(RecordTable)

namespace {

TSynchronizacjaTabeli* MakeWindow(RecordTable t, Services& s) {
    switch (t) {
        case RecordTable::Cashiers: return new TSynchronizacjaBazyKasjerow(s);
        case RecordTable::Discounts: return new TSynchronizacjaBazyRabatow(s);
        case RecordTable::PaymentForms: return new TSynchronizacjaBazyFormPlatnosci(s);
        case RecordTable::Currencies: return new TSynchronizacjaBazyWalut(s);
        case RecordTable::Packagings: return new TSynchronizacjaBazyOpakowan(s);
        default: return new TSynchronizacjaBazyGrupTowarowych(s);
    }
}


// A quick key of cashier c, key k holding goods g times `quantity` units.
QByteArray Key(int c, int k, int g, int quantity, bool ends = false) {
    QByteArray r(layout::kQuickKeySize, '\0');
    r[0] = char(c);
    r[1] = char(k);
    r[2] = 1;
    r[3] = char(g);
    const qint32 q = quantity * 10000;
    r.replace(5, 4, QByteArray(reinterpret_cast<const char*>(&q), 4));
    r[33] = ends ? 1 : 0;
    return r;
}

QStringList Rows(QListWidget* list) {
    QStringList out;
    for (int r = 0; r < list->count(); ++r) out << list->item(r)->text();
    return out;
}
}  // namespace

class TestSynchTabel : public QObject {
    Q_OBJECT
private slots:
    void members_data();
    void readAndRows();
    void readAndRows_data() { members_data(); }
    void writeTickedRowsThenReadAgain();
    void writeTickedRowsThenReadAgain_data() { members_data(); }
    void copyDeleteAndDetails();
    void transferScopeBlocksSecondRun();
    void unpluggedMidWriteToldOnce();
    void refusedRecordNamedAndDeletedGone();
    void tickDifferingGroups();
    void rateText();
    void quickKeysDifferingSentAndCopied();
    void openedFromMainWindow();
};

void TestSynchTabel::members_data() {
    QTest::addColumn<RecordTable>("table");
    QTest::addColumn<QString>("row");  // the register row of record 3
    QTest::newRow("cashiers") << RecordTable::Cashiers << "3.  Ś3                   ";
    QTest::newRow("discounts") << RecordTable::Discounts << "3.  Ś3                   [N]     12,50 %";
    QTest::newRow("payment forms") << RecordTable::PaymentForms << "3.  Ś3                    Czek";
    QTest::newRow("currencies") << RecordTable::Currencies << "3.  Ś3                    0,05 3XX";
    QTest::newRow("groups") << RecordTable::Groups << "3.  Ś3                   ";
    QTest::newRow("packagings") << RecordTable::Packagings << "3.  Ś3" + QString(27, ' ') + "0,50 sztywna";
}

void TestSynchTabel::readAndRows() {
    QFETCH(RecordTable, table);
    QFETCH(QString, row);
    GuiFixture f;
    SimHarness& h = f.Connect();
    std::unique_ptr<TSynchronizacjaTabeli> w(MakeWindow(table, f.t.services));
    // The PC's record 3 sent as it is: the register's row shows the same.
    PutPcRecord(f.t.image, w->Table(), 3);
    w->show();
    QCOMPARE(Rows(w->CheckListBox1).value(w->Table().id == RecordTable::Cashiers || w->Table().id == RecordTable::Groups ? 1 : 0),
             row);
    h.sim.WithState([&](SimState& s) {
        SimTable& t = SimTableOf(s, table);
        for (int n = 1; n <= t.count; ++n) t.Clear(n);
    });
    w->BitBtn6->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{"Pusta baza."});
    QCOMPARE(w->CheckListBox2->count(), 0);
    f.t.prompts.Clear();
    w->CheckListBox1->item(Rows(w->CheckListBox1).indexOf(row))->setCheckState(Qt::Checked);
    w->BitBtn2->click();  // sends record 3, then reads the table again
    QCOMPARE(Rows(w->CheckListBox2), QStringList{row});
    QVERIFY(!w->isHidden());
}

void TestSynchTabel::writeTickedRowsThenReadAgain() {
    QFETCH(RecordTable, table);
    GuiFixture f;
    SimHarness& h = f.Connect();
    std::unique_ptr<TSynchronizacjaTabeli> w(MakeWindow(table, f.t.services));
    const SmallTable& t = w->Table();
    for (int n = 1; n <= 9; ++n) PutPcRecord(f.t.image, t, n);
    w->show();
    QCOMPARE(w->CheckListBox1->count(), 9);
    for (int r : {1, 4, 8}) w->CheckListBox1->item(r)->setCheckState(Qt::Checked);
    w->BitBtn2->click();
    const SyncMember& m = SyncMemberOf(table);
    // Counted: the records the register took.
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 3") + m.noun});
    QList<int> numbers;
    for (const QByteArray& frame : h.Received(t.command))
        if (frame.size() != 11) numbers << (uint8_t(frame[4]) | uint8_t(frame[5]) << 8);
    QCOMPARE(numbers, m.writing.numbering == WriteNumbering::PcRows ? (QList<int>{2, 5, 9 | 0x8000}) : (QList<int>{1, 2, 3 | 0x8000}));
    // Read again at the end, after the member's pause.
    QCOMPARE(h.Received(t.command).last().size(), 11);
    QVERIFY(f.t.clock.pauses.contains(m.endPause));
    QVERIFY(Rows(w->CheckListBox2).size() >= 3);
}

void TestSynchTabel::copyDeleteAndDetails() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TSynchronizacjaBazyKasjerow w(f.t.services);
    h.sim.WithState([](SimState& s) {
        QByteArray r = RegisterCashier(7, QStringLiteral("Ewa"), QStringLiteral("4321"));
        r.replace(26, 4, QByteArray::fromHex("E8030000"));        // cash takings 10,00
        r.replace(34, 2, QByteArray::fromHex("0500"));            // five receipts
        r.replace(224, 7, QByteArray::fromHex("01000100010001"));
        r.replace(231, 6, QByteArray::fromHex("E8070C0A0805"));   // 2024-12-10 08:05
        r[246] = 1;
        s.cashiers.Set(7, r);
        // One the register numbers beyond its table.
        QByteArray stray = RegisterCashier(3, QStringLiteral("Obcy"), QString());
        stray[0] = char(25);
        s.cashiers.Set(3, stray);
    });
    w.show();
    w.BitBtn6->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{"Pominięto 1 rekordów spoza zakresu."});
    const int row = Rows(w.CheckListBox2).indexOf(QStringLiteral("7.  Ewa                  "));
    QVERIFY(row >= 0);
    w.CheckListBox2->setCurrentRow(row);
    emit w.CheckListBox2->itemClicked(w.CheckListBox2->item(row));
    QCOMPARE(w.DetailValues[0]->text(), QStringLiteral("10,00"));
    QCOMPARE(w.DetailValues[2]->text(), QStringLiteral("5"));
    QCOMPARE(w.Rights[0]->text(), QStringLiteral("TAK"));
    QCOMPARE(w.Rights[1]->text(), QStringLiteral("NIE"));
    QCOMPARE(w.LastLogIn->text(), QStringLiteral("2024-12-10  08:05"));
    QVERIFY(w.LastLogIn->width() >= w.LastLogIn->sizeHint().width());  // the whole date shows
    QCOMPARE(w.LastLogOut->text(), QStringLiteral("brak"));  // never logged out
    QVERIFY(w.LoggedIn->isVisible());
    QVERIFY(!w.Password->isVisible());
    w.Button6->click();
    QCOMPARE(w.Password->text(), QStringLiteral("4321"));
    QCOMPARE(w.Button6->text(), QStringLiteral("Ukryj hasło"));
    // Copied to the PC: the rights come from register bytes 224-230.
    w.CheckListBox2->item(row)->setCheckState(Qt::Checked);
    w.BitBtn4->click();
    const CashierRecord c = CashierRecord::Decode(kCashierTable.Slot(f.t.image, 7));
    QCOMPARE(c.name, QStringLiteral("Ewa"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.rights.data()), 7), QByteArray::fromHex("01000100010001"));
    QVERIFY(f.t.app.databaseModified);
    QVERIFY(Rows(w.CheckListBox1).contains(QStringLiteral("7.  Ewa                  ")));
    // Deleted in the register: the logged-in cashier is refused, shown, and kept.
    f.t.prompts.Clear();
    w.BitBtn8->click();
    QCOMPARE(f.t.prompts.Texts().size(), 2);
    QCOMPARE(f.t.prompts.Texts()[0], QStringLiteral("Usunąć z kasy zaznaczone rekordy (1)? Tego nie można cofnąć."));
    QVERIFY(f.t.prompts.Texts()[1].startsWith(QStringLiteral("Błąd 108")));
    QVERIFY(Rows(w.CheckListBox2).contains(QStringLiteral("7.  Ewa                  ")));
}

// The adapter pulled during a cashier write: the loss is told once, and the run
// says once that it ended on a fault (the read that follows says nothing more).
void TestSynchTabel::unpluggedMidWriteToldOnce() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TSynchronizacjaBazyKasjerow w(f.t.services);
    for (int n = 2; n <= 6; ++n) PutPcRecord(f.t.image, kCashierTable, n);
    w.show();
    for (int r = 0; r < w.CheckListBox1->count(); ++r) w.CheckListBox1->item(r)->setCheckState(Qt::Checked);
    bool pulled = false;
    f.t.clock.onSleep = [&](int) {
        if (pulled) return;
        pulled = true;
        h.Unplug();
    };
    w.BitBtn2->click();
    QVERIFY(pulled);
    QCOMPARE(f.t.prompts.Texts(), (QStringList{QStringLiteral("Utracono połączenie z kasą (COM1)."),
                                               QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano 1 kasjerów.")}));
    QCOMPARE(f.t.app.workMode, int(ModeOffline));
    // Outside a transfer every operation says it again.
    f.t.prompts.Clear();
    w.BitBtn6->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Utracono połączenie z kasą (COM1).")});
}

// A write where the register refuses one record says how many it took and
// names the refused one with its reason; records deleted in the register leave
// its list at once, the last of a run too.
void TestSynchTabel::refusedRecordNamedAndDeletedGone() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TSynchronizacjaBazyWalut w(f.t.services);
    for (int n = 2; n <= 4; ++n) PutPcRecord(f.t.image, kCurrencyTable, n);
    w.show();
    for (int r = 0; r < w.CheckListBox1->count(); ++r) w.CheckListBox1->item(r)->setCheckState(Qt::Checked);
    h.AddFault(QStringLiteral("W:2:error:19"));
    w.BitBtn2->click();
    QCOMPARE(f.t.prompts.Texts(),
             (QStringList{QStringLiteral(" Zaprogramowano 2 walut. Nie udało się zaprogramować 1 walut."),
                          QStringLiteral("Niezaprogramowane rekordy:\n3.Ś3 - ") + RegisterErrorText(19)}));
    QCOMPARE(w.CheckListBox2->count(), 2);
    // Both deleted in the register: gone from its list without "Odśwież".
    f.t.prompts.Clear();
    for (int r = 0; r < w.CheckListBox2->count(); ++r) w.CheckListBox2->item(r)->setCheckState(Qt::Checked);
    w.BitBtn8->click();
    QCOMPARE(w.CheckListBox2->count(), 0);
    h.sim.WithState([](SimState& s) { QVERIFY(!s.currencies.Present(2) && !s.currencies.Present(4)); });
}

void TestSynchTabel::transferScopeBlocksSecondRun() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TSynchronizacjaBazyGrupTowarowych w(f.t.services);
    for (int n = 2; n <= 4; ++n) PutPcRecord(f.t.image, kGroupTable, n);
    w.show();
    for (int r = 0; r < w.CheckListBox1->count(); ++r) w.CheckListBox1->item(r)->setCheckState(Qt::Checked);
    bool checked = false;
    f.t.clock.onSleep = [&](int) {
        if (checked) return;
        checked = true;
        // Mid-run: only the cancel answers, the window stays, a second run does not start.
        QVERIFY(!w.BitBtn2->isEnabled());
        QVERIFY(!w.BitBtn6->isEnabled());
        QVERIFY(!w.CheckListBox1->isEnabled());
        QVERIFY(w.BitBtnAnuluj->isEnabled());
        // The pause follows the first record, which the register's thread
        // may not have read yet: count from once it has.
        const auto records = [&] {
            int n = 0;
            for (const QByteArray& frame : h.Received('G')) n += frame.size() == 31;
            return n;
        };
        QTRY_VERIFY(records() > 0);
        const int before = int(h.Received('G').size());
        w.BitBtn6Click();
        QCOMPARE(int(h.Received('G').size()), before);
        w.close();
        QVERIFY(w.isVisible());
        // Unticking now does not change what this run sends.
        w.CheckListBox1->item(2)->setCheckState(Qt::Unchecked);
    };
    w.BitBtn2->click();
    QVERIFY(checked);
    QVERIFY(w.BitBtn2->isEnabled());
    QList<int> numbers;
    for (const QByteArray& frame : h.Received('G'))
        if (frame.size() == 31) numbers << (uint8_t(frame[4]) | uint8_t(frame[5]) << 8);
    QCOMPARE(numbers.last() & 0x8000, 0x8000);  // the last ticked row still carries the last-frame flag
    QCOMPARE(numbers.size(), 4);                 // group 1 and the three new ones
    w.close();
    QVERIFY(!w.isVisible());
}

void TestSynchTabel::tickDifferingGroups() {
    GuiFixture f;
    f.Connect();
    TSynchronizacjaBazyGrupTowarowych w(f.t.services);
    for (int n = 2; n <= 4; ++n) PutPcRecord(f.t.image, kGroupTable, n);
    w.show();
    for (int r = 0; r < w.CheckListBox1->count(); ++r) w.CheckListBox1->item(r)->setCheckState(Qt::Checked);
    w.BitBtn2->click();
    w.BitBtnRozne->click();
    QCOMPARE(w.TickedNumbers(w.CheckListBox1), QList<int>{});
    f.t.image.WriteBytesAt(kGroupTable.area.Offset(2), GroupRecord{2, QStringLiteral("Napoje")}.Encode());
    f.t.image.WriteBytesAt(kGroupTable.area.Offset(3), GroupRecord{3, QStringLiteral("Słodycze")}.Encode());
    PutPcRecord(f.t.image, kGroupTable, 5);
    w.RebuildPcList();
    w.BitBtnRozne->click();
    QCOMPARE(w.TickedNumbers(w.CheckListBox1), (QList<int>{2, 3, 5}));
    QCOMPARE(w.LabelRozne->text(), QStringLiteral("Różniących się: 3"));
    w.BitBtn2->click();
    w.BitBtnRozne->click();
    QCOMPARE(w.TickedNumbers(w.CheckListBox1), QList<int>{});
}

void TestSynchTabel::rateText() {
    QCOMPARE(SyncRateText(5, 2), QStringLiteral("0,05"));
    QCOMPARE(SyncRateText(125, 1), QStringLiteral("12,5"));
    QCOMPARE(SyncRateText(41234000, 7), QStringLiteral("4,1234000"));
    QCOMPARE(SyncRateText(4, 0), QStringLiteral("4"));
}

// Quick keys per cashier and key: after two changes on the PC exactly those two
// are ticked and sent (one emptied key among them), a register key copies into
// the PC, and afterwards nothing differs.
void TestSynchTabel::quickKeysDifferingSentAndCopied() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& s) {
        for (int g = 1; g <= 3; ++g) s.goods.Set(g, RegisterGoods(g, QStringLiteral("TOWAR %1").arg(g), 'A', 100, {}, 1));
        s.quickKeys.Set(QuickKeyNumber(1, 1), Key(1, 1, 1, 2));
        s.quickKeys.Set(QuickKeyNumber(1, 2), Key(1, 2, 2, 1, true));
        s.quickKeys.Set(QuickKeyNumber(2, 3), Key(2, 3, 3, 1));
    });
    PutPcRecord(f.t.image, RecordTable::Goods, 1);
    f.t.image.WriteBytesAt(layout::QuickKeyOffset(1, 1), Key(1, 1, 1, 2));
    f.t.image.WriteBytesAt(layout::QuickKeyOffset(1, 2), Key(1, 2, 2, 1, true));
    TSynchronizacjaBazyKlawiszySzybkich w(f.t.services);
    w.show();
    QVERIFY(w.BitBtn8->isHidden());  // the register cannot delete a key
    QCOMPARE(w.CheckListBox1->count(), 100);
    QCOMPARE(w.CheckListBox1->item(0)->text(), QStringLiteral("Kasjer 1, F1: 1 Ś1 x 2,0000"));
    w.BitBtn6->click();
    QCOMPARE(Rows(w.CheckListBox2), (QStringList{"Kasjer 1, F1: 1 Ś1 x 2,0000", "Kasjer 1, F2: 2 x 1,0000 [zamyka paragon]",
                                                 "Kasjer 2, F3: 3 x 1,0000"}));
    w.BitBtnRozne->click();
    QCOMPARE(w.LabelRozne->text(), QStringLiteral("Różniących się: 1"));  // only the key the PC lacks
    // Two changes: a quantity, and a key emptied.
    f.t.image.WriteBytesAt(layout::QuickKeyOffset(1, 1), Key(1, 1, 1, 3));
    f.t.image.WriteBytesAt(layout::QuickKeyOffset(2, 3), QByteArray(layout::kQuickKeySize, '\0'));
    f.t.image.WriteBytesAt(layout::QuickKeyOffset(1, 2) + 2, QByteArray(32, '\0'));
    w.RebuildPcList();
    w.BitBtnRozne->click();
    QCOMPARE(TSynchronizacjaTabeli::TickedNumbers(w.CheckListBox1), (QList<int>{1, 2, 13}));
    GuiFixture::KeepShot(&w, QStringLiteral("quickkey-sync"));
    // Key 13 (cashier 2, F3) the register holds is kept: only 1 and 2 go.
    w.CheckListBox1->item(12)->setCheckState(Qt::Unchecked);
    w.BitBtn2->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 2 klawiszy szybkich.")});
    QList<QByteArray> sent;
    for (const QByteArray& frame : h.Received('S'))
        if (frame.size() != 11) sent << frame;  // not the table request
    QCOMPARE(sent.size(), 2);
    QCOMPARE(uint8_t(sent[0][4]) | uint8_t(sent[0][5]) << 8, 1);
    QCOMPARE(uint8_t(sent[1][4]) | uint8_t(sent[1][5]) << 8, 2 | 0x8000);
    QCOMPARE(sent[0].mid(7, 35), Key(1, 1, 1, 3) + '\0');  // then the confirm byte
    h.sim.WithState([](SimState& s) {
        QCOMPARE(s.quickKeys.Record(1), Key(1, 1, 1, 3));
        QCOMPARE(s.quickKeys.Record(2).mid(2), QByteArray(32, '\0'));  // emptied
    });
    // The register's key 13 copied into the PC: then nothing differs.
    QVERIFY(!f.t.app.databaseModified);
    const int row = Rows(w.CheckListBox2).indexOf(QStringLiteral("Kasjer 2, F3: 3 x 1,0000"));
    QVERIFY(row >= 0);
    w.CheckListBox2->item(row)->setCheckState(Qt::Checked);
    w.BitBtn4->click();
    QCOMPARE(f.t.image.ReadBytesAt(layout::QuickKeyOffset(2, 3), layout::kQuickKeySize), Key(2, 3, 3, 1));
    QVERIFY(f.t.app.databaseModified);
    w.BitBtnRozne->click();
    QCOMPARE(w.LabelRozne->text(), QStringLiteral("Różniących się: 0"));
}

void TestSynchTabel::openedFromMainWindow() {
    GuiFixture f;
    FormRegistry forms;
    TMenuGlowne main(f.t.services, forms);
    CreateForms(f.t.services, forms, &main);
    main.FormsCreated();
    for (int item : {0, 1, 3, 4, 5, 6}) {
        QVERIFY(main.TreeView3->topLevelItem(item)->flags() & Qt::ItemIsEnabled);
    }
    QVERIFY(forms.Get<TSynchronizacjaBazyWalut>(QStringLiteral("TSynchronizacjaBazyWalut")));
}

QTEST_MAIN(TestSynchTabel)
#include "test_synchtabel.moc"

// Whole-database copies between the PC image and the simulated register.
#include <QtTest>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "common/appstate.h"
#include "copy/Kopiadokasy.h"
#include "copy/Kopiowaniekasy.h"
#include "copy/registercopy.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/smalltables.h"
#include "image/workimage.h"
#include "keys/quickkeys.h"
#include "shell/Forms.h"
#include "sync/tablesync.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/simtables.h"
#include "support/testsupport.h"

namespace {

const SmallTable* const kSmallTables[] = {&kPackagingTable, &kGroupTable, &kDiscountTable,
                                          &kCashierTable, &kPaymentFormTable, &kCurrencyTable};

void Tick(QListWidget* list, const QList<int>& rows) {
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->flags() & Qt::ItemIsUserCheckable)
            list->item(r)->setCheckState(rows.contains(r) ? Qt::Checked : Qt::Unchecked);
}

void PutGoods(WorkImage& image, int n, const QString& name, uint32_t price, int packaging = 0) {
    GoodsFields g;
    g.number = n;
    g.name = name;
    g.vat = 'B';
    g.price = price;
    g.barcode = QStringLiteral("590%1").arg(n, 10, 10, QLatin1Char('0'));
    g.group = 1;
    g.packaging = uint8_t(packaging);
    g.byPieces = 1;
    g.unit = 2;
    QCOMPARE(WriteGoodsRecord(image, g), 0);
}

// Every table of a database a technician would prepare.
void FillImage(WorkImage& image) {
    for (const SmallTable* t : kSmallTables)
        for (int n : {1, 2, t->listed}) PutPcRecord(image, *t, n);
    PutGoods(image, 1, QStringLiteral("Chleb żytni"), 450, 1);
    PutGoods(image, 7, QStringLiteral("Mleko"), 299);
    PutGoods(image, 2000, QStringLiteral("Ostatni"), 99999999);
    QByteArray vat = image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize);
    vat[4] = char(0xDC);  // B: 15,00 %
    vat[5] = char(0x05);
    image.WriteBytesAt(layout::kVatTable, vat);
    QuickKeyRecord key;
    key.count = 2;
    key.entries[0] = {1, 10000};
    key.entries[1] = {7, 25000};
    key.endsReceipt = true;
    WriteQuickKey(image, 3, 4, key);
}

// The bytes of every table the copy carries.
QByteArray Tables(WorkImage& image) {
    QByteArray out;
    for (const SmallTable* t : kSmallTables) out += image.ReadBytesAt(t->area.First(), t->area.End() - t->area.First());
    out += image.ReadBytesAt(layout::kGoods.First(), layout::kGoods.End() - layout::kGoods.First());
    out += image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize);
    for (int c = 1; c <= 10; ++c)
        for (int k = 1; k <= 10; ++k)  // the bytes a key frame carries
            out += image.ReadBytesAt(layout::QuickKeyOffset(c, k) + 2, layout::kQuickKeySize - 2);
    return out;
}

// The register already holds the packaging the PC goods name.
void RegisterHasPackaging(SimHarness& h) {
    h.sim.WithState([](SimState& s) {
        QByteArray rec(s.packagings.recordSize, '\0');
        rec[0] = 1;
        rec[1] = 'P';
        s.packagings.Set(1, rec);
    });
}

}  // namespace

class TestRegisterCopy : public QObject {
    Q_OBJECT
private slots:
    void toRegisterSendsEachUsedGoodsRecord();
    void toRegisterStopsOnAFailedFrame();
    void toRegisterCancelStopsAfterTheRecordInHand();
    void toRegisterEntriesAndEditors();
    void snapshotRoundTrip();
    void fromRegisterOfAShop();
    void goodsAloneNeedTheirTables();
    void databaseKeptUnlessTheUserLetsItGo();
    void fromRegisterBrokenOff();
    void doubleClickOpensTheEditor();
};

void TestRegisterCopy::toRegisterSendsEachUsedGoodsRecord() {
    GuiFixture f;
    FillImage(f.t.image);
    SimHarness& h = f.Connect();
    RegisterHasPackaging(h);
    TKopiaDoKasy w(f.t.services);
    w.show();
    Tick(w.CheckListBox1, {int(ImageEntry::Goods)});
    w.Button1->click();
    const QList<QByteArray> frames = h.Received();
    QCOMPARE(frames.size(), 3);
    QList<int> numbers;
    for (const QByteArray& frame : frames) {
        QCOMPARE(frame.at(6), 'T');
        QCOMPARE(uint8_t(frame[4]) | uint8_t(frame[5]) << 8, 1);  // frame number 1 every time
        QCOMPARE(uint8_t(frame[frame.size() - 3]), uint8_t(0));   // no confirmation on the register
        numbers << (uint8_t(frame[7]) | uint8_t(frame[8]) << 8);
    }
    QCOMPARE(numbers, (QList<int>{1, 7, 2000}));
    QCOMPARE(f.t.prompts.Texts().join("|"), QString());  // all sent: nothing to say
    QCOMPARE(w.ProgressBar1->maximum(), 3);
    QCOMPARE(w.ProgressBar1->value(), 3);
    QVERIFY(!w.Panel1->isVisible());
    QVERIFY(w.Button1->isEnabled());
    h.sim.WithState([](SimState& s) {
        QCOMPARE(s.goods.Used(), 3);
        QCOMPARE(QByteArray(s.goods.Slot(7) + 2, 5), QByteArray("Mleko"));
    });
}

void TestRegisterCopy::toRegisterStopsOnAFailedFrame() {
    struct Case {
        const char* fault;
        int sent;
        QStringList texts;
    };
    const QString failed = QStringLiteral("Wystąpił błąd transmisji.");
    const Case cases[] = {
        {"T:2:ack:1", 2, {failed}},
        {"T:2:ack:2", 2, {failed}},
        {"T:2:noreply", 2, {failed}},
        // A refused record is counted and the copy goes on.
        {"T:2:error:6", 3, {QStringLiteral("Kasa nie przyjęła 1 z 6 wysłanych rekordów.")}},
    };
    for (const Case& c : cases) {
        GuiFixture f;
        FillImage(f.t.image);
        f.t.clock.timeoutDivisor = 10;
        SimHarness& h = f.Connect();
        RegisterHasPackaging(h);
        h.AddFault(QString::fromLatin1(c.fault));
        TKopiaDoKasy w(f.t.services);
        w.show();
        Tick(w.CheckListBox1, {int(ImageEntry::Goods), int(ImageEntry::Cashiers)});
        w.Button1->click();
        QCOMPARE(f.t.prompts.Texts().join("|"), c.texts.join("|"));
        QCOMPARE(h.Received('T').size(), c.sent);
        QCOMPARE(h.Received('K').size(), c.sent == 3 ? 3 : 0);  // a failure ends the whole copy
    }
}

void TestRegisterCopy::toRegisterCancelStopsAfterTheRecordInHand() {
    GuiFixture f;
    FillImage(f.t.image);
    SimHarness& h = f.Connect();
    TKopiaDoKasy w(f.t.services);
    w.show();
    w.CheckBox1->setChecked(true);
    QVERIFY(w.Button2->isEnabled());
    // "Anuluj" pressed as the copy shows its start: only "Anuluj" answers then.
    bool pressed = false;
    QTimer::singleShot(0, &w, [&] {
        QVERIFY(w.Button2->isEnabled() && !w.Button1->isEnabled() && !w.CheckListBox1->isEnabled());
        w.Button2->click();
        pressed = true;
    });
    w.Button1->click();
    QVERIFY(pressed);
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Komunikacja przerwana przez użytkownika.")});
    // The record in hand (the VAT table) goes; nothing after.
    QCOMPARE(h.Received().size(), 1);
    QCOMPARE(h.Received('P').size(), 1);
    QVERIFY(w.isVisible());  // the cancel stopped the copy, not the window
    QVERIFY(w.Button1->isEnabled());
}

void TestRegisterCopy::toRegisterEntriesAndEditors() {
    GuiFixture f;
    TKopiaDoKasy w(f.t.services);
    QStringList opened;
    w.openEditor = [&](const QString& name) { opened << name; };
    QCOMPARE(w.CheckListBox1->count(), 10);
    QCOMPARE(w.CheckListBox1->item(0)->text(), QStringLiteral("Baza towarów"));
    QCOMPARE(w.CheckListBox1->item(9)->text(), QStringLiteral("Zestaw raportów"));
    QListWidgetItem* reportSet = w.CheckListBox1->item(9);
    QCOMPARE(reportSet->toolTip(), QStringLiteral("Zestaw raportów nie jest wysyłany do kasy"));
    w.CheckBox1->setChecked(true);
    QCOMPARE(w.Ticks(), (QList<bool>{true, true, true, true, true, true, true, true, true, false}));
    w.CheckBox1->setChecked(false);
    QVERIFY(!w.Ticks().contains(true));
    for (int row : {0, 5, 8, 9}) emit w.CheckListBox1->itemDoubleClicked(w.CheckListBox1->item(row));
    QCOMPARE(opened, (QStringList{"TProgramowanieTowarow", "TProgramowanieStawekPTU", "TProgramowanieKlawiszySzybkich",
                                  "TProgramowanieZestawuRaportow"}));
}

void TestRegisterCopy::snapshotRoundTrip() {
    GuiFixture f;
    FillImage(f.t.image);
    const QByteArray prepared = Tables(f.t.image);
    SimHarness& h = f.Connect();
    TKopiaDoKasy to(f.t.services);
    to.show();
    to.CheckBox1->setChecked(true);
    to.Button1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{});
    QCOMPARE(h.Received('S').size(), 100);
    h.sim.WithState([](SimState& s) { QCOMPARE(s.quickKeys.Record(24).mid(2, 3), QByteArray::fromHex("020100")); });

    TKopiowanieKasy from(f.t.services);
    from.show();
    from.CheckBox1->setChecked(true);
    f.t.prompts.answers = {PromptAnswer::No};  // the prepared database is not saved
    h.sim.ClearLog();
    from.Button1->click();
    QCOMPARE(f.t.prompts.shown.first().icon, PromptIcon::Warning);
    QCOMPARE(Tables(f.t.image), prepared);
    QCOMPARE(f.t.app.databaseName, QStringLiteral("Kopia kasy 2026-12-10"));
    QVERIFY(f.t.app.databaseModified);
    QCOMPARE(f.t.app.workMode, int(ModeOnline));
    // The register's order, each table once.
    QByteArray commands;
    for (const QByteArray& frame : h.Received())
        if (frame.at(6) != 0x06) commands += frame.at(6);
    QCOMPARE(commands, QByteArray("PZGTRKFWNJS"));
    QCOMPARE(h.Received('Z').first(), RegisterFrame(11, 1, 'Z', Hex("0000")));
}

void TestRegisterCopy::fromRegisterOfAShop() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    SimState shop;
    h.sim.WithState([&](SimState& s) {
        s.LoadDemo();
        s.currencies = SimTable(s.currencies.recordSize, s.currencies.count);  // an empty table
        s.header.replace(0, 12, "SKLEP U ZELK");
        shop = s;
    });
    f.t.app.workMode = ModeRegisterOnly;  // no database open: nothing to ask
    f.t.image.Close();
    TKopiowanieKasy w(f.t.services);
    w.show();
    w.CheckBox1->setChecked(true);
    w.Button1->click();
    const QStringList texts = f.t.prompts.Texts();
    QCOMPARE(texts.size(), 1);  // the empty table says nothing of its own
    QString expected = QStringLiteral("Skopiowano z kasy:\nBaza stawek PTU: 1\nBaza opakowań: %1\nBaza grup towarowych: %2\n"
                                      "Baza towarów: %3\nBaza rabatów i narzutów: %4\nBaza kasjerów: %5\n"
                                      "Baza form płatności: %6\nBaza walut obcych: 0\nNagłówek paragonu: 1\n"
                                      "Jednostki towarowe: 1\nBaza klawiszy szybkich: %7")
                           .arg(shop.packagings.Used()).arg(shop.groups.Used()).arg(shop.goods.Used())
                           .arg(shop.discounts.Used()).arg(shop.cashiers.Used()).arg(shop.paymentForms.Used())
                           .arg(shop.quickKeys.Used());
    QCOMPARE(texts.first(), expected);
    QCOMPARE(f.t.app.workMode, int(ModeOnline));
    QCOMPARE(w.result(), int(QDialog::Accepted));
    // Each record as the register holds it, through the goods record of the goods
    // synchronization.
    for (int n = 1; n <= 2000; ++n) {
        if (!shop.goods.Present(n)) continue;
        QCOMPARE(f.t.image.ReadBytesAt(layout::kGoods.Offset(n), layout::kGoods.recordSize),
                 PcGoodsRecordFromRegister(shop.goods.Record(n)));
    }
    for (const SmallTable* t : kSmallTables) {
        const SyncMember& m = SyncMemberOf(t->id);
        const SimTable& held = SimTableOf(shop, t->id);
        for (int n = 1; n <= held.count; ++n)
            if (held.Present(n))
                QCOMPARE(f.t.image.ReadBytesAt(t->area.Offset(n), t->area.recordSize), PcRecordFromRegister(m, held.Record(n)));
    }
    QCOMPARE(f.t.image.ReadBytesAt(layout::kHeader, layout::kHeaderSize), shop.header);
    QCOMPARE(f.t.image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize), shop.vat);
    QCOMPARE(f.t.app.goodsUnits, (QStringList{"kg ", "l  ", "m  "}));  // as the units window shows them
}

void TestRegisterCopy::goodsAloneNeedTheirTables() {
    GuiFixture f;
    FillImage(f.t.image);
    const QByteArray before = Tables(f.t.image);
    SimHarness& h = f.Connect();
    TKopiowanieKasy w(f.t.services);
    w.show();
    Tick(w.CheckListBox1, {int(RegisterEntry::Goods), int(RegisterEntry::Groups)});
    w.Button1->click();
    QCOMPARE(f.t.prompts.Texts(),
             QStringList{QStringLiteral("Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych.")});
    QCOMPARE(w.Ticks(), (QList<bool>{true, true, true, false, false, false, false, true}));
    QCOMPARE(h.Received().size(), 0);
    QCOMPARE(Tables(f.t.image), before);  // the open database is still there
    QCOMPARE(f.t.app.databaseName, QStringLiteral("Bez nazwy"));
}

void TestRegisterCopy::databaseKeptUnlessTheUserLetsItGo() {
    // Cancel, or a save that did not happen, leaves the open database and sends nothing.
    for (bool cancel : {true, false}) {
        GuiFixture f;
        FillImage(f.t.image);
        const QByteArray before = Tables(f.t.image);
        SimHarness& h = f.Connect();
        TKopiowanieKasy w(f.t.services);
        int saves = 0;
        w.saveDatabase = [&] { return ++saves, false; };
        w.show();
        Tick(w.CheckListBox1, {int(RegisterEntry::Cashiers)});
        f.t.prompts.answers = {cancel ? PromptAnswer::Cancel : PromptAnswer::Yes};
        w.Button1->click();
        QCOMPARE(f.t.prompts.Texts(),
                 QStringList{QStringLiteral("Aktualnie edytowana baza zostanie utracona. Czy chcesz zapisać zmiany w "
                                            "aktualnie edytowanej bazie?")});
        QCOMPARE(f.t.prompts.shown.first().buttons, PromptButtons::YesNoCancel);
        QCOMPARE(saves, cancel ? 0 : 1);
        QCOMPARE(h.Received().size(), 0);
        QCOMPARE(Tables(f.t.image), before);
    }
}

void TestRegisterCopy::fromRegisterBrokenOff() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& s) { s.LoadDemo(); });
    h.AddFault(QStringLiteral("T:3:noreply"));  // the third goods record never comes
    TKopiowanieKasy w(f.t.services);
    w.show();
    w.CheckBox1->setChecked(true);
    f.t.prompts.answers = {PromptAnswer::No};
    w.Button1->click();
    const QStringList texts = f.t.prompts.Texts();
    QCOMPARE(texts.size(), 3);  // the question, the reader's own message, the summary
    QCOMPARE(texts[1], QStringLiteral("Brak komunikacji."));
    QVERIFY2(texts[2].startsWith(QStringLiteral("Kopiowanie danych z kasy nie zostało ukończone. Skopiowano:\n")), qPrintable(texts[2]));
    QVERIFY(texts[2].endsWith(QStringLiteral("\nBaza towarów: 2")));
    QVERIFY(h.Received('R').isEmpty());  // nothing asked after the failure
    QVERIFY(w.isVisible());
    QVERIFY(f.t.app.databaseModified);  // what came is there to be saved
}

void TestRegisterCopy::doubleClickOpensTheEditor() {
    GuiFixture f;
    QWidget main;
    FormRegistry forms;
    CreateForms(f.t.services, forms, &main);
    auto* w = forms.Get<TKopiaDoKasy>(QStringLiteral("TKopiaDoKasy"));
    QVERIFY(w);
    QStringList opened;
    for (int row : {6, 9}) {
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened << modal->objectName();
                modal->close();
            }
        });
        emit w->CheckListBox1->itemDoubleClicked(w->CheckListBox1->item(row));
    }
    QCOMPARE(opened, (QStringList{"TProgramowanieOpakowan", "TProgramowanieZestawuRaportow"}));
}

QTEST_MAIN(TestRegisterCopy)
#include "test_registercopy.moc"

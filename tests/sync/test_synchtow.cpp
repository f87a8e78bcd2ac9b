// The goods synchronization window against the simulated register.
#include <QtTest>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "goods/Edycjatowaru.h"
#include "goods/Programowanietowarow.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "link/frames.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"
#include "sync/Synchtow.h"
#include "sync/goodsmirror.h"

using namespace layout;

namespace {

void PutGoods(WorkImage& image, int n, const QString& barcode = QStringLiteral("590")) {
    GoodsFields g;
    g.number = n;
    g.name = QStringLiteral("Towar %1").arg(n);
    g.price = uint32_t(100 * n);
    g.barcode = barcode;
    WriteGoodsRecord(image, g);
}

QList<bool> Ticks(QListWidget* list) {
    QList<bool> out;
    for (int i = 0; i < list->count(); ++i) out << (list->item(i)->checkState() == Qt::Checked);
    return out;
}

// The goods record frames the PC sent (not its table requests).
QList<QByteArray> RecordFrames(SimHarness& h) {
    QList<QByteArray> out;
    for (const QByteArray& f : h.Received('T'))
        if (f.size() == 78) out << f;
    return out;
}

uint16_t FrameNo(const QByteArray& f) { return uint16_t(uint8_t(f[4]) | uint8_t(f[5]) << 8); }

}  // namespace

class TestSynchtow : public QObject {
    Q_OBJECT
private slots:
    void fastSendingFallsBackWhenBusy();
    void fastSendingOfferedOnce();
    void findAsYouType();
    void tickDifferingGoods();
    void init();
    void cleanup();
    void listRowsAndDetails();
    void readRegisterTable();
    void readEmptyTableAndCancel();
    void sendUsesRowNumbers();
    void sendCancelSetsLastFrameFlag();
    void sendFailures();
    void runsDisableTheWindow();
    void copyToPc();
    void deleteOnPcAndInRegister();
    void verifyBarcodes();
    void markUnsold();
    void tickByNumber();
    void gaugeColours_data();
    void gaugeColours();
    void selectAllAndPrintLines();

private:
    void Open();
    QList<int> TickedPc() const;
    GuiFixture* f_ = nullptr;
    TestServices* t_ = nullptr;
    SimHarness* h_ = nullptr;
    TProgramowanieTowarow* goods_ = nullptr;
    TEdycjaTowaru* edit_ = nullptr;
    TSynchronizacjaBazyTowarowej* form_ = nullptr;
};

// A long send without fast sending offers it once, with the time it would take.
void TestSynchtow::fastSendingOfferedOnce() {
    for (int n = 1; n <= 60; ++n) PutGoods(t_->image, n);
    QVERIFY(!t_->app.fastSending);
    form_->show();
    form_->BitBtn9->click();  // all ticked
    t_->prompts.answers = {PromptAnswer::No};
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts().value(0), QStringLiteral("Wysyłanie 60 towarów potrwa ok. 2 min. Włączyć szybkie wysyłanie?"));
    QVERIFY(!t_->app.fastSending);
    QCOMPARE(h_->Received('T').size(), 60);  // sent anyway
    t_->prompts.Clear();
    form_->BitBtn2->click();
    QVERIFY(!t_->prompts.Texts().join('|').contains(QStringLiteral("szybkie wysyłanie")));
    QVERIFY(!form_->findChild<QCheckBox*>("CheckBoxSzybkie")->toolTip().isEmpty());
}

// Both lists find as the user types: by number, name or barcode; select-all
// ticks only what is shown.
void TestSynchtow::findAsYouType() {
    PutGoods(t_->image, 5, QStringLiteral("5901111"));
    PutGoods(t_->image, 12, QStringLiteral("5902222"));
    PutGoods(t_->image, 120, QStringLiteral("5903333"));
    form_->show();
    auto shown = [](QListWidget* list) {
        QList<int> out;
        for (int r = 0; r < list->count(); ++r)
            if (!list->isRowHidden(r)) out << list->item(r)->data(Qt::UserRole).toInt();
        return out;
    };
    form_->EditSzukajPC->setText(QStringLiteral("12"));
    QCOMPARE(shown(form_->CheckListBox1), (QList<int>{12, 120}));
    form_->EditSzukajPC->setText(QStringLiteral("03333"));
    QCOMPARE(shown(form_->CheckListBox1), QList<int>{120});
    form_->BitBtn9->click();
    QCOMPARE(TSynchronizacjaTabeli::TickedNumbers(form_->CheckListBox1), QList<int>{120});
    form_->EditSzukajPC->clear();
    QCOMPARE(shown(form_->CheckListBox1).size(), 3);
}

void TestSynchtow::init() {
    f_ = new GuiFixture;
    t_ = &f_->t;
    h_ = &f_->Connect();
    goods_ = new TProgramowanieTowarow(t_->services);
    edit_ = new TEdycjaTowaru(t_->services, goods_);
    form_ = new TSynchronizacjaBazyTowarowej(t_->services, edit_);
}

void TestSynchtow::cleanup() {
    delete form_;
    delete edit_;
    delete goods_;
    delete f_;
}

QList<int> TestSynchtow::TickedPc() const {
    QList<int> out;
    for (int r = 0; r < form_->CheckListBox1->count(); ++r)
        if (form_->CheckListBox1->item(r)->checkState() == Qt::Checked) out << r + 1;
    return out;
}

void TestSynchtow::tickDifferingGoods() {
    for (int n = 1; n <= 5; ++n) PutGoods(t_->image, n);
    Open();
    for (int r = 0; r < 5; ++r) form_->CheckListBox1->item(r)->setCheckState(Qt::Checked);
    form_->BitBtn2->click();  // the register now holds the same five
    h_->sim.WithState([](SimState& s) { s.goods.Slot(3)[53] = 7; });  // sales of goods 3 are no difference
    form_->BitBtn6->click();
    form_->BitBtnRozne->click();
    QCOMPARE(TickedPc(), QList<int>{});
    QCOMPARE(form_->LabelRozne->text(), QStringLiteral("Różniących się: 0"));
    // Two changed on the PC and one added.
    GoodsFields g = ReadGoodsRecord(t_->image, 2);
    g.price = 999;
    WriteGoodsRecord(t_->image, g);
    g = ReadGoodsRecord(t_->image, 4);
    g.name = QStringLiteral("Śledź");
    WriteGoodsRecord(t_->image, g);
    PutGoods(t_->image, 6);
    form_->RebuildPcList();
    form_->BitBtnRozne->click();
    QCOMPARE(TickedPc(), (QList<int>{2, 4, 6}));  // rows of goods 2, 4 and 6
    QCOMPARE(form_->LabelRozne->text(), QStringLiteral("Różniących się: 3"));
    // Sent, the register's table is read afresh: nothing differs any more.
    t_->prompts.Clear();
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 3 towarów.")});
    form_->BitBtnRozne->click();
    QCOMPARE(TickedPc(), QList<int>{});
}

void TestSynchtow::fastSendingFallsBackWhenBusy() {
    for (int n = 1; n <= 50; ++n) PutGoods(t_->image, n);
    Open();
    GuiFixture::Control<QCheckBox>(form_, "CheckBoxSzybkie")->setChecked(true);
    QVERIFY(t_->app.fastSending);
    for (int r = 0; r < 50; ++r) form_->CheckListBox1->item(r)->setCheckState(Qt::Checked);
    t_->clock.pauses.clear();
    const qint64 before = t_->clock.slept;
    form_->BitBtn2->click();
    QCOMPARE(RecordFrames(*h_).size(), 50);
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 50 towarów.")});
    QVERIFY(t_->clock.slept - before < 2000);  // no fixed waits at all
    QVERIFY(!t_->clock.pauses.contains(1000));
    // A register that needs time to store each record: after its first busy
    // answer the run goes on with the fixed waits.
    for (int r = 10; r < 50; ++r) form_->CheckListBox1->item(r)->setCheckState(Qt::Unchecked);
    h_->sim.SetStoreTime(30);
    h_->sim.ClearLog();
    t_->prompts.Clear();
    t_->clock.pauses.clear();
    form_->BitBtn2->click();
    h_->sim.SetStoreTime(0);
    QCOMPARE(RecordFrames(*h_).size(), 10);
    const QList<int> pauses = t_->clock.pauses;
    int firstBusy = -1;
    for (int i = 0; i < pauses.size() && firstBusy < 0; ++i)
        if (pauses[i] == 450 || pauses[i] == 1500) firstBusy = i;
    QVERIFY2(firstBusy >= 0, "the register answered busy");
    QVERIFY(!pauses.mid(0, firstBusy).contains(1000));  // fast until then
    QVERIFY(pauses.mid(firstBusy).contains(1000));      // fixed waits after
    QVERIFY(t_->app.fastSending);  // the choice stays for the next run
}

void TestSynchtow::runsDisableTheWindow() {
    for (int n = 1; n <= 3; ++n) PutGoods(t_->image, n);
    h_->sim.WithState([](SimState& s) { s.goods.Set(1, RegisterGoods(1, QStringLiteral("R1"), 'A', 1, "1", 1)); });
    Open();
    for (int r = 0; r < 3; ++r) form_->CheckListBox1->item(r)->setCheckState(Qt::Checked);
    // During each run only its "Anuluj" answers; a second run started from a
    // nested event sends nothing, and closing is refused.
    int checks = 0;
    t_->clock.onSleep = [&](int ms) {
        if (ms != 1000 || checks++) return;
        QVERIFY(!form_->BitBtn6->isEnabled());
        QVERIFY(!form_->BitBtn8->isEnabled());
        QVERIFY(!form_->CheckListBox1->isEnabled());
        QVERIFY(!GuiFixture::Control<QCheckBox>(form_, "CheckBoxSzybkie")->isEnabled());
        QVERIFY(form_->Button2->isEnabled());
        // The pause is the wait for the first record's answer: that record is
        // on its way to the register's thread, which may not have read it yet.
        QTRY_VERIFY(!h_->Received('T').isEmpty());
        const int sent = h_->Received('T').size();
        form_->ReadRegisterGoods();
        form_->SendTickedGoods();
        form_->DeleteTickedInRegister();
        QCOMPARE(h_->Received('T').size(), sent);
        QVERIFY(h_->Received('0').isEmpty());
        form_->close();
        QVERIFY(form_->isVisible());
    };
    form_->BitBtn2->click();
    t_->clock.onSleep = nullptr;
    QCOMPARE(checks, 3);
    QCOMPARE(RecordFrames(*h_).size(), 3);
    for (QWidget* w : std::initializer_list<QWidget*>{form_->BitBtn6, form_->BitBtn8, form_->CheckListBox1,
                                                      form_->BitBtn2})
        QVERIFY(w->isEnabled());
}

void TestSynchtow::Open() {
    form_->show();
    t_->prompts.Clear();
}

void TestSynchtow::listRowsAndDetails() {
    PutGoods(t_->image, 7);
    h_->sim.WithState([](SimState& s) {
        QByteArray r = RegisterGoods(12, QStringLiteral("Bardzo długa nazwa towaru z kasy"), 'B', 1234,
                                     QStringLiteral("4"), 1, 25000, 5555, QDateTime(QDate(2026, 7, 5), QTime(9, 3)));
        r.replace(57, 13, "        12345");
        s.goods.Set(12, r);
        s.goods.Set(13, RegisterGoods(13, QStringLiteral("Nigdy"), 'A', 1, QStringLiteral("1"), 1));
    });
    Open();
    QCOMPARE(form_->windowTitle(), QStringLiteral("Podgląd bazy towarowej"));
    QCOMPARE(form_->CheckListBox1->item(0)->text(), QStringLiteral("   7. Towar 7                    7,00 A"));
    form_->BitBtn6->click();
    QCOMPARE(form_->CheckListBox2->item(0)->text(), QStringLiteral("12.   Bardzo długa nazwa tow      12,34 B"));
    form_->CheckListBox2->setCurrentRow(0);
    emit form_->CheckListBox2->itemClicked(form_->CheckListBox2->item(0));
    QVERIFY(form_->Image4->isVisibleTo(form_));
    QVERIFY(!form_->Image3->isVisibleTo(form_));
    QCOMPARE(form_->Label13->text(), QStringLiteral("0000000012345"));
    QCOMPARE(form_->Label14->text(), QStringLiteral("2"));
    QCOMPARE(form_->Label42->text(), QStringLiteral("55,55"));
    QCOMPARE(form_->Label18->text(), QStringLiteral("2026-7-5  09:03"));
    // A screen reader reads the value, with its caption as the description.
    QAccessibleInterface* sold = QAccessible::queryAccessibleInterface(form_->Label14);
    QCOMPARE(sold->text(QAccessible::Name), QStringLiteral("2"));
    QCOMPARE(sold->text(QAccessible::Description), QStringLiteral("Ilość sprzedanych sztuk"));
    QCOMPARE(form_->Label15->text(), QStringLiteral("Brak"));
    QCOMPARE(form_->Label16->text(), QStringLiteral("NIE"));
    form_->CheckListBox2->setCurrentRow(1);
    emit form_->CheckListBox2->itemClicked(form_->CheckListBox2->item(1));
    QCOMPARE(form_->Label18->text(), QStringLiteral("Brak"));  // never sold
    form_->CheckListBox1->setCurrentRow(0);
    emit form_->CheckListBox1->itemClicked(form_->CheckListBox1->item(0));
    QVERIFY(form_->Image3->isVisibleTo(form_));
    QCOMPARE(form_->Label32->text(), QStringLiteral("Towar 7"));
    QCOMPARE(form_->Label14->text(), QString());
    QCOMPARE(form_->Label18->text(), QString());
    QVERIFY(form_->CheckListBox2->selectedItems().isEmpty());
}

void TestSynchtow::readRegisterTable() {
    h_->sim.WithState([](SimState& s) {
        for (int n : {1, 5, 2000}) s.goods.Set(n, RegisterGoods(n, QStringLiteral("R%1").arg(n), 'A', 1, "1", 1));
    });
    Open();
    form_->BitBtn6->click();
    QCOMPARE(form_->CheckListBox2->count(), 3);
    QCOMPARE(form_->Label24->text(), QStringLiteral("3"));
    QCOMPARE(form_->Label21->text(), QStringLiteral("3/2000"));
    QCOMPARE(form_->ProgressBar2->value(), 3);
    QVERIFY(!form_->Panel2->isVisible());
    QVERIFY(form_->BitBtn2->isEnabled());
    QTRY_COMPARE(h_->ControlStatuses(), (QList<int>{0, 0, 3}));
    // The mirror survives closing and showing again.
    form_->close();
    form_->show();
    QCOMPARE(form_->CheckListBox2->count(), 3);
}

void TestSynchtow::readEmptyTableAndCancel() {
    Open();
    form_->BitBtn6->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Pusta baza.")});
    QCOMPARE(form_->CheckListBox2->count(), 0);
    QCOMPARE(form_->ProgressBar2->value(), 0);
    // Esc during a read cancels it: the record in hand is kept.
    h_->sim.WithState([](SimState& s) {
        for (int n = 1; n <= 10; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("R%1").arg(n), 'A', 1, "1", 1));
    });
    h_->AddFault(QStringLiteral("T:2:delay:200"));
    QTimer::singleShot(50, form_, [&] { QTest::keyClick(form_->CheckListBox1, Qt::Key_Escape); });
    form_->BitBtn6->click();
    QVERIFY(form_->isVisible());
    // Esc is seen between records: the record read next is answered with 4 and kept.
    QCOMPARE(form_->CheckListBox2->count(), 3);
    QTRY_COMPARE(h_->ControlStatuses(), (QList<int>{0, 0, 4}));
}

void TestSynchtow::sendUsesRowNumbers() {
    for (int n = 1; n <= 10; ++n) PutGoods(t_->image, n);
    Open();
    for (int row : {1, 4, 8}) form_->CheckListBox1->item(row)->setCheckState(Qt::Checked);
    form_->BitBtn2->click();
    const QList<QByteArray> frames = RecordFrames(*h_);
    QCOMPARE(frames.size(), 3);
    // No read-back after a clean run: the mirror takes what the register took.
    QCOMPARE(h_->Received('T').last().size(), 78);
    QCOMPARE(FrameNo(frames[0]), uint16_t(2));
    QCOMPARE(FrameNo(frames[1]), uint16_t(5));
    QCOMPARE(FrameNo(frames[2]), uint16_t(0x8009));
    QCOMPARE(frames[2].mid(7, 2), Hex("09 00"));
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 3 towarów.")});
    QCOMPARE(form_->CheckListBox2->count(), 3);  // the mirror took the sent goods
    // What the mirror now holds is what the register sends when read again.
    QList<QByteArray> kept;
    for (int n : {2, 5, 9}) kept << form_->mirror.Record(n);
    QCOMPARE(LastSaleText(kept[0]), QStringLiteral("Brak"));  // new to the register: never sold
    form_->BitBtn6->click();
    for (int i = 0; i < 3; ++i) QCOMPARE(form_->mirror.Record(QList<int>{2, 5, 9}[i]).toHex(' '), kept[i].toHex(' '));
    QCOMPARE(form_->Label27->text(), QStringLiteral("3/3"));
    QVERIFY(t_->clock.pauses.count(1000) == 3);
}

void TestSynchtow::sendCancelSetsLastFrameFlag() {
    for (int n = 1; n <= 6; ++n) PutGoods(t_->image, n);
    Open();
    for (int row = 0; row < 6; ++row) form_->CheckListBox1->item(row)->setCheckState(Qt::Checked);
    int sends = 0;
    t_->clock.onSleep = [&](int ms) {
        if (ms == 1000 && ++sends == 2) form_->Button2->click();  // "Anuluj" during the second goods
    };
    form_->BitBtn2->click();
    const QList<QByteArray> frames = RecordFrames(*h_);
    // The third frame already carries bit 15; the register ends the run there.
    QCOMPARE(frames.size(), 3);
    QCOMPARE(FrameNo(frames[0]), uint16_t(1));
    QCOMPARE(FrameNo(frames[1]), uint16_t(2));
    QCOMPARE(FrameNo(frames[2]), uint16_t(0x8003));
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(" Zaprogramowano 3 towarów.")});
}

void TestSynchtow::sendFailures() {
    for (int n = 1; n <= 3; ++n) PutGoods(t_->image, n);
    Open();
    h_->AddFault(QStringLiteral("T:2:error:5"));
    for (int row = 0; row < 3; ++row) form_->CheckListBox1->item(row)->setCheckState(Qt::Checked);
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(),
             (QStringList{QStringLiteral(" Zaprogramowano 2 towarów. Nie udało się zaprogramować 1 towarów."),
                          QStringLiteral("Niezaprogramowane towary:\n2.Towar 2 - Nazwa towaru już występuje w bazie")}));
    QCOMPARE(form_->Label44->text(), QStringLiteral("1"));
    QVERIFY(form_->Label43->isVisibleTo(form_->Panel3));
    // A reply that is no answer at all ends the run; it is no sign of sales, so
    // the message says the line failed, and the register's list is read afresh.
    t_->prompts.Clear();
    h_->sim.ClearLog();
    h_->AddFault(QStringLiteral("T:1:status:32"));
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano 0 towarów.")});
    QCOMPARE(h_->Received('T').last().size(), 11);  // the read request
    QCOMPARE(form_->CheckListBox2->count(), 2);  // goods 2 was refused above
    t_->prompts.Clear();
    h_->AddFault(QStringLiteral("T:1:noreply"));
    t_->clock.timeoutDivisor = 10;
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano 0 towarów.")});
    QVERIFY(form_->BitBtn2->isEnabled());
    // Ticks changed during a run do not change the run: the last ticked record
    // still carries the last-frame flag.
    t_->prompts.Clear();
    h_->sim.ClearFaults();
    h_->sim.ClearLog();
    bool unticked = false;
    t_->clock.timeoutDivisor = 1;
    t_->clock.onSleep = [&](int) {
        if (unticked) return;
        unticked = true;
        form_->CheckListBox1->item(2)->setCheckState(Qt::Unchecked);
    };
    form_->BitBtn2->click();
    t_->clock.onSleep = nullptr;
    QList<int> numbers;
    for (const QByteArray& f : h_->Received('T'))
        if (f.size() == 78) numbers << FrameNo(f);
    QCOMPARE(numbers, (QList<int>{1, 2, 3 | 0x8000}));
}

void TestSynchtow::copyToPc() {
    h_->sim.WithState([](SimState& s) {
        QByteArray r = RegisterGoods(40, QStringLiteral("Z kasy"), 'C', 990, QString(), 1, 10000, 990);
        r.replace(57, 13, "  590 123 456");
        r[81] = 3;
        s.goods.Set(40, r);
        s.goods.Set(41, RegisterGoods(41, QStringLiteral("Nie ruszać"), 'A', 1, "1", 1));
    });
    Open();
    form_->BitBtn6->click();
    form_->CheckListBox2->item(0)->setCheckState(Qt::Checked);
    form_->BitBtn4->click();
    const QByteArray rec = t_->image.ReadBytesAt(kGoods.Offset(40), 68);
    QCOMPARE(rec.mid(49, 13), QByteArray("0059001230456"));
    QCOMPARE(ReadGoodsRecord(t_->image, 40).name, QStringLiteral("Z kasy"));
    QCOMPARE(rec.at(67), '\3');
    QCOMPARE(t_->image.ReadWordAt(kGoods.Offset(41)), 0);
    QCOMPARE(form_->CheckListBox1->count(), 1);
    QVERIFY(t_->app.databaseModified);  // copied goods are a change to save
    QVERIFY(t_->prompts.shown.isEmpty());
}

void TestSynchtow::deleteOnPcAndInRegister() {
    for (int n = 1; n <= 4; ++n) PutGoods(t_->image, n);
    h_->sim.WithState([](SimState& s) {
        for (int n = 1; n <= 4; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("R%1").arg(n), 'A', 1, "1", 1));
    });
    Open();
    form_->CheckListBox1->setCurrentRow(1);
    form_->CheckListBox1->item(1)->setCheckState(Qt::Checked);
    form_->CheckListBox1->item(3)->setCheckState(Qt::Checked);
    t_->prompts.answers = {PromptAnswer::No};
    form_->BitBtn5->click();  // asked first; "Nie" deletes nothing
    QCOMPARE(t_->prompts.Texts().value(0), QStringLiteral("Usunąć z bazy PC zaznaczone towary (2)?"));
    QCOMPARE(OccupiedGoods(t_->image).size(), 4);
    form_->BitBtn5->click();
    QCOMPARE(OccupiedGoods(t_->image), (QList<int>{1, 3}));
    QVERIFY(t_->app.databaseModified);
    QCOMPARE(form_->CheckListBox1->count(), 2);
    QCOMPARE(form_->CheckListBox1->currentRow(), 1);
    QCOMPARE(form_->Label4->text(), QStringLiteral("2/2000"));
    // In the register: frame numbers count ticked rows.
    form_->BitBtn6->click();
    for (int row : {0, 2, 3}) form_->CheckListBox2->item(row)->setCheckState(Qt::Checked);
    form_->BitBtn8->click();
    QList<uint16_t> numbers;
    for (const QByteArray& f : h_->Received('0')) numbers << FrameNo(f);
    QCOMPARE(numbers, (QList<uint16_t>{1, 2, 0x8003}));
    QCOMPARE(h_->Received('0')[0], RegisterFrame(54, 1, '0', Hex("01 00") + QByteArray("R1") + QByteArray(41, '\0')));
    QCOMPARE(form_->CheckListBox2->count(), 1);
    QCOMPARE(form_->Label49->text(), QStringLiteral("3/3"));
    h_->sim.WithState([](SimState& s) { QCOMPARE(s.goods.Used(), 1); });
    // A refusal is shown and ends the run.
    h_->sim.WithState([](SimState& s) {
        s.goods.Set(3, RegisterGoods(3, QStringLiteral("Sprzedany"), 'A', 1, "1", 1, 10000, 100));
        s.goods.Set(4, RegisterGoods(4, QStringLiteral("R4"), 'A', 1, "1", 1));
    });
    form_->BitBtn6->click();
    for (int row = 0; row < 3; ++row) form_->CheckListBox2->item(row)->setCheckState(Qt::Checked);
    t_->prompts.Clear();
    form_->BitBtn8->click();
    QCOMPARE(t_->prompts.Texts(),
             (QStringList{QStringLiteral("Usunąć z kasy zaznaczone rekordy (3)? Tego nie można cofnąć."),
                          QStringLiteral("Błąd 91: Niezerowa wartość sprzedaży towaru")}));
    QCOMPARE(form_->CheckListBox2->count(), 2);  // goods 2 went, 3 stayed, 4 was not tried
    // "Nie" deletes nothing in the register.
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::No};
    const int frames = int(h_->Received('0').size());
    form_->BitBtn8->click();
    QCOMPARE(int(h_->Received('0').size()), frames);
}

void TestSynchtow::verifyBarcodes() {
    PutGoods(t_->image, 1, QStringLiteral("111"));
    PutGoods(t_->image, 2, QStringLiteral("222"));
    h_->sim.WithState([](SimState& s) {
        s.goods.Set(1, RegisterGoods(1, QStringLiteral("Towar 1"), 'A', 100, QStringLiteral("111"), 1));
        s.goods.Set(2, RegisterGoods(2, QStringLiteral("Towar 2"), 'A', 200, QStringLiteral("222"), 1));
    });
    Open();
    form_->Button4->click();
    QCOMPARE(t_->prompts.Texts(),
             QStringList{QStringLiteral("Poprawnie zweryfikowano 2 towarów. Nie stwierdzono błędów.")});
    QVERIFY(h_->Received('T').size() == 1);  // only the read request
    t_->prompts.Clear();
    PutGoods(t_->image, 2, QStringLiteral("999"));
    form_->Button4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(
        "Wykryto nieprawidłowości, zaprogramowano błędne towary, wykonaj weryfikację ponownie w celu potwierdzenia "
        "poprawności danych.")});
    const QList<QByteArray> writes = [&] {
        QList<QByteArray> w;
        for (const QByteArray& f : h_->Received('T'))
            if (f.size() == 78) w << f;
        return w;
    }();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(FrameNo(writes[0]), uint16_t(0x8001));
    QCOMPARE(writes[0].at(75), '\0');  // confirmation off
    h_->sim.WithState([](SimState& s) { QCOMPARE(s.goods.Record(2).mid(57, 13), QByteArray("0000000000999")); });
    t_->prompts.Clear();
    form_->Button4->click();
    QCOMPARE(t_->prompts.Texts(),
             QStringList{QStringLiteral("Poprawnie zweryfikowano 2 towarów. Nie stwierdzono błędów.")});
}

void TestSynchtow::markUnsold() {
    // Today is 2026-12-10 on the virtual clock.
    h_->sim.WithState([](SimState& s) {
        s.goods.Set(1, RegisterGoods(1, "A", 'A', 1, "1", 1, 1, 1, QDateTime(QDate(2026, 12, 1), QTime(10, 0))));
        s.goods.Set(2, RegisterGoods(2, "B", 'A', 1, "1", 1, 1, 1, QDateTime(QDate(2026, 11, 9), QTime(10, 0))));
        s.goods.Set(3, RegisterGoods(3, "C", 'A', 1, "1", 1, 1, 1, QDateTime(QDate(2026, 11, 10), QTime(10, 0))));
        s.goods.Set(4, RegisterGoods(4, "D", 'A', 1, "1", 1));  // never sold
        QByteArray bad = RegisterGoods(5, "E", 'A', 1, "1", 1, 1, 1, QDateTime(QDate(2026, 2, 1), QTime(1, 0)));
        bad[78] = 30;  // 30 February
        s.goods.Set(5, bad);
    });
    Open();
    form_->BitBtn6->click();
    form_->Button7->click();
    QCOMPARE(Ticks(form_->CheckListBox2), (QList<bool>{false, true, false, true, true}));
    form_->Edit1->setText(QStringLiteral("x"));
    form_->Button7->click();
    QCOMPARE(Ticks(form_->CheckListBox2), (QList<bool>{false, false, false, false, false}));
    QVERIFY(t_->prompts.shown.isEmpty());
}

void TestSynchtow::tickByNumber() {
    h_->sim.WithState([](SimState& s) {
        for (int n : {3, 8, 12, 2000}) s.goods.Set(n, RegisterGoods(n, QStringLiteral("R%1").arg(n), 'A', 1, "1", 1));
    });
    Open();
    form_->BitBtn6->click();
    form_->BitBtn11->click();  // both fields empty: everything
    QCOMPARE(Ticks(form_->CheckListBox2), (QList<bool>{true, true, true, true}));
    form_->Edit3->setText(QStringLiteral("0"));
    form_->Edit4->setText(QStringLiteral("8"));
    form_->BitBtn11->click();
    QCOMPARE(Ticks(form_->CheckListBox2), (QList<bool>{true, true, false, false}));
    form_->Edit3->setText(QStringLiteral("10"));
    form_->Edit4->setText(QStringLiteral("5"));
    form_->BitBtn11->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Błędnie wypełnione pola!")});
    QCOMPARE(Ticks(form_->CheckListBox2), (QList<bool>{true, true, false, false}));
    form_->Edit3->setText(QStringLiteral("a"));
    form_->BitBtn11->click();
    QCOMPARE(t_->prompts.Texts().size(), 2);
}

void TestSynchtow::gaugeColours_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::newRow("empty") << 0 << 0 << 250;
    QTest::newRow("999") << 999 << 249 << 250;
    QTest::newRow("1000") << 1000 << 250 << 250;
    QTest::newRow("1500") << 1500 << 250 << 125;
    QTest::newRow("2000") << 2000 << 250 << 0;
}

void TestSynchtow::gaugeColours() {
    QFETCH(int, count);
    QFETCH(int, red);
    QFETCH(int, green);
    const GaugeColour c = MemoryGaugeColour(count);
    QCOMPARE(c.red, red);
    QCOMPARE(c.green, green);
    QCOMPARE(c.blue, 0);
}

void TestSynchtow::selectAllAndPrintLines() {
    for (int n : {3, 1000}) PutGoods(t_->image, n);
    GoodsFields g = ReadGoodsRecord(t_->image, 3);
    g.name = QStringLiteral("Zupa");
    g.fixedPrice = 1;
    WriteGoodsRecord(t_->image, g);
    Open();
    form_->BitBtn9->click();
    QCOMPARE(Ticks(form_->CheckListBox1), (QList<bool>{true, true}));
    form_->BitBtn9->click();
    QCOMPARE(Ticks(form_->CheckListBox1), (QList<bool>{false, false}));
    form_->BitBtn10->click();
    QCOMPARE(form_->PrintLines(false),
             (QStringList{QStringLiteral("   3 Zupa                       3,00 A       sztywna   0000000000590  "),
                          QStringLiteral("1000 Towar 1000              1000,00 A       ruchoma   0000000000590  ")}));
    QCOMPARE(form_->PrintLines(true).first().left(4), QStringLiteral("1000"));  // sorted by name
    const QList<PrintPage> pages = LayoutGoodsLines(form_->PrintLines(false), {4800, 6600, 50, 80});
    QCOMPARE(pages.size(), 1);
    bool footer = false;
    for (const PrintText& t : pages[0].texts) footer = footer || t.text == QStringLiteral("Strona: 1/1");
    QVERIFY(footer);
}

QTEST_MAIN(TestSynchtow)
#include "test_synchtow.moc"

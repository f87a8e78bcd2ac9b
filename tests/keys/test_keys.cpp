// Function keys and sales-function keys programmed into the simulated register.
#include <QtTest>
#include <QComboBox>
#include <QPushButton>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>

#include "image/imagestore.h"
#include "image/layout.h"
#include "image/smalltables.h"
#include "image/workimage.h"
#include <QRadioButton>
#include <QTableWidget>

#include "keys/Edycjaklawiszyszybkich.h"
#include "keys/Klawiszefunkcyjne.h"
#include "keys/Klawiszeszybkie.h"
#include "keys/quickkeys.h"
#include "keys/Klawiszeszybkiesprzedazy.h"
#include "keys/keysend.h"
#include "link/registererrors.h"
#include "simstate.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void functionCodes();
    void functionKeys();
    void salesFunctionKeys();
    void quickKeyDrops();
    void quickKeyRepairAndSend();
    void quickKeyForm();
};

namespace {
// A drop as the drag ends over the widget (a list takes drops on its viewport).
void Drop(QWidget* widget, const QString& mime, const QByteArray& data) {
    auto* list = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* target = list ? list->viewport() : widget;
    QMimeData m;
    m.setData(mime, data);
    // The drag enters first, as it does under the mouse; the drop goes where it entered.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &m, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent e(QPointF(5, 5), Qt::CopyAction, &m, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}
void PutGoods(WorkImage& image, int n) {
    GoodsFields g;
    g.number = n;
    g.name = QStringLiteral("Towar %1").arg(n);
    g.price = uint32_t(100 * n);
    WriteGoodsRecord(image, g);
}
}  // namespace

void TestKeys::functionCodes() {
    QCOMPARE(FunctionKeyNames().size(), 23);
    QCOMPARE(FunctionKeyCode(0), uint8_t(16));
    QCOMPARE(FunctionKeyCode(1), uint8_t(1));
    QCOMPARE(FunctionKeyCode(15), uint8_t(15));
    QCOMPARE(FunctionKeyCode(16), uint8_t(25));
    QCOMPARE(FunctionKeyNames()[22], QStringLiteral("Raport grup towarowych (zerujący)"));
    QCOMPARE(FunctionKeyCode(22), uint8_t(31));
}

void TestKeys::functionKeys() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TProgramowanieKlawiszyFunkcyjnych w(f.t.services);
    w.show();
    w.ComboBox1->setCurrentIndex(2);
    w.Functions[1]->setCurrentIndex(22);
    w.SendButtons[0]->click();
    w.SendButtons[1]->click();
    QCOMPARE(h.Received('O'), (QList<QByteArray>{RegisterFrame(13, 0x8001, 'O', Hex("03 01 10 00")),
                                                  RegisterFrame(13, 0x8001, 'O', Hex("03 02 1F 00"))}));
    QCOMPARE(f.t.clock.pauses.count(650), 2);  // after each acceptance
    h.sim.WithState([](SimState& s) { QCOMPARE(uint8_t(s.functionKeys[21]), uint8_t(31)); });
    // All keys: the first refusal ends the run, shown with its text.
    h.sim.ClearLog();
    h.AddFault(QStringLiteral("O:3:error:18"));
    w.BitBtn2->click();
    QCOMPARE(h.Received('O').size(), 3);
    QCOMPARE(f.t.prompts.Texts(), QStringList{RegisterErrorMessage(18)});
    QVERIFY(w.BitBtn2->isEnabled());
}

void TestKeys::salesFunctionKeys() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TKlawiszeSzybkieSprzedazy w(f.t.services);
    w.show();
    QCOMPARE(w.Functions[0]->objectName(), QStringLiteral("ComboBox1"));
    QCOMPARE(w.Numbers[0]->objectName(), QStringLiteral("ComboBox11"));
    QCOMPARE(w.Numbers[1]->objectName(), QStringLiteral("ComboBox13"));
    QCOMPARE(w.Kinds[9]->objectName(), QStringLiteral("ComboBox31"));
    QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("Button11")));  // no "Odśwież" with nothing behind it
    w.ComboBox12->setCurrentIndex(1);
    w.Functions[3]->setCurrentText(QStringLiteral("Szybkie storno"));
    w.Kinds[3]->setCurrentIndex(1);
    w.Numbers[3]->setCurrentIndex(4);
    w.SendButtons[3]->click();
    QTRY_COMPARE(h.Received('X').size(), 1);
    QCOMPARE(h.Received('X')[0], RegisterFrame(14, 0x8001, 'X', Hex("02 04 03 01 05")));
}

void TestKeys::quickKeyDrops() {
    TestServices t;
    for (int n = 1; n <= 6; ++n) PutGoods(t.image, n);
    t.image.WriteBytesAt(kCashierTable.area.Offset(2), CashierRecord{2, QStringLiteral("Ewa")}.Encode());
    TProgramowanieKlawiszySzybkich2 w(t.services);
    w.show();
    QCOMPARE(w.ListBox1->item(0)->text(), QStringLiteral("   1. Towar 1") + QString(20, ' ') + QStringLiteral("1,00 A"));
    QCOMPARE(w.ComboBox1->itemText(0), QStringLiteral("1 Kierownik"));  // a new database has its manager
    QCOMPARE(w.ComboBox1->itemText(3), QStringLiteral("4"));
    QCOMPARE(w.ComboBox1->itemText(1), QStringLiteral("2 Ewa"));
    // Without a mouse: the form-based editor opens from the board, and what it
    // saves shows on the board at once.
    bool opened = false;
    w.openKeyEditor = [&] {
        opened = true;
        t.image.WriteBytesAt(layout::QuickKeyOffset(1, 5), Hex("01 05 01 0300 10270000 0000 00000000 0000 00000000 0000 00000000 0000 00000000 00"));
    };
    w.Button2->click();
    QVERIFY(opened);
    QCOMPARE(w.Keys[4]->count(), 1);
    t.image.ClearBytes(layout::QuickKeyOffset(1, 5), 34);
    w.LoadKeys();
    const QString goods = TProgramowanieKlawiszySzybkich2::GoodsMime();
    // Six goods on one key: five entries, the sixth last.
    for (int n = 1; n <= 6; ++n) Drop(w.Keys[0], goods, QByteArray::number(n));
    QCOMPARE(w.Keys[0]->count(), 5);
    QCOMPARE(w.Keys[0]->item(4)->text(), QStringLiteral("Towar 6    1,0000"));
    QuickKeyRecord r = ReadQuickKey(t.image, 1, 1);
    QCOMPARE(r.count, 5);
    QCOMPARE(r.entries[4].goods, 6);
    QCOMPARE(r.entries[3].goods, 4);
    QVERIFY(t.app.databaseModified);
    // The middle of three removed: the count stays 3 and the next drop is entry 4.
    for (int n = 1; n <= 3; ++n) Drop(w.Keys[1], goods, QByteArray::number(n));
    Drop(w.Image1, TProgramowanieKlawiszySzybkich2::EntryMime(), "2,1");
    r = ReadQuickKey(t.image, 1, 2);
    QCOMPARE(r.count, 3);
    QCOMPARE(r.entries[1].goods, 0);
    QCOMPARE(w.Keys[1]->count(), 2);
    Drop(w.Keys[1], goods, "5");
    QCOMPARE(ReadQuickKey(t.image, 1, 2).entries[3].goods, 5);
    // Quantities: 0 and 100 do nothing; "2.5" is 2,5 and 25000.
    for (const char* bad : {"0", "100"}) {
        w.Edit1->setText(QString::fromLatin1(bad));
        Drop(w.Keys[2], goods, "1");
        QCOMPARE(w.Keys[2]->count(), 0);
    }
    w.Edit1->setText("2.5");
    Drop(w.Keys[2], goods, "1");
    QCOMPARE(w.Edit1->text(), QStringLiteral("2,5"));
    QCOMPARE(ReadQuickKey(t.image, 1, 3).entries[0].quantity, 25000);
    // Dropped on nothing: the field is still put right, nothing stored.
    w.Edit1->setText("1.5");
    w.GoodsDropped(4, 0);
    QCOMPARE(w.Edit1->text(), QStringLiteral("1,5"));
    // The ends-receipt box goes straight into the record; another cashier has its own keys.
    w.EndsReceipt[2]->click();
    QVERIFY(ReadQuickKey(t.image, 1, 3).endsReceipt);
    w.ComboBox1->setCurrentIndex(1);
    QCOMPARE(w.Keys[0]->count(), 0);
    QVERIFY(!w.EndsReceipt[2]->isChecked());
}

void TestKeys::quickKeyRepairAndSend() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    for (int n = 1; n <= 3; ++n) PutGoods(f.t.image, n);
    h.sim.WithState([&](SimState& s) {
        for (int n = 1; n <= 3; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("Towar %1").arg(n), 'A', 100, "1", 1));
    });
    AddToQuickKey(f.t.image, 1, 1, 2, 15000, true);
    TProgramowanieKlawiszySzybkich2 w(f.t.services);
    w.show();
    w.BitBtn1->click();
    QList<int> numbers;
    for (const QByteArray& frame : h.Received('S')) numbers << (uint8_t(frame[4]) | uint8_t(frame[5]) << 8);
    QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0x800A}));
    QCOMPARE(h.Received('S')[0], RegisterFrame(44, 1, 'S', Hex("01 01 01 02 00 98 3A 00 00") + QByteArray(24, '\0') +
                                                             Hex("01 00")));
    QCOMPARE(f.t.clock.pauses.count(300), 10);
    // One key from its menu: frame 0x8001.
    h.sim.ClearLog();
    w.SendKey(3);
    QCOMPARE(h.Received('S').value(0).mid(4, 3), Hex("01 80 53"));
    // The first key the register refuses ends the run.
    h.sim.ClearLog();
    h.AddFault(QStringLiteral("S:2:error:76"));
    w.BitBtn1->click();
    QCOMPARE(h.Received('S').size(), 2);
    // A goods number above 2000 clears the whole table, with the message.
    f.t.prompts.Clear();
    f.t.app.databaseModified = false;
    QuickKeyRecord broken = ReadQuickKey(f.t.image, 1, 4);
    broken.entries[0].goods = 2001;
    WriteQuickKey(f.t.image, 1, 4, broken);
    w.LoadKeys();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral(
                                      "Wykryto błąd bazy klawiszy szybkich! Klawisze szybkie zostały skasowane, a baza danych naprawiona.")});
    QVERIFY(f.t.app.databaseModified);
    QCOMPARE(f.t.image.ReadBytesAt(layout::kQuickKeys, layout::kQuickKeysSize), QByteArray(layout::kQuickKeysSize, '\0'));
    QCOMPARE(w.Keys[0]->count(), 0);
}

void TestKeys::quickKeyForm() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    for (int n = 1; n <= 5; ++n) PutGoods(f.t.image, n);
    AddToQuickKey(f.t.image, 1, 2, 3, 15000, false);
    TProgramowanieKlawiszySzybkich w(f.t.services, nullptr);
    w.show();
    w.KeyButtons[1]->setChecked(true);
    QCOMPARE(w.StringGrid1->item(0, 1)->text(), QStringLiteral("3"));
    QCOMPARE(w.StringGrid1->item(0, 2)->text(), QStringLiteral("1,5000"));
    QCOMPARE(w.StringGrid1->item(1, 1)->text(), QStringLiteral("-"));
    QCOMPARE(w.StringGrid1->item(1, 2)->text(), QStringLiteral("---"));
    QVERIFY(!w.KeyButtons[1]->styleSheet().isEmpty());  // a key in use is greyed
    QVERIFY(w.KeyButtons[0]->styleSheet().isEmpty());
    // Required fields, then the goods number's range.
    w.Edit2->clear();
    w.BitBtn1->click();
    QVERIFY(w.MarkerNumber->isVisible() && w.MarkerQuantity->isVisible());
    w.Edit1->setText("2001");
    w.Edit2->setText("1");
    w.BitBtn1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("     Błędna wartość : Numer towaru w kasie \n Pole musi "
                                                              "zawierać liczbę z przedziału 0-2000. (0 - brak towaru)    ")});
    QCOMPARE(w.GoodsName->text(), QStringLiteral("---"));
    f.t.prompts.Clear();
    w.Edit1->setText("5");
    QCOMPARE(w.GoodsName->text(), QStringLiteral("Towar 5"));
    w.Edit2->setText("x");
    w.BitBtn1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Błędna ilość")});
    // Entry 2 gets goods 5 × 2,5; the copy changes, the image waits for "Zapisz".
    w.EntryButtons[1]->setChecked(true);
    w.Edit2->setText("2.5");
    w.BitBtn1->click();
    QCOMPARE(w.Edit2->text(), QStringLiteral("2,5"));
    QCOMPARE(w.StringGrid1->item(1, 2)->text(), QStringLiteral("2,5000"));
    QVERIFY(w.EntryButtons[2]->isChecked());
    QCOMPARE(ReadQuickKey(f.t.image, 1, 2).entries[1].goods, 0);
    w.CheckBox1->setChecked(true);
    f.t.prompts.Clear();
    w.BitBtn4->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Zapisano w bazie")});
    const QuickKeyRecord r = ReadQuickKey(f.t.image, 1, 2);
    QCOMPARE(r.count, 2);
    QCOMPARE(r.entries[1].quantity, 25000);
    QVERIFY(r.endsReceipt);
    QVERIFY(f.t.app.databaseModified);
    // Sent from the image with frame 0x8001.
    h.sim.WithState([](SimState& s) {
        for (int n = 1; n <= 5; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("Towar %1").arg(n), 'A', 100, "1", 1));
    });
    w.BitBtn2->click();
    QCOMPARE(h.Received('S').value(0).mid(4, 5), Hex("01 80 53 01 02"));
    QVERIFY(f.t.prompts.Texts().size() == 1);
    // Deleting clears the copy only.
    w.BitBtn3->click();
    QCOMPARE(w.StringGrid1->item(0, 1)->text(), QStringLiteral("-"));
    QCOMPARE(ReadQuickKey(f.t.image, 1, 2).count, 2);
}

QTEST_MAIN(TestKeys)
#include "test_keys.moc"

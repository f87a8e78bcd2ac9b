// The goods editor and its dialogs, driven through their named controls, with the
// simulated register on a pseudo-terminal.
#include <QtTest>
#include <QHeaderView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "goods/Edycjatowaru.h"
#include "goods/Listatowarow.h"
#include "goods/Listatowarowtandem.h"
#include "goods/Programowanietowarow.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "printing/Printer.h"
#include "printing/goodslist.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

using namespace layout;

namespace {

void PutGoods(WorkImage& image, int n, const QString& name, uint32_t price = 100, int unit = 0,
              const QString& barcode = QString()) {
    GoodsFields g;
    g.number = n;
    g.name = name;
    g.price = price;
    g.unit = uint8_t(unit);
    g.barcode = barcode;
    g.byPieces = 1;
    QCOMPARE(WriteGoodsRecord(image, g), 0);
}

int image_word(WorkImage& image, int n) { return image.ReadWordAt(kGoods.Offset(n)); }

QString Cell(QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QStringList Row(QTableWidget* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c) cells << Cell(grid, row, c);
    return cells;
}

}  // namespace

class TestGoods : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void nameKey_data();
    void nameKey();
    void gridRowsAndGauge();
    void requiredFieldsAndNumber();
    void blankNames_data();
    void blankNames();
    void duplicateNameKey();
    void prices_data();
    void prices();
    void fixedPriceZero();
    void addWritesRecordAndProposesNext();
    void addWithoutDatabaseWritesNothing();
    void search();
    void loadRowByDoubleClick();
    void deleteKeepsSelectionAndQuickKeys();
    void findAndSort();
    void automaticSendAfterAdd();
    void sendSelectedRow();
    void downloadFromRegister();
    void editDialogKeepsPriceAndUnit();
    void goodsPicker();
    void linkedGoodsDialog();
    void printLayout();
    void printToPdf();

private:
    GuiFixture* f_ = nullptr;
    TestServices* t_ = nullptr;
    TProgramowanieTowarow* form_ = nullptr;
    TEdycjaTowaru* edit_ = nullptr;
};

void TestGoods::init() {
    f_ = new GuiFixture;
    t_ = &f_->t;
    form_ = new TProgramowanieTowarow(t_->services);
    edit_ = new TEdycjaTowaru(t_->services, form_);
    form_->SetEditDialog(edit_);
}

void TestGoods::cleanup() {
    delete edit_;
    delete form_;
    delete f_;
}

void TestGoods::nameKey_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::newRow("blank and percent dropped") << "Mleko 2%" << "MLEKO2";
    QTest::newRow("Polish letters raised") << "żółć łąka" << "ŻÓŁĆŁĄKA";
    QTest::newRow("kept punctuation") << "a/b\\c.d,e-f" << "A/B\\C.D,EF";
    QTest::newRow("only 42 characters count") << QString(42, 'x') + "YZ" << QString(42, 'X');
}

void TestGoods::nameKey() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(GoodsNameKey(name), key);
}

void TestGoods::gridRowsAndGauge() {
    t_->image.WriteByteAt(kPackagings.Offset(2), 2);
    t_->image.WritePaddedTextAt(kPackagings.Offset(2) + 1, QStringLiteral("Butelka"), 0, 42);
    GoodsFields g;
    g.number = 7;
    g.name = QStringLiteral("Piwo");
    g.vat = 'B';
    g.price = 5;
    g.barcode = QStringLiteral("590");
    g.group = 1;
    g.packaging = 2;
    g.fixedPrice = 1;
    g.halo = 3;
    WriteGoodsRecord(t_->image, g);
    PutGoods(t_->image, 2, QStringLiteral("Chleb"));
    form_->show();
    QCOMPARE(form_->StringGrid1->rowCount(), 3);  // two goods and the empty last row
    QCOMPARE(Row(form_->StringGrid1, 1), (QStringList{"7", "Piwo", "B", "0,05", "0000000000590", "1 Grupa podstawowa",
                                                      "Butelka", "Tak", "Nie", "3", "Brak"}));
    QCOMPARE(Row(form_->StringGrid1, 0).mid(6), (QStringList{"Brak", "Nie", "Tak", "Brak", "Brak"}));
    QCOMPARE(Cell(form_->StringGrid1, 2, 0), QString());
    QCOMPARE(form_->Label14->text(), QStringLiteral("1998/2000"));
    QCOMPARE(form_->ProgressBar1->value(), 1998);
    QCOMPARE(form_->ComboBox2->itemText(0), QStringLiteral("1. Grupa podstawowa"));
    QCOMPARE(form_->ComboBox2->itemText(1), QStringLiteral("2"));
    QCOMPARE(form_->NumerOpakowania->itemText(2), QStringLiteral("2. Butelka"));
    QCOMPARE(form_->ComboBox3->itemText(4), QStringLiteral("4. 10,00"));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Edycja bazy towarowej"));
}

void TestGoods::requiredFieldsAndNumber() {
    form_->show();
    form_->Edit4->clear();
    form_->Edit5->clear();
    form_->Edit1->setText(QStringLiteral("1"));
    form_->BitBtn4->click();
    QVERIFY(form_->Label10->isVisible());
    QVERIFY(form_->Label8->isVisible());
    QVERIFY(!form_->Label11->isVisible());
    QVERIFY(t_->prompts.shown.isEmpty());
    for (const char* bad : {"0", "2001", "x1", "-5"}) {
        t_->prompts.Clear();
        form_->Edit4->setText(QLatin1String(bad));
        form_->Edit5->setText(QStringLiteral("Chleb"));
        form_->BitBtn4->click();
        QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(
            "     Błędna wartość : Numer towaru w kasie \n Pole musi zawierać liczbę z przedziału 1-2000.     ")});
        QVERIFY(!form_->Label10->isVisible());
    }
    QVERIFY(OccupiedGoods(t_->image).isEmpty());
}

void TestGoods::blankNames_data() {
    QTest::addColumn<int>("blanks");
    QTest::newRow("3") << 3;
    QTest::newRow("41") << 41;
}

void TestGoods::blankNames() {
    QFETCH(int, blanks);
    form_->show();
    form_->Edit4->setText(QStringLiteral("1"));
    form_->Edit5->setText(QString(blanks, ' '));
    form_->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Nazwa towaru nie może składać się z samych znaków spacji!")});
    QVERIFY(OccupiedGoods(t_->image).isEmpty());
}

void TestGoods::duplicateNameKey() {
    PutGoods(t_->image, 12, QStringLiteral("Mleko-2"));
    form_->show();
    form_->Edit4->setText(QStringLiteral("5"));
    form_->Edit5->setText(QStringLiteral("Mleko 2%"));
    form_->Edit1->setFocus();
    form_->BitBtn4->click();
    // The stored name, not the key the names are compared by.
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Towar Mleko-2 jest już zapisany w bazie pod numerem 12")});
    QCOMPARE(form_->focusWidget(), form_->Edit5);
    QCOMPARE(image_word(t_->image, 5), 0);
    t_->prompts.Clear();
    form_->Edit4->setText(QStringLiteral("12"));
    form_->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(ReadGoodsRecord(t_->image, 12).name, QStringLiteral("Mleko 2%"));
}

void TestGoods::prices_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<qint64>("grosz");  // -1: refused with the message below
    QTest::addColumn<QString>("message");
    QTest::newRow("12.5") << "12.5" << qint64(1250) << "";
    QTest::newRow("12,5") << "12,5" << qint64(1250) << "";
    QTest::newRow("12,50") << "12,50" << qint64(1250) << "";
    QTest::newRow("0,005") << "0,005" << qint64(0) << "";
    QTest::newRow("999999,99") << "999999,99" << qint64(99999999) << "";
    QTest::newRow("one million") << "1000000" << qint64(-1)
                                 << "Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99";
    QTest::newRow("negative") << "-1" << qint64(-1) << "Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99";
    QTest::newRow("letters") << "12zł" << qint64(-1) << "     Błędna wartość w polu Cena     ";
}

void TestGoods::prices() {
    QFETCH(QString, price);
    QFETCH(qint64, grosz);
    QFETCH(QString, message);
    form_->show();
    form_->Edit4->setText(QStringLiteral("3"));
    form_->Edit5->setText(QStringLiteral("Ser"));
    form_->Edit1->setText(price);
    form_->BitBtn4->click();
    if (grosz < 0) {
        QCOMPARE(t_->prompts.Texts(), QStringList{message});
        QCOMPARE(image_word(t_->image, 3), 0);
    } else {
        QVERIFY(t_->prompts.shown.isEmpty());
        QCOMPARE(qint64(ReadGoodsRecord(t_->image, 3).price), grosz);
    }
}

void TestGoods::fixedPriceZero() {
    form_->show();
    form_->Edit4->setText(QStringLiteral("3"));
    form_->Edit5->setText(QStringLiteral("Ser"));
    form_->Edit1->setText(QStringLiteral("0,00"));
    form_->CheckBox2->setChecked(true);
    form_->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral(
        "Cena sztywna musi mieć wartość większą od 0,00. Wprowadz inną wartość, lub odznacz pole \"Cena sztywna\"")});
    form_->CheckBox2->setChecked(false);
    t_->prompts.Clear();
    form_->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(image_word(t_->image, 3), 3);
}

void TestGoods::addWritesRecordAndProposesNext() {
    PutGoods(t_->image, 6, QStringLiteral("Zajęty"));
    form_->show();
    QCOMPARE(form_->Edit4->text(), QStringLiteral("1"));  // the first free slot
    form_->Edit4->setText(QStringLiteral("5"));
    form_->Edit5->setText(QStringLiteral("Kawa"));
    form_->Edit1->setText(QStringLiteral("19,99"));
    form_->Edit2->setText(QStringLiteral("123456"));
    form_->ComboBox1->setCurrentIndex(3);
    form_->ComboBox4->setCurrentIndex(2);
    QTest::keyClick(form_->Edit2, Qt::Key_Return);  // Enter adds
    QVERIFY(t_->prompts.shown.isEmpty());
    const QByteArray rec = t_->image.ReadBytesAt(kGoods.Offset(5), 68);
    QCOMPARE(rec.left(6), QByteArray("\x05\x00Kawa", 6));
    QCOMPARE(rec.at(44), 'D');
    QCOMPARE(rec.mid(45, 4), Hex("CF 07 00 00"));
    QCOMPARE(rec.mid(49, 13), QByteArray("0000000123456"));
    QCOMPARE(rec.mid(62, 6), Hex("01 00 00 01 00 02"));
    QVERIFY(t_->app.databaseModified);
    QCOMPARE(form_->Edit4->text(), QStringLiteral("7"));  // 6 is taken
    QCOMPARE(form_->Edit5->text(), QString());
    QCOMPARE(form_->Edit2->text(), QString());
    QCOMPARE(form_->Edit1->text(), QStringLiteral("0,00"));
    QCOMPARE(form_->focusWidget(), form_->Edit5);
    QCOMPARE(form_->ComboBox1->currentIndex(), 3);  // the defaults stay for the next one
    // Nothing free above: the field is emptied.
    for (int n = 1996; n <= 2000; ++n) PutGoods(t_->image, n, QStringLiteral("T%1").arg(n));
    form_->Edit4->setText(QStringLiteral("1995"));
    form_->Edit5->setText(QStringLiteral("Ostatni"));
    form_->BitBtn4->click();
    QCOMPARE(form_->Edit4->text(), QString());
}

void TestGoods::addWithoutDatabaseWritesNothing() {
    t_->app.workMode = ModeRegisterOnly;
    form_->show();
    form_->Edit4->setText(QStringLiteral("4"));
    form_->Edit5->setText(QStringLiteral("Herbata"));
    form_->BitBtn4->click();
    QCOMPARE(image_word(t_->image, 4), 0);
    QCOMPARE(form_->Edit5->text(), QStringLiteral("Herbata"));  // the fields keep their content
    t_->app.workMode = ModeOffline;
    t_->image.Close();
    form_->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("     Plik zamknięty.     ")});
}

void TestGoods::search() {
    PutGoods(t_->image, 1, QStringLiteral("Mleko"), 250);
    PutGoods(t_->image, 2, QStringLiteral("Chleb"));
    PutGoods(t_->image, 3, QStringLiteral("Krem mleczny"), 999);
    form_->show();
    form_->Edit6->setText(QStringLiteral("ml"));
    form_->Edit6->setFocus();
    QTest::keyClick(form_->Edit6, Qt::Key_Return);  // Enter in the search field searches
    QCOMPARE(form_->StringGrid1->rowCount(), 2);
    QCOMPARE(Row(form_->StringGrid1, 0), GoodsGridRow(t_->image, 1));
    QCOMPARE(Row(form_->StringGrid1, 1), GoodsGridRow(t_->image, 3));
    QCOMPARE(Cell(form_->StringGrid1, 1, 3), QStringLiteral("9,99"));
    form_->Edit6->setText(QStringLiteral("zzz"));
    form_->BitBtn1->click();
    QCOMPARE(form_->StringGrid1->rowCount(), 1);
    QCOMPARE(Cell(form_->StringGrid1, 0, 0), QString());
    form_->Edit6->clear();
    form_->BitBtn1->click();
    QCOMPARE(form_->StringGrid1->rowCount(), 4);
    QCOMPARE(OccupiedGoods(t_->image).size(), 3);  // nothing was added by the Enter
}

void TestGoods::loadRowByDoubleClick() {
    GoodsFields g;
    g.number = 9;
    g.name = QStringLiteral("Sok");
    g.vat = 'C';
    g.price = 450;
    g.barcode = QStringLiteral("77");
    g.group = 1;
    g.fixedPrice = 1;
    g.halo = 2;
    g.unit = 3;
    WriteGoodsRecord(t_->image, g);
    form_->show();
    form_->StringGrid1->setCurrentCell(0, 1);
    form_->StringGrid1DblClick();
    QCOMPARE(form_->Edit4->text(), QStringLiteral("9"));
    QCOMPARE(form_->Edit5->text(), QStringLiteral("Sok"));
    QCOMPARE(form_->Edit1->text(), QStringLiteral("4,50"));
    QCOMPARE(form_->Edit2->text(), QStringLiteral("0000000000077"));
    QCOMPARE(form_->ComboBox1->currentText(), QStringLiteral("C"));
    QVERIFY(form_->CheckBox2->isChecked());
    QVERIFY(!form_->CheckBox3->isChecked());
    QCOMPARE(form_->ComboBox3->currentIndex(), 2);
    QCOMPARE(form_->ComboBox4->currentIndex(), 3);
    form_->StringGrid1->setCurrentCell(1, 0);  // the empty row does nothing
    form_->StringGrid1DblClick();
    QCOMPARE(form_->Edit4->text(), QStringLiteral("9"));
}

void TestGoods::deleteKeepsSelectionAndQuickKeys() {
    for (int n : {2, 4, 8}) PutGoods(t_->image, n, QStringLiteral("T%1").arg(n));
    const QByteArray key = Hex("01 02 02 0800 10270000 0200 10270000 0000 00000000 0000 00000000 0000 00000000 00");
    t_->image.WriteBytesAt(QuickKeyOffset(1, 2), key);
    form_->show();
    form_->StringGrid1->selectRow(2);  // goods 8, the last
    form_->BitBtn3->click();
    QCOMPARE(image_word(t_->image, 8), 0);
    QCOMPARE(form_->StringGrid1->currentRow(), 1);  // the row above
    QCOMPARE(t_->image.ReadBytesAt(QuickKeyOffset(1, 2), 34),
             Hex("01 02 01 0200 10270000 0000 00000000 0000 00000000 0000 00000000 0000 00000000 00"));
    QVERIFY(t_->app.databaseModified);  // a deletion is a change to save
    form_->StringGrid1->selectRow(0);
    form_->BitBtn3->click();
    QCOMPARE(form_->StringGrid1->currentRow(), 0);
    QCOMPARE(Cell(form_->StringGrid1, 0, 0), QStringLiteral("4"));
    // Each deletion was asked first, naming the goods.
    QCOMPARE(t_->prompts.Texts(), (QStringList{QStringLiteral("Usunąć z bazy PC towar 8. T8?"),
                                               QStringLiteral("Usunąć z bazy PC towar 2. T2?")}));
    // The last one is taken back whole; then there is nothing more to take back.
    QVERIFY(form_->ButtonCofnij->isEnabled());
    form_->ButtonCofnij->click();
    QCOMPARE(image_word(t_->image, 2), 2);
    QCOMPARE(Cell(form_->StringGrid1, 0, 0), QStringLiteral("2"));
    QVERIFY(!form_->ButtonCofnij->isEnabled());
    // "Nie" keeps the goods.
    t_->prompts.answers = {PromptAnswer::No};
    form_->StringGrid1->selectRow(0);
    form_->BitBtn3->click();
    QCOMPARE(image_word(t_->image, 2), 2);
}

// Typing in the search field keeps the goods whose number, name or barcode
// match; a heading click sorts by its column (names in Polish order), a second
// click the other way; the empty last row stays last.
void TestGoods::findAndSort() {
    PutGoods(t_->image, 1, QStringLiteral("Żurek"), 450);
    PutGoods(t_->image, 2, QStringLiteral("Chleb"), 300, 0, QStringLiteral("5901234"));
    PutGoods(t_->image, 3, QStringLiteral("Ćwikła"), 1200);
    PutGoods(t_->image, 10, QStringLiteral("ananas"), 999);
    form_->show();
    auto shown = [&] {
        QStringList out;
        for (int r = 0; r < form_->StringGrid1->rowCount(); ++r)
            if (!form_->StringGrid1->isRowHidden(r) && form_->StringGrid1->item(r, 1))
                out << form_->StringGrid1->item(r, 1)->text();
        return out;
    };
    QCOMPARE(shown(), (QStringList{"Żurek", "Chleb", "Ćwikła", "ananas"}));
    form_->StringGrid1->horizontalHeader()->sectionClicked(1);
    QCOMPARE(shown(), (QStringList{"ananas", "Chleb", "Ćwikła", "Żurek"}));
    form_->StringGrid1->horizontalHeader()->sectionClicked(1);
    QCOMPARE(shown(), (QStringList{"Żurek", "Ćwikła", "Chleb", "ananas"}));
    form_->StringGrid1->horizontalHeader()->sectionClicked(3);  // by price
    QCOMPARE(shown(), (QStringList{"Chleb", "Żurek", "ananas", "Ćwikła"}));
    QVERIFY(!form_->StringGrid1->item(form_->StringGrid1->rowCount() - 1, 0));  // the empty row last
    form_->Edit6->setText(QStringLiteral("ch"));
    QCOMPARE(shown(), QStringList{"Chleb"});
    form_->Edit6->setText(QStringLiteral("59012"));
    QCOMPARE(shown(), QStringList{"Chleb"});
    form_->Edit6->setText(QStringLiteral("1"));  // numbers 1 and 10, and the barcode holding a 1
    QCOMPARE(shown(), (QStringList{"Chleb", "Żurek", "ananas"}));
    form_->Edit6->clear();
    QCOMPARE(shown().size(), 4);
}

void TestGoods::automaticSendAfterAdd() {
    SimHarness& h = f_->Connect();
    form_->show();
    form_->CheckBox4->setChecked(true);
    form_->CheckBox1->click();  // confirm on the register keyboard
    form_->Edit4->setText(QStringLiteral("1"));
    form_->Edit5->setText(QStringLiteral("Mleko"));
    form_->Edit1->setText(QStringLiteral("2,50"));
    form_->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QTRY_COMPARE(h.Received('T').size(), 1);
    QByteArray payload = t_->image.ReadBytesAt(kGoods.Offset(1), 68) + QByteArray(1, '\1');
    QCOMPARE(h.Received('T')[0], RegisterFrame(78, 0x8001, 'T', payload));
    // A register that refuses it: the record stays in the image, the user is told.
    h.AddFault(QStringLiteral("T:1:error:5"));
    form_->Edit4->setText(QStringLiteral("2"));
    form_->Edit5->setText(QStringLiteral("Chleb"));
    form_->BitBtn4->click();
    // The register's reason follows, so a refused name and a bad barcode differ.
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Błąd! Kasa nie potwierdziła zapisu towaru!\n") +
                                              RegisterErrorMessage(5)});
    QCOMPARE(image_word(t_->image, 2), 2);
    // Busy once: read again after 800 ms.
    t_->prompts.Clear();
    h.AddFault(QStringLiteral("T:1:busy"));
    form_->Edit4->setText(QStringLiteral("3"));
    form_->Edit5->setText(QStringLiteral("Bułka"));
    form_->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QVERIFY(t_->clock.pauses.contains(800));
}

void TestGoods::sendSelectedRow() {
    SimHarness& h = f_->Connect();
    PutGoods(t_->image, 4, QStringLiteral("Woda"));
    form_->show();
    form_->StringGrid1->selectRow(0);
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Towar zapisano w kasie")});
    QCOMPARE(t_->clock.pauses, QList<int>{700});
    h.sim.WithState([](SimState& s) { QVERIFY(s.goods.Present(4)); });
    t_->prompts.Clear();
    h.AddFault(QStringLiteral("T:1:noreply"));
    t_->clock.timeoutDivisor = 10;
    form_->BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Błąd! Kasa nie potwierdziła zapisu towaru!")});
}

void TestGoods::downloadFromRegister() {
    SimHarness& h = f_->Connect();
    h.sim.WithState([](SimState& s) {
        s.goods.Set(3, RegisterGoods(3, QStringLiteral("Z kasy"), 'B', 777, QStringLiteral("123"), 1));
        QByteArray r = RegisterGoods(7, QStringLiteral("Siódmy"), 'A', 5, QString(), 1, 30000, 15);
        r.replace(57, 13, "   1234567890");  // blanks in the barcode
        r[81] = 2;
        s.goods.Set(7, r);
        s.goods.Set(8, RegisterGoods(8, QStringLiteral("Ósmy"), 'A', 5, QStringLiteral("8"), 1));
    });
    h.AddFault(QStringLiteral("T:3:damage"));
    PutGoods(t_->image, 3, QStringLiteral("Stary"));
    PutGoods(t_->image, 9, QStringLiteral("Tylko na PC"));
    form_->show();
    form_->Button1->click();
    QCOMPARE(ReadGoodsRecord(t_->image, 3).name, QStringLiteral("Z kasy"));
    const GoodsFields seventh = ReadGoodsRecord(t_->image, 7);
    QCOMPARE(seventh.barcode, QStringLiteral("0001234567890"));
    QCOMPARE(seventh.unit, 2);
    QCOMPARE(image_word(t_->image, 8), 0);  // its frame was damaged
    QCOMPARE(ReadGoodsRecord(t_->image, 9).name, QStringLiteral("Tylko na PC"));
    QCOMPARE(h.Received('T').value(0), RegisterFrame(11, 1, 'T', Hex("00 00")));
    QTRY_COMPARE(h.ControlStatuses(), (QList<int>{0, 0, 1}));
    QVERIFY(t_->prompts.Texts().join("|").contains(QStringLiteral("Błąd CRC!")));
    QVERIFY(!form_->PanelSortowanie->isVisible());
    QCOMPARE(form_->StringGrid1->rowCount(), 4);
    QVERIFY(t_->app.databaseModified);  // the downloaded goods are a change to save
    // A download cut short says how much it kept.
    QCOMPARE(t_->prompts.Texts().last(),
             QStringLiteral("Pobieranie nie zostało ukończone. Zapisano w bazie PC 2 towarów z kasy."));
    // Unsaved changes are not overwritten without a question; "Nie" downloads nothing.
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::No};
    const int requests = int(h.Received('T').size());
    form_->Button1->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Baza PC ma niezapisane zmiany. Towary z kasy zastąpią "
                                                             "towary PC o tych samych numerach. Pobrać?")});
    QCOMPARE(int(h.Received('T').size()), requests);
}

void TestGoods::editDialogKeepsPriceAndUnit() {
    PutGoods(t_->image, 11, QStringLiteral("Guma"), 5, 7);
    form_->show();
    form_->StringGrid1->selectRow(0);
    bool checked = false;
    QTimer::singleShot(0, edit_, [&] {
        QCOMPARE(edit_->Label9->text(), QStringLiteral("11"));
        QCOMPARE(edit_->Edit2->text(), QStringLiteral("0,05"));
        QCOMPARE(edit_->Edit1->text(), QStringLiteral("Guma"));
        QCOMPARE(edit_->focusWidget(), edit_->Button1);
        edit_->Edit1->setText(QStringLiteral("Guma do żucia"));
        checked = true;
        QTest::keyClick(edit_->Edit1, Qt::Key_Return);
    });
    form_->BitBtn5->click();
    QVERIFY(checked);
    const GoodsFields g = ReadGoodsRecord(t_->image, 11);
    QCOMPARE(g.name, QStringLiteral("Guma do żucia"));
    QCOMPARE(g.price, 5u);
    QCOMPARE(g.unit, 7);
    QVERIFY(t_->app.databaseModified);
    QCOMPARE(form_->StringGrid1->currentRow(), 0);
    // From a window where the goods editor is hidden: its lists are filled first.
    form_->hide();
    form_->ComboBox2->clear();
    t_->image.WriteByteAt(kGroups.Offset(3), 3);
    GoodsFields third = ReadGoodsRecord(t_->image, 11);
    third.group = 3;
    WriteGoodsRecord(t_->image, third);
    QTimer::singleShot(0, edit_, [&] { edit_->Button1->click(); });
    edit_->Edit(11);
    QCOMPARE(ReadGoodsRecord(t_->image, 11).group, 3);
    // A refused price is told and the dialog stays open with the user's edits.
    t_->prompts.Clear();
    bool stayed = false;
    QTimer::singleShot(0, edit_, [&] {
        edit_->Edit1->setText(QStringLiteral("Guma balonowa"));
        edit_->Edit2->setText(QStringLiteral("abc"));
        edit_->Button1->click();
        stayed = edit_->isVisible() && edit_->Edit1->text() == QStringLiteral("Guma balonowa");
        edit_->close();
    });
    edit_->Edit(11);
    QVERIFY(stayed);
    QCOMPARE(t_->prompts.Texts(), QStringList{"     Błędna wartość w polu Cena     "});
    QCOMPARE(ReadGoodsRecord(t_->image, 11).name, QStringLiteral("Guma do żucia"));
}

void TestGoods::goodsPicker() {
    PutGoods(t_->image, 15, QStringLiteral("Jabłka"), 399);
    PutGoods(t_->image, 20, QStringLiteral("Gruszki"));
    TListaTowarow picker(t_->services);
    int chosen = 0;
    picker.onChosen = [&](int n) { chosen = n; };
    QCOMPARE(picker.windowTitle(), QStringLiteral("Lista towarów"));
    picker.show();
    QCOMPARE(picker.StringGrid1->rowCount(), 2);
    QCOMPARE(Row(picker.StringGrid1, 0),
             (QStringList{"15", "Jabłka", "A", "3,99", "0000000000000", "1", "0", "Nie", "Tak"}));
    picker.StringGrid1->selectRow(1);
    QTest::keyClick(picker.StringGrid1, Qt::Key_Return);
    QCOMPARE(chosen, 20);
    QVERIFY(!picker.isVisible());
    picker.show();
    QTest::keyClick(picker.StringGrid1, Qt::Key_Escape);
    QCOMPARE(chosen, 20);
    QVERIFY(!picker.isVisible());
}

void TestGoods::linkedGoodsDialog() {
    GoodsFields g;
    g.number = 1;
    g.name = QStringLiteral("Piwo jasne");
    g.packaging = 4;
    WriteGoodsRecord(t_->image, g);
    g.number = 2;
    g.name = QStringLiteral("Piwo ciemne");
    WriteGoodsRecord(t_->image, g);
    g.number = 3;
    g.name = QStringLiteral("Sok");
    g.packaging = 5;
    WriteGoodsRecord(t_->image, g);
    TListaTowarowTandem dialog(t_->services);
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(dialog.Memo1->toPlainText(), QStringLiteral("Piwo jasne\nPiwo ciemne"));
        dialog.Button1->click();
    });
    QVERIFY(dialog.Confirm(4));
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(dialog.Memo1->toPlainText(), QStringLiteral("Z opakowaniem nie są powiązane\nżadne towary."));
        dialog.Button2->click();
    });
    QVERIFY(!dialog.Confirm(9));
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(dialog.Memo1, Qt::Key_Escape); });
    QVERIFY(!dialog.Confirm(4));
}

void TestGoods::printLayout() {
    const PageMetrics m{4800, 6600, 60, 80};  // P = 225
    QList<GoodsListRow> rows;
    for (int n = 1; n <= 25; ++n)
        rows.append({QString::number(n), QStringLiteral("T"), "1,00", "A", "ruchoma", "0000000000000"});
    // A page takes rows while (r + 4) * 225 + 105 fits 6600: 24 rows a page.
    QList<PrintPage> pages = LayoutGoodsList(rows.mid(0, 24), m);
    QCOMPARE(pages.size(), 1);  // the break right after the last row adds no empty page
    pages = LayoutGoodsList(rows, m);
    QCOMPARE(pages.size(), 2);
    auto texts = [](const PrintPage& p) {
        QStringList t;
        for (const PrintText& x : p.texts) t << x.text;
        return t;
    };
    QVERIFY(texts(pages[0]).contains(QStringLiteral("Strona: 1/2")));
    QVERIFY(texts(pages[1]).contains(QStringLiteral("Strona: 2/2")));
    const PrintText title = pages[0].texts.first();
    QCOMPARE(title.text, QStringLiteral("BAZA TOWAROWA"));
    QCOMPARE(QPoint(title.x, title.y), QPoint(4800 / 2 - 600, 80));
    QVERIFY(title.bold && title.italic);
    // Row 1 on the page: texts at y = 2P + 105, columns at their x positions.
    QList<QPoint> firstRow;
    for (const PrintText& t : pages[0].texts)
        if (t.y == 2 * 225 + 105) firstRow << QPoint(t.x, 0);
    QCOMPARE(firstRow, (QList<QPoint>{{80, 0}, {380, 0}, {4800 - 2580, 0}, {4800 - 1980, 0}, {4800 - 1740, 0},
                                      {4800 - 900, 0}}));
    QStringList plus;
    for (const PrintPage& p : pages)
        for (const PrintText& t : p.texts)
            if (t.x == 80 && t.y > 225 + 105) plus << t.text;
    QCOMPARE(plus.first(), QStringLiteral("1"));
    QCOMPARE(plus.last(), QStringLiteral("25"));
    // The frame: bottom rule and verticals at the column edges.
    const PrintPage& last = pages[1];
    const int bottom = (1 + 1 + 1) * 225 + 78;  // one row on the last page
    QVERIFY(last.lines.contains(PrintLine{0, bottom, 4790, bottom}));
    QVERIFY(last.lines.contains(PrintLine{4 * 60 + 30 + 80, bottom, 4 * 60 + 30 + 80, 225 + 80}));
    QVERIFY(last.lines.contains(PrintLine{4800 + 30 - 44 * 60, bottom, 4800 + 30 - 44 * 60, 225 + 80}));
    // An empty table: title, headings and footer on one page.
    pages = LayoutGoodsList({}, m);
    QCOMPARE(pages.size(), 1);
    QVERIFY(texts(pages[0]).contains(QStringLiteral("Kod kreskowy")));
    QVERIFY(texts(pages[0]).contains(QStringLiteral("Strona: 1/1")));
}

void TestGoods::printToPdf() {
    for (int n = 1; n <= 60; ++n) PutGoods(t_->image, n, QStringLiteral("Towar %1").arg(n), 100 * n);
    form_->show();
    form_->BitBtn10->click();
    form_->MenuWydruku->hide();
    // The print dialog cancelled: nothing printed, nothing said.
    form_->DrukujwedugnumerwPLU1->trigger();
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/lista.pdf";
    t_->prompts.printerSetup = [&](QPrinter* p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        p->setResolution(300);
        return true;
    };
    form_->DrukujwedugnumerwPLU1->trigger();
    QVERIFY(QFileInfo(pdf).size() > 1000);
    // What was laid out for that printer is what the file holds.
    QPrinter check(QPrinter::HighResolution);
    check.setResolution(300);
    check.setOutputFormat(QPrinter::PdfFormat);
    const QFontMetrics fm(QFont(QStringLiteral("Courier New"), 10, QFont::Bold), &check);
    const int pages = int(LayoutGoodsList(form_->PrintRows(false),
                                          {check.width(), check.height(), fm.horizontalAdvance('W'), fm.height()})
                              .size());
    QVERIFY(pages >= 2);
    QCOMPARE(PdfPages(pdf), pages);
    // An empty table: one page, with its title, headings and footer.
    for (int n = 1; n <= 60; ++n) t_->image.ClearBytes(kGoods.Offset(n), kGoods.recordSize);
    form_->BitBtn10->click();
    form_->MenuWydruku->hide();
    form_->DrukujwedugnumerwPLU1->trigger();
    QCOMPARE(PdfPages(pdf), 1);
    form_->BitBtn10->click();
    form_->MenuWydruku->hide();
    for (int n = 1; n <= 60; ++n) PutGoods(t_->image, n, QStringLiteral("Towar %1").arg(n), 100 * n);
    // By name: the same rows, sorted (the rows are those of the moment the menu opened).
    form_->BitBtn10->click();
    form_->MenuWydruku->hide();
    const QList<GoodsListRow> byName = form_->PrintRows(true);
    QCOMPARE(byName.size(), 60);
    QCOMPARE(byName[0].name, QStringLiteral("Towar 1"));
    QCOMPARE(byName[1].name, QStringLiteral("Towar 10"));
}

QTEST_MAIN(TestGoods)
#include "test_goods.moc"

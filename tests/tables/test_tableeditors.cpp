// The six small-table editors driven through their named controls, with the
// simulated register on a pseudo-terminal.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "goods/Listatowarowtandem.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/smalltables.h"
#include "shell/Forms.h"
#include "shell/Menuglowne.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"
#include "tables/Programowanieformplatnosci.h"
#include "tables/Programowaniegrup.h"
#include "tables/Programowaniekasjerow.h"
#include "tables/Programowanieopakowan.h"
#include "tables/Programowanierabatow.h"
#include "tables/Programowaniewalutobcych.h"

using namespace layout;

namespace {

void Set(QWidget* form, const char* name, const QString& text) {
    GuiFixture::Control<QLineEdit>(form, name)->setText(text);
}

void Choose(QWidget* form, const char* name, int index) {
    GuiFixture::Control<QComboBox>(form, name)->setCurrentIndex(index);
}

QString Cell(QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QStringList Column(QTableWidget* grid, int column) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (!Cell(grid, r, 0).isEmpty()) out << Cell(grid, r, column);
    return out;
}

// Typing as a keyboard does it, any character (QTest's key clicks know ASCII only).
void Type(QWidget* field, const QString& text) {
    for (char32_t c : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
        QApplication::sendEvent(field, &press);
    }
}

bool SelectNumber(TTableEditor* form, int number) {
    for (int r = 0; r < form->StringGrid1->rowCount(); ++r) {
        if (Cell(form->StringGrid1, r, 0) == QString::number(number)) {
            form->StringGrid1->selectRow(r);
            return true;
        }
    }
    return false;
}

// One record typed into an editor: the fields to fill, the number it gets, and
// the frame it is sent in.
struct Member {
    const char* form;
    std::function<void(TTableEditor*)> fill;
    int number;
    char command;
    int frameLength;
};

const Member kMembers[] = {
    {"TProgramowanieGrupTowarowych", [](TTableEditor* f) { Choose(f, "ComboBox1", 2); Set(f, "Edit1", "Napoje"); },
     3, 'G', 31},
    {"TProgramowanieOpakowan",
     [](TTableEditor* f) { Choose(f, "ComboBox1", 1); Set(f, "Edit1", "Butelka zwrotna"); Set(f, "Edit2", "0.50"); },
     2, 'Z', 58},
    {"TProgramowanieKasjerow",
     [](TTableEditor* f) {
         Set(f, "Edit1", "3");
         Set(f, "Edit2", "Anna Łęcka");
         Set(f, "MaskEdit1", "1234");
         GuiFixture::Control<QCheckBox>(f, "CheckBox1")->setChecked(true);
         GuiFixture::Control<QCheckBox>(f, "CheckBox7")->setChecked(true);
     },
     3, 'K', 43},
    {"TProgramowanieRabatow",
     [](TTableEditor* f) {
         Set(f, "Edit1", "4");
         Set(f, "Edit2", "Stały klient");
         static_cast<TProgramowanieRabatow*>(f)->Narzut->setChecked(true);
         static_cast<TProgramowanieRabatow*>(f)->Kwotowy->setChecked(true);
         Set(f, "Edit3", "12,5");
     },
     4, 'R', 38},
    {"TProgramowanieFormPlatnosci",
     [](TTableEditor* f) { Set(f, "Edit1", "2"); Set(f, "Edit2", "Czek"); Choose(f, "ComboBox1", 1); }, 2, 'F', 33},
    {"TProgramowanieWalutObcych",
     [](TTableEditor* f) { Set(f, "Edit1", "1"); Set(f, "Edit2", "Euro"); Set(f, "Edit3", "4.3"); Set(f, "Edit4", "EU"); },
     1, 'W', 40},
};

}  // namespace

class TestTableEditors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordFrames_data();
    void recordFrames();
    void textTheRegisterCannotStore();
    void requiredMarkersKeepLayout();
    void blankAndDuplicateNames_data();
    void blankAndDuplicateNames();
    void numberRanges();
    void registerCashierListedAndDeleted();
    void protectedRecords();
    void packagingPriceAndLinkedGoods();
    void groupSendAnswers();
    void deleteAskedAndTakenBack();
    void clickedRowLoadsTheFields_data();
    void clickedRowLoadsTheFields();
    void discountForm();
    void currencyForm();
    void cashierPanelAndPassword();
    void openedFromMainWindow();

private:
    TTableEditor* Editor(const char* name) const;
    GuiFixture* f_ = nullptr;
    TestServices* t_ = nullptr;
    TListaTowarowTandem* tandem_ = nullptr;
    QList<TTableEditor*> editors_;
};

void TestTableEditors::init() {
    f_ = new GuiFixture;
    t_ = &f_->t;
    t_->app.workMode = ModeOffline;
    tandem_ = new TListaTowarowTandem(t_->services);
    editors_ = {new TProgramowanieGrupTowarowych(t_->services), new TProgramowanieOpakowan(t_->services, tandem_),
                new TProgramowanieKasjerow(t_->services),       new TProgramowanieRabatow(t_->services),
                new TProgramowanieFormPlatnosci(t_->services),  new TProgramowanieWalutObcych(t_->services)};
}

void TestTableEditors::cleanup() {
    qDeleteAll(editors_);
    editors_.clear();
    delete tandem_;
    delete f_;
}

TTableEditor* TestTableEditors::Editor(const char* name) const {
    for (TTableEditor* e : editors_)
        if (e->objectName() == QLatin1String(name)) return e;
    return nullptr;
}

void TestTableEditors::recordFrames_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<bool>("confirm");
    for (int i = 0; i < int(std::size(kMembers)); ++i)
        QTest::newRow(kMembers[i].form) << i << (i % 2 == 0);
}

void TestTableEditors::recordFrames() {
    QFETCH(int, member);
    QFETCH(bool, confirm);
    const Member& m = kMembers[member];
    SimHarness& h = f_->Connect();
    TTableEditor* form = Editor(m.form);
    form->show();
    if (confirm) form->ConfirmBox->click();
    m.fill(form);
    form->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QVERIFY(t_->app.databaseModified);
    QVERIFY(SelectNumber(form, m.number));
    form->SendButton->click();
    QTRY_COMPARE(h.Received(uint8_t(m.command)).size(), 1);
    // The frame carries the record number, the slot's bytes from offset 1 and the
    // confirmation flag; a group frame has room for 20 name characters only.
    const SmallTable* t = &form->Table();
    QCOMPARE(char(t->command), m.command);
    const QByteArray slot = t_->image.ReadBytesAt(t->area.Offset(m.number), t->area.recordSize);
    QCOMPARE(uint8_t(slot[0]), uint8_t(m.number));
    const QByteArray payload = slot.left(m.frameLength - 10) + QByteArray(1, confirm ? '\1' : '\0');
    QCOMPARE(h.Received(uint8_t(m.command))[0].toHex(' '), RegisterFrame(m.frameLength, 0x8001, uint8_t(m.command), payload).toHex(' '));
    // What the register stored reads back with the same number and name.
    h.sim.WithState([&](SimState& s) {
        SimTable* st = m.command == 'G' ? &s.groups : m.command == 'Z' ? &s.packagings : m.command == 'K' ? &s.cashiers
                       : m.command == 'R' ? &s.discounts : m.command == 'F' ? &s.paymentForms : &s.currencies;
        QVERIFY(st->Present(m.number));
        QCOMPARE(st->Record(m.number).left(22), slot.left(22));
    });
}

void TestTableEditors::textTheRegisterCannotStore() {
    TTableEditor* f = Editor("TProgramowanieGrupTowarowych");
    f->show();
    f->NameEdit->setFocus();
    Type(f->NameEdit, QStringLiteral("Ka☕wa"));
    QCOMPARE(f->NameEdit->text(), QStringLiteral("Kawa"));
    QCOMPARE(t_->prompts.Texts(), QStringList{"Znak „☕” nie może być zapisany w bazie kasy."});
    t_->prompts.Clear();
    Type(f->NameEdit, QStringLiteral(" Żółć"));
    QCOMPARE(f->NameEdit->text(), QStringLiteral("Kawa Żółć"));
    QVERIFY(t_->prompts.shown.isEmpty());
}

void TestTableEditors::requiredMarkersKeepLayout() {
    auto* form = static_cast<TProgramowanieWalutObcych*>(Editor("TProgramowanieWalutObcych"));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QRect grid = form->StringGrid1->geometry();
    Set(form, "Edit1", "");
    Set(form, "Edit2", "Euro");
    Set(form, "Edit3", "");
    Set(form, "Edit4", "EU");
    form->BitBtn4->click();
    QVERIFY(GuiFixture::Control<QLabel>(form, "Label6")->isVisible());
    QVERIFY(!GuiFixture::Control<QLabel>(form, "Label7")->isVisible());
    QVERIFY(GuiFixture::Control<QLabel>(form, "Label8")->isVisible());
    QVERIFY(!GuiFixture::Control<QLabel>(form, "Label9")->isVisible());
    QVERIFY(t_->prompts.shown.isEmpty());
    QVERIFY(!t_->app.databaseModified);
    QCoreApplication::processEvents();
    QCOMPARE(form->StringGrid1->geometry(), grid);
    // Enter adds, as the add button does; the markers follow the fields.
    Set(form, "Edit1", "1");
    Set(form, "Edit3", "4");
    QTest::keyClick(form->findChild<QLineEdit*>("Edit4"), Qt::Key_Return);
    QVERIFY(!GuiFixture::Control<QLabel>(form, "Label6")->isVisible());
    QCOMPARE(Column(form->StringGrid1, 1), QStringList{"Euro"});
}

void TestTableEditors::blankAndDuplicateNames_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("blank");
    QTest::addColumn<QString>("duplicate");
    QTest::newRow("groups") << "TProgramowanieGrupTowarowych"
                            << "Nazwa grupy towarowej nie może składać się z samych znaków spacji!"
                            << "Grupa towarowa o takiej nazwie już istnieje! Wybierz inną nazwę.";
    QTest::newRow("cashiers") << "TProgramowanieKasjerow"
                              << "Nazwa kasjera nie może składać się z samych znaków spacji!" << QString();
    QTest::newRow("discounts") << "TProgramowanieRabatow"
                               << "Nazwa rabatu/narzutu nie może składać się z samych znaków spacji!"
                               << "Rabat/narzut o takiej nazwie już istnieje! Wybierz inną nazwę.";
    QTest::newRow("payment forms") << "TProgramowanieFormPlatnosci"
                                   << "Nazwa formy płatności nie może składać się z samych znaków spacji!"
                                   << "Forma platności o takiej nazwie już istnieje! Wybierz inną nazwę.";
    QTest::newRow("currencies") << "TProgramowanieWalutObcych"
                                << "Nazwa waluty nie może składać się z samych znaków spacji!"
                                << "Waluta o takiej nazwie już istnieje! Wybierz inną nazwę.";
}

void TestTableEditors::blankAndDuplicateNames() {
    QFETCH(QString, form);
    QFETCH(QString, blank);
    QFETCH(QString, duplicate);
    TTableEditor* f = Editor(form.toLatin1().constData());
    f->show();
    auto fill = [&](const QString& name) {
        if (f->NumberEdit) f->NumberEdit->setText(QStringLiteral("5"));
        else f->NumberList->setCurrentIndex(4);
        f->NameEdit->setText(name);
        if (form == "TProgramowanieRabatow") Set(f, "Edit3", "5");
        if (form == "TProgramowanieWalutObcych") {
            Set(f, "Edit3", "4");
            Set(f, "Edit4", "EU");
        }
    };
    fill(QString(21, QLatin1Char(' ')));
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{blank});
    QCOMPARE(f->focusWidget(), f->NameEdit);
    QCOMPARE(t_->image.ReadByteAt(f->Table().area.Offset(5)), uint8_t(0));
    t_->prompts.Clear();
    const QString name = QStringLiteral("a") + QString(20, QLatin1Char(' '));
    fill(name);
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QCOMPARE(t_->image.ReadByteAt(f->Table().area.Offset(5)), uint8_t(5));
    // The same name again under the same number.
    fill(name);
    if (form == "TProgramowanieWalutObcych") Set(f, "Edit4", "USD");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), duplicate.isEmpty() ? QStringList{} : QStringList{duplicate});
}

void TestTableEditors::numberRanges() {
    struct Case { const char* form; const char* number; QString message; };
    const QString tenFields = QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 10");
    const Case cases[] = {
        {"TProgramowanieKasjerow", "12", QStringLiteral("Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10")},
        {"TProgramowanieKasjerow", "0", QStringLiteral("Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10")},
        {"TProgramowanieKasjerow", "x", QStringLiteral("Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10")},
        {"TProgramowanieRabatow", "21", QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 20")},
        {"TProgramowanieFormPlatnosci", "11", tenFields},
        {"TProgramowanieWalutObcych", "11", tenFields},
    };
    for (const Case& c : cases) {
        t_->prompts.Clear();
        TTableEditor* f = Editor(c.form);
        f->show();
        Set(f, "Edit1", QString::fromLatin1(c.number));
        Set(f, "Edit2", "Nazwa");
        if (auto* e = f->findChild<QLineEdit*>("Edit3")) e->setText("5");
        if (auto* e = f->findChild<QLineEdit*>("Edit4")) e->setText("XX");
        f->BitBtn4->click();
        QCOMPARE(t_->prompts.Texts(), QStringList{c.message});
        QVERIFY(!t_->app.databaseModified);
        f->hide();
    }
}

void TestTableEditors::registerCashierListedAndDeleted() {
    // The register may hold cashiers 11-20; the editor lists and deletes them.
    t_->image.WriteBytesAt(kCashierTable.area.Offset(15), CashierRecord{15, QStringLiteral("Zmiana nocna")}.Encode());
    TTableEditor* f = Editor("TProgramowanieKasjerow");
    f->show();
    QCOMPARE(Column(f->StringGrid1, 0), (QStringList{"1", "15"}));
    QCOMPARE(Column(f->StringGrid1, 1), (QStringList{"Kierownik", "Zmiana nocna"}));
    QCOMPARE(f->NumberEdit->text(), QStringLiteral("2"));  // the first free number
    QVERIFY(SelectNumber(f, 15));
    f->Button3->click();
    QCOMPARE(t_->image.ReadBytesAt(kCashierTable.area.Offset(15), 33), QByteArray(33, '\0'));
    QCOMPARE(Column(f->StringGrid1, 0), QStringList{"1"});
    QVERIFY(t_->app.databaseModified);  // a deletion is a change to save
}

void TestTableEditors::protectedRecords() {
    const QByteArray cashier1 = t_->image.ReadBytesAt(kCashierTable.area.Offset(1), 33);
    const QByteArray group1 = t_->image.ReadBytesAt(kGroupTable.area.Offset(1), 22);
    TTableEditor* cashiers = Editor("TProgramowanieKasjerow");
    cashiers->show();
    QVERIFY(SelectNumber(cashiers, 1));
    cashiers->Button3->click();
    cashiers->hide();
    TTableEditor* groups = Editor("TProgramowanieGrupTowarowych");
    groups->show();
    QVERIFY(SelectNumber(groups, 1));
    groups->Button3->click();
    QCOMPARE(t_->prompts.Texts(), (QStringList{"Nie można usunąć kasjera nr 1", " Nie można usunąć grupy towarowej nr  1"}));
    QCOMPARE(t_->image.ReadBytesAt(kCashierTable.area.Offset(1), 33), cashier1);
    QCOMPARE(t_->image.ReadBytesAt(kGroupTable.area.Offset(1), 22), group1);
    QVERIFY(!t_->app.databaseModified);
    // A click on an empty row deletes nothing and says nothing.
    t_->prompts.Clear();
    groups->StringGrid1->selectRow(10);
    groups->Button3->click();
    QVERIFY(t_->prompts.shown.isEmpty());
}

void TestTableEditors::packagingPriceAndLinkedGoods() {
    auto* f = static_cast<TProgramowanieOpakowan*>(Editor("TProgramowanieOpakowan"));
    f->show();
    Choose(f, "ComboBox1", 0);
    Set(f, "Edit1", "Skrzynka");
    Set(f, "Edit2", "0");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"     Cena musi mieć wartość niezerową     "});
    QCOMPARE(t_->image.ReadByteAt(kPackagingTable.area.Offset(1)), uint8_t(0));
    t_->prompts.Clear();
    Set(f, "Edit2", "1.5");
    f->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(PackagingRecord::Decode(kPackagingTable.Slot(t_->image, 1)).price, 150);
    QCOMPARE(Cell(f->StringGrid1, 0, 2), QStringLiteral("1,50"));
    QVERIFY(f->Edit2->text().isEmpty() && f->NameEdit->text().isEmpty());
    QCOMPARE(f->NumberList->currentIndex(), 1);  // the next free number

    // Goods sold in tandem with it lose the link only when the deletion is confirmed.
    for (int n : {7, 9}) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Piwo %1").arg(n);
        g.packaging = 1;
        QCOMPARE(WriteGoodsRecord(t_->image, g), 0);
    }
    t_->app.databaseModified = false;
    auto answer = [&](bool confirm) {
        QTimer::singleShot(0, tandem_, [this, confirm] {
            QVERIFY(tandem_->Memo1->toPlainText().contains("Piwo 7"));
            (confirm ? tandem_->Button1 : tandem_->Button2)->click();
        });
    };
    QVERIFY(SelectNumber(f, 1));
    answer(false);
    f->Button3->click();
    QCOMPARE(t_->image.ReadByteAt(kPackagingTable.area.Offset(1)), uint8_t(1));
    QCOMPARE(ReadGoodsRecord(t_->image, 7).packaging, uint8_t(1));
    QVERIFY(!t_->app.databaseModified);
    QVERIFY(SelectNumber(f, 1));
    answer(true);
    f->Button3->click();
    QCOMPARE(t_->image.ReadByteAt(kPackagingTable.area.Offset(1)), uint8_t(0));
    QCOMPARE(ReadGoodsRecord(t_->image, 7).packaging, uint8_t(0));
    QCOMPARE(ReadGoodsRecord(t_->image, 9).packaging, uint8_t(0));
    QVERIFY(t_->app.databaseModified);
}

// Deleting on the PC is asked first and can be taken back until the database is
// saved (or another one opened).
void TestTableEditors::deleteAskedAndTakenBack() {
    TTableEditor* form = Editor("TProgramowanieRabatow");
    form->show();
    kMembers[3].fill(form);
    form->BitBtn4->click();
    const QByteArray slot = t_->image.ReadBytesAt(kDiscounts.Offset(4), kDiscounts.recordSize);
    QVERIFY(SelectNumber(form, 4));
    t_->prompts.answers = {PromptAnswer::No};
    form->Button3->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Usunąć z bazy PC rekord 4. Stały klient?")});
    QCOMPARE(t_->image.ReadBytesAt(kDiscounts.Offset(4), kDiscounts.recordSize), slot);
    QVERIFY(!form->ButtonCofnij->isEnabled());
    form->Button3->click();
    QVERIFY(!SelectNumber(form, 4));
    form->ButtonCofnij->click();
    QCOMPARE(t_->image.ReadBytesAt(kDiscounts.Offset(4), kDiscounts.recordSize), slot);
    QVERIFY(SelectNumber(form, 4));
    // After a save there is nothing to take back.
    form->Button3->click();
    QVERIFY(form->ButtonCofnij->isEnabled());
    ++t_->app.imageGeneration;
    form->hide();
    form->show();
    QVERIFY(!form->ButtonCofnij->isEnabled());
}

// A clicked grid row is loaded into the fields: added again unchanged, it
// writes the very same record, so a record is changed without retyping it.
void TestTableEditors::clickedRowLoadsTheFields_data() {
    QTest::addColumn<int>("member");
    for (int i = 1; i < int(std::size(kMembers)); ++i) QTest::newRow(kMembers[i].form) << i;
}

void TestTableEditors::clickedRowLoadsTheFields() {
    QFETCH(int, member);
    const Member& m = kMembers[member];
    TTableEditor* form = Editor(m.form);
    form->show();
    m.fill(form);
    form->BitBtn4->click();
    const SmallTable& t = form->Table();
    const QByteArray slot = t_->image.ReadBytesAt(t.area.Offset(m.number), t.area.recordSize);
    // The fields are emptied or changed; a click on the row brings the record back.
    form->NameEdit->setText(QStringLiteral("inna"));
    for (QLineEdit* e : form->findChildren<QLineEdit*>())
        if (e != form->NameEdit && e != form->NumberEdit) e->clear();
    QVERIFY(SelectNumber(form, m.number));
    int row = 0;
    while (Cell(form->StringGrid1, row, 0) != QString::number(m.number)) ++row;
    emit form->StringGrid1->cellClicked(row, 1);
    QCOMPARE(form->NameEdit->text(), t.Name(t_->image, m.number));
    // Cleared and added again from the loaded fields: the very same record.
    t_->prompts.answers = {PromptAnswer::Yes};
    t_->image.ClearBytes(t.area.Offset(m.number), t.area.recordSize);
    form->BitBtn4->click();
    QCOMPARE(t_->image.ReadBytesAt(t.area.Offset(m.number), t.area.recordSize).toHex(' '), slot.toHex(' '));
}

void TestTableEditors::groupSendAnswers() {
    SimHarness& h = f_->Connect();
    TTableEditor* f = Editor("TProgramowanieGrupTowarowych");
    f->show();
    QVERIFY(SelectNumber(f, 1));
    struct Case { QString fault; QString message; bool waited; };
    const Case cases[] = {
        {QString(), QStringLiteral("Grupę towarową zapisano w kasie"), false},
        {QStringLiteral("G:1:busy"), QStringLiteral("Grupę towarową zapisano w kasie"), true},
        {QStringLiteral("G:1:error:5"), QStringLiteral("Nazwa grupy towarowej już występuje w bazie towarowej kasy."), false},
        {QStringLiteral("G:1:error:9"), QStringLiteral("Błąd! Kasa nie potwierdziła zapisu grupy towarowej!"), false},
        {QStringLiteral("G:1:noreply"), QStringLiteral("Błąd! Kasa nie potwierdziła zapisu grupy towarowej!"), false},
    };
    t_->clock.timeoutDivisor = 5;
    for (const Case& c : cases) {
        h.sim.ClearFaults();
        if (!c.fault.isEmpty()) h.AddFault(c.fault);
        t_->prompts.Clear();
        t_->clock.pauses.clear();
        f->SendButton->click();
        QCOMPARE(t_->prompts.Texts(), QStringList{c.message});
        QCOMPARE(t_->clock.pauses, c.waited ? QList<int>{1000} : QList<int>{});
    }
    // An empty row sends nothing.
    const int frames = int(h.Received('G').size());
    f->StringGrid1->selectRow(5);
    t_->prompts.Clear();
    f->SendButton->click();
    QCOMPARE(int(h.Received('G').size()), frames);
    QVERIFY(t_->prompts.shown.isEmpty());
}

void TestTableEditors::discountForm() {
    auto* f = static_cast<TProgramowanieRabatow*>(Editor("TProgramowanieRabatow"));
    t_->app.recordCurrencySymbol = QStringLiteral("EUR");
    f->show();
    QCOMPARE(f->Label5->text(), QStringLiteral("%"));
    f->Kwotowy->click();
    QCOMPARE(f->Label5->text(), QStringLiteral("EUR"));
    f->Procentowy->click();
    QCOMPARE(f->Label5->text(), QStringLiteral("%"));
    Set(f, "Edit1", "1");
    Set(f, "Edit2", "Promocja");
    Set(f, "Edit3", "12,5");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QCOMPARE((QStringList{Cell(f->StringGrid1, 0, 0), Cell(f->StringGrid1, 0, 1), Cell(f->StringGrid1, 0, 2),
                          Cell(f->StringGrid1, 0, 3), Cell(f->StringGrid1, 0, 4)}),
             (QStringList{"1", "Promocja", "Rabat", "     12,50", "%"}));
    QCOMPARE(DiscountRecord::Decode(kDiscountTable.Slot(t_->image, 1)).value, 1250);
    QCOMPARE(f->NumberEdit->text(), QStringLiteral("2"));
    QVERIFY(f->Edit3->text().isEmpty());
    // The duplicate name is found before the value is looked at.
    Set(f, "Edit2", "Promocja");
    Set(f, "Edit3", "1.5");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Rabat/narzut o takiej nazwie już istnieje! Wybierz inną nazwę."});
    t_->prompts.Clear();
    Set(f, "Edit2", "Dopłata");
    f->Narzut->setChecked(true);
    f->Kwotowy->click();
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Błędna wartość w polu Wartosc"});
    t_->prompts.Clear();
    Set(f, "Edit3", "100");
    f->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(Cell(f->StringGrid1, 1, 2), QStringLiteral("Narzut"));
    QCOMPARE(Cell(f->StringGrid1, 1, 3), QStringLiteral("    100,00"));
    QCOMPARE(Cell(f->StringGrid1, 1, 4), QStringLiteral("EUR"));
    QCOMPARE(t_->image.ReadBytesAt(kDiscountTable.area.Offset(2) + 22, 6), Hex("01 01 10 27 00 00"));
}

void TestTableEditors::currencyForm() {
    auto* f = static_cast<TProgramowanieWalutObcych*>(Editor("TProgramowanieWalutObcych"));
    f->show();
    Set(f, "Edit1", "1");
    Set(f, "Edit2", "Euro");
    Set(f, "Edit3", "4.1234");
    Set(f, "Edit4", "EU");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QCOMPARE(t_->image.ReadBytesAt(kCurrencyTable.area.Offset(1) + 22, 8), Hex("50 2E 75 02 07") + "EU ");
    QCOMPARE(Column(f->StringGrid1, 2), QStringList{"4,1234000"});  // all eight stored digits
    QCOMPARE(Column(f->StringGrid1, 3), QStringList{"EU "});
    struct Case { const char* number; const char* name; const char* rate; const char* symbol; QString message; QString rateShown; };
    const Case cases[] = {
        // The rate is read before the name is compared, the name before the symbol.
        {"2", "Euro", "x", "US", QStringLiteral("Błędnie wypełnione pole KURS!"), "x"},
        {"2", "Euro", "1.5", "US", QStringLiteral("Waluta o takiej nazwie już istnieje! Wybierz inną nazwę."), "1,5"},
        {"2", "Dolar", "3,9", "EU", QStringLiteral("Waluta o takim symbolu już istnieje! Wybierz inny symbol."), "3,9"},
        {"2", "Dolar", "3,9", "   ", QStringLiteral("Symbol nie może składać się z samych znaków spacji!"), "3,9"},
        {"2", "Dolar", "05", "US", QStringLiteral("Błędna wartość w polu Kurs"), "05"},
        {"2", "Dolar", "1234567", "US", QStringLiteral("Zbyt duża wartosc w polu KURS!"), "1234567"},
        {"1", "Euro", "4", "EX", QStringLiteral("Waluta o takiej nazwie już istnieje! Wybierz inną nazwę."), "4"},
    };
    for (const Case& c : cases) {
        t_->prompts.Clear();
        Set(f, "Edit1", c.number);
        Set(f, "Edit2", c.name);
        Set(f, "Edit3", c.rate);
        Set(f, "Edit4", c.symbol);
        f->BitBtn4->click();
        QCOMPARE(t_->prompts.Texts(), QStringList{c.message});
        QCOMPARE(f->Edit3->text(), c.rateShown);
    }
    QCOMPARE(f->focusWidget(), f->NameEdit);
    QCOMPARE(OccupiedSlots(t_->image, kCurrencyTable), QList<int>{1});
}

void TestTableEditors::cashierPanelAndPassword() {
    auto* f = static_cast<TProgramowanieKasjerow*>(Editor("TProgramowanieKasjerow"));
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    Set(f, "Edit1", "2");
    Set(f, "Edit2", "Ola");
    Set(f, "MaskEdit1", "12a");
    f->BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Błędne hasło!"});
    t_->prompts.Clear();
    Set(f, "MaskEdit1", "");
    f->Rights[1]->setChecked(true);
    f->BitBtn4->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QVERIFY(SelectNumber(f, 2));
    QCOMPARE(f->PasswordShown->text(), QStringLiteral("Brak"));
    QVERIFY(!f->PasswordShown->isVisible());
    QList<bool> shown;
    for (QLabel* l : f->RightShown) shown << l->isVisible();
    QCOMPARE(shown, (QList<bool>{false, true, false, false, false, false, false}));
    f->Button4->click();
    QVERIFY(f->PasswordShown->isVisible());
    QCOMPARE(f->Button4->text(), QStringLiteral("Ukryj hasło kasjera"));
    QVERIFY(SelectNumber(f, 1));
    QCOMPARE(f->Button4->text(), QStringLiteral("Pokaż hasło kasjera"));
    QCOMPARE(f->PasswordShown->text(), QStringLiteral("7519"));
    QVERIFY(!f->PasswordShown->isVisible());

    // Cashier 1: the password field is greyed, and a replaced manager keeps the
    // password the image holds.
    f->NumberEdit->setFocus();
    f->NumberEdit->setText(QStringLiteral("1"));
    f->MaskEdit1->setFocus();
    QTRY_VERIFY(!f->MaskEdit1->isEnabled());
    Set(f, "Edit2", "Szef");
    f->BitBtn4->click();
    const CashierRecord c = CashierRecord::Decode(kCashierTable.Slot(t_->image, 1));
    QCOMPARE(c.name, QStringLiteral("Szef"));
    QCOMPARE(c.password, QByteArray("7519"));
    f->NumberEdit->setFocus();
    f->NumberEdit->setText(QStringLiteral("3"));
    f->NameEdit->setFocus();
    QTRY_VERIFY(f->MaskEdit1->isEnabled());
}

void TestTableEditors::openedFromMainWindow() {
    FormRegistry forms;
    TMenuGlowne main(t_->services, forms);
    CreateForms(t_->services, forms, &main);
    main.FormsCreated();
    const int items[] = {0, 1, 3, 4, 5, 6};
    const char* names[] = {"TProgramowanieGrupTowarowych", "TProgramowanieOpakowan", "TProgramowanieKasjerow",
                           "TProgramowanieRabatow", "TProgramowanieFormPlatnosci", "TProgramowanieWalutObcych"};
    for (int i = 0; i < 6; ++i) {
        QVERIFY(main.ProgramowanieBazyTree->topLevelItem(items[i])->flags() & Qt::ItemIsEnabled);
        auto* editor = forms.Get<TTableEditor>(QString::fromLatin1(names[i]));
        QVERIFY(editor);
        // Every editor fits a 1280x768 screen.
        QVERIFY2(editor->minimumSizeHint().width() <= 1280 && editor->minimumSizeHint().height() <= 700, names[i]);
    }
}

QTEST_MAIN(TestTableEditors)
#include "test_tableeditors.moc"

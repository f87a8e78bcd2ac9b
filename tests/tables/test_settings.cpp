// The single-setting forms: their conversions in the core, then each form driven
// through its named controls against the simulated register.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>

#include "goods/Programowanietowarow.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "link/registererrors.h"
#include "shell/Forms.h"
#include "shell/Menuglowne.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"
#include "tables/Jednostkitowarowe.h"
#include "tables/Programowanienip.h"
#include "tables/Programowaniestawekptu.h"
#include "tables/Programowanietablicyhalo.h"
#include "tables/Programowaniewalutyewidencyjnej.h"
#include "tables/Programowaniezegara.h"
#include "tables/settingvalues.h"

using namespace layout;

Q_DECLARE_METATYPE(VatState)

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    // Conversions.
    void vatRate_data();
    void vatRate();
    void vatDisplay();
    void smallValues();
    void haloAmounts_data();
    void haloAmounts();
    // Forms.
    void vatSaveAndFields();
    void vatSendAnswers();
    void clockFrame();
    void recordCurrencyInRegister();
    void recordCurrencyInDatabase();
    void trainingNip();
    void haloTable();
    void goodsUnits();
    void openedFromMainWindow();

private:
    GuiFixture* f_ = nullptr;
    TestServices* t_ = nullptr;
};

void TestSettings::init() {
    f_ = new GuiFixture;
    t_ = &f_->t;
    t_->app.workMode = ModeOffline;
}

void TestSettings::cleanup() { delete f_; }

void TestSettings::vatRate_data() {
    QTest::addColumn<int>("letter");
    QTest::addColumn<VatState>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");  // -1: refused
    QTest::newRow("23") << 0 << VatState::Taxed << "23" << 2300;
    QTest::newRow("23.00") << 0 << VatState::Taxed << "23.00" << 2300;
    QTest::newRow("23,00") << 0 << VatState::Taxed << "23,00" << 2300;
    QTest::newRow("99,99") << 1 << VatState::Taxed << "99,99" << 9999;
    QTest::newRow("0,29 on A") << 0 << VatState::Taxed << "0,29" << 29;
    QTest::newRow("0,29 on C") << 2 << VatState::Taxed << "0,29" << 29;
    QTest::newRow("0") << 3 << VatState::Taxed << "0" << 0;
    QTest::newRow("100") << 0 << VatState::Taxed << "100" << -1;
    QTest::newRow("-1") << 0 << VatState::Taxed << "-1" << -1;
    QTest::newRow("655,36") << 6 << VatState::Taxed << "655,36" << -1;
    QTest::newRow("two dots") << 0 << VatState::Taxed << "2.3.0" << -1;
    QTest::newRow("letters") << 0 << VatState::Taxed << "abc" << -1;
    QTest::newRow("exempt, whatever the field") << 4 << VatState::Exempt << "abc" << 0xFFFF;
    QTest::newRow("inactive, whatever the field") << 5 << VatState::Inactive << "-7" << 0xFFFE;
}

void TestSettings::vatRate() {
    QFETCH(int, letter);
    QFETCH(VatState, state);
    QFETCH(QString, text);
    QFETCH(int, stored);
    std::array<VatRow, 7> rows;
    rows[size_t(letter)] = {state, text};
    const Checked<QByteArray> table = VatTableFromRows(rows);
    if (stored < 0) {
        QCOMPARE(table.error, QStringLiteral("Błędnie wypełnione pola!"));
        return;
    }
    QVERIFY(table.ok());
    QCOMPARE(table.value.size(), 21);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(table.value[3 * i], char('A' + i));
        const int v = uint8_t(table.value[3 * i + 1]) | uint8_t(table.value[3 * i + 2]) << 8;
        QCOMPARE(v, i == letter ? stored : 0xFFFE);
    }
}

void TestSettings::vatDisplay() {
    struct Case { uint16_t value; bool shown; VatState state; const char* text; };
    const Case cases[] = {{2300, true, VatState::Taxed, "23.00"}, {5, true, VatState::Taxed, "0.05"},
                          {700, true, VatState::Taxed, "7.00"},   {0, true, VatState::Taxed, "0.00"},
                          {9999, true, VatState::Taxed, "99.99"}, {0xFFFE, true, VatState::Inactive, "0.00"},
                          {0xFFFF, true, VatState::Exempt, "0.00"}, {10000, false, VatState::Taxed, ""}};
    for (const Case& c : cases) {
        const auto row = VatRowFromValue(c.value);
        QCOMPARE(row.has_value(), c.shown);
        if (!row) continue;
        QCOMPARE(row->state, c.state);
        QCOMPARE(row->text, QString::fromLatin1(c.text));
    }
}

void TestSettings::smallValues() {
    QCOMPARE(RecordCurrencySymbolField(QStringLiteral("EU")), QByteArray(" EU"));
    QCOMPARE(RecordCurrencySymbolField(QStringLiteral("EUR")), QByteArray("EUR"));
    QCOMPARE(ParseDatabaseRate(QStringLiteral("4.3")).value_or(0), 4.3);
    QVERIFY(!ParseDatabaseRate(QStringLiteral("4.3.1")));
    QVERIFY(!ParseDatabaseRate(QStringLiteral("x")));
    QCOMPARE(FormatRate(4.3), QStringLiteral("4,3"));
    QCOMPARE(FormatRate(4), QStringLiteral("4"));
    QCOMPARE(PaddedNip(QStringLiteral("1234567")), QStringLiteral("1234567000"));
    QCOMPARE(PaddedNip(QStringLiteral("123-456-78-90")), QStringLiteral("123-456-78-90"));
    QCOMPARE(GoodsUnitText(QStringLiteral("kg")), QStringLiteral("kg "));
    QCOMPARE(GoodsUnitText(QStringLiteral("l")), QStringLiteral("l  "));
    QCOMPARE(GoodsUnitText(QString()), QStringLiteral("   "));
    QCOMPARE(GoodsUnitsFromReply(QByteArray("kg\0l\0\0szt", 9)), (QStringList{"kg", "l", "szt"}));
    QCOMPARE(GoodsUnitsFromReply(QByteArray("m", 1)), (QStringList{"m", "", ""}));
    QCOMPARE(FormatHaloAmount(100), QStringLiteral("1,00"));
    QCOMPARE(FormatHaloAmount(5), QStringLiteral("0,05"));
}

void TestSettings::haloAmounts_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("grosz");  // -1: refused
    QTest::newRow("2,5") << "2,5" << 250;
    QTest::newRow("2.5") << "2.5" << 250;
    QTest::newRow("0,05") << "0,05" << 5;
    QTest::newRow("0,019 truncated") << "0,019" << 1;
    QTest::newRow("letter") << "5a" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("beyond the register") << "999999999" << -1;
}

void TestSettings::haloAmounts() {
    QFETCH(QString, field);
    QFETCH(int, grosz);
    QStringList fields(9, QStringLiteral("1"));
    fields[4] = field;
    const auto parsed = ParseHaloAmounts(fields);
    if (grosz < 0) {
        QCOMPARE(parsed.error, QStringLiteral("Błędnie wypełnione pola!"));
    } else {
        QVERIFY(parsed.ok());
        QCOMPARE(parsed.value[4], grosz);
        QCOMPARE(parsed.value[0], 100);
    }
}

void TestSettings::vatSaveAndFields() {
    TProgramowanieStawekPTU form(t_->services);
    form.show();
    // A new image: A 23 %, B 8 %, C 0 %, D 5 %, E and F inactive, G exempt.
    QCOMPARE(form.Edits[0]->text(), QStringLiteral("23.00"));
    QVERIFY(form.Taxed[0]->isChecked());
    QVERIFY(form.Inactive[4]->isChecked());
    QVERIFY(form.Exempt[6]->isChecked());
    QVERIFY(!form.Edits[6]->isEnabled());
    QVERIFY(!form.BitBtn2->isEnabled());  // no register
    form.Edits[0]->setText(QStringLiteral("22,5"));
    form.Edits[4]->setText(QStringLiteral("nonsense"));  // an inactive row is not read
    form.findChild<QRadioButton*>("PTU_B_Z")->click();
    QVERIFY(!form.Edits[1]->isEnabled());
    form.BitBtn1->click();
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(t_->image.ReadBytesAt(kVatTable, 21).toHex(' '),
             QByteArray("41 ca 08 42 ff ff 43 00 00 44 f4 01 45 fe ff 46 fe ff 47 ff ff"));
    QCOMPARE(form.Edits[0]->text(), QStringLiteral("22.50"));
    QCOMPARE(form.Edits[1]->text(), QStringLiteral("0.00"));
    QVERIFY(t_->app.databaseModified);
    // A refused rate writes nothing.
    t_->app.databaseModified = false;
    const QByteArray before = t_->image.ReadBytesAt(kVatTable, 21);
    form.Edits[3]->setText(QStringLiteral("100"));
    form.BitBtn1->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Błędnie wypełnione pola!"});
    QCOMPARE(t_->image.ReadBytesAt(kVatTable, 21), before);
    QVERIFY(!t_->app.databaseModified);
    // Enter saves.
    t_->prompts.Clear();
    form.Edits[3]->setText(QStringLiteral("5"));
    QTest::keyClick(form.Edits[3], Qt::Key_Return);
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(form.Edits[3]->text(), QStringLiteral("5.00"));
}

namespace {
QStringList Messages(const ScriptedPrompts& p) {
    QStringList out;
    for (const auto& shown : p.shown)
        if (shown.kind == QLatin1String("message")) out << shown.text;
    return out;
}
}  // namespace

void TestSettings::vatSendAnswers() {
    SimHarness& h = f_->Connect();
    TProgramowanieStawekPTU form(t_->services);
    form.show();
    QVERIFY(form.BitBtn2->isEnabled());
    form.CheckBox1->click();  // confirmation on the register keyboard
    form.Edits[0]->setText(QStringLiteral("22,5"));
    form.Exempt[1]->click();
    // Every VAT write costs fiscal memory: asked first, naming what changes
    // against what the register holds now; "Nie" sends nothing.
    t_->prompts.answers = {PromptAnswer::No};
    form.BitBtn2->click();
    const QString question = QStringLiteral("Zapis stawek PTU do kasy jest zapisywany w pamięci fiskalnej i liczba "
                                            "takich zapisów jest ograniczona. Wysłać?");
    QCOMPARE(t_->prompts.Texts(), QStringList{question + "\nZmienią się:\nPTU A: 23.00% -> 22.50%\nPTU B: 8.00% -> zwolniona"});
    QCOMPARE(t_->prompts.shown.value(0).buttons, PromptButtons::YesNo);
    QVERIFY(h.Received('P').size() == 1 && h.Received('P')[0].size() == 11);  // only the read
    // "Tak": sent, and the acceptance is the window's status line, not a box.
    t_->prompts.Clear();
    form.BitBtn2->click();
    QCOMPARE(Messages(t_->prompts), QStringList{});
    QCOMPARE(form.findChild<QLabel*>("LabelStatus")->text(), QStringLiteral("Zapisano stawki PTU."));
    const QByteArray table = t_->image.ReadBytesAt(kVatTable, 21);
    QCOMPARE(h.Received('P').last(), RegisterFrame(31, 0x8001, 'P', table + QByteArray(1, '\1')));
    h.sim.WithState([&](SimState& s) { QCOMPARE(s.vat, table); });

    // An invalid field: the user is told, and nothing at all goes to the register.
    t_->prompts.Clear();
    const int sent = int(h.Received('P').size());
    form.Edits[0]->setText(QStringLiteral("x"));
    form.BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Błędnie wypełnione pola!"});
    QCOMPARE(int(h.Received('P').size()), sent);

    // The register's answers, each told once (the read before is the first P frame).
    struct Case { const char* fault; bool confirm; QStringList shown; };
    const Case cases[] = {
        {"P:2:noreply", true, {}},
        {"P:2:noreply", false, {"Brak komunikacji"}},
        {"P:2:ack:1", false, {"Wystąpił błąd transmisji."}},
        {"P:2:error:35", false, {RegisterErrorMessage(35)}},
    };
    t_->clock.timeoutDivisor = 5;
    form.Edits[0]->setText(QStringLiteral("23"));
    for (const Case& c : cases) {
        h.sim.ClearFaults();
        h.AddFault(QString::fromLatin1(c.fault));
        if (form.CheckBox1->isChecked() != c.confirm) form.CheckBox1->click();
        t_->prompts.Clear();
        form.BitBtn2->click();
        QCOMPARE(Messages(t_->prompts), c.shown);
    }
}

void TestSettings::clockFrame() {
    SimHarness& h = f_->Connect();
    TProgramowanieZegara form(t_->services);
    form.show();
    QCOMPARE(form.DateTimePicker1->date(), t_->clock.Now().date());
    QCOMPARE(form.DateTimePicker2->time().hour(), t_->clock.Now().time().hour());
    form.DateTimePicker1->setDate(QDate(2024, 2, 29));
    form.DateTimePicker2->setTime(QTime(23, 59, 58, 700));
    // A date before the register's last daily report is refused, and the read
    // itself tells why.
    QTest::keyClick(form.DateTimePicker2, Qt::Key_Return);
    QCOMPARE(t_->prompts.Texts(), QStringList{RegisterErrorMessage(83)});
    t_->prompts.Clear();
    h.sim.WithState([](SimState& s) { s.lastDailyReport = QDateTime(QDate(2024, 1, 1), QTime(0, 0)); });
    form.BitBtn2->click();
    QCOMPARE(h.Received('C').size(), 2);
    QCOMPARE(h.Received('C')[1], RegisterFrame(17, 0x8001, 'C', Hex("E8 07 02 1D 17 3B 3A 00")));
    QCOMPARE(t_->prompts.Texts(), QStringList{});
    QCOMPARE(form.findChild<QLabel*>("LabelStatus")->text(), QStringLiteral("Zegar kasy ustawiono na 2024-02-29 23:59:58."));
    h.AddFault(QStringLiteral("C:1:noreply"));
    t_->clock.timeoutDivisor = 5;
    form.BitBtn2->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Brak komunikacji"});
    QCOMPARE(form.findChild<QLabel*>("LabelStatus")->text(), QString());
}

void TestSettings::recordCurrencyInRegister() {
    SimHarness& h = f_->Connect();
    TProgramowanieWalutyEwidencyjnej form(t_->services);
    form.show();
    form.Button1->click();
    QVERIFY(form.Label4->isVisible() && form.Label5->isVisible());
    QVERIFY(h.Received('E').isEmpty());
    form.Edit1->setText(QStringLiteral("4.3"));
    form.Edit2->setText(QStringLiteral("EU"));
    QCOMPARE(form.Label6->text(), QStringLiteral("(EU/PLN)"));
    form.DateTimePicker1->setDate(QDate(2025, 1, 1));
    form.CheckBox1->setChecked(true);
    // Enter never makes the change; the button asks first, and "Nie" sends nothing.
    QTest::keyClick(form.Edit2, Qt::Key_Return);
    QVERIFY(t_->prompts.shown.isEmpty());
    t_->prompts.answers = {PromptAnswer::No};
    form.Button1->click();
    const QString question =
        QStringLiteral("Zmienić walutę ewidencyjną kasy na EU od dnia 2025-01-01? Tej zmiany nie można cofnąć.");
    QCOMPARE(t_->prompts.Texts(), QStringList{question});
    QVERIFY(h.Received('E').isEmpty());
    t_->prompts.Clear();
    form.Button1->click();
    QVERIFY(!form.Label4->isVisible());
    QCOMPARE(Messages(t_->prompts), QStringList{});  // the register's acceptance is the status line
    QCOMPARE(form.findChild<QLabel*>("LabelStatus")->text(), QStringLiteral("Zmianę waluty ewidencyjnej zapisano w kasie."));
    QCOMPARE(h.Received('E').size(), 1);
    QCOMPARE(h.Received('E')[0],
             RegisterFrame(23, 0x8001, 'E', Hex("C0 20 90 02 07 20 45 55 01 01 E9 07 01 01")));
    h.sim.WithState([](SimState& s) { QCOMPARE(s.newRecordCurrency, QByteArray(" EU")); });
    struct Case { const char* rate; const char* fault; QString shown; };
    const Case cases[] = {
        {"05", nullptr, QStringLiteral("Błędna wartość w polu Kurs")},
        {"4,", nullptr, QStringLiteral("     Błędna wartość w polu Kurs     ")},
        {"4", "E:1:error:33", RegisterErrorMessage(33)},
        {"4", "E:1:noreply", QStringLiteral("Brak komunikacji")},
    };
    t_->clock.timeoutDivisor = 5;
    for (const Case& c : cases) {
        h.sim.ClearFaults();
        if (c.fault) h.AddFault(QString::fromLatin1(c.fault));
        t_->prompts.Clear();
        form.Edit1->setText(QString::fromLatin1(c.rate));
        form.Button1->click();
        QCOMPARE(Messages(t_->prompts), QStringList{c.shown});
    }
    QCOMPARE(h.Received('E').size(), 3);  // the refused rates sent nothing
}

void TestSettings::recordCurrencyInDatabase() {
    GoodsFields g;
    g.number = 1;
    g.name = QStringLiteral("Chleb");
    g.price = 100;
    QCOMPARE(WriteGoodsRecord(t_->image, g), 0);
    TProgramowanieWalutyEwidencyjnej form(t_->services);
    form.show();
    form.Edit1->setText(QStringLiteral("4.3"));
    form.Edit2->setText(QStringLiteral("EU"));
    t_->prompts.answers = {PromptAnswer::No};
    form.Button3->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Przeliczyć ceny wszystkich towarów według kursu 4,3?"});
    QCOMPARE(ReadGoodsRecord(t_->image, 1).price, 100u);
    QCOMPARE(t_->app.recordCurrencySymbol, QStringLiteral("PLN"));
    QCOMPARE(t_->image.ReadBytesAt(kRecordCurrencyChange, 3), QByteArray(3, '\0'));
    QVERIFY(!t_->app.databaseModified);
    QVERIFY(form.isVisible());
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::Yes};
    form.Button3->click();
    QCOMPARE(t_->prompts.Texts(), (QStringList{"Przeliczyć ceny wszystkich towarów według kursu 4,3?",
                                               "Zamieniono walutę ewidencyjną na  EU. Kurs wymiany: 4,3"}));
    QCOMPARE(ReadGoodsRecord(t_->image, 1).price, 430u);
    QCOMPARE(t_->image.ReadBytesAt(kRecordCurrencyChange, 3), QByteArray("EU\0", 3));
    QCOMPARE(t_->app.recordCurrencySymbol, QStringLiteral("EU"));
    QVERIFY(t_->app.databaseModified);
    QVERIFY(!form.isVisible());
    // A rate that is no number.
    t_->prompts.Clear();
    form.show();
    form.Edit1->setText(QStringLiteral("4.3.1"));
    form.Button3->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"     Błędna wartość w polu Kurs     "});
}

void TestSettings::trainingNip() {
    SimHarness& h = f_->Connect();
    TProgramowanieNIP form(t_->services);
    form.show();
    form.Edit2->setText(QStringLiteral("1234567"));
    // A short NIP is filled with zeros only after the user has seen it.
    const QString question = QStringLiteral("NIP ma 7 znaków; zostanie wysłany jako 1234567000. Wysłać?");
    t_->prompts.answers = {PromptAnswer::No};
    form.BitBtn5->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{question});
    QVERIFY(h.Received('I').isEmpty());
    QVERIFY(form.isEnabled());
    t_->prompts.Clear();
    form.BitBtn5->click();
    QCOMPARE(h.Received('I').size(), 1);
    QCOMPARE(h.Received('I')[0], RegisterFrame(25, 0x8001, 'I', QByteArray("1234567000") + QByteArray(6, '\0')));
    QCOMPARE(t_->clock.pauses, QList<int>{1000});
    QCOMPARE(t_->prompts.Texts(), QStringList{question});
    QVERIFY(form.isEnabled());
    h.sim.WithState([](SimState& s) { QCOMPARE(s.nip, QByteArray("1234567000")); });
    h.AddFault(QStringLiteral("I:1:noreply"));
    t_->clock.timeoutDivisor = 5;
    t_->prompts.Clear();
    form.Edit2->setText(QStringLiteral("1234567890"));
    form.BitBtn5->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Brak komunikacji"});
}

void TestSettings::haloTable() {
    TProgramowanieTablicyHalo form(t_->services);
    form.show();
    QCOMPARE(form.Edits[0]->text(), QStringLiteral("1,00"));
    QCOMPARE(form.Edits[8]->text(), QStringLiteral("500,00"));
    QVERIFY(!form.BitBtn2->isEnabled());
    form.Edits[1]->setText(QStringLiteral("2,5"));
    form.BitBtn4->click();
    QCOMPARE(t_->image.ReadLongAt(kHalo + 8), 250u);
    QCOMPARE(t_->image.ReadLongAt(kHalo), 0u);
    QVERIFY(t_->app.databaseModified);
    t_->app.databaseModified = false;
    form.Edits[1]->setText(QStringLiteral("7"));
    form.Edits[4]->setText(QStringLiteral("x"));
    form.BitBtn4->click();
    QCOMPARE(t_->prompts.Texts(), QStringList{"Błędnie wypełnione pola!"});
    QCOMPARE(t_->image.ReadLongAt(kHalo + 8), 250u);  // the whole save refused
    QVERIFY(!t_->app.databaseModified);

    SimHarness& h = f_->Connect();
    form.hide();
    form.show();
    QVERIFY(form.BitBtn2->isEnabled());
    form.Edits[2]->setText(QStringLiteral("3"));
    form.BitBtn2->click();
    QCOMPARE(h.Received('L').size(), 1);
    QCOMPARE(h.Received('L')[0], RegisterFrame(45, 0x8001, 'L', t_->image.ReadBytesAt(kHalo + 4, 36)));
    QCOMPARE(t_->image.ReadLongAt(kHalo + 12), 300u);
}

void TestSettings::goodsUnits() {
    SimHarness& h = f_->Connect();
    h.sim.WithState([](SimState& s) { s.units = QByteArray("kg\0l\0\0szt", 9); });
    TJednostkiTowarowe form(t_->services);
    TProgramowanieTowarow goods(t_->services);
    form.show();
    form.BitBtn6->click();
    QCOMPARE(form.Edit1->text(), QStringLiteral("kg"));
    QCOMPARE(form.Edit2->text(), QStringLiteral("l"));
    QCOMPARE(form.Edit3->text(), QStringLiteral("szt"));
    form.Edit2->setText(QStringLiteral("m"));
    form.Edit3->clear();
    form.BitBtn2->click();
    QTRY_COMPARE(h.Received('q').size(), 1);
    QCOMPARE(h.Received('q')[0], RegisterFrame(18, 0x8001, 'q', QByteArray("kg m        ", 9)));
    bool stored = false;
    h.sim.WithState([&](SimState& s) { stored = s.units == QByteArray("kg m      ", 9); });
    QVERIFY(stored);
    // The goods editor's unit list is named after them.
    goods.show();
    QCOMPARE(goods.ComboBox4->itemText(1), QStringLiteral("1 kg"));
    QCOMPARE(goods.ComboBox4->itemText(2), QStringLiteral("2 m"));
    QCOMPARE(goods.ComboBox4->itemText(3), QStringLiteral("3"));
}

void TestSettings::openedFromMainWindow() {
    FormRegistry forms;
    TMenuGlowne main(t_->services, forms);
    CreateForms(t_->services, forms, &main);
    main.FormsCreated();
    struct Item { QTreeWidget* tree; int index; const char* form; };
    const Item items[] = {{main.ProgramowanieBazyTree, 7, "TProgramowanieStawekPTU"},
                          {main.ProgramowanieBazyTree, 9, "TProgramowanieTablicyHalo"},
                          {main.ProgramowanieBazyTree, 10, "TProgramowanieWalutyEwidencyjnej"},
                          {main.TreeView3, 7, "TProgramowanieStawekPTU"},
                          {main.TreeView3, 9, "TProgramowanieZegara"},
                          {main.TreeView3, 13, "TProgramowanieNIP"},
                          {main.TreeView3, 18, "TJednostkiTowarowe"}};
    for (const Item& i : items) {
        QVERIFY2(i.tree->topLevelItem(i.index)->flags() & Qt::ItemIsEnabled, i.form);
        TForm* form = forms.Find(QString::fromLatin1(i.form));
        QVERIFY2(form, i.form);
        QVERIFY2(form->minimumSizeHint().width() <= 1280 && form->minimumSizeHint().height() <= 700, i.form);
    }
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"

// The report windows against the simulated register: one description per report,
// so one table of cases drives them all.
#include <QtTest>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QLabel>
#include <QPlainTextEdit>

#include "link/registererrors.h"
#include "reports/Daneinformacyjne.h"
#include "reports/Dodatkoweustawienia.h"
#include "reports/Obrotgrup.h"
#include "reports/Raportobrotugrup.h"
#include "reports/Zestawraportow.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "reports/registerinfo.h"
#include "reports/turnover.h"
#include "common/numbers.h"
#include "reports/Wykonywanieraportu.h"
#include "reports/reports.h"
#include "simstate.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

namespace {
using Setup = std::function<void(TWykonywanieRaportu*)>;
}
Q_DECLARE_METATYPE(Setup)

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void frames_data();
    void frames();
    void checksSendNothing_data();
    void checksSendNothing();
    void refusalsAndSilence();
    void proposedMonth();
    void modesGreyTheOthers();
    void informationBothLayouts();
    void additionalSettings();
    void groupTurnover();
    void reportSet();

private:
    TWykonywanieRaportu* Window(const char* className);
    GuiFixture* f_ = nullptr;
    SimHarness* h_ = nullptr;
    QList<TWykonywanieRaportu*> windows_;
};

void TestReports::init() {
    f_ = new GuiFixture;
    h_ = &f_->Connect();
    h_->sim.WithState([](SimState& s) {
        s.groups.Set(4, RegisterGroup(4, QStringLiteral("Napoje")));
        s.cashiers.Set(3, RegisterCashier(3, QStringLiteral("Ewa"), QStringLiteral("1234")));
    });
    windows_ = CreateReportWindows(f_->t.services, nullptr);
}

void TestReports::cleanup() {
    qDeleteAll(windows_);
    windows_.clear();
    delete f_;
}

TWykonywanieRaportu* TestReports::Window(const char* className) {
    for (TWykonywanieRaportu* w : windows_)
        if (w->objectName() == QLatin1String(className)) return w;
    return nullptr;
}

void TestReports::frames_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("questions");  // zeroing questions answered Yes
    QTest::addColumn<QByteArray>("frame");
    auto row = [](const char* w, Setup s, int q, int length, uint16_t number, char command, const char* payload) {
        QTest::newRow(w) << QString::fromLatin1(w) << s << q << RegisterFrame(length, number, uint8_t(command), Hex(payload));
    };
    const Setup none = [](TWykonywanieRaportu*) {};
    row("TWykonywanieRaportuOkresowego", [](TWykonywanieRaportu* w) { w->MaskEdit1->setText("03-2024"); }, 0, 19,
        0x8001, 'o', "02 FF E8 07 03 FF FF FF FF FF");
    row("TWykonywanieRaportuSprzedazy",
        [](TWykonywanieRaportu* w) {
            w->RadioButton3->setChecked(true);
            w->Edit1->setText("5");
            w->Edit2->setText("9");
            w->ZeroRecordsYes->setChecked(true);
            w->ZeroingYes->setChecked(true);
        },
        1, 16, 1, 's', "03 05 00 09 00 01 01");
    row("TWykonywanieRaportuTowarowNieaktywnych", none, 0, 10, 1, 'n', "01");
    row("TWykonywanieRaportuBazyZPTU",
        [](TWykonywanieRaportu* w) {
            w->RadioButton2->setChecked(true);
            w->ComboBox1->setCurrentIndex(3);
            w->ZeroRecordsYes->setChecked(true);
        },
        0, 15, 1, 'p', "02 04 FF FF FF 01");
    row("TWykonywaniePelnegoRaportuBazyPLU", none, 0, 15, 1, 'b', "01 01 00 D0 07 00");
    row("TWykonywanieRaportuKasjera",
        [](TWykonywanieRaportu* w) {
            w->ComboBox1->setCurrentIndex(2);
            w->CheckBox1->setChecked(true);
            w->CheckBox2->setChecked(true);
        },
        1, 12, 0x8001, 'k', "03 01 01");
    row("TWykonywanieRaportuZmianowegoSprzedazy", [](TWykonywanieRaportu* w) { w->ZeroRecordsYes->setChecked(true); },
        0, 12, 1, 'z', "01 00");
    row("TWykonywanieRaportuRabatow", [](TWykonywanieRaportu* w) { w->CheckBox1->setChecked(true); }, 1, 12, 1, 'r',
        "00 01");
    row("TWykonywanieRaportuOpakowan", none, 0, 12, 1, 'a', "00 00");
    row("TWykonywanieRaportuFormPlatnosci", none, 0, 12, 1, 'f', "00 00");
    row("TWykonywanieRaportuGrupTowarowych", none, 0, 12, 1, 'g', "00 00");
    row("TWykonywanieRaportuNapisowStalych", none, 0, 10, 1, 'w', "01");
    row("TWykonywanieRaportuStawekPTU", none, 0, 10, 1, 'v', "01");
    row("TWykonywanieRaportuStanuKasy", none, 0, 10, 1, 't', "01");
    row("TWykonywanieRaportuKlawiszySzybkich", none, 0, 10, 1, 'h', "01");
}

void TestReports::frames() {
    QFETCH(QString, window);
    QFETCH(Setup, setup);
    QFETCH(int, questions);
    QFETCH(QByteArray, frame);
    TWykonywanieRaportu* w = Window(window.toLatin1().constData());
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), w->Description().caption);
    w->show();
    setup(w);
    for (int i = 0; i < questions; ++i) f_->t.prompts.answers.push_back(PromptAnswer::Yes);
    w->Button1->click();
    QCOMPARE(h_->Received(uint8_t(frame[6])), QList<QByteArray>{frame});
    QStringList expected;
    for (int i = 0; i < questions; ++i) expected << ZeroingQuestion();
    QCOMPARE(f_->t.prompts.Texts(), expected);  // accepted: nothing more to say
    QCOMPARE(w->isVisible(), !w->Description().closesAfter);
    QVERIFY(w->Button1->isEnabled());
}

void TestReports::checksSendNothing_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    const QString periodic = QStringLiteral("TWykonywanieRaportuOkresowego");
    QTest::newRow("reports 5-3") << periodic << "5" << "3"
                                 << "Raport końcowy musi mieć większy numer niż raport początkowy";
    QTest::newRow("reports 0-3") << periodic << "0" << "3" << "Numer raportu musi zawierać się w przedziale 1 - 2000";
    QTest::newRow("reports x-3") << periodic << "x" << "3" << "Błędny numer raportu początkowego";
    QTest::newRow("reports 3-") << periodic << "3" << "" << "Błędny numer raportu końcowego";
    QTest::newRow("reports -1-5") << periodic << "-1" << "5"
                                  << "Raport końcowy musi mieć większy numer niż raport początkowy";
    QTest::newRow("VAT 0-5") << "TWykonywanieRaportuBazyZPTU" << "0" << "5"
                             << "Numery towarów muszą zawierać się w przedziale 1-2000";
    QTest::newRow("PLU 0-5") << "TWykonywaniePelnegoRaportuBazyPLU" << "0" << "5"
                             << "Numery towarów muszą zawierać się w przedziale 1-2000";
    QTest::newRow("PLU 9-5") << "TWykonywaniePelnegoRaportuBazyPLU" << "9" << "5"
                             << "Numer towaru początkowego nie może być większy niż numer towaru końcowego";
    QTest::newRow("sales a-5") << "TWykonywanieRaportuSprzedazy" << "a" << "5" << "Błędy numer towaru";
    QTest::newRow("sales 1-2001") << "TWykonywanieRaportuSprzedazy" << "1" << "2001"
                                  << "Numery towarów muszą zawierać się w przedziale 1-2000";
}

void TestReports::checksSendNothing() {
    QFETCH(QString, window);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    TWykonywanieRaportu* w = Window(window.toLatin1().constData());
    w->show();
    w->RadioButton3->setChecked(true);
    w->Edit1->setText(from);
    w->Edit2->setText(to);
    w->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{message});
    QVERIFY(h_->Received().isEmpty());
}

void TestReports::refusalsAndSilence() {
    // Month 13 goes out as typed; the register's refusal is shown with its text.
    TWykonywanieRaportu* periodic = Window("TWykonywanieRaportuOkresowego");
    periodic->show();
    periodic->MaskEdit1->setText("13-2024");
    periodic->CheckBox1->setChecked(false);
    periodic->Button1->click();
    QCOMPARE(h_->Received('o'), QList<QByteArray>{RegisterFrame(19, 0x8001, 'o', Hex("03 FF E8 07 0D FF FF FF FF FF"))});
    QCOMPARE(f_->t.prompts.Texts(), QStringList{RegisterErrorMessage(60)});
    // A field that is no date.
    f_->t.prompts.Clear();
    periodic->MaskEdit1->setText("ab-2024");
    periodic->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Błędna data")});
    // A report the register never answers no longer looks as if it ran.
    f_->t.prompts.Clear();
    h_->AddFault(QStringLiteral("w:1:noreply"));
    f_->t.clock.timeoutDivisor = 10;
    Window("TWykonywanieRaportuNapisowStalych")->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Brak komunikacji")});
    // Out of paper: the user puts paper in and goes on, the register prints and
    // accepts; nothing says the report was lost, so nobody runs it twice.
    f_->t.prompts.Clear();
    f_->t.clock.timeoutDivisor = 1;
    h_->AddFault(QStringLiteral("s:1:paperout"));
    f_->t.prompts.answers = {PromptAnswer::Yes};
    Window("TWykonywanieRaportuSprzedazy")->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Brak papieru! Kontynuować?")});
    QCOMPARE(h_->Received('s').size(), 1);
    f_->t.clock.timeoutDivisor = 10;
    // A zeroing report answered No sends nothing.
    f_->t.prompts.Clear();
    h_->sim.ClearLog();
    TWykonywanieRaportu* shift = Window("TWykonywanieRaportuZmianowegoSprzedazy");
    shift->CheckBox1->setChecked(true);
    f_->t.prompts.answers = {PromptAnswer::No};
    shift->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{ZeroingQuestion()});
    QVERIFY(h_->Received().isEmpty());
    // A cashier the register does not have: refused, shown.
    f_->t.prompts.Clear();
    TWykonywanieRaportu* cashier = Window("TWykonywanieRaportuKasjera");
    cashier->ComboBox1->setCurrentIndex(6);
    cashier->show();  // showing again proposes the first cashier
    QCOMPARE(cashier->ComboBox1->currentIndex(), 0);
    cashier->ComboBox1->setCurrentIndex(6);
    cashier->Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{RegisterErrorMessage(86)});
}

void TestReports::proposedMonth() {
    QCOMPARE(ProposedMonth(QDate(2026, 3, 15)), QStringLiteral("02-2026"));
    QCOMPARE(ProposedMonth(QDate(2026, 1, 31)), QStringLiteral("12-2025"));
    QCOMPARE(Window("TWykonywanieRaportuOkresowego")->MaskEdit1->text(), QStringLiteral("11-2026"));
    QCOMPARE(CheckMonthField(QStringLiteral("07-2025")).a, 7);
    QCOMPARE(CheckMonthField(QStringLiteral("07-2025")).b, 2025);
}

void TestReports::modesGreyTheOthers() {
    TWykonywanieRaportu* w = Window("TWykonywanieRaportuSprzedazy");
    QVERIFY(w->GroupBox1->isEnabled());
    QVERIFY(!w->GroupBox2->isEnabled());
    QVERIFY(!w->Edit1->isEnabled());
    w->RadioButton3->setChecked(true);
    QVERIFY(!w->GroupBox1->isEnabled());
    QVERIFY(w->Edit1->isEnabled());
    QCOMPARE(w->RadioGroup1->title(), QStringLiteral("Raport zerujący?"));
    QCOMPARE(Window("TWykonywanieRaportuBazyZPTU")->ZeroRecordsYes->text(), QStringLiteral("Tak "));
    QVERIFY(!Window("TWykonywanieRaportuBazyZPTU")->RadioGroup1);
    QCOMPARE(Window("TWykonywanieRaportuGrupTowarowych")->RadioGroup1->title(),
             QStringLiteral("Drukować rekordy zerowe? "));
}

void TestReports::informationBothLayouts() {
    h_->sim.WithState([](SimState& s) {
        s.workingMode = 1;
        s.memoryState = 0;
        s.lastFiscalWrite = QDateTime();  // day 0: never
        s.lastDailyReport = QDateTime(QDate(2005, 3, 7), QTime(9, 5));
        s.nip = "123-456-32-18";
        s.currencyChangePlanned = false;
    });
    TDaneInformacyjne w(f_->t.services);
    w.show();
    w.Button1->click();
    QVERIFY(f_->t.prompts.Texts().isEmpty());
    const QList<std::pair<const char*, QString>> longValues{
        {"Label25", "1,05"},      {"Label61", "TUVO-01.05"}, {"Label26", "ZTV000123456"},
        {"Label27", "123-456-32-18"}, {"Label28", "4711"},   {"Label29", "FISKALNY"},
        {"Label30", "OTWARTA"},   {"Label31", "brak"},       {"Label32", "09:05   7-3-2005"},
        {"Label44", "PLN"},       {"Label51", "NIE"},        {"Label56", "brak"},
        {"Label46", "Komputer PC"}, {"Label47", "Skaner"},  {"Label48", "Komputer PC"},
        {"Label43", "2048"},
    };
    for (const auto& [label, text] : longValues) QCOMPARE(w.Value(label)->text(), text);
    // A screen reader reads the value, with its caption as the description.
    QAccessibleInterface* mode = QAccessible::queryAccessibleInterface(w.Value("Label29"));
    QVERIFY(mode);
    QCOMPARE(mode->text(QAccessible::Name), QStringLiteral("FISKALNY"));
    QCOMPARE(mode->text(QAccessible::Description), QStringLiteral("Tryb pracy"));
    QVERIFY(!GuiFixture::Control<QLabel>(&w, "Label55")->isEnabled());  // no change planned: greyed
    QVERIFY(!w.Value("Label54")->isEnabled());
    QVERIFY(w.Button1->isEnabled());
    // The short record: the NIP is 10 wide, the fields behind it move up, and it
    // has no card size.
    h_->sim.WithState([](SimState& s) {
        s.longInfo = false;
        s.memoryState = 1;
        s.currencyChangePlanned = true;
        s.newRecordCurrency = "EUR";
        s.currencyChangeDate = QDateTime(QDate(2027, 1, 1), QTime(0, 0));
    });
    w.Button1->click();
    QCOMPARE(w.Value("Label27")->text(), QStringLiteral("123-456-32"));
    QCOMPARE(w.Value("Label30")->text(), QStringLiteral("ZAMKNIĘTA. TYLKO DO ODCZYTU"));
    QCOMPARE(w.Value("Label32")->text(), QStringLiteral("09:05   7-3-2005"));
    QCOMPARE(w.Value("Label43")->text(), QStringLiteral("—"));
    QCOMPARE(w.Value("Label51")->text(), QStringLiteral("TAK"));
    QCOMPARE(w.Value("Label54")->text(), QStringLiteral("EUR"));
    QCOMPARE(w.Value("Label56")->text(), QStringLiteral("00:00   1-1-2027"));
    QVERIFY(w.Value("Label54")->isEnabled());
    // A reply of another length, or a short one: "Brak komunikacji", the labels stay.
    h_->AddFault(QStringLiteral("I:1:status:16"));
    w.Button1->click();
    h_->AddFault(QStringLiteral("I:1:truncate:20"));
    f_->t.clock.timeoutDivisor = 10;
    w.Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), (QStringList{"Brak komunikacji", "Brak komunikacji"}));
    QCOMPARE(w.Value("Label54")->text(), QStringLiteral("EUR"));
    // Any bytes decode without reading past the record.
    const RegisterInformation odd = DecodeInformation(QByteArray(3, '\xFF'), true);
    QCOMPARE(odd.Text("Label29"), QStringLiteral("NIEFISKALNY"));
}

void TestReports::additionalSettings() {
    TDodatkoweUstawienia w(f_->t.services);
    w.show();
    QCOMPARE(w.ComboBoxes.size(), 14);
    QCOMPARE(w.Edits.size(), 5);
    // An empty number field stops the send before anything goes out.
    w.Button1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{NotAnIntegerMessage(QString())});
    QVERIFY(h_->Received().isEmpty());
    f_->t.prompts.Clear();
    const QStringList numbers{"30", "100", "123456", "50", "60"};
    for (int i = 0; i < 5; ++i) w.Edits[i]->setText(numbers[i]);
    w.ComboBoxes[11]->setCurrentText("5");  // "Czas uśpienia (minuty)" 5 goes as 4
    w.ComboBoxes[8]->setCurrentIndex(1);    // "Rodzaj transmisji" TUVO 8k
    w.Button1->click();
    QCOMPARE(h_->Received(0x03), QList<QByteArray>{RegisterFrame(
                                     31, 0x8001, 0x03,
                                     Hex("00 00 00 1E 64 00 00 40 E2 01 00 00 00 00 01 00 00 04 32 3C 00 00"))});
    QVERIFY(f_->t.prompts.Texts().isEmpty());
    h_->sim.WithState([](SimState& s) { QCOMPARE(s.registerNumber, 1); });  // "Numer kasy" 1 went as 0
    // "Odśwież" asks with argument 1 and acknowledges the reply.
    w.Button2->click();
    QCOMPARE(h_->Received(0x03).last(), RegisterFrame(11, 0x8001, 0x03, Hex("01 00")));
    QTRY_COMPARE(h_->ControlStatuses().value(0), 3);
}

void TestReports::groupTurnover() {
    TRaportObrotuGrup report(f_->t.services);
    report.show();
    QCOMPARE(report.MaskEdit1->text(), QStringLiteral("2026"));
    report.ComboBox1->setCurrentText(QStringLiteral("Marzec"));
    report.MaskEdit1->setText("2024");
    report.ComboBox2->setCurrentText(QStringLiteral("Maj"));
    report.MaskEdit2->setText("2024");
    report.CheckBox2->setChecked(true);
    report.Button1->click();
    QCOMPARE(h_->Received(0x05), QList<QByteArray>{RegisterFrame(17, 0x8001, 0x05, Hex("03 E8 07 05 E8 07 01 74"))});
    QVERIFY(f_->t.prompts.Texts().isEmpty());

    TObrotGrup read(f_->t.services);
    read.show();
    read.BitBtn6->click();  // no turnover kept yet
    QCOMPARE(f_->t.prompts.Texts(), (QStringList{"Pusta baza.", "Wystapił błąd transmisji"}));
    QVERIFY(read.Memo1->toPlainText().isEmpty());
    h_->sim.WithState([](SimState& s) {
        QByteArray july(turnover::kRecordSize, '\0');
        july[0] = 7;
        july[1] = char(2024 & 0xFF);
        july[2] = char(2024 >> 8);
        july[3] = char(123456 & 0xFF);
        july[4] = char((123456 >> 8) & 0xFF);
        july[5] = char(123456 >> 16);
        s.turnover = {QByteArray(turnover::kRecordSize, '\0'), july};  // the first without data
    });
    f_->t.prompts.Clear();
    read.BitBtn6->click();
    QVERIFY(f_->t.prompts.Texts().isEmpty());
    const QStringList lines = read.Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines[0], QStringLiteral("Obrót w miesiącu 7-2024"));
    QCOMPARE(lines[1], QStringLiteral("Grupa towarowa nr. 1: 1234,56"));
    QCOMPARE(lines[20], QStringLiteral("Grupa towarowa nr. 20: 0,00"));
    QCOMPARE(lines[21], QStringLiteral(" "));
}

void TestReports::reportSet() {
    TestServices& t = f_->t;
    QByteArray record(19, '\0');
    record[0] = 1;
    record[1] = 2;
    record[18] = 2;
    t.image.WriteBytesAt(layout::kReportSet, record);
    TProgramowanieZestawuRaportow w(t.services);
    // A database open: its record is shown (online too, so storing keeps it).
    w.show();
    QCOMPARE(w.Button2->text(), QStringLiteral("Zapisz"));
    QVERIFY(GuiFixture::Control<QRadioButton>(&w, "PTU_A_Z")->isChecked());
    QVERIFY(GuiFixture::Control<QRadioButton>(&w, "RadioButton3")->isChecked());  // entry 1: non-zero records
    QVERIFY(GuiFixture::Control<QRadioButton>(&w, "RadioButton4")->isChecked());  // entry 2: not programmed
    QVERIFY(GuiFixture::Control<QRadioButton>(&w, "RadioButton54")->isChecked());
    t.app.databaseModified = false;
    w.Button2->click();
    QCOMPARE(t.image.ReadBytesAt(layout::kReportSet, 19), record);
    QVERIFY(t.app.databaseModified);
    // A change is stored byte for byte.
    w.show();
    GuiFixture::Control<QRadioButton>(&w, "RadioButton29")->setChecked(true);  // entry 10, value 1
    w.Button2->click();
    record[10] = 1;
    QCOMPARE(t.image.ReadBytesAt(layout::kReportSet, 19), record);
    // Register only: the caption says "Wyslij" and the image is not touched.
    t.app.workMode = ModeRegisterOnly;
    w.show();
    QCOMPARE(w.Button2->text(), QStringLiteral("Wyslij"));
    w.Panels[5][2]->setChecked(true);
    w.Button2->click();
    QCOMPARE(t.image.ReadBytesAt(layout::kReportSet, 19), record);
    QCOMPARE(w.working[5], char(2));
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"

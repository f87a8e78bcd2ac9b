// The report windows against the simulated register: one description per report,
// so one table of cases drives them all.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "link/registererrors.h"
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

QTEST_MAIN(TestReports)
#include "test_reports.moc"

// The service bench through its named controls against the simulated register.
#include <QtTest>
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "service/Programowanienowegopakietu.h"
#include "support/guifixture.h"

namespace {
QStringList StateTexts(const TProgramowanieNowegoPakietu& w) {
    QStringList out;
    for (QLabel* l : w.States) out << l->text();
    return out;
}
}  // namespace

class TestServiceBench : public QObject {
    Q_OBJECT
private slots:
    void fullRunPassesAndLeavesNoTestGoods();
    void refusedVatStopsUnlessContinued();
    void serviceGoodsUsedAndForeignGoodsKept();
    void cancelDuringTestGoods();
    void memoryTestReadsTheShortLayout();
    void portThatCannotBeUsed();
};

// A fresh register: every step passes, the header and rates read back as sent,
// the five made-up test goods are gone at the end, and the printed record
// carries the register's unique number.
void TestServiceBench::fullRunPassesAndLeavesNoTestGoods() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    QByteArray header(layout::kHeaderSize, '\0');
    header.replace(0, 20, ToCp1250(QStringLiteral("SERWIS ŻÓŁW SP. Z O.O")).left(20));
    f.t.image.WriteBytesAt(layout::kHeader, header);
    TProgramowanieNowegoPakietu w(f.t.services);
    w.show();
    QCOMPARE(w.States[0]->text(), QStringLiteral("oczekuje"));
    QVERIFY(!w.ButtonAnuluj->isEnabled());
    QStringList seenRunning;
    f.t.clock.onSleep = [&](int) {
        // During the goods step the window shows it running and only "Anuluj" works.
        if (w.Results()[6].state == StepState::Running && seenRunning.isEmpty()) {
            seenRunning = StateTexts(w);
            GuiFixture::KeepShot(&w, QStringLiteral("bench-running"));
            QVERIFY(w.ButtonAnuluj->isEnabled());
            QVERIFY(!w.ButtonStart->isEnabled());
        }
    };
    w.ButtonStart->click();
    QCOMPARE(seenRunning.value(6), QStringLiteral("w toku"));
    GuiFixture::KeepShot(&w, QStringLiteral("bench-done"));
    for (const StepResult& r : w.Results()) QVERIFY2(r.state == StepState::Passed, qPrintable(StateTexts(w).join('\n')));
    QVERIFY(w.States[0]->text().startsWith(QStringLiteral("zaliczony: COM1, adres 1, odpowiedź po ")));
    QCOMPARE(w.States[1]->text(), QStringLiteral("zaliczony: rekord 124 B, wszystkie pola poprawne, numer unikatowy ZTV000123456"));
    QCOMPARE(w.States[5]->text(), QStringLiteral("zaliczony: stawki PTU odczytane z kasy zgodne z wysłanymi"));
    QCOMPARE(w.States[7]->text(), QStringLiteral("zaliczony: usunięto towarów: 5"));
    QCOMPARE(w.LabelWynik->text(), QStringLiteral("Wszystkie wykonane kroki zaliczone."));
    QVERIFY(f.t.prompts.Texts().isEmpty());
    h.sim.WithState([&](SimState& s) {
        for (int n = 1; n <= 5; ++n) QVERIFY(!s.goods.Present(n));
        QCOMPARE(s.header, header);
        QCOMPARE(s.newRecordCurrency, QByteArray("PLN"));
    });
    // Five goods frames, the last flagged, "TEST 1" first.
    QList<QByteArray> goods;
    for (const QByteArray& frame : h.Received('T'))
        if (frame.size() == 78) goods << frame;
    QCOMPARE(goods.size(), 5);
    QCOMPARE(goods[0].mid(9, 6), QByteArray("TEST 1"));
    QCOMPARE(Word(goods[4].constData() + 4), 5 | 0x8000);
    QVERIFY(!f.t.app.databaseModified);  // the service database is only read

    const QString pdf = f.t.work.filePath(QStringLiteral("protokol.pdf"));
    f.t.prompts.printerSetup = [&](QPrinter* p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return true;
    };
    QVERIFY(w.ButtonDrukuj->isEnabled());
    w.ButtonDrukuj->click();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printed.contains(QStringLiteral("Numer unikatowy:       ZTV000123456")), qPrintable(printed));
    QVERIFY(printed.contains(QStringLiteral("PROTOKÓŁ SERWISOWY")));
    QVERIFY(printed.contains(QStringLiteral("Wynik: bez błędów")));
    QVERIFY(!printed.contains(QStringLiteral("BAZA TOWAROWA")));
}

// The register refuses the VAT rates: the run stops there with the register's
// text; with "Kontynuuj po błędzie" the later steps still run.
void TestServiceBench::refusedVatStopsUnlessContinued() {
    for (const bool goOn : {false, true}) {
        GuiFixture f;
        SimHarness& h = f.Connect();
        h.AddFault(QStringLiteral("P:1:error:26"));
        TProgramowanieNowegoPakietu w(f.t.services);
        w.show();
        w.Steps[2]->setChecked(false);  // the header is not programmed
        w.CheckBoxKontynuuj->setChecked(goOn);
        w.ButtonStart->click();
        QCOMPARE(w.States[2]->text(), QStringLiteral("nie wykonano: nie zaznaczono"));
        QCOMPARE(w.Results()[4].state, StepState::Passed);
        QCOMPARE(w.States[5]->text(), QStringLiteral("błąd: ") + RegisterErrorText(26));
        QCOMPARE(w.LabelWynik->text(), QStringLiteral("Kroków z błędem: 1"));
        for (int i : {6, 7}) QCOMPARE(w.Results()[i].state, goOn ? StepState::Passed : StepState::NotRun);
        if (!goOn) QVERIFY(h.Received('T').isEmpty());  // no goods went out
        GuiFixture::KeepShot(&w, goOn ? QStringLiteral("bench-vat-refused-continued") : QStringLiteral("bench-vat-refused"));
        const QStringList record = w.RecordLines();
        QVERIFY(record.contains(QStringLiteral("   błąd: ") + RegisterErrorText(26)));
        QVERIFY(record.contains(QStringLiteral("Wynik: kroków z błędem: 1")));
    }
}

// The service database's own goods 1-5 are the test goods; a register goods of
// another name at one of those numbers is not deleted.
void TestServiceBench::serviceGoodsUsedAndForeignGoodsKept() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    QByteArray own = TestGoodsRecord(f.t.image, 2);
    own.replace(layout::goods::kName, 8, "WZORZEC ");
    f.t.image.WriteBytesAt(layout::kGoods.Offset(2), own);
    QCOMPARE(TestGoodsRecord(f.t.image, 2), own);
    TProgramowanieNowegoPakietu w(f.t.services);
    for (int i : {0, 1, 2, 3, 4, 5, 7}) w.Steps[i]->setChecked(false);
    w.ButtonStart->click();
    QCOMPARE(w.Results()[6].state, StepState::Passed);
    h.sim.WithState([](SimState& s) {
        QVERIFY(s.goods.Present(2));
        QCOMPARE(s.goods.Record(2).mid(2, 8), QByteArray("WZORZEC "));
        // The customer's goods 3 takes the place of a test goods.
        s.goods.Set(3, RegisterGoods(3, QStringLiteral("CHLEB"), 'A', 350, {}, 1));
    });
    w.Steps[6]->setChecked(false);
    w.Steps[7]->setChecked(true);
    w.ButtonStart->click();
    QCOMPARE(w.States[7]->text(), QStringLiteral("zaliczony: usunięto towarów: 4"));
    h.sim.WithState([](SimState& s) {
        QVERIFY(s.goods.Present(3));
        for (int n : {1, 2, 4, 5}) QVERIFY(!s.goods.Present(n));
    });
}

// "Anuluj" during the test goods: the register's run is closed at once (the
// goods in hand goes flagged last), the step says how far it got, the deletion
// does not run, and neither the window nor the record reads as a clean run.
void TestServiceBench::cancelDuringTestGoods() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TProgramowanieNowegoPakietu w(f.t.services);
    w.show();
    int pauses = 0;
    f.t.clock.onSleep = [&](int ms) {
        if (w.Results()[6].state == StepState::Running && ms == 1000 && ++pauses == 2) w.ButtonAnuluj->click();
    };
    w.ButtonStart->click();
    QCOMPARE(w.Results()[5].state, StepState::Passed);
    QCOMPARE(w.States[6]->text(), QStringLiteral("przerwano: wysłano towarów: 3 z 5"));
    QCOMPARE(w.States[7]->text(), QStringLiteral("przerwano"));
    QCOMPARE(w.LabelWynik->text(), QStringLiteral("Przerwano."));
    GuiFixture::KeepShot(&w, QStringLiteral("bench-cancelled"));
    QVERIFY(w.ButtonStart->isEnabled());
    QVERIFY(!w.ButtonAnuluj->isEnabled());
    QList<QByteArray> goods;
    for (const QByteArray& frame : h.Received('T'))
        if (frame.size() == 78) goods << frame;
    QCOMPARE(goods.size(), 3);
    QCOMPARE(Word(goods[2].constData() + 4), 3 | 0x8000);
    QCOMPARE(h.Received('T').size(), 3);  // no read back, no deletion
    QVERIFY(w.RecordLines().contains(QStringLiteral("Wynik: przerwano")));
    // The goods left behind go with a run of the deletion alone.
    for (int i = 0; i < 7; ++i) w.Steps[i]->setChecked(false);
    w.ButtonStart->click();
    QCOMPARE(w.States[7]->text(), QStringLiteral("zaliczony: usunięto towarów: 3"));
    h.sim.WithState([](SimState& s) {
        for (int n = 1; n <= 5; ++n) QVERIFY(!s.goods.Present(n));
    });
}

// A register that answers the information request in the short layout passes
// the memory test as well.
void TestServiceBench::memoryTestReadsTheShortLayout() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& s) { s.longInfo = false; });
    TProgramowanieNowegoPakietu w(f.t.services);
    for (int i = 2; i < 8; ++i) w.Steps[i]->setChecked(false);
    w.ButtonStart->click();
    QCOMPARE(w.States[1]->text(), QStringLiteral("zaliczony: rekord 115 B, wszystkie pola poprawne, numer unikatowy ZTV000123456"));
}

// No port chosen, or one the user may not open: the port test says which, in
// the words of the other windows, and the run stops there with nothing sent.
void TestServiceBench::portThatCannotBeUsed() {
    GuiFixture f;
    {
        TProgramowanieNowegoPakietu w(f.t.services);
        w.ButtonStart->click();
        QCOMPARE(w.States[0]->text(), QStringLiteral("błąd: nie wybrano portu"));
        QCOMPARE(w.Results()[1].state, StepState::NotRun);
        QVERIFY(w.ButtonDrukuj->isEnabled());  // the record of a failed run prints too
    }
    SimHarness& h = f.Connect();
    // Even root may not open this one for writing.
    QVERIFY(QFile::link(QStringLiteral("/proc/sys/kernel/ostype"), h.PortsDir() + QStringLiteral("/COM5")));
    PortSettings settings = f.t.services.link.Settings();
    settings.port = 5;
    f.t.services.link.UseSettings(settings);
    TProgramowanieNowegoPakietu w(f.t.services);
    w.ButtonStart->click();
    QCOMPARE(w.States[0]->text(), QStringLiteral("błąd: Nie mogę otworzyć portu COM5: brak uprawnień do urządzenia ") +
                                      h.PortsDir() +
                                      QStringLiteral("/COM5. Dodaj swojego użytkownika do grupy dialout (sudo usermod "
                                                     "-aG dialout $USER) i zaloguj się ponownie."));
    QCOMPARE(w.Results()[1].state, StepState::NotRun);
    QVERIFY(f.t.prompts.Texts().isEmpty());  // the step says it, no message box
    QVERIFY(h.Received().isEmpty());
}

QTEST_MAIN(TestServiceBench)
#include "test_servicebench.moc"

// Every window that writes to the register says once how the write ended: the
// register's error text when it refused, "Brak komunikacji" when it was
// silent, and on acceptance a line in the window's status, not a box.
#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>
#include <memory>

#include "goods/Listatowarowtandem.h"
#include "keys/Edycjaklawiszyszybkich.h"
#include "keys/Klawiszefunkcyjne.h"
#include "keys/Klawiszeszybkiesprzedazy.h"
#include "link/registererrors.h"
#include "receipt/Edycjatekstuparagonu.h"
#include "reports/Dodatkoweustawienia.h"
#include "simstate.h"
#include "support/guifixture.h"
#include "tables/Jednostkitowarowe.h"
#include "tables/Programowanieformplatnosci.h"
#include "tables/Programowaniekasjerow.h"
#include "tables/Programowanienip.h"
#include "tables/Programowanieopakowan.h"
#include "tables/Programowanierabatow.h"
#include "tables/Programowanietablicyhalo.h"
#include "tables/Programowaniewalutobcych.h"
#include "tables/Programowaniewalutyewidencyjnej.h"
#include "tables/Programowaniezegara.h"

namespace {

void Set(QWidget* form, const char* name, const QString& text) {
    GuiFixture::Control<QLineEdit>(form, name)->setText(text);
}
void Click(QWidget* form, const char* name) { GuiFixture::Control<QPushButton>(form, name)->click(); }

// A table editor: the record typed, added, chosen in the grid and sent.
void SendRecord(TTableEditor* f, const std::function<void()>& fill, int number) {
    fill();
    f->BitBtn4->click();
    for (int r = 0; r < f->StringGrid1->rowCount(); ++r)
        if (f->StringGrid1->item(r, 0) && f->StringGrid1->item(r, 0)->text() == QString::number(number))
            f->StringGrid1->selectRow(r);
    f->SendButton->click();
}

struct Sender {
    const char* name;
    char command;
    QString accepted;
    std::function<TForm*(Services&)> make;
    std::function<void(TForm*)> send;
};

QList<Sender> Senders() {
    return {
        {"packaging", 'Z', QStringLiteral("Opakowanie zapisano w kasie."),
         [](Services& s) { return new TProgramowanieOpakowan(s, nullptr); },
         [](TForm* f) {
             auto* e = static_cast<TTableEditor*>(f);
             SendRecord(e, [&] { e->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1); Set(e, "Edit1", "Butelka"); Set(e, "Edit2", "0.50"); }, 2);
         }},
        {"discount", 'R', QStringLiteral("Rabat zapisano w kasie."), [](Services& s) { return new TProgramowanieRabatow(s); },
         [](TForm* f) {
             auto* e = static_cast<TTableEditor*>(f);
             SendRecord(e, [&] { Set(e, "Edit1", "4"); Set(e, "Edit2", "Stały klient"); Set(e, "Edit3", "12,5"); }, 4);
         }},
        {"payment form", 'F', QStringLiteral("Formę płatności zapisano w kasie."),
         [](Services& s) { return new TProgramowanieFormPlatnosci(s); },
         [](TForm* f) {
             auto* e = static_cast<TTableEditor*>(f);
             SendRecord(e, [&] { Set(e, "Edit1", "2"); Set(e, "Edit2", "Czek"); }, 2);
         }},
        {"currency", 'W', QStringLiteral("Walutę zapisano w kasie."), [](Services& s) { return new TProgramowanieWalutObcych(s); },
         [](TForm* f) {
             auto* e = static_cast<TTableEditor*>(f);
             SendRecord(e, [&] { Set(e, "Edit1", "1"); Set(e, "Edit2", "Euro"); Set(e, "Edit3", "4.3"); Set(e, "Edit4", "EU"); }, 1);
         }},
        {"cashier", 'K', QStringLiteral("Rekord zapisano w kasie."), [](Services& s) { return new TProgramowanieKasjerow(s); },
         [](TForm* f) {
             auto* e = static_cast<TTableEditor*>(f);
             SendRecord(e, [&] { Set(e, "Edit1", "3"); Set(e, "Edit2", "Anna"); Set(e, "MaskEdit1", "1234"); }, 3);
         }},
        {"HALO", 'L', QStringLiteral("Tablicę HALO zapisano w kasie."),
         [](Services& s) { return new TProgramowanieTablicyHalo(s); }, [](TForm* f) { Click(f, "BitBtn2"); }},
        {"header", 'N', QStringLiteral("Nagłówek zapisano w kasie."),
         [](Services& s) { return CreateReceiptTextEditors(s, nullptr).value(0); }, [](TForm* f) { Click(f, "BitBtn2"); }},
        {"footer", 'D', QStringLiteral("Stopkę zapisano w kasie."),
         [](Services& s) {
             const auto editors = CreateReceiptTextEditors(s, nullptr);
             delete editors.value(0);
             return editors.value(1);
         },
         [](TForm* f) { Click(f, "BitBtn2"); }},
        {"goods units", 'q', QStringLiteral("Jednostki towarowe zapisano w kasie."),
         [](Services& s) { return new TJednostkiTowarowe(s); }, [](TForm* f) { Click(f, "BitBtn2"); }},
        {"quick key", 'S', QStringLiteral("Klawisz 1 kasjera 1 zapisano w kasie."),
         [](Services& s) { return new TProgramowanieKlawiszySzybkich(s, nullptr); }, [](TForm* f) { Click(f, "BitBtn2"); }},
        {"function key", 'O', QStringLiteral("Klawisz F1 zapisano w kasie."),
         [](Services& s) { return new TProgramowanieKlawiszyFunkcyjnych(s); },
         [](TForm* f) { static_cast<TProgramowanieKlawiszyFunkcyjnych*>(f)->SendButtons[0]->click(); }},
        {"sales-function key", 'X', QStringLiteral("Klawisz 1 zapisano w kasie."),
         [](Services& s) { return new TKlawiszeSzybkieSprzedazy(s); },
         [](TForm* f) { static_cast<TKlawiszeSzybkieSprzedazy*>(f)->SendButtons[0]->click(); }},
        {"clock", 'C', QString(), [](Services& s) { return new TProgramowanieZegara(s); },
         [](TForm* f) { Click(f, "BitBtn2"); }},
        {"training NIP", 'I', QStringLiteral("NIP zapisano w kasie."), [](Services& s) { return new TProgramowanieNIP(s); },
         [](TForm* f) {
             Set(f, "Edit2", "1234567890");
             Click(f, "BitBtn5");
         }},
        {"record currency", 'E', QStringLiteral("Zmianę waluty ewidencyjnej zapisano w kasie."),
         [](Services& s) { return new TProgramowanieWalutyEwidencyjnej(s); },
         [](TForm* f) {
             Set(f, "Edit1", "4.3");
             Set(f, "Edit2", "EU");
             Click(f, "Button1");
         }},
        {"additional settings", 0x03, QStringLiteral("Ustawienia zapisano w kasie."),
         [](Services& s) { return new TDodatkoweUstawienia(s); },
         [](TForm* f) {
             const QStringList numbers{"30", "100", "123456", "50", "60"};
             for (int i = 0; i < 5; ++i) static_cast<TDodatkoweUstawienia*>(f)->Edits[i]->setText(numbers[i]);
             Click(f, "Button1");
         }},
    };
}

QStringList Messages(const ScriptedPrompts& p) {
    QStringList out;
    for (const auto& shown : p.shown)
        if (shown.kind == QLatin1String("message")) out << shown.text;
    return out;
}

}  // namespace

class TestOutcomes : public QObject {
    Q_OBJECT
private slots:
    void oneOutcome_data();
    void oneOutcome();
};

void TestOutcomes::oneOutcome_data() {
    QTest::addColumn<int>("sender");
    QTest::addColumn<QString>("answer");
    const QList<Sender> all = Senders();
    for (int i = 0; i < all.size(); ++i)
        for (const char* answer : {"accepted", "error:19", "noreply"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(all[i].name), QLatin1String(answer))))
                << i << QString::fromLatin1(answer);
}

void TestOutcomes::oneOutcome() {
    QFETCH(int, sender);
    QFETCH(QString, answer);
    const Sender s = Senders()[sender];
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& st) { st.lastDailyReport = QDateTime(QDate(2000, 1, 1), QTime(0, 0)); });
    std::unique_ptr<TForm> form(s.make(f.t.services));
    form->show();
    f.t.clock.timeoutDivisor = 50;
    if (answer != QLatin1String("accepted"))
        h.AddFault(QStringLiteral("0x%1:1:%2").arg(uint8_t(s.command), 2, 16, QLatin1Char('0')).arg(answer));
    s.send(form.get());
    QTRY_VERIFY(!h.Received(uint8_t(s.command)).isEmpty());
    auto* status = form->findChild<QLabel*>(QStringLiteral("LabelStatus"));
    QVERIFY(status);
    if (answer == QLatin1String("accepted")) {
        QCOMPARE(Messages(f.t.prompts), QStringList{});
        if (s.accepted.isEmpty()) QVERIFY(!status->text().isEmpty());
        else QCOMPARE(status->text(), s.accepted);
    } else {
        QCOMPARE(Messages(f.t.prompts),
                 QStringList{answer == QLatin1String("noreply") ? QStringLiteral("Brak komunikacji") : RegisterErrorMessage(19)});
        QCOMPARE(status->text(), QString());
    }
}

QTEST_MAIN(TestOutcomes)
#include "test_outcomes.moc"

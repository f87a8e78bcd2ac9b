// The register search over every port and address, and the receive-buffer view.
#include <QtTest>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "common/appstate.h"
#include "link/Podgladbufora.h"
#include "link/Ustawieniatransmisji.h"
#include "link/Wyszukiwaniekasy.h"
#include "link/commands.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

namespace {

QStringList Entries(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

// The addresses of the queries a register's line carried, in order.
QList<int> QueryAddresses(const SimHarness& h) {
    QList<int> out;
    for (const QByteArray& f : h.Received('Q')) out << uint8_t(f[1]);
    return out;
}

const QString kNothingFound = QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera.");

}  // namespace

class TestRegisterSearch : public QObject {
    Q_OBJECT
private slots:
    void init() { qunsetenv("TUVO_PORTS_DIR"); }
    void registerAtAddress3OnPort2();
    void portsBeforeAddresses();
    void heldPortIsNeitherCountedNorProbed();
    void nothingFoundRestoresEverything();
    void noPortOpens();
    void cancelStopsTheSearch();
    void bufferView();
};

void TestRegisterSearch::registerAtAddress3OnPort2() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;  // unanswered probes cost less
    SimHarness h(2);
    h.sim.SetAddress(3);
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    QVERIFY(!w.Button2->isEnabled());
    w.Button1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{});
    QCOMPARE(Entries(w.ComboBox1), QStringList{"COM 2"});
    QCOMPARE(w.addresses, QList<int>{3});
    QCOMPARE(w.ProgressBar1->maximum(), 9);
    QCOMPARE(w.ProgressBar1->value(), 9);
    QVERIFY(!w.Panel1->isVisible());
    QCOMPARE(QueryAddresses(h), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(h.Received('Q').first(), RegisterFrame(10, 0, 'Q', Hex("00")));  // frame number 0
    // Nothing was connected before, and the search leaves it so.
    QVERIFY(!f.t.link.IsOpen());
    QCOMPARE(f.t.app.workMode, int(ModeOffline));
    QCOMPARE(int(f.t.link.Address()), 1);

    QVERIFY(w.Button2->isEnabled());
    w.Button2->click();
    QVERIFY(f.t.link.IsOpen());
    QCOMPARE(f.t.link.Settings().port, 2);
    QCOMPARE(int(f.t.link.Address()), 3);
    QCOMPARE(f.t.app.workMode, int(ModeOnline));
    QVERIFY(!w.isVisible());
    // The connection is a working one: the register at address 3 answers.
    h.sim.ClearLog();
    QVERIFY(SendOver(f.t.link, QueryFrame(f.t.link.Address(), 0x8001)));
    const QByteArray answer = f.t.link.Read(10);
    QCOMPARE(answer.size(), 10);
    QCOMPARE(answer.at(6), 'A');
    // The transmission settings show the address the link uses, so "Zastosuj"
    // there keeps the connection working.
    TUstawieniaTrans settings(f.t.services);
    settings.show();
    QCOMPARE(settings.ComboBox6->currentText(), QStringLiteral("3"));
    QCOMPARE(settings.ComboBox1->currentText(), QStringLiteral("COM 2"));
    settings.Button2->click();
    QCOMPARE(int(f.t.link.Address()), 3);
    QVERIFY(f.t.link.IsOpen());
    f.t.prompts.Clear();
    QVERIFY(TransactRecord(f.t.link, f.t.image, RecordTable::Cashiers, kSingleFrame, 1, 0).Accepted());
    QVERIFY(f.t.prompts.Texts().isEmpty());
}

void TestRegisterSearch::portsBeforeAddresses() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    SimHarness first(4);
    SimHarness second(first, 1);
    f.t.app.workMode = ModeNone;
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    w.Button1->click();
    QCOMPARE(Entries(w.ComboBox1), (QStringList{"COM 1", "COM 4"}));
    QCOMPARE(w.addresses, (QList<int>{1, 1}));
    QCOMPARE(w.ProgressBar1->maximum(), 18);
    w.ComboBox1->setCurrentIndex(1);
    w.Button2->click();
    QCOMPARE(f.t.link.Settings().port, 4);
    QCOMPARE(f.t.app.workMode, int(ModeRegisterOnly));
}

void TestRegisterSearch::heldPortIsNeitherCountedNorProbed() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    SimHarness held(1);
    SimHarness free(held, 2);
    PortOnSim other;  // another program has COM 1
    QVERIFY(other.Open(1));
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    w.Button1->click();
    QCOMPARE(Entries(w.ComboBox1), QStringList{"COM 2"});
    QCOMPARE(w.ProgressBar1->maximum(), 9);
    QVERIFY(held.Received().isEmpty());
    QVERIFY(other.link.IsOpen());
}

void TestRegisterSearch::nothingFoundRestoresEverything() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    Choose(f.t.link, [&](PortSettings& s) { s.baud = 9600; });
    SimHarness& h = f.Connect();
    f.t.link.SetAddress(2);
    h.Pause();  // the register is there but says nothing
    const PortSettings before = f.t.link.Settings();
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    w.Button1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{kNothingFound});
    QCOMPARE(w.ComboBox1->count(), 0);
    QVERIFY(!w.Button2->isEnabled());
    QVERIFY(f.t.link.IsOpen());
    QCOMPARE(f.t.link.Settings().port, before.port);
    QCOMPARE(f.t.link.Settings().baud, before.baud);
    QCOMPARE(int(f.t.link.Address()), 2);
    QCOMPARE(f.t.app.workMode, int(ModeOnline));
    h.Resume();
}

void TestRegisterSearch::noPortOpens() {
    QTemporaryDir empty;
    qputenv("TUVO_PORTS_DIR", QFile::encodeName(empty.path()));
    GuiFixture f;
    f.t.app.workMode = ModeNone;
    Choose(f.t.link, [&](PortSettings& s) { s.port = 3; });
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    w.Button1->click();
    QCOMPARE(w.ProgressBar1->maximum(), 0);
    QCOMPARE(f.t.prompts.Texts(), QStringList{kNothingFound});
    QCOMPARE(f.t.app.workMode, int(ModeNone));  // no database appeared
    QCOMPARE(f.t.link.Settings().port, 3);
    qunsetenv("TUVO_PORTS_DIR");
}

void TestRegisterSearch::cancelStopsTheSearch() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    SimHarness first(1);
    SimHarness second(first, 4);
    TWyszukiwanieKasyRS w(f.t.services, nullptr);
    w.show();
    connect(w.ProgressBar1, &QProgressBar::valueChanged, &w, [&](int v) {
        if (v != 1) return;
        QVERIFY(w.Button5->isVisible() && w.Button5->isEnabled() && !w.Button1->isEnabled());
        w.Button5->click();
    });
    w.Button1->click();
    // The probe in hand finishes; nothing after it.
    QCOMPARE(Entries(w.ComboBox1), QStringList{"COM 1"});
    QVERIFY(second.Received().isEmpty());
    QCOMPARE(f.t.prompts.Texts(), QStringList{});
    QVERIFY(w.Button1->isEnabled());
}

void TestRegisterSearch::bufferView() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    Q_UNUSED(h);
    QVERIFY(SendOver(f.t.link, QueryFrame(1, 0x8001)));
    QCOMPARE(f.t.link.Read(10).size(), 10);  // 02 01 0A 00 ...: shown up to the first zero
    TPokazBuforOdb w(f.t.services);
    w.show();
    QCOMPARE(w.RichEdit1->toPlainText(), QStringLiteral("02 01 0A "));
    w.Decimal->setChecked(true);
    QCOMPARE(w.RichEdit1->toPlainText(), QStringLiteral("2 1 10 "));
    // Waiting at the port: the answer to a query nobody read yet.
    QVERIFY(SendOver(f.t.link, QueryFrame(1, 0x8001)));
    QTRY_VERIFY(f.t.link.BytesWaiting() >= 3);
    w.Hex->setChecked(true);
    w.Button2->click();
    QCOMPARE(w.RichEdit1->toPlainText(), QStringLiteral("02 01 0A "));
    // The program's buffer still holds the answer it read, shown as characters.
    w.Char->setChecked(true);
    w.Button1->click();
    QCOMPARE(w.RichEdit1->toPlainText(), QStringLiteral("\x02 \x01 \n "));
}

QTEST_MAIN(TestRegisterSearch)
#include "test_registersearch.moc"

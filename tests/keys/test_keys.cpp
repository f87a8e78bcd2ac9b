// Function keys and sales-function keys programmed into the simulated register.
#include <QtTest>
#include <QComboBox>
#include <QPushButton>

#include "keys/Klawiszefunkcyjne.h"
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
};

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

QTEST_MAIN(TestKeys)
#include "test_keys.moc"

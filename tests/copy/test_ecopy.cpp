// The electronic copy: the stream reader, and the window against the simulated
// register.
#include <QtTest>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>

#include "copy/Odczytkopii.h"
#include "common/text.h"
#include "copy/ecopy.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

namespace {

// What the memo shows of the simulated register's copy.
QString ShownCopy(const SimHarness& h) {
    QByteArray text;
    const_cast<SimHarness&>(h).sim.WithState([&](SimState& s) { text = s.ElectronicCopyText(); });
    return FromCp1250(text);
}

}  // namespace

class TestECopy : public QObject {
    Q_OBJECT
private slots:
    void streamReader();
    void streamedIntoTheMemo();
    void registerStopsSending();
    void numbersAreChecked();
    void periodAndPrintedPages();
    void memoSavedToAFile();
};

void TestECopy::streamReader() {
    const QByteArray frame = RegisterFrame(10, 0x8001, 'A', Hex("00"));
    struct Case {
        const char* what;
        QList<QByteArray> blocks;
        QString text;
        bool ended;
    };
    const Case cases[] = {
        {"line breaks and the end", {QByteArray("AB\nC\0", 5)}, "AB\r\nC", true},
        {"a frame in the middle of a block", {"ab" + frame + "cd"}, "abcd", false},
        {"a frame split over blocks", {"ab" + frame.left(2), frame.mid(2, 3), frame.mid(5) + "cd"}, "abcd", false},
        {"a block that is a frame", {frame}, "", false},
        {"bytes after the end in its block", {QByteArray("end\0tail", 8)}, "endtail", true},
        {"Polish letters", {QByteArray("\xA3\xF3" "d\x9F")}, QStringLiteral("Łódź"), false},
        // An STX whose length is no frame's: the bytes after it are text.
        {"not a frame", {QByteArray("\x02" "a\xFF\xFF" "\n", 5)}, QStringLiteral("a˙˙\r\n"), false},
    };
    for (const Case& c : cases) {
        CopyStreamReader reader;
        QString text;
        for (const QByteArray& b : c.blocks) text += reader.Take(b);
        QVERIFY2(text == c.text, c.what);
        QVERIFY2(reader.Ended() == c.ended, c.what);
    }
}

void TestECopy::streamedIntoTheMemo() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 10;
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& s) { s.LoadDemo(); });
    TOdczytKopii w(f.t.services);
    w.show();
    w.Memo1->setPlainText(QStringLiteral("stary tekst"));
    w.PageControl1->setCurrentIndex(3);  // "Ostatni dokument"
    w.ComboBox6->setCurrentIndex(1);    // "Wysyłanie do komputera"
    w.BitBtn1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{});
    QCOMPARE(h.Received(0x01), QList<QByteArray>{RegisterFrame(24, 0x8001, 0x01, Hex("01 00000000000000000000000000 02"))});
    const QString expected = ShownCopy(h);
    QVERIFY(expected.count(QLatin1Char('\n')) > 5);
    QCOMPARE(w.Memo1->toPlainText(), expected);
    QCOMPARE(w.Memo1->document()->blockCount(), int(expected.count(QLatin1Char('\n'))) + 1);
    QVERIFY(h.sim.RawReceived().count(char(0xAA)) >= expected.size() / 64);  // ready for each piece
    QVERIFY(w.BitBtn1->isEnabled());
    QVERIFY(!w.Button2->isVisible());
}

void TestECopy::registerStopsSending() {
    GuiFixture f;
    f.t.clock.timeoutDivisor = 100;  // 10 s of silence in 100 ms
    SimHarness& h = f.Connect();
    h.sim.WithState([](SimState& s) { s.LoadDemo(); });
    TOdczytKopii w(f.t.services);
    w.show();
    w.PageControl1->setCurrentIndex(2);
    w.ComboBox5->setCurrentIndex(1);
    h.sim.SetCopyStopAfter(150);
    bool checked = false;
    connect(w.Memo1, &QPlainTextEdit::textChanged, &w, [&] {
        if (checked || w.Memo1->toPlainText().isEmpty()) return;
        checked = true;  // while it runs, only its stop button works
        QVERIFY(w.Button2->isVisible() && w.Button2->isEnabled() && !w.BitBtn1->isEnabled());
    });
    w.BitBtn1->click();
    QVERIFY(checked);
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Kasa przestała wysyłać kopię elektroniczną.")});
    // What came is kept: the first 150 bytes, their line breaks as lines.
    QCOMPARE(w.Memo1->toPlainText(), ShownCopy(h).left(150));
}

void TestECopy::numbersAreChecked() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TOdczytKopii w(f.t.services);
    w.show();
    QCOMPARE(w.PageControl1->tabText(0), QStringLiteral("Według numerów"));
    QCOMPARE(w.Edit2->text(), QStringLiteral("2000"));
    QCOMPARE(w.Edit4->text(), QStringLiteral("99999"));
    const QStringList refused[] = {{"0", "5", "1", "99999"},   {"1", "2001", "1", "99999"},
                                   {"x", "5", "1", "99999"},   {"1", "5", "", "99999"},
                                   {"1", "5", "1", "100000"}};
    for (const QStringList& fields : refused) {
        f.t.prompts.Clear();
        w.Edit1->setText(fields[0]);
        w.Edit2->setText(fields[1]);
        w.Edit3->setText(fields[2]);
        w.Edit4->setText(fields[3]);
        w.BitBtn1->click();
        QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Błędnie wprowadzone dane")});
    }
    QVERIFY(h.Received().isEmpty());
    w.Edit1->setText("12");
    w.Edit2->setText("300");
    w.Edit3->setText("7");
    w.Edit4->setText("70000");
    w.ComboBox1->setCurrentIndex(1);  // "Tylko raporty", printed at the register
    w.BitBtn1->click();
    QTRY_COMPARE(h.Received(), QList<QByteArray>{RegisterFrame(24, 0x8001, 0x01, Hex("02 0C00 07000000 2C01 70110100 02 01"))});
}

void TestECopy::periodAndPrintedPages() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    TOdczytKopii w(f.t.services);
    w.show();
    QCOMPARE(w.DateTimePicker1->date(), QDate(2026, 12, 10));
    w.PageControl1->setCurrentIndex(1);
    w.DateTimePicker1->setDate(QDate(2026, 11, 3));
    w.DateTimePicker3->setTime(QTime(8, 5));
    w.DateTimePicker2->setDate(QDate(2026, 12, 1));
    w.DateTimePicker4->setTime(QTime(17, 30));
    w.BitBtn1->click();
    w.PageControl1->setCurrentIndex(2);
    w.BitBtn1->click();
    QTRY_COMPARE(h.Received(), (QList<QByteArray>{
                               RegisterFrame(24, 0x8001, 0x01, Hex("03 08 05 03 0B EA07 11 1E 01 0C EA07 01 01")),
                               RegisterFrame(24, 0x8001, 0x01, Hex("04 00000000000000000000000000 01")),
                           }));
    QCOMPARE(f.t.prompts.Texts(), QStringList{});
}

void TestECopy::memoSavedToAFile() {
    QTemporaryDir dir;
    GuiFixture f;
    TOdczytKopii w(f.t.services);
    w.Memo1->setPlainText(QStringLiteral("PARAGON FISKALNY\nŁódź  1 x 4,50"));
    const QString path = dir.filePath("kopia.txt");
    QVERIFY(WriteFileBytes(path, QByteArray(5000, 'x')));  // an older, longer file
    const QString question = QStringLiteral("Plik ") + path + QStringLiteral(" już istnieje. Kontynuować? ");
    // Not to be replaced: the old file stays.
    f.t.prompts.fileNames = {path};
    f.t.prompts.answers = {PromptAnswer::No};
    w.Button3->click();
    QCOMPARE(ReadFileBytes(path), QByteArray(5000, 'x'));
    f.t.prompts.Clear();
    f.t.prompts.fileNames = {path};
    f.t.prompts.answers = {PromptAnswer::Yes};
    w.Button3->click();
    QCOMPARE(ReadFileBytes(path), QStringLiteral("PARAGON FISKALNY\nŁódź  1 x 4,50").toUtf8());
    QCOMPARE(f.t.prompts.Texts(), (QStringList{question, QStringLiteral("Zapisano plik ") + path}));
}

QTEST_MAIN(TestECopy)
#include "test_ecopy.moc"

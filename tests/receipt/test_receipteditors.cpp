// The header and footer editors and the header download against the simulated
// register.
#include <QtTest>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include "common/text.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/registererrors.h"
#include "receipt/Edycjatekstuparagonu.h"
#include "receipt/Pobieranienaglowka.h"
#include "receipt/rtf.h"
#include "simstate.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

namespace {
RichLine Line(const QString& text, LineAlign align = LineAlign::Centre, const QList<int>& large = {}) {
    RichLine l;
    l.align = align;
    for (int i = 0; i < text.size(); ++i) l.chars << RichChar{text[i], large.contains(i)};
    return l;
}
}  // namespace

class TestReceiptEditors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void headerSentAsBlock();
    void lineLimits();
    void footerFrame();
    void showsTheDatabaseText();
    void rtfFiles();
    void headerDownload();

private:
    GuiFixture* f_ = nullptr;
    SimHarness* h_ = nullptr;
    TEdycjaTekstuParagonu* header_ = nullptr;
    TEdycjaTekstuParagonu* footer_ = nullptr;
};

void TestReceiptEditors::init() {
    f_ = new GuiFixture;
    h_ = &f_->Connect();
    const QList<TEdycjaTekstuParagonu*> editors = CreateReceiptTextEditors(f_->t.services, nullptr);
    header_ = editors[0];
    footer_ = editors[1];
}

void TestReceiptEditors::cleanup() {
    delete header_;
    delete footer_;
    delete f_;
}

void TestReceiptEditors::headerSentAsBlock() {
    header_->show();
    QCOMPARE(header_->windowTitle(), QStringLiteral("Edycja nagłówka"));
    header_->SetText({Line("SKLEP", LineAlign::Centre, {0}), Line(QStringLiteral("ul. Długa 5"))});
    header_->TallBoxes[0]->setChecked(true);
    f_->t.app.databaseModified = false;
    header_->BitBtn2->click();
    const QByteArray block = HeaderBlock({Line("SKLEP", LineAlign::Centre, {0}), Line(QStringLiteral("ul. Długa 5"))},
                                         {true});
    QCOMPARE(block.left(42), QByteArray(18, ' ') + "\x01SKLEP" + QByteArray(18, ' '));
    QCOMPARE(f_->t.image.ReadBytesAt(layout::kHeader, layout::kHeaderSize), block);
    QVERIFY(f_->t.app.databaseModified);
    QCOMPARE(h_->Received('N'), QList<QByteArray>{RegisterFrame(268, 0x8001, 'N', block)});
    QVERIFY(f_->t.prompts.Texts().isEmpty());
    h_->sim.WithState([&](SimState& s) { QCOMPARE(s.header, block); });
    // The register's refusal is shown with its text.
    h_->AddFault(QStringLiteral("N:1:error:33"));
    header_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{RegisterErrorMessage(33)});
}

void TestReceiptEditors::lineLimits() {
    header_->show();
    QTextCursor c(header_->RichEdit1->document());
    c.insertText("1\n2\n3\n4\n5\n6\n7");
    QCOMPARE(header_->RichEdit1->document()->blockCount(), 6);
    QCOMPARE(header_->Text().size(), 6);
    for (const RichLine& l : header_->Text()) QCOMPARE(l.align, LineAlign::Centre);
    footer_->show();
    QTextCursor f(footer_->RichEdit1->document());
    f.insertText("a\nb\nc\nd");
    QCOMPARE(footer_->Text().size(), 3);
    // A line cannot grow past 42 positions; a large character takes two.
    footer_->SetText({});
    footer_->RichEdit1->setFocus();
    QTest::keyClicks(footer_->RichEdit1, QString(45, QLatin1Char('x')));
    QCOMPARE(footer_->Text().value(0).Positions(), 42);
    footer_->SetText({Line(QString(40, QLatin1Char('y')), LineAlign::Left)});
    QTextCursor end(footer_->RichEdit1->document());
    end.movePosition(QTextCursor::End);
    QTextCharFormat large;
    large.setFontPointSize(20);
    end.insertText("Z", large);  // 40 + 2 = 42: fits
    QCOMPARE(footer_->Text().value(0).Positions(), 42);
    end.insertText("W", large);  // would be 44
    QCOMPARE(footer_->Text().value(0).Text(), QString(40, QLatin1Char('y')) + "Z");
    // Typed: Enter makes a new line in the text area.
    header_->SetText({});
    header_->activateWindow();
    header_->RichEdit1->setFocus();
    QTest::keyClicks(header_->RichEdit1, QStringLiteral("SKLEP"));
    QTest::keyClick(header_->RichEdit1, Qt::Key_Return);
    QTest::keyClicks(header_->RichEdit1, QStringLiteral("Rynek 1"));
    QCOMPARE(header_->Text().size(), 2);
    QCOMPARE(header_->Text().value(1).Text(), QStringLiteral("Rynek 1"));
    QVERIFY(header_->isVisible());
}

void TestReceiptEditors::footerFrame() {
    footer_->show();
    QVERIFY(!footer_->TallLines->isVisible());
    footer_->CheckBox8->setChecked(true);
    footer_->BitBtn2->click();  // an empty footer; its answer is not read
    QTRY_VERIFY(!h_->Received('D').isEmpty());
    const QByteArray frames = h_->Received('D').value(0);
    QCOMPARE(frames.size(), 140);
    QCOMPARE(frames.mid(7, 130), QByteArray(130, '\0'));
    QCOMPARE(frames[137], char(1));
    QCOMPARE(RegisterFrame(140, 0x8001, 'D', QByteArray(130, '\0') + '\x01'), frames);
}

void TestReceiptEditors::showsTheDatabaseText() {
    // An opened database's header is what the editor shows.
    const QByteArray block = HeaderBlock({Line("Prawy", LineAlign::Right), Line(QStringLiteral("DUŻY"), LineAlign::Centre, {0})},
                                         {false, true});
    f_->t.image.WriteBytesAt(layout::kHeader, block);
    header_->show();
    QCOMPARE(header_->Text().value(1).Text(), QStringLiteral("DUŻY"));
    QVERIFY(header_->Text().value(1).chars[0].large);
    QVERIFY(header_->TallBoxes[1]->isChecked());
    // Typed text is not replaced when the window comes back.
    header_->RichEdit1->setFocus();
    QTest::keyClicks(header_->RichEdit1, "abc");
    header_->hide();
    header_->show();
    QCOMPARE(header_->Text().value(1).Text(), QStringLiteral("DUŻYabc"));
}

void TestReceiptEditors::rtfFiles() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/naglowek.rtf";
    header_->show();
    header_->SetText({Line(QStringLiteral("Łódź"), LineAlign::Centre, {0}), Line("NIP 123")});
    f_->t.prompts.fileNames = {path};
    header_->SaveButton->click();
    QCOMPARE(f_->t.prompts.dialogs.value(0).title, QStringLiteral("Zapisz nagłówek do pliku."));
    const RichText saved = header_->Text();
    header_->SetText({});
    f_->t.prompts.fileNames = {path};
    header_->OpenButton->click();
    QCOMPARE(header_->Text(), saved);
    // A file that exists: asked first; No keeps it.
    f_->t.prompts.Clear();
    f_->t.prompts.fileNames = {path};
    f_->t.prompts.answers = {PromptAnswer::No};
    const QByteArray before = ReadFileBytes(path);
    header_->SetText({Line("inny")});
    header_->SaveButton->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Plik ") + path + QStringLiteral(" już istnieje.Kontynuować? ")});
    QCOMPARE(ReadFileBytes(path), before);
    // Not RTF: refused, the editor unchanged.
    f_->t.prompts.Clear();
    QVERIFY(WriteFileBytes(path, "to nie jest RTF"));
    f_->t.prompts.fileNames = {path};
    header_->OpenButton->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Nie mogę otworzyc pliku ") + path + "."});
    QCOMPARE(header_->Text().value(0).Text(), QStringLiteral("inny"));
    // Long lines are cut, and the user is told which.
    f_->t.prompts.Clear();
    QVERIFY(WriteFileBytes(path, "{\\rtf1 krotki\\par " + QByteArray(50, 'x') + "\\par}"));
    f_->t.prompts.fileNames = {path};
    header_->OpenButton->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Wiersze dłuższe niż 42 znaki zostały skrócone: 2.")});
    QCOMPARE(header_->Text().value(1).Positions(), 42);
    // A huge file (15 000 long lines) reads at once, and one short message says
    // how many lines were left out.
    f_->t.prompts.Clear();
    QByteArray huge = "{\\rtf1\\ansi ";
    for (int i = 0; i < 15000; ++i) huge += "Wiersz " + QByteArray::number(i) + ' ' + QByteArray(40, 'y') + "\\par\n";
    huge += '}';
    QVERIFY(WriteFileBytes(path, huge));
    f_->t.prompts.fileNames = {path};
    QElapsedTimer t;
    t.start();
    header_->OpenButton->click();
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(f_->t.prompts.Texts(),
             QStringList{QStringLiteral("Wiersze dłuższe niż 42 znaki zostały skrócone: 1, 2, 3, 4, 5, 6.\n"
                                        "Plik ma 15000 wierszy, wczytano 6; pominięto 14994.")});
    QCOMPARE(header_->Text().size(), 6);
}

void TestReceiptEditors::headerDownload() {
    TPobieranieNaglowka w(f_->t.services);
    w.show();
    h_->sim.WithState([](SimState& s) {
        s.header = HeaderBlock({Line("SKLEP"), Line("Dom", LineAlign::Left)}, {});
    });
    w.Button1->click();
    QCOMPARE(h_->Received('N').value(0), RegisterFrame(11, 0x8001, 'N', Hex("00 00")));
    const QStringList lines = w.RichEdit1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QString(18, ' ') + "SKLEP" + QString(19, ' '));
    QCOMPARE(lines[1], "Dom" + QString(39, ' '));
    QCOMPARE(lines[2], QString());
    // A damaged reply: the register is told, the display stays.
    h_->AddFault(QStringLiteral("N:1:damage"));
    w.Button1->click();
    QCOMPARE(w.RichEdit1->toPlainText().split('\n'), lines);
    QTRY_VERIFY(h_->ControlStatuses().contains(1));
    // A large character shows large, without its marker, and the text read can
    // be taken into the header editor.
    h_->sim.ClearFaults();
    h_->sim.WithState([](SimState& s) { s.header = HeaderBlock({Line("PROMOCJA", LineAlign::Centre, {0})}, {}); });
    w.Button1->click();
    const QString first = w.RichEdit1->toPlainText().split('\n').value(0);
    QVERIFY2(!first.contains(QChar(1)) && first.trimmed() == QStringLiteral("PROMOCJA"), qPrintable(first));
    QTextCursor c(w.RichEdit1->document());
    c.movePosition(QTextCursor::StartOfLine);
    while (c.block().text().at(c.positionInBlock()) == QLatin1Char(' ')) c.movePosition(QTextCursor::Right);
    c.movePosition(QTextCursor::Right);
    QCOMPARE(c.charFormat().fontPointSize(), 20.0);  // the P
    RichText taken;
    w.takeIntoEditor = [&](const RichText& t) { taken = t; };
    w.Button2->click();
    QCOMPARE(taken.value(0), Line("PROMOCJA", LineAlign::Centre, {0}));
    header_->TakeText(taken);
    QCOMPARE(header_->Text().value(0), Line("PROMOCJA", LineAlign::Centre, {0}));
    header_->show();  // the taken text stays, not the database's
    QCOMPARE(header_->Text().value(0).Text(), QStringLiteral("PROMOCJA"));
}

QTEST_MAIN(TestReceiptEditors)
#include "test_receipteditors.moc"

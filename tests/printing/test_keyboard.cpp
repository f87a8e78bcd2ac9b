// The keyboard overlay: its layout rules, the window's editing and colours, and
// the printed page measured after rendering it.
#include <QtTest>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "printing/Wydrukklawiatury.h"
#include "printing/keyboard.h"
#include "support/testsupport.h"

namespace {
// Text width proportional to its length and size, as a simple font would give.
const TextMeasure kMeasure = [](const PrintFont& f, const QString& t) {
    return QSize(int(t.size()) * f.points * 10, f.points * 12);
};
const PrintText* Find(const PrintPage& page, const QString& text) {
    for (const PrintText& t : page.texts)
        if (t.text == text) return &t;
    return nullptr;
}
// The longest run of dark pixels along a row of the image.
int LongestDarkRun(const QImage& image, int y) {
    int best = 0, run = 0;
    for (int x = 0; x < image.width(); ++x) {
        run = qGray(image.pixel(x, y)) < 80 ? run + 1 : 0;
        best = qMax(best, run);
    }
    return best;
}
}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void layoutRules();
    void editingAndColours();
    void printedKeySizes();
};

void TestKeyboard::layoutRules() {
    KeyboardTemplate t = KeyboardTemplate::Defaults();
    t.keys[9].bottom = QStringLiteral("DÓŁ");                    // key 10 is an arrow key
    t.keys[23].top = QStringLiteral("BARDZO DŁUGI NAPIS");       // key 24: not fitted
    const PageMetrics m{4960, 7015, 100, 100, 600, kMeasure};
    const PrintPage page = LayoutKeyboard(t, m).value(0);
    const int q = int(13 * 600 / 25.4);
    QCOMPARE(page.rects.size(), 24);
    QCOMPARE(page.rects[0].x1, 100);
    QCOMPARE(page.rects[0].x2 - page.rects[0].x1, q);
    QCOMPARE(page.rects[23].x1, 100 + 3 * q);
    QCOMPARE(page.rects[23].x2, int(100 + 3 * q + 31 * 600 / 25.4));
    QCOMPARE(page.rects[23].y1, 100 + 4 * q);
    QVERIFY(!Find(page, QStringLiteral("DÓŁ")));
    QVERIFY(Find(page, QStringLiteral("A/a")));
    // Fitting: "SYMBOLE" from 6 pt down until it fits the key; key 24's middle
    // over two pitches; its top text keeps 6 pt.
    QCOMPARE(Find(page, QStringLiteral("SYMBOLE"))->font.points, 4);
    QCOMPARE(Find(page, QStringLiteral("RAZEM"))->font.points, 12);
    QVERIFY(Find(page, QStringLiteral("RAZEM"))->font.bold);
    QCOMPARE(Find(page, QStringLiteral("BARDZO DŁUGI NAPIS"))->font.points, 6);
    QCOMPARE(Find(page, QStringLiteral("7"))->font.points, 16);
    // Four arrows of three strokes each, in their keys.
    QCOMPARE(page.lines.size(), 12);
    for (const PrintLine& l : page.lines) QVERIFY(l.x1 > 100 && l.x1 < 100 + 5 * q && l.y1 > 100 && l.y1 < 100 + 4 * q);
}

void TestKeyboard::editingAndColours() {
    TestServices t;
    TWydrukKlawiatury w(t.services);
    w.show();
    QCOMPARE(w.keys[6]->top->text(), QStringLiteral("SYMBOLE"));
    QVERIFY(!w.keys[3]->middle->isVisible());  // an arrow in its place
    w.SelectTemplateKey(7);
    QCOMPARE(w.Label75->text(), QStringLiteral("7"));
    QVERIFY(!w.Edit1->isEnabled());
    w.Button3->click();
    QCOMPARE(w.Label83->text(), QStringLiteral("Edycja tekstu dolnego:"));
    QVERIFY(w.Edit1->isEnabled());
    w.Edit1->setText(QStringLiteral("KURS WALUT"));
    QTest::keyClick(w.Edit1, Qt::Key_Return);  // Enter in the field is "Ok"
    QCOMPARE(w.keyboard.keys[6].bottom, QStringLiteral("KURS WALUT"));
    QCOMPARE(w.keys[6]->bottom->text(), QStringLiteral("KURS WALUT"));
    QVERIFY(w.keys[6]->bottom->font().pointSize() < 7);  // shrunk to fit the key on screen
    QVERIFY(!w.Edit1->isEnabled());
    QVERIFY(w.Label83->text().isEmpty());
    // A new middle colour of an arrow key is its arrow's colour.
    w.SelectTemplateKey(15);
    t.prompts.colours = {0xFF0000};
    w.swatches[1]->click();
    QCOMPARE(w.keyboard.arrowColours[3], 0xFF0000u);
    // Copy the colours to every key.
    w.SelectTemplateKey(1);
    t.prompts.colours = {0x00FF00, 0x0000FF};
    w.swatches[3]->click();
    w.swatches[0]->click();
    w.BitBtn5->click();
    for (const KeyLabel& k : w.keyboard.keys) {
        QCOMPARE(k.background, 0x00FF00u);
        QCOMPARE(k.topColour, 0x0000FFu);
    }
    QCOMPARE(w.keyboard.arrowColours[0], 0x000000u);  // the preview's middle colour
    // The template outlives the window's closing; the selection does not.
    w.hide();
    w.show();
    QCOMPARE(w.selected, 0);
    QCOMPARE(w.keyboard.keys[6].bottom, QStringLiteral("KURS WALUT"));
    // Nothing selected: an edit changes no key.
    w.Button1->click();
    w.Edit1->setText(QStringLiteral("X"));
    w.BitBtn1->click();
    for (const KeyLabel& k : w.keyboard.keys) QVERIFY(k.top != QStringLiteral("X"));
}

void TestKeyboard::printedKeySizes() {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) QSKIP("pdftoppm is installed by scripts/install-deps.sh");
    TestServices t;
    TWydrukKlawiatury w(t.services);
    w.show();
    // Key 1 and key 24 filled black: their widths are measured on the page.
    for (int k : {1, 24}) {
        w.SelectTemplateKey(k);
        t.prompts.colours = {0x000000};
        w.swatches[3]->click();
    }
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/klawiatura.pdf";
    t.prompts.printerSetup = [&](QPrinter* p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return true;
    };
    w.BitBtn3->click();
    QCOMPARE(PdfPages(pdf), 1);
    QProcess render;  // 254 dpi: ten pixels to the millimetre
    render.start("pdftoppm", {"-r", "254", "-gray", "-png", pdf, dir.path() + "/strona"});
    QVERIFY(render.waitForFinished(60000));
    const QImage page(dir.path() + "/strona-1.png");
    QVERIFY(!page.isNull());
    QPrinter printer(QPrinter::HighResolution);
    const double toImage = 254.0 / printer.logicalDpiX();
    const int q = int(13 * printer.logicalDpiX() / 25.4);
    const int row1 = int((100 + q / 2) * toImage);
    const int row5 = int((100 + 4 * q + q / 2) * toImage);
    QVERIFY2(qAbs(LongestDarkRun(page, row1) - 130) <= 3, qPrintable(QString::number(LongestDarkRun(page, row1))));
    QVERIFY2(qAbs(LongestDarkRun(page, row5) - 310) <= 3, qPrintable(QString::number(LongestDarkRun(page, row5))));
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"

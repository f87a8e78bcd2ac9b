// Code 128 and the barcode sheet: the encoder against its table of cases, the
// page layout, and the printed PDF read back by a barcode reader.
#include <QtTest>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "printing/Drukowaniekodowkreskowych.h"
#include "printing/barcodesheet.h"
#include "printing/code128.h"
#include "support/testsupport.h"

using namespace layout;

class TestBarcodes : public QObject {
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void rowsAndPages();
    void window();
    void scannerReadsThePage();
};

void TestBarcodes::encode_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<int>>("symbols");
    QTest::addColumn<int>("check");
    QTest::newRow("EAN digits") << QByteArray("5901234123457") << QList<int>{105, 59, 1, 23, 41, 23, 45, 100, 23}
                                << 20;
    QTest::newRow("13 zeros") << QByteArray("0000000000000") << QList<int>{105, 0, 0, 0, 0, 0, 0, 100, 16} << 6;
    QTest::newRow("one digit") << QByteArray("5") << QList<int>{104, 21} << 22;
    QTest::newRow("odd length") << QByteArray("1234567") << QList<int>{105, 12, 34, 56, 100, 23} << 44;
    QTest::newRow("four digits") << QByteArray("1234") << QList<int>{104, 17, 18, 19, 20} << (104 + 17 + 36 + 57 + 80) % 103;
    QTest::newRow("letters") << QByteArray("Ab1") << QList<int>{104, 33, 66, 17} << (104 + 33 + 132 + 51) % 103;
    // A lower-case letter after a control character: start A, then CODE B for it.
    QTest::newRow("control") << QByteArray("\x01" "a") << QList<int>{103, 65, 100, 65} << (103 + 65 + 200 + 195) % 103;
}

void TestBarcodes::encode() {
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, symbols);
    QFETCH(int, check);
    const Code128 code = EncodeCode128(text);
    QCOMPARE(code.symbols, symbols);
    QCOMPARE(code.check, check);
    const QString modules = Code128Modules(code);
    QCOMPARE(modules.size(), 11 * (symbols.size() + 1) + 13);
    QVERIFY(modules.endsWith(QStringLiteral("1100011101011")));
    QCOMPARE(modules.left(11), symbols[0] == 105 ? QStringLiteral("11010011100") : modules.left(11));
    QCOMPARE(Code128Scale(code), 284 / (11 * (int(symbols.size()) - 1) + 55));
}

void TestBarcodes::rowsAndPages() {
    PageMetrics m{4960, 7015, 100, 100, 600, [](const PrintFont&, const QString& t) {
                      return QSize(int(t.size()) * 60, 120);
                  }};
    QList<BarcodeItem> items;
    for (int n = 1; n <= 2000; ++n) items << BarcodeItem{QByteArray::number(5900000000000LL + n), QStringLiteral("T%1").arg(n)};
    // At 70 mm the rows are 85 mm apart, and a page holds fewer rows than at 20 mm.
    const double dpmm = 600 * 0.0393700787;
    const QList<PrintPage> tall = LayoutBarcodeSheet(items.mid(0, 10), 70, m);
    QCOMPARE(tall[0].rects.first().y1, 200);
    QCOMPARE(tall[0].rects.first().y2 - tall[0].rects.first().y1, int(70 * dpmm));
    QCOMPARE(tall[1].rects.first().y1, 200);
    QList<int> tops;
    for (const PrintRect& r : tall[0].rects)
        if (!tops.contains(r.y1)) tops << r.y1;
    QCOMPARE(tops.size(), int(tall[0].texts.size() / 2));
    QCOMPARE(tops.value(1) - tops.value(0), int(dpmm * 85));
    const QList<PrintPage> low = LayoutBarcodeSheet(items.mid(0, 10), 20, m);
    QVERIFY(tall[0].texts.size() < low[0].texts.size());
    // 2000 goods at 20 mm: full pages, the rest on the last, no empty page after it.
    const QList<PrintPage> pages = LayoutBarcodeSheet(items, 20, m);
    const int perPage = int(pages[0].texts.size() / 2);
    QVERIFY(perPage > 2);
    QCOMPARE(pages.size(), (2000 + perPage - 1) / perPage);
    int printed = 0;
    for (const PrintPage& p : pages) {
        QVERIFY(!p.texts.isEmpty());
        printed += int(p.texts.size() / 2);
    }
    QCOMPARE(printed, 2000);
    QCOMPARE(pages.last().texts.last().text, QStringLiteral("T2000"));
}

void TestBarcodes::window() {
    TestServices t;
    for (int n : {3, 9}) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Łosoś wędzony bardzo długa nazwa");
        g.price = 1999;
        g.vat = 'B';
        g.barcode = QStringLiteral("590123412345%1").arg(n);
        WriteGoodsRecord(t.image, g);
    }
    TDrukowanieKodowKreskowych w(t.services);
    w.show();
    QCOMPARE(w.CheckListBox1->count(), 2);
    QCOMPARE(w.CheckListBox1->item(0)->text(), QStringLiteral("   3. Łosoś wędzony bardzo      19,99 B"));
    emit w.CheckListBox1->itemClicked(w.CheckListBox1->item(1));
    QCOMPARE(w.Label6->text(), QStringLiteral("Kod towaru: 5901234123459"));
    QCOMPARE(w.Label3->text(), QStringLiteral("20 mm"));
    w.TrackBar1->setValue(70);
    QCOMPARE(w.rowHeight, 85);
    QCOMPARE(w.Label3->text(), QStringLiteral("70 mm"));
    w.BitBtn1->click();
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Brak zaznaczonych towarów do wydrukowania")});
    w.hide();
    w.show();  // every opening starts again at 20 mm
    QCOMPARE(w.barHeight, 20);
    QCOMPARE(w.TrackBar1->value(), 20);
}

void TestBarcodes::scannerReadsThePage() {
    if (QStandardPaths::findExecutable("zbarimg").isEmpty() || QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("zbarimg and pdftoppm are installed by scripts/install-deps.sh");
    TestServices t;
    const QStringList codes{"5901234123457", "0000000000000", "4006381333931", "0000001234567"};
    for (int i = 0; i < codes.size(); ++i) {
        GoodsFields g;
        g.number = i + 1;
        g.name = QStringLiteral("Towar %1").arg(i + 1);
        g.barcode = codes[i];
        WriteGoodsRecord(t.image, g);
    }
    TDrukowanieKodowKreskowych w(t.services);
    w.show();
    for (int i = 0; i < w.CheckListBox1->count(); ++i) w.CheckListBox1->item(i)->setCheckState(Qt::Checked);
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/kody.pdf";
    t.prompts.printerSetup = [&](QPrinter* p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return true;
    };
    w.BitBtn1->click();
    QCOMPARE(PdfPages(pdf), 1);
    QProcess render;
    render.start("pdftoppm", {"-r", "300", "-gray", "-png", pdf, dir.path() + "/strona"});
    QVERIFY(render.waitForFinished(60000));
    QProcess scan;
    scan.start("zbarimg", {"-q", "--raw", dir.path() + "/strona-1.png"});
    QVERIFY(scan.waitForFinished(60000));
    QStringList read = QString::fromLatin1(scan.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    read.sort();
    QStringList expected = codes;
    expected.sort();
    QCOMPARE(read, expected);
}

QTEST_MAIN(TestBarcodes)
#include "test_barcodes.moc"

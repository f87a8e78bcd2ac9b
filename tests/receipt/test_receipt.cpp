// The receipt header and footer: the register's line block, and RTF files.
#include <QtTest>

#include "common/text.h"
#include "receipt/lineblock.h"
#include "receipt/rtf.h"

namespace {
RichLine Line(const QString& text, LineAlign align = LineAlign::Centre, const QList<int>& large = {}) {
    RichLine l;
    l.align = align;
    for (int i = 0; i < text.size(); ++i) l.chars << RichChar{text[i], large.contains(i)};
    return l;
}
QByteArray Blanks(int n) { return QByteArray(n, ' '); }
}  // namespace
Q_DECLARE_METATYPE(RichText)

class TestReceipt : public QObject {
    Q_OBJECT
private slots:
    void block_data();
    void block();
    void storedBlocks();
    void blockBackToText();
    void readRtf_data();
    void readRtf();
    void roundTrip();
};

void TestReceipt::block_data() {
    QTest::addColumn<RichText>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("centred ABC") << RichText{Line("ABC")} << Blanks(19) + "ABC" + Blanks(20);
    QTest::newRow("right") << RichText{Line("ABC", LineAlign::Right)} << Blanks(39) + "ABC";
    QTest::newRow("left") << RichText{Line("ABC", LineAlign::Left)} << "ABC" + Blanks(39);
    QTest::newRow("large first") << RichText{Line("AB", LineAlign::Left, {0})} << "\x01" "AB" + Blanks(39);
    QTest::newRow("exactly 42") << RichText{Line(QString(42, 'x'))} << QByteArray(42, 'x');
    QTest::newRow("markers at 42") << RichText{Line(QString(21, 'y'), LineAlign::Left, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})}
                                   << QByteArray("\x01y").repeated(21);
    QTest::newRow("Polish") << RichText{Line(QStringLiteral("Żółw"), LineAlign::Left)} << ToCp1250(QStringLiteral("Żółw")) + Blanks(38);
}

void TestReceipt::block() {
    QFETCH(RichText, text);
    QFETCH(QByteArray, line);
    const QByteArray b = BuildLineBlock(text, 252);
    QCOMPARE(b.size(), 252);
    QCOMPARE(b.left(42), line);
    QCOMPARE(b.mid(42), QByteArray(210, '\0'));
}

void TestReceipt::storedBlocks() {
    // An empty footer: 126 zero bytes, the line count and three zero flags.
    QCOMPARE(FooterBlock({}), QByteArray(130, '\0'));
    const QByteArray h = HeaderBlock({Line("A"), Line("B")}, {true, false, true});
    QCOMPARE(h.size(), 259);
    QCOMPARE(h[252], char(2));
    QCOMPARE(h.mid(253), QByteArray("\x01\x00\x01\x00\x00\x00", 6));
    // Seven lines: the block keeps six.
    RichText seven;
    for (int i = 0; i < 7; ++i) seven << Line(QString::number(i));
    QCOMPARE(HeaderBlock(seven, {}).at(252), char(6));
}

void TestReceipt::blockBackToText() {
    const RichText text{Line("ABC"), Line("Prawy", LineAlign::Right), Line("  Lewy", LineAlign::Left),
                        Line(QStringLiteral("DUŻE"), LineAlign::Centre, {0, 1}), Line("")};
    const QByteArray block = HeaderBlock(text, {});
    const RichText back = RichTextFromBlock(block, 6);
    QCOMPARE(HeaderBlock(back, {}), block);
    QCOMPARE(back[0].align, LineAlign::Centre);
    QCOMPARE(back[1].align, LineAlign::Right);
    QCOMPARE(back[2].Text(), QStringLiteral("  Lewy"));
    QVERIFY(back[3].chars[0].large && back[3].chars[1].large && !back[3].chars[2].large);
    // Long lines are cut at 42 positions, a large character counting twice.
    RichText longer{Line(QString(50, 'x')), Line("ok"), Line(QString(30, 'z'), LineAlign::Left, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})};
    QCOMPARE(CutLongLines(longer), (QList<int>{1, 3}));
    QCOMPARE(longer[0].Positions(), 42);
    QCOMPARE(longer[2].Positions(), 42);
}

void TestReceipt::readRtf_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("aligns");  // LineAlign per line
    QTest::addColumn<QString>("large");      // the large characters, in order
    QTest::newRow("plain") << QByteArray("{\\rtf1\\ansi Sklep\\par Dom\\par}") << QStringList{"Sklep", "Dom"}
                           << QList<int>{0, 0} << QString();
    QTest::newRow("cp1250 bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 Zak\\'b3ad \\'9cwiat\\par}")
                                  << QStringList{QStringLiteral("Zakład świat")} << QList<int>{0} << QString();
    QTest::newRow("font charset 238") << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\\f0 \\'b3\\par}")
                                      << QStringList{QStringLiteral("ł")} << QList<int>{0} << QString();
    QTest::newRow("unicode") << QByteArray("{\\rtf1\\ansi\\uc1 \\u321?\\u243\\'f3d\\u378?\\par}")
                             << QStringList{QStringLiteral("Łódź")} << QList<int>{0} << QString();
    QTest::newRow("sizes and alignment")
        << QByteArray("{\\rtf1\\ansi\\pard\\qc\\fs20 Ma\\fs40 LY\\fs20 \\par\\pard\\qr Prawo\\par\\pard Lewo\\par}")
        << QStringList{"MaLY", "Prawo", "Lewo"} << QList<int>{1, 2, 0} << QStringLiteral("LY");
    QTest::newRow("nested groups and skipped ones")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "{\\*\\generator Writer;}{\\info{\\title Tytul}}\\pard\\qc{\\b A{\\i B}}C"
                      "{\\pict\\pngblip 89504e47}\\par}")
        << QStringList{"ABC"} << QList<int>{1} << QString();
    QTest::newRow("escapes and last line without par")
        << QByteArray("{\\rtf1 a\\\\b\\{c\\}\\par\r\nkoniec}") << QStringList{"a\\b{c}", "koniec"} << QList<int>{0, 0}
        << QString();
}

void TestReceipt::readRtf() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, aligns);
    QFETCH(QString, large);
    const std::optional<RichText> text = ReadRtf(file);
    QVERIFY(text);
    QStringList got;
    QList<int> gotAligns;
    QString gotLarge;
    for (const RichLine& l : *text) {
        got << l.Text();
        gotAligns << int(l.align);
        for (const RichChar& c : l.chars)
            if (c.large) gotLarge += c.ch;
    }
    QCOMPARE(got, lines);
    QCOMPARE(gotAligns, aligns);
    QCOMPARE(gotLarge, large);
}

void TestReceipt::roundTrip() {
    // Block → text → RTF → text → block, unchanged.
    const RichText text{Line(QStringLiteral("Sklep „Żabka”")), Line("Prawy", LineAlign::Right),
                        Line(QStringLiteral("Łódź {1}\\2"), LineAlign::Left, {0, 2}), Line("")};
    const QByteArray block = HeaderBlock(text, {true});
    const RichText fromBlock = RichTextFromBlock(block, 6);
    const std::optional<RichText> read = ReadRtf(WriteRtf(fromBlock));
    QVERIFY(read);
    QCOMPARE(*read, fromBlock);
    QCOMPARE(HeaderBlock(*read, {true}), block);
    // Not RTF, or broken: refused.
    QVERIFY(!ReadRtf("zwykły tekst"));
    QVERIFY(!ReadRtf("{\\rtf1 niedomknięty"));
    QVERIFY(!ReadRtf("{\\rtf1 a}}"));
}

QTEST_MAIN(TestReceipt)
#include "test_receipt.moc"

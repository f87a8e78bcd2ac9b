#include <QtTest>
#include <csignal>
#include <sys/resource.h>

#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "support/testsupport.h"

using namespace layout;

class TestImage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newImageDefaultContent();
    void recordCurrencyOfNewImage_data();
    void recordCurrencyOfNewImage();
    void tableEnds();
    void paddedText_data();
    void paddedText();
    void textReadStopsAtPadding();
    void sharedPosition();
    void longerWorkingFileKeepsTail();
    void workingImageCannotBeMade();
    void goodsRecordEncoding();
    void goodsRecordRefusals();
    void convertPrices();
    void convertCurrencyRates_data();
    void convertCurrencyRates();
    void registerGoodsRecordStored();
    void registerGoodsRecordOutOfTable();
    void temporaryDirectoryFallback();
    void quickKeysLoseDeletedGoods();

private:
    TempEnvironment* env_ = nullptr;
    WorkImage image_;
};

void TestImage::init() {
    env_ = new TempEnvironment;
    QCOMPARE(CreateDatabaseImage(image_, 1, QStringLiteral("PLN")), 0);
}

void TestImage::cleanup() {
    image_.Close();
    delete env_;
}

void TestImage::newImageDefaultContent() {
    const QByteArray file = ReadFileBytes(env_->Path() + "/BDTemp.bdt");
    QCOMPARE(file.size(), kImageSize);
    QByteArray expected(kImageSize, '\0');
    auto put = [&](int at, const QByteArray& b) { expected.replace(at, b.size(), b); };
    put(0, "ZELK_TUVO_V_2_00    ");
    put(20, QByteArray(1, '\1'));
    put(141560, QByteArray("\x01Kierownik", 10) + QByteArray(12, '\0') + "7519" +
                    QByteArray(7, '\1'));
    put(144573, QByteArray("\x01Grupa podstawowa") + QByteArray(5, '\0'));
    put(145032, "PLN");
    put(143280, Hex("41 FC 08 42 20 03 43 00 00 44 F4 01 45 FE FF 46 FE FF 47 FF FF"));
    put(149060, Hex("00000000 64000000 C8000000 F4010000 E8030000 D0070000 B80B0000 88130000 "
                    "10270000 50C30000"));
    QCOMPARE(file, expected);
    // The same through the field readers.
    QCOMPARE(image_.ReadTextAt(kCashiers.Offset(1) + cashier::kName, 21), QStringLiteral("Kierownik"));
    QCOMPARE(image_.ReadTextAt(kGroups.Offset(1) + group::kName, 21), QStringLiteral("Grupa podstawowa"));
    QCOMPARE(DecodeVatRate(image_.ReadWordAt(kVatTable + 1)).hundredths, 2300);
    QCOMPARE(DecodeVatRate(image_.ReadWordAt(kVatTable + 13)).kind, VatKind::Inactive);
    QCOMPARE(DecodeVatRate(image_.ReadWordAt(kVatTable + 19)).kind, VatKind::Exempt);
    for (int n = 1; n <= kGoods.count; ++n) QCOMPARE(image_.ReadWordAt(kGoods.Offset(n)), 0);
}

void TestImage::recordCurrencyOfNewImage_data() {
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("EUR") << "EUR" << QByteArray("EUR\0\0", 5);
    QTest::newRow("EU blank-filled by the new-database dialog") << " EU" << QByteArray(" EU\0\0", 5);
    QTest::newRow("after a change to EU") << "EU" << QByteArray("EU\0\0\0", 5);
}

void TestImage::recordCurrencyOfNewImage() {
    QFETCH(QString, symbol);
    QFETCH(QByteArray, stored);
    QCOMPARE(CreateDatabaseImage(image_, 1, symbol), 0);
    QCOMPARE(image_.ReadBytesAt(kRecordCurrency, 5), stored);
}

void TestImage::tableEnds() {
    QCOMPARE(kGoods.Offset(1), 5000);
    QCOMPARE(kGoods.Offset(2000), 140932);
    QCOMPARE(kGoods.Offset(2000) + kGoods.recordSize - 1, 140999);
    QCOMPARE(kDiscounts.Offset(1), 141000);
    QCOMPARE(kCashiers.Offset(1), 141560);
    QCOMPARE(kPaymentForms.Offset(1), 142220);
    QCOMPARE(kCurrencies.Offset(1), 142680);
    QCOMPARE(kPackagings.Offset(1), 143311);
    QCOMPARE(kPackagings.End(), 144271);
    QCOMPARE(kGroups.Offset(1), 144573);
    QCOMPARE(kGroups.End(), 145013);
    QCOMPARE(QuickKeyOffset(1, 1), kQuickKeys);
    QCOMPARE(QuickKeyOffset(10, 10), 148426);
    QCOMPARE(QuickKeyOffset(10, 10) + kQuickKeySize - 1, 148459);
    QVERIFY(!kGoods.Holds(0));
    QVERIFY(!kGoods.Holds(2001));
    QVERIFY(!kCashiers.Holds(21));
}

void TestImage::paddedText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("shorter") << "Abc" << QByteArray("Abc\0\0", 5);
    QTest::newRow("exactly the width") << "Abcde" << QByteArray("Abcde");
    QTest::newRow("empty") << "" << QByteArray(5, '\0');
    QTest::newRow("longer is cut") << "Abcdefgh" << QByteArray("Abcde");
    QTest::newRow("Polish letters are one byte") << QString::fromUtf8("Żółw") << QByteArray("\xAF\xF3\xB3w\0", 5);
}

void TestImage::paddedText() {
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    const int at = kGroups.Offset(5) + group::kName;
    image_.WriteBytesAt(at, QByteArray(8, 'X'));
    QVERIFY(image_.WritePaddedTextAt(at, text, 0, 5));
    QCOMPARE(image_.Position(), qint64(at + 5));
    QCOMPARE(image_.ReadBytesAt(at, 8), field + "XXX");  // bytes behind the field untouched
}

void TestImage::textReadStopsAtPadding() {
    const int at = kGroups.Offset(2) + group::kName;
    image_.WritePaddedTextAt(at, QStringLiteral("Nabiał "), 0, 21);
    QCOMPARE(image_.ReadTextAt(at, 21), QStringLiteral("Nabiał "));  // blanks stay
    const QString full = QStringLiteral("ABCDEFGHIJKLMNOPQRSTU");
    image_.WritePaddedTextAt(at, full, 0, 21);
    image_.WriteByteAt(at + 21, 7);  // next record's number right behind it
    QCOMPARE(image_.ReadTextAt(at, 21), full);
}

void TestImage::sharedPosition() {
    const int at = kPaymentForms.Offset(3);
    image_.WriteByteAt(at, 3);
    image_.WritePaddedText(QStringLiteral("Karta"), 0, 21);
    image_.WriteNextByte(1);
    QCOMPARE(image_.ReadByteAt(at), 3);
    QCOMPARE(image_.ReadNextText(21), QStringLiteral("Karta"));
    QCOMPARE(image_.ReadNextByte(), 1);
    QCOMPARE(image_.Position(), qint64(at + 23));
}

void TestImage::longerWorkingFileKeepsTail() {
    image_.Close();
    const QString path = env_->Path() + "/BDTemp.bdt";
    QByteArray old(kDatabaseFileSize + 100, 'Q');
    QVERIFY(WriteFileBytes(path, old));
    QCOMPARE(CreateDatabaseImage(image_, 1, QStringLiteral("PLN")), 0);
    const QByteArray file = ReadFileBytes(path);
    QCOMPARE(file.size(), old.size());
    QCOMPARE(file.mid(kImageSize), old.mid(kImageSize));
    QCOMPARE(file.left(16), QByteArray("ZELK_TUVO_V_2_00"));
    QCOMPARE(file.at(kImageSize - 1), '\0');
}

void TestImage::workingImageCannotBeMade() {
    GoodsFields g;
    g.number = 7;
    g.name = QStringLiteral("Mleko");
    QCOMPARE(WriteGoodsRecord(image_, g), 0);
    const QByteArray before = ReadFileBytes(env_->Path() + "/BDTemp.bdt");
    const QString where = QStringLiteral("Nie mogę utworzyć roboczej bazy danych w ") + env_->Path() + QStringLiteral(": ");
    // A folder with room for less than an image, as a full disk is.
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const int full = CreateDatabaseImage(image_, 1, QStringLiteral("EUR"), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    QCOMPARE(full, 1);
    QVERIFY2(error.startsWith(where), qPrintable(error));
    QVERIFY(error.size() > where.size());  // and why
    // Nothing half-made is left, and the image open before is as it was.
    QCOMPARE(QDir(env_->Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"BDTemp.bdt"});
    QCOMPARE(ReadFileBytes(env_->Path() + "/BDTemp.bdt"), before);
    QVERIFY(image_.Usable());
    QCOMPARE(ReadGoodsRecord(image_, 7).name, QStringLiteral("Mleko"));
    // A folder where the working file cannot be (something else holds its name).
    image_.Close();
    QVERIFY(QFile::remove(env_->Path() + "/BDTemp.bdt"));
    QVERIFY(QDir(env_->Path()).mkdir("BDTemp.bdt"));
    error.clear();
    QCOMPARE(CreateDatabaseImage(image_, 1, QStringLiteral("PLN"), &error), 1);
    QVERIFY2(error.startsWith(where), qPrintable(error));
    QVERIFY(!image_.IsOpen());
    QCOMPARE(QDir(env_->Path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TestImage::goodsRecordEncoding() {
    GoodsFields g;
    g.number = 2000;
    g.name = QString(42, QLatin1Char('N'));
    g.vat = 'D';
    g.price = 1250;
    g.barcode = QStringLiteral("123");
    g.group = 3;
    g.packaging = 2;
    g.fixedPrice = 1;
    g.byPieces = 0;
    g.halo = 9;
    g.unit = 4;
    QCOMPARE(WriteGoodsRecord(image_, g), 0);
    const QByteArray rec = image_.ReadBytesAt(140932, 68);
    QCOMPARE(rec.left(2), Hex("D0 07"));
    QCOMPARE(rec.mid(2, 42), QByteArray(42, 'N'));  // no padding byte for a full name
    QCOMPARE(rec.at(44), 'D');
    QCOMPARE(rec.mid(45, 4), Hex("E2 04 00 00"));
    QCOMPARE(rec.mid(49, 13), QByteArray("0000000000123"));
    QCOMPARE(rec.mid(62, 6), Hex("03 02 01 00 09 04"));
    QCOMPARE(image_.ReadByteAt(141000), 0);  // discount 1 untouched

    g.number = 7;
    g.barcode.clear();
    WriteGoodsRecord(image_, g);
    QCOMPARE(image_.ReadBytesAt(kGoods.Offset(7) + goods::kBarcode, 13), QByteArray(13, '0'));
    const GoodsFields back = ReadGoodsRecord(image_, 7);
    QCOMPARE(back.name, g.name);
    QCOMPARE(back.price, 1250u);
    QCOMPARE(back.unit, 4);
}

void TestImage::goodsRecordRefusals() {
    const QByteArray before = ReadFileBytes(image_.Path());
    GoodsFields g;
    g.name = QStringLiteral("X");
    for (int bad : {0, 2001, -1, 65535}) {
        g.number = bad;
        QCOMPARE(WriteGoodsRecord(image_, g), 1);
    }
    QCOMPARE(ReadFileBytes(image_.Path()), before);
    image_.Close();
    g.number = 1;
    QCOMPARE(WriteGoodsRecord(image_, g), 1);  // stream not usable
}

void TestImage::convertPrices() {
    GoodsFields g;
    g.number = 1;
    g.name = QStringLiteral("A");
    g.price = 30000000;
    WriteGoodsRecord(image_, g);
    g.number = 2;
    g.name = QStringLiteral("B");
    g.price = 250;
    WriteGoodsRecord(image_, g);
    // Discount 1: percentage 10,00 %; discount 2: amount 30000000 grosz.
    image_.WriteByteAt(kDiscounts.Offset(1), 1);
    image_.WriteByteAt(kDiscounts.Offset(1) + discount::kType, 0);
    image_.WriteLongAt(kDiscounts.Offset(1) + discount::kValue, 1000);
    image_.WriteByteAt(kDiscounts.Offset(2), 2);
    image_.WriteByteAt(kDiscounts.Offset(2) + discount::kType, 1);
    image_.WriteLongAt(kDiscounts.Offset(2) + discount::kValue, 30000000);
    image_.WriteLongAt(kPackagings.Offset(4) + packaging::kPrice, 55);
    image_.WriteLongAt(kCurrencies.Offset(1) + currency::kMantissa, 41234000);
    image_.WriteByteAt(kCurrencies.Offset(1) + currency::kPlaces, 7);

    ConvertImagePrices(image_, 4.0);
    QCOMPARE(image_.ReadLongAt(kGoods.Offset(1) + goods::kPrice), 99999999u);
    QCOMPARE(image_.ReadLongAt(kGoods.Offset(2) + goods::kPrice), 1000u);
    QCOMPARE(image_.ReadLongAt(kGoods.Offset(3) + goods::kPrice), 0u);
    QCOMPARE(image_.ReadLongAt(kDiscounts.Offset(1) + discount::kValue), 1000u);
    QCOMPARE(image_.ReadLongAt(kDiscounts.Offset(2) + discount::kValue), 99999998u);
    QCOMPARE(image_.ReadLongAt(kPackagings.Offset(4) + packaging::kPrice), 220u);
    QCOMPARE(image_.ReadLongAt(kCurrencies.Offset(1) + currency::kMantissa), 16493600u);
    QCOMPARE(image_.ReadByteAt(kCurrencies.Offset(1) + currency::kPlaces), 6);
    QCOMPARE(image_.ReadLongAt(kCurrencies.Offset(2) + currency::kMantissa), 0u);

    ConvertImagePrices(image_, 0.255);  // truncation towards zero
    QCOMPARE(image_.ReadLongAt(kGoods.Offset(2) + goods::kPrice), 255u);
    ConvertImagePrices(image_, -2.0);  // never wraps round to a huge price
    QCOMPARE(image_.ReadLongAt(kGoods.Offset(2) + goods::kPrice), 0u);
}

void TestImage::convertCurrencyRates_data() {
    QTest::addColumn<uint>("mantissa");
    QTest::addColumn<int>("places");
    QTest::addColumn<double>("factor");
    QTest::addColumn<uint>("newMantissa");
    QTest::addColumn<int>("newPlaces");
    QTest::newRow("exact") << 41234000u << 7 << 2.0 << 82468000u << 7;
    QTest::newRow("more than eight digits rounds") << 12345678u << 7 << 3.0 << 37037034u << 7;
    QTest::newRow("rounding up") << 33333333u << 7 << 3.00000003 << 10000000u << 6;
    QTest::newRow("below one keeps the editor's 0, form") << 41234000u << 7 << 0.1 << 4123400u << 7;
    QTest::newRow("carry into a ninth digit") << 99999999u << 2 << 1.00000001 << 10000000u << 1;
    QTest::newRow("too large is limited") << 99999999u << 2 << 1000000.0 << 99999999u << 0;
    QTest::newRow("empty slot") << 0u << 0 << 4.0 << 0u << 0;
}

void TestImage::convertCurrencyRates() {
    QFETCH(uint, mantissa);
    QFETCH(int, places);
    QFETCH(double, factor);
    QFETCH(uint, newMantissa);
    QFETCH(int, newPlaces);
    uint32_t m = mantissa;
    uint8_t p = uint8_t(places);
    ScaleCurrencyRate(m, p, factor);
    QCOMPARE(uint(m), newMantissa);
    QCOMPARE(int(p), newPlaces);
}

void TestImage::registerGoodsRecordStored() {
    QByteArray r(82, '\0');
    r[0] = char(0x2A);  // goods 42
    r.replace(2, 5, "Mleko");
    r[44] = 'B';
    r.replace(45, 4, Hex("E2 04 00 00"));
    r.replace(49, 8, Hex("10 27 00 00 64 00 00 00"));  // sales counters, not kept
    r.replace(57, 13, "   5901234123");
    r.replace(70, 5, Hex("02 01 00 01 03"));
    r.replace(75, 6, Hex("E8 07 07 0F 0A 1E"));  // last sale, not kept
    r[81] = 2;
    QVERIFY(StoreRegisterGoodsRecord(image_, r));
    const QByteArray rec = image_.ReadBytesAt(kGoods.Offset(42), 68);
    QCOMPARE(rec.left(49), r.left(49));
    QCOMPARE(rec.mid(49, 13), QByteArray("0005901234123"));
    QCOMPARE(rec.mid(62, 5), Hex("02 01 00 01 03"));
    QCOMPARE(rec.at(67), '\2');
}

void TestImage::registerGoodsRecordOutOfTable() {
    const QByteArray before = ReadFileBytes(image_.Path());
    for (int bad : {0, 2001, 65535}) {
        QByteArray r(82, 'Z');
        r[0] = char(bad & 0xFF);
        r[1] = char(bad >> 8);
        QVERIFY(!StoreRegisterGoodsRecord(image_, r));
    }
    QVERIFY(!StoreRegisterGoodsRecord(image_, QByteArray(40, '\1')));
    QCOMPARE(ReadFileBytes(image_.Path()), before);
}

void TestImage::temporaryDirectoryFallback() {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("TEMP", QFile::encodeName(home.path() + "/missing"));
    QCOMPARE(TemporaryDirectory(), home.path() + "/Tuvo_Tmp");
    QVERIFY(QFileInfo(home.path() + "/Tuvo_Tmp").isDir());
    qunsetenv("TEMP");
    QCOMPARE(CreateDatabaseImage(image_, 1, QStringLiteral("PLN")), 0);
    QCOMPARE(image_.Path(), home.path() + "/Tuvo_Tmp/BDTemp.bdt");
    QCOMPARE(QFileInfo(image_.Path()).size(), qint64(kImageSize));
    qputenv("HOME", oldHome);
    QCOMPARE(CreateDatabaseImage(image_, 2, QStringLiteral("PLN")), 0);  // mode 2: nothing happens
    QCOMPARE(image_.Path(), home.path() + "/Tuvo_Tmp/BDTemp.bdt");
}

void TestImage::quickKeysLoseDeletedGoods() {
    auto key = [](const char* hex) { return Hex(hex); };
    // Cashier 1 F1: goods 5, 9, 5, 12 (count 4). Cashier 2 F3: goods 7 only.
    const QByteArray f1 = key("01 01 04 0500 10270000 0900 20 4E0000 0500 10270000 0C00 10270000 "
                              "0000 00000000 01");
    const QByteArray f3 = key("02 03 01 0700 10270000 0000 00000000 0000 00000000 0000 00000000 "
                              "0000 00000000 00");
    QCOMPARE(f1.size(), 34);
    image_.WriteBytesAt(QuickKeyOffset(1, 1), f1);
    image_.WriteBytesAt(QuickKeyOffset(2, 3), f3);
    QCOMPARE(RemoveGoodsFromQuickKeys(image_, 5), 1);
    QCOMPARE(image_.ReadBytesAt(QuickKeyOffset(1, 1), 34),
             key("01 01 02 0900 204E0000 0C00 10270000 0000 00000000 0000 00000000 0000 00000000 01"));
    QCOMPARE(image_.ReadBytesAt(QuickKeyOffset(2, 3), 34), f3);
}

QTEST_GUILESS_MAIN(TestImage)
#include "test_image.moc"

// The six small tables in the core: slot bytes of each record, the slot helpers
// and the editors' value parsers.
#include <QtTest>

#include "image/layout.h"
#include "image/smalltables.h"
#include "image/workimage.h"
#include "support/testsupport.h"
#include "tables/tablevalues.h"

using namespace layout;

class TestSmallTables : public QObject {
    Q_OBJECT
private slots:
    void recordBytes_data();
    void recordBytes();
    void descriptions();
    void slotHelpers();
    void duplicateNames_data();
    void duplicateNames();
    void packagingPrice_data();
    void packagingPrice();
    void discountValue_data();
    void discountValue();
    void currencyRate_data();
    void currencyRate();
    void currencySymbol();
};

void TestSmallTables::recordBytes_data() {
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("reencoded");  // Decode(expected).Encode()
    auto zeros = [](int n) { return QByteArray(n, '\0'); };
    {
        const QByteArray e = QByteArray("\x03", 1) + "Napoje" + zeros(15);
        QTest::newRow("group") << GroupRecord{3, QStringLiteral("Napoje")}.Encode() << e
                               << GroupRecord::Decode(e).Encode();
    }
    {
        // A 21-character name fills its field with no padding byte.
        const QString full(21, QLatin1Char('x'));
        const QByteArray e = QByteArray("\x14", 1) + QByteArray(21, 'x');
        QTest::newRow("group, full name") << GroupRecord{20, full}.Encode() << e << GroupRecord::Decode(e).Encode();
    }
    {
        QByteArray e = QByteArray("\x02", 1) + "Butelka" + zeros(35) + Hex("96 00 00 00 01");
        QTest::newRow("packaging") << PackagingRecord{2, QStringLiteral("Butelka"), 150, 1}.Encode() << e
                                   << PackagingRecord::Decode(e).Encode();
    }
    {
        CashierRecord c;
        c.number = 5;
        c.name = QStringLiteral("Łucja");
        c.password = "12";
        c.rights = {1, 0, 1, 0, 1, 0, 1};
        QByteArray e = QByteArray("\x05", 1) + Hex("A3") + "ucja" + zeros(16) + "12" + zeros(2) + Hex("01 00 01 00 01 00 01");
        QTest::newRow("cashier, Windows-1250 name") << c.Encode() << e << CashierRecord::Decode(e).Encode();
    }
    {
        const QByteArray e = QByteArray("\x07", 1) + "Sta" + Hex("B3") + "y" + zeros(16) + Hex("01 00 E2 04 00 00");
        QTest::newRow("discount") << DiscountRecord{7, QStringLiteral("Stały"), 1, 0, 1250}.Encode() << e
                                  << DiscountRecord::Decode(e).Encode();
    }
    {
        QByteArray e = QByteArray("\x0A", 1) + "Karta" + zeros(16) + Hex("01");
        QTest::newRow("payment form") << PaymentFormRecord{10, QStringLiteral("Karta"), 1}.Encode() << e
                                      << PaymentFormRecord::Decode(e).Encode();
    }
    {
        QByteArray e = QByteArray("\x01", 1) + "Euro" + zeros(17) + Hex("50 2E 75 02 07") + "EU ";
        QTest::newRow("currency, symbol blank-filled")
            << CurrencyRecord{1, QStringLiteral("Euro"), 41234000, 7, "EU"}.Encode() << e
            << CurrencyRecord::Decode(e).Encode();
    }
}

void TestSmallTables::recordBytes() {
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, reencoded);
    QCOMPARE(encoded.toHex(' '), expected.toHex(' '));
    QCOMPARE(reencoded, expected);
}

void TestSmallTables::descriptions() {
    // Where each table lies, how many slots the editors use, and its command.
    struct Row { const SmallTable& t; int first; int size; int listed; int max; char command; };
    const Row rows[] = {{kDiscountTable, 141000, 28, 20, 20, 'R'},   {kCashierTable, 141560, 33, 20, 10, 'K'},
                        {kPaymentFormTable, 142220, 23, 10, 10, 'F'}, {kCurrencyTable, 142680, 30, 10, 10, 'W'},
                        {kPackagingTable, 143311, 48, 20, 20, 'Z'},   {kGroupTable, 144573, 22, 20, 20, 'G'}};
    for (const Row& r : rows) {
        QCOMPARE(r.t.area.First(), r.first);
        QCOMPARE(r.t.area.recordSize, r.size);
        QCOMPARE(r.t.area.count, 20);
        QCOMPARE(r.t.listed, r.listed);
        QCOMPARE(r.t.maxNumber, r.max);
        QCOMPARE(char(r.t.command), r.command);
        QCOMPARE(&SmallTableOf(r.t.id), &r.t);
    }
}

void TestSmallTables::slotHelpers() {
    TempEnvironment env;
    WorkImage image;
    QVERIFY(image.Open(env.Path() + "/BDTemp.bdt"));
    image.ClearBytes(0, kImageSize);
    QCOMPARE(FirstFreeNumber(image, kCashierTable), 1);
    for (int n : {1, 2, 4}) image.WriteBytesAt(kCashierTable.area.Offset(n), CashierRecord{uint8_t(n), "K"}.Encode());
    // A cashier in slot 15 (only the register stores one there) is listed too.
    image.WriteBytesAt(kCashierTable.area.Offset(15), CashierRecord{15, "R"}.Encode());
    QCOMPARE(OccupiedSlots(image, kCashierTable), (QList<int>{1, 2, 4, 15}));
    QCOMPARE(FirstFreeNumber(image, kCashierTable), 3);
    // Payment forms list 10 slots: slot 11 is not theirs to show.
    image.WriteBytesAt(kPaymentFormTable.area.Offset(11), PaymentFormRecord{11, "X", 1}.Encode());
    QVERIFY(OccupiedSlots(image, kPaymentFormTable).isEmpty());
    for (int n = 1; n <= 10; ++n)
        image.WriteBytesAt(kCurrencyTable.area.Offset(n), CurrencyRecord{uint8_t(n), "W", 1, 0, "W"}.Encode());
    QCOMPARE(FirstFreeNumber(image, kCurrencyTable), 0);

    QVERIFY(BlankName(QString(21, QLatin1Char(' '))));
    QVERIFY(!BlankName(QStringLiteral("a") + QString(20, QLatin1Char(' '))));
    QVERIFY(!BlankName(QStringLiteral("\t")));
}

void TestSmallTables::duplicateNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("slot");
    QTest::newRow("same bytes") << "Napoje" << 3;
    QTest::newRow("other case") << "NAPOJE" << 0;
    QTest::newRow("trailing blanks compare equal") << "Napoje   " << 3;
    QTest::newRow("leading blank differs") << " Napoje" << 0;
    QTest::newRow("Polish letter") << "Słodycze" << 5;
    QTest::newRow("in slot 20") << "Ostatnia" << 20;
    QTest::newRow("new") << "Pieczywo" << 0;
}

void TestSmallTables::duplicateNames() {
    QFETCH(QString, name);
    QFETCH(int, slot);
    TempEnvironment env;
    WorkImage image;
    QVERIFY(image.Open(env.Path() + "/BDTemp.bdt"));
    image.ClearBytes(0, kImageSize);
    image.WriteBytesAt(kGroupTable.area.Offset(3), GroupRecord{3, QStringLiteral("Napoje")}.Encode());
    image.WriteBytesAt(kGroupTable.area.Offset(5), GroupRecord{5, QStringLiteral("Słodycze")}.Encode());
    image.WriteBytesAt(kGroupTable.area.Offset(20), GroupRecord{20, QStringLiteral("Ostatnia")}.Encode());
    QCOMPARE(DuplicateNameSlot(image, kGroupTable, name), slot);
}

void TestSmallTables::packagingPrice_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("grosz");
    QTest::addColumn<QString>("error");
    const QString bad = QStringLiteral("     Błędna wartość w polu Cena     ");
    QTest::newRow("1.5") << "1.5" << 150 << QString();
    QTest::newRow("1,5") << "1,5" << 150 << QString();
    QTest::newRow("0,29 truncated, not rounded down a grosz") << "0,29" << 29 << QString();
    QTest::newRow("0,019 truncated") << "0,019" << 1 << QString();
    QTest::newRow("zero") << "0" << 0 << QStringLiteral("     Cena musi mieć wartość niezerową     ");
    QTest::newRow("below a grosz") << "0,001" << 0 << QStringLiteral("     Cena musi mieć wartość niezerową     ");
    QTest::newRow("negative") << "-1" << 0 << bad;
    QTest::newRow("letters") << "1a" << 0 << bad;
    QTest::newRow("two commas") << "1,2,3" << 0 << bad;
    QTest::newRow("largest") << "999999,99" << 99999999 << QString();
    QTest::newRow("beyond a 32-bit price") << "999999999" << 0 << bad;
}

void TestSmallTables::packagingPrice() {
    QFETCH(QString, text);
    QFETCH(int, grosz);
    QFETCH(QString, error);
    const Checked<int32_t> r = ParsePackagingPrice(text);
    QCOMPARE(r.error, error);
    if (error.isEmpty()) QCOMPARE(r.value, grosz);
}

void TestSmallTables::discountValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("amount");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("error");
    const QString chars = QStringLiteral("Błędna wartość w polu Wartosc");
    const QString decimals = QStringLiteral("Błędna wartość w polu Wartość");
    const QString percent = QStringLiteral(
        "    Wartość rabatu/narzutu procentowego musi zawierać się w przedziale: 0,01 % - 99,99 %      ");
    QTest::newRow("12,5 %") << "12,5" << false << 1250 << QString();
    QTest::newRow("99,99 %") << "99,99" << false << 9999 << QString();
    QTest::newRow("0,01 %") << "0,01" << false << 1 << QString();
    QTest::newRow("0,29 % kept whole") << "0,29" << false << 29 << QString();
    QTest::newRow("100 %") << "100" << false << 0 << percent;
    QTest::newRow("0 %") << "0" << false << 0 << percent;
    QTest::newRow("100 as amount") << "100" << true << 10000 << QString();
    QTest::newRow("three decimals") << "0,001" << false << 0 << decimals;
    QTest::newRow("dot") << "12.5" << false << 0 << chars;
    QTest::newRow("slash") << "1/2" << false << 0 << chars;
    QTest::newRow("second comma") << "1,2,3" << true << 0 << chars;
    QTest::newRow("blank") << "1 2" << true << 0 << chars;
    QTest::newRow("amount 0") << "0,00" << true << 0
                              << QStringLiteral("    Wartość rabatu/narzutu kwotowego nie może być mniejsza lub równa 0     ");
    QTest::newRow("amount 999999,98") << "999999,98" << true << 99999998 << QString();
    QTest::newRow("amount 999999,99") << "999999,99" << true << 0
                                      << QStringLiteral("    Maksymalna wartość rabatu/narzutu kwotowego to 999999,98     ");
    QTest::newRow("amount of nine digits") << "999999999" << true << 0
                                           << QStringLiteral("    Maksymalna wartość rabatu/narzutu kwotowego to 999999,98     ");
}

void TestSmallTables::discountValue() {
    QFETCH(QString, text);
    QFETCH(bool, amount);
    QFETCH(int, value);
    QFETCH(QString, error);
    const Checked<int32_t> r = ParseDiscountValue(text, amount);
    QCOMPARE(r.error, error);
    if (error.isEmpty()) QCOMPARE(r.value, value);
}

void TestSmallTables::currencyRate_data() {
    QTest::addColumn<QString>("text");  // as the field holds it after its first "." became ","
    QTest::addColumn<QString>("first");  // CheckCurrencyRate
    QTest::addColumn<int>("mantissa");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("error");  // NormaliseCurrencyRate
    const QString bad = QStringLiteral("Błędna wartość w polu Kurs");
    QTest::newRow("4,1234") << "4,1234" << QString() << 41234000 << 7 << QString();
    QTest::newRow("0,5") << "0,5" << QString() << 5000000 << 7 << QString();
    QTest::newRow("123456") << "123456" << QString() << 12345600 << 2 << QString();
    QTest::newRow("12345678") << "12345678" << QStringLiteral("Zbyt duża wartosc w polu KURS!") << 12345678 << 0
                              << QString();
    QTest::newRow("999999,99") << "999999,99" << QString() << 99999999 << 2 << QString();
    QTest::newRow("05") << "05" << QString() << 0 << 0 << bad;
    QTest::newRow(",5") << ",5" << QString() << 0 << 0 << bad;
    QTest::newRow("minus") << "-5" << QString() << 0 << 0 << bad;
    QTest::newRow("trailing comma") << "4," << QString() << 0 << 0 << QStringLiteral("     Błędna wartość w polu Kurs     ");
    QTest::newRow("second dot") << "1,2.3" << QStringLiteral("Błędnie wypełnione pole KURS!") << 0 << 0 << bad;
    QTest::newRow("letters") << "abc" << QStringLiteral("Błędnie wypełnione pole KURS!") << 0 << 0 << bad;
}

void TestSmallTables::currencyRate() {
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(int, mantissa);
    QFETCH(int, places);
    QFETCH(QString, error);
    QCOMPARE(CheckCurrencyRate(text), first);
    const Checked<RateDigits> r = NormaliseCurrencyRate(text);
    QCOMPARE(r.error, error);
    if (error.isEmpty()) {
        QCOMPARE(r.value.mantissa, mantissa);
        QCOMPARE(int(r.value.places), places);
    }
}

void TestSmallTables::currencySymbol() {
    QCOMPARE(CurrencySymbolField(QStringLiteral("EU")), QByteArray("EU "));
    QCOMPARE(CurrencySymbolField(QStringLiteral("USD")), QByteArray("USD"));
    QCOMPARE(CurrencySymbolField(QString()), QByteArray("   "));
    QCOMPARE(CurrencySymbolField(QStringLiteral("zł")), QByteArray("z\xB3 "));
}

QTEST_GUILESS_MAIN(TestSmallTables)
#include "test_smalltables.moc"

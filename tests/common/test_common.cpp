#include <QtTest>

#include "common/numbers.h"
#include "common/progress.h"
#include "support/testsupport.h"
#include "common/text.h"

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void progressIsPaced();
    void hundredths_data();
    void hundredths();
    void quantity_data();
    void quantity();
    void decimalInput_data();
    void decimalInput();
    void integers_data();
    void integers();
    void polishLettersRoundTrip();
    void storableCharacters_data();
    void storableCharacters();
    void polishOrder();
};

void TestCommon::hundredths_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0,00";
    QTest::newRow("5") << qint64(5) << "0,05";
    QTest::newRow("47") << qint64(47) << "0,47";
    QTest::newRow("100") << qint64(100) << "1,00";
    QTest::newRow("1250") << qint64(1250) << "12,50";
    QTest::newRow("max price") << qint64(99999999) << "999999,99";
    QTest::newRow("negative") << qint64(-5) << "-0,05";
}

void TestCommon::hundredths() {
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(FormatHundredths(value), text);
}

void TestCommon::quantity_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << qint64(5) << "0,0005";
    QTest::newRow("10000") << qint64(10000) << "1,0000";
    QTest::newRow("12345") << qint64(12345) << "1,2345";
    QTest::newRow("1500000") << qint64(1500000) << "150,0000";
}

void TestCommon::quantity() {
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(FormatQuantity(value), text);
}

void TestCommon::decimalInput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("grosz");
    QTest::newRow("dot") << "12.5" << true << qint64(1250);
    QTest::newRow("comma") << "12,5" << true << qint64(1250);
    QTest::newRow("two decimals") << "12,50" << true << qint64(1250);
    QTest::newRow("half grosz") << "0,005" << true << qint64(0);
    QTest::newRow("float noise") << "0,29" << true << qint64(29);
    QTest::newRow("1,15") << "1,15" << true << qint64(115);
    QTest::newRow("integer") << "7" << true << qint64(700);
    QTest::newRow("million") << "1000000" << true << qint64(100000000);
    QTest::newRow("blanks around") << " 3,10 " << true << qint64(310);
    QTest::newRow("negative") << "-1" << true << qint64(-100);
    QTest::newRow("letter") << "12a" << false << qint64(0);
    QTest::newRow("two commas") << "1,2,3" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("comma only") << "," << false << qint64(0);
}

void TestCommon::decimalInput() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, grosz);
    const auto v = ParseDecimal(text);
    QCOMPARE(v.has_value(), valid);
    if (valid) QCOMPARE(GroszFromDecimal(*v), grosz);
}

void TestCommon::integers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("value");
    QTest::newRow("plain") << "2000" << true << qint64(2000);
    QTest::newRow("leading blanks") << "  12" << true << qint64(12);
    QTest::newRow("sign") << "-3" << true << qint64(-3);
    QTest::newRow("trailing blank") << "12 " << false << qint64(0);
    QTest::newRow("decimal") << "1,5" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("huge") << "99999999999999999999999" << false << qint64(0);
}

void TestCommon::integers() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, value);
    const auto v = ParseInteger(text);
    QCOMPARE(v.has_value(), valid);
    if (valid) QCOMPARE(*v, value);
}

void TestCommon::polishLettersRoundTrip() {
    const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ„”");
    const QByteArray bytes = ToCp1250(letters);
    QCOMPARE(bytes, QByteArray::fromHex("b9e6eab3f1f39c9fbfa5c6caa3d1d38c8faf8494"));
    QCOMPARE(FromCp1250(bytes), letters);
    const char field[6] = {'M', char(0xB3), 'y', 'n', 0, 'x'};
    QCOMPARE(FromCp1250Field(field, 6), QStringLiteral("Młyn"));
}

void TestCommon::storableCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("refused");  // 0: every character can be stored
    QTest::addColumn<QString>("kept");
    QTest::newRow("Polish") << QStringLiteral("Żółć ĄĘŚĆŃŹŁ") << 0u << QStringLiteral("Żółć ĄĘŚĆŃŹŁ");
    QTest::newRow("euro and section") << QStringLiteral("5 € §") << 0u << QStringLiteral("5 € §");
    QTest::newRow("cup of coffee") << QStringLiteral("Ka☕wa") << 0x2615u << QStringLiteral("Kawa");
    QTest::newRow("Cyrillic") << QStringLiteral("Жurek") << 0x416u << QStringLiteral("urek");
    QTest::newRow("outside the BMP") << QStringLiteral("a😀b") << 0x1F600u << QStringLiteral("ab");
}

void TestCommon::storableCharacters() {
    QFETCH(QString, text);
    QFETCH(uint, refused);
    QFETCH(QString, kept);
    QCOMPARE(uint(FirstOutsideCp1250(text)), refused);
    QCOMPARE(OnlyCp1250(text), kept);
    QCOMPARE(FromCp1250(ToCp1250(kept)), kept);  // what is kept is stored whole
}

void TestCommon::polishOrder() {
    QStringList names{"Żaba", "Zebra", "Łódź", "Lody", "Śledź", "Sok", "ser", "Ala", "Ćma", "Cebula"};
    std::sort(names.begin(), names.end(), PolishLess);
    QCOMPARE(names, (QStringList{"Ala", "Cebula", "Ćma", "Lody", "Łódź", "ser", "Sok", "Śledź", "Zebra", "Żaba"}));
}

// A 2000-record run shows its progress a few dozen times, not per record, and
// the last step (the final count) always shows; with time passing on the
// program's clock it moves every 50 ms.
void TestCommon::progressIsPaced() {
    VirtualClock clock;
    ProgressPacer fast(clock);
    QList<int> shown;
    for (int i = 1; i <= 2000; ++i)
        if (fast.Due(i == 2000)) shown << i;
    QVERIFY2(shown.size() <= 40, qPrintable(QString::number(shown.size())));
    QCOMPARE(shown.first(), 1);
    QCOMPARE(shown.last(), 2000);
    ProgressPacer paced(clock);
    int count = 0;
    for (int i = 1; i <= 100; ++i) {
        clock.Sleep(10);  // a frame every 10 ms
        if (paced.Due()) ++count;
    }
    QVERIFY2(count >= 19 && count <= 21, qPrintable(QString::number(count)));
}

QTEST_APPLESS_MAIN(TestCommon)
#include "test_common.moc"

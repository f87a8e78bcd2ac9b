// CSV export and import of the seven tables, and the window that runs them.
#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "exchange/Eksportbazy.h"
#include "exchange/csvtables.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "support/simtables.h"
#include "support/testsupport.h"

using namespace layout;

namespace {
const layout::Table& AreaOf(CsvTable t) {
    switch (t) {
        case CsvTable::Goods: return kGoods;
        case CsvTable::Packagings: return kPackagings;
        case CsvTable::Cashiers: return kCashiers;
        case CsvTable::Groups: return kGroups;
        case CsvTable::Discounts: return kDiscounts;
        case CsvTable::PaymentForms: return kPaymentForms;
        case CsvTable::Currencies: return kCurrencies;
    }
    return kGoods;
}
const SmallTable* SmallOf(CsvTable t) {
    switch (t) {
        case CsvTable::Packagings: return &kPackagingTable;
        case CsvTable::Cashiers: return &kCashierTable;
        case CsvTable::Groups: return &kGroupTable;
        case CsvTable::Discounts: return &kDiscountTable;
        case CsvTable::PaymentForms: return &kPaymentFormTable;
        case CsvTable::Currencies: return &kCurrencyTable;
        case CsvTable::Goods: break;
    }
    return nullptr;
}
int Highest(CsvTable t) {
    return t == CsvTable::Goods ? 2000
           : (t == CsvTable::Cashiers || t == CsvTable::PaymentForms || t == CsvTable::Currencies) ? 10
                                                                                                    : 20;
}
QByteArray Area(WorkImage& image, CsvTable t) {
    const layout::Table& a = AreaOf(t);
    return image.ReadBytesAt(a.Offset(1), a.recordSize * Highest(t));
}
void ClearArea(WorkImage& image, CsvTable t) {
    const layout::Table& a = AreaOf(t);
    image.ClearBytes(a.Offset(1), a.recordSize * Highest(t));
}
QByteArray Cp(const char* utf8) { return ToCp1250(QString::fromUtf8(utf8)); }
}  // namespace

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void exportText();
    void importCases();
    void badLineWritesNothing();
    void registerRefusedValues_data();
    void registerRefusedValues();
    void window();
};

void TestCsv::roundTrip_data() {
    QTest::addColumn<int>("table");
    for (const CsvTableInfo& t : CsvTables()) QTest::newRow(qPrintable(t.title)) << int(t.id);
}

void TestCsv::roundTrip() {
    QFETCH(int, table);
    const CsvTable id = CsvTable(table);
    TestServices t;
    if (id == CsvTable::Goods) {
        for (int n : {1, 7, 2000}) {
            GoodsFields g;
            g.number = n;
            g.name = QStringLiteral("Żółw %1 ").arg(n);  // trailing blank kept
            g.price = n == 7 ? 47 : uint32_t(1250 * n);
            g.vat = 'C';
            g.barcode = QStringLiteral("590123412345%1").arg(n % 10);
            g.group = 3;
            g.packaging = 2;
            g.fixedPrice = 1;
            g.byPieces = 1;
            g.halo = 4;
            g.unit = 2;  // not part of the line: comes back as 0
            WriteGoodsRecord(t.image, g);
        }
    } else {
        for (int n = 1; n <= Highest(id); n += 3) PutPcRecord(t.image, *SmallOf(id), n);
    }
    QByteArray expected = Area(t.image, id);
    if (id == CsvTable::Goods)
        for (int n : {1, 7, 2000}) expected[(n - 1) * kGoods.recordSize + goods::kUnit] = 0;
    const QByteArray file = ExportCsv(t.image, id);
    ClearArea(t.image, id);
    const ImportOutcome out = ImportCsv(t.image, file);
    QCOMPARE(out.error, QString());
    QCOMPARE(out.table, std::optional<CsvTable>(id));
    QCOMPARE(Area(t.image, id), expected);
    // CR LF line ends read the same.
    ClearArea(t.image, id);
    QByteArray crlf = file;
    crlf.replace("\n", "\r\n");
    QCOMPARE(ImportCsv(t.image, crlf).error, QString());
    QCOMPARE(Area(t.image, id), expected);
}

void TestCsv::exportText() {
    TestServices t;
    GoodsFields g;
    g.number = 12;
    g.name = QStringLiteral("Mleko");
    g.price = 47;
    g.barcode = QStringLiteral("5901234123457");
    WriteGoodsRecord(t.image, g);
    QCOMPARE(ExportCsv(t.image, CsvTable::Goods),
             QByteArray("Towary\nNumer;Nazwa;Cena;PTU;Kod;Numer grupy;Numer opakowania;Cena sztywna;"
                        "Sprzedaz na sztuki;Indeks HALO\n12;Mleko;0,47;A;5901234123457;1;0;0;0;0\n"));
    t.image.WriteBytesAt(kCurrencies.Offset(1), CurrencyRecord{1, QStringLiteral("Euro"), 41234000, 7, "EUR"}.Encode());
    t.image.WriteBytesAt(kCurrencies.Offset(2), CurrencyRecord{2, QStringLiteral("Jen"), 4, 0, "JPY"}.Encode());
    QCOMPARE(ExportCsv(t.image, CsvTable::Currencies),
             QByteArray("Waluty\nNumer;Nazwa;Kurs;Symbol\n1;Euro;4,1234000;EUR\n2;Jen;00000004;JPY\n"));
    QCOMPARE(DefaultExportName(QStringLiteral("sklep.zkf"), CsvTable::Goods), QStringLiteral("sklep_towary.csv"));
    QCOMPARE(DefaultExportName(QStringLiteral("Bez nazwy"), CsvTable::Goods), QStringLiteral("Bez nazwy_towary.csv"));
    QCOMPARE(DefaultExportName(QStringLiteral("a.zkf"), CsvTable::PaymentForms), QStringLiteral("a_formy_plat.csv"));
}

void TestCsv::importCases() {
    TestServices t;
    // A packaging line numbered 1 goes to slot 1.
    QCOMPARE(ImportCsv(t.image, "Opakowania\nh\n1;Butelka;0,50;1\n").written, 1);
    QCOMPARE(PackagingRecord::Decode(t.image.ReadBytesAt(kPackagings.Offset(1), 48)).price, 50);
    // A rate without a comma: mantissa 4, no places.
    ImportCsv(t.image, "Waluty\nh\n3;Jen;4;JPY\n4;Euro;4,1234000;EUR\n");
    const CurrencyRecord yen = CurrencyRecord::Decode(t.image.ReadBytesAt(kCurrencies.Offset(3), 30));
    QCOMPARE(yen.mantissa, 4);
    QCOMPARE(yen.places, uint8_t(0));
    const CurrencyRecord euro = CurrencyRecord::Decode(t.image.ReadBytesAt(kCurrencies.Offset(4), 30));
    QCOMPARE(euro.mantissa, 41234000);
    QCOMPARE(euro.places, uint8_t(7));
    // Goods 2500 is skipped; the lines after it are read.
    const ImportOutcome goods = ImportCsv(t.image, "Towary\nh\n2500;Za duży;1,00;A;1;1;0;0;0;0\n5;Dobry;1,00;A;1;1;0;0;0;0\n");
    QCOMPARE(goods.skipped, 1);
    QCOMPARE(goods.written, 1);
    QCOMPARE(ReadGoodsRecord(t.image, 5).name, QStringLiteral("Dobry"));
    // The groups title with a trailing ";" is recognised, "Grupy towarowe" is not.
    QCOMPARE(ImportCsv(t.image, "Grupy;\nh\n2;Napoje\n").table, std::optional<CsvTable>(CsvTable::Groups));
    const ImportOutcome other = ImportCsv(t.image, "Grupy towarowe\nh\n3;Nic\n");
    QVERIFY(!other.table);
    QCOMPARE(other.written, 0);
    QCOMPARE(GroupRecord::Decode(t.image.ReadBytesAt(kGroups.Offset(3), 22)).number, uint8_t(0));
    QCOMPARE(ImportCsv(t.image, Cp("FORMY PŁATNOŚCI\nh\n2;Karta;2\n")).table, std::optional<CsvTable>(CsvTable::PaymentForms));
    // UTF-8, as a spreadsheet saves it, with and without the byte-order mark.
    ImportCsv(t.image, QStringLiteral("Grupy\nNumer;Nazwa\n4;Żółć\n").toUtf8());
    QCOMPARE(t.image.ReadBytesAt(kGroups.Offset(4) + 1, 4), Cp("Żółć"));
    ImportCsv(t.image, "\xEF\xBB\xBF" + QStringLiteral("Grupy\nh\n5;Źdźbło\n").toUtf8());
    QCOMPARE(GroupRecord::Decode(t.image.ReadBytesAt(kGroups.Offset(5), 22)).name, QStringLiteral("Źdźbło"));
    const ImportOutcome emoji = ImportCsv(t.image, QStringLiteral("Grupy\nh\n6;Kawa ☕\n").toUtf8());
    QCOMPARE(emoji.error, QStringLiteral("Błąd w wierszu 3: znak „☕” nie może być zapisany w bazie kasy."));
    QCOMPARE(emoji.written, 0);
}

void TestCsv::badLineWritesNothing() {
    TestServices t;
    QByteArray file = "Towary\nh\n";
    for (int n = 1; n <= 8; ++n) file += QByteArray::number(n) + (n == 5 ? ";T;1,2x;A;1;1;0;0;0;0\n" : ";T;1,20;A;1;1;0;0;0;0\n");
    const ImportOutcome out = ImportCsv(t.image, file);
    QCOMPARE(out.error, QStringLiteral("Błąd w wierszu 7: '1,2x' nie jest prawidłową liczbą."));
    QCOMPARE(out.written, 0);
    QVERIFY(ReadGoodsRecord(t.image, 1).number == 0);
    // A flag that does not fit its byte is refused too.
    QCOMPARE(ImportCsv(t.image, "Kasjerzy\nh\n1;Ala;12;1;1;1;300;0;0;0\n").error,
             QStringLiteral("Błąd w wierszu 3: wartość 300 jest poza zakresem 0-1."));
}

// Values the register would refuse never reach the image: the line is named
// and nothing of the file is written.
void TestCsv::registerRefusedValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("why");
    QTest::newRow("negative price") << QByteArray("2;Mleko;-1,00;A;1;1;0;0;0;0")
                                    << QStringLiteral("'-1,00' jest poza zakresem 0,00-999999,99.");
    QTest::newRow("VAT Z") << QByteArray("2;Mleko;1,00;Z;1;1;0;0;0;0") << QStringLiteral("'Z' nie jest stawką PTU (A-G).");
    QTest::newRow("VAT empty") << QByteArray("2;Mleko;1,00;;1;1;0;0;0;0") << QStringLiteral("'' nie jest stawką PTU (A-G).");
    QTest::newRow("barcode letters") << QByteArray("2;Mleko;1,00;A;59A1;1;0;0;0;0")
                                     << QStringLiteral("kod '59A1' może zawierać tylko cyfry.");
    QTest::newRow("flag 2") << QByteArray("2;Mleko;1,00;A;1;1;0;2;0;0") << QStringLiteral("wartość 2 jest poza zakresem 0-1.");
    QTest::newRow("HALO 10") << QByteArray("2;Mleko;1,00;A;1;1;0;0;0;10") << QStringLiteral("wartość 10 jest poza zakresem 0-9.");
    QTest::newRow("group 0") << QByteArray("2;Mleko;1,00;A;1;0;0;0;0;0") << QStringLiteral("wartość 0 jest poza zakresem 1-20.");
}

void TestCsv::registerRefusedValues() {
    QFETCH(QByteArray, line);
    QFETCH(QString, why);
    TestServices t;
    const ImportOutcome out = ImportCsv(t.image, "Towary\nh\n1;Chleb;2,50;B;590;1;0;1;1;9\n" + line + "\n");
    QCOMPARE(out.error, QStringLiteral("Błąd w wierszu 4: ") + why);
    QCOMPARE(out.written, 0);
    QCOMPARE(ReadGoodsRecord(t.image, 1).number, 0);
}

void TestCsv::window() {
    TestServices t;
    t.app.databaseName = QStringLiteral("sklep.zkf");
    TEksportBazy w(t.services);
    w.show();
    QCOMPARE(w.ComboBox1->count(), 7);
    QCOMPARE(w.ComboBox1->itemText(4), QStringLiteral("Baza rabatów/natzutów"));
    GoodsFields g;
    g.number = 3;
    g.name = QStringLiteral("Śledź");
    g.price = 999;
    WriteGoodsRecord(t.image, g);
    QTemporaryDir dir;
    const QString path = dir.path() + "/sklep_towary.csv";
    QVERIFY(WriteFileBytes(path, QByteArray(4000, 'x')));  // an older, longer export
    t.prompts.fileNames = {path};
    t.prompts.answers = {PromptAnswer::Yes};
    w.Button1->click();
    QCOMPARE(t.prompts.dialogs.value(0).fileName, QStringLiteral("sklep_towary.csv"));
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Plik ") + path + QStringLiteral(" już istnieje. Kontynuować? ")});
    QCOMPARE(ReadFileBytes(path), ExportCsv(t.image, CsvTable::Goods));
    QCOMPARE(w.Label5->text(), QStringLiteral("Wyeksportowano bazę towarów"));
    // Answered No: the file stays.
    t.prompts.Clear();
    QVERIFY(WriteFileBytes(path, "stary"));
    t.prompts.fileNames = {path};
    t.prompts.answers = {PromptAnswer::No};
    w.Button1->click();
    QCOMPARE(ReadFileBytes(path), QByteArray("stary"));
    QVERIFY(w.Label5->text().isEmpty());
    // UTF-8 for spreadsheets: the byte-order mark, the Polish letters as UTF-8,
    // and the import reads it back to the same goods.
    t.prompts.Clear();
    w.ComboBox2->setCurrentIndex(1);
    t.prompts.fileNames = {path};
    w.Button1->click();
    const QByteArray utf8 = ReadFileBytes(path);
    QVERIFY(utf8.startsWith("\xEF\xBB\xBFTowary\n"));
    QVERIFY(utf8.contains(QStringLiteral("Śledź").toUtf8()));
    const QByteArray before = t.image.ReadBytesAt(kGoods.Offset(3), kGoods.recordSize);
    t.image.ClearBytes(kGoods.Offset(3), kGoods.recordSize);
    t.prompts.fileNames = {path};
    w.BitBtn1->click();
    QCOMPARE(t.image.ReadBytesAt(kGoods.Offset(3), kGoods.recordSize), before);
    w.ComboBox2->setCurrentIndex(0);
    // Import: the records are written and the change is there to save.
    QVERIFY(WriteFileBytes(path, "Grupy\nNumer;Nazwa\n7;Pieczywo\n"));
    t.prompts.fileNames = {path};
    t.app.databaseModified = false;
    w.BitBtn1->click();
    QCOMPARE(w.Label2->text(), QStringLiteral("Zaimportowano bazę grup towarowych"));
    QVERIFY(t.app.databaseModified);
    QCOMPARE(GroupRecord::Decode(t.image.ReadBytesAt(kGroups.Offset(7), 22)).name, QStringLiteral("Pieczywo"));
    // A refused line is said with its number; the done text stays empty.
    t.prompts.Clear();
    QVERIFY(WriteFileBytes(path, "Rabaty i narzuty\nh\n1;R;0;0;abc\n"));
    t.prompts.fileNames = {path};
    w.BitBtn1->click();
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Błąd w wierszu 3: 'abc' nie jest prawidłową liczbą.")});
    QVERIFY(w.Label2->text().isEmpty());
    // An unwritable export: said so.
    t.prompts.Clear();
    t.prompts.fileNames = {dir.path() + "/brak/x.csv"};
    w.Button1->click();
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Wystąpił błąd zapisu")});
}

QTEST_MAIN(TestCsv)
#include "test_csv.moc"

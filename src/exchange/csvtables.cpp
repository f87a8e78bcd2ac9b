#include "exchange/csvtables.h"

#include <QStringDecoder>

#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"

using namespace layout;

namespace {

enum class Kind { Number, Name, Hundredths, Byte, Letter, Barcode, Rate };

// One column of a table: what it holds and where it lies in the record.
struct Column {
    Kind kind;
    int offset = 0;
    int width = 0;   // names, passwords, symbols
    int extra = 0;   // the rate's decimal places
    // The values the register takes (bytes and amounts): a line outside them is refused.
    qint64 low = 0;
    qint64 high = -1;  // -1: the type's own limit
};

// A yes/no flag, and the goods price as the editor takes it.
constexpr qint64 kFlag = 1;

struct TableLayout {
    CsvTable id;
    layout::Table area;
    int highest;        // numbers 1 to this
    bool wideNumber;    // goods numbers take two bytes
    QStringList headings;
    QList<Column> columns;
};

const QList<TableLayout>& Layouts() {
    static const QList<TableLayout> all{
        {CsvTable::Goods, kGoods, 2000, true,
         {"Numer", "Nazwa", "Cena", "PTU", "Kod", "Numer grupy", "Numer opakowania", "Cena sztywna",
          "Sprzedaz na sztuki", "Indeks HALO"},
         {{Kind::Number},
          {Kind::Name, goods::kName, goods::kNameWidth},
          {Kind::Hundredths, goods::kPrice, 0, 0, 0, goods::kMaxPrice},
          {Kind::Letter, goods::kVat},
          {Kind::Barcode, goods::kBarcode, goods::kBarcodeWidth},
          {Kind::Byte, goods::kGroup, 0, 0, 1, 20},
          {Kind::Byte, goods::kPackaging, 0, 0, 0, 20},
          {Kind::Byte, goods::kFixedPrice, 0, 0, 0, kFlag},
          {Kind::Byte, goods::kByPieces, 0, 0, 0, kFlag},
          {Kind::Byte, goods::kHalo, 0, 0, 0, kHaloEntries - 1}}},
        {CsvTable::Packagings, kPackagings, 20, false, {"Numer", "Nazwa", "Cena", "Cena sztywna"},
         {{Kind::Number},
          {Kind::Name, packaging::kName, packaging::kNameWidth},
          {Kind::Hundredths, packaging::kPrice, 0, 0, 0, goods::kMaxPrice},
          {Kind::Byte, packaging::kPriceChange, 0, 0, 0, kFlag}}},
        {CsvTable::Cashiers, kCashiers, 10, false,
         {"Numer", "Nazwa", "Hasło", "Rap. niezerujące", "Rap. zerujące", "Rab. z ręki", "Rab. z bazy",
          "Anul. parag.", "Storno", "Wpłaty/wypłaty"},
         {{Kind::Number},
          {Kind::Name, cashier::kName, cashier::kNameWidth},
          {Kind::Name, cashier::kPassword, cashier::kPasswordWidth},
          {Kind::Byte, cashier::kRights, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 1, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 2, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 3, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 4, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 5, 0, 0, 0, kFlag},
          {Kind::Byte, cashier::kRights + 6, 0, 0, 0, kFlag}}},
        {CsvTable::Groups, kGroups, 20, false, {"Numer", "Nazwa"},
         {{Kind::Number}, {Kind::Name, group::kName, group::kNameWidth}}},
        {CsvTable::Discounts, kDiscounts, 20, false,
         {"Numer", "Nazwa", "Rodzaj 0-R 1-N", "Typ 0-proc. 1-kwot.", "Wartość (x100)"},
         {{Kind::Number},
          {Kind::Name, discount::kName, discount::kNameWidth},
          {Kind::Byte, discount::kKind, 0, 0, 0, kFlag},
          {Kind::Byte, discount::kType, 0, 0, 0, kFlag},
          {Kind::Hundredths, discount::kValue}}},
        {CsvTable::PaymentForms, kPaymentForms, 10, false, {"Numer", "Nazwa", "Typ"},
         {{Kind::Number}, {Kind::Name, payment::kName, payment::kNameWidth}, {Kind::Byte, payment::kType}}},
        {CsvTable::Currencies, kCurrencies, 10, false, {"Numer", "Nazwa", "Kurs", "Symbol"},
         {{Kind::Number},
          {Kind::Name, currency::kName, currency::kNameWidth},
          {Kind::Rate, currency::kMantissa, 0, currency::kPlaces},
          {Kind::Name, currency::kSymbol, currency::kSymbolWidth}}},
    };
    return all;
}

const TableLayout& LayoutOf(CsvTable id) {
    for (const TableLayout& t : Layouts())
        if (t.id == id) return t;
    return Layouts().first();
}

QByteArray UpToZero(const QByteArray& bytes) {
    const int end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

// The rate's mantissa padded to 8 digits, with "," so that `places` digits follow.
QByteArray RateText(uint32_t mantissa, int places) {
    QByteArray digits = QByteArray::number(mantissa).rightJustified(qMax(8, places + 1), '0');
    if (places > 0) digits.insert(digits.size() - places, ',');
    return digits;
}

QByteArray Field(const QByteArray& slot, const TableLayout& t, const Column& c) {
    const char* p = slot.constData();
    switch (c.kind) {
        case Kind::Number: return QByteArray::number(t.wideNumber ? Word(p) : uint8_t(p[0]));
        case Kind::Name: return UpToZero(slot.mid(c.offset, c.width));
        case Kind::Hundredths: return FormatHundredths(int32_t(Long(p + c.offset))).toLatin1();
        case Kind::Byte: return QByteArray::number(uint8_t(p[c.offset]));
        case Kind::Letter: return UpToZero(slot.mid(c.offset, 1));
        case Kind::Barcode: return UpToZero(slot.mid(c.offset, c.width));
        case Kind::Rate: return RateText(Long(p + c.offset), uint8_t(p[c.extra]));
    }
    return {};
}

// The text between the n-th and the (n+1)-th ";", empty when the line is shorter.
QByteArray CsvField(const QByteArray& line, int n) {
    const QList<QByteArray> fields = line.split(';');
    return n < fields.size() ? fields[n] : QByteArray();
}

QString Text(const QByteArray& cp1250) { return FromCp1250(cp1250); }

// A text that is to be valid UTF-8: a byte-order mark, or valid UTF-8 with at
// least one character beyond ASCII (Windows-1250 Polish letters are not).
std::optional<QString> AsUtf8(const QByteArray& file) {
    if (file.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(file.mid(3));
    bool high = false;
    for (char c : file) high = high || uint8_t(c) >= 0x80;
    if (!high) return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

QString LineError(int line, const QString& why) { return QStringLiteral("Błąd w wierszu %1: %2").arg(line).arg(why); }

// Converts one column's text into the slot; the reason when it does not convert.
std::optional<QString> Store(QByteArray& slot, const Column& c, const QByteArray& field) {
    char* p = slot.data();
    switch (c.kind) {
        case Kind::Number: return std::nullopt;
        case Kind::Name: {
            const QByteArray cut = field.left(c.width);
            std::memcpy(p + c.offset, cut.constData(), size_t(cut.size()));
            return std::nullopt;
        }
        case Kind::Barcode: {
            // The register reads a barcode as digits.
            for (char ch : field)
                if (ch < '0' || ch > '9')
                    return QStringLiteral("kod '%1' może zawierać tylko cyfry.").arg(Text(field));
            if (field.size() > c.width)
                return QStringLiteral("kod '%1' jest dłuższy niż %2 cyfr.").arg(Text(field)).arg(c.width);
            const QByteArray code = BarcodeField(Text(field));
            std::memcpy(p + c.offset, code.constData(), size_t(qMin<qsizetype>(code.size(), c.width)));
            return std::nullopt;
        }
        case Kind::Letter:
            // Only the register's seven VAT rates.
            if (field.size() != 1 || field[0] < 'A' || field[0] > 'G')
                return QStringLiteral("'%1' nie jest stawką PTU (A-G).").arg(Text(field));
            p[c.offset] = field[0];
            return std::nullopt;
        case Kind::Byte: {
            const auto v = ParseInteger(Text(field));
            if (!v) return NotAnIntegerMessage(Text(field));
            const qint64 high = c.high < 0 ? 255 : c.high;
            if (*v < c.low || *v > high)
                return QStringLiteral("wartość %1 jest poza zakresem %2-%3.").arg(*v).arg(c.low).arg(high);
            p[c.offset] = char(*v);
            return std::nullopt;
        }
        case Kind::Hundredths: {
            const auto v = ParseCommaDecimal(Text(field));
            if (!v) return QStringLiteral("'%1' nie jest prawidłową liczbą.").arg(Text(field));
            const qint64 grosz = GroszFromDecimal(*v);
            const qint64 high = c.high < 0 ? INT32_MAX : c.high;
            if (grosz < c.low || grosz > high)
                return QStringLiteral("'%1' jest poza zakresem %2-%3.")
                    .arg(Text(field), FormatHundredths(int32_t(c.low)), FormatHundredths(int32_t(high)));
            PutLong(p + c.offset, uint32_t(int32_t(grosz)));
            return std::nullopt;
        }
        case Kind::Rate: {
            // The digits after the first "," give the places; all digits the mantissa.
            const int comma = field.indexOf(',');
            const QByteArray digits = QByteArray(field).remove(comma < 0 ? 0 : comma, comma < 0 ? 0 : 1);
            bool ok = !digits.isEmpty() && digits.size() <= 10;
            for (char ch : digits) ok = ok && ch >= '0' && ch <= '9';
            const qulonglong mantissa = ok ? digits.toULongLong(&ok) : 0;
            const int places = comma < 0 ? 0 : int(field.size() - comma - 1);
            if (!ok || mantissa > UINT32_MAX || places > 255)
                return QStringLiteral("'%1' nie jest prawidłowym kursem.").arg(Text(field));
            PutLong(p + c.offset, uint32_t(mantissa));
            p[c.extra] = char(places);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

const QList<CsvTableInfo>& CsvTables() {
    static const QList<CsvTableInfo> all{
        {CsvTable::Goods, "Towary", "Baza towarowa", "_towary", "Wyeksportowano bazę towarów",
         "Zaimportowano bazę towarów"},
        {CsvTable::Packagings, "Opakowania", "Baza opakowań", "_opakowania", "Wyeksportowano bazę opakowań",
         "Zaimportowano bazę opakowań"},
        {CsvTable::Cashiers, "Kasjerzy", "Baza kasjerów", "_kasjerzy", "Wyeksportowano bazę kasjerów",
         "Zaimportowano bazę kasjerów"},
        {CsvTable::Groups, "Grupy", "Baza grup towarowych", "_grupy", "Wyeksportowano bazę grup towarowych",
         "Zaimportowano bazę grup towarowych"},
        {CsvTable::Discounts, "Rabaty i narzuty", "Baza rabatów/natzutów", "_rabaty",
         "Wyeksportowano bazę rabatów/narzutów", "Zaimportowano bazę rabatów"},
        {CsvTable::PaymentForms, "Formy płatności", "Baza form płatności", "_formy_plat",
         "Wyeksportowano bazę form płatności", "Zaimportowano bazę form płatności"},
        {CsvTable::Currencies, "Waluty", "Baza walut obcych", "_waluty", "Wyeksportowano bazę walut",
         "Zaimportowano bazę walut"},
    };
    return all;
}

const CsvTableInfo& CsvTableInfoOf(CsvTable id) {
    for (const CsvTableInfo& t : CsvTables())
        if (t.id == id) return t;
    return CsvTables().first();
}

QString DefaultExportName(const QString& databaseName, CsvTable table) {
    QString base = databaseName;
    if (base.endsWith(QStringLiteral(".zkf"))) base.chop(4);
    return base + CsvTableInfoOf(table).suffix + QStringLiteral(".csv");
}

QByteArray ExportCsv(WorkImage& image, CsvTable id) {
    const TableLayout& t = LayoutOf(id);
    QByteArray out = ToCp1250(CsvTableInfoOf(id).title) + '\n' + ToCp1250(t.headings.join(QLatin1Char(';'))) + '\n';
    for (int n = 1; n <= t.highest; ++n) {
        const QByteArray slot = image.ReadBytesAt(t.area.Offset(n), t.area.recordSize);
        if (slot.size() < t.area.recordSize) break;
        if ((t.wideNumber ? Word(slot.constData()) : uint8_t(slot[0])) == 0) continue;
        QList<QByteArray> fields;
        for (const Column& c : t.columns) fields << Field(slot, t, c);
        out += fields.join(';') + '\n';
    }
    return out;
}

QByteArray ExportCsvUtf8(WorkImage& image, CsvTable id) {
    return QByteArray("\xEF\xBB\xBF") + FromCp1250(ExportCsv(image, id)).toUtf8();
}

ParsedCsv ParseCsv(const QByteArray& file) {
    ParsedCsv out;
    // Lines as Windows-1250 bytes; a UTF-8 file is converted first, a character
    // the register cannot store refusing its line.
    QList<QByteArray> lines;
    if (const std::optional<QString> utf8 = AsUtf8(file)) {
        const QStringList textLines = utf8->split(QLatin1Char('\n'));
        for (int i = 0; i < textLines.size(); ++i) {
            if (const char32_t bad = FirstOutsideCp1250(textLines[i])) {
                // The title decides first whether the file is ours at all.
                if (i == 0) return out;
                out.error = LineError(i + 1, QStringLiteral("znak „%1” nie może być zapisany w bazie kasy.")
                                                 .arg(QString::fromUcs4(&bad, 1)));
                lines << QByteArray();
                break;
            }
            lines << ToCp1250(textLines[i]);
        }
    } else {
        lines = file.split('\n');
    }
    if (lines.isEmpty()) return out;
    QByteArray title = lines[0].left(lines[0].indexOf(';') < 0 ? lines[0].size() : lines[0].indexOf(';')).left(42);
    if (title.endsWith('\r')) title.chop(1);
    const QString upper = Text(title).toUpper();
    for (const CsvTableInfo& info : CsvTables())
        if (info.title.toUpper() == upper) out.table = info.id;
    if (!out.table) {
        out.error.clear();
        return out;
    }
    if (!out.error.isEmpty()) return out;
    const TableLayout& t = LayoutOf(*out.table);
    for (int i = 2; i < lines.size(); ++i) {
        QByteArray line = lines[i].left(700);
        const int cr = line.indexOf('\r');
        if (cr >= 0) line.remove(cr, 1);
        const auto number = ParseInteger(Text(CsvField(line, 0)));
        if (!number) break;  // an empty last line, or the end of the data
        if (*number < 1 || *number > t.highest) {
            ++out.skipped;
            continue;
        }
        QByteArray slot(t.area.recordSize, '\0');
        if (t.wideNumber) PutWord(slot.data(), uint16_t(*number));
        else slot[0] = char(*number);
        for (int c = 1; c < t.columns.size(); ++c) {
            if (const std::optional<QString> why = Store(slot, t.columns[c], CsvField(line, c))) {
                out.error = LineError(i + 1, *why);
                out.records.clear();
                return out;
            }
        }
        out.records << CsvRecord{int(*number), slot};
    }
    return out;
}

ImportOutcome ImportCsv(WorkImage& image, const QByteArray& file) {
    const ParsedCsv parsed = ParseCsv(file);
    ImportOutcome out;
    out.table = parsed.table;
    out.error = parsed.error;
    out.skipped = parsed.skipped;
    if (!parsed.table || !parsed.error.isEmpty()) return out;
    const TableLayout& t = LayoutOf(*parsed.table);
    for (const CsvRecord& r : parsed.records)
        if (image.WriteBytesAt(t.area.Offset(r.number), r.slot)) ++out.written;
    return out;
}

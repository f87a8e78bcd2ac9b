#include "reports/registerinfo.h"

#include "common/numbers.h"
#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "link/commands.h"
#include "link/registerlink.h"

namespace {

enum class Shown {
    Version, Text, Number8, Number16, Number32, Mode, Memory, Date, DateTime, DateTimeAlways,
    PlainDateTime, YesNo, Medium, PortCom, PortUsb,
};

struct Field {
    const char* label;
    int longAt, shortAt;  // -1: not in that layout
    int width;            // text fields
    Shown shown;
};

// Where each value lies in the long and the short record.
const Field kFields[] = {
    {"Label25", 0, 0, 2, Shown::Version},
    {"Label61", 2, 2, 10, Shown::Text},
    {"Label26", 12, 12, 12, Shown::Text},
    {"Label27", 24, 24, 17, Shown::Text},  // 10 wide in the short record
    {"Label28", 41, 34, 2, Shown::Number16},
    {"Label29", 43, 36, 1, Shown::Mode},
    {"Label30", 44, 37, 1, Shown::Memory},
    {"Label31", 45, 38, 4, Shown::Date},
    {"Label32", 49, 42, 6, Shown::DateTime},
    {"Label33", 55, 48, 2, Shown::Number16},
    {"Label34", 57, 50, 1, Shown::Medium},
    {"Label35", 58, 51, 1, Shown::Number8},
    {"Label36", 59, 52, 2, Shown::Number16},
    {"Label37", 61, 54, 4, Shown::Number32},
    {"Label38", 65, 58, 1, Shown::YesNo},
    {"Label39", 66, 59, 1, Shown::YesNo},
    {"Label40", 67, 60, 1, Shown::YesNo},
    {"Label63", 68, 61, 1, Shown::Number8},
    {"Label41", 69, 62, 1, Shown::Number8},
    {"Label42", 70, 63, 21, Shown::Text},
    {"Label44", 91, 84, 3, Shown::Text},
    {"Label45", 94, 87, 6, Shown::DateTimeAlways},
    {"Label51", 100, 93, 1, Shown::YesNo},
    {"Label54", 101, 94, 3, Shown::Text},
    {"Label56", 104, 97, 6, Shown::PlainDateTime},
    {"Label46", 110, 103, 1, Shown::PortCom},
    {"Label47", 111, 104, 1, Shown::PortCom},
    {"Label48", 112, 105, 1, Shown::PortUsb},
    {"Label43", 113, -1, 2, Shown::Number16},
};

QString YesNo(uint8_t b) { return b ? QStringLiteral("TAK") : QStringLiteral("NIE"); }

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// hour ":" minute, three blanks, day "-" month "-" year.
QString TimeAndDate(int year, int month, int day, int hour, int minute) {
    return Two(hour) + QLatin1Char(':') + Two(minute) + QStringLiteral("   ") +
           QStringLiteral("%1-%2-%3").arg(day).arg(month).arg(year);
}

// A pair year is the century and the year within it: 20 and 5 are 2005.
int PairYear(const uint8_t* p) { return p[0] * 100 + p[1]; }

std::optional<QString> Show(const Field& f, const uint8_t* p, bool longRecord) {
    switch (f.shown) {
        case Shown::Version: return FormatHundredths(Word(p));
        case Shown::Text: {
            const int width = (QLatin1String(f.label) == QLatin1String("Label27") && !longRecord) ? 10 : f.width;
            return FromCp1250Field(reinterpret_cast<const char*>(p), width);
        }
        case Shown::Number8: return QString::number(p[0]);
        case Shown::Number16: return QString::number(Word(p));
        case Shown::Number32: return QString::number(Long(p));
        case Shown::Mode: return p[0] == 1 ? QStringLiteral("FISKALNY") : QStringLiteral("NIEFISKALNY");
        case Shown::Memory: return p[0] == 0 ? QStringLiteral("OTWARTA") : QStringLiteral("ZAMKNIĘTA. TYLKO DO ODCZYTU");
        case Shown::Date:
            if (p[3] == 0) return QStringLiteral("brak");
            return QStringLiteral("%1-%2-%3").arg(p[3]).arg(p[2]).arg(PairYear(p));
        case Shown::DateTime:
            if (p[3] == 0) return QStringLiteral("brak");
            return TimeAndDate(PairYear(p), p[2], p[3], p[4], p[5]);
        case Shown::DateTimeAlways: return TimeAndDate(PairYear(p), p[2], p[3], p[4], p[5]);
        case Shown::PlainDateTime:
            if (p[3] == 0) return QStringLiteral("brak");
            return TimeAndDate(Word(p), p[2], p[3], p[4], p[5]);
        case Shown::YesNo: return YesNo(p[0]);
        case Shown::Medium: return p[0] == 0 ? QStringLiteral("Niezainicjowany") : QString::number(p[0]);
        case Shown::PortCom: {
            static const char* const names[] = {"Komputer PC", "Waga", "Skaner", "Brak"};
            if (p[0] > 3) return std::nullopt;
            return QString::fromUtf8(names[p[0]]);
        }
        case Shown::PortUsb:
            if (p[0] > 1) return std::nullopt;
            return p[0] == 0 ? QStringLiteral("Brak") : QStringLiteral("Komputer PC");
    }
    return std::nullopt;
}

}  // namespace

const QList<InfoGroup>& InformationGroups() {
    static const QList<InfoGroup> groups{
        {"Kasa",
         {{"softwareVersion", "Wersja oprogramowania", "Label25"},
          {"programMemory", "Oznaczenie pamięci z programem pracy", "Label61"},
          {"uniqueNumber", "Numer unikatowy", "Label26"},
          {"nip", "NIP", "Label27"},
          {"fiscalMemorySignature", "Sygnatura pamięci fiskalnej", "Label28"},
          {"mode", "Tryb pracy", "Label29"},
          {"memoryState", "Stan pamięci", "Label30"},
          {"lastFiscalWrite", "Ostatni zapis do pamięci fiskalnej", "Label31"},
          {"registerNumber", "Numer kasy", "Label41"},
          {"vatRateWrites", "Ilość zapisów stawek PTU", "Label63"},
          {"eCopyCardSize", "Rozmiar karty kopii elektronicznej", "Label43"}}},
        {"Porty wyjścia", {{"portComA", "COM A", "Label46"}, {"portComB", "COM B", "Label47"}, {"portUsb", "USB", "Label48"}}},
        {"Ostatni raport dobowy",
         {{"dailyReportTime", "Godzina i data wykonania", "Label32"},
          {"dailyReportNumber", "Numer raportu", "Label33"},
          {"eCopyMedium", "Numer nośnika kopii elektronicznej", "Label34"},
          {"ramResets", "Liczba zerowań RAM", "Label35"},
          {"receiptsSinceDaily", "Paragony od ostatniego raportu dobowego", "Label36"},
          {"receiptsSinceFiscalization", "Paragony od fiskalizacji", "Label37"}}},
        {"Stan kasy",
         {{"saleStarted", "Sprzedaż rozpoczęta", "Label38"},
          {"serviceMode", "Tryb serwisowy", "Label39"},
          {"headerProgrammed", "Zaprogramowany nagłówek", "Label40"},
          {"cashierLoggedIn", "Zalogowany kasjer", "Label42"},
          {"recordCurrency", "Symbol waluty ewidencyjnej", "Label44"},
          {"recordCurrencyDate", "Data zaprogramowania waluty ewidencyjnej", "Label45"}}},
        {"Zmiana waluty ewidencyjnej",
         {{"currencyChangePlanned", "Zaplanowana zmiana", "Label51"},
          {"newRecordCurrency", "Nowy symbol waluty", "Label54"},
          {"currencyChangeDate", "Data zmiany", "Label56"}}},
    };
    return groups;
}

QString RegisterInformation::Text(const char* label) const {
    for (const InfoValue& v : values)
        if (qstrcmp(v.label, label) == 0) return v.text.value_or(QString());
    return QString();
}

RegisterInformation DecodeInformation(const QByteArray& payload, bool longRecord) {
    // Room for the widest field past the end, so no read leaves the record.
    QByteArray b = payload.leftJustified(kLongInfoFrame, '\0');
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData());
    RegisterInformation info;
    for (const Field& f : kFields) {
        const int at = longRecord ? f.longAt : f.shortAt;
        if (at < 0) {
            info.values << InfoValue{f.label, QStringLiteral("—")};  // the short record has no card size
            continue;
        }
        info.values << InfoValue{f.label, Show(f, p + at, longRecord)};
    }
    info.changePlanned = p[longRecord ? 100 : 93] != 0;
    info.longRecord = longRecord;
    return info;
}

std::optional<RegisterInformation> ReadInformation(RegisterLink& link) {
    link.FlushPort();
    auto none = [&]() -> std::optional<RegisterInformation> {
        if (!link.Lost()) link.prompts().Message(QStringLiteral("Brak komunikacji"));
        return std::nullopt;
    };
    if (!link.Send(RequestFrame(0x8001, 'I', 0))) return none();
    // The record comes in one of two lengths, which its header tells.
    QByteArray frame = link.Read(4);
    if (frame.size() < 4) return none();
    const int length = uint8_t(frame[2]);
    if (length != kLongInfoFrame && length != kShortInfoFrame) return none();
    // The whole record or nothing: a short read would show bytes of an older reply.
    frame += link.Read(length - 4);
    if (frame.size() < length) return none();
    return DecodeInformation(frame.mid(7, length - 9), length == kLongInfoFrame);
}

QByteArray AdditionalSettingsPayload(const AdditionalSettings& s) {
    auto list = [&](int i) { return char(s.lists.value(i)); };
    auto number = [&](int i) { return char(s.numbers.value(i)); };
    QByteArray b;
    b += list(0);    // register number
    b += list(1);    // payment format
    b += list(2);    // payments compulsory
    b += number(0);  // power-off time
    b += number(1);  // drawer pulse
    b += list(3);    // discounts
    b += list(4);    // spare card
    char limit[4];
    PutLong(limit, uint32_t(s.numbers.value(2)));
    b += QByteArray(limit, 4);  // receipt limit
    for (int i = 5; i <= 11; ++i) b += list(i);  // print speed ... sleep time
    b += number(3);  // operator backlight
    b += number(4);  // customer backlight
    b += list(12);   // drawer opening
    b += list(13);   // daily report reminder
    return b;
}

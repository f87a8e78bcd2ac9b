#include "service/servicebench.h"

#include <QElapsedTimer>

#include "common/clock.h"
#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/portsettings.h"
#include "link/registerlink.h"
#include "sync/tablesync.h"

using namespace layout;

QList<BenchStep> BenchStepOrder() {
    return {BenchStep::Port,     BenchStep::Memory, BenchStep::Header,    BenchStep::Clock,
            BenchStep::Currency, BenchStep::Vat,    BenchStep::TestGoods, BenchStep::DeleteTestGoods};
}

QString BenchStepCaption(BenchStep step) {
    switch (step) {
        case BenchStep::Port: return QStringLiteral("Test portu");
        case BenchStep::Memory: return QStringLiteral("Test pamięci (dane informacyjne)");
        case BenchStep::Header: return QStringLiteral("Programowanie nagłówka");
        case BenchStep::Clock: return QStringLiteral("Programowanie zegara");
        case BenchStep::Currency: return QStringLiteral("Programowanie waluty ewidencyjnej");
        case BenchStep::Vat: return QStringLiteral("Programowanie stawek PTU");
        case BenchStep::TestGoods: return QStringLiteral("Programowanie 5 towarów testowych");
        case BenchStep::DeleteTestGoods: return QStringLiteral("Usunięcie towarów testowych");
    }
    return {};
}

QString StepStateText(const StepResult& r) {
    QString state;
    switch (r.state) {
        case StepState::Waiting: state = QStringLiteral("oczekuje"); break;
        case StepState::Running: state = QStringLiteral("w toku"); break;
        case StepState::Passed: state = QStringLiteral("zaliczony"); break;
        case StepState::Failed: state = QStringLiteral("błąd"); break;
        case StepState::NotRun: state = QStringLiteral("nie wykonano"); break;
        case StepState::Cancelled: state = QStringLiteral("przerwano"); break;
    }
    return r.text.isEmpty() ? state : state + QStringLiteral(": ") + r.text;
}

namespace {

StepResult Pass(const QString& text) { return {StepState::Passed, text}; }
StepResult Fail(const QString& text) { return {StepState::Failed, text}; }
StepResult Cancelled(const QString& text) { return {StepState::Cancelled, text}; }
void Tick(const BenchRun& run) {
    if (run.tick) run.tick();
}

// What went wrong with a write, in the register's words where it refused.
QString Why(const Answer& a) {
    if (a.kind == AnswerKind::Refused) return RegisterErrorText(a.errorCode);
    return AnswerText(a.kind);
}

// Where two byte strings first differ, for a read back that does not match.
QString FirstDifference(const QByteArray& sent, const QByteArray& read) {
    const qsizetype same = std::min(sent.size(), read.size());
    for (qsizetype i = 0; i < same; ++i)
        if (sent[i] != read[i]) return QStringLiteral("bajt %1").arg(i);
    return QStringLiteral("bajt %1").arg(same);
}

// Reads one series and keeps its payloads; nullopt when it did not come whole.
std::optional<QList<QByteArray>> ReadBack(RegisterLink& link, uint8_t command, int replyLength, uint16_t frame) {
    QList<QByteArray> records;
    bool whole = false;
    ReadRecordSeries(link, SeriesRequest{command, replyLength, frame, true, false, false},
                     [&](const QByteArray& payload) { records << payload; }, &whole);
    if (!whole) return std::nullopt;
    return records;
}

// Sends a table as it stands and reads it back with its request: the bytes the
// register keeps must be those sent.
StepResult SendAndCompare(RegisterLink& link, const Frame& frame, const QByteArray& sent, uint8_t readCommand,
                          int replyLength, uint16_t readFrame, const QString& what, const QString& matches) {
    const Answer a = Transact(link, frame, Exchange{true, true, AckStyle::Plain, 0, 800, {}});
    if (!a.Accepted()) return Fail(Why(a));
    const auto back = ReadBack(link, readCommand, replyLength, readFrame);
    if (!back || back->isEmpty()) return Fail(QStringLiteral("nie odczytano z kasy: ") + what);
    const QByteArray read = back->first().left(sent.size());
    if (read != sent)
        return Fail(QStringLiteral("odczytany z kasy: ") + what + QStringLiteral(" różni się od wysłanego (") +
                    FirstDifference(sent, read) + QLatin1Char(')'));
    return Pass(matches);
}

bool ReadGoods(RegisterLink& link, BenchRun& run) {
    const ReadOutcome out = ReadRegisterTable(link, SeriesRequest{kGoodsCommand, kGoodsReplyLength, 1, true, false, false},
                                              run.goods, [&](int) { Tick(run); });
    run.goodsRead = out.complete;
    return out.complete;
}

StepResult PortTest(RegisterLink& link) {
    if (!link.IsOpen() && link.Port() == kNoPort) return Fail(QStringLiteral("nie wybrano portu"));
    // Opening forgets the port when it fails: the reason names it.
    if (!link.IsOpen() && link.OpenRegisterPort(false) != 0) return Fail(link.LastOpenFailure());
    link.FlushPort();
    QElapsedTimer timer;
    timer.start();
    if (!link.Send(QueryFrame(link.Address(), kSingleFrame))) return Fail(QStringLiteral("nie wysłano zapytania"));
    const QByteArray answer = link.Read(10);
    const qint64 ms = timer.elapsed();
    const bool ok = answer.size() == 10 && uint8_t(answer[0]) == kStx && uint8_t(answer[6]) == kAnswerCommand;
    LogExchange(link, kAnswerCommand, -1, ok ? QStringLiteral("odpowiedź po %1 ms").arg(ms) : AnswerText(AnswerKind::NoAnswer));
    if (!ok) return Fail(QStringLiteral("kasa nie odpowiada na COM%1, adres %2").arg(link.Port()).arg(link.Address()));
    return Pass(QStringLiteral("COM%1, adres %2, odpowiedź po %3 ms").arg(link.Port()).arg(link.Address()).arg(ms));
}

StepResult MemoryTest(RegisterLink& link, BenchRun& run) {
    run.info = ReadInformation(link);
    if (!run.info) return Fail(QStringLiteral("nie odczytano danych informacyjnych"));
    QStringList bad;
    for (const InfoGroup& g : InformationGroups()) {
        const bool planned = QLatin1String(g.title) == QLatin1String("Zmiana waluty ewidencyjnej");
        if (planned && !run.info->changePlanned) continue;
        for (const InfoRow& r : g.rows)
            for (const InfoValue& v : run.info->values)
                if (qstrcmp(v.label, r.label) == 0 && !v.text) bad << QString::fromUtf8(r.caption);
    }
    const QString layoutText = run.info->longRecord ? QStringLiteral("rekord 124 B") : QStringLiteral("rekord 115 B");
    if (!bad.isEmpty()) return Fail(layoutText + QStringLiteral(", błędne pola: ") + bad.join(QStringLiteral(", ")));
    return Pass(layoutText + QStringLiteral(", wszystkie pola poprawne, numer unikatowy ") +
                run.info->Text("Label26").trimmed());
}

StepResult ClockStep(RegisterLink& link) {
    const QDateTime now = link.clock().Now();
    const Answer a = Transact(link, ClockFrame(now), Exchange{true, true, AckStyle::Plain, 0, -1, {}});
    if (!a.Accepted()) return Fail(Why(a));
    return Pass(QStringLiteral("ustawiono ") + now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

// The register's record currency becomes the service database's symbol from
// today, at the rate 1; the information record must then name it.
StepResult CurrencyStep(RegisterLink& link, WorkImage& image) {
    const QString symbol = FromCp1250(image.ReadBytesAt(kRecordCurrency, 3)).trimmed();
    if (symbol.isEmpty()) return Fail(QStringLiteral("baza serwisowa nie ma symbolu waluty ewidencyjnej"));
    const QDate today = link.clock().Now().date();
    const Answer a = Transact(link, RecordCurrencyFrame(1, 0, PadLeft(symbol, 3), 1, 0, today),
                              Exchange{true, true, AckStyle::Plain, 0, -1, {}});
    if (!a.Accepted()) return Fail(Why(a));
    const auto info = ReadInformation(link);
    if (!info) return Fail(QStringLiteral("nie odczytano danych informacyjnych"));
    if (!info->changePlanned || info->Text("Label54").trimmed() != symbol)
        return Fail(QStringLiteral("kasa nie zapisała zmiany na ") + symbol);
    return Pass(symbol + QStringLiteral(" od ") + today.toString(Qt::ISODate));
}

StepResult TestGoodsStep(RegisterLink& link, WorkImage& image, BenchRun& run) {
    // Written as the goods synchronization writes, from records the image may
    // not hold (a made-up test goods).
    WriteRules rules = GoodsMember().writing;
    rules.frame = [](WorkImage& image, uint16_t frame, int n, uint8_t confirm) {
        return RecordFrame(RecordTable::Goods, frame, n, TestGoodsRecord(image, n), confirm);
    };
    QList<TickedRow> goods;
    for (int n = 1; n <= kTestGoods; ++n) goods << TickedRow{n - 1, n};
    QString failure;
    WriteEvents events;
    events.answered = [&](const TickedRow& t, const Answer& a) {
        if (!a.Accepted() && failure.isEmpty()) failure = QStringLiteral("towar %1: ").arg(t.number) + Why(a);
    };
    events.progress = [&](const WriteOutcome&) { Tick(run); };
    const WriteOutcome out = WriteRecords(link, image, rules, goods, 0, false, events);
    if (!failure.isEmpty()) return Fail(failure);
    // Those sent stay in the register until a deletion is run.
    if (link.CancelRequested()) return Cancelled(QStringLiteral("wysłano towarów: %1 z %2").arg(out.accepted).arg(kTestGoods));
    if (!ReadGoods(link, run)) return Fail(QStringLiteral("nie odczytano bazy towarowej z kasy"));
    for (int n = 1; n <= kTestGoods; ++n) {
        if (!run.goods.Present(n)) return Fail(QStringLiteral("towaru %1 nie ma w kasie").arg(n));
        const QByteArray sent = TestGoodsRecord(image, n);
        const QByteArray read = PcRecordFromRegister(GoodsMember(), run.goods.Record(n));
        if (read != sent)
            return Fail(QStringLiteral("towar %1 odczytany z kasy różni się od wysłanego (").arg(n) +
                        FirstDifference(sent, read) + QLatin1Char(')'));
    }
    return Pass(QStringLiteral("zaprogramowano i odczytano 5 towarów"));
}

// Only the register's goods that are the test goods (the same name) are
// deleted: a real goods that happens to hold number 1-5 stays.
StepResult DeleteStep(RegisterLink& link, WorkImage& image, BenchRun& run) {
    if (!run.goodsRead && !ReadGoods(link, run)) return Fail(QStringLiteral("nie odczytano bazy towarowej z kasy"));
    QList<int> ours;
    for (int n = 1; n <= kTestGoods; ++n)
        if (run.goods.Present(n) &&
            run.goods.Record(n).mid(reggoods::kName, goods::kNameWidth) ==
                TestGoodsRecord(image, n).mid(goods::kName, goods::kNameWidth))
            ours << n;
    // Deleted as the goods synchronization deletes; a refusal is the step's
    // result, not a message of its own.
    DeleteRules rules = GoodsMember().deleting;
    rules.refusal = DeleteRefusal::Stop;
    DeleteEvents events;
    events.progress = [&](const DeleteOutcome&) { Tick(run); };
    const DeleteOutcome out = DeleteRecords(link, rules, run.goods, ours, 0, events);
    if (out.stopped) return Fail(QStringLiteral("towar %1: ").arg(ours.value(out.done - 1)) + Why(out.stoppedBy));
    if (link.CancelRequested())
        return Cancelled(QStringLiteral("usunięto towarów: %1 z %2").arg(out.deleted).arg(ours.size()));
    if (!ReadGoods(link, run)) return Fail(QStringLiteral("nie odczytano bazy towarowej z kasy"));
    for (int n : ours)
        if (run.goods.Present(n)) return Fail(QStringLiteral("towar %1 jest nadal w kasie").arg(n));
    return Pass(QStringLiteral("usunięto towarów: %1").arg(ours.size()));
}

}  // namespace

QByteArray TestGoodsRecord(WorkImage& image, int n) {
    QByteArray r = image.ReadBytesAt(kGoods.Offset(n), kGoods.recordSize);
    if (r.size() == kGoods.recordSize && Word(r.constData()) == n) return r;
    r = QByteArray(kGoods.recordSize, '\0');
    PutWord(r.data() + goods::kNumber, uint16_t(n));
    r.replace(goods::kName, goods::kNameWidth, ToCp1250(QStringLiteral("TEST %1").arg(n)).leftJustified(goods::kNameWidth, ' '));
    // The first rate the database has (an inactive rate reads 0xFFFE).
    const QByteArray vat = image.ReadBytesAt(kVatTable, kVatTableSize);
    char letter = 'A';
    for (int i = 0; i + 2 < vat.size(); i += 3)
        if (Word(vat.constData() + i + 1) != 0xFFFE && Word(vat.constData() + i + 1) != 0xFFFF) {
            letter = vat[i];
            break;
        }
    r[goods::kVat] = letter;
    PutLong(r.data() + goods::kPrice, 100);
    r.replace(goods::kBarcode, goods::kBarcodeWidth, QByteArray(goods::kBarcodeWidth, '0'));
    r[goods::kGroup] = 1;
    return r;
}

namespace {

StepResult RunStep(RegisterLink& link, WorkImage& image, BenchStep step, BenchRun& run) {
    switch (step) {
        case BenchStep::Port: return PortTest(link);
        case BenchStep::Memory: return MemoryTest(link, run);
        case BenchStep::Header: {
            const QByteArray header = image.ReadBytesAt(kHeader, kHeaderSize);
            return SendAndCompare(link, HeaderFrame(header), header, 'N', 268, kSingleFrame, QStringLiteral("nagłówek"),
                                  QStringLiteral("nagłówek odczytany z kasy zgodny z wysłanym"));
        }
        case BenchStep::Clock: return ClockStep(link);
        case BenchStep::Currency: return CurrencyStep(link, image);
        case BenchStep::Vat: {
            const QByteArray vat = image.ReadBytesAt(kVatTable, kVatTableSize);
            return SendAndCompare(link, VatRatesFrame(vat, 0), vat, 'P', 30, 1, QStringLiteral("stawki PTU"),
                                  QStringLiteral("stawki PTU odczytane z kasy zgodne z wysłanymi"));
        }
        case BenchStep::TestGoods: return TestGoodsStep(link, image, run);
        case BenchStep::DeleteTestGoods: return DeleteStep(link, image, run);
    }
    return {};
}

}  // namespace

StepResult RunBenchStep(RegisterLink& link, WorkImage& image, BenchStep step, BenchRun& run) {
    const StepResult r = RunStep(link, image, step, run);
    // What a step made of the answers it no longer waited for is no fault of
    // the board: the technician stopped it.
    if (r.state == StepState::Failed && link.CancelRequested()) return Cancelled({});
    return r;
}

BenchTally TallyOf(const QList<StepResult>& results) {
    BenchTally t;
    for (const StepResult& r : results) {
        t.failed += r.state == StepState::Failed;
        t.cancelled = t.cancelled || r.state == StepState::Cancelled;
    }
    return t;
}

QString BenchOutcome(const QList<StepResult>& results) {
    const BenchTally t = TallyOf(results);
    // A stopped run never reads as a clean one: steps were left out.
    QString text = t.cancelled ? QStringLiteral("przerwano") : QString();
    if (t.failed)
        text += (t.cancelled ? QStringLiteral(", kroków") : QStringLiteral("kroków")) + QStringLiteral(" z błędem: %1").arg(t.failed);
    return text.isEmpty() ? QStringLiteral("bez błędów") : text;
}

QStringList ServiceRecordLines(const QDateTime& when, const std::optional<RegisterInformation>& info,
                               const QList<StepResult>& results) {
    auto field = [&](const char* label) { return info ? info->Text(label).trimmed() : QStringLiteral("nie odczytano"); };
    QStringList lines{QStringLiteral("PROTOKÓŁ SERWISOWY - PROGRAMOWANIE NOWEGO PAKIETU"),
                      QString(),
                      QStringLiteral("Data:                  ") + when.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                      QStringLiteral("Numer unikatowy:       ") + field("Label26"),
                      QStringLiteral("Wersja oprogramowania: ") + field("Label25"),
                      QStringLiteral("Numer kasy:            ") + field("Label41"),
                      QString()};
    const QList<BenchStep> order = BenchStepOrder();
    for (int i = 0; i < order.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(BenchStepCaption(order[i]))
              << QStringLiteral("   ") + StepStateText(results.value(i));
    lines << QString() << QStringLiteral("Wynik: ") + BenchOutcome(results)
          << QString() << QString() << QStringLiteral("Podpis serwisanta: ..............................");
    return lines;
}

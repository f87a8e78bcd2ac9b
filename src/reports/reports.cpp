#include "reports/reports.h"

#include "common/numbers.h"
#include "common/prompts.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/frames.h"
#include "link/registerlink.h"

namespace {

uint8_t B(bool b) { return b ? 1 : 0; }

Frame Periodic(const ReportParameters& p) {
    switch (p.periodic) {
        case PeriodicMode::Monthly: return PeriodicReportMonthlyFrame(p.full ? 2 : 3, p.year, p.month);
        case PeriodicMode::ByDates: return PeriodicReportByDatesFrame(p.full ? 0 : 1, p.from, p.to);
        case PeriodicMode::ByNumbers: return PeriodicReportByNumbersFrame(p.full ? 0 : 1, p.first, p.last);
    }
    return {};
}

// A goods report: the whole base and a number range go with the range builder
// (the whole base as 1-2000), a group with the group builder.
template <Frame (*Range)(uint8_t, int, int, uint8_t), Frame (*Group)(int, uint8_t)>
Frame GoodsReport(const ReportParameters& p) {
    if (p.scope == GoodsScope::Group) return Group(p.group, B(p.zeroRecords));
    if (p.scope == GoodsScope::WholeBase) return Range(1, 1, 2000, B(p.zeroRecords));
    return Range(3, p.first, p.last, B(p.zeroRecords));
}

Frame Sales(const ReportParameters& p) {
    if (p.scope == GoodsScope::Group) return SalesReportForGroupFrame(p.group, B(p.zeroing), B(p.zeroRecords));
    if (p.scope == GoodsScope::WholeBase) return SalesReportForGoodsFrame(1, 1, 2000, B(p.zeroing), B(p.zeroRecords));
    return SalesReportForGoodsFrame(3, p.first, p.last, B(p.zeroing), B(p.zeroRecords));
}

Frame Cashier(const ReportParameters& p) { return CashierReportFrame(p.cashier, B(p.zeroing), B(p.full)); }

template <Frame (*F)(uint8_t, uint8_t)>
Frame Flags(const ReportParameters& p) {
    return F(B(p.zeroRecords), B(p.zeroing));
}

template <Frame (*F)()>
Frame Plain(const ReportParameters&) {
    return F();
}

// The register software's own checks read the typed numbers as unsigned 16-bit
// values, so a negative number counts as a large one.
std::optional<int> Number16(const QString& text) {
    const auto v = ParseInteger(text);
    if (!v) return std::nullopt;
    return int(uint16_t(*v));
}

}  // namespace

const QList<ReportDescription>& ReportDescriptions() {
    static const QList<ReportDescription> all{
        {"TWykonywanieRaportuOkresowego", QStringLiteral("Wykonywanie raportu okresowego"), ReportForm::Periodic,
         Periodic},
        {"TWykonywanieRaportuSprzedazy", QStringLiteral("Wykonywanie raportu sprzedazy"), ReportForm::Goods, Sales},
        {"TWykonywanieRaportuTowarowNieaktywnych", QStringLiteral("Wykonywanie raportu towarow nieaktywnych"),
         ReportForm::None, Plain<InactiveGoodsReportFrame>, false, {}, {}, true},
        {"TWykonywanieRaportuBazyZPTU", QStringLiteral("Wykonywanie raporty bazy z PTU"), ReportForm::Goods,
         GoodsReport<VatBaseReportForGoodsFrame, VatBaseReportForGroupFrame>, false,
         QStringLiteral("Drukować rekordy zerowe?"), QStringLiteral("Tak ")},
        {"TWykonywaniePelnegoRaportuBazyPLU", QStringLiteral("Wykonywanie pelnego raportu bazy z PLU"),
         ReportForm::Goods, GoodsReport<PluReportForGoodsFrame, PluReportForGroupFrame>, false},
        {"TWykonywanieRaportuKasjera", QStringLiteral("Wykonywanie raportu kasjera"), ReportForm::Cashier, Cashier},
        {"TWykonywanieRaportuZmianowegoSprzedazy", QStringLiteral("Wykonywanie raportu zmianowego sprzedaży"),
         ReportForm::ZeroRecords, Flags<ShiftSalesReportFrame>},
        {"TWykonywanieRaportuRabatow", QStringLiteral("Wykonywanie raportu rabatow"), ReportForm::ZeroRecords,
         Flags<DiscountReportFrame>},
        {"TWykonywanieRaportuOpakowan", QStringLiteral("Wykonywanie raportu opakowań"), ReportForm::ZeroRecords,
         Flags<PackagingReportFrame>},
        {"TWykonywanieRaportuFormPlatnosci", QStringLiteral("WykonywanieRaportu form platnosci"),
         ReportForm::ZeroRecords, Flags<PaymentFormReportFrame>},
        {"TWykonywanieRaportuGrupTowarowych", QStringLiteral("Wykonywanie raportu grup towarowych"),
         ReportForm::ZeroRecords, Flags<GroupReportFrame>, true, QStringLiteral("Drukować rekordy zerowe? ")},
        {"TWykonywanieRaportuNapisowStalych", QStringLiteral("Wykonywanie raportu napisow stalych"), ReportForm::None,
         Plain<FixedTextsReportFrame>, false},
        {"TWykonywanieRaportuStawekPTU", QStringLiteral("Wykonywanie raportu stawek PTU"), ReportForm::None,
         Plain<VatRatesReportFrame>, false},
        {"TWykonywanieRaportuStanuKasy", QStringLiteral("Wykonywanie raportu informacyjnego kasy"), ReportForm::None,
         Plain<RegisterStateReportFrame>, false},
        {"TWykonywanieRaportuKlawiszySzybkich", QStringLiteral("Wykonywanie raportu klawiszy szybkich"),
         ReportForm::None, Plain<QuickKeysReportFrame>, false},
    };
    return all;
}

const ReportDescription* FindReport(const QString& className) {
    for (const ReportDescription& d : ReportDescriptions())
        if (QLatin1String(d.className) == className) return &d;
    return nullptr;
}

QString ProposedMonth(const QDate& today) {
    const QDate last = today.addMonths(-1);
    return QStringLiteral("%1-%2").arg(last.month(), 2, 10, QLatin1Char('0')).arg(last.year());
}

Checked2 CheckMonthField(const QString& text) {
    const auto month = ParseInteger(text.left(2));
    const auto year = ParseInteger(text.mid(3, 4));
    if (!month || !year) return {0, 0, QStringLiteral("Błędna data")};
    return {int(*month), int(*year), {}};
}

Checked2 CheckReportNumbers(const QString& fromText, const QString& toText) {
    const auto from = Number16(fromText);
    if (!from) return {0, 0, QStringLiteral("Błędny numer raportu początkowego")};
    const auto to = Number16(toText);
    if (!to) return {0, 0, QStringLiteral("Błędny numer raportu końcowego")};
    if (*to < *from) return {0, 0, QStringLiteral("Raport końcowy musi mieć większy numer niż raport początkowy")};
    if (*from == 0 || *from > 2000 || *to == 0 || *to > 2000)
        return {0, 0, QStringLiteral("Numer raportu musi zawierać się w przedziale 1 - 2000")};
    return {*from, *to, {}};
}

Checked2 CheckGoodsNumbers(const QString& fromText, const QString& toText) {
    const auto from = ParseInteger(fromText);
    const auto to = ParseInteger(toText);
    if (!from || !to) return {0, 0, QStringLiteral("Błędy numer towaru")};
    if (*from < 1 || *from > 2000 || *to < 1 || *to > 2000)
        return {0, 0, QStringLiteral("Numery towarów muszą zawierać się w przedziale 1-2000")};
    if (*from > *to)
        return {0, 0, QStringLiteral("Numer towaru początkowego nie może być większy niż numer towaru końcowego")};
    return {int(*from), int(*to), {}};
}

QString ZeroingQuestion() { return QStringLiteral("Raport zerujący wyzeruje liczniki kasy. Kontynuować?"); }

ReportResult RunReport(RegisterLink& link, const ReportDescription& d, const ReportParameters& p) {
    return SendReport(link, d.frame(p));
}

ReportResult SendReport(RegisterLink& link, const Frame& frame) {
    const Answer a = Transact(link, frame, Exchange{true, true, AckStyle::Wait, 0, -1, {}});
    switch (a.ack) {
        case AckAccepted:
        case AckAcceptedEnd: return ReportResult::Sent;
        case AckRegisterError: return ReportResult::Refused;  // already shown with its text
        case AckPaperStopped: return ReportResult::Stopped;
        default: break;
    }
    if (!a.Sent()) return ReportResult::NotSent;
    if (!link.Lost()) link.prompts().Message(QStringLiteral("Brak komunikacji"));
    return ReportResult::NoAnswer;
}

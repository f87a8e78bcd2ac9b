#include "sync/Synchopakowan.h"

#include "common/numbers.h"
#include "image/fields.h"

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::Packagings),
        .className = "TSynchronizacjaBazyOpakowan",
        .caption = QStringLiteral("Podgląd bazy opakowań"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie opakowań z klawiatury kasy"),
        .nameWidth = 22,
        .details = {{QStringLiteral("Wartość przyjęć:"), DetailField::Money, 47},
                    {QStringLiteral("Wartość zwrotów:"), DetailField::Money, 51},
                    {QStringLiteral("Data ostatniej sprzedaży:"), DetailField::SaleDate, 55},
                    {QStringLiteral("Liczba przyjęć opakowań zwrotnych:"), DetailField::Count16, 61},
                    {QStringLiteral("Liczba zwrotów opakowań zwrotnych:"), DetailField::Count16, 63}},
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyOpakowan::TSynchronizacjaBazyOpakowan(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

QString TSynchronizacjaBazyOpakowan::RowTail(const QByteArray& r, bool registerSide) {
    const int flag = registerSide ? 65 : 47;
    if (r.size() <= flag) return {};
    return QLatin1Char(' ') + PadLeft(FormatHundredths(Long(r.constData() + 43)), 10) +
           (r[flag] ? QStringLiteral(" sztywna") : QStringLiteral(" ruchoma"));
}

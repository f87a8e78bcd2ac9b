#include "sync/Synchrabatow.h"

#include "common/numbers.h"
#include "image/fields.h"

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::Discounts),
        .className = "TSynchronizacjaBazyRabatow",
        .caption = QStringLiteral("Podgląd bazy rabatów"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj Zaznaczone\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń zaznaczone\nrekordy z kasy"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie rabatów z klawiatury kasy"),
        .details = {{QStringLiteral("Obrót rabatu/narzutu:"), DetailField::Money, 28},
                    {QStringLiteral("Ilość użyć rabatu/narzutu:"), DetailField::Count32, 32}},
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyRabatow::TSynchronizacjaBazyRabatow(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

QString TSynchronizacjaBazyRabatow::RowTail(const QByteArray& r, bool) {
    // Kind, value and type lie at the same places on both sides.
    return (r[22] ? QStringLiteral("[N]") : QStringLiteral("[R]")) + PadLeft(FormatHundredths(Long(r.constData() + 24)), 10) +
           QLatin1Char(' ') + (r[23] ? QStringLiteral("kwotowy") : QStringLiteral("%"));
}

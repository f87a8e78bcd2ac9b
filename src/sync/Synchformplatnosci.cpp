#include "sync/Synchformplatnosci.h"

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::PaymentForms),
        .className = "TSynchronizacjaBazyFormPlatnosci",
        .caption = QStringLiteral("Podgląd bazy form płatności"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń"),
        .confirmCaption = QStringLiteral("Potwiedzaj wprowadzanie form płatności z klawiatury kasy"),
        .details = {{QStringLiteral("Obrót formy płatności:"), DetailField::Money, 22},
                    {QStringLiteral("Ilość użyć formy płatności"), DetailField::Count32, 27}},
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyFormPlatnosci::TSynchronizacjaBazyFormPlatnosci(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

QString TSynchronizacjaBazyFormPlatnosci::RowTail(const QByteArray& r, bool registerSide) {
    const int at = registerSide ? 26 : 22;
    const int type = at < r.size() ? uint8_t(r[at]) : 0;
    // A type the register does not know shows as "?".
    return QLatin1Char(' ') + (type >= 1 && type <= 5 ? PaymentFormTypeNames()[type - 1] : QStringLiteral("?"));
}

#include "sync/Synchgrup.h"

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::Groups),
        .className = "TSynchronizacjaBazyGrupTowarowych",
        .caption = QStringLiteral("Podgląd bazy grup towarowych"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie grup towarowych z klawiatury kasy"),
        .details = {{QStringLiteral("Utarg wybranej grupy towarowej:"), DetailField::Money, 22}},
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyGrupTowarowych::TSynchronizacjaBazyGrupTowarowych(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

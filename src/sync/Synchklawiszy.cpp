#include "sync/Synchklawiszy.h"

#include "sync/quickkeysync.h"

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = QuickKeyMember(),
        .className = "TSynchronizacjaBazyKlawiszySzybkich",
        .caption = QStringLiteral("Podgląd bazy klawiszy szybkich"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nklawisze do kasy"),
        .copyCaption = QStringLiteral("Skopiuj zaznaczone\nklawisze do PC"),
        .confirmShown = false,
        .refusedHeading = QStringLiteral("Niezaprogramowane klawisze:"),
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyKlawiszySzybkich::TSynchronizacjaBazyKlawiszySzybkich(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

QString TSynchronizacjaBazyKlawiszySzybkich::PcRow(int n) { return QuickKeyRowText(s_.image, PcRecord(s_.image, d_.member, n)); }

QString TSynchronizacjaBazyKlawiszySzybkich::RegisterRow(const QByteArray& record) { return QuickKeyRowText(s_.image, record); }

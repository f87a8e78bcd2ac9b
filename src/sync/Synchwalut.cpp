#include "sync/Synchwalut.h"

#include "common/text.h"
#include "image/fields.h"

QString SyncRateText(uint32_t mantissa, int places) {
    QString digits = QString::number(mantissa);
    if (places <= 0) return digits;
    if (digits.size() <= places) digits = QString(places - digits.size() + 1, QLatin1Char('0')) + digits;
    digits.insert(digits.size() - places, QLatin1Char(','));
    return digits;
}

namespace {
const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::Currencies),
        .className = "TSynchronizacjaBazyWalut",
        .caption = QStringLiteral("Podgląd bazy walut obcych"),
        .pcCaption = QStringLiteral("Baza PC"),
        .registerCaption = QStringLiteral("Kasa"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie walut z klawiatury kasy"),
        .details = {{QStringLiteral("Obrót:"), DetailField::Money, 22},
                    {QStringLiteral("Ilość użyć:"), DetailField::Count32, 34}},
    };
    return d;
}
}  // namespace

TSynchronizacjaBazyWalut::TSynchronizacjaBazyWalut(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {}

QString TSynchronizacjaBazyWalut::RowTail(const QByteArray& r, bool registerSide) {
    // The register keeps its turnover before the rate.
    const int at = registerSide ? 26 : 22;
    if (r.size() < at + 8) return {};
    return QLatin1Char(' ') + SyncRateText(Long(r.constData() + at), uint8_t(r[at + 4])) + QLatin1Char(' ') +
           FromCp1250(r.mid(at + 5, 3));
}

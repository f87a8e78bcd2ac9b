#include "tables/Programowanieformplatnosci.h"

#include <QComboBox>

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kPaymentFormTable,
        .className = "TProgramowanieFormPlatnosci",
        .caption = QStringLiteral("Edycja bazy form płatności"),
        .heading = QStringLiteral("Edycja bazy form płatności"),
        .columns = {QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Typ")},
        .visibleRows = 10,
        .numberCaption = QStringLiteral("Numer formy płatnosci"),
        .numberMarkerName = "Label5",
        .numberMarker = QStringLiteral("Podaj numer!"),
        .numberMessage = QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 10"),
        .nameCaption = QStringLiteral("Nazwa formy platnosci"),
        .nameMarkerName = "Label6",
        .nameMarker = QStringLiteral("Podaj nazwę!"),
        .blankNameMessage = QStringLiteral("Nazwa formy płatności nie może składać się z samych znaków spacji!"),
        .duplicateMessage = QStringLiteral("Forma platności o takiej nazwie już istnieje! Wybierz inną nazwę."),
        .deleteCaption = QStringLiteral("Usuń z bazy"),
        .confirmCaption = QStringLiteral("Potwierdzenie z klawiatury kasy"),
        .sentText = QStringLiteral("Formę płatności zapisano w kasie."),
    };
    return d;
}
}  // namespace

TProgramowanieFormPlatnosci::TProgramowanieFormPlatnosci(Services& services, QWidget* parent)
    : TTableEditor(services, Description(), parent) {
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems(PaymentFormTypeNames());
    ComboBox1->setCurrentIndex(0);
    AddRow(QStringLiteral("Typ formy płatnosci"), ComboBox1);
}

QStringList TProgramowanieFormPlatnosci::ExtraCells(const QByteArray& slot) {
    const int type = PaymentFormRecord::Decode(slot).type;
    // Another type than 1-5 leaves the cell empty.
    return {type >= 1 && type <= 5 ? PaymentFormTypeNames()[type - 1] : QString()};
}

std::optional<QByteArray> TProgramowanieFormPlatnosci::BuildRecord(uint8_t number, const QString& name) {
    return PaymentFormRecord{number, name, uint8_t(qMax(ComboBox1->currentIndex(), 0) + 1)}.Encode();
}

void TProgramowanieFormPlatnosci::ShowRecord(const QByteArray& slot) {
    ComboBox1->setCurrentIndex(qMax(0, PaymentFormRecord::Decode(slot).type - 1));
}

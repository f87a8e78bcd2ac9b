#include "tables/Programowanierabatow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "common/appstate.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "tables/tablevalues.h"

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kDiscountTable,
        .className = "TProgramowanieRabatow",
        .caption = QStringLiteral("Edycja bazy rabatów/narzutów"),
        .heading = QStringLiteral("Programowanie rabatów / narzutów"),
        .columns = {QStringLiteral("Nr"), QStringLiteral("Nazwa"), QStringLiteral("Rodzaj"),
                    QStringLiteral("Wartość"), QStringLiteral("Typ")},
        .numberCaption = QStringLiteral("Numer rabatu/narzutu"),
        .numberMarkerName = "Label6",
        .numberMarker = QStringLiteral(" Wprowadź numer!"),
        .numberMessage = QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 20"),
        .nameCaption = QStringLiteral("Nazwa rabatu/narzutu"),
        .nameMarkerName = "Label7",
        .nameMarker = QStringLiteral(" Wprowadź nazwę!"),
        .blankNameMessage = QStringLiteral("Nazwa rabatu/narzutu nie może składać się z samych znaków spacji!"),
        .duplicateMessage = QStringLiteral("Rabat/narzut o takiej nazwie już istnieje! Wybierz inną nazwę."),
        .deleteCaption = QStringLiteral("Usuń rabat/narzut"),
        .sendCaption = QStringLiteral("Wyśilj do kasy"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie rabatów z klawiatury kasy"),
        .sentText = QStringLiteral("Rabat zapisano w kasie."),
    };
    return d;
}

QGroupBox* Choice(QWidget* parent, const char* name, const QString& title, const QString& first,
                  const QString& second, QRadioButton*& a, QRadioButton*& b) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    auto* row = new QHBoxLayout(box);
    a = new QRadioButton(first, box);
    b = new QRadioButton(second, box);
    a->setChecked(true);
    row->addWidget(a);
    row->addWidget(b);
    return box;
}
}  // namespace

TProgramowanieRabatow::TProgramowanieRabatow(Services& services, QWidget* parent)
    : TTableEditor(services, Description(), parent) {
    RadioGroup1 = Choice(this, "RadioGroup1", QStringLiteral("Rodzaj"), QStringLiteral("Rabat"),
                         QStringLiteral("Narzut"), Rabat, Narzut);
    RadioGroup2 = Choice(this, "RadioGroup2", QStringLiteral("Typ"), QStringLiteral("Procentowy"),
                         QStringLiteral("Kwotowy"), Procentowy, Kwotowy);
    AddWide(RadioGroup1);
    AddWide(RadioGroup2);
    Edit3 = Named(new QLineEdit(this), "Edit3");
    Edit3->setMaxLength(9);
    Label5 = Named(new QLabel(QStringLiteral("%"), this), "Label5");
    auto* value = new QWidget(this);
    auto* row = new QHBoxLayout(value);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Edit3, 1);
    row->addWidget(Label5);
    Label8 = Marker(QStringLiteral(" Wprowadź wartość!"), "Label8");
    AddRow(QStringLiteral(" Wartosc"), value, Label8);
    Edit3->setAccessibleName(QStringLiteral("Wartosc"));
    Require(Edit3, Label8);
    connect(Procentowy, &QRadioButton::clicked, this, &TProgramowanieRabatow::RadioGroup2Click);
    connect(Kwotowy, &QRadioButton::clicked, this, &TProgramowanieRabatow::RadioGroup2Click);
}

void TProgramowanieRabatow::FormShow() {
    RadioGroup2Click();  // the record currency may have changed since the last showing
    TTableEditor::FormShow();
}

void TProgramowanieRabatow::RadioGroup2Click() {
    Label5->setText(Procentowy->isChecked() ? QStringLiteral("%") : s_.app.recordCurrencySymbol);
}

QStringList TProgramowanieRabatow::ExtraCells(const QByteArray& slot) {
    const DiscountRecord r = DiscountRecord::Decode(slot);
    return {r.kind == 0 ? QStringLiteral("Rabat") : QStringLiteral("Narzut"),
            PadLeft(FormatHundredths(r.value), 10),
            r.type == 0 ? QStringLiteral("%") : s_.app.recordCurrencySymbol};
}

std::optional<QByteArray> TProgramowanieRabatow::BuildRecord(uint8_t number, const QString& name) {
    const bool amount = Kwotowy->isChecked();
    const Checked<int32_t> value = ParseDiscountValue(Edit3->text(), amount);
    if (!value.ok()) {
        s_.prompts.Message(value.error);
        return std::nullopt;
    }
    return DiscountRecord{number, name, uint8_t(Narzut->isChecked() ? 1 : 0), uint8_t(amount ? 1 : 0), value.value}
        .Encode();
}

void TProgramowanieRabatow::ClearAfterAdd() { Edit3->clear(); }

void TProgramowanieRabatow::ShowRecord(const QByteArray& slot) {
    const DiscountRecord r = DiscountRecord::Decode(slot);
    (r.kind ? Narzut : Rabat)->setChecked(true);
    (r.type ? Kwotowy : Procentowy)->setChecked(true);
    Edit3->setText(FormatHundredths(r.value));
}

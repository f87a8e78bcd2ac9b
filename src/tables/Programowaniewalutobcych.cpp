#include "tables/Programowaniewalutobcych.h"

#include <QLabel>
#include <QLineEdit>

#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "tables/tablevalues.h"

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kCurrencyTable,
        .className = "TProgramowanieWalutObcych",
        .caption = QStringLiteral("Edycja bazy walut obcych"),
        .heading = QStringLiteral("Edycja bazy walut obcych PC"),
        .columns = {QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Kurs"),
                    QStringLiteral("Symbol")},
        .visibleRows = 10,
        .numberCaption = QStringLiteral("Numer waluty w bazie danych"),
        .numberMarkerName = "Label6",
        .numberMarker = QStringLiteral(" Wprowadź numer!"),
        .numberMessage = QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 10"),
        .nameCaption = QStringLiteral("Nazwa waluty"),
        .nameMarkerName = "Label7",
        .nameMarker = QStringLiteral(" Wprowadź nazwę!"),
        .blankNameMessage = QStringLiteral("Nazwa waluty nie może składać się z samych znaków spacji!"),
        .duplicateMessage = QStringLiteral("Waluta o takiej nazwie już istnieje! Wybierz inną nazwę."),
        .deleteCaption = QStringLiteral("Usuń walutę"),
        .confirmCaption = QStringLiteral("Potwiedzenie z klawiatury kasy"),
        .sentText = QStringLiteral("Walutę zapisano w kasie."),
    };
    return d;
}
}  // namespace

TProgramowanieWalutObcych::TProgramowanieWalutObcych(Services& services, QWidget* parent)
    : TTableEditor(services, Description(), parent) {
    Edit3 = Named(new QLineEdit(this), "Edit3");
    Edit3->setMaxLength(9);
    Label8 = Marker(QStringLiteral(" Wprowadź kurs!"), "Label8");
    AddRow(QStringLiteral("Kurs"), Edit3, Label8);
    Require(Edit3, Label8);
    Edit4 = Named(new QLineEdit(this), "Edit4");
    Edit4->setMaxLength(3);
    StorableText(Edit4);
    Label9 = Marker(QStringLiteral(" Wprowadź symbol!"), "Label9");
    AddRow(QStringLiteral("Symbol waluty"), Edit4, Label9);
    Require(Edit4, Label9);
}

QStringList TProgramowanieWalutObcych::ExtraCells(const QByteArray& slot) {
    const CurrencyRecord r = CurrencyRecord::Decode(slot);
    return {FormatCurrencyRate(r.mantissa, r.places), FromCp1250(r.symbol)};
}

bool TProgramowanieWalutObcych::CheckBeforeDuplicate() {
    // The user sees the comma form of what was typed.
    QString rate = Edit3->text();
    const int dot = rate.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        rate[dot] = QLatin1Char(',');
        Edit3->setText(rate);
    }
    const QString refused = CheckCurrencyRate(rate);
    if (refused.isEmpty()) return true;
    s_.prompts.Message(refused);
    return false;
}

std::optional<QByteArray> TProgramowanieWalutObcych::BuildRecord(uint8_t number, const QString& name) {
    const QByteArray symbol = CurrencySymbolField(Edit4->text());
    if (symbol == "   ") {
        s_.prompts.Message(QStringLiteral("Symbol nie może składać się z samych znaków spacji!"));
        return std::nullopt;
    }
    for (int k = 1; k <= kCurrencyTable.listed; ++k) {
        if (CurrencyRecord::Decode(kCurrencyTable.Slot(s_.image, k)).symbol == symbol) {
            s_.prompts.Message(QStringLiteral("Waluta o takim symbolu już istnieje! Wybierz inny symbol."));
            Edit4->setFocus();
            return std::nullopt;
        }
    }
    const Checked<RateDigits> rate = NormaliseCurrencyRate(Edit3->text());
    if (!rate.ok()) {
        s_.prompts.Message(rate.error);
        return std::nullopt;
    }
    return CurrencyRecord{number, name, rate.value.mantissa, rate.value.places, symbol}.Encode();
}

void TProgramowanieWalutObcych::ClearAfterAdd() {
    Edit3->clear();
    Edit4->clear();
}

void TProgramowanieWalutObcych::ShowRecord(const QByteArray& slot) {
    const CurrencyRecord r = CurrencyRecord::Decode(slot);
    QString digits = QString::number(r.mantissa).rightJustified(r.places + 1, QLatin1Char('0'));
    if (r.places > 0) digits.insert(digits.size() - r.places, QLatin1Char('.'));
    Edit3->setText(digits);
    Edit4->setText(QString::fromLatin1(r.symbol).trimmed());
}

#include "tables/Programowanieopakowan.h"

#include <QCheckBox>
#include <QLineEdit>

#include "common/appstate.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "goods/Listatowarowtandem.h"
#include "image/imagestore.h"
#include "tables/tablevalues.h"

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kPackagingTable,
        .className = "TProgramowanieOpakowan",
        .caption = QStringLiteral("Edycja bazy opakowań"),
        .heading = QStringLiteral("Programowanie opakowań"),
        .columns = {QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Cena")},
        .numberList = true,
        .numberField = "ComboBox1",
        .numberCaption = QStringLiteral("Numer w bazie opakowań"),
        .nameField = "Edit1",
        .nameCaption = QStringLiteral("Nazwa opakowania"),
        .nameMaxLength = 42,
        .nameMarkerName = "Label5",
        .nameMarker = QStringLiteral(" Wprowadź nazwę!"),
        .deleteCaption = QStringLiteral("Usuń opakowanie"),
        .sendButton = "Button5",
        .confirmBox = "CheckBox2",
        .confirmCaption = QStringLiteral("Potwiedzenie z klawiatury kasy"),
        .sentText = QStringLiteral("Opakowanie zapisano w kasie."),
    };
    return d;
}
}  // namespace

TProgramowanieOpakowan::TProgramowanieOpakowan(Services& services, TListaTowarowTandem* linkedGoods,
                                               QWidget* parent)
    : TTableEditor(services, Description(), parent), linkedGoods_(linkedGoods) {
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(9);
    Label6 = Marker(QStringLiteral(" Wprowadź cenę!"), "Label6");
    AddRow(QStringLiteral("Cena"), Edit2, Label6);
    Require(Edit2, Label6);
    // Never offered to the user; its state is still what the record carries.
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Możliwosc zmiany ceny w kasie"), this), "CheckBox1");
    CheckBox1->hide();
}

QStringList TProgramowanieOpakowan::ExtraCells(const QByteArray& slot) {
    return {FormatHundredths(PackagingRecord::Decode(slot).price)};
}

std::optional<QByteArray> TProgramowanieOpakowan::BuildRecord(uint8_t number, const QString& name) {
    const Checked<int32_t> price = ParsePackagingPrice(Edit2->text());
    if (!price.ok()) {
        s_.prompts.Message(price.error);
        return std::nullopt;
    }
    return PackagingRecord{number, name, price.value, uint8_t(CheckBox1->isChecked() ? 1 : 0)}.Encode();
}

void TProgramowanieOpakowan::ClearAfterAdd() { Edit2->clear(); }

bool TProgramowanieOpakowan::MayDelete(int number) {
    if (!linkedGoods_ || !linkedGoods_->Confirm(number)) return false;
    if (UnlinkPackagingFromGoods(s_.image, number) > 0) s_.app.databaseModified = true;
    return true;
}

void TProgramowanieOpakowan::ShowRecord(const QByteArray& slot) {
    const PackagingRecord r = PackagingRecord::Decode(slot);
    Edit2->setText(FormatHundredths(r.price));
    CheckBox1->setChecked(r.priceChange != 0);
}

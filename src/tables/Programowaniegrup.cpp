#include "tables/Programowaniegrup.h"

#include "common/prompts.h"
#include "link/frames.h"

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kGroupTable,
        .className = "TProgramowanieGrupTowarowych",
        .caption = QStringLiteral("Edycja grup towarowych"),
        .heading = QStringLiteral("Edycja bazy grup towarowych PC"),
        .columns = {QStringLiteral("Numer"), QStringLiteral("Nazwa")},
        .numberList = true,
        .numberField = "ComboBox1",
        .numberCaption = QStringLiteral("Numer grupy towarowej"),
        .nameField = "Edit1",
        .nameCaption = QStringLiteral("Nazwa grupy towarowej"),
        .nameMarkerName = "Label4",
        .nameMarker = QStringLiteral("Wprowadź nazwę!"),
        .blankNameMessage = QStringLiteral("Nazwa grupy towarowej nie może składać się z samych znaków spacji!"),
        .duplicateMessage = QStringLiteral("Grupa towarowa o takiej nazwie już istnieje! Wybierz inną nazwę."),
        .duplicateFocusesName = false,
        .deleteCaption = QStringLiteral("Usuń grupę towarową"),
        .sendButton = "Button5",
        .confirmBox = "CheckBox2",
        .confirmCaption = QStringLiteral("Potwiedzenie z klawiatury kasy"),
        // The register is asked first to drop anything left on the line; a busy
        // register gets one more second.
        .flushBeforeSend = true,
        .sendReading = Exchange{false, true, AckStyle::Plain, 0, 1000, {}},
        .fillWithoutDatabase = true,
    };
    return d;
}
}  // namespace

TProgramowanieGrupTowarowych::TProgramowanieGrupTowarowych(Services& services, QWidget* parent)
    : TTableEditor(services, Description(), parent) {}

std::optional<QByteArray> TProgramowanieGrupTowarowych::BuildRecord(uint8_t number, const QString& name) {
    return GroupRecord{number, name}.Encode();
}

bool TProgramowanieGrupTowarowych::MayDelete(int number) {
    if (number != 1) return true;
    s_.prompts.Message(QStringLiteral(" Nie można usunąć grupy towarowej nr  1"));
    return false;
}

void TProgramowanieGrupTowarowych::ShowSendAnswer(const Answer& a) {
    if (a.ack == AckRegisterError && a.errorCode == 5)
        s_.prompts.Message(QStringLiteral("Nazwa grupy towarowej już występuje w bazie towarowej kasy."));
    else if (!a.Accepted())
        s_.prompts.Message(QStringLiteral("Błąd! Kasa nie potwierdziła zapisu grupy towarowej!"));
    else
        s_.prompts.Message(QStringLiteral("Grupę towarową zapisano w kasie"));
}

#include "reports/Dodatkoweustawienia.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "common/prompts.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "reports/registerinfo.h"

namespace {
const QStringList kOnOff{QStringLiteral("wyłączone"), QStringLiteral("włączone")};

// The form's rows in the order of the command's bytes: a list (its items) or a
// number field (its width).
struct Row {
    QString caption;
    QStringList items;
    int width = 0;
};
QList<Row> Rows() {
    return {
        {QStringLiteral("Numer kasy"), {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {QStringLiteral("Format wpłat"), {QStringLiteral("złotówki"), QStringLiteral("grosze")}},
        {QStringLiteral("Wpłaty obowiązkowe"), {QStringLiteral("nie"), QStringLiteral("tak")}},
        {QStringLiteral("Czas wyłączenia bez zasilacza (5-60min)"), {}, 2},
        {QStringLiteral("Długość impulsu ster. szuflady (0-255ms)"), {}, 3},
        {QStringLiteral("Udzielanie rabatów"), {QStringLiteral("przed pozycją"), QStringLiteral("po pozycji")}},
        {QStringLiteral("Karta zapasowa"), {QStringLiteral("brak"), QStringLiteral("obecna")}},
        {QStringLiteral("Maksymalna wartość paragonu (0-brak ograniczenia)"), {}, 12},
        {QStringLiteral("Szybkość druku"),
         {QStringLiteral("maksymalna"), QStringLiteral("podwyższona"), QStringLiteral("normalna")}},
        {QStringLiteral("Automatyczne wchodzenie do sprzedaży"), kOnOff},
        {QStringLiteral("Wydruk danych przesyłanych z PC"), kOnOff},
        {QStringLiteral("Rodzaj transmisji"), {QStringLiteral("TUVO"), QStringLiteral("TUVO 8k")}},
        {QStringLiteral("Dźwięki klawiatury"), kOnOff},
        {QStringLiteral("Oszczędzanie energii"), kOnOff},
        {QStringLiteral("Czas uśpienia (minuty)"), {"1", "2", "3", "4", "5"}},
        {QStringLiteral("Podświetlenie panelu operatora (5-100)%"), {}, 3},
        {QStringLiteral("Podświetlenie panelu klienta (5-100)%"), {}, 3},
        {QStringLiteral("Automatyczne otwieranie szuflady"), kOnOff},
        {QStringLiteral("Przypominanie o raporcie dobowym"), kOnOff},
    };
}
}  // namespace

TDodatkoweUstawienia::TDodatkoweUstawienia(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TDodatkoweUstawienia"));
    setWindowTitle(QStringLiteral("Dodatkowe ustawienia"));
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(3);
    outer->addLayout(form);
    for (const Row& r : Rows()) {
        if (r.items.isEmpty()) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QStringLiteral("Edit%1").arg(Edits.size() + 1));
            edit->setMaxLength(r.width);
            edit->setMaximumWidth(140);
            form->addRow(Caption(r.caption, edit), edit);
            Edits << edit;
        } else {
            auto* list = new QComboBox(this);
            list->setObjectName(QStringLiteral("ComboBox%1").arg(ComboBoxes.size() + 1));
            list->addItems(r.items);
            form->addRow(Caption(r.caption, list), list);
            ComboBoxes << list;
        }
    }
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("Wyślij"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Odśwież"), this), "Button2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(BitBtn3);
    outer->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TDodatkoweUstawienia::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDodatkoweUstawienia::Button2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
}

void TDodatkoweUstawienia::Button1Click() {
    AdditionalSettings settings;
    for (QLineEdit* e : Edits) {
        const auto v = ParseInteger(e->text());
        if (!v) {
            s_.prompts.Message(NotAnIntegerMessage(e->text()));
            return;
        }
        settings.numbers << *v;
    }
    for (QComboBox* c : ComboBoxes) settings.lists << qMax(c->currentIndex(), 0);
    TransferScope scope(this);
    if (!scope) return;
    RegisterLink& link = s_.link;
    TellOutcome(Transact(link, AdditionalSettingsFrame(AdditionalSettingsPayload(settings)),
                         Exchange{true, true, AckStyle::Wait, 0, -1, {}}),
                QStringLiteral("Ustawienia zapisano w kasie."));
}

void TDodatkoweUstawienia::Button2Click() {
    TransferScope scope(this);
    if (!scope) return;
    RegisterLink& link = s_.link;
    link.FlushPort();
    // The reply's layout is not known well enough to fill the form from it: a
    // guess sent back would program the register wrongly. It is acknowledged.
    if (link.Send(RequestFrame(0x8001, 0x03, 1))) ReadReply(link, 30);
}

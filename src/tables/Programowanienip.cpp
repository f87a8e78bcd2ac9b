#include "tables/Programowanienip.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "tables/settingvalues.h"

TProgramowanieNIP::TProgramowanieNIP(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieNIP"));
    setWindowTitle(QStringLiteral("Programowanie NIP (szkoleniowo)"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie NIP (szkoleniowo)")));
    auto* fields = new QFormLayout;
    outer->addLayout(fields);
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(16);
    StorableText(Edit2);
    fields->addRow(Caption(QStringLiteral("NIP:"), Edit2), Edit2);
    auto* buttons = new QHBoxLayout;
    BitBtn5 = Named(new QPushButton(QStringLiteral("Programuj"), this), "BitBtn5");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    buttons->addWidget(BitBtn5);
    buttons->addWidget(BitBtn3);
    outer->addLayout(buttons);
    connect(BitBtn5, &QPushButton::clicked, this, &TProgramowanieNIP::BitBtn5Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
}

void TProgramowanieNIP::BitBtn5Click() {
    setEnabled(false);
    RegisterLink& link = s_.link;
    link.FlushPort();
    // A short NIP goes filled with zeros to ten characters: the user sees that
    // first and may say no.
    const QString nip = PaddedNip(Edit2->text());
    if (nip != Edit2->text() &&
        s_.prompts.Ask(QStringLiteral("NIP ma %1 znaków; zostanie wysłany jako %2. Wysłać?").arg(Edit2->text().size()).arg(nip),
                       PromptButtons::YesNo, PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes) {
        setEnabled(true);
        return;
    }
    const std::optional<Frame> frame = NipFrame(nip);
    if (!frame) {
        s_.prompts.Message(QStringLiteral("Zbyt długi NIP!"));
    } else {
        TellOutcome(Transact(link, *frame, Exchange{false, true, AckStyle::Plain, 1000, -1, {}}),
                    QStringLiteral("NIP zapisano w kasie."));
    }
    setEnabled(true);
}

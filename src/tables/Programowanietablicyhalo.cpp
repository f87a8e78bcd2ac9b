#include "tables/Programowanietablicyhalo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/prompts.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "tables/settingvalues.h"

TProgramowanieTablicyHalo::TProgramowanieTablicyHalo(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieTablicyHalo"));
    setWindowTitle(QStringLiteral("Programowanie tablicy HALO"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie tablicy HALO")));
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    for (int i = 0; i < 9; ++i) {
        Edits[size_t(i)] = Named(new QLineEdit(this), QByteArray("Edit" + QByteArray::number(i + 1)).constData());
        Edits[size_t(i)]->setMaxLength(9);
        grid->addWidget(Caption(QString::number(i + 1), Edits[size_t(i)]), i, 0);
        grid->addWidget(Edits[size_t(i)], i, 1);
    }
    auto* buttons = new QHBoxLayout;
    BitBtn4 = Named(new QPushButton(QStringLiteral("     &Zapisz w bazie PC"), this), "BitBtn4");
    BitBtn2 = Named(new QPushButton(QStringLiteral("Zapisz i &wyślij do kasy"), this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    for (QPushButton* b : {BitBtn4, BitBtn2, BitBtn3}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(BitBtn4, &QPushButton::clicked, this, &TProgramowanieTablicyHalo::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieTablicyHalo::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    EnterPresses(BitBtn4);
}

void TProgramowanieTablicyHalo::FormShow() {
    for (int i = 0; i < layout::kHaloEntries; ++i)
        amounts_[size_t(i)] = int32_t(s_.image.ReadLongAt(layout::kHalo + 4 * i));
    for (int i = 0; i < 9; ++i) Edits[size_t(i)]->setText(FormatHaloAmount(amounts_[size_t(i) + 1]));
    BitBtn2->setEnabled(s_.app.PortOpen());
}

bool TProgramowanieTablicyHalo::BitBtn4Click() {
    QStringList fields;
    for (QLineEdit* e : Edits) fields << e->text();
    const auto parsed = ParseHaloAmounts(fields);
    if (!parsed.ok()) {
        s_.prompts.Message(parsed.error);
        return false;
    }
    for (int i = 0; i < 9; ++i) amounts_[size_t(i) + 1] = parsed.value[size_t(i)];
    QByteArray bytes;
    for (int32_t a : amounts_)
        for (int b = 0; b < 4; ++b) bytes.append(char((uint32_t(a) >> (8 * b)) & 0xFF));
    s_.image.WriteBytesAt(layout::kHalo, bytes);
    s_.app.databaseModified = true;
    return true;
}

void TProgramowanieTablicyHalo::BitBtn2Click() {
    s_.link.FlushPort();
    BitBtn4Click();  // a refused save still sends what the image holds
    // Entry 0 is never sent.
    TellOutcome(Transact(s_.link, HaloFrame(s_.image.ReadBytesAt(layout::kHalo + 4, 4 * (layout::kHaloEntries - 1))),
                         Exchange{false, true, AckStyle::Plain, 0, 800, {}}),
                QStringLiteral("Tablicę HALO zapisano w kasie."));
}

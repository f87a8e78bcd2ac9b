#include "tables/Jednostkitowarowe.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "tables/settingvalues.h"

TJednostkiTowarowe::TJednostkiTowarowe(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TJednostkiTowarowe"));
    setWindowTitle(QStringLiteral("Programowalne jednostki towarowe"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Edycja jednostki programowalnej")));
    auto* fields = new QFormLayout;
    outer->addLayout(fields);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit3 = Named(new QLineEdit(this), "Edit3");
    int n = 1;
    for (QLineEdit* e : {Edit1, Edit2, Edit3}) {
        e->setMaxLength(3);
        StorableText(e);
        fields->addRow(Caption(QStringLiteral("Jednostka nr %1").arg(n++), e), e);
    }
    auto* buttons = new QHBoxLayout;
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Odśwież"), this), "BitBtn6");
    BitBtn2 = Named(new QPushButton(QStringLiteral(" &Wyślij do kasy"), this), "BitBtn2");
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn1");
    for (QPushButton* b : {BitBtn6, BitBtn2, BitBtn1}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(BitBtn6, &QPushButton::clicked, this, &TJednostkiTowarowe::BitBtn6Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TJednostkiTowarowe::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

void TJednostkiTowarowe::KeepNames() {
    // The goods editor names its unit list after what the register holds.
    s_.app.goodsUnits = {Edit1->text(), Edit2->text(), Edit3->text()};
}

void TJednostkiTowarowe::BitBtn6Click() {
    RegisterLink& link = s_.link;
    link.FlushPort();
    link.Send(RequestFrame(kSingleFrame, 'J', 0));
    const Reply reply = ReadReply(link, 18);
    if (reply.result != ReplyRecord && reply.result != ReplyLast) return;  // the read has told the user
    const QStringList units = GoodsUnitsFromReply(reply.Payload());
    Edit1->setText(units[0]);
    Edit2->setText(units[1]);
    Edit3->setText(units[2]);
    KeepNames();
}

void TJednostkiTowarowe::BitBtn2Click() {
    TellOutcome(Transact(s_.link,
                         GoodsUnitsFrame(GoodsUnitText(Edit1->text()), GoodsUnitText(Edit2->text()),
                                         GoodsUnitText(Edit3->text())),
                         Exchange{true, true, AckStyle::Plain, 0, 800, {}}),
                QStringLiteral("Jednostki towarowe zapisano w kasie."));
    KeepNames();
}

#include "reports/Obrotgrup.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/turnover.h"

TObrotGrup::TObrotGrup(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TObrotGrup"));
    setWindowTitle(QStringLiteral("Obrót grup towarowych"));
    resize(460, 560);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Odczyt obrotu grup towarowych")));
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("Obrót grup towarowych"));
    outer->addWidget(Memo1, 1);
    auto* buttons = new QHBoxLayout;
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Odśwież"), this), "BitBtn6");
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn1");
    buttons->addWidget(BitBtn6);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    outer->addLayout(buttons);
    connect(BitBtn6, &QPushButton::clicked, this, &TObrotGrup::BitBtn6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

void TObrotGrup::BitBtn6Click() {
    TransferScope scope(this);
    if (!scope) return;
    Memo1->clear();
    // Lines already read stay when a later record fails.
    ReadTurnover(s_.link, [this](const QStringList& lines) {
        for (const QString& line : lines) Memo1->appendPlainText(line);
    });
}

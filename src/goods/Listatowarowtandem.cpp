#include "goods/Listatowarowtandem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "goods/goodstable.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"

TListaTowarowTandem::TListaTowarowTandem(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TListaTowarowTandem"));
    setWindowTitle(QStringLiteral("Lista towarów powiązanych"));
    auto* layout = new QVBoxLayout(this);
    Label1 = Named(new QLabel(QStringLiteral("Usunięcie opakowania spowoduje likwidację"), this), "Label1");
    Label2 = Named(new QLabel(QStringLiteral("powiązań z poniższymi towarami:"), this), "Label2");
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setAccessibleName(QStringLiteral("Towary powiązane"));
    Memo1->setMinimumSize(380, 200);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Memo1, 1);
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("Potwierdź usunięcie opakowania"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] {
        confirmed = true;
        close();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        confirmed = false;
        close();
    });
}

bool TListaTowarowTandem::Confirm(int packagingNumber) {
    packaging = packagingNumber;
    ShowModal();
    return confirmed;
}

void TListaTowarowTandem::FormShow() {
    Memo1->clear();
    confirmed = false;
    QStringList names;
    for (int n : OccupiedGoods(s_.image)) {
        const GoodsFields g = ReadGoodsRecord(s_.image, n);
        if (g.packaging == packaging && packaging != 0) names << g.name;
    }
    if (names.isEmpty()) names << QStringLiteral("Z opakowaniem nie są powiązane") << QStringLiteral("żadne towary.");
    Memo1->setPlainText(names.join(QLatin1Char('\n')));
}

bool TListaTowarowTandem::FormKeyDown(int key) {
    if (key == Qt::Key_Return) {
        Button1->click();
        return true;
    }
    return TForm::FormKeyDown(key);
}

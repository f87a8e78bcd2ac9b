#include "keys/Klawiszeszybkiesprzedazy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "keys/keysend.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/registerlink.h"

TKlawiszeSzybkieSprzedazy::TKlawiszeSzybkieSprzedazy(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TKlawiszeSzybkieSprzedazy"));
    setWindowTitle(QStringLiteral("Klawisze szybkie funkcji sprzedaży"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Klawisze szybkie funkcji sprzedaży")));
    auto* top = new QHBoxLayout;
    ComboBox12 = Named(new QComboBox(this), "ComboBox12");
    for (int n = 1; n <= 10; ++n) ComboBox12->addItem(QString::number(n));
    top->addWidget(Caption(QStringLiteral("Numer kasjera"), ComboBox12));
    top->addWidget(ComboBox12);
    top->addStretch();
    outer->addLayout(top);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(new QLabel(QStringLiteral("Funkcja"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rodzaj\n(Tylko dla rabatów i narzutów)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Numer\n(Dla rabatu, narzutu, opakowań, formy płatności)"), this), 0, 3);
    QStringList numbers;
    for (int n = 1; n <= 20; ++n) numbers << QString::number(n);
    for (int k = 1; k <= 10; ++k) {
        auto make = [this](int number, const QStringList& items) {
            auto* c = new QComboBox(this);
            c->setObjectName(QStringLiteral("ComboBox%1").arg(number));
            c->addItems(items);
            return c;
        };
        QComboBox* function = make(k, SalesFunctionNames());
        QComboBox* kind = make(21 + k, {QStringLiteral("Kwotowy"), QStringLiteral("Procentowy")});
        QComboBox* number = make(k == 1 ? 11 : 11 + k, numbers);
        auto* send = new QPushButton(QStringLiteral("Wyslij"), this);
        send->setObjectName(QStringLiteral("Button%1").arg(k));
        send->setAccessibleName(QStringLiteral("Wyslij F%1").arg(k));
        grid->addWidget(Caption(QStringLiteral("F%1").arg(k), function), k, 0);
        grid->addWidget(function, k, 1);
        grid->addWidget(kind, k, 2);
        grid->addWidget(number, k, 3);
        grid->addWidget(send, k, 4);
        connect(send, &QPushButton::clicked, this, [this, k] { SendKey(k); });
        Functions << function;
        Kinds << kind;
        Numbers << number;
        SendButtons << send;
    }
    // Reading the assignments back is not something the register offers, so
    // there is no "Odśwież" here.
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn1");
    outer->addWidget(BitBtn1, 0, Qt::AlignRight);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

void TKlawiszeSzybkieSprzedazy::SendKey(int key) {
    TellOutcome(Transact(s_.link,
                         QuickSaleKeysFrame(ComboBox12->currentIndex() + 1, key, Functions[key - 1]->currentIndex(),
                                            uint8_t(Kinds[key - 1]->currentIndex()), Numbers[key - 1]->currentIndex() + 1),
                         Exchange{true, true, AckStyle::Plain, 0, 800, {}}),
                QStringLiteral("Klawisz %1 zapisano w kasie.").arg(key));
}

#include "keys/Klawiszefunkcyjne.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "keys/keysend.h"

TProgramowanieKlawiszyFunkcyjnych::TProgramowanieKlawiszyFunkcyjnych(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieKlawiszyFunkcyjnych"));
    setWindowTitle(QStringLiteral("Programowanie klawiszy funkcyjnych"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie klawiszy funkcyjnych")));
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    for (int n = 1; n <= 10; ++n) ComboBox1->addItem(QString::number(n));
    grid->addWidget(Caption(QStringLiteral("Numer kasjera"), ComboBox1), 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    for (int k = 1; k <= 10; ++k) {
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("ComboBox%1").arg(k + 1));
        list->addItems(FunctionKeyNames());
        auto* send = new QPushButton(QStringLiteral("Wyslij"), this);
        send->setObjectName(QStringLiteral("Button%1").arg(k));
        send->setAccessibleName(QStringLiteral("Wyslij F%1").arg(k));
        grid->addWidget(Caption(QStringLiteral("F%1").arg(k), list), k, 0);
        grid->addWidget(list, k, 1);
        grid->addWidget(send, k, 2);
        connect(send, &QPushButton::clicked, this, [this, k] {
            TransferScope scope(this);
            if (scope) SendKey(k);
        });
        Functions << list;
        SendButtons << send;
    }
    BitBtn2 = Named(new QPushButton(QStringLiteral("Wyślij do kasy\nwszystkie klawisze"), this), "BitBtn2");
    outer->addWidget(BitBtn2, 0, Qt::AlignRight);
    Panel7 = WaitPanel("Panel7");
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieKlawiszyFunkcyjnych::SendAll);
}

bool TProgramowanieKlawiszyFunkcyjnych::SendKey(int key) {
    return TellOutcome(ProgramFunctionKey(s_.link, ComboBox1->currentIndex() + 1, key,
                                          FunctionKeyCode(Functions[key - 1]->currentIndex())),
                       QStringLiteral("Klawisz F%1 zapisano w kasie.").arg(key));
}

void TProgramowanieKlawiszyFunkcyjnych::SendAll() {
    TransferRun run(this, nullptr, Panel7);
    if (!run) return;
    // The first key the register refuses ends the run.
    for (int k = 1; k <= 10; ++k)
        if (!SendKey(k)) return;
    StatusLine()->setText(QStringLiteral("Wszystkie klawisze zapisano w kasie."));
}

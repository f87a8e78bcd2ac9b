#include "link/Podgladbufora.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/text.h"
#include "link/registerlink.h"

TPokazBuforOdb::TPokazBuforOdb(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TPokazBuforOdb"));
    setWindowTitle(QStringLiteral("Podgląd bufora odbiorczego"));
    auto* outer = new QVBoxLayout(this);
    RichEdit1 = Named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setAccessibleName(QStringLiteral("Zawartość bufora"));
    outer->addWidget(RichEdit1);
    auto* group = Named(new QGroupBox(QStringLiteral("Sposób wyświetlania danych"), this), "RadioGroup1");
    auto* radios = new QHBoxLayout(group);
    Hex = new QRadioButton(QStringLiteral("Szesnastkowo"), group);
    Decimal = new QRadioButton(QStringLiteral("Dziesiętnie"), group);
    Char = new QRadioButton(QStringLiteral("Char"), group);
    auto* choice = new QButtonGroup(this);
    int id = 0;
    for (QRadioButton* r : {Hex, Decimal, Char}) {
        radios->addWidget(r);
        choice->addButton(r, id++);
    }
    Hex->setChecked(true);
    outer->addWidget(group);
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("Bufor odbiorczy programu"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Bufor odbiorczy PC"), this), "Button2");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);
    resize(520, 320);
    connect(Button1, &QPushButton::clicked, this, &TPokazBuforOdb::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TPokazBuforOdb::Button2Click);
    connect(choice, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) RichEdit1->setPlainText(Shown(program_));
    });
}

QString TPokazBuforOdb::Shown(const QByteArray& bytes) const {
    QString out;
    for (char c : bytes) {
        if (c == 0) break;
        const uint8_t b = uint8_t(c);
        if (Hex->isChecked()) out += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        else if (Decimal->isChecked()) out += QString::number(b);
        else out += FromCp1250(QByteArray(1, c));
        out += QLatin1Char(' ');
    }
    return out;
}

void TPokazBuforOdb::FormShow() { Button1Click(); }

void TPokazBuforOdb::Button1Click() {
    const QByteArray rx = s_.link.LastBytes();
    program_ = rx.left(rx.indexOf('\0') < 0 ? RegisterLink::kRxSize : rx.indexOf('\0'));
    RichEdit1->setPlainText(Shown(program_));
}

void TPokazBuforOdb::Button2Click() {
    // Only what is already waiting: the view never waits for the register.
    pc_ = s_.link.TakeWaiting(30);
    if (pc_.indexOf('\0') >= 0) pc_.truncate(pc_.indexOf('\0'));
    RichEdit1->setPlainText(Shown(pc_));
}

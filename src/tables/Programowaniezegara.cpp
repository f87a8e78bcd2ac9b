#include "tables/Programowaniezegara.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"

TProgramowanieZegara::TProgramowanieZegara(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieZegara"));
    setWindowTitle(QStringLiteral("Programowanie zegara"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie zegara")));
    auto* fields = new QFormLayout;
    outer->addLayout(fields);
    DateTimePicker1 = Named(new QDateEdit(this), "DateTimePicker1");
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker2 = Named(new QTimeEdit(this), "DateTimePicker2");
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    fields->addRow(Caption(QStringLiteral("Data (rrrr-mm-dd)"), DateTimePicker1), DateTimePicker1);
    fields->addRow(Caption(QStringLiteral("Godzina (gg:mm:ss) "), DateTimePicker2), DateTimePicker2);
    auto* buttons = new QHBoxLayout;
    BitBtn2 = Named(new QPushButton(QStringLiteral("&Wyślij do kasy"), this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    outer->addLayout(buttons);
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieZegara::BitBtn2Click);
    EnterPresses(BitBtn2);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
}

void TProgramowanieZegara::FormShow() {
    const QDateTime now = s_.clock.Now();
    DateTimePicker1->setDate(now.date());
    DateTimePicker2->setTime(now.time());
}

void TProgramowanieZegara::BitBtn2Click() {
    const QTime t = DateTimePicker2->time();
    const QDateTime when(DateTimePicker1->date(), QTime(t.hour(), t.minute(), t.second()));
    TellOutcome(Transact(s_.link, ClockFrame(when), Exchange{true, true, AckStyle::Wait, 0, -1, {}}),
                QStringLiteral("Zegar kasy ustawiono na ") + when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                    QLatin1Char('.'));
}

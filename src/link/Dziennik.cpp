#include "link/Dziennik.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/prompts.h"
#include "link/registerlink.h"

TDziennikTransmisji::TDziennikTransmisji(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TDziennikTransmisji"));
    setWindowTitle(QStringLiteral("Dziennik transmisji"));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top);
    DateEdit1 = Named(new QDateEdit(this), "DateEdit1");
    DateEdit1->setCalendarPopup(true);
    DateEdit1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    top->addWidget(Caption(QStringLiteral("Dzień:"), DateEdit1));
    top->addWidget(DateEdit1);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Tylko błędy"), this), "CheckBox1");
    top->addWidget(CheckBox1);
    Button1 = Named(new QPushButton(QStringLiteral("&Pokaż"), this), "Button1");
    top->addWidget(Button1);
    top->addStretch();

    Grid1 = Named(new QTableWidget(0, 8, this), "Grid1");
    Grid1->setHorizontalHeaderLabels({QStringLiteral("Czas"), QStringLiteral("Port"), QStringLiteral("Adres"),
                                      QStringLiteral("Polecenie"), QStringLiteral("Rekord"), QStringLiteral("Wynik"),
                                      QStringLiteral("Błąd"), QStringLiteral("Przebieg")});
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->verticalHeader()->hide();
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->setAccessibleName(QStringLiteral("Wpisy dziennika"));
    outer->addWidget(Grid1, 1);
    Label1 = Named(new QLabel(this), "Label1");
    outer->addWidget(Label1);
    Button2 = Named(new QPushButton(QStringLiteral("&Eksport do CSV"), this), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("&Zamknij"), this), "Button3");
    outer->addLayout(ButtonRow({Button2, Button3}));
    EnterPresses(Button1);

    connect(Button1, &QPushButton::clicked, this, &TDziennikTransmisji::Button1Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TDziennikTransmisji::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDziennikTransmisji::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QWidget::close);
    DateEdit1->setDate(s_.clock.Now().date());
    resize(1000, 560);
}

void TDziennikTransmisji::FormShow() { Button1Click(); }

QString TDziennikTransmisji::Directory() const {
    if (const TransferLog* log = s_.link.Log()) return log->Directory();
    return s_.app.startDirectory + QStringLiteral("/dziennik");
}

void TDziennikTransmisji::Button1Click() {
    const QList<LogEntry> all = TransferLog::ReadDay(Directory(), DateEdit1->date());
    shown_.clear();
    int failed = 0;
    for (const LogEntry& e : all) {
        if (e.Failed()) ++failed;
        if (!CheckBox1->isChecked() || e.Failed()) shown_ << e;
    }
    Grid1->setRowCount(int(shown_.size()));
    for (int r = 0; r < shown_.size(); ++r) {
        const LogEntry& e = shown_[r];
        const QStringList cells{e.time.toString(QStringLiteral("HH:mm:ss.zzz")), e.port, QString::number(e.address),
                                TransferLog::CommandText(e.command), e.record >= 0 ? QString::number(e.record) : QString(),
                                e.result, e.errorCode ? QStringLiteral("%1: %2").arg(e.errorCode).arg(e.error) : QString(),
                                e.runName};
        for (int c = 0; c < cells.size(); ++c) Grid1->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    Grid1->resizeColumnsToContents();
    // A long error text keeps the run's name in view; the whole text is its tooltip.
    if (Grid1->columnWidth(6) > 330) Grid1->setColumnWidth(6, 330);
    for (int r = 0; r < Grid1->rowCount(); ++r)
        if (QTableWidgetItem* item = Grid1->item(r, 6)) item->setToolTip(item->text());
    Label1->setText(QStringLiteral("Wpisów: %1, w tym nieudanych: %2").arg(all.size()).arg(failed));
}

void TDziennikTransmisji::Button2Click() {
    SaveCsvFile(QStringLiteral("dziennik_%1.csv").arg(DateEdit1->date().toString(Qt::ISODate)), TransferLog::Csv(shown_));
}

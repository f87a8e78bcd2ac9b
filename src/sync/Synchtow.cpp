#include "sync/Synchtow.h"

#include "common/Checklist.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "common/text.h"
#include "goods/Edycjatowaru.h"
#include "goods/goodstable.h"
#include "image/fields.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/exchange.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "printing/Printer.h"
#include "printing/goodslist.h"

using namespace layout;

namespace {

bool Ticked(const QListWidget* list, int row) { return list->item(row)->checkState() == Qt::Checked; }
void Tick(QListWidget* list, int row, bool on) { list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }
int TickedCount(const QListWidget* list) {
    int n = 0;
    for (int i = 0; i < list->count(); ++i) n += Ticked(list, i) ? 1 : 0;
    return n;
}
int Plu(const QListWidget* list, int row) { return RowNumber(list->item(row)->text()); }
bool LowByteIsOne(uint16_t frame) { return (frame & 0xFF) == 1; }

// A caption and its value label in the details panel.
QLabel* Detail(QGridLayout* grid, QWidget* parent, int row, const QString& caption, const char* name) {
    auto* value = new QLabel(parent);
    value->setObjectName(QLatin1String(name));
    auto* label = new QLabel(caption, parent);
    label->setBuddy(value);
    value->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

}  // namespace

TSynchronizacjaBazyTowarowej::TSynchronizacjaBazyTowarowej(Services& services, TEdycjaTowaru* editDialog,
                                                           QWidget* parent)
    : TForm(services, parent), editDialog_(editDialog) {
    setObjectName(QStringLiteral("TSynchronizacjaBazyTowarowej"));
    setWindowTitle(QStringLiteral("Podgląd bazy towarowej"));
    setFixedSize(1012, 588);
    auto* outer = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    outer->addLayout(sides, 1);

    // PC side.
    auto* pc = new QVBoxLayout;
    sides->addLayout(pc, 1);
    auto* pcTitle = new QLabel(QStringLiteral("Baza towarowa PC"), this);
    pc->addWidget(pcTitle);
    CheckListBox1 = CheckList(this, "CheckListBox1", QStringLiteral("Baza towarowa PC"));
    pcTitle->setBuddy(CheckListBox1);
    pc->addWidget(CheckListBox1, 1);
    auto* pcButtons = new QGridLayout;
    BitBtn9 = Named(new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko    "), this), "BitBtn9");
    BitBtn2 = Named(new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"), this), "BitBtn2");
    BitBtn5 = Named(new QPushButton(QStringLiteral("Usuń zaznaczone rekordy z PC"), this), "BitBtn5");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Edytuj towar"), this), "BitBtn3");
    BitBtn10 = Named(new QPushButton(QStringLiteral("&Wydruk bazy  "), this), "BitBtn10");
    pcButtons->addWidget(BitBtn9, 0, 0);
    pcButtons->addWidget(BitBtn3, 0, 1);
    pcButtons->addWidget(BitBtn2, 1, 0);
    pcButtons->addWidget(BitBtn5, 1, 1);
    pcButtons->addWidget(BitBtn10, 2, 0);
    BitBtnRozne = Named(new QPushButton(QStringLiteral("Zaznacz różniące się"), this), "BitBtnRozne");
    LabelRozne = Named(new QLabel(this), "LabelRozne");
    pcButtons->addWidget(BitBtnRozne, 3, 0);
    pcButtons->addWidget(LabelRozne, 3, 1);
    pc->addLayout(pcButtons);

    // Register side.
    auto* reg = new QVBoxLayout;
    sides->addLayout(reg, 1);
    auto* regTitle = new QLabel(QStringLiteral("Baza towarowa kasy Zelk Tuvo"), this);
    reg->addWidget(regTitle);
    CheckListBox2 = CheckList(this, "CheckListBox2", QStringLiteral("Baza towarowa kasy Zelk Tuvo"));
    regTitle->setBuddy(CheckListBox2);
    reg->addWidget(CheckListBox2, 1);
    auto* regButtons = new QGridLayout;
    BitBtn1 = Named(new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko    "), this), "BitBtn1");
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Odśwież"), this), "BitBtn6");
    BitBtn4 = Named(new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"), this), "BitBtn4");
    BitBtn8 = Named(new QPushButton(QStringLiteral("Usuń zaznaczone\nrekordy z kasy"), this), "BitBtn8");
    regButtons->addWidget(BitBtn1, 0, 0);
    regButtons->addWidget(BitBtn6, 0, 1);
    regButtons->addWidget(BitBtn4, 1, 0);
    regButtons->addWidget(BitBtn8, 1, 1);
    reg->addLayout(regButtons);
    auto* marks = new QGridLayout;
    Button4 = Named(new QPushButton(QStringLiteral("Weryfikuj kody kreskowe"), this), "Button4");
    Button7 = Named(new QPushButton(QStringLiteral("Zaznacz nieużywane towary"), this), "Button7");
    Edit1 = Named(new QLineEdit(QStringLiteral("30"), this), "Edit1");
    Edit1->setMaxLength(2);
    Edit1->setMaximumWidth(40);
    Edit1->setAccessibleName(QStringLiteral("Zaznacz towary niesprzedawane od dni"));
    BitBtn11 = Named(new QPushButton(QStringLiteral("Zaznacz wg numerów"), this), "BitBtn11");
    Edit3 = Named(new QLineEdit(this), "Edit3");
    Edit4 = Named(new QLineEdit(this), "Edit4");
    Edit3->setMaximumWidth(60);
    Edit4->setMaximumWidth(60);
    marks->addWidget(Button4, 0, 0, 1, 5);
    marks->addWidget(Button7, 1, 0);
    marks->addWidget(new QLabel(QStringLiteral("Zaznacz towary niesprzedawane od"), this), 1, 1);
    marks->addWidget(Edit1, 1, 2);
    marks->addWidget(new QLabel(QStringLiteral("dni"), this), 1, 3);
    marks->addWidget(BitBtn11, 2, 0);
    marks->addWidget(Caption(QStringLiteral("od"), Edit3), 2, 1, Qt::AlignRight);
    marks->addWidget(Edit3, 2, 2);
    marks->addWidget(Caption(QStringLiteral("do"), Edit4), 2, 3);
    marks->addWidget(Edit4, 2, 4);
    reg->addLayout(marks);

    // Details, gauges, options.
    auto* bottom = new QHBoxLayout;
    outer->addLayout(bottom);
    auto* details = new QGroupBox(this);
    auto* grid = new QGridLayout(details);
    grid->setVerticalSpacing(1);
    Image3 = Named(new QLabel(QStringLiteral("PC"), details), "Image3");
    Image4 = Named(new QLabel(QStringLiteral("KASA"), details), "Image4");
    for (QLabel* l : {Image3, Image4}) {
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: white; background: #1F3A68; padding: 2px 6px;"));
        l->hide();
    }
    Label32 = Named(new QLabel(details), "Label32");
    Label32->setStyleSheet(QStringLiteral("color: blue; font-weight: bold"));
    grid->addWidget(Image3, 0, 0);
    grid->addWidget(Image4, 0, 0);
    grid->addWidget(Label32, 0, 1, 1, 3);
    Label34 = Detail(grid, details, 1, QStringLiteral("PTU:"), "Label34");
    Label12 = Detail(grid, details, 2, QStringLiteral("Numer grupy towarowej:"), "Label12");
    Label13 = Detail(grid, details, 3, QStringLiteral("Kod:"), "Label13");
    Label15 = Detail(grid, details, 4, QStringLiteral("Numer opakowania:"), "Label15");
    Label16 = Detail(grid, details, 5, QStringLiteral("Cena stała:"), "Label16");
    auto* grid2 = new QGridLayout;
    grid2->setHorizontalSpacing(10);
    grid2->setVerticalSpacing(1);
    grid->setHorizontalSpacing(10);
    grid->addLayout(grid2, 1, 2, 5, 2);
    Label17 = Detail(grid2, details, 0, QStringLiteral("Sprzedaż na sztuki:"), "Label17");
    Label46 = Detail(grid2, details, 1, QStringLiteral("Indeks tablicy HALO"), "Label46");
    Label51 = new QLabel(details);
    Label51->setObjectName(QStringLiteral("Label51"));
    Label52 = new QLabel(QStringLiteral("Numer jednostki towarowej"), details);
    Label52->setObjectName(QStringLiteral("Label52"));
    Label52->setBuddy(Label51);
    Label52->installEventFilter(this);
    grid2->addWidget(Label52, 2, 0);
    grid2->addWidget(Label51, 2, 1);
    Label14 = Detail(grid2, details, 3, QStringLiteral("Ilość sprzedanych sztuk:"), "Label14");
    Label42 = Detail(grid2, details, 4, QStringLiteral("Wartość sprzedaży:"), "Label42");
    Label18 = Detail(grid2, details, 5, QStringLiteral("Data ostatniej sprzedaży:"), "Label18");
    bottom->addWidget(details, 1);

    auto* side = new QVBoxLayout;
    bottom->addLayout(side);
    side->addWidget(new QLabel(QStringLiteral("Zajęta pamięć:"), this));
    auto gauge = [&](const QString& caption, const char* barName, const char* labelName, QProgressBar*& bar,
                     QLabel*& label) {
        auto* row = new QHBoxLayout;
        auto* c = new QLabel(caption, this);
        bar = Named(new QProgressBar(this), barName);
        bar->setRange(0, 2000);
        bar->setTextVisible(false);
        bar->setFixedSize(140, 10);
        bar->setAccessibleName(QStringLiteral("Zajęta pamięć ") + caption);
        label = Named(new QLabel(this), labelName);
        row->addWidget(c);
        row->addWidget(bar);
        row->addWidget(label);
        side->addLayout(row);
    };
    gauge(QStringLiteral("PC"), "ProgressBar1", "Label4", ProgressBar1, Label4);
    gauge(QStringLiteral("TUVO"), "ProgressBar2", "Label21", ProgressBar2, Label21);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Potwierdzaj wprowadzanie towarów z klawiatury kasy"), this),
                      "CheckBox1");
    side->addWidget(CheckBox1);
    side->addWidget(FastSendingBox());
    side->addStretch();

    Panel2 = ProgressPanel("Panel2", QStringLiteral("Trwa importowanie bazy towarowej..."),
                           QStringLiteral("Liczba zaimportowanych towarów:"), Label24, Button1);
    Panel3 = ProgressPanel("Panel3", QStringLiteral("Trwa wysyłanie bazy towarowej..."),
                           QStringLiteral("Liczba wysłanych towarów:"), Label27, Button2);
    Panel5 = ProgressPanel("Panel5", QStringLiteral("Trwa kasowanie bazy towarowej..."),
                           QStringLiteral("Liczba skasowanych towarów:"), Label49, Button3);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label27->setObjectName(QStringLiteral("Label27"));
    Label49->setObjectName(QStringLiteral("Label49"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3->setObjectName(QStringLiteral("Button3"));
    auto extra = [](QFrame* panel, QLabel*& label, const char* name, const QString& text) {
        label = new QLabel(text, panel);
        label->setObjectName(QLatin1String(name));
        label->hide();
        panel->layout()->addWidget(label);
    };
    extra(Panel3, Label28, "Label28", QStringLiteral("Drukuję..."));
    extra(Panel3, Label43, "Label43", QStringLiteral("Błędy:"));
    extra(Panel3, Label44, "Label44", QString());
    Label43->setStyleSheet(QStringLiteral("color: red"));
    Label44->setStyleSheet(QStringLiteral("color: red"));
    extra(Panel5, Label50, "Label50", QStringLiteral("Drukuję..."));

    MenuWydruku = new QMenu(this);
    MenuWydruku->setObjectName(QStringLiteral("MenuWydruku"));
    DrukujwedugnumerwPLU1 = MenuWydruku->addAction(QStringLiteral("Drukuj według numerów PLU"));
    Drukujwedugnazw1 = MenuWydruku->addAction(QStringLiteral("Drukuj według nazw"));

    connect(BitBtn6, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::ReadRegisterGoods);
    connect(BitBtn2, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::SendTickedGoods);
    connect(BitBtn4, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::CopyTickedToPc);
    connect(BitBtn5, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::DeleteTickedOnPc);
    connect(BitBtn8, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::DeleteTickedInRegister);
    connect(Button4, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::VerifyBarcodes);
    connect(Button7, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::MarkUnsoldGoods);
    connect(BitBtn11, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::TickByNumber);
    connect(BitBtn3, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::EditPcGoods);
    connect(BitBtn9, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < CheckListBox1->count(); ++i) Tick(CheckListBox1, i, tickPc_);
        tickPc_ = !tickPc_;
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < CheckListBox2->count(); ++i) Tick(CheckListBox2, i, tickRegister_);
        tickRegister_ = !tickRegister_;
    });
    connect(CheckBox1, &QCheckBox::clicked, this, [this](bool on) { confirmFlag = on ? 1 : 0; });
    for (QPushButton* cancel : {Button1, Button2, Button3})
        connect(cancel, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(CheckListBox1, &QListWidget::itemClicked, this, &TSynchronizacjaBazyTowarowej::ShowPcDetails);
    connect(CheckListBox2, &QListWidget::itemClicked, this, &TSynchronizacjaBazyTowarowej::ShowRegisterDetails);
    for (QListWidget* list : {CheckListBox1, CheckListBox2})
        connect(list, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        });
    connect(BitBtnRozne, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::TickDiffering);
    connect(BitBtn10, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::OpenPrintMenu);
    connect(DrukujwedugnumerwPLU1, &QAction::triggered, this, [this] { PrintGoods(false); });
    connect(Drukujwedugnazw1, &QAction::triggered, this, [this] { PrintGoods(true); });
}

QFrame* TSynchronizacjaBazyTowarowej::ProgressPanel(const char* name, const QString& title,
                                                    const QString& counterCaption, QLabel*& counter,
                                                    QPushButton*& cancel) {
    auto* panel = Named(new QFrame(this), name);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
    auto* t = new QLabel(title, panel);
    QFont f = t->font();
    f.setBold(true);
    t->setFont(f);
    layout->addWidget(t);
    auto* row = new QHBoxLayout;
    counter = new QLabel(panel);
    auto* caption = new QLabel(counterCaption, panel);
    caption->setBuddy(counter);
    row->addWidget(caption);
    row->addWidget(counter);
    row->addStretch();
    layout->addLayout(row);
    cancel = new QPushButton(QStringLiteral("Anuluj"), panel);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    panel->setFixedSize(380, 150);
    panel->hide();
    return panel;
}

void TSynchronizacjaBazyTowarowej::OpenPrintMenu() {
    printLines_.clear();
    for (int n : OccupiedGoods(s_.image)) printLines_ << GoodsPrintLine(s_.image, n);
    MenuWydruku->popup(QCursor::pos());
}

bool TSynchronizacjaBazyTowarowej::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label52 && event->type() == QEvent::MouseButtonRelease && BitBtn10->isEnabled()) {
        OpenPrintMenu();
        return true;
    }
    return TForm::eventFilter(watched, event);
}

void TSynchronizacjaBazyTowarowej::FormShow() {
    ClearDetails();
    CheckListBox1->clearSelection();
    CheckListBox2->clear();
    ProgressBar2->setValue(0);
    tickPc_ = true;
    tickRegister_ = true;
    RebuildPcList();
    RebuildRegisterList();
    confirmFlag = CheckBox1->isChecked() ? 1 : 0;
}

bool TSynchronizacjaBazyTowarowej::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && TransferRunning()) {
        s_.link.RequestCancel();
        return true;
    }
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void TSynchronizacjaBazyTowarowej::UpdateGauge(QProgressBar* bar, QLabel* label, int count) {
    bar->setValue(count);
    label->setText(QString::number(count) + QStringLiteral("/2000"));
    const GaugeColour c = MemoryGaugeColour(count);
    bar->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: rgb(%1, %2, %3); }")
                           .arg(c.red)
                           .arg(c.green)
                           .arg(c.blue));
}

void TSynchronizacjaBazyTowarowej::RebuildPcList() {
    CheckListBox1->setUpdatesEnabled(false);
    CheckListBox1->clear();
    const QList<int> goods = OccupiedGoods(s_.image);
    for (int n : goods) AddChecked(CheckListBox1, PcGoodsListRow(s_.image, n));
    CheckListBox1->setUpdatesEnabled(true);
    UpdateGauge(ProgressBar1, Label4, int(goods.size()));
}

void TSynchronizacjaBazyTowarowej::RebuildRegisterList() {
    CheckListBox2->setUpdatesEnabled(false);
    CheckListBox2->clear();
    const QList<int> goods = mirror.Occupied();
    for (int n : goods) AddChecked(CheckListBox2, RegisterGoodsListRow(mirror.Record(n)));
    CheckListBox2->setUpdatesEnabled(true);
    UpdateGauge(ProgressBar2, Label21, int(goods.size()));
}

void TSynchronizacjaBazyTowarowej::ReadRegisterGoods() {
    TransferScope scope(this, Button1);
    if (!scope) return;
    s_.link.ClearCancel();
    Label24->setText(QStringLiteral("0"));
    ShowOver(Panel2);
    CheckListBox2->clear();
    QApplication::processEvents();
    // A goods number outside 1-2000 has no slot: it is not stored. A damaged
    // frame ends the transfer; the register is told so.
    ReadRegisterTable(s_.link, kGoodsCommand, kGoodsReplyLength, mirror, [this](int stored) {
        Label24->setText(QString::number(stored));
        QApplication::processEvents();  // "Anuluj" and Esc take effect between records
    });
    Panel2->hide();
    RebuildRegisterList();
}

QList<TickedRow> TSynchronizacjaBazyTowarowej::TickedRows(QListWidget* list) const {
    QList<TickedRow> ticked;
    for (int row = 0; row < list->count(); ++row)
        if (Ticked(list, row)) ticked << TickedRow{row, Plu(list, row)};
    return ticked;
}

void TSynchronizacjaBazyTowarowej::SendTickedGoods() {
    {
        TransferScope scope(this, Button2);
        if (!scope) return;
        RegisterLink& link = s_.link;
        link.ClearCancel();
        Label43->hide();
        Label44->hide();
        Label44->clear();
        // The ticks as they stand now: a tick changed during the run changes
        // nothing in it, so the last ticked record always carries the last-frame flag.
        const QList<TickedRow> ticked = TickedRows(CheckListBox1);
        if (ticked.isEmpty()) return;
        Label27->setText(QStringLiteral("0/") + QString::number(ticked.size()));
        ShowOver(Panel3);
        QString failureList = QStringLiteral("Niezaprogramowane towary:");
        WriteEvents events;
        events.progress = [this](const WriteOutcome&) { QApplication::processEvents(); };
        events.busy = [this](bool on) { Label28->setVisible(on); };
        int accepted = 0, refused = 0;
        events.answered = [&](const TickedRow& t, const Answer& a) {
            if (a.Accepted()) {
                ++accepted;
                mirror.UpdateFromPc(t.number, s_.image.ReadBytesAt(kGoods.Offset(t.number), kGoods.recordSize));
                Label27->setText(QString::number(accepted) + QLatin1Char('/') + QString::number(ticked.size()));
            } else if (a.ack == AckRegisterError) {
                ++refused;
                failureList += QLatin1Char('\n') + QString::number(t.number) + QLatin1Char('.') +
                               s_.image.ReadTextAt(kGoods.Offset(t.number) + goods::kName, goods::kNameWidth) +
                               QStringLiteral(" - ") + RegisterErrorText(a.errorCode);
                Label43->show();
                Label44->setText(QString::number(refused));
                Label44->show();
            }
        };
        const WriteOutcome out =
            WriteRecords(link, s_.image, kGoodsWriting, ticked, confirmFlag, s_.app.fastSending, events);
        Panel3->hide();
        // A lost, damaged or unexpected answer, or a second busy: the register
        // refused nothing, the line failed.
        QString text = out.Message(QStringLiteral(" towarów."));
        if (!out.failed && out.refused > 0)
            text += QStringLiteral(" Nie udało się zaprogramować ") + QString::number(out.refused) +
                    QStringLiteral(" towarów.");
        s_.prompts.Message(text);
        if (!out.failed && out.refused > 0) s_.prompts.Message(failureList);
    }
    ReadRegisterGoods();  // what the register now holds, so a second comparison ticks nothing
}

void TSynchronizacjaBazyTowarowej::CopyTickedToPc() {
    for (int row = 0; row < CheckListBox2->count(); ++row) {
        if (!Ticked(CheckListBox2, row)) continue;
        const int plu = Plu(CheckListBox2, row);
        if (mirror.Present(plu) && StoreRegisterGoodsRecord(s_.image, mirror.Record(plu)))
            s_.app.databaseModified = true;  // the copied goods are a change to save
    }
    RebuildPcList();
}

void TSynchronizacjaBazyTowarowej::DeleteTickedOnPc() {
    if (TickedCount(CheckListBox1) == 0) return;
    const int remembered = CheckListBox1->currentRow();
    for (int row = CheckListBox1->count() - 1; row >= 0; --row) {
        if (!Ticked(CheckListBox1, row)) continue;
        const int plu = Plu(CheckListBox1, row);
        if (kGoods.Holds(plu)) {
            RemoveGoodsFromQuickKeys(s_.image, plu);
            s_.image.ClearBytes(kGoods.Offset(plu), kGoods.recordSize);
            s_.app.databaseModified = true;
        }
        delete CheckListBox1->takeItem(row);
    }
    if (remembered >= 0 && remembered < CheckListBox1->count()) CheckListBox1->setCurrentRow(remembered);
    UpdateGauge(ProgressBar1, Label4, CheckListBox1->count());
}

void TSynchronizacjaBazyTowarowej::DeleteTickedInRegister() {
    TransferScope scope(this, Button3);
    if (!scope) return;
    RegisterLink& link = s_.link;
    link.ClearCancel();
    const QList<TickedRow> ticked = TickedRows(CheckListBox2);
    if (ticked.isEmpty()) return;
    QList<int> numbers;
    for (const TickedRow& t : ticked) numbers << t.number;
    Label49->setText(QStringLiteral("0/") + QString::number(numbers.size()));
    ShowOver(Panel5);
    DeleteEvents events;
    events.progress = [&](const DeleteOutcome& sofar) {
        Label49->setText(QString::number(sofar.deleted) + QLatin1Char('/') + QString::number(numbers.size()));
        QApplication::processEvents();
    };
    events.busy = [this](bool on) { Label50->setVisible(on); };
    DeleteRecords(link, kGoodsDeleting, mirror, numbers, confirmFlag, events);
    Panel5->hide();
    RebuildRegisterList();
}

void TSynchronizacjaBazyTowarowej::TickDiffering() {
    const QList<int> differing = DifferingGoods(s_.image, mirror);
    for (int row = 0; row < CheckListBox1->count(); ++row)
        CheckListBox1->item(row)->setCheckState(differing.contains(Plu(CheckListBox1, row)) ? Qt::Checked : Qt::Unchecked);
    LabelRozne->setText(QStringLiteral("Różniących się: %1").arg(differing.size()));
}

void TSynchronizacjaBazyTowarowej::VerifyBarcodes() {
    if (TransferRunning()) return;
    ReadRegisterGoods();
    RegisterLink& link = s_.link;
    const int n = qMin(CheckListBox1->count(), CheckListBox2->count());
    uint16_t frame = kSingleFrame;
    bool differences = false;
    {
        TransferScope scope(this);  // the corrections go out with the window disabled
        for (int row = 0; row < n; ++row) {
            const int plu = Plu(CheckListBox2, row);
            const QByteArray pc = s_.image.ReadBytesAt(kGoods.Offset(plu) + goods::kBarcode, goods::kBarcodeWidth);
            const QByteArray reg =
                NormalisedBarcode(mirror.Record(plu).mid(reggoods::kBarcode, goods::kBarcodeWidth));
            if (pc == reg) continue;
            differences = true;
            TransactRecord(link, s_.image, RecordTable::Goods, frame, plu, 0,
                       Exchange{false, true, AckStyle::Plain, 0, LowByteIsOne(frame) ? 1000 : 450, {}});
            ++frame;
        }
    }
    if (differences) {
        s_.prompts.Message(QStringLiteral("Wykryto nieprawidłowości, zaprogramowano błędne towary, wykonaj weryfikację "
                                          "ponownie w celu potwierdzenia poprawności danych."));
        ReadRegisterGoods();
    } else {
        s_.prompts.Message(QStringLiteral("Poprawnie zweryfikowano ") + QString::number(n) +
                           QStringLiteral(" towarów. Nie stwierdzono błędów."));
    }
}

void TSynchronizacjaBazyTowarowej::MarkUnsoldGoods() {
    RebuildRegisterList();
    const auto days = ParseInteger(Edit1->text());
    if (!days) return;
    const QDate today = s_.clock.Now().date();
    for (int row = 0; row < CheckListBox2->count(); ++row)
        Tick(CheckListBox2, row, UnsoldFor(mirror.Record(Plu(CheckListBox2, row)), today, int(*days)));
}

void TSynchronizacjaBazyTowarowej::TickByNumber() {
    const auto from = Edit3->text().isEmpty() ? std::optional<qint64>(1) : ParseInteger(Edit3->text());
    const auto to = Edit4->text().isEmpty() ? std::optional<qint64>(2000) : ParseInteger(Edit4->text());
    if (!from || !to || *to < *from) {
        s_.prompts.Message(QStringLiteral("Błędnie wypełnione pola!"));
        return;
    }
    const qint64 low = *from == 0 ? 1 : *from;
    const qint64 high = qMin<qint64>(*to, 2000);
    for (int row = 0; row < CheckListBox2->count(); ++row) {
        const int plu = Plu(CheckListBox2, row);
        Tick(CheckListBox2, row, plu >= low && plu <= high);
    }
}

void TSynchronizacjaBazyTowarowej::EditPcGoods() {
    const int row = CheckListBox1->currentRow();
    if (row < 0 || !editDialog_) return;
    editDialog_->Edit(Plu(CheckListBox1, row));
    RebuildPcList();
}

void TSynchronizacjaBazyTowarowej::ClearDetails() {
    for (QLabel* l : {Label32, Label34, Label12, Label13, Label15, Label16, Label17, Label46, Label51, Label14,
                      Label42, Label18})
        l->clear();
    Image3->hide();
    Image4->hide();
}

namespace {
QString YesNo(int flag) { return flag ? QStringLiteral("TAK") : QStringLiteral("NIE"); }
QString OrNone(int v) { return v ? QString::number(v) : QStringLiteral("Brak"); }
}  // namespace

void TSynchronizacjaBazyTowarowej::ShowPcDetails() {
    if (CheckListBox1->count() == 0 || CheckListBox1->currentRow() < 0) return;
    CheckListBox2->clearSelection();
    Image3->show();
    Image4->hide();
    const GoodsFields g = ReadGoodsRecord(s_.image, Plu(CheckListBox1, CheckListBox1->currentRow()));
    Label32->setText(g.name);
    Label34->setText(QString(QLatin1Char(g.vat)));
    Label12->setText(QString::number(g.group));
    Label13->setText(g.barcode);
    Label15->setText(OrNone(g.packaging));
    Label16->setText(YesNo(g.fixedPrice));
    Label17->setText(YesNo(g.byPieces));
    Label46->setText(OrNone(g.halo));
    Label51->setText(OrNone(g.unit));
    Label14->clear();
    Label42->clear();
    Label18->clear();
}

void TSynchronizacjaBazyTowarowej::ShowRegisterDetails() {
    if (CheckListBox2->count() == 0 || CheckListBox2->currentRow() < 0) return;
    CheckListBox1->clearSelection();
    Image3->hide();
    Image4->show();
    const QByteArray r = mirror.Record(Plu(CheckListBox2, CheckListBox2->currentRow()));
    const char* p = r.constData();
    Label32->setText(FromCp1250Field(p + reggoods::kName, goods::kNameWidth));
    Label34->setText(QString(QLatin1Char(p[reggoods::kVat])));
    Label12->setText(QString::number(uint8_t(p[reggoods::kGroup])));
    Label13->setText(QString::fromLatin1(NormalisedBarcode(r.mid(reggoods::kBarcode, goods::kBarcodeWidth))));
    Label15->setText(OrNone(uint8_t(p[reggoods::kPackaging])));
    Label16->setText(YesNo(p[reggoods::kFixedPrice]));
    Label17->setText(YesNo(p[reggoods::kByPieces]));
    Label46->setText(OrNone(uint8_t(p[reggoods::kHalo])));
    Label51->setText(OrNone(uint8_t(p[reggoods::kUnit])));
    Label14->setText(QString::number(Long(p + reggoods::kQuantitySold) / 10000));
    Label42->setText(FormatHundredths(Long(p + reggoods::kValueSold)));
    Label18->setText(LastSaleText(r));
}

QStringList TSynchronizacjaBazyTowarowej::PrintLines(bool byName) const {
    QStringList lines = printLines_;
    if (byName) std::sort(lines.begin(), lines.end(), PolishLess);
    QStringList printed;
    for (const QString& line : lines) printed << PrintedLine(line);
    return printed;
}

void TSynchronizacjaBazyTowarowej::PrintGoods(bool byName) {
    const QStringList lines = PrintLines(byName);
    PrintListPages(s_.prompts, ListFont::Regular, [lines](const PageMetrics& m) { return LayoutGoodsLines(lines, m); });
}

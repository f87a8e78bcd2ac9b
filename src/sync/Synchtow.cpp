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
bool LowByteIsOne(uint16_t frame) { return (frame & 0xFF) == 1; }

// A caption and its value label in the details panel.
QLabel* Detail(QGridLayout* grid, QWidget* parent, int row, const QString& caption, const char* name) {
    auto* value = new QLabel(parent);
    value->setObjectName(QLatin1String(name));
    auto* label = new QLabel(caption, parent);
    label->setBuddy(value);
    // A screen reader reads the value itself (its text); the caption tells what it is.
    value->setAccessibleDescription(QString(caption).remove(QLatin1Char(':')));
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

const SyncWindowDescription& Description() {
    static const SyncWindowDescription d{
        .member = GoodsMember(),
        .className = "TSynchronizacjaBazyTowarowej",
        .caption = QStringLiteral("Podgląd bazy towarowej"),
        .pcCaption = QStringLiteral("Baza towarowa PC"),
        .registerCaption = QStringLiteral("Baza towarowa kasy Zelk Tuvo"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń zaznaczone\nrekordy z kasy"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie towarów z klawiatury kasy"),
        .tickAllCaption = QStringLiteral("Zaznacz/odznacz wszystko    "),
        .refusedHeading = QStringLiteral("Niezaprogramowane towary:"),
    };
    return d;
}

}  // namespace

TSynchronizacjaBazyTowarowej::TSynchronizacjaBazyTowarowej(Services& services, TEdycjaTowaru* editDialog,
                                                           QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent), editDialog_(editDialog) {
    // The window has its fixed size; the lists take what the tools leave them.
    for (QListWidget* list : {CheckListBox1, CheckListBox2}) list->setMinimumSize(0, 0);
    setFixedSize(1012, 588);

    // The PC side's own tools, in a grid with the family's buttons.
    BitBtn5 = Named(new QPushButton(QStringLiteral("Usuń zaznaczone rekordy z PC"), this), "BitBtn5");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Edytuj towar"), this), "BitBtn3");
    BitBtn10 = Named(new QPushButton(QStringLiteral("&Wydruk bazy  "), this), "BitBtn10");
    QGridLayout* pcButtons = PcButtons();
    pcButtons->removeWidget(BitBtn9);
    pcButtons->removeWidget(BitBtn2);
    pcButtons->removeItem(DifferingRow());
    DifferingRow()->removeWidget(BitBtnRozne);
    DifferingRow()->removeWidget(LabelRozne);
    delete DifferingRow();
    pcButtons->addWidget(BitBtn9, 0, 0);
    pcButtons->addWidget(BitBtn3, 0, 1);
    pcButtons->addWidget(BitBtn2, 1, 0);
    pcButtons->addWidget(BitBtn5, 1, 1);
    pcButtons->addWidget(BitBtn10, 2, 0);
    ButtonCofnij = Named(new QPushButton(QStringLiteral("Cofnij usunięcie"), this), "ButtonCofnij");
    ButtonCofnij->setEnabled(false);
    pcButtons->addWidget(ButtonCofnij, 2, 1);
    pcButtons->addWidget(BitBtnRozne, 3, 0);
    pcButtons->addWidget(LabelRozne, 3, 1);

    // The register side's marks.
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
    RegisterSide()->addLayout(marks);

    // The goods' details.
    QWidget* details = DetailColumns()->parentWidget();
    auto* grid = new QGridLayout;
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
    DetailColumns()->insertLayout(0, grid, 1);

    // The memory gauges over the options, which go to the top of their column.
    QVBoxLayout* side = Choices();
    delete side->takeAt(0);  // the stretch that held the options down
    side->removeWidget(CheckBox1);
    side->insertWidget(0, CheckBox1);
    side->addStretch();
    auto gauge = [&](int at, const QString& caption, const char* barName, const char* labelName, QProgressBar*& bar,
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
        side->insertLayout(at, row);
    };
    side->insertWidget(0, new QLabel(QStringLiteral("Zajęta pamięć:"), this));
    gauge(1, QStringLiteral("PC"), "ProgressBar1", "Label4", ProgressBar1, Label4);
    gauge(2, QStringLiteral("TUVO"), "ProgressBar2", "Label21", ProgressBar2, Label21);

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

    connect(BitBtn5, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::DeleteTickedOnPc);
    connect(ButtonCofnij, &QPushButton::clicked, this, [this] {
        if (undo_.Restore(s_.image, s_.app)) RebuildPcList();
        ButtonCofnij->setEnabled(false);
    });
    connect(Button4, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::VerifyBarcodes);
    connect(Button7, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::MarkUnsoldGoods);
    connect(BitBtn11, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::TickByNumber);
    connect(BitBtn3, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::EditPcGoods);
    for (QPushButton* cancel : {Button1, Button2, Button3})
        connect(cancel, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(BitBtn10, &QPushButton::clicked, this, &TSynchronizacjaBazyTowarowej::OpenPrintMenu);
    connect(DrukujwedugnumerwPLU1, &QAction::triggered, this, [this] { PrintGoods(false); });
    connect(Drukujwedugnazw1, &QAction::triggered, this, [this] { PrintGoods(true); });
}

TSynchronizacjaTabeli::RunPanel TSynchronizacjaBazyTowarowej::PanelFor(Run run) {
    switch (run) {
        case Run::Read: return {Panel2, Label24, Button1};
        case Run::Write: return {Panel3, Label27, Button2, Label28, Label43, Label44};
        case Run::Delete: return {Panel5, Label49, Button3, Label50};
    }
    return TSynchronizacjaTabeli::PanelFor(run);
}

QString TSynchronizacjaBazyTowarowej::PcRow(int n) { return PcGoodsListRow(s_.image, n); }

QString TSynchronizacjaBazyTowarowej::RegisterRow(const QByteArray& record) { return RegisterGoodsListRow(record); }

QString TSynchronizacjaBazyTowarowej::RowSearchText(int n, bool registerSide) {
    if (registerSide)
        return QString::fromLatin1(NormalisedBarcode(mirror.Record(n).mid(reggoods::kBarcode, goods::kBarcodeWidth)));
    return QString::fromLatin1(s_.image.ReadBytesAt(kGoods.Offset(n) + goods::kBarcode, goods::kBarcodeWidth));
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
    CheckListBox1->clearSelection();
    ButtonCofnij->setEnabled(undo_.Available(s_.app));
    tickAllPc_ = true;
    tickAllRegister_ = true;
    TSynchronizacjaTabeli::FormShow();
}

void TSynchronizacjaBazyTowarowej::ListsChanged() {
    UpdateGauge(ProgressBar1, Label4, CheckListBox1->count());
    UpdateGauge(ProgressBar2, Label21, CheckListBox2->count());
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

void TSynchronizacjaBazyTowarowej::DeleteTickedOnPc() {
    const int count = int(TickedRows(CheckListBox1).size());
    if (count == 0) return;
    // Asked first, naming how many; "Cofnij usunięcie" takes it back until the next save.
    if (s_.prompts.Ask(QStringLiteral("Usunąć z bazy PC zaznaczone towary (%1)?").arg(count), PromptButtons::YesNo,
                       PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    undo_.Remember(s_.image, s_.app, QStringLiteral("%1 towarów").arg(count));
    ButtonCofnij->setEnabled(true);
    const int remembered = CheckListBox1->currentRow();
    for (int row = CheckListBox1->count() - 1; row >= 0; --row) {
        if (!Ticked(CheckListBox1, row)) continue;
        const int plu = RowRecord(CheckListBox1, row);
        if (kGoods.Holds(plu)) {
            RemoveGoodsFromQuickKeys(s_.image, plu);
            s_.image.ClearBytes(kGoods.Offset(plu), kGoods.recordSize);
            s_.app.databaseModified = true;
        }
        delete CheckListBox1->takeItem(row);
    }
    if (remembered >= 0 && remembered < CheckListBox1->count()) CheckListBox1->setCurrentRow(remembered);
    ListsChanged();
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
            const int plu = RowRecord(CheckListBox2, row);
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
        Tick(CheckListBox2, row, UnsoldFor(mirror.Record(RowRecord(CheckListBox2, row)), today, int(*days)));
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
        const int plu = RowRecord(CheckListBox2, row);
        Tick(CheckListBox2, row, plu >= low && plu <= high);
    }
}

void TSynchronizacjaBazyTowarowej::EditPcGoods() {
    const int row = CheckListBox1->currentRow();
    if (row < 0 || !editDialog_) return;
    editDialog_->Edit(RowRecord(CheckListBox1, row));
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

void TSynchronizacjaBazyTowarowej::ShowPcDetails(const QByteArray& record) {
    Image3->show();
    Image4->hide();
    const GoodsFields g = ReadGoodsRecord(s_.image, Word(record.constData()));
    Label32->setText(g.name);
    Label34->setText(QString(QLatin1Char(g.vat)));
    Label12->setText(QString::number(g.group));
    Label13->setText(g.barcode);
    Label15->setText(OrNone(g.packaging));
    Label16->setText(YesNo(g.fixedPrice));
    Label17->setText(YesNo(g.byPieces));
    Label46->setText(OrNone(g.halo));
    Label51->setText(OrNone(g.unit));
}

void TSynchronizacjaBazyTowarowej::ShowRegisterDetails(const QByteArray& r) {
    Image3->hide();
    Image4->show();
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

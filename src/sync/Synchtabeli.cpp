#include "sync/Synchtabeli.h"

#include "common/Checklist.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/workimage.h"
#include "link/registerlink.h"

QString SyncRowStart(int number, const QString& name, int nameWidth) {
    return (QString::number(number) + QStringLiteral(". ")).leftJustified(4) + name.leftJustified(nameWidth, QLatin1Char(' '), true);
}

int SyncRowNumber(const QString& row) {
    const int dot = row.indexOf(QLatin1Char('.'));
    const auto n = ParseInteger(dot < 0 ? row.trimmed() : row.left(dot).trimmed());
    return n && *n > 0 && *n < 256 ? int(*n) : 0;
}

namespace {
QString DetailText(const QByteArray& r, const DetailField& d) {
    const int width = d.kind == DetailField::Count16 ? 2 : d.kind == DetailField::SaleDate ? 6 : 4;
    if (d.offset < 0 || d.offset + width > r.size()) return {};
    const char* p = r.constData() + d.offset;
    switch (d.kind) {
        case DetailField::Money: return FormatHundredths(Long(p));
        case DetailField::Count16: return QString::number(Word(p));
        case DetailField::Count32: return QString::number(Long(p));
        case DetailField::SaleDate:
            if (uint8_t(p[4]) == 24) return QStringLiteral("Brak");  // never sold
            return QStringLiteral("%1:%2 %3-%4-%5")
                .arg(uint8_t(p[4]), 2, 10, QLatin1Char('0'))
                .arg(uint8_t(p[5]), 2, 10, QLatin1Char('0'))
                .arg(uint8_t(p[3]))
                .arg(uint8_t(p[2]))
                .arg(Word(p));
    }
    return {};
}
}  // namespace

TSynchronizacjaTabeli::TSynchronizacjaTabeli(Services& services, const SyncWindowDescription& d, QWidget* parent)
    : TForm(services, parent), mirror(d.member.mirrorSlots, d.member.RecordSize()), d_(d) {
    setObjectName(QLatin1String(d.className));
    setWindowTitle(d.caption);
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    auto* left = new QVBoxLayout;
    CheckListBox1 = CheckList(this, "CheckListBox1", d.pcCaption);
    // The lists are what the window is for.
    const QFontMetrics listFont(CheckListBox1->font());
    CheckListBox1->setMinimumSize(listFont.horizontalAdvance(QLatin1Char('W')) * 46, (listFont.lineSpacing() + 8) * 12);
    Label1 = Named(new QLabel(d.pcCaption, this), "Label1");
    Label1->setBuddy(CheckListBox1);
    left->addWidget(Label1);
    left->addWidget(CheckListBox1, 1);
    BitBtn9 = Named(new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this), "BitBtn9");
    BitBtn2 = Named(new QPushButton(d.sendCaption, this), "BitBtn2");
    left->addWidget(BitBtn9);
    left->addWidget(BitBtn2);
    auto* differing = new QHBoxLayout;
    BitBtnRozne = Named(new QPushButton(QStringLiteral("Zaznacz różniące się"), this), "BitBtnRozne");
    LabelRozne = Named(new QLabel(this), "LabelRozne");
    differing->addWidget(BitBtnRozne);
    differing->addWidget(LabelRozne, 1);
    left->addLayout(differing);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    CheckListBox2 = CheckList(this, "CheckListBox2", d.registerCaption);
    CheckListBox2->setMinimumSize(CheckListBox1->minimumSize());
    Label2 = Named(new QLabel(d.registerCaption, this), "Label2");
    Label2->setBuddy(CheckListBox2);
    right->addWidget(Label2);
    right->addWidget(CheckListBox2, 1);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this), "BitBtn1");
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Odśwież"), this), "BitBtn6");
    BitBtn4 = Named(new QPushButton(d.copyCaption, this), "BitBtn4");
    BitBtn8 = Named(new QPushButton(d.deleteCaption, this), "BitBtn8");
    auto* registerButtons = new QGridLayout;
    registerButtons->addWidget(BitBtn1, 0, 0);
    registerButtons->addWidget(BitBtn6, 0, 1);
    registerButtons->addWidget(BitBtn4, 1, 0);
    registerButtons->addWidget(BitBtn8, 1, 1);
    right->addLayout(registerButtons);
    columns->addLayout(right, 1);

    auto* bottom = new QHBoxLayout;
    auto* box = new QGroupBox(this);
    auto* detailColumns = new QHBoxLayout(box);
    details_ = new QFormLayout;
    sideDetails_ = new QFormLayout;
    detailColumns->addLayout(details_);
    detailColumns->addSpacing(24);
    detailColumns->addLayout(sideDetails_);
    detailColumns->addStretch();
    for (const DetailField& field : d.details) {
        auto* value = new QLabel(box);
        value->setObjectName(QStringLiteral("Detail%1").arg(DetailValues.size() + 1));
        DetailValues << value;
        details_->addRow(field.caption, value);
    }
    bottom->addWidget(box, 1);
    CheckBox1 = Named(new QCheckBox(d.confirmCaption, this), "CheckBox1");
    CheckBox1->setVisible(d.confirmShown);
    auto* choices = new QVBoxLayout;
    choices->addStretch();
    choices->addWidget(FastSendingBox());
    choices->addWidget(CheckBox1);
    bottom->addLayout(choices);
    outer->addLayout(bottom, 0);

    Panel7 = WaitPanel("Panel7");
    auto* wait = static_cast<QVBoxLayout*>(Panel7->layout());
    LabelPostep = Named(new QLabel(Panel7), "LabelPostep");
    wait->addWidget(LabelPostep, 0, Qt::AlignCenter);
    BitBtnAnuluj = Named(new QPushButton(QStringLiteral("Anuluj"), Panel7), "BitBtnAnuluj");
    wait->addWidget(BitBtnAnuluj, 0, Qt::AlignCenter);
    Panel7->setFixedSize(220, 110);

    connect(BitBtn6, &QPushButton::clicked, this, &TSynchronizacjaTabeli::BitBtn6Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSynchronizacjaTabeli::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TSynchronizacjaTabeli::BitBtn4Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TSynchronizacjaTabeli::BitBtn8Click);
    connect(BitBtnRozne, &QPushButton::clicked, this, &TSynchronizacjaTabeli::TickDiffering);
    connect(BitBtn9, &QPushButton::clicked, this, [this] { ToggleAll(CheckListBox1, tickAllPc_); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ToggleAll(CheckListBox2, tickAllRegister_); });
    connect(BitBtnAnuluj, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this](bool on) { confirmFlag = on ? 1 : 0; });
    for (QListWidget* list : {CheckListBox1, CheckListBox2}) {
        connect(list, &QListWidget::itemClicked, this, [this, list] { RowClicked(list); });
        connect(list, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        });
    }
}

void TSynchronizacjaTabeli::FormShow() {
    confirmFlag = d_.confirmShown && CheckBox1->isChecked() ? 1 : 0;
    ClearDetails();
    RebuildPcList();
    RebuildRegisterList();
}

void TSynchronizacjaTabeli::AddRow(QListWidget* list, int number, const QByteArray& record, bool registerSide) {
    const QString name = FromCp1250Field(record.constData() + 1, d_.member.table.nameWidth);
    AddChecked(list, SyncRowStart(number, name, d_.nameWidth) + RowTail(record, registerSide));
}

void TSynchronizacjaTabeli::RebuildPcList() {
    CheckListBox1->clear();
    const SmallTable& t = d_.member.table;
    for (int n = 1; n <= t.maxNumber; ++n)
        if (t.Occupied(s_.image, n)) AddRow(CheckListBox1, uint8_t(t.Slot(s_.image, n)[0]), t.Slot(s_.image, n), false);
}

void TSynchronizacjaTabeli::RebuildRegisterList() {
    CheckListBox2->clear();
    for (int n : mirror.Occupied()) AddRow(CheckListBox2, n, mirror.Record(n), true);
}

QList<int> TSynchronizacjaTabeli::TickedNumbers(QListWidget* list) {
    QList<int> out;
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->checkState() == Qt::Checked)
            if (const int n = SyncRowNumber(list->item(r)->text())) out << n;
    return out;
}

void TSynchronizacjaTabeli::ToggleAll(QListWidget* list, bool& state) {
    for (int r = 0; r < list->count(); ++r) list->item(r)->setCheckState(state ? Qt::Checked : Qt::Unchecked);
    state = !state;
}

void TSynchronizacjaTabeli::ClearDetails() {
    for (QLabel* l : DetailValues) l->clear();
}

void TSynchronizacjaTabeli::RowClicked(QListWidget* list) {
    QListWidgetItem* item = list->currentItem();
    if (!item) return;
    const int n = SyncRowNumber(item->text());
    ClearDetails();
    if (list == CheckListBox2) {
        CheckListBox1->clearSelection();
        const QByteArray r = mirror.Record(n);
        for (int i = 0; i < d_.details.size(); ++i) DetailValues[i]->setText(DetailText(r, d_.details[i]));
        ShowRegisterDetails(r);
    } else {
        CheckListBox2->clearSelection();
        ShowPcDetails(d_.member.table.Slot(s_.image, n));
    }
}

void TSynchronizacjaTabeli::BitBtn6Click() {
    TransferScope scope(this, BitBtnAnuluj);
    if (scope) ReadRun();
}

void TSynchronizacjaTabeli::ReadRun() {
    ClearDetails();
    CheckListBox2->clear();
    ShowOver(Panel7);
    LabelPostep->setText(QStringLiteral("0"));
    s_.link.ClearCancel();
    const ReadOutcome out = ReadRegisterTable(s_.link, d_.member, mirror, [this](int stored) {
        LabelPostep->setText(QString::number(stored));
        QApplication::processEvents();  // lets "Anuluj" be pressed
    });
    Panel7->hide();
    if (out.RebuildList(d_.member)) RebuildRegisterList();
    // A record whose number has no slot is not kept; the user learns how many.
    if (out.skipped > 0)
        s_.prompts.Message(QStringLiteral("Pominięto %1 rekordów spoza zakresu.").arg(out.skipped));
}

void TSynchronizacjaTabeli::BitBtn2Click() {
    TransferScope scope(this, BitBtnAnuluj);
    if (!scope) return;
    QList<TickedRow> ticked;  // the ticks as they stand now, whatever is clicked meanwhile
    for (int r = 0; r < CheckListBox1->count(); ++r)
        if (CheckListBox1->item(r)->checkState() == Qt::Checked)
            if (const int n = SyncRowNumber(CheckListBox1->item(r)->text())) ticked << TickedRow{r, n};
    if (ticked.isEmpty()) return;
    ShowOver(Panel7);
    s_.link.ClearCancel();
    const WriteOutcome out = WriteRecords(
        s_.link, s_.image, d_.member, ticked, confirmFlag,
        [&](int done) {
            LabelPostep->setText(QStringLiteral("%1/%2").arg(done).arg(ticked.size()));
            QApplication::processEvents();
        },
        s_.app.fastSending);
    Panel7->hide();
    const QString message = out.Message(d_.member);
    // The register's table is read afresh after every run, a failed one too,
    // so the list shows what the register now holds.
    switch (out.failed ? RunEnd::MessagePauseRead : d_.member.end) {
        case RunEnd::MessagePauseRead:
            s_.prompts.Message(message);
            if (!out.failed) s_.clock.Sleep(d_.member.endPause);
            ReadRun();
            break;
        case RunEnd::PauseMessageRead:
            s_.clock.Sleep(d_.member.endPause);
            s_.prompts.Message(message);
            ReadRun();
            break;
        case RunEnd::PauseReadMessage:
            s_.clock.Sleep(d_.member.endPause);
            ReadRun();
            s_.prompts.Message(message);
            break;
    }
}

void TSynchronizacjaTabeli::BitBtn4Click() {
    if (CopyToImage(s_.image, d_.member, mirror, TickedNumbers(CheckListBox2)) > 0)
        s_.app.databaseModified = true;  // copied records are a change to save
    RebuildPcList();
}

void TSynchronizacjaTabeli::BitBtn8Click() {
    TransferScope scope(this, BitBtnAnuluj);
    if (!scope) return;
    const QList<int> numbers = TickedNumbers(CheckListBox2);
    if (numbers.isEmpty()) return;
    ShowOver(Panel7);
    s_.link.ClearCancel();
    const DeleteOutcome out = DeleteRecords(s_.link, d_.member, mirror, numbers, confirmFlag, [&](int done) {
        LabelPostep->setText(QStringLiteral("%1/%2").arg(done).arg(numbers.size()));
        QApplication::processEvents();
    });
    Panel7->hide();
    if (out.RebuildList(d_.member)) RebuildRegisterList();
}

void TSynchronizacjaTabeli::TickDiffering() {
    const QList<int> differing = DifferingRecords(s_.image, d_.member, mirror);
    for (int r = 0; r < CheckListBox1->count(); ++r)
        CheckListBox1->item(r)->setCheckState(differing.contains(SyncRowNumber(CheckListBox1->item(r)->text()))
                                                  ? Qt::Checked
                                                  : Qt::Unchecked);
    LabelRozne->setText(QStringLiteral("Różniących się: %1").arg(differing.size()));
}

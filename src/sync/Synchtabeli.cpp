#include "sync/Synchtabeli.h"

#include "common/Checklist.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/progress.h"
#include "common/prompts.h"
#include "common/text.h"
#include "image/fields.h"
#include "image/workimage.h"
#include "link/exchange.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"

QString SyncRowStart(int number, const QString& name, int nameWidth) {
    return (QString::number(number) + QStringLiteral(". ")).leftJustified(4) + name.leftJustified(nameWidth, QLatin1Char(' '), true);
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
    : TForm(services, parent), mirror(MirrorFor(d.member)), d_(d) {
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
    EditSzukajPC = Named(new QLineEdit(this), "EditSzukajPC");
    left->addWidget(EditSzukajPC);
    left->addWidget(CheckListBox1, 1);
    BitBtn9 = Named(new QPushButton(d.tickAllCaption, this), "BitBtn9");
    BitBtn2 = Named(new QPushButton(d.sendCaption, this), "BitBtn2");
    pcButtons_ = new QGridLayout;
    pcButtons_->addWidget(BitBtn9, 0, 0, 1, 2);
    pcButtons_->addWidget(BitBtn2, 1, 0, 1, 2);
    differingRow_ = new QHBoxLayout;
    BitBtnRozne = Named(new QPushButton(QStringLiteral("Zaznacz różniące się"), this), "BitBtnRozne");
    LabelRozne = Named(new QLabel(this), "LabelRozne");
    differingRow_->addWidget(BitBtnRozne);
    differingRow_->addWidget(LabelRozne, 1);
    pcButtons_->addLayout(differingRow_, 3, 0, 1, 2);
    left->addLayout(pcButtons_);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    registerSide_ = right;
    CheckListBox2 = CheckList(this, "CheckListBox2", d.registerCaption);
    CheckListBox2->setMinimumSize(CheckListBox1->minimumSize());
    Label2 = Named(new QLabel(d.registerCaption, this), "Label2");
    Label2->setBuddy(CheckListBox2);
    right->addWidget(Label2);
    EditSzukajKasa = Named(new QLineEdit(this), "EditSzukajKasa");
    right->addWidget(EditSzukajKasa);
    right->addWidget(CheckListBox2, 1);
    BitBtn1 = Named(new QPushButton(d.tickAllCaption, this), "BitBtn1");
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Odśwież"), this), "BitBtn6");
    BitBtn4 = Named(new QPushButton(d.copyCaption, this), "BitBtn4");
    BitBtn8 = Named(new QPushButton(d.deleteCaption, this), "BitBtn8");
    if (d.deleteCaption.isEmpty()) BitBtn8->hide();  // a table the register cannot delete from
    auto* registerButtons = new QGridLayout;
    registerButtons->addWidget(BitBtn1, 0, 0);
    registerButtons->addWidget(BitBtn6, 0, 1);
    registerButtons->addWidget(BitBtn4, 1, 0);
    registerButtons->addWidget(BitBtn8, 1, 1);
    right->addLayout(registerButtons);
    columns->addLayout(right, 1);

    auto* bottom = new QHBoxLayout;
    auto* box = new QGroupBox(this);
    detailColumns_ = new QHBoxLayout(box);
    details_ = new QFormLayout;
    sideDetails_ = new QFormLayout;
    detailColumns_->addLayout(details_);
    if (!d.details.isEmpty()) detailColumns_->addSpacing(24);
    detailColumns_->addLayout(sideDetails_);
    detailColumns_->addStretch();
    for (const DetailField& field : d.details) {
        auto* value = new QLabel(box);
        value->setObjectName(QStringLiteral("Detail%1").arg(DetailValues.size() + 1));
        DetailValues << value;
        details_->addRow(field.caption, value);
    }
    bottom->addWidget(box, 1);
    CheckBox1 = Named(new QCheckBox(d.confirmCaption, this), "CheckBox1");
    CheckBox1->setVisible(d.confirmShown);
    choices_ = new QVBoxLayout;
    choices_->addStretch();
    choices_->addWidget(FastSendingBox());
    choices_->addWidget(CheckBox1);
    bottom->addLayout(choices_);
    outer->addLayout(bottom, 0);

    Panel7 = WaitPanel("Panel7");
    auto* wait = static_cast<QVBoxLayout*>(Panel7->layout());
    LabelPostep = Named(new QLabel(Panel7), "LabelPostep");
    wait->addWidget(LabelPostep, 0, Qt::AlignCenter);
    BitBtnAnuluj = Named(new QPushButton(QStringLiteral("Anuluj"), Panel7), "BitBtnAnuluj");
    wait->addWidget(BitBtnAnuluj, 0, Qt::AlignCenter);
    Panel7->setFixedSize(220, 110);

    // Typing finds: a list keeps the rows whose number, name (or barcode) match.
    for (QLineEdit* e : {EditSzukajPC, EditSzukajKasa}) {
        e->setPlaceholderText(QStringLiteral("Szukaj: numer, nazwa lub kod"));
        e->setAccessibleName(e == EditSzukajPC ? QStringLiteral("Szukaj w bazie PC") : QStringLiteral("Szukaj w bazie kasy"));
        e->setClearButtonEnabled(true);
    }
    connect(EditSzukajPC, &QLineEdit::textChanged, this, [this] { ApplyFilter(CheckListBox1); });
    connect(EditSzukajKasa, &QLineEdit::textChanged, this, [this] { ApplyFilter(CheckListBox2); });
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

bool TSynchronizacjaTabeli::FormKeyDown(int key) {
    // Esc during a transfer does what its "Anuluj" does.
    if (key == Qt::Key_Escape && TransferRunning()) {
        s_.link.RequestCancel();
        return true;
    }
    return TForm::FormKeyDown(key);
}

TSynchronizacjaTabeli::RunPanel TSynchronizacjaTabeli::PanelFor(Run) { return {Panel7, LabelPostep, BitBtnAnuluj}; }

QString TSynchronizacjaTabeli::PcRow(int n) {
    const QByteArray record = PcRecord(s_.image, d_.member, n);
    const QString name = FromCp1250Field(record.constData() + d_.member.nameOffset, d_.member.nameWidth);
    return SyncRowStart(uint8_t(record[0]), name, d_.nameWidth) + RowTail(record, false);
}

QString TSynchronizacjaTabeli::RegisterRow(const QByteArray& record) {
    const QString name = FromCp1250Field(record.constData() + d_.member.nameOffset, d_.member.nameWidth);
    return SyncRowStart(uint8_t(record[0]), name, d_.nameWidth) + RowTail(record, true);
}

void TSynchronizacjaTabeli::AddRow(QListWidget* list, int number, const QString& text) {
    AddChecked(list, text, number);
}

void TSynchronizacjaTabeli::RebuildPcList() {
    CheckListBox1->setUpdatesEnabled(false);
    CheckListBox1->clear();
    for (int n : d_.member.pcNumbers(s_.image)) AddRow(CheckListBox1, n, PcRow(n));
    ApplyFilter(CheckListBox1);
    CheckListBox1->setUpdatesEnabled(true);
    ListsChanged();
}

void TSynchronizacjaTabeli::RebuildRegisterList() {
    CheckListBox2->setUpdatesEnabled(false);
    CheckListBox2->clear();
    for (int n : mirror.Occupied()) AddRow(CheckListBox2, n, RegisterRow(mirror.Record(n)));
    ApplyFilter(CheckListBox2);
    CheckListBox2->setUpdatesEnabled(true);
    ListsChanged();
}

int TSynchronizacjaTabeli::RowRecord(const QListWidget* list, int row) { return ::RowRecord(list, row); }

QList<TickedRow> TSynchronizacjaTabeli::TickedRows(QListWidget* list) {
    QList<TickedRow> out;
    for (int r = 0; r < list->count(); ++r)
        if (list->item(r)->checkState() == Qt::Checked)
            if (const int n = RowRecord(list, r)) out << TickedRow{r, n};
    return out;
}

QList<int> TSynchronizacjaTabeli::TickedNumbers(QListWidget* list) {
    QList<int> out;
    for (const TickedRow& t : TickedRows(list)) out << t.number;
    return out;
}

void TSynchronizacjaTabeli::ToggleAll(QListWidget* list, bool& state) {
    // Only the rows the finder shows.
    for (int r = 0; r < list->count(); ++r)
        if (!list->isRowHidden(r)) list->item(r)->setCheckState(state ? Qt::Checked : Qt::Unchecked);
    state = !state;
}

void TSynchronizacjaTabeli::ApplyFilter(QListWidget* list) {
    const bool registerSide = list == CheckListBox2;
    const QString text = (registerSide ? EditSzukajKasa : EditSzukajPC)->text().trimmed();
    for (int r = 0; r < list->count(); ++r) {
        const int n = RowRecord(list, r);
        const bool match = text.isEmpty() || QString::number(n).startsWith(text) ||
                           list->item(r)->text().contains(text, Qt::CaseInsensitive) ||
                           RowSearchText(n, registerSide).contains(text, Qt::CaseInsensitive);
        list->setRowHidden(r, !match);
    }
}

void TSynchronizacjaTabeli::ClearDetails() {
    for (QLabel* l : DetailValues) l->clear();
}

void TSynchronizacjaTabeli::RowClicked(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0) return;
    const int n = RowRecord(list, row);
    ClearDetails();
    if (list == CheckListBox2) {
        CheckListBox1->clearSelection();
        const QByteArray r = mirror.Record(n);
        for (int i = 0; i < d_.details.size(); ++i) DetailValues[i]->setText(DetailText(r, d_.details[i]));
        ShowRegisterDetails(r);
    } else {
        CheckListBox2->clearSelection();
        ShowPcDetails(PcRecord(s_.image, d_.member, n));
    }
}

void TSynchronizacjaTabeli::BitBtn6Click() {
    const RunPanel p = PanelFor(Run::Read);
    TransferRun run(this, p.cancel);
    if (run) ReadRun();
}

void TSynchronizacjaTabeli::ReadRun() {
    const RunPanel p = PanelFor(Run::Read);
    ClearDetails();
    CheckListBox2->clear();
    p.counter->setText(QStringLiteral("0"));
    s_.link.ClearCancel();
    ShowOver(p.panel);
    QApplication::processEvents();
    // A record numbered outside the table has no slot: it is not stored. A
    // damaged frame ends the transfer; the register is told so.
    ProgressPacer pacer(s_.clock);
    const ReadOutcome out = ReadRegisterTable(s_.link, d_.member, mirror, [&](int stored) {
        if (!pacer.Due()) return;
        p.counter->setText(QString::number(stored));
        QApplication::processEvents();  // lets "Anuluj" (and Esc) be pressed
    });
    p.counter->setText(QString::number(out.stored));  // the final count
    p.panel->hide();
    if (out.RebuildList(d_.member)) RebuildRegisterList();
    // A record whose number has no slot is not kept; the user learns how many.
    if (out.skipped > 0)
        s_.prompts.Message(QStringLiteral("Pominięto %1 rekordów spoza zakresu.").arg(out.skipped));
}

void TSynchronizacjaTabeli::BitBtn2Click() {
    if (TransferRunning()) return;
    const RunPanel p = PanelFor(Run::Write);
    // The ticks as they stand now: a tick changed during the run changes nothing
    // in it, so the last ticked record always carries the last-frame flag.
    const QList<TickedRow> ticked = TickedRows(CheckListBox1);
    if (ticked.isEmpty()) return;
    const int total = int(ticked.size());
    OfferFastSending(total, d_.member.writing.ackPause + 50 + d_.member.RecordSize() / 10,
                     d_.member.noun.trimmed().chopped(1));
    for (QLabel* l : {p.busy, p.refusedCaption, p.refused})
        if (l) l->hide();
    if (p.refused) p.refused->clear();
    p.counter->setText(QStringLiteral("0/%1").arg(total));
    TransferRun run(this, p.cancel, p.panel);
    if (!run) return;
    QString refusedList = d_.refusedHeading;
    WriteEvents events;
    events.progress = [&](const WriteOutcome& sofar) {
        run.Progress([&] {
            p.counter->setText(QStringLiteral("%1/%2").arg(sofar.accepted).arg(total));
        });
    };
    events.busy = [&](bool on) {
        if (p.busy) p.busy->setVisible(on);
    };
    int refused = 0;
    QList<int> taken;
    events.answered = [&](const TickedRow& t, const Answer& a) {
        if (a.Accepted()) taken << t.number;
        if (a.ack != AckRegisterError) return;
        ++refused;
        refusedList += QLatin1Char('\n') + QString::number(t.number) + QLatin1Char('.') +
                       StoredRecordName(s_.image, d_.member, t.number) + QStringLiteral(" - ") +
                       RegisterErrorText(a.errorCode);
        for (QLabel* l : {p.refusedCaption, p.refused})
            if (l) l->show();
        if (p.refused) p.refused->setText(QString::number(refused));
    };
    const WriteOutcome out =
        WriteRecords(s_.link, s_.image, d_.member.writing, ticked, confirmFlag, s_.app.fastSending, events);
    run.Done();
    // A lost, damaged or unexpected answer, or a second busy: the register
    // refused nothing, the line failed.
    // Each record the register refused is named, with its reason.
    const bool nameRefused = !out.failed && out.refused > 0;
    QString message = out.Message(d_.member);
    if (nameRefused)
        message += QStringLiteral(" Nie udało się zaprogramować ") + QString::number(out.refused) + d_.member.noun;
    auto tell = [&] {
        s_.prompts.Message(message);
        if (nameRefused) s_.prompts.Message(refusedList);
    };
    auto pause = [&] {
        if (d_.member.endPause > 0) s_.clock.Sleep(d_.member.endPause);
    };
    // After a clean run a member that knows what the register now holds updates
    // its mirror from the records taken; otherwise the table is read again.
    auto refresh = [&] {
        if (out.failed || out.refused > 0 || !d_.member.registerFrom) return ReadRun();
        for (int n : taken) {
            QByteArray r = d_.member.registerFrom(PcRecord(s_.image, d_.member, n), mirror.Record(n));
            mirror.Store(r);
        }
        RebuildRegisterList();
    };
    // The register's table is read afresh after every run, a failed one too,
    // so the list shows what the register now holds.
    switch (out.failed ? RunEnd::MessagePauseRead : d_.member.end) {
        case RunEnd::MessagePauseRead:
            tell();
            if (!out.failed) pause();
            refresh();
            break;
        case RunEnd::PauseMessageRead:
            pause();
            tell();
            refresh();
            break;
        case RunEnd::PauseReadMessage:
            pause();
            refresh();
            tell();
            break;
    }
}

void TSynchronizacjaTabeli::BitBtn4Click() {
    if (CopyToImage(s_.image, d_.member, mirror, TickedNumbers(CheckListBox2)) > 0)
        s_.app.databaseModified = true;  // copied records are a change to save
    RebuildPcList();
}

void TSynchronizacjaTabeli::BitBtn8Click() {
    if (TransferRunning()) return;
    const RunPanel p = PanelFor(Run::Delete);
    const QList<int> numbers = TickedNumbers(CheckListBox2);
    if (numbers.isEmpty()) return;
    const int total = int(numbers.size());
    // What the register deletes cannot be brought back: asked first, naming how many.
    if (s_.prompts.Ask(QStringLiteral("Usunąć z kasy zaznaczone rekordy (%1)? Tego nie można cofnąć.").arg(total),
                       PromptButtons::YesNo, PromptIcon::Warning, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    if (p.busy) p.busy->hide();
    p.counter->setText(QStringLiteral("0/%1").arg(total));
    TransferRun run(this, p.cancel, p.panel);
    if (!run) return;
    DeleteEvents events;
    events.progress = [&](const DeleteOutcome& sofar) {
        run.Progress([&] {
            p.counter->setText(QStringLiteral("%1/%2").arg(sofar.deleted).arg(total));
        });
    };
    events.busy = [&](bool on) {
        if (p.busy) p.busy->setVisible(on);
    };
    DeleteRecords(s_.link, d_.member.deleting, mirror, numbers, confirmFlag, events);
    run.Done();
    // What the register deleted leaves its list at once, a run that stopped too.
    RebuildRegisterList();
}

void TSynchronizacjaTabeli::TickDiffering() {
    const QList<int> differing = DifferingRecords(s_.image, d_.member, mirror);
    for (int r = 0; r < CheckListBox1->count(); ++r)
        CheckListBox1->item(r)->setCheckState(differing.contains(RowRecord(CheckListBox1, r)) ? Qt::Checked
                                                                                              : Qt::Unchecked);
    LabelRozne->setText(QStringLiteral("Różniących się: %1").arg(differing.size()));
}

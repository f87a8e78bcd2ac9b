#include "tables/Tableeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "image/workimage.h"
#include "link/frames.h"
#include "link/registerlink.h"

TTableEditor::TTableEditor(Services& services, const TableEditorDescription& d, QWidget* parent)
    : TForm(services, parent), d_(d) {
    setObjectName(QLatin1String(d.className));
    setWindowTitle(d.caption);
    auto* outer = new QVBoxLayout(this);
    Heading = Named(HeadingLabel(d.heading), "Heading");
    outer->addWidget(Heading);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    auto* entry = new QVBoxLayout;
    columns->addLayout(entry);
    fields_ = new QGridLayout;
    entry->addLayout(fields_);
    if (d.numberList) {
        NumberList = Named(new QComboBox(this), d.numberField);
        for (int n = 1; n <= d.table.maxNumber; ++n) NumberList->addItem(QString::number(n));
        AddRow(d.numberCaption, NumberList);
    } else {
        NumberEdit = Named(new QLineEdit(this), d.numberField);
        NumberEdit->setMaxLength(2);
        NumberMarker = Marker(d.numberMarker, d.numberMarkerName);
        AddRow(d.numberCaption, NumberEdit, NumberMarker);
        Require(NumberEdit, NumberMarker);
    }
    NameEdit = Named(new QLineEdit(this), d.nameField);
    NameEdit->setMaxLength(d.nameMaxLength);
    StorableText(NameEdit);
    NameEdit->setMinimumWidth(QFontMetrics(NameEdit->font()).horizontalAdvance(QLatin1Char('W')) *
                              qMin(d.nameMaxLength, 24));
    NameMarker = Marker(d.nameMarker, d.nameMarkerName);
    AddRow(d.nameCaption, NameEdit, NameMarker);
    Require(NameEdit, NameMarker);
    extra_ = new QVBoxLayout;
    entry->addLayout(extra_);
    BitBtn4 = Named(new QPushButton(QStringLiteral("     &Dodaj do bazy PC"), this), "BitBtn4");
    BitBtn4->setMinimumHeight(36);
    entry->addWidget(BitBtn4);
    ConfirmBox = Named(new QCheckBox(d.confirmCaption, this), d.confirmBox);
    entry->addWidget(ConfirmBox);
    entry->addStretch();
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn6");
    entry->addWidget(BitBtn6, 0, Qt::AlignLeft);

    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    StringGrid1 = Named(new QTableWidget(d.table.listed, int(d.columns.size()), this), "StringGrid1");
    StringGrid1->setHorizontalHeaderLabels(d.columns);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(StringGrid1->font()).height() + 6);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, QFontMetrics(StringGrid1->font()).horizontalAdvance(d.columns[0]) + 24);
    StringGrid1->setColumnWidth(1, QFontMetrics(StringGrid1->font()).horizontalAdvance(QLatin1Char('W')) *
                                       qMin(d.table.nameWidth, 24));
    StringGrid1->setAccessibleName(d.heading);
    StringGrid1->setMinimumHeight(StringGrid1->verticalHeader()->defaultSectionSize() * qMin(d.visibleRows, 12) +
                                  StringGrid1->horizontalHeader()->sizeHint().height() + 4);
    int gridWidth = 4;
    for (int c = 0; c < StringGrid1->columnCount(); ++c) gridWidth += StringGrid1->columnWidth(c);
    StringGrid1->setMinimumWidth(qMin(gridWidth + 20, 640));
    right->addWidget(StringGrid1, 1);
    auto* buttons = new QHBoxLayout;
    Button3 = Named(new QPushButton(d.deleteCaption, this), "Button3");
    SendButton = Named(new QPushButton(d.sendCaption, this), d.sendButton);
    ButtonCofnij = Named(new QPushButton(QStringLiteral("Cofnij usunięcie"), this), "ButtonCofnij");
    ButtonCofnij->setEnabled(false);
    buttons->addWidget(Button3);
    buttons->addWidget(ButtonCofnij);
    buttons->addWidget(SendButton);
    buttons->addStretch();
    right->addLayout(buttons);
    side_ = new QVBoxLayout;
    columns->addLayout(side_);

    connect(BitBtn4, &QPushButton::clicked, this, &TTableEditor::BitBtn4Click);
    EnterPresses(BitBtn4);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
    connect(Button3, &QPushButton::clicked, this, &TTableEditor::Button3Click);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { LoadSelected(); });
    connect(ButtonCofnij, &QPushButton::clicked, this, [this] {
        if (undo_.Restore(s_.image, s_.app)) FillGrid();
        ButtonCofnij->setEnabled(false);
    });
    connect(SendButton, &QPushButton::clicked, this, &TTableEditor::SendClick);
    connect(ConfirmBox, &QCheckBox::clicked, this, [this](bool on) { confirmFlag = on ? 1 : 0; });
}

void TTableEditor::AddRow(const QString& caption, QWidget* field, QLabel* marker) {
    fields_->addWidget(Caption(caption, field), nextRow_, 0);
    fields_->addWidget(field, nextRow_, 1);
    if (marker) fields_->addWidget(marker, nextRow_, 2);
    ++nextRow_;
}

void TTableEditor::AddWide(QWidget* widget) { extra_->addWidget(widget); }

void TTableEditor::Require(QLineEdit* field, QLabel* marker) { required_.append({field, marker}); }

void TTableEditor::FormShow() {
    if (d_.fillWithoutDatabase || s_.app.DatabaseLoaded()) FillGrid();
    ButtonCofnij->setEnabled(undo_.Available(s_.app));
}

void TTableEditor::FillGrid() {
    StringGrid1->clearContents();
    StringGrid1->setRowCount(d_.table.listed);
    int row = 0;
    for (int slot : OccupiedSlots(s_.image, d_.table)) {
        const QByteArray bytes = d_.table.Slot(s_.image, slot);
        // The stored number, not the slot's, as the register would list it.
        QStringList cells{QString::number(uint8_t(bytes[0])), d_.table.Name(s_.image, slot)};
        cells += ExtraCells(bytes);
        for (int c = 0; c < cells.size() && c < StringGrid1->columnCount(); ++c)
            StringGrid1->setItem(row, c, new QTableWidgetItem(cells[c]));
        ++row;
    }
    ProposeNumber();
}

void TTableEditor::ProposeNumber() {
    const int next = FirstFreeNumber(s_.image, d_.table);
    if (NumberList) {
        if (next > 0) NumberList->setCurrentIndex(next - 1);
    } else {
        NumberEdit->setText(next > 0 ? QString::number(next) : QString());
    }
}

int TTableEditor::SelectedNumber() const {
    const int row = StringGrid1->currentRow();
    const QTableWidgetItem* item = row >= 0 ? StringGrid1->item(row, 0) : nullptr;
    if (!item) return 0;
    const auto n = ParseInteger(item->text());
    return n && *n > 0 && *n < 256 ? int(*n) : 0;
}

int TTableEditor::EnteredNumber() {
    if (NumberList) return NumberList->currentIndex() + 1;
    const auto n = ParseInteger(NumberEdit->text());
    if (!n || *n < 1 || *n > d_.table.maxNumber) {
        s_.prompts.Message(d_.numberMessage);
        return 0;
    }
    return int(*n);
}

void TTableEditor::BitBtn4Click() {
    bool missing = false;
    for (const auto& [field, marker] : required_) {
        const bool empty = field->text().isEmpty();
        if (marker) marker->setVisible(empty);
        missing = missing || empty;
    }
    if (missing) return;
    const int number = EnteredNumber();
    if (number < 1) return;
    const QString name = NameEdit->text();
    if (!d_.blankNameMessage.isEmpty() && BlankName(name)) {
        s_.prompts.Message(d_.blankNameMessage);
        NameEdit->setFocus();
        return;
    }
    if (!CheckBeforeDuplicate()) return;
    if (!d_.duplicateMessage.isEmpty() && DuplicateNameSlot(s_.image, d_.table, name) != 0) {
        s_.prompts.Message(d_.duplicateMessage);
        if (d_.duplicateFocusesName) NameEdit->setFocus();
        return;
    }
    const std::optional<QByteArray> record = BuildRecord(uint8_t(number), name);
    if (!record) return;
    if (s_.app.DatabaseLoaded()) {
        if (!s_.image.Usable() || !s_.image.WriteBytesAt(d_.table.area.Offset(number), *record)) {
            s_.prompts.Message(QStringLiteral("     Plik zamknięty.     "));
        } else {
            s_.app.databaseModified = true;
            NameEdit->clear();
            ClearAfterAdd();
            NameEdit->setFocus();
        }
    }
    FillGrid();
}

void TTableEditor::Button3Click() {
    const int number = SelectedNumber();
    if (number < 1) return;
    if (!MayDelete(number)) return;
    if (number <= d_.table.listed) {
        // Asked first; "Cofnij usunięcie" takes it back until the next save.
        const QString what = QString::number(number) + QStringLiteral(". ") + d_.table.Name(s_.image, number).trimmed();
        if (s_.prompts.Ask(QStringLiteral("Usunąć z bazy PC rekord ") + what + QLatin1Char('?'), PromptButtons::YesNo,
                           PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
            return;
        undo_.Remember(s_.image, s_.app, what);
        ButtonCofnij->setEnabled(true);
        s_.image.ClearBytes(d_.table.area.Offset(number), d_.table.area.recordSize);
        s_.app.databaseModified = true;
        FillGrid();
    }
    AfterDelete();
}

void TTableEditor::LoadSelected() {
    const int number = SelectedNumber();
    if (number < 1 || number > d_.table.listed) return;
    const QByteArray slot = d_.table.Slot(s_.image, number);
    if (NumberList) NumberList->setCurrentIndex(number - 1);
    if (NumberEdit) NumberEdit->setText(QString::number(number));
    NameEdit->setText(d_.table.Name(s_.image, number));
    ShowRecord(slot);
}

void TTableEditor::SendClick() {
    if (d_.flushBeforeSend) s_.link.FlushPort();
    const int number = SelectedNumber();
    if (number < 1) return;
    const Answer answer =
        TransactRecord(s_.link, s_.image, d_.table.id, kSingleFrame, number, confirmFlag, d_.sendReading);
    if (answer.kind != AnswerKind::Nothing) ShowSendAnswer(answer);
}

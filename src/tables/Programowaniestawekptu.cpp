#include "tables/Programowaniestawekptu.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/prompts.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "sync/tablesync.h"
#include "tables/settingvalues.h"

TProgramowanieStawekPTU::TProgramowanieStawekPTU(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieStawekPTU"));
    setWindowTitle(QStringLiteral("Edycja stawek PTU"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie stawek PTU")));
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    for (int i = 0; i < 7; ++i) {
        const QChar letter(QLatin1Char(char('A' + i)));
        const QByteArray prefix = QByteArray("PTU_") + char('A' + i) + '_';
        Edits[size_t(i)] = Named(new QLineEdit(QStringLiteral("0.00"), this), QByteArray("Edit" + QByteArray::number(i + 1)).constData());
        Edits[size_t(i)]->setMaxLength(6);
        Edits[size_t(i)]->setMaximumWidth(80);
        auto* panel = new QWidget(this);
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(0, 0, 0, 0);
        auto* group = new QButtonGroup(panel);
        Taxed[size_t(i)] = Named(new QRadioButton(QStringLiteral("Opodatkowana"), panel), (prefix + 'O').constData());
        Exempt[size_t(i)] = Named(new QRadioButton(QStringLiteral("Zwolniona"), panel), (prefix + 'Z').constData());
        Inactive[size_t(i)] = Named(new QRadioButton(QStringLiteral("Nieaktywna"), panel), (prefix + 'N').constData());
        for (QRadioButton* b : {Taxed[size_t(i)], Exempt[size_t(i)], Inactive[size_t(i)]}) {
            group->addButton(b);
            row->addWidget(b);
            connect(b, &QRadioButton::clicked, this, &TProgramowanieStawekPTU::EnableFields);
        }
        Inactive[size_t(i)]->setChecked(true);
        grid->addWidget(Caption(QStringLiteral("PTU ") + letter, Edits[size_t(i)]), i, 0);
        grid->addWidget(Edits[size_t(i)], i, 1);
        grid->addWidget(new QLabel(QStringLiteral("%"), this), i, 2);
        grid->addWidget(panel, i, 3);
    }
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this), "CheckBox1");
    outer->addWidget(CheckBox1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = Named(new QPushButton(QStringLiteral("&Zapisz w bazie PC"), this), "BitBtn1");
    BitBtn2 = Named(new QPushButton(QStringLiteral("&Wyślij do kasy"), this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(CheckBox1, &QCheckBox::clicked, this, [this](bool on) { confirmFlag = on ? 1 : 0; });
    connect(BitBtn1, &QPushButton::clicked, this, &TProgramowanieStawekPTU::BitBtn1Click);
    EnterPresses(BitBtn1);
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieStawekPTU::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    EnableFields();
}

void TProgramowanieStawekPTU::FormShow() {
    LoadRates();
    BitBtn2->setEnabled(s_.app.PortOpen());
}

void TProgramowanieStawekPTU::EnableFields() {
    for (int i = 0; i < 7; ++i) {
        const bool taxed = Taxed[size_t(i)]->isChecked();
        Edits[size_t(i)]->setEnabled(taxed);
        Edits[size_t(i)]->setStyleSheet(taxed ? QString() : QStringLiteral("background: palette(midlight)"));
    }
}

void TProgramowanieStawekPTU::LoadRates() {
    for (int i = 0; i < 7; ++i) {
        const auto row = VatRowFromValue(s_.image.ReadWordAt(layout::kVatTable + 3 * i + 1));
        if (!row) continue;  // neither a rate nor a special value: the row stays
        (row->state == VatState::Taxed ? Taxed : row->state == VatState::Exempt ? Exempt : Inactive)[size_t(i)]
            ->setChecked(true);
        Edits[size_t(i)]->setText(row->text);
    }
    EnableFields();
}

bool TProgramowanieStawekPTU::BitBtn1Click() {
    std::array<VatRow, 7> rows;
    for (int i = 0; i < 7; ++i) {
        const VatState state = Taxed[size_t(i)]->isChecked()    ? VatState::Taxed
                               : Exempt[size_t(i)]->isChecked() ? VatState::Exempt
                                                                : VatState::Inactive;
        rows[size_t(i)] = {state, Edits[size_t(i)]->text()};
    }
    const Checked<QByteArray> table = VatTableFromRows(rows);
    if (!table.ok()) {
        s_.prompts.Message(table.error);
        return false;
    }
    s_.image.WriteBytesAt(layout::kVatTable, table.value);
    s_.app.databaseModified = true;
    LoadRates();
    return true;
}

void TProgramowanieStawekPTU::BitBtn2Click() {
    // A field the save refuses sends nothing: the register would otherwise get
    // a table the user did not mean, and every VAT write costs fiscal memory.
    if (!BitBtn1Click()) return;
    TransferScope scope(this);
    if (!scope) return;
    const QByteArray table = s_.image.ReadBytesAt(layout::kVatTable, layout::kVatTableSize);
    // What the register holds now, so the question names what would change.
    QByteArray held;
    ReadRecordSeries(s_.link, SeriesRequest{'P', 30, 1, true, false, false}, [&](const QByteArray& r) { held = r.left(21); });
    const QStringList changes = VatChanges(held, table);
    QString question = QStringLiteral("Zapis stawek PTU do kasy jest zapisywany w pamięci fiskalnej i liczba takich "
                                      "zapisów jest ograniczona. Wysłać?");
    question += changes.isEmpty() ? QStringLiteral("\nStawki w kasie są takie same jak wysyłane.")
                                  : QStringLiteral("\nZmienią się:\n") + changes.join(QLatin1Char('\n'));
    if (s_.prompts.Ask(question, PromptButtons::YesNo, PromptIcon::Warning, QStringLiteral("Zelk Tuvo")) !=
        PromptAnswer::Yes)
        return;
    const Answer a = Transact(s_.link, VatRatesFrame(table, confirmFlag), Exchange{true, true, AckStyle::Plain, 0, -1, {}});
    // With confirmation on the register's keyboard the answer may never come.
    if (a.kind == AnswerKind::NoAnswer && CheckBox1->isChecked()) {
        StatusLine()->setText(QStringLiteral("Kasa nie potwierdziła zapisu stawek PTU (potwierdzenie z klawiatury kasy)."));
        return;
    }
    TellOutcome(a, QStringLiteral("Zapisano stawki PTU."));
}

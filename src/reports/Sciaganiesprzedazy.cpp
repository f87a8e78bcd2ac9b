#include "reports/Sciaganiesprzedazy.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/files.h"
#include "common/prompts.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "common/Checklist.h"

TSciaganieSprzedazy::TSciaganieSprzedazy(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TSciaganieSprzedazy"));
    setWindowTitle(QStringLiteral("Ściąganie sprzedaży"));
    resize(760, 560);
    auto* outer = new QVBoxLayout(this);
    ListBox1 = CheckList(this, "ListBox1", QStringLiteral("Sprzedaż"));
    // The headings stand over the list's fixed columns.
    auto* heading = new QLabel(
        QStringLiteral("%1%2%3%4%5")
            .arg(QStringLiteral("Numer"), -6)
            .arg(QStringLiteral("Nazwa"), -43)
            .arg(QStringLiteral("PTU"), -3)
            .arg(QStringLiteral("Ilość"), 12)
            .arg(QStringLiteral("Wartość"), 11),
        this);
    heading->setFont(ListBox1->font());
    heading->setContentsMargins(4, 0, 0, 0);
    heading->setBuddy(ListBox1);
    outer->addWidget(heading);
    outer->addWidget(ListBox1, 1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = Named(new QPushButton(QStringLiteral("Ściągnij &sprzedaż"), this), "BitBtn1");
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Ściągaj tylko niezerowe rekordy"), this), "CheckBox1");
    CheckBox1->setChecked(true);
    BitBtn2 = Named(new QPushButton(QStringLiteral("&Kasuj sprzedaż"), this), "BitBtn2");
    BitBtn4 = Named(new QPushButton(QStringLiteral("Eksportuj do CSV"), this), "BitBtn4");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    buttons->addWidget(BitBtn1);
    buttons->addWidget(CheckBox1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn3);
    outer->addLayout(buttons);

    Panel3 = Named(new QFrame(this), "Panel3");
    Panel3->setFrameShape(QFrame::Box);
    Panel3->setAutoFillBackground(true);
    auto* panel = new QVBoxLayout(Panel3);
    auto* title = new QLabel(QStringLiteral("Trwa wysyłanie sprzedaży bazy towarowej..."), Panel3);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    panel->addWidget(title);
    auto* count = new QHBoxLayout;
    Label27 = Named(new QLabel(QStringLiteral("0"), Panel3), "Label27");
    auto* caption = new QLabel(QStringLiteral("Liczba wysłanych towarów:"), Panel3);
    caption->setBuddy(Label27);
    count->addWidget(caption);
    count->addWidget(Label27);
    count->addStretch();
    panel->addLayout(count);
    Button3 = Named(new QPushButton(QStringLiteral("Anuluj"), Panel3), "Button3");
    panel->addWidget(Button3, 0, Qt::AlignRight);
    Panel3->setFixedSize(380, 130);
    Panel3->hide();

    connect(BitBtn1, &QPushButton::clicked, this, &TSciaganieSprzedazy::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSciaganieSprzedazy::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TSciaganieSprzedazy::BitBtn4Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    connect(Button3, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
}

bool TSciaganieSprzedazy::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && TransferRunning()) {
        s_.link.RequestCancel();
        return true;
    }
    return TForm::FormKeyDown(key);
}

void TSciaganieSprzedazy::RebuildList() {
    QStringList rows;
    for (int n : table.Occupied()) rows << SalesListRow(table.Record(n));
    ListBox1->setUpdatesEnabled(false);
    ListBox1->clear();
    ListBox1->addItems(rows);
    ListBox1->setUpdatesEnabled(true);
}

void TSciaganieSprzedazy::BitBtn1Click() {
    ReadOutcome out;
    {
        if (TransferRunning()) return;
        Label27->setText(QStringLiteral("0"));
        TransferRun run(this, Button3, Panel3);
        run.Progress();
        out = ReadSales(s_.link, CheckBox1->isChecked(), table, [&](int stored) {
            run.Progress([&] { Label27->setText(QString::number(stored)); });  // lets "Anuluj" be pressed
        });
        Label27->setText(QString::number(out.stored));  // the final count, whatever was shown last
        RebuildList();
    }
    shown_ = out.complete ? Shown::Complete : Shown::Incomplete;
    recorded_ = {};
    if (out.complete) {
        // Kept in the history before anything else is done with it.
        const HistoryLocation where = DefaultHistoryLocation(s_.app.HistoryDirectory());
        recorded_ = RecordSalesDownload(where, s_.link, table, CheckBox1->isChecked(), &s_.image, s_.clock.Now());
        if (!recorded_.Kept()) s_.prompts.Message(HistoryFailureText(where, recorded_));
    }
    // A goods number with no slot is not kept; the user learns how many.
    if (out.skipped > 0) s_.prompts.Message(QStringLiteral("Pominięto %1 rekordów spoza zakresu.").arg(out.skipped));
}

void TSciaganieSprzedazy::BitBtn2Click() {
    // Cleared sales cannot be brought back: only the sales the user has seen
    // whole may go, and only after a question.
    if (shown_ == Shown::Nothing) {
        s_.prompts.Message(QStringLiteral("Przed skasowaniem ściągnij sprzedaż z kasy."));
        return;
    }
    if (shown_ == Shown::Incomplete) {
        s_.prompts.Message(QStringLiteral("Lista sprzedaży jest niepełna (ściąganie nie zostało ukończone). "
                                          "Ściągnij sprzedaż ponownie przed jej skasowaniem."));
        return;
    }
    if (s_.prompts.Ask(QStringLiteral("Skasować sprzedaż zapisaną w kasie?"), PromptButtons::YesNo,
                       PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    // Figures the history does not hold are gone with the clearing: asked once more.
    if (!recorded_.Kept() && s_.prompts.Ask(ClearWithoutHistoryQuestion(recorded_), PromptButtons::YesNo,
                                            PromptIcon::Warning, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    TransferScope scope(this);
    if (!scope) return;
    RegisterLink& link = s_.link;
    // A late frame of the download must not pass for the answer to the clearing.
    const Answer a = Transact(link, SalesClearFrame(), Exchange{true, true, AckStyle::Plain, 0, -1, {}});
    if (!a.Sent()) return;
    const int r = a.ack;
    if (r == AckAccepted || r == AckAcceptedEnd) {
        // The list now shows sales the register no longer holds.
        shown_ = Shown::Nothing;
        s_.prompts.Message(QStringLiteral("Sprzedaż skasowana"));
        return;
    }
    if (r == AckNoReply) {
        if (!link.Lost())
            s_.prompts.Message(QStringLiteral("Kasa nie odpowiedziała. Nie wiadomo, czy sprzedaż została skasowana "
                                              "- ściągnij sprzedaż, aby to sprawdzić."));
        return;
    }
    QString text = QStringLiteral("Sprzedaż nie została skasowana.");
    if (r == AckRegisterError) text += QLatin1Char('\n') + RegisterErrorMessage(a.errorCode);
    s_.prompts.Message(text);
}

void TSciaganieSprzedazy::BitBtn4Click() {
    FileDialogSpec request;
    request.title = QStringLiteral("Eksportuj do CSV");
    request.filter = QStringLiteral("Pliki CSV (*.csv)|*.csv");
    request.defaultExtension = QStringLiteral("CSV");
    const QString path = s_.prompts.SaveFileName(request);
    if (path.isEmpty()) return;
    // A new file replaces the old one whole, or the old one stays as it was.
    if (!WriteWholeFile(path, SalesCsv(table)))
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral("."));
}

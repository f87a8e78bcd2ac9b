#include "copy/Odczytkopii.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/files.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "copy/ecopy.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/registerlink.h"

namespace {

QComboBox* Choice(QWidget* parent, const char* name, const QStringList& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(entries);
    return box;
}

const QStringList kScopes{QStringLiteral("Całość kopii"), QStringLiteral("Tylko raporty")};
const QStringList kHandlings{QStringLiteral("Drukowanie na kasie"), QStringLiteral("Wysyłanie do komputera")};

// The list entry's value: entries count from 1.
uint8_t Value(const QComboBox* box) { return uint8_t(box->currentIndex() + 1); }

// A number in [low, high], or nothing.
std::optional<qint64> InRange(const QLineEdit* edit, qint64 low, qint64 high) {
    const auto v = ParseInteger(edit->text().trimmed());
    if (!v || *v < low || *v > high) return std::nullopt;
    return v;
}

}  // namespace

TOdczytKopii::TOdczytKopii(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TOdczytKopii"));
    setWindowTitle(QStringLiteral("Odczyt kopii elektronicznej"));
    auto* outer = new QVBoxLayout(this);
    PageControl1 = Named(new QTabWidget(this), "PageControl1");

    auto* numbers = new QWidget;
    auto* nf = new QFormLayout(numbers);
    Edit1 = Named(new QLineEdit(QStringLiteral("1"), numbers), "Edit1");
    Edit2 = Named(new QLineEdit(QStringLiteral("2000"), numbers), "Edit2");
    Edit3 = Named(new QLineEdit(QStringLiteral("1"), numbers), "Edit3");
    Edit4 = Named(new QLineEdit(QStringLiteral("99999"), numbers), "Edit4");
    ComboBox1 = Choice(numbers, "ComboBox1", kScopes);
    ComboBox2 = Choice(numbers, "ComboBox2", kHandlings);
    nf->addRow(Caption(QStringLiteral("Od raportu nr (1-2000):"), Edit1), Edit1);
    nf->addRow(Caption(QStringLiteral("Do raportu nr:"), Edit2), Edit2);
    nf->addRow(Caption(QStringLiteral("Od paragonu nr (1-99999):"), Edit3), Edit3);
    nf->addRow(Caption(QStringLiteral("Do paragonu nr:"), Edit4), Edit4);
    nf->addRow(Caption(QStringLiteral("Zakres:"), ComboBox1), ComboBox1);
    nf->addRow(Caption(QStringLiteral("Sposób:"), ComboBox2), ComboBox2);
    PageControl1->addTab(numbers, QStringLiteral("Według numerów"));

    auto* dates = new QWidget;
    auto* df = new QFormLayout(dates);
    DateTimePicker1 = Named(new QDateEdit(dates), "DateTimePicker1");
    DateTimePicker3 = Named(new QTimeEdit(dates), "DateTimePicker3");
    DateTimePicker2 = Named(new QDateEdit(dates), "DateTimePicker2");
    DateTimePicker4 = Named(new QTimeEdit(dates), "DateTimePicker4");
    for (QDateEdit* d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    for (QTimeEdit* t : {DateTimePicker3, DateTimePicker4}) t->setDisplayFormat(QStringLiteral("HH:mm"));
    ComboBox3 = Choice(dates, "ComboBox3", kScopes);
    ComboBox4 = Choice(dates, "ComboBox4", kHandlings);
    df->addRow(Caption(QStringLiteral("Data od"), DateTimePicker1), DateTimePicker1);
    df->addRow(Caption(QStringLiteral("Godzina od"), DateTimePicker3), DateTimePicker3);
    df->addRow(Caption(QStringLiteral("Data do"), DateTimePicker2), DateTimePicker2);
    df->addRow(Caption(QStringLiteral("Godzina do"), DateTimePicker4), DateTimePicker4);
    df->addRow(Caption(QStringLiteral("Zakres:"), ComboBox3), ComboBox3);
    df->addRow(Caption(QStringLiteral("Sposób:"), ComboBox4), ComboBox4);
    PageControl1->addTab(dates, QStringLiteral("Według dat"));

    auto* cache = new QWidget;
    auto* cf = new QFormLayout(cache);
    ComboBox5 = Choice(cache, "ComboBox5", kHandlings);
    cf->addRow(Caption(QStringLiteral("Drukowanie zawartości pamięci podręcznej"), ComboBox5), ComboBox5);
    PageControl1->addTab(cache, QStringLiteral("Wydruk pamięci podręcznej"));

    auto* last = new QWidget;
    auto* lf = new QFormLayout(last);
    ComboBox6 = Choice(last, "ComboBox6", kHandlings);
    lf->addRow(Caption(QStringLiteral("Drukowanie ostatniego dokumentu fiskalnego"), ComboBox6), ComboBox6);
    PageControl1->addTab(last, QStringLiteral("Ostatni dokument"));
    outer->addWidget(PageControl1);

    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("Kopia elektroniczna"));
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(mono);
    Memo1->setMinimumSize(420, 260);
    outer->addWidget(Memo1, 1);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = Named(new QPushButton(QStringLiteral("Odczytaj"), this), "BitBtn1");
    Button2 = Named(new QPushButton(QStringLiteral("Przerwij"), this), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("Zapisz do pliku"), this), "Button3");
    Button1 = Named(new QPushButton(QStringLiteral("Wyjdź"), this), "Button1");
    Button2->setVisible(false);
    for (QPushButton* b : {BitBtn1, Button2, Button3}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Button1);
    outer->addLayout(buttons);
    resize(680, 620);

    connect(BitBtn1, &QPushButton::clicked, this, &TOdczytKopii::BitBtn1Click);
    connect(Button2, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(Button3, &QPushButton::clicked, this, &TOdczytKopii::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
}

void TOdczytKopii::FormShow() {
    // A period starts as today, the whole day.
    const QDate today = s_.clock.Now().date();
    DateTimePicker1->setDate(today);
    DateTimePicker2->setDate(today);
    DateTimePicker3->setTime(QTime(0, 0));
    DateTimePicker4->setTime(QTime(23, 59));
}

void TOdczytKopii::BitBtn1Click() {
    uint8_t mode = 1;
    QByteArray range;
    const QComboBox* handling = ComboBox6;
    switch (PageControl1->currentIndex()) {
        case 0: {
            const auto firstReport = InRange(Edit1, 1, 2000), lastReport = InRange(Edit2, 1, 2000);
            const auto firstReceipt = InRange(Edit3, 1, 99999), lastReceipt = InRange(Edit4, 1, 99999);
            if (!firstReport || !lastReport || !firstReceipt || !lastReceipt) {
                s_.prompts.Message(QStringLiteral("Błędnie wprowadzone dane"));
                return;
            }
            mode = 2;
            range = CopyRangeByNumbers(int(*firstReport), uint32_t(*firstReceipt), int(*lastReport),
                                       uint32_t(*lastReceipt), Value(ComboBox1));
            handling = ComboBox2;
            break;
        }
        case 1:
            mode = 3;
            range = CopyRangeByDates(QDateTime(DateTimePicker1->date(), DateTimePicker3->time()),
                                     QDateTime(DateTimePicker2->date(), DateTimePicker4->time()), Value(ComboBox3));
            handling = ComboBox4;
            break;
        case 2:
            mode = 4;
            handling = ComboBox5;
            break;
        default: break;
    }
    TransferRun run(this, Button2);
    if (!run) return;
    Memo1->clear();
    RegisterLink& link = s_.link;
    // The copy has no acknowledgement: printed at the register, or streamed.
    const Exchange noAnswer{true, false, AckStyle::Plain, 0, -1, {}};
    if (!Transact(link, CopyReadFrame(mode, range, Value(handling)), noAnswer).Sent() || Value(handling) != 2) return;

    Button2->setVisible(true);
    const CopyStreamEnd end = ReceiveCopyStream(link, [&](const QString& text) {
        // Every piece goes in; the view moves and "Przerwij" is seen at the run's pace.
        Memo1->moveCursor(QTextCursor::End);
        Memo1->insertPlainText(QString(text).remove(QLatin1Char('\r')));
        run.Progress([&] { Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum()); });
    });
    Button2->setVisible(false);
    switch (end) {
        case CopyStreamEnd::Silent:
            s_.prompts.Message(QStringLiteral("Kasa przestała wysyłać kopię elektroniczną."));
            break;
        case CopyStreamEnd::Cancelled:
            link.FlushPort();  // what was on its way is dropped
            s_.prompts.Message(QStringLiteral("Komunikacja przerwana przez użytkownika."));
            break;
        default: break;  // a lost port has told the user already
    }
}

void TOdczytKopii::Button3Click() {
    FileDialogSpec request;
    request.title = QStringLiteral("Zapisz kopię elektroniczną do pliku");
    request.filter = QStringLiteral("Plik tekstowy (*.txt)|*.txt");
    request.defaultExtension = QStringLiteral(".txt");
    request.fileName = QStringLiteral("Kopia_elektroniczna.txt");
    const QString path = s_.prompts.SaveFileName(request);
    if (path.isEmpty()) return;
    if (!ReplaceConfirmed(s_.prompts, path)) return;
    if (!WriteWholeFile(path, Memo1->toPlainText().toUtf8())) {
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral("."));
        return;
    }
    s_.prompts.Message(QStringLiteral("Zapisano plik ") + path);
}

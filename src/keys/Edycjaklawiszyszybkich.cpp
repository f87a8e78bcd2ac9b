#include "keys/Edycjaklawiszyszybkich.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "common/appstate.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "goods/Listatowarow.h"
#include "goods/goodstable.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "keys/keysend.h"
#include "link/registerlink.h"

using namespace layout;

TProgramowanieKlawiszySzybkich::TProgramowanieKlawiszySzybkich(Services& services, TListaTowarow* picker,
                                                               QWidget* parent)
    : TForm(services, parent), picker_(picker) {
    setObjectName(QStringLiteral("TProgramowanieKlawiszySzybkich"));
    setWindowTitle(QStringLiteral("Edycja klawiszy szybkich"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie klawiszy szybkich")));
    auto* top = new QHBoxLayout;
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    top->addWidget(Caption(QStringLiteral("Kasjer:"), ComboBox1));
    top->addWidget(ComboBox1, 1);
    outer->addLayout(top);
    auto* keys = new QGroupBox(QStringLiteral("Numer klawisza:"), this);
    auto* keyRow = new QHBoxLayout(keys);
    for (int k = 1; k <= 10; ++k) {
        auto* b = new QRadioButton(QStringLiteral("F%1").arg(k), keys);
        b->setObjectName(QStringLiteral("RadioButton%1").arg(k));
        b->setAutoFillBackground(true);
        keyRow->addWidget(b);
        KeyButtons << b;
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) ShowKey();
        });
    }
    outer->addWidget(keys);

    auto* middle = new QHBoxLayout;
    outer->addLayout(middle);
    RadioGroup1 = Named(new QGroupBox(QStringLiteral("  Towar edytowanego klawisza  "), this), "RadioGroup1");
    auto* entries = new QVBoxLayout(RadioGroup1);
    for (int i = 1; i <= 5; ++i) {
        auto* b = new QRadioButton(QString::number(i), RadioGroup1);
        entries->addWidget(b);
        EntryButtons << b;
        connect(b, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) StringGrid1->selectRow(i - 1);
        });
    }
    middle->addWidget(RadioGroup1);
    StringGrid1 = Named(new QTableWidget(5, 3, this), "StringGrid1");
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Numer"), QStringLiteral("Numer PLU"), QStringLiteral("Ilość")});
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setTabKeyNavigation(false);
    middle->addWidget(StringGrid1, 1);

    auto* fields = new QGridLayout;
    outer->addLayout(fields);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit1->setMaxLength(4);
    GoodsName = Named(new QLabel(this), "GoodsName");
    Edit2 = Named(new QLineEdit(QStringLiteral("1.0000"), this), "Edit2");
    Edit2->setMaxLength(10);
    MarkerNumber = Marker(QStringLiteral("Wprowadź numer!"), "MarkerNumber");
    MarkerQuantity = Marker(QStringLiteral("Wprowadź ilość!"), "MarkerQuantity");
    Button4 = Named(new QPushButton(QStringLiteral("Przegląd listy towarów"), this), "Button4");
    fields->addWidget(Caption(QStringLiteral("Numer towaru skojarzonego z klawiszem"), Edit1), 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(MarkerNumber, 0, 2);
    fields->addWidget(GoodsName, 0, 3);
    fields->addWidget(Button4, 0, 4);
    fields->addWidget(Caption(QStringLiteral("Ilość towaru do sprzedania"), Edit2), 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->addWidget(MarkerQuantity, 1, 2);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Dodaj towar do klawisza"), this), "BitBtn1");
    fields->addWidget(BitBtn1, 1, 4);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Czy klawisz ma kończyć paragon?"), this), "CheckBox1");
    outer->addWidget(CheckBox1);
    auto* buttons = new QHBoxLayout;
    BitBtn4 = Named(new QPushButton(QStringLiteral("     &Zapisz w bazie PC"), this), "BitBtn4");
    BitBtn2 = Named(new QPushButton(QStringLiteral(" &Wyślij do kasy"), this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Usuń klawisz szybki z bazy PC"), this), "BitBtn3");
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn6");
    for (QPushButton* b : {BitBtn4, BitBtn2, BitBtn3, BitBtn6}) buttons->addWidget(b);
    outer->addLayout(buttons);
    EnterPresses(BitBtn1);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ShowKey(); });
    connect(Edit1, &QLineEdit::textChanged, this, &TProgramowanieKlawiszySzybkich::ShowGoodsName);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int) {
        EntryButtons[row]->setChecked(true);
        Edit1->setText(QString::number(Current().entries[row].goods));
    });
    connect(Button4, &QPushButton::clicked, this, [this] {
        if (!picker_) return;
        picker_->onChosen = [this](int goods) {
            Edit1->setText(QString::number(goods));
            Edit2->setFocus();
        };
        picker_->ShowModal();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TProgramowanieKlawiszySzybkich::BitBtn1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TProgramowanieKlawiszySzybkich::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieKlawiszySzybkich::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TProgramowanieKlawiszySzybkich::BitBtn3Click);
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
    EntryButtons[0]->setChecked(true);
    KeyButtons[0]->setChecked(true);
}

int TProgramowanieKlawiszySzybkich::Cashier() const { return qMax(ComboBox1->currentIndex(), 0) + 1; }

int TProgramowanieKlawiszySzybkich::Key() const {
    for (int k = 0; k < KeyButtons.size(); ++k)
        if (KeyButtons[k]->isChecked()) return k + 1;
    return 1;
}

int TProgramowanieKlawiszySzybkich::Entry() const {
    for (int i = 0; i < EntryButtons.size(); ++i)
        if (EntryButtons[i]->isChecked()) return i + 1;
    return 1;
}

QuickKeyRecord& TProgramowanieKlawiszySzybkich::Current() { return copy_[(Cashier() - 1) * 10 + Key() - 1]; }

void TProgramowanieKlawiszySzybkich::FormShow() {
    for (int c = 1; c <= 10; ++c)
        for (int k = 1; k <= 10; ++k) copy_[(c - 1) * 10 + k - 1] = ReadQuickKey(s_.image, c, k);
    ComboBox1->blockSignals(true);
    ComboBox1->clear();
    ComboBox1->addItems(CashierEntries(s_.image));
    ComboBox1->blockSignals(false);
    MarkerNumber->hide();
    MarkerQuantity->hide();
    ShowKey();
}

void TProgramowanieKlawiszySzybkich::ShowKey() {
    const QuickKeyRecord& r = Current();
    for (int i = 0; i < 5; ++i) {
        const QuickKeyEntry& e = r.entries[i];
        const QStringList cells{QString::number(i + 1), e.goods ? QString::number(e.goods) : QStringLiteral("-"),
                                e.goods ? FormatQuantity(e.quantity) : QStringLiteral("---")};
        for (int col = 0; col < 3; ++col) StringGrid1->setItem(i, col, new QTableWidgetItem(cells[col]));
    }
    CheckBox1->setChecked(r.endsReceipt);
    // Keys that hold a record of this cashier are greyed.
    for (int k = 1; k <= 10; ++k) {
        const bool used = copy_[(Cashier() - 1) * 10 + k - 1].cashier != 0;
        KeyButtons[k - 1]->setStyleSheet(used ? QStringLiteral("background: #C0C0C0") : QString());
    }
    StringGrid1->selectRow(Entry() - 1);
}

void TProgramowanieKlawiszySzybkich::ShowGoodsName() {
    const auto n = ParseInteger(Edit1->text());
    if (!n) return GoodsName->clear();
    if (*n <= 0 || *n > 2000) return GoodsName->setText(QStringLiteral("---"));
    GoodsName->setText(s_.image.ReadTextAt(kGoods.Offset(int(*n)) + goods::kName, 41));
}

void TProgramowanieKlawiszySzybkich::BitBtn1Click() {
    MarkerNumber->setVisible(Edit1->text().trimmed().isEmpty());
    MarkerQuantity->setVisible(Edit2->text().trimmed().isEmpty());
    if (MarkerNumber->isVisible() || MarkerQuantity->isVisible()) return;
    const auto goods = ParseInteger(Edit1->text());
    if (!goods || *goods < 0 || *goods > 2000) {
        s_.prompts.Message(QStringLiteral("     Błędna wartość : Numer towaru w kasie \n Pole musi zawierać liczbę z przedziału "
                                          "0-2000. (0 - brak towaru)    "));
        return;
    }
    Edit2->setText(Edit2->text().replace(QLatin1Char('.'), QLatin1Char(',')));
    const std::optional<double> quantity = ParseCommaDecimal(Edit2->text());
    if (!quantity) {
        s_.prompts.Message(QStringLiteral("Błędna ilość"));
        return;
    }
    QuickKeyRecord& r = Current();
    r.entries[Entry() - 1] = QuickKeyEntry{int(*goods), int32_t(std::trunc(*quantity * 10000))};
    r.cashier = Cashier();
    r.key = Key();
    r.count = 0;
    for (const QuickKeyEntry& e : r.entries) r.count += e.goods != 0 ? 1 : 0;
    EntryButtons[qMin(Entry(), 4)]->setChecked(true);
    ShowKey();
}

void TProgramowanieKlawiszySzybkich::BitBtn4Click() {
    QuickKeyRecord r = Current();
    r.cashier = Cashier();
    r.key = Key();
    r.endsReceipt = CheckBox1->isChecked();
    WriteQuickKey(s_.image, Cashier(), Key(), r);
    Current() = r;
    s_.app.databaseModified = true;
    s_.prompts.Message(QStringLiteral("Zapisano w bazie"));
    ShowKey();
}

void TProgramowanieKlawiszySzybkich::BitBtn3Click() {
    Current() = QuickKeyRecord{};  // the image changes when the key is saved
    ShowKey();
}

void TProgramowanieKlawiszySzybkich::BitBtn2Click() {
    TransferScope scope(this);
    if (!scope) return;
    s_.link.FlushPort();
    TellOutcome(ProgramQuickKey(s_.link, s_.image, 0x8001, Cashier(), Key()),
                QStringLiteral("Klawisz %1 kasjera %2 zapisano w kasie.").arg(Key()).arg(Cashier()));
}

#include "goods/Programowanietowarow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QScrollBar>
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
#include "sync/goodsmirror.h"

using namespace layout;

namespace {

const QStringList kColumns = {"Nr", "Nazwa", "VAT", "Cena", "Kod kreskowy", "Grupa",
                              "Tandem", "Cena sztywna", "Sprz. na sztuki", "HALO", "Jedn."};
const int kWidths[] = {39, 211, 45, 72, 102, 97, 74, 67, 77, 42, 32};

QStringList Letters() { return {"A", "B", "C", "D", "E", "F", "G"}; }

}  // namespace

TProgramowanieTowarow::TProgramowanieTowarow(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieTowarow"));
    setWindowTitle(QStringLiteral("Edycja bazy towarowej"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Edycja bazy towarowej PC")));
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    // Entry fields.
    auto* entry = new QVBoxLayout;
    columns->addLayout(entry);
    auto* fields = new QGridLayout;
    entry->addLayout(fields);
    Edit4 = Named(new QLineEdit(QStringLiteral("0"), this), "Edit4");
    Edit4->setMaxLength(4);
    Edit5 = Named(new QLineEdit(this), "Edit5");
    Edit5->setMaxLength(42);
    StorableText(Edit5);
    Edit5->setMinimumWidth(230);
    Edit1 = Named(new QLineEdit(QStringLiteral("0,00"), this), "Edit1");
    Edit1->setMaxLength(10);
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(13);
    StorableText(Edit2);
    Label10 = Marker(QStringLiteral("Wprowadź numer!"), "Label10");
    Label8 = Marker(QStringLiteral("Wprowadź nazwę!"), "Label8");
    Label11 = Marker(QStringLiteral("Wprowadź cenę!"), "Label11");
    fields->addWidget(Caption(QStringLiteral("Numer towaru w kasie"), Edit4), 0, 0);
    fields->addWidget(Edit4, 0, 1);
    fields->addWidget(Label10, 0, 2);
    fields->addWidget(Caption(QStringLiteral("Nazwa towaru"), Edit5), 1, 0);
    fields->addWidget(Edit5, 1, 1);
    fields->addWidget(Label8, 1, 2);
    fields->addWidget(Caption(QStringLiteral("Cena"), Edit1), 2, 0);
    fields->addWidget(Edit1, 2, 1);
    fields->addWidget(Label11, 2, 2);
    fields->addWidget(Caption(QStringLiteral("Kod kreskowy"), Edit2), 3, 0);
    fields->addWidget(Edit2, 3, 1);

    GroupBox1 = Named(new QGroupBox(QStringLiteral("Wartości domyślne"), this), "GroupBox1");
    auto* defaults = new QGridLayout(GroupBox1);
    ComboBox1 = Named(new QComboBox(GroupBox1), "ComboBox1");
    ComboBox1->addItems(Letters());
    ComboBox2 = Named(new QComboBox(GroupBox1), "ComboBox2");
    NumerOpakowania = Named(new QComboBox(GroupBox1), "NumerOpakowania");
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Cena sztywna"), GroupBox1), "CheckBox2");
    CheckBox3 = Named(new QCheckBox(QStringLiteral("Sprzedaż na sztuki"), GroupBox1), "CheckBox3");
    CheckBox3->setChecked(true);
    ComboBox3 = Named(new QComboBox(GroupBox1), "ComboBox3");
    ComboBox4 = Named(new QComboBox(GroupBox1), "ComboBox4");
    ComboBox4->addItem(QStringLiteral("brak"));
    for (int i = 1; i <= 9; ++i) ComboBox4->addItem(QString::number(i));
    defaults->addWidget(Caption(QStringLiteral("Stawka PTU"), ComboBox1), 0, 0);
    defaults->addWidget(ComboBox1, 0, 1);
    defaults->addWidget(Caption(QStringLiteral("Numer grupy towarowej"), ComboBox2), 1, 0);
    defaults->addWidget(ComboBox2, 1, 1);
    defaults->addWidget(Caption(QStringLiteral("Sprzedaż w tandemie"), NumerOpakowania), 2, 0);
    defaults->addWidget(NumerOpakowania, 2, 1);
    defaults->addWidget(Caption(QStringLiteral("Indeks tablicy HALO"), ComboBox3), 3, 0);
    defaults->addWidget(ComboBox3, 3, 1);
    defaults->addWidget(Caption(QStringLiteral("Numer jednostki towarowej"), ComboBox4), 4, 0);
    defaults->addWidget(ComboBox4, 4, 1);
    defaults->addWidget(CheckBox2, 5, 0);
    defaults->addWidget(CheckBox3, 5, 1);
    entry->addWidget(GroupBox1);
    BitBtn4 = Named(new QPushButton(QStringLiteral("     &Dodaj do bazy PC"), this), "BitBtn4");
    BitBtn4->setMinimumHeight(36);
    entry->addWidget(BitBtn4);
    CheckBox4 = Named(new QCheckBox(QStringLiteral("Po dodaniu do bazy automatycznie wysyłaj towar do kasy"), this),
                      "CheckBox4");
    CheckBox1 = Named(new QCheckBox(QStringLiteral("&Potwierdzaj wprowadzanie towarów z klawiatury kasy"), this),
                      "CheckBox1");
    entry->addWidget(CheckBox4);
    entry->addWidget(CheckBox1);
    entry->addWidget(FastSendingBox());
    entry->addStretch();
    BitBtn6 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn6");
    entry->addWidget(BitBtn6, 0, Qt::AlignLeft);

    // The table.
    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QVBoxLayout(Panel1);
    auto* top = new QHBoxLayout;
    Label13 = Named(new QLabel(QStringLiteral("BAZA TOWAROWA"), Panel1), "Label13");
    QFont bold = Label13->font();
    bold.setBold(true);
    Label13->setFont(bold);
    Label12 = Named(new QLabel(QStringLiteral(" Wolne miejsce w bazie:"), Panel1), "Label12");
    Label14 = Named(new QLabel(Panel1), "Label14");
    ProgressBar1 = Named(new QProgressBar(Panel1), "ProgressBar1");
    ProgressBar1->setRange(0, 2000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(14);
    top->addWidget(Label13);
    top->addStretch();
    top->addWidget(Label12);
    top->addWidget(Label14);
    top->addWidget(ProgressBar1);
    panel->addLayout(top);
    StringGrid1 = Named(new QTableWidget(1, kColumns.size(), Panel1), "StringGrid1");
    StringGrid1->setHorizontalHeaderLabels(kColumns);
    QFont gridFont = StringGrid1->font();
    gridFont.setPointSize(8);
    StringGrid1->setFont(gridFont);
    StringGrid1->horizontalHeader()->setFont(gridFont);
    // The form's column widths, widened where this desktop's font needs more room
    // for a heading, a barcode or "Brak".
    const QFontMetrics fm(gridFont);
    int total = 0;
    for (int c = 0; c < kColumns.size(); ++c) {
        int width = qMax(kWidths[c], fm.horizontalAdvance(kColumns[c]) + 16);
        if (c == 4) width = qMax(width, fm.horizontalAdvance(QStringLiteral("0000000000000")) + 12);
        width = qMax(width, fm.horizontalAdvance(QStringLiteral("Brak")) + 12);
        StringGrid1->setColumnWidth(c, width);
        total += width;
    }
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // All columns when the screen has room; on a 1280-pixel screen the grid
    // scrolls sideways rather than push the window off the screen.
    StringGrid1->setMinimumWidth(qMin(total + StringGrid1->verticalScrollBar()->sizeHint().width() + 4, 560));
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setAccessibleName(QStringLiteral("Baza towarowa"));
    panel->addWidget(StringGrid1, 1);
    auto* search = new QHBoxLayout;
    Edit6 = Named(new QLineEdit(Panel1), "Edit6");
    Edit6->setAccessibleName(QStringLiteral("Szukaj"));
    BitBtn1 = Named(new QPushButton(QStringLiteral("       &Szukaj"), Panel1), "BitBtn1");
    search->addWidget(Edit6, 1);
    search->addWidget(BitBtn1);
    panel->addLayout(search);
    auto* actions = new QHBoxLayout;
    BitBtn5 = Named(new QPushButton(QStringLiteral("    &Edytuj towar"), Panel1), "BitBtn5");
    BitBtn2 = Named(new QPushButton(QStringLiteral(" &Wyślij do kasy"), Panel1), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Usuń z bazy PC"), Panel1), "BitBtn3");
    BitBtn10 = Named(new QPushButton(QStringLiteral("Wydru&k bazy  "), Panel1), "BitBtn10");
    Button1 = Named(new QPushButton(QStringLiteral("Pobierz bazę z podłączonej kasy"), Panel1), "Button1");
    ButtonCofnij = Named(new QPushButton(QStringLiteral("Cofnij usunięcie"), Panel1), "ButtonCofnij");
    ButtonCofnij->setEnabled(false);
    for (QPushButton* b : {BitBtn5, BitBtn2, BitBtn3, ButtonCofnij, BitBtn10, Button1}) actions->addWidget(b);
    panel->addLayout(actions);
    columns->addWidget(Panel1, 1);

    PanelSortowanie = Named(new QFrame(this), "PanelSortowanie");
    PanelSortowanie->setFrameShape(QFrame::Box);
    PanelSortowanie->setAutoFillBackground(true);
    auto* wait = new QVBoxLayout(PanelSortowanie);
    wait->addWidget(new QLabel(QStringLiteral("Czekaj..."), PanelSortowanie), 0, Qt::AlignCenter);
    wait->addWidget(new QLabel(QStringLiteral("Trwa sortowanie..."), PanelSortowanie), 0, Qt::AlignCenter);
    LabelPostep = Named(new QLabel(PanelSortowanie), "LabelPostep");
    wait->addWidget(LabelPostep, 0, Qt::AlignCenter);
    BitBtnAnuluj = Named(new QPushButton(QStringLiteral("Anuluj"), PanelSortowanie), "BitBtnAnuluj");
    wait->addWidget(BitBtnAnuluj, 0, Qt::AlignCenter);
    PanelSortowanie->setFixedSize(240, 130);
    PanelSortowanie->hide();

    MenuWydruku = new QMenu(this);
    MenuWydruku->setObjectName(QStringLiteral("MenuWydruku"));
    DrukujwedugnumerwPLU1 = MenuWydruku->addAction(QStringLiteral("Drukuj według numerów PLU"));
    DrukujwedugnumerwPLU1->setObjectName(QStringLiteral("DrukujwedugnumerwPLU1"));
    Drukujwedugnazw1 = MenuWydruku->addAction(QStringLiteral("Drukuj według nazw"));
    Drukujwedugnazw1->setObjectName(QStringLiteral("Drukujwedugnazw1"));

    // What the form's creation selects.
    ComboBox1->setCurrentIndex(0);

    connect(BitBtn4, &QPushButton::clicked, this, &TProgramowanieTowarow::AddGoodsRecord);
    connect(BitBtnAnuluj, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(BitBtn6, &QPushButton::clicked, this, &QDialog::close);
    connect(CheckBox1, &QCheckBox::clicked, this, [this](bool on) { ConfirmGoodsEntry = on; });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TProgramowanieTowarow::StringGrid1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TProgramowanieTowarow::BitBtn1Click);
    // Typing finds: the grid keeps the goods whose number, name or barcode match.
    connect(Edit6, &QLineEdit::textChanged, this, &TProgramowanieTowarow::ApplyFilter);
    // A click on a column heading sorts by it; a second click turns the order.
    StringGrid1->horizontalHeader()->setSortIndicatorShown(true);
    StringGrid1->horizontalHeader()->setSectionsClickable(true);
    connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        sortDescending_ = column == sortColumn_ && !sortDescending_;
        sortColumn_ = column;
        StringGrid1->horizontalHeader()->setSortIndicator(column, sortDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
        RebuildGoodsGrid();
    });
    connect(BitBtn5, &QPushButton::clicked, this, &TProgramowanieTowarow::BitBtn5Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TProgramowanieTowarow::BitBtn3Click);
    connect(ButtonCofnij, &QPushButton::clicked, this, [this] {
        if (undo_.Restore(s_.image, s_.app)) RebuildGoodsGrid();
        ButtonCofnij->setEnabled(false);
    });
    connect(BitBtn2, &QPushButton::clicked, this, &TProgramowanieTowarow::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &TProgramowanieTowarow::Button1Click);
    connect(BitBtn10, &QPushButton::clicked, this, &TProgramowanieTowarow::BitBtn10Click);
    connect(DrukujwedugnumerwPLU1, &QAction::triggered, this, [this] { PrintGoodsList(false); });
    connect(Drukujwedugnazw1, &QAction::triggered, this, [this] { PrintGoodsList(true); });
}

void TProgramowanieTowarow::FormShow() {
    RebuildGoodsGrid();
    ButtonCofnij->setEnabled(undo_.Available(s_.app));
    if (s_.app.workMode == ModeOffline) {
        CheckBox4->setChecked(false);
        BitBtn4->setEnabled(true);
        Edit6->clear();
        Edit4->setText(QStringLiteral("0"));
        Panel1->show();
    }
    ProposeNextGoodsNumber();
    FillLists();
}

void TProgramowanieTowarow::FillLists() {
    ComboBox2->clear();
    ComboBox2->addItems(GroupEntries(s_.image, QStringLiteral(". ")));
    ComboBox2->setCurrentIndex(0);
    for (int unit = 1; unit <= 3; ++unit) {
        const QString name = unit <= s_.app.goodsUnits.size() ? s_.app.goodsUnits[unit - 1].trimmed() : QString();
        ComboBox4->setItemText(unit, name.isEmpty() ? QString::number(unit) : QString::number(unit) + QLatin1Char(' ') + name);
    }
    ComboBox4->setCurrentIndex(0);
    NumerOpakowania->clear();
    NumerOpakowania->addItem(QStringLiteral("Brak"));
    NumerOpakowania->addItems(PackagingEntries(s_.image, QStringLiteral(". ")));
    NumerOpakowania->setCurrentIndex(0);
    ComboBox3->clear();
    ComboBox3->addItem(QStringLiteral("Brak"));
    for (int k = 1; k <= 9; ++k)
        ComboBox3->addItem(QString::number(k) + QStringLiteral(". ") +
                           FormatHundredths(s_.image.ReadLongAt(kHalo + 4 * k)));
    ComboBox3->setCurrentIndex(0);
}

void TProgramowanieTowarow::RebuildGoodsGrid() {
    const QList<int> goods = OccupiedGoods(s_.image);
    QList<QStringList> rows;
    rows.reserve(goods.size());
    for (int n : goods) rows << GoodsGridRow(s_.image, n);
    SortGoodsRows(rows, sortColumn_, sortDescending_);
    StringGrid1->setUpdatesEnabled(false);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(goods.size() + 1);  // and one empty last row
    for (int row = 0; row < rows.size(); ++row)
        for (int c = 0; c < rows[row].size(); ++c) StringGrid1->setItem(row, c, new QTableWidgetItem(rows[row][c]));
    ApplyFilter();
    StringGrid1->setUpdatesEnabled(true);
    const int free = kGoods.count - int(goods.size());
    Label14->setText(QString::number(free) + QStringLiteral("/2000"));
    ProgressBar1->setValue(free);
}

void TProgramowanieTowarow::ProposeNextGoodsNumber() {
    const int current = int(ParseInteger(Edit4->text()).value_or(0));
    const int next = NextFreeGoodsNumber(s_.image, current);
    Edit4->setText(next ? QString::number(next) : QString());
}

bool TProgramowanieTowarow::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && downloading_) {
        s_.link.RequestCancel();  // stops the download instead of closing the form
        return true;
    }
    if (key == Qt::Key_Return) {
        // A focused button takes Enter as its own press; the search field
        // searches; the entry fields add; elsewhere Enter does nothing.
        QWidget* focused = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focused)) button->click();
        else if (focused == Edit6) BitBtn1Click();
        else if (focused && (focused == StringGrid1 || Panel1->isAncestorOf(focused))) return true;
        else AddGoodsRecord();
        return true;
    }
    return TForm::FormKeyDown(key);
}

bool TProgramowanieTowarow::AddGoodsRecord() {
    Label10->setVisible(Edit4->text().isEmpty());
    Label8->setVisible(Edit5->text().isEmpty());
    Label11->setVisible(Edit1->text().isEmpty());
    if (Edit4->text().isEmpty() || Edit5->text().isEmpty() || Edit1->text().isEmpty()) return false;

    const auto number = ParseInteger(Edit4->text());
    if (!number || *number < 1 || *number > 2000) {
        s_.prompts.Message(QStringLiteral("     Błędna wartość : Numer towaru w kasie \n"
                                          " Pole musi zawierać liczbę z przedziału 1-2000.     "));
        return false;
    }
    const int n = int(*number);
    if (Edit5->text().trimmed().isEmpty()) {
        s_.prompts.Message(QStringLiteral("Nazwa towaru nie może składać się z samych znaków spacji!"));
        return false;
    }
    const QString key = GoodsNameKey(Edit5->text());
    for (int other : OccupiedGoods(s_.image)) {
        if (other == n) continue;
        const QString stored = s_.image.ReadTextAt(kGoods.Offset(other) + goods::kName, goods::kNameWidth);
        if (GoodsNameKey(stored) == key) {
            // The name as the user knows it, not the key it is compared by.
            s_.prompts.Message(QStringLiteral("Towar ") + stored + QStringLiteral(" jest już zapisany w bazie pod numerem ") +
                               QString::number(other));
            Edit5->setFocus();
            return false;
        }
    }
    QString priceText = Edit1->text();
    priceText.replace(QLatin1Char('.'), QLatin1Char(','));
    const auto grosz = ParsePrice(priceText);
    if (!grosz) {
        s_.prompts.Message(QStringLiteral("     Błędna wartość w polu Cena     "));
        return false;
    }
    if (*grosz < 0 || *grosz > goods::kMaxPrice) {
        s_.prompts.Message(QStringLiteral("Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99"));
        return false;
    }
    if (*grosz == 0 && CheckBox2->isChecked()) {
        s_.prompts.Message(QStringLiteral("Cena sztywna musi mieć wartość większą od 0,00. Wprowadz inną wartość, "
                                          "lub odznacz pole \"Cena sztywna\""));
        return false;
    }
    if (s_.app.DatabaseLoaded()) {
        if (!s_.image.Usable()) {
            s_.prompts.Message(QStringLiteral("     Plik zamknięty.     "));
        } else {
            GoodsFields g;
            g.number = n;
            g.name = Edit5->text();
            g.vat = char('A' + qMax(ComboBox1->currentIndex(), 0));
            g.price = uint32_t(*grosz);
            g.barcode = Edit2->text();
            g.group = uint8_t(qMax(ComboBox2->currentIndex(), 0) + 1);
            g.packaging = uint8_t(qMax(NumerOpakowania->currentIndex(), 0));
            g.fixedPrice = CheckBox2->isChecked() ? 1 : 0;
            g.byPieces = CheckBox3->isChecked() ? 1 : 0;
            g.halo = uint8_t(qMax(ComboBox3->currentIndex(), 0));
            g.unit = uint8_t(qMax(ComboBox4->currentIndex(), 0));
            if (WriteGoodsRecord(s_.image, g) != 0) {
                s_.prompts.Message(QStringLiteral("     Błąd! Nie dodano towaru     "));
                return false;
            }
            s_.app.databaseModified = true;
            RebuildGoodsGrid();
            Edit5->clear();
            Edit2->clear();
            Edit1->setText(QStringLiteral("0,00"));
            Edit5->setFocus();
        }
    }
    ProposeNextGoodsNumber();
    if (CheckBox4->isChecked()) {
        s_.link.FlushPort();
        ShowSendAnswer(TransactRecord(s_.link, s_.image, RecordTable::Goods, kSingleFrame, n, ConfirmGoodsEntry ? 1 : 0,
                                  Exchange{false, true, AckStyle::Plain, 0, 800, {}}),
                       false);
    }
    return true;
}

int TProgramowanieTowarow::SelectedNumber() const {
    const int row = StringGrid1->currentRow();
    if (row < 0) return 0;
    const QTableWidgetItem* item = StringGrid1->item(row, 0);
    return item ? int(ParseInteger(item->text()).value_or(0)) : 0;
}

void TProgramowanieTowarow::ShowSendAnswer(const Answer& answer, bool sayAccepted) {
    if (answer.Accepted()) {
        if (sayAccepted) s_.prompts.Message(QStringLiteral("Towar zapisano w kasie"));
        return;
    }
    // The register's reason tells sales on the goods from a bad barcode.
    QString text = QStringLiteral("Błąd! Kasa nie potwierdziła zapisu towaru!");
    if (answer.ack == AckRegisterError) text += QLatin1Char('\n') + RegisterErrorMessage(answer.errorCode);
    s_.prompts.Message(text);
}

void TProgramowanieTowarow::StringGrid1DblClick() {
    const int row = StringGrid1->currentRow();
    const int n = SelectedNumber();
    if (n <= 0) return;
    auto cell = [&](int c) { return StringGrid1->item(row, c) ? StringGrid1->item(row, c)->text() : QString(); };
    Edit4->setText(cell(0));
    Edit5->setText(cell(1));
    Edit1->setText(cell(3));
    Edit2->setText(cell(4));
    const GoodsFields g = ReadGoodsRecord(s_.image, n);
    if (g.vat >= 'A' && g.vat <= 'G') ComboBox1->setCurrentIndex(g.vat - 'A');
    ComboBox2->setCurrentIndex(g.group - 1);
    NumerOpakowania->setCurrentIndex(g.packaging);
    CheckBox2->setChecked(g.fixedPrice != 0);
    CheckBox3->setChecked(g.byPieces != 0);
    ComboBox3->setCurrentIndex(g.halo);
    ComboBox4->setCurrentIndex(g.unit);
    Edit5->setFocus();
}

void TProgramowanieTowarow::ApplyFilter() {
    const QString text = Edit6->text();
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        QStringList cells;
        for (int c : {0, 1, 2, 3, 4}) cells << (StringGrid1->item(row, c) ? StringGrid1->item(row, c)->text() : QString());
        StringGrid1->setRowHidden(row, !GoodsRowMatches(cells, text));
    }
}

void TProgramowanieTowarow::BitBtn1Click() {
    RebuildGoodsGrid();
    const QString text = Edit6->text();
    if (text.isEmpty()) return;
    const QString wanted = text.toUpper();
    QList<QStringList> kept;
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        const QTableWidgetItem* name = StringGrid1->item(row, 1);
        if (!name || !name->text().toUpper().contains(wanted)) continue;
        QStringList cells;
        for (int c = 0; c < StringGrid1->columnCount(); ++c) cells << StringGrid1->item(row, c)->text();
        kept << cells;
    }
    StringGrid1->clearContents();
    StringGrid1->setRowCount(kept.isEmpty() ? 1 : kept.size());
    for (int row = 0; row < kept.size(); ++row)
        for (int c = 0; c < kept[row].size(); ++c) StringGrid1->setItem(row, c, new QTableWidgetItem(kept[row][c]));
    ApplyFilter();
}

void TProgramowanieTowarow::BitBtn5Click() {
    const int row = StringGrid1->currentRow();
    const int n = SelectedNumber();
    if (n <= 0 || !editDialog_) return;
    editDialog_->Edit(n);
    StringGrid1->selectRow(qMin(row, StringGrid1->rowCount() - 1));
}

void TProgramowanieTowarow::BitBtn3Click() {
    const int row = StringGrid1->currentRow();
    const int n = SelectedNumber();
    if (n <= 0) return;
    // Asked first; "Cofnij usunięcie" takes it back (quick keys too) until the next save.
    const QString what = QString::number(n) + QStringLiteral(". ") + ReadGoodsRecord(s_.image, n).name;
    if (s_.prompts.Ask(QStringLiteral("Usunąć z bazy PC towar ") + what + QLatin1Char('?'), PromptButtons::YesNo,
                       PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    undo_.Remember(s_.image, s_.app, what);
    ButtonCofnij->setEnabled(true);
    RemoveGoodsFromQuickKeys(s_.image, n);
    if (kGoods.Holds(n)) {
        s_.image.ClearBytes(kGoods.Offset(n), kGoods.recordSize);
        s_.app.databaseModified = true;
        RebuildGoodsGrid();
    }
    ProposeNextGoodsNumber();
    const int rows = StringGrid1->rowCount();
    if (rows <= 1) return;  // only the empty row is left
    StringGrid1->selectRow(row >= rows - 1 ? rows - 2 : row);
}

void TProgramowanieTowarow::BitBtn2Click() {
    const int n = SelectedNumber();
    if (n <= 0) return;
    s_.link.FlushPort();
    s_.link.FlushPort();
    ShowSendAnswer(TransactRecord(s_.link, s_.image, RecordTable::Goods, kSingleFrame, n, ConfirmGoodsEntry ? 1 : 0,
                              Exchange{false, true, AckStyle::Plain, s_.app.fastSending ? 0 : 700, 800, {}}),
                   true);
}

void TProgramowanieTowarow::Button1Click() {
    if (TransferRunning()) return;
    // The register's goods replace the PC's of the same numbers: unsaved work is not
    // overwritten without a word.
    if (s_.app.DatabaseLoaded() && s_.app.databaseModified &&
        s_.prompts.Ask(QStringLiteral("Baza PC ma niezapisane zmiany. Towary z kasy zastąpią towary PC o tych samych "
                                      "numerach. Pobrać?"),
                       PromptButtons::YesNo, PromptIcon::Warning, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    LabelPostep->setText(QStringLiteral("0/2000"));
    // Only the download's cancel answers meanwhile.
    TransferRun run(this, BitBtnAnuluj, PanelSortowanie);
    downloading_ = true;
    RegisterGoodsMirror received;  // the register's records, stored once the transfer ends
    run.Progress();
    const ReadOutcome out = ReadRegisterTable(s_.link, GoodsMember(), received, [&](int stored) {
        // "Anuluj" and Esc take effect between records.
        run.Progress([&] { LabelPostep->setText(QString::number(stored) + QStringLiteral("/2000")); });
    });
    downloading_ = false;
    const int stored = CopyToImage(s_.image, GoodsMember(), received, received.Occupied());
    if (stored > 0) s_.app.databaseModified = true;  // the downloaded goods are a change to save
    run.Done();
    RebuildGoodsGrid();
    // A download cut short keeps what came: the user learns how much.
    if (!out.complete && stored > 0)
        s_.prompts.Message(QStringLiteral("Pobieranie nie zostało ukończone. Zapisano w bazie PC %1 towarów z kasy.").arg(stored));
}

void TProgramowanieTowarow::CollectPrintRows() {
    printRows_.clear();
    for (int n : OccupiedGoods(s_.image)) {
        const GoodsFields g = ReadGoodsRecord(s_.image, n);
        printRows_.append({QString::number(n), g.name, FormatHundredths(g.price), QString(QLatin1Char(g.vat)),
                           g.fixedPrice ? QStringLiteral("sztywna") : QStringLiteral("ruchoma"), g.barcode});
    }
}

QList<GoodsListRow> TProgramowanieTowarow::PrintRows(bool byName) const {
    QList<GoodsListRow> rows = printRows_;
    if (byName)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const GoodsListRow& a, const GoodsListRow& b) { return PolishLess(a.name, b.name); });
    return rows;
}

void TProgramowanieTowarow::BitBtn10Click() {
    CollectPrintRows();
    MenuWydruku->popup(QCursor::pos());
}

void TProgramowanieTowarow::PrintGoodsList(bool byName) {
    const QList<GoodsListRow> rows = PrintRows(byName);
    PrintListPages(s_.prompts, ListFont::Bold, [rows](const PageMetrics& m) { return LayoutGoodsList(rows, m); });
}

#include "goods/Edycjatowaru.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/appstate.h"
#include "common/numbers.h"
#include "goods/Programowanietowarow.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"

TEdycjaTowaru::TEdycjaTowaru(Services& services, TProgramowanieTowarow* editor, QWidget* parent)
    : TForm(services, parent), editor_(editor) {
    setObjectName(QStringLiteral("TEdycjaTowaru"));
    setWindowTitle(QStringLiteral("Edycja towaru"));
    auto* grid = new QGridLayout(this);
    Label7 = Named(new QLabel(QStringLiteral("Edycja towaru"), this), "Label7");
    QFont f = Label7->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    Label7->setFont(f);
    grid->addWidget(Label7, 0, 0, 1, 2);
    Label9 = Named(new QLabel(this), "Label9");
    grid->addWidget(Caption(QStringLiteral("Numer towaru:"), Label9, "Label8"), 1, 0);
    grid->addWidget(Label9, 1, 1);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit1->setMaxLength(42);
    StorableText(Edit1);
    Edit1->setMinimumWidth(300);
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems({"A", "B", "C", "D", "E", "F", "G"});
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(10);
    Edit3 = Named(new QLineEdit(this), "Edit3");
    Edit3->setMaxLength(13);
    StorableText(Edit3);
    ComboBox2 = Named(new QComboBox(this), "ComboBox2");
    ComboBox3 = Named(new QComboBox(this), "ComboBox3");
    ComboBox4 = Named(new QComboBox(this), "ComboBox4");
    ComboBox4->addItem(QStringLiteral("brak"));
    for (int i = 1; i <= 9; ++i) ComboBox4->addItem(QString::number(i));
    int row = 2;
    for (auto [caption, field] : std::initializer_list<std::pair<QString, QWidget*>>{
             {QStringLiteral("Nazwa"), Edit1},
             {QStringLiteral("Stawka PTU"), ComboBox1},
             {QStringLiteral("Cena"), Edit2},
             {QStringLiteral("Kod kreskowy"), Edit3},
             {QStringLiteral("Numer grupy towarowej"), ComboBox2},
             {QStringLiteral("Sprzedaż w tandemie"), ComboBox3},
             {QStringLiteral("Indeks tablicy HALO"), ComboBox4}}) {
        grid->addWidget(Caption(caption, field), row, 0);
        grid->addWidget(field, row++, 1);
    }
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Cena sztywna"), this), "CheckBox1");
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Sprzedaż na sztuki"), this), "CheckBox2");
    grid->addWidget(CheckBox1, row, 0);
    grid->addWidget(CheckBox2, row++, 1);
    Button1 = Named(new QPushButton(QStringLiteral("Zapisz"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    grid->addLayout(ButtonRow({Button1, Button2}), row, 0, 1, 2);
    connect(Button1, &QPushButton::clicked, this, &TEdycjaTowaru::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TEdycjaTowaru::Edit(int number) {
    Label9->setText(QString::number(number));
    ShowModal();
}

void TEdycjaTowaru::FormShow() {
    ComboBox2->clear();
    ComboBox2->addItems(GroupEntries(s_.image, QStringLiteral(" ")));
    ComboBox3->clear();
    ComboBox3->addItem(QStringLiteral("brak"));
    ComboBox3->addItems(PackagingEntries(s_.image, QStringLiteral(" ")));
    const GoodsFields g = ReadGoodsRecord(s_.image, int(ParseInteger(Label9->text()).value_or(0)));
    Edit1->setText(g.name);
    if (g.vat >= 'A' && g.vat <= 'G') ComboBox1->setCurrentIndex(g.vat - 'A');
    Edit2->setText(FormatHundredths(g.price));
    Edit3->setText(g.barcode);
    ComboBox2->setCurrentIndex(g.group - 1);
    ComboBox3->setCurrentIndex(g.packaging);
    ComboBox4->setCurrentIndex(g.halo);
    CheckBox1->setChecked(g.fixedPrice != 0);
    CheckBox2->setChecked(g.byPieces != 0);
    Button1->setFocus();
}

bool TEdycjaTowaru::FormKeyDown(int key) {
    if (key == Qt::Key_Return) {
        Button1->click();
        return true;
    }
    return TForm::FormKeyDown(key);
}

void TEdycjaTowaru::Button1Click() {
    TProgramowanieTowarow* e = editor_;
    // Shown, the editor would have filled its lists; hidden, it fills them now.
    if (!e->isVisible()) e->FillLists();
    e->Edit4->setText(Label9->text());
    e->Edit5->setText(Edit1->text());
    e->Edit1->setText(Edit2->text());
    e->Edit2->setText(Edit3->text());
    e->ComboBox1->setCurrentIndex(ComboBox1->currentIndex());
    e->ComboBox2->setCurrentIndex(ComboBox2->currentIndex());
    e->NumerOpakowania->setCurrentIndex(ComboBox3->currentIndex());
    e->ComboBox3->setCurrentIndex(ComboBox4->currentIndex());
    e->CheckBox2->setChecked(CheckBox1->isChecked());
    e->CheckBox3->setChecked(CheckBox2->isChecked());
    // The unit the dialog does not show stays as the record has it.
    const int number = int(ParseInteger(Label9->text()).value_or(0));
    e->ComboBox4->setCurrentIndex(ReadGoodsRecord(s_.image, number).unit);
    // A refused value keeps the dialog open with the user's edits.
    if (!e->AddGoodsRecord()) return;
    s_.app.databaseModified = true;
    close();
}

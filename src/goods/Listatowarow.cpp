#include "goods/Listatowarow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/numbers.h"
#include "goods/goodstable.h"
#include "image/imagestore.h"

TListaTowarow::TListaTowarow(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TListaTowarow"));
    setWindowTitle(QStringLiteral("Lista towarów"));
    resize(1028, 429);
    auto* layout = new QVBoxLayout(this);
    static const QStringList columns = {"Nr", "Nazwa", "VAT", "Cena", "Kod kreskowy",
                                        "Grupa", "Tandem", "Cena sztywna", "Ilość całkowita"};
    static const int widths[] = {43, 342, 45, 106, 138, 71, 74, 67, 77};
    StringGrid1 = Named(new QTableWidget(0, columns.size(), this), "StringGrid1");
    StringGrid1->setHorizontalHeaderLabels(columns);
    const QFontMetrics fm(StringGrid1->font());
    for (int c = 0; c < columns.size(); ++c)
        StringGrid1->setColumnWidth(c, qMax(widths[c], fm.horizontalAdvance(columns[c]) + 16));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setAccessibleName(QStringLiteral("Lista towarów"));
    layout->addWidget(StringGrid1, 1);
    Button1 = Named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Zamknij"), this), "Button2");
    layout->addLayout(ButtonRow({Button1, Button2}));
    connect(Button1, &QPushButton::clicked, this, &TListaTowarow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TListaTowarow::Button1Click);
}

void TListaTowarow::FormShow() {
    if (!s_.app.DatabaseLoaded()) return;  // the grid keeps what it showed
    const QList<int> goods = OccupiedGoods(s_.image);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(goods.size());
    for (int row = 0; row < goods.size(); ++row) {
        const GoodsFields g = ReadGoodsRecord(s_.image, goods[row]);
        const QStringList cells = {QString::number(goods[row]), g.name, QString(QLatin1Char(g.vat)),
                                   FormatHundredths(g.price), g.barcode, QString::number(g.group),
                                   QString::number(g.packaging), g.fixedPrice ? "Tak" : "Nie",
                                   g.byPieces ? "Tak" : "Nie"};
        for (int c = 0; c < cells.size(); ++c) StringGrid1->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    if (!goods.isEmpty()) StringGrid1->selectRow(0);
}

bool TListaTowarow::FormKeyDown(int key) {
    if (key == Qt::Key_Return) {
        Button1Click();
        return true;
    }
    return TForm::FormKeyDown(key);
}

void TListaTowarow::Button1Click() {
    const int row = StringGrid1->currentRow();
    const QTableWidgetItem* item = row >= 0 ? StringGrid1->item(row, 0) : nullptr;
    if (item && onChosen) onChosen(int(ParseInteger(item->text()).value_or(0)));
    close();
}

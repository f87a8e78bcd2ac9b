#pragma once
// The goods table as the goods windows show it.
#include <QString>
#include <QStringList>
#include <optional>

class WorkImage;

// The normalised name used to find duplicates: Polish lower-case letters raised,
// everything but \ / . , digits and letters dropped, upper-cased; 42 characters
// of the name at most.
QString GoodsNameKey(const QString& name);

// Price typed by the user: "." read as ","; grosz = floor(value * 100 + 0,001).
std::optional<qint64> ParsePrice(const QString& text);

// The goods editor's grid row of a non-empty slot: Nr, Nazwa, VAT, Cena, Kod
// kreskowy, Grupa, Tandem, Cena sztywna, Sprz. na sztuki, HALO, Jedn.
QStringList GoodsGridRow(WorkImage& image, int number);
// Occupied goods numbers in slot order.
QList<int> OccupiedGoods(WorkImage& image);
// The first free slot above `current`, or 0 when none is free up to 2000.
int NextFreeGoodsNumber(WorkImage& image, int current);

// "n. " + name: group or packaging list entries; the number alone for an empty slot.
QStringList GroupEntries(WorkImage& image, const QString& separator);
QStringList PackagingEntries(WorkImage& image, const QString& separator);
// "n name" for cashiers 1-10; the number alone for an empty slot.
QStringList CashierEntries(WorkImage& image);

// The goods grid's rows (GoodsGridRow) in the order of one column: the number
// and the price by value, the name in Polish order, the others as text.
void SortGoodsRows(QList<QStringList>& rows, int column, bool descending);
// A row the finder keeps: its number begins with the text, or its name or
// barcode holds it (any case). An empty text keeps every row.
bool GoodsRowMatches(const QStringList& row, const QString& text);

// The goods lists of the barcode sheet and the quick-key board, one line per
// goods in slot order: "   7. " + name cut or filled to 20 + " " + price right
// in 10 + " " + VAT letter, with the goods number it stands for.
struct GoodsChoice {
    int number;
    QString line;
};
QList<GoodsChoice> GoodsChoiceLines(WorkImage& image);

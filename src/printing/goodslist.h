#pragma once
// The list printouts: ruled columns for the goods editor, one text line
// per goods for the synchronization window.
#include <QStringList>

#include "printing/pagemodel.h"

struct GoodsListRow {
    QString plu, name, price, vat, kind, barcode;
};

// The goods list of the goods editor: ruled columns PLU, Nazwa, Cena, PTU, Rodzaj
// ceny, Kod kreskowy, "Strona: p/N" under each page.
QList<PrintPage> LayoutGoodsList(const QList<GoodsListRow>& rows, const PageMetrics& m);

// The goods list of the goods synchronization: one text line per goods.
QList<PrintPage> LayoutGoodsLines(const QStringList& lines, const PageMetrics& m);

// A plain printout of text lines in the list font: the first line is the title
// (bold), then the lines top to bottom, "Strona: p/N" under each page. For
// what is not a goods table (the sales history, the service record).
QList<PrintPage> LayoutTextLines(const QStringList& lines, const PageMetrics& m);

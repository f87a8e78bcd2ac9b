#pragma once
// The barcode sheet: for each chosen goods its barcode field as a Code 128 symbol
// of the chosen height, the field's characters and the goods name centred below.
#include <QByteArray>
#include <QList>
#include <QString>

#include "printing/pagemodel.h"

struct BarcodeItem {
    QByteArray barcode;  // the 13 characters of the field
    QString name;
};

// The font of both texts under a symbol.
PrintFont BarcodeTextFont();
double DotsPerMm(const PageMetrics& m);
// The pages, rows of barHeightMm + 15 mm; a new page only while goods remain.
QList<PrintPage> LayoutBarcodeSheet(const QList<BarcodeItem>& items, int barHeightMm, const PageMetrics& m);

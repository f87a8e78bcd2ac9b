// Times the image store: converting every price of a full image and reading the
// whole goods table record by record.
#include <QCoreApplication>
#include <QTemporaryDir>

#include "benchstats.h"
#include "image/imagestore.h"
#include "image/workimage.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("TEMP", QFile::encodeName(dir.path()));
    WorkImage image;
    CreateDatabaseImage(image, 1, QStringLiteral("PLN"));
    for (int n = 1; n <= 2000; ++n) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Towar %1").arg(n);
        g.price = 100 + n;
        g.barcode = QString::number(5900000000000LL + n);
        WriteGoodsRecord(image, g);
    }
    // Rates that multiply to 1 keep the prices from growing run after run.
    bool up = true;
    Report("ConvertImagePrices, full image", Measure(20, [&] {
               ConvertImagePrices(image, up ? 1.25 : 0.8);
               up = !up;
           }));
    qint64 sum = 0;
    Report("read 2000 goods records", Measure(20, [&] {
               for (int n = 1; n <= 2000; ++n) sum += ReadGoodsRecord(image, n).price;
           }));
    Report("new working image", Measure(20, [&] { CreateDatabaseImage(image, 1, QStringLiteral("PLN")); }));
    return sum == 42 ? 1 : 0;
}

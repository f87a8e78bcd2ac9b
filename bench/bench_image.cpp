// Times the image store: converting every price of a full image and reading the
// whole goods table record by record.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

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
    QElapsedTimer t;
    t.start();
    ConvertImagePrices(image, 1.25);
    const double convertMs = t.nsecsElapsed() / 1e6;
    t.restart();
    qint64 sum = 0;
    for (int n = 1; n <= 2000; ++n) sum += ReadGoodsRecord(image, n).price;
    const double readMs = t.nsecsElapsed() / 1e6;
    std::printf("ConvertImagePrices (2000 goods, 20 discounts, 20 currencies, 20 packagings): %.2f ms\n",
                convertMs);
    std::printf("Read all 2000 goods records: %.2f ms (checksum %lld)\n", readMs, (long long)sum);
    return 0;
}

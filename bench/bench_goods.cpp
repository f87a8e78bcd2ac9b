// Rebuild times of the 2000-row goods grid (with finding and sorting) and of
// both 2000-row lists of the goods synchronization, in shown windows.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "benchstats.h"

#include "common/Qtprompts.h"
#include "common/appstate.h"
#include "common/clock.h"
#include "goods/Edycjatowaru.h"
#include "goods/Programowanietowarow.h"
#include "image/imagestore.h"
#include "image/workimage.h"
#include "link/registerlink.h"
#include "reports/Sciaganiesprzedazy.h"
#include "simstate.h"
#include "sync/Synchtow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("TEMP", QFile::encodeName(dir.path()));
    QtPrompts prompts;
    SystemClock clock;
    WorkImage image;
    RegisterLink link(prompts, clock);
    AppState state;
    Services s{image, link, state, prompts, clock};
    CreateDatabaseImage(image, 1, QStringLiteral("PLN"));
    state.workMode = ModeOffline;
    for (int n = 1; n <= 2000; ++n) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Towar numer %1").arg(n);
        g.price = uint32_t(100 + n);
        g.barcode = QString::number(5900000000000LL + n);
        WriteGoodsRecord(image, g);
    }
    TProgramowanieTowarow goods(s);
    TEdycjaTowaru edit(s, &goods);
    TSynchronizacjaBazyTowarowej sync(s, &edit);
    for (int n = 1; n <= 2000; ++n)
        sync.mirror.Store(RegisterGoods(n, QStringLiteral("Towar numer %1").arg(n), 'A', 100 + n,
                                        QString::number(5900000000000LL + n), 1, 10000, 100));
    // Shown windows: each figure includes the layout and the paint that follow.
    goods.show();
    sync.show();
    QApplication::processEvents();
    auto shown = [](QWidget* window, const std::function<void()>& f) {
        return [window, f] {
            f();
            QApplication::processEvents();
            window->repaint();
        };
    };
    Report("goods editor grid, 2000 rows", Measure(10, shown(&goods, [&] { goods.RebuildGoodsGrid(); })));
    // Finding as the user types, and sorting by a heading click (names in Polish order).
    int letter = 0;
    Report("goods editor: find as you type, 2000 rows", Measure(10, shown(&goods, [&] {
               goods.Edit6->setText(QStringLiteral("numer 1%1").arg(letter++ % 10));
           })));
    goods.Edit6->clear();
    int column = 0;
    Report("goods editor: sort by a heading click, 2000 rows", Measure(10, shown(&goods, [&] {
               goods.StringGrid1->horizontalHeader()->sectionClicked(column++ % 2 ? 1 : 3);
           })));
    Report("synchronization PC list, 2000 rows", Measure(10, shown(&sync, [&] { sync.RebuildPcList(); })));
    Report("synchronization register list, 2000 rows",
           Measure(10, shown(&sync, [&] { sync.RebuildRegisterList(); })));
    TSciaganieSprzedazy sales(s);
    for (int n = 1; n <= 2000; ++n) {
        const QByteArray g = RegisterGoods(n, QStringLiteral("Towar numer %1").arg(n), 'A', 100 + n,
                                           QString::number(5900000000000LL + n), 1, 10000 * n, 100 * n);
        sales.table.Store(g.left(45) + g.mid(49, 8));
    }
    sales.show();
    Report("sales list, 2000 rows", Measure(10, shown(&sales, [&] { sales.RebuildList(); })));
    return 0;
}

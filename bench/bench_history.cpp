// The sales history with a year of evening downloads of 2000 goods: storing one
// download, the sums of a one-year period over its 365 downloads, and the
// history window's first paint with that year loaded. `--screenshot FILE` also
// saves the window (each tab) as PNG files for a look.
#include <QApplication>
#include <QDateEdit>
#include <QRadioButton>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/text.h"
#include "history/Historiasprzedazy.h"
#include "history/saleshistory.h"
#include "image/workimage.h"
#include "link/registerlink.h"
#include "benchlink.h"
#include "reports/sales.h"
#include "common/services.h"

namespace {

QByteArray SalesRecord(int number, uint32_t quantity, uint32_t value) {
    QByteArray r(sales::kRecordSize, '\0');
    r[0] = char(number & 0xFF);
    r[1] = char(number >> 8);
    const QByteArray name = ToCp1250(QStringLiteral("Towar numer %1").arg(number));
    r.replace(sales::kName, name.size(), name);
    r[sales::kVat] = 'A' + char(number % 4);
    for (int i = 0; i < 4; ++i) {
        r[sales::kQuantity + i] = char(quantity >> (8 * i));
        r[sales::kValue + i] = char(value >> (8 * i));
    }
    return r;
}

// An evening's download: every goods, sales varying by goods, weekday and season.
SalesDownload Evening(const QDate& day) {
    SalesDownload d;
    d.takenAt = QDateTime(day, QTime(20, 0));
    d.registerUnique = QStringLiteral("ZTV000123456");
    d.registerNumber = 1;
    for (int n = 1; n <= 2000; ++n) {
        const int seasonal = 10 + (day.dayOfYear() * 7 + n * 13) % 30 + (day.dayOfWeek() >= 6 ? 15 : 0);
        uint32_t pieces = (n % 9 == 0) ? 0 : uint32_t(seasonal * (1 + (2000 - n) / 400));
        // No two evenings alike (the history keeps equal counters once).
        if (n == 1) pieces = uint32_t(day.toJulianDay() % 1000);
        d.records << SalesRecord(n, pieces * 10000, pieces * uint32_t(99 + n % 700));
        d.groups.insert(n, 1 + n % 20);
    }
    return d;
}

class Ms {
public:
    Ms() { t_.start(); }
    double Elapsed() const { return t_.nsecsElapsed() / 1e6; }

private:
    QElapsedTimer t_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int shot = app.arguments().indexOf(QStringLiteral("--screenshot"));
    QTemporaryDir dir;
    const HistoryLocation where{dir.filePath(QStringLiteral("historia.sqlite")), {}};
    if (const int keep = app.arguments().indexOf(QStringLiteral("--keep")); keep > 0) dir.setAutoRemove(false);
    const QDate last(2026, 12, 10);
    QList<double> stores;
    {
        SalesHistory h(where);
        if (!h.Open()) {
            std::fprintf(stderr, "%s\n", qPrintable(h.Error()));
            return 1;
        }
        for (int i = 364; i >= 0; --i) {
            const SalesDownload d = Evening(last.addDays(-i));
            const Ms t;
            if (h.Store(d) != StoreResult::Stored) {
                std::fprintf(stderr, "%s\n", qPrintable(h.Error()));
                return 1;
            }
            stores << t.Elapsed();
        }
        std::sort(stores.begin(), stores.end());
        std::printf("history: storing one 2000-goods download (SQLite, ms)\t%.1f\t%.1f\t%.1f\t365 downloads\n",
                    stores.first(), stores[stores.size() / 2], stores.last());
        QList<double> sums;
        for (int i = 0; i < 5; ++i) {
            const Ms t;
            const QList<GoodsSum> s = h.Sums({last.addDays(-364), last, {}});
            sums << t.Elapsed();
            if (s.size() != 2000 - 2000 / 9) std::fprintf(stderr, "unexpected: %d goods\n", int(s.size()));
        }
        std::sort(sums.begin(), sums.end());
        std::printf("history: one-year period sum over 365 downloads (ms)\t%.1f\t%.1f\t%.1f\tfive runs\n", sums.first(),
                    sums[2], sums.last());
        if (!dir.autoRemove()) std::fprintf(stderr, "kept %s\n", qPrintable(where.sqliteFile));
    }

    SilentPrompts prompts;
    SystemClock clock;
    RegisterLink link(prompts, clock);
    WorkImage image;
    AppState state;
    state.historyDirectory = dir.path();
    Services services{image, link, state, prompts, clock};
    THistoriaSprzedazy window(services);
    window.DateEdit1->setDate(last.addDays(-364));
    window.DateEdit2->setDate(last);
    window.RadioButton2->setChecked(true);
    const Ms t;
    window.show();
    window.repaint();
    QApplication::processEvents();
    std::printf("history window: first paint with a year loaded (ms)\t%.1f\t%.1f\t%.1f\tmonthly chart\n", t.Elapsed(),
                t.Elapsed(), t.Elapsed());
    if (shot > 0) {
        const QString base = app.arguments().value(shot + 1, QStringLiteral("historia"));
        window.resize(1200, 720);
        for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
            window.PageControl1->setCurrentIndex(tab);
            QApplication::processEvents();
            window.grab().save(QStringLiteral("%1-%2.png").arg(base).arg(tab));
        }
    }
    return 0;
}

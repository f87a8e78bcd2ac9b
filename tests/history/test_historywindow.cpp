// The sales history window through its named controls, on an SQLite history
// filled with a few evenings of two registers.
#include <QtTest>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDateEdit>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "common/text.h"
#include "history/Historiasprzedazy.h"
#include "history/saleshistory.h"
#include "reports/sales.h"
#include "support/testsupport.h"

namespace {

QByteArray SalesRecord(int number, const QString& name, uint32_t quantity, uint32_t value) {
    QByteArray r(sales::kRecordSize, '\0');
    r[0] = char(number & 0xFF);
    r[1] = char(number >> 8);
    r.replace(sales::kName, ToCp1250(name).size(), ToCp1250(name));
    r[sales::kVat] = 'A';
    for (int i = 0; i < 4; ++i) {
        r[sales::kQuantity + i] = char(quantity >> (8 * i));
        r[sales::kValue + i] = char(value >> (8 * i));
    }
    return r;
}

void Store(const QString& file, const QString& unique, const QDateTime& at, const QList<QByteArray>& records) {
    SalesHistory h(HistoryLocation{file, {}});
    QVERIFY(h.Open());
    SalesDownload d;
    d.takenAt = at;
    d.registerUnique = unique;
    d.registerNumber = unique == QLatin1String("R2") ? 2 : 1;
    d.records = records;
    d.groups.insert(1, 1);
    QCOMPARE(h.Store(d), StoreResult::Stored);
}

QList<qreal> Values(const QAbstractBarSeries* series) {
    QList<qreal> out;
    const QBarSet* set = series->barSets().value(0);
    for (int i = 0; set && i < set->count(); ++i) out << set->at(i);
    return out;
}

}  // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void periodSumsFilterAndCharts();
    void exportAndPrintWhatIsShown();

private:
    TestServices* t_ = nullptr;
    THistoriaSprzedazy* w_ = nullptr;
};

void TestHistoryWindow::init() {
    t_ = new TestServices;
    t_->clock.start = QDateTime(QDate(2026, 12, 10), QTime(12, 0));
    const QString file = t_->work.filePath(QStringLiteral("historia.sqlite"));
    Store(file, QStringLiteral("R1"), QDateTime(QDate(2026, 12, 1), QTime(20, 0)),
          {SalesRecord(1, QStringLiteral("Chleb"), 20000, 398), SalesRecord(2, QStringLiteral("Mleko"), 10000, 473)});
    Store(file, QStringLiteral("R1"), QDateTime(QDate(2026, 12, 2), QTime(20, 0)),
          {SalesRecord(1, QStringLiteral("Chleb"), 10000, 199), SalesRecord(3, QStringLiteral("Żurek"), 0, 0)});
    Store(file, QStringLiteral("R2"), QDateTime(QDate(2026, 12, 2), QTime(21, 0)),
          {SalesRecord(3, QStringLiteral("Żurek"), 50000, 2495)});
    Store(file, QStringLiteral("R1"), QDateTime(QDate(2026, 11, 30), QTime(20, 0)),
          {SalesRecord(2, QStringLiteral("Mleko"), 10000, 473)});
    w_ = new THistoriaSprzedazy(t_->services);
    w_->show();
}

void TestHistoryWindow::cleanup() {
    delete w_;
    delete t_;
}

void TestHistoryWindow::periodSumsFilterAndCharts() {
    // Shown for this month at once, both registers ticked.
    QCOMPARE(w_->DateEdit1->date(), QDate(2026, 12, 1));
    QCOMPARE(w_->DateEdit2->date(), QDate(2026, 12, 10));
    QCOMPARE(w_->CheckListBox1->count(), 2);
    QCOMPARE(w_->CheckListBox1->item(1)->text(), QStringLiteral("R2 (kasa nr 2)"));
    QCOMPARE(w_->Grid1->rowCount(), 3);
    auto row = [&](int r) {
        QStringList cells;
        for (int c = 0; c < 6; ++c) cells << w_->Grid1->item(r, c)->text();
        return cells.join(QLatin1Char('|'));
    };
    QCOMPARE(row(0), QStringLiteral("1|Chleb|1|A|3,0000|5,97"));
    QCOMPARE(row(1), QStringLiteral("2|Mleko||A|1,0000|4,73"));
    QCOMPARE(row(2), QStringLiteral("3|Żurek||A|5,0000|24,95"));
    QCOMPARE(w_->Label1->text(), QStringLiteral("Towarów sprzedanych: 3, wartość sprzedaży: 35,65 zł"));
    // Sorted by value, the highest first.
    w_->Grid1->sortItems(5, Qt::DescendingOrder);
    QCOMPARE(w_->Grid1->item(0, 0)->text(), QStringLiteral("3"));
    QCOMPARE(w_->Grid1->item(2, 0)->text(), QStringLiteral("2"));
    // The charts: a bar per day, the top goods with the best at the top.
    QCOMPARE(Values(w_->TotalsSeries()), (QList<qreal>{8.71, 26.94}));
    QCOMPARE(Values(w_->TopSeries()), (QList<qreal>{4.73, 5.97, 24.95}));
    QVERIFY(w_->Chart1->accessibleDescription().contains(QStringLiteral("02.12: 26,94 zł")));
    QCOMPARE(w_->ListBox1->count(), 0);

    // One register, and a period from the 2nd: goods 2 did not sell.
    w_->CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
    w_->DateEdit1->setDate(QDate(2026, 12, 2));
    w_->Button1->click();
    QCOMPARE(w_->Grid1->rowCount(), 1);
    QCOMPARE(row(0), QStringLiteral("1|Chleb|1|A|1,0000|1,99"));
    QCOMPARE(w_->ListBox1->count(), 2);
    QCOMPARE(w_->ListBox1->item(0)->text(), QStringLiteral("2. Mleko"));
    QCOMPARE(w_->ListBox1->item(1)->text(), QStringLiteral("3. Żurek"));

    // Monthly, both registers, from November.
    w_->CheckListBox1->item(1)->setCheckState(Qt::Checked);
    w_->DateEdit1->setDate(QDate(2026, 11, 1));
    w_->RadioButton2->setChecked(true);
    w_->Button1->click();
    QCOMPARE(Values(w_->TotalsSeries()), (QList<qreal>{4.73, 35.65}));

    // The filter finds by name or number.
    w_->Edit1->setText(QStringLiteral("mle"));
    QCOMPARE(w_->ShownRows().size(), 1);
    QCOMPARE(w_->ShownRows()[0].number, 2);
    w_->Edit1->setText(QStringLiteral("3"));
    QCOMPARE(w_->ShownRows().size(), 1);
    QCOMPARE(w_->ShownRows()[0].name, QStringLiteral("Żurek"));
}

void TestHistoryWindow::exportAndPrintWhatIsShown() {
    w_->Edit1->setText(QStringLiteral("u"));  // Żurek only ("Chleb" and "Mleko" have no u)
    const QString csv = t_->work.filePath(QStringLiteral("historia.csv"));
    t_->prompts.fileNames = {csv};
    w_->Button2->click();
    QCOMPARE(ReadFileBytes(csv), ToCp1250(QStringLiteral("Numer;Nazwa;Grupa;PTU;Ilość;Wartość;\n3;Żurek;;A;5,0000;24,95\n")));
    w_->Edit1->clear();
    const QString pdf = t_->work.filePath(QStringLiteral("historia.pdf"));
    t_->prompts.printerSetup = [&](QPrinter* p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return true;
    };
    w_->Button3->click();
    QCOMPARE(PdfPages(pdf), 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printed.contains(QStringLiteral("Historia sprzedaży 2026-12-01 - 2026-12-10")), qPrintable(printed));
    QVERIFY(printed.contains(QStringLiteral("Razem: 35,65 zł")));
    QVERIFY(!printed.contains(QStringLiteral("BAZA TOWAROWA")));  // not under a goods-table heading
}

QTEST_MAIN(TestHistoryWindow)
#include "test_historywindow.moc"

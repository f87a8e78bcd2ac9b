#include "history/Historiasprzedazy.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "printing/Printer.h"
#include "printing/goodslist.h"

namespace {

// A cell that sorts by its number, not its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString& text, qint64 value) : QTableWidgetItem(text) {
        setData(Qt::UserRole, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toLongLong() < other.data(Qt::UserRole).toLongLong();
    }
};

constexpr int kIndexRole = Qt::UserRole + 1;
constexpr int kTopGoods = 10;

QString Zl(qint64 grosz) { return FormatHundredths(grosz) + QStringLiteral(" zł"); }

}  // namespace

THistoriaSprzedazy::THistoriaSprzedazy(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("THistoriaSprzedazy"));
    setWindowTitle(QStringLiteral("Historia sprzedaży"));
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    outer->addLayout(top);
    auto* period = new QGroupBox(QStringLiteral("Okres"), this);
    auto* periodRow = new QHBoxLayout(period);
    DateEdit1 = Named(new QDateEdit(period), "DateEdit1");
    DateEdit2 = Named(new QDateEdit(period), "DateEdit2");
    for (QDateEdit* d : {DateEdit1, DateEdit2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    periodRow->addWidget(Caption(QStringLiteral("Od"), DateEdit1));
    periodRow->addWidget(DateEdit1);
    periodRow->addWidget(Caption(QStringLiteral("Do"), DateEdit2));
    periodRow->addWidget(DateEdit2);
    top->addWidget(period);

    auto* registers = new QGroupBox(QStringLiteral("Kasy"), this);
    auto* registersRow = new QVBoxLayout(registers);
    CheckListBox1 = Named(new QListWidget(registers), "CheckListBox1");
    CheckListBox1->setAccessibleName(QStringLiteral("Kasy"));
    CheckListBox1->setMaximumHeight(72);
    registersRow->addWidget(CheckListBox1);
    top->addWidget(registers, 1);

    auto* chartKind = new QGroupBox(QStringLiteral("Wykres"), this);
    auto* chartRow = new QVBoxLayout(chartKind);
    RadioButton1 = Named(new QRadioButton(QStringLiteral("Dziennie"), chartKind), "RadioButton1");
    RadioButton2 = Named(new QRadioButton(QStringLiteral("Miesięcznie"), chartKind), "RadioButton2");
    RadioButton1->setChecked(true);
    chartRow->addWidget(RadioButton1);
    chartRow->addWidget(RadioButton2);
    top->addWidget(chartKind);
    Button1 = Named(new QPushButton(QStringLiteral("&Pokaż"), this), "Button1");
    top->addWidget(Button1, 0, Qt::AlignBottom);

    auto* filterRow = new QHBoxLayout;
    outer->addLayout(filterRow);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit1->setPlaceholderText(QStringLiteral("numer lub nazwa"));
    filterRow->addWidget(Caption(QStringLiteral("Szukaj:"), Edit1));
    filterRow->addWidget(Edit1, 1);

    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    outer->addWidget(PageControl1, 1);
    Grid1 = Named(new QTableWidget(0, 6, PageControl1), "Grid1");
    Grid1->setHorizontalHeaderLabels({QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Grupa"),
                                      QStringLiteral("PTU"), QStringLiteral("Ilość"), QStringLiteral("Wartość")});
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->verticalHeader()->hide();
    Grid1->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);  // by number until a heading is clicked
    Grid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    Grid1->setAccessibleName(QStringLiteral("Sprzedaż towarów w okresie"));
    PageControl1->addTab(Grid1, QStringLiteral("Towary"));
    auto chartView = [this](const char* name, const QString& title) {
        auto* view = Named(new QChartView(new QChart, PageControl1), name);
        view->setRenderHint(QPainter::Antialiasing);
        view->chart()->setTitle(title);
        view->chart()->legend()->hide();
        view->setAccessibleName(title);
        return view;
    };
    Chart1 = chartView("Chart1", QStringLiteral("Wartość sprzedaży"));
    PageControl1->addTab(Chart1, QStringLiteral("Sprzedaż w czasie"));
    Chart2 = chartView("Chart2", QStringLiteral("Najlepiej sprzedające się towary"));
    PageControl1->addTab(Chart2, QStringLiteral("Najlepsze towary"));
    ListBox1 = Named(new QListWidget(PageControl1), "ListBox1");
    ListBox1->setAccessibleName(QStringLiteral("Towary niesprzedane w okresie"));
    PageControl1->addTab(ListBox1, QStringLiteral("Niesprzedane"));

    Label1 = Named(new QLabel(this), "Label1");
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(Label1);
    Button2 = Named(new QPushButton(QStringLiteral("&Eksport do CSV"), this), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("&Drukuj"), this), "Button3");
    Button4 = Named(new QPushButton(QStringLiteral("&Zamknij"), this), "Button4");
    outer->addLayout(ButtonRow({Button2, Button3, Button4}));
    EnterPresses(Button1);

    connect(Button1, &QPushButton::clicked, this, &THistoriaSprzedazy::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &THistoriaSprzedazy::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &THistoriaSprzedazy::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &QWidget::close);
    connect(Edit1, &QLineEdit::textChanged, this, &THistoriaSprzedazy::Filter);
    connect(RadioButton1, &QRadioButton::toggled, this, &THistoriaSprzedazy::Button1Click);

    // This month so far.
    const QDate today = s_.clock.Now().date();
    DateEdit1->setDate(QDate(today.year(), today.month(), 1));
    DateEdit2->setDate(today);
    resize(1000, 640);
}

void THistoriaSprzedazy::FormShow() { Button1Click(); }

HistoryQuery THistoriaSprzedazy::Query() const {
    HistoryQuery q{DateEdit1->date(), DateEdit2->date(), {}};
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            q.registers << CheckListBox1->item(i)->data(Qt::UserRole).toString();
    // None ticked means none, not all.
    if (q.registers.isEmpty() && CheckListBox1->count() > 0) q.registers << QString();
    return q;
}

void THistoriaSprzedazy::LoadRegisters(SalesHistory& history) {
    // Registers new to the list come ticked; the user's ticks stay.
    QHash<QString, bool> ticked;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        ticked.insert(CheckListBox1->item(i)->data(Qt::UserRole).toString(),
                      CheckListBox1->item(i)->checkState() == Qt::Checked);
    CheckListBox1->clear();
    for (const RegisterKey& r : history.Registers()) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 (kasa nr %2)").arg(r.unique).arg(r.number), CheckListBox1);
        item->setData(Qt::UserRole, r.unique);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.value(r.unique, true) ? Qt::Checked : Qt::Unchecked);
    }
}

void THistoriaSprzedazy::Button1Click() {
    const HistoryLocation where = DefaultHistoryLocation(s_.app.HistoryDirectory());
    SalesHistory history(where);
    if (!history.Open()) {
        s_.prompts.Message(QStringLiteral("Nie można otworzyć historii sprzedaży (") + where.Describe() +
                           QStringLiteral("): ") + history.Error().trimmed());
        return;
    }
    const QSignalBlocker block(CheckListBox1);
    LoadRegisters(history);
    const HistoryQuery q = Query();
    sums_ = history.Sums(q);
    const bool monthly = RadioButton2->isChecked();
    const QList<PeriodTotal> totals = history.Totals(q, monthly);
    const QList<GoodsSum> unsold = history.Unsold(q, sums_);

    Grid1->setSortingEnabled(false);
    Grid1->setRowCount(int(sums_.size()));
    qint64 value = 0;
    for (int i = 0; i < sums_.size(); ++i) {
        const GoodsSum& g = sums_[i];
        value += g.value;
        auto* number = new NumberItem(QString::number(g.number), g.number);
        number->setData(kIndexRole, i);
        Grid1->setItem(i, 0, number);
        Grid1->setItem(i, 1, new QTableWidgetItem(g.name));
        Grid1->setItem(i, 2, new NumberItem(g.group ? QString::number(*g.group) : QString(), g.group.value_or(0)));
        Grid1->setItem(i, 3, new QTableWidgetItem(g.vat));
        Grid1->setItem(i, 4, new NumberItem(FormatQuantity(g.quantity), g.quantity));
        Grid1->setItem(i, 5, new NumberItem(FormatHundredths(g.value), g.value));
    }
    Grid1->setSortingEnabled(true);
    Grid1->resizeColumnToContents(0);
    Label1->setText(QStringLiteral("Towarów sprzedanych: %1, wartość sprzedaży: %2").arg(sums_.size()).arg(Zl(value)));

    // Value per day (a line over the days) or per month (a bar each).
    QChart* chart = Chart1->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* a : chart->axes()) {
        chart->removeAxis(a);
        delete a;  // the chart gives a removed axis back to its caller
    }
    totals_ = new QBarSeries;
    auto* set = new QBarSet(QStringLiteral("Wartość [zł]"));
    QStringList categories;
    QStringList spoken;
    for (const PeriodTotal& t : totals) {
        *set << t.value / 100.0;
        const QString label = monthly ? t.start.toString(QStringLiteral("MM.yyyy")) : t.start.toString(QStringLiteral("dd.MM"));
        categories << label;
        spoken << label + QStringLiteral(": ") + Zl(t.value);
    }
    totals_->append(set);
    chart->addSeries(totals_);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    // A year of days would print its labels over each other: every label is
    // still in the spoken description.
    x->setLabelsVisible(categories.size() <= 62);
    chart->addAxis(x, Qt::AlignBottom);
    totals_->attachAxis(x);
    auto* y = new QValueAxis;
    // The format is printf's (bytes, not text): the unit goes in the title.
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(QStringLiteral("zł"));
    chart->addAxis(y, Qt::AlignLeft);
    totals_->attachAxis(y);
    Chart1->setAccessibleDescription(spoken.join(QStringLiteral("; ")));

    // The top goods by value, the best at the top.
    chart = Chart2->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* a : chart->axes()) {
        chart->removeAxis(a);
        delete a;  // the chart gives a removed axis back to its caller
    }
    QList<GoodsSum> best = sums_;
    std::stable_sort(best.begin(), best.end(), [](const GoodsSum& a, const GoodsSum& b) { return a.value > b.value; });
    best = best.mid(0, kTopGoods);
    std::reverse(best.begin(), best.end());
    auto* bars = new QHorizontalBarSeries;
    top_ = bars;
    auto* topSet = new QBarSet(QStringLiteral("Wartość [zł]"));
    QStringList names;
    spoken.clear();
    for (const GoodsSum& g : best) {
        *topSet << g.value / 100.0;
        names << QStringLiteral("%1. %2").arg(g.number).arg(g.name);
        spoken.prepend(names.last() + QStringLiteral(": ") + Zl(g.value));
    }
    bars->append(topSet);
    chart->addSeries(bars);
    auto* goodsAxis = new QBarCategoryAxis;
    goodsAxis->append(names);
    chart->addAxis(goodsAxis, Qt::AlignLeft);
    bars->attachAxis(goodsAxis);
    auto* valueAxis = new QValueAxis;
    valueAxis->setLabelFormat(QStringLiteral("%.0f"));
    valueAxis->setTitleText(QStringLiteral("zł"));
    chart->addAxis(valueAxis, Qt::AlignBottom);
    bars->attachAxis(valueAxis);
    Chart2->setAccessibleDescription(spoken.join(QStringLiteral("; ")));

    ListBox1->clear();
    for (const GoodsSum& g : unsold) ListBox1->addItem(QStringLiteral("%1. %2").arg(g.number).arg(g.name));
    Filter();
}

void THistoriaSprzedazy::Filter() {
    const QString text = Edit1->text().trimmed();
    for (int r = 0; r < Grid1->rowCount(); ++r) {
        const bool shown = text.isEmpty() || Grid1->item(r, 0)->text().startsWith(text) ||
                           Grid1->item(r, 1)->text().contains(text, Qt::CaseInsensitive);
        Grid1->setRowHidden(r, !shown);
    }
}

QList<GoodsSum> THistoriaSprzedazy::ShownRows() const {
    QList<GoodsSum> out;
    for (int r = 0; r < Grid1->rowCount(); ++r)
        if (!Grid1->isRowHidden(r)) out << sums_.value(Grid1->item(r, 0)->data(kIndexRole).toInt());
    return out;
}

void THistoriaSprzedazy::Button2Click() {
    SaveCsvFile(QStringLiteral("historia_%1_%2.csv")
                    .arg(DateEdit1->date().toString(Qt::ISODate), DateEdit2->date().toString(Qt::ISODate)),
                HistoryCsv(ShownRows()));
}

void THistoriaSprzedazy::Button3Click() {
    QStringList lines{QStringLiteral("Historia sprzedaży %1 - %2")
                          .arg(DateEdit1->date().toString(Qt::ISODate), DateEdit2->date().toString(Qt::ISODate)),
                      QString(),
                      QStringLiteral("%1 %2 %3 %4 %5 %6")
                          .arg(PadLeft(QStringLiteral("Numer"), 5), PadRight(QStringLiteral("Nazwa"), 42),
                               PadLeft(QStringLiteral("Gr."), 3), QStringLiteral("PTU"),
                               PadLeft(QStringLiteral("Ilość"), 12), PadLeft(QStringLiteral("Wartość"), 12))};
    qint64 value = 0;
    for (const GoodsSum& g : ShownRows()) {
        value += g.value;
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(PadLeft(QString::number(g.number), 5), FitRight(g.name, 42),
                          PadLeft(g.group ? QString::number(*g.group) : QString(), 3), PadRight(g.vat, 3),
                          PadLeft(FormatQuantity(g.quantity), 12), PadLeft(FormatHundredths(g.value), 12));
    }
    lines << QString() << QStringLiteral("Razem: ") + Zl(value);
    PrintListPages(s_.prompts, ListFont::Regular, [lines](const PageMetrics& m) { return LayoutTextLines(lines, m); });
}

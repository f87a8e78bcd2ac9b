#pragma once
// THistoriaSprzedazy: the sales history of a period for the registers chosen:
// the goods summed over it, the value per day or month as a chart, the top
// goods as a chart, the goods that did not sell; exported to CSV or printed.
#include <QList>

#include "common/Form.h"
#include "history/saleshistory.h"

class QChartView;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QAbstractBarSeries;
class QBarSeries;

class THistoriaSprzedazy : public TForm {
    Q_OBJECT
public:
    explicit THistoriaSprzedazy(Services& services, QWidget* parent = nullptr);

    QDateEdit* DateEdit1;          // "Od"
    QDateEdit* DateEdit2;          // "Do"
    QListWidget* CheckListBox1;    // the registers, ticked to include
    QRadioButton* RadioButton1;    // "Dziennie"
    QRadioButton* RadioButton2;    // "Miesięcznie"
    QPushButton* Button1;          // "Pokaż"
    QLineEdit* Edit1;              // the filter
    QTabWidget* PageControl1;
    QTableWidget* Grid1;           // the goods of the period
    QChartView* Chart1;            // value per day or month
    QChartView* Chart2;            // the top goods by value
    QListWidget* ListBox1;         // goods not sold
    QLabel* Label1;                // the period's totals
    QPushButton* Button2;          // "Eksport do CSV"
    QPushButton* Button3;          // "Drukuj"
    QPushButton* Button4;          // "Zamknij"

    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The goods rows as shown now: filtered and in the grid's order.
    QList<GoodsSum> ShownRows() const;
    // The bar series of each chart, for a reader of their values.
    QBarSeries* TotalsSeries() const { return totals_; }
    QAbstractBarSeries* TopSeries() const { return top_; }

protected:
    void FormShow() override;

private:
    HistoryQuery Query() const;
    void Filter();
    void LoadRegisters(SalesHistory& history);
    QList<GoodsSum> sums_;
    QBarSeries* totals_ = nullptr;
    QAbstractBarSeries* top_ = nullptr;
};

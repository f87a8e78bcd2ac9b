#pragma once
// TSciaganieSprzedazy: the register's sales per goods, listed, exported to CSV,
// and the register's sales counters cleared.
#include "common/Form.h"
#include "history/recordsales.h"
#include "reports/sales.h"

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

class TSciaganieSprzedazy : public TForm {
    Q_OBJECT
public:
    explicit TSciaganieSprzedazy(Services& services, QWidget* parent = nullptr);

    QPushButton* BitBtn1;  // download
    QCheckBox* CheckBox1;  // non-zero records only
    QPushButton* BitBtn2;  // clear the register's sales
    QPushButton* BitBtn4;  // export to CSV
    QPushButton* BitBtn3;  // close
    QListWidget* ListBox1;
    QFrame* Panel3;
    QLabel* Label27;
    QPushButton* Button3;  // cancel the download

    SalesTable table;

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void RebuildList();

protected:
    bool FormKeyDown(int key) override;

private:
    // What the list shows: nothing downloaded yet, a download cut short, or the
    // register's whole sales (the only state in which clearing them is allowed).
    enum class Shown { Nothing, Incomplete, Complete };
    Shown shown_ = Shown::Nothing;
    // Whether the download shown is kept in the sales history.
    RecordedSales recorded_;
};

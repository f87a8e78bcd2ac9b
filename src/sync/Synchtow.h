#pragma once
// TSynchronizacjaBazyTowarowej: the PC goods table beside the register's, with the
// register's sales counters; moves goods either way.
#include "common/Form.h"
#include "sync/goodsmirror.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class TEdycjaTowaru;

class TSynchronizacjaBazyTowarowej : public TForm {
    Q_OBJECT
public:
    TSynchronizacjaBazyTowarowej(Services& services, TEdycjaTowaru* editDialog, QWidget* parent = nullptr);

    QListWidget* CheckListBox1;  // PC
    QListWidget* CheckListBox2;  // register
    QPushButton* BitBtn6;        // read
    QPushButton* BitBtn2;        // send ticked PC goods
    QPushButton* BitBtnRozne;    // tick the PC goods the register lacks or holds differently
    QLabel* LabelRozne;
    QPushButton* BitBtn4;        // copy ticked register goods to the PC
    QPushButton* BitBtn8;        // delete ticked in the register
    QPushButton* BitBtn5;        // delete ticked on the PC
    QPushButton* Button4;        // verify barcodes
    QPushButton* Button7;        // mark unsold
    QLineEdit* Edit1;
    QPushButton* BitBtn11;  // tick by number
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QPushButton* BitBtn9;  // select all, PC
    QPushButton* BitBtn1;  // select all, register
    QPushButton* BitBtn3;  // edit
    QPushButton* BitBtn10;  // print menu
    QCheckBox* CheckBox1;
    QMenu* MenuWydruku;
    QAction* DrukujwedugnumerwPLU1;
    QAction* Drukujwedugnazw1;
    QProgressBar* ProgressBar1;
    QLabel* Label4;
    QProgressBar* ProgressBar2;
    QLabel* Label21;
    QFrame* Panel2;
    QLabel* Label24;
    QPushButton* Button1;
    QFrame* Panel3;
    QLabel* Label27;
    QLabel* Label28;
    QLabel* Label43;
    QLabel* Label44;
    QPushButton* Button2;
    QFrame* Panel5;
    QLabel* Label49;
    QLabel* Label50;
    QPushButton* Button3;
    // Details.
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Label32;
    QLabel* Label34;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label17;
    QLabel* Label46;
    QLabel* Label51;
    QLabel* Label52;
    QLabel* Label14;
    QLabel* Label42;
    QLabel* Label18;

    RegisterGoodsMirror mirror;
    uint8_t confirmFlag = 0;

    void ReadRegisterGoods();    // BitBtn6
    void SendTickedGoods();      // BitBtn2
    void CopyTickedToPc();       // BitBtn4
    void DeleteTickedOnPc();     // BitBtn5
    void DeleteTickedInRegister();  // BitBtn8
    void VerifyBarcodes();
    void TickDiffering();       // Button4
    void MarkUnsoldGoods();      // Button7
    void TickByNumber();         // BitBtn11
    void EditPcGoods();          // BitBtn3
    void RebuildPcList();
    void RebuildRegisterList();
    QStringList PrintLines(bool byName) const;
    void PrintGoods(bool byName);
    void OpenPrintMenu();  // collects the print lines first

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<TickedRow> TickedRows(QListWidget* list) const;
    void ShowPcDetails();
    void ShowRegisterDetails();
    void ClearDetails();
    void UpdateGauge(QProgressBar* bar, QLabel* label, int count);
    QFrame* ProgressPanel(const char* name, const QString& title, const QString& counterCaption,
                          QLabel*& counter, QPushButton*& cancel);

    TEdycjaTowaru* editDialog_;
    bool tickPc_ = true;
    bool tickRegister_ = true;
    QStringList printLines_;
};

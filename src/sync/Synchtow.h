#pragma once
// TSynchronizacjaBazyTowarowej: the goods as a member of the synchronization
// family, with the goods' own tools beside it: deleting on the PC, barcode
// verification, unsold goods, ticking by number, the printout, the memory gauges
// and the goods' details.
#include "sync/Synchtabeli.h"
#include "image/deletionundo.h"
#include "sync/goodsmirror.h"

class QLineEdit;
class QMenu;
class QProgressBar;
class TEdycjaTowaru;

class TSynchronizacjaBazyTowarowej : public TSynchronizacjaTabeli {
    Q_OBJECT
public:
    TSynchronizacjaBazyTowarowej(Services& services, TEdycjaTowaru* editDialog, QWidget* parent = nullptr);

    QPushButton* BitBtn5;        // delete ticked on the PC
    QPushButton* ButtonCofnij;   // takes back the last deletion on the PC
    QPushButton* Button4;        // verify barcodes
    QPushButton* Button7;        // mark unsold
    QLineEdit* Edit1;
    QPushButton* BitBtn11;  // tick by number
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QPushButton* BitBtn3;  // edit
    QPushButton* BitBtn10;  // print menu
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

    void ReadRegisterGoods() { BitBtn6Click(); }
    void SendTickedGoods() { BitBtn2Click(); }
    void CopyTickedToPc() { BitBtn4Click(); }
    void DeleteTickedInRegister() { BitBtn8Click(); }
    void DeleteTickedOnPc();     // BitBtn5
    void VerifyBarcodes();       // Button4
    void MarkUnsoldGoods();      // Button7
    void TickByNumber();         // BitBtn11
    void EditPcGoods();          // BitBtn3
    QStringList PrintLines(bool byName) const;
    void PrintGoods(bool byName);
    void OpenPrintMenu();  // collects the print lines first

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString PcRow(int n) override;
    QString RegisterRow(const QByteArray& record) override;
    QString RowSearchText(int number, bool registerSide) override;
    RunPanel PanelFor(Run run) override;
    void ListsChanged() override;
    void ShowPcDetails(const QByteArray& record) override;
    void ShowRegisterDetails(const QByteArray& record) override;
    void ClearDetails() override;

private:
    void UpdateGauge(QProgressBar* bar, QLabel* label, int count);
    QFrame* ProgressPanel(const char* name, const QString& title, const QString& counterCaption,
                          QLabel*& counter, QPushButton*& cancel);

    TEdycjaTowaru* editDialog_;
    DeletionUndo undo_;
    QStringList printLines_;
};

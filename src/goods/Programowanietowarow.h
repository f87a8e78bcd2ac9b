#pragma once
// TProgramowanieTowarow: the goods editor. Adds and changes goods records in the
// database image, searches and deletes them, sends one record to the register and
// reads the register's whole goods table.
#include "common/Form.h"
#include "image/deletionundo.h"
#include "printing/goodslist.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableWidget;
class TEdycjaTowaru;

class TProgramowanieTowarow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieTowarow(Services& services, QWidget* parent = nullptr);
    void SetEditDialog(TEdycjaTowaru* dialog) { editDialog_ = dialog; }

    QLineEdit* Edit4;  // number
    QLineEdit* Edit5;  // name
    QLineEdit* Edit1;  // price
    QLineEdit* Edit2;  // barcode
    QGroupBox* GroupBox1;
    QComboBox* ComboBox1;  // VAT letter
    QComboBox* ComboBox2;  // group
    QComboBox* NumerOpakowania;
    QCheckBox* CheckBox2;  // fixed price
    QCheckBox* CheckBox3;  // by pieces
    QComboBox* ComboBox3;  // HALO index
    QComboBox* ComboBox4;  // goods unit
    QLabel* Label8;
    QLabel* Label10;
    QLabel* Label11;
    QPushButton* BitBtn4;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox1;
    QFrame* Panel1;
    QLabel* Label13;
    QLabel* Label12;
    QLabel* Label14;
    QProgressBar* ProgressBar1;
    QTableWidget* StringGrid1;
    QLineEdit* Edit6;
    QPushButton* BitBtn1;
    QPushButton* BitBtn5;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* ButtonCofnij;  // takes back the last deletion
    QPushButton* BitBtn10;
    QPushButton* Button1;
    QFrame* PanelSortowanie;
    QLabel* LabelPostep;      // records received during the download
    QPushButton* BitBtnAnuluj;  // stops the download
    QPushButton* BitBtn6;
    QMenu* MenuWydruku;
    QAction* DrukujwedugnumerwPLU1;
    QAction* Drukujwedugnazw1;

    bool ConfirmGoodsEntry = false;

    void RebuildGoodsGrid();
    void ProposeNextGoodsNumber();
    // False when a field was refused (the user was told).
    bool AddGoodsRecord();
    void StringGrid1DblClick();
    void BitBtn1Click();  // search
    // Hides the rows the search field does not match.
    void ApplyFilter();
    void BitBtn5Click();   // edit
    void BitBtn3Click();   // delete
    void BitBtn2Click();   // send
    void Button1Click();   // DownloadGoodsFromRegister
    void BitBtn10Click();  // print menu
    // The rows the print menu collected, in slot order or sorted by name.
    QList<GoodsListRow> PrintRows(bool byName) const;
    void PrintGoodsList(bool byName);
    // Refills the group, packaging and HALO lists from the image.
    void FillLists();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;

private:
    int SelectedNumber() const;
    void ShowSendAnswer(const struct Answer& answer, bool sayAccepted);
    void CollectPrintRows();

    TEdycjaTowaru* editDialog_ = nullptr;
    QList<GoodsListRow> printRows_;
    bool downloading_ = false;
    DeletionUndo undo_;
    int sortColumn_ = -1;  // slot order until a heading is clicked
    bool sortDescending_ = false;
};

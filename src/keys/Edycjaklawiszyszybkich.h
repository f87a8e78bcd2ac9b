#pragma once
// TProgramowanieKlawiszySzybkich: the quick keys edited entry by entry in a form,
// on a copy of the table that is written to the image key by key.
#include "common/Form.h"
#include "keys/quickkeys.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TListaTowarow;

class TProgramowanieKlawiszySzybkich : public TForm {
    Q_OBJECT
public:
    TProgramowanieKlawiszySzybkich(Services& services, TListaTowarow* picker, QWidget* parent = nullptr);

    QComboBox* ComboBox1;             // cashier
    QList<QRadioButton*> KeyButtons;  // RadioButton1 ... RadioButton10
    QGroupBox* RadioGroup1;           // the entry being edited
    QList<QRadioButton*> EntryButtons;
    QLineEdit* Edit1;                 // goods number
    QLabel* GoodsName;
    QLineEdit* Edit2;                 // quantity
    QLabel* MarkerNumber;
    QLabel* MarkerQuantity;
    QPushButton* Button4;             // goods picker
    QPushButton* BitBtn1;             // add to the key
    QTableWidget* StringGrid1;
    QCheckBox* CheckBox1;             // ends the receipt
    QPushButton* BitBtn4;             // save in the PC database
    QPushButton* BitBtn2;             // send to the register
    QPushButton* BitBtn3;             // delete the key from the PC database
    QPushButton* BitBtn6;             // close

    int Cashier() const;
    int Key() const;
    int Entry() const;  // 1-5
    QuickKeyRecord& Current();
    void ShowKey();
    void BitBtn1Click();
    void BitBtn4Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void FormShow() override;

private:
    void ShowGoodsName();
    std::array<QuickKeyRecord, 100> copy_{};  // cashier c, key k at (c - 1) * 10 + k - 1
    TListaTowarow* picker_;
};

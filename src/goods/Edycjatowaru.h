#pragma once
// TEdycjaTowaru: edits one goods record; "Zapisz" hands it to the goods editor's
// add, with every check of that.
#include "common/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TProgramowanieTowarow;

class TEdycjaTowaru : public TForm {
    Q_OBJECT
public:
    TEdycjaTowaru(Services& services, TProgramowanieTowarow* editor, QWidget* parent = nullptr);

    QLabel* Label7;
    QLabel* Label9;  // the goods number, set by the caller
    QLineEdit* Edit1;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QComboBox* ComboBox2;
    QComboBox* ComboBox3;
    QComboBox* ComboBox4;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* Button1;
    QPushButton* Button2;

    // Shows the dialog for goods n and returns when it closes.
    void Edit(int number);
    void Button1Click();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;

private:
    TProgramowanieTowarow* editor_;
};

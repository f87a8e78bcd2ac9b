#pragma once
// TRaportObrotuGrup: the register prints its group turnover for a range of months.
#include "common/Form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TRaportObrotuGrup : public TForm {
    Q_OBJECT
public:
    explicit TRaportObrotuGrup(Services& services, QWidget* parent = nullptr);

    QComboBox* ComboBox1;  // first month
    QLineEdit* MaskEdit1;  // first year
    QComboBox* ComboBox2;  // last month
    QLineEdit* MaskEdit2;  // last year
    QCheckBox* CheckBox2;  // print zero records
    QPushButton* Button1;  // "Wykonaj"
    QPushButton* Button2;  // "Anuluj"

    void Button1Click();
};

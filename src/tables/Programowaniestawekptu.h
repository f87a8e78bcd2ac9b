#pragma once
// TProgramowanieStawekPTU: the seven VAT rates A-G, each taxed, exempt or
// inactive, kept in the image and programmed into the register in one frame.
#include <array>

#include "common/Form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TProgramowanieStawekPTU : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieStawekPTU(Services& services, QWidget* parent = nullptr);

    std::array<QLineEdit*, 7> Edits;          // Edit1-Edit7
    std::array<QRadioButton*, 7> Taxed;       // PTU_x_O
    std::array<QRadioButton*, 7> Exempt;      // PTU_x_Z
    std::array<QRadioButton*, 7> Inactive;    // PTU_x_N
    QCheckBox* CheckBox1;
    QPushButton* BitBtn1;  // save
    QPushButton* BitBtn2;  // save and send
    QPushButton* BitBtn3;  // close

    uint8_t confirmFlag = 0;

    void LoadRates();
    void EnableFields();
    bool BitBtn1Click();
    void BitBtn2Click();

protected:
    void FormShow() override;
};

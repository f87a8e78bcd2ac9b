#pragma once
// TProgramowanieTablicyHalo: the nine editable amounts of the HALO table, kept
// in the image and sent to the register.
#include <array>

#include "common/Form.h"

class QLineEdit;
class QPushButton;

class TProgramowanieTablicyHalo : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieTablicyHalo(Services& services, QWidget* parent = nullptr);

    std::array<QLineEdit*, 9> Edits;  // Edit1-Edit9
    QPushButton* BitBtn4;  // save
    QPushButton* BitBtn2;  // save and send
    QPushButton* BitBtn3;  // close

    bool BitBtn4Click();
    void BitBtn2Click();

protected:
    void FormShow() override;

private:
    std::array<int32_t, 10> amounts_{};  // the form's copy; entry 0 is never edited
};

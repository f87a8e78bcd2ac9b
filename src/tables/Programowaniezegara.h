#pragma once
// TProgramowanieZegara: sets the register's clock to the PC's time or to a date
// and time the user picks.
#include "common/Form.h"

class QDateEdit;
class QPushButton;
class QTimeEdit;

class TProgramowanieZegara : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieZegara(Services& services, QWidget* parent = nullptr);

    QDateEdit* DateTimePicker1;
    QTimeEdit* DateTimePicker2;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

    void BitBtn2Click();

protected:
    void FormShow() override;
};
